// The two orders of a book: kept consistent with every insert, edit and
// delete, equal to what a fresh open reads, locate in each order, and the
// order switch.

#include "BookFixture.h"

#include "platform/AppError.h"
#include "platform/db/Table.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <sqlite3.h>

namespace {

const QString Caption = QStringLiteral("Caption");

struct Shown
{
    qint64 inc;
    QString caption;
    QString date;
};

// Captions compared as a user expects, without the table's own code: by the
// code points of their Unicode case folding.
int compareCaptions(const QString &a, const QString &b)
{
    const QList<uint> x = a.toCaseFolded().toUcs4();
    const QList<uint> y = b.toCaseFolded().toUcs4();
    if (std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end()))
        return -1;
    return x == y ? 0 : 1;
}

// The expected order: by caption, or by creation date and time; ties by Inc.
QStringList expectedOrder(std::vector<Shown> records, bool byCaption)
{
    std::sort(records.begin(), records.end(), [byCaption](const Shown &a, const Shown &b) {
        const int c = byCaption ? compareCaptions(a.caption, b.caption) : a.date.compare(b.date);
        return c != 0 ? c < 0 : a.inc < b.inc;
    });
    QStringList out;
    for (const Shown &r : records)
        out << r.caption;
    return out;
}

// The captions read record by record through navigation, each with its
// position ("3:Caption"), which must count from 1 in the order shown.
QStringList walk(Table &table)
{
    QStringList out;
    for (table.first(); !table.eof(); table.next())
        out << QString::number(table.position()) + u':' + table.fieldValue(Caption).toString();
    return out;
}

QStringList numbered(const QStringList &captions)
{
    QStringList out;
    for (int i = 0; i < captions.size(); ++i)
        out << QString::number(i + 1) + u':' + captions.at(i);
    return out;
}

} // namespace

class TestTableOrder : public QObject
{
    Q_OBJECT

private slots:
    void orderStaysConsistent_data();
    void orderStaysConsistent();
    void locate_data();
    void locate();
    void locateWithoutMatchChangesNothing();
    void switchOrderKeepsCurrentRecord();
    void switchOrderWithFarApartKeys();
};

void TestTableOrder::orderStaysConsistent_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("order");
    const QList<QPair<const char *, QStringList>> sets = {
        {"Cyrillic", {"яблоко", "Арбуз", "ёж", "Ёлка", "банан", "ЯБЛОКО", "арбуз", "Щука"}},
        {"accented Latin", {"école", "Ecole", "éclair", "Zèbre", "àla", "ÀLA", "Ärger", "ärger", "Oslo", "Øre"}},
        {"equal captions", {"same", "same", "same", "other", "same"}},
        {"case variants", {"abc", "ABC", "Abc", "aBC", "abd", "ABD"}},
        {"empty captions", {"", "b", "", "a", ""}},
        {"mixed", {"Зима", "zebra", "Émile", "emile", "", "10", "9", "Ωmega", "ωmega", "日記", "😀 smile", "ﬃ"}},
    };
    for (const auto &[name, captions] : sets) {
        QTest::addRow("%s, caption order", name) << captions << Table::CaptionOrder;
        QTest::addRow("%s, date order", name) << captions << Table::DateOrder;
    }
}

// Inserts, renames and deletes in a shuffled sequence; after every step the
// rows shown, the records walked and a fresh open all give the expected order.
void TestTableOrder::orderStaysConsistent()
{
    QFETCH(QStringList, captions);
    QFETCH(QString, order);
    const bool byCaption = order == Table::CaptionOrder;

    BookFixture book;
    QVERIFY(book.isValid());
    Table table;
    book.open(table, order);
    QRandomGenerator random(42);
    std::vector<Shown> records;
    const auto check = [&](const char *step) {
        const QStringList expected = expectedOrder(records, byCaption);
        const bool shown = captionsShown(table) == expected;
        const bool walked = walk(table) == numbered(expected);
        if (!shown || !walked)
            qWarning("%s: expected %s, shown %s, walked %s", step, qPrintable(expected.join(u'|')),
                     qPrintable(captionsShown(table).join(u'|')), qPrintable(walk(table).join(u'|')));
        return shown && walked;
    };

    for (const QString &caption : captions) {
        table.insert();
        table.setFieldValue(Caption, caption);
        // Dates repeat, so date order needs its ties by Inc too.
        const QString date = QStringLiteral("2024-01-%1").arg(1 + random.bounded(3), 2, 10, QLatin1Char('0'));
        table.setFieldValue(QStringLiteral("Date"), date);
        table.setFieldValue(QStringLiteral("Time"), QStringLiteral("08:00:00"));
        table.post();
        records.push_back({table.recordKey(), caption, date + " 08:00:00"});
        QVERIFY(check("after insert"));
    }
    // Rename every other record to another caption of the set (so case
    // variants and equal captions meet again), and move its date.
    for (size_t i = 0; i < records.size(); i += 2) {
        const int row = random.bounded(table.rowCount());
        table.moveToRow(row);
        const qint64 inc = table.recordKey();
        auto it = std::find_if(records.begin(), records.end(), [inc](const Shown &r) { return r.inc == inc; });
        QVERIFY(it != records.end());
        it->caption = captions.at(random.bounded(captions.size()));
        it->date = QStringLiteral("2023-12-31 08:00:00");
        table.edit();
        table.setFieldValue(Caption, it->caption);
        table.setFieldValue(QStringLiteral("Date"), QStringLiteral("2023-12-31"));
        table.next();  // leaving posts it
        QVERIFY(check("after rename"));
    }
    for (int n = 0; n < 3 && table.count() > 1; ++n) {
        table.moveToRow(random.bounded(table.rowCount()));
        const qint64 inc = table.recordKey();
        const auto it = std::find_if(records.begin(), records.end(), [inc](const Shown &r) { return r.inc == inc; });
        QVERIFY(it != records.end());
        records.erase(it);
        table.remove();
        QVERIFY(check("after delete"));
    }
    table.close();
    book.open(table, order);
    QVERIFY(check("after reopening"));
    table.setOrder(byCaption ? Table::DateOrder : Table::CaptionOrder);
    QCOMPARE(captionsShown(table), expectedOrder(records, !byCaption));
}

void TestTableOrder::locate_data()
{
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");  // null: no match
    const QString c = Table::CaptionOrder;
    const QString d = Table::DateOrder;
    QTest::newRow("caption order, first of two") << c << "ap" << "Apple";
    QTest::newRow("date order, first of two") << d << "ap" << "apricot";
    QTest::newRow("upper case Cyrillic text") << c << "ЁЛ" << "Ёлка";
    QTest::newRow("Cyrillic, date order") << d << "ё" << "ёж";
    QTest::newRow("accented, other case") << c << "ÉC" << "Éclair";
    QTest::newRow("whole caption") << c << "BANANA" << "banana";
    QTest::newRow("longer than any caption") << c << "bananas" << QString();
    QTest::newRow("no caption begins so") << c << "x" << QString();
    QTest::newRow("empty text, caption order") << c << "" << "Apple";
    QTest::newRow("empty text, date order") << d << "" << "banana";
    QTest::newRow("accent is not ignored") << c << "ec" << QString();
}

void TestTableOrder::locate()
{
    QFETCH(QString, order);
    QFETCH(QString, text);
    QFETCH(QString, found);
    BookFixture book;
    Table table;
    book.open(table, order);
    addRecords(table, {"Apple", "apricot", "Ёлка", "ёж", "Éclair", "banana"},
               {"2024-03-01", "2024-01-01", "2024-02-01", "2023-12-01", "2024-05-01", "2022-01-01"});
    table.last();
    const QString before = table.fieldValue(Caption).toString();
    QCOMPARE(table.locate(text), !found.isNull());
    QCOMPARE(table.fieldValue(Caption).toString(), found.isNull() ? before : found);
}

void TestTableOrder::locateWithoutMatchChangesNothing()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"one", "two"});
    table.insert();
    table.setFieldValue(Caption, QStringLiteral("pending"));
    QVERIFY(!table.locate(QStringLiteral("zzz")));
    QCOMPARE(table.state(), Table::State::Insert);
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("pending"));
    QVERIFY(table.locate(QStringLiteral("o")));  // leaving posts the pending record
    QCOMPARE(table.count(), 3);
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("one"));
}

void TestTableOrder::switchOrderKeepsCurrentRecord()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b", "c"}, {"2024-01-03", "2024-01-01", "2024-01-02"});
    QVERIFY(table.locate(QStringLiteral("a")));
    table.edit();
    table.setFieldValue(Caption, QStringLiteral("a, renamed"));
    table.setOrder(Table::DateOrder);
    QCOMPARE(table.orderName(), Table::DateOrder);
    QCOMPARE(table.state(), Table::State::Browse);
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("a, renamed"));
    QCOMPARE(table.position(), 3);
    QCOMPARE(captionsShown(table), (QStringList{"b", "c", "a, renamed"}));
    table.setOrder(Table::CaptionOrder);
    QCOMPARE(table.position(), 1);
    QCOMPARE(captionsShown(table), (QStringList{"a, renamed", "b", "c"}));
    QVERIFY_THROWS_EXCEPTION(AppError, table.setOrder(QStringLiteral("NO_SUCH_ORDER")));
    QCOMPARE(table.orderName(), Table::CaptionOrder);
}

// Keys written by other means may lie far apart; the orders still hold.
void TestTableOrder::switchOrderWithFarApartKeys()
{
    BookFixture book;
    {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(book.tablePath().toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db,
                              "INSERT INTO Records (Inc, Caption, Date) VALUES (9000000000, 'b', '2024-01-01'),"
                              " (5, 'c', '2023-01-01'), (3000000, 'a', '2025-01-01');",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
    }
    Table table;
    book.open(table, Table::CaptionOrder);
    QCOMPARE(captionsShown(table), (QStringList{"a", "b", "c"}));
    table.setOrder(Table::DateOrder);
    QCOMPARE(captionsShown(table), (QStringList{"c", "b", "a"}));
    addRecords(table, {"d"}, {"2024-06-01"});
    QVERIFY(table.fieldValue(QStringLiteral("Inc")).toLongLong() > 9000000000LL);
    QCOMPARE(captionsShown(table), (QStringList{"c", "b", "d", "a"}));
    table.setOrder(Table::CaptionOrder);
    QCOMPARE(captionsShown(table), (QStringList{"a", "b", "c", "d"}));
}

QTEST_GUILESS_MAIN(TestTableOrder)
#include "tst_table_order.moc"
