#pragma once

#include "ImageManifest.h"

#include <QImage>
#include <QString>

// One overview picture of every rendered file, read back from the Images
// folder: icons at each size on light and dark grounds, the editor glyph
// sets on the grounds they are meant for, the pictures and the masks. Used
// to review the artwork without running the program.
class ContactSheet {
public:
    ContactSheet(const ImageManifest &manifest, QString imagesFolder);
    QImage compose() const;

private:
    const ImageManifest &m_manifest;
    QString m_imagesFolder;
};
