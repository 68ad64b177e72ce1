#pragma once

#include <QImage>
#include <QString>

// Writes a 32-bit BMP that keeps the alpha channel (BITMAPV4HEADER with
// bit-field masks). Qt's own BMP writer drops alpha, but its reader honours
// it, so toolbar glyphs stay transparent on every skin.
class AlphaBmpWriter {
public:
    static bool write(const QImage &image, const QString &path, QString *error);
};
