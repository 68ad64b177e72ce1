#include "platform/widgets/RoundedGroupBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

RoundedGroupBox::RoundedGroupBox(QWidget *parent) : RoundedGroupBox(QString(), parent) {}

RoundedGroupBox::RoundedGroupBox(const QString &title, QWidget *parent) : QGroupBox(title, parent)
{
    updateMargins();
}

void RoundedGroupBox::setFrameVisible(bool visible)
{
    m_frameVisible = visible;
    updateMargins();
    update();
}

void RoundedGroupBox::setCornerRadius(int radius)
{
    m_radius = radius;
    update();
}

void RoundedGroupBox::updateMargins()
{
    // Room for the caption above and the rounded line around the content.
    const int side = m_frameVisible ? 3 : 0;
    const int top = m_frameVisible && !title().isEmpty() ? fontMetrics().height() + 1 : side;
    setContentsMargins(side, top, side, side);
}

void RoundedGroupBox::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMargins();
}

void RoundedGroupBox::setCaption(const QString &caption)
{
    setTitle(caption);
    updateMargins();
}

void RoundedGroupBox::paintEvent(QPaintEvent *)
{
    if (!m_frameVisible)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const QFontMetrics metrics(font());
    const int captionHeight = title().isEmpty() ? 0 : metrics.height();
    const QRectF frame = QRectF(rect()).adjusted(0.5, captionHeight / 2.0 + 0.5, -0.5, -0.5);

    QPainterPath path;
    path.addRoundedRect(frame, m_radius, m_radius);
    painter.fillPath(path, pal.color(QPalette::Window));
    painter.setPen(QPen(pal.color(QPalette::Mid), 1.0));
    painter.drawPath(path);

    const QString caption = title();
    if (!caption.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics boldMetrics(bold);
        const int left = m_radius + 6;
        const QString shown = boldMetrics.elidedText(caption, Qt::ElideRight, width() - 2 * left);
        const QRect captionRect(left, 0, boldMetrics.horizontalAdvance(shown) + 8, captionHeight);
        painter.fillRect(captionRect, pal.color(QPalette::Window));
        painter.setFont(bold);
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawText(captionRect.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, shown);
    }
}

void RoundedGroupBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT frameClicked();
    QGroupBox::mouseReleaseEvent(event);
}
