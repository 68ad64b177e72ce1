// Speed of the book table with its bound controls on a generated book of
// 100,000 records with 2 KB RTF bodies, each figure beside a bare SQLite
// baseline measured in the same run. Prints one "name value unit" line per
// figure.
//   bench_table [records]

#include "platform/db/BookSchema.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>
#include <vector>

namespace {

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void print(const char *name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Captions as a bilingual user writes them: a few words, mostly Latin,
// some Cyrillic, first letter in either case.
QString randomCaption(QRandomGenerator &random)
{
    static const QStringList latin = {"meeting", "Notes", "shopping", "Travel", "ideas", "Recipe", "book", "Garden",
                                      "project", "Letter", "school", "Health", "music", "Plans", "work", "Café",
                                      "école", "Übung", "budget", "Diary"};
    static const QStringList cyrillic = {"заметки", "Встреча", "покупки", "Поездка", "идеи", "Рецепт", "книга",
                                         "Сад", "проект", "Письмо", "ёлка", "Здоровье"};
    const QStringList &words = random.bounded(10) < 3 ? cyrillic : latin;
    QStringList parts;
    const int n = 1 + random.bounded(4);
    for (int i = 0; i < n; ++i)
        parts << words.at(random.bounded(words.size()));
    parts << QString::number(random.bounded(100000));
    return parts.join(u' ');
}

QByteArray rtfBody(const QString &caption)
{
    QByteArray body = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                      "{\\colortbl;\\red0\\green0\\blue0;}\\f0\\fs20 ";
    body += caption.toLatin1() + "\\par ";
    int paragraph = 0;
    while (body.size() < 2030) {
        body += "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor ";
        if (++paragraph % 4 == 0)
            body += "\\par ";
    }
    body.truncate(2040);
    return body + "\\par }";
}

bool generateBook(const QString &path, int records)
{
    if (!BookSchema::createRecordTable(path))
        return false;
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Records (Caption, Description, Date, Time, DayOfWeek, ModifiedDate, ModifiedTime,"
                       " ModifiedDayOfWeek, PlainText) VALUES (?1, ?2, ?3, ?4, ?5, ?3, ?4, ?5, ?1)",
                       -1, &insert, nullptr);
    QRandomGenerator random(2024);
    const QDate start(2015, 1, 1);
    for (int i = 0; i < records; ++i) {
        const QString caption = randomCaption(random);
        const QByteArray utf8 = caption.toUtf8();
        const QByteArray body = rtfBody(caption);
        const QDate date = start.addDays(random.bounded(3650));
        const QByteArray dateText = date.toString(Qt::ISODate).toLatin1();
        const QByteArray timeText = QTime(0, 0).addSecs(random.bounded(86400)).toString("HH:mm:ss").toLatin1();
        sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(insert, 2, body.constData(), int(body.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, dateText.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, timeText.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 5, date.dayOfWeek() % 7 + 1);
        if (sqlite3_step(insert) != SQLITE_DONE)
            return false;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The bare ordered scan of Inc and Caption that opening the list is
// compared with: connection, statement, every row's two columns.
double baselineOrderedScan(const QString &path, qint64 *rows)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *scan = nullptr;
    sqlite3_prepare_v2(db, "SELECT Inc, Caption FROM Records ORDER BY Caption COLLATE NOCASE, Inc", -1, &scan,
                       nullptr);
    qint64 n = 0;
    qint64 sum = 0;
    while (sqlite3_step(scan) == SQLITE_ROW) {
        sum += sqlite3_column_int64(scan, 0) + sqlite3_column_bytes(scan, 1);
        sqlite3_column_text(scan, 1);
        ++n;
    }
    sqlite3_finalize(scan);
    sqlite3_close(db);
    *rows = n + (sum == -1);
    return msSince(timer);
}

// The bare read of one body by key.
double baselineBodyRead(const QString &path, int records, int reads)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *select = nullptr;
    sqlite3_prepare_v2(db, "SELECT Description FROM Records WHERE Inc=?1", -1, &select, nullptr);
    QRandomGenerator random(7);
    qint64 bytes = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < reads; ++i) {
        sqlite3_bind_int64(select, 1, 1 + random.bounded(records));
        if (sqlite3_step(select) == SQLITE_ROW)
            bytes += QByteArray(static_cast<const char *>(sqlite3_column_blob(select, 0)), sqlite3_column_bytes(select, 0)).size();
        sqlite3_reset(select);
    }
    const double ms = msSince(timer) / reads;
    sqlite3_finalize(select);
    sqlite3_close(db);
    return bytes > 0 ? ms : -1;
}

// The controls of the main window, bound as it binds them.
struct Window
{
    Table table;
    DataSource source{&table};
    QWidget frame;
    DBGrid grid{&frame};
    DBEdit caption{&frame};
    DBRichEdit body{&frame};

    Window()
    {
        frame.resize(900, 700);
        grid.setGeometry(0, 0, 300, 680);
        grid.verticalHeader()->setDefaultSectionSize(19);
        caption.setGeometry(310, 0, 580, 24);
        caption.setMaxLength(254);
        body.setGeometry(310, 30, 580, 650);
        grid.setDataSource(&source);
        caption.setDataSource(&source);
        caption.setDataField("Caption");
        body.setDataSource(&source);
        frame.show();
        QApplication::processEvents();
    }

    // Paints what changed, as the event loop would after the command.
    void settle()
    {
        grid.viewport()->repaint();
        QApplication::processEvents();
    }
};

double perCall(int calls, const std::function<void(int)> &call, Window &window)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i) {
        call(i);
        window.settle();
    }
    return msSince(timer) / calls;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100000;

    QTemporaryDir dir;
    const QString path = dir.path() + "/bf.db";
    QElapsedTimer generation;
    generation.start();
    if (!dir.isValid() || !generateBook(path, records)) {
        std::fprintf(stderr, "bench_table: cannot generate the book in %s\n", qPrintable(dir.path()));
        return 1;
    }
    print("records", records, "count");
    print("file_size_mb", double(QFileInfo(path).size()) / (1024.0 * 1024.0), "MB");
    print("generate_s", msSince(generation) / 1000.0, "s");

    Window window;
    Table &table = window.table;

    // Open and first page, against the bare ordered scan; medians of 5.
    std::vector<double> opens;
    std::vector<double> scans;
    qint64 scanned = 0;
    for (int run = 0; run < 5; ++run) {
        scans.push_back(baselineOrderedScan(path, &scanned));
        QElapsedTimer timer;
        timer.start();
        table.open(dir.path(), "bf.db", Table::CaptionOrder);
        window.settle();
        opens.push_back(msSince(timer));
        if (run < 4)
            table.close();
    }
    print("open_first_page_ms", median(opens), "ms");
    print("baseline_ordered_scan_ms", median(scans), "ms");
    if (scanned != records || table.count() != records) {
        std::fprintf(stderr, "bench_table: the book holds %d records, %lld scanned\n", table.count(), scanned);
        return 1;
    }

    // Locate per keystroke: a caption typed letter by letter.
    QRandomGenerator random(99);
    QStringList typed;
    for (int i = 0; i < 40; ++i) {
        const QString caption = table.valueAt(random.bounded(table.count()), "Caption").toString();
        for (int n = 1; n <= std::min<int>(8, int(caption.size())); ++n)
            typed << caption.left(n);
    }
    const auto locateAll = [&](int i) { table.locate(typed.at(i)); };
    print("locate_caption_ms", perCall(int(typed.size()), locateAll, window), "ms");
    table.setOrder(Table::DateOrder);
    print("locate_date_ms", perCall(int(typed.size()), locateAll, window), "ms");
    table.setOrder(Table::CaptionOrder);

    // Moving record by record, each body loaded into the editor.
    table.first();
    for (int i = 0; i < 5000; ++i)
        table.next();
    print("next_with_body_ms", perCall(1000, [&](int) { table.next(); }, window), "ms");
    print("prior_with_body_ms", perCall(1000, [&](int) { table.prior(); }, window), "ms");
    print("baseline_body_read_ms", baselineBodyRead(path, records, 1000), "ms");

    // A post of a record whose body was changed in the editor.
    std::vector<double> posts;
    for (int i = 0; i < 20; ++i) {
        table.next();
        window.body.textCursor().insertText("changed ");
        QElapsedTimer timer;
        timer.start();
        table.post();
        window.settle();
        posts.push_back(msSince(timer));
    }
    print("post_changed_ms", median(posts), "ms");

    // Order switches; the first switch to date order also reads the date keys.
    std::vector<double> switches;
    double worst = 0;
    for (int i = 0; i < 6; ++i) {
        QElapsedTimer timer;
        timer.start();
        table.setOrder(i % 2 == 0 ? Table::DateOrder : Table::CaptionOrder);
        window.settle();
        switches.push_back(msSince(timer));
        worst = std::max(worst, switches.back());
    }
    print("switch_order_ms", median(switches), "ms");
    print("switch_order_worst_ms", worst, "ms");
    table.close();

    // The table's own share of those figures: the same operations with no
    // control bound, so neither the editor nor the list is redrawn.
    Table bare;
    QElapsedTimer timer;
    std::vector<double> bareOpens;
    for (int run = 0; run < 5; ++run) {
        bare.close();
        timer.restart();
        bare.open(dir.path(), "bf.db", Table::CaptionOrder);
        bareOpens.push_back(msSince(timer));
    }
    print("open_table_only_ms", median(bareOpens), "ms");
    std::vector<double> bareSwitches;
    for (int i = 0; i < 6; ++i) {
        timer.restart();
        bare.setOrder(i % 2 == 0 ? Table::DateOrder : Table::CaptionOrder);
        bareSwitches.push_back(msSince(timer));
    }
    print("switch_order_table_only_ms", median(bareSwitches), "ms");
    timer.restart();
    for (const QString &text : typed)
        bare.locate(text);
    print("locate_caption_table_only_ms", msSince(timer) / typed.size(), "ms");
    bare.setOrder(Table::DateOrder);
    timer.restart();
    for (const QString &text : typed)
        bare.locate(text);
    print("locate_date_table_only_ms", msSince(timer) / typed.size(), "ms");
    bare.first();
    timer.restart();
    for (int i = 0; i < 1000; ++i)
        bare.next();
    print("next_table_only_ms", msSince(timer) / 1000, "ms");
    bare.close();
    print("peak_rss_mb", peakRssMb(), "MB");
    return 0;
}
