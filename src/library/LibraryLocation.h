#pragma once

#include <QString>

// Where the current library lives, read from the settings file on every call:
// [Libraries] "CurLibNum" (default 1) selects "LibraryPath" + number.
namespace LibraryLocation {

// The stored "LibraryPath" value of the current library ("\Libraries\Library1\"),
// or an empty string when it is absent or would leave the data folder.
QString libraryPath();

// DataFolder + libraryPath(), ending with a backslash; empty when there is no
// usable library path.
QString libraryFolder();

// libraryFolder() + "LibTune.ini"; empty when there is no usable library path.
// An empty path reads as an empty library and refuses every write.
QString cataloguePath();

} // namespace LibraryLocation
