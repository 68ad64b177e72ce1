#include "platform/rtf/RtfDocumentBuilder.h"

#include "platform/rtf/RtfFormats.h"

#include <QCryptographicHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <map>

namespace {

QTextListFormat::Style listStyle(RtfListKind kind)
{
    switch (kind) {
    case RtfListKind::Circle: return QTextListFormat::ListCircle;
    case RtfListKind::Square: return QTextListFormat::ListSquare;
    case RtfListKind::Decimal: return QTextListFormat::ListDecimal;
    case RtfListKind::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case RtfListKind::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case RtfListKind::LowerRoman: return QTextListFormat::ListLowerRoman;
    case RtfListKind::UpperRoman: return QTextListFormat::ListUpperRoman;
    default: return QTextListFormat::ListDisc;
    }
}

Qt::Alignment alignment(RtfAlignment a)
{
    switch (a) {
    case RtfAlignment::Center: return Qt::AlignHCenter;
    case RtfAlignment::Right: return Qt::AlignRight;
    case RtfAlignment::Justify: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

double px(int twips)
{
    return twips / RtfFormats::TwipsPerPixel;
}

class Builder
{
public:
    Builder(const RtfContent &content, QTextDocument *document)
        : m_content(content), m_document(document), m_cursor(document),
          m_formats(content.styles.size()), m_formatReady(content.styles.size(), false)
    {
    }

    void run()
    {
        // One edit block: the layout hears of the change once, not per run.
        m_cursor.beginEditBlock();
        for (const RtfContent::Item &item : m_content.items) {
            if (const auto *paragraph = std::get_if<RtfParagraph>(&item))
                addParagraph(m_cursor, *paragraph, m_blockUsed);
            else
                addTable(std::get<RtfTable>(item));
        }
        m_cursor.endEditBlock();
    }

private:
    const QTextCharFormat &charFormat(int style)
    {
        const size_t i = size_t(style) < m_formats.size() ? size_t(style) : 0;
        if (m_formatReady[i])
            return m_formats[i];
        const RtfCharStyle &s = m_content.styles[i];
        QTextCharFormat f;
        if (s.font >= 0 && size_t(s.font) < m_content.fonts.size()) {
            const RtfFont &font = m_content.fonts[size_t(s.font)];
            if (!font.family.isEmpty())
                f.setFontFamilies({font.family});
            f.setProperty(RtfFormats::CharsetProperty, font.charset);
        }
        if (s.halfPoints > 0)
            f.setFontPointSize(s.halfPoints / 2.0);
        if (s.bold)
            f.setFontWeight(QFont::Bold);
        if (s.italic)
            f.setFontItalic(true);
        if (s.underline)
            f.setFontUnderline(true);
        if (s.strike)
            f.setFontStrikeOut(true);
        if (s.foreground >= 0)
            f.setForeground(m_content.colors[size_t(s.foreground)]);
        if (s.background >= 0)
            f.setBackground(m_content.colors[size_t(s.background)]);
        if (s.vertical == 1)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (s.vertical == 2)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (s.link >= 0 && s.link < m_content.links.size()) {
            f.setAnchor(true);
            f.setAnchorHref(m_content.links[s.link]);
        }
        m_formats[i] = f;
        m_formatReady[i] = true;
        return m_formats[i];
    }

    QTextBlockFormat blockFormat(const RtfParaStyle &p)
    {
        QTextBlockFormat f;
        f.setAlignment(alignment(p.alignment));
        int left = p.leftIndent;
        int first = p.firstIndent;
        if (p.listKind != RtfListKind::None) {
            // The list supplies the indent of its level and the marker sits
            // in the hanging indent, so only the rest is the block's own.
            left = std::max(0, left - p.listLevel * RtfFormats::ListIndentTwips);
            first = 0;
        }
        left = std::max(0, left);
        first = std::max(first, -left);
        if (left)
            f.setLeftMargin(px(left));
        if (p.rightIndent > 0)
            f.setRightMargin(px(p.rightIndent));
        if (first)
            f.setTextIndent(px(first));
        if (p.spaceBefore)
            f.setTopMargin(px(p.spaceBefore));
        if (p.spaceAfter)
            f.setBottomMargin(px(p.spaceAfter));
        if (p.pageBreakBefore)
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        return f;
    }

    void startBlock(QTextCursor &cursor, const RtfParagraph &paragraph, bool &blockUsed)
    {
        const QTextBlockFormat bf = blockFormat(paragraph.para);
        const QTextCharFormat &cf = charFormat(paragraph.markStyle);
        if (blockUsed) {
            cursor.insertBlock(bf, cf);
        } else {
            cursor.setBlockFormat(bf);
            cursor.setBlockCharFormat(cf);
            blockUsed = true;
        }
        const RtfParaStyle &p = paragraph.para;
        if (p.listKind == RtfListKind::None)
            return;
        const auto key = std::make_pair(p.listId, p.listLevel);
        auto found = m_lists.find(key);
        if (found != m_lists.end() && found->second
            && found->second->format().style() == listStyle(p.listKind)) {
            found->second->add(cursor.block());
        } else {
            QTextListFormat lf;
            lf.setStyle(listStyle(p.listKind));
            lf.setIndent(p.listLevel);
            m_lists[key] = cursor.createList(lf);
        }
    }

    void addRuns(QTextCursor &cursor, const RtfParagraph &paragraph)
    {
        for (const RtfRun &run : paragraph.runs) {
            if (run.picture >= 0)
                addPicture(cursor, run);
            else
                cursor.insertText(paragraph.text.mid(run.start, run.length), charFormat(run.style));
        }
    }

    void addParagraph(QTextCursor &cursor, const RtfParagraph &paragraph, bool &blockUsed)
    {
        startBlock(cursor, paragraph, blockUsed);
        addRuns(cursor, paragraph);
    }

    void addPicture(QTextCursor &cursor, const RtfRun &run)
    {
        if (size_t(run.picture) >= m_content.pictures.size())
            return;
        const RtfPicture &picture = m_content.pictures[size_t(run.picture)];
        const QString name = RtfDocumentBuilder::pictureResourceName(picture.data, picture.format);
        m_document->addResource(QTextDocument::ImageResource, QUrl(name), picture.data);
        QTextImageFormat f;
        f.merge(charFormat(run.style));
        f.setName(name);
        if (picture.widthTwips > 0 && picture.heightTwips > 0) {
            f.setWidth(px(picture.widthTwips));
            f.setHeight(px(picture.heightTwips));
        }
        cursor.insertImage(f);
    }

    void addTable(const RtfTable &table)
    {
        if (!RtfDocumentBuilder::keepsAsTable(table)) {
            addTableAsLines(table);
            return;
        }
        int columns = 1;
        for (const RtfTableRow &row : table.rows)
            columns = std::max(columns, int(row.cells.size()));

        QTextTableFormat tf;
        tf.setBorder(1);
        tf.setCellPadding(2);
        tf.setCellSpacing(0);
        tf.setBorderCollapse(true);
        const std::vector<int> &bounds = table.rows.front().cellRight;
        if (int(bounds.size()) == columns) {
            QList<QTextLength> widths;
            int previous = 0;
            for (int right : bounds) {
                if (right <= previous)
                    break;
                widths << QTextLength(QTextLength::FixedLength, px(right - previous));
                previous = right;
            }
            if (widths.size() == columns)
                tf.setColumnWidthConstraints(widths);
        }

        // Qt puts the table after the cursor's block and leaves an empty
        // block after the table, which the next paragraph then fills.
        QTextTable *qtable = m_cursor.insertTable(int(table.rows.size()), columns, tf);
        for (int r = 0; r < int(table.rows.size()); ++r) {
            const RtfTableRow &row = table.rows[size_t(r)];
            for (int c = 0; c < int(row.cells.size()); ++c) {
                QTextCursor cellCursor = qtable->cellAt(r, c).firstCursorPosition();
                bool used = false;
                for (const RtfParagraph &paragraph : row.cells[size_t(c)].paragraphs)
                    addParagraph(cellCursor, paragraph, used);
            }
        }
        m_cursor.movePosition(QTextCursor::End);
        m_blockUsed = false;
    }

    // One line per row, cells separated by tabs, a cell's paragraphs by spaces.
    void addTableAsLines(const RtfTable &table)
    {
        for (const RtfTableRow &row : table.rows) {
            RtfParagraph line;
            if (!row.cells.empty() && !row.cells.front().paragraphs.empty())
                line.markStyle = row.cells.front().paragraphs.front().markStyle;
            startBlock(m_cursor, line, m_blockUsed);
            for (size_t c = 0; c < row.cells.size(); ++c) {
                if (c > 0)
                    m_cursor.insertText(QStringLiteral("\t"));
                const auto &paragraphs = row.cells[c].paragraphs;
                for (size_t p = 0; p < paragraphs.size(); ++p) {
                    if (p > 0)
                        m_cursor.insertText(QStringLiteral(" "));
                    addRuns(m_cursor, paragraphs[p]);
                }
            }
        }
    }

    const RtfContent &m_content;
    QTextDocument *m_document;
    QTextCursor m_cursor;
    bool m_blockUsed = false;
    std::vector<QTextCharFormat> m_formats;
    std::vector<bool> m_formatReady;
    std::map<std::pair<int, int>, QTextList *> m_lists;
};

} // namespace

void RtfDocumentBuilder::build(const RtfContent &content, QTextDocument *document)
{
    const bool undo = document->isUndoRedoEnabled();
    // Loading is not an edit the user could undo; building without the undo
    // stack is also several times faster.
    document->setUndoRedoEnabled(false);
    document->clear();
    Builder(content, document).run();
    document->setUndoRedoEnabled(undo);
}

QString RtfDocumentBuilder::pictureResourceName(const QByteArray &data, const QByteArray &format)
{
    const QByteArray hash = QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("rtfimage:%1.%2").arg(QString::fromLatin1(hash), QString::fromLatin1(format));
}

bool RtfDocumentBuilder::keepsAsTable(const RtfTable &table)
{
    if (table.rows.empty())
        return false;
    for (const RtfTableRow &row : table.rows)
        if (int(row.cells.size()) > MaxTableColumns)
            return false;
    return true;
}
