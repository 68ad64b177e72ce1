#pragma once

#include <QString>

// The transparency every skinned window applies to itself: "AlphaBlend"
// "Value", "AllowAlphaBlend" and "AllowAlphaBlendAnimation".
struct WindowOpacity
{
    int alpha = 200;         // 0 to 255, 255 opaque
    bool translucent = true;
    bool fading = true;

    // The low 8 bits of the stored value (300 gives 44). A result below the
    // options dialog's lowest setting would make a window all but invisible
    // and impossible to find again, so it is raised to that setting.
    static int alphaFromValue(int value);
    static constexpr int kLowestAlpha = 25;

    // The opacity a window shows: alpha / 255 when translucent, else 1.
    double level() const { return translucent ? alpha / 255.0 : 1.0; }

    static WindowOpacity fromSettings(const QString &settingsPath);
};
