// Renders the main window in every skin of the Skins folder, offscreen,
// into <output folder>/skin-<Name>.png, over a scratch data folder, so the
// skins can be reviewed side by side.
//   skin_screenshots <output folder>

#include "app/Application.h"
#include "app/Folders.h"
#include "app/TMainForm.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/effects/Effects.h"
#include "platform/skin/SkinData.h"
#include "platform/widgets/RoundedGroupBox.h"
#include "settings/AppearancePass.h"
#include "settings/EditorLookPass.h"
#include "settings/Settings.h"
#include "settings/SkinCategory.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_screenshots <output folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());

    Application app(argc, argv);
    Effects::setInstant(true);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    TMainForm form;
    MainForm = &form;
    form.show();
    // Some text, so the editor's colours show.
    form.NameDBEdit->setText(QStringLiteral("A first record — Ünïcødé caption"));
    form.MainDBRichEdit->setPlainText(QStringLiteral("Notes kept in the book: the caption above, the text here."));

    form.EditorInstrumentsButtonClick();  // the toolbar shows which glyph set the skin takes

    bool ok = true;
    const QStringList skins = QDir(QCoreApplication::applicationDirPath() + "/Skins").entryList({"*.skn"}, QDir::Files);
    for (const QString &skin : skins) {
        AppearancePass::recordSkin(Settings::path(), skin);
        if (!AppearancePass::loadSkin(Settings::path(), programFolder())) {
            std::printf("FAILED %s: %s\n", qPrintable(skin), qPrintable(SkinData::shared().lastError()));
            ok = false;
            continue;
        }
        form.applyEditorLook();
        form.applyRecordFonts();
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        const QString path = out + QStringLiteral("/skin-") + QFileInfo(skin).completeBaseName() + QStringLiteral(".png");
        const bool saved = form.grab().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        ok &= saved;
    }
    MainForm = nullptr;
    return ok ? 0 : 1;
}
