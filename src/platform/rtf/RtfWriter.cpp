#include "platform/rtf/RtfWriter.h"

#include <QTextDocument>

// Provisional writer: plain text with Unicode escapes.
QByteArray RtfWriter::write(const QTextDocument *document)
{
    QByteArray out = "{\\rtf1\\ansi\\uc1 ";
    const QString text = document->toPlainText();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n')
            out += "\\par ";
        else if (u == '\\' || u == '{' || u == '}')
            out += '\\', out += char(u);
        else if (u < 128)
            out += char(u);
        else
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
    out += '}';
    return out;
}
