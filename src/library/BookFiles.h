#pragma once

#include <QString>
#include <QStringList>

// The plain files of a book folder, handled the way the catalogue's folders
// expect on every system: a file without its owner's write permission is
// read-only and is neither replaced nor deleted, even by a user the system
// would let do so. All paths are native.
namespace BookFiles {

// Names of the plain files lying directly in the folder, in directory order:
// no subfolders, no hidden files. A folder that is a symbolic link counts as
// holding nothing, so nothing behind it is ever copied over or deleted.
QStringList plainFiles(const QString &folder);

bool isReadOnly(const QString &file);

// Copies source to target, replacing an existing target unless that is
// read-only. The target is written aside and renamed into place.
bool copyReplacing(const QString &source, const QString &target);

// Deletes the file unless it is read-only.
bool deleteFile(const QString &file);

} // namespace BookFiles
