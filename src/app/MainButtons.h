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
};

inline constexpr std::array<MainButton, 31> kMainButtons = {{
    {0, "LibraryButton"},
    {1, "FindButton"},
    {2, "ReplaceButton"},
    {3, "BackUpButton"},
    {4, "RestoreBackUpButton"},
    {5, "EditorInstrumentsButton"},
    {6, "SkinsButton"},
    {7, "OptionsButton"},
    {8, "HelpButton"},
    {9, "AboutButton"},
    {10, "DBNavFirstButton"},
    {11, "DBNavPriorButton"},
    {12, "DBNavNewButton"},
    {13, "DBNavDeleteButton"},
    {14, "DBNavSaveButton"},
    {15, "DBNavCancelButton"},
    {16, "DBNavNextButton"},
    {17, "DBNavLastButton"},
    {18, "ShowBookmarkButton"},
    {19, "NewBookmarkButton"},
    {20, "DeleteBookmarkButton"},
    {21, "DeleteAllBookmarksButton"},
    {22, "CalendarButton"},
    {23, "CalculatorButton"},
    {24, "NameSortButton"},
    {25, "DateSortButton"},
    {26, "DocumentPropetiesButton"},
    {27, "CopyRecordButton"},
    {28, "PasteRecordButton"},
    {29, "FullWindowEditorButton"},
    {30, "WordButton"},
}};

inline QString hintKey(const MainButton &button)
{
    QString key = QString::fromLatin1(button.name);
    key.chop(6);  // "Button"
    return key;
}
