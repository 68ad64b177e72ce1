#include "library/BookFiles.h"

#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>

namespace BookFiles {

QStringList plainFiles(const QString &folder)
{
    if (QFileInfo(folder).isSymLink())
        return {};
    return FileOps::plainFiles(folder);
}

bool isReadOnly(const QString &file)
{
    const QFileInfo info(file);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

bool copyReplacing(const QString &source, const QString &target)
{
    if (isReadOnly(target))
        return false;
    return FileOps::copyFile(source, target);
}

bool deleteFile(const QString &file)
{
    if (isReadOnly(file))
        return false;
    return QFile::remove(file);
}

} // namespace BookFiles
