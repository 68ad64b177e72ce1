#pragma once

#include <QString>

// What BookCopy copies: the source and target folders follow from the kind.
enum class BookCopyKind {
    // The template's files ("\Libraries\Templates\") into a new book folder.
    TemplateFill,
};

// Copies the plain files lying directly in the kind's source folder into its
// target folder, replacing files of the same name (a read-only target is not
// replaced). Before copying, the current library's catalogue is saved as
// "BackUpLibTune.ini" beside it; that copy's failure is ignored. The first
// file that cannot be copied ends the run with false; files copied before it
// stay. A source folder without files is a failure.
//
// targetFolder is the absolute folder, ending with a separator, that a
// template fill writes to. SuppressNewRecordStamps is set for the whole run
// and cleared on every way out.
bool BookCopy(BookCopyKind kind, const QString &targetFolder);
