#include "library/LibraryCatalogue.h"

#include "library/CatalogueKeys.h"
#include "library/CatalogueRules.h"
#include "library/DataPath.h"
#include "library/LibraryLocation.h"
#include "platform/AppError.h"
#include "settings/Profile.h"

namespace K = CatalogueKeys;

LibraryCatalogue::LibraryCatalogue(QString path) : m_path(std::move(path)) {}

LibraryCatalogue LibraryCatalogue::current()
{
    return LibraryCatalogue(LibraryLocation::cataloguePath());
}

void LibraryCatalogue::requireWritable() const
{
    if (m_path.isEmpty())
        throw AppError(QStringLiteral("Unable to write to the library catalogue: the settings name no library folder."));
}

int LibraryCatalogue::collectionCount() const
{
    Profile catalogue(m_path);
    return CatalogueRules::collectionCount(catalogue);
}

int LibraryCatalogue::booksCount(int collection) const
{
    Profile catalogue(m_path);
    return CatalogueRules::booksCount(catalogue, collection);
}

QList<CatalogueEntry> LibraryCatalogue::collectionsInDisplayOrder() const
{
    Profile catalogue(m_path);
    return CatalogueRules::collectionsInDisplayOrder(catalogue);
}

QList<CatalogueEntry> LibraryCatalogue::booksInDisplayOrder(int collection) const
{
    Profile catalogue(m_path);
    return CatalogueRules::booksInDisplayOrder(catalogue, collection);
}

BookRef LibraryCatalogue::recordedCurrentBook() const
{
    const Profile catalogue(m_path);
    return CatalogueRules::recordedCurrentBook(catalogue);
}

bool LibraryCatalogue::isUsableBook(BookRef book) const
{
    Profile catalogue(m_path);
    return CatalogueRules::isUsableBook(catalogue, book);
}

std::optional<BookRef> LibraryCatalogue::replacementBook() const
{
    Profile catalogue(m_path);
    return CatalogueRules::replacementBook(catalogue);
}

std::optional<BookRef> LibraryCatalogue::resolveCurrentBook()
{
    Profile catalogue(m_path);
    const BookRef recorded = CatalogueRules::recordedCurrentBook(catalogue);
    if (CatalogueRules::isUsableBook(catalogue, recorded))
        return recorded;
    const std::optional<BookRef> replacement = CatalogueRules::replacementBook(catalogue);
    if (replacement) {
        requireWritable();
        catalogue.writeInteger(K::collections(), K::curCollectionNum(), replacement->collection);
        catalogue.writeInteger(K::collections(), K::curBookNum(), replacement->book);
        catalogue.flush();
    }
    return replacement;
}

QString LibraryCatalogue::bookFolder(BookRef book) const
{
    Profile catalogue(m_path);
    return DataPath::join(CatalogueRules::bookDir(catalogue, book));
}

QString LibraryCatalogue::currentBookFolder() const
{
    Profile catalogue(m_path);
    return DataPath::join(CatalogueRules::bookDir(catalogue, CatalogueRules::recordedCurrentBook(catalogue)));
}

BookNames LibraryCatalogue::names(BookRef book) const
{
    const Profile catalogue(m_path);
    const QString section = K::collectionSection(book.collection);
    return {catalogue.readString(section, K::name(), QString()),
            catalogue.readString(section, K::bookName(book.book), QString())};
}

BookNames LibraryCatalogue::currentNames() const
{
    return names(recordedCurrentBook());
}

void LibraryCatalogue::recordCurrentBook(BookRef book)
{
    requireWritable();
    Profile catalogue(m_path);
    catalogue.writeInteger(K::collections(), K::curCollectionNum(), book.collection);
    catalogue.writeInteger(K::collections(), K::curBookNum(), book.book);
    catalogue.flush();
}

int LibraryCatalogue::issueCollectionId()
{
    requireWritable();
    Profile catalogue(m_path);
    const int id = CatalogueRules::issueCollectionId(catalogue);
    catalogue.flush();
    return id;
}

int LibraryCatalogue::issueBookId()
{
    requireWritable();
    Profile catalogue(m_path);
    const int id = CatalogueRules::issueBookId(catalogue);
    catalogue.flush();
    return id;
}

namespace {
void requireInside(const QString &dir)
{
    if (!DataPath::isInside(dir))
        throw AppError(QStringLiteral("Refused to record a folder outside the data folder: %1").arg(dir));
}
} // namespace

int LibraryCatalogue::appendCollection(const QString &name, const QString &dir)
{
    requireWritable();
    requireInside(dir);
    Profile catalogue(m_path);
    // The stored count, not the bounded one: appending continues the list the
    // file claims to have.
    const int number = std::max(catalogue.readInteger(K::collections(), K::count(), 0), 0) + 1;
    const QString section = K::collectionSection(number);
    catalogue.writeString(section, K::dir(), dir);
    catalogue.writeString(section, K::name(), name);
    catalogue.writeInteger(K::collections(), K::count(), number);
    CatalogueRules::writeAppendedCollectionOrder(catalogue, number);
    const int id = CatalogueRules::issueCollectionId(catalogue);
    catalogue.writeInteger(K::collections(), K::collectionId(number), id);
    catalogue.flush();
    return number;
}

int LibraryCatalogue::appendBook(int collection, const QString &name, const QString &bookDir)
{
    requireWritable();
    requireInside(bookDir);
    Profile catalogue(m_path);
    const QString section = K::collectionSection(collection);
    const int number = std::max(catalogue.readInteger(section, K::booksCount(), 0), 0) + 1;
    catalogue.writeString(section, K::bookName(number), name);
    catalogue.writeString(section, K::bookDir(number), bookDir);
    catalogue.writeInteger(section, K::booksCount(), number);
    const int id = CatalogueRules::issueBookId(catalogue);
    catalogue.writeInteger(section, K::bookId(number), id);
    CatalogueRules::writeAppendedBookOrder(catalogue, collection, number);
    catalogue.writeInteger(K::collections(), K::newBookCollection(), collection);
    catalogue.writeInteger(K::collections(), K::newBook(), number);
    catalogue.flush();
    return number;
}

void LibraryCatalogue::nameFirstCollection(const QString &collectionName, const QString &bookName)
{
    Profile catalogue(m_path);
    // Without a first collection there is nothing to name; writing the keys
    // anyway would leave a section above "Count".
    if (m_path.isEmpty() || CatalogueRules::collectionCount(catalogue) < 1)
        return;
    const QString section = K::collectionSection(1);
    if (!catalogue.valueExists(section, K::name()))
        catalogue.writeString(section, K::name(), collectionName);
    if (!catalogue.valueExists(section, K::bookName(1)))
        catalogue.writeString(section, K::bookName(1), bookName);
    catalogue.flush();
}
