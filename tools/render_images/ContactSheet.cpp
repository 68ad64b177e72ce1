#include "ContactSheet.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kLight(0xF4, 0xF5, 0xF7);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kDark(0x1E, 0x1F, 0x24);
const QColor kHalfDark(0x4A, 0x50, 0x5C);
const QColor kText(0x33, 0x33, 0x33);

const int kMargin = 16;
const int kSheetWidth = 1280;

// A picture that fails to load is drawn as a red cross, so a missing file
// cannot go unnoticed on the sheet.
void drawFile(QPainter &p, const QString &path, const QRect &target)
{
    const QImage img(path);
    if (img.isNull()) {
        p.save();
        p.setPen(QPen(Qt::red, 2));
        p.drawRect(target.adjusted(1, 1, -1, -1));
        p.drawLine(target.topLeft(), target.bottomRight());
        p.drawLine(target.topRight(), target.bottomLeft());
        p.restore();
        return;
    }
    p.drawImage(target, img);
}

int heading(QPainter &p, int y, const QString &text)
{
    QFont f = p.font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kText);
    p.drawText(kMargin, y + 20, text);
    f.setPixelSize(11);
    f.setBold(false);
    p.setFont(f);
    return y + 32;
}

} // namespace

ContactSheet::ContactSheet(const ImageManifest &manifest, QString imagesFolder)
    : m_manifest(manifest)
    , m_imagesFolder(std::move(imagesFolder))
{
}

QImage ContactSheet::compose() const
{
    QList<ImageEntry> icons, glyphs, pictures, masks;
    for (const ImageEntry &e : m_manifest.entries()) {
        switch (e.kind) {
        case ImageEntry::Kind::Icon: icons.append(e); break;
        case ImageEntry::Kind::Glyph: glyphs.append(e); break;
        case ImageEntry::Kind::Picture: pictures.append(e); break;
        case ImageEntry::Kind::Mask: masks.append(e); break;
        }
    }

    // Icons: each cell shows every size on white and on a dark ground.
    const int iconCellW = 300, iconCellH = 76, iconCols = (kSheetWidth - 2 * kMargin) / iconCellW;
    const int iconRows = int((icons.size() + iconCols - 1) / iconCols);
    const int glyphCellW = 212, glyphCols = (kSheetWidth - 2 * kMargin) / glyphCellW;
    const int glyphRows = int((glyphs.size() + glyphCols - 1) / glyphCols);
    int pictureH = 0;
    for (const ImageEntry &e : pictures)
        pictureH = std::max(pictureH, e.size.height());
    const int maskW = 240;

    const int height = kMargin + 32 + iconRows * iconCellH + 16 + 32 + glyphRows * 74 + 16 + 32
        + pictureH + 40 + 32 + 200 + kMargin;
    QImage sheet(kSheetWidth, height, QImage::Format_RGB32);
    sheet.fill(kLight);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    int y = heading(p, kMargin, QStringLiteral("Icons (24, 32, 48 px) on light and dark"));
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const int x = kMargin + int(i % iconCols) * iconCellW;
        const int top = y + int(i / iconCols) * iconCellH;
        const QRect light(x, top, 130, 56), dark(x + 134, top, 130, 56);
        p.fillRect(light, kWhite);
        p.fillRect(dark, kDark);
        for (const QRect &ground : {light, dark}) {
            int ix = ground.left() + 6;
            for (int edge : ImageManifest::iconSizes()) {
                const QString path = m_imagesFolder + u'/' + ImageManifest::iconFolder(edge) + u'/' + icons[i].output;
                drawFile(p, path, QRect(ix, ground.top() + (56 - edge) / 2, edge, edge));
                ix += edge + 6;
            }
        }
        p.setPen(kText);
        p.drawText(x, top + 70, icons[i].output);
    }
    y += iconRows * iconCellH + 16;

    // Glyphs on a light, a dark and a half-dark ground, at actual size and
    // doubled: the normal set must read on the first, the dark set on the
    // other two, and Copy and Paste (shared by both sets) on all three.
    y = heading(p, y, QStringLiteral("Editor glyphs on light, dark and half-dark (actual size and doubled)"));
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const ImageEntry &g = glyphs[i];
        const int x = kMargin + int(i % glyphCols) * glyphCellW;
        const int top = y + int(i / glyphCols) * 74;
        const QString path = m_imagesFolder + u'/' + g.output;
        int gx = x;
        for (const QColor &ground : {kWhite, kDark, kHalfDark}) {
            p.fillRect(QRect(gx, top, 68, 56), ground);
            drawFile(p, path, QRect(gx + 3, top + 4, g.size.width(), g.size.height()));
            drawFile(p, path, QRect(gx + 26, top + 14, g.size.width() * 2, g.size.height() * 2));
            gx += 68;
        }
        p.setPen(kText);
        p.drawText(x, top + 69, QFileInfo(g.output).fileName());
    }
    y += glyphRows * 74 + 16;

    y = heading(p, y, QStringLiteral("Pictures (actual size)"));
    int x = kMargin;
    for (const ImageEntry &e : pictures) {
        drawFile(p, m_imagesFolder + u'/' + e.output, QRect(QPoint(x, y), e.size));
        p.setPen(kText);
        p.drawText(x, y + pictureH + 16, QStringLiteral("%1 %2x%3").arg(QFileInfo(e.output).fileName())
                                              .arg(e.size.width()).arg(e.size.height()));
        x += std::max(e.size.width(), 110) + 24;
    }
    y += pictureH + 40;

    y = heading(p, y, QStringLiteral("Transition masks (black is revealed first)"));
    x = kMargin;
    for (const ImageEntry &e : masks) {
        const QSize shown = e.size.scaled(maskW, 180, Qt::KeepAspectRatio);
        drawFile(p, m_imagesFolder + u'/' + e.output, QRect(QPoint(x, y), shown));
        p.setPen(kText);
        p.drawText(x, y + 196, QFileInfo(e.output).fileName());
        x += maskW + 8;
    }
    p.end();
    return sheet;
}
