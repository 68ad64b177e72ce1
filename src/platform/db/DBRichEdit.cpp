#include "platform/db/DBRichEdit.h"

#include "platform/db/DataSource.h"
#include "platform/db/EditKeys.h"

#include <QKeyEvent>
#include <QTextDocument>

DBRichEdit::DBRichEdit(QWidget *parent) : RichEdit(parent)
{
    setReadOnly(true);
    connect(document(), &QTextDocument::contentsChanged, this, &DBRichEdit::onContentsChanged);
}

void DBRichEdit::setDataSource(DataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &DataSource::dataChanged, this, &DBRichEdit::onDataChanged);
        connect(m_source, &DataSource::stateChanged, this, &DBRichEdit::onStateChanged);
        connect(m_source, &DataSource::updateRecordRequested, this, &DBRichEdit::writeField);
    }
    onStateChanged();
    loadField(true);
}

void DBRichEdit::setDataField(const QString &field)
{
    m_field = field;
    loadField(true);
}

void DBRichEdit::keyPressEvent(QKeyEvent *event)
{
    if (EditKeys::changesText(event) && !isReadOnly())
        beginEdit();
    RichEdit::keyPressEvent(event);
}

void DBRichEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && !isReadOnly())
        beginEdit();
    RichEdit::inputMethodEvent(event);
}

void DBRichEdit::insertFromMimeData(const QMimeData *source)
{
    if (!isReadOnly())
        beginEdit();
    RichEdit::insertFromMimeData(source);
}

// Raises AppError out of the event handler when the table refuses; the
// application's event handler shows it and the change is not applied.
void DBRichEdit::beginEdit()
{
    Table *table = m_source ? m_source->table() : nullptr;
    if (table && table->isActive() && !table->isEditing())
        table->edit();
}

void DBRichEdit::loadField(bool force)
{
    if (m_keepContent)
        return;
    Table *table = m_source ? m_source->table() : nullptr;
    QByteArray bytes;
    if (table && table->isActive() && table->hasField(m_field))
        bytes = table->fieldValue(m_field).toByteArray();
    if (!force && m_inSync && bytes == m_shownBytes) {
        // The record now holds what the control shows (a post just stored
        // it): nothing to reload, only the change is no longer pending.
        setModified(false);
        return;
    }
    m_loading = true;
    setRtf(bytes);
    m_loading = false;
    m_shownBytes = bytes;
    m_inSync = true;
}

void DBRichEdit::writeField()
{
    Table *table = m_source ? m_source->table() : nullptr;
    // Content that differs from what was last loaded or written is written,
    // even when undo has cleared the modified flag after a refused post.
    if ((!isModified() && m_inSync) || !table || !table->isEditing() || !table->hasField(m_field))
        return;
    const QByteArray bytes = rtf();
    m_writing = true;
    try {
        table->setFieldValue(m_field, bytes);
        m_shownBytes = bytes;
        m_inSync = true;
    } catch (...) {
        // Only a read-only field refuses a write; the content stays as typed.
    }
    m_writing = false;
}

void DBRichEdit::onDataChanged(const QString &field)
{
    if (m_writing)
        return;
    if (field.isEmpty() || field.compare(m_field, Qt::CaseInsensitive) == 0)
        loadField(false);
}

void DBRichEdit::onStateChanged()
{
    Table *table = m_source ? m_source->table() : nullptr;
    const bool active = table && table->isActive();
    setReadOnly(!active || (table->hasField(m_field) && table->isReadOnlyField(m_field)));
    if (!active)
        loadField(true);
}

void DBRichEdit::onContentsChanged()
{
    if (m_loading)
        return;
    m_inSync = false;
    // A change that came past the key handlers (a program's own edit, a
    // drop) still puts the table into editing; the content it made stays.
    Table *table = m_source ? m_source->table() : nullptr;
    if (!table || !table->isActive() || table->isEditing() || isReadOnly())
        return;
    m_keepContent = true;
    try {
        table->edit();
    } catch (...) {
        // The table refused; the change stays in the control and is written
        // by the next post, if the table allows one.
    }
    m_keepContent = false;
}

DataSource *DBRichEdit::dataSource() const
{
    return m_source;
}
