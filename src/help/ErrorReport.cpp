#include "help/ErrorReport.h"

#include "help/SystemFacts.h"
#include "settings/Language.h"

#include <QDesktopServices>

std::function<void(const QUrl &)> ErrorReport::linkOpener;

namespace {

const QChar VT(11);

// Texts of the drive-type numbers; each ends its line itself, and a number
// without a text leaves the line out altogether.
QString driveTypeLine(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("The drive type cannot be determined") + VT;
    case 1:
        return QStringLiteral("The root directory does not exist") + VT;
    case 2:
        return QStringLiteral("REMOVABLE") + VT;
    case 3:
        return QStringLiteral("FIXED") + VT;
    case 4:
        return QStringLiteral("REMOTE") + VT;
    case 5:
        return QStringLiteral("CD-ROM") + VT;
    case 6:
        return QStringLiteral("RAM DISK") + VT;
    }
    return {};
}

} // namespace

QString ErrorReport::composeText(int number, const SystemFacts &facts, const QString &additional)
{
    QString text;
    text += QStringLiteral("[Bug]") + VT + QStringLiteral("Number=") + QString::number(number) + VT;
    text += QStringLiteral("[Version]") + VT + QStringLiteral("VerNum=0");
    text += VT + QStringLiteral("[ParamStr]") + VT + QStringLiteral("Len=") + QString::number(facts.programPathLength);
    text += VT + QStringLiteral("[Drive]") + VT + QStringLiteral("Type=") + driveTypeLine(facts.driveType);
    text += QStringLiteral("[System]") + VT + QStringLiteral("OS=") + facts.osNames;
    text += VT + QStringLiteral("CSDVersion=") + facts.csdVersion + VT;
    text += QStringLiteral("Memory load=") + QString::number(facts.memoryLoadPercent);
    text += VT + QStringLiteral("Memory total=") + QString::number(facts.memoryTotalBytes / 1024);
    text += VT + QStringLiteral("Memory available=") + QString::number(facts.memoryAvailableBytes / 1024);
    text += VT;
    text += VT;
    text += additional;
    return text;
}

QUrl ErrorReport::mailLink(const QString &subject, const QString &body)
{
    const QByteArray link = QByteArrayLiteral("mailto:") + SupportAddress + QByteArrayLiteral("?subject=")
                            + QUrl::toPercentEncoding(subject) + QByteArrayLiteral("&body=")
                            + QUrl::toPercentEncoding(body);
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

void ErrorReport::send(int number)
{
    QString subject;
    QString additional;
    {
        const LanguageFile language;
        subject = language.text(QStringLiteral("Messages"), QStringLiteral("Bug Report"));
        additional = language.text(QStringLiteral("Messages"), QStringLiteral("BugReportAdditional"));
    }
    const QUrl link = mailLink(subject, composeText(number, SystemFacts::current(), additional));
    if (linkOpener) {
        linkOpener(link);
        return;
    }
    // Without a mail program there is nothing useful to say; the user has
    // already seen the error itself.
    QDesktopServices::openUrl(link);
}
