#pragma once

#include <QString>

// What the find and replace dialogs hand to a search.
struct SearchOptions
{
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
};
