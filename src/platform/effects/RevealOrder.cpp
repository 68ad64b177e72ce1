#include "platform/effects/RevealOrder.h"

#include <algorithm>

namespace RevealOrder {

namespace {

uchar scaled(int value, int range)
{
    return range <= 1 ? 0 : uchar(std::clamp(value * 255 / (range - 1), 0, 255));
}

} // namespace

QImage levels(Kind kind, QSize size, const QImage &mask)
{
    QImage out(size.expandedTo(QSize(1, 1)), QImage::Format_Grayscale8);
    const int w = out.width();
    const int h = out.height();
    if (kind == Kind::Mask) {
        if (mask.isNull()) {
            out.fill(128);
            return out;
        }
        out = mask.convertToFormat(QImage::Format_Grayscale8)
                  .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return out;
    }
    constexpr int kColumn = 12;  // waterfall column width in pixels
    const int columns = (w + kColumn - 1) / kColumn;
    for (int y = 0; y < h; ++y) {
        uchar *line = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            switch (kind) {
            case Kind::Roll:
                line[x] = scaled(y, h);
                break;
            case Kind::Waterfall: {
                // Each column starts a little later and then falls in 60 %
                // of the run.
                const int start = scaled(x / kColumn, columns) * 2 / 5;
                line[x] = uchar(start + scaled(y, h) * 3 / 5);
                break;
            }
            case Kind::Interlaced:
                line[x] = (y % 2 == 0) ? scaled(y, h) : scaled(h - 1 - y, h);
                break;
            case Kind::Mask:
                break;
            }
        }
    }
    return out;
}

} // namespace RevealOrder
