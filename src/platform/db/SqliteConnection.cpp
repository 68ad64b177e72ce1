#include "platform/db/SqliteConnection.h"

#include "platform/AppError.h"

#include <sqlite3.h>

SqliteConnection::~SqliteConnection()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

void SqliteConnection::openExisting(const QString &path)
{
    close();
    // Without SQLITE_OPEN_CREATE a missing file is an error instead of a new,
    // empty database appearing where a book was expected.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw AppError(why);
    }
    sqlite3_extended_result_codes(m_db, 1);
}

void SqliteConnection::openMemory()
{
    close();
    if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw AppError(QStringLiteral("Cannot create a database in memory"));
    }
}

void SqliteConnection::close()
{
    if (!m_db)
        return;
    // close_v2 defers the release until every statement is finalized, so a
    // forgotten statement can never make close fail half-way.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void SqliteConnection::exec(const char *sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString why = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
        sqlite3_free(message);
        throw AppError(why);
    }
}

qint64 SqliteConnection::queryInt(const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw AppError(lastError());
    const int rc = sqlite3_step(stmt);
    const qint64 value = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw AppError(lastError());
    return value;
}

void SqliteConnection::rollbackQuietly() noexcept
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

QString SqliteConnection::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}
