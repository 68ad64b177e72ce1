#pragma once

#include "platform/effects/RevealOrder.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

// A short visual change of a panel: an overlay takes a snapshot of the
// panel's old look, the caller changes the panel, and the overlay uncovers
// the live panel in the order of its kind, then removes itself.
//
//   auto *t = new Transition(panel);           // snapshot now
//   ... change the panel ...
//   t->setMaskPicture(maskFile);              // mask kind only
//   t->run(Transition::Kind::Mask, 1000);
//
// With Effects::setInstant(true) or a duration of 0 the run ends at once.
class Transition : public QWidget
{
    Q_OBJECT
public:
    using Kind = RevealOrder::Kind;

    explicit Transition(QWidget *panel);

    // The grey mask for Kind::Mask (a stored or native path); false when
    // the picture cannot be read, and the mask run then ends at once.
    bool setMaskPicture(const QString &path);

    void run(Kind kind, int durationMs);
    // Snapshot, change, run: the usual sequence in one call. Returns the
    // running overlay, or nothing when it already ended.
    static Transition *play(QWidget *panel, Kind kind, int durationMs, const std::function<void()> &change,
                            const QString &maskPicture = QString());

    double progress() const { return m_progress; }
    // Moves the run to progress (0 to 1); 1 ends it.
    void setProgress(double progress);
    // Whether the pixel at (x, y) of the panel shows the new look now.
    bool showsNewLookAt(int x, int y) const;

Q_SIGNALS:
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step();
    void finish();
    void buildFrame();

    QWidget *m_panel;
    QImage m_old;
    QImage m_mask;
    QImage m_levels;
    QImage m_frame;
    double m_progress = 0.0;
    int m_duration = 0;
    bool m_finished = false;
    bool m_maskUsable = true;
    QElapsedTimer m_clock;
    QTimer m_timer;
};
