// Skin files: the shipped skins read, bad files are refused as a whole and
// leave the look as it was, a loaded skin reaches every window, and the
// skin chooser lists, walks and records.

#include "platform/skin/SkinChooserDialog.h"
#include "platform/skin/SkinData.h"
#include "platform/skin/SkinFile.h"
#include "platform/skin/StyleSheetCheck.h"
#include "settings/AppearancePass.h"
#include "settings/Profile.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString skinsFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Skins");
}

QByteArray shipped(const QString &name)
{
    QFile file(skinsFolder() + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

class TestSkin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shippedSkinsRead_data();
    void shippedSkinsRead();
    void badFileRefused_data();
    void badFileRefused();
    void styleSheetCheck_data();
    void styleSheetCheck();
    void loadReachesEveryWindow();
    void badSkinKeepsTheCurrentLook();
    void loadSkinFromSettings();
    void chooserListsWalksAndRecords();
};

void TestSkin::shippedSkinsRead_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"BlueMorph.skn", "Techno.skn", "UltraFX.skn", "Graphite.skn", "Midnight.skn", "Dusk.skn"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSkin::shippedSkinsRead()
{
    QFETCH(QString, name);
    QString error;
    const std::optional<SkinFile> skin = SkinFile::read(skinsFolder() + QLatin1Char('/') + name, &error);
    QVERIFY2(skin, qPrintable(error));
    QVERIFY(!skin->name.isEmpty());
    QVERIFY(!skin->styleSheet.isEmpty());
    // Readable: text stands out from its background in every skin.
    const auto contrast = [&](QPalette::ColorRole fg, QPalette::ColorRole bg) {
        return std::abs(skin->palette.color(fg).lightness() - skin->palette.color(bg).lightness());
    };
    QVERIFY(contrast(QPalette::WindowText, QPalette::Window) > 120);
    QVERIFY(contrast(QPalette::Text, QPalette::Base) > 120);
    QVERIFY(contrast(QPalette::ButtonText, QPalette::Button) > 100);
    QVERIFY(contrast(QPalette::HighlightedText, QPalette::Highlight) > 60);
}

void TestSkin::badFileRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = shipped(QStringLiteral("BlueMorph.skn"));
    QVERIFY(!good.isEmpty());
    const qsizetype sheet = good.indexOf("[StyleSheet]");
    const qsizetype firstRule = good.indexOf('{', sheet);

    QByteArray garbage(4000, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 256);
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not UTF-8") << QByteArray(good).replace("Blue Morph", "Blue \xff\xfe");
    QTest::newRow("truncated in the palette") << good.left(good.indexOf("Highlight="));
    QTest::newRow("truncated inside a colour") << good.left(good.indexOf("Window=") + 11);
    QTest::newRow("truncated inside the style sheet") << good.left(firstRule + 30);
    QTest::newRow("truncated before the end marker") << good.left(good.indexOf("[EndStyleSheet]"));
    QTest::newRow("colour name") << QByteArray(good).replace("Window=#E8EEF6", "Window=blue");
    QTest::newRow("short colour") << QByteArray(good).replace("Window=#E8EEF6", "Window=#E8E");
    QTest::newRow("unknown role") << QByteArray(good).replace("Shadow=", "Shade=");
    QTest::newRow("role twice") << QByteArray(good).replace("Shadow=#4A5668", "Shadow=#4A5668\nShadow=#000000");
    QTest::newRow("no format") << QByteArray(good).replace("Format=1", "Format=2");
    QTest::newRow("unknown section") << QByteArray(good).replace("[Palette]", "[Colours]");
    QTest::newRow("bad rule") << QByteArray(good).replace("QPushButton:hover {", "QPushButton:hover {{");
    QTest::newRow("bad colour in a rule") << QByteArray(good).replace("palette(highlight); }", "#12345; }");
    QTest::newRow("text after the end") << good + "Window=#000000\n";
    QTest::newRow("too large") << good + QByteArray(SkinFile::kMaxFileSize, ' ');
}

void TestSkin::badFileRefused()
{
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(!SkinFile::parse(bytes, &error));
    QVERIFY(!error.isEmpty());
}

void TestSkin::styleSheetCheck_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("rules and comments") << "/* a */ QLabel, QToolButton:hover { color: #fff; border: 1px solid "
                                           "palette(mid) }\nQLineEdit[readOnly=\"true\"] { margin: 0; }"
                                        << true;
    QTest::newRow("gradient") << "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, "
                                 "stop:1 #000000); }"
                              << true;
    QTest::newRow("unclosed block") << "QLabel { color: red;" << false;
    QTest::newRow("unclosed comment") << "QLabel { color: red; } /* end" << false;
    QTest::newRow("nested block") << "QLabel { QPushButton { color: red; } }" << false;
    QTest::newRow("stray brace") << "QLabel { color: red; } }" << false;
    QTest::newRow("no selector") << "{ color: red; }" << false;
    QTest::newRow("empty value") << "QLabel { color: ; }" << false;
    QTest::newRow("no colon") << "QLabel { color red; }" << false;
    QTest::newRow("unbalanced parenthesis") << "QLabel { color: rgb(1, 2, 3; }" << false;
    QTest::newRow("unknown palette role") << "QLabel { color: palette(sky); }" << false;
    QTest::newRow("trailing text") << "QLabel { color: red; } QLabel" << false;
    QTest::newRow("unclosed string") << "QLineEdit[text=\"a] { color: red; }" << false;
}

void TestSkin::styleSheetCheck()
{
    QFETCH(QString, sheet);
    QFETCH(bool, valid);
    QCOMPARE(StyleSheetCheck::isValid(sheet), valid);
}

void TestSkin::loadReachesEveryWindow()
{
    QDialog dialog;  // a window that exists before the skin is loaded
    dialog.show();
    QVERIFY(SkinData::shared().load(skinsFolder() + QStringLiteral("/Graphite.skn")));
    QCOMPARE(SkinData::shared().fileName(), QStringLiteral("Graphite.skn"));
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor("#2B2D30"));
    QCoreApplication::processEvents();
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor("#2B2D30"));
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("QPushButton")));

    // Stored form with backslashes works as well.
    QVERIFY(SkinData::shared().load(QDir::toNativeSeparators(skinsFolder()).replace('/', '\\')
                                    + QStringLiteral("\\BlueMorph.skn")));
    QCoreApplication::processEvents();
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor("#E8EEF6"));
}

void TestSkin::badSkinKeepsTheCurrentLook()
{
    QVERIFY(SkinData::shared().load(skinsFolder() + QStringLiteral("/Midnight.skn")));
    const QPalette before = QApplication::palette();
    const QString sheetBefore = qApp->styleSheet();

    QTemporaryDir dir;
    QByteArray broken = shipped(QStringLiteral("Techno.skn"));
    broken.replace("Base=#FBFCFC", "Base=#FBFCFG");  // everything else would apply
    const QString paths[] = {dir.filePath("missing.skn"), writeFile(dir, "garbage.skn", "\x01\x02\x03\xff"),
                             writeFile(dir, "broken.skn", broken),
                             writeFile(dir, "cut.skn", shipped(QStringLiteral("Techno.skn")).left(900))};
    for (const QString &path : paths) {
        QVERIFY2(!SkinData::shared().load(path), qPrintable(path));
        QCOMPARE(QApplication::palette(), before);
        QCOMPARE(qApp->styleSheet(), sheetBefore);
        QCOMPARE(SkinData::shared().fileName(), QStringLiteral("Midnight.skn"));
    }
}

void TestSkin::loadSkinFromSettings()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("Skins");
    QFile::copy(skinsFolder() + "/Dusk.skn", dir.filePath("Skins/Dusk.skn"));
    QFile::copy(skinsFolder() + "/BlueMorph.skn", dir.filePath("Skins/BlueMorph.skn"));
    const QString settings = dir.filePath("Tune.ini");
    const QString program = dir.path();

    // "Skin" absent: the default skin.
    QVERIFY(AppearancePass::loadSkin(settings, program));
    QCOMPARE(SkinData::shared().fileName(), QStringLiteral("BlueMorph.skn"));
    AppearancePass::recordSkin(settings, QStringLiteral("/somewhere/else/Dusk.skn"));
    QCOMPARE(Profile(settings).readString("Interface", "Skin"), QStringLiteral("\\Skins\\Dusk.skn"));
    QVERIFY(AppearancePass::loadSkin(settings, program));
    QCOMPARE(SkinData::shared().fileName(), QStringLiteral("Dusk.skn"));

    // A stored skin that is not in the program's Skins folder fails quietly.
    AppearancePass::recordSkin(settings, QStringLiteral("/elsewhere/Graphite.skn"));
    QVERIFY(!AppearancePass::loadSkin(settings, program));
    QCOMPARE(SkinData::shared().fileName(), QStringLiteral("Dusk.skn"));
    {
        Profile p(settings);
        p.writeString("Interface", "Skin", "\\..\\Skins\\Dusk.skn");
        p.flush();
    }
    QVERIFY(!AppearancePass::loadSkin(settings, program));
}

void TestSkin::chooserListsWalksAndRecords()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Skins/More");
    writeFile(dir, "Skins/A.skn", shipped("Techno.skn"));
    writeFile(dir, "Skins/notes.txt", "x");
    writeFile(dir, "Skins/More/B.skn", shipped("UltraFX.skn"));

    QCOMPARE(SkinChooserDialog::patternsOf("Skins (*.skn)|*.skn"), QStringList{"*.skn"});
    QCOMPARE(SkinChooserDialog::patternsOf("Skins"), QStringList{"*.skn"});

    SkinChooserDialog dialog(dir.filePath("Skins"), "Choose a skin", "Skins (*.skn)|*.skn");
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose a skin"));
    auto *list = dialog.findChild<QListWidget *>("SkinList");
    QVERIFY(list);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    QCOMPARE(shown, (QStringList{"..", "More", "A.skn"}));
    QVERIFY(!dialog.pick("notes.txt"));
    QVERIFY(dialog.pick("More"));  // a folder opens, the dialog stays
    QVERIFY(dialog.result() != QDialog::Accepted);
    QVERIFY(dialog.pick("B.skn"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QDir::fromNativeSeparators(dialog.selectedFile()), QDir(dir.path()).filePath("Skins/More/B.skn"));
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
