#include "platform/rtf/RtfReader.h"

#include <QTextDocument>

// Provisional reader: keeps the text of the groups, drops control words.
bool RtfReader::read(const QByteArray &rtf, QTextDocument *document)
{
    document->setPlainText(toPlainText(rtf));
    return rtf.startsWith("{\\rtf");
}

QString RtfReader::toPlainText(const QByteArray &rtf)
{
    if (!rtf.startsWith("{\\rtf"))
        return QString::fromUtf8(rtf);
    QString out;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n')
            continue;
        if (c == '\\') {
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            while (j < rtf.size() && (std::isdigit(static_cast<unsigned char>(rtf[j])) || rtf[j] == '-'))
                ++j;
            if (j < rtf.size() && rtf[j] == ' ')
                ++j;
            if (word == "par")
                out += u'\n';
            if (word.isEmpty() && i + 1 < rtf.size())
                out += QChar(rtf[i + 1]), j = i + 2;
            i = j - 1;
            continue;
        }
        out += QChar(c);
    }
    return out;
}
