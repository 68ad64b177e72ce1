#include "app/TMainForm.h"

#include "app/DataFolderSetup.h"
#include "app/Folders.h"
#include "app/MainButtons.h"
#include "app/StartupState.h"
#include "library/DeletionQueue.h"
#include "library/LibraryCatalogue.h"
#include "app/Application.h"
#include "app/BookFlags.h"
#include "platform/AppError.h"
#include "platform/NativePath.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/skin/SkinMessageBox.h"
#include "settings/Language.h"
#include "settings/Profile.h"
#include "settings/Settings.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSplitter>

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
    attachAppearance();
    createTables();
    connectCommands();
    connectEditorCommands();

    DataFolder = DataFolderSetup::InitDataFolder();
    if (!DataFolderSetup::MoveDataFromProgramFolder(programFolder(), DataFolder)) {
        m_usable = false;
        return;
    }
    FirstStart = DataFolderSetup::InstallSkeleton(programFolder(), DataFolder);
    loadButtonPictures();
    LocaliseMainForm();
    applyAppearanceSettings();
    applyEditorLook();
    // Qt paints every widget double-buffered; nothing to switch on.
    DeletionQueue::runStartupPass();
    if (FirstStart)
        nameFirstCollectionAndBook();
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
        button->setFixedSize(b.areaWidth(), b.areaHeight());
        button->setIconSize(QSize(b.normalSize(), b.normalSize()));
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
    auto *captionLayout = tightLayout(new QHBoxLayout(CaptionGroupBox), 0);
    addButtons(captionLayout, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    auto *topRow = tightLayout(new QHBoxLayout);
    topRow->addStretch(1);
    topRow->addWidget(CaptionGroupBox);
    mainLayout->addLayout(topRow);

    // Middle: the left strip, then list and editor in the book's frame.
    auto *middleRow = tightLayout(new QHBoxLayout, 4);
    LeftSideGroupBox = frame("LeftSideGroupBox", MainGroupBox);
    LeftSideGroupBox->setFrameVisible(false);
    auto *leftLayout = tightLayout(new QVBoxLayout(LeftSideGroupBox), 0);
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
    MainDBGrid = new DBGrid(ItemsGroupBox);
    MainDBGrid->setObjectName(QStringLiteral("MainDBGrid"));
    MainDBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    MainDBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    MainDBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MainDBGrid->verticalHeader()->setDefaultSectionSize(19);
    MainDBGrid->horizontalHeader()->setStretchLastSection(true);
    itemsLayout->addWidget(MainDBGrid);

    MainDBRichEditGroupBox = new QWidget(EditorSplitter);
    MainDBRichEditGroupBox->setObjectName(QStringLiteral("MainDBRichEditGroupBox"));
    auto *rightLayout = tightLayout(new QVBoxLayout(MainDBRichEditGroupBox), 3);
    NameDBEdit = new DBEdit(MainDBRichEditGroupBox);
    NameDBEdit->setObjectName(QStringLiteral("NameDBEdit"));
    // The table's own limit: a stored caption is never cut by showing it.
    NameDBEdit->setMaxLength(Table::MaxCaptionLength);
    rightLayout->addWidget(NameDBEdit);
    // The editor frame and, right of it, the toolbar: showing the toolbar
    // takes its 50 pixels and a gap of 6 from the frame.
    auto *editorRow = tightLayout(new QHBoxLayout, 6);
    EditingGroupBox = frame("EditingGroupBox", MainDBRichEditGroupBox);
    auto *editingLayout = tightLayout(new QVBoxLayout(EditingGroupBox), 0);
    MainDBRichEditEffectsPanel = new QWidget(EditingGroupBox);
    MainDBRichEditEffectsPanel->setObjectName(QStringLiteral("MainDBRichEditEffectsPanel"));
    auto *panelLayout = tightLayout(new QVBoxLayout(MainDBRichEditEffectsPanel), 0);
    MainDBRichEdit = new DBRichEdit(MainDBRichEditEffectsPanel);
    MainDBRichEdit->setObjectName(QStringLiteral("MainDBRichEdit"));
    MainDBRichEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    MainDBRichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MainDBRichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    panelLayout->addWidget(MainDBRichEdit);
    editingLayout->addWidget(MainDBRichEditEffectsPanel, 1);
    // The bookmark strip's row: empty, and so of no height, until shown.
    m_stripRow = new QHBoxLayout;
    m_stripRow->setSpacing(0);
    m_stripRow->setContentsMargins(20, 0, 20, 0);
    editingLayout->addLayout(m_stripRow);
    editorRow->addWidget(EditingGroupBox, 1);
    createEditorToolbar(MainDBRichEditGroupBox);
    editorRow->addWidget(EditorEffectsPanel, 0, Qt::AlignTop);
    rightLayout->addLayout(editorRow, 1);

    EditorSplitter->addWidget(ItemsGroupBox);
    EditorSplitter->addWidget(MainDBRichEditGroupBox);
    EditorSplitter->setStretchFactor(0, 2);
    EditorSplitter->setStretchFactor(1, 5);
    EditorSplitter->setSizes({200, 500});
    editorLayout->addWidget(EditorSplitter);
    middleRow->addWidget(EditorGroupBox, 1);
    mainLayout->addLayout(middleRow, 1);

    // Bottom row: navigation, bookmarks, calendar and calculator.
    auto *bottomRow = tightLayout(new QHBoxLayout, 4);
    DBNavGroupBox = frame("DBNavGroupBox", MainGroupBox);
    addButtons(tightLayout(new QHBoxLayout(DBNavGroupBox), 0), {10, 11, 12, 13, 14, 15, 16, 17});
    MiddleGroupBox = frame("MiddleGroupBox", MainGroupBox);
    addButtons(tightLayout(new QHBoxLayout(MiddleGroupBox), 0), {18, 19, 20, 21});
    AdditionalGroupBox = frame("AdditionalGroupBox", MainGroupBox);
    addButtons(tightLayout(new QHBoxLayout(AdditionalGroupBox), 0), {22, 23});
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

void TMainForm::createTables()
{
    MainTable = new Table(this);
    MainTable->setObjectName(QStringLiteral("MainTable"));
    MainDataSource = new DataSource(MainTable, this);
    DateTable = new Table(this);
    DateTable->setObjectName(QStringLiteral("DateTable"));
    DateDataSource = new DataSource(DateTable, this);

    MainTable->onNewRecord = [this] { MainTableNewRecord(); };
    MainTable->onBeforePost = [this] { MainTableBeforePost(); };
    MainTable->onAfterPost = [this] { MainTableAfterPost(); };
    MainTable->onAfterCancel = [this] { MainTableAfterPost(); };
    MainTable->onAfterDelete = [this] { MainTableAfterPost(); };
    DateTable->onNewRecord = [this] { MainTableNewRecord(); };
    DateTable->onAfterPost = [this] { MainTableAfterPost(); };
    DateTable->onAfterCancel = [this] { MainTableAfterPost(); };
    DateTable->onAfterDelete = [this] { MainTableAfterPost(); };
    connect(MainDataSource, &DataSource::dataChanged, this, [this] { MainDataSourceDataChange(); });
    connect(DateDataSource, &DataSource::dataChanged, this, [this] { MainDataSourceDataChange(); });

    NameDBEdit->setDataSource(MainDataSource);
    NameDBEdit->setDataField(QStringLiteral("Caption"));
    MainDBGrid->setDataSource(MainDataSource);
    MainDBGrid->setColumns({QStringLiteral("Caption")});
    MainDBRichEdit->setDataSource(MainDataSource);
    MainDBRichEdit->setDataField(QStringLiteral("Description"));
}

void TMainForm::FormCreate()
{
    try {
        Profile settings(Settings::path());
        LibraryCatalogue catalogue = LibraryCatalogue::current();

        if (settings.readBool(QStringLiteral("Positions"), QStringLiteral("SavePositions"), false)) {
            const QString positions = QStringLiteral("Positions");
            resize(settings.readInteger(positions, QStringLiteral("Width"), 0),
                   settings.readInteger(positions, QStringLiteral("Height"), 0));
            move(settings.readInteger(positions, QStringLiteral("Left"), 0),
                 settings.readInteger(positions, QStringLiteral("Top"), 0));
        } else {
            resize(kDefaultWidth, kDefaultHeight);
            if (const QScreen *screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - QPoint(kDefaultWidth / 2, kDefaultHeight / 2));
        }

        // The recorded book, or the first book in the stored collection
        // order when that one is gone; none in a library without books.
        const std::optional<BookRef> book = catalogue.resolveCurrentBook();
        const BookNames names = catalogue.names(book ? *book : catalogue.recordedCurrentBook());
        MainGroupBox->setCaption(names.collection);
        EditorGroupBox->setCaption(names.book);
        if (book) {
            BookFolder = catalogue.bookFolder(*book);
            setBookEditingEnabled(true);
        } else {
            BookFolder = DataFolder + QStringLiteral("\\Libraries\\Templates\\Book0\\");
            setBookEditingEnabled(false);
        }

        if (!OpenBook()) {
            SkinMessageBox::show(this, SkinMessageBox::Warning,
                                 LanguageFile().text(QStringLiteral("Messages"), QStringLiteral("VistaError")),
                                 SkinMessageBox::OK);
            m_usable = false;
            return;
        }
        setWindowTitle(kProductName);
        StampingNewRecord = false;
        NewRecordPending = false;

        MainTable->edit();
        applyRecordFonts();
        settings.flush();
    } catch (const AppError &error) {
        Application::showException(error);
    }
}


void TMainForm::nameFirstCollectionAndBook()
{
    const LanguageFile language;
    LibraryCatalogue::current().nameFirstCollection(
        language.text(QStringLiteral("Library"), QStringLiteral("FirstRunCollectionNameTemplate")),
        language.text(QStringLiteral("Library"), QStringLiteral("FirstRunBookNameTemplate")));
}

void TMainForm::setBookEditingEnabled(bool enabled)
{
    m_bookEditable = enabled;
    NameDBEdit->setEnabled(enabled);
    MainDBGrid->setEnabled(enabled);
    MainDBRichEdit->setEnabled(enabled);
    button(3)->setEnabled(enabled);  // back up
    button(4)->setEnabled(enabled);  // restore
}

