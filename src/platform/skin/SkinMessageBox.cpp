#include "platform/skin/SkinMessageBox.h"

#include "platform/skin/StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace SkinMessageBox {

namespace {

struct ButtonSpec
{
    Button button;
    const char *captionName;
    Result result;
    QMessageBox::ButtonRole role;
};

constexpr ButtonSpec kButtons[] = {
    {Yes, "MSG_BTN_YES", ResultYes, QMessageBox::YesRole},
    {No, "MSG_BTN_NO", ResultNo, QMessageBox::NoRole},
    {OK, "MSG_BTN_OK", ResultOK, QMessageBox::AcceptRole},
    {Cancel, "MSG_BTN_CANCEL", ResultCancel, QMessageBox::RejectRole},
};

QString title(Type type)
{
    // Only confirmations have a title of their own in the string table;
    // the other boxes carry the program's name.
    if (type == Confirmation) {
        const QString caption = StringTable::text(QStringLiteral("MSG_CAP_CONFIRM"));
        if (!caption.isEmpty())
            return caption;
    }
    return QApplication::applicationDisplayName();
}

QMessageBox::Icon icon(Type type)
{
    switch (type) {
    case Warning:
        return QMessageBox::Warning;
    case Error:
        return QMessageBox::Critical;
    case Information:
        return QMessageBox::Information;
    case Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int show(QWidget *parent, Type type, const QString &text, int buttons)
{
    if ((buttons & (Yes | No | OK | Cancel)) == 0)
        buttons = OK;
    QMessageBox box(icon(type), title(type), text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("SkinMessageBox"));
    QHash<QAbstractButton *, int> results;
    int escapeResult = 0;
    for (const ButtonSpec &entry : kButtons) {
        if (!(buttons & entry.button))
            continue;
        QPushButton *b = box.addButton(StringTable::text(QString::fromLatin1(entry.captionName)), entry.role);
        b->setObjectName(QString::fromLatin1(entry.captionName));
        results.insert(b, entry.result);
        if (!escapeResult || entry.button == Cancel || (entry.button == No && escapeResult != ResultCancel)) {
            escapeResult = entry.result;
            box.setEscapeButton(b);
        }
    }
    box.exec();
    const auto it = results.constFind(box.clickedButton());
    return it != results.constEnd() ? *it : escapeResult;
}

} // namespace SkinMessageBox
