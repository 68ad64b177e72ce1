#pragma once

#include <QKeySequence>
#include <QString>

class QWidget;

// The standard edit actions of the body editor and its toolbar. The first
// six also work on a one-line edit (the caption box); the rest only on the
// body editor.
enum class EditAction {
    Copy, Paste, Cut, Delete, SelectAll, Undo,
    AlignLeft, AlignRight, AlignCenter, Bullets,
    Bold, Italic, StrikeOut, Underline,
};

namespace EditActions {

constexpr int Count = 14;

// The action's object name ("EditCopy1", "RichEditBold1") and its key.
QString name(EditAction action);
QKeyCombination shortcutKey(EditAction action);

bool worksOnBodyOnly(EditAction action);

// Whether the action can do anything on `target` now (copy needs a
// selection, undo something to undo, ...). A key whose action cannot act
// goes on to the control as a normal key.
bool canRun(EditAction action, QWidget *target);
// Runs the action on `target` (a RichEdit or a QLineEdit); does nothing
// for an action the target does not take.
void run(EditAction action, QWidget *target);

} // namespace EditActions
