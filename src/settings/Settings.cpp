#include "settings/Settings.h"

#include "app/Folders.h"

namespace Settings {

QString path()
{
    return DataFolder + QStringLiteral("\\Tune.ini");
}

} // namespace Settings
