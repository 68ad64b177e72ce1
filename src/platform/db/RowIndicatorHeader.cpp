#include "platform/db/RowIndicatorHeader.h"

#include "platform/db/RecordListModel.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int IndicatorWidth = 14;
}

RowIndicatorHeader::RowIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    // Every row has the same height, so the view never measures rows one by
    // one — a list of 100,000 rows costs no more than one of ten.
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

QSize RowIndicatorHeader::sizeHint() const
{
    return QSize(IndicatorWidth, QHeaderView::sizeHint().height());
}

void RowIndicatorHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect, palette().button());
    painter->setPen(palette().mid().color());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    const int mark = model() ? model()->headerData(logicalIndex, Qt::Vertical, RecordListModel::IndicatorRole).toInt() : 0;
    const QPointF c = QRectF(rect).center();
    const qreal s = qMin(rect.width(), rect.height()) / 4.0;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(palette().buttonText().color(), 1.2));
    switch (mark) {
    case RecordListModel::CurrentIndicator: {
        QPainterPath triangle;
        triangle.moveTo(c.x() - s * 0.6, c.y() - s);
        triangle.lineTo(c.x() + s * 0.8, c.y());
        triangle.lineTo(c.x() - s * 0.6, c.y() + s);
        triangle.closeSubpath();
        painter->fillPath(triangle, palette().buttonText());
        break;
    }
    case RecordListModel::EditingIndicator:
        painter->drawLine(QPointF(c.x(), c.y() - s * 1.3), QPointF(c.x(), c.y() + s * 1.3));
        painter->drawLine(QPointF(c.x() - s * 0.5, c.y() - s * 1.3), QPointF(c.x() + s * 0.5, c.y() - s * 1.3));
        painter->drawLine(QPointF(c.x() - s * 0.5, c.y() + s * 1.3), QPointF(c.x() + s * 0.5, c.y() + s * 1.3));
        break;
    case RecordListModel::InsertingIndicator:
        for (int i = 0; i < 3; ++i) {
            painter->save();
            painter->translate(c);
            painter->rotate(60.0 * i);
            painter->drawLine(QPointF(0, -s), QPointF(0, s));
            painter->restore();
        }
        break;
    default:
        break;
    }
    painter->restore();
}
