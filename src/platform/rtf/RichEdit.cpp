#include "platform/rtf/RichEdit.h"

#include "platform/rtf/RichClipboard.h"
#include "platform/rtf/RtfFormats.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/rtf/TextSearch.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>

#include <cmath>

RichEdit::RichEdit(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    connect(document(), &QTextDocument::contentsChange, this, &RichEdit::enforceMaxLength);
}

// ---- Content

void RichEdit::setRtf(const QByteArray &rtf)
{
    QScopedValueRollback loading(m_loading, true);
    RtfReader::read(rtf, document());
    moveCursor(QTextCursor::Start);
    document()->setModified(false);
}

QByteArray RichEdit::rtf() const
{
    return RtfWriter::write(document());
}

bool RichEdit::isModified() const
{
    return document()->isModified();
}

void RichEdit::setModified(bool modified)
{
    document()->setModified(modified);
}

QString RichEdit::text() const
{
    return document()->toRawText();
}

QString RichEdit::plainTextWithLineEnds() const
{
    QString out;
    const QTextDocument *doc = document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const bool last = block == doc->lastBlock();
        QString text = block.text();
        if (last && text.isEmpty())
            break;  // the empty line after a final paragraph break is no line
        text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
        out += text;
        out += QLatin1String("\r\n");
    }
    return out;
}

void RichEdit::appendLine(const QString &line)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // A document that is empty or ends with an empty line gets the text on
    // that line; otherwise a new line is started.
    if (cursor.block().length() > 1)
        cursor.insertBlock();
    cursor.insertText(line);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void RichEdit::setMaxLength(int length)
{
    m_maxLength = length <= 0 ? DefaultMaxLength : length;
}

void RichEdit::enforceMaxLength(int position, int /*removed*/, int added)
{
    if (m_trimming || m_loading || added <= 0)
        return;
    const int excess = document()->characterCount() - 1 - m_maxLength;
    if (excess <= 0)
        return;
    QScopedValueRollback guard(m_trimming, true);
    // Cut what was just inserted, from its end, so earlier text stays.
    const int end = std::min(position + added, document()->characterCount() - 1);
    QTextCursor cursor(document());
    cursor.setPosition(std::max(position, end - excess));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.joinPreviousEditBlock();
    cursor.removeSelectedText();
    cursor.endEditBlock();
}

// ---- Selection

int RichEdit::selectionStart() const
{
    return textCursor().selectionStart();
}

int RichEdit::selectionLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

QString RichEdit::selectedText() const
{
    return textCursor().selection().toPlainText();
}

void RichEdit::setSelection(int start, int length)
{
    const int last = document()->characterCount() - 1;
    const int from = std::clamp(start, 0, last);
    const int to = std::clamp(length < 0 ? last : from + length, from, last);
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// ---- Lines

const std::vector<DisplayedLines::Line> &RichEdit::lines() const
{
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    const double width = document()->textWidth();
    const QSizeF size = layout->documentSize();
    if (m_linesRevision != document()->revision() || m_linesWidth != width
        || m_linesHeight != size.height()) {
        m_lines = DisplayedLines::collect(document());
        m_linesRevision = document()->revision();
        m_linesWidth = width;
        m_linesHeight = layout->documentSize().height();
    }
    return m_lines;
}

int RichEdit::lineCount() const
{
    return DisplayedLines::countedLines(lines(), document());
}

int RichEdit::lineFromIndex(int index) const
{
    return DisplayedLines::lineOf(lines(), std::max(0, index));
}

int RichEdit::caretLine() const
{
    return lineFromIndex(textCursor().position());
}

int RichEdit::caretColumn() const
{
    const auto &all = lines();
    if (all.empty())
        return 0;
    const int position = textCursor().position();
    return position - all[size_t(DisplayedLines::lineOf(all, position))].start;
}

int RichEdit::lineStartIndex(int line) const
{
    if (line < 0)
        line = caretLine();
    const auto &all = lines();
    if (line >= int(all.size()))
        return -1;
    return all[size_t(line)].start;
}

QString RichEdit::lineText(int line) const
{
    const auto &all = lines();
    if (line < 0 || line >= int(all.size()))
        return {};
    const DisplayedLines::Line &l = all[size_t(line)];
    return document()->toRawText().mid(l.start, l.length);
}

int RichEdit::firstVisibleLine() const
{
    const auto &all = lines();
    const int top = verticalScrollBar()->value();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].top + all[i].height > top + 0.5)
            return int(i);
    return std::max(0, int(all.size()) - 1);
}

void RichEdit::scrollLines(int count)
{
    const auto &all = lines();
    if (all.empty() || count == 0)
        return;
    const int target = std::clamp(firstVisibleLine() + count, 0, int(all.size()) - 1);
    // The first line's top is the document margin; scrolling there is scrolling home.
    const int value = target == 0 ? 0 : int(std::ceil(all[size_t(target)].top));
    verticalScrollBar()->setValue(value);
}

void RichEdit::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

bool RichEdit::wordWrap() const
{
    return lineWrapMode() != QTextEdit::NoWrap;
}

int RichEdit::findText(const QString &needle, int start, int length, bool matchCase, bool wholeWord) const
{
    return TextSearch::find(document()->toRawText(), needle, start, length, matchCase, wholeWord);
}

// ---- Character attributes

namespace {

bool hasStyle(const QFont &font, FontStyle style)
{
    switch (style) {
    case FontStyle::Bold: return font.bold();
    case FontStyle::Italic: return font.italic();
    case FontStyle::Underline: return font.underline();
    case FontStyle::StrikeOut: return font.strikeOut();
    }
    return false;
}

} // namespace

CharAttributes RichEdit::selectionAttributes() const
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        // The attributes of the first selected character.
        cursor.setPosition(cursor.selectionStart() + 1);
    }
    const QTextCharFormat format = cursor.charFormat();
    const QFont font = format.font().resolve(document()->defaultFont());
    CharAttributes a;
    a.fontName = font.families().isEmpty() ? font.family() : font.families().first();
    a.pointSize = font.pointSizeF();
    a.color = format.foreground().style() != Qt::NoBrush ? format.foreground().color()
                                                         : palette().color(QPalette::Text);
    a.charset = format.hasProperty(RtfFormats::CharsetProperty)
        ? format.intProperty(RtfFormats::CharsetProperty) : 1;
    a.bold = font.bold();
    a.italic = font.italic();
    a.underline = font.underline();
    a.strikeOut = font.strikeOut();
    return a;
}

bool RichEdit::selectionHasStyle(FontStyle style) const
{
    const QTextCursor cursor = textCursor();
    const QFont base = document()->defaultFont();
    if (!cursor.hasSelection())
        return hasStyle(cursor.charFormat().font().resolve(base), style);
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fStart = fragment.position();
            const int fEnd = fStart + fragment.length();
            if (fEnd <= start || fStart >= end)
                continue;
            if (!hasStyle(fragment.charFormat().font().resolve(base), style))
                return false;
        }
    }
    return true;
}

void RichEdit::setSelectionStyle(FontStyle style, bool on)
{
    QTextCharFormat format;
    switch (style) {
    case FontStyle::Bold: format.setFontWeight(on ? QFont::Bold : QFont::Normal); break;
    case FontStyle::Italic: format.setFontItalic(on); break;
    case FontStyle::Underline: format.setFontUnderline(on); break;
    case FontStyle::StrikeOut: format.setFontStrikeOut(on); break;
    }
    mergeCurrentCharFormat(format);
}

void RichEdit::toggleSelectionStyle(FontStyle style)
{
    setSelectionStyle(style, !selectionHasStyle(style));
}

void RichEdit::setSelectionFont(const CharAttributes &a)
{
    QTextCharFormat format;
    if (!a.fontName.isEmpty())
        format.setFontFamilies({a.fontName});
    if (a.pointSize > 0)
        format.setFontPointSize(a.pointSize);
    if (a.color.isValid())
        format.setForeground(a.color);
    format.setProperty(RtfFormats::CharsetProperty, a.charset);
    format.setFontWeight(a.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(a.italic);
    format.setFontUnderline(a.underline);
    format.setFontStrikeOut(a.strikeOut);
    mergeCurrentCharFormat(format);
}

// ---- Paragraphs

Qt::Alignment RichEdit::paragraphAlignment() const
{
    const QTextBlock block = document()->findBlock(selectionStart());
    return block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

void RichEdit::setParagraphAlignment(Qt::Alignment alignment)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    textCursor().mergeBlockFormat(format);
}

bool RichEdit::paragraphsBulleted() const
{
    return document()->findBlock(selectionStart()).textList() != nullptr;
}

void RichEdit::setParagraphBullets(bool on)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (on) {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        format.setIndent(1);
        cursor.createList(format);
    } else {
        const int end = cursor.selectionEnd();
        for (QTextBlock block = document()->findBlock(cursor.selectionStart());
             block.isValid() && block.position() <= end; block = block.next()) {
            if (QTextList *list = block.textList()) {
                list->remove(block);
                QTextCursor blockCursor(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                blockCursor.setBlockFormat(format);
            }
        }
    }
    cursor.endEditBlock();
}

void RichEdit::toggleBullets()
{
    setParagraphBullets(!paragraphsBulleted());
}

// ---- Clipboard

QMimeData *RichEdit::createMimeDataFromSelection() const
{
    return RichClipboard::mimeDataFor(textCursor());
}

bool RichEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return RichClipboard::canInsert(source);
}

void RichEdit::insertFromMimeData(const QMimeData *source)
{
    QTextCursor cursor = textCursor();
    if (RichClipboard::insert(source, cursor, acceptRichText())) {
        setTextCursor(cursor);
        ensureCursorVisible();
    }
}
