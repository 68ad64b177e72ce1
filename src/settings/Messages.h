#pragma once

#include <QString>

class QWidget;

// The recurring message boxes, each showing a text of the language file's
// "Messages" section.
namespace Messages {

QString text(const QString &key);

// Help mode refuses a command that would change data: information with one
// Yes button, text "HelpMode".
void helpModeNotice(QWidget *parent);

// A question: confirmation with OK and Cancel; true when the user chose OK.
bool ask(QWidget *parent, const QString &key);

} // namespace Messages
