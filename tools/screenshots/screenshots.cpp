// Renders the program's windows offscreen into PNG files, over a scratch
// data folder, so their look can be reviewed without a desktop.
//   screenshots <output folder>

#include "app/Application.h"
#include "app/TMainForm.h"

#include <QDir>
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
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    bool ok = true;
    TMainForm form;
    MainForm = &form;
    ok &= save(form, folder, QStringLiteral("main-window"));
    MainForm = nullptr;
    return ok ? 0 : 1;
}
