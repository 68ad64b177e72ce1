#include "settings/SkinCategory.h"

#include "settings/Profile.h"

namespace SkinCategories {

QString skinFileName(const QString &skinValue)
{
    const qsizetype cut = std::max(skinValue.lastIndexOf(QLatin1Char('\\')), skinValue.lastIndexOf(QLatin1Char('/')));
    return skinValue.mid(cut + 1);
}

SkinCategory categoryOf(const QString &skinValue, const QStringList &blackSkins, const QStringList &halfBlackSkins)
{
    const QString name = skinFileName(skinValue);
    if (blackSkins.contains(name, Qt::CaseSensitive))
        return SkinCategory::Dark;
    if (halfBlackSkins.contains(name, Qt::CaseSensitive))
        return SkinCategory::HalfDark;
    return SkinCategory::Light;
}

SkinCategory currentCategory(const QString &settingsPath)
{
    const Profile settings(settingsPath);
    return categoryOf(settings.readString(QStringLiteral("Interface"), QStringLiteral("Skin")),
                      settings.readList(QStringLiteral("BlackSkins"), QStringLiteral("Skin")),
                      settings.readList(QStringLiteral("HalfBlackSkins"), QStringLiteral("Skin")));
}

} // namespace SkinCategories
