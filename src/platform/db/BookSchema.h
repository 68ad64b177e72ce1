#pragma once

#include <QString>

// The schema of the two table files a book folder holds: the record table
// "bf.db" and the date table "Date\d.db". Version 1.
namespace BookSchema {

constexpr int Version = 1;

// SQL that creates the record table "Records" with its two orders.
const char *recordTableSql();
// SQL that creates the date table "BackupDate".
const char *dateTableSql();

// The two kinds of table file and the SQL table each holds.
enum class TableKind { Records, BackupDate };
const char *tableName(TableKind kind);

// Create an empty table file at a native path; false if it exists or fails.
bool createRecordTable(const QString &path, QString *error = nullptr);
bool createDateTable(const QString &path, QString *error = nullptr);

} // namespace BookSchema
