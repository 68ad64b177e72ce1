#include "app/DataFolderSetup.h"
#include "platform/NativePath.h"
#include "platform/Registry.h"
#include "settings/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool markerWritten()
{
    return Registry(QStringLiteral("\\Software\\Quillery")).valueExists(QStringLiteral("Update"));
}

} // namespace

class TestDataFolder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_data;

    QString program() const { return m_program->path(); }
    QString data() const { return m_data->path() + QStringLiteral("/Quillery"); }

    // An older installation's program folder: settings, one library with
    // one collection of two books, each with table and subfolder files.
    void makeOldInstallation()
    {
        writeFile(program() + "/Tune.ini",
                  "[Libraries]\r\nCurLibNum=2\r\nLibraryPath1=\\Libraries\\Other\\\r\nLibraryPath2=\\Libraries\\Mine\\\r\n");
        writeFile(program() + "/Libraries/Mine/LibTune.ini",
                  "[Collections]\r\nCount=1\r\n[Collection1]\r\nBooksCount=2\r\n"
                  "BookDir1=\\Libraries\\Mine\\Collection1\\Book1\\\r\nBookDir2=\\Libraries\\Mine\\Collection1\\Book7\\\r\n");
        writeFile(program() + "/Libraries/Mine/Collection1/Book1/bf.db", "book one");
        writeFile(program() + "/Libraries/Mine/Collection1/Book1/Bookmarks.ini", "[Bookmarks]\r\n");
        writeFile(program() + "/Libraries/Mine/Collection1/Book1/Date/d.db", "date one");
        writeFile(program() + "/Libraries/Mine/Collection1/Book1/BackUp/bf.db", "backup one");
        writeFile(program() + "/Libraries/Mine/Collection1/Book7/bf.db", "book seven");
        writeFile(program() + "/Libraries/Other/LibTune.ini", "not the current library");
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void init()
    {
        m_program = std::make_unique<QTemporaryDir>();
        m_data = std::make_unique<QTemporaryDir>();
        QFile::remove(nativePath(Registry::storePath()));
    }

    void moveCopiesTheCurrentLibraryAndSettings()
    {
        makeOldInstallation();
        const QByteArray settings = readFile(program() + "/Tune.ini");
        QVERIFY(DataFolderSetup::MoveDataFromProgramFolder(program(), data()));

        QCOMPARE(readFile(data() + "/Tune.ini"), settings);
        QVERIFY(!QFile::exists(program() + "/Tune.ini"));
        QVERIFY(markerWritten());
        const QString book = data() + "/Libraries/Mine/Collection1/";
        QCOMPARE(readFile(book + "Book1/bf.db"), QByteArray("book one"));
        QCOMPARE(readFile(book + "Book1/Bookmarks.ini"), QByteArray("[Bookmarks]\r\n"));
        QCOMPARE(readFile(book + "Book1/Date/d.db"), QByteArray("date one"));
        QCOMPARE(readFile(book + "Book1/BackUp/bf.db"), QByteArray("backup one"));
        QCOMPARE(readFile(book + "Book7/bf.db"), QByteArray("book seven"));
        QVERIFY(QFileInfo(book + "Book7/Date").isDir());
        QVERIFY(QFileInfo(book + "Book7/BackUp").isDir());
        QVERIFY(QFile::exists(data() + "/Libraries/Mine/LibTune.ini"));
        QVERIFY2(!QFile::exists(data() + "/Libraries/Other"), "only the current library moves");
    }

    void failingCopyKeepsTheOldSettingsAndWritesNoMarker()
    {
        makeOldInstallation();
        // A plain file where the second book's folder must go makes its copy fail.
        writeFile(data() + "/Libraries/Mine/Collection1/Book7", "in the way");
        QVERIFY(!DataFolderSetup::MoveDataFromProgramFolder(program(), data()));

        QVERIFY(QFile::exists(program() + "/Tune.ini"));
        QVERIFY(!QFile::exists(data() + "/Tune.ini"));
        QVERIFY(!markerWritten());
        QCOMPARE(readFile(data() + "/Libraries/Mine/Collection1/Book1/bf.db"), QByteArray("book one"));
        QCOMPARE(readFile(data() + "/Libraries/Mine/Collection1/Book1/BackUp/bf.db"), QByteArray("backup one"));
    }

    void presentMarkerSkipsEverything()
    {
        makeOldInstallation();
        Registry(QStringLiteral("\\Software\\Quillery")).writeString(QStringLiteral("Update"), QStringLiteral("x"));
        QVERIFY(DataFolderSetup::MoveDataFromProgramFolder(program(), data()));
        QVERIFY(QFile::exists(program() + "/Tune.ini"));
        QVERIFY(!QFile::exists(data()));
    }

    void nothingToMoveWritesNoMarker()
    {
        QVERIFY(DataFolderSetup::MoveDataFromProgramFolder(program(), data()));
        QVERIFY(!markerWritten());
        QVERIFY(!QFile::exists(data()));
    }

    void pathsLeadingOutsideAreNotFollowed()
    {
        writeFile(program() + "/Tune.ini", "[Libraries]\r\nLibraryPath1=\\..\\..\\escape\\\r\n");
        QVERIFY(DataFolderSetup::MoveDataFromProgramFolder(program(), data()));
        QVERIFY(!QFile::exists(m_data->path() + "/escape"));
        QVERIFY(!QFile::exists(QDir::cleanPath(data() + "/../../escape")));
        QVERIFY(QFile::exists(data() + "/Tune.ini"));
    }

    void copyFolderFiles()
    {
        writeFile(program() + "/src/a.db", "A");
        writeFile(program() + "/src/sub/ignored", "S");
        writeFile(program() + "/dst/a.db", "old");
        QVERIFY(DataFolderSetup::CopyFolderFiles(program() + "\\src\\", program() + "\\dst\\"));
        QCOMPARE(readFile(program() + "/dst/a.db"), QByteArray("A"));
        QVERIFY(!QFile::exists(program() + "/dst/sub"));
        QVERIFY(DataFolderSetup::CopyFolderFiles(program() + "\\missing\\", program() + "\\dst\\"));
        QVERIFY(!DataFolderSetup::CopyFolderFiles(program() + "\\src\\", program() + "\\nofolder\\"));
    }

    void firstStartInstallsTheSkeleton()
    {
        const QString bin = QCoreApplication::applicationDirPath();
        QVERIFY(DataFolderSetup::InstallSkeleton(bin, data()));

        const Profile settings(data() + "\\Tune.ini");
        QCOMPARE(settings.readString("Libraries", "LibraryPath1"), QStringLiteral("\\Libraries\\Library1\\"));
        QCOMPARE(settings.readString("Libraries", "LibraryPath0"), QStringLiteral("\\Libraries\\Templates\\Sample\\"));
        QVERIFY(settings.readInteger("BlackSkins", "Count", 0) > 0);
        QVERIFY(settings.readInteger("HalfBlackSkins", "Count", 0) > 0);

        for (const char *file : {"/Libraries/Templates/bf.db", "/Libraries/Templates/Date/d.db",
                                 "/Libraries/Templates/Book0/bf.db", "/Libraries/Library1/LibTune.ini"})
            QVERIFY2(QFile::exists(data() + file), file);
        QVERIFY(QFileInfo(data() + "/Libraries/Templates/Sample").isDir());

        const Profile catalogue(data() + "\\Libraries\\Library1\\LibTune.ini");
        QCOMPARE(catalogue.readInteger("Collections", "Count", 0), 1);
        QCOMPARE(catalogue.readInteger("Collection1", "BooksCount", 0), 1);
        QVERIFY2(!catalogue.valueExists("Collection1", "Name"), "first-run naming fills it");
        QVERIFY(!catalogue.valueExists("Collection1", "BookName1"));
        const QString book = data() + catalogue.readString("Collection1", "BookDir1");
        QVERIFY(QFile::exists(nativePath(book + "bf.db")));
        QVERIFY(QFileInfo(nativePath(book + "Date")).isDir());
        QVERIFY(QFileInfo(nativePath(book + "BackUp")).isDir());
    }

    void laterStartsRestoreOnlyMissingTemplates()
    {
        const QString bin = QCoreApplication::applicationDirPath();
        QVERIFY(DataFolderSetup::InstallSkeleton(bin, data()));
        writeFile(data() + "/Libraries/Templates/bf.db", "user's own template");
        writeFile(data() + "/Tune.ini", "[Libraries]\r\nLibraryPath1=\\Libraries\\Mine\\\r\n");
        QFile::remove(data() + "/Libraries/Templates/Date/d.db");
        QFile::remove(data() + "/Libraries/Library1/LibTune.ini");

        QVERIFY2(!DataFolderSetup::InstallSkeleton(bin, data()), "a second start is no first start");
        QVERIFY(QFile::exists(data() + "/Libraries/Templates/Date/d.db"));
        QCOMPARE(readFile(data() + "/Libraries/Templates/bf.db"), QByteArray("user's own template"));
        QCOMPARE(readFile(data() + "/Tune.ini"), QByteArray("[Libraries]\r\nLibraryPath1=\\Libraries\\Mine\\\r\n"));
        QVERIFY2(!QFile::exists(data() + "/Libraries/Library1/LibTune.ini"), "libraries are the user's");
    }

    void movedSettingsAreNoFirstStart()
    {
        makeOldInstallation();
        QVERIFY(DataFolderSetup::MoveDataFromProgramFolder(program(), data()));
        QVERIFY(!DataFolderSetup::InstallSkeleton(QCoreApplication::applicationDirPath(), data()));
        QVERIFY(QFile::exists(data() + "/Libraries/Templates/Book0/bf.db"));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
