#include "settings/Profile.h"

#include "platform/AppError.h"

Profile::Profile(const QString &path) : m_ini(path) {}

Profile::~Profile()
{
    try {
        m_ini.flush();
    } catch (const AppError &) {
        // Reported only to callers that flush themselves.
    }
}

QString Profile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_ini.readString(section, key, defaultValue);
}

int Profile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    return m_ini.readInteger(section, key, defaultValue);
}

bool Profile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return m_ini.readBool(section, key, defaultValue);
}

void Profile::writeString(const QString &section, const QString &key, const QString &value)
{
    m_ini.writeString(section, key, value);
}

void Profile::writeInteger(const QString &section, const QString &key, int value)
{
    m_ini.writeInteger(section, key, value);
}

void Profile::writeBool(const QString &section, const QString &key, bool value)
{
    m_ini.writeBool(section, key, value);
}

bool Profile::valueExists(const QString &section, const QString &key) const
{
    return m_ini.valueExists(section, key);
}

bool Profile::sectionExists(const QString &section) const
{
    return m_ini.sectionExists(section);
}

void Profile::deleteKey(const QString &section, const QString &key)
{
    m_ini.deleteKey(section, key);
}

void Profile::eraseSection(const QString &section)
{
    m_ini.eraseSection(section);
}

QStringList Profile::readList(const QString &section, const QString &prefix) const
{
    QStringList entries;
    const int count = readInteger(section, QStringLiteral("Count"), 0);
    for (int i = 1; i <= count; ++i)
        entries << readString(section, numbered(prefix, i), QString());
    return entries;
}

void Profile::writeList(const QString &section, const QString &prefix, const QStringList &entries)
{
    const int old = readInteger(section, QStringLiteral("Count"), 0);
    for (int i = int(entries.size()) + 1; i <= old; ++i)
        deleteKey(section, numbered(prefix, i));
    for (int i = 0; i < int(entries.size()); ++i)
        writeString(section, numbered(prefix, i + 1), entries[i]);
    writeInteger(section, QStringLiteral("Count"), int(entries.size()));
}

void Profile::appendToList(const QString &section, const QString &prefix, const QString &entry)
{
    const int count = readInteger(section, QStringLiteral("Count"), 0);
    writeString(section, numbered(prefix, count + 1), entry);
    writeInteger(section, QStringLiteral("Count"), count + 1);
}

FontSpec Profile::readFont(const QString &section, const QString &prefix, const FontSpec &defaults) const
{
    FontSpec font = defaults;
    font.name = readString(section, prefix + QStringLiteral("Name"), defaults.name);
    font.size = readInteger(section, prefix + QStringLiteral("Size"), defaults.size);
    font.styles = fontStylesFromCode(
        readInteger(section, prefix + QStringLiteral("Style"), fontStyleCode(defaults.styles)));
    font.charset = readInteger(section, prefix + QStringLiteral("Charset"), defaults.charset);
    if (defaults.hasColor)
        font.color = readInteger(section, prefix + QStringLiteral("Color"), defaults.color);
    return font;
}

void Profile::writeFont(const QString &section, const QString &prefix, const FontSpec &font)
{
    writeInteger(section, prefix + QStringLiteral("Charset"), font.charset);
    if (font.hasColor)
        writeInteger(section, prefix + QStringLiteral("Color"), font.color);
    writeString(section, prefix + QStringLiteral("Name"), font.name);
    writeInteger(section, prefix + QStringLiteral("Size"), font.size);
    writeInteger(section, prefix + QStringLiteral("Style"), 0);
    if (const int code = fontStyleCode(font.styles))
        writeInteger(section, prefix + QStringLiteral("Style"), code);
}

void Profile::flush()
{
    m_ini.flush();
}
