#pragma once

#include <QMainWindow>
#include <array>

class PictureButton;
class QLabel;
class QLineEdit;
class QSplitter;
class QTableView;
class RichEdit;
class RoundedGroupBox;

// The main window: shows one book and lives for the whole run.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // False when construction could not prepare the data folder; the program
    // then ends without showing the window.
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
    QLineEdit *NameDBEdit = nullptr;
    QTableView *MainDBGrid = nullptr;
    RichEdit *MainDBRichEdit = nullptr;
    QSplitter *EditorSplitter = nullptr;

    // Status bar
    QWidget *MainStatusBar = nullptr;
    QLineEdit *SearchBox = nullptr;
    QLabel *CreatedStatusPanel = nullptr;
    QLabel *ModifiedStatusPanel = nullptr;
    QLabel *RecCountStatusPanel = nullptr;

private:
    void createControls();
    void FormCreate();

    std::array<PictureButton *, 31> m_buttons{};
    bool m_usable = true;
};

extern TMainForm *MainForm;
