#include "platform/Registry.h"

#include "platform/FileOps.h"
#include "platform/IniFile.h"

#include <QFileInfo>
#include <QStandardPaths>

Registry::Registry(const QString &keyPath) : m_key(keyPath) {}

QString Registry::storePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Quillery/Registry.ini");
}

bool Registry::valueExists(const QString &name) const
{
    return IniFile(storePath()).valueExists(m_key, name);
}

QString Registry::readString(const QString &name, const QString &defaultValue) const
{
    return IniFile(storePath()).readString(m_key, name, defaultValue);
}

void Registry::writeString(const QString &name, const QString &value)
{
    const QString path = storePath();
    FileOps::makePath(QFileInfo(path).absolutePath());
    IniFile ini(path);
    ini.writeString(m_key, name, value);
    ini.flush();
}
