#include "platform/db/CaptionCollation.h"

namespace CaptionCollation {

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

int compare(const QString &a, const QString &b)
{
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] != pb[i]) {
            if (pa[i] < 0xD800 && pb[i] < 0xD800)
                return pa[i] < pb[i] ? -1 : 1;
            return rank(pa[i]) < rank(pb[i]) ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace CaptionCollation
