#pragma once

#include <QTextFormat>

// Conversions shared by the reader and the writer, so the two agree on units
// and on the properties Qt's formats have no field for.
namespace RtfFormats {

// Twips (1/1440 inch) against document pixels at 96 dpi.
constexpr double TwipsPerPixel = 15.0;

// The Windows character set of a font (\fcharset), kept with the text so a
// round trip returns it; Qt itself has no use for it.
constexpr int CharsetProperty = QTextFormat::UserProperty + 0x5254;

// The indent one list level adds, in twips (the default 40 pixels).
constexpr int ListIndentTwips = 600;

} // namespace RtfFormats
