#include "platform/rtf/CodePage.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <unordered_map>

namespace {

const char *iconvName(int codePage)
{
    switch (codePage) {
    case 437: return "CP437";
    case 850: return "CP850";
    case 866: return "CP866";
    case 874: return "CP874";
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 1361: return "JOHAB";
    case 10000: return "MACINTOSH";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

// One converter per code page and thread. Single-byte pages are turned into
// a 256-entry table once, so decoding them never calls iconv again.
struct Converter
{
    iconv_t handle = reinterpret_cast<iconv_t>(-1);
    bool singleByte = false;
    std::array<char16_t, 256> table{};

    ~Converter()
    {
        if (handle != reinterpret_cast<iconv_t>(-1))
            iconv_close(handle);
    }
};

// Converts with iconv to UTF-16; a byte iconv rejects becomes U+FFFD and
// conversion goes on after it.
QString iconvDecode(iconv_t handle, QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    char16_t buffer[512];
    while (inLeft > 0) {
        char *outPtr = reinterpret_cast<char *>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar *>(buffer),
                   qsizetype((sizeof buffer - outLeft) / sizeof(char16_t)));
        if (result == size_t(-1) && errno != E2BIG) {
            // EILSEQ or a truncated sequence at the end: drop one byte.
            out.append(QChar(0xFFFD));
            ++in;
            --inLeft;
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

Converter *converterFor(int codePage)
{
    thread_local std::unordered_map<int, std::unique_ptr<Converter>> cache;
    auto found = cache.find(codePage);
    if (found != cache.end())
        return found->second.get();

    std::unique_ptr<Converter> converter;
    if (const char *name = iconvName(codePage)) {
        // UTF-16LE: QString's own order on every platform we build for.
        iconv_t handle = iconv_open("UTF-16LE", name);
        if (handle != reinterpret_cast<iconv_t>(-1)) {
            converter = std::make_unique<Converter>();
            converter->handle = handle;
            if (!CodePage::isDoubleByte(codePage) && codePage != CodePage::Utf8) {
                converter->singleByte = true;
                for (int b = 0; b < 256; ++b) {
                    const char byte = char(b);
                    const QString one = iconvDecode(handle, QByteArrayView(&byte, 1));
                    converter->table[b] = one.size() == 1 ? one[0].unicode() : u'\uFFFD';
                }
            }
        }
    }
    Converter *raw = converter.get();
    cache.emplace(codePage, std::move(converter));
    return raw;
}

} // namespace

int CodePage::fromCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

int CodePage::charsetFor(int codePage)
{
    switch (codePage) {
    case 10000: return 77;
    case 932: return 128;
    case 949: return 129;
    case 1361: return 130;
    case 936: return 134;
    case 950: return 136;
    case 1253: return 161;
    case 1254: return 162;
    case 1258: return 163;
    case 1255: return 177;
    case 1256: return 178;
    case 1257: return 186;
    case 1251: return 204;
    case 874: return 222;
    case 1250: return 238;
    case 437: return 254;
    case 850: return 255;
    default: return 0;
    }
}

bool CodePage::isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950
        || codePage == 1361;
}

QString CodePage::decode(int codePage, QByteArrayView bytes)
{
    Converter *converter = converterFor(codePage);
    if (!converter && codePage != Ansi)
        converter = converterFor(Ansi);
    if (!converter)
        return QString::fromLatin1(bytes.data(), bytes.size());
    if (!converter->singleByte)
        return iconvDecode(converter->handle, bytes);

    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = converter->table[static_cast<unsigned char>(bytes[i])];
    return out;
}
