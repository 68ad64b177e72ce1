#include "settings/ColorCode.h"

#include <QGuiApplication>
#include <QPalette>

namespace ColorCode {

namespace {

std::optional<QColor> systemColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 1:  // desktop
    case 15: // button face
    case 4:  // menu
        return palette.color(QPalette::Button);
    case 5:  // window background
        return palette.color(QPalette::Base);
    case 6:  // window frame
        return palette.color(QPalette::Dark);
    case 7:  // menu text
    case 8:  // window text
        return palette.color(QPalette::Text);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
        return palette.color(QPalette::PlaceholderText);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 23: // info text
        return palette.color(QPalette::ToolTipText);
    case 24: // info background
        return palette.color(QPalette::ToolTipBase);
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<QColor> toColor(qint32 code)
{
    const quint32 u = quint32(code);
    if (code == None || code == Default)
        return std::nullopt;
    if ((u & 0xFF000000u) == 0x80000000u)
        return systemColor(int(u & 0xFFu));
    if ((u & 0xFF000000u) != 0)
        return std::nullopt;
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

qint32 fromColor(const QColor &color)
{
    const QColor c = color.toRgb();
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

} // namespace ColorCode
