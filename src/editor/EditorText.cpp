#include "editor/EditorText.h"

#include "platform/rtf/RichEdit.h"

#include <QScrollBar>
#include <QTextCursor>

namespace EditorText {

QString caretPosition(const RichEdit *editor)
{
    return QString::number(editor->caretLine() + 1) + u':' + QString::number(editor->caretColumn() + 1);
}

QString selectionLength(const QString &prefix, int length)
{
    return prefix + u' ' + QString::number(length);
}

void clearFormat(RichEdit *editor)
{
    editor->setFocus();
    for (FontStyle style : {FontStyle::Bold, FontStyle::Italic, FontStyle::Underline, FontStyle::StrikeOut})
        editor->setSelectionStyle(style, false);
    editor->setParagraphBullets(false);
    editor->setParagraphAlignment(Qt::AlignLeft);
}

void replaceSelection(RichEdit *editor, const QString &text)
{
    QTextCursor cursor = editor->textCursor();
    // The format of the first replaced character, so a replacement inside a
    // bold word stays bold.
    QTextCursor first(editor->document());
    first.setPosition(cursor.selectionStart() + (cursor.hasSelection() ? 1 : 0));
    const QTextCharFormat format = first.charFormat();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertText(text, format);
    cursor.endEditBlock();
    editor->setTextCursor(cursor);
}

void scrollLineToTop(RichEdit *editor, int line)
{
    editor->scrollLines(line - editor->firstVisibleLine());
    // Lines of different heights can leave one step short.
    if (editor->firstVisibleLine() != line)
        editor->scrollLines(line - editor->firstVisibleLine());
}

void scrollToTop(RichEdit *editor)
{
    editor->verticalScrollBar()->setValue(0);
}

} // namespace EditorText
