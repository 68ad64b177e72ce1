#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <variant>
#include <vector>

// What the RTF parser makes of a file, before it becomes a QTextDocument or
// plain text. Keeping this step separate lets plain text skip building a
// document, and lets the tests look at exactly what was read.

// Character formatting of a run. Fields left at their "unset" value take the
// control's own font and colour, so a body without sizes follows the editor.
struct RtfCharStyle
{
    int font = -1;            // index into RtfContent::fonts
    int halfPoints = 0;       // 0: not given
    int foreground = -1;      // index into RtfContent::colors
    int background = -1;
    int link = -1;            // index into RtfContent::links
    std::uint8_t vertical = 0;  // 0 normal, 1 superscript, 2 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool operator==(const RtfCharStyle &) const = default;
};

enum class RtfAlignment : std::uint8_t { Left, Center, Right, Justify };

// How a numbered or bulleted paragraph is marked.
enum class RtfListKind : std::uint8_t {
    None, Bullet, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman
};

struct RtfParaStyle
{
    // Indents and spacing in twips, as the file gives them.
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    RtfAlignment alignment = RtfAlignment::Left;
    RtfListKind listKind = RtfListKind::None;
    int listLevel = 0;     // 1-based nesting of a list paragraph
    int listId = 0;        // paragraphs with the same id share one list
    bool inTable = false;
    bool pageBreakBefore = false;
};

// A run of a paragraph's text in one style. A picture is one U+FFFC
// character whose run names the picture.
struct RtfRun
{
    int start = 0;
    int length = 0;
    int style = 0;         // index into RtfContent::styles
    int picture = -1;      // index into RtfContent::pictures
};

struct RtfParagraph
{
    QString text;
    std::vector<RtfRun> runs;
    RtfParaStyle para;
    int markStyle = 0;     // the style of the paragraph mark (empty lines keep their size)
};

struct RtfTableCell
{
    std::vector<RtfParagraph> paragraphs;
};

struct RtfTableRow
{
    std::vector<RtfTableCell> cells;
    std::vector<int> cellRight;  // \cellx boundaries in twips
};

struct RtfTable
{
    std::vector<RtfTableRow> rows;
};

struct RtfPicture
{
    QByteArray data;       // PNG or JPEG file bytes
    QByteArray format;     // "png" or "jpg"
    int widthTwips = 0;    // shown size; 0 when the file did not say
    int heightTwips = 0;
};

struct RtfFont
{
    QString family;
    int charset = 0;
};

struct RtfContent
{
    using Item = std::variant<RtfParagraph, RtfTable>;

    std::vector<Item> items;
    std::vector<RtfCharStyle> styles{RtfCharStyle{}};  // styles[0] is the plain style
    std::vector<RtfFont> fonts;
    std::vector<QColor> colors;    // invalid QColor: the "auto" entry
    QStringList links;
    std::vector<RtfPicture> pictures;
};
