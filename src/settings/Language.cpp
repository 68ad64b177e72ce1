#include "settings/Language.h"

#include "app/Folders.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "settings/Settings.h"

#include <QDir>

LanguageFile::LanguageFile() : LanguageFile(currentFileName()) {}

LanguageFile::LanguageFile(const QString &fileName) : m_path(pathFor(fileName)), m_file(m_path) {}

QString LanguageFile::text(const QString &section, const QString &key) const
{
    const bool skinFilter = section.compare(QStringLiteral("SkinDialog"), Qt::CaseInsensitive) == 0
                            && key.compare(QStringLiteral("Filter"), Qt::CaseInsensitive) == 0;
    return m_file.readString(section, key, skinFilter ? QStringLiteral("Skins") : QString());
}

QString LanguageFile::currentFileName()
{
    const Profile settings(Settings::path());
    return settings.readString(QStringLiteral("Languages"), QStringLiteral("Language"), QStringLiteral("English.lng"));
}

QString LanguageFile::pathFor(const QString &fileName)
{
    return programFolder() + QStringLiteral("\\Languages\\") + fileName;
}

QStringList LanguageFile::availableLanguages()
{
    return languagesIn(nativePath(programFolder() + QStringLiteral("\\Languages\\")));
}

QStringList LanguageFile::languagesIn(const QString &folder)
{
    QStringList names;
    for (const QString &file : FileOps::plainFiles(folder)) {
        if (file.endsWith(QStringLiteral(".lng"), Qt::CaseInsensitive))
            names << file.left(file.size() - 4);
    }
    return names;
}
