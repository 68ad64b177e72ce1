#include "AlphaBmpWriter.h"

#include <QSaveFile>
#include <QtEndian>

namespace {

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

bool AlphaBmpWriter::write(const QImage &image, const QString &path, QString *error)
{
    // Straight (not premultiplied) colours: that is what BMP readers expect.
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const quint32 fileHeader = 14;
    const quint32 infoHeader = 108;  // BITMAPV4HEADER
    const quint32 pixelBytes = quint32(img.width()) * quint32(img.height()) * 4;

    QByteArray out;
    out.reserve(int(fileHeader + infoHeader + pixelBytes));
    out.append("BM", 2);
    put32(out, fileHeader + infoHeader + pixelBytes);
    put32(out, 0);
    put32(out, fileHeader + infoHeader);

    put32(out, infoHeader);
    put32(out, quint32(img.width()));
    put32(out, quint32(img.height()));  // positive: rows bottom-up
    put16(out, 1);                      // planes
    put16(out, 32);                     // bits per pixel
    put32(out, 3);                      // BI_BITFIELDS
    put32(out, pixelBytes);
    put32(out, 2835);                   // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0x00FF0000);             // red, green, blue, alpha masks
    put32(out, 0x0000FF00);
    put32(out, 0x000000FF);
    put32(out, 0xFF000000);
    put32(out, 0x73524742);             // 'sRGB'
    for (int i = 0; i < 12; ++i)        // end points and gamma, unused for sRGB
        put32(out, 0);

    for (int y = img.height() - 1; y >= 0; --y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            put32(out, row[x]);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        *error = QStringLiteral("%1: cannot write: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
