#pragma once

#include "app/StatusTexts.h"

#include <QHash>
#include <QString>
#include <QStringList>

class LanguageFile;

// The texts the main window's localisation reads in one pass and keeps
// until it next runs: what the window shows itself, and what later
// commands (search box, find and replace, skin chooser) show from memory.
struct InterfaceTexts
{
    StatusTexts status;
    QString searchPlaceholder;
    QString calculatorTitle;
    QString findDialogTitle;
    QString replaceDialogTitle;
    QString findReplaceText;
    QString findReplaceNotFound;
    QString replaceCountText;
    QString itemColumnTitle;
    QString skinFilter;  // "Skins (*.skn)|*.skn"
    QString skinDialogTitle;
    QStringList stringTable;      // the 48 "System" entries, in order
    QHash<QString, QString> hints;  // hint key -> text

    static InterfaceTexts load(const LanguageFile &language);

    // Hint keys of the editor toolbar, in toolbar order; each button is the
    // key followed by "SpeedButton".
    static QStringList editorToolbarHintKeys();
};
