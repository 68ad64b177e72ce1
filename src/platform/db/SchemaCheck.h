#pragma once

#include "platform/db/BookSchema.h"

class SqliteConnection;

// Compares an opened database file with the schema this program writes
// (BookSchema), reading only. The tables, their columns with types,
// defaults and keys, the indexes with their columns and collations, and
// PRAGMA user_version must all match; objects of other kinds (views,
// triggers, further tables) are not allowed either.
namespace SchemaCheck {

// Returns the kind of table the file holds; raises AppError saying what is
// wrong when it holds neither, or a newer schema version.
BookSchema::TableKind verify(SqliteConnection &db);

} // namespace SchemaCheck
