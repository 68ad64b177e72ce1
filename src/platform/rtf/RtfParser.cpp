#include "platform/rtf/RtfParser.h"

#include "platform/rtf/CodePage.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

// Where the text of a group goes.
enum class Dest : std::uint8_t {
    Body,              // the document's text
    Skip,              // nothing of it is kept
    FontTable,
    ColorTable,
    ListTable,
    LevelText,         // the marker text of one list level
    ListOverrideTable,
    FieldInstruction,
    Picture,
    Numbering,         // legacy \pn paragraph numbering
    NumberingText,     // its \pntxtb / \pntxta text
};

enum class Kw {
    Unknown,
    // document
    Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U,
    // destinations
    FontTable, ColorTable, StyleSheet, Info, SkipDest, ListTable, List, ListLevel,
    LevelText, ListOverrideTable, ListOverride, Field, FieldInst, FieldResult, Pict,
    ShpPict, NestTableProps, Pn, PnText, PnTextBefore, PnTextAfter, Upr, Ud,
    // font and colour tables
    F, FCharset, Cpg, Red, Green, Blue,
    // lists
    ListId, LevelNfc, Ls, Ilvl, PnLvlBlt, PnLvlBody, PnLvlCont, PnLvl, PnDec, PnUcLtr,
    PnLcLtr, PnUcRm, PnLcRm,
    // characters
    Plain, B, I, Ul, UlNone, Strike, Fs, Cf, Cb, Highlight, Super, Sub, NoSuperSub, V,
    // paragraphs
    Pard, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa, InTbl, PageBb,
    // breaks and special characters
    Par, Line, Tab, Page, Sect, Cell, Row, NestCell, NestRow, TRowD, CellX,
    EmDash, EnDash, Bullet, LQuote, RQuote, LDblQuote, RDblQuote, EmSpace, EnSpace,
    Zwj, Zwnj, Bin,
};

const std::unordered_map<std::string_view, Kw> &keywords()
{
    static const std::unordered_map<std::string_view, Kw> table = {
        {"rtf", Kw::Rtf}, {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc},
        {"pca", Kw::Pca}, {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::Deff}, {"uc", Kw::Uc},
        {"u", Kw::U},
        {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable},
        {"stylesheet", Kw::StyleSheet}, {"info", Kw::Info},
        {"listtable", Kw::ListTable}, {"list", Kw::List}, {"listlevel", Kw::ListLevel},
        {"leveltext", Kw::LevelText}, {"listoverridetable", Kw::ListOverrideTable},
        {"listoverride", Kw::ListOverride}, {"field", Kw::Field}, {"fldinst", Kw::FieldInst},
        {"fldrslt", Kw::FieldResult}, {"pict", Kw::Pict}, {"shppict", Kw::ShpPict},
        {"nesttableprops", Kw::NestTableProps},
        {"pn", Kw::Pn}, {"pntext", Kw::PnText}, {"listtext", Kw::PnText},
        {"pntxtb", Kw::PnTextBefore}, {"pntxta", Kw::PnTextAfter}, {"upr", Kw::Upr},
        {"ud", Kw::Ud},
        // Destinations whose content is not part of the body.
        {"header", Kw::SkipDest}, {"headerl", Kw::SkipDest}, {"headerr", Kw::SkipDest},
        {"headerf", Kw::SkipDest}, {"footer", Kw::SkipDest}, {"footerl", Kw::SkipDest},
        {"footerr", Kw::SkipDest}, {"footerf", Kw::SkipDest}, {"footnote", Kw::SkipDest},
        {"annotation", Kw::SkipDest}, {"atnid", Kw::SkipDest}, {"atnauthor", Kw::SkipDest},
        {"atntime", Kw::SkipDest}, {"atnref", Kw::SkipDest}, {"atndate", Kw::SkipDest},
        {"xe", Kw::SkipDest}, {"tc", Kw::SkipDest}, {"txe", Kw::SkipDest},
        {"rxe", Kw::SkipDest}, {"revtbl", Kw::SkipDest}, {"filetbl", Kw::SkipDest},
        {"ftnsep", Kw::SkipDest}, {"ftnsepc", Kw::SkipDest}, {"ftncn", Kw::SkipDest},
        {"aftnsep", Kw::SkipDest}, {"aftnsepc", Kw::SkipDest}, {"aftncn", Kw::SkipDest},
        {"template", Kw::SkipDest}, {"pgdsctbl", Kw::SkipDest}, {"fchars", Kw::SkipDest},
        {"lchars", Kw::SkipDest}, {"nonshppict", Kw::SkipDest}, {"listname", Kw::SkipDest},
        {"levelnumbers", Kw::SkipDest}, {"pnseclvl", Kw::SkipDest}, {"objdata", Kw::SkipDest},
        {"comment", Kw::SkipDest}, {"doccomm", Kw::SkipDest}, {"author", Kw::SkipDest},
        {"operator", Kw::SkipDest}, {"title", Kw::SkipDest}, {"subject", Kw::SkipDest},
        {"keywords", Kw::SkipDest}, {"company", Kw::SkipDest}, {"creatim", Kw::SkipDest},
        {"revtim", Kw::SkipDest}, {"printim", Kw::SkipDest}, {"buptim", Kw::SkipDest},
        {"datafield", Kw::SkipDest}, {"themedata", Kw::SkipDest}, {"latentstyles", Kw::SkipDest},
        {"bkmkstart", Kw::SkipDest}, {"bkmkend", Kw::SkipDest}, {"picprop", Kw::SkipDest},
        {"blipuid", Kw::SkipDest}, {"falt", Kw::SkipDest}, {"panose", Kw::SkipDest},
        {"f", Kw::F}, {"fcharset", Kw::FCharset}, {"cpg", Kw::Cpg}, {"red", Kw::Red},
        {"green", Kw::Green}, {"blue", Kw::Blue},
        {"listid", Kw::ListId}, {"levelnfc", Kw::LevelNfc}, {"levelnfcn", Kw::LevelNfc},
        {"ls", Kw::Ls}, {"ilvl", Kw::Ilvl}, {"pnlvlblt", Kw::PnLvlBlt},
        {"pnlvlbody", Kw::PnLvlBody}, {"pnlvlcont", Kw::PnLvlCont}, {"pnlvl", Kw::PnLvl},
        {"pndec", Kw::PnDec}, {"pnucltr", Kw::PnUcLtr}, {"pnlcltr", Kw::PnLcLtr},
        {"pnucrm", Kw::PnUcRm}, {"pnlcrm", Kw::PnLcRm},
        {"plain", Kw::Plain}, {"b", Kw::B}, {"i", Kw::I}, {"ul", Kw::Ul},
        {"uld", Kw::Ul}, {"uldb", Kw::Ul}, {"ulw", Kw::Ul}, {"ulth", Kw::Ul},
        {"ulwave", Kw::Ul}, {"uldash", Kw::Ul}, {"uldashd", Kw::Ul}, {"uldashdd", Kw::Ul},
        {"ulthd", Kw::Ul}, {"ulthdash", Kw::Ul}, {"ulldash", Kw::Ul}, {"ulhwave", Kw::Ul},
        {"ululdbwave", Kw::Ul}, {"ulnone", Kw::UlNone}, {"strike", Kw::Strike},
        {"striked", Kw::Strike}, {"fs", Kw::Fs}, {"cf", Kw::Cf}, {"cb", Kw::Cb},
        {"chcbpat", Kw::Cb}, {"highlight", Kw::Highlight}, {"super", Kw::Super},
        {"sub", Kw::Sub}, {"nosupersub", Kw::NoSuperSub}, {"v", Kw::V},
        {"pard", Kw::Pard}, {"ql", Kw::Ql}, {"qc", Kw::Qc}, {"qr", Kw::Qr}, {"qj", Kw::Qj},
        {"qd", Kw::Qj}, {"li", Kw::Li}, {"ri", Kw::Ri}, {"fi", Kw::Fi}, {"sb", Kw::Sb},
        {"sa", Kw::Sa}, {"intbl", Kw::InTbl}, {"pagebb", Kw::PageBb},
        {"par", Kw::Par}, {"line", Kw::Line}, {"tab", Kw::Tab}, {"page", Kw::Page},
        {"sect", Kw::Sect}, {"cell", Kw::Cell}, {"row", Kw::Row}, {"nestcell", Kw::NestCell},
        {"nestrow", Kw::NestRow}, {"trowd", Kw::TRowD}, {"cellx", Kw::CellX},
        {"emdash", Kw::EmDash}, {"endash", Kw::EnDash}, {"bullet", Kw::Bullet},
        {"lquote", Kw::LQuote}, {"rquote", Kw::RQuote}, {"ldblquote", Kw::LDblQuote},
        {"rdblquote", Kw::RDblQuote}, {"emspace", Kw::EmSpace}, {"enspace", Kw::EnSpace},
        {"zwj", Kw::Zwj}, {"zwnj", Kw::Zwnj}, {"bin", Kw::Bin},
    };
    return table;
}

// Paragraph numbering as the legacy \pn group or the \ls list gives it.
struct Numbering
{
    RtfListKind kind = RtfListKind::None;
    int level = 0;         // 0: take it from the indent
    QString textBefore;
};

struct ParaState
{
    RtfParaStyle style;
    Numbering pn;
    int ls = 0;
    int ilvl = 0;
};

struct Group
{
    Dest dest = Dest::Body;
    bool destOwner = false;   // this group started its destination
    bool ignoreText = false;  // the ANSI half of a \upr pair
    bool hidden = false;      // \v text
    bool nestedTableProps = false;  // row properties of a nested table
    int uc = 1;
    RtfCharStyle chr;         // chr.font holds the file's font number here
    ParaState para;
};

struct ListLevelDef
{
    RtfListKind kind = RtfListKind::Decimal;
    QString text;
};

struct ListDef
{
    int id = 0;
    std::vector<ListLevelDef> levels;
};

struct FontDef
{
    int index = -1;
    int codePage = 0;        // 0: the document's
};

RtfListKind kindFromNfc(int nfc)
{
    switch (nfc) {
    case 1: return RtfListKind::UpperRoman;
    case 2: return RtfListKind::LowerRoman;
    case 3: return RtfListKind::UpperAlpha;
    case 4: return RtfListKind::LowerAlpha;
    case 23: return RtfListKind::Bullet;
    case 255: return RtfListKind::None;
    default: return RtfListKind::Decimal;
    }
}

// The look of a bullet from its marker character: writers use Symbol,
// Wingdings and Courier private-use or ASCII stand-ins.
RtfListKind bulletKind(const QString &marker)
{
    for (QChar c : marker) {
        const char16_t u = c.unicode();
        if (u == 'o' || u == 0x25E6 || u == 0x25CB || u == 0xF06F)
            return RtfListKind::Circle;
        if (u == 0xF0A7 || u == 0xA7 || u == 0x25AA || u == 0x25A0 || u == 0xF06E)
            return RtfListKind::Square;
    }
    return RtfListKind::Bullet;
}

int clampInt(qint64 value, int low, int high)
{
    return int(std::clamp<qint64>(value, low, high));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr int MaxTwips = 31680;  // 22 inches, the widest page Word accepts

class Parser
{
public:
    explicit Parser(QByteArrayView data) : m_data(data)
    {
        m_stack.reserve(64);
        m_stack.push_back(Group{});
    }

    RtfContent run();

private:
    Group &top() { return m_stack.back(); }

    void openGroup();
    void closeGroup();
    void controlWord(std::string_view word, bool hasParam, int param);
    void controlSymbol(char c);
    void textBytes(const char *bytes, qsizetype count);
    void setDest(Dest dest);

    void flushText();
    void appendText(const QString &text);
    void appendChar(char16_t c);
    int codePageForText() const;
    int styleIndex(const RtfCharStyle &chr);

    void endParagraph(bool endsCell);
    void endRow();
    void closeTable();
    RtfParaStyle resolvedParaStyle(const ParaState &para);

    void finishFontName();
    void finishColor();
    void finishFieldInstruction(Group &field);
    void finishPicture();
    void finishLevelText();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    std::vector<Group> m_stack;
    int m_overflowDepth = 0;    // groups past MaxDepth, not kept on the stack
    bool m_starred = false;     // the last symbol was \*
    int m_ucSkip = 0;           // fallback bytes after \u still to skip

    RtfContent m_content;
    int m_docCodePage = CodePage::Ansi;
    int m_defaultFont = -1;
    std::unordered_map<int, FontDef> m_fonts;
    int m_lastStyle = 0;
    RtfCharStyle m_lastRawStyle;
    bool m_lastStyleValid = false;

    // Text bytes waiting to be decoded in one piece, so double-byte
    // characters split over \'hh escapes decode correctly.
    QByteArray m_pendingBytes;

    // Font table
    int m_currentFont = -1;
    QByteArray m_fontName;
    bool m_fontNameDone = false;

    // Colour table
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_hasColor = false;

    // List tables
    std::vector<ListDef> m_lists;
    std::unordered_map<int, int> m_overrides;  // \ls number → \listid
    int m_overrideListId = 0;
    int m_overrideLs = 0;
    QString m_levelText;

    // Legacy numbering being read
    Numbering m_pn;

    // Fields
    QString m_fieldInstruction;

    // Pictures
    RtfPicture m_picture;
    bool m_pictureKept = false;
    int m_pictureNibble = -1;
    int m_picScaleX = 100, m_picScaleY = 100;
    qint64 m_picturePixels = 0;

    // The paragraph and table being built
    RtfParagraph m_paragraph;
    bool m_nextPageBreak = false;
    int m_pnListId = 0;          // list id of the running legacy-numbered list
    int m_nextPnListId = -1;
    RtfTable m_table;
    RtfTableRow m_row;
    RtfTableCell m_cell;
    std::vector<int> m_cellRight;
};

RtfContent Parser::run()
{
    const char *data = m_data.data();
    const qsizetype size = m_data.size();
    while (m_pos < size) {
        const char c = data[m_pos];
        if (c == '{') {
            flushText();
            ++m_pos;
            openGroup();
        } else if (c == '}') {
            flushText();
            ++m_pos;
            closeGroup();
        } else if (c == '\\') {
            ++m_pos;
            if (m_pos >= size)
                break;
            if (!isLetter(data[m_pos])) {
                const char symbol = data[m_pos++];
                if (symbol == '\'') {
                    if (m_pos + 1 < size && hexValue(data[m_pos]) >= 0 && hexValue(data[m_pos + 1]) >= 0) {
                        const char byte = char(hexValue(data[m_pos]) * 16 + hexValue(data[m_pos + 1]));
                        m_pos += 2;
                        if (m_ucSkip > 0)
                            --m_ucSkip;
                        else
                            textBytes(&byte, 1);
                    } else {
                        m_pos = std::min(size, m_pos + 2);
                    }
                    continue;
                }
                flushText();
                controlSymbol(symbol);
                continue;
            }
            const qsizetype wordStart = m_pos;
            while (m_pos < size && isLetter(data[m_pos]))
                ++m_pos;
            // Words longer than the format allows cannot be known ones.
            const qsizetype wordLength = m_pos - wordStart;
            std::string_view word(data + wordStart, size_t(std::min<qsizetype>(wordLength, 32)));
            if (wordLength > 32)
                word = std::string_view();
            bool negative = false;
            bool hasParam = false;
            qint64 value = 0;
            if (m_pos < size && data[m_pos] == '-'
                && m_pos + 1 < size && data[m_pos + 1] >= '0' && data[m_pos + 1] <= '9') {
                negative = true;
                ++m_pos;
            }
            while (m_pos < size && data[m_pos] >= '0' && data[m_pos] <= '9') {
                hasParam = true;
                if (value < 0x7FFFFFFF)
                    value = value * 10 + (data[m_pos] - '0');
                ++m_pos;
            }
            if (m_pos < size && data[m_pos] == ' ')
                ++m_pos;
            value = std::min<qint64>(value, 0x7FFFFFFF);
            const int param = int(negative ? -value : value);
            flushText();
            controlWord(word, hasParam, param);
        } else if (c == '\r' || c == '\n') {
            ++m_pos;
        } else {
            // A run of plain text bytes.
            qsizetype end = m_pos;
            while (end < size) {
                const char d = data[end];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                    break;
                ++end;
            }
            qsizetype start = m_pos;
            m_pos = end;
            if (m_ucSkip > 0) {
                const qsizetype skipped = std::min<qsizetype>(m_ucSkip, end - start);
                m_ucSkip -= int(skipped);
                start += skipped;
            }
            if (start < end)
                textBytes(data + start, end - start);
        }
    }
    flushText();

    // A truncated file: whatever was read still counts.
    if (!m_paragraph.text.isEmpty() || m_paragraph.para.inTable)
        endParagraph(false);
    closeTable();
    return std::move(m_content);
}

void Parser::openGroup()
{
    m_ucSkip = 0;
    m_starred = false;
    if (int(m_stack.size()) > RtfParser::MaxDepth) {
        ++m_overflowDepth;
        return;
    }
    Group copy = top();
    copy.destOwner = false;
    m_stack.push_back(copy);
}

void Parser::closeGroup()
{
    m_ucSkip = 0;
    m_starred = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    // The outermost state is never removed: stray closing braces are ignored.
    if (m_stack.size() <= 1)
        return;
    const Group closing = m_stack.back();
    m_stack.pop_back();
    if (!closing.destOwner)
        return;
    switch (closing.dest) {
    case Dest::FontTable:
        finishFontName();
        break;
    case Dest::FieldInstruction:
        finishFieldInstruction(top());
        break;
    case Dest::Picture:
        finishPicture();
        break;
    case Dest::LevelText:
        finishLevelText();
        break;
    case Dest::Numbering:
        top().para.pn = m_pn;
        break;
    case Dest::ListOverrideTable:
        if (m_overrideLs > 0)
            m_overrides[m_overrideLs] = m_overrideListId;
        m_overrideLs = 0;
        m_overrideListId = 0;
        break;
    default:
        break;
    }
}

void Parser::setDest(Dest dest)
{
    Group &g = top();
    g.dest = dest;
    g.destOwner = true;
}

void Parser::controlSymbol(char c)
{
    const bool skipping = top().dest == Dest::Skip;
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    switch (c) {
    case '*':
        m_starred = true;
        break;
    case '\\':
    case '{':
    case '}':
        if (!skipping)
            textBytes(&c, 1);
        break;
    case '~':
        appendChar(0x00A0);
        break;
    case '-':
        appendChar(0x00AD);
        break;
    case '_':
        appendChar(0x2011);
        break;
    case '\r':
    case '\n':
        // A backslash before a line end is an old way of writing \par.
        if (!skipping && top().dest == Dest::Body)
            endParagraph(false);
        break;
    case '\t':
        appendChar(u'\t');
        break;
    default:
        break;
    }
}

void Parser::controlWord(std::string_view word, bool hasParam, int param)
{
    const bool starred = m_starred;
    m_starred = false;
    Group &g = top();

    if (g.dest == Dest::Skip) {
        if (word == "bin" && hasParam && param > 0)
            m_pos = std::min(m_data.size(), m_pos + param);
        return;
    }
    if (m_ucSkip > 0) {
        --m_ucSkip;
        if (word == "bin" && hasParam && param > 0)
            m_pos = std::min(m_data.size(), m_pos + param);
        return;
    }

    const auto found = keywords().find(word);
    const Kw kw = found == keywords().end() ? Kw::Unknown : found->second;
    const bool on = !hasParam || param != 0;

    // A destination the reader does not know, marked ignorable.
    if (starred) {
        switch (kw) {
        case Kw::ListTable: case Kw::ListOverrideTable: case Kw::FieldInst: case Kw::Pn:
        case Kw::ShpPict: case Kw::NestTableProps: case Kw::Ud: case Kw::FontTable: case Kw::ColorTable:
        case Kw::Pict: case Kw::PnText: case Kw::PnTextBefore: case Kw::PnTextAfter:
            break;
        default:
            setDest(Dest::Skip);
            return;
        }
    }

    // The picture destination keeps its own few properties.
    if (g.dest == Dest::Picture) {
        if (word == "pngblip") {
            m_picture.format = "png";
            m_pictureKept = true;
        } else if (word == "jpegblip") {
            m_picture.format = "jpg";
            m_pictureKept = true;
        } else if (word == "picwgoal") {
            m_picture.widthTwips = clampInt(param, 0, 2 * MaxTwips);
        } else if (word == "pichgoal") {
            m_picture.heightTwips = clampInt(param, 0, 2 * MaxTwips);
        } else if (word == "picscalex") {
            m_picScaleX = clampInt(param, 1, 1000);
        } else if (word == "picscaley") {
            m_picScaleY = clampInt(param, 1, 1000);
        } else if (kw == Kw::Bin && hasParam && param > 0) {
            const qsizetype count = std::min<qsizetype>(param, m_data.size() - m_pos);
            if (m_pictureKept)
                m_picture.data.append(m_data.data() + m_pos, count);
            m_pos += count;
        }
        return;
    }

    switch (kw) {
    case Kw::Unknown:
    case Kw::Rtf:
        return;

    // Document
    case Kw::Ansi: m_docCodePage = CodePage::Ansi; return;
    case Kw::Mac: m_docCodePage = 10000; return;
    case Kw::Pc: m_docCodePage = 437; return;
    case Kw::Pca: m_docCodePage = 850; return;
    case Kw::AnsiCpg:
        if (hasParam && param > 0)
            m_docCodePage = param;
        return;
    case Kw::Deff:
        m_defaultFont = param;
        m_lastStyleValid = false;
        return;
    case Kw::Uc: g.uc = clampInt(param, 0, 255); return;
    case Kw::U: {
        int value = clampInt(param, -32768, 65535);
        if (value < 0)
            value += 65536;
        appendChar(char16_t(value));
        m_ucSkip = g.uc;
        return;
    }

    // Destinations
    case Kw::FontTable: setDest(Dest::FontTable); return;
    case Kw::ColorTable:
        setDest(Dest::ColorTable);
        m_hasColor = false;
        m_red = m_green = m_blue = 0;
        return;
    case Kw::StyleSheet: case Kw::Info: case Kw::SkipDest: case Kw::PnText:
        setDest(Dest::Skip);
        return;
    case Kw::ListTable: setDest(Dest::ListTable); return;
    case Kw::List:
        if (g.dest == Dest::ListTable)
            m_lists.emplace_back();
        return;
    case Kw::ListLevel:
        if (g.dest == Dest::ListTable && !m_lists.empty())
            m_lists.back().levels.emplace_back();
        return;
    case Kw::LevelText:
        if (g.dest == Dest::ListTable) {
            setDest(Dest::LevelText);
            m_levelText.clear();
        } else {
            setDest(Dest::Skip);
        }
        return;
    case Kw::ListOverrideTable: setDest(Dest::ListOverrideTable); return;
    case Kw::ListOverride:
        if (g.dest == Dest::ListOverrideTable) {
            g.destOwner = true;  // each override's group closes its entry
            m_overrideLs = 0;
            m_overrideListId = 0;
        }
        return;
    case Kw::Field: case Kw::FieldResult: case Kw::ShpPict:
        return;
    case Kw::NestTableProps:
        g.nestedTableProps = true;
        return;
    case Kw::FieldInst:
        setDest(Dest::FieldInstruction);
        m_fieldInstruction.clear();
        return;
    case Kw::Pict:
        if (g.dest != Dest::Body) {
            setDest(Dest::Skip);
            return;
        }
        setDest(Dest::Picture);
        m_picture = RtfPicture{};
        m_pictureKept = false;
        m_pictureNibble = -1;
        m_picScaleX = m_picScaleY = 100;
        return;
    case Kw::Pn:
        setDest(Dest::Numbering);
        m_pn = Numbering{};
        m_pn.kind = RtfListKind::Decimal;
        return;
    case Kw::PnTextBefore:
        if (g.dest == Dest::Numbering)
            setDest(Dest::NumberingText);
        else
            setDest(Dest::Skip);
        return;
    case Kw::PnTextAfter:
        setDest(Dest::Skip);
        return;
    case Kw::Upr: g.ignoreText = true; return;
    case Kw::Ud: g.ignoreText = false; return;

    // Font and colour tables
    case Kw::F:
        if (g.dest == Dest::FontTable) {
            finishFontName();
            m_lastStyleValid = false;  // styles resolve font numbers through the table
            FontDef &def = m_fonts[param];
            if (def.index < 0) {
                def.index = int(m_content.fonts.size());
                m_content.fonts.emplace_back();
            }
            m_currentFont = param;
            m_fontName.clear();
            m_fontNameDone = false;
            g.destOwner = true;  // the entry's group ends the entry
        } else {
            g.chr.font = param;
        }
        return;
    case Kw::FCharset:
        if (g.dest == Dest::FontTable && m_currentFont >= 0) {
            FontDef &def = m_fonts[m_currentFont];
            m_content.fonts[size_t(def.index)].charset = clampInt(param, 0, 255);
            if (def.codePage == 0)
                def.codePage = CodePage::fromCharset(param);
        }
        return;
    case Kw::Cpg:
        if (g.dest == Dest::FontTable && m_currentFont >= 0 && param > 0)
            m_fonts[m_currentFont].codePage = param;
        return;
    case Kw::Red: m_red = clampInt(param, 0, 255); m_hasColor = true; return;
    case Kw::Green: m_green = clampInt(param, 0, 255); m_hasColor = true; return;
    case Kw::Blue: m_blue = clampInt(param, 0, 255); m_hasColor = true; return;

    // Lists
    case Kw::ListId:
        if (g.dest == Dest::ListTable && !m_lists.empty())
            m_lists.back().id = param;
        else if (g.dest == Dest::ListOverrideTable)
            m_overrideListId = param;
        return;
    case Kw::LevelNfc:
        if (g.dest == Dest::ListTable && !m_lists.empty() && !m_lists.back().levels.empty())
            m_lists.back().levels.back().kind = kindFromNfc(param);
        return;
    case Kw::Ls:
        if (g.dest == Dest::ListOverrideTable)
            m_overrideLs = param;
        else
            g.para.ls = std::max(0, param);
        return;
    case Kw::Ilvl: g.para.ilvl = clampInt(param, 0, 8); return;
    case Kw::PnLvlBlt:
        if (g.dest == Dest::Numbering)
            m_pn.kind = RtfListKind::Bullet;
        return;
    case Kw::PnLvlBody: return;
    case Kw::PnLvlCont:
        if (g.dest == Dest::Numbering)
            m_pn.kind = RtfListKind::None;
        return;
    case Kw::PnLvl:
        if (g.dest == Dest::Numbering)
            m_pn.level = clampInt(param, 1, 9);
        return;
    case Kw::PnDec: m_pn.kind = RtfListKind::Decimal; return;
    case Kw::PnUcLtr: m_pn.kind = RtfListKind::UpperAlpha; return;
    case Kw::PnLcLtr: m_pn.kind = RtfListKind::LowerAlpha; return;
    case Kw::PnUcRm: m_pn.kind = RtfListKind::UpperRoman; return;
    case Kw::PnLcRm: m_pn.kind = RtfListKind::LowerRoman; return;

    // Characters
    case Kw::Plain: {
        const int keepLink = g.chr.link;
        g.chr = RtfCharStyle{};
        g.chr.link = keepLink;  // a field's link survives formatting resets inside it
        g.hidden = false;
        return;
    }
    case Kw::B: g.chr.bold = on; return;
    case Kw::I: g.chr.italic = on; return;
    case Kw::Ul: g.chr.underline = on; return;
    case Kw::UlNone: g.chr.underline = false; return;
    case Kw::Strike: g.chr.strike = on; return;
    case Kw::Fs: g.chr.halfPoints = hasParam ? clampInt(param, 2, 3276) : 24; return;
    case Kw::Cf: g.chr.foreground = param > 0 ? param : -1; return;
    case Kw::Cb: case Kw::Highlight: g.chr.background = param > 0 ? param : -1; return;
    case Kw::Super: g.chr.vertical = on ? 1 : 0; return;
    case Kw::Sub: g.chr.vertical = on ? 2 : 0; return;
    case Kw::NoSuperSub: g.chr.vertical = 0; return;
    case Kw::V: g.hidden = on; return;

    // Paragraphs
    case Kw::Pard: g.para = ParaState{}; return;
    case Kw::Ql: g.para.style.alignment = RtfAlignment::Left; return;
    case Kw::Qc: g.para.style.alignment = RtfAlignment::Center; return;
    case Kw::Qr: g.para.style.alignment = RtfAlignment::Right; return;
    case Kw::Qj: g.para.style.alignment = RtfAlignment::Justify; return;
    case Kw::Li: g.para.style.leftIndent = clampInt(param, -MaxTwips, MaxTwips); return;
    case Kw::Ri: g.para.style.rightIndent = clampInt(param, -MaxTwips, MaxTwips); return;
    case Kw::Fi: g.para.style.firstIndent = clampInt(param, -MaxTwips, MaxTwips); return;
    case Kw::Sb: g.para.style.spaceBefore = clampInt(param, 0, MaxTwips); return;
    case Kw::Sa: g.para.style.spaceAfter = clampInt(param, 0, MaxTwips); return;
    case Kw::InTbl: g.para.style.inTable = on; return;
    case Kw::PageBb: g.para.style.pageBreakBefore = on; return;

    // Breaks and special characters
    case Kw::Par:
        if (g.dest == Dest::Body)
            endParagraph(false);
        return;
    case Kw::Sect:
        if (g.dest == Dest::Body)
            endParagraph(false);
        return;
    case Kw::Page:
        if (g.dest == Dest::Body) {
            endParagraph(false);
            m_nextPageBreak = true;
        }
        return;
    case Kw::Line: appendChar(0x2028); return;
    case Kw::Tab: appendChar(u'\t'); return;
    case Kw::Cell:
        if (g.dest == Dest::Body)
            endParagraph(true);
        return;
    case Kw::Row:
        if (g.dest == Dest::Body)
            endRow();
        return;
    // Nested tables are flattened into their outer cell, one line per row.
    case Kw::NestCell: appendChar(u'\t'); return;
    case Kw::NestRow:
        if (g.dest == Dest::Body)
            endParagraph(false);
        return;
    case Kw::TRowD:
        if (!g.nestedTableProps)
            m_cellRight.clear();
        return;
    case Kw::CellX:
        if (!g.nestedTableProps && m_cellRight.size() < 4096)
            m_cellRight.push_back(clampInt(param, -MaxTwips, 4 * MaxTwips));
        return;
    case Kw::EmDash: appendChar(0x2014); return;
    case Kw::EnDash: appendChar(0x2013); return;
    case Kw::Bullet: appendChar(0x2022); return;
    case Kw::LQuote: appendChar(0x2018); return;
    case Kw::RQuote: appendChar(0x2019); return;
    case Kw::LDblQuote: appendChar(0x201C); return;
    case Kw::RDblQuote: appendChar(0x201D); return;
    case Kw::EmSpace: appendChar(0x2003); return;
    case Kw::EnSpace: appendChar(0x2002); return;
    case Kw::Zwj: appendChar(0x200D); return;
    case Kw::Zwnj: appendChar(0x200C); return;
    case Kw::Bin:
        if (hasParam && param > 0)
            m_pos = std::min(m_data.size(), m_pos + param);
        return;
    }
}

void Parser::textBytes(const char *bytes, qsizetype count)
{
    Group &g = top();
    switch (g.dest) {
    case Dest::Skip:
    case Dest::ListTable:
    case Dest::ListOverrideTable:
    case Dest::Numbering:
        return;
    case Dest::ColorTable:
        for (qsizetype i = 0; i < count; ++i)
            if (bytes[i] == ';')
                finishColor();
        return;
    case Dest::Picture:
        if (!m_pictureKept)
            return;
        for (qsizetype i = 0; i < count; ++i) {
            const int v = hexValue(bytes[i]);
            if (v < 0)
                continue;
            if (m_pictureNibble < 0) {
                m_pictureNibble = v;
            } else {
                m_picture.data.append(char(m_pictureNibble * 16 + v));
                m_pictureNibble = -1;
            }
        }
        return;
    case Dest::FontTable:
        if (g.ignoreText || m_fontNameDone)
            return;
        for (qsizetype i = 0; i < count; ++i) {
            if (bytes[i] == ';') {
                finishFontName();
                m_fontNameDone = true;
                return;
            }
            m_fontName.append(bytes[i]);
        }
        return;
    default:
        if (g.ignoreText || g.hidden)
            return;
        m_pendingBytes.append(bytes, count);
        return;
    }
}

int Parser::codePageForText() const
{
    int font = m_stack.back().chr.font;
    if (font < 0)
        font = m_defaultFont;
    const auto found = m_fonts.find(font);
    if (found != m_fonts.end() && found->second.codePage > 0)
        return found->second.codePage;
    return m_docCodePage;
}

void Parser::flushText()
{
    if (m_pendingBytes.isEmpty())
        return;
    QString text = CodePage::decode(codePageForText(), m_pendingBytes);
    m_pendingBytes.clear();
    appendText(text);
}

void Parser::appendChar(char16_t c)
{
    flushText();
    Group &g = top();
    if (g.ignoreText || g.hidden)
        return;
    // Text written as \u runs character by character; the common case of a
    // plain body character is added without building a string for it.
    const bool plain = (c >= 0x20 && c < 0xFDD0) || c > 0xFDEF || c == u'\t';
    if (g.dest == Dest::Body && plain && c != QChar::ParagraphSeparator) {
        const int style = styleIndex(g.chr);
        if (!m_paragraph.runs.empty() && m_paragraph.runs.back().style == style
            && m_paragraph.runs.back().picture < 0)
            ++m_paragraph.runs.back().length;
        else
            m_paragraph.runs.push_back(RtfRun{int(m_paragraph.text.size()), 1, style, -1});
        m_paragraph.text += QChar(c);
        return;
    }
    appendText(QString(QChar(c)));
}

// Characters that would change the document's structure rather than add
// text: control characters (a raw tab still counts as a tab), the paragraph
// separator, and the noncharacters Qt marks frames with.
QString withoutStructureCharacters(const QString &text)
{
    QString out = text;
    out.removeIf([](QChar c) { return c.unicode() < 0x20 && c.unicode() != u'\t'; });
    for (QChar &c : out) {
        if (c.unicode() == QChar::ParagraphSeparator)
            c = QChar(QChar::LineSeparator);
        else if (c.unicode() >= 0xFDD0 && c.unicode() <= 0xFDEF)
            c = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

void Parser::appendText(const QString &raw)
{
    const QString text = withoutStructureCharacters(raw);
    if (text.isEmpty())
        return;
    Group &g = top();
    switch (g.dest) {
    case Dest::Body: {
        const int style = styleIndex(g.chr);
        if (!m_paragraph.runs.empty() && m_paragraph.runs.back().style == style
            && m_paragraph.runs.back().picture < 0) {
            m_paragraph.runs.back().length += int(text.size());
        } else {
            m_paragraph.runs.push_back(RtfRun{int(m_paragraph.text.size()), int(text.size()), style, -1});
        }
        m_paragraph.text += text;
        return;
    }
    case Dest::FieldInstruction:
        if (m_fieldInstruction.size() < 4096)
            m_fieldInstruction += text;
        return;
    case Dest::LevelText:
        if (m_levelText.size() < 64)
            m_levelText += text;
        return;
    case Dest::NumberingText:
        if (m_pn.textBefore.size() < 64)
            m_pn.textBefore += text;
        return;
    case Dest::FontTable:
        // \u in a font name: keep the name in UTF-8 until it is finished.
        if (!g.ignoreText && !m_fontNameDone)
            m_fontName += "\x01" + text.toUtf8() + "\x02";
        return;
    default:
        return;
    }
}

int Parser::styleIndex(const RtfCharStyle &chr)
{
    // Runs of text mostly keep the style of the run before.
    if (m_lastStyleValid && chr == m_lastRawStyle)
        return m_lastStyle;
    m_lastRawStyle = chr;
    m_lastStyleValid = true;
    RtfCharStyle resolved = chr;
    int font = chr.font < 0 ? m_defaultFont : chr.font;
    const auto found = m_fonts.find(font);
    resolved.font = found != m_fonts.end() ? found->second.index : -1;
    if (resolved.foreground >= int(m_content.colors.size())
        || (resolved.foreground >= 0 && !m_content.colors[size_t(resolved.foreground)].isValid()))
        resolved.foreground = -1;
    if (resolved.background >= int(m_content.colors.size())
        || (resolved.background >= 0 && !m_content.colors[size_t(resolved.background)].isValid()))
        resolved.background = -1;

    std::vector<RtfCharStyle> &styles = m_content.styles;
    if (styles[size_t(m_lastStyle)] == resolved)
        return m_lastStyle;
    // Bodies use a handful of styles; a linear look-up over them is cheap,
    // and a file that makes thousands gets a cap so it stays linear.
    const size_t limit = std::min<size_t>(styles.size(), 64);
    for (size_t i = 0; i < limit; ++i) {
        if (styles[i] == resolved) {
            m_lastStyle = int(i);
            return m_lastStyle;
        }
    }
    styles.push_back(resolved);
    m_lastStyle = int(styles.size() - 1);
    return m_lastStyle;
}

RtfParaStyle Parser::resolvedParaStyle(const ParaState &para)
{
    RtfParaStyle style = para.style;
    style.listKind = RtfListKind::None;
    style.listLevel = 0;
    style.listId = 0;

    if (para.ls > 0) {
        const auto override = m_overrides.find(para.ls);
        const int listId = override != m_overrides.end() ? override->second : 0;
        const auto def = std::find_if(m_lists.begin(), m_lists.end(),
                                      [&](const ListDef &l) { return l.id == listId; });
        RtfListKind kind = RtfListKind::Bullet;
        if (def != m_lists.end() && size_t(para.ilvl) < def->levels.size()) {
            const ListLevelDef &level = def->levels[size_t(para.ilvl)];
            kind = level.kind == RtfListKind::Bullet ? bulletKind(level.text) : level.kind;
        }
        if (kind != RtfListKind::None) {
            style.listKind = kind;
            style.listLevel = para.ilvl + 1;
            style.listId = para.ls;
        }
        m_pnListId = 0;
        return style;
    }

    if (para.pn.kind != RtfListKind::None) {
        style.listKind = para.pn.kind == RtfListKind::Bullet ? bulletKind(para.pn.textBefore)
                                                             : para.pn.kind;
        style.listLevel = para.pn.level > 0 ? para.pn.level
                                            : std::clamp(style.leftIndent / 600, 1, 9);
        // Legacy numbering has no list identity: consecutive numbered
        // paragraphs form one list (a level whose kind changes starts anew).
        if (m_pnListId == 0)
            m_pnListId = m_nextPnListId--;
        style.listId = m_pnListId;
        return style;
    }
    m_pnListId = 0;
    return style;
}

void Parser::endParagraph(bool endsCell)
{
    flushText();
    Group &g = top();
    m_paragraph.para = resolvedParaStyle(g.para);
    m_paragraph.para.pageBreakBefore = m_paragraph.para.pageBreakBefore || m_nextPageBreak;
    m_nextPageBreak = false;
    m_paragraph.markStyle = styleIndex(g.chr);
    if (endsCell)
        m_paragraph.para.inTable = true;

    if (m_paragraph.para.inTable) {
        m_cell.paragraphs.push_back(std::move(m_paragraph));
        if (endsCell) {
            m_row.cells.push_back(std::move(m_cell));
            m_cell = RtfTableCell{};
        }
    } else {
        closeTable();
        m_content.items.emplace_back(std::move(m_paragraph));
    }
    m_paragraph = RtfParagraph{};
}

void Parser::endRow()
{
    flushText();
    if (!m_paragraph.text.isEmpty())
        endParagraph(true);
    if (!m_cell.paragraphs.empty()) {
        m_row.cells.push_back(std::move(m_cell));
        m_cell = RtfTableCell{};
    }
    if (m_row.cells.empty())
        return;
    m_row.cellRight = m_cellRight;
    m_table.rows.push_back(std::move(m_row));
    m_row = RtfTableRow{};
}

void Parser::closeTable()
{
    if (!m_cell.paragraphs.empty()) {
        m_row.cells.push_back(std::move(m_cell));
        m_cell = RtfTableCell{};
    }
    if (!m_row.cells.empty()) {
        m_row.cellRight = m_cellRight;
        m_table.rows.push_back(std::move(m_row));
        m_row = RtfTableRow{};
    }
    if (!m_table.rows.empty()) {
        m_content.items.emplace_back(std::move(m_table));
        m_table = RtfTable{};
    }
}

void Parser::finishFontName()
{
    if (m_currentFont < 0 || m_fontNameDone)
        return;
    const FontDef &def = m_fonts[m_currentFont];
    const int codePage = def.codePage > 0 ? def.codePage : m_docCodePage;
    // Bytes between \x01 and \x02 came from \u and are UTF-8 already.
    QString name;
    qsizetype i = 0;
    while (i < m_fontName.size()) {
        const qsizetype open = m_fontName.indexOf('\x01', i);
        const qsizetype plainEnd = open < 0 ? m_fontName.size() : open;
        name += CodePage::decode(codePage, QByteArrayView(m_fontName).sliced(i, plainEnd - i));
        if (open < 0)
            break;
        qsizetype close = m_fontName.indexOf('\x02', open);
        if (close < 0)
            close = m_fontName.size();
        name += QString::fromUtf8(QByteArrayView(m_fontName).sliced(open + 1, close - open - 1));
        i = close + 1;
    }
    name.removeIf([](QChar c) { return c.unicode() < 0x20; });
    m_content.fonts[size_t(def.index)].family = name.trimmed();
    m_fontNameDone = true;
}

void Parser::finishColor()
{
    m_lastStyleValid = false;
    if (m_content.colors.size() < 65536)
        m_content.colors.push_back(m_hasColor ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_hasColor = false;
}

// HYPERLINK "target" \l "anchor": the link of the field's result text.
void Parser::finishFieldInstruction(Group &field)
{
    QStringList args;
    QString current;
    bool quoted = false;
    bool inArg = false;
    const QString &text = m_fieldInstruction;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < text.size() && text[i + 1] == u'\\') {
                current += u'\\';
                ++i;
            } else {
                current += c;
            }
        } else if (c == u'"') {
            quoted = true;
            inArg = true;
        } else if (c.isSpace()) {
            if (inArg)
                args << current;
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg)
        args << current;
    if (args.isEmpty() || args.first().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return;

    QString target;
    QString anchor;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg.startsWith(u'\\') && arg.size() == 2) {
            const QChar sw = arg[1].toLower();
            if (sw == u'l' && i + 1 < args.size())
                anchor = args[++i];
            else if ((sw == u'o' || sw == u't') && i + 1 < args.size())
                ++i;  // tooltip and target frame are not kept
        } else if (target.isEmpty()) {
            target = arg;
        }
    }
    if (!anchor.isEmpty())
        target += u'#' + anchor;
    if (target.isEmpty() || m_content.links.size() >= 65536)
        return;
    field.chr.link = int(m_content.links.size());
    m_content.links << target;
}

void Parser::finishPicture()
{
    if (!m_pictureKept || m_picture.data.isEmpty() || top().dest != Dest::Body)
        return;
    // Only the header is read here; pictures that cannot be shown, or
    // would take too much memory when they are, are left out.
    QBuffer buffer(&m_picture.data);
    QImageReader reader(&buffer, m_picture.format);
    const QSize size = reader.size();
    const qint64 pixels = qint64(size.width()) * size.height();
    if (!size.isValid() || size.isEmpty() || pixels > RtfParser::MaxPicturePixels
        || m_picturePixels + pixels > RtfParser::MaxDocumentPixels)
        return;
    m_picturePixels += pixels;
    m_picture.widthTwips = m_picture.widthTwips * m_picScaleX / 100;
    m_picture.heightTwips = m_picture.heightTwips * m_picScaleY / 100;
    const int index = int(m_content.pictures.size());
    m_content.pictures.push_back(std::move(m_picture));
    m_picture = RtfPicture{};
    const int style = styleIndex(top().chr);
    m_paragraph.runs.push_back(RtfRun{int(m_paragraph.text.size()), 1, style, index});
    m_paragraph.text += QChar(QChar::ObjectReplacementCharacter);
}

void Parser::finishLevelText()
{
    if (m_lists.empty() || m_lists.back().levels.empty())
        return;
    // The marker's leading length byte, a control character, was dropped
    // with the other control characters when the text was decoded.
    QString text = m_levelText;
    if (text.endsWith(u';'))
        text.chop(1);
    m_lists.back().levels.back().text = text;
}

} // namespace

RtfContent RtfParser::parse(QByteArrayView rtf)
{
    return Parser(rtf).run();
}
