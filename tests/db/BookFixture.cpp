#include "BookFixture.h"

#include "platform/db/BookSchema.h"
#include "platform/db/Table.h"

#include <QDir>
#include <QFile>

BookFixture::BookFixture()
{
    m_valid = m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("Date"))
              && BookSchema::createRecordTable(tablePath()) && BookSchema::createDateTable(dateFolder() + "/d.db");
}

void BookFixture::open(Table &table, const QString &order) const
{
    table.open(folder(), QStringLiteral("bf.db"), order);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addRecords(Table &table, const QStringList &captions, const QStringList &dates)
{
    for (int i = 0; i < captions.size(); ++i) {
        table.insert();
        table.setFieldValue(QStringLiteral("Caption"), captions.at(i));
        if (i < dates.size()) {
            table.setFieldValue(QStringLiteral("Date"), dates.at(i));
            table.setFieldValue(QStringLiteral("Time"), QStringLiteral("12:00:00"));
        }
        table.post();
    }
}

QStringList captionsShown(const Table &table)
{
    QStringList out;
    for (int row = 0; row < table.rowCount(); ++row)
        out << table.valueAt(row, QStringLiteral("Caption")).toString();
    return out;
}

QByteArray rtfBody(const QString &label, int size)
{
    QByteArray body = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " + label.toUtf8() + "\\par ";
    while (body.size() < size - 1)
        body += "lorem ipsum dolor sit amet ";
    return body + "}";
}
