#pragma once

#include "ImageManifest.h"

#include <QImage>
#include <QString>

// Renders manifest entries from their SVG sources and writes the files.
class ImageRenderer {
public:
    ImageRenderer(const ImageManifest &manifest, QString sourceFolder, QString imagesFolder);

    // Renders and writes one entry (all three sizes for an icon).
    bool render(const ImageEntry &entry, QString *error) const;

    // The SVG of an entry drawn at the given size on a transparent image.
    bool rasterize(const ImageEntry &entry, QSize size, QImage *image, QString *error) const;

private:
    bool save(const ImageEntry &entry, const QImage &image, const QString &path, QString *error) const;

    const ImageManifest &m_manifest;
    QString m_sourceFolder;
    QString m_imagesFolder;
};
