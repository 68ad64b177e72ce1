#include "platform/db/RecordListModel.h"

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"

RecordListModel::RecordListModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordListModel::setDataSource(DataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &DataSource::rowsChanged, this, &RecordListModel::onRowsChanged);
        connect(m_source, &DataSource::dataChanged, this, &RecordListModel::onRecordChanged);
        connect(m_source, &DataSource::stateChanged, this, &RecordListModel::onRecordChanged);
    }
    onRowsChanged();
}

Table *RecordListModel::table() const
{
    return m_source ? m_source->table() : nullptr;
}

void RecordListModel::setColumns(const QStringList &fields)
{
    beginResetModel();
    m_fields = fields;
    m_titles = QStringList(fields);
    endResetModel();
}

void RecordListModel::setColumnTitle(int column, const QString &title)
{
    if (column < 0 || column >= m_titles.size())
        return;
    m_titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

RecordListModel::Indicator RecordListModel::indicator(int row) const
{
    const Table *t = table();
    if (!t || !t->isActive() || row != t->currentRow() || row < 0)
        return NoIndicator;
    switch (t->state()) {
    case Table::State::Insert:
        return InsertingIndicator;
    case Table::State::Edit:
        return EditingIndicator;
    default:
        return CurrentIndicator;
    }
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows || index.column() >= m_fields.size())
        return QVariant();
    const Table *t = table();
    if (!t)
        return QVariant();
    try {
        const QVariant value = t->valueAt(index.row(), m_fields.at(index.column()));
        // A body or other blob has no one-line form in a list.
        if (value.metaType().id() == QMetaType::QByteArray)
            return QVariant();
        return value;
    } catch (...) {
        // A row that cannot be read shows empty; painting never fails.
        return QVariant();
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_titles.size())
            return m_titles.at(section);
        return QVariant();
    }
    if (role == IndicatorRole)
        return int(indicator(section));
    return QVariant();
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void RecordListModel::onRowsChanged()
{
    const Table *t = table();
    beginResetModel();
    m_rows = t && t->isActive() ? t->rowCount() : 0;
    m_indicatedRow = t && t->isActive() ? t->currentRow() : -1;
    endResetModel();
}

// The current row moved or its values or state changed: only the rows that
// lose and gain the indicator are repainted, whatever the size of the book.
void RecordListModel::onRecordChanged()
{
    const Table *t = table();
    const int current = t && t->isActive() ? t->currentRow() : -1;
    const int rows = t && t->isActive() ? t->rowCount() : 0;
    if (rows != m_rows) {
        onRowsChanged();
        return;
    }
    const int previous = m_indicatedRow;
    m_indicatedRow = current;
    refreshRow(previous);
    refreshRow(current);
}

void RecordListModel::refreshRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    emit dataChanged(index(row, 0), index(row, int(m_fields.size()) - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

DataSource *RecordListModel::dataSource() const
{
    return m_source;
}
