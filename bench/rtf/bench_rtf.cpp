// bench_rtf: speed of the RTF codec and of loading bodies into the control.
// Prints one "name value unit" line per figure; the baseline is a plain
// byte scan of the same input, measured in the same run.

#include "platform/rtf/RichEdit.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>

#include <cstdio>
#include <functional>

namespace {

// A body as the editor writes it: mixed styles, colours, a list, Cyrillic.
QByteArray sampleRtf(qsizetype targetSize)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QString html;
    int n = 0;
    while (html.size() < targetSize / 2) {
        html += QStringLiteral("<p>Paragraph %1 with <b>bold</b>, <i>italic</i> and "
                               "<span style='color:#c00000'>red</span> words, "
                               "Кириллица и ещё немного текста for the search.</p>").arg(n);
        if (n % 10 == 0)
            html += QStringLiteral("<ul><li>first point</li><li>second point</li></ul>");
        ++n;
    }
    doc.setHtml(html);
    QByteArray rtf = RtfWriter::write(&doc);
    return rtf;
}

double bestMs(int repeats, const std::function<void()> &work)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char *name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QByteArray big = sampleRtf(1 << 20);
    const double mb = big.size() / 1e6;
    volatile int sink = 0;
    const double scanMs = bestMs(5, [&] {
        int braces = 0;
        for (char c : big)
            braces += c == '{';
        sink = braces;
    });
    report("baseline_byte_scan_mb_per_s", mb / (scanMs / 1000), "MB/s");

    const double readMs = bestMs(5, [&] {
        QTextDocument doc;
        RtfReader::read(big, &doc);
    });
    report("rtf_read_mb_per_s", mb / (readMs / 1000), "MB/s");

    QTextDocument bigDoc;
    RtfReader::read(big, &bigDoc);
    QByteArray written;
    const double writeMs = bestMs(5, [&] { written = RtfWriter::write(&bigDoc); });
    report("rtf_write_mb_per_s", (written.size() / 1e6) / (writeMs / 1000), "MB/s");

    const QByteArray body10k = sampleRtf(10 * 1024);
    const QByteArray body2k = sampleRtf(2 * 1024);
    const double plainMs = bestMs(50, [&] { sink = int(RtfReader::toPlainText(body10k).size()); });
    report("plain_text_10kb_ms", plainMs, "ms");
    const double read2kMs = bestMs(50, [&] {
        QTextDocument doc;
        RtfReader::read(body2k, &doc);
    });
    report("read_2kb_body_ms", read2kMs, "ms");

    RichEdit edit;
    edit.resize(600, 400);
    edit.show();
    const double loadMs = bestMs(50, [&] { edit.setRtf(body10k); });
    report("load_10kb_body_ms", loadMs, "ms");
    // Laying the body out happens on the first paint or line query.
    const double layoutMs = bestMs(50, [&] {
        edit.setRtf(body10k);
        sink = edit.lineCount();
    });
    report("load_and_lay_out_10kb_body_ms", layoutMs, "ms");
    return sink < 0;
}
