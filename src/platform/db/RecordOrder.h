#pragma once

#include <QString>
#include <vector>

// One record as the orders see it: its key and the values they sort by.
struct OrderRow
{
    qint64 key = 0;
    QString caption;
    QString fold;  // CaptionCollation::foldBeyondAscii(caption): null for most captions

    const QString &sortText() const { return fold.isNull() ? caption : fold; }
    QString date;  // null when stored NULL; NULL sorts first, as in SQLite
    QString time;
};

// The records of an open table in the order the user sees them. Held in
// memory so that position, locate and the record list need no query; the
// table keeps it in step with every post and delete.
//
//   ByKey      by key (the date table, which has no other order)
//   ByCaption  by caption, case-insensitive (CaptionCollation), ties by key
//   ByDate     by creation date, then time, ties by key
class RecordOrder
{
public:
    enum class Kind { ByKey, ByCaption, ByDate };

    Kind kind() const { return m_kind; }
    int size() const { return int(m_rows.size()); }
    const OrderRow &at(int index) const { return m_rows[size_t(index)]; }
    void clear() { m_rows.clear(); }

    // Replaces all rows. Rows that arrive already in order (as an index scan
    // delivers them) are only checked, not sorted again.
    void assign(Kind kind, std::vector<OrderRow> rows);
    // Replaces all rows with rows in SQLite's NOCASE caption order (as the
    // index CAPTION_FIELD delivers them) and orders them by caption.
    void assignFromAsciiCaseOrder(std::vector<OrderRow> rows);
    void sortBy(Kind kind);

    // Inserts at the place the order gives the row and returns that index.
    int insert(OrderRow row);
    void removeAt(int index);

    // Index of the row with this key whose order values are those of `row`
    // (binary search), or -1.
    int indexOf(const OrderRow &row) const;
    // Index of the row with this key, searched from end to end; -1 if absent.
    int indexOfKey(qint64 key) const;

    // First row, in this order, whose caption begins with `prefix` ignoring
    // case; -1 if none. An empty prefix matches the first row.
    int findCaptionPrefix(const QString &prefix) const;

    bool lessThan(const OrderRow &a, const OrderRow &b) const;

    // Rows taken out and given back, for rebuilding the order.
    std::vector<OrderRow> takeRows();

private:
    void sortRows(std::vector<OrderRow> &rows) const;

    Kind m_kind = Kind::ByKey;
    std::vector<OrderRow> m_rows;
};
