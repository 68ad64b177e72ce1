#include "platform/rtf/RichEdit.h"
#include "platform/rtf/RichClipboard.h"
#include "platform/rtf/RtfReader.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

const QString longParagraph = QStringLiteral(
    "The quick brown fox jumps over the lazy dog and keeps running through the field "
    "until the evening comes and the light fades over the quiet hills far away.");

} // namespace

class TestRichEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void linesFollowWrapping_data();
    void linesFollowWrapping();
    void lineCountRules_data();
    void lineCountRules();
    void caretLineAndColumn();
    void firstVisibleLineAndScrolling();
    void findText_data();
    void findText();
    void styleToggleAddsThenRemoves();
    void selectionAttributesAndFont();
    void alignmentAndBulletsTouchSelectedParagraphs();
    void modifiedFlagAndUndo();
    void maxLengthStopsTyping();
    void appendLineGoesToTheEnd();
    void plainTextWithLineEnds();
    void copyOffersThreeFormats();
    void pastePrefersRtfThenHtmlThenText();

private:
    RichEdit *edit = nullptr;
};

void TestRichEdit::init()
{
    edit = new RichEdit;
    edit->setFont(QFont(QStringLiteral("Liberation Mono"), 10));
    edit->resize(320, 120);
    edit->show();
    QVERIFY(QTest::qWaitForWindowExposed(edit));
}

void TestRichEdit::cleanup()
{
    delete edit;
    edit = nullptr;
}

void TestRichEdit::linesFollowWrapping_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::newRow("wrap on") << true;
    QTest::newRow("wrap off") << false;
}

// Every character lies on exactly one line, lines follow each other without
// gaps, and the line index functions agree with each other.
void TestRichEdit::linesFollowWrapping()
{
    QFETCH(bool, wrap);
    edit->setWordWrap(wrap);
    edit->setPlainText(longParagraph + QStringLiteral("\nshort\n") + longParagraph);
    QCOMPARE(edit->wordWrap(), wrap);

    const int count = edit->lineCount();
    if (wrap)
        QVERIFY2(count >= 5, qPrintable(QString::number(count)));
    else
        QCOMPARE(count, 3);
    QString joined;
    for (int line = 0; line < count; ++line) {
        const int start = edit->lineStartIndex(line);
        QCOMPARE(edit->lineFromIndex(start), line);
        if (line > 0) {
            QVERIFY(start > edit->lineStartIndex(line - 1));
            QCOMPARE(edit->lineFromIndex(start - 1), line - 1);
        }
        joined += edit->lineText(line);
    }
    QCOMPARE(joined, longParagraph + QStringLiteral("short") + longParagraph);
    QCOMPARE(edit->lineStartIndex(count), -1);
    QCOMPARE(edit->lineText(count), QString());
    QCOMPARE(edit->lineFromIndex(1'000'000), count - 1);
    QCOMPARE(edit->lineFromIndex(-10), 0);
}

void TestRichEdit::lineCountRules_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty") << QByteArray("{\\rtf1 }") << 0;
    QTest::newRow("one line") << QByteArray("{\\rtf1 a}") << 1;
    QTest::newRow("last empty line not counted") << QByteArray("{\\rtf1 a\\par b\\par\\par}") << 2;
    QTest::newRow("empty lines inside count") << QByteArray("{\\rtf1 a\\par\\par\\par b}") << 4;
    QTest::newRow("line break") << QByteArray("{\\rtf1 a\\line b\\line c}") << 3;
    QTest::newRow("leading empty line") << QByteArray("{\\rtf1\\par b}") << 2;
}

void TestRichEdit::lineCountRules()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, lines);
    edit->setRtf(rtf);
    QCOMPARE(edit->lineCount(), lines);
    edit->setWordWrap(false);
    QCOMPARE(edit->lineCount(), lines);
}

void TestRichEdit::caretLineAndColumn()
{
    edit->setPlainText(QStringLiteral("first\nsecond line\u2028after break"));
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(6 + 3);  // "sec|ond"
    edit->setTextCursor(cursor);
    QCOMPARE(edit->caretLine(), 1);
    QCOMPARE(edit->caretColumn(), 3);
    QCOMPARE(edit->lineStartIndex(-1), 6);
    cursor.setPosition(6 + 12 + 5);  // "after| break"
    edit->setTextCursor(cursor);
    QCOMPARE(edit->caretLine(), 2);
    QCOMPARE(edit->caretColumn(), 5);
    QCOMPARE(edit->lineText(2), QStringLiteral("after break"));
    QCOMPARE(edit->lineText(1), QStringLiteral("second line"));

    // With wrapping, the column counts from the start of the displayed line.
    edit->setPlainText(longParagraph);
    const int second = edit->lineStartIndex(1);
    QVERIFY(second > 0);
    cursor = edit->textCursor();
    cursor.setPosition(second + 2);
    edit->setTextCursor(cursor);
    QCOMPARE(edit->caretLine(), 1);
    QCOMPARE(edit->caretColumn(), 2);
}

void TestRichEdit::firstVisibleLineAndScrolling()
{
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("line %1").arg(i);
    edit->setPlainText(lines.join(u'\n'));
    QCOMPARE(edit->firstVisibleLine(), 0);
    edit->scrollLines(10);
    QCOMPARE(edit->firstVisibleLine(), 10);
    edit->scrollLines(-4);
    QCOMPARE(edit->firstVisibleLine(), 6);
    edit->scrollLines(-100);
    QCOMPARE(edit->firstVisibleLine(), 0);
    QCOMPARE(edit->verticalScrollBar()->value(), 0);
    // As far as the text allows: the last lines cannot reach the top.
    edit->scrollLines(1000);
    const int last = edit->firstVisibleLine();
    QVERIFY(last > 40 && last < 59);
    QCOMPARE(edit->verticalScrollBar()->value(), edit->verticalScrollBar()->maximum());

    // Wrapped lines are scrolled one displayed line at a time.
    edit->setPlainText(longParagraph.repeated(6));
    QVERIFY(edit->lineCount() > 10);
    edit->scrollLines(3);
    QCOMPARE(edit->firstVisibleLine(), 3);
}

void TestRichEdit::findText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("expected");
    QTest::newRow("simple") << "one cat here" << "cat" << 0 << 12 << false << false << 4;
    QTest::newRow("ignoring case") << "one CAT here" << "cat" << 0 << 12 << false << false << 4;
    QTest::newRow("match case skips") << "cat Cat" << "Cat" << 0 << 7 << true << false << 4;
    QTest::newRow("whole word skips category") << "category cat" << "cat" << 0 << 12 << false << true << 9;
    QTest::newRow("whole word, none") << "category scatter" << "cat" << 0 << 16 << false << true << -1;
    QTest::newRow("whole word at punctuation") << "(cat)." << "cat" << 0 << 6 << false << true << 1;
    QTest::newRow("from start") << "cat cat" << "cat" << 1 << 6 << false << false << 4;
    QTest::newRow("match must end inside the range") << "ab cat" << "cat" << 0 << 5 << false << false << -1;
    QTest::newRow("negative length: to the end") << "ab cat" << "cat" << 0 << -1 << false << false << 3;
    QTest::newRow("start past the end") << "ab cat" << "cat" << 50 << 10 << false << false << -1;
    QTest::newRow("empty needle") << "ab" << "" << 0 << 2 << false << false << -1;
    QTest::newRow("Cyrillic ignoring case") << "Привет МИР" << "мир" << 0 << 10 << false << true << 7;
    QTest::newRow("second paragraph") << "ab\ncd cd" << "cd" << 4 << 4 << true << false << 6;
}

void TestRichEdit::findText()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(int, expected);
    edit->setPlainText(text);
    QCOMPARE(edit->findText(needle, start, length, matchCase, wholeWord), expected);
    if (expected >= 0) {
        // The index is a position the control can select.
        edit->setSelection(expected, int(needle.size()));
        QCOMPARE(edit->selectedText().compare(needle, Qt::CaseInsensitive), 0);
    }
}

void TestRichEdit::styleToggleAddsThenRemoves()
{
    edit->setRtf("{\\rtf1 plain {\\b bold} plain}");
    edit->setSelection(0, 10);  // "plain bold": partly bold
    QVERIFY(!edit->selectionHasStyle(FontStyle::Bold));
    edit->toggleSelectionStyle(FontStyle::Bold);
    QVERIFY(edit->selectionHasStyle(FontStyle::Bold));
    edit->toggleSelectionStyle(FontStyle::Bold);
    QVERIFY(!edit->selectionHasStyle(FontStyle::Bold));
    edit->setSelection(6, 4);
    QVERIFY(!edit->selectionHasStyle(FontStyle::Bold));

    for (FontStyle style : {FontStyle::Italic, FontStyle::Underline, FontStyle::StrikeOut}) {
        edit->setSelection(0, 5);
        edit->toggleSelectionStyle(style);
        QVERIFY(edit->selectionHasStyle(style));
        edit->setSelection(11, 5);
        QVERIFY(!edit->selectionHasStyle(style));
    }
    const QByteArray saved = edit->rtf();
    QVERIFY(saved.contains("\\i") && saved.contains("\\ul") && saved.contains("\\strike"));
}

void TestRichEdit::selectionAttributesAndFont()
{
    edit->setRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Courier New;}}{\\colortbl;\\red200\\green0\\blue0;}"
                 "\\f0\\fs20 ab\\f1\\fs28\\cf1\\i cd}");
    edit->setSelection(2, 2);
    CharAttributes a = edit->selectionAttributes();
    QCOMPARE(a.fontName, QStringLiteral("Courier New"));
    QCOMPARE(a.pointSize, 14.0);
    QCOMPARE(a.color, QColor(200, 0, 0));
    QCOMPARE(a.charset, 204);
    QVERIFY(a.italic && !a.bold);

    a.fontName = QStringLiteral("Liberation Serif");
    a.pointSize = 9;
    a.color = QColor(0, 0, 128);
    a.bold = true;
    a.italic = false;
    a.charset = 161;
    edit->setSelection(0, 2);
    edit->setSelectionFont(a);
    edit->setRtf(edit->rtf());
    edit->setSelection(0, 1);
    const CharAttributes back = edit->selectionAttributes();
    QCOMPARE(back.fontName, a.fontName);
    QCOMPARE(back.pointSize, 9.0);
    QCOMPARE(back.color, a.color);
    QCOMPARE(back.charset, 161);
    QVERIFY(back.bold && !back.italic);
}

void TestRichEdit::alignmentAndBulletsTouchSelectedParagraphs()
{
    edit->setPlainText(QStringLiteral("one\ntwo\nthree\nfour"));
    edit->setSelection(5, 6);  // from "two" into "three"
    edit->setParagraphAlignment(Qt::AlignHCenter);
    QTextDocument *doc = edit->document();
    auto alignmentOf = [&](int block) {
        return doc->findBlockByNumber(block).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(alignmentOf(0), Qt::AlignLeft);
    QCOMPARE(alignmentOf(1), Qt::AlignHCenter);
    QCOMPARE(alignmentOf(2), Qt::AlignHCenter);
    QCOMPARE(alignmentOf(3), Qt::AlignLeft);
    QCOMPARE(edit->paragraphAlignment(), Qt::AlignHCenter);

    QVERIFY(!edit->paragraphsBulleted());
    edit->toggleBullets();
    QVERIFY(edit->paragraphsBulleted());
    QTextList *list = doc->findBlockByNumber(1).textList();
    QVERIFY(list);
    QCOMPARE(doc->findBlockByNumber(2).textList(), list);
    QVERIFY(!doc->findBlockByNumber(0).textList());
    QVERIFY(!doc->findBlockByNumber(3).textList());
    QVERIFY(edit->rtf().contains("\\pnlvlblt"));

    edit->toggleBullets();
    for (int b = 0; b < 4; ++b)
        QVERIFY(!doc->findBlockByNumber(b).textList());
}

void TestRichEdit::modifiedFlagAndUndo()
{
    edit->setRtf("{\\rtf1 body}");
    QVERIFY(!edit->isModified());
    QVERIFY(!edit->document()->isUndoAvailable());  // loading is not an edit
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, QStringLiteral(" more"));
    QVERIFY(edit->isModified());
    QCOMPARE(edit->toPlainText(), QStringLiteral("body more"));
    edit->undo();
    QCOMPARE(edit->toPlainText(), QStringLiteral("body"));
    edit->setModified(false);
    QVERIFY(!edit->isModified());
    edit->setRtf("{\\rtf1 other}");
    QVERIFY(!edit->isModified());
}

void TestRichEdit::maxLengthStopsTyping()
{
    QCOMPARE(edit->maxLength(), RichEdit::DefaultMaxLength);
    edit->setRtf("{\\rtf1 abc}");
    edit->setMaxLength(6);
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, QStringLiteral("defgh"));
    QCOMPARE(edit->toPlainText(), QStringLiteral("abcdef"));

    auto *data = new QMimeData;
    data->setText(QStringLiteral("XYZ"));
    edit->setSelection(1, 1);
    QApplication::clipboard()->setMimeData(data);
    edit->paste();
    // Only what fits of the pasted text goes in; the text after it stays.
    QCOMPARE(edit->toPlainText(), QStringLiteral("aXcdef"));
    // One undo takes back the whole paste.
    edit->undo();
    QCOMPARE(edit->toPlainText(), QStringLiteral("abcdef"));
}

void TestRichEdit::appendLineGoesToTheEnd()
{
    edit->setRtf("{\\rtf1 first\\par second}");
    edit->setSelection(2, 0);
    edit->appendLine(QStringLiteral("03.03.2024"));
    QCOMPARE(edit->toPlainText(), QStringLiteral("first\nsecond\n03.03.2024"));
    QCOMPARE(edit->textCursor().position(), int(edit->toPlainText().size()));
    QVERIFY(edit->isModified());

    edit->setRtf("{\\rtf1 }");
    edit->appendLine(QStringLiteral("42"));
    QCOMPARE(edit->toPlainText(), QStringLiteral("42"));

    edit->setRtf("{\\rtf1 a\\par\\par}");
    edit->appendLine(QStringLiteral("b"));
    QCOMPARE(edit->toPlainText(), QStringLiteral("a\nb"));
}

void TestRichEdit::plainTextWithLineEnds()
{
    edit->setRtf("{\\rtf1 ab cd\\par e\\line f\\par}");
    QCOMPARE(edit->plainTextWithLineEnds(), QStringLiteral("ab cd\r\ne\r\nf\r\n"));
    edit->setRtf("{\\rtf1 }");
    QCOMPARE(edit->plainTextWithLineEnds(), QString());
    edit->setRtf("{\\rtf1\\par x\\par\\par}");
    QCOMPARE(edit->plainTextWithLineEnds(), QStringLiteral("\r\nx\r\n"));
}

void TestRichEdit::copyOffersThreeFormats()
{
    edit->setRtf("{\\rtf1 keep {\\b bold} text}");
    edit->setSelection(5, 4);
    edit->copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));
    QVERIFY(data->hasHtml());
    QCOMPARE(data->text(), QStringLiteral("bold"));
    QTextDocument fromRtf;
    RtfReader::read(data->data(QStringLiteral("text/rtf")), &fromRtf);
    QCOMPARE(fromRtf.toPlainText(), QStringLiteral("bold"));
    QCOMPARE(fromRtf.begin().begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
    QVERIFY(data->html().contains(QStringLiteral("bold")));
}

void TestRichEdit::pastePrefersRtfThenHtmlThenText()
{
    auto pasteFormats = [&](const QByteArray &rtf, const QString &html, const QString &text) {
        auto *data = new QMimeData;
        if (!rtf.isEmpty())
            data->setData(QStringLiteral("text/rtf"), rtf);
        if (!html.isEmpty())
            data->setHtml(html);
        if (!text.isEmpty())
            data->setText(text);
        QApplication::clipboard()->setMimeData(data);
        edit->setRtf("{\\rtf1 }");
        edit->paste();
        QTextCursor cursor(edit->document());
        cursor.setPosition(1);
        return std::make_pair(edit->toPlainText(), cursor.charFormat());
    };
    auto [fromRtf, rtfFormat] = pasteFormats("{\\rtf1 {\\b R}}", QStringLiteral("<i>H</i>"), QStringLiteral("T"));
    QCOMPARE(fromRtf, QStringLiteral("R"));
    QCOMPARE(rtfFormat.fontWeight(), int(QFont::Bold));
    auto [fromHtml, htmlFormat] = pasteFormats({}, QStringLiteral("<i>H</i>"), QStringLiteral("T"));
    QCOMPARE(fromHtml, QStringLiteral("H"));
    QVERIFY(htmlFormat.fontItalic());
    auto [fromText, textFormat] = pasteFormats({}, {}, QStringLiteral("T"));
    QCOMPARE(fromText, QStringLiteral("T"));
    QVERIFY(!textFormat.fontItalic());
    QVERIFY(!RichClipboard::canInsert(new QMimeData));
}

QTEST_MAIN(TestRichEdit)
#include "tst_rich_edit.moc"
