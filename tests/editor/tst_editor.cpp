#include "../support/ScratchHome.h"
#include "app/BookFlags.h"
#include "app/Folders.h"
#include "app/TMainForm.h"
#include "editor/BookmarkTabStrip.h"
#include "editor/FindReplaceDialog.h"
#include "editor/ReplaceAllRun.h"
#include "editor/TReplaceAllForm.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/Table.h"
#include "platform/widgets/BalloonService.h"
#include "platform/widgets/Balloon.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"
#include "settings/Profile.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Answers the next modal message box with its first button and keeps its
// text in `seen`.
void answerNextBox(QString *seen)
{
    QTimer::singleShot(0, [seen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *seen = box->text();
            box->buttons().first()->click();
        } else {
            answerNextBox(seen);  // not open yet
        }
    });
}

QByteArray rtfOf(const QStringList &paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (int i = 0; i < paragraphs.size(); ++i) {
        if (i)
            rtf += "\\par ";
        rtf += paragraphs[i].toLatin1();
    }
    return rtf + "}";
}

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScratchHome> m_home;
    std::unique_ptr<TMainForm> m_form;

    TMainForm &form() { return *m_form; }
    DBRichEdit *editor() { return m_form->MainDBRichEdit; }
    Table *table() { return m_form->MainTable; }
    QString bookmarksPath() const { return BookFolder + QStringLiteral("Bookmarks.ini"); }

    // Fills the book with records whose bodies are the given paragraph lists,
    // and shows the first one.
    void fill(const QList<QStringList> &bodies)
    {
        if (table()->state() == Table::State::Insert)
            table()->cancel();
        int n = 0;
        for (const QStringList &body : bodies) {
            table()->insert();
            table()->setFieldValue("Caption", QStringLiteral("R%1").arg(++n, 3, 10, QChar('0')));
            table()->setFieldValue("Description", rtfOf(body));
            table()->post();
        }
        table()->first();
        table()->edit();
        QCoreApplication::processEvents();
    }

    QString status() const { return m_form->EditingGroupBox->title(); }

    void selectWord(const QString &word)
    {
        const int at = int(editor()->text().indexOf(word));
        QVERIFY(at >= 0);
        editor()->setSelection(at, int(word.size()));
    }

    FindReplaceDialog *openReplace(const QString &find, const QString &replacement)
    {
        QTest::mouseClick(form().button(2), Qt::LeftButton);
        FindReplaceDialog *d = form().ReplaceDialog1;
        d->setFindText(find);
        d->setReplaceText(replacement);
        return d;
    }

    // Presses Replace All and answers the scope dialog.
    void replaceAll(bool allRecords, bool entire, QString *report)
    {
        QTimer::singleShot(0, [=] {
            auto *f = qobject_cast<TReplaceAllForm *>(QApplication::activeModalWidget());
            QVERIFY(f);
            if (allRecords)
                f->AllRecordsRadioBox->click();
            if (entire)
                f->EntireScopeRadioBox->click();
            if (allRecords)
                answerNextBox(report);
            f->OKButton->click();
        });
        form().ReplaceDialog1->replaceAllButton()->click();
    }

private Q_SLOTS:
    void init()
    {
        m_home = std::make_unique<ScratchHome>();
        m_form = std::make_unique<TMainForm>();
        MainForm = m_form.get();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup()
    {
        MainForm = nullptr;
        m_form.reset();
    }

    // ---- Editing commands

    void statusLineFollowsSelectionAndCaret()
    {
        fill({{"first line", "second"}});
        editor()->setFocus();
        QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(status(), QStringLiteral("Selected: %1").arg(editor()->text().size()));
        QVERIFY(form().EditorHasSelection);
        // A key release with the selection still there keeps the count.
        QTest::keyRelease(editor(), Qt::Key_Shift);
        QVERIFY(status().startsWith("Selected:"));
        editor()->setSelection(13, 0);  // collapse inside "second"
        QVERIFY(!form().EditorHasSelection);
        QTest::keyRelease(editor(), Qt::Key_Shift);
        QCOMPARE(status(), QStringLiteral("2:3"));
        form().NameDBEdit->setFocus();
        QCOMPARE(status(), QString());
    }

    void clearFormatKeepsFontAndSize()
    {
        fill({{"formatted paragraph"}});
        editor()->setFocus();
        editor()->selectAll();
        CharAttributes courier;
        courier.fontName = "Courier New";
        courier.pointSize = 14;
        courier.color = Qt::black;
        courier.bold = courier.italic = true;
        editor()->setSelectionFont(courier);
        editor()->setParagraphBullets(true);
        editor()->setParagraphAlignment(Qt::AlignHCenter);
        QTest::keyClick(editor(), Qt::Key_Q, Qt::ControlModifier);
        const CharAttributes after = editor()->selectionAttributes();
        QCOMPARE(after.fontName, QStringLiteral("Courier New"));
        QCOMPARE(after.pointSize, 14.0);
        QVERIFY(!after.bold && !after.italic && !after.underline && !after.strikeOut);
        QVERIFY(!editor()->paragraphsBulleted());
        QVERIFY(editor()->paragraphAlignment() & Qt::AlignLeft);
    }

    void ctrlSTogglesStrikeOutAndDoesNotSave()
    {
        fill({{"some words"}});
        selectWord("words");
        editor()->setFocus();
        const QVariant stored = table()->valueAt(0, "Description");
        QTest::keyClick(editor(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(editor()->selectionHasStyle(FontStyle::StrikeOut));
        QVERIFY(editor()->isModified());
        QVERIFY(table()->isEditing());
        QCOMPARE(table()->valueAt(0, "Description"), stored);
        QVERIFY(!form().bookmarkStripShown());  // Ctrl+S is not a bookmark key
        QTest::keyClick(editor(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!editor()->selectionHasStyle(FontStyle::StrikeOut));
    }

    void toolbarButtonsRunTheirActions()
    {
        fill({{"bold me"}});
        editor()->setFocus();
        selectWord("bold");
        form().editorButton("Bold")->click();
        QVERIFY(editor()->selectionHasStyle(FontStyle::Bold));
        form().editorButton("AlignRight")->click();
        QVERIFY(editor()->paragraphAlignment() & Qt::AlignRight);
        form().editorButton("Cut")->click();
        QCOMPARE(editor()->text(), QStringLiteral(" me"));
        QCOMPARE(status(), QStringLiteral("1:1"));
    }

    void layoutTogglesRestoreEveryGeometry_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<bool>("fullWindow");
        QTest::addColumn<bool>("strip");
        QTest::newRow("toolbar") << true << false << false;
        QTest::newRow("full window") << false << true << false;
        QTest::newRow("both") << true << true << false;
        QTest::newRow("toolbar, strip") << true << false << true;
        QTest::newRow("both, strip") << true << true << true;
    }

    void layoutTogglesRestoreEveryGeometry()
    {
        QFETCH(bool, toolbar);
        QFETCH(bool, fullWindow);
        QFETCH(bool, strip);
        fill({{"line"}});
        if (strip) {
            form().NewBookmarkButtonClick();
            QVERIFY(form().bookmarkStripShown());
        }
        QCoreApplication::processEvents();
        const auto geometries = [this] {
            QList<QRect> out;
            for (QWidget *w : std::initializer_list<QWidget *>{form().EditingGroupBox, form().MainDBRichEdit,
                               form().MainDBRichEditEffectsPanel, form().MainDBRichEditGroupBox,
                               static_cast<QWidget *>(form().ItemsGroupBox), static_cast<QWidget *>(form().NameDBEdit),
                               static_cast<QWidget *>(form().BookmarkStrip)})
                out << (w ? QRect(w->mapTo(&form(), QPoint()), w->size()) : QRect());
            return out;
        };
        const QList<QRect> before = geometries();
        const int frameWidth = form().EditingGroupBox->width();
        const int frameHeight = form().EditingGroupBox->height();
        if (toolbar)
            form().EditorInstrumentsButtonClick();
        if (fullWindow)
            form().FullWindowEditorButtonClick();
        QCoreApplication::processEvents();
        int expectedWidth = frameWidth - (toolbar ? 56 : 0);
        if (fullWindow) {
            QVERIFY(form().EditingGroupBox->width() > expectedWidth + 100);
            QVERIFY(form().EditingGroupBox->height() > frameHeight);
        } else {
            QCOMPARE(form().EditingGroupBox->width(), expectedWidth);
        }
        if (strip)  // the strip follows the editor, 20 pixels in from each side
            QCOMPARE(form().BookmarkStrip->width(), form().MainDBRichEditEffectsPanel->width() - 40);
        if (fullWindow)
            form().FullWindowEditorButtonClick();
        if (toolbar)
            form().EditorInstrumentsButtonClick();
        QCoreApplication::processEvents();
        QCOMPARE(geometries(), before);
    }

    // ---- Find and replace

    void findStartsAfterTheSelectedWord()
    {
        fill({{"cat one", "cat two"}});
        selectWord("cat");
        QTest::mouseClick(form().button(1), Qt::LeftButton);
        QCOMPARE(form().FindDialog1->findText(), QStringLiteral("cat"));
        form().FindDialog1->findNextButton()->click();
        QCOMPARE(editor()->selectionStart(), 8);
        QCOMPARE(editor()->selectedText(), QStringLiteral("cat"));
        QCOMPARE(status(), QStringLiteral("2:1"));
    }

    void findOptions_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("expected");
        // body: "category Cat cat"
        QTest::newRow("plain") << "cat" << false << false << 0;
        QTest::newRow("whole word skips category") << "cat" << false << true << 9;
        QTest::newRow("match case skips Cat") << "cat" << true << true << 13;
        QTest::newRow("match case capital") << "Cat" << true << false << 9;
    }

    void findOptions()
    {
        QFETCH(QString, needle);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(int, expected);
        fill({{"category Cat cat"}});
        editor()->setSelection(0, 0);
        form().FindButtonClick();
        form().FindDialog1->setFindText(needle);
        form().FindDialog1->setMatchCase(matchCase);
        form().FindDialog1->setWholeWord(wholeWord);
        form().FindDialog1Find();
        QCOMPARE(editor()->selectionStart(), expected);
    }

    void findMovesOnThroughLaterRecords()
    {
        fill({{"start here"}, {"nothing"}, {"nothing"}, {"the needle is here"}, {"none"}});
        form().FindButtonClick();
        form().FindDialog1->setFindText("needle");
        form().FindDialog1Find();
        QCOMPARE(table()->currentRow(), 3);
        QCOMPARE(editor()->selectedText(), QStringLiteral("needle"));
        // No further match: the book ends on its last record, nothing selected.
        form().FindDialog1Find();
        QCOMPARE(table()->currentRow(), 4);
        QCOMPARE(editor()->selectionLength(), 0);
    }

    void firstReplaceOnlySearches()
    {
        fill({{"x a x a"}});
        FindReplaceDialog *d = openReplace("a", "b");
        d->replaceButton()->click();
        QCOMPARE(editor()->text(), QStringLiteral("x a x a"));
        QCOMPARE(editor()->selectionStart(), 2);
        QCOMPARE(status(), QStringLiteral("Selected: 1"));
        d->replaceButton()->click();
        QCOMPARE(editor()->text(), QStringLiteral("x b x a"));
        QCOMPARE(editor()->selectionStart(), 6);  // the next match is selected
        // A click makes the next Replace search again.
        QTest::mouseClick(editor()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        d->replaceButton()->click();
        QCOMPARE(editor()->text(), QStringLiteral("x b x a"));
    }

    void replaceAllInTheRecord_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("entire");
        QTest::addColumn<QString>("expected");
        // body "a ba a", caret after the first "a" (selected)
        QTest::newRow("empty replacement deletes") << "a" << "" << true << " b ";
        QTest::newRow("a to aa doubles once") << "a" << "aa" << true << "aa baa aa";
        QTest::newRow("from the cursor keeps the selected one") << "a" << "X" << false << "a bX X";
    }

    void replaceAllInTheRecord()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(bool, entire);
        QFETCH(QString, expected);
        fill({{"a ba a"}});
        editor()->setSelection(0, 1);
        openReplace(find, replacement);
        QString report;
        replaceAll(false, entire, &report);
        QCOMPARE(editor()->text(), expected);
        QVERIFY(report.isEmpty());
    }

    void replaceAllRecordsEndsOnTheLastWithTheCount()
    {
        fill({{"one a"}, {"b"}, {"a and a"}, {"c"}});
        table()->moveToRow(1);
        openReplace("a", "e");
        QString report;
        replaceAll(true, false, &report);
        QCOMPARE(report, QStringLiteral("The text \"a\", number of replacements: 4"));
        QCOMPARE(table()->currentRow(), 3);
        table()->first();
        QCOMPARE(editor()->text(), QStringLiteral("one e"));
        table()->moveToRow(2);
        QCOMPARE(editor()->text(), QStringLiteral("e end e"));
    }

    void reportSpacing_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count") << 4 << "The text \"zz\", number of replacements: 4";
        QTest::newRow("not found") << 0 << "The text \"zz\" was not found.";
    }

    void reportSpacing()
    {
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceAllRun::report("The text", ", number of replacements", "was not found.", "zz", count), expected);
    }

    // ---- Bookmarks

    void bookmarkOnLineThreeJumpsThere()
    {
        QStringList lines;
        for (int i = 1; i <= 80; ++i)
            lines << QStringLiteral("line %1").arg(i);
        fill({lines});
        const int lineThree = editor()->lineStartIndex(2);
        editor()->setSelection(lineThree + 3, 0);
        form().NewBookmarkButtonClick();
        const Profile file(bookmarksPath());
        const QString section = QString::number(table()->recordKey());
        QCOMPARE(file.readInteger(section, "XY0", -1), lineThree);
        editor()->setSelection(editor()->lineStartIndex(60), 0);
        editor()->ensureCursorVisible();
        QVERIFY(editor()->firstVisibleLine() > 2);
        QVERIFY(form().BookmarkStrip);
        form().BookmarkMouseDown(0);
        QCOMPARE(editor()->firstVisibleLine(), 2);
        QCOMPARE(editor()->selectionStart(), lineThree);
        QCOMPARE(status(), QStringLiteral("3:1"));
    }

    void bookmarkBalloonShowsTheLine()
    {
        fill({{"only line"}, {"x"}});
        form().NewBookmarkButtonClick();
        form().BookmarkPageControlMouseMove(0);
        Balloon *b = form().Balloons->balloon(BalloonService::BookmarkSlot);
        QVERIFY(b);
        QCOMPARE(b->title(), QStringLiteral("Bookmark 1"));
        QCOMPARE(b->text(), QStringLiteral("only line"));
        form().BookmarkPageControlMouseMove(-1);
        QVERIFY(!form().Balloons->isOpen(BalloonService::BookmarkSlot));
    }

    void twoBookmarksOnOneLineAndDeletingRenumbers()
    {
        fill({{"l1", "l2", "l3"}});
        editor()->setSelection(0, 0);
        form().NewBookmarkButtonClick();
        form().NewBookmarkButtonClick();
        QCOMPARE(form().BookmarkStrip->tabCount(), 2);
        editor()->setSelection(editor()->lineStartIndex(2), 0);
        form().NewBookmarkButtonClick();
        const QString section = QString::number(table()->recordKey());
        {
            const Profile file(bookmarksPath());
            QCOMPARE(file.readInteger(section, "XY0", -1), 0);
            QCOMPARE(file.readInteger(section, "XY1", -1), 0);
        }
        form().BookmarkStrip->setSelectedTab(1);
        form().DeleteBookmarkButtonClick();
        {
            const Profile file(bookmarksPath());
            QCOMPARE(file.readInteger(section, "BookmarksCount", -1), 2);
            QCOMPARE(file.readInteger(section, "XY1", -1), editor()->lineStartIndex(2));
            QVERIFY(!file.valueExists(section, "XY2"));
        }
        QCOMPARE(form().BookmarkStrip->tabCount(), 2);
        form().BookmarkStrip->setSelectedTab(0);
        form().DeleteBookmarkButtonClick();
        form().BookmarkStrip->setSelectedTab(0);
        form().DeleteBookmarkButtonClick();
        QVERIFY(!Profile(bookmarksPath()).sectionExists(section));
        QVERIFY(!form().bookmarkStripShown());
    }

    void bookmarkMessages()
    {
        fill({{"text"}, {"other"}});
        QString seen;
        answerNextBox(&seen);
        form().ShowBookmarkButtonClick();
        QCOMPARE(seen, QStringLiteral("This record has no bookmarks."));
        form().NewBookmarkButtonClick();
        form().ShowBookmarkButtonClick();  // hide
        answerNextBox(&seen);
        form().DeleteBookmarkButtonClick();  // shows the strip, nothing chosen
        QCOMPARE(seen, QStringLiteral("Click a bookmark tab first to choose a bookmark."));
        answerNextBox(&seen);
        form().DeleteAllBookmarksButtonClick();
        QCOMPARE(seen, QStringLiteral("All bookmarks of this record have been deleted."));
        QVERIFY(!form().bookmarkStripShown());
    }

    void zeroCountShowsAnEmptyStripAndAMoveClosesIt()
    {
        fill({{"text"}, {"other"}});
        {
            Profile file(bookmarksPath());
            file.writeInteger(QString::number(table()->recordKey()), "BookmarksCount", 0);
            file.flush();
        }
        form().ShowBookmarkButtonClick();
        QVERIFY(form().bookmarkStripShown());
        QCOMPARE(form().BookmarkStrip->tabCount(), 0);
        form().DBNavNextButtonClick();
        QVERIFY(!form().bookmarkStripShown());
        QVERIFY(!form().BookmarkStrip);
    }

    void positionBeyondAShortenedBodyJumpsToTheLastLine()
    {
        fill({{"a", "b", "c"}});
        {
            Profile file(bookmarksPath());
            const QString section = QString::number(table()->recordKey());
            file.writeInteger(section, "BookmarksCount", 1);
            file.writeInteger(section, "XY0", 5000);
            file.flush();
        }
        form().ShowBookmarkButtonClick();
        form().BookmarkMouseDown(0);
        QCOMPARE(editor()->caretLine(), 2);
        QCOMPARE(status(), QStringLiteral("3:1"));
    }

    void bookmarkKeysNeedControlAndShift()
    {
        fill({{"text"}});
        editor()->setFocus();
        QTest::keyClick(editor(), 'N', Qt::ShiftModifier);  // a capital N is typed
        QVERIFY(!form().bookmarkStripShown());
        QVERIFY(editor()->text().contains('N'));
        QTest::keyClick(editor(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(form().bookmarkStripShown());
        QCOMPARE(form().BookmarkStrip->tabCount(), 1);
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
