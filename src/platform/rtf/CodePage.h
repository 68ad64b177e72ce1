#pragma once

#include <QByteArrayView>
#include <QString>

// Windows code pages as RTF files name them (\ansicpg, \cpg, \fcharset),
// decoded through the system's iconv. Unknown or unavailable pages fall back
// to Windows-1252, so every byte string decodes to something readable.
class CodePage
{
public:
    static constexpr int Ansi = 1252;
    static constexpr int Utf8 = 65001;

    // The code page a font's \fcharset selects; 0 when the charset says
    // "use the document's code page" (ANSI, DEFAULT) or is unknown.
    static int fromCharset(int charset);

    // The \fcharset that stands for a code page; 0 (ANSI) when none fits.
    static int charsetFor(int codePage);

    // Decodes bytes; invalid sequences give U+FFFD, never a lost character
    // after them.
    static QString decode(int codePage, QByteArrayView bytes);

    // Whether a code page is a double-byte one (a lead byte takes the next
    // byte with it).
    static bool isDoubleByte(int codePage);
};
