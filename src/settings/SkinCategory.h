#pragma once

#include <QString>
#include <QStringList>

// How dark a skin is, which decides the editor's pictures and colours.
enum class SkinCategory { Light, HalfDark, Dark };

namespace SkinCategories {

// The file-name part of a stored skin value ("\Skins\Graphite.skn" gives
// "Graphite.skn"); both separators count, since the value keeps its
// Windows form.
QString skinFileName(const QString &skinValue);

// Exact letter case: the lists name files as they were shipped. A name in
// both lists is dark.
SkinCategory categoryOf(const QString &skinValue, const QStringList &blackSkins, const QStringList &halfBlackSkins);

// The category of "Interface"/"Skin" against "BlackSkins" and
// "HalfBlackSkins" of the settings file at settingsPath.
SkinCategory currentCategory(const QString &settingsPath);

} // namespace SkinCategories
