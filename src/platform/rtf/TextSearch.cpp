#include "platform/rtf/TextSearch.h"

#include <algorithm>

bool TextSearch::isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

int TextSearch::find(QStringView text, QStringView needle, int start, int length,
                     bool matchCase, bool wholeWord)
{
    if (needle.isEmpty())
        return -1;
    const qsizetype begin = std::clamp<qsizetype>(start, 0, text.size());
    const qsizetype end = length < 0 ? text.size()
                                     : std::min<qsizetype>(text.size(), begin + qsizetype(length));
    if (end - begin < needle.size())
        return -1;
    const QStringView range = text.first(end);
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype from = begin; from + needle.size() <= end;) {
        const qsizetype at = range.indexOf(needle, from, cs);
        if (at < 0)
            return -1;
        const qsizetype after = at + needle.size();
        const bool boundaryBefore = at == 0 || !isWordCharacter(text[at - 1]);
        const bool boundaryAfter = after >= text.size() || !isWordCharacter(text[after]);
        if (!wholeWord || (boundaryBefore && boundaryAfter))
            return int(at);
        from = at + 1;
    }
    return -1;
}
