#include "platform/NativePath.h"

#include <QDir>
#include <QRegularExpression>

QString nativePath(const QString &path)
{
    QString out;
    out.reserve(path.size());
    for (QChar c : path) {
        if (c == u'\\' || c == u'/') {
            if (!out.endsWith(u'/'))
                out += u'/';
        } else {
            out += c;
        }
    }
    return QDir::toNativeSeparators(out);
}

bool isSafeRelativePath(const QString &stored)
{
    if (stored.contains(QChar(0)))
        return false;
    // A drive letter ("C:") or a URL-like prefix never belongs in a relative value.
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (drive.match(stored).hasMatch())
        return false;
    const QString unified = QString(stored).replace(u'\\', u'/');
    // Stored values begin with a backslash by convention; "\\server" or "//x" is not relative.
    if (unified.startsWith(QStringLiteral("//")))
        return false;
    const auto parts = unified.split(u'/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part.trimmed() == QStringLiteral(".."))
            return false;
    }
    return true;
}
