// Renders the program's windows offscreen into PNG files, over a scratch
// data folder, so their look can be reviewed without a desktop: the main
// window in English and German, the editor's views and dialogs, and the
// main window in every skin.
//   screenshots <output folder>

#include "app/Application.h"
#include "app/Folders.h"
#include "app/TMainForm.h"
#include "editor/FindReplaceDialog.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/Table.h"
#include "platform/widgets/Balloon.h"
#include "platform/widgets/BalloonService.h"
#include "platform/effects/Effects.h"
#include "platform/skin/SkinData.h"
#include "settings/AppearancePass.h"
#include "settings/Settings.h"

#include <QPainter>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

bool save(QWidget &window, const QString &folder, const QString &name)
{
    window.show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

void settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}

bool savePixmap(const QPixmap &picture, const QString &folder, const QString &name)
{
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const bool ok = picture.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// A record with some formatting, so the editor shots show rich text.
void writeSampleRecord(TMainForm &form)
{
    Table *table = form.MainTable;
    if (table->state() == Table::State::Insert)
        table->cancel();
    table->insert();
    table->setFieldValue("Caption", QStringLiteral("Garden plans"));
    table->setFieldValue("Description", QByteArray(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 "
        "{\\b Spring} list for the garden\\par Sow tomatoes and peppers indoors\\par "
        "Prune the apple trees before the buds open\\par {\\i Order seeds:} beans, peas, carrots\\par "
        "Mend the fence by the shed\\par Plant the tulip bulbs along the path}"));
    table->post();
    for (const char *caption : {"Reading list", "Recipes: lentil soup", "Trip to the coast", "Birthday ideas",
                                "Книги на лето", "Notes from the meeting"}) {
        table->insert();
        table->setFieldValue("Caption", QString::fromUtf8(caption));
        table->post();
    }
    table->locate(QStringLiteral("Garden plans"));
    table->edit();
}

// The main window in every skin of the Skins folder, with the toolbar shown
// so the glyph set each skin takes is visible too.
bool saveSkins(TMainForm &form, const QString &folder)
{
    bool ok = true;
    form.EditorInstrumentsButtonClick();
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
        ok &= save(form, folder, QStringLiteral("skin-") + QFileInfo(skin).completeBaseName());
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <output folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());

    Application app(argc, argv);
    Effects::setInstant(true);  // pictures of the finished state, not of a transition
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    bool ok = true;
    TMainForm form;
    MainForm = &form;
    writeSampleRecord(form);
    ok &= save(form, folder, QStringLiteral("main-window"));
    form.switchLanguage(QStringLiteral("German"));
    ok &= save(form, folder, QStringLiteral("main-window-german"));
    form.switchLanguage(QStringLiteral("English"));

    form.EditorInstrumentsButtonClick();
    form.MainDBRichEdit->setFocus();
    form.MainDBRichEdit->setSelection(0, 6);
    ok &= save(form, folder, QStringLiteral("editor-toolbar"));

    form.FullWindowEditorButtonClick();
    ok &= save(form, folder, QStringLiteral("editor-full-window"));
    form.FullWindowEditorButtonClick();
    form.EditorInstrumentsButtonClick();

    // The strip with three bookmarks and the balloon of the second; the
    // balloon is a window of its own, drawn onto the picture where it stands.
    for (int line : {0, 2, 4}) {
        form.MainDBRichEdit->setSelection(form.MainDBRichEdit->lineStartIndex(line), 0);
        form.NewBookmarkButtonClick();
    }
    settle();
    form.BookmarkPageControlMouseMove(1);
    settle();
    {
        QPixmap picture = form.grab();
        if (Balloon *balloon = form.Balloons->balloon(BalloonService::BookmarkSlot)) {
            QPainter painter(&picture);
            painter.drawPixmap(balloon->geometry().topLeft() - form.geometry().topLeft(), balloon->grab());
        }
        ok &= savePixmap(picture, folder, QStringLiteral("bookmark-strip-balloon"));
    }
    form.HideBookmarkStrip();

    form.FindButtonClick();
    form.FindDialog1->setFindText(QStringLiteral("garden"));
    ok &= save(*form.FindDialog1, folder, QStringLiteral("find-dialog"));
    form.FindDialog1->close();
    form.ReplaceButtonClick();
    form.ReplaceDialog1->setFindText(QStringLiteral("tomatoes"));
    form.ReplaceDialog1->setReplaceText(QStringLiteral("cucumbers"));
    ok &= save(*form.ReplaceDialog1, folder, QStringLiteral("replace-dialog"));
    form.ReplaceDialog1->close();

    ok &= saveSkins(form, folder);
    MainForm = nullptr;
    return ok ? 0 : 1;
}
