#pragma once

#include <QString>

// Stored paths (library, collection and book folders, queued folders) are
// relative to the data folder and joined to it by plain concatenation. A value
// that could lead anywhere else is damaged input: it is never joined.
namespace DataPath {

// True when the stored value may be joined to the data folder: it begins with
// a backslash (or slash), has no ".." component, no drive letter and is not a
// network or absolute path of its own.
bool isInside(const QString &stored);

// DataFolder + stored in stored form, or an empty string when the value is
// empty or would leave the data folder.
QString join(const QString &stored);

// The native form of join(); empty in the same cases.
QString native(const QString &stored);

// Two stored folder values name the same folder: separators unified, trailing
// separators dropped, compared without regard to case (the catalogue must stay
// valid on case-insensitive file systems).
bool sameFolder(const QString &a, const QString &b);

} // namespace DataPath
