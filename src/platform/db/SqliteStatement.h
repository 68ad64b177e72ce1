#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement. Values cross as QVariant: NULL ⇄ invalid variant,
// INTEGER ⇄ qint64, REAL ⇄ double, TEXT ⇄ QString, BLOB ⇄ QByteArray.
// Failures raise AppError with SQLite's explanation.
class SqliteStatement
{
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3 *db, const QString &sql);
    ~SqliteStatement();

    SqliteStatement(SqliteStatement &&other) noexcept;
    SqliteStatement &operator=(SqliteStatement &&other) noexcept;
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }

    // Parameters count from 1, as in SQL.
    void bind(int index, const QVariant &value);
    void bindInt(int index, qint64 value);

    // True when a row is ready; false when the statement has run to its end.
    bool step();
    // Ready for another run with new parameters.
    void reset();

    int columnCount() const;
    QVariant value(int column) const;
    qint64 intValue(int column) const;
    QString textValue(int column) const;  // NULL gives a null QString
    bool isNull(int column) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};
