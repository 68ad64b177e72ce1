#include "platform/FileOps.h"
#include "platform/NativePath.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nativePath_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("data folder and stored value")
            << "/home/u/.local/share/Quillery\\Libraries\\Library1\\LibTune.ini"
            << "/home/u/.local/share/Quillery/Libraries/Library1/LibTune.ini";
        QTest::newRow("doubled separators collapse") << "/d\\\\Libraries\\/x\\" << "/d/Libraries/x/";
        QTest::newRow("plain") << "/a/b" << "/a/b";
    }

    void nativePath()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QCOMPARE(::nativePath(stored), expected);
    }

    void safeRelativePath_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("safe");
        QTest::newRow("book folder") << "\\Libraries\\Library1\\Collection1\\Book1\\" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("dot dot") << "\\Libraries\\..\\..\\etc\\" << false;
        QTest::newRow("dot dot with slash") << "/Libraries/../x" << false;
        QTest::newRow("drive letter") << "C:\\Windows\\" << false;
        QTest::newRow("network path") << "\\\\server\\share\\" << false;
        QTest::newRow("single dot is harmless") << "\\Libraries\\.\\Library1\\" << true;
        QTest::newRow("dots inside a name") << "\\Libraries\\My..Book\\" << true;
    }

    void safeRelativePath()
    {
        QFETCH(QString, stored);
        QFETCH(bool, safe);
        QCOMPARE(isSafeRelativePath(stored), safe);
    }

    void fileOperations()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.txt"));
        const QString b = dir.filePath(QStringLiteral("b.txt"));
        QFile fa(a);
        fa.open(QIODevice::WriteOnly);
        fa.write("new");
        fa.close();
        QFile fb(b);
        fb.open(QIODevice::WriteOnly);
        fb.write("old content");
        fb.close();
        QFile hidden(dir.filePath(QStringLiteral(".hidden")));
        hidden.open(QIODevice::WriteOnly);
        hidden.close();
        QVERIFY(FileOps::makePath(dir.filePath(QStringLiteral("sub/deeper"))));

        QStringList files = FileOps::plainFiles(dir.path());
        files.sort();
        QCOMPARE(files, QStringList({QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QVERIFY(FileOps::plainFiles(dir.filePath(QStringLiteral("missing"))).isEmpty());

        QVERIFY(FileOps::copyFile(a, b));
        QFile check(b);
        check.open(QIODevice::ReadOnly);
        QCOMPARE(check.readAll(), QByteArray("new"));
        QVERIFY(!FileOps::copyFile(dir.filePath(QStringLiteral("missing.txt")), b));

        QVERIFY(!FileOps::removeEmptyFolder(dir.filePath(QStringLiteral("sub"))));
        QVERIFY(FileOps::removeEmptyFolder(dir.filePath(QStringLiteral("sub/deeper"))));
        QVERIFY(FileOps::removeEmptyFolder(dir.filePath(QStringLiteral("sub"))));
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
