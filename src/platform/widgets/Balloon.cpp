#include "platform/widgets/Balloon.h"

#include <QApplication>
#include <algorithm>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>

namespace {
constexpr int kPadding = 8;
constexpr int kTail = 14;     // height of the tail
constexpr int kTailBase = 16;
constexpr int kTailInset = 18;  // from the bubble's side to the tail
constexpr int kIcon = 16;
constexpr int kRadius = 8;
} // namespace

Balloon::Balloon(QWidget *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Balloon::setOpacity(int opacity)
{
    setWindowOpacity(qBound(0, opacity, 255) / 255.0);
}

void Balloon::setTip(const QPoint &screenPoint, bool centred)
{
    m_tip = screenPoint;
    m_centred = centred;
    m_dirty = true;
    layoutBalloon();
}

void Balloon::layoutBalloon()
{
    m_dirty = false;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(font());
    const QFontMetrics bfm(bold);
    const int maxText = qMax(40, m_maxWidth - 2 * kPadding);

    // Text wraps at the given width; a shorter text keeps its own width.
    const QRect textBounds = m_text.isEmpty()
        ? QRect()
        : fm.boundingRect(QRect(0, 0, maxText, 100000), Qt::TextWordWrap, m_text);
    const int titleWidth = m_showsTitle ? qMin(maxText - kIcon - 6, bfm.horizontalAdvance(m_title)) : 0;
    const int headWidth = m_showsTitle ? kIcon + 6 + titleWidth : 0;
    const int headHeight = m_showsTitle ? qMax(kIcon, bfm.height()) : 0;
    const int innerWidth = std::max({textBounds.width(), headWidth, 40});
    const int innerHeight = headHeight + (m_showsTitle && !m_text.isEmpty() ? 4 : 0) + textBounds.height();
    const QSize bubble(innerWidth + 2 * kPadding, innerHeight + 2 * kPadding);

    // Hang below the tip, unless that leaves the screen.
    const QScreen *screen = QGuiApplication::screenAt(m_tip);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
    QRect window;
    if (m_centred) {
        window = QRect(QPoint(), bubble);
        window.moveCenter(m_tip);
        m_bubble = QRect(QPoint(0, 0), bubble);
    } else {
        m_tailUp = m_tip.y() + kTail + bubble.height() <= avail.bottom() || m_tip.y() - kTail - bubble.height() < avail.top();
        const QSize size(bubble.width(), bubble.height() + kTail);
        int left = m_tip.x() - kTailInset;
        left = qBound(avail.left(), left, qMax(avail.left(), avail.right() - size.width()));
        left = qMin(left, m_tip.x() - 4);
        left = qMax(left, m_tip.x() - size.width() + 4);
        const int top = m_tailUp ? m_tip.y() : m_tip.y() - size.height();
        window = QRect(QPoint(left, top), size);
        m_bubble = QRect(QPoint(0, m_tailUp ? kTail : 0), bubble);
    }
    const QPoint inner = m_bubble.topLeft() + QPoint(kPadding, kPadding);
    m_iconRect = m_showsTitle ? QRect(inner, QSize(kIcon, kIcon)) : QRect();
    m_titleRect = m_showsTitle ? QRect(inner + QPoint(kIcon + 6, 0), QSize(titleWidth, headHeight)) : QRect();
    m_textRect = QRect(inner + QPoint(0, headHeight + (m_showsTitle && !m_text.isEmpty() ? 4 : 0)),
                       QSize(innerWidth, textBounds.height()));
    setGeometry(window);
    update();
}

void Balloon::paintEvent(QPaintEvent *)
{
    if (m_dirty)
        layoutBalloon();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(m_bubble).adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    if (!m_centred) {
        const QPoint tipLocal = mapFromGlobal(m_tip);
        const int baseX = qBound(m_bubble.left() + kRadius, tipLocal.x() - kTailBase / 4,
                                 m_bubble.right() - kRadius - kTailBase);
        const int baseY = m_tailUp ? m_bubble.top() + 1 : m_bubble.bottom() - 1;
        QPainterPath tail;
        tail.moveTo(baseX, baseY);
        tail.lineTo(tipLocal.x(), m_tailUp ? 0 : height() - 1);
        tail.lineTo(baseX + kTailBase, baseY);
        tail.closeSubpath();
        path = path.united(tail);
    }
    const QPalette pal = QApplication::palette("QToolTip");
    p.setPen(QPen(pal.color(QPalette::ToolTipText), 1));
    p.setBrush(pal.color(QPalette::ToolTipBase));
    p.drawPath(path);

    p.setPen(pal.color(QPalette::ToolTipText));
    if (m_showsTitle) {
        const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
        icon.paint(&p, m_iconRect);
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(m_titleRect, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(bold).elidedText(m_title, Qt::ElideRight, m_titleRect.width()));
        p.setFont(font());
    }
    p.drawText(m_textRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, m_text);
}
