#pragma once

#include "settings/Profile.h"

#include <QString>
#include <QStringList>

// One operation's access to the language file chosen in the settings:
// program folder + "\Languages\" + "Language" (default "English.lng").
// Every text reads with the empty default, except the skin chooser's
// filter name, so a missing file or key shows as an empty text.
class LanguageFile
{
public:
    LanguageFile();
    explicit LanguageFile(const QString &fileName);  // a file of the Languages folder

    QString text(const QString &section, const QString &key) const;
    QString path() const { return m_path; }

    // The "Language" value of the settings file.
    static QString currentFileName();
    // Program folder + "\Languages\" + fileName.
    static QString pathFor(const QString &fileName);
    // Names of the "*.lng" files of the Languages folder without their last
    // four characters, in directory order; an extension in capitals counts.
    static QStringList availableLanguages();
    static QStringList languagesIn(const QString &nativeFolder);

private:
    QString m_path;
    Profile m_file;
};
