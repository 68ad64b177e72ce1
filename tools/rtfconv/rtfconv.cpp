// rtf-tool: converts between RTF and plain text or HTML with the program's
// own codec, so its reading can be compared with what other programs show.
//
//   rtf-tool text FILE           plain text, UTF-8, one line per paragraph
//   rtf-tool html FILE           the document as HTML
//   rtf-tool roundtrip IN OUT    read IN, write OUT with our writer
//   rtf-tool fromhtml IN OUT     read HTML, write OUT as RTF

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: rtf-tool text FILE | html FILE | roundtrip IN OUT | fromhtml IN OUT\n", stderr);
    return 2;
}

bool readFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtf-tool: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    bytes = file.readAll();
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "rtf-tool: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

void print(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    if (!text.endsWith(u'\n'))
        std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts and images need a GUI application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString &command = args[0];
    QByteArray input;

    if ((command == u"text" || command == u"html") && args.size() == 2) {
        if (!readFile(args[1], input))
            return 1;
        if (command == u"text") {
            print(RtfReader::toPlainText(input));
        } else {
            QTextDocument doc;
            RtfReader::read(input, &doc);
            print(doc.toHtml());
        }
        return 0;
    }
    if ((command == u"roundtrip" || command == u"fromhtml") && args.size() == 3) {
        if (!readFile(args[1], input))
            return 1;
        QTextDocument doc;
        if (command == u"roundtrip") {
            if (!RtfReader::read(input, &doc))
                std::fprintf(stderr, "rtf-tool: %s is not RTF; read as plain text\n", qPrintable(args[1]));
        } else {
            doc.setHtml(QString::fromUtf8(input));
        }
        return writeFile(args[2], RtfWriter::write(&doc)) ? 0 : 1;
    }
    return usage();
}
