#pragma once

#include <QList>
#include <QString>

// One broken rule of a catalogue, with the place where it was found.
struct CatalogueViolation {
    enum class Rule {
        CollectionSections = 1,  // "Collection1".."Collection"+Count exist, none above
        BookKeys,                // each book has BookName, BookDir, BookID; none above BooksCount
        OrderKeys,               // order keys, when present, are a permutation of 1..count
        Identifiers,             // identifiers distinct and not above their counters
        SharedFolders,           // no two books share a folder (help library: all name the help book folder)
        CurrentBook,             // with books present, the current pair names one (and the open one)
        FolderOutside,           // a stored folder value that would leave the data folder
    };

    Rule rule;
    QString section;
    QString key;     // empty when the whole section is meant
    QString detail;  // what is wrong, for logs and error reports

    QString toString() const;
};

// Reads a catalogue and lists every rule it breaks. It never writes: the
// program uses it to recognise a damaged catalogue, tests run it after every
// operation.
class CatalogueChecker
{
public:
    struct Options {
        // The help library: its books all name the help book folder and carry
        // no identifiers, as help mode writes them.
        bool helpLibrary = false;
        // When given, the current book must be the one in this folder (the book
        // open in the main window), in stored or native form.
        QString openBookFolder;
    };

    static QList<CatalogueViolation> check(const QString &cataloguePath, const Options &options);
    static QList<CatalogueViolation> check(const QString &cataloguePath) { return check(cataloguePath, Options{}); }
};
