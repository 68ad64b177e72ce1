#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a QTextDocument as compact RTF that word processors read.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument *document);
};
