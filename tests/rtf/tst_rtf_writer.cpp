#include "RtfTestDocuments.h"

#include "platform/rtf/RtfFormats.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace RtfTestDocuments;

namespace {

QFont bodyFont()
{
    return QFont(QStringLiteral("Liberation Sans"), 11);
}

// What our reader makes of what our writer wrote.
void roundTrip(const QTextDocument &original, QTextDocument &back)
{
    back.setDefaultFont(original.defaultFont());
    QVERIFY(RtfReader::read(RtfWriter::write(&original), &back));
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsTheDocument_data();
    void roundTripKeepsTheDocument();
    void roundTripOfEditedText();
    void outputIsCompactSevenBitRtf();
    void roundTripKeepsPictures();
    void fixturesSurviveARoundTrip_data();
    void fixturesSurviveARoundTrip();
};

void TestRtfWriter::roundTripKeepsTheDocument_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("plain") << "plain text";
    QTest::newRow("empty") << "";
    QTest::newRow("styles") << "<b>b</b> <i>i</i> <u>u</u> <s>s</s> <b><i><u><s>all</s></u></i></b>";
    QTest::newRow("font and size")
        << "<span style='font-family:Liberation Serif; font-size:17pt'>serif</span> "
           "<span style='font-family:Liberation Mono; font-size:8.5pt'>mono</span>";
    QTest::newRow("colours") << "<span style='color:#c00000; background-color:#ffff00'>x</span>"
                                "<span style='color:#00c000'>y</span>z";
    QTest::newRow("super and subscript") << "x<sup>2</sup> H<sub>2</sub>O";
    QTest::newRow("alignment") << "<p align=center>c</p><p align=right>r</p><p align=justify>j</p><p>l</p>";
    QTest::newRow("indents and spacing")
        << "<p style='margin-left:30px; margin-right:12px; text-indent:-15px; margin-top:6px; "
           "margin-bottom:9px'>x</p><p style='text-indent:20px'>y</p>";
    QTest::newRow("bullets") << "<ul><li>a</li><li><b>b</b></li></ul><p>after</p>";
    QTest::newRow("numbers") << "<ol><li>one</li><li>two</li><li>three</li></ol>";
    QTest::newRow("letters and roman") << "<ol type=a><li>a</li></ol><p>-</p><ol type=I><li>I</li><li>II</li></ol>";
    QTest::newRow("nested list") << "<ul><li>a<ul><li>b</li></ul></li><li>c</li></ul>";
    QTest::newRow("line breaks") << "one<br>two<br><br>four";
    QTest::newRow("Unicode") << QStringLiteral("Привет Γεια 你好 😀 é € “q” – {braces} back\\slash");
    QTest::newRow("empty lines keep their size")
        << "<p>a</p><p style='font-size:20pt'><span style='font-size:20pt'><br></span></p><p></p><p>b</p>";
    QTest::newRow("links") << "<a href='https://example.org/x?a=1&amp;b=2'>site</a> and <a href='#here'>local</a>"
                              " and <a href='file:///C:/dir/x.txt'>file</a>";
    QTest::newRow("table") << "<p>before</p><table><tr><td>a</td><td><b>b</b></td></tr>"
                              "<tr><td>c</td><td>d<br>e</td></tr></table><p>after</p>";
    QTest::newRow("page break") << "<p>a</p><p style='page-break-before:always'>b</p>";
}

void TestRtfWriter::roundTripKeepsTheDocument()
{
    QFETCH(QString, html);
    QTextDocument original;
    original.setDefaultFont(bodyFont());
    original.setHtml(html);
    QTextDocument back;
    roundTrip(original, back);
    QCOMPARE(describe(back), describe(original));
}

// What the editor's own commands produce: insertion formats, tabs, line
// breaks, the character set of a font and a list made by the bullet command.
void TestRtfWriter::roundTripOfEditedText()
{
    QTextDocument original;
    original.setDefaultFont(bodyFont());
    QTextCursor cursor(&original);
    QTextCharFormat cyrillic;
    cyrillic.setFontFamilies({QStringLiteral("Times New Roman")});
    cyrillic.setProperty(RtfFormats::CharsetProperty, 204);
    cursor.insertText(QStringLiteral("Текст"), cyrillic);
    cursor.insertText(QStringLiteral("\ta\u2028b"), QTextCharFormat());
    cursor.insertBlock();
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(1);
    cursor.createList(bullets);
    cursor.insertText(QStringLiteral("item"));
    QTextBlockFormat indented;
    indented.setLeftMargin(20);
    cursor.mergeBlockFormat(indented);

    QTextDocument back;
    roundTrip(original, back);
    QCOMPARE(describe(back), describe(original));
    QCOMPARE(back.toPlainText(), QStringLiteral("Текст\ta\nb\nitem"));
}

void TestRtfWriter::outputIsCompactSevenBitRtf()
{
    QTextDocument doc;
    doc.setDefaultFont(bodyFont());
    const QString words = QStringLiteral("word ").repeated(200);
    doc.setPlainText(words + QStringLiteral("é ж"));
    const QByteArray rtf = RtfWriter::write(&doc);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
    QVERIFY(rtf.endsWith("}\n"));
    for (char c : rtf)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, "RTF must be 7-bit");
    QVERIFY(rtf.contains("\\'e9"));
    QVERIFY(rtf.contains("\\u1078?"));
    // One font, no colours, no per-run repetition of the formatting.
    QVERIFY(rtf.size() < words.size() + 200);
    QCOMPARE(rtf.count("\\fs"), 1);
}

void TestRtfWriter::roundTripKeepsPictures()
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 200));
    QTextDocument original;
    original.setDefaultFont(bodyFont());
    original.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("mem:pic.png")), image);
    QTextCursor cursor(&original);
    cursor.insertText(QStringLiteral("see "));
    QTextImageFormat picture;
    picture.setName(QStringLiteral("mem:pic.png"));
    picture.setWidth(30);
    picture.setHeight(20);
    cursor.insertImage(picture);

    QTextDocument back;
    roundTrip(original, back);
    QCOMPARE(describe(back), describe(original));
    QTextCursor at(&back);
    at.setPosition(5);
    const QVariant stored = back.resource(QTextDocument::ImageResource, QUrl(at.charFormat().toImageFormat().name()));
    const QImage pixels = QImage::fromData(stored.toByteArray());
    QCOMPARE(pixels.size(), QSize(6, 4));
    QCOMPARE(pixels.pixelColor(2, 2), QColor(0, 0, 200));
}

void TestRtfWriter::fixturesSurviveARoundTrip_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &name : fixtureNames())
        QTest::newRow(qPrintable(name)) << name;
}

// Documents read from other programs' files are written back unchanged.
void TestRtfWriter::fixturesSurviveARoundTrip()
{
    QFETCH(QString, file);
    QTextDocument original;
    original.setDefaultFont(bodyFont());
    RtfReader::read(fixture(file), &original);
    QTextDocument back;
    roundTrip(original, back);
    QCOMPARE(describe(back), describe(original));
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtf_writer.moc"
