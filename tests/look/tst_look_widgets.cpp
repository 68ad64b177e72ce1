// The objects the main window attaches: hover enlargement and the press
// shift of picture buttons, transitions over a panel, window opacity and
// fading, and the hint for a caption too wide for its field.

#include "platform/effects/Effects.h"
#include "platform/effects/PictureHoverTracker.h"
#include "platform/effects/Transition.h"
#include "platform/effects/WindowFader.h"
#include "platform/skin/CaptionHint.h"
#include "platform/widgets/PictureButton.h"
#include "settings/WindowOpacity.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

namespace {

QString icon(int size, const char *file)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/Icons/Basic/%1x%1/").arg(size)
           + QString::fromLatin1(file);
}

void moveOver(QWidget *widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(widget->rect().center()), widget->mapToGlobal(QPointF(widget->rect().center())),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class TestLookWidgets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hoverLargeStraightOntoSmall();
    void missingPictureLeavesButtonEmpty();
    void pressShiftsAndReturns();
    void maskRevealsBlackFirst();
    void rollAndInstantRuns();
    void missingMaskEndsAtOnce();
    void opacityAndFading();
    void captionHintOnlyWhenTooWide();
};

void TestLookWidgets::hoverLargeStraightOntoSmall()
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *large = new PictureButton(5, &window);
    auto *small = new PictureButton(27, &window);
    layout->addWidget(large);
    layout->addWidget(small);
    PictureHoverTracker tracker;
    int backgroundMoves = 0;
    tracker.setBackgroundMoveHandler([&] { ++backgroundMoves; });
    tracker.addButton(large, icon(32, "Editing.png"), 32, icon(48, "Editing.png"), 48);
    tracker.addButton(small, icon(24, "Copy.png"), 24, icon(32, "Copy.png"), 32);
    tracker.addBackground(&window);
    tracker.loadNormalPictures();
    QCOMPARE(large->picture().size(), QSize(32, 32));
    QCOMPARE(small->picture().size(), QSize(24, 24));

    moveOver(large);
    QCOMPARE(large->picture().size(), QSize(48, 48));
    QCOMPARE(large->iconSize(), QSize(48, 48));
    moveOver(small);  // straight across: the large one returns to 32, not 24
    QCOMPARE(large->picture().size(), QSize(32, 32));
    QCOMPARE(large->iconSize(), QSize(32, 32));
    QCOMPARE(small->picture().size(), QSize(24, 24));
    moveOver(small);
    QCOMPARE(small->picture().size(), QSize(32, 32));
    QCOMPARE(backgroundMoves, 0);  // moves over buttons are not the background's

    moveOver(&window);
    QCOMPARE(small->picture().size(), QSize(24, 24));
    QCOMPARE(tracker.enlargedButton(), -1);
    QCOMPARE(backgroundMoves, 1);
}

void TestLookWidgets::missingPictureLeavesButtonEmpty()
{
    QTemporaryDir dir;
    PictureButton button(3);
    PictureHoverTracker tracker;
    tracker.addButton(&button, dir.filePath("none.png"), 32, dir.filePath("none48.png"), 48);
    tracker.loadNormalPictures();
    QVERIFY(button.picture().isNull());
    moveOver(&button);
    QVERIFY(button.picture().isNull());
    QVERIFY(QApplication::topLevelWidgets().size() <= 1 || !QApplication::activeModalWidget());
}

void TestLookWidgets::pressShiftsAndReturns()
{
    QWidget window;
    auto *button = new PictureButton(0, &window);
    button->move(10, 20);
    int clicks = 0;
    connect(button, &QToolButton::clicked, [&] { ++clicks; });
    PictureHoverTracker tracker;
    tracker.addButton(button, icon(32, "Library.png"), 32, icon(48, "Library.png"), 48);
    window.show();
    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(button->pos(), QPoint(13, 23));
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(button->pos(), QPoint(10, 20));
    QCOMPARE(clicks, 1);
}

void TestLookWidgets::maskRevealsBlackFirst()
{
    QTemporaryDir dir;
    // Left half black, right half white: the left half is revealed first.
    QImage mask(40, 20, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            mask.setPixel(x, y, qRgb(0, 0, 0));
    const QString maskFile = dir.filePath("A1.bmp");
    QVERIFY(mask.save(maskFile));

    QWidget panel;
    panel.resize(200, 100);
    panel.show();
    auto *transition = new Transition(&panel);
    QVERIFY(transition->setMaskPicture(maskFile));
    QSignalSpy finished(transition, &Transition::finished);
    transition->run(Transition::Kind::Mask, 60000);
    transition->setProgress(0.3);
    QVERIFY(transition->showsNewLookAt(10, 50));
    QVERIFY(!transition->showsNewLookAt(190, 50));
    QCOMPARE(finished.count(), 0);
    transition->setProgress(1.0);
    QCOMPARE(finished.count(), 1);
}

void TestLookWidgets::rollAndInstantRuns()
{
    QWidget panel;
    panel.resize(100, 100);
    panel.show();
    auto *roll = new Transition(&panel);
    roll->run(Transition::Kind::Roll, 60000);
    roll->setProgress(0.5);
    QVERIFY(roll->showsNewLookAt(50, 10));
    QVERIFY(!roll->showsNewLookAt(50, 90));
    roll->setProgress(1.0);

    // Interlaced: even lines come from the top, odd lines from the bottom.
    auto *interlaced = new Transition(&panel);
    interlaced->run(Transition::Kind::Interlaced, 60000);
    interlaced->setProgress(0.2);
    QVERIFY(interlaced->showsNewLookAt(5, 2) && !interlaced->showsNewLookAt(5, 3));
    QVERIFY(interlaced->showsNewLookAt(5, 97) && !interlaced->showsNewLookAt(5, 96));
    interlaced->setProgress(1.0);

    Effects::setInstant(true);
    bool changed = false;
    Transition *left = Transition::play(&panel, Transition::Kind::Waterfall, 1000, [&] { changed = true; });
    Effects::setInstant(false);
    QVERIFY(changed);
    QVERIFY(!left);  // already ended
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!panel.findChild<Transition *>());

    // A real run ends by itself after its duration.
    auto *timed = Transition::play(&panel, Transition::Kind::Waterfall, 50, {});
    QVERIFY(timed);
    QSignalSpy finished(timed, &Transition::finished);
    QVERIFY(finished.wait(2000));
}

void TestLookWidgets::missingMaskEndsAtOnce()
{
    QTemporaryDir dir;
    QWidget panel;
    panel.resize(50, 50);
    auto *transition = new Transition(&panel);
    QVERIFY(!transition->setMaskPicture(dir.filePath("A9.bmp")));
    QSignalSpy finished(transition, &Transition::finished);
    transition->run(Transition::Kind::Mask, 1000);
    QCOMPARE(finished.count(), 1);
}

void TestLookWidgets::opacityAndFading()
{
    WindowOpacity opacity;
    opacity.alpha = WindowOpacity::alphaFromValue(300);
    QWidget window;
    WindowFader::apply(&window, opacity.level(), false);
    window.show();
    QCOMPARE(qRound(window.windowOpacity() * 255), 44);

    // Fading: the window starts clear on show and ends at its level.
    QWidget faded;
    WindowFader::apply(&faded, 0.8, true);
    faded.show();
    QVERIFY(faded.windowOpacity() < 0.5);
    QTRY_COMPARE_WITH_TIMEOUT(qRound(faded.windowOpacity() * 100), 80, 3000);

    // Applied again: not translucent any more, and no second fader.
    opacity.translucent = false;
    WindowFader::apply(&faded, opacity.level(), false);
    QCOMPARE(faded.windowOpacity(), 1.0);
    QCOMPARE(faded.findChildren<WindowFader *>().size(), 1);

    Effects::setInstant(true);
    QWidget instant;
    WindowFader::apply(&instant, 0.5, true);
    instant.show();
    QVERIFY(qAbs(instant.windowOpacity() - 0.5) < 0.01);  // stored in 8 bits
    Effects::setInstant(false);
}

void TestLookWidgets::captionHintOnlyWhenTooWide()
{
    QLineEdit field;
    field.setFixedWidth(120);
    field.setToolTip(QStringLiteral("The record's caption"));
    const QString full = QStringLiteral("A caption far too long to be read in a field this narrow — Ünïcødé too");
    CaptionHint::attach(&field, [&] { return full; });
    field.show();
    QCOMPARE(field.toolTipDuration(), CaptionHint::kHintMs);

    field.setText(QStringLiteral("Short"));
    QVERIFY(!CaptionHint::doesNotFit(&field));
    field.setText(full);
    QVERIFY(CaptionHint::doesNotFit(&field));

    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), field.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&field, &help);
    QTRY_COMPARE(QToolTip::text(), full);
    QToolTip::hideText();
}

QTEST_MAIN(TestLookWidgets)
#include "tst_look_widgets.moc"
