#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// Reads RTF into a QTextDocument. Any byte string gives a document.
class RtfReader
{
public:
    // Replaces the document's content; false when the input is not RTF at
    // all (the document then holds the bytes as plain text).
    static bool read(const QByteArray &rtf, QTextDocument *document);

    // The text a reader of the body sees, paragraphs separated by "\n".
    static QString toPlainText(const QByteArray &rtf);
};
