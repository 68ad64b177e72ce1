#pragma once

#include <QString>

struct sqlite3;

// Owns one SQLite connection. Every failure raises AppError with SQLite's own
// explanation appended, so callers only add what they were doing.
class SqliteConnection
{
public:
    SqliteConnection() = default;
    ~SqliteConnection();

    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    // Opens an existing database file for reading and writing; never creates one.
    void openExisting(const QString &path);
    // Opens an empty private database in memory.
    void openMemory();
    void close();

    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }

    // Runs one or more statements that return no rows.
    void exec(const char *sql);
    // Runs a statement whose first row's first column is an integer.
    qint64 queryInt(const char *sql);

    // Rolls back an open transaction, if there is one; never raises, because
    // it runs while another error is already on its way to the caller.
    void rollbackQuietly() noexcept;

    QString lastError() const;

private:
    sqlite3 *m_db = nullptr;
};
