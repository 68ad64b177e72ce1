#include "platform/skin/SkinFile.h"

#include "platform/skin/StyleSheetCheck.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace {

struct RoleName
{
    const char *name;
    QPalette::ColorRole role;
};

// Every role a skin must colour, by the names the file uses.
constexpr RoleName kRoles[] = {
    {"Window", QPalette::Window},
    {"WindowText", QPalette::WindowText},
    {"Base", QPalette::Base},
    {"AlternateBase", QPalette::AlternateBase},
    {"Text", QPalette::Text},
    {"PlaceholderText", QPalette::PlaceholderText},
    {"Button", QPalette::Button},
    {"ButtonText", QPalette::ButtonText},
    {"BrightText", QPalette::BrightText},
    {"Highlight", QPalette::Highlight},
    {"HighlightedText", QPalette::HighlightedText},
    {"ToolTipBase", QPalette::ToolTipBase},
    {"ToolTipText", QPalette::ToolTipText},
    {"Link", QPalette::Link},
    {"LinkVisited", QPalette::LinkVisited},
    {"Light", QPalette::Light},
    {"Midlight", QPalette::Midlight},
    {"Mid", QPalette::Mid},
    {"Dark", QPalette::Dark},
    {"Shadow", QPalette::Shadow},
};

std::optional<QPalette::ColorRole> roleNamed(const QString &key)
{
    for (const RoleName &r : kRoles)
        if (key.compare(QLatin1String(r.name), Qt::CaseInsensitive) == 0)
            return r.role;
    return std::nullopt;
}

// "#RRGGBB" or "#AARRGGBB" only: names and short forms are refused, so a
// typing slip is an error rather than a surprise colour.
std::optional<QColor> parseColor(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^#([0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QColor color = QColor::fromString(text);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

QColor blend(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

std::optional<SkinFile> refuse(QString *error, const QString &reason, int line = 0)
{
    if (error)
        *error = line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(reason) : reason;
    return std::nullopt;
}

} // namespace

std::optional<SkinFile> SkinFile::parse(const QByteArray &bytes, QString *error)
{
    if (bytes.size() > kMaxFileSize)
        return refuse(error, QStringLiteral("file too large"));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return refuse(error, QStringLiteral("not UTF-8 text"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    for (QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\r') && c != QLatin1Char('\t'))
            return refuse(error, QStringLiteral("control characters in the file"));

    const QStringList lines = text.split(QLatin1Char('\n'));
    enum class Section { None, Skin, Palette, Disabled, StyleSheet, After };
    Section section = Section::None;
    bool formatSeen = false;
    SkinFile skin;
    QHash<QPalette::ColorRole, QColor> colors;
    QHash<QPalette::ColorRole, QColor> disabled;
    QStringList sheet;
    QSet<QString> keysSeen;

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        QString raw = lines[i];
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString line = raw.trimmed();

        if (section == Section::StyleSheet) {
            if (line.compare(QLatin1String("[EndStyleSheet]"), Qt::CaseInsensitive) == 0)
                section = Section::After;
            else
                sheet << raw;
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (section == Section::After)
            return refuse(error, QStringLiteral("text after [EndStyleSheet]"), lineNo);

        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return refuse(error, QStringLiteral("bad section header"), lineNo);
            const QString name = line.mid(1, line.size() - 2).trimmed().toLower();
            const Section next = name == QLatin1String("skin")         ? Section::Skin
                                 : name == QLatin1String("palette")    ? Section::Palette
                                 : name == QLatin1String("disabled")   ? Section::Disabled
                                 : name == QLatin1String("stylesheet") ? Section::StyleSheet
                                                                       : Section::None;
            if (next == Section::None)
                return refuse(error, QStringLiteral("unknown section %1").arg(line), lineNo);
            if (next != Section::Skin && !formatSeen)
                return refuse(error, QStringLiteral("[Skin] with Format=1 must come first"), lineNo);
            if (keysSeen.contains(name))
                return refuse(error, QStringLiteral("section %1 repeated").arg(line), lineNo);
            keysSeen.insert(name);
            section = next;
            continue;
        }

        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || section == Section::None)
            return refuse(error, QStringLiteral("expected Key=Value"), lineNo);
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        const QString seenKey = QString::number(int(section)) + QLatin1Char('/') + key.toLower();
        if (keysSeen.contains(seenKey))
            return refuse(error, QStringLiteral("key %1 repeated").arg(key), lineNo);
        keysSeen.insert(seenKey);

        if (section == Section::Skin) {
            if (key.compare(QLatin1String("Format"), Qt::CaseInsensitive) == 0) {
                if (value != QLatin1String("1"))
                    return refuse(error, QStringLiteral("unknown format %1").arg(value), lineNo);
                formatSeen = true;
            } else if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) {
                skin.name = value;
            } else {
                return refuse(error, QStringLiteral("unknown key %1").arg(key), lineNo);
            }
            continue;
        }
        const std::optional<QPalette::ColorRole> role = roleNamed(key);
        if (!role)
            return refuse(error, QStringLiteral("unknown colour role %1").arg(key), lineNo);
        const std::optional<QColor> color = parseColor(value);
        if (!color)
            return refuse(error, QStringLiteral("bad colour %1").arg(value), lineNo);
        (section == Section::Palette ? colors : disabled).insert(*role, *color);
    }

    if (!formatSeen)
        return refuse(error, QStringLiteral("no [Skin] section with Format=1"));
    if (section == Section::StyleSheet)
        return refuse(error, QStringLiteral("style sheet without [EndStyleSheet]: file truncated"));
    for (const RoleName &r : kRoles)
        if (!colors.contains(r.role))
            return refuse(error, QStringLiteral("no colour for %1").arg(QLatin1String(r.name)));

    skin.styleSheet = sheet.join(QLatin1Char('\n'));
    QString sheetError;
    if (!StyleSheetCheck::isValid(skin.styleSheet, &sheetError))
        return refuse(error, sheetError);

    for (auto it = colors.cbegin(); it != colors.cend(); ++it) {
        skin.palette.setColor(QPalette::Active, it.key(), it.value());
        skin.palette.setColor(QPalette::Inactive, it.key(), it.value());
        skin.palette.setColor(QPalette::Disabled, it.key(), it.value());
    }
    // Disabled text is half way to its background unless the skin says.
    const QColor window = colors[QPalette::Window];
    const QColor base = colors[QPalette::Base];
    const QColor button = colors[QPalette::Button];
    skin.palette.setColor(QPalette::Disabled, QPalette::WindowText, blend(colors[QPalette::WindowText], window));
    skin.palette.setColor(QPalette::Disabled, QPalette::Text, blend(colors[QPalette::Text], base));
    skin.palette.setColor(QPalette::Disabled, QPalette::ButtonText, blend(colors[QPalette::ButtonText], button));
    for (auto it = disabled.cbegin(); it != disabled.cend(); ++it)
        skin.palette.setColor(QPalette::Disabled, it.key(), it.value());
    return skin;
}

std::optional<SkinFile> SkinFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(error, QStringLiteral("cannot open %1").arg(path));
    // One byte more than allowed tells a too-large file without reading it.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    return parse(bytes, error);
}
