// Feeds arbitrary bytes to the RTF reader, both into a document and as
// plain text, and writes the document back, so a crash, a hang or a memory
// error anywhere on that path shows up.

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);  // fonts need a GUI application
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    RtfReader::toPlainText(bytes);
    QTextDocument doc;
    RtfReader::read(bytes, &doc);
    RtfWriter::write(&doc);
    return 0;
}
