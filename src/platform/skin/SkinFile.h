#pragma once

#include <QByteArray>
#include <QPalette>
#include <QString>
#include <optional>

// A skin file ("*.skn", described in resources/skins/README.md) read into
// memory: a palette with a colour for every role and an optional Qt style
// sheet. Reading is all or nothing: a file that is too large, not UTF-8
// text, truncated, or that holds one colour or style rule that does not
// parse gives no skin at all, so a bad file can never half-apply.
struct SkinFile
{
    QString name;
    QPalette palette;
    QString styleSheet;

    // Larger files are refused before they are parsed, which bounds the
    // time and memory any input can take.
    static constexpr qint64 kMaxFileSize = 64 * 1024;

    static std::optional<SkinFile> parse(const QByteArray &bytes, QString *error = nullptr);
    // path is a native path.
    static std::optional<SkinFile> read(const QString &path, QString *error = nullptr);
};
