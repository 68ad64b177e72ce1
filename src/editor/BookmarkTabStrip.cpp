#include "editor/BookmarkTabStrip.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {
constexpr int kArrowWidth = 16;
} // namespace

BookmarkTabStrip::BookmarkTabStrip(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFixedHeight(TabHeight);
    m_left = new QToolButton(this);
    m_left->setArrowType(Qt::LeftArrow);
    m_left->setAutoRepeat(true);
    m_right = new QToolButton(this);
    m_right->setArrowType(Qt::RightArrow);
    m_right->setAutoRepeat(true);
    for (QToolButton *b : {m_left, m_right}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(true);
        b->setFixedSize(kArrowWidth, TabHeight);
        b->setCursor(Qt::ArrowCursor);
    }
    connect(m_left, &QToolButton::clicked, this, [this] { setFirstVisibleTab(m_first - 1); });
    connect(m_right, &QToolButton::clicked, this, [this] { setFirstVisibleTab(m_first + 1); });
    updateArrows();
}

QSize BookmarkTabStrip::sizeHint() const
{
    return QSize(qMin(m_count, 8) * TabWidth + 2 * kArrowWidth, TabHeight);
}

void BookmarkTabStrip::setTabCount(int count)
{
    m_count = qMax(0, count);
    m_selected = -1;
    m_first = 0;
    updateArrows();
    update();
}

void BookmarkTabStrip::setSelectedTab(int index)
{
    m_selected = index >= 0 && index < m_count ? index : -1;
    update();
}

void BookmarkTabStrip::setFirstVisibleTab(int index)
{
    const int fitting = qMax(1, tabsWidth() / TabWidth);
    m_first = qBound(0, index, qMax(0, m_count - fitting));
    updateArrows();
    update();
}

int BookmarkTabStrip::tabsWidth() const
{
    const bool overflow = m_count * TabWidth > width();
    return overflow ? qMax(0, width() - 2 * kArrowWidth) : width();
}

void BookmarkTabStrip::updateArrows()
{
    const bool overflow = m_count * TabWidth > width();
    m_left->setVisible(overflow);
    m_right->setVisible(overflow);
    m_left->move(width() - 2 * kArrowWidth, 0);
    m_right->move(width() - kArrowWidth, 0);
    m_left->setEnabled(m_first > 0);
    m_right->setEnabled(m_first + tabsWidth() / TabWidth < m_count);
}

QRect BookmarkTabStrip::tabRect(int index) const
{
    return QRect((index - m_first) * TabWidth, 0, TabWidth, TabHeight);
}

int BookmarkTabStrip::tabAt(const QPoint &pos) const
{
    if (pos.x() < 0 || pos.y() < 0 || pos.y() >= height() || pos.x() >= tabsWidth())
        return -1;
    const int index = m_first + pos.x() / TabWidth;
    return index < m_count ? index : -1;
}

void BookmarkTabStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int last = qMin(m_count, m_first + tabsWidth() / TabWidth + 1);
    p.setClipRect(QRect(0, 0, tabsWidth(), height()));
    for (int i = m_first; i < last; ++i) {
        const QRectF r = QRectF(tabRect(i)).adjusted(0.5, 0.5, -1.5, -0.5);
        QPainterPath path;
        // Tabs hang from the editor above them: square top, rounded bottom.
        path.moveTo(r.topLeft());
        path.lineTo(r.topRight());
        path.lineTo(r.right(), r.bottom() - 4);
        path.quadTo(r.right(), r.bottom(), r.right() - 4, r.bottom());
        path.lineTo(r.left() + 4, r.bottom());
        path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - 4);
        path.closeSubpath();
        const bool selected = i == m_selected;
        const QColor fill = selected ? palette().color(QPalette::Base)
                            : i == m_hovered ? palette().color(QPalette::Midlight)
                                             : palette().color(QPalette::Button);
        p.setBrush(fill);
        p.setPen(palette().color(QPalette::Mid));
        p.drawPath(path);
        QFont f = font();
        f.setBold(selected);
        p.setFont(f);
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(tabRect(i), Qt::AlignCenter, QString::number(i + 1));
    }
}

void BookmarkTabStrip::mousePressEvent(QMouseEvent *event)
{
    const int index = tabAt(event->position().toPoint());
    if (index < 0)
        return;
    setSelectedTab(index);
    emit tabPressed(index);
}

void BookmarkTabStrip::mouseMoveEvent(QMouseEvent *event)
{
    const int index = tabAt(event->position().toPoint());
    if (index != m_hovered) {
        m_hovered = index;
        update();
        emit tabHovered(index);
    }
}

void BookmarkTabStrip::leaveEvent(QEvent *)
{
    if (m_hovered != -1) {
        m_hovered = -1;
        update();
        emit tabHovered(-1);
    }
}

void BookmarkTabStrip::resizeEvent(QResizeEvent *)
{
    setFirstVisibleTab(m_first);
}
