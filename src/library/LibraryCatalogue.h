#pragma once

#include "library/CatalogueTypes.h"

#include <QList>
#include <QString>
#include <optional>

// Access to one library catalogue file. The object holds only the file's
// path; every call opens the file, reads or writes, flushes and releases it,
// so what another window wrote is always what the next call sees. Make one
// per operation: current() resolves the library from the settings file at the
// moment it is called.
//
// A catalogue with an empty path (the settings name no usable library) reads
// as an empty library; writes to it raise AppError, as do writes the system
// refuses ("Unable to write to <path>").
class LibraryCatalogue
{
public:
    explicit LibraryCatalogue(QString path);

    // The catalogue of the current library.
    static LibraryCatalogue current();

    QString path() const { return m_path; }

    int collectionCount() const;
    int booksCount(int collection) const;

    QList<CatalogueEntry> collectionsInDisplayOrder() const;
    QList<CatalogueEntry> booksInDisplayOrder(int collection) const;

    // "CurCollectionNum" and "CurBookNum" as stored (default 1 each).
    BookRef recordedCurrentBook() const;
    bool isUsableBook(BookRef book) const;

    // The replacement for a missing current book, without recording it.
    std::optional<BookRef> replacementBook() const;

    // The book start-up opens: the recorded one when it is usable, otherwise
    // the replacement, which is then recorded as current. None: the library
    // has no book and the placeholder book is opened.
    std::optional<BookRef> resolveCurrentBook();

    // DataFolder + "BookDir" of the book, ending with a backslash; empty when
    // the book is not usable.
    QString bookFolder(BookRef book) const;
    QString currentBookFolder() const;

    // "Name" of the collection and "BookName" of the book (empty when absent),
    // read for any numbers, as the main window's frames show them.
    BookNames names(BookRef book) const;
    BookNames currentNames() const;

    // Writes "CurCollectionNum" and "CurBookNum".
    void recordCurrentBook(BookRef book);

    // Issues the next identifier from "CollectionIDCount" or "BookIDCount".
    int issueCollectionId();
    int issueBookId();

    // Appends collection Count + 1 with its folder value and name, its order key
    // (only in a reordered list) and a new identifier; returns its number.
    int appendCollection(const QString &name, const QString &dir);

    // Appends book BooksCount + 1 to the collection with its name, its folder
    // value ("...\BookN\"), a new identifier and its order key (only in a
    // reordered list), and marks it as the book created last; returns its number.
    int appendBook(int collection, const QString &name, const QString &bookDir);

    // First run: "Collection1" gets the default names where it has none. A
    // library without collections is left alone.
    void nameFirstCollection(const QString &collectionName, const QString &bookName);

private:
    void requireWritable() const;

    QString m_path;
};
