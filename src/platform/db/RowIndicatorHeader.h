#pragma once

#include <QHeaderView>

// The narrow column left of a record list's rows that marks the current
// row: a triangle while browsing, an I-beam while it is edited, an asterisk
// for a new record. It reads RecordListModel::IndicatorRole.
class RowIndicatorHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit RowIndicatorHeader(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};
