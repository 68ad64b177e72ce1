#include "platform/db/DBEdit.h"

#include "platform/db/DataSource.h"
#include "platform/db/EditKeys.h"

#include <QKeyEvent>

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_dirty = true;
        // Edits that bypass the keyboard (the context menu's paste, for
        // example) still put the table into editing.
        Table *table = m_source ? m_source->table() : nullptr;
        if (table && table->isActive() && !table->isEditing()) {
            const QString typed = text();
            beginEdit();
            // Starting a new record reloaded the empty field; keep what the user did.
            if (text() != typed) {
                setText(typed);
                m_dirty = true;
            }
        }
    });
}

void DBEdit::setDataSource(DataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &DataSource::dataChanged, this, &DBEdit::onDataChanged);
        connect(m_source, &DataSource::stateChanged, this, &DBEdit::onStateChanged);
        connect(m_source, &DataSource::updateRecordRequested, this, &DBEdit::writeField);
    }
    onStateChanged();
    loadField();
}

void DBEdit::setDataField(const QString &field)
{
    m_field = field;
    loadField();
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    if (EditKeys::changesText(event) && !isReadOnly())
        beginEdit();
    QLineEdit::keyPressEvent(event);
}

void DBEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && !isReadOnly())
        beginEdit();
    QLineEdit::inputMethodEvent(event);
}

// Raises AppError out of the key handler when the table refuses; the
// application's event handler shows it and the key is not applied.
void DBEdit::beginEdit()
{
    Table *table = m_source ? m_source->table() : nullptr;
    if (table && table->isActive() && !table->isEditing())
        table->edit();
}

void DBEdit::loadField()
{
    Table *table = m_source ? m_source->table() : nullptr;
    QString value;
    if (table && table->isActive() && table->hasField(m_field))
        value = table->fieldValue(m_field).toString();
    if (text() != value)
        setText(value);
    m_dirty = false;
}

void DBEdit::writeField()
{
    Table *table = m_source ? m_source->table() : nullptr;
    if (!m_dirty || !table || !table->isEditing() || !table->hasField(m_field))
        return;
    m_writing = true;
    try {
        table->setFieldValue(m_field, text());
    } catch (...) {
        // Only a read-only field refuses a write; the control stays as typed.
    }
    m_writing = false;
    m_dirty = false;
}

void DBEdit::onDataChanged(const QString &field)
{
    if (m_writing)
        return;
    if (field.isEmpty() || field.compare(m_field, Qt::CaseInsensitive) == 0)
        loadField();
}

void DBEdit::onStateChanged()
{
    Table *table = m_source ? m_source->table() : nullptr;
    const bool active = table && table->isActive();
    setReadOnly(!active || (table->hasField(m_field) && table->isReadOnlyField(m_field)));
    if (!active)
        loadField();
}

DataSource *DBEdit::dataSource() const
{
    return m_source;
}
