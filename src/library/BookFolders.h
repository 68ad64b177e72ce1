#pragma once

#include "library/FolderRunCounters.h"

#include <QString>
#include <optional>

// Collection and book folders on disk. Paths are in stored form, relative to
// the data folder ("\Libraries\Library1\Collection2\Book3"), except where a
// function says it takes an absolute folder. Folders that cannot be removed
// are queued for the next start (DeletionQueue); nothing here is reported to
// the user.
//
// Every stored path is checked before use: a value that would leave the data
// folder is refused and nothing is touched. Operations that delete files also
// refuse anything that is not a book folder ("Book" + number, outside the
// templates tree), so a damaged "BookDir" can never empty a library or the
// data folder.
namespace BookFolders {

// How a book folder's name is found after a collision: new books continue the
// run counter, a book moved in by the organizer counts from 1 again.
enum class Naming { NewBook, MovedBook };

struct Created {
    enum class Status { Created, FolderFailed, SubfoldersFailed, TemplateFailed };
    Status status = Status::FolderFailed;
    QString path;  // relative book path without trailing backslash, when created
    bool ok() const { return status == Status::Created; }
};

// Creates "Collection" + N in the library folder (libraryPath ends with a
// backslash), proposing N = count + 1; after a collision the run counter
// names the candidates. Returns the new "Dir" value, ending with a backslash.
std::optional<QString> createCollectionFolder(const QString &libraryPath, int count,
                                              FolderRunCounters &counters = runCounters());

// Creates "Book" + number in the collection folder (collectionDir ends with a
// backslash) with its "BackUp" and "Date" subfolders. When a subfolder fails,
// what was made is removed and the rest queued: for a new book all three
// folders are tried (a missing one is queued too), for a moved book only those
// that exist.
Created createBookFolder(const QString &collectionDir, int proposed, Naming naming,
                         FolderRunCounters &counters = runCounters());

// Copies the template's files into an absolute folder ending with a
// separator (refreshing the catalogue's backup copy first). An empty template
// is a failure.
bool fillFromTemplate(const QString &destination);

// A new book's folder, ready to open: created as above with the new-book rule
// and filled from the template. When the fill fails, the partly filled folder
// is emptied and removed as far as possible (TemplateFailed).
Created createNewBookFolder(const QString &collectionDir, int proposed,
                            FolderRunCounters &counters = runCounters());

// Deletes the plain files of the book folder's "BackUp", "Date" and the folder
// itself, then removes each of them, queuing those that cannot be removed
// (a read-only file stays). True when all three are gone.
bool deleteBookFolder(const QString &bookDir);

// Moves the plain files of "BackUp", "Date" and the folder itself from the old
// "BookDir" to the new book path and removes the emptied old folders (queued
// when that fails). Stops at the first file that cannot be copied: that file
// and the rest stay where they are, and the result is false.
bool moveBookFiles(const QString &oldBookDir, const QString &newBookPath);

// Removes a book folder that holds no files of its own ("BackUp", "Date", the
// folder), queuing what cannot be removed; used to drop folders made for
// books that were never committed. With queueMissing, folders that do not
// exist are queued as well.
void removeBookFolder(const QString &bookPath, bool queueMissing);

} // namespace BookFolders
