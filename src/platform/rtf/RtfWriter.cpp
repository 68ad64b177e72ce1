#include "platform/rtf/RtfWriter.h"

#include "platform/rtf/CodePage.h"
#include "platform/rtf/RtfFormats.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <array>
#include <charconv>
#include <cmath>

namespace {

// Characters Windows-1252 has above ASCII, written as \'hh so that even
// readers without \u support show them.
const std::array<char16_t, 128> &ansiUpperHalf()
{
    static const std::array<char16_t, 128> table = [] {
        std::array<char16_t, 128> t{};
        QByteArray bytes(128, Qt::Uninitialized);
        for (int i = 0; i < 128; ++i)
            bytes[i] = char(0x80 + i);
        const QString decoded = CodePage::decode(CodePage::Ansi, bytes);
        for (int i = 0; i < 128 && i < decoded.size(); ++i)
            t[size_t(i)] = decoded[i].unicode();
        return t;
    }();
    return table;
}

int ansiByte(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return c;  // Windows-1252 equals Latin-1 there
    if (c < 0x152 || c > 0x2122)
        return -1;  // outside the range of the other Windows-1252 characters
    static const QHash<char16_t, int> upper = [] {
        QHash<char16_t, int> map;
        const auto &t = ansiUpperHalf();
        for (int i = 0; i < 32; ++i)
            if (t[size_t(i)] != 0xFFFD && t[size_t(i)] >= 0x100)
                map.insert(t[size_t(i)], 0x80 + i);
        return map;
    }();
    return upper.value(c, -1);
}

int twips(double pixels)
{
    return int(std::lround(pixels * RtfFormats::TwipsPerPixel));
}

const char hexDigits[] = "0123456789abcdef";

struct CharState
{
    int font = 0;
    int halfPoints = 24;
    int foreground = 0;
    int background = 0;
    int vertical = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

class Writer
{
public:
    explicit Writer(const QTextDocument *document) : m_document(document)
    {
        m_defaultFont = document->defaultFont();
        fontIndex(familyOf(m_defaultFont), 0);
    }

    QByteArray run()
    {
        m_body.reserve(4096);
        writeFrame(m_document->rootFrame(), false);
        closeLink();

        QByteArray out;
        out.reserve(m_body.size() + 256);
        out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset"
                + QByteArray::number(m_fonts[i].second) + ' ';
            appendText(out, m_fonts[i].first);
            out += ";}";
        }
        out += '}';
        if (!m_colors.isEmpty()) {
            out += "{\\colortbl ;";
            for (const QColor &c : m_colors)
                out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green())
                    + "\\blue" + QByteArray::number(c.blue()) + ';';
            out += '}';
        }
        out += '\n';
        out += m_body;
        out += "}\n";
        return out;
    }

private:
    static QString familyOf(const QFont &font)
    {
        const QStringList families = font.families();
        return families.isEmpty() ? font.family() : families.first();
    }

    int fontIndex(const QString &family, int charset)
    {
        const QString key = family + u'\x01' + QString::number(charset);
        const auto found = m_fontIndex.constFind(key);
        if (found != m_fontIndex.constEnd())
            return *found;
        m_fonts.append({family, charset});
        m_fontIndex.insert(key, int(m_fonts.size() - 1));
        return int(m_fonts.size() - 1);
    }

    int colorIndex(const QBrush &brush)
    {
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QRgb rgb = brush.color().rgb();
        const auto found = m_colorIndex.constFind(rgb);
        if (found != m_colorIndex.constEnd())
            return *found;
        m_colors.append(QColor(rgb));
        m_colorIndex.insert(rgb, int(m_colors.size()));
        return int(m_colors.size());
    }

    // Formats repeat across a document; working one out means building a
    // QFont, so each format index is worked out once.
    CharState stateFor(int formatIndex, const QTextCharFormat &format)
    {
        const auto found = m_stateCache.constFind(formatIndex);
        if (found != m_stateCache.constEnd())
            return *found;
        const CharState state = stateFor(format);
        m_stateCache.insert(formatIndex, state);
        return state;
    }

    CharState stateFor(const QTextCharFormat &format)
    {
        const QFont font = format.font().resolve(m_defaultFont);
        CharState s;
        const int charset = format.hasProperty(RtfFormats::CharsetProperty)
            ? format.intProperty(RtfFormats::CharsetProperty) : 0;
        s.font = fontIndex(familyOf(font), charset);
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
        s.halfPoints = std::clamp(int(std::lround(points * 2)), 2, 3276);
        s.bold = font.bold();
        s.italic = font.italic();
        s.underline = font.underline();
        s.strike = font.strikeOut();
        s.foreground = colorIndex(format.foreground());
        s.background = colorIndex(format.background());
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            s.vertical = 1;
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            s.vertical = 2;
        return s;
    }

    // Emits only what changed since the last run; RTF character formatting
    // carries across paragraphs, so this keeps the output compact.
    void switchTo(const CharState &s)
    {
        const qsizetype before = m_body.size();
        auto word = [&](const char *w, int value, bool withValue = true) {
            m_body += w;
            if (withValue)
                m_body += QByteArray::number(value);
        };
        if (s.font != m_state.font) word("\\f", s.font);
        if (s.halfPoints != m_state.halfPoints) word("\\fs", s.halfPoints);
        if (s.bold != m_state.bold) word(s.bold ? "\\b" : "\\b0", 0, false);
        if (s.italic != m_state.italic) word(s.italic ? "\\i" : "\\i0", 0, false);
        if (s.underline != m_state.underline) word(s.underline ? "\\ul" : "\\ulnone", 0, false);
        if (s.strike != m_state.strike) word(s.strike ? "\\strike" : "\\strike0", 0, false);
        if (s.foreground != m_state.foreground) word("\\cf", s.foreground);
        if (s.background != m_state.background) word("\\highlight", s.background);
        if (s.vertical != m_state.vertical)
            word(s.vertical == 1 ? "\\super" : s.vertical == 2 ? "\\sub" : "\\nosupersub", 0, false);
        if (m_body.size() != before)
            m_body += ' ';
        m_state = s;
    }

    static void appendText(QByteArray &out, QStringView text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            switch (c) {
            case u'\\': out += "\\\\"; continue;
            case u'{': out += "\\{"; continue;
            case u'}': out += "\\}"; continue;
            case u'\t': out += "\\tab "; continue;
            case QChar::LineSeparator: out += "\\line "; continue;
            case QChar::Nbsp: out += "\\~"; continue;
            case QChar::SoftHyphen: out += "\\-"; continue;
            case 0x2011: out += "\\_"; continue;
            default: break;
            }
            if (c >= 0x20 && c < 0x7F) {
                out += char(c);
            } else if (c < 0x20 || c == QChar::ObjectReplacementCharacter) {
                // Control characters and stray object marks have no text form.
            } else if (const int byte = ansiByte(c); byte >= 0) {
                const char escape[4] = {'\\', '\'', hexDigits[byte >> 4], hexDigits[byte & 15]};
                out.append(escape, 4);
            } else {
                char buffer[16] = {'\\', 'u'};
                const auto end = std::to_chars(buffer + 2, buffer + 14, int(qint16(c))).ptr;
                *end = '?';
                out.append(buffer, end + 1 - buffer);
            }
        }
    }

    void writeFrame(const QTextFrame *frame, bool inTable)
    {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame *child = it.currentFrame()) {
                const auto *table = qobject_cast<const QTextTable *>(child);
                if (table && !inTable)
                    writeTable(table);
                else
                    writeFrame(child, inTable);  // nested tables and frames flatten
            } else {
                writeBlock(it.currentBlock(), inTable, false);
            }
        }
    }

    void writeTable(const QTextTable *table)
    {
        closeLink();
        const int rows = table->rows();
        const int columns = table->columns();
        if (rows <= 0 || columns <= 0)
            return;
        const QList<QTextLength> constraints = table->format().columnWidthConstraints();
        QByteArray rowDef = "\\trowd\\trgaph108";
        int right = 0;
        for (int c = 0; c < columns; ++c) {
            int width = 9000 / columns;
            if (c < constraints.size()) {
                const QTextLength &l = constraints[c];
                if (l.type() == QTextLength::FixedLength && l.rawValue() > 0)
                    width = twips(l.rawValue());
                else if (l.type() == QTextLength::PercentageLength && l.rawValue() > 0)
                    width = int(9000 * l.rawValue() / 100);
            }
            right += std::max(width, 60);
            rowDef += "\\cellx" + QByteArray::number(right);
        }
        for (int r = 0; r < rows; ++r) {
            m_body += rowDef;
            m_body += '\n';
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c) {
                    // The covered part of a merged cell: an empty cell keeps the grid.
                    m_body += "\\pard\\intbl\\cell ";
                    continue;
                }
                QList<QTextBlock> blocks;
                collectBlocks(cell.begin(), cell.end(), blocks);
                for (qsizetype b = 0; b < blocks.size(); ++b)
                    writeBlock(blocks[b], true, b + 1 == blocks.size());
                if (blocks.isEmpty())
                    m_body += "\\pard\\intbl\\cell ";
            }
            m_body += "\\row\n";
        }
    }

    static void collectBlocks(QTextFrame::iterator it, QTextFrame::iterator end, QList<QTextBlock> &blocks)
    {
        for (; it != end; ++it) {
            if (const QTextFrame *child = it.currentFrame())
                collectBlocks(child->begin(), child->end(), blocks);
            else
                blocks << it.currentBlock();
        }
    }

    void writeParagraphProperties(const QTextBlock &block, bool inTable)
    {
        const QTextBlockFormat f = block.blockFormat();
        m_body += "\\pard";
        if (inTable)
            m_body += "\\intbl";
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            m_body += "\\qc";
        else if (a & (Qt::AlignRight | Qt::AlignTrailing))
            m_body += "\\qr";
        else if (a & Qt::AlignJustify)
            m_body += "\\qj";

        int left = twips(f.leftMargin()) + f.indent() * RtfFormats::ListIndentTwips;
        int first = twips(f.textIndent());
        const QTextList *list = block.textList();
        if (list) {
            left += std::max(1, list->format().indent()) * RtfFormats::ListIndentTwips;
            first = -360;
        }
        if (left) m_body += "\\li" + QByteArray::number(left);
        if (first) m_body += "\\fi" + QByteArray::number(first);
        if (const int ri = twips(f.rightMargin())) m_body += "\\ri" + QByteArray::number(ri);
        if (const int sb = twips(f.topMargin())) m_body += "\\sb" + QByteArray::number(sb);
        if (const int sa = twips(f.bottomMargin())) m_body += "\\sa" + QByteArray::number(sa);
        if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            m_body += "\\pagebb";
        if (list)
            writeNumbering(block, list);
        else
            m_body += ' ';  // ends the last control word; after a group nothing is needed
    }

    // Legacy numbering: the marker as text for readers that ignore
    // numbering, then the numbering itself.
    void writeNumbering(const QTextBlock &block, const QTextList *list)
    {
        const QTextListFormat::Style style = list->format().style();
        const char *kind = nullptr;
        switch (style) {
        case QTextListFormat::ListDecimal: kind = "\\pndec"; break;
        case QTextListFormat::ListLowerAlpha: kind = "\\pnlcltr"; break;
        case QTextListFormat::ListUpperAlpha: kind = "\\pnucltr"; break;
        case QTextListFormat::ListLowerRoman: kind = "\\pnlcrm"; break;
        case QTextListFormat::ListUpperRoman: kind = "\\pnucrm"; break;
        default: break;
        }
        if (kind) {
            m_body += "{\\pntext\\f0 ";
            appendText(m_body, list->itemText(block));
            m_body += "\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1";
            m_body += kind;
            m_body += "{\\pntxta.}}";
            return;
        }
        int font;
        const char *marker;
        if (style == QTextListFormat::ListCircle) {
            font = fontIndex(QStringLiteral("Courier New"), 0);
            marker = "o";
        } else if (style == QTextListFormat::ListSquare) {
            font = fontIndex(QStringLiteral("Wingdings"), 2);
            marker = "\\'a7";
        } else {
            font = fontIndex(QStringLiteral("Symbol"), 2);
            marker = "\\'b7";
        }
        const QByteArray f = QByteArray::number(font);
        m_body += "{\\pntext\\f" + f + ' ' + marker + "\\tab}{\\*\\pn\\pnlvlblt\\pnf" + f
            + "\\pnindent0{\\pntxtb" + (marker[0] == 'o' ? QByteArray(" o") : QByteArray(marker)) + "}}";
    }

    void writeBlock(const QTextBlock &block, bool inTable, bool lastInCell)
    {
        closeLink();
        writeParagraphProperties(block, inTable);
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            empty = false;
            const QTextCharFormat format = fragment.charFormat();
            const QString href = format.isAnchor() ? format.anchorHref() : QString();
            if (href != m_openLink) {
                closeLink();
                if (!href.isEmpty())
                    openLink(href);
            }
            if (format.isImageFormat()) {
                switchTo(stateFor(fragment.charFormatIndex(), format));
                const QString text = fragment.text();
                for (qsizetype i = 0; i < text.size(); ++i)
                    writePicture(format.toImageFormat());
                continue;
            }
            switchTo(stateFor(fragment.charFormatIndex(), format));
            appendText(m_body, fragment.text());
        }
        closeLink();
        if (empty)
            switchTo(stateFor(block.charFormat()));  // an empty line keeps its height
        m_body += lastInCell ? "\\cell " : "\\par\n";
    }

    void openLink(const QString &href)
    {
        m_savedState = m_state;
        m_body += "{\\field{\\*\\fldinst{HYPERLINK ";
        QString target = href;
        if (target.startsWith(u'#')) {
            m_body += "\\\\l ";
            target.remove(0, 1);
        }
        // Field syntax doubles backslashes inside quotes; RTF doubles them again.
        target.replace(u'\\', QLatin1String("\\\\"));
        target.replace(u'"', QLatin1String("%22"));
        m_body += '"';
        appendText(m_body, target);
        m_body += "\"}}{\\fldrslt{";
        m_openLink = href;
    }

    void closeLink()
    {
        if (m_openLink.isEmpty())
            return;
        m_body += "}}}";
        m_state = m_savedState;  // formatting inside the field's groups ends with them
        m_openLink.clear();
    }

    void writePicture(const QTextImageFormat &format)
    {
        const QVariant resource = m_document->resource(QTextDocument::ImageResource, QUrl(format.name()));
        QByteArray data;
        const char *blip = "\\pngblip";
        QSize size;
        if (resource.userType() == QMetaType::QByteArray) {
            data = resource.toByteArray();
            QBuffer buffer(&data);
            QImageReader reader(&buffer);
            const QByteArray kind = reader.format();
            size = reader.size();
            if (kind == "jpeg" || kind == "jpg")
                blip = "\\jpegblip";
            else if (kind != "png")
                data.clear();  // re-encoded below as PNG
            if (data.isEmpty()) {
                QImage image = QImage::fromData(resource.toByteArray());
                data = encodePng(image, size);
            }
        } else if (resource.userType() == QMetaType::QImage) {
            data = encodePng(resource.value<QImage>(), size);
        } else if (resource.userType() == QMetaType::QPixmap) {
            data = encodePng(resource.value<QPixmap>().toImage(), size);
        }
        if (data.isEmpty() || !size.isValid())
            return;
        const double w = format.width() > 0 ? format.width() : size.width();
        const double h = format.height() > 0 ? format.height() : size.height();
        m_body += "{\\pict";
        m_body += blip;
        m_body += "\\picw" + QByteArray::number(size.width()) + "\\pich" + QByteArray::number(size.height())
            + "\\picwgoal" + QByteArray::number(twips(w)) + "\\pichgoal" + QByteArray::number(twips(h)) + '\n';
        const qsizetype start = m_body.size();
        m_body.resize(start + data.size() * 2 + data.size() / 64);
        char *out = m_body.data() + start;
        for (qsizetype i = 0; i < data.size(); ++i) {
            const auto b = static_cast<unsigned char>(data[i]);
            *out++ = hexDigits[b >> 4];
            *out++ = hexDigits[b & 15];
            if (i % 64 == 63)
                *out++ = '\n';
        }
        m_body.resize(out - m_body.data());
        m_body += "}";
    }

    static QByteArray encodePng(const QImage &image, QSize &size)
    {
        if (image.isNull())
            return {};
        size = image.size();
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return data;
    }

    const QTextDocument *m_document;
    QFont m_defaultFont;
    QByteArray m_body;
    QList<std::pair<QString, int>> m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QHash<int, CharState> m_stateCache;
    CharState m_state;
    CharState m_savedState;
    QString m_openLink;
};

} // namespace

QByteArray RtfWriter::write(const QTextDocument *document)
{
    return Writer(document).run();
}
