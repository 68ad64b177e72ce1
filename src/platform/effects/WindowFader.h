#pragma once

#include <QObject>
#include <QPointer>

class QVariantAnimation;
class QWidget;

// A skinned window's transparency: its opacity and, when fading is on, a
// short fade-in each time it is shown. Closing is never delayed, so a
// window whose close is refused does not stay faded out.
class WindowFader : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFadeMs = 250;

    // level: 0 to 1 (1 opaque). Applying again to the same window replaces
    // its settings.
    static WindowFader *apply(QWidget *window, double level, bool fading);
    static WindowFader *of(const QWidget *window);

    double level() const { return m_level; }
    bool fading() const { return m_fading; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowFader(QWidget *window);
    void fadeIn();

    QWidget *m_window;
    double m_level = 1.0;
    bool m_fading = false;
    QPointer<QVariantAnimation> m_animation;
};
