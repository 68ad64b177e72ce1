#include "platform/effects/Transition.h"

#include "platform/NativePath.h"
#include "platform/effects/Effects.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

Transition::Transition(QWidget *panel) : QWidget(panel), m_panel(panel)
{
    setObjectName(QStringLiteral("Transition"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_old = panel->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_frame = m_old;
    setGeometry(panel->rect());
    panel->installEventFilter(this);
    raise();
    show();
    m_timer.setInterval(16);
    connect(&m_timer, &QTimer::timeout, this, &Transition::step);
}

bool Transition::setMaskPicture(const QString &path)
{
    m_mask = QImage(nativePath(path));
    m_maskUsable = !m_mask.isNull();
    return m_maskUsable;
}

void Transition::run(Kind kind, int durationMs)
{
    m_levels = RevealOrder::levels(kind, m_old.size(), m_mask);
    m_duration = durationMs;
    // Without its mask picture there is no order to reveal in: the new
    // look shows at once rather than a made-up pattern.
    if (durationMs <= 0 || Effects::instant() || (kind == Kind::Mask && !m_maskUsable)) {
        finish();
        return;
    }
    m_clock.start();
    m_timer.start();
}

Transition *Transition::play(QWidget *panel, Kind kind, int durationMs, const std::function<void()> &change,
                             const QString &maskPicture)
{
    auto *transition = new Transition(panel);
    QPointer<Transition> alive(transition);
    if (change)
        change();
    if (!maskPicture.isEmpty())
        transition->setMaskPicture(maskPicture);
    transition->run(kind, durationMs);
    return alive && !transition->m_finished ? transition : nullptr;
}

void Transition::step()
{
    setProgress(double(m_clock.elapsed()) / m_duration);
}

void Transition::setProgress(double progress)
{
    if (m_finished)
        return;
    if (m_levels.isNull())
        m_levels = RevealOrder::levels(Kind::Roll, m_old.size());
    m_progress = std::clamp(progress, 0.0, 1.0);
    if (m_progress >= 1.0) {
        finish();
        return;
    }
    buildFrame();
    update();
}

bool Transition::showsNewLookAt(int x, int y) const
{
    if (m_finished)
        return true;
    if (m_levels.isNull() || x < 0 || y < 0 || x >= m_levels.width() || y >= m_levels.height())
        return false;
    return RevealOrder::isRevealed(m_levels, x, y, m_progress);
}

void Transition::buildFrame()
{
    // The old look stays where the new one is not yet due; revealed pixels
    // turn transparent, so the live panel beneath shows through.
    const int threshold = int(m_progress * 256.0);
    const int w = std::min(m_old.width(), m_levels.width());
    const int h = std::min(m_old.height(), m_levels.height());
    for (int y = 0; y < h; ++y) {
        const uchar *level = m_levels.constScanLine(y);
        const QRgb *old = reinterpret_cast<const QRgb *>(m_old.constScanLine(y));
        QRgb *out = reinterpret_cast<QRgb *>(m_frame.scanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = level[x] < threshold ? 0 : old[x];
    }
}

void Transition::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_progress = 1.0;
    m_timer.stop();
    hide();
    Q_EMIT finished();
    deleteLater();
}

void Transition::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_frame);
}

bool Transition::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        setGeometry(m_panel->rect());
    return QWidget::eventFilter(watched, event);
}
