#include "editor/EditAction.h"

#include "platform/rtf/RichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

namespace EditActions {

namespace {

struct Entry
{
    EditAction action;
    const char *name;
    QKeyCombination key;
};

constexpr Entry kEntries[Count] = {
    {EditAction::Copy, "EditCopy1", Qt::CTRL | Qt::Key_C},
    {EditAction::Paste, "EditPaste1", Qt::CTRL | Qt::Key_V},
    {EditAction::Cut, "EditCut1", Qt::CTRL | Qt::Key_X},
    {EditAction::Delete, "EditDelete1", QKeyCombination(Qt::Key_Delete)},
    {EditAction::SelectAll, "EditSelectAll1", Qt::CTRL | Qt::Key_A},
    {EditAction::Undo, "EditUndo1", Qt::CTRL | Qt::Key_Z},
    {EditAction::AlignLeft, "RichEditAlignLeft1", Qt::CTRL | Qt::Key_L},
    {EditAction::AlignRight, "RichEditAlignRight1", Qt::CTRL | Qt::Key_R},
    {EditAction::AlignCenter, "RichEditAlignCenter1", Qt::CTRL | Qt::Key_E},
    {EditAction::Bullets, "RichEditBullets1", Qt::CTRL | Qt::Key_D},
    {EditAction::Bold, "RichEditBold1", Qt::CTRL | Qt::Key_B},
    {EditAction::Italic, "RichEditItalic1", Qt::CTRL | Qt::Key_I},
    {EditAction::StrikeOut, "RichEditStrikeOut1", Qt::CTRL | Qt::Key_S},
    {EditAction::Underline, "RichEditUnderline1", Qt::CTRL | Qt::Key_U},
};

const Entry &entry(EditAction action)
{
    return kEntries[int(action)];
}

bool clipboardHasText()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && (data->hasText() || data->hasHtml() || data->hasFormat(QStringLiteral("text/rtf")));
}

FontStyle styleOf(EditAction action)
{
    switch (action) {
    case EditAction::Bold: return FontStyle::Bold;
    case EditAction::Italic: return FontStyle::Italic;
    case EditAction::StrikeOut: return FontStyle::StrikeOut;
    default: return FontStyle::Underline;
    }
}

bool canRunOnLine(EditAction action, const QLineEdit *line)
{
    switch (action) {
    case EditAction::Copy: return line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
    case EditAction::Cut:
    case EditAction::Delete: return line->hasSelectedText() && !line->isReadOnly();
    case EditAction::Paste: return !line->isReadOnly() && clipboardHasText();
    case EditAction::SelectAll: return !line->text().isEmpty();
    case EditAction::Undo: return line->isUndoAvailable();
    default: return false;
    }
}

bool canRunOnRich(EditAction action, const RichEdit *edit)
{
    const bool selected = edit->textCursor().hasSelection();
    switch (action) {
    case EditAction::Copy: return selected;
    case EditAction::Cut:
    case EditAction::Delete: return selected && !edit->isReadOnly();
    case EditAction::Paste: return !edit->isReadOnly() && edit->canPaste();
    case EditAction::SelectAll: return !edit->document()->isEmpty();
    case EditAction::Undo: return edit->document()->isUndoAvailable();
    default: return !edit->isReadOnly();
    }
}

} // namespace

QString name(EditAction action)
{
    return QString::fromLatin1(entry(action).name);
}

QKeyCombination shortcutKey(EditAction action)
{
    return entry(action).key;
}

bool worksOnBodyOnly(EditAction action)
{
    return int(action) >= int(EditAction::AlignLeft);
}

bool canRun(EditAction action, QWidget *target)
{
    if (auto *rich = qobject_cast<RichEdit *>(target))
        return rich->isEnabled() && canRunOnRich(action, rich);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        return line->isEnabled() && canRunOnLine(action, line);
    return false;
}

void run(EditAction action, QWidget *target)
{
    if (auto *line = qobject_cast<QLineEdit *>(target)) {
        switch (action) {
        case EditAction::Copy: line->copy(); break;
        case EditAction::Paste: line->paste(); break;
        case EditAction::Cut: line->cut(); break;
        case EditAction::Delete: line->del(); break;
        case EditAction::SelectAll: line->selectAll(); break;
        case EditAction::Undo: line->undo(); break;
        default: break;
        }
        return;
    }
    auto *edit = qobject_cast<RichEdit *>(target);
    if (!edit)
        return;
    switch (action) {
    case EditAction::Copy: edit->copy(); break;
    case EditAction::Paste: edit->paste(); break;
    case EditAction::Cut: edit->cut(); break;
    case EditAction::Delete: {
        QTextCursor cursor = edit->textCursor();
        cursor.removeSelectedText();
        edit->setTextCursor(cursor);
        break;
    }
    case EditAction::SelectAll: edit->selectAll(); break;
    case EditAction::Undo: edit->undo(); break;
    case EditAction::AlignLeft: edit->setParagraphAlignment(Qt::AlignLeft); break;
    case EditAction::AlignRight: edit->setParagraphAlignment(Qt::AlignRight); break;
    case EditAction::AlignCenter: edit->setParagraphAlignment(Qt::AlignHCenter); break;
    case EditAction::Bullets: edit->toggleBullets(); break;
    default: edit->toggleSelectionStyle(styleOf(action)); break;
    }
}

} // namespace EditActions
