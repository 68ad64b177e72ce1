#pragma once

#include <QString>

// The caption order of the record list: case-insensitive for all of Unicode.
//
// A caption is compared by its simple Unicode case folding ("Ёлка", "ЁЛКА"
// and "ёлка" are equal; "É" equals "é"), code point by code point. The order
// does not depend on the system's locale, so a book lists the same way on
// every machine, and captions that begin with the same text (ignoring case)
// always stand together, which lets locate find the first of them by binary
// search. Equal captions are ordered by their key (Inc) by the caller.
//
// SQLite's NOCASE folds only A–Z, so the order is kept in memory; the stored
// index CAPTION_FIELD (NOCASE) gives an almost sorted start for it.
//
// Folding A–Z costs nothing at compare time, so it is done there: only a
// caption whose folding changes something beyond ASCII needs a folded copy
// (foldBeyondAscii), and comparisons take either the copy or the caption.
namespace CaptionCollation {

// The folded caption when folding changes a character beyond ASCII; a null
// string when lowering A–Z is all it takes.
QString foldBeyondAscii(const QString &caption);

// The text a caption sorts by: its folded copy, or itself (A–Z are lowered
// by compare and startsWith).
inline const QString &sortText(const QString &caption, const QString &foldedCopy)
{
    return foldedCopy.isNull() ? caption : foldedCopy;
}

// <0, 0, >0 like strcmp on sort texts, with A–Z lowered, by Unicode code
// point (UTF-16 surrogate pairs rank after U+FFFF, where they belong).
int compare(const QString &a, const QString &b);

// Whether a sort text begins with a prefix given as a sort text.
bool startsWith(const QString &text, const QString &prefix);

// The sort text of a search text: every character folded.
QString foldAll(const QString &text);

// A UTF-16 code unit's rank in the order, A–Z lowered: ranks compare as
// code points do, because the surrogates (D800–DFFF) move above E000–FFFF.
inline char16_t rank(char16_t unit)
{
    if (unit >= u'A' && unit <= u'Z')
        return char16_t(unit + 32);
    if (unit >= 0xE000)
        return char16_t(unit - 0x800);
    if (unit >= 0xD800)
        return char16_t(unit + 0x2000);
    return unit;
}

} // namespace CaptionCollation
