#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads RTF into a QTextDocument. Any byte string gives a document, in time
// and memory linear in its length.
class RtfReader
{
public:
    // Replaces the document's content and clears its undo history; false when
    // the input is not RTF at all (the document then holds the bytes as
    // plain text: UTF-8 when they are valid UTF-8, Windows-1252 otherwise).
    static bool read(const QByteArray &rtf, QTextDocument *document);

    // The text a reader of the body sees, paragraphs separated by "\n", as
    // the document read from the same bytes shows it: line breaks are "\n",
    // no-break spaces are spaces, a picture is U+FFFC. A table gives one line
    // per row with its cells separated by tabs.
    static QString toPlainText(const QByteArray &rtf);

    // Whether the bytes start like an RTF file.
    static bool isRtf(const QByteArray &bytes);
};
