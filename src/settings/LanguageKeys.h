#pragma once

#include <QString>
#include <QStringList>
#include <span>

// Every key the program reads from a language file, in one place: the
// windows read their texts by these names, and the tests check that every
// language file shipped beside the program holds each of them.
struct LanguageKey
{
    const char *section;
    const char *key;
};

// All keys; the "System" entries come last, in string-table order.
std::span<const LanguageKey> programLanguageKeys();

// The names of the 48 string-table entries of section "System", in the
// order they make up the table ("MSG_BTN_CANCEL" appears twice).
QStringList systemStringNames();
