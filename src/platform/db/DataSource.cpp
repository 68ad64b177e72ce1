#include "platform/db/DataSource.h"

DataSource::DataSource(QObject *parent) : QObject(parent) {}

DataSource::DataSource(Table *table, QObject *parent) : QObject(parent)
{
    setTable(table);
}

void DataSource::setTable(Table *table)
{
    if (m_table == table)
        return;
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (m_table) {
        connect(m_table, &Table::dataChanged, this, &DataSource::dataChanged);
        connect(m_table, &Table::stateChanged, this, &DataSource::stateChanged);
        connect(m_table, &Table::rowsChanged, this, &DataSource::rowsChanged);
        connect(m_table, &Table::updateRecordRequested, this, &DataSource::updateRecordRequested);
        // A table destroyed under us leaves the controls with nothing to show.
        connect(m_table, &QObject::destroyed, this, [this] {
            emit stateChanged(Table::State::Inactive);
            emit rowsChanged();
        });
    }
    emit stateChanged(m_table ? m_table->state() : Table::State::Inactive);
    emit rowsChanged();
    emit dataChanged(QString());
}
