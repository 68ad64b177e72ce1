#pragma once

#include <QPointer>
#include <QTableView>

class DataSource;
class RecordListModel;

// The record list: a read-only table view over a data source's table
// (RecordListModel) with whole-row selection, column titles, a row
// indicator (RowIndicatorHeader) and rows of one fixed height.
//
// The selected row always is the table's current record. A click on a row
// or a navigation key (arrows, Page Up/Down, Home/End with Ctrl) moves the
// table there, leaving the current record as every move does; when the
// table refuses (a post that fails), AppError leaves the event handler, the
// application shows it, and the selection stays where it was.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const;
    RecordListModel *recordModel() const { return m_model; }

    // Fields shown, left to right (default: Caption), and their titles.
    void setColumns(const QStringList &fields);
    void setColumnTitle(int column, const QString &title);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void followTable();

    RecordListModel *m_model;
    bool m_following = false;
};
