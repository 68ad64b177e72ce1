#include "settings/EditorColorAdaptation.h"

#include "settings/ColorCode.h"

namespace EditorColorAdaptation {

bool isDarkColorCode(qint32 code)
{
    switch (code) {
    case 0:
    case WindowText:
    case ButtonText:
    case MenuText:
    case WindowFrame:
    case Highlight:
    case InfoText:
    case ColorCode::None:
    case ColorCode::Default:
        return true;
    default:
        return false;
    }
}

std::optional<qint32> adapted(qint32 code, bool darkSkin, bool enabled)
{
    if (!enabled)
        return std::nullopt;
    if (darkSkin && isDarkColorCode(code))
        return Green;
    if (!darkSkin && code == Green)
        return WindowText;
    return std::nullopt;
}

} // namespace EditorColorAdaptation
