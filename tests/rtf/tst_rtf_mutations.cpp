#include "RtfTestDocuments.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextDocument>

using namespace RtfTestDocuments;

namespace {

// Damage of the kinds real files suffer: flipped and lost bytes, cut
// files, doubled pieces, and RTF syntax dropped in at random.
QByteArray mutate(QByteArray bytes, QRandomGenerator &random)
{
    static const QByteArray syntax[] = {"{", "}", "\\", "\\'", "\\u-", "\\bin", "\\*", "\\pict",
                                        "\\fonttbl", "\\cell", "\\row", "\\trowd", "\\ls", "\\pn",
                                        "\\field", "\\uc9", "99999999999", "\\par", "\\f", ";"};
    const int edits = 1 + int(random.bounded(8));
    for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
        const qsizetype at = qsizetype(random.bounded(quint64(bytes.size())));
        switch (random.bounded(6)) {
        case 0:
            bytes[at] = char(random.bounded(256));
            break;
        case 1:
            bytes.remove(at, qsizetype(random.bounded(64)));
            break;
        case 2:
            bytes.truncate(at);
            break;
        case 3: {
            const qsizetype length = std::min<qsizetype>(bytes.size() - at, qsizetype(random.bounded(256)));
            bytes.insert(at, bytes.mid(at, length));
            break;
        }
        default:
            bytes.insert(at, syntax[random.bounded(int(std::size(syntax)))]);
            break;
        }
    }
    return bytes;
}

} // namespace

class TestRtfMutations : public QObject
{
    Q_OBJECT

private slots:
    void mutatedFixturesGiveDocuments_data();
    void mutatedFixturesGiveDocuments();
};

void TestRtfMutations::mutatedFixturesGiveDocuments_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &name : fixtureNames())
        QTest::newRow(qPrintable(name)) << name;
}

// Every damaged file reads, its document stays linear in the input, and
// what the writer makes of it reads again to the same text.
void TestRtfMutations::mutatedFixturesGiveDocuments()
{
    QFETCH(QString, file);
    const QByteArray original = fixture(file);
    QRandomGenerator random(qHash(file));  // the same runs every time
    for (int run = 0; run < 1000; ++run) {
        const QByteArray damaged = mutate(original, random);
        QTextDocument doc;
        const bool isRtf = RtfReader::read(damaged, &doc);
        QCOMPARE(isRtf, RtfReader::isRtf(damaged));
        const QString text = RtfReader::toPlainText(damaged);
        QVERIFY2(doc.characterCount() <= 16 * damaged.size() + 16, qPrintable(QString::number(run)));
        QVERIFY(text.size() <= damaged.size());

        QTextDocument again;
        RtfReader::read(RtfWriter::write(&doc), &again);
        QCOMPARE(again.toPlainText(), doc.toPlainText());
    }
}

QTEST_MAIN(TestRtfMutations)
#include "tst_rtf_mutations.moc"
