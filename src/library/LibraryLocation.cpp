#include "library/LibraryLocation.h"

#include "library/DataPath.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

namespace LibraryLocation {

QString libraryPath()
{
    const Profile settings(Settings::path());
    const int number = settings.readInteger(QStringLiteral("Libraries"), QStringLiteral("CurLibNum"), 1);
    const QString path =
        settings.readString(QStringLiteral("Libraries"), numbered(QStringLiteral("LibraryPath"), number), QString());
    // An absent entry would make the catalogue a file beside the data folder;
    // a damaged one could point anywhere. Both mean: no library.
    return DataPath::isInside(path) ? path : QString();
}

QString libraryFolder()
{
    const QString path = libraryPath();
    return path.isEmpty() ? QString() : DataPath::join(path);
}

QString cataloguePath()
{
    const QString folder = libraryFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("LibTune.ini");
}

} // namespace LibraryLocation
