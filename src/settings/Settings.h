#pragma once

#include <QString>

// The settings file of the data folder.
namespace Settings {

// DataFolder + "\Tune.ini", in stored form.
QString path();

} // namespace Settings
