#include "tools/BookCopy.h"

#include "app/BookFlags.h"
#include "app/Folders.h"
#include "library/BookFiles.h"
#include "library/LibraryLocation.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"

namespace {

// Holds SuppressNewRecordStamps for one run, whichever way the run ends.
class SuppressStamps
{
public:
    SuppressStamps() { SuppressNewRecordStamps = true; }
    ~SuppressStamps() { SuppressNewRecordStamps = false; }
    SuppressStamps(const SuppressStamps &) = delete;
    SuppressStamps &operator=(const SuppressStamps &) = delete;
};

struct CopyFolders {
    QString source;  // stored form, ending with a separator
    QString target;
};

CopyFolders foldersFor(BookCopyKind kind, const QString &targetFolder)
{
    switch (kind) {
    case BookCopyKind::TemplateFill:
        return {DataFolder + QStringLiteral("\\Libraries\\Templates\\"), targetFolder};
    }
    return {};
}

// The catalogue as it was before the copy, kept beside it.
void saveCatalogueCopy()
{
    const QString folder = LibraryLocation::libraryFolder();
    if (folder.isEmpty())
        return;
    FileOps::copyFile(nativePath(folder + QStringLiteral("LibTune.ini")),
                      nativePath(folder + QStringLiteral("BackUpLibTune.ini")));
}

bool copyPlainFiles(const QString &sourceFolder, const QString &targetFolder)
{
    const QString source = nativePath(sourceFolder);
    const QString target = nativePath(targetFolder);
    const QStringList names = BookFiles::plainFiles(source);
    if (names.isEmpty())
        return false;
    for (const QString &name : names) {
        if (!BookFiles::copyReplacing(source + u'/' + name, target + u'/' + name))
            return false;
    }
    return true;
}

} // namespace

bool BookCopy(BookCopyKind kind, const QString &targetFolder)
{
    saveCatalogueCopy();
    const SuppressStamps suppress;
    // Backup and restore show the "BackUp" caption in the main window's title
    // while they copy, and a backup reopens the book and stamps its date after
    // the last file; a template fill does neither.
    const CopyFolders folders = foldersFor(kind, targetFolder);
    if (folders.source.isEmpty() || folders.target.isEmpty())
        return false;
    return copyPlainFiles(folders.source, folders.target);
}
