#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a QTextDocument as compact RTF that WordPad, Word and LibreOffice
// read and that RtfReader turns back into the same document: character
// styles, font, size, colours, alignment, indents, lists (as legacy \pn
// numbering, which every reader knows), line breaks, links, PNG and JPEG
// pictures, tables and all of Unicode.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument *document);
};
