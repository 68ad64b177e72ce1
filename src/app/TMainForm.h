#pragma once

#include "app/InterfaceTexts.h"

#include <QMainWindow>
#include <array>

class DBEdit;
class DBGrid;
class DBRichEdit;
class DataSource;
class PictureButton;
class QLabel;
class QLineEdit;
class QSplitter;
class RoundedGroupBox;
class Table;

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

    void MainTableNewRecord();
    void MainTableBeforePost();
    void MainTableAfterPost();
    void MainDataSourceDataChange();

    bool NameDBEditKeyDown(QKeyEvent *event);
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
};

extern TMainForm *MainForm;
