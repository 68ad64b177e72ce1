#include "settings/Messages.h"

#include "platform/skin/SkinMessageBox.h"
#include "settings/Language.h"

namespace Messages {

QString text(const QString &key)
{
    // Read and released before the box opens: nothing stays open while the
    // user thinks.
    return LanguageFile().text(QStringLiteral("Messages"), key);
}

void helpModeNotice(QWidget *parent)
{
    SkinMessageBox::show(parent, SkinMessageBox::Information, text(QStringLiteral("HelpMode")), SkinMessageBox::Yes);
}

bool ask(QWidget *parent, const QString &key)
{
    return SkinMessageBox::show(parent, SkinMessageBox::Confirmation, text(key),
                                SkinMessageBox::OK | SkinMessageBox::Cancel)
           == SkinMessageBox::ResultOK;
}

} // namespace Messages
