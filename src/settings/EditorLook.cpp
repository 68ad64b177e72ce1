#include "settings/EditorLook.h"

EditorLook EditorLook::forCategory(SkinCategory category)
{
    switch (category) {
    case SkinCategory::Dark:
        return {QStringLiteral("BookImageBlack.jpg"), true, true, false, false, true};
    case SkinCategory::HalfDark:
        return {QStringLiteral("BookImage.jpg"), false, false, true, false, true};
    case SkinCategory::Light:
        break;
    }
    return {QStringLiteral("BookImage.jpg"), false, false, true, true, false};
}

QStringList EditorLook::toolbarGlyphs(bool dark)
{
    static const char *const names[] = {"Copy",      "Paste",      "Cut",         "Delete",  "SelectAll", "Undo",
                                        "AlignLeft", "AlignRight", "AlignCenter", "Bullets", "Bold",      "Italic",
                                        "StrikeOut", "Underline",  "ClearFormat", "Font"};
    QStringList files;
    for (int i = 0; i < 16; ++i) {
        // Copy and paste have one glyph for both sets.
        const bool black = dark && i >= 2;
        files << QString::fromLatin1(names[i]) + (black ? QStringLiteral("Black.bmp") : QStringLiteral(".bmp"));
    }
    return files;
}
