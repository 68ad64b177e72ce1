// Book folders on disk: naming with the run counters, creation and its
// clean-up, the template fill (BookCopy), deletion, moving, the deferred-
// deletion list and its start-up pass, and refusal of damaged paths.

#include "LibraryFixture.h"

#include "app/BookFlags.h"
#include "app/Folders.h"
#include "library/BookFolders.h"
#include "library/DeletionQueue.h"
#include "settings/Profile.h"
#include "settings/Settings.h"
#include "tools/BookCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using BookFolders::Created;
using BookFolders::Naming;

struct NamingStep {
    QString collection;  // folder under the library
    int proposed;
    Naming naming;
    QString expected;    // the book folder's name
};
Q_DECLARE_METATYPE(QList<NamingStep>)

namespace {

const QString kLib = LibraryFixture::libraryPath();
const QString kTemplates = QStringLiteral("\\Libraries\\Templates\\");

void makeReadOnly(const QString &native)
{
    QVERIFY(QFile::setPermissions(native, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

QByteArray contentOf(const QString &native)
{
    QFile file(native);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file below the folder, as relative paths, sorted.
QStringList tree(const QString &native)
{
    QStringList found;
    QDirIterator it(native, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(native).relativeFilePath(it.next());
    found.sort();
    return found;
}

QStringList prefixed(const QString &prefix, const QStringList &items)
{
    QStringList out;
    for (const QString &item : items)
        out << prefix + item;
    return out;
}

} // namespace

class TestBookFolders : public QObject
{
    Q_OBJECT

private slots:
    void collectionFolderNaming_data();
    void collectionFolderNaming();
    void bookFolderNaming_data();
    void bookFolderNaming();
    void subfolderFailureCleansUp_data();
    void subfolderFailureCleansUp();
    void creationFailsWithoutTrace();
    void templateFill_data();
    void templateFill();
    void newBookFolder_data();
    void newBookFolder();
    void deleteBookFolder_data();
    void deleteBookFolder();
    void moveBookFiles_data();
    void moveBookFiles();
    void damagedPathsAreRefused_data();
    void damagedPathsAreRefused();
    void queueAndStartupPass();
};

void TestBookFolders::collectionFolderNaming_data()
{
    QTest::addColumn<QStringList>("existing");  // entries of the library folder; "file:" marks a file
    QTest::addColumn<int>("counterBefore");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("counterAfter");

    QTest::newRow("proposed name free") << QStringList{} << 0 << "Collection4" << 0;
    QTest::newRow("fresh run after a collision") << QStringList{"Collection4"} << 0 << "Collection1" << 1;
    QTest::newRow("fresh run, Collection1 taken too") << QStringList{"Collection4", "Collection1"} << 0
                                                      << "Collection2" << 2;
    QTest::newRow("later collision continues the counter") << QStringList{"Collection4"} << 2 << "Collection3" << 3;
    QTest::newRow("a file of that name collides") << QStringList{"file:Collection4"} << 0 << "Collection1" << 1;
}

void TestBookFolders::collectionFolderNaming()
{
    QFETCH(QStringList, existing);
    QFETCH(int, counterBefore);
    QFETCH(QString, expected);
    QFETCH(int, counterAfter);

    LibraryFixture fx;
    for (const QString &entry : existing) {
        if (entry.startsWith("file:"))
            fx.writeFile(kLib + entry.mid(5));
        else
            fx.makeFolder(kLib + entry);
    }
    FolderRunCounters counters{counterBefore, 7};
    const auto dir = BookFolders::createCollectionFolder(kLib, 3, counters);
    QVERIFY(dir);
    QCOMPARE(*dir, kLib + expected + u'\\');
    QVERIFY(QFileInfo(fx.native(*dir)).isDir());
    QCOMPARE(counters.collections, counterAfter);
    QCOMPARE(counters.books, 7);
}

void TestBookFolders::bookFolderNaming_data()
{
    QTest::addColumn<QStringList>("existing");  // folders under the library
    QTest::addColumn<int>("booksCounterBefore");
    QTest::addColumn<QList<NamingStep>>("steps");
    QTest::addColumn<int>("booksCounterAfter");

    QTest::newRow("proposed name free") << QStringList{} << 0
                                        << QList<NamingStep>{{"A", 2, Naming::NewBook, "Book2"}} << 0;
    // The second new book continues the run counter: restarting would give B's free Book1.
    QTest::newRow("two colliding new books in one run")
        << QStringList{"A\\Book3", "B\\Book4"} << 0
        << QList<NamingStep>{{"A", 3, Naming::NewBook, "Book1"}, {"B", 4, Naming::NewBook, "Book2"}} << 2;
    // Moved books count from 1 each time and leave the run counter alone.
    QTest::newRow("moved books restart at 1")
        << QStringList{"B\\Book4", "C\\Book4"} << 5
        << QList<NamingStep>{{"B", 4, Naming::MovedBook, "Book1"}, {"C", 4, Naming::MovedBook, "Book1"},
                             {"C", 4, Naming::MovedBook, "Book2"}}
        << 5;
}

void TestBookFolders::bookFolderNaming()
{
    QFETCH(QStringList, existing);
    QFETCH(int, booksCounterBefore);
    QFETCH(QList<NamingStep>, steps);
    QFETCH(int, booksCounterAfter);

    LibraryFixture fx;
    for (const QString &folder : existing)
        fx.makeFolder(kLib + folder);
    FolderRunCounters counters{3, booksCounterBefore};
    for (const NamingStep &step : steps) {
        const QString collectionDir = kLib + step.collection + u'\\';
        fx.makeFolder(collectionDir);
        const Created created = BookFolders::createBookFolder(collectionDir, step.proposed, step.naming, counters);
        QVERIFY(created.ok());
        QCOMPARE(created.path, collectionDir + step.expected);
        QCOMPARE(fx.entries(created.path), (QStringList{"BackUp", "Date"}));
    }
    QCOMPARE(counters.books, booksCounterAfter);
    QCOMPARE(counters.collections, 3);
    QCOMPARE(fx.queued(), QStringList{});
}

void TestBookFolders::subfolderFailureCleansUp_data()
{
    QTest::addColumn<Naming>("naming");
    QTest::addColumn<QStringList>("queued");  // relative to the book path
    // A new book tries all three folders, so the never-created ones are queued.
    QTest::newRow("new book") << Naming::NewBook << QStringList{"\\BackUp", "\\Date"};
    QTest::newRow("moved book") << Naming::MovedBook << QStringList{};
}

void TestBookFolders::subfolderFailureCleansUp()
{
    QFETCH(Naming, naming);
    QFETCH(QStringList, queued);

    LibraryFixture fx;
    // A collection folder so deep that "Book1" still fits the system's path
    // limit but "Book1/BackUp" no longer does. The data folder takes half the
    // depth, so the queued paths stay short enough for the settings file.
    const auto deepFolder = [](QString base, int length) {
        while (base.size() < length - 202)
            base += u'/' + QString(200, u'd');
        return base + u'/' + QString(length - int(base.size()) - 1, u'e');
    };
    DataFolder = deepFolder(fx.root(), 2100) + QStringLiteral("\\Quillery");
    fx.writeSettings(QStringLiteral("[Libraries]\nCurLibNum=1\nLibraryPath1=") + kLib + u'\n');
    const int pathMax = 4095;
    const int bookLength = pathMax - 3;
    const QString collectionPart = deepFolder(QString(), bookLength - int(fx.native(kLib).size()) - 5);
    const QString collectionDir = kLib + collectionPart.mid(1).replace(u'/', u'\\') + u'\\';
    fx.makeFolder(collectionDir);
    QVERIFY(QFileInfo(fx.native(collectionDir)).isDir());
    QCOMPARE(fx.native(collectionDir + "Book1").size(), bookLength);

    FolderRunCounters counters;
    const Created created = BookFolders::createBookFolder(collectionDir, 1, naming, counters);
    QCOMPARE(created.status, Created::Status::SubfoldersFailed);
    QVERIFY(!fx.exists(collectionDir + "Book1"));
    QCOMPARE(fx.queued(), prefixed(collectionDir + "Book1", queued));
}

void TestBookFolders::creationFailsWithoutTrace()
{
    LibraryFixture fx;
    // A file where the collection folder should be: nothing can be created below it.
    fx.writeFile(kLib + "Blocked");
    FolderRunCounters counters;
    QCOMPARE(BookFolders::createBookFolder(kLib + "Blocked\\", 1, Naming::NewBook, counters).status,
             Created::Status::FolderFailed);
    QVERIFY(!BookFolders::createCollectionFolder(kLib + "Blocked\\", 0, counters));
    QVERIFY(QFileInfo(fx.native(kLib + "Blocked")).isFile());
    QCOMPARE(fx.queued(), QStringList{});

    // A library or collection value without its trailing backslash would name
    // folders beside the intended one.
    QVERIFY(!BookFolders::createCollectionFolder(QStringLiteral("\\Libraries\\Library1"), 0, counters));
    QCOMPARE(BookFolders::createBookFolder(kLib + "Collection1", 1, Naming::NewBook, counters).status,
             Created::Status::FolderFailed);
    QCOMPARE(fx.entries("\\Libraries"), QStringList{"Library1"});
    QCOMPARE(fx.entries(kLib), QStringList{"Blocked"});
}

void TestBookFolders::templateFill_data()
{
    QTest::addColumn<QStringList>("templateFiles");  // relative to the template folder; ".x" files are hidden
    QTest::addColumn<QString>("readOnlyTarget");     // a file already in the destination, read-only
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("destination");    // files afterwards

    QTest::newRow("plain files copied, subfolders and hidden files not")
        << QStringList{"bf.db", "bf.px", ".hidden", "Date/d.db", "Book0/bf.db"} << QString() << true
        << QStringList{"bf.db", "bf.px", "old.txt"};
    QTest::newRow("template without plain files fails")
        << QStringList{".hidden", "Date/d.db"} << QString() << false << QStringList{"old.txt"};
    QTest::newRow("read-only target stops the fill")
        << QStringList{"bf.db"} << QStringLiteral("bf.db") << false << QStringList{"bf.db", "old.txt"};
}

void TestBookFolders::templateFill()
{
    QFETCH(QStringList, templateFiles);
    QFETCH(QString, readOnlyTarget);
    QFETCH(bool, ok);
    QFETCH(QStringList, destination);

    LibraryFixture fx;
    for (const QString &file : templateFiles)
        fx.writeFile(kTemplates + QString(file).replace(u'/', u'\\'), "template " + file.toUtf8());
    fx.writeCatalogue(QStringLiteral("[Collections]\nCount=0\n"));
    fx.writeFile(kLib + "BackUpLibTune.ini", "stale");
    const QString target = fx.native(kLib + "Target\\");
    fx.writeFile(target + "/old.txt", "old");
    if (!readOnlyTarget.isEmpty()) {
        fx.writeFile(target + u'/' + readOnlyTarget, "mine");
        makeReadOnly(target + u'/' + readOnlyTarget);
    }

    // The flag is cleared at the end of every run, whatever it was before.
    SuppressNewRecordStamps = true;
    QCOMPARE(BookCopy(BookCopyKind::TemplateFill, DataFolder + kLib + "Target\\"), ok);
    QVERIFY(!SuppressNewRecordStamps);

    QCOMPARE(tree(target), destination);
    if (ok)
        QCOMPARE(contentOf(target + "/bf.db"), QByteArray("template bf.db"));
    if (!readOnlyTarget.isEmpty())
        QCOMPARE(contentOf(target + u'/' + readOnlyTarget), QByteArray("mine"));
    QCOMPARE(contentOf(target + "/old.txt"), QByteArray("old"));
    // The catalogue copy is refreshed before anything is copied, whatever follows.
    QCOMPARE(contentOf(fx.native(kLib + "BackUpLibTune.ini")), fx.readCatalogue().toUtf8());
}

void TestBookFolders::newBookFolder_data()
{
    QTest::addColumn<bool>("templateHasFiles");
    QTest::newRow("filled from the template") << true;
    QTest::newRow("empty template: folders removed") << false;
}

void TestBookFolders::newBookFolder()
{
    QFETCH(bool, templateHasFiles);
    LibraryFixture fx;
    fx.makeFolder(kTemplates + "Date");
    if (templateHasFiles)
        fx.writeFile(kTemplates + "bf.db", "table");
    const QString collectionDir = kLib + "Collection1\\";
    fx.makeFolder(collectionDir);

    FolderRunCounters counters;
    const Created created = BookFolders::createNewBookFolder(collectionDir, 1, counters);
    if (templateHasFiles) {
        QVERIFY(created.ok());
        QCOMPARE(created.path, collectionDir + "Book1");
        QCOMPARE(tree(fx.native(created.path)), QStringList{"bf.db"});
        QCOMPARE(fx.entries(created.path), (QStringList{"BackUp", "Date", "bf.db"}));
    } else {
        QCOMPARE(created.status, Created::Status::TemplateFailed);
        QCOMPARE(fx.entries(collectionDir), QStringList{});
    }
    QCOMPARE(fx.queued(), QStringList{});
}

void TestBookFolders::deleteBookFolder_data()
{
    QTest::addColumn<QStringList>("files");      // relative to the book folder
    QTest::addColumn<QStringList>("readOnly");
    QTest::addColumn<QStringList>("remaining");  // files left below the collection folder
    QTest::addColumn<QStringList>("queued");     // relative to the book folder value

    const QStringList book{"bf.db", "Bookmarks.ini", "BackUp/bf.db", "BackUp/Bookmarks.ini", "Date/d.db"};
    QTest::newRow("whole book") << book << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("read-only file in BackUp")
        << book << QStringList{"BackUp/bf.db"} << QStringList{"Book1/BackUp/bf.db"} << QStringList{"BackUp", ""};
    // Only plain files are deleted; what else the folder holds keeps it.
    QTest::newRow("hidden file and a subfolder stay")
        << book + QStringList{".lock", "Extra/keep.txt"} << QStringList{}
        << QStringList{"Book1/.lock", "Book1/Extra/keep.txt"} << QStringList{""};
}

void TestBookFolders::deleteBookFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, readOnly);
    QFETCH(QStringList, remaining);
    QFETCH(QStringList, queued);

    LibraryFixture fx;
    const QString bookDir = kLib + "Collection1\\Book1\\";
    for (const QString &file : files)
        fx.writeFile(bookDir + QString(file).replace(u'/', u'\\'));
    for (const QString &file : readOnly)
        makeReadOnly(fx.native(bookDir + file));

    QCOMPARE(BookFolders::deleteBookFolder(bookDir), queued.isEmpty());
    QCOMPARE(tree(fx.native(kLib + "Collection1")), remaining);
    QCOMPARE(fx.queued(), prefixed(bookDir, queued));
    if (remaining.isEmpty())
        QCOMPARE(fx.entries(kLib + "Collection1"), QStringList{});
}

void TestBookFolders::moveBookFiles_data()
{
    QTest::addColumn<QString>("readOnlyTarget");  // a file in the new folder that cannot be replaced
    QTest::addColumn<QString>("readOnlySource");  // a source file that cannot be deleted
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("oldAfter");
    QTest::addColumn<QStringList>("newAfter");
    QTest::addColumn<QStringList>("queued");  // relative to the old book folder value

    const QStringList all{"BackUp/bf.db", "Bookmarks.ini", "Date/d.db", "bf.db"};
    QTest::newRow("all files move, old folders go")
        << QString() << QString() << true << QStringList{} << all << QStringList{};
    // The move stops in BackUp; Date and the book's own files are never reached.
    QTest::newRow("a copy that fails stops the move")
        << QStringLiteral("BackUp/bf.db") << QString() << false
        << QStringList{"BackUp/bf.db", "Bookmarks.ini", "Date/d.db", "bf.db"} << QStringList{"BackUp/bf.db"}
        << QStringList{};
    QTest::newRow("a source that cannot be deleted keeps its folders")
        << QString() << QStringLiteral("Date/d.db") << true << QStringList{"Date/d.db"} << all
        << QStringList{"Date\\", ""};
}

void TestBookFolders::moveBookFiles()
{
    QFETCH(QString, readOnlyTarget);
    QFETCH(QString, readOnlySource);
    QFETCH(bool, ok);
    QFETCH(QStringList, oldAfter);
    QFETCH(QStringList, newAfter);
    QFETCH(QStringList, queued);

    LibraryFixture fx;
    const QString oldDir = kLib + "Collection1\\Book1\\";
    for (const QString &file : QStringList{"bf.db", "Bookmarks.ini", "BackUp/bf.db", "Date/d.db"})
        fx.writeFile(oldDir + QString(file).replace(u'/', u'\\'), "old " + file.toUtf8());
    if (!readOnlySource.isEmpty())
        makeReadOnly(fx.native(oldDir + readOnlySource));

    fx.makeFolder(kLib + "Collection2");
    FolderRunCounters counters;
    const Created created = BookFolders::createBookFolder(kLib + "Collection2\\", 1, Naming::MovedBook, counters);
    QVERIFY(created.ok());
    if (!readOnlyTarget.isEmpty()) {
        fx.writeFile(created.path + u'\\' + readOnlyTarget, "blocker");
        makeReadOnly(fx.native(created.path + u'\\' + readOnlyTarget));
    }

    QCOMPARE(BookFolders::moveBookFiles(oldDir, created.path), ok);
    QCOMPARE(tree(fx.native(oldDir)), oldAfter);
    QCOMPARE(tree(fx.native(created.path)), newAfter);
    if (ok)
        QCOMPARE(contentOf(fx.native(created.path + "\\BackUp\\bf.db")), QByteArray("old BackUp/bf.db"));
    QCOMPARE(fx.queued(), prefixed(oldDir, queued));
    if (oldAfter.isEmpty() && ok)
        QVERIFY(!fx.exists(oldDir));
}

void TestBookFolders::damagedPathsAreRefused_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("guarded");  // the folder the value would reach, relative to the temporary root
    QTest::addColumn<bool>("outside");     // the value leaves the data folder

    QTest::newRow("parent components") << QStringLiteral("\\..\\..\\outside\\Book1\\") << "outside/Book1" << true;
    QTest::newRow("parent component hidden in the middle")
        << QStringLiteral("\\Libraries\\..\\..\\..\\outside\\Book1\\") << "outside/Book1" << true;
    QTest::newRow("no leading backslash: beside the data folder")
        << QStringLiteral("outside\\Book1\\") << "data/Quilleryoutside/Book1" << true;
    QTest::newRow("drive letter") << QStringLiteral("C:\\outside\\Book1\\") << "outside/Book1" << true;
    // Inside, but not book folders: their files must never be deleted.
    QTest::newRow("the data folder itself") << QStringLiteral("\\") << "data/Quillery" << false;
    QTest::newRow("a library folder") << kLib << "data/Quillery/Libraries/Library1" << false;
    QTest::newRow("the placeholder book") << kTemplates + "Book0\\" << "data/Quillery/Libraries/Templates/Book0"
                                          << false;
}

void TestBookFolders::damagedPathsAreRefused()
{
    QFETCH(QString, value);
    QFETCH(QString, guarded);
    QFETCH(bool, outside);

    LibraryFixture fx;
    const QString folder = fx.root() + u'/' + guarded;
    fx.writeFile(folder + "/keep.txt", "keep");
    fx.writeFile(folder + "/Date/d.db", "keep");
    fx.makeFolder(folder + "/BackUp");  // empty: any removal attempt would take it
    const QStringList before = tree(fx.root());

    // A real book whose files must stay where they are when the move is refused.
    const QString goodBook = kLib + "Collection1\\Book1\\";
    fx.writeFile(goodBook + "bf.db", "book");
    fx.makeFolder(kLib + "Collection2\\Book1");

    QVERIFY(!BookFolders::deleteBookFolder(value));
    QVERIFY(!BookFolders::moveBookFiles(value, kLib + "Collection2\\Book1"));
    QVERIFY(!BookFolders::moveBookFiles(goodBook, value));
    if (outside) {
        QVERIFY(!DeletionQueue::queue(value));
        QVERIFY(!DeletionQueue::removeOrQueue(value));
        QVERIFY(!DeletionQueue::removeOrQueue(value + "BackUp"));
        FolderRunCounters counters;
        QVERIFY(!BookFolders::createCollectionFolder(value, 0, counters));
        QCOMPARE(BookFolders::createBookFolder(value, 1, Naming::NewBook, counters).status,
                 Created::Status::FolderFailed);
        // A hand-edited list is refused by the start-up pass as well.
        Profile settings(Settings::path());
        settings.writeInteger("DelDirOnStart", "Count", 1);
        settings.writeString("DelDirOnStart", "Dir1", value + "BackUp");
        settings.flush();
        DeletionQueue::runStartupPass();
    }
    QVERIFY(QFileInfo(folder + "/BackUp").isDir());
    QCOMPARE(contentOf(folder + "/keep.txt"), QByteArray("keep"));
    QCOMPARE(contentOf(fx.native(goodBook + "bf.db")), QByteArray("book"));
    QStringList after = tree(fx.root());
    after.removeAll(QStringLiteral("data/Quillery/Libraries/Library1/Collection1/Book1/bf.db"));
    QCOMPARE(after, before);
    QCOMPARE(fx.queued(), QStringList{});
}

void TestBookFolders::queueAndStartupPass()
{
    LibraryFixture fx;
    Profile settings(Settings::path());
    settings.writeInteger("DelDirOnStart", "Count", 1);
    settings.writeString("DelDirOnStart", "Dir1", kLib + "Empty");
    settings.flush();
    fx.makeFolder(kLib + "Empty");
    fx.makeFolder(kLib + "WithSlash");
    fx.writeFile(kLib + "Full\\bf.db", "still here");
    fx.makeFolder(kLib + "Full\\Sub");

    // Entries are appended after the ones already listed.
    QVERIFY(DeletionQueue::queue(kLib + "WithSlash\\"));
    QVERIFY(DeletionQueue::queue(kLib + "Full"));
    QVERIFY(DeletionQueue::queue(kLib + "Full\\Sub"));
    QVERIFY(DeletionQueue::queue(kLib + "Missing"));
    QCOMPARE(fx.queued(), (QStringList{kLib + "Empty", kLib + "WithSlash\\", kLib + "Full", kLib + "Full\\Sub",
                                       kLib + "Missing"}));
    // An empty folder that is there goes at once; a missing one needs nothing.
    fx.makeFolder(kLib + "Gone");
    QVERIFY(DeletionQueue::removeOrQueue(kLib + "Gone"));
    QVERIFY(DeletionQueue::removeOrQueue(kLib + "NeverThere"));
    QCOMPARE(fx.queued().size(), 5);

    DeletionQueue::runStartupPass();
    QVERIFY(!fx.exists(kLib + "Empty"));
    QVERIFY(!fx.exists(kLib + "WithSlash"));
    QVERIFY(!fx.exists(kLib + "Full\\Sub"));
    // A folder that still holds a file stays on disk and is forgotten.
    QCOMPARE(contentOf(fx.native(kLib + "Full\\bf.db")), QByteArray("still here"));
    QCOMPARE(fx.queued(), QStringList{});
    const Profile after(Settings::path());
    QCOMPARE(after.readInteger("DelDirOnStart", "Count", -1), 0);
    for (int k = 1; k <= 5; ++k)
        QVERIFY(!after.valueExists("DelDirOnStart", numbered("Dir", k)));
    QCOMPARE(after.readInteger("Libraries", "CurLibNum", 0), 1);

    // A damaged count does not keep start-up busy.
    Profile damaged(Settings::path());
    damaged.writeInteger("DelDirOnStart", "Count", 2147483647);
    damaged.writeString("DelDirOnStart", "Dir1", kLib + "Full");
    damaged.flush();
    QElapsedTimer timer;
    timer.start();
    DeletionQueue::runStartupPass();
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(fx.queued(), QStringList{});
}

QTEST_GUILESS_MAIN(TestBookFolders)
#include "tst_book_folders.moc"
