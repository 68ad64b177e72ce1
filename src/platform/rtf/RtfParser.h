#pragma once

#include "platform/rtf/RtfContent.h"

#include <QByteArrayView>

// Turns RTF bytes into RtfContent. Any byte string gives content: unknown
// control words are skipped, unbalanced braces and truncation are tolerated,
// numbers are clamped, and group nesting deeper than MaxDepth shares the
// state of the deepest kept group. Time and memory are linear in the input.
class RtfParser
{
public:
    static constexpr int MaxDepth = 512;

    // Pictures are decoded only when shown; these caps keep a small file
    // from asking for gigabytes of pixels.
    static constexpr qint64 MaxPicturePixels = 25'000'000;
    static constexpr qint64 MaxDocumentPixels = 64'000'000;

    static RtfContent parse(QByteArrayView rtf);
};
