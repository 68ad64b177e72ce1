// The dataset rules of Table: states, leaving a record, events, posts that
// fail, keys, the kept plain text, navigation edges and field access.

#include "BookFixture.h"

#include "platform/AppError.h"
#include "platform/db/Table.h"
#include "platform/rtf/RtfReader.h"

#include <QDate>
#include <QSignalSpy>
#include <QTest>
#include <sqlite3.h>

namespace {

const QString Caption = QStringLiteral("Caption");

// Counts the records of a table file through a connection of its own, so a
// test sees what is really on disk at that moment.
int storedCount(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM Records", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        n = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return n;
}

// Records every event of a table in the order it came.
struct EventLog
{
    QStringList events;

    void attach(Table &table)
    {
        table.onNewRecord = [this] { events << "new"; };
        table.onBeforePost = [this] { events << "beforePost"; };
        table.onAfterPost = [this] { events << "afterPost"; };
        table.onAfterCancel = [this] { events << "afterCancel"; };
        table.onAfterDelete = [this] { events << "afterDelete"; };
    }
};

// Writes creation stamps from the new-record event, as the program does.
void stampNewRecords(Table &table)
{
    table.onNewRecord = [&table] {
        table.setFieldValue(QStringLiteral("Date"), QDate(2024, 6, 2));
        table.setFieldValue(QStringLiteral("Time"), QTime(9, 30, 0));
        table.setFieldValue(QStringLiteral("DayOfWeek"), 1);
    };
}

} // namespace

class TestTable : public QObject
{
    Q_OBJECT

private slots:
    void editOnEmptyTableStartsNewRecord();
    void leavingTheRecord_data();
    void leavingTheRecord();
    void explicitPostSavesUntouchedNewRecord();
    void postEventsComeAroundTheWrite();
    void cancelOfNewRecordReturnsToPreviousRecord();
    void cancelOfEditRestoresStoredValues();
    void deleteOfPendingNewRecordCancelsIt();
    void deleteMakesNeighbourCurrent_data();
    void deleteMakesNeighbourCurrent();
    void refusedPostLeavesTableAndFile_data();
    void refusedPostLeavesTableAndFile();
    void failingNewRecordHandlerAbandonsTheRecord();
    void incIsNeverReused();
    void plainTextFollowsTheBody();
    void navigationEdges();
    void fieldAccess();
    void openWhileOpenFails();
    void dateTableKeepsOneDate();
    void batchedPostsBecomeDurableAtCommit();
};

void TestTable::editOnEmptyTableStartsNewRecord()
{
    BookFixture book;
    QVERIFY(book.isValid());
    Table table;
    EventLog log;
    log.attach(table);
    book.open(table, Table::CaptionOrder);
    QCOMPARE(table.count(), 0);
    QVERIFY(table.bof() && table.eof());

    table.edit();
    QCOMPARE(table.state(), Table::State::Insert);
    QCOMPARE(log.events, QStringList{"new"});
    QCOMPARE(table.rowCount(), 1);
    QVERIFY(table.isPendingRow(0));
    QCOMPARE(table.count(), 0);
    QVERIFY(!table.isModified());

    // A second edit() while inserting starts nothing new.
    table.edit();
    QCOMPARE(log.events, QStringList{"new"});
}

// Every way of leaving the current record posts a changed one and cancels an
// unchanged one (so an untouched new record, stamps and all, is dropped).
void TestTable::leavingTheRecord_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("newRecord");
    QTest::addColumn<bool>("changed");
    for (const char *action : {"first", "prior", "next", "last", "locate", "setOrder", "insert", "moveToRow"}) {
        QTest::addRow("%s, untouched new record", action) << action << true << false;
        QTest::addRow("%s, changed new record", action) << action << true << true;
        QTest::addRow("%s, untouched edit", action) << action << false << false;
        QTest::addRow("%s, changed edit", action) << action << false << true;
    }
}

void TestTable::leavingTheRecord()
{
    QFETCH(QString, action);
    QFETCH(bool, newRecord);
    QFETCH(bool, changed);

    BookFixture book;
    QVERIFY(book.isValid());
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"alpha", "beta", "gamma"}, {"2024-01-03", "2024-01-02", "2024-01-01"});
    table.moveToRow(1);  // beta
    stampNewRecords(table);
    EventLog log;
    const auto stamp = table.onNewRecord;
    log.attach(table);
    table.onNewRecord = stamp;

    if (newRecord)
        table.insert();
    else
        table.edit();
    if (changed)
        table.setFieldValue(Caption, QStringLiteral("delta"));
    QCOMPARE(table.isModified(), changed);
    log.events.clear();

    if (action == "first")
        table.first();
    else if (action == "prior")
        table.prior();
    else if (action == "next")
        table.next();
    else if (action == "last")
        table.last();
    else if (action == "locate")
        QVERIFY(table.locate(QStringLiteral("g")));
    else if (action == "setOrder")
        table.setOrder(Table::DateOrder);
    else if (action == "insert")
        table.insert();
    else if (action == "moveToRow")
        table.moveToRow(newRecord ? 3 : 2);

    const int expectedCount = newRecord && changed ? 4 : 3;
    QCOMPARE(table.count(), expectedCount);
    QCOMPARE(storedCount(book.tablePath()), expectedCount);
    QVERIFY(!log.events.isEmpty());
    QCOMPARE(log.events.first(), changed ? QStringLiteral("beforePost") : QStringLiteral("afterCancel"));
    QStringList stored;
    table.first();
    for (; !table.eof(); table.next())
        stored << table.fieldValue(Caption).toString();
    QStringList expected = {"alpha", "beta", "gamma"};
    if (changed)
        expected = newRecord ? QStringList{"alpha", "beta", "delta", "gamma"} : QStringList{"alpha", "delta", "gamma"};
    if (action == "setOrder")
        std::reverse(expected.begin(), expected.end());  // the dates run backwards
    if (action == "setOrder" && changed && newRecord) {
        // The new record's stamp (2024-06-02) is the latest date.
        expected = QStringList{"gamma", "beta", "alpha", "delta"};
    }
    QCOMPARE(stored, expected);
}

void TestTable::explicitPostSavesUntouchedNewRecord()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    stampNewRecords(table);
    table.insert();
    QVERIFY(!table.isModified());
    table.post();
    QCOMPARE(table.count(), 1);
    QCOMPARE(table.state(), Table::State::Browse);
    QCOMPARE(table.fieldValue(QStringLiteral("Date")).toString(), QStringLiteral("2024-06-02"));
    QCOMPARE(table.fieldValue(QStringLiteral("Time")).toString(), QStringLiteral("09:30:00"));
    QCOMPARE(table.fieldValue(QStringLiteral("DayOfWeek")).toLongLong(), 1);
    QCOMPARE(table.fieldValue(Caption).toString(), QString());
    QCOMPARE(storedCount(book.tablePath()), 1);
}

// Controls write first, the before-post event sees the file unchanged, the
// after-post event sees the record stored.
void TestTable::postEventsComeAroundTheWrite()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    QStringList log;
    int storedAtBefore = -1;
    int storedAtAfter = -1;
    connect(&table, &Table::updateRecordRequested, this, [&] {
        log << "update";
        table.setFieldValue(Caption, QStringLiteral("from a control"));
    });
    connect(&table, &Table::dataChanged, this, [&](const QString &field) { log << "data:" + field; });
    table.onBeforePost = [&] {
        log << "beforePost";
        storedAtBefore = storedCount(book.tablePath());
    };
    table.onAfterPost = [&] {
        log << "afterPost";
        storedAtAfter = storedCount(book.tablePath());
    };
    table.insert();
    log.clear();
    table.post();
    QCOMPARE(log, (QStringList{"update", "data:Caption", "beforePost", "data:", "afterPost"}));
    QCOMPARE(storedAtBefore, 0);
    QCOMPARE(storedAtAfter, 1);
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("from a control"));
}

void TestTable::cancelOfNewRecordReturnsToPreviousRecord()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b", "c"});
    table.moveToRow(1);
    EventLog log;
    log.attach(table);
    table.insert();
    QCOMPARE(table.currentRow(), 1);  // the pending row stands where it was started
    QCOMPARE(table.rowCount(), 4);
    table.setFieldValue(Caption, QStringLiteral("zzz"));
    table.cancel();
    QCOMPARE(log.events, (QStringList{"new", "afterCancel"}));
    QCOMPARE(table.state(), Table::State::Browse);
    QCOMPARE(table.rowCount(), 3);
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("b"));
    QCOMPARE(table.position(), 2);
}

void TestTable::cancelOfEditRestoresStoredValues()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"kept"});
    table.edit();
    table.setFieldValue(Caption, QStringLiteral("changed"));
    QCOMPARE(table.valueAt(0, Caption).toString(), QStringLiteral("changed"));
    table.cancel();
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("kept"));
    QVERIFY(!table.isModified());
}

void TestTable::deleteOfPendingNewRecordCancelsIt()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b"});
    EventLog log;
    log.attach(table);
    table.insert();
    table.remove();
    QCOMPARE(log.events, (QStringList{"new", "afterCancel"}));
    QCOMPARE(table.count(), 2);
    QCOMPARE(storedCount(book.tablePath()), 2);
}

void TestTable::deleteMakesNeighbourCurrent_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("current");
    const QStringList three = {"a", "b", "c"};
    QTest::newRow("first") << three << 0 << "b";
    QTest::newRow("middle") << three << 1 << "c";
    QTest::newRow("last") << three << 2 << "b";
    QTest::newRow("only") << QStringList{"a"} << 0 << QString();
}

void TestTable::deleteMakesNeighbourCurrent()
{
    QFETCH(QStringList, captions);
    QFETCH(int, row);
    QFETCH(QString, current);
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, captions);
    table.moveToRow(row);
    table.edit();
    table.setFieldValue(Caption, QStringLiteral("discarded edit"));
    EventLog log;
    log.attach(table);
    table.remove();
    QCOMPARE(log.events, QStringList{"afterDelete"});
    QCOMPARE(table.count(), captions.size() - 1);
    QCOMPARE(storedCount(book.tablePath()), captions.size() - 1);
    QCOMPARE(table.fieldValue(Caption).toString(), current);
    QCOMPARE(table.state(), Table::State::Browse);
    if (table.count() == 0) {
        QCOMPARE(table.position(), 0);
        QVERIFY(table.bof() && table.eof());
        QVERIFY_THROWS_EXCEPTION(AppError, table.remove());
    }
}

// A post that is refused raises AppError and changes nothing: not the file,
// not the state, not the values waiting to be posted.
void TestTable::refusedPostLeavesTableAndFile_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("handlerRefuses");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("255 ASCII") << QString(255, u'x') << false << true;
    QTest::newRow("256 ASCII") << QString(256, u'x') << false << false;
    QTest::newRow("255 Cyrillic") << QString(255, u'ж') << false << true;
    QTest::newRow("256 Cyrillic") << QString(256, u'ж') << false << false;
    QString emoji;
    for (int i = 0; i < 255; ++i)
        emoji += QString::fromUcs4(U"\U0001F600", 1);
    QTest::newRow("255 emoji, 510 UTF-16 units") << emoji << false << true;
    QTest::newRow("256 emoji") << emoji + QString::fromUcs4(U"\U0001F600", 1) << false << false;
    QTest::newRow("before-post handler refuses") << QStringLiteral("fine") << true << false;
}

void TestTable::refusedPostLeavesTableAndFile()
{
    QFETCH(QString, caption);
    QFETCH(bool, handlerRefuses);
    QFETCH(bool, accepted);
    for (bool editing : {false, true}) {
        BookFixture book;
        Table table;
        book.open(table, Table::CaptionOrder);
        addRecords(table, {"existing"});
        if (handlerRefuses)
            table.onBeforePost = [] { throw AppError(QStringLiteral("refused")); };
        const QByteArray before = fileBytes(book.tablePath());
        if (editing)
            table.edit();
        else
            table.insert();
        table.setFieldValue(Caption, caption);
        if (accepted) {
            table.post();
            QCOMPARE(table.fieldValue(Caption).toString(), caption);
            table.close();
            book.open(table, Table::CaptionOrder);
            QVERIFY(captionsShown(table).contains(caption));
            continue;
        }
        QVERIFY_THROWS_EXCEPTION(AppError, table.post());
        QCOMPARE(table.state(), editing ? Table::State::Edit : Table::State::Insert);
        QCOMPARE(table.fieldValue(Caption).toString(), caption);
        QVERIFY(table.isModified());
        QCOMPARE(table.count(), 1);
        QCOMPARE(fileBytes(book.tablePath()), before);
        // Leaving posts a changed record, so it is refused the same way.
        QVERIFY_THROWS_EXCEPTION(AppError, table.first());
        QCOMPARE(table.state(), editing ? Table::State::Edit : Table::State::Insert);
        table.cancel();
        QCOMPARE(captionsShown(table), QStringList{"existing"});
    }
}

void TestTable::failingNewRecordHandlerAbandonsTheRecord()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b"});
    table.last();
    table.onNewRecord = [] { throw AppError(QStringLiteral("no")); };
    QVERIFY_THROWS_EXCEPTION(AppError, table.insert());
    QCOMPARE(table.state(), Table::State::Browse);
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("b"));
}

void TestTable::incIsNeverReused()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    QList<qint64> seen;
    const auto post = [&](const QString &caption) {
        table.insert();
        table.setFieldValue(Caption, caption);
        table.post();
        const qint64 inc = table.fieldValue(QStringLiteral("Inc")).toLongLong();
        QVERIFY(inc > 0);
        QVERIFY2(!seen.contains(inc), qPrintable(QString::number(inc)));
        QCOMPARE(table.recordKey(), inc);
        seen << inc;
    };
    post("a");
    post("b");
    post("c");
    table.last();  // c, the highest Inc
    table.remove();
    table.remove();
    post("d");
    table.close();
    book.open(table, Table::CaptionOrder);
    while (table.count() > 0)
        table.remove();
    post("e");
    QCOMPARE(seen.size(), 5);
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
}

void TestTable::plainTextFollowsTheBody()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    const QByteArray first = "{\\rtf1\\ansi First line\\par second}";
    const QByteArray second = "{\\rtf1\\ansi Replaced}";
    table.insert();
    table.setFieldValue(QStringLiteral("Description"), first);
    table.post();
    QCOMPARE(table.fieldValue(QStringLiteral("PlainText")).toString(), RtfReader::toPlainText(first));
    table.edit();
    table.setFieldValue(QStringLiteral("Description"), second);
    table.post();
    table.close();
    book.open(table, Table::CaptionOrder);
    QCOMPARE(table.fieldValue(QStringLiteral("Description")).toByteArray(), second);
    QCOMPARE(table.fieldValue(QStringLiteral("PlainText")).toString(), RtfReader::toPlainText(second));
    table.edit();
    QVERIFY_THROWS_EXCEPTION(AppError, table.setFieldValue(QStringLiteral("PlainText"), QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(AppError, table.setFieldValue(QStringLiteral("Inc"), 99));
}

void TestTable::navigationEdges()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b", "c"});
    table.first();
    QVERIFY(table.bof());
    QVERIFY(!table.eof());
    QSignalSpy moves(&table, &Table::dataChanged);
    table.prior();
    QVERIFY(table.bof());
    QCOMPARE(table.position(), 1);
    QCOMPARE(moves.size(), 0);

    QStringList visited;
    for (table.first(); !table.eof(); table.next())
        visited << table.fieldValue(Caption).toString();
    QCOMPARE(visited, (QStringList{"a", "b", "c"}));
    QCOMPARE(table.position(), 3);  // next on the last record stays there

    table.prior();
    QVERIFY(!table.bof() && !table.eof());
    QCOMPARE(table.position(), 2);
    table.last();
    QVERIFY(table.eof());
    QCOMPARE(table.position(), 3);
}

void TestTable::fieldAccess()
{
    BookFixture book;
    Table table;
    QVERIFY_THROWS_EXCEPTION(AppError, table.fieldValue(Caption));
    QVERIFY_THROWS_EXCEPTION(AppError, table.edit());
    book.open(table, Table::CaptionOrder);
    QCOMPARE(table.fieldNames(),
             (QStringList{"Inc", "Caption", "Description", "Date", "Time", "DayOfWeek", "ModifiedDate", "ModifiedTime",
                          "ModifiedDayOfWeek", "PlainText"}));
    QVERIFY(!table.fieldValue(Caption).isValid());  // no record
    QVERIFY_THROWS_EXCEPTION(AppError, table.setFieldValue(Caption, QStringLiteral("x")));  // not editing
    table.insert();
    QVERIFY_THROWS_EXCEPTION(AppError, table.fieldValue(QStringLiteral("NoSuchField")));
    QVERIFY_THROWS_EXCEPTION(AppError, table.setFieldValue(QStringLiteral("DayOfWeek"), QStringLiteral("Sunday")));
    table.setFieldValue(QStringLiteral("caption"), QStringLiteral("any case"));
    table.setFieldValue(QStringLiteral("ModifiedDate"), QDate(2023, 12, 31));
    table.setFieldValue(QStringLiteral("ModifiedTime"), QTime(23, 5, 9));
    table.setFieldValue(QStringLiteral("ModifiedDayOfWeek"), 1);
    table.setFieldValue(Caption, QString(QChar(0xD800)) + "x");  // a lone surrogate
    table.post();
    table.close();
    book.open(table, Table::CaptionOrder);
    QCOMPARE(table.fieldValue(QStringLiteral("ModifiedDate")).toString(), QStringLiteral("2023-12-31"));
    QCOMPARE(table.fieldValue(QStringLiteral("ModifiedTime")).toString(), QStringLiteral("23:05:09"));
    QCOMPARE(table.fieldValue(QStringLiteral("ModifiedDayOfWeek")).toLongLong(), 1);
    QCOMPARE(table.fieldValue(Caption).toString(), QString(QChar(QChar::ReplacementCharacter)) + "x");
    QVERIFY(!table.fieldValue(QStringLiteral("Description")).isValid());
}

void TestTable::openWhileOpenFails()
{
    BookFixture book;
    BookFixture other;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"mine"});
    QVERIFY_THROWS_EXCEPTION(AppError, other.open(table, Table::CaptionOrder));
    QVERIFY(table.isActive());
    QCOMPARE(table.filePath(), QDir::toNativeSeparators(book.tablePath()));
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("mine"));
    table.close();
    other.open(table, Table::CaptionOrder);
    QCOMPARE(table.count(), 0);
}

void TestTable::dateTableKeepsOneDate()
{
    BookFixture book;
    Table dates;
    dates.open(book.dateFolder(), QStringLiteral("d.db"));
    QCOMPARE(dates.kind(), BookSchema::TableKind::BackupDate);
    QCOMPARE(dates.fieldNames(), QStringList{"Date"});
    QVERIFY_THROWS_EXCEPTION(AppError, dates.setOrder(Table::CaptionOrder));
    QVERIFY(!dates.locate(QString()));
    dates.edit();  // empty: starts the record
    QCOMPARE(dates.state(), Table::State::Insert);
    dates.setFieldValue(QStringLiteral("Date"), QDate(2024, 2, 29));
    dates.post();
    dates.close();
    dates.open(book.dateFolder(), QStringLiteral("d.db"));
    QCOMPARE(dates.count(), 1);
    QCOMPARE(dates.fieldValue(QStringLiteral("Date")).toString(), QStringLiteral("2024-02-29"));
}

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"

void TestTable::batchedPostsBecomeDurableAtCommit()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a"});
    const auto post = [&table](const QString &caption) {
        table.insert();
        table.setFieldValue(Caption, caption);
        table.post();
    };

    table.beginBatch();
    QVERIFY_THROWS_EXCEPTION(AppError, table.beginBatch());
    post("b");
    QCOMPARE(storedCount(book.tablePath()), 1);
    table.commitBatch();
    QCOMPARE(storedCount(book.tablePath()), 2);
    // A refused post inside the batch takes back only itself.
    QVERIFY_THROWS_EXCEPTION(AppError, post(QString(Table::MaxCaptionLength + 1, u'x')));
    table.cancel();
    post("c");
    table.endBatch();
    QVERIFY(!table.inBatch());
    QCOMPARE(storedCount(book.tablePath()), 3);
    QCOMPARE(table.count(), 3);

    // A reader holding the file makes the commit fail; the batch stays open
    // and a later commit saves everything.
    table.beginBatch();
    post("e");
    {
        sqlite3 *reader = nullptr;
        sqlite3_open_v2(book.tablePath().toUtf8().constData(), &reader, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_exec(reader, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(reader, "SELECT count(*) FROM Records", -1, &stmt, nullptr);
        QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
        QVERIFY_THROWS_EXCEPTION(AppError, table.commitBatch());
        QVERIFY(table.inBatch());
        sqlite3_finalize(stmt);
        sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(reader);
    }
    table.endBatch();
    QCOMPARE(storedCount(book.tablePath()), 4);
    QCOMPARE(table.count(), 4);

    // Closing ends a running batch with its posts kept.
    table.beginBatch();
    post("d");
    table.close();
    QCOMPARE(storedCount(book.tablePath()), 5);
}
