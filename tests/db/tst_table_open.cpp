// Opening refuses every bad table file with AppError, leaves the file byte
// for byte as it was, and the same Table then opens a good book.

#include "BookFixture.h"

#include "platform/AppError.h"
#include "platform/db/BookSchema.h"
#include "platform/db/Table.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace {

bool runSql(const QString &path, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
              && sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A table of the right schema with enough records to span many pages.
bool fillGoodTable(const QString &folder)
{
    Table table;
    table.open(folder, QStringLiteral("bf.db"), Table::CaptionOrder);
    for (int i = 0; i < 40; ++i) {
        table.insert();
        table.setFieldValue(QStringLiteral("Caption"), QStringLiteral("record %1").arg(i));
        table.setFieldValue(QStringLiteral("Description"), rtfBody(QString::number(i), 4000));
        table.post();
    }
    return true;
}

} // namespace

class TestTableOpen : public QObject
{
    Q_OBJECT

private slots:
    void badTableIsRefused_data();
    void badTableIsRefused();
};

void TestTableOpen::badTableIsRefused_data()
{
    QTest::addColumn<QString>("damage");
    for (const char *damage : {"missing folder", "missing file", "folder in place of the file", "not a database",
                               "empty file", "truncated to half", "truncated to the first page", "other schema",
                               "missing index", "index without its collation", "extra trigger", "newer user_version",
                               "user_version 0", "read-only file", "read-only folder", "unknown order name",
                               "date table asked for an order"})
        QTest::newRow(damage) << damage;
}

void TestTableOpen::badTableIsRefused()
{
    QFETCH(QString, damage);
    BookFixture book;
    QVERIFY(book.isValid());
    QString folder = book.folder();
    QString name = QStringLiteral("bf.db");
    QString order = Table::CaptionOrder;
    const QString path = book.tablePath();

    if (damage == "missing folder") {
        folder += "/no such folder";
    } else if (damage == "missing file") {
        name = "no such file.db";
    } else if (damage == "folder in place of the file") {
        QVERIFY(QDir(folder).mkdir("folder.db"));
        name = "folder.db";
    } else if (damage == "not a database") {
        QVERIFY(writeFile(path, QByteArray("These are notes, not a table.\n").repeated(200)));
    } else if (damage == "empty file") {
        QVERIFY(writeFile(path, QByteArray()));
    } else if (damage.startsWith("truncated")) {
        QVERIFY(fillGoodTable(folder));
        const QByteArray good = fileBytes(path);
        QVERIFY(good.size() > 100000);
        QVERIFY(writeFile(path, good.left(damage.endsWith("half") ? good.size() / 2 : 4096)));
    } else if (damage == "other schema") {
        QVERIFY(QFile::remove(path));
        QVERIFY(runSql(path, "CREATE TABLE Records (Inc INTEGER PRIMARY KEY, Title TEXT); PRAGMA user_version=1;"));
    } else if (damage == "missing index") {
        QVERIFY(runSql(path, "DROP INDEX DATE_FIELD;"));
    } else if (damage == "index without its collation") {
        QVERIFY(runSql(path, "DROP INDEX CAPTION_FIELD; CREATE INDEX CAPTION_FIELD ON Records (Caption, Inc);"));
    } else if (damage == "extra trigger") {
        QVERIFY(runSql(path, "CREATE TRIGGER wipe AFTER INSERT ON Records BEGIN DELETE FROM Records; END;"));
    } else if (damage == "newer user_version") {
        QVERIFY(runSql(path, "PRAGMA user_version=2;"));
    } else if (damage == "user_version 0") {
        QVERIFY(runSql(path, "PRAGMA user_version=0;"));
    } else if (damage == "read-only file") {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (damage == "read-only folder") {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(folder).isWritable())
            QSKIP("this user may write into any folder");
    } else if (damage == "unknown order name") {
        order = "NO_SUCH_ORDER";
    } else if (damage == "date table asked for an order") {
        folder = book.dateFolder();
        name = "d.db";
        order = Table::DateOrder;
    }

    const QString target = folder + u'/' + name;
    const bool existed = QFileInfo(target).isFile();
    const QByteArray before = fileBytes(target);
    Table table;
    int dataChanges = 0;
    connect(&table, &Table::dataChanged, this, [&] { ++dataChanges; });
    try {
        table.open(folder, name, order);
        QFAIL("the table opened");
    } catch (const AppError &error) {
        QVERIFY(!error.message().isEmpty());
        QVERIFY2(error.message().contains(name), qPrintable(error.message()));
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!table.isActive());
    QCOMPARE(table.state(), Table::State::Inactive);
    QCOMPARE(table.count(), 0);
    QCOMPARE(dataChanges, 0);  // nothing was shown
    QCOMPARE(QFileInfo(target).isFile(), existed);
    QCOMPARE(fileBytes(target), before);
    QVERIFY(!QFileInfo::exists(target + "-journal"));
    QVERIFY(!QFileInfo::exists(target + "-wal"));

    BookFixture good;
    good.open(table, Table::CaptionOrder);
    QVERIFY(table.isActive());
    QCOMPARE(table.count(), 0);
    table.insert();
    table.post();
    QCOMPARE(table.count(), 1);
}

QTEST_GUILESS_MAIN(TestTableOpen)
#include "tst_table_open.moc"
