// A process killed with SIGKILL in the middle of a stream of posts leaves a
// table that passes integrity_check and holds every post that had returned.

#include "BookFixture.h"

#include "platform/db/Table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <sqlite3.h>

namespace {

QStringList query(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    QStringList out;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW)
                out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return out;
}

} // namespace

class TestTableKill : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLosesNoReturnedPost_data();
    void killedWriterLosesNoReturnedPost();
};

void TestTableKill::killedWriterLosesNoReturnedPost_data()
{
    QTest::addColumn<int>("killAfter");
    QTest::addColumn<int>("extraDelayMs");
    QTest::newRow("after the first post") << 1 << 0;
    QTest::newRow("after 15 posts") << 15 << 0;
    QTest::newRow("after 40 posts, a moment later") << 40 << 7;
    QTest::newRow("after 120 posts") << 120 << 3;
}

void TestTableKill::killedWriterLosesNoReturnedPost()
{
    QFETCH(int, killAfter);
    QFETCH(int, extraDelayMs);
    BookFixture book;
    QVERIFY(book.isValid());

    QProcess child;
    child.setProgram(QCoreApplication::applicationDirPath() + "/table_post_child");
    child.setArguments({book.folder()});
    child.start();
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));

    QSet<QString> reported;
    QByteArray pending;
    const auto collect = [&] {
        pending += child.readAllStandardOutput();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line.startsWith("posted "))
                reported.insert(QStringLiteral("post ") + QString::fromLatin1(line.mid(7)));
        }
    };
    QElapsedTimer clock;
    clock.start();
    while (reported.size() < killAfter && clock.elapsed() < 60000) {
        QVERIFY2(child.state() == QProcess::Running, child.readAllStandardError().constData());
        child.waitForReadyRead(100);
        collect();
    }
    QVERIFY(reported.size() >= killAfter);
    if (extraDelayMs > 0)
        QTest::qSleep(extraDelayMs);
    child.kill();  // SIGKILL
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    collect();  // lines written before the kill are still in the pipe

    // Opening rolls back a transaction the kill interrupted (its hot
    // journal); then the file must be whole and hold every reported post.
    Table table;
    book.open(table, Table::CaptionOrder);
    QVERIFY(table.count() >= reported.size());
    table.close();
    QCOMPARE(query(book.tablePath(), "PRAGMA integrity_check"), QStringList{"ok"});
    const QStringList captions = query(book.tablePath(), "SELECT Caption FROM Records");
    const QSet<QString> stored(captions.begin(), captions.end());
    for (const QString &caption : reported)
        QVERIFY2(stored.contains(caption), qPrintable(caption + " was reported but is missing"));
    // No record is half written: every body is a whole one.
    QCOMPARE(query(book.tablePath(), "SELECT count(*) FROM Records WHERE CAST(Description AS TEXT) NOT LIKE '%}'"),
             QStringList{"0"});
}

QTEST_GUILESS_MAIN(TestTableKill)
#include "tst_table_kill.moc"
