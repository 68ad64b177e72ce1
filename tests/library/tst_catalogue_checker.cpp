// The invariant checker: silent on valid catalogues, and for each broken
// example it names the rule and the place, and nothing else.

#include "LibraryFixture.h"

#include "app/Folders.h"
#include "library/CatalogueChecker.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// Two collections in a reordered library, three books, all rules kept.
const QString kValid = QStringLiteral(
    "[Collections]\r\nCount=2\r\nCurCollectionNum=2\r\nCurBookNum=1\r\n"
    "CollectionsOrder1=2\r\nCollectionsOrder2=1\r\n"
    "CollectionIDCount=5\r\nCollectionID1=5\r\nCollectionID2=3\r\nBookIDCount=4\r\n"
    "SortedCollections=0\r\nSortedBooks=1\r\n"
    "[Collection1]\r\nName=A\r\nDir=\\Libraries\\Library1\\Collection1\\\r\nBooksCount=2\r\n"
    "BookName1=a1\r\nBookDir1=\\Libraries\\Library1\\Collection1\\Book1\\\r\nBookID1=1\r\n"
    "BookName2=a2\r\nBookDir2=\\Libraries\\Library1\\Collection1\\Book5\\\r\nBookID2=4\r\nIsBackUp2=1\r\n"
    "BooksOrder1=2\r\nBooksOrder2=1\r\n"
    "[Collection2]\r\nName=B\r\nDir=\\Libraries\\Library1\\Collection4\\\r\nBooksCount=1\r\n"
    "BookName1=b1\r\nBookDir1=\\Libraries\\Library1\\Collection4\\Book1\\\r\nBookID1=2\r\n");

QString broken(const QString &from, const QString &to)
{
    QString text = kValid;
    const qsizetype at = text.indexOf(from);
    Q_ASSERT_X(at >= 0, "broken", qPrintable(from));
    return text.replace(at, from.size(), to);
}

QString describe(const QList<CatalogueViolation> &violations)
{
    QStringList lines;
    for (const CatalogueViolation &v : violations)
        lines << v.toString();
    return lines.join(u'\n');
}

} // namespace

class TestCatalogueChecker : public QObject
{
    Q_OBJECT

private slots:
    void validCatalogues_data();
    void validCatalogues();
    void brokenCatalogue_data();
    void brokenCatalogue();
    void hugeCountsStayBounded();
};

void TestCatalogueChecker::validCatalogues_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<bool>("helpLibrary");
    QTest::newRow("reordered library") << kValid << false;
    QTest::newRow("missing catalogue: empty library") << QString() << false;
    QTest::newRow("collections without books") << QStringLiteral(
        "[Collections]\nCount=1\nCurCollectionNum=7\n[Collection1]\nName=A\nBooksCount=0\n") << false;
    // Help mode writes its catalogue without identifiers.
    QTest::newRow("help library: every book names the help book folder") << QStringLiteral(
        "[Collections]\nCount=1\nSortedCollections=0\n[Collection1]\nName=H\nBooksCount=2\n"
        "BookName1=x\nBookDir1=\\Libraries\\Templates\\Sample\\\n"
        "BookName2=y\nBookDir2=\\Libraries\\Templates\\Sample\\\n") << true;
}

void TestCatalogueChecker::validCatalogues()
{
    QFETCH(QString, catalogue);
    QFETCH(bool, helpLibrary);
    LibraryFixture fx;
    if (!catalogue.isNull())
        fx.writeCatalogue(catalogue);
    const QByteArray before = fx.readCatalogue().toUtf8();
    CatalogueChecker::Options options;
    options.helpLibrary = helpLibrary;
    const auto found = CatalogueChecker::check(fx.cataloguePath(), options);
    QVERIFY2(found.isEmpty(), qPrintable(describe(found)));
    QCOMPARE(fx.readCatalogue().toUtf8(), before);
}

void TestCatalogueChecker::brokenCatalogue_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("openBook");
    QTest::addColumn<bool>("helpLibrary");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char *name, const QString &text, const QStringList &expected,
                        const QString &openBook = {}, bool helpLibrary = false) {
        QTest::newRow(name) << text << openBook << helpLibrary << expected;
    };
    // The order list is a permutation of 1..Count, so a raised count breaks it too.
    row("1: a collection section missing", broken("Count=2", "Count=3"),
        {"1 [Collection3]", "3 [Collections] CollectionsOrder3"});
    row("1: a section above Count", kValid + "[Collection3]\r\nName=C\r\n", {"1 [Collection3]"});
    row("1: organizer's transient section", kValid + "[TmpCollection1]\r\nName=C\r\n", {"1 [TmpCollection1]"});
    row("2: a book key missing", broken("BookID2=4\r\n", ""), {"2 [Collection1] BookID2"});
    row("2: keys left above BooksCount", broken("BooksCount=1", "BooksCount=1\r\nIsBackUp3=0"),
        {"2 [Collection2] IsBackUp3"});
    row("3: order values not a permutation", broken("CollectionsOrder2=1", "CollectionsOrder2=2"),
        {"3 [Collections] CollectionsOrder2"});
    row("3: an order key missing", broken("BooksOrder2=1\r\n", ""), {"3 [Collection1] BooksOrder2"});
    row("4: a book identifier used twice", broken("BookID1=2", "BookID1=4"), {"4 [Collection2] BookID1"});
    row("4: a collection identifier above its counter", broken("CollectionIDCount=5", "CollectionIDCount=4"),
        {"4 [Collections] CollectionID1"});
    // Folders differing only in case are one folder on the user's system.
    row("5: two books share a folder", broken("Collection4\\Book1\\", "COLLECTION1\\book5\\"),
        {"5 [Collection2] BookDir1"});
    row("5: help library book elsewhere",
        QStringLiteral("[Collections]\nCount=1\n[Collection1]\nBooksCount=1\nBookName1=x\n"
                       "BookDir1=\\Libraries\\Library1\\Collection1\\Book1\\\n"),
        {"5 [Collection1] BookDir1"}, {}, true);
    row("6: current book beyond BooksCount", broken("CurBookNum=1", "CurBookNum=2"), {"6 [Collections] CurBookNum"});
    row("6: current book is not the open one", kValid, {"6 [Collections] CurBookNum"},
        QStringLiteral("\\Libraries\\Library1\\Collection1\\Book1\\"));
    row("stored folder leading outside", broken("Collection4\\Book1\\", "..\\..\\Book1\\"),
        {"7 [Collection2] BookDir1"});
    row("stored folder without its trailing backslash", broken("Collection4\\Book1\\", "Collection4\\Book1"),
        {"7 [Collection2] BookDir1"});
}

void TestCatalogueChecker::brokenCatalogue()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, openBook);
    QFETCH(bool, helpLibrary);
    QFETCH(QStringList, expected);

    LibraryFixture fx;
    fx.writeCatalogue(catalogue);
    CatalogueChecker::Options options;
    options.helpLibrary = helpLibrary;
    if (!openBook.isEmpty())
        options.openBookFolder = DataFolder + openBook;
    QStringList found;
    for (const CatalogueViolation &v : CatalogueChecker::check(fx.cataloguePath(), options))
        found << QStringLiteral("%1 [%2] %3").arg(int(v.rule)).arg(v.section, v.key).trimmed();
    QCOMPARE(found, expected);
    QCOMPARE(fx.readCatalogue(), catalogue);
}

void TestCatalogueChecker::hugeCountsStayBounded()
{
    LibraryFixture fx;
    fx.writeCatalogue(QStringLiteral("[Collections]\nCount=2000000000\n[Collection1]\nBooksCount=2000000000\n"));
    QElapsedTimer timer;
    timer.start();
    const auto found = CatalogueChecker::check(fx.cataloguePath());
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(!found.isEmpty());
    QCOMPARE(found[0].key, QStringLiteral("Count"));
}

QTEST_GUILESS_MAIN(TestCatalogueChecker)
#include "tst_catalogue_checker.moc"
