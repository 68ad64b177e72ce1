#include "app/DataFolderSetup.h"

#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "platform/Registry.h"
#include "settings/Profile.h"

#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataFolderSetup {

namespace {

const QString kRegistryKey = QStringLiteral("\\Software\\Quillery");
const QString kMarker = QStringLiteral("Update");

bool ensureFolder(const QString &stored)
{
    return FileOps::makePath(nativePath(stored));
}

// Copies the tree below source into target, creating folders, never
// replacing a file that exists.
void copyTreeKeepingExisting(const QString &source, const QString &target)
{
    const QDir root(source);
    if (!root.exists())
        return;
    FileOps::makePath(target);
    QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString destination = target + QLatin1Char('/') + root.relativeFilePath(info.filePath());
        if (info.isDir())
            FileOps::makePath(destination);
        else if (!QFileInfo::exists(destination))
            FileOps::copyFile(info.filePath(), destination);
    }
}

bool CopyLibraryFromProgramFolder(const QString &programFolder, const QString &dataFolder)
{
    const Profile oldSettings(programFolder + QStringLiteral("\\Tune.ini"));
    const int libNum = oldSettings.readInteger(QStringLiteral("Libraries"), QStringLiteral("CurLibNum"), 1);
    const QString libPath =
        oldSettings.readString(QStringLiteral("Libraries"), numbered(QStringLiteral("LibraryPath"), libNum), {});
    // No library entry, or one that would lead out of the folders: nothing to copy.
    if (libPath.isEmpty() || !isSafeRelativePath(libPath))
        return true;

    if (!ensureFolder(dataFolder + libPath) || !CopyFolderFiles(programFolder + libPath, dataFolder + libPath))
        return false;

    const Profile catalogue(programFolder + libPath + QStringLiteral("LibTune.ini"));
    const int count = catalogue.readInteger(QStringLiteral("Collections"), QStringLiteral("Count"), 0);
    for (int i = 1; i <= count; ++i) {
        const QString section = numbered(QStringLiteral("Collection"), i);
        const int books = catalogue.readInteger(section, QStringLiteral("BooksCount"), 0);
        for (int j = 1; j <= books; ++j) {
            const QString bookDir = catalogue.readString(section, numbered(QStringLiteral("BookDir"), j), {});
            if (bookDir.isEmpty() || !isSafeRelativePath(bookDir))
                continue;
            for (const QString &rel : {bookDir, bookDir + QStringLiteral("Date\\"), bookDir + QStringLiteral("BackUp\\")}) {
                if (!ensureFolder(dataFolder + rel) || !CopyFolderFiles(programFolder + rel, dataFolder + rel))
                    return false;
            }
        }
    }
    return true;
}

} // namespace

QString InitDataFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    FileOps::makePath(base);
    return base + QStringLiteral("\\Quillery");
}

bool CopyFolderFiles(const QString &source, const QString &target)
{
    const QString from = nativePath(source);
    const QStringList names = FileOps::plainFiles(from);
    for (const QString &name : names) {
        if (!FileOps::fileExists(nativePath(source + name)))
            continue;
        if (!FileOps::copyFile(nativePath(source + name), nativePath(target + name)))
            return false;
    }
    return true;
}

bool MoveDataFromProgramFolder(const QString &programFolder, const QString &dataFolder)
{
    Registry key(kRegistryKey);
    if (key.valueExists(kMarker))
        return true;
    const QString oldSettings = programFolder + QStringLiteral("\\Tune.ini");
    if (!FileOps::fileExists(nativePath(oldSettings)))
        return true;

    if (!CopyLibraryFromProgramFolder(programFolder, dataFolder))
        return false;

    // The old settings file is removed only once its copy is in place; a
    // failed copy is a failed move, so the next start tries again instead
    // of going on without the user's settings.
    if (!ensureFolder(dataFolder)
        || !FileOps::copyFile(nativePath(oldSettings), nativePath(dataFolder + QStringLiteral("\\Tune.ini"))))
        return false;
    QFile::remove(nativePath(oldSettings));

    try {
        key.writeString(kMarker, kMarker);
    } catch (...) {
        // Without the marker the next start looks again and finds nothing to move.
    }
    return true;
}

bool InstallSkeleton(const QString &programFolder, const QString &dataFolder)
{
    const QString setup = nativePath(programFolder + QStringLiteral("\\Setup"));
    const QString data = nativePath(dataFolder);
    const bool firstStart = !FileOps::fileExists(nativePath(dataFolder + QStringLiteral("\\Tune.ini")));
    if (firstStart) {
        copyTreeKeepingExisting(setup, data);
    } else {
        const QString templates = QStringLiteral("/Libraries/Templates");
        copyTreeKeepingExisting(setup + templates, data + templates);
    }
    return firstStart;
}

} // namespace DataFolderSetup
