#include "platform/db/RecordOrder.h"

#include "platform/db/CaptionCollation.h"

#include <algorithm>

namespace {

// SQLite's order for TEXT columns: NULL first, then by code point.
int compareStored(const QString &a, const QString &b)
{
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    return CaptionCollation::compare(a, b);
}

} // namespace

bool RecordOrder::lessThan(const OrderRow &a, const OrderRow &b) const
{
    int c = 0;
    switch (m_kind) {
    case Kind::ByKey:
        break;
    case Kind::ByCaption:
        c = CaptionCollation::compare(a.fold, b.fold);
        break;
    case Kind::ByDate:
        c = compareStored(a.date, b.date);
        if (c == 0)
            c = compareStored(a.time, b.time);
        break;
    }
    return c != 0 ? c < 0 : a.key < b.key;
}

void RecordOrder::assign(Kind kind, std::vector<OrderRow> rows)
{
    m_rows = std::move(rows);
    m_kind = kind;
    auto less = [this](const OrderRow &a, const OrderRow &b) { return lessThan(a, b); };
    if (!std::is_sorted(m_rows.begin(), m_rows.end(), less))
        std::sort(m_rows.begin(), m_rows.end(), less);
}

void RecordOrder::sortBy(Kind kind)
{
    assign(kind, std::move(m_rows));
}

int RecordOrder::insert(OrderRow row)
{
    auto less = [this](const OrderRow &a, const OrderRow &b) { return lessThan(a, b); };
    const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row, less);
    const int index = int(at - m_rows.begin());
    m_rows.insert(at, std::move(row));
    return index;
}

void RecordOrder::removeAt(int index)
{
    m_rows.erase(m_rows.begin() + index);
}

int RecordOrder::indexOf(const OrderRow &row) const
{
    auto less = [this](const OrderRow &a, const OrderRow &b) { return lessThan(a, b); };
    const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), row, less);
    if (at != m_rows.end() && at->key == row.key)
        return int(at - m_rows.begin());
    return indexOfKey(row.key);
}

int RecordOrder::indexOfKey(qint64 key) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].key == key)
            return int(i);
    }
    return -1;
}

int RecordOrder::findCaptionPrefix(const QString &prefix) const
{
    if (m_rows.empty())
        return -1;
    const QString folded = CaptionCollation::fold(prefix);
    if (m_kind == Kind::ByCaption) {
        // Captions that begin with the prefix stand together, starting at the
        // first caption not below the prefix itself.
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), folded, [](const OrderRow &row, const QString &p) {
            return CaptionCollation::compare(row.fold, p) < 0;
        });
        if (at != m_rows.end() && at->fold.startsWith(folded))
            return int(at - m_rows.begin());
        return -1;
    }
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].fold.startsWith(folded))
            return int(i);
    }
    return -1;
}

std::vector<OrderRow> RecordOrder::takeRows()
{
    return std::move(m_rows);
}
