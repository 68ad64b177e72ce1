#pragma once

#include <QString>
#include <QStringList>

// Plain file and folder operations on native paths.
namespace FileOps {

// Names of the plain files lying directly in the folder, in directory order;
// hidden files and subfolders are left out. A missing folder gives an empty list.
QStringList plainFiles(const QString &folder);

// Copies source over target (an existing target is replaced). The copy is
// written beside the target and renamed into place, so a failed copy never
// leaves a half-written target.
bool copyFile(const QString &source, const QString &target);

// Removes a folder only if it is empty.
bool removeEmptyFolder(const QString &folder);

// Creates a folder with all missing parents; true if it exists afterwards.
bool makePath(const QString &folder);

bool fileExists(const QString &path);
bool folderExists(const QString &path);

} // namespace FileOps
