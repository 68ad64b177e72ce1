#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The texts of our own dialogs and message boxes (button captions, dialog
// labels), handed over as a whole by the main window's localisation. Each
// entry is "NAME=text"; an entry not of that form gives no text, and a
// name the table does not hold has no text.
class StringTable
{
public:
    static void setEntries(const QStringList &entries);
    static QString text(const QString &name);
    static QStringList entries();

private:
    static QHash<QString, QString> &table();
    static QStringList &raw();
};
