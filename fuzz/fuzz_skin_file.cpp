// Feeds arbitrary bytes to the skin file parser: it must either give a whole
// skin or none, without a crash, a hang or a memory error.

#include "platform/skin/SkinFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    SkinFile::parse(bytes, &error);
    return 0;
}
