#pragma once

#include <QString>

class QWidget;

// The program's message box: a type, a text and any set of the four
// buttons; it returns the button pressed. Button captions and the
// confirmation title come from the string table.
namespace SkinMessageBox {

enum Type { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };
enum Button { Yes = 0x1, No = 0x2, OK = 0x4, Cancel = 0x8 };
enum Result { ResultOK = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

// Shows the box modally over parent. Closing the box without a button
// counts as Cancel when the box has one, else as No, else as the only
// button there is.
int show(QWidget *parent, Type type, const QString &text, int buttons);

} // namespace SkinMessageBox
