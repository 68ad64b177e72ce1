#pragma once

#include "platform/rtf/RichEdit.h"

#include <QPointer>

class DataSource;

// The rich-text editor bound to the RTF body field ("Description") of a data
// source's table.
//
// Moving to a record loads its body and clears the modified flag. The user's
// first change puts the table into editing (starting a new record in an
// empty table). Just before a post the control writes its RTF into the
// record when it was modified; the flag stays set through the before-post
// event, so a handler can tell that the body changed, and is cleared once
// the post is done — without reloading, so caret and scroll stay where they
// were. A cancel brings back the stored body.
class DBRichEdit : public RichEdit
{
    Q_OBJECT
public:
    explicit DBRichEdit(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const;
    void setDataField(const QString &field);
    QString dataField() const { return m_field; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void beginEdit();
    void loadField(bool force);
    void writeField();
    void onDataChanged(const QString &field);
    void onStateChanged();
    void onContentsChanged();

    QPointer<DataSource> m_source;
    QString m_field = QStringLiteral("Description");
    QByteArray m_shownBytes;   // the field value the content was loaded from or last written as
    bool m_inSync = false;     // the content is still exactly m_shownBytes
    bool m_loading = false;
    bool m_writing = false;
    bool m_keepContent = false;
};
