#pragma once

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

// One picture to render: an SVG source and where, how large and in which
// form the rendered file goes.
struct ImageEntry {
    enum class Kind {
        Icon,     // PNG with alpha, in each of the three icon-size folders
        Glyph,    // 32-bit BMP with alpha (editor toolbar)
        Picture,  // opaque JPEG, or PNG with alpha
        Mask,     // 8-bit grey BMP; grey level = reveal order of a transition
    };
    Kind kind = Kind::Picture;
    QString source;   // relative to the source folder
    QString output;   // relative to the Images folder (icons: file name only)
    QSize size;       // unused for icons
    QString palette;  // optional colour substitution applied to the SVG text
    int line = 0;     // manifest line, for messages
};

// The list of pictures, read from a small line-based text file:
//   icon    <source.svg> <Name.png>
//   glyph   <source.svg> <folder/Name.bmp> <W>x<H> [palette]
//   picture <source.svg> <folder/Name.jpg|png> <W>x<H>
//   mask    <source.svg> <folder/Name.bmp> <W>x<H>
//   palette <name> <#rrggbb>=<#rrggbb> ...
// '#' at the start of a line begins a comment.
class ImageManifest {
public:
    // Reads the manifest; on failure returns false and sets *error to a
    // message naming the line.
    bool load(const QString &path, QString *error);

    const QList<ImageEntry> &entries() const { return m_entries; }
    // Colour pairs (from, to) of a palette; empty when the name is unknown.
    QList<QPair<QString, QString>> palette(const QString &name) const;

    // The folders icons are written to and their edge lengths.
    static const QList<int> &iconSizes();
    static QString iconFolder(int size);  // "Icons/Basic/24x24" ...

private:
    QList<ImageEntry> m_entries;
    QHash<QString, QList<QPair<QString, QString>>> m_palettes;
};
