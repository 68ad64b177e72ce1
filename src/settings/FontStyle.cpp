#include "settings/FontStyle.h"

#include <array>

namespace {

// Index = code; B, I, U, S.
constexpr std::array<std::array<bool, 4>, 16> kCodes = {{
    {false, false, false, false},  // 0
    {true, false, false, false},   // 1  B
    {true, true, false, false},    // 2  B I
    {true, false, true, false},    // 3  B U
    {true, false, false, true},    // 4  B S
    {true, true, true, false},     // 5  B I U
    {true, true, false, true},     // 6  B I S
    {true, false, true, true},     // 7  B U S
    {true, true, true, true},      // 8  B I U S
    {false, true, false, false},   // 9  I
    {false, true, true, false},    // 10 I U
    {false, true, false, true},    // 11 I S
    {false, true, true, true},     // 12 I U S
    {false, false, true, false},   // 13 U
    {false, false, true, true},    // 14 U S
    {false, false, false, true},   // 15 S
}};

} // namespace

FontStyles fontStylesFromCode(int code)
{
    if (code < 0 || code >= int(kCodes.size()))
        return {};
    const auto &c = kCodes[code];
    return {c[0], c[1], c[2], c[3]};
}

int fontStyleCode(const FontStyles &styles)
{
    for (int code = 1; code < int(kCodes.size()); ++code) {
        if (fontStylesFromCode(code) == styles)
            return code;
    }
    return 0;
}

QFont FontSpec::toQFont() const
{
    QFont font(name);
    if (size > 0)
        font.setPointSize(size);
    font.setBold(styles.bold);
    font.setItalic(styles.italic);
    font.setUnderline(styles.underline);
    font.setStrikeOut(styles.strikeOut);
    return font;
}

FontSpec FontSpec::fromQFont(const QFont &font, const FontSpec &base)
{
    FontSpec result = base;
    result.name = font.family();
    if (font.pointSize() > 0)
        result.size = font.pointSize();
    result.styles = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    return result;
}
