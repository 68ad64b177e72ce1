// Checks the rendered Images folder against the names, folders and sizes the
// windows load, independently of images.list, so a slip in either shows.

#include <QCoreApplication>
#include <QImage>
#include <QTest>

namespace {

QString imagesFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/");
}

const QStringList &buttonIcons()
{
    static const QStringList names{
        // main window, by button number
        "Library", "Find", "Replace", "Backup", "Restore", "Editing", "Skins", "Options",
        "Help", "About", "DBNavFirst", "DBNavPrior", "DBNavNew", "DBNavDelete", "DBNavSave",
        "DBNavCancel", "DBNavNext", "DBNavLast", "ShowBookmark", "CreateBookmark",
        "DeleteBookmark", "DeleteAllBookmarks", "Calendar", "Calculator", "SortByName",
        "SortByDate", "DocumentPropeties", "Copy", "Paste", "FullWindowEditor", "Word",
        // library browser and organizer
        "Books", "Book", "Up", "Down", "Delete", "Rename", "MoveRight", "MoveLeft",
        "MoveAllRight", "MoveAllLeft", "CreateNewBook", "EditLibrary",
        // guided tour
        "Start", "Stop"};
    return names;
}

// Toolbar glyphs that have their own dark variant ("<Name>Black.bmp").
const QStringList &darkGlyphs()
{
    static const QStringList names{
        "Cut", "Delete", "SelectAll", "Undo", "AlignLeft", "AlignRight", "AlignCenter",
        "Bullets", "Bold", "Italic", "StrikeOut", "Underline", "ClearFormat", "Font"};
    return names;
}

// Mean luminance (0..255) of the pixels that are mostly opaque.
double inkLuminance(const QImage &image)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 160) {
                sum += 0.2126 * c.red() + 0.7152 * c.green() + 0.0722 * c.blue();
                ++count;
            }
        }
    return count ? sum / count : 0;
}

} // namespace

class ImagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyFileHasItsSize_data();
    void everyFileHasItsSize();
    void iconsAndGlyphsAreTransparentDrawings_data();
    void iconsAndGlyphsAreTransparentDrawings();
    void darkGlyphsAreLighterThanNormalOnes_data();
    void darkGlyphsAreLighterThanNormalOnes();
    void masksAreDistinctGreyRamps();
};

void ImagesTest::everyFileHasItsSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const QString &name : buttonIcons())
        for (int edge : {24, 32, 48}) {
            const QString path = QStringLiteral("Icons/Basic/%1x%1/%2.png").arg(edge).arg(name);
            QTest::newRow(qPrintable(path)) << path << QSize(edge, edge);
        }
    const QString editor = QStringLiteral("Icons/Basic/Editor/");
    QStringList glyphs{"Copy", "Paste"};
    for (const QString &name : darkGlyphs())
        glyphs << name << name + QStringLiteral("Black");
    for (const QString &name : glyphs)
        QTest::newRow(qPrintable(name + ".bmp")) << editor + name + ".bmp" << QSize(20, 20);

    const QList<std::pair<QString, QSize>> pictures{
        {editor + "BookImage.jpg", {40, 400}},
        {editor + "BookImageBlack.jpg", {40, 400}},
        {"Books/book.jpg", {39, 200}},
        {"Effects/A1.bmp", {320, 240}},
        {"Effects/A2.bmp", {320, 240}},
        {"Effects/A3.bmp", {320, 240}},
        {"Effects/A4.bmp", {320, 240}},
        {"Effects/B.bmp", {319, 212}},
        {"Logo.jpg", {319, 212}},
        {"About.png", {128, 128}},
        {"Background.jpg", {131, 63}},
    };
    for (const auto &[path, size] : pictures)
        QTest::newRow(qPrintable(path)) << path << size;
}

void ImagesTest::everyFileHasItsSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(imagesFolder() + path);
    QVERIFY2(!image.isNull(), qPrintable(path + " is missing or unreadable"));
    QCOMPARE(image.size(), size);
}

void ImagesTest::iconsAndGlyphsAreTransparentDrawings_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &name : buttonIcons())
        for (int edge : {24, 48}) {
            const QString path = QStringLiteral("Icons/Basic/%1x%1/%2.png").arg(edge).arg(name);
            QTest::newRow(qPrintable(path)) << path;
        }
    for (const QString &name : darkGlyphs() + QStringList{"Copy", "Paste"})
        QTest::newRow(qPrintable(name)) << QStringLiteral("Icons/Basic/Editor/%1.bmp").arg(name);
}

// A drawing that failed to render comes out blank, and a glyph written
// without alpha would show a box on every skin.
void ImagesTest::iconsAndGlyphsAreTransparentDrawings()
{
    QFETCH(QString, path);
    const QImage image(imagesFolder() + path);
    QVERIFY(!image.isNull());
    QVERIFY2(image.hasAlphaChannel(), "written without alpha");
    int opaque = 0, clear = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(image.pixel(x, y));
            opaque += a > 128;
            clear += a == 0;
        }
    const int all = image.width() * image.height();
    QVERIFY2(opaque > all / 20, "almost nothing drawn");
    QVERIFY2(clear > all / 10, "no transparent ground");
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
}

void ImagesTest::darkGlyphsAreLighterThanNormalOnes_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : darkGlyphs())
        QTest::newRow(qPrintable(name)) << name;
}

void ImagesTest::darkGlyphsAreLighterThanNormalOnes()
{
    QFETCH(QString, name);
    const QString folder = imagesFolder() + QStringLiteral("Icons/Basic/Editor/");
    const double normal = inkLuminance(QImage(folder + name + ".bmp"));
    const double dark = inkLuminance(QImage(folder + name + "Black.bmp"));
    QVERIFY2(normal < 110, qPrintable(QString("normal ink too light: %1").arg(normal)));
    QVERIFY2(dark > 170, qPrintable(QString("dark-set ink too dim: %1").arg(dark)));
}

// Each mask must run from black to white (else part of the panel is never
// revealed, or all of it at once), and the four new-record masks must be
// different patterns.
void ImagesTest::masksAreDistinctGreyRamps()
{
    QList<QImage> masks;
    for (const char *name : {"A1", "A2", "A3", "A4", "B"}) {
        const QImage mask(imagesFolder() + QStringLiteral("Effects/%1.bmp").arg(name));
        QVERIFY(!mask.isNull());
        QVERIFY2(mask.isGrayscale(), qPrintable(name + QString(" is not grey")));
        int lo = 255, hi = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const int g = qGray(mask.pixel(x, y));
                lo = std::min(lo, g);
                hi = std::max(hi, g);
            }
        QVERIFY2(lo <= 16 && hi >= 235, qPrintable(QString("%1 spans only %2..%3").arg(name).arg(lo).arg(hi)));
        masks << mask;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            qint64 diff = 0;
            for (int y = 0; y < masks[i].height(); ++y)
                for (int x = 0; x < masks[i].width(); ++x)
                    diff += std::abs(qGray(masks[i].pixel(x, y)) - qGray(masks[j].pixel(x, y)));
            const double mean = double(diff) / (masks[i].width() * masks[i].height());
            QVERIFY2(mean > 20, qPrintable(QString("A%1 and A%2 are nearly the same").arg(i + 1).arg(j + 1)));
        }
}

QTEST_GUILESS_MAIN(ImagesTest)
#include "ImagesTest.moc"
