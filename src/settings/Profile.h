#pragma once

#include "platform/IniFile.h"
#include "settings/FontStyle.h"

#include <QString>
#include <QStringList>

// One operation's access to an INI file of the program (the settings file, a
// library catalogue, a language file): open by path, typed reads with the
// caller's default, typed writes, flush and release. No state survives the
// object; every operation opens the file anew, so what one window wrote is
// what the next operation reads.
//
// Writes are applied by flush(); a refused write raises AppError
// "Unable to write to <path>". The destructor flushes what a caller left
// pending but cannot report a failure, so writers call flush() themselves.
class Profile
{
public:
    explicit Profile(const QString &path);
    ~Profile();

    Profile(const Profile &) = delete;
    Profile &operator=(const Profile &) = delete;

    QString readString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    bool valueExists(const QString &section, const QString &key) const;
    bool sectionExists(const QString &section) const;
    void deleteKey(const QString &section, const QString &key);
    void eraseSection(const QString &section);

    // Numbered lists: "Count" and prefix + 1 … prefix + Count.
    QStringList readList(const QString &section, const QString &prefix) const;
    void writeList(const QString &section, const QString &prefix, const QStringList &entries);
    void appendToList(const QString &section, const QString &prefix, const QString &entry);

    // Fonts: prefix + "Name", "Size", "Style" (style code), "Charset" and,
    // with FontSpec::hasColor, "Color".
    FontSpec readFont(const QString &section, const QString &prefix, const FontSpec &defaults) const;
    void writeFont(const QString &section, const QString &prefix, const FontSpec &font);

    void flush();
    IniFile &file() { return m_ini; }

private:
    IniFile m_ini;
};

// Numbered keys append the decimal number without leading zeros.
inline QString numbered(const QString &prefix, int n)
{
    return prefix + QString::number(n);
}
