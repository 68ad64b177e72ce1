#include "library/CatalogueRules.h"

#include "library/CatalogueKeys.h"
#include "library/DataPath.h"
#include "platform/AppError.h"
#include "settings/Profile.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <climits>

namespace CatalogueRules {

namespace K = CatalogueKeys;

namespace {

int boundedCount(int stored, qsizetype limit)
{
    return std::clamp(stored, 0, int(std::min<qsizetype>(limit, INT_MAX)));
}

// Numbers at positions 1..count, taken from the order keys; what is missing
// or damaged is filled in number order.
QList<int> orderFromKeys(Profile &catalogue, const QString &section, int count,
                         QString (*orderKey)(int))
{
    QList<int> order;
    order.reserve(count);
    QList<bool> seen(count + 1, false);
    for (int position = 1; position <= count; ++position) {
        const int number = catalogue.readInteger(section, orderKey(position), position);
        if (number < 1 || number > count || seen[number])
            continue;
        seen[number] = true;
        order << number;
    }
    for (int number = 1; number <= count; ++number) {
        if (!seen[number])
            order << number;
    }
    return order;
}

QCollator displayCollator()
{
    // A system without a chosen locale still gets a language-aware order for
    // accented and non-Latin names rather than raw code points.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Sorted mode: the texts name + "\" + number, sorted as whole texts, so equal
// names fall into the textual order of their numbers ("10" before "2").
QList<CatalogueEntry> sortedByName(const QStringList &names)
{
    QStringList texts;
    texts.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        texts << names[i] + u'\\' + QString::number(i + 1);

    const QCollator collator = displayCollator();
    std::stable_sort(texts.begin(), texts.end(), [&](const QString &a, const QString &b) {
        const int order = collator.compare(a, b);
        // Texts the collator calls equal keep a fixed order.
        return order != 0 ? order < 0 : a < b;
    });

    QList<CatalogueEntry> entries;
    entries.reserve(texts.size());
    for (const QString &text : texts) {
        // The number follows the last backslash; a name may hold backslashes itself.
        const int number = text.mid(text.lastIndexOf(u'\\') + 1).toInt();
        entries << CatalogueEntry{number, names[number - 1]};
    }
    return entries;
}

QList<CatalogueEntry> inStoredOrder(const QList<int> &order, const QStringList &names)
{
    QList<CatalogueEntry> entries;
    entries.reserve(order.size());
    for (int number : order)
        entries << CatalogueEntry{number, names[number - 1]};
    return entries;
}

} // namespace

int collectionCount(Profile &catalogue)
{
    const int stored = catalogue.readInteger(K::collections(), K::count(), 0);
    return boundedCount(stored, catalogue.file().sectionNames().size());
}

int booksCount(Profile &catalogue, int collection)
{
    const QString section = K::collectionSection(collection);
    const int stored = catalogue.readInteger(section, K::booksCount(), 0);
    return boundedCount(stored, catalogue.file().keyNames(section).size());
}

QList<int> storedCollectionOrder(Profile &catalogue)
{
    return orderFromKeys(catalogue, K::collections(), collectionCount(catalogue), &K::collectionsOrder);
}

QList<CatalogueEntry> collectionsInDisplayOrder(Profile &catalogue)
{
    const int count = collectionCount(catalogue);
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names << catalogue.readString(K::collectionSection(n), K::name(), QString());
    if (catalogue.readBool(K::collections(), K::sortedCollections(), true))
        return sortedByName(names);
    return inStoredOrder(storedCollectionOrder(catalogue), names);
}

QList<CatalogueEntry> booksInDisplayOrder(Profile &catalogue, int collection)
{
    const QString section = K::collectionSection(collection);
    const int count = booksCount(catalogue, collection);
    QStringList names;
    for (int m = 1; m <= count; ++m)
        names << catalogue.readString(section, K::bookName(m), QString());
    if (catalogue.readBool(K::collections(), K::sortedBooks(), true))
        return sortedByName(names);
    return inStoredOrder(orderFromKeys(catalogue, section, count, &K::booksOrder), names);
}

BookRef recordedCurrentBook(const Profile &catalogue)
{
    return {catalogue.readInteger(K::collections(), K::curCollectionNum(), 1),
            catalogue.readInteger(K::collections(), K::curBookNum(), 1)};
}

QString bookDir(Profile &catalogue, BookRef book)
{
    if (book.collection < 1 || book.collection > collectionCount(catalogue))
        return {};
    if (book.book < 1 || book.book > booksCount(catalogue, book.collection))
        return {};
    const QString dir =
        catalogue.readString(K::collectionSection(book.collection), K::bookDir(book.book), QString());
    return DataPath::isInside(dir) ? dir : QString();
}

bool isUsableBook(Profile &catalogue, BookRef book)
{
    return !bookDir(catalogue, book).isEmpty();
}

std::optional<BookRef> replacementBook(Profile &catalogue)
{
    for (int collection : storedCollectionOrder(catalogue)) {
        if (booksCount(catalogue, collection) > 0)
            return BookRef{collection, 1};
    }
    return std::nullopt;
}

namespace {
int issueFrom(Profile &catalogue, const QString &counterKey)
{
    const int last = catalogue.readInteger(K::collections(), counterKey, 0);
    // A counter at the top of the range is damage; wrapping round would hand
    // out identifiers that are already taken.
    if (last == INT_MAX)
        throw AppError(QStringLiteral("The library catalogue %1 is damaged (%2).").arg(catalogue.file().path(), counterKey));
    const int id = std::max(last, 0) + 1;
    catalogue.writeInteger(K::collections(), counterKey, id);
    return id;
}
} // namespace

int issueCollectionId(Profile &catalogue)
{
    return issueFrom(catalogue, K::collectionIdCount());
}

int issueBookId(Profile &catalogue)
{
    return issueFrom(catalogue, K::bookIdCount());
}

void writeAppendedCollectionOrder(Profile &catalogue, int newCount)
{
    if (catalogue.valueExists(K::collections(), K::collectionsOrder(1)))
        catalogue.writeInteger(K::collections(), K::collectionsOrder(newCount), newCount);
}

void writeAppendedBookOrder(Profile &catalogue, int collection, int newCount)
{
    const QString section = K::collectionSection(collection);
    if (catalogue.valueExists(section, K::booksOrder(1)))
        catalogue.writeInteger(section, K::booksOrder(newCount), newCount);
}

} // namespace CatalogueRules
