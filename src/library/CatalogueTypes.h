#pragma once

#include <QString>

// A collection or a book as the windows list it: its number in the catalogue
// and its name as shown.
struct CatalogueEntry {
    int number = 0;
    QString name;
    friend bool operator==(const CatalogueEntry &, const CatalogueEntry &) = default;
};

// A book by its collection number and its book number within that collection.
struct BookRef {
    int collection = 0;
    int book = 0;
    friend bool operator==(const BookRef &, const BookRef &) = default;
};

// The captions of the main window's two frames for one book.
struct BookNames {
    QString collection;
    QString book;
};
