#include "platform/db/DBGrid.h"

#include "platform/db/DataSource.h"
#include "platform/db/RecordListModel.h"
#include "platform/db/RowIndicatorHeader.h"
#include "platform/db/Table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_model(new RecordListModel(this))
{
    setVerticalHeader(new RowIndicatorHeader(this));
    // Rows of one fixed height let the header skip per-row bookkeeping, which
    // matters for books of a hundred thousand records.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(19);
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGrid::followTable);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &DBGrid::followTable);
}

void DBGrid::setDataSource(DataSource *source)
{
    m_model->setDataSource(source);
    followTable();
}

DataSource *DBGrid::dataSource() const
{
    return m_model->dataSource();
}

void DBGrid::setColumns(const QStringList &fields)
{
    m_model->setColumns(fields);
}

void DBGrid::setColumnTitle(int column, const QString &title)
{
    m_model->setColumnTitle(column, title);
}

// Selection and scroll position follow the table's current record.
void DBGrid::followTable()
{
    if (m_following)
        return;
    const Table *table = m_model->table();
    const int row = table && table->isActive() ? table->currentRow() : -1;
    m_following = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clear();
    } else if (!currentIndex().isValid() || currentIndex().row() != row || !selectionModel()->isRowSelected(row, QModelIndex())) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex target = m_model->index(row, column);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(target, QAbstractItemView::EnsureVisible);
    }
    m_following = false;
}

void DBGrid::mousePressEvent(QMouseEvent *event)
{
    Table *table = m_model->table();
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (table && table->isActive() && hit.isValid() && hit.row() != table->currentRow())
        table->moveToRow(hit.row());
    QTableView::mousePressEvent(event);
    followTable();
}

// Dragging across rows would select without moving the table.
void DBGrid::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    CursorAction action;
    switch (event->key()) {
    case Qt::Key_Up: action = MoveUp; break;
    case Qt::Key_Down: action = MoveDown; break;
    case Qt::Key_PageUp: action = MovePageUp; break;
    case Qt::Key_PageDown: action = MovePageDown; break;
    case Qt::Key_Home: action = MoveHome; break;
    case Qt::Key_End: action = MoveEnd; break;
    default:
        QTableView::keyPressEvent(event);
        return;
    }
    Table *table = m_model->table();
    if (!table || !table->isActive())
        return;
    const QModelIndex target = moveCursor(action, event->modifiers());
    if (target.isValid() && target.row() != table->currentRow())
        table->moveToRow(target.row());
    // Home and End without Ctrl move between columns, as in any table view.
    if (target.isValid() && target.column() != currentIndex().column()) {
        m_following = true;
        setCurrentIndex(m_model->index(table->currentRow(), target.column()));
        m_following = false;
    }
    followTable();
    event->accept();
}
