#pragma once

#include <QString>

// Stand-in for a per-user registry key: the key's values live in one INI
// file in the user's configuration folder, a section per key path.
class Registry
{
public:
    // Opens (creating on first write) the key "\Software\Quillery" style path.
    explicit Registry(const QString &keyPath);

    bool valueExists(const QString &name) const;
    QString readString(const QString &name, const QString &defaultValue = {}) const;
    void writeString(const QString &name, const QString &value);  // flushed at once

    // The file behind all keys: GenericConfigLocation + "/Quillery/Registry.ini".
    static QString storePath();

private:
    QString m_key;
};
