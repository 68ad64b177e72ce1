#include "platform/db/BookSchema.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace BookSchema {

const char *recordTableSql()
{
    return "CREATE TABLE Records ("
           " Inc INTEGER PRIMARY KEY AUTOINCREMENT,"
           " Caption TEXT NOT NULL DEFAULT '',"
           " Description BLOB,"
           " Date TEXT,"
           " Time TEXT,"
           " DayOfWeek INTEGER,"
           " ModifiedDate TEXT,"
           " ModifiedTime TEXT,"
           " ModifiedDayOfWeek INTEGER,"
           " PlainText TEXT);"
           "CREATE INDEX CAPTION_FIELD ON Records (Caption COLLATE NOCASE, Inc);"
           "CREATE INDEX DATE_FIELD ON Records (Date, Time, Inc);";
}

const char *dateTableSql()
{
    return "CREATE TABLE BackupDate (Date TEXT);";
}

const char *tableName(TableKind kind)
{
    return kind == TableKind::Records ? "Records" : "BackupDate";
}

namespace {

bool create(const QString &path, const char *sql, QString *error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("%1 exists already").arg(path);
        return false;
    }
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray script = QByteArray("PRAGMA journal_mode=DELETE; BEGIN;") + sql
                                  + "PRAGMA user_version=" + QByteArray::number(Version) + "; COMMIT;";
        char *message = nullptr;
        rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK && error)
            *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
    } else if (error) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

} // namespace

bool createRecordTable(const QString &path, QString *error)
{
    return create(path, recordTableSql(), error);
}

bool createDateTable(const QString &path, QString *error)
{
    return create(path, dateTableSql(), error);
}

} // namespace BookSchema
