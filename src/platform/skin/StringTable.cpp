#include "platform/skin/StringTable.h"

QHash<QString, QString> &StringTable::table()
{
    static QHash<QString, QString> t;
    return t;
}

QStringList &StringTable::raw()
{
    static QStringList r;
    return r;
}

void StringTable::setEntries(const QStringList &entries)
{
    table().clear();
    raw() = entries;
    for (const QString &entry : entries) {
        const qsizetype eq = entry.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString name = entry.left(eq).trimmed();
        if (!table().contains(name))
            table().insert(name, entry.mid(eq + 1));
    }
}

QString StringTable::text(const QString &name)
{
    return table().value(name);
}

QStringList StringTable::entries()
{
    return raw();
}
