#pragma once

#include "platform/db/Table.h"

#include <QObject>
#include <QPointer>

// Joins data-aware controls to a table, as the one place they listen to.
// Re-pointing it at another table (or at none) refreshes every control bound
// to it. The program's data-change handler connects to dataChanged().
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    explicit DataSource(Table *table, QObject *parent = nullptr);

    void setTable(Table *table);
    Table *table() const { return m_table; }

signals:
    // The table's data change: a field of the current record (its name) or
    // the whole record (empty name).
    void dataChanged(const QString &field);
    void stateChanged(Table::State state);
    void rowsChanged();
    // Controls write their pending values into the record now.
    void updateRecordRequested();

private:
    QPointer<Table> m_table;
};
