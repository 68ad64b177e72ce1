// Catalogue access: display orders, the current and replacement book,
// identifiers, appended entries, first-run naming and damaged library paths.

#include "LibraryFixture.h"

#include "app/Folders.h"
#include "library/CatalogueChecker.h"
#include "library/LibraryCatalogue.h"
#include "library/LibraryLocation.h"
#include "platform/AppError.h"
#include "settings/Profile.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<BookRef>)

namespace {

QString describe(const QList<CatalogueViolation> &violations)
{
    QStringList lines;
    for (const CatalogueViolation &v : violations)
        lines << v.toString();
    return lines.join(u'\n');
}

#define VERIFY_CATALOGUE_VALID(path)                                                  \
    do {                                                                              \
        const auto found = CatalogueChecker::check(path);                             \
        QVERIFY2(found.isEmpty(), qPrintable(describe(found)));                       \
    } while (false)

QString orderKeys(const QString &prefix, const QList<int> &order)
{
    QString text;
    for (int p = 0; p < order.size(); ++p)
        text += QStringLiteral("%1%2=%3\n").arg(prefix).arg(p + 1).arg(order[p]);
    return text;
}

// A valid library whose collections carry the names, one book each.
QString collectionsCatalogue(const QStringList &names, bool sorted, const QList<int> &order)
{
    const int n = int(names.size());
    QString text = QStringLiteral("[Collections]\nCount=%1\nSortedCollections=%2\nSortedBooks=1\n"
                                  "CollectionIDCount=%1\nBookIDCount=%1\n")
                       .arg(n)
                       .arg(sorted ? 1 : 0);
    text += orderKeys(QStringLiteral("CollectionsOrder"), order);
    for (int i = 1; i <= n; ++i)
        text += QStringLiteral("CollectionID%1=%1\n").arg(i);
    for (int i = 1; i <= n; ++i)
        text += QStringLiteral("[Collection%1]\nName=%2\nDir=\\Libraries\\Library1\\Collection%1\\\nBooksCount=1\n"
                               "BookName1=b\nBookDir1=\\Libraries\\Library1\\Collection%1\\Book1\\\nBookID1=%1\n")
                    .arg(i)
                    .arg(names[i - 1]);
    return text;
}

// A valid library with one collection whose books carry the names.
QString booksCatalogue(const QStringList &names, bool sorted, const QList<int> &order)
{
    const int n = int(names.size());
    QString text = QStringLiteral("[Collections]\nCount=1\nSortedCollections=1\nSortedBooks=%2\n"
                                  "CollectionIDCount=1\nCollectionID1=1\nBookIDCount=%1\n"
                                  "[Collection1]\nName=c\nDir=\\Libraries\\Library1\\Collection1\\\nBooksCount=%1\n")
                       .arg(n)
                       .arg(sorted ? 1 : 0);
    text += orderKeys(QStringLiteral("BooksOrder"), order);
    for (int i = 1; i <= n; ++i)
        text += QStringLiteral("BookName%1=%2\nBookDir%1=\\Libraries\\Library1\\Collection1\\Book%1\\\nBookID%1=%1\n")
                    .arg(i)
                    .arg(names[i - 1]);
    return text;
}

} // namespace

class TestLibraryCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void displayOrder_data();
    void displayOrder();
    void resolveCurrentBook_data();
    void resolveCurrentBook();
    void appendedEntries_data();
    void appendedEntries();
    void identifiersStartFromAbsentCounters();
    void currentNamesAndFirstRunNaming();
    void damagedLibraryPath_data();
    void damagedLibraryPath();
};

void TestLibraryCatalogue::displayOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<QList<int>>("orderKeys");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<bool>("valid");

    const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("unsorted, order keys 3 1 2") << abc << false << QList<int>{3, 1, 2} << QList<int>{3, 1, 2} << true;
    QTest::newRow("unsorted, no order keys") << QStringList{"z", "y", "x"} << false << QList<int>{}
                                             << QList<int>{1, 2, 3} << true;
    // Repeated and out-of-range keys must not hide or duplicate an entry.
    QTest::newRow("unsorted, damaged order keys") << abc << false << QList<int>{2, 2, 9} << QList<int>{2, 1, 3}
                                                  << false;
    QTest::newRow("sorted ignores order keys") << QStringList{"c", "a", "b"} << true << QList<int>{1, 2, 3}
                                               << QList<int>{2, 3, 1} << true;
    QTest::newRow("names differing only in case sit together by number text")
        << QStringList{"Zeta", "alpha", "Mid", "ALPHA"} << true << QList<int>{} << QList<int>{2, 4, 3, 1} << true;
    // Collection 1's name ends in "\3": taking the number after the first
    // backslash would resolve it to collection 3.
    QTest::newRow("name with a backslash") << QStringList{"Vol\\3", "Vol", "Alpha"} << true << QList<int>{}
                                           << QList<int>{3, 2, 1} << true;
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve << QStringLiteral("Same");
    QTest::newRow("twelve equal names: 10 before 2")
        << twelve << true << QList<int>{} << QList<int>{1, 10, 11, 12, 2, 3, 4, 5, 6, 7, 8, 9} << true;
    // By code point "Ёлка" would come after "Яблоко"; by the alphabet it follows "берёза".
    QTest::newRow("Cyrillic, case-insensitive by alphabet")
        << QStringList{QString::fromUtf8("Яблоко"), QString::fromUtf8("арбуз"), QString::fromUtf8("Ёлка"),
                       QString::fromUtf8("берёза")}
        << true << QList<int>{} << QList<int>{2, 4, 3, 1} << true;
}

void TestLibraryCatalogue::displayOrder()
{
    QFETCH(QStringList, names);
    QFETCH(bool, sorted);
    QFETCH(QList<int>, orderKeys);
    QFETCH(QList<int>, expected);
    QFETCH(bool, valid);

    // Collections and books follow the same rule; each is checked on its own catalogue.
    const auto check = [&](const QString &text, bool books) {
        LibraryFixture fx;
        fx.writeCatalogue(text);
        if (valid)
            VERIFY_CATALOGUE_VALID(fx.cataloguePath());
        const LibraryCatalogue catalogue = LibraryCatalogue::current();
        const QList<CatalogueEntry> shown =
            books ? catalogue.booksInDisplayOrder(1) : catalogue.collectionsInDisplayOrder();
        QList<int> numbers;
        for (const CatalogueEntry &entry : shown) {
            numbers << entry.number;
            QCOMPARE(entry.name, names.value(entry.number - 1));
        }
        QCOMPARE(numbers, expected);
    };
    check(collectionsCatalogue(names, sorted, orderKeys), false);
    if (QTest::currentTestFailed())
        return;
    check(booksCatalogue(names, sorted, orderKeys), true);
}

void TestLibraryCatalogue::resolveCurrentBook_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<std::optional<BookRef>>("expected");
    QTest::addColumn<bool>("rewritten");

    // Collections in stored order 3, 1, 2; books only in 1 and 3.
    const QString library = QStringLiteral(
        "[Collections]\nCount=3\nCollectionsOrder1=3\nCollectionsOrder2=1\nCollectionsOrder3=2\n"
        "CollectionIDCount=3\nCollectionID1=1\nCollectionID2=2\nCollectionID3=3\nBookIDCount=3\n"
        "CurCollectionNum=%1\nCurBookNum=%2\n"
        "[Collection1]\nName=One\nBooksCount=2\nBookName1=a\nBookDir1=\\L\\C1\\Book1\\\nBookID1=1\n"
        "BookName2=b\nBookDir2=%3\nBookID2=2\n"
        "[Collection2]\nName=Two\nBooksCount=0\n"
        "[Collection3]\nName=Three\nBooksCount=1\nBookName1=c\nBookDir1=\\L\\C3\\Book1\\\nBookID1=3\n");
    const QString goodDir = QStringLiteral("\\L\\C1\\Book2\\");

    QTest::newRow("usable current book") << library.arg(1).arg(2).arg(goodDir) << std::optional(BookRef{1, 2})
                                         << false;
    QTest::newRow("CurBookNum above BooksCount")
        << library.arg(1).arg(3).arg(goodDir) << std::optional(BookRef{3, 1}) << true;
    QTest::newRow("empty BookDir") << library.arg(1).arg(2).arg(QString()) << std::optional(BookRef{3, 1}) << true;
    QTest::newRow("BookDir leading outside")
        << library.arg(1).arg(2).arg(QStringLiteral("\\..\\..\\..\\home\\")) << std::optional(BookRef{3, 1}) << true;
    QTest::newRow("collection with no books") << library.arg(2).arg(1).arg(goodDir) << std::optional(BookRef{3, 1})
                                              << true;
    // A stale section beyond "Count" must not count as a book.
    QTest::newRow("CurCollectionNum above Count")
        << library.arg(4).arg(1).arg(goodDir) + "[Collection4]\nBooksCount=1\nBookDir1=\\L\\C4\\Book1\\\n"
        << std::optional(BookRef{3, 1}) << true;
    QTest::newRow("all collections empty")
        << QStringLiteral("[Collections]\nCount=2\nCurCollectionNum=1\nCurBookNum=1\n"
                          "[Collection1]\nName=A\nBooksCount=0\n[Collection2]\nName=B\n")
        << std::optional<BookRef>() << false;
    QTest::newRow("Count 0") << QStringLiteral("[Collections]\nCount=0\n") << std::optional<BookRef>() << false;
    QTest::newRow("no catalogue") << QString() << std::optional<BookRef>() << false;
}

void TestLibraryCatalogue::resolveCurrentBook()
{
    QFETCH(QString, catalogue);
    QFETCH(std::optional<BookRef>, expected);
    QFETCH(bool, rewritten);

    LibraryFixture fx;
    if (!catalogue.isNull())
        fx.writeCatalogue(catalogue);
    LibraryCatalogue lib = LibraryCatalogue::current();
    const BookRef before = lib.recordedCurrentBook();

    const std::optional<BookRef> resolved = lib.resolveCurrentBook();
    QCOMPARE(resolved.has_value(), expected.has_value());
    if (!expected) {
        QCOMPARE(lib.recordedCurrentBook(), before);
        QVERIFY(lib.currentBookFolder().isEmpty());
        QCOMPARE(fx.exists(fx.cataloguePath().mid(DataFolder.size())), !catalogue.isNull());
        return;
    }
    QCOMPARE(*resolved, *expected);
    QCOMPARE(lib.recordedCurrentBook(), rewritten ? *expected : before);
    // Whatever else the fixture breaks, the recorded pair now names a book.
    for (const CatalogueViolation &v : CatalogueChecker::check(fx.cataloguePath()))
        QVERIFY2(v.rule != CatalogueViolation::Rule::CurrentBook, qPrintable(v.toString()));
    QCOMPARE(lib.currentBookFolder(), lib.bookFolder(*expected));
    QVERIFY(lib.currentBookFolder().startsWith(DataFolder + QStringLiteral("\\L\\C")));
    QVERIFY(lib.currentBookFolder().endsWith(u'\\'));
}

void TestLibraryCatalogue::appendedEntries_data()
{
    QTest::addColumn<bool>("reordered");
    QTest::newRow("never reordered: no order keys") << false;
    QTest::newRow("reordered: appended entry shown last") << true;
}

void TestLibraryCatalogue::appendedEntries()
{
    QFETCH(bool, reordered);
    LibraryFixture fx;
    fx.writeCatalogue(QStringLiteral("[Collections]\nCount=2\nCollectionIDCount=7\nCollectionID1=6\nCollectionID2=7\n"
                                     "BookIDCount=9\nSortedCollections=0\nSortedBooks=0\n")
                      + (reordered ? QStringLiteral("CollectionsOrder1=2\nCollectionsOrder2=1\n") : QString())
                      + QStringLiteral("[Collection1]\nName=A\nDir=\\Libraries\\Library1\\Collection1\\\nBooksCount=2\n"
                                       "BookName1=x\nBookDir1=\\Libraries\\Library1\\Collection1\\Book1\\\nBookID1=8\n"
                                       "BookName2=y\nBookDir2=\\Libraries\\Library1\\Collection1\\Book2\\\nBookID2=9\n")
                      + (reordered ? QStringLiteral("BooksOrder1=2\nBooksOrder2=1\n") : QString())
                      + QStringLiteral("[Collection2]\nName=B\nDir=\\Libraries\\Library1\\Collection2\\\n"));
    LibraryCatalogue lib = LibraryCatalogue::current();

    QCOMPARE(lib.appendCollection(QStringLiteral("C"), QStringLiteral("\\Libraries\\Library1\\Collection3\\")), 3);
    QCOMPARE(lib.appendBook(1, QStringLiteral("z"), QStringLiteral("\\Libraries\\Library1\\Collection1\\Book3\\")), 3);
    QCOMPARE(lib.appendBook(3, QStringLiteral("w"), QStringLiteral("\\Libraries\\Library1\\Collection3\\Book1\\")), 1);
    VERIFY_CATALOGUE_VALID(fx.cataloguePath());

    const Profile cat(fx.cataloguePath());
    QCOMPARE(cat.valueExists("Collections", "CollectionsOrder3"), reordered);
    QCOMPARE(cat.valueExists("Collection1", "BooksOrder3"), reordered);
    // A collection that was never reordered gets no order key from its first book.
    QVERIFY(!cat.valueExists("Collection3", "BooksOrder1"));
    QCOMPARE(cat.readInteger("Collections", "CollectionID3", 0), 8);
    QCOMPARE(cat.readInteger("Collections", "CollectionIDCount", 0), 8);
    // One book counter for the whole library.
    QCOMPARE(cat.readInteger("Collection1", "BookID3", 0), 10);
    QCOMPARE(cat.readInteger("Collection3", "BookID1", 0), 11);
    QCOMPARE(cat.readInteger("Collections", "BookIDCount", 0), 11);
    QCOMPARE(cat.readInteger("Collections", "NewBookWasCreatingInCollection", 0), 3);
    QCOMPARE(cat.readInteger("Collections", "NewBookWasCreating", 0), 1);
    QCOMPARE(cat.readString("Collection3", "Dir"), QStringLiteral("\\Libraries\\Library1\\Collection3\\"));

    const QList<int> expectedCollections = reordered ? QList<int>{2, 1, 3} : QList<int>{1, 2, 3};
    QList<int> shown;
    for (const CatalogueEntry &e : lib.collectionsInDisplayOrder())
        shown << e.number;
    QCOMPARE(shown, expectedCollections);
    shown.clear();
    for (const CatalogueEntry &e : lib.booksInDisplayOrder(1))
        shown << e.number;
    QCOMPARE(shown, expectedCollections);

    // A stored folder value that leaves the data folder is never recorded.
    QVERIFY_THROWS_EXCEPTION(AppError, lib.appendBook(1, QStringLiteral("bad"), QStringLiteral("\\..\\x\\Book1\\")));
    QCOMPARE(lib.booksCount(1), 3);
}

void TestLibraryCatalogue::identifiersStartFromAbsentCounters()
{
    LibraryFixture fx;
    fx.writeCatalogue(QStringLiteral("[Collections]\nCount=0\n"));
    LibraryCatalogue lib = LibraryCatalogue::current();
    QCOMPARE(lib.issueCollectionId(), 1);
    QCOMPARE(lib.issueCollectionId(), 2);
    QCOMPARE(lib.issueBookId(), 1);
    QCOMPARE(Profile(fx.cataloguePath()).readInteger("Collections", "CollectionIDCount", 0), 2);

    // A counter at the top of the range is damage, not a reason to wrap round.
    fx.writeCatalogue(QStringLiteral("[Collections]\nBookIDCount=2147483647\n"));
    QVERIFY_THROWS_EXCEPTION(AppError, lib.issueBookId());
    QCOMPARE(Profile(fx.cataloguePath()).readInteger("Collections", "BookIDCount", 0), 2147483647);
}

void TestLibraryCatalogue::currentNamesAndFirstRunNaming()
{
    LibraryFixture fx;
    fx.writeCatalogue(QStringLiteral("[Collections]\nCount=1\nCurCollectionNum=1\nCurBookNum=1\n"
                                     "CollectionIDCount=1\nCollectionID1=1\nBookIDCount=1\n"
                                     "[Collection1]\nDir=\\Libraries\\Library1\\Collection1\\\nBooksCount=1\n"
                                     "BookDir1=\\Libraries\\Library1\\Collection1\\Book1\\\nBookID1=1\n"));
    LibraryCatalogue lib = LibraryCatalogue::current();
    QCOMPARE(lib.currentNames().collection, QString());

    lib.nameFirstCollection(QString::fromUtf8("Моя коллекция"), QStringLiteral("My book"));
    QCOMPARE(lib.currentNames().collection, QString::fromUtf8("Моя коллекция"));
    QCOMPARE(lib.currentNames().book, QStringLiteral("My book"));

    // Names the user already has are kept, even an empty one.
    fx.writeCatalogue(fx.readCatalogue().replace(QStringLiteral("BookName1=My book"), QStringLiteral("BookName1=")));
    lib.nameFirstCollection(QStringLiteral("Other"), QStringLiteral("Other"));
    QCOMPARE(lib.currentNames().collection, QString::fromUtf8("Моя коллекция"));
    QCOMPARE(lib.currentNames().book, QString());
    VERIFY_CATALOGUE_VALID(fx.cataloguePath());

    // A library without collections gets no stray section.
    fx.writeCatalogue(QStringLiteral("[Collections]\nCount=0\n"));
    lib.nameFirstCollection(QStringLiteral("C"), QStringLiteral("B"));
    QVERIFY(!Profile(fx.cataloguePath()).sectionExists("Collection1"));
}

void TestLibraryCatalogue::damagedLibraryPath_data()
{
    QTest::addColumn<QString>("libraryPath");
    QTest::newRow("absent") << QString();
    QTest::newRow("parent components") << QStringLiteral("\\..\\..\\outside\\");
    QTest::newRow("drive letter") << QStringLiteral("C:\\Libraries\\Library1\\");
    QTest::newRow("network path") << QStringLiteral("\\\\server\\share\\");
    // Without the leading backslash the folder would sit beside the data folder.
    QTest::newRow("no leading backslash") << QStringLiteral("Libraries\\Library1\\");
}

void TestLibraryCatalogue::damagedLibraryPath()
{
    QFETCH(QString, libraryPath);
    LibraryFixture fx;
    fx.writeSettings(QStringLiteral("[Libraries]\nCurLibNum=1\n")
                     + (libraryPath.isNull() ? QString() : QStringLiteral("LibraryPath1=") + libraryPath + u'\n'));
    // A catalogue where the damaged value would lead, which must stay unread and unwritten.
    const QString outside = fx.root() + QStringLiteral("/outside/LibTune.ini");
    fx.writeFile(outside, "[Collections]\nCount=1\n[Collection1]\nBooksCount=1\nBookDir1=\\x\\Book1\\\n");

    QVERIFY(LibraryLocation::libraryFolder().isEmpty());
    LibraryCatalogue lib = LibraryCatalogue::current();
    QCOMPARE(lib.collectionCount(), 0);
    QVERIFY(!lib.resolveCurrentBook());
    QVERIFY_THROWS_EXCEPTION(AppError, lib.recordCurrentBook(BookRef{1, 1}));
    QVERIFY_THROWS_EXCEPTION(AppError, lib.appendCollection("A", "\\Libraries\\Library1\\Collection1\\"));

    QFile file(outside);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Collections]\nCount=1\n[Collection1]\nBooksCount=1\nBookDir1=\\x\\Book1\\\n"));
    QCOMPARE(fx.entries(fx.root() + "/data"), QStringList{QStringLiteral("Quillery")});
}

QTEST_GUILESS_MAIN(TestLibraryCatalogue)
#include "tst_library_catalogue.moc"
