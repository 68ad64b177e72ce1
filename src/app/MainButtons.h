#pragma once

#include <QString>
#include <array>

// The main window's picture buttons. The tag indexes the table of button
// pictures; the name is the control's name, and its hint key in the
// language file is the name without "Button".
struct MainButton
{
    int tag;
    const char *name;
    const char *picture;  // file name in the icon folders

    // Buttons 0 to 23 are large (32 px, 48 px under the mouse); the rest
    // are small (24 px, 32 px under the mouse).
    bool isLarge() const { return tag <= 23; }
    int normalSize() const { return isLarge() ? 32 : 24; }
    int enlargedSize() const { return isLarge() ? 48 : 32; }
    // The area the picture is centred in.
    int areaWidth() const { return tag >= 18 && tag <= 21 ? 54 : isLarge() ? 48 : 32; }
    int areaHeight() const { return isLarge() ? 48 : 32; }
};

inline constexpr std::array<MainButton, 31> kMainButtons = {{
    {0, "LibraryButton", "Library.png"},
    {1, "FindButton", "Find.png"},
    {2, "ReplaceButton", "Replace.png"},
    {3, "BackUpButton", "Backup.png"},
    {4, "RestoreBackUpButton", "Restore.png"},
    {5, "EditorInstrumentsButton", "Editing.png"},
    {6, "SkinsButton", "Skins.png"},
    {7, "OptionsButton", "Options.png"},
    {8, "HelpButton", "Help.png"},
    {9, "AboutButton", "About.png"},
    {10, "DBNavFirstButton", "DBNavFirst.png"},
    {11, "DBNavPriorButton", "DBNavPrior.png"},
    {12, "DBNavNewButton", "DBNavNew.png"},
    {13, "DBNavDeleteButton", "DBNavDelete.png"},
    {14, "DBNavSaveButton", "DBNavSave.png"},
    {15, "DBNavCancelButton", "DBNavCancel.png"},
    {16, "DBNavNextButton", "DBNavNext.png"},
    {17, "DBNavLastButton", "DBNavLast.png"},
    {18, "ShowBookmarkButton", "ShowBookmark.png"},
    {19, "NewBookmarkButton", "CreateBookmark.png"},
    {20, "DeleteBookmarkButton", "DeleteBookmark.png"},
    {21, "DeleteAllBookmarksButton", "DeleteAllBookmarks.png"},
    {22, "CalendarButton", "Calendar.png"},
    {23, "CalculatorButton", "Calculator.png"},
    {24, "NameSortButton", "SortByName.png"},
    {25, "DateSortButton", "SortByDate.png"},
    {26, "DocumentPropetiesButton", "DocumentPropeties.png"},
    {27, "CopyRecordButton", "Copy.png"},
    {28, "PasteRecordButton", "Paste.png"},
    {29, "FullWindowEditorButton", "FullWindowEditor.png"},
    {30, "WordButton", "Word.png"},
}};

inline QString hintKey(const MainButton &button)
{
    QString key = QString::fromLatin1(button.name);
    key.chop(6);  // "Button"
    return key;
}
