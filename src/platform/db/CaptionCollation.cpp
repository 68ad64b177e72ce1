#include "platform/db/CaptionCollation.h"

namespace CaptionCollation {

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

namespace {

// UTF-16 code units sort in code point order once the surrogates
// (D800–DFFF) are moved above E000–FFFF.
inline char16_t codePointRank(char16_t unit)
{
    if (unit >= 0xE000)
        return char16_t(unit - 0x800);
    if (unit >= 0xD800)
        return char16_t(unit + 0x2000);
    return unit;
}

} // namespace

int compare(const QString &a, const QString &b)
{
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] != pb[i]) {
            if (pa[i] < 0xD800 && pb[i] < 0xD800)
                return pa[i] < pb[i] ? -1 : 1;
            return codePointRank(pa[i]) < codePointRank(pb[i]) ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace CaptionCollation
