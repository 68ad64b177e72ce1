// render_images: turns the SVG drawings of resources/images into the files
// the program loads from its Images folder.
//
//   render_images <manifest> <source-folder> <images-folder>
//   render_images --contact-sheet <manifest> <images-folder> <sheet.png>

#include "ContactSheet.h"
#include "ImageManifest.h"
#include "ImageRenderer.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // A build step never has a display; fonts still come from fontconfig.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);

    const bool sheetMode = !args.isEmpty() && args[0] == u"--contact-sheet";
    if (args.size() != (sheetMode ? 4 : 3)) {
        err << "usage: render_images <manifest> <source-folder> <images-folder>\n"
               "       render_images --contact-sheet <manifest> <images-folder> <sheet.png>\n";
        return 2;
    }
    const QStringList a = sheetMode ? args.mid(1) : args;

    ImageManifest manifest;
    QString error;
    if (!manifest.load(a[0], &error)) {
        err << error << '\n';
        return 1;
    }

    if (sheetMode) {
        const QImage sheet = ContactSheet(manifest, a[1]).compose();
        if (!sheet.save(a[2], "PNG")) {
            err << a[2] << ": cannot write\n";
            return 1;
        }
        return 0;
    }

    const ImageRenderer renderer(manifest, a[1], a[2]);
    int failures = 0;
    for (const ImageEntry &entry : manifest.entries()) {
        if (!renderer.render(entry, &error)) {
            err << error << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
