#pragma once

#include <QImage>
#include <QSize>

// The order in which a transition uncovers the pixels of a panel: a grey
// image the panel's size where each pixel's level (0 to 255) is the moment
// it turns to the new look, 0 first. At progress p (0 to 1) every pixel
// with level < p * 256 shows the new look.
namespace RevealOrder {

enum class Kind {
    Mask,        // the levels of a grey mask picture, stretched over the panel: black first
    Roll,        // top to bottom, like a blind unrolled
    Waterfall,   // columns pour down, each a little after its left neighbour
    Interlaced,  // even lines from the top and odd lines from the bottom at once
};

// mask is only read for Kind::Mask; a null mask reveals everything at
// once in the middle of the run rather than failing.
QImage levels(Kind kind, QSize size, const QImage &mask = QImage());

inline bool isRevealed(const QImage &levels, int x, int y, double progress)
{
    return levels.constScanLine(y)[x] < progress * 256.0;
}

} // namespace RevealOrder
