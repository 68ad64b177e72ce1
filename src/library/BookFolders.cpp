#include "library/BookFolders.h"

#include "app/Folders.h"
#include "library/BookFiles.h"
#include "library/DataPath.h"
#include "library/DeletionQueue.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "tools/BookCopy.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace BookFolders {

namespace {

const QString kBackUp = QStringLiteral("BackUp");
const QString kDate = QStringLiteral("Date");

bool endsWithSeparator(const QString &path)
{
    return path.endsWith(u'\\') || path.endsWith(u'/');
}

QString withSeparator(const QString &path)
{
    return endsWithSeparator(path) ? path : path + u'\\';
}

QString withoutSeparator(QString path)
{
    while (endsWithSeparator(path))
        path.chop(1);
    return path;
}

// Any entry of that name blocks it: a file would make the folder's creation fail.
bool nameTaken(const QString &relative)
{
    const QFileInfo info(DataPath::native(relative));
    return info.exists() || info.isSymLink();
}

// A folder whose files may be deleted or replaced: a book folder as the naming
// rule makes them, not the placeholder or help book of the templates tree.
bool isBookFolder(const QString &bookDir)
{
    if (!DataPath::isInside(bookDir))
        return false;
    const QString unified = withoutSeparator(QString(bookDir).replace(u'/', u'\\'));
    static const QRegularExpression bookName(QStringLiteral("\\\\Book[0-9]+$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (!bookName.match(unified).hasMatch())
        return false;
    static const QRegularExpression templates(QStringLiteral("^\\\\+Libraries\\\\+Templates\\\\"),
                                              QRegularExpression::CaseInsensitiveOption);
    return !templates.match(unified).hasMatch();
}

// Candidate stem + proposed; after a collision, stem + the counter's next values.
QString findFreeName(const QString &stem, int proposed, int &counter)
{
    QString candidate = stem + QString::number(proposed);
    while (nameTaken(candidate))
        candidate = stem + QString::number(++counter);
    return candidate;
}

bool removeFolder(const QString &relative)
{
    return FileOps::removeEmptyFolder(DataPath::native(relative));
}

bool folderExists(const QString &relative)
{
    return FileOps::folderExists(DataPath::native(relative));
}

// Deletes the deletable plain files lying directly in the folder.
void deletePlainFiles(const QString &folder)
{
    for (const QString &name : BookFiles::plainFiles(folder))
        BookFiles::deleteFile(folder + u'/' + name);
}

} // namespace

std::optional<QString> createCollectionFolder(const QString &libraryPath, int count, FolderRunCounters &counters)
{
    if (!DataPath::isInside(libraryPath) || !endsWithSeparator(libraryPath))
        return std::nullopt;
    const QString candidate =
        findFreeName(libraryPath + QStringLiteral("Collection"), std::max(count, 0) + 1, counters.collections);
    if (!FileOps::makePath(DataPath::native(candidate)))
        return std::nullopt;
    return candidate + u'\\';
}

void removeBookFolder(const QString &bookPath, bool queueMissing)
{
    if (!DataPath::isInside(bookPath))
        return;
    const QString book = withoutSeparator(bookPath);
    for (const QString &folder : {book + u'\\' + kBackUp, book + u'\\' + kDate, book}) {
        if (!queueMissing && !folderExists(folder))
            continue;
        if (!removeFolder(folder))
            DeletionQueue::queue(folder);
    }
}

Created createBookFolder(const QString &collectionDir, int proposed, Naming naming, FolderRunCounters &counters)
{
    if (!DataPath::isInside(collectionDir) || !endsWithSeparator(collectionDir))
        return {};
    int localCounter = 0;
    int &counter = naming == Naming::NewBook ? counters.books : localCounter;
    const QString book = findFreeName(collectionDir + QStringLiteral("Book"), proposed, counter);
    if (!FileOps::makePath(DataPath::native(book)))
        return {};

    const bool subfolders = FileOps::makePath(DataPath::native(book + u'\\' + kBackUp))
                            && FileOps::makePath(DataPath::native(book + u'\\' + kDate));
    if (!subfolders) {
        removeBookFolder(book, naming == Naming::NewBook);
        return {Created::Status::SubfoldersFailed, {}};
    }
    return {Created::Status::Created, book};
}

bool fillFromTemplate(const QString &destination)
{
    return BookCopy(BookCopyKind::TemplateFill, destination);
}

Created createNewBookFolder(const QString &collectionDir, int proposed, FolderRunCounters &counters)
{
    const Created created = createBookFolder(collectionDir, proposed, Naming::NewBook, counters);
    if (!created.ok())
        return created;
    if (fillFromTemplate(DataFolder + created.path + u'\\'))
        return created;
    // The folder is ours alone: what the failed fill left in it goes, and the
    // folders with it, so nothing stays behind that no catalogue names.
    deletePlainFiles(DataPath::native(created.path));
    removeBookFolder(created.path, true);
    return {Created::Status::TemplateFailed, {}};
}

bool deleteBookFolder(const QString &bookDir)
{
    if (!isBookFolder(bookDir))
        return false;
    const QString book = withSeparator(bookDir);
    bool allGone = true;
    for (const QString &folder : {book + kBackUp, book + kDate, book}) {
        if (!folderExists(folder))
            continue;
        deletePlainFiles(DataPath::native(folder));
        if (!removeFolder(folder)) {
            DeletionQueue::queue(folder);
            allGone = false;
        }
    }
    return allGone;
}

bool moveBookFiles(const QString &oldBookDir, const QString &newBookPath)
{
    if (!isBookFolder(oldBookDir) || !isBookFolder(newBookPath)
        || DataPath::sameFolder(oldBookDir, newBookPath))
        return false;
    const QString oldBook = withSeparator(oldBookDir);
    const QString newBook = withSeparator(newBookPath);
    for (const QString &part : {kBackUp + u'\\', kDate + u'\\', QString()}) {
        const QString from = DataPath::native(oldBook + part);
        const QString to = DataPath::native(newBook + part);
        for (const QString &name : BookFiles::plainFiles(from)) {
            if (!BookFiles::copyReplacing(from + u'/' + name, to + u'/' + name))
                return false;
            // A source that cannot be deleted keeps its folder, which is then queued.
            BookFiles::deleteFile(from + u'/' + name);
        }
        if (folderExists(oldBook + part) && !removeFolder(oldBook + part))
            DeletionQueue::queue(oldBook + part);
    }
    return true;
}

} // namespace BookFolders
