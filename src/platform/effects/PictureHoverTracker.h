#pragma once

#include "platform/effects/HoverRule.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class PictureButton;
class QWidget;

// Enlarges the picture button under the mouse and shifts a pressed button
// by 3 pixels right and down, for a set of picture buttons and the
// surfaces around them. One object serves all buttons of a window, so at
// most one is enlarged at a time.
class PictureHoverTracker : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPressShift = 3;

    explicit PictureHoverTracker(QObject *parent = nullptr);

    // The pictures are native or stored paths; a picture that cannot be
    // read leaves the button empty, without a message.
    void addButton(PictureButton *button, const QString &normalPicture, int normalSize,
                   const QString &enlargedPicture, int enlargedSize);
    // A surface whose mouse moves shrink the enlarged button back.
    void addBackground(QWidget *surface);
    // Runs on every mouse move over a background surface (for example to
    // close a balloon).
    void setBackgroundMoveHandler(std::function<void()> handler) { m_onBackground = std::move(handler); }

    // Shows every button's normal picture (after a skin change).
    void loadNormalPictures();
    int enlargedButton() const { return m_rule.enlargedButton(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        PictureButton *button;
        QString normalPicture;
        int normalSize;
        QString enlargedPicture;
        int enlargedSize;
        bool shifted = false;
    };
    void show(const Entry &entry, bool enlarged);
    void apply(const std::vector<HoverRule::Change> &changes);

    HoverRule m_rule;
    QHash<int, Entry> m_entries;  // by button tag
    QHash<QObject *, int> m_tags;
    std::function<void()> m_onBackground;
};
