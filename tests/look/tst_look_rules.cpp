// The appearance rules that need no window: skin categories, the editor
// colour adaptation, the editor look per category, the mask order, the
// opacity from the settings and the hover rule.

#include "platform/IniFile.h"
#include "platform/effects/HoverRule.h"
#include "settings/ColorCode.h"
#include "settings/EditorColorAdaptation.h"
#include "settings/EditorLook.h"
#include "settings/MaskCounter.h"
#include "settings/SkinCategory.h"
#include "settings/WindowOpacity.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(SkinCategory)

class TestLookRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void skinCategory_data();
    void skinCategory();
    void skinCategoryFromSettings();
    void editorColor_data();
    void editorColor();
    void editorLookPerCategory();
    void maskOrder();
    void opacityFromValue_data();
    void opacityFromValue();
    void opacityFromSettings();
    void hoverFromLargeStraightOntoSmall();
    void hoverBackgroundAndSelf();
};

void TestLookRules::skinCategory_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<QStringList>("black");
    QTest::addColumn<QStringList>("halfBlack");
    QTest::addColumn<SkinCategory>("expected");
    const QStringList black{"Graphite.skn", "Midnight.skn"};
    const QStringList half{"Dusk.skn"};
    QTest::newRow("dark") << "\\Skins\\Graphite.skn" << black << half << SkinCategory::Dark;
    QTest::newRow("half-dark") << "\\Skins\\Dusk.skn" << black << half << SkinCategory::HalfDark;
    QTest::newRow("light") << "\\Skins\\BlueMorph.skn" << black << half << SkinCategory::Light;
    QTest::newRow("in both lists is dark") << "\\Skins\\Dusk.skn" << QStringList{"Dusk.skn"} << half
                                           << SkinCategory::Dark;
    QTest::newRow("other letter case is not dark") << "\\Skins\\graphite.skn" << black << half
                                                   << SkinCategory::Light;
    QTest::newRow("forward slashes") << "/Skins/Midnight.skn" << black << half << SkinCategory::Dark;
    QTest::newRow("only a name") << "Midnight.skn" << black << half << SkinCategory::Dark;
    QTest::newRow("empty value") << "" << black << half << SkinCategory::Light;
    QTest::newRow("folder of the same name") << "\\Graphite.skn\\Other.skn" << black << half
                                             << SkinCategory::Light;
}

void TestLookRules::skinCategory()
{
    QFETCH(QString, skin);
    QFETCH(QStringList, black);
    QFETCH(QStringList, halfBlack);
    QFETCH(SkinCategory, expected);
    QCOMPARE(SkinCategories::categoryOf(skin, black, halfBlack), expected);
}

void TestLookRules::skinCategoryFromSettings()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tune.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Interface]\nSkin=\\Skins\\Dusk.skn\n[BlackSkins]\nCount=1\nSkin1=Graphite.skn\n"
               "[HalfBlackSkins]\nCount=1\nSkin1=Dusk.skn\n");
    file.close();
    QCOMPARE(SkinCategories::currentCategory(path), SkinCategory::HalfDark);
    QCOMPARE(SkinCategories::currentCategory(dir.filePath("absent.ini")), SkinCategory::Light);
}

void TestLookRules::editorColor_data()
{
    using namespace EditorColorAdaptation;
    QTest::addColumn<qint32>("code");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qint32>("expected");  // -1: unchanged
    const qint32 same = -1;
    const qint32 dark[] = {0, WindowText, ButtonText, MenuText, WindowFrame, Highlight, InfoText,
                           ColorCode::None, ColorCode::Default};
    for (qint32 code : dark)
        QTest::addRow("dark skin, dark code %x", unsigned(code)) << code << true << true << Green;
    QTest::newRow("dark skin, red stays") << qint32(0x0000FF) << true << true << same;
    QTest::newRow("dark skin, stored default stays") << ColorCode::EditorDefault << true << true << same;
    QTest::newRow("dark skin, green stays") << Green << true << true << same;
    QTest::newRow("light skin, green to window text") << Green << false << true << WindowText;
    QTest::newRow("light skin, black stays") << qint32(0) << false << true << same;
    QTest::newRow("switch off, dark skin, black") << qint32(0) << true << false << same;
    QTest::newRow("switch off, light skin, green") << Green << false << false << same;
}

void TestLookRules::editorColor()
{
    QFETCH(qint32, code);
    QFETCH(bool, dark);
    QFETCH(bool, enabled);
    QFETCH(qint32, expected);
    const std::optional<qint32> result = EditorColorAdaptation::adapted(code, dark, enabled);
    if (expected == -1)
        QVERIFY(!result);
    else
        QCOMPARE(result, std::optional<qint32>(expected));
}

void TestLookRules::editorLookPerCategory()
{
    const EditorLook dark = EditorLook::forCategory(SkinCategory::Dark);
    const EditorLook half = EditorLook::forCategory(SkinCategory::HalfDark);
    const EditorLook light = EditorLook::forCategory(SkinCategory::Light);
    QCOMPARE(dark.spinePicture, QStringLiteral("BookImageBlack.jpg"));
    QCOMPARE(half.spinePicture, QStringLiteral("BookImage.jpg"));
    QVERIFY(dark.limeFrameCaptions && !half.limeFrameCaptions && !light.limeFrameCaptions);
    QVERIFY(dark.blackEffectsPanel && !half.blackEffectsPanel && !light.blackEffectsPanel);
    QVERIFY(!dark.whiteEditor && half.whiteEditor && light.whiteEditor);
    QVERIFY(!dark.whiteCaptionAndList && !half.whiteCaptionAndList && light.whiteCaptionAndList);
    QVERIFY(dark.darkGlyphs && half.darkGlyphs && !light.darkGlyphs);

    const QStringList darkSet = EditorLook::toolbarGlyphs(true);
    const QStringList normalSet = EditorLook::toolbarGlyphs(false);
    QCOMPARE(darkSet.size(), 16);
    QCOMPARE(darkSet.mid(0, 3), (QStringList{"Copy.bmp", "Paste.bmp", "CutBlack.bmp"}));
    QCOMPARE(darkSet.last(), QStringLiteral("FontBlack.bmp"));
    QCOMPARE(normalSet.at(12), QStringLiteral("StrikeOut.bmp"));
}

void TestLookRules::maskOrder()
{
    MaskCounter counter;
    QList<int> order;
    for (int i = 0; i < 9; ++i)
        order << counter.next();
    QCOMPARE(order, (QList<int>{1, 2, 3, 4, 1, 2, 3, 4, 1}));
    QCOMPARE(MaskCounter::maskPicture("/opt/q", 3), QStringLiteral("/opt/q\\Images\\Effects\\A3.bmp"));
}

void TestLookRules::opacityFromValue_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("alpha");
    QTest::newRow("300 keeps the low 8 bits") << 300 << 44;
    QTest::newRow("opaque") << 255 << 255;
    QTest::newRow("default") << 200 << 200;
    QTest::newRow("lowest setting") << 25 << 25;
    QTest::newRow("256 would be invisible") << 256 << WindowOpacity::kLowestAlpha;
    QTest::newRow("negative") << -1 << 255;
}

void TestLookRules::opacityFromValue()
{
    QFETCH(int, value);
    QFETCH(int, alpha);
    QCOMPARE(WindowOpacity::alphaFromValue(value), alpha);
}

void TestLookRules::opacityFromSettings()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tune.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[AlphaBlend]\nValue=300\nAllowAlphaBlendAnimation=0\n");
    file.close();
    const WindowOpacity opacity = WindowOpacity::fromSettings(path);
    QCOMPARE(opacity.alpha, 44);
    QVERIFY(opacity.translucent);
    QVERIFY(!opacity.fading);
    QCOMPARE(opacity.level(), 44 / 255.0);

    const WindowOpacity defaults = WindowOpacity::fromSettings(dir.filePath("absent.ini"));
    QCOMPARE(defaults.alpha, 200);
    QVERIFY(defaults.translucent && defaults.fading);
}

void TestLookRules::hoverFromLargeStraightOntoSmall()
{
    using Change = HoverRule::Change;
    HoverRule rule;
    QCOMPARE(rule.mouseOnButton(5), (std::vector<Change>{{5, true}}));
    // Straight onto another button: the first shrinks, nothing grows yet.
    QCOMPARE(rule.mouseOnButton(27), (std::vector<Change>{{5, false}}));
    QCOMPARE(rule.enlargedButton(), -1);
    QCOMPARE(rule.mouseOnButton(27), (std::vector<Change>{{27, true}}));
    QCOMPARE(rule.enlargedButton(), 27);
}

void TestLookRules::hoverBackgroundAndSelf()
{
    using Change = HoverRule::Change;
    HoverRule rule;
    QVERIFY(rule.mouseOnBackground().empty());
    rule.mouseOnButton(0);
    QVERIFY(rule.mouseOnButton(0).empty());
    QCOMPARE(rule.mouseOnBackground(), (std::vector<Change>{{0, false}}));
    QVERIFY(rule.mouseOnBackground().empty());
}

QTEST_APPLESS_MAIN(TestLookRules)
#include "tst_look_rules.moc"
