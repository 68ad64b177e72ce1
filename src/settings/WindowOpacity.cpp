#include "settings/WindowOpacity.h"

#include "settings/Profile.h"

int WindowOpacity::alphaFromValue(int value)
{
    const int low = value & 0xFF;
    return low < kLowestAlpha ? kLowestAlpha : low;
}

WindowOpacity WindowOpacity::fromSettings(const QString &settingsPath)
{
    const Profile settings(settingsPath);
    const QString section = QStringLiteral("AlphaBlend");
    WindowOpacity opacity;
    opacity.alpha = alphaFromValue(settings.readInteger(section, QStringLiteral("Value"), 200));
    opacity.translucent = settings.readBool(section, QStringLiteral("AllowAlphaBlend"), true);
    opacity.fading = settings.readBool(section, QStringLiteral("AllowAlphaBlendAnimation"), true);
    return opacity;
}
