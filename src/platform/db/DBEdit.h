#pragma once

#include <QLineEdit>
#include <QPointer>

class DataSource;

// A single-line edit bound to one field of a data source's table.
//
// It shows the field of the current record, puts the table into editing as
// soon as the user starts to change the text (so typing into an empty table
// starts a new record first), and writes its text into the record just
// before the record is posted, only when the user changed it. The length
// limit is QLineEdit's maxLength. While the table is closed it is
// read-only and empty.
class DBEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const;
    void setDataField(const QString &field);
    QString dataField() const { return m_field; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void beginEdit();
    void loadField();
    void writeField();
    void onDataChanged(const QString &field);
    void onStateChanged();

    QPointer<DataSource> m_source;
    QString m_field;
    bool m_dirty = false;    // the user changed the text since it was loaded
    bool m_writing = false;
};
