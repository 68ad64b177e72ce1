#include "app/Folders.h"
#include "app/StartupState.h"
#include "app/TMainForm.h"

#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", (m_home.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toUtf8());
    }

    void firstAndSecondStart()
    {
        {
            TMainForm form;
            QVERIFY(form.isUsable());
            QVERIFY(FirstStart);
            QCOMPARE(DataFolder, m_home.path() + "/data\\Quillery");
            QCOMPARE(form.windowTitle(), QStringLiteral("Quillery"));
            QCOMPARE(form.size(), QSize(757, 522));
            QVERIFY(QFile::exists(m_home.path() + "/data/Quillery/Tune.ini"));
        }
        TMainForm again;
        QVERIFY(!FirstStart);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
