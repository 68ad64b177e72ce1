#pragma once

#include "settings/WindowOpacity.h"

#include <QList>
#include <QString>

class QWidget;

// The settings side of the program's look: which skin to load, where a
// chosen skin is recorded, and the transparency every skinned window uses.
namespace AppearancePass {

// Loads programFolder + "Interface"/"Skin" (default "\Skins\BlueMorph.skn")
// into the shared skin; a missing or bad file is ignored (false) and the
// current look stays.
bool loadSkin(const QString &settingsPath, const QString &programFolder);

// Opacity and fading from the settings, on each window (null ones are
// skipped, so a window not created yet is simply left out).
void applyOpacity(const WindowOpacity &opacity, const QList<QWidget *> &windows);

// The skin chooser: opens programFolder + "\Skins" with title and filter
// from the current language file; a picked file is loaded at once and
// recorded as "\Skins\" + its name (the folder it came from is not kept).
// True when a skin was picked and loaded.
bool chooseSkin(QWidget *parent, const QString &settingsPath, const QString &programFolder);

// Records a skin file (any native path) as "\Skins\" + its file name.
void recordSkin(const QString &settingsPath, const QString &skinFile);

} // namespace AppearancePass
