#include "library/DataPath.h"

#include "app/Folders.h"
#include "platform/NativePath.h"

namespace DataPath {

bool isInside(const QString &stored)
{
    if (stored.isEmpty())
        return false;
    // Without a leading separator the value would extend the data folder's own
    // name ("...\QuilleryLibraries") and land beside it.
    if (stored.front() != u'\\' && stored.front() != u'/')
        return false;
    return isSafeRelativePath(stored);
}

QString join(const QString &stored)
{
    return isInside(stored) ? DataFolder + stored : QString();
}

QString native(const QString &stored)
{
    return isInside(stored) ? nativePath(DataFolder + stored) : QString();
}

namespace {
QString folderKey(const QString &stored)
{
    QString key = nativePath(stored);
    while (key.size() > 1 && (key.endsWith(u'/') || key.endsWith(u'\\')))
        key.chop(1);
    return key.toCaseFolded();
}
} // namespace

bool sameFolder(const QString &a, const QString &b)
{
    return folderKey(a) == folderKey(b);
}

} // namespace DataPath
