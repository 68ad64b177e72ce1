// The error report: its text, the mail link that carries it, the language
// texts it reads, and the error offer that leads to it.

#include "app/Folders.h"
#include "help/ErrorOffer.h"
#include "help/ErrorReport.h"
#include "help/SystemFacts.h"
#include "platform/SystemInfo.h"
#include "settings/Language.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace {

const QChar VT(11);

QString vt(QString text)
{
    return text.replace(QLatin1Char('|'), VT);
}

SystemFacts sampleFacts()
{
    SystemFacts facts;
    facts.programPathLength = 27;
    facts.driveType = 4;
    facts.csdVersion = QStringLiteral("Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
    facts.memoryLoadPercent = 42;
    facts.memoryTotalBytes = 8589934592ull + 1023;  // a part kilobyte is dropped
    facts.memoryAvailableBytes = 1073741823ull;
    return facts;
}

QString queryItem(const QUrl &link, const QString &key)
{
    return QUrlQuery(link).queryItemValue(key, QUrl::FullyDecoded);
}

struct BoxSeen
{
    bool found = false;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Answers the next modal box by clicking the named button, once it is up.
void answerModalBox(const QString &buttonName, BoxSeen *seen, int triesLeft = 300)
{
    QTimer::singleShot(10, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (triesLeft > 0)
                answerModalBox(buttonName, seen, triesLeft - 1);
            return;
        }
        seen->found = true;
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            seen->buttons << button->objectName();
        seen->buttons.sort();
        if (auto *button = box->findChild<QPushButton *>(buttonName))
            button->click();
        else
            box->reject();
    });
}

} // namespace

class TestErrorReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void reportBeginsWithNumber();
    void reportLayout();
    void driveTypeText_data();
    void driveTypeText();
    void reportOfThisComputer();
    void mailLinkRoundTrip_data();
    void mailLinkRoundTrip();
    void sendReadsLanguageTexts_data();
    void sendReadsLanguageTexts();
    void errorOffer_data();
    void errorOffer();

private:
    void useLanguage(const QString &fileName);

    QTemporaryDir m_data;
    QList<QUrl> m_opened;
};

void TestErrorReport::initTestCase()
{
    QVERIFY(m_data.isValid());
    DataFolder = m_data.path();
    // No test may ever start a mail program.
    ErrorReport::linkOpener = [this](const QUrl &link) { m_opened << link; };
}

void TestErrorReport::init()
{
    m_opened.clear();
    useLanguage(QStringLiteral("English.lng"));
}

void TestErrorReport::cleanupTestCase()
{
    ErrorReport::linkOpener = nullptr;
}

void TestErrorReport::useLanguage(const QString &fileName)
{
    QFile settings(m_data.filePath(QStringLiteral("Tune.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write("[Languages]\nLanguage=" + fileName.toUtf8() + "\n");
}

void TestErrorReport::reportBeginsWithNumber()
{
    const QString text = ErrorReport::composeText(17, SystemFacts::current(), QStringLiteral("Describe it"));
    QVERIFY2(text.startsWith(QStringLiteral("[Bug]") + VT + QStringLiteral("Number=17") + VT), qPrintable(text));
}

void TestErrorReport::reportLayout()
{
    const QString expected = vt(QStringLiteral(
        "[Bug]|Number=22|"
        "[Version]|VerNum=0|"
        "[ParamStr]|Len=27|"
        "[Drive]|Type=REMOTE|"
        "[System]|OS=|CSDVersion=Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64|"
        "Memory load=42|Memory total=8388608|Memory available=1048575||"
        "Please describe what happened."));
    QCOMPARE(ErrorReport::composeText(22, sampleFacts(), QStringLiteral("Please describe what happened.")), expected);
}

void TestErrorReport::driveTypeText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("line");

    QTest::newRow("0") << 0 << vt(QStringLiteral("The drive type cannot be determined|"));
    QTest::newRow("1") << 1 << vt(QStringLiteral("The root directory does not exist|"));
    QTest::newRow("2") << 2 << vt(QStringLiteral("REMOVABLE|"));
    QTest::newRow("3") << 3 << vt(QStringLiteral("FIXED|"));
    QTest::newRow("4") << 4 << vt(QStringLiteral("REMOTE|"));
    QTest::newRow("5") << 5 << vt(QStringLiteral("CD-ROM|"));
    QTest::newRow("6") << 6 << vt(QStringLiteral("RAM DISK|"));
    // Outside the known numbers the line is left out: "[System]" follows at once.
    QTest::newRow("7") << 7 << QString();
    QTest::newRow("-1") << -1 << QString();
}

void TestErrorReport::driveTypeText()
{
    QFETCH(int, type);
    QFETCH(QString, line);
    SystemFacts facts = sampleFacts();
    facts.driveType = type;
    const QString text = ErrorReport::composeText(3, facts, QString());
    const QString expected = QStringLiteral("[Drive]") + VT + QStringLiteral("Type=") + line + QStringLiteral("[System]") + VT;
    QVERIFY2(text.contains(expected), qPrintable(text));
}

void TestErrorReport::reportOfThisComputer()
{
    const SystemFacts facts = SystemFacts::current();
    const QString text = ErrorReport::composeText(2, facts, QString());

    QCOMPARE(facts.programPathLength, int(QCoreApplication::applicationFilePath().size()));
    QVERIFY(text.contains(VT + QStringLiteral("Len=") + QString::number(facts.programPathLength) + VT));
    QCOMPARE(facts.driveType, int(SystemInfo::driveType(QCoreApplication::applicationDirPath())));
    QVERIFY(facts.driveType >= 2 && facts.driveType <= 6);

    // No Windows version matches this system; its name and kernel stand in
    // the service-pack line.
    QVERIFY(facts.osNames.isEmpty());
    QVERIFY2(facts.csdVersion.contains(QStringLiteral("Linux ") + SystemInfo::kernelRelease()), qPrintable(facts.csdVersion));
    if (!SystemInfo::osPrettyName().isEmpty())
        QVERIFY(facts.csdVersion.startsWith(SystemInfo::osPrettyName() + QStringLiteral(", ")));
    QVERIFY(text.contains(QStringLiteral("[System]") + VT + QStringLiteral("OS=") + VT + QStringLiteral("CSDVersion=")
                          + facts.csdVersion + VT + QStringLiteral("Memory load=")));

    QVERIFY(facts.memoryTotalBytes > 0);
    QVERIFY(facts.memoryAvailableBytes <= facts.memoryTotalBytes);
    QVERIFY(text.contains(VT + QStringLiteral("Memory total=") + QString::number(facts.memoryTotalBytes / 1024) + VT));
}

void TestErrorReport::mailLinkRoundTrip_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");

    QTest::newRow("plain") << "Report" << "Number=2";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("delimiters") << "Bug & crash #3?" << "a=b&body=evil#frag?x=1 + 100% done/\\";
    QTest::newRow("report text") << "Quillery error report"
                                 << ErrorReport::composeText(12, sampleFacts(), QStringLiteral("What were you doing?"));
    QTest::newRow("cyrillic") << QStringLiteral("Отчёт об ошибке") << QStringLiteral("Опишите, что произошло & где?\nНомер #5");
}

void TestErrorReport::mailLinkRoundTrip()
{
    QFETCH(QString, subject);
    QFETCH(QString, body);
    const QUrl link = ErrorReport::mailLink(subject, body);
    QVERIFY2(link.isValid(), qPrintable(link.errorString()));

    // The desktop gets the link as text; read it back from that text.
    const QByteArray encoded = link.toEncoded();
    const QUrl parsed = QUrl::fromEncoded(encoded, QUrl::StrictMode);
    QCOMPARE(parsed.scheme(), QStringLiteral("mailto"));
    QCOMPARE(parsed.path(), QString::fromLatin1(ErrorReport::SupportAddress));
    QCOMPARE(parsed.fragment(), QString());
    QCOMPARE(QUrlQuery(parsed).queryItems(QUrl::FullyDecoded).size(), 2);
    QCOMPARE(queryItem(parsed, QStringLiteral("subject")), subject);
    QCOMPARE(queryItem(parsed, QStringLiteral("body")), body);
    QVERIFY2(!encoded.contains(' ') && !encoded.contains('#') && encoded.count('?') == 1 && encoded.count('&') == 1,
             encoded.constData());
}

void TestErrorReport::sendReadsLanguageTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "English.lng";
    // Missing texts give an empty subject and an empty closing request.
    QTest::newRow("missing file") << "Missing.lng";
}

void TestErrorReport::sendReadsLanguageTexts()
{
    QFETCH(QString, language);
    useLanguage(language);
    const LanguageFile texts(language);
    const QString subject = texts.text(QStringLiteral("Messages"), QStringLiteral("Bug Report"));
    const QString additional = texts.text(QStringLiteral("Messages"), QStringLiteral("BugReportAdditional"));
    if (language == QLatin1String("English.lng"))
        QVERIFY(!subject.isEmpty() && !additional.isEmpty() && subject != additional);
    else
        QVERIFY(subject.isEmpty() && additional.isEmpty());

    ErrorReport::send(9);
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(queryItem(m_opened[0], QStringLiteral("subject")), subject);
    const QString body = queryItem(m_opened[0], QStringLiteral("body"));
    QVERIFY2(body.startsWith(QStringLiteral("[Bug]") + VT + QStringLiteral("Number=9") + VT), qPrintable(body));
    QVERIFY2(body.endsWith(VT + QString(VT) + additional), qPrintable(body));
    QVERIFY(body.contains(QStringLiteral("Memory available=")));
}

void TestErrorReport::errorOffer_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("reported");
    QTest::newRow("OK") << "MSG_BTN_OK" << true;
    QTest::newRow("No") << "MSG_BTN_NO" << false;
}

void TestErrorReport::errorOffer()
{
    QFETCH(QString, button);
    QFETCH(bool, reported);
    BoxSeen seen;
    answerModalBox(button, &seen);
    QCOMPARE(offerErrorReport(nullptr, 25), reported);

    QVERIFY(seen.found);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.text, LanguageFile().text(QStringLiteral("Messages"), QStringLiteral("Error")));
    QVERIFY(!seen.text.isEmpty());
    QCOMPARE(seen.buttons, QStringList({QStringLiteral("MSG_BTN_NO"), QStringLiteral("MSG_BTN_OK")}));
    QCOMPARE(m_opened.size(), reported ? 1 : 0);
    if (reported)
        QVERIFY(queryItem(m_opened[0], QStringLiteral("body")).startsWith(QStringLiteral("[Bug]") + VT + QStringLiteral("Number=25") + VT));
}

QTEST_MAIN(TestErrorReport)
#include "tst_errorreport.moc"
