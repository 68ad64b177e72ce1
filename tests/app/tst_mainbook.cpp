#include "../support/ScratchHome.h"
#include "app/BookFlags.h"
#include "app/Folders.h"
#include "app/StatusTexts.h"
#include "app/TMainForm.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/Table.h"
#include "settings/Profile.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QString g_boxText;

// Answers the next modal box with its escape button and records its text.
void answerNextBox()
{
    g_boxText.clear();
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            g_boxText = box->text();
            box->reject();
        }
    });
}

void addRecord(Table *table, const QString &caption)
{
    table->insert();
    table->setFieldValue(QStringLiteral("Caption"), caption);
    table->post();
}

} // namespace

class TestMainBook : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScratchHome> m_home;

    QString dataFolder() const { return m_home->path() + "/data/Quillery"; }

    void writeSettings(const QByteArray &content)
    {
        QDir().mkpath(dataFolder());
        QFile file(dataFolder() + "/Tune.ini");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

private Q_SLOTS:
    void init()
    {
        m_home = std::make_unique<ScratchHome>();
    }

    void emptyBookPanels()
    {
        TMainForm form;
        QVERIFY(form.isUsable());
        QVERIFY(form.MainTable->isActive());
        QCOMPARE(form.MainTable->state(), Table::State::Insert);
        QCOMPARE(form.CreatedStatusPanel->text(), QStringLiteral("No records"));
        QCOMPARE(form.ModifiedStatusPanel->text(), QStringLiteral("No records"));
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record 1"));

        form.MainTable->post();
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record 1 of 1"));
        const QString today = form.statusTexts().dayNames[storedDayOfWeek(QDate::currentDate())];
        QVERIFY2(form.CreatedStatusPanel->text().startsWith(today + "  "), qPrintable(form.CreatedStatusPanel->text()));
        QCOMPARE(form.MainTable->fieldValue("Date").toString(), QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(form.MainTable->fieldValue("ModifiedDate").toString(), QDate::currentDate().toString(Qt::ISODate));
    }

    void pendingRecordShowsTheNextNumber()
    {
        TMainForm form;
        form.MainTable->cancel();
        for (int i = 0; i < 10; ++i)
            addRecord(form.MainTable, QStringLiteral("Note %1").arg(i));
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record %1 of 10").arg(form.MainTable->position()));
        form.MainTable->insert();
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record 11"));
        form.MainTable->cancel();
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record %1 of 10").arg(form.MainTable->position()));
    }

    void weekdayNumbering_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("stored");
        QTest::newRow("Sunday") << QDate(2026, 12, 13) << 1;
        QTest::newRow("Monday") << QDate(2026, 12, 14) << 2;
        QTest::newRow("Saturday") << QDate(2026, 12, 12) << 7;
    }

    void weekdayNumbering()
    {
        QFETCH(QDate, date);
        QFETCH(int, stored);
        QCOMPARE(storedDayOfWeek(date), stored);
    }

    void storedWeekdayNamesThePanel()
    {
        TMainForm form;
        form.MainTable->setFieldValue("DayOfWeek", 1);
        form.MainTable->setFieldValue("ModifiedDayOfWeek", 9);  // written by other means: no name
        form.MainTable->post();
        QVERIFY2(form.CreatedStatusPanel->text().startsWith(QStringLiteral("Sunday  ")),
                 qPrintable(form.CreatedStatusPanel->text()));
        QVERIFY(form.ModifiedStatusPanel->text().startsWith(QStringLiteral("  ")));
    }

    void captionChangeKeepsModificationStamps()
    {
        TMainForm form;
        form.show();
        form.MainTable->setFieldValue("ModifiedDate", QStringLiteral("2001-02-03"));
        form.MainTable->setFieldValue("ModifiedTime", QStringLiteral("04:05:06"));
        form.MainTable->post();

        QTest::keyClicks(form.NameDBEdit, QStringLiteral("A caption"));
        form.MainTable->post();
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("A caption"));
        QCOMPARE(form.MainTable->fieldValue("ModifiedDate").toString(), QStringLiteral("2001-02-03"));
        QCOMPARE(form.MainTable->fieldValue("ModifiedTime").toString(), QStringLiteral("04:05:06"));

        QTest::keyClicks(form.MainDBRichEdit, QStringLiteral("A body"));
        form.MainTable->post();
        QCOMPARE(form.MainTable->fieldValue("ModifiedDate").toString(), QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(form.MainTable->fieldValue("Date").toString(), QDate::currentDate().toString(Qt::ISODate));
    }

    void suppressedStampsLeaveTheRecordBlank()
    {
        TMainForm form;
        form.MainTable->cancel();
        SuppressNewRecordStamps = true;
        form.MainTable->insert();
        SuppressNewRecordStamps = false;
        QVERIFY(!NewRecordPending);
        QVERIFY(!form.MainTable->fieldValue("Date").isValid());
    }

    void openBookNeedsAClosedTable()
    {
        TMainForm form;
        QVERIFY(!form.OpenBook());
        QVERIFY(form.MainTable->isActive());
        QVERIFY(form.CloseBook());
        QVERIFY(form.OpenBook());
    }

    void sortSettingChoosesTheOrder_data()
    {
        QTest::addColumn<QByteArray>("interface");
        QTest::addColumn<QString>("order");
        QTest::newRow("absent") << QByteArray() << Table::CaptionOrder;
        QTest::newRow("by caption") << QByteArray("SortByCaption=1\r\n") << Table::CaptionOrder;
        QTest::newRow("by date") << QByteArray("SortByCaption=0\r\n") << Table::DateOrder;
    }

    void sortSettingChoosesTheOrder()
    {
        QFETCH(QByteArray, interface);
        QFETCH(QString, order);
        {
            TMainForm first;  // installs the skeleton
        }
        Profile settings(dataFolder() + "\\Tune.ini");
        settings.deleteKey("Interface", "SortByCaption");
        if (!interface.isEmpty())
            settings.writeBool("Interface", "SortByCaption", interface.contains("=1"));
        settings.flush();
        TMainForm form;
        QCOMPARE(form.MainTable->orderName(), order);
    }

    void emptyLibraryOpensThePlaceholderBook()
    {
        {
            TMainForm first;
        }
        writeSettings("[Libraries]\r\nCurLibNum=1\r\n");
        TMainForm form;
        QVERIFY(form.isUsable());
        QVERIFY(BookFolder.endsWith(QStringLiteral("\\Libraries\\Templates\\Book0\\")));
        QVERIFY(!form.NameDBEdit->isEnabled());
        QVERIFY(!form.MainDBRichEdit->isEnabled());
    }

    void unopenableBookEndsTheStart()
    {
        {
            TMainForm first;
        }
        QFile::remove(dataFolder() + "/Libraries/Library1/Collection1/Book1/bf.db");
        answerNextBox();
        TMainForm form;
        QVERIFY(!form.isUsable());
        QCOMPARE(g_boxText, QStringLiteral("The current book could not be opened. The program will close."));
    }
};

QTEST_MAIN(TestMainBook)
#include "tst_mainbook.moc"
