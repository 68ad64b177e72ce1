#include "platform/widgets/Balloon.h"
#include "platform/widgets/BalloonService.h"

#include <QApplication>
#include <QTest>

class TestBalloon : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void slotsOpenAndCloseIndependently()
    {
        QWidget owner;
        BalloonService service(&owner);
        QVERIFY(!service.close(9));  // an empty slot reports it
        QVERIFY(service.open(9, "First", 255, true, false, 200, 100, 100, "one"));
        QVERIFY(service.open(0, "General", 255, true, false, 200, 300, 100, "two"));
        QVERIFY(service.close(9));
        QVERIFY(service.open(9, "Second", 255, true, false, 200, 100, 100, "three"));
        QCoreApplication::processEvents();
        QCOMPARE(service.balloon(9)->title(), QStringLiteral("Second"));
        int shown = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            shown += qobject_cast<Balloon *>(w) && w->isVisible() && w->isVisibleTo(nullptr) ? 1 : 0;
        QCOMPARE(shown, 2);  // slot 0 and the new slot 9 only
        QVERIFY(!service.isOpening());
    }

    void tipSitsAtThePointAndTextWrapsAtTheWidth()
    {
        QWidget owner;
        BalloonService service(&owner);
        const QString longText = QString("word ").repeated(60);
        QVERIFY(service.open(0, QString(), 128, true, false, 150, 400, 300, longText));
        Balloon *b = service.balloon(0);
        QVERIFY(b->isVisible());
        QCOMPARE(b->windowOpacity(), 128 / 255.0);
        QVERIFY(b->textWidth() <= 150);
        QVERIFY(b->height() > 3 * b->fontMetrics().height());  // wrapped onto several lines
        // The window starts at the tip's height and spans it horizontally.
        QCOMPARE(b->geometry().top(), 300);
        QVERIFY(b->geometry().left() <= 400 && b->geometry().right() >= 400);
        QVERIFY(service.close(0));
        QVERIFY(!service.isOpen(0));
    }
};

QTEST_MAIN(TestBalloon)
#include "tst_balloon.moc"
