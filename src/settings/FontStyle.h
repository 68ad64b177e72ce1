#pragma once

#include <QFont>
#include <QString>

// The four font styles stored in the settings as one style code.
struct FontStyles
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontStyles &) const = default;
    bool any() const { return bold || italic || underline || strikeOut; }
};

// Style codes 0 to 15 each name one combination; the numbering is a fixed
// table, not a bit mask. A code outside 0 to 15 reads as no style.
FontStyles fontStylesFromCode(int code);
int fontStyleCode(const FontStyles &styles);

// A font as the settings store it.
struct FontSpec
{
    QString name = QStringLiteral("Arial");
    int size = 8;  // points
    FontStyles styles;
    int charset = 1;  // Windows character-set number; 1 is "default"
    bool hasColor = false;
    qint32 color = 2147483640;  // colour code, see ColorCode.h

    QFont toQFont() const;
    // Takes name, size and styles from the font; the rest from base.
    static FontSpec fromQFont(const QFont &font, const FontSpec &base);
};
