#include "app/TMainForm.h"

#include "app/DataFolderSetup.h"
#include "app/Folders.h"
#include "app/StartupState.h"

#include <QGuiApplication>
#include <QScreen>

TMainForm *MainForm = nullptr;

namespace {
const QString kProductName = QStringLiteral("Quillery");
constexpr int kDefaultWidth = 757;
constexpr int kDefaultHeight = 522;
}

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
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

void TMainForm::FormCreate()
{
    resize(kDefaultWidth, kDefaultHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kDefaultWidth / 2, kDefaultHeight / 2));
    }
    setWindowTitle(kProductName);
}
