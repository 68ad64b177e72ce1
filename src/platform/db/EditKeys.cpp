#include "platform/db/EditKeys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace EditKeys {

bool changesText(const QKeyEvent *event)
{
    static const QKeySequence::StandardKey editing[] = {
        QKeySequence::Paste,          QKeySequence::Cut,           QKeySequence::Undo,
        QKeySequence::Redo,           QKeySequence::Delete,        QKeySequence::Backspace,
        QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine, QKeySequence::InsertParagraphSeparator, QKeySequence::InsertLineSeparator,
    };
    for (QKeySequence::StandardKey key : editing) {
        if (event->matches(key))
            return true;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    // Printable text without Ctrl or Alt is typed into the control.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && (text.at(0).isPrint() || text.at(0) == u'\t');
}

} // namespace EditKeys
