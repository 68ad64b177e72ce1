#pragma once

#include <QStringList>

class QMimeData;
class QTextCursor;
class QTextDocument;

// Rich text on the clipboard: copies offer RTF for word processors, HTML for
// browsers and mail programs, and plain text; pastes take the richest of
// them that is there.
class RichClipboard
{
public:
    // The types RTF travels under; the first is the one we offer.
    static QStringList rtfMimeTypes();

    // The selection of a cursor in the three formats.
    static QMimeData *mimeDataFor(const QTextCursor &selection);

    static bool canInsert(const QMimeData *data);

    // Replaces the cursor's selection with the clipboard's content: RTF
    // first, then HTML, then plain text (only plain text when rich is
    // false). One undo step. False when nothing usable was there.
    static bool insert(const QMimeData *data, QTextCursor &cursor, bool rich = true);

    // Makes the pictures that the text of users shows, as stored in from,
    // available in to.
    static void copyPictures(const QTextDocument *users, const QTextDocument *from, QTextDocument *to);
};
