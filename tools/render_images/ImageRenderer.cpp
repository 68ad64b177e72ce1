#include "ImageRenderer.h"

#include "AlphaBmpWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

ImageRenderer::ImageRenderer(const ImageManifest &manifest, QString sourceFolder, QString imagesFolder)
    : m_manifest(manifest)
    , m_sourceFolder(std::move(sourceFolder))
    , m_imagesFolder(std::move(imagesFolder))
{
}

bool ImageRenderer::rasterize(const ImageEntry &entry, QSize size, QImage *image, QString *error) const
{
    const QString path = m_sourceFolder + u'/' + entry.source;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot open: %2").arg(path, file.errorString());
        return false;
    }
    QByteArray svg = file.readAll();
    // A palette swaps whole colour codes, so the dark glyph set is the same
    // drawing as the normal one with lighter inks.
    for (const auto &[from, to] : m_manifest.palette(entry.palette)) {
        svg.replace(from.toUpper().toLatin1(), to.toLatin1());
        svg.replace(from.toLower().toLatin1(), to.toLatin1());
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        *error = QStringLiteral("%1: not a valid SVG drawing").arg(path);
        return false;
    }
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    *image = out;
    return true;
}

bool ImageRenderer::render(const ImageEntry &entry, QString *error) const
{
    if (entry.kind == ImageEntry::Kind::Icon) {
        for (int edge : ImageManifest::iconSizes()) {
            QImage image;
            if (!rasterize(entry, QSize(edge, edge), &image, error))
                return false;
            const QString path = m_imagesFolder + u'/' + ImageManifest::iconFolder(edge) + u'/' + entry.output;
            if (!save(entry, image, path, error))
                return false;
        }
        return true;
    }
    QImage image;
    if (!rasterize(entry, entry.size, &image, error))
        return false;
    return save(entry, image, m_imagesFolder + u'/' + entry.output, error);
}

bool ImageRenderer::save(const ImageEntry &entry, const QImage &image, const QString &path, QString *error) const
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("%1: cannot create the folder").arg(path);
        return false;
    }
    bool ok = false;
    switch (entry.kind) {
    case ImageEntry::Kind::Glyph:
        return AlphaBmpWriter::write(image, path, error);
    case ImageEntry::Kind::Mask: {
        // Masks are drawn opaque; whatever shows through is read as white,
        // the last part to be revealed.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        ok = flat.convertToFormat(QImage::Format_Grayscale8).save(path, "BMP");
        break;
    }
    case ImageEntry::Kind::Picture:
        if (path.endsWith(QStringLiteral(".jpg"))) {
            QImage flat(image.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            QPainter(&flat).drawImage(0, 0, image);
            ok = flat.save(path, "JPEG", 92);
        } else {
            ok = image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG");
        }
        break;
    case ImageEntry::Kind::Icon:
        ok = image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG");
        break;
    }
    if (!ok)
        *error = QStringLiteral("%1: cannot write").arg(path);
    return ok;
}
