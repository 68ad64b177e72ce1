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
namespace CaptionCollation {

// The folded form that comparisons and prefix tests use.
QString fold(const QString &text);

// <0, 0, >0 like strcmp, comparing by Unicode code point (UTF-16 surrogate
// pairs are placed after U+FFFF, where their code points are).
int compare(const QString &a, const QString &b);

// A UTF-16 code unit's rank in that order: ranks compare as code points
// do, because the surrogates (D800–DFFF) move above E000–FFFF.
inline char16_t rank(char16_t unit)
{
    if (unit >= 0xE000)
        return char16_t(unit - 0x800);
    if (unit >= 0xD800)
        return char16_t(unit + 0x2000);
    return unit;
}

} // namespace CaptionCollation
