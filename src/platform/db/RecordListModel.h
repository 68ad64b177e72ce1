#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class DataSource;
class Table;

// The rows of a data source's table for a view: one row per record in the
// table's current order, plus the pending new record while one is being
// written. Columns are fields chosen by name. Values are asked of the table
// row by row as the view paints them (Caption is in memory; other fields are
// read then), so a book of any size shows at once and bodies are never read
// for the list. Read-only.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // What the row indicator shows beside a row.
    enum Indicator { NoIndicator, CurrentIndicator, EditingIndicator, InsertingIndicator };
    static constexpr int IndicatorRole = Qt::UserRole + 1;

    explicit RecordListModel(QObject *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const;
    Table *table() const;

    void setColumns(const QStringList &fields);
    QStringList columns() const { return m_fields; }
    void setColumnTitle(int column, const QString &title);

    Indicator indicator(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void onRowsChanged();
    void onRecordChanged();
    void refreshRow(int row);

    QPointer<DataSource> m_source;
    QStringList m_fields = {QStringLiteral("Caption")};
    QStringList m_titles = {QString()};
    int m_rows = 0;
    int m_indicatedRow = -1;
};
