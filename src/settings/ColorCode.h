#pragma once

#include <QColor>
#include <optional>

// Colour codes as the settings store them: a signed 32-bit number where
// 0x00BBGGRR is a red/green/blue colour and 0x80000000 + n the system colour
// with index n. 0x1FFFFFFF means "none" and 0x20000000 "default".
namespace ColorCode {

constexpr qint32 None = 0x1FFFFFFF;
constexpr qint32 Default = 0x20000000;
// The editor's stored default: neither a colour nor a system colour; the
// editor shows it as the skin's own text colour.
constexpr qint32 EditorDefault = 2147483640;

// The colour a code stands for, or nothing for "none", "default" and codes
// that name no colour.
std::optional<QColor> toColor(qint32 code);
qint32 fromColor(const QColor &color);

} // namespace ColorCode
