#include "settings/AppearancePass.h"

#include "platform/NativePath.h"
#include "platform/effects/WindowFader.h"
#include "platform/skin/SkinChooserDialog.h"
#include "platform/skin/SkinData.h"
#include "settings/Language.h"
#include "settings/Profile.h"

#include <QFileInfo>

namespace AppearancePass {

bool loadSkin(const QString &settingsPath, const QString &programFolder)
{
    const Profile settings(settingsPath);
    const QString skin = settings.readString(QStringLiteral("Interface"), QStringLiteral("Skin"),
                                             QStringLiteral("\\Skins\\BlueMorph.skn"));
    // A stored value that leads out of the program folder is damaged, not
    // a skin to follow.
    if (skin.contains(QStringLiteral("..")))
        return false;
    return SkinData::shared().load(programFolder + skin);
}

void applyOpacity(const WindowOpacity &opacity, const QList<QWidget *> &windows)
{
    for (QWidget *window : windows)
        if (window)
            WindowFader::apply(window, opacity.level(), opacity.fading);
}

void recordSkin(const QString &settingsPath, const QString &skinFile)
{
    Profile settings(settingsPath);
    settings.writeString(QStringLiteral("Interface"), QStringLiteral("Skin"),
                         QStringLiteral("\\Skins\\") + QFileInfo(skinFile).fileName());
    settings.flush();
}

bool chooseSkin(QWidget *parent, const QString &settingsPath, const QString &programFolder)
{
    const LanguageFile language;
    const QString section = QStringLiteral("SkinDialog");
    const QString filter = language.text(section, QStringLiteral("Filter")) + QStringLiteral(" (*.skn)|*.skn");
    const QString chosen = SkinChooserDialog::choose(parent, nativePath(programFolder + QStringLiteral("\\Skins")),
                                                     language.text(section, QStringLiteral("Title")), filter);
    if (chosen.isEmpty() || !SkinData::shared().load(chosen))
        return false;
    recordSkin(settingsPath, chosen);
    return true;
}

} // namespace AppearancePass
