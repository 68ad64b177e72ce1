#pragma once

#include "settings/EditorLook.h"

#include <QList>
#include <QString>

class QAbstractButton;
class QAbstractItemView;
class QLabel;
class QTextEdit;
class QWidget;

// Puts an EditorLook on the main window's controls. Every pointer may be
// null (a control the window does not have yet is skipped). Colours the
// look leaves "unchanged" go back to the skin's, so switching from a light
// skin to a dark one does not keep the light skin's white fields.
struct EditorLookTargets
{
    QWidget *mainGroupBox = nullptr;
    QWidget *editorGroupBox = nullptr;
    QWidget *effectsPanel = nullptr;   // the panel that holds the editor
    QTextEdit *editor = nullptr;
    QWidget *captionField = nullptr;
    QAbstractItemView *recordList = nullptr;
    QLabel *bookSpine = nullptr;
    QList<QAbstractButton *> toolbarButtons;  // the 16 editor toolbar buttons, in toolbar order
};

namespace EditorLookPass {

// editorImages: the folder of the spine pictures and toolbar glyphs
// (program folder + "\Images\Icons\Basic\Editor\", stored form). A missing
// picture leaves its control empty.
void apply(const EditorLook &look, const EditorLookTargets &targets, const QString &editorImages);

} // namespace EditorLookPass
