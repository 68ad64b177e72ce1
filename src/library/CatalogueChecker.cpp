#include "library/CatalogueChecker.h"

#include "app/Folders.h"
#include "library/CatalogueKeys.h"
#include "library/DataPath.h"
#include "platform/IniFile.h"
#include "settings/Profile.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace K = CatalogueKeys;
using Rule = CatalogueViolation::Rule;

QString CatalogueViolation::toString() const
{
    QString place = QStringLiteral("[%1]").arg(section);
    if (!key.isEmpty())
        place += u' ' + key;
    return QStringLiteral("invariant %1 at %2: %3").arg(int(rule)).arg(place, detail);
}

namespace {

const QString kHelpBookFolder = QStringLiteral("\\Libraries\\Templates\\Sample\\");

// Numbered names as the program writes them: prefix + decimal number without
// leading zeros. Anything else with the same prefix is reported as a stray.
struct NumberedName {
    int number = 0;
    bool canonical = false;
};

std::optional<NumberedName> parseNumbered(const QString &name, const QString &prefix)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!name.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    const QString tail = name.mid(prefix.size());
    if (!digits.match(tail).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int number = tail.toInt(&ok);
    return NumberedName{ok ? number : -1, ok && QString::number(number) == tail};
}

class Check
{
public:
    Check(const QString &path, const CatalogueChecker::Options &options) : m_catalogue(path), m_options(options) {}

    QList<CatalogueViolation> run()
    {
        checkCollectionSections();
        for (int n = 1; n <= m_count; ++n)
            checkCollection(n);
        checkOrderKeys(K::collections(), QStringLiteral("CollectionsOrder"), m_count);
        checkIdentifiers();
        checkSharedFolders();
        checkCurrentBook();
        return m_found;
    }

private:
    struct Book {
        int collection;
        int number;
        QString dir;
    };

    void report(Rule rule, const QString &section, const QString &key, const QString &detail)
    {
        m_found << CatalogueViolation{rule, section, key, detail};
    }

    // A count key read as the program reads it, reported when it is not a
    // usable number; the walk is bounded by what the file can hold.
    int readCount(Rule rule, const QString &section, const QString &key, qsizetype limit)
    {
        if (!m_catalogue.valueExists(section, key))
            return 0;
        const QString text = m_catalogue.readString(section, key, QString());
        int value = 0;
        if (!IniFile::parseInteger(text, &value) || value < 0) {
            report(rule, section, key, QStringLiteral("not a count: \"%1\"").arg(text));
            return 0;
        }
        if (value > limit) {
            report(rule, section, key,
                   QStringLiteral("%1 is more than the file holds entries for").arg(value));
            return int(limit);
        }
        return value;
    }

    std::optional<int> readNumber(Rule rule, const QString &section, const QString &key)
    {
        const QString text = m_catalogue.readString(section, key, QString());
        int value = 0;
        if (!IniFile::parseInteger(text, &value)) {
            report(rule, section, key, QStringLiteral("not a number: \"%1\"").arg(text));
            return std::nullopt;
        }
        return value;
    }

    void checkCollectionSections()
    {
        const QStringList sections = m_catalogue.file().sectionNames();
        m_count = readCount(Rule::CollectionSections, K::collections(), K::count(), sections.size());
        for (int n = 1; n <= m_count; ++n) {
            if (!m_catalogue.sectionExists(K::collectionSection(n)))
                report(Rule::CollectionSections, K::collectionSection(n), {}, QStringLiteral("section missing"));
        }
        for (const QString &name : sections) {
            if (parseNumbered(name, QStringLiteral("TmpCollection"))) {
                report(Rule::CollectionSections, name, {}, QStringLiteral("transient organizer section"));
                continue;
            }
            const auto numbered = parseNumbered(name, QStringLiteral("Collection"));
            if (!numbered)
                continue;
            if (!numbered->canonical)
                report(Rule::CollectionSections, name, {}, QStringLiteral("malformed collection number"));
            else if (numbered->number < 1 || numbered->number > m_count)
                report(Rule::CollectionSections, name, {},
                       QStringLiteral("collection section above Count %1").arg(m_count));
        }
    }

    void checkCollection(int n)
    {
        const QString section = K::collectionSection(n);
        const QStringList keys = m_catalogue.file().keyNames(section);
        const int books = readCount(Rule::BookKeys, section, K::booksCount(), keys.size());

        for (int m = 1; m <= books; ++m) {
            for (const QString &key : {K::bookName(m), K::bookDir(m), K::bookId(m)}) {
                // Help mode writes its catalogue without identifiers.
                if (m_options.helpLibrary && key == K::bookId(m))
                    continue;
                if (!m_catalogue.valueExists(section, key))
                    report(Rule::BookKeys, section, key, QStringLiteral("key missing"));
            }
            if (m_catalogue.valueExists(section, K::bookDir(m)))
                m_books << Book{n, m, m_catalogue.readString(section, K::bookDir(m), QString())};
        }
        for (const QString &key : keys) {
            for (const QString &prefix : {QStringLiteral("BookName"), QStringLiteral("BookDir"),
                                          QStringLiteral("BookID"), QStringLiteral("IsBackUp")}) {
                const auto numbered = parseNumbered(key, prefix);
                if (numbered && (!numbered->canonical || numbered->number < 1 || numbered->number > books))
                    report(Rule::BookKeys, section, key, QStringLiteral("key beyond BooksCount %1").arg(books));
            }
        }
        checkOrderKeys(section, QStringLiteral("BooksOrder"), books);

        if (m_catalogue.valueExists(section, K::dir())) {
            const QString dir = m_catalogue.readString(section, K::dir(), QString());
            if (!DataPath::isInside(dir))
                report(Rule::FolderOutside, section, K::dir(), QStringLiteral("\"%1\" leaves the data folder").arg(dir));
        }
    }

    void checkOrderKeys(const QString &section, const QString &prefix, int count)
    {
        const QStringList keys = m_catalogue.file().keyNames(section);
        bool any = false;
        for (const QString &key : keys) {
            const auto numbered = parseNumbered(key, prefix);
            if (!numbered)
                continue;
            any = true;
            if (!numbered->canonical || numbered->number < 1 || numbered->number > count)
                report(Rule::OrderKeys, section, key, QStringLiteral("order key beyond count %1").arg(count));
        }
        if (!any)
            return;
        const QString first = numbered(prefix, 1);
        if (!m_catalogue.valueExists(section, first)) {
            if (count > 0)
                report(Rule::OrderKeys, section, first, QStringLiteral("order keys without the first one"));
            return;
        }
        QList<bool> seen(count + 1, false);
        for (int p = 1; p <= count; ++p) {
            const QString key = numbered(prefix, p);
            if (!m_catalogue.valueExists(section, key)) {
                report(Rule::OrderKeys, section, key, QStringLiteral("key missing"));
                continue;
            }
            const auto value = readNumber(Rule::OrderKeys, section, key);
            if (!value)
                continue;
            if (*value < 1 || *value > count)
                report(Rule::OrderKeys, section, key, QStringLiteral("%1 is not a number 1 to %2").arg(*value).arg(count));
            else if (seen[*value])
                report(Rule::OrderKeys, section, key, QStringLiteral("%1 is shown twice").arg(*value));
            else
                seen[*value] = true;
        }
    }

    void checkIdentifiers()
    {
        const int collectionCounter = m_catalogue.readInteger(K::collections(), K::collectionIdCount(), 0);
        QHash<int, QString> collectionIds;
        for (int n = 1; n <= m_count; ++n) {
            const QString key = K::collectionId(n);
            if (!m_catalogue.valueExists(K::collections(), key))
                continue;
            checkIdentifier(K::collections(), key, collectionCounter, &collectionIds);
        }
        const int bookCounter = m_catalogue.readInteger(K::collections(), K::bookIdCount(), 0);
        QHash<int, QString> bookIds;
        for (const Book &book : std::as_const(m_books)) {
            const QString section = K::collectionSection(book.collection);
            if (m_catalogue.valueExists(section, K::bookId(book.number)))
                checkIdentifier(section, K::bookId(book.number), bookCounter, &bookIds);
        }
    }

    void checkIdentifier(const QString &section, const QString &key, int counter, QHash<int, QString> *issued)
    {
        const auto id = readNumber(Rule::Identifiers, section, key);
        if (!id)
            return;
        const QString place = QStringLiteral("[%1] %2").arg(section, key);
        if (*id < 1 || *id > counter)
            report(Rule::Identifiers, section, key, QStringLiteral("%1 was never issued (counter %2)").arg(*id).arg(counter));
        else if (issued->contains(*id))
            report(Rule::Identifiers, section, key, QStringLiteral("%1 is also held by %2").arg(*id).arg(issued->value(*id)));
        else
            issued->insert(*id, place);
    }

    void checkSharedFolders()
    {
        for (int i = 0; i < m_books.size(); ++i) {
            const Book &book = m_books[i];
            const QString section = K::collectionSection(book.collection);
            const QString key = K::bookDir(book.number);
            if (!DataPath::isInside(book.dir) || !book.dir.endsWith(u'\\')) {
                report(Rule::FolderOutside, section, key,
                       QStringLiteral("\"%1\" is not a folder inside the data folder").arg(book.dir));
                continue;
            }
            if (m_options.helpLibrary) {
                if (!DataPath::sameFolder(book.dir, kHelpBookFolder))
                    report(Rule::SharedFolders, section, key, QStringLiteral("a help-library book outside the help book folder"));
                continue;
            }
            for (int j = 0; j < i; ++j) {
                if (DataPath::sameFolder(book.dir, m_books[j].dir)) {
                    report(Rule::SharedFolders, section, key,
                           QStringLiteral("folder also named by [%1] %2")
                               .arg(K::collectionSection(m_books[j].collection), K::bookDir(m_books[j].number)));
                    break;
                }
            }
        }
    }

    void checkCurrentBook()
    {
        bool anyBook = false;
        for (int n = 1; n <= m_count && !anyBook; ++n)
            anyBook = m_catalogue.readInteger(K::collectionSection(n), K::booksCount(), 0) > 0;
        if (!anyBook)
            return;
        const int c = m_catalogue.readInteger(K::collections(), K::curCollectionNum(), 1);
        const int m = m_catalogue.readInteger(K::collections(), K::curBookNum(), 1);
        const auto current = std::find_if(m_books.cbegin(), m_books.cend(),
                                          [&](const Book &b) { return b.collection == c && b.number == m; });
        if (current == m_books.cend() || current->dir.isEmpty()) {
            report(Rule::CurrentBook, K::collections(), K::curBookNum(),
                   QStringLiteral("collection %1, book %2 does not exist").arg(c).arg(m));
            return;
        }
        if (!m_options.openBookFolder.isEmpty()
            && !DataPath::sameFolder(DataFolder + current->dir, m_options.openBookFolder))
            report(Rule::CurrentBook, K::collections(), K::curBookNum(),
                   QStringLiteral("the current book is not the open book %1").arg(m_options.openBookFolder));
    }

    Profile m_catalogue;
    const CatalogueChecker::Options &m_options;
    int m_count = 0;
    QList<Book> m_books;
    QList<CatalogueViolation> m_found;
};

} // namespace

QList<CatalogueViolation> CatalogueChecker::check(const QString &cataloguePath, const Options &options)
{
    return Check(cataloguePath, options).run();
}
