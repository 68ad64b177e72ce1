#include "platform/db/CaptionCollation.h"

namespace CaptionCollation {

QString foldBeyondAscii(const QString &caption)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(caption.constData());
    qsizetype i = 0;
    while (i < caption.size() && p[i] < 0x80)
        ++i;
    if (i == caption.size())
        return QString();
    const QString folded = caption.toCaseFolded();
    if (folded.size() != caption.size())
        return folded;
    const char16_t *f = reinterpret_cast<const char16_t *>(folded.constData());
    for (; i < caption.size(); ++i) {
        if (p[i] >= 0x80 && f[i] != p[i])
            return folded;
    }
    return QString();
}

QString foldAll(const QString &text)
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
            const char16_t ra = rank(pa[i]);
            const char16_t rb = rank(pb[i]);
            if (ra != rb)
                return ra < rb ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool startsWith(const QString &text, const QString &prefix)
{
    if (prefix.size() > text.size())
        return false;
    const char16_t *pt = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *pp = reinterpret_cast<const char16_t *>(prefix.constData());
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (pt[i] != pp[i] && rank(pt[i]) != rank(pp[i]))
            return false;
    }
    return true;
}

} // namespace CaptionCollation
