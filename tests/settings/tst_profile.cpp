#include "platform/AppError.h"
#include "settings/ColorCode.h"
#include "settings/FontStyle.h"
#include "settings/Profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FontStyles)

class TestProfile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void styleCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<FontStyles>("styles");
        QTest::addColumn<int>("writtenAs");
        // bold, italic, underline, strike-out
        QTest::newRow("0 none") << 0 << FontStyles{} << 0;
        QTest::newRow("1 B") << 1 << FontStyles{true, false, false, false} << 1;
        QTest::newRow("2 BI") << 2 << FontStyles{true, true, false, false} << 2;
        QTest::newRow("4 BS") << 4 << FontStyles{true, false, false, true} << 4;
        QTest::newRow("7 BUS") << 7 << FontStyles{true, false, true, true} << 7;
        QTest::newRow("8 BIUS") << 8 << FontStyles{true, true, true, true} << 8;
        QTest::newRow("9 is italic only") << 9 << FontStyles{false, true, false, false} << 9;
        QTest::newRow("12 IUS") << 12 << FontStyles{false, true, true, true} << 12;
        QTest::newRow("13 U") << 13 << FontStyles{false, false, true, false} << 13;
        QTest::newRow("15 S") << 15 << FontStyles{false, false, false, true} << 15;
        QTest::newRow("16 reads as none") << 16 << FontStyles{} << 0;
        QTest::newRow("-1 reads as none") << -1 << FontStyles{} << 0;
    }

    void styleCodes()
    {
        QFETCH(int, code);
        QFETCH(FontStyles, styles);
        QFETCH(int, writtenAs);
        QCOMPARE(fontStylesFromCode(code), styles);
        QCOMPARE(fontStyleCode(styles), writtenAs);
    }

    void everyCodeNamesADistinctCombination()
    {
        QSet<int> seen;
        for (int code = 0; code < 16; ++code) {
            const FontStyles s = fontStylesFromCode(code);
            seen.insert(s.bold | s.italic << 1 | s.underline << 2 | s.strikeOut << 3);
            QCOMPARE(fontStyleCode(s), code);
        }
        QCOMPARE(seen.size(), 16);
    }

    void fontRoundTripAndDefaults()
    {
        const QString path = m_dir.filePath(QStringLiteral("fonts.ini"));
        FontSpec editor;
        editor.hasColor = true;
        {
            const Profile empty(path);
            const FontSpec read = empty.readFont(QStringLiteral("Font"), QStringLiteral("Editor"), editor);
            QCOMPARE(read.name, QStringLiteral("Arial"));
            QCOMPARE(read.size, 8);
            QCOMPARE(read.styles, FontStyles{});
            QCOMPARE(read.charset, 1);
            QCOMPARE(read.color, ColorCode::EditorDefault);
        }
        FontSpec font = editor;
        font.name = QStringLiteral("Liberation Serif");
        font.size = 14;
        font.styles = {false, true, true, false};
        font.charset = 204;
        font.color = 0x0000FF;
        {
            Profile profile(path);
            profile.writeFont(QStringLiteral("Font"), QStringLiteral("Editor"), font);
            profile.flush();
        }
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QCOMPARE(file.readAll(), QByteArray("[Font]\r\nEditorCharset=204\r\nEditorColor=255\r\nEditorName=Liberation Serif\r\n"
                                            "EditorSize=14\r\nEditorStyle=10\r\n"));
        const Profile again(path);
        const FontSpec read = again.readFont(QStringLiteral("Font"), QStringLiteral("Editor"), editor);
        QCOMPARE(read.name, font.name);
        QCOMPARE(read.size, 14);
        QCOMPARE(read.styles, font.styles);
        QCOMPARE(read.charset, 204);
        QCOMPARE(read.color, 255);
    }

    void numberedLists()
    {
        const QString path = m_dir.filePath(QStringLiteral("lists.ini"));
        {
            Profile profile(path);
            QVERIFY(profile.readList(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir")).isEmpty());
            profile.appendToList(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir"), QStringLiteral("\\a"));
            profile.appendToList(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir"), QStringLiteral("\\b"));
            profile.flush();
        }
        {
            Profile profile(path);
            QCOMPARE(profile.readList(QStringLiteral("delDirOnStart"), QStringLiteral("Dir")),
                     QStringList({QStringLiteral("\\a"), QStringLiteral("\\b")}));
            profile.writeList(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir"), {QStringLiteral("\\c")});
            profile.flush();
        }
        const Profile profile(path);
        QCOMPARE(profile.readInteger(QStringLiteral("DelDirOnStart"), QStringLiteral("Count"), -1), 1);
        QVERIFY(!profile.valueExists(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir2")));
        QCOMPARE(profile.readString(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir1")), QStringLiteral("\\c"));
    }

    void colourCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("isColor");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red") << 0x0000FF << true << QColor(255, 0, 0);
        QTest::newRow("blue-green-red order") << 0x123456 << true << QColor(0x56, 0x34, 0x12);
        QTest::newRow("none") << int(ColorCode::None) << false << QColor();
        QTest::newRow("default") << int(ColorCode::Default) << false << QColor();
        QTest::newRow("editor default") << int(ColorCode::EditorDefault) << false << QColor();
        QTest::newRow("system window text") << int(0x80000008u) << true << QColor();
    }

    void colourCodes()
    {
        QFETCH(int, code);
        QFETCH(bool, isColor);
        QFETCH(QColor, color);
        const auto result = ColorCode::toColor(code);
        QCOMPARE(result.has_value(), isColor);
        if (isColor && color.isValid()) {
            QCOMPARE(*result, color);
            QCOMPARE(ColorCode::fromColor(*result), code);
        }
    }
};

QTEST_MAIN(TestProfile)
#include "tst_profile.moc"
