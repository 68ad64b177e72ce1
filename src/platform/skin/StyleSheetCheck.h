#pragma once

#include <QString>

// A strict structural check of a Qt style sheet, because Qt itself only
// warns about a sheet it cannot parse and then drops it silently. Accepts
// rules "selectors { property: value; ... }" with comments; refuses
// unclosed comments, strings, braces or parentheses, nested blocks, empty
// selectors or values, bad property names, hex colours of the wrong
// length and palette() references to unknown roles.
namespace StyleSheetCheck {

// True when the sheet is well formed; otherwise false with a reason.
bool isValid(const QString &sheet, QString *error = nullptr);

} // namespace StyleSheetCheck
