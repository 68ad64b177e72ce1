#include "library/DeletionQueue.h"

#include "library/DataPath.h"
#include "platform/AppError.h"
#include "platform/FileOps.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace DeletionQueue {

namespace {
const QString kSection = QStringLiteral("DelDirOnStart");
const QString kCount = QStringLiteral("Count");
const QString kPrefix = QStringLiteral("Dir");
} // namespace

bool queue(const QString &relativeFolder)
{
    // A longer value would be read back cut short and name another folder.
    if (!DataPath::isInside(relativeFolder) || relativeFolder.size() > IniFile::MaxReadLength)
        return false;
    Profile settings(Settings::path());
    settings.appendToList(kSection, kPrefix, relativeFolder);
    settings.flush();
    return true;
}

bool removeOrQueue(const QString &relativeFolder)
{
    const QString folder = DataPath::native(relativeFolder);
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (FileOps::removeEmptyFolder(folder))
        return true;
    return queue(relativeFolder);
}

void runStartupPass()
{
    Profile settings(Settings::path());
    const int count = settings.readInteger(kSection, kCount, 0);
    // Walk the keys the file holds rather than 1..Count, so a damaged count
    // cannot keep start-up busy.
    static const QRegularExpression dirKey(QStringLiteral("^Dir([1-9][0-9]*)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    for (const QString &key : settings.file().keyNames(kSection)) {
        const QRegularExpressionMatch match = dirKey.match(key);
        if (!match.hasMatch())
            continue;
        bool ok = false;
        const int k = match.captured(1).toInt(&ok);
        if (!ok || k > count)
            continue;
        const QString folder = DataPath::native(settings.readString(kSection, key, QString()));
        if (!folder.isEmpty())
            FileOps::removeEmptyFolder(folder);
        settings.deleteKey(kSection, key);
    }
    settings.writeInteger(kSection, kCount, 0);
    try {
        settings.flush();
    } catch (const AppError &) {
        // The pass reports nothing; an unwritable settings file keeps the list
        // and the next start tries again.
    }
}

} // namespace DeletionQueue

