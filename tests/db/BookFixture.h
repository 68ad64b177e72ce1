#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

class Table;

// A temporary book folder holding an empty record table ("bf.db") and an
// empty date table ("Date/d.db"), both made from the program's schema.
class BookFixture
{
public:
    BookFixture();

    bool isValid() const { return m_valid; }
    QString folder() const { return m_dir.path(); }
    QString tablePath() const { return m_dir.path() + QStringLiteral("/bf.db"); }
    QString dateFolder() const { return m_dir.path() + QStringLiteral("/Date"); }

    // Opens the record table in the given order.
    void open(Table &table, const QString &order) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

QByteArray fileBytes(const QString &path);

// Appends records with these captions (and, when given, creation dates);
// leaves the table in browse state.
void addRecords(Table &table, const QStringList &captions, const QStringList &dates = {});

// The captions row by row as the table shows them now.
QStringList captionsShown(const Table &table);

// A body of about `size` bytes of RTF whose text names `label`.
QByteArray rtfBody(const QString &label, int size = 200);
