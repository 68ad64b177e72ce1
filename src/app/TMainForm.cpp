#include "app/TMainForm.h"

#include "app/DataFolderSetup.h"
#include "app/Folders.h"
#include "app/MainButtons.h"
#include "app/StartupState.h"
#include "platform/rtf/RichEdit.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QTableView>

TMainForm *MainForm = nullptr;

namespace {
const QString kProductName = QStringLiteral("Quillery");
constexpr int kDefaultWidth = 757;
constexpr int kDefaultHeight = 522;

QBoxLayout *tightLayout(QBoxLayout *layout, int spacing = 2)
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

RoundedGroupBox *frame(const char *name, QWidget *parent)
{
    auto *box = new RoundedGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel *statusPanel(const char *name, int width, QWidget *parent)
{
    auto *panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedWidth(width);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    return panel;
}
} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    createControls();

    DataFolder = DataFolderSetup::InitDataFolder();
    if (!DataFolderSetup::MoveDataFromProgramFolder(programFolder(), DataFolder)) {
        m_usable = false;
        return;
    }
    FirstStart = DataFolderSetup::InstallSkeleton(programFolder(), DataFolder);

    setWindowTitle(kProductName);
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::createControls()
{
    setObjectName(QStringLiteral("MainForm"));
    for (const MainButton &b : kMainButtons) {
        auto *button = new PictureButton(b.tag, this);
        button->setObjectName(QString::fromLatin1(b.name));
        m_buttons[b.tag] = button;
    }
    const auto addButtons = [this](QBoxLayout *layout, std::initializer_list<int> tags) {
        for (int tag : tags)
            layout->addWidget(m_buttons[tag]);
    };

    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *centralLayout = tightLayout(new QVBoxLayout(central));
    centralLayout->setContentsMargins(1, 2, 1, 1);

    MainGroupBox = frame("MainGroupBox", central);
    centralLayout->addWidget(MainGroupBox);
    auto *mainLayout = tightLayout(new QVBoxLayout(MainGroupBox), 4);

    // Top row: the command buttons, at the right.
    CaptionGroupBox = frame("CaptionGroupBox", MainGroupBox);
    auto *captionLayout = tightLayout(new QHBoxLayout(CaptionGroupBox));
    addButtons(captionLayout, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    auto *topRow = tightLayout(new QHBoxLayout);
    topRow->addStretch(1);
    topRow->addWidget(CaptionGroupBox);
    mainLayout->addLayout(topRow);

    // Middle: the left strip, then list and editor in the book's frame.
    auto *middleRow = tightLayout(new QHBoxLayout, 4);
    LeftSideGroupBox = frame("LeftSideGroupBox", MainGroupBox);
    LeftSideGroupBox->setFrameVisible(false);
    auto *leftLayout = tightLayout(new QVBoxLayout(LeftSideGroupBox));
    addButtons(leftLayout, {24, 25, 30, 26, 27, 28, 29});
    leftLayout->addStretch(1);
    middleRow->addWidget(LeftSideGroupBox);

    EditorGroupBox = frame("EditorGroupBox", MainGroupBox);
    auto *editorLayout = tightLayout(new QVBoxLayout(EditorGroupBox));
    EditorSplitter = new QSplitter(Qt::Horizontal, EditorGroupBox);
    EditorSplitter->setObjectName(QStringLiteral("EditorSplitter"));
    EditorSplitter->setChildrenCollapsible(false);

    ItemsGroupBox = frame("ItemsGroupBox", EditorSplitter);
    ItemsGroupBox->setFrameVisible(false);
    auto *itemsLayout = tightLayout(new QVBoxLayout(ItemsGroupBox));
    MainDBGrid = new QTableView(ItemsGroupBox);
    MainDBGrid->setObjectName(QStringLiteral("MainDBGrid"));
    MainDBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    MainDBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    MainDBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MainDBGrid->verticalHeader()->setDefaultSectionSize(19);
    MainDBGrid->horizontalHeader()->setStretchLastSection(true);
    itemsLayout->addWidget(MainDBGrid);

    auto *rightColumn = new QWidget(EditorSplitter);
    auto *rightLayout = tightLayout(new QVBoxLayout(rightColumn), 3);
    NameDBEdit = new QLineEdit(rightColumn);
    NameDBEdit->setObjectName(QStringLiteral("NameDBEdit"));
    NameDBEdit->setMaxLength(254);
    rightLayout->addWidget(NameDBEdit);
    EditingGroupBox = frame("EditingGroupBox", rightColumn);
    auto *editingLayout = tightLayout(new QVBoxLayout(EditingGroupBox));
    MainDBRichEdit = new RichEdit(EditingGroupBox);
    MainDBRichEdit->setObjectName(QStringLiteral("MainDBRichEdit"));
    MainDBRichEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    MainDBRichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editingLayout->addWidget(MainDBRichEdit);
    rightLayout->addWidget(EditingGroupBox, 1);

    EditorSplitter->addWidget(ItemsGroupBox);
    EditorSplitter->addWidget(rightColumn);
    EditorSplitter->setStretchFactor(0, 2);
    EditorSplitter->setStretchFactor(1, 5);
    EditorSplitter->setSizes({200, 500});
    editorLayout->addWidget(EditorSplitter);
    middleRow->addWidget(EditorGroupBox, 1);
    mainLayout->addLayout(middleRow, 1);

    // Bottom row: navigation, bookmarks, calendar and calculator.
    auto *bottomRow = tightLayout(new QHBoxLayout, 6);
    DBNavGroupBox = frame("DBNavGroupBox", MainGroupBox);
    addButtons(tightLayout(new QHBoxLayout(DBNavGroupBox)), {10, 11, 12, 13, 14, 15, 16, 17});
    MiddleGroupBox = frame("MiddleGroupBox", MainGroupBox);
    addButtons(tightLayout(new QHBoxLayout(MiddleGroupBox)), {18, 19, 20, 21});
    AdditionalGroupBox = frame("AdditionalGroupBox", MainGroupBox);
    addButtons(tightLayout(new QHBoxLayout(AdditionalGroupBox)), {22, 23});
    bottomRow->addWidget(DBNavGroupBox);
    bottomRow->addWidget(MiddleGroupBox);
    bottomRow->addWidget(AdditionalGroupBox);
    bottomRow->addStretch(1);
    mainLayout->addLayout(bottomRow);

    // The status bar is a plain row, so its four parts keep their exact
    // widths inside the window's default width.
    MainStatusBar = new QWidget(central);
    MainStatusBar->setObjectName(QStringLiteral("MainStatusBar"));
    MainStatusBar->setFixedHeight(21);
    auto *statusLayout = tightLayout(new QHBoxLayout(MainStatusBar));
    SearchBox = new QLineEdit(MainStatusBar);
    SearchBox->setObjectName(QStringLiteral("SearchBox"));
    SearchBox->setFixedWidth(153);
    SearchBox->setCursor(Qt::PointingHandCursor);
    CreatedStatusPanel = statusPanel("CreatedStatusPanel", 232, MainStatusBar);
    ModifiedStatusPanel = statusPanel("ModifiedStatusPanel", 232, MainStatusBar);
    RecCountStatusPanel = statusPanel("RecCountStatusPanel", 132, MainStatusBar);
    statusLayout->addWidget(SearchBox);
    statusLayout->addWidget(CreatedStatusPanel);
    statusLayout->addWidget(ModifiedStatusPanel);
    statusLayout->addWidget(RecCountStatusPanel);
    statusLayout->addStretch(1);
    centralLayout->addWidget(MainStatusBar);
}

void TMainForm::FormCreate()
{
    resize(kDefaultWidth, kDefaultHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kDefaultWidth / 2, kDefaultHeight / 2));
    }
    setWindowTitle(kProductName);
}
