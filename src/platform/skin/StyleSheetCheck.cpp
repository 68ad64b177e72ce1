#include "platform/skin/StyleSheetCheck.h"

#include <QRegularExpression>
#include <QStringList>

namespace StyleSheetCheck {

namespace {

bool fail(QString *error, const QString &reason, int line)
{
    if (error)
        *error = QStringLiteral("style sheet line %1: %2").arg(line).arg(reason);
    return false;
}

// The roles palette() accepts in a style sheet.
bool isPaletteRole(const QString &role)
{
    static const QStringList roles = {
        QStringLiteral("alternate-base"), QStringLiteral("base"),        QStringLiteral("bright-text"),
        QStringLiteral("button"),         QStringLiteral("button-text"), QStringLiteral("dark"),
        QStringLiteral("highlight"),      QStringLiteral("highlighted-text"), QStringLiteral("light"),
        QStringLiteral("link"),           QStringLiteral("link-visited"), QStringLiteral("mid"),
        QStringLiteral("midlight"),       QStringLiteral("shadow"),      QStringLiteral("text"),
        QStringLiteral("window"),         QStringLiteral("window-text"), QStringLiteral("placeholder-text"),
        QStringLiteral("tooltip-base"),   QStringLiteral("tooltip-text"), QStringLiteral("accent")};
    return roles.contains(role);
}

bool checkValue(const QString &value, int line, QString *error)
{
    if (value.isEmpty())
        return fail(error, QStringLiteral("empty value"), line);
    int depth = 0;
    for (QChar c : value) {
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && --depth < 0)
            return fail(error, QStringLiteral("unbalanced parenthesis"), line);
    }
    if (depth != 0)
        return fail(error, QStringLiteral("unbalanced parenthesis"), line);

    static const QRegularExpression hex(QStringLiteral("#([0-9A-Za-z]*)"));
    for (auto it = hex.globalMatch(value); it.hasNext();) {
        const QString digits = it.next().captured(1);
        static const QRegularExpression onlyHex(QStringLiteral("^[0-9A-Fa-f]+$"));
        const qsizetype n = digits.size();
        if (!onlyHex.match(digits).hasMatch() || (n != 3 && n != 6 && n != 8))
            return fail(error, QStringLiteral("bad colour #%1").arg(digits), line);
    }
    static const QRegularExpression palette(QStringLiteral("palette\\(\\s*([^)]*?)\\s*\\)"));
    for (auto it = palette.globalMatch(value); it.hasNext();) {
        const QString role = it.next().captured(1);
        if (!isPaletteRole(role))
            return fail(error, QStringLiteral("unknown palette role %1").arg(role), line);
    }
    return true;
}

bool checkDeclarations(const QString &block, int line, QString *error)
{
    static const QRegularExpression name(QStringLiteral("^-?[A-Za-z][A-Za-z0-9-]*$"));
    const QStringList parts = block.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString declaration = parts[i].trimmed();
        if (declaration.isEmpty()) {
            // Only the text after the last semicolon may be empty.
            if (i + 1 == parts.size())
                continue;
            return fail(error, QStringLiteral("empty declaration"), line);
        }
        const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return fail(error, QStringLiteral("declaration without ':'"), line);
        if (!name.match(declaration.left(colon).trimmed()).hasMatch())
            return fail(error, QStringLiteral("bad property name"), line);
        if (!checkValue(declaration.mid(colon + 1).trimmed(), line, error))
            return false;
    }
    return true;
}

bool checkSelector(const QString &selector, int line, QString *error)
{
    if (selector.isEmpty())
        return fail(error, QStringLiteral("rule without selector"), line);
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_\\-:.#*>,\\s\\[\\]=\"'!~()|]+$"));
    if (!allowed.match(selector).hasMatch())
        return fail(error, QStringLiteral("bad selector"), line);
    for (const QString &one : selector.split(QLatin1Char(',')))
        if (one.trimmed().isEmpty())
            return fail(error, QStringLiteral("empty selector"), line);
    return true;
}

} // namespace

bool isValid(const QString &sheet, QString *error)
{
    // One pass: comments and strings are skipped as units, the rest is cut
    // into selector and block at the braces.
    QString selector;
    QString block;
    bool inBlock = false;
    int line = 1;
    int blockLine = 1;
    const qsizetype n = sheet.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sheet[i];
        if (c == QLatin1Char('\n'))
            ++line;
        if (c == QLatin1Char('/') && i + 1 < n && sheet[i + 1] == QLatin1Char('*')) {
            const qsizetype end = sheet.indexOf(QStringLiteral("*/"), i + 2);
            if (end < 0)
                return fail(error, QStringLiteral("unclosed comment"), line);
            line += int(sheet.mid(i, end - i).count(QLatin1Char('\n')));
            i = end + 1;
            continue;
        }
        QString &target = inBlock ? block : selector;
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = sheet.indexOf(c, i + 1);
            if (end < 0 || sheet.mid(i, end - i).contains(QLatin1Char('\n')))
                return fail(error, QStringLiteral("unclosed string"), line);
            target += sheet.mid(i, end - i + 1);
            i = end;
            continue;
        }
        if (c == QLatin1Char('{')) {
            if (inBlock)
                return fail(error, QStringLiteral("nested block"), line);
            if (!checkSelector(selector.trimmed(), line, error))
                return false;
            inBlock = true;
            blockLine = line;
            block.clear();
        } else if (c == QLatin1Char('}')) {
            if (!inBlock)
                return fail(error, QStringLiteral("'}' without '{'"), line);
            if (!checkDeclarations(block, blockLine, error))
                return false;
            inBlock = false;
            selector.clear();
        } else {
            target += c;
        }
    }
    if (inBlock)
        return fail(error, QStringLiteral("unclosed block"), blockLine);
    if (!selector.trimmed().isEmpty())
        return fail(error, QStringLiteral("text after the last rule"), line);
    return true;
}

} // namespace StyleSheetCheck
