#pragma once

#include "platform/skin/SkinFile.h"

#include <QString>

// The one skin of the program. Loading a skin applies its palette and
// style sheet to the whole application in one step, so every window, our
// message boxes and dialogs change together; a skin that cannot be read
// leaves the current look exactly as it was.
class SkinData
{
public:
    static SkinData &shared();

    // path may be in stored form (backslashes); true when the skin was
    // read and applied.
    bool load(const QString &path);

    bool isLoaded() const { return m_loaded; }
    // The applied skin's file name ("BlueMorph.skn"), empty before one.
    QString fileName() const { return m_fileName; }
    const SkinFile &skin() const { return m_skin; }
    // Why the last load failed, for tools and tests; never shown to users.
    QString lastError() const { return m_lastError; }

private:
    void apply() const;

    SkinFile m_skin;
    QString m_fileName;
    QString m_lastError;
    bool m_loaded = false;
};
