#pragma once

#include <QString>

// The two folders every part of the program joins its stored paths to. Both
// are kept without a trailing separator for DataFolder and with one for
// BookFolder, as the stored values expect.
extern QString DataFolder;  // fixed while the main window is constructed
extern QString BookFolder;  // the current book; changes when another book opens

// The folder of the running executable, without trailing separator.
QString programFolder();
