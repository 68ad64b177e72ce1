#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <map>

class Balloon;
class QWidget;

// Numbered balloon slots owned by the main window; every window that shows
// a balloon goes through it. A slot holds at most one balloon; callers close
// a slot before opening it again (opening an occupied slot replaces its
// balloon rather than leaking it).
class BalloonService : public QObject
{
    Q_OBJECT
public:
    static constexpr int GeneralSlot = 0;
    static constexpr int EndOfHelpSlot = 9;
    static constexpr int BookmarkSlot = 10;

    explicit BalloonService(QWidget *owner);
    ~BalloonService() override;

    // Shows a balloon with its tip at the screen point (x, y). Returns false
    // when the balloon window could not be made (nothing is shown then).
    bool open(int slot, const QString &title, int opacity, bool withTitle, bool centred,
              int width, int x, int y, const QString &text);
    // False for an empty slot; callers that may meet one ignore it.
    bool close(int slot);
    bool isOpen(int slot) const;
    Balloon *balloon(int slot) const;

    // Set while an open operation makes its window visible, so a closing
    // timer can wait for it to finish.
    bool isOpening() const { return m_opening.load(); }

private:
    QPointer<QWidget> m_owner;
    std::map<int, QPointer<Balloon>> m_slots;
    std::atomic<bool> m_opening{false};
};
