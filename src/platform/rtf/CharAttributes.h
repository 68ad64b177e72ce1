#pragma once

#include <QColor>
#include <QString>

// The character attributes of a selection, as the font dialog and the
// style buttons see them.
struct CharAttributes
{
    QString fontName;
    double pointSize = 0;
    QColor color;
    int charset = 1;      // Windows \fcharset; 1 is "default"
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

enum class FontStyle { Bold, Italic, Underline, StrikeOut };
