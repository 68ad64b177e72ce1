#include "platform/db/SchemaCheck.h"

#include "platform/AppError.h"
#include "platform/db/SqliteConnection.h"
#include "platform/db/SqliteStatement.h"

#include <QStringList>

namespace {

QStringList rows(SqliteConnection &db, const QString &sql, const QString &argument = QString())
{
    SqliteStatement stmt(db.handle(), sql);
    if (!argument.isNull())
        stmt.bind(1, argument);
    QStringList out;
    while (stmt.step()) {
        QStringList cells;
        for (int c = 0; c < stmt.columnCount(); ++c) {
            const QVariant v = stmt.value(c);
            cells << (v.isValid() ? v.toString() : QStringLiteral("<null>"));
        }
        out << cells.join(u'|');
    }
    return out;
}

// Everything about the schema that matters to the program, as text, so two
// databases compare by structure and not by the spelling of their SQL.
QString signature(SqliteConnection &db)
{
    const QString objectsSql = QStringLiteral("SELECT type, name, tbl_name FROM sqlite_schema"
                                              " WHERE name NOT LIKE 'sqlite_stat%' ORDER BY type, name");
    QStringList parts = rows(db, objectsSql);
    SqliteStatement objects(db.handle(), objectsSql);
    while (objects.step()) {
        const QString type = objects.textValue(0);
        const QString name = objects.textValue(1);
        if (type == QLatin1String("table")) {
            parts << rows(db,
                          QStringLiteral("SELECT cid, name, upper(type), \"notnull\", dflt_value, pk"
                                         " FROM pragma_table_info(?1)"),
                          name);
        } else if (type == QLatin1String("index")) {
            parts << rows(db,
                          QStringLiteral("SELECT seqno, cid, name, \"desc\", upper(coll), \"key\""
                                         " FROM pragma_index_xinfo(?1)"),
                          name);
        }
    }
    return parts.join(u'\n');
}

QString makeReferenceSignature(BookSchema::TableKind kind)
{
    SqliteConnection reference;
    reference.openMemory();
    reference.exec(kind == BookSchema::TableKind::Records ? BookSchema::recordTableSql() : BookSchema::dateTableSql());
    return signature(reference);
}

// The schema in code never changes while the program runs.
const QString &referenceSignature(BookSchema::TableKind kind)
{
    static const QString records = makeReferenceSignature(BookSchema::TableKind::Records);
    static const QString dates = makeReferenceSignature(BookSchema::TableKind::BackupDate);
    return kind == BookSchema::TableKind::Records ? records : dates;
}

} // namespace

namespace SchemaCheck {

BookSchema::TableKind verify(SqliteConnection &db)
{
    // The first read is where SQLite finds out whether the file is a
    // database at all.
    qint64 version = 0;
    try {
        version = db.queryInt("PRAGMA user_version");
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("The file is not a readable table (%1)").arg(error.message()));
    }
    if (version > BookSchema::Version)
        throw AppError(QStringLiteral("The table was written by a newer version of the program (schema version %1, "
                                      "this program reads version %2)")
                           .arg(version)
                           .arg(BookSchema::Version));
    const QString found = signature(db);
    for (BookSchema::TableKind kind : {BookSchema::TableKind::Records, BookSchema::TableKind::BackupDate}) {
        if (found == referenceSignature(kind)) {
            if (version != BookSchema::Version)
                throw AppError(QStringLiteral("The table has schema version %1, expected %2")
                                   .arg(version)
                                   .arg(BookSchema::Version));
            return kind;
        }
    }
    throw AppError(QStringLiteral("The file holds a table of another kind"));
}

} // namespace SchemaCheck
