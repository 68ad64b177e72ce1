// Reads arbitrary bytes as an INI file, looks a few keys up, changes one and
// writes the file back, so parsing and rewriting both meet damaged input.

#include "platform/AppError.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    IniFile ini(path);
    ini.readString(QStringLiteral("Interface"), QStringLiteral("Skin"), QString());
    ini.readInteger(QStringLiteral("Positions"), QStringLiteral("Height"), 0);
    const QStringList sections = ini.sectionNames();
    if (!sections.isEmpty())
        ini.keyNames(sections.first());
    ini.writeString(QStringLiteral("Libraries"), QStringLiteral("CurLibNum"), QStringLiteral("1"));
    try {
        ini.flush();
    } catch (const AppError &) {
    }
    return 0;
}
