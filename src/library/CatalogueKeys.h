#pragma once

#include "settings/Profile.h"

#include <QString>

// Section and key names of a library catalogue. Numbered keys append the
// number in decimal without leading zeros ("BookDir3").
namespace CatalogueKeys {

inline QString collections() { return QStringLiteral("Collections"); }
inline QString collectionSection(int n) { return numbered(QStringLiteral("Collection"), n); }

// In section "Collections".
inline QString count() { return QStringLiteral("Count"); }
inline QString curCollectionNum() { return QStringLiteral("CurCollectionNum"); }
inline QString curBookNum() { return QStringLiteral("CurBookNum"); }
inline QString collectionsOrder(int position) { return numbered(QStringLiteral("CollectionsOrder"), position); }
inline QString collectionIdCount() { return QStringLiteral("CollectionIDCount"); }
inline QString collectionId(int n) { return numbered(QStringLiteral("CollectionID"), n); }
inline QString bookIdCount() { return QStringLiteral("BookIDCount"); }
inline QString sortedCollections() { return QStringLiteral("SortedCollections"); }
inline QString sortedBooks() { return QStringLiteral("SortedBooks"); }
inline QString newBookCollection() { return QStringLiteral("NewBookWasCreatingInCollection"); }
inline QString newBook() { return QStringLiteral("NewBookWasCreating"); }

// In section "Collection" + number.
inline QString name() { return QStringLiteral("Name"); }
inline QString dir() { return QStringLiteral("Dir"); }
inline QString booksCount() { return QStringLiteral("BooksCount"); }
inline QString bookName(int m) { return numbered(QStringLiteral("BookName"), m); }
inline QString bookDir(int m) { return numbered(QStringLiteral("BookDir"), m); }
inline QString bookId(int m) { return numbered(QStringLiteral("BookID"), m); }
inline QString booksOrder(int position) { return numbered(QStringLiteral("BooksOrder"), position); }
inline QString isBackUp(int m) { return numbered(QStringLiteral("IsBackUp"), m); }

} // namespace CatalogueKeys
