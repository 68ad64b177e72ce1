#pragma once

#include <QStringView>

// Text search with the options of the find and replace dialogs.
class TextSearch
{
public:
    // The index of the first match of needle that lies wholly inside
    // [start, start + length) of text, or -1. A negative length means "to the
    // end"; a range past the text is cut to it; an empty needle finds nothing.
    // A whole-word match has no letter, digit or combining mark right before
    // or after it.
    static int find(QStringView text, QStringView needle, int start, int length,
                    bool matchCase, bool wholeWord);

    static bool isWordCharacter(QChar c);
};
