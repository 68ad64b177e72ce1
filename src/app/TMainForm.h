#pragma once

#include "app/InterfaceTexts.h"
#include "settings/MaskCounter.h"

#include "editor/EditAction.h"

#include <QList>
#include <QMainWindow>
#include <array>

class BalloonService;
class BookmarkTabStrip;
class DBEdit;
class FindReplaceDialog;
class FontDialog;
class QAction;
class QHBoxLayout;
class QToolButton;
class DBGrid;
class DBRichEdit;
class DataSource;
class PictureButton;
class QLabel;
class QLineEdit;
class QSplitter;
class RoundedGroupBox;
class PictureHoverTracker;
class Table;
class Transition;

// The main window: shows one book and lives for the whole run.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // False when start-up could not go on (the data folder could not be
    // prepared, or the current book could not be opened); the program then
    // ends without showing the window.
    bool isUsable() const { return m_usable; }

    PictureButton *button(int tag) const { return m_buttons.at(tag); }

    // Frames
    RoundedGroupBox *MainGroupBox = nullptr;
    RoundedGroupBox *CaptionGroupBox = nullptr;
    RoundedGroupBox *EditorGroupBox = nullptr;
    RoundedGroupBox *LeftSideGroupBox = nullptr;
    RoundedGroupBox *ItemsGroupBox = nullptr;
    RoundedGroupBox *EditingGroupBox = nullptr;
    RoundedGroupBox *DBNavGroupBox = nullptr;
    RoundedGroupBox *MiddleGroupBox = nullptr;
    RoundedGroupBox *AdditionalGroupBox = nullptr;

    // Record controls
    DBEdit *NameDBEdit = nullptr;
    DBGrid *MainDBGrid = nullptr;
    DBRichEdit *MainDBRichEdit = nullptr;
    QSplitter *EditorSplitter = nullptr;
    QWidget *MainDBRichEditGroupBox = nullptr;      // caption box, editor frame and toolbar
    QWidget *MainDBRichEditEffectsPanel = nullptr;  // the panel holding the body editor
    QWidget *EditorEffectsPanel = nullptr;          // the editor toolbar, 50 x 200
    // The toolbar's buttons, named after their hint key + "SpeedButton".
    QToolButton *editorButton(const QString &hintKey) const;
    // The standard edit actions; each carries its shortcut key.
    QAction *editAction(EditAction action) const { return m_editActions.at(int(action)); }

    // Find and replace, and the font dialog shared with the export.
    FindReplaceDialog *FindDialog1 = nullptr;
    FindReplaceDialog *ReplaceDialog1 = nullptr;
    FontDialog *FontDialog1 = nullptr;
    // The balloon slots every window shows its balloons through.
    BalloonService *Balloons = nullptr;
    // The strip of bookmark tabs; exists only while it is shown.
    BookmarkTabStrip *BookmarkStrip = nullptr;

    // Status bar
    QWidget *MainStatusBar = nullptr;
    QLineEdit *SearchBox = nullptr;
    QLabel *CreatedStatusPanel = nullptr;
    QLabel *ModifiedStatusPanel = nullptr;
    QLabel *RecCountStatusPanel = nullptr;

    // The book: its record table and the date table of its last backup.
    Table *MainTable = nullptr;
    DataSource *MainDataSource = nullptr;
    Table *DateTable = nullptr;
    DataSource *DateDataSource = nullptr;

    // Open the record table on BookFolder / close it; both report success
    // and show nothing. OpenBook needs the table closed.
    bool OpenBook();
    bool CloseBook();

    // The texts of the current language that the window keeps in memory.
    const InterfaceTexts &texts() const { return m_texts; }
    const StatusTexts &statusTexts() const { return m_texts.status; }

    // Reads every text of the window from the language file in use and
    // applies it; run at start-up and whenever the language changes.
    void LocaliseMainForm();
    // Writes "Language" and localises the window again.
    void switchLanguage(const QString &languageName);

    // Loads the 31 button pictures at their normal size; a missing picture
    // leaves its button blank.
    void loadButtonPictures();
    // The editor's spine, colours and toolbar glyphs for the skin's category.
    void applyEditorLook();
    void SkinsButtonClick();
    // Caption box, record list and body editor take their fonts from the
    // settings.
    void applyRecordFonts();
    // Enables or disables the controls that edit a book (disabled while the
    // placeholder book is open).
    void setBookEditingEnabled(bool enabled);

    // Record commands.
    void DBNavFirstButtonClick();
    void DBNavPriorButtonClick();
    void DBNavNewButtonClick();
    void DBNavDeleteButtonClick();
    void DBNavSaveButtonClick();
    void DBNavCancelButtonClick();
    void DBNavNextButtonClick();
    void DBNavLastButtonClick();
    void ItemsGroupBoxClick();

    // Search box and sorting.
    void SearchBoxClick();
    void SearchBoxChange();
    void SearchBoxExit();
    void NameSortButtonClick();
    void DateSortButtonClick();

    // The editor (see TMainFormEditor.cpp).
    bool EditorHasSelection = false;
    bool FullWindowEditorOn = false;
    bool ReplaceSearchFirst = true;
    int FindTopLine = 0;
    int ReplaceTopLine = 0;

    void CopySpeedButtonClick();
    void PasteSpeedButtonClick();
    void CutSpeedButtonClick();
    void DeleteSpeedButtonClick();
    void SelectAllSpeedButtonClick();
    void UndoSpeedButtonClick();
    void AlignLeftSpeedButtonClick();
    void AlignRightSpeedButtonClick();
    void AlignCenterSpeedButtonClick();
    void BulletsSpeedButtonClick();
    void BoldSpeedButtonClick();
    void ItalicSpeedButtonClick();
    void StrikeOutSpeedButtonClick();
    void UnderlineSpeedButtonClick();
    void ClearFormatSpeedButtonClick();
    void FontSpeedButtonClick();
    void ClearFormat();
    void ShowCaretPosition();
    void MainDBRichEditSelectionChange();
    void MainDBRichEditKeyDown(QKeyEvent *event);
    void MainDBRichEditKeyUp();
    void MainDBRichEditClick();
    void MainDBRichEditMouseDown();
    void MainDBRichEditExit();
    void EditorInstrumentsButtonClick();
    void FullWindowEditorButtonClick();
    // Loads the toolbar glyphs: the dark set for dark skins.
    void loadEditorGlyphs(bool dark);

    void FindButtonClick();
    void ReplaceButtonClick();
    void FindDialog1Find();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace();

    void ShowBookmarkButtonClick();
    void NewBookmarkButtonClick();
    void DeleteBookmarkButtonClick();
    void DeleteAllBookmarksButtonClick();
    void ShowBookmarkStrip();
    void HideBookmarkStrip();
    bool bookmarkStripShown() const { return m_stripShown; }
    void BookmarkMouseDown(int tab);
    void BookmarkPageControlMouseMove(int tab);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createTables();
    void connectCommands();
    void FormCreate();
    void nameFirstCollectionAndBook();
    void applyAppearanceSettings();
    void attachAppearance();
    Transition *prepareNewRecordTransition();
    void playNewRecordTransition(Transition *transition);

    void MainTableNewRecord();
    void MainTableBeforePost();
    void MainTableAfterPost();
    void MainDataSourceDataChange();

    bool NameDBEditKeyDown(QKeyEvent *event);

    void createEditorToolbar(QWidget *parent);
    void connectEditorCommands();
    // Runs an edit action's shortcut on the focused control; true when the
    // action acted and the key is used up.
    bool runEditShortcut(QWidget *target, QKeyEvent *event);
    void runToolbarAction(EditAction action);
    void afterEditAction(EditAction action);
    void fontCommand(bool editAfterDialog);
    // Where the toolbar's roll transition plays; for now it appears at once.
    void playToolbarRoll();
    void setEditingStatus(const QString &text);
    // Toolbar hints, dialog titles and labels from the texts just loaded.
    void localiseEditor();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    bool FormClose();

    std::array<PictureButton *, 31> m_buttons{};
    bool m_usable = true;
    bool m_bookEditable = true;  // false while the placeholder book is open
    bool m_firstShowDone = false;
    bool m_firstActivationDone = false;
    InterfaceTexts m_texts;

    std::array<QAction *, EditActions::Count> m_editActions{};
    QList<QToolButton *> m_editorButtons;
    PictureHoverTracker *m_hover = nullptr;
    MaskCounter m_masks;
    QHBoxLayout *m_stripRow = nullptr;
    QList<int> m_splitterSizes;
    bool m_stripShown = false;
    qint64 m_stripRecordKey = 0;
    int m_balloonTab = -1;
    int m_balloonFirstTab = -1;
};

extern TMainForm *MainForm;
