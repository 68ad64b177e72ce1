#include "platform/AppError.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeFixture(const QByteArray &content, const QString &name = QStringLiteral("t.ini"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private Q_SLOTS:
    void readString_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");  // default passed is "<def>"

        const QByteArray basic = "[Interface]\r\nSkin=\\Skins\\BlueMorph.skn\r\nEmpty=\r\n";
        QTest::newRow("present") << basic << "Interface" << "Skin" << "\\Skins\\BlueMorph.skn";
        QTest::newRow("absent key") << basic << "Interface" << "Other" << "<def>";
        QTest::newRow("absent section") << basic << "Nope" << "Skin" << "<def>";
        QTest::newRow("empty value is not the default") << basic << "Interface" << "Empty" << "";
        QTest::newRow("names ignore case") << basic << "INTERFACE" << "sKiN" << "\\Skins\\BlueMorph.skn";
        QTest::newRow("spaces around names and values")
            << QByteArray("  [ Interface ]  \n  Skin  =  a b  \n") << "Interface" << "Skin" << "a b";
        QTest::newRow("first duplicate section wins")
            << QByteArray("[S]\nA=1\n[s]\nA=2\nB=3\n") << "S" << "A" << "1";
        QTest::newRow("later duplicate section is not searched")
            << QByteArray("[S]\nA=1\n[s]\nB=3\n") << "S" << "B" << "<def>";
        QTest::newRow("first duplicate key wins") << QByteArray("[S]\nA=1\na=2\n") << "S" << "A" << "1";
        QTest::newRow("value may hold equals signs") << QByteArray("[S]\nA=x=y\n") << "S" << "A" << "x=y";
        QTest::newRow("enclosing quotes are dropped") << QByteArray("[S]\nA=\"q v\"\n") << "S" << "A" << "q v";
        QTest::newRow("byte-order mark and LF")
            << QByteArray("\xEF\xBB\xBF[S]\nA=1\n") << "S" << "A" << "1";
        QTest::newRow("UTF-8 text")
            << QByteArray("[Библиотека]\nИмя=Книга № 1\n") << "БИБЛИОТЕКА" << "имя" << "Книга № 1";
        QTest::newRow("comment line is no key") << QByteArray("[S]\n;A=1\n") << "S" << ";A" << "<def>";
        QTest::newRow("line without equals sign is no key")
            << QByteArray("[S]\nA\nB=2\n") << "S" << "A" << "<def>";
        QTest::newRow("header without closing bracket hides its keys")
            << QByteArray("[S]\nA=1\n[Broken\nB=2\n") << "S" << "B" << "<def>";
        QTest::newRow("keys after a broken header do not shadow")
            << QByteArray("[S]\nA=1\n[Broken\nA=2\n") << "S" << "A" << "1";
        QTest::newRow("binary garbage around a good line")
            << QByteArray("\x00\xff\xfe[\x01\n[S]\n\x80\x81=\x82\nA=ok\n\xc3\x28\n", 26) << "S" << "A" << "ok";
        QTest::newRow("last line without line end") << QByteArray("[S]\nA=end") << "S" << "A" << "end";
    }

    void readString()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const IniFile ini(writeFixture(content));
        QCOMPARE(ini.readString(section, key, QStringLiteral("<def>")), expected);
    }

    void missingFileReadsDefaultsAndCreatesNothing()
    {
        const QString path = m_dir.filePath(QStringLiteral("absent.ini"));
        {
            IniFile ini(path);
            QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("d")), QStringLiteral("d"));
            QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("B"), 7), 7);
            QCOMPARE(ini.readBool(QStringLiteral("A"), QStringLiteral("B"), true), true);
            ini.flush();
        }
        QVERIFY(!QFile::exists(path));
    }

    void readInteger_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");  // default passed is -77
        QTest::newRow("decimal") << "522" << 522;
        QTest::newRow("negative") << "-2147483640" << -2147483640;
        QTest::newRow("0x") << "0x200" << 512;
        QTest::newRow("0X") << "0X200" << 512;
        QTest::newRow("dollar") << "$200" << 512;
        QTest::newRow("hex covers 32 bits") << "$80000005" << int(0x80000005u);
        QTest::newRow("letters") << "abc" << -77;
        QTest::newRow("trailing letters") << "12px" << -77;
        QTest::newRow("empty") << "" << -77;
        QTest::newRow("bare prefix") << "0x" << -77;
        QTest::newRow("too large") << "2147483648" << -77;
        QTest::newRow("smallest") << "-2147483648" << INT_MIN;
        QTest::newRow("too many hex digits") << "$100000000" << -77;
    }

    void readInteger()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        const IniFile ini(writeFixture("[Positions]\nHeight=" + value.toUtf8() + "\n"));
        QCOMPARE(ini.readInteger(QStringLiteral("Positions"), QStringLiteral("Height"), -77), expected);
    }

    void readBool_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("any non-zero") << "-3" << false << true;
        QTest::newRow("hex non-zero") << "$10" << false << true;
        QTest::newRow("letters take the default (true)") << "yes" << true << true;
        QTest::newRow("letters take the default (false)") << "yes" << false << false;
    }

    void readBool()
    {
        QFETCH(QString, value);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        const IniFile ini(writeFixture("[S]\nB=" + value.toUtf8() + "\n"));
        QCOMPARE(ini.readBool(QStringLiteral("S"), QStringLiteral("B"), defaultValue), expected);
    }

    void readsAreCutAt2047Characters()
    {
        const QString path = writeFixture("[S]\nLong=" + QByteArray(5000, 'a') + "\n[T]\nHuge=" + QByteArray(10 << 20, 'b') + "\nAfter=ok\n");
        const IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("Long"), {}).size(), 2047);
        QCOMPARE(ini.readString(QStringLiteral("T"), QStringLiteral("Huge"), {}).size(), 2047);
        QCOMPARE(ini.readString(QStringLiteral("T"), QStringLiteral("After"), {}), QStringLiteral("ok"));
    }

    void writeCreatesFileSectionAndKey()
    {
        const QString path = m_dir.filePath(QStringLiteral("new.ini"));
        QFile::remove(path);
        {
            IniFile ini(path);
            ini.writeString(QStringLiteral("Languages"), QStringLiteral("Language"), QStringLiteral("English.lng"));
            ini.writeInteger(QStringLiteral("Positions"), QStringLiteral("Left"), -12);
            ini.writeBool(QStringLiteral("Positions"), QStringLiteral("SavePositions"), true);
            ini.flush();
        }
        QCOMPARE(readAll(path), QByteArray("[Languages]\r\nLanguage=English.lng\r\n\r\n[Positions]\r\nLeft=-12\r\nSavePositions=1\r\n"));
        const IniFile again(path);
        QCOMPARE(again.readInteger(QStringLiteral("positions"), QStringLiteral("left"), 0), -12);
    }

    void writeKeepsEveryOtherLine()
    {
        // Garbage, comments, lines without "=", duplicates and a broken
        // header all survive a write that changes one value.
        const QByteArray original("\xEF\xBB\xBF; settings\n\x01\xff junk\n[S]\nA=1\nnoequals\n[s]\nA=dup\n[Broken\nZ=9\n[T]\nB=2\n");
        const QString path = writeFixture(original);
        {
            IniFile ini(path);
            ini.writeString(QStringLiteral("s"), QStringLiteral("a"), QStringLiteral("changed"));
            ini.writeString(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("new"));
            ini.flush();
        }
        QByteArray expected(original);
        expected.replace("[S]\nA=1\n", "[S]\nA=changed\n");
        expected.replace("B=2\n", "B=2\nC=new\n");
        QCOMPARE(readAll(path), expected);
    }

    void newKeyGoesToTheEndOfItsSection()
    {
        const QString path = writeFixture("[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n");
        {
            IniFile ini(path);
            ini.writeString(QStringLiteral("A"), QStringLiteral("Z"), QStringLiteral("3"));
            ini.flush();
        }
        QCOMPARE(readAll(path), QByteArray("[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n"));
    }

    void valueWithLineBreakStaysOneLine()
    {
        const QString path = m_dir.filePath(QStringLiteral("breaks.ini"));
        QFile::remove(path);
        {
            IniFile ini(path);
            ini.writeString(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("one\r\n[Evil]\nB=2"));
            ini.flush();
        }
        const IniFile ini(path);
        QVERIFY(!ini.sectionExists(QStringLiteral("Evil")));
        QCOMPARE(ini.readString(QStringLiteral("S"), QStringLiteral("A"), {}), QStringLiteral("one  [Evil] B=2"));
    }

    void valuesReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("double quotes") << "\"Work\"";
        QTest::newRow("single quotes") << "'ideas'";
        QTest::newRow("spaces around") << "  indented ";
        QTest::newRow("one quote") << "\"open";
        QTest::newRow("quotes inside") << "say \"hi\" now";
        QTest::newRow("plain") << "Книга № 1";
        QTest::newRow("empty") << "";
    }

    void valuesReadBackAsWritten()
    {
        QFETCH(QString, value);
        const QString path = m_dir.filePath(QStringLiteral("values.ini"));
        QFile::remove(path);
        {
            IniFile ini(path);
            ini.writeString(QStringLiteral("Collection1"), QStringLiteral("Name"), value);
            QCOMPARE(ini.readString(QStringLiteral("Collection1"), QStringLiteral("Name"), {}), value);
            ini.flush();
        }
        const IniFile again(path);
        QCOMPARE(again.readString(QStringLiteral("Collection1"), QStringLiteral("Name"), QStringLiteral("<def>")), value);
    }

    void deleteKeyAndEraseSection()
    {
        const QString path = writeFixture("[DelDirOnStart]\nCount=2\nDir1=a\nDir2=b\n[Other]\nK=v\n");
        {
            IniFile ini(path);
            ini.deleteKey(QStringLiteral("DelDirOnStart"), QStringLiteral("dir1"));
            ini.eraseSection(QStringLiteral("other"));
            ini.flush();
        }
        QCOMPARE(readAll(path), QByteArray("[DelDirOnStart]\nCount=2\nDir2=b\n"));
    }

    void refusedWriteRaisesAndNamesTheFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("no/such/folder/Tune.ini"));
        IniFile ini(path);
        ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
        try {
            ini.flush();
            QFAIL("flush into a missing folder succeeded");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path)));
        }
        QVERIFY(!QFile::exists(path));
    }

    void unreadableFileReadsDefaultsAndIsNeverReplaced()
    {
        // A folder where the file should be cannot be read, whoever runs the test.
        const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
        IniFile ini(path);
        QCOMPARE(ini.readInteger(QStringLiteral("S"), QStringLiteral("K"), 5), 5);
        ini.writeInteger(QStringLiteral("S"), QStringLiteral("K"), 6);
        QVERIFY_THROWS_EXCEPTION(AppError, ini.flush());
        QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
    }

    void interruptedRewriteLeavesAWholeFile()
    {
        // A child rewrites a 1 MB file in a loop and is killed at several
        // moments; whatever it left must be one complete generation.
        const QString path = m_dir.filePath(QStringLiteral("killed.ini"));
        const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/ini_flush_child");
        QVERIFY(QFile::exists(child));
        for (int delay : {30, 120, 260}) {
            QProcess process;
            process.start(child, {path});
            QVERIFY(process.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(process.readAllStandardOutput().size() > 0 || QFile::exists(path), 10000);
            QTest::qWait(delay);
            process.kill();
            process.waitForFinished();

            const IniFile ini(path);
            const int head = ini.readInteger(QStringLiteral("Head"), QStringLiteral("Generation"), -1);
            QVERIFY(head > 0);
            QCOMPARE(ini.readInteger(QStringLiteral("Tail"), QStringLiteral("Generation"), -2), head);
            QCOMPARE(ini.keyNames(QStringLiteral("Body")).size(), 4000);
            const QStringList leftovers = QDir(m_dir.path()).entryList({QStringLiteral("killed.ini?*")}, QDir::Files);
            for (const QString &name : leftovers)
                QFile::remove(m_dir.filePath(name));  // temporary files of the killed writer
        }
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
