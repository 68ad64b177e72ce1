#include "../support/ScratchHome.h"
#include "app/BookFlags.h"
#include "app/Folders.h"
#include "app/TMainForm.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/Table.h"
#include "platform/skin/StringTable.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"
#include "settings/Language.h"
#include "settings/Profile.h"
#include "platform/AppError.h"
#include "platform/NativePath.h"

#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Presses the named button of the next modal box.
void answerNextBox(const QString &buttonName)
{
    QTimer::singleShot(0, [buttonName] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            if (auto *button = box->findChild<QPushButton *>(buttonName))
                button->click();
            else
                box->reject();
        }
    });
}

void addRecords(Table *table, const QStringList &captions)
{
    if (table->state() == Table::State::Insert)
        table->cancel();
    for (const QString &caption : captions) {
        table->insert();
        table->setFieldValue(QStringLiteral("Caption"), caption);
        table->post();
    }
}

void copyFile(const QString &from, const QString &to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    QVERIFY(QFile::copy(from, to));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScratchHome> m_home;

    QString data() const { return m_home->path() + "/data/Quillery"; }
    QString library() const { return data() + "/Libraries/Library1"; }

    void installSkeleton()
    {
        TMainForm first;
        first.MainTable->cancel();
        first.CloseBook();
    }

    Profile settings() const { return Profile(data() + "\\Tune.ini"); }

private Q_SLOTS:
    void init()
    {
        m_home = std::make_unique<ScratchHome>();
    }

    // Start-up

    void firstStartNamesTheFirstCollectionAndBook()
    {
        TMainForm form;
        QCOMPARE(form.MainGroupBox->title(), QStringLiteral("My collection"));
        QCOMPARE(form.EditorGroupBox->title(), QStringLiteral("My first book"));
        const Profile catalogue(library() + "\\LibTune.ini");
        QCOMPARE(catalogue.readString("Collection1", "BookName1"), QStringLiteral("My first book"));
    }

    void fallbackFollowsTheStoredCollectionOrder()
    {
        installSkeleton();
        const QString book = library() + "/Collection1/Book1/bf.db";
        copyFile(book, library() + "/Collection3/Book1/bf.db");
        QFile catalogue(library() + "/LibTune.ini");
        QVERIFY(catalogue.open(QIODevice::WriteOnly | QIODevice::Truncate));
        catalogue.write("[Collections]\r\nCount=3\r\nCurCollectionNum=2\r\nCurBookNum=1\r\n"
                        "CollectionsOrder1=3\r\nCollectionsOrder2=1\r\nCollectionsOrder3=2\r\n"
                        "[Collection1]\r\nName=One\r\nBooksCount=1\r\nBookName1=First\r\n"
                        "BookDir1=\\Libraries\\Library1\\Collection1\\Book1\\\r\n"
                        "[Collection2]\r\nName=Two\r\nBooksCount=0\r\n"
                        "[Collection3]\r\nName=Three\r\nBooksCount=1\r\nBookName1=Third\r\n"
                        "BookDir1=\\Libraries\\Library1\\Collection3\\Book1\\\r\n");
        catalogue.close();

        TMainForm form;
        QCOMPARE(form.MainGroupBox->title(), QStringLiteral("Three"));
        QCOMPARE(form.EditorGroupBox->title(), QStringLiteral("Third"));
        QVERIFY(BookFolder.endsWith(QStringLiteral("\\Libraries\\Library1\\Collection3\\Book1\\")));
        const Profile after(library() + "\\LibTune.ini");
        QCOMPARE(after.readInteger("Collections", "CurCollectionNum", 0), 3);
        QCOMPARE(after.readInteger("Collections", "CurBookNum", 0), 1);
    }

    void libraryNumberZeroIsReset()
    {
        installSkeleton();
        {
            Profile s = settings();
            s.writeInteger("Libraries", "CurLibNum", 0);
            s.flush();
        }
        TMainForm form;
        QCOMPARE(settings().readInteger("Libraries", "CurLibNum", -1), 1);
        QVERIFY(form.NameDBEdit->isEnabled());
    }

    // Records

    void priorOnFirstAndNextOnLastDoNothing()
    {
        TMainForm form;
        addRecords(form.MainTable, {"a", "b", "c"});
        form.DBNavFirstButtonClick();
        form.DBNavPriorButtonClick();
        QCOMPARE(form.MainTable->position(), 1);
        form.DBNavLastButtonClick();
        form.DBNavNextButtonClick();
        QCOMPARE(form.MainTable->position(), 3);
        form.DBNavPriorButtonClick();
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("b"));
    }

    void newInAnEmptyBookLeavesOnePendingRecord()
    {
        TMainForm form;
        form.show();
        QApplication::setActiveWindow(&form);
        form.button(12)->click();
        form.button(12)->click();
        QCOMPARE(form.MainTable->count(), 0);
        QCOMPARE(form.MainTable->state(), Table::State::Insert);
        QCOMPARE(form.MainTable->rowCount(), 1);
        QTRY_VERIFY(form.NameDBEdit->hasFocus());
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record 1"));
    }

    void saveInAnEmptyBookCreatesOneRecord()
    {
        TMainForm form;
        form.button(14)->click();
        QCOMPARE(form.MainTable->count(), 1);
        QCOMPARE(form.MainTable->fieldValue("Date").toString(), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(form.MainTable->isEditing());
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record 1 of 1"));
    }

    void cancelOfAPendingRecordRestoresTheCount()
    {
        TMainForm form;
        form.button(15)->click();
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("No records"));
        addRecords(form.MainTable, {"x", "y"});
        form.button(12)->click();
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record 3"));
        form.button(15)->click();
        QCOMPARE(form.MainTable->count(), 2);
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Record %1 of 2").arg(form.MainTable->position()));
    }

    void deleteAsksFirst()
    {
        TMainForm form;
        addRecords(form.MainTable, {"keep", "go"});
        answerNextBox("MSG_BTN_NO");
        form.button(13)->click();
        QCOMPARE(form.MainTable->count(), 2);
        answerNextBox("MSG_BTN_OK");
        form.button(13)->click();
        QCOMPARE(form.MainTable->count(), 1);
    }

    void altLetterKeys_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("records");
        QTest::newRow("Alt+S saves") << Qt::KeyboardModifiers(Qt::AltModifier) << int(Qt::Key_S) << 1;
        QTest::newRow("Shift does not matter") << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ShiftModifier)
                                              << int(Qt::Key_S) << 1;
        QTest::newRow("Control does not matter") << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ControlModifier)
                                                << int(Qt::Key_S) << 1;
        QTest::newRow("a letter not listed") << Qt::KeyboardModifiers(Qt::AltModifier) << int(Qt::Key_Q) << 0;
        QTest::newRow("S without Alt types") << Qt::KeyboardModifiers() << int(Qt::Key_S) << 0;
    }

    void altLetterKeys()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, key);
        QFETCH(int, records);
        TMainForm form;
        form.show();
        QTest::keyClick(form.NameDBEdit, Qt::Key(key), modifiers);
        QCOMPARE(form.MainTable->count(), records);
    }

    void enterInTheListMovesTheFocusOnly()
    {
        TMainForm form;
        form.show();
        QApplication::setActiveWindow(&form);
        addRecords(form.MainTable, {"a", "b", "c"});
        form.MainTable->first();
        form.MainTable->next();
        form.MainDBGrid->setFocus();
        QTest::keyClick(form.MainDBGrid, Qt::Key_Return);
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("b"));
        QTRY_VERIFY(form.MainDBRichEdit->hasFocus());
    }

    // Search box and sorting

    void everyChangeSearchesFromTheStart()
    {
        TMainForm form;
        addRecords(form.MainTable, {"banana", "apricot", "Apple"});
        form.SearchBox->setText("ap");
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("Apple"));
        form.SearchBox->setText("apr");
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("apricot"));
        form.SearchBox->setText("ap");
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("Apple"));
        form.SearchBox->setText("zzz");
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("Apple"));
    }

    void clickEmptiesTheBoxAndLeavingRestoresThePlaceholder()
    {
        TMainForm form;
        form.show();
        QApplication::setActiveWindow(&form);
        addRecords(form.MainTable, {"b", "a"});
        form.MainTable->last();
        QCOMPARE(form.SearchBox->text(), QStringLiteral("Search captions"));
        QTest::mouseClick(form.SearchBox, Qt::LeftButton);
        QCOMPARE(form.SearchBox->text(), QString());
        QCOMPARE(form.MainTable->position(), 1);
        form.SearchBox->setFocus();
        form.MainDBRichEdit->setFocus();
        QTRY_COMPARE(form.SearchBox->text(), QStringLiteral("Search captions"));
    }

    void dateSortInAnEmptyBookOnlyWritesTheSetting()
    {
        TMainForm form;
        form.button(25)->click();
        QCOMPARE(form.MainTable->orderName(), Table::CaptionOrder);
        QCOMPARE(settings().readBool("Interface", "SortByCaption", true), false);
        form.button(24)->click();
        QCOMPARE(settings().readBool("Interface", "SortByCaption", false), true);
    }

    void sortingKeepsTheCurrentRecord()
    {
        TMainForm form;
        addRecords(form.MainTable, {"zeta", "alpha", "mid"});
        form.MainTable->locate("zeta");
        form.button(25)->click();
        QCOMPARE(form.MainTable->orderName(), Table::DateOrder);
        QCOMPARE(form.MainTable->fieldValue("Caption").toString(), QStringLiteral("zeta"));
        QCOMPARE(form.MainTable->position(), 1);
        form.button(24)->click();
        QCOMPARE(form.MainTable->position(), 3);
    }

    // Lifecycle

    void closingAtOnceSavesOneEmptyRecord()
    {
        {
            TMainForm form;
            form.show();
            QVERIFY(form.close());
        }
        TMainForm again;
        QCOMPARE(again.MainTable->count(), 1);
    }

    void aPendingNewRecordIsSavedAtClose()
    {
        {
            TMainForm form;
            addRecords(form.MainTable, {"one"});
            form.button(12)->click();
            QTest::keyClicks(form.NameDBEdit, QStringLiteral("two"));
            form.show();
            QVERIFY(form.close());
        }
        TMainForm again;
        QCOMPARE(again.MainTable->count(), 2);
        QVERIFY(again.MainTable->locate("two"));
    }

    void closingWithNothingPendingIsNeverRefused()
    {
        TMainForm form;
        addRecords(form.MainTable, {"gone"});
        form.MainTable->edit();
        // Another program removes the record: saving it can only fail, but
        // nothing of the user's is waiting, so the window still closes.
        sqlite3 *other = nullptr;
        sqlite3_open_v2(nativePath(BookFolder + "bf.db").toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
        QCOMPARE(sqlite3_exec(other, "DELETE FROM Records", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(other);
        form.show();
        QVERIFY(form.close());
    }

    void undoAfterARefusedSaveIsWhatGetsSaved()
    {
        TMainForm form;
        form.show();
        addRecords(form.MainTable, {"note"});
        form.MainTable->edit();
        QTest::keyClicks(form.MainDBRichEdit, QStringLiteral("XYZ"));
        const auto handler = form.MainTable->onBeforePost;
        form.MainTable->onBeforePost = [] { throw AppError(QStringLiteral("refused once")); };
        QVERIFY_THROWS_EXCEPTION(AppError, form.MainTable->post());
        form.MainTable->onBeforePost = handler;
        while (form.MainDBRichEdit->isModified() && form.MainDBRichEdit->document()->isUndoAvailable())
            form.MainDBRichEdit->undo();
        QVERIFY(!form.MainDBRichEdit->toPlainText().contains("XYZ"));
        form.MainTable->post();
        QVERIFY(!form.MainTable->fieldValue("PlainText").toString().contains("XYZ"));
    }

    void savedPlacementIsRestoredExactly()
    {
        installSkeleton();
        {
            Profile s = settings();
            s.writeBool("Positions", "SavePositions", true);
            s.flush();
        }
        {
            TMainForm form;
            form.show();
            form.resize(812, 603);
            form.move(37, 41);
            QVERIFY(form.close());
        }
        QCOMPARE(settings().readInteger("Positions", "Width", 0), 812);
        TMainForm again;
        QCOMPARE(again.size(), QSize(812, 603));
        QCOMPARE(again.pos(), QPoint(37, 41));
    }

    // Languages

    void missingLanguageFileGivesEmptyTexts()
    {
        installSkeleton();
        {
            Profile s = settings();
            s.writeString("Languages", "Language", "Nowhere.lng");
            s.flush();
        }
        TMainForm form;
        QVERIFY(form.isUsable());
        QCOMPARE(form.button(14)->toolTip(), QString());
        QCOMPARE(form.SearchBox->text(), QString());
        QCOMPARE(form.texts().skinFilter, QStringLiteral("Skins (*.skn)|*.skn"));
        QCOMPARE(StringTable::text("MSG_BTN_OK"), QString());
    }

    void switchingLanguageRelocalisesTheWindow()
    {
        TMainForm form;
        QCOMPARE(form.button(14)->toolTip(), QStringLiteral("Save the record"));
        QCOMPARE(form.texts().stringTable.size(), 48);
        form.switchLanguage(QStringLiteral("German"));
        QCOMPARE(settings().readString("Languages", "Language"), QStringLiteral("German.lng"));
        QCOMPARE(form.button(14)->toolTip(), QStringLiteral("Eintrag speichern"));
        QCOMPARE(form.RecCountStatusPanel->text(), QStringLiteral("Eintrag 1"));
        QVERIFY(!StringTable::text("MSG_BTN_CANCEL").isEmpty());
    }

    void languageListDropsTheExtension()
    {
        QTemporaryDir folder;
        for (const char *name : {"English.lng", "Klingon.LNG", "notes.txt"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList names = LanguageFile::languagesIn(folder.path());
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("English"), QStringLiteral("Klingon")}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
