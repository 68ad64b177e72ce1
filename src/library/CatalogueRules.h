#pragma once

#include "library/CatalogueTypes.h"

#include <QList>
#include <optional>

class Profile;

// The rules of the catalogue format, applied to a catalogue the caller has
// open: the library's catalogue, the organizer's working copy or the help
// library's. They read and write through the given Profile and never flush;
// the caller decides when its operation ends.
namespace CatalogueRules {

// "Count" of the library and "BooksCount" of a collection (default 0). A value
// beyond what the file could hold (every collection has a section, every book
// three keys) is cut to that size, so a damaged count cannot make a reader
// walk through billions of absent entries.
int collectionCount(Profile &catalogue);
int booksCount(Profile &catalogue, int collection);

// Collections and books in the order the windows show them. Sorted mode
// compares name + "\" + number as one text, case-insensitively and by the
// user's locale; unsorted mode follows the order keys (default: the position).
// Damaged order keys (out of range, repeated) are skipped and the numbers they
// hid follow in number order, so every entry is listed exactly once.
QList<CatalogueEntry> collectionsInDisplayOrder(Profile &catalogue);
QList<CatalogueEntry> booksInDisplayOrder(Profile &catalogue, int collection);

// The stored order of collections ("CollectionsOrder" + position, default the
// position), cleaned as above; the replacement rule walks it.
QList<int> storedCollectionOrder(Profile &catalogue);

// "CurCollectionNum" and "CurBookNum" (default 1 each).
BookRef recordedCurrentBook(const Profile &catalogue);

// The book exists within the counts and has a "BookDir" that stays inside the
// data folder.
bool isUsableBook(Profile &catalogue, BookRef book);

// The stored "BookDir" of a usable book; empty otherwise.
QString bookDir(Profile &catalogue, BookRef book);

// Book 1 of the first collection in stored order that has books; none when no
// collection has a book.
std::optional<BookRef> replacementBook(Profile &catalogue);

// Counter + 1, written back as the new counter value.
int issueCollectionId(Profile &catalogue);
int issueBookId(Profile &catalogue);

// An appended entry gets an order key only when the list already has one, so
// a list that was never reordered stays without order keys.
void writeAppendedCollectionOrder(Profile &catalogue, int newCount);
void writeAppendedBookOrder(Profile &catalogue, int collection, int newCount);

} // namespace CatalogueRules
