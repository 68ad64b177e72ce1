#pragma once

#include "app/BookFlags.h"
#include "platform/effects/Effects.h"

#include <QTemporaryDir>

// A fresh per-user home for one window test: the data and configuration
// folders point into a temporary folder, the book table's run-time flags
// start cleared and transitions end at once, leaving no overlay behind.
class ScratchHome
{
public:
    ScratchHome()
    {
        Effects::setInstant(true);
        qputenv("XDG_DATA_HOME", (m_dir.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + "/config").toUtf8());
        NewRecordPending = StampingNewRecord = SuppressNewRecordStamps = false;
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
