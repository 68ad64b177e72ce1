#pragma once

#include <QString>

// Paths are kept in the stored Windows form ("\Libraries\Library1\") and
// formed by plain concatenation; only where the file system is touched are
// they turned into native paths.

// Backslashes become the native separator and runs of separators collapse.
QString nativePath(const QString &path);

// True when a stored relative value stays inside the folder it is joined to:
// no ".." component, not absolute, no drive letter, no NUL.
bool isSafeRelativePath(const QString &stored);
