#include "help/ErrorOffer.h"

#include "help/ErrorReport.h"
#include "platform/skin/SkinMessageBox.h"
#include "settings/Language.h"

bool offerErrorReport(QWidget *parent, int number)
{
    const QString text = LanguageFile().text(QStringLiteral("Messages"), QStringLiteral("Error"));
    const int answer = SkinMessageBox::show(parent, SkinMessageBox::Error, text, SkinMessageBox::OK | SkinMessageBox::No);
    if (answer != SkinMessageBox::ResultOK)
        return false;
    ErrorReport::send(number);
    return true;
}
