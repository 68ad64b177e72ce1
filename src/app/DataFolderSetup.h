#pragma once

#include <QString>

// Everything that happens to the data folder before the main window reads
// it: finding it, moving data an older installation left in the program
// folder, and giving a new user the skeleton that ships in "Setup".
// Folders are passed in stored form and without trailing separator.
namespace DataFolderSetup {

// The per-user application-data folder (created if missing) + "\Quillery".
QString InitDataFolder();

// Copies the plain files lying directly in source into target (both ending
// with a separator), replacing existing files; stops at the first failed
// copy. A missing or empty source is a success.
bool CopyFolderFiles(const QString &source, const QString &target);

// Moves the current library and the settings file out of the program folder,
// once per user: the registry value "Update" marks a move as done. Returns
// false when a copy failed; what was copied stays, and the next start tries
// again.
bool MoveDataFromProgramFolder(const QString &programFolder, const QString &dataFolder);

// Gives the data folder its initial content from programFolder + "\Setup".
// Without a settings file the whole skeleton is copied in and the result is
// true (this is the user's first run). Otherwise only the missing parts of
// the templates tree are restored. No existing file is ever replaced.
bool InstallSkeleton(const QString &programFolder, const QString &dataFolder);

} // namespace DataFolderSetup
