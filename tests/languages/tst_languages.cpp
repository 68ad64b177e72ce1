// Every language file shipped beside the program must hold every text the
// program reads. A missing key is never reported at run time: it just shows
// as an empty caption, hint or message, so a translation that misses one
// has to be caught here.

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QtTest>

namespace {

struct LanguageKey {
    const char *section;
    const char *key;
};

// Every key the program reads from a language file. The "System" entries
// come last, in the order they make up the skin's string table.
const LanguageKey ProgramKeys[] = {
    // Window titles and control captions.
    {"Captions", "About"},
    {"Captions", "AllRecCheckRadioBox"},
    {"Captions", "AllRecordsRadioBox"},
    {"Captions", "BackUp"},
    {"Captions", "Calculator"},
    {"Captions", "Calendar"},
    {"Captions", "CancelWordButton"},
    {"Captions", "CloseButtons"},
    {"Captions", "CollectionFormCaption"},
    {"Captions", "DocumentPropeties"},
    {"Captions", "DocumentPropetiesCalculate"},
    {"Captions", "DocumentPropetiesCharacters"},
    {"Captions", "DocumentPropetiesCharactersAndSpaces"},
    {"Captions", "DocumentPropetiesCreated"},
    {"Captions", "DocumentPropetiesLines"},
    {"Captions", "DocumentPropetiesModified"},
    {"Captions", "DocumentPropetiesName"},
    {"Captions", "DocumentPropetiesSpaces"},
    {"Captions", "DocumentPropetiesWords"},
    {"Captions", "EditApplyButton"},
    {"Captions", "EditCancelButton"},
    {"Captions", "EditCollectionForm"},
    {"Captions", "EditCollectionFormApply"},
    {"Captions", "EditOKButton"},
    {"Captions", "EditSortBooks"},
    {"Captions", "EditSortCollections"},
    {"Captions", "EntireScopeRadioBox"},
    {"Captions", "FindDialog"},
    {"Captions", "FindReplaceMessageNotFound"},
    {"Captions", "FindReplaceMessageText"},
    {"Captions", "FromCursorRadioBox"},
    {"Captions", "InsertBreakCheckRadioBox"},
    {"Captions", "InsertCaptionCheckRadioBox"},
    {"Captions", "InsertCenterCheckRadioBox"},
    {"Captions", "InsertDateCheckRadioBox"},
    {"Captions", "InsertDateInsertCaptionGroupBox"},
    {"Captions", "InsertLeftCheckRadioBox"},
    {"Captions", "InsertRightCheckRadioBox"},
    {"Captions", "Item"},
    {"Captions", "LibraryIsEmpty"},
    {"Captions", "NewBookNameLabel"},
    {"Captions", "NewCancelButton"},
    {"Captions", "NewCollectionNameLabel"},
    {"Captions", "NewCollectionRadioBox"},
    {"Captions", "NewFormCaption"},
    {"Captions", "NewOKButton"},
    {"Captions", "OneRecCheckRadioBox"},
    {"Captions", "Options"},
    {"Captions", "OriginGroupBox"},
    {"Captions", "PrintTitleCheckRadioBox"},
    {"Captions", "RenameCancelButton"},
    {"Captions", "RenameForm"},
    {"Captions", "RenameLabel"},
    {"Captions", "RenameOKButton"},
    {"Captions", "ReplaceAll"},
    {"Captions", "ReplaceDialog"},
    {"Captions", "ScopeGroupBox"},
    {"Captions", "SelectedRecordRadioBox"},
    {"Captions", "Selection"},
    {"Captions", "SendRecGroupBox"},
    {"Captions", "SendToWordButton"},
    {"Captions", "SendToWordCaption"},
    {"Captions", "TheCountOfTheReplacements"},
    {"Captions", "WordFormCaption"},

    // Main window buttons, in the order the window applies them.
    {"Hints", "Library"},
    {"Hints", "Find"},
    {"Hints", "Replace"},
    {"Hints", "BackUp"},
    {"Hints", "RestoreBackUp"},
    {"Hints", "EditorInstruments"},
    {"Hints", "Skins"},
    {"Hints", "Options"},
    {"Hints", "Help"},
    {"Hints", "About"},
    {"Hints", "NameSort"},
    {"Hints", "DateSort"},
    {"Hints", "Word"},
    {"Hints", "DocumentPropeties"},
    {"Hints", "CopyRecord"},
    {"Hints", "PasteRecord"},
    {"Hints", "FullWindowEditor"},
    {"Hints", "DBNavFirst"},
    {"Hints", "DBNavPrior"},
    {"Hints", "DBNavNew"},
    {"Hints", "DBNavDelete"},
    {"Hints", "DBNavSave"},
    {"Hints", "DBNavNext"},
    {"Hints", "DBNavLast"},
    {"Hints", "DBNavCancel"},
    {"Hints", "ShowBookmark"},
    {"Hints", "NewBookmark"},
    {"Hints", "DeleteBookmark"},
    {"Hints", "DeleteAllBookmarks"},
    {"Hints", "Calendar"},
    {"Hints", "Calculator"},
    {"Hints", "Copy"},
    {"Hints", "Paste"},
    {"Hints", "Cut"},
    {"Hints", "Delete"},
    {"Hints", "SelectAll"},
    {"Hints", "Undo"},
    {"Hints", "AlignLeft"},
    {"Hints", "AlignRight"},
    {"Hints", "AlignCenter"},
    {"Hints", "Bullets"},
    {"Hints", "Bold"},
    {"Hints", "Italic"},
    {"Hints", "StrikeOut"},
    {"Hints", "Underline"},
    {"Hints", "Font"},
    {"Hints", "ClearFormat"},
    // Library organizer, library browser and export dialog.
    {"Hints", "BookDelete"},
    {"Hints", "BookDown"},
    {"Hints", "BookLeftToRight"},
    {"Hints", "BookLeftToRightAll"},
    {"Hints", "BookRename"},
    {"Hints", "BookRightToLeft"},
    {"Hints", "BookRightToLeftAll"},
    {"Hints", "BookUp"},
    {"Hints", "CollectionDelete"},
    {"Hints", "CollectionDown"},
    {"Hints", "CollectionRename"},
    {"Hints", "CollectionUp"},
    {"Hints", "CreateNewBook"},
    {"Hints", "EditLibrary"},
    {"Hints", "SetWordFont"},

    {"Messages", "AllCollectionsIsEmpty"},
    {"Messages", "BeforeBackUp"},
    {"Messages", "BeforeDelete"},
    {"Messages", "BeforeRestore"},
    {"Messages", "Bookmark"},
    {"Messages", "Bug Report"},  // the key holds a space
    {"Messages", "BugReportAdditional"},
    {"Messages", "ClipboardIsEmpty"},
    {"Messages", "DeleteNowOpenBook"},
    {"Messages", "EditingSuccess"},
    {"Messages", "EditorFontBaloonCaption"},
    {"Messages", "EditorFontBaloonText"},
    {"Messages", "Error"},
    {"Messages", "ErrorChangeBookPos"},
    {"Messages", "ErrorChangeCollectionPos"},
    {"Messages", "ErrorCreateCollection"},
    {"Messages", "ErrorEqualCollections"},
    {"Messages", "ErrorMultiplyCollectionsChoice"},
    {"Messages", "ErrorRenameBook"},
    {"Messages", "ErrorRenameCollection"},
    {"Messages", "HelpMode"},
    {"Messages", "HelpModeCloseForm"},
    {"Messages", "NewBookMessage"},
    {"Messages", "NoBookName"},
    {"Messages", "NoBookmarks"},
    {"Messages", "NoCollectionName"},
    {"Messages", "NoCollectionOrBookName"},
    {"Messages", "NoOneBookmarkChoose"},
    {"Messages", "NoRestore"},
    {"Messages", "NowOpenBook"},
    {"Messages", "SortBooksQuestion"},
    {"Messages", "SortCollectionsQuestion"},
    {"Messages", "SuccessBackUp"},
    {"Messages", "SuccessDeleteAllBookmark"},
    {"Messages", "SuccessRestoreBackUp"},
    {"Messages", "VistaError"},
    {"Messages", "WordIsNotInstall"},
    {"Messages", "WordNoRecords"},

    // The options dialog, whose OK and Cancel the replace-all dialog borrows.
    {"Options", "AlphaBlendAnimationCheckRadioBox"},
    {"Options", "AlphaBlendCheckRadioBox"},
    {"Options", "AlphaBlendGroupBox"},
    {"Options", "AlphaBlendValueSliderHint"},
    {"Options", "Calculator"},
    {"Options", "CancelButton"},
    {"Options", "EditorCheckRadioBox"},
    {"Options", "EditorCheckRadioBoxHint"},
    {"Options", "EditorEffectsCheckRadioBox"},
    {"Options", "EditorEffectsCheckRadioBoxHint"},
    {"Options", "Effects"},
    {"Options", "Font"},
    {"Options", "FontEditor"},
    {"Options", "FontItems"},
    {"Options", "FontTitle"},
    {"Options", "Language"},
    {"Options", "NotOnlyEqual"},
    {"Options", "NotOnlyEqualHint"},
    {"Options", "OKButton"},
    {"Options", "OnlyEqual"},
    {"Options", "OnlyEqualHint"},
    {"Options", "Sample"},
    {"Options", "SavePositionsCheckRadioBox"},
    {"Options", "SavePositionsCheckRadioBoxHint"},
    {"Options", "SendResultRadioBox"},
    {"Options", "SplashCheckRadioBox"},
    {"Options", "SplashCheckRadioBoxHint"},

    {"Panels", "Record"},
    {"Panels", "NoRecord"},
    {"Panels", "Of"},
    {"Panels", "SearchBox"},

    // 1 is Sunday, as the records store the weekday.
    {"Days", "DayOfWeek1"},
    {"Days", "DayOfWeek2"},
    {"Days", "DayOfWeek3"},
    {"Days", "DayOfWeek4"},
    {"Days", "DayOfWeek5"},
    {"Days", "DayOfWeek6"},
    {"Days", "DayOfWeek7"},

    {"Library", "FirstRunCollectionNameTemplate"},
    {"Library", "FirstRunBookNameTemplate"},

    {"SkinDialog", "Title"},
    {"SkinDialog", "Filter"},

    // Each value is a whole string-table entry: its name, "=" and the text.
    {"System", "MI_MINCAPTION"},
    {"System", "MI_MAXCAPTION"},
    {"System", "MI_CLOSECAPTION"},
    {"System", "MI_RESTORECAPTION"},
    {"System", "MI_MINTOTRAYCAPTION"},
    {"System", "MI_ROLLUPCAPTION"},
    {"System", "TRAYBUTTON_HINT"},
    {"System", "MSG_BTN_OK"},
    {"System", "MSG_BTN_CANCEL"},
    {"System", "FONTDLG_COLOR"},
    {"System", "FONTDLG_NAME"},
    {"System", "FONTDLG_SIZE"},
    {"System", "FONTDLG_HEIGHT"},
    {"System", "FONTDLG_EXAMPLE"},
    {"System", "FONTDLG_STYLE"},
    {"System", "FONTDLG_SCRIPT"},
    {"System", "DB_DELETE_QUESTION"},
    {"System", "MSG_CAP_CONFIRM"},
    {"System", "MSG_BTN_SAVE"},
    {"System", "MSG_BTN_YES"},
    {"System", "MSG_BTN_NO"},
    {"System", "MSG_BTN_CANCEL"},  // read a second time for the table's own slot
    {"System", "MSG_BTN_OPEN"},
    {"System", "EDIT_UNDO"},
    {"System", "EDIT_COPY"},
    {"System", "EDIT_CUT"},
    {"System", "EDIT_PASTE"},
    {"System", "EDIT_DELETE"},
    {"System", "EDIT_SELECTALL"},
    {"System", "MSG_BTN_BACK_HINT"},
    {"System", "MSG_BTN_UP_HINT"},
    {"System", "MSG_BTN_NEWFOLDER_HINT"},
    {"System", "MSG_BTN_VIEWMENU_HINT"},
    {"System", "MSG_LV_DETAILS"},
    {"System", "MSG_LV_ICON"},
    {"System", "MSG_LV_SMALLICON"},
    {"System", "MSG_LV_LIST"},
    {"System", "FIND_NEXT"},
    {"System", "FIND_WHAT"},
    {"System", "FIND_DIRECTION"},
    {"System", "FIND_DIRECTIONUP"},
    {"System", "FIND_DIRECTIONDOWN"},
    {"System", "FIND_MATCH_CASE"},
    {"System", "FIND_MATCH_WHOLE_WORD_ONLY"},
    {"System", "FIND_REPLACE_WITH"},
    {"System", "FIND_REPLACE"},
    {"System", "FIND_REPLACE_All"},
    {"System", "MSG_BTN_CLOSE"},
};

QString languagesFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Languages");
}

// What is wrong with one key's value, or an empty text when nothing is.
QString problemWith(const LanguageKey &entry, const QString &value)
{
    const QString key = QString::fromLatin1(entry.key);
    if (value.isEmpty())
        return QStringLiteral("missing or empty");
    // Text that was not UTF-8 decodes to replacement characters.
    if (value.contains(QChar::ReplacementCharacter))
        return QStringLiteral("not UTF-8: ") + value;
    if (qstrcmp(entry.section, "System") == 0) {
        const QString prefix = key + u'=';
        if (!value.startsWith(prefix))
            return QStringLiteral("does not begin with \"%1\": %2").arg(prefix, value);
        if (value.size() == prefix.size())
            return QStringLiteral("has no text after \"%1\"").arg(prefix);
    }
    return {};
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void defaultLanguageIsShipped();
    void everyKeyIsTranslated_data();
    void everyKeyIsTranslated();
};

// The program falls back to English when no language is chosen; without it
// every text is empty. It also keeps the check below from passing on an
// empty folder.
void TestLanguages::defaultLanguageIsShipped()
{
    const QString path = languagesFolder() + QStringLiteral("/English.lng");
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + QStringLiteral(" is missing")));
}

void TestLanguages::everyKeyIsTranslated_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(languagesFolder());
    const QStringList files = folder.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
}

void TestLanguages::everyKeyIsTranslated()
{
    QFETCH(QString, path);
    const IniFile file(path);
    QStringList problems;
    for (const LanguageKey &entry : ProgramKeys) {
        const QString value = file.readString(QString::fromLatin1(entry.section),
                                              QString::fromLatin1(entry.key), QString());
        const QString problem = problemWith(entry, value);
        if (!problem.isEmpty())
            problems << QStringLiteral("[%1] %2: %3").arg(QLatin1String(entry.section),
                                                          QLatin1String(entry.key), problem);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"
