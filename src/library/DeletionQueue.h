#pragma once

#include <QString>

// Folders that could not be removed when their book or collection went away
// are listed in the settings file, section "DelDirOnStart" ("Count", "Dir" +
// number, paths relative to the data folder), and removed at the next start.
namespace DeletionQueue {

// Appends the folder to the list and flushes the settings file. A path that
// would leave the data folder, or one too long to be read back whole, is not
// queued (false).
bool queue(const QString &relativeFolder);

// Removes the folder if it is empty; otherwise, or when it cannot be removed,
// queues it. A folder that does not exist needs nothing. False when the path
// would leave the data folder.
bool removeOrQueue(const QString &relativeFolder);

// The start-up pass: tries to remove each listed folder (only an empty one
// goes; a failure is ignored) and empties the list. It never deletes a file
// and never touches a listed path that would leave the data folder.
void runStartupPass();

} // namespace DeletionQueue
