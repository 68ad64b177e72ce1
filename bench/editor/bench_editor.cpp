// Speed of the editor's record-wide commands on a generated book of 10,000
// records, each figure beside a bare SQLite scan of the stored plain text
// measured in the same run. Prints one "name value unit" line per figure.
//   bench_editor [records]

#include "editor/BookmarkFile.h"
#include "editor/BookmarkTabStrip.h"
#include "editor/RecordSearch.h"
#include "editor/ReplaceAllRun.h"
#include "platform/db/BookSchema.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void print(const char *name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

QByteArray body(int i, bool withMatch)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (int p = 0; p < 8; ++p)
        rtf += "Paragraph " + QByteArray::number(p) + " of record " + QByteArray::number(i)
               + " with some ordinary words in it\\par ";
    if (withMatch)
        rtf += "here is the zebrafish line\\par ";
    return rtf + "end}";
}

// SELECT over PlainText counting the rows that hold the text: what any
// search must at least read.
double plainTextScan(const QString &file, int *hits)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QDir::toNativeSeparators(file).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QElapsedTimer t;
    t.start();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "SELECT PlainText FROM Records ORDER BY Caption COLLATE NOCASE, Inc", -1, &st, nullptr);
    *hits = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        *hits += text.contains(QLatin1String("zebrafish"), Qt::CaseInsensitive) ? 1 : 0;
    }
    sqlite3_finalize(st);
    const double ms = msSince(t);
    sqlite3_close(db);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? qMax(10, atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    BookSchema::createRecordTable(folder + "bf.db");

    Table table;
    DataSource source(&table);
    DBRichEdit editor;
    editor.resize(600, 400);
    editor.setDataSource(&source);
    editor.setDataField(QStringLiteral("Description"));
    editor.show();
    table.open(folder, QStringLiteral("bf.db"), Table::CaptionOrder);

    // Find Next: the only match is in the last record.
    for (int i = 0; i < records; ++i) {
        table.insert();
        table.setFieldValue("Caption", QStringLiteral("R%1").arg(i, 6, 10, QChar('0')));
        table.setFieldValue("Description", body(i, i == records - 1));
        table.post();
    }
    int hits = 0;
    print("baseline_plaintext_scan_ms", plainTextScan(folder + "bf.db", &hits), "ms");
    table.first();
    {
        RecordSearch search(&table, &editor);
        int top = 0;
        QElapsedTimer t;
        t.start();
        const bool found = search.findNext({QStringLiteral("zebrafish"), false, false}, top);
        print("find_next_10k_ms", msSince(t), "ms");
        if (!found || table.currentRow() != records - 1)
            std::fprintf(stderr, "find_next: wrong result\n");
    }

    // Replace All: one match in every tenth record.
    table.close();
    QFile::remove(folder + "bf.db");
    BookSchema::createRecordTable(folder + "bf.db");
    table.open(folder, QStringLiteral("bf.db"), Table::CaptionOrder);
    for (int i = 0; i < records; ++i) {
        table.insert();
        table.setFieldValue("Caption", QStringLiteral("R%1").arg(i, 6, 10, QChar('0')));
        table.setFieldValue("Description", body(i, i % 10 == 0));
        table.post();
    }
    print("baseline_plaintext_scan_ms", plainTextScan(folder + "bf.db", &hits), "ms");
    {
        ReplaceAllRun run(&table, &editor);
        QElapsedTimer t;
        t.start();
        const ReplaceAllRun::Result result =
            run.run(ReplaceAllRun::Scope::AllRecords, {QStringLiteral("zebrafish"), false, false}, QStringLiteral("trout"));
        table.post();
        print("replace_all_10k_ms", msSince(t), "ms");
        if (result.count != hits)
            std::fprintf(stderr, "replace_all: %d replacements, %d expected\n", result.count, hits);
    }

    // The bookmark strip for a record with 200 bookmarks.
    table.first();
    BookmarkFile bookmarks(folder);
    for (int i = 0; i < 200; ++i)
        bookmarks.add(table.recordKey(), i * 10);
    {
        QWidget window;
        window.resize(700, 100);
        window.show();
        QElapsedTimer t;
        t.start();
        const auto marks = BookmarkFile(folder).positions(table.recordKey());
        auto *strip = new BookmarkTabStrip(&window);
        strip->setTabCount(int(marks->size()));
        strip->setGeometry(20, 60, 660, BookmarkTabStrip::TabHeight);
        strip->show();
        strip->repaint();
        print("bookmark_strip_200_ms", msSince(t), "ms");
    }
    return 0;
}
