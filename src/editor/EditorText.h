#pragma once

#include <QString>

class RichEdit;

// What the body editor's commands do beyond the standard actions.
namespace EditorText {

// "line:column" of the caret, both counted from 1.
QString caretPosition(const RichEdit *editor);
// The selection text of the editing status line: prefix, a space, count.
QString selectionLength(const QString &prefix, int length);

// Plain, unbulleted and left-aligned; font name, size and colour stay.
void clearFormat(RichEdit *editor);

// Replaces the selection by `text`, which takes the character format of
// the text it replaces; the caret ends after the inserted text.
void replaceSelection(RichEdit *editor, const QString &text);

// Scrolls so that `line` is the top line, as far as the text allows.
void scrollLineToTop(RichEdit *editor, int line);
void scrollToTop(RichEdit *editor);

} // namespace EditorText
