#pragma once

#include "settings/SkinCategory.h"

#include <QString>
#include <QStringList>

// What the editor area looks like in each skin category: which book-spine
// picture and toolbar glyph set, and which colours the pass overrides.
struct EditorLook
{
    QString spinePicture;          // in "\Images\Icons\Basic\Editor\"
    bool limeFrameCaptions;        // main and editor frame captions lime, else the skin's text colour
    bool blackEffectsPanel;        // the panel holding the editor black, else white
    bool whiteEditor;              // the editor's background white, else the skin's
    bool whiteCaptionAndList;      // caption field and record list white, else the skin's
    bool darkGlyphs;               // the toolbar's dark glyph set

    static EditorLook forCategory(SkinCategory category);

    // The 16 toolbar glyph files, in the order of the toolbar's buttons
    // (copy, paste, cut, delete, select all, undo, align left, right,
    // centre, bullets, bold, italic, strike-out, underline, clear format,
    // font).
    static QStringList toolbarGlyphs(bool dark);
};
