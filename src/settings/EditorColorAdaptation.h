#pragma once

#include <QtGlobal>
#include <optional>

// Dark text on a dark skin cannot be read, so the editor's text colour is
// swapped for green there, and green back for the window-text colour once
// the skin is light again.
namespace EditorColorAdaptation {

constexpr qint32 Green = 0x008000;
// System colour codes (0x80000000 + index) the rule knows by name.
constexpr qint32 WindowText = qint32(0x80000008);
constexpr qint32 ButtonText = qint32(0x80000012);
constexpr qint32 MenuText = qint32(0x80000007);
constexpr qint32 WindowFrame = qint32(0x80000006);
constexpr qint32 Highlight = qint32(0x8000000D);
constexpr qint32 InfoText = qint32(0x80000017);

// Black, window text, button text, menu text, window frame, highlight,
// information text, "none" and "default".
bool isDarkColorCode(qint32 code);

// The colour code the editor should use instead of code, or nothing when
// it stays; enabled is "Font"/"EditorCheckRadioBox".
std::optional<qint32> adapted(qint32 code, bool darkSkin, bool enabled);

} // namespace EditorColorAdaptation
