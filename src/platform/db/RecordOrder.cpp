#include "platform/db/RecordOrder.h"

#include "platform/db/CaptionCollation.h"

#include <algorithm>
#include <iterator>

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
        c = CaptionCollation::compare(a.sortText(), b.sortText());
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
        sortRows(m_rows);
}

void RecordOrder::assignFromAsciiCaseOrder(std::vector<OrderRow> rows)
{
    m_kind = Kind::ByCaption;
    // Where folding changes nothing beyond A–Z, SQLite's NOCASE order is
    // this order already; only the other captions need sorting, and are
    // then merged in. A book of mostly Latin captions opens without a sort.
    std::vector<OrderRow> asciiFolded;
    std::vector<OrderRow> others;
    asciiFolded.reserve(rows.size());
    for (OrderRow &row : rows)
        (row.fold.isNull() ? asciiFolded : others).push_back(std::move(row));
    auto less = [this](const OrderRow &a, const OrderRow &b) { return lessThan(a, b); };
    if (!std::is_sorted(asciiFolded.begin(), asciiFolded.end(), less))
        sortRows(asciiFolded);  // not the order SQLite writes; sort all the same
    sortRows(others);
    m_rows.clear();
    m_rows.reserve(asciiFolded.size() + others.size());
    std::merge(std::make_move_iterator(asciiFolded.begin()), std::make_move_iterator(asciiFolded.end()),
               std::make_move_iterator(others.begin()), std::make_move_iterator(others.end()),
               std::back_inserter(m_rows), less);
}

// Sorting small keys and moving each row once afterwards is several times
// faster than sorting the rows themselves: most comparisons end within the
// first eight characters, held as two integers.
void RecordOrder::sortRows(std::vector<OrderRow> &rows) const
{
    struct SortKey
    {
        quint64 high;
        quint64 low;
        quint32 row;
    };
    std::vector<SortKey> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        keys[i] = {0, 0, quint32(i)};
        if (m_kind == Kind::ByCaption) {
            const QString &text = rows[i].sortText();
            const qsizetype n = std::min<qsizetype>(text.size(), 8);
            for (qsizetype c = 0; c < n; ++c)
                (c < 4 ? keys[i].high : keys[i].low) |= quint64(CaptionCollation::rank(text.at(c).unicode()))
                                                         << (16 * (3 - c % 4));
        }
    }
    std::sort(keys.begin(), keys.end(), [this, &rows](const SortKey &a, const SortKey &b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        return lessThan(rows[a.row], rows[b.row]);
    });
    std::vector<OrderRow> sorted;
    sorted.reserve(rows.size());
    for (const SortKey &key : keys)
        sorted.push_back(std::move(rows[key.row]));
    rows = std::move(sorted);
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
    const QString folded = CaptionCollation::foldAll(prefix);
    if (m_kind == Kind::ByCaption) {
        // Captions that begin with the prefix stand together, starting at the
        // first caption not below the prefix itself.
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), folded, [](const OrderRow &row, const QString &p) {
            return CaptionCollation::compare(row.sortText(), p) < 0;
        });
        if (at != m_rows.end() && CaptionCollation::startsWith(at->sortText(), folded))
            return int(at - m_rows.begin());
        return -1;
    }
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (CaptionCollation::startsWith(m_rows[i].sortText(), folded))
            return int(i);
    }
    return -1;
}

std::vector<OrderRow> RecordOrder::takeRows()
{
    return std::move(m_rows);
}
