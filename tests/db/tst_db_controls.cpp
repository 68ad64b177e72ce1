// The data-aware controls on a real table: DBEdit and DBRichEdit put the
// table into editing when the user types and write only what the user
// changed; DBGrid shows the rows with their indicator, moves the table and
// follows it, and reads no bodies to show a book.

#include "BookFixture.h"

#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/DataSource.h"
#include "platform/db/RecordListModel.h"
#include "platform/db/Table.h"
#include "platform/rtf/RtfReader.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <sqlite3.h>

namespace {

const QString Caption = QStringLiteral("Caption");
const QString Description = QStringLiteral("Description");

// Bytes this process has read through read() calls so far, page cache
// included: a model that read every body would show it here.
qint64 bytesReadByProcess()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// Types text as key presses, any Unicode included (QTest::keyClicks takes
// ASCII only).
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void addRecordsWithBodies(Table &table, const QStringList &captions)
{
    for (const QString &caption : captions) {
        table.insert();
        table.setFieldValue(Caption, caption);
        table.setFieldValue(Description, rtfBody(QStringLiteral("body of ") + caption));
        table.post();
    }
}

} // namespace

class TestDbControls : public QObject
{
    Q_OBJECT

private slots:
    void typingIntoEditStartsEditing_data();
    void typingIntoEditStartsEditing();
    void editWritesOnlyWhatTheUserChanged();
    void richEditBodyRoundTrip();
    void richEditCancelBringsBackStoredBody();
    void richEditChangeByProgramStartsEditing();
    void typingIntoRichEditOfEmptyTable();
    void gridRowsAndIndicator();
    void gridMovesAndFollowsTheTable();
    void gridDoesNotReadBodies();
};

void TestDbControls::typingIntoEditStartsEditing_data()
{
    QTest::addColumn<bool>("emptyTable");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("letters on a record") << false << 0 << "Xy" << "alphaXy";
    QTest::newRow("Cyrillic on a record") << false << 0 << "Жё" << "alphaЖё";
    QTest::newRow("Backspace on a record") << false << int(Qt::Key_Backspace) << "" << "alph";
    QTest::newRow("letters in an empty table") << true << 0 << "New" << "New";
}

void TestDbControls::typingIntoEditStartsEditing()
{
    QFETCH(bool, emptyTable);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    if (!emptyTable)
        addRecords(table, {"alpha", "beta"});
    table.first();
    DataSource source(&table);
    DBEdit edit;
    edit.setDataSource(&source);
    edit.setDataField(Caption);
    edit.show();
    QCOMPARE(edit.text(), emptyTable ? QString() : QStringLiteral("alpha"));

    if (key)
        QTest::keyClick(&edit, Qt::Key(key));
    else
        typeText(&edit, typed);
    QCOMPARE(table.state(), emptyTable ? Table::State::Insert : Table::State::Edit);
    QCOMPARE(edit.text(), stored);
    table.post();
    QCOMPARE(table.fieldValue(Caption).toString(), stored);
    table.close();
    book.open(table, Table::CaptionOrder);
    QVERIFY(captionsShown(table).contains(stored));
}

void TestDbControls::editWritesOnlyWhatTheUserChanged()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"alpha", "beta"});
    table.first();
    DataSource source(&table);
    DBEdit edit;
    edit.setDataSource(&source);
    edit.setDataField(Caption);

    // A value written by the program shows, and the control does not write
    // its older text over it.
    table.edit();
    table.setFieldValue(Caption, QStringLiteral("by program"));
    QCOMPARE(edit.text(), QStringLiteral("by program"));
    table.post();
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("by program"));

    // A bound control does not make an untouched new record a changed one.
    table.insert();
    QCOMPARE(edit.text(), QString());
    table.first();
    QCOMPARE(table.count(), 2);
    QCOMPARE(edit.text(), QStringLiteral("beta"));

    // Moving away posts what the user typed and shows the next record.
    QTest::keyClicks(&edit, "!");
    table.next();
    QCOMPARE(edit.text(), QStringLiteral("by program"));
    QCOMPARE(captionsShown(table), (QStringList{"beta!", "by program"}));

    table.close();
    QVERIFY(edit.text().isEmpty());
    QVERIFY(edit.isReadOnly());
}

void TestDbControls::richEditBodyRoundTrip()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecordsWithBodies(table, {"one", "two"});
    table.first();
    DataSource source(&table);
    DBRichEdit editor;
    editor.setDataSource(&source);
    editor.show();
    QVERIFY(editor.toPlainText().contains("body of one"));
    QVERIFY(!editor.isModified());

    bool modifiedAtBeforePost = false;
    table.onBeforePost = [&] { modifiedAtBeforePost = editor.isModified(); };
    editor.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&editor, "Typed ");
    QCOMPARE(table.state(), Table::State::Edit);
    QVERIFY(editor.isModified());
    const int caret = editor.textCursor().position();
    table.post();
    QVERIFY(modifiedAtBeforePost);
    QVERIFY(!editor.isModified());
    QCOMPARE(editor.textCursor().position(), caret);  // saving does not reload the editor
    QCOMPARE(table.fieldValue(Description).toByteArray(), editor.rtf());
    QVERIFY(table.fieldValue(QStringLiteral("PlainText")).toString().startsWith("Typed body of one"));

    // A second save with only the caption changed: the body is not modified.
    table.edit();
    table.setFieldValue(Caption, QStringLiteral("one, renamed"));
    table.post();
    QVERIFY(!modifiedAtBeforePost);

    table.next();
    QVERIFY(editor.toPlainText().contains("body of two"));
    QVERIFY(!editor.isModified());
    table.prior();
    QVERIFY(editor.toPlainText().startsWith("Typed body of one"));
}

void TestDbControls::richEditCancelBringsBackStoredBody()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecordsWithBodies(table, {"one"});
    DataSource source(&table);
    DBRichEdit editor;
    editor.setDataSource(&source);
    QTest::keyClicks(&editor, "scribble");
    QCOMPARE(table.state(), Table::State::Edit);
    table.cancel();
    QVERIFY(!editor.toPlainText().contains("scribble"));
    QVERIFY(editor.toPlainText().contains("body of one"));
    QVERIFY(!editor.isModified());
}

// Commands such as replace-across-records edit the control directly.
void TestDbControls::richEditChangeByProgramStartsEditing()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecordsWithBodies(table, {"one", "two"});
    table.first();
    DataSource source(&table);
    DBRichEdit editor;
    editor.setDataSource(&source);
    editor.textCursor().insertText("Inserted ");
    QCOMPARE(table.state(), Table::State::Edit);
    table.next();  // leaving posts the change
    table.first();
    QVERIFY(table.fieldValue(QStringLiteral("PlainText")).toString().startsWith("Inserted body of one"));
}

void TestDbControls::typingIntoRichEditOfEmptyTable()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    DataSource source(&table);
    DBRichEdit editor;
    editor.setDataSource(&source);
    DBEdit caption;
    caption.setDataSource(&source);
    caption.setDataField(Caption);
    QTest::keyClicks(&editor, "Hello");
    QCOMPARE(table.state(), Table::State::Insert);
    QCOMPARE(editor.toPlainText(), QStringLiteral("Hello"));
    table.post();
    QCOMPARE(table.count(), 1);
    QCOMPARE(RtfReader::toPlainText(table.fieldValue(Description).toByteArray()).trimmed(), QStringLiteral("Hello"));
}

void TestDbControls::gridRowsAndIndicator()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b", "c"});
    table.moveToRow(1);
    DataSource source(&table);
    DBGrid grid;
    grid.setDataSource(&source);
    grid.setColumnTitle(0, QStringLiteral("Item"));
    grid.show();
    RecordListModel *model = grid.recordModel();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Item"));
    const auto indicators = [&] {
        QList<int> out;
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->headerData(row, Qt::Vertical, RecordListModel::IndicatorRole).toInt();
        return out;
    };
    const auto selectedRows = [&] {
        QList<int> rows;
        for (const QModelIndex &index : grid.selectionModel()->selectedRows())
            rows << index.row();
        return rows;
    };
    using M = RecordListModel;
    QCOMPARE(indicators(), (QList<int>{M::NoIndicator, M::CurrentIndicator, M::NoIndicator}));
    QCOMPARE(selectedRows(), QList<int>{1});
    QVERIFY(!(model->flags(model->index(1, 0)) & Qt::ItemIsEditable));

    table.edit();
    QCOMPARE(indicators(), (QList<int>{M::NoIndicator, M::EditingIndicator, M::NoIndicator}));

    table.insert();  // leaves b untouched, starts a record in its place
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(indicators(), (QList<int>{M::NoIndicator, M::InsertingIndicator, M::NoIndicator, M::NoIndicator}));
    QCOMPARE(selectedRows(), QList<int>{1});
    table.setFieldValue(Caption, QStringLiteral("typed"));
    QCOMPARE(model->data(model->index(1, 0)).toString(), QStringLiteral("typed"));
    QCOMPARE(model->data(model->index(2, 0)).toString(), QStringLiteral("b"));

    table.post();  // the new record takes its place in the order
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->data(model->index(3, 0)).toString(), QStringLiteral("typed"));
    QCOMPARE(indicators(), (QList<int>{M::NoIndicator, M::NoIndicator, M::NoIndicator, M::CurrentIndicator}));
    QCOMPARE(selectedRows(), QList<int>{3});

    table.close();
    QCOMPARE(model->rowCount(), 0);
}

void TestDbControls::gridMovesAndFollowsTheTable()
{
    BookFixture book;
    Table table;
    book.open(table, Table::CaptionOrder);
    addRecords(table, {"a", "b", "c", "d"});
    table.first();
    DataSource source(&table);
    DBGrid grid;
    grid.setDataSource(&source);
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 0)).center());
    QCOMPARE(table.position(), 3);
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(table.position(), 2);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(table.position(), 4);
    QCOMPARE(grid.currentIndex().row(), 3);

    // A changed record is posted when the user clicks another row.
    table.edit();
    table.setFieldValue(Caption, QStringLiteral("0 first now"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 0)).center());
    QCOMPARE(table.state(), Table::State::Browse);
    QCOMPARE(captionsShown(table), (QStringList{"0 first now", "a", "b", "c"}));
    // The record that was clicked is current, wherever the post moved rows.
    QCOMPARE(table.fieldValue(Caption).toString(), QStringLiteral("b"));
    QCOMPARE(grid.currentIndex().row(), 2);

    table.last();
    QCOMPARE(grid.currentIndex().row(), 3);
    QCOMPARE(grid.selectionModel()->selectedRows().size(), 1);
}

// A book far larger than a screenful opens and shows without its bodies
// being read: only the index and the current record are.
void TestDbControls::gridDoesNotReadBodies()
{
    BookFixture book;
    {
        sqlite3 *db = nullptr;
        QVERIFY(sqlite3_open(book.tablePath().toUtf8().constData(), &db) == SQLITE_OK);
        const QByteArray sql = "BEGIN;"
                               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)"
                               " INSERT INTO Records (Caption, Description, Date, Time)"
                               " SELECT 'record ' || i, randomblob(4000), '2024-01-01', '10:00:00' FROM n;"
                               "COMMIT;";
        QCOMPARE(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    const qint64 fileSize = QFileInfo(book.tablePath()).size();
    QVERIFY(fileSize > 12'000'000);

    Table table;
    DataSource source(&table);
    DBGrid grid;
    grid.setDataSource(&source);
    grid.resize(300, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.grab();  // fonts and styles load before the measurement

    const qint64 before = bytesReadByProcess();
    QVERIFY(before >= 0);
    book.open(table, Table::CaptionOrder);
    grid.grab();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    grid.grab();
    const qint64 read = bytesReadByProcess() - before;
    QCOMPARE(grid.model()->rowCount(), 3000);
    QCOMPARE(grid.model()->data(grid.model()->index(2999, 0)).toString(), QStringLiteral("record 999"));
    QVERIFY2(read < fileSize / 10, qPrintable(QStringLiteral("read %1 of %2 bytes").arg(read).arg(fileSize)));
}

QTEST_MAIN(TestDbControls)
#include "tst_db_controls.moc"
