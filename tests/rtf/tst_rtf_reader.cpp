#include "RtfTestDocuments.h"

#include "platform/rtf/RtfFormats.h"
#include "platform/rtf/RtfReader.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

using namespace RtfTestDocuments;

namespace {

QTextCharFormat formatOf(const QTextDocument &doc, const QString &text)
{
    const int at = positionOf(doc, text);
    if (at < 0)
        return {};
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}

QTextBlock blockOf(const QTextDocument &doc, const QString &text)
{
    return doc.findBlock(positionOf(doc, text));
}

QString family(const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

// The document's text in the form of toPlainText: a table row is one line
// of tab-separated cells.
QString rowsAndParagraphs(const QTextDocument &doc)
{
    QStringList lines;
    int lastRow = -1;
    QTextTable *lastTable = nullptr;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString text = b.text().replace(QChar::LineSeparator, u'\n');
        QTextTable *table = QTextCursor(b).currentTable();
        if (!table) {
            lastTable = nullptr;
            if (!text.isEmpty() || b.next().isValid())
                lines << text;
            continue;
        }
        const QTextTableCell cell = table->cellAt(b.position());
        if (table == lastTable && cell.row() == lastRow)
            lines.last() += (cell.firstPosition() == b.position() ? u'\t' : u' ') + text;
        else
            lines << text;
        lastTable = table;
        lastRow = cell.row();
    }
    return lines.join(u'\n');
}

QByteArray rtf(const char *body)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}") + body + '}';
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void fixturesGiveTheirText_data();
    void fixturesGiveTheirText();
    void richEditFormatting();
    void wordFormatting();
    void libreOfficeFormatting();
    void codePages_data();
    void codePages();
    void malformedInputGivesADocument_data();
    void malformedInputGivesADocument();
    void notRtfIsPlainText_data();
    void notRtfIsPlainText();
    void finalParagraphMark();
};

void TestRtfReader::fixturesGiveTheirText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rich-edit control") << "richedit.rtf"
        << QStringLiteral("Plain bold italic under gone\nred blue marked\ncentred\nright\nfirst bullet\n"
                          "second bullet\nПривет and line\nbreak\ttab\na link after");
    QTest::newRow("Word") << "word.rtf"
        << QStringLiteral("Title\nCafé € and “quotes” – dash green italic\nApple\nGreen apple\nStep one\n"
                          "Step two\nSee the site.\nName\tPrice\nTea\t3\nPicture: \uFFFC");
    QTest::newRow("LibreOffice") << "libreoffice.rtf"
        << QStringLiteral("Heading\nNormal bold italic underlined red\nПривет Γεια 你好 😀\none\ntwo\n"
                          "Dot\nRing\nLetter\nA1\tB1\nA2\tB2\nNext page");
}

// The plain text and the document agree.
void TestRtfReader::fixturesGiveTheirText()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QByteArray bytes = fixture(file);
    QCOMPARE(RtfReader::toPlainText(bytes), expected);

    QTextDocument doc;
    QVERIFY(RtfReader::read(bytes, &doc));
    QCOMPARE(rowsAndParagraphs(doc), expected);
}

void TestRtfReader::richEditFormatting()
{
    QTextDocument doc;
    RtfReader::read(fixture(QStringLiteral("richedit.rtf")), &doc);

    QCOMPARE(family(formatOf(doc, "Plain")), QStringLiteral("Calibri"));
    QCOMPARE(formatOf(doc, "Plain").fontPointSize(), 11.0);
    QCOMPARE(formatOf(doc, "Plain").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(doc, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(formatOf(doc, "italic").fontItalic());
    QVERIFY(!formatOf(doc, "italic").fontUnderline());
    QVERIFY(formatOf(doc, "under").fontUnderline());
    QVERIFY(formatOf(doc, "gone").fontStrikeOut());
    QCOMPARE(formatOf(doc, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(doc, "blue").foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(doc, "marked").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatOf(doc, "marked").background().color(), QColor(255, 0, 0));

    QVERIFY(blockOf(doc, "centred").blockFormat().alignment() & Qt::AlignHCenter);
    QVERIFY(blockOf(doc, "right").blockFormat().alignment() & Qt::AlignRight);
    QCOMPARE(formatOf(doc, "right").fontPointSize(), 14.0);
    QCOMPARE(blockOf(doc, "Plain").blockFormat().bottomMargin(), 200 / RtfFormats::TwipsPerPixel);

    // Both bullets form one list; the marker text is not part of the text.
    QTextList *list = blockOf(doc, "first bullet").textList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(doc, "second bullet").textList(), list);
    QCOMPARE(list->count(), 2);
    QVERIFY(!blockOf(doc, "Привет").textList());

    QCOMPARE(family(formatOf(doc, "Привет")), QStringLiteral("Times New Roman"));
    QCOMPARE(formatOf(doc, "Привет").intProperty(RtfFormats::CharsetProperty), 204);
    QVERIFY(formatOf(doc, "a link").isAnchor());
    QCOMPARE(formatOf(doc, "a link").anchorHref(), QStringLiteral("https://example.org/a?b=1"));
    QVERIFY(!formatOf(doc, "after").isAnchor());
}

void TestRtfReader::wordFormatting()
{
    QTextDocument doc;
    RtfReader::read(fixture(QStringLiteral("word.rtf")), &doc);

    QVERIFY(!doc.toRawText().contains(QStringLiteral("Header text")));
    QVERIFY(!doc.toRawText().contains(QStringLiteral("Somebody")));
    QVERIFY(!doc.toRawText().contains(QStringLiteral("Normal")));
    QCOMPARE(family(formatOf(doc, "Title")), QStringLiteral("Calibri"));
    QCOMPARE(formatOf(doc, "Title").fontPointSize(), 16.0);
    QCOMPARE(formatOf(doc, "Title").fontWeight(), int(QFont::Bold));
    QVERIFY(blockOf(doc, "Title").blockFormat().alignment() & Qt::AlignHCenter);
    QCOMPARE(family(formatOf(doc, "Café")), QStringLiteral("Times New Roman"));
    QVERIFY(formatOf(doc, "green italic").fontItalic());
    QCOMPARE(formatOf(doc, "green italic").foreground().color(), QColor(0, 128, 0));

    QTextList *bullets = blockOf(doc, "Apple").textList();
    QVERIFY(bullets);
    QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(bullets->format().indent(), 1);
    QTextList *nested = blockOf(doc, "Green apple").textList();
    QVERIFY(nested);
    QCOMPARE(nested->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(nested->format().indent(), 2);
    QTextList *steps = blockOf(doc, "Step one").textList();
    QVERIFY(steps);
    QCOMPARE(steps->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(blockOf(doc, "Step two").textList(), steps);
    QCOMPARE(steps->itemNumber(blockOf(doc, "Step two")), 1);

    QCOMPARE(formatOf(doc, "the site").anchorHref(), QStringLiteral("https://example.com/"));
    QVERIFY(formatOf(doc, "the site").fontUnderline());
    QVERIFY(!formatOf(doc, ".").isAnchor());

    QTextTable *table = QTextCursor(blockOf(doc, "Name")).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("3"));

    // The PNG of the shape is kept at its shown size; the metafile copy is not.
    const int at = positionOf(doc, QString(QChar::ObjectReplacementCharacter));
    QVERIFY(at > 0);
    QCOMPARE(doc.toRawText().count(QChar::ObjectReplacementCharacter), 1);
    QTextCursor cursor(&doc);
    cursor.setPosition(at + 1);
    const QTextImageFormat image = cursor.charFormat().toImageFormat();
    QVERIFY(image.isValid());
    QCOMPARE(image.width(), 20.0);
    QCOMPARE(image.height(), 20.0);
    const QImage pixels = QImage::fromData(
        doc.resource(QTextDocument::ImageResource, QUrl(image.name())).toByteArray());
    QCOMPARE(pixels.size(), QSize(4, 3));
    QCOMPARE(pixels.pixelColor(1, 1), QColor(255, 0, 0));
}

void TestRtfReader::libreOfficeFormatting()
{
    QTextDocument doc;
    RtfReader::read(fixture(QStringLiteral("libreoffice.rtf")), &doc);

    QCOMPARE(family(formatOf(doc, "Heading")), QStringLiteral("Liberation Sans"));
    QCOMPARE(formatOf(doc, "Heading").fontPointSize(), 14.0);
    QCOMPARE(family(formatOf(doc, "Normal")), QStringLiteral("Liberation Serif"));
    QCOMPARE(formatOf(doc, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(formatOf(doc, "italic underlined").fontItalic());
    QVERIFY(formatOf(doc, "italic underlined").fontUnderline());
    QCOMPARE(formatOf(doc, "red").foreground().color(), QColor(201, 33, 30));
    QVERIFY(blockOf(doc, "one").blockFormat().alignment() & Qt::AlignHCenter);
    QCOMPARE(blockOf(doc, "one").text(), QStringLiteral("one\u2028two"));

    QCOMPARE(blockOf(doc, "Dot").textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(doc, "Ring").textList()->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(blockOf(doc, "Ring").textList()->format().indent(), 2);
    QCOMPARE(blockOf(doc, "Letter").textList()->format().style(), QTextListFormat::ListLowerAlpha);

    QTextTable *table = QTextCursor(blockOf(doc, "B2")).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    QVERIFY(blockOf(doc, "Next page").blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
}

void TestRtfReader::codePages_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1251 document, \\'hh") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                                           << QStringLiteral("Привет");
    QTest::newRow("fcharset204 in a 1252 document")
        << rtf("{\\fonttbl{\\f1\\fcharset204 Times;}}\\f1\\'e0\\'e1\\f0 \\'e9") << QStringLiteral("абé");
    QTest::newRow("Greek fcharset161") << rtf("{\\fonttbl{\\f1\\fcharset161 Arial;}}\\f1\\'e1\\'e2\\'e3")
                                       << QStringLiteral("αβγ");
    QTest::newRow("1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'9c}") << QStringLiteral("ąś");
    QTest::newRow("866") << QByteArray("{\\rtf1\\ansi\\ansicpg866 \\'8f\\'e0}") << QStringLiteral("Пр");
    QTest::newRow("874 Thai") << rtf("{\\fonttbl{\\f1\\fcharset222 Tahoma;}}\\f1\\'a1") << QStringLiteral("ก");
    QTest::newRow("Shift-JIS, trail byte 7b escaped")
        << rtf("{\\fonttbl{\\f1\\fcharset128 MS Mincho;}}\\f1\\'82\\'a0\\'93\\'fa\\'96\\'7b") << QStringLiteral("あ日本");
    QTest::newRow("GBK") << rtf("{\\fonttbl{\\f1\\fcharset134 SimSun;}}\\f1\\'c4\\'e3\\'ba\\'c3") << QStringLiteral("你好");
    QTest::newRow("Big5") << rtf("{\\fonttbl{\\f1\\fcharset136 MingLiU;}}\\f1\\'a4\\'a4") << QStringLiteral("中");
    QTest::newRow("Korean") << rtf("{\\fonttbl{\\f1\\fcharset129 Batang;}}\\f1\\'c7\\'d1") << QStringLiteral("한");
    QTest::newRow("Mac Roman") << QByteArray("{\\rtf1\\mac \\'8e}") << QStringLiteral("é");
    QTest::newRow("1252 upper half") << rtf("\\'93\\'80\\'94") << QStringLiteral("“€”");
    QTest::newRow("unknown code page falls back to 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg99999 \\'e9}") << QStringLiteral("é");
    QTest::newRow("font name in its code page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}\\f0 x}") << QStringLiteral("x");
    QTest::newRow("\\u skips \\uc1 fallback") << rtf("\\uc1\\u1055?\\u1088\\'3fx") << QStringLiteral("Прx");
    QTest::newRow("\\uc0 has no fallback") << rtf("\\uc0\\u1055\\u1088 x") << QStringLiteral("Прx");
    QTest::newRow("\\uc2 skips two bytes") << rtf("\\uc2\\u1055\\'cf\\'cfx") << QStringLiteral("Пx");
    QTest::newRow("\\uc is scoped to its group") << rtf("{\\uc2\\u1055 ab}\\u1088 ?c") << QStringLiteral("Прc");
    QTest::newRow("fallback skip stops at a group end") << rtf("{\\uc3\\u1055 a}bc") << QStringLiteral("Пbc");
    QTest::newRow("negative \\u, surrogate pair") << rtf("\\u-10179?\\u-8704?") << QStringLiteral("😀");
    QTest::newRow("negative \\u in the BMP") << rtf("\\u-3913?") << QStringLiteral("\uF0B7");
    QTest::newRow("escaped symbols") << rtf("a\\{b\\}c\\\\d\\~e\\_f") << QStringLiteral("a{b}c\\d e\u2011f");
}

void TestRtfReader::codePages()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(RtfReader::toPlainText(input), expected);
    QTextDocument doc;
    RtfReader::read(input, &doc);
    QCOMPARE(doc.toPlainText(), expected);
}

void TestRtfReader::malformedInputGivesADocument_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty group") << QByteArray("{\\rtf1}") << QString();
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}} b}") << QStringLiteral("a b");
    QTest::newRow("truncated in a group") << QByteArray("{\\rtf1{\\b bol") << QStringLiteral("bol");
    QTest::newRow("truncated after a backslash") << QByteArray("{\\rtf1 x\\") << QStringLiteral("x");
    QTest::newRow("truncated hex escape") << QByteArray("{\\rtf1 x\\'e") << QStringLiteral("x");
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 x\\'zzy}") << QStringLiteral("xy");
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999 a\\li-99999999999999\\cf99999 b"
                                                "\\u99999999999999 c\\uc999999999 d\\par}")
                                  << QStringLiteral("ab\uFFFFd");
    QTest::newRow("\\bin past the end") << QByteArray("{\\rtf1 a\\bin999999999 xyz") << QStringLiteral("a");
    QTest::newRow("\\bin skips its bytes") << QByteArray("{\\rtf1 a\\bin3 {}\\b}") << QStringLiteral("ab");
    QTest::newRow("over-long control word") << QByteArray("{\\rtf1 a\\") + QByteArray(5000, 'x') + " b}"
                                            << QStringLiteral("ab");
    QTest::newRow("NUL and control bytes") << QByteArray("{\\rtf1 a\0b\x01" "c}", 13) << QStringLiteral("abc");
    QTest::newRow("100,000 nested groups")
        << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " end}"
        << QStringLiteral("deep end");
    QTest::newRow("100,000 unclosed groups") << QByteArray("{\\rtf1 ") + QByteArray(100000, '{') + "x"
                                             << QStringLiteral("x");
    QTest::newRow("skipped destination never closed") << QByteArray("{\\rtf1 a{\\*\\foo b") << QStringLiteral("a");
    QTest::newRow("picture that is no PNG") << QByteArray("{\\rtf1 a{\\pict\\pngblip 0102030405}b}")
                                            << QStringLiteral("ab");
    QTest::newRow("odd hex digits in a picture") << QByteArray("{\\rtf1 {\\pict\\pngblip 0}x}")
                                                 << QStringLiteral("x");
    QTest::newRow("cells without rows") << QByteArray("{\\rtf1\\intbl a\\cell b\\cell\\pard c\\par}")
                                        << QStringLiteral("a\tb\nc");
    QTest::newRow("row ending a paragraph") << QByteArray("{\\rtf1 a\\row b}") << QStringLiteral("a\nb");
    QTest::newRow("a very wide row becomes a line")
        << QByteArray("{\\rtf1\\trowd") + QByteArray("\\intbl x\\cell").repeated(300) + "\\row\\pard y}"
        << (QStringLiteral("x\t").repeated(299) + QStringLiteral("x\ny"));
    QTest::newRow("field without result") << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}} z}")
                                          << QStringLiteral(" z");
    QTest::newRow("colour index past the table") << QByteArray("{\\rtf1{\\colortbl;\\red1;}\\cf7 a\\cb9 b}")
                                                 << QStringLiteral("ab");
    QTest::newRow("list reference to a missing list") << QByteArray("{\\rtf1\\ls42\\ilvl12 a\\par}")
                                                      << QStringLiteral("a");
}

void TestRtfReader::malformedInputGivesADocument()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(RtfReader::toPlainText(input), expected);
    QTextDocument doc;
    QVERIFY(RtfReader::read(input, &doc));
    QVERIFY(doc.characterCount() >= 1);
}

void TestRtfReader::notRtfIsPlainText_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("UTF-8") << QByteArray("Zürich\r\nМосква") << QStringLiteral("Zürich\nМосква");
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80") << QStringLiteral("café €");
    QTest::newRow("almost RTF") << QByteArray("{\\rtx1 a}") << QStringLiteral("{\\rtx1 a}");
}

void TestRtfReader::notRtfIsPlainText()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QTextDocument doc;
    QVERIFY(!RtfReader::read(input, &doc));
    QCOMPARE(doc.toPlainText(), expected);
    QCOMPARE(RtfReader::toPlainText(input), expected);
}

// Writers end every paragraph with \par, the last one included; that mark
// does not start one more, empty paragraph.
void TestRtfReader::finalParagraphMark()
{
    QTextDocument doc;
    RtfReader::read("{\\rtf1 one\\par two\\par}", &doc);
    QCOMPARE(doc.blockCount(), 2);
    RtfReader::read("{\\rtf1 one\\par\\par}", &doc);
    QCOMPARE(doc.blockCount(), 2);
    QCOMPARE(doc.toPlainText(), QStringLiteral("one\n"));
    RtfReader::read("{\\rtf1 one\\par two}", &doc);
    QCOMPARE(doc.toPlainText(), QStringLiteral("one\ntwo"));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
