#include "platform/skin/SkinMessageBox.h"
#include "platform/skin/StringTable.h"
#include "settings/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct SeenBox
{
    QString title;
    QString text;
    QStringList buttons;  // object names, in the box's order
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Presses the named button of the next modal box (or closes it with Escape
// when the name is empty) and records what the box showed.
SeenBox *answerNextBox(const QString &buttonName)
{
    static SeenBox seen;
    seen = SeenBox{};
    QTimer::singleShot(0, [buttonName] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            seen.buttons << b->objectName();
        seen.buttons.sort();
        if (buttonName.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->findChild<QPushButton *>(buttonName)->click();
    });
    return &seen;
}

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());  // no settings: English
        StringTable::setEntries({QStringLiteral("MSG_BTN_OK=OK"), QStringLiteral("MSG_BTN_CANCEL=Cancel"),
                                 QStringLiteral("MSG_BTN_YES=Yes"), QStringLiteral("MSG_BTN_NO=No"),
                                 QStringLiteral("MSG_CAP_CONFIRM=Please confirm"), QStringLiteral("broken entry")});
    }

    void boxResults_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("result");
        using B = SkinMessageBox::Button;
        QTest::newRow("OK") << int(B::OK | B::No) << "MSG_BTN_OK" << 1;
        QTest::newRow("No") << int(B::OK | B::No) << "MSG_BTN_NO" << 7;
        QTest::newRow("Yes") << int(B::Yes | B::No) << "MSG_BTN_YES" << 6;
        QTest::newRow("Cancel") << int(B::OK | B::Cancel) << "MSG_BTN_CANCEL" << 2;
        QTest::newRow("Escape is Cancel") << int(B::Yes | B::No | B::Cancel) << "" << 2;
        QTest::newRow("Escape is No without Cancel") << int(B::OK | B::No) << "" << 7;
        QTest::newRow("Escape with one button") << int(B::Yes) << "" << 6;
    }

    void boxResults()
    {
        QFETCH(int, buttons);
        QFETCH(QString, press);
        QFETCH(int, result);
        answerNextBox(press);
        QCOMPARE(SkinMessageBox::show(nullptr, SkinMessageBox::Warning, QStringLiteral("t"), buttons), result);
    }

    void stringTableNamesTheButtons()
    {
        QCOMPARE(StringTable::text(QStringLiteral("MSG_BTN_OK")), QStringLiteral("OK"));
        QCOMPARE(StringTable::text(QStringLiteral("broken entry")), QString());
        SeenBox *seen = answerNextBox(QStringLiteral("MSG_BTN_OK"));
        QVERIFY(Messages::ask(nullptr, QStringLiteral("SortBooksQuestion")));
        QCOMPARE(seen->title, QStringLiteral("Please confirm"));
        QCOMPARE(seen->icon, QMessageBox::Question);
        QCOMPARE(seen->buttons, QStringList({QStringLiteral("MSG_BTN_CANCEL"), QStringLiteral("MSG_BTN_OK")}));
        QVERIFY(!seen->text.isEmpty());
        answerNextBox(QStringLiteral("MSG_BTN_CANCEL"));
        QVERIFY(!Messages::ask(nullptr, QStringLiteral("SortBooksQuestion")));
    }

    void helpModeNoticeHasOneYesButton()
    {
        SeenBox *seen = answerNextBox(QStringLiteral("MSG_BTN_YES"));
        Messages::helpModeNotice(nullptr);
        QCOMPARE(seen->buttons, QStringList({QStringLiteral("MSG_BTN_YES")}));
        QCOMPARE(seen->icon, QMessageBox::Information);
        QCOMPARE(seen->text, Messages::text(QStringLiteral("HelpMode")));
        QVERIFY(!seen->text.isEmpty());
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
