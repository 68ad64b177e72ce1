// The main window's record commands, its keys, the search box, sorting and
// localisation.

#include "app/TMainForm.h"

#include "app/MainButtons.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/skin/SkinMessageBox.h"
#include "platform/skin/StringTable.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"
#include "settings/Language.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include "platform/effects/Transition.h"

#include <QKeyEvent>
#include <QLineEdit>

void TMainForm::connectCommands()
{
    const auto on = [this](int tag, void (TMainForm::*handler)()) {
        connect(m_buttons[tag], &QToolButton::clicked, this, handler);
    };
    on(10, &TMainForm::DBNavFirstButtonClick);
    on(11, &TMainForm::DBNavPriorButtonClick);
    on(12, &TMainForm::DBNavNewButtonClick);
    on(13, &TMainForm::DBNavDeleteButtonClick);
    on(14, &TMainForm::DBNavSaveButtonClick);
    on(15, &TMainForm::DBNavCancelButtonClick);
    on(16, &TMainForm::DBNavNextButtonClick);
    on(17, &TMainForm::DBNavLastButtonClick);
    on(24, &TMainForm::NameSortButtonClick);
    on(25, &TMainForm::DateSortButtonClick);
    on(6, &TMainForm::SkinsButtonClick);
    connect(ItemsGroupBox, &RoundedGroupBox::frameClicked, this, &TMainForm::ItemsGroupBoxClick);

    NameDBEdit->installEventFilter(this);
    MainDBGrid->installEventFilter(this);
    SearchBox->installEventFilter(this);
    connect(SearchBox, &QLineEdit::textChanged, this, &TMainForm::SearchBoxChange);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == NameDBEdit && event->type() == QEvent::KeyPress
        && runEditShortcut(NameDBEdit, static_cast<QKeyEvent *>(event)))
        return true;
    if ((watched == NameDBEdit || watched == MainDBGrid) && event->type() == QEvent::KeyPress)
        return NameDBEditKeyDown(static_cast<QKeyEvent *>(event));
    if (watched == MainDBRichEdit || watched == MainDBRichEdit->viewport()) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (runEditShortcut(MainDBRichEdit, key))
                return true;
            MainDBRichEditKeyDown(key);
            break;
        }
        case QEvent::KeyRelease: MainDBRichEditKeyUp(); break;
        case QEvent::MouseButtonPress: MainDBRichEditMouseDown(); break;
        case QEvent::MouseButtonRelease: MainDBRichEditClick(); break;
        case QEvent::FocusOut: MainDBRichEditExit(); break;
        default: break;
        }
    }
    if (watched == SearchBox) {
        if (event->type() == QEvent::MouseButtonPress)
            SearchBoxClick();
        else if (event->type() == QEvent::FocusOut)
            SearchBoxExit();
    }
    return QMainWindow::eventFilter(watched, event);
}

// Moving

void TMainForm::DBNavFirstButtonClick()
{
    if (MainTable->count() >= 1)
        MainTable->first();
}

void TMainForm::DBNavPriorButtonClick()
{
    if (MainTable->count() >= 1 && !MainTable->bof())
        MainTable->prior();
}

void TMainForm::DBNavNextButtonClick()
{
    if (MainTable->count() >= 1 && !MainTable->eof())
        MainTable->next();
}

void TMainForm::DBNavLastButtonClick()
{
    if (MainTable->count() >= 1)
        MainTable->last();
}

// Editing

void TMainForm::DBNavNewButtonClick()
{
    Profile settings(Settings::path());
    Transition *transition = prepareNewRecordTransition();
    try {
        MainTable->edit();
        NameDBEdit->setFocus();
        if (MainTable->count() > 1) {
            MainTable->edit();
            MainTable->post();
        }
        MainTable->edit();
        MainTable->insert();
    } catch (...) {
        delete transition;  // no new record: nothing to reveal
        throw;
    }
    playNewRecordTransition(transition);
    settings.flush();
}

void TMainForm::DBNavDeleteButtonClick()
{
    if (MainTable->count() < 1)
        return;
    const QString question = LanguageFile().text(QStringLiteral("Messages"), QStringLiteral("BeforeDelete"));
    if (SkinMessageBox::show(this, SkinMessageBox::Warning, question, SkinMessageBox::OK | SkinMessageBox::No)
        == SkinMessageBox::ResultOK)
        MainTable->remove();
}

void TMainForm::DBNavSaveButtonClick()
{
    MainTable->edit();
    MainTable->post();
    MainTable->edit();
}

void TMainForm::DBNavCancelButtonClick()
{
    MainTable->cancel();
}

void TMainForm::ItemsGroupBoxClick()
{
    MainTable->edit();
}

bool TMainForm::NameDBEditKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        MainDBRichEdit->setFocus();
        return false;  // the control sees the key as well
    }
    if (!(event->modifiers() & Qt::AltModifier))
        return false;
    // Alt with a letter, whatever Shift, Control or Caps Lock say.
    void (TMainForm::*handler)() = nullptr;
    switch (event->key()) {
    case Qt::Key_F: handler = &TMainForm::DBNavFirstButtonClick; break;
    case Qt::Key_P: handler = &TMainForm::DBNavPriorButtonClick; break;
    case Qt::Key_N: handler = &TMainForm::DBNavNewButtonClick; break;
    case Qt::Key_D: handler = &TMainForm::DBNavDeleteButtonClick; break;
    case Qt::Key_S: handler = &TMainForm::DBNavSaveButtonClick; break;
    case Qt::Key_C: handler = &TMainForm::DBNavCancelButtonClick; break;
    case Qt::Key_A: handler = &TMainForm::DBNavNextButtonClick; break;
    case Qt::Key_L: handler = &TMainForm::DBNavLastButtonClick; break;
    default: return false;
    }
    (this->*handler)();
    return true;
}

// Search box and sorting

void TMainForm::SearchBoxClick()
{
    SearchBox->clear();
}

void TMainForm::SearchBoxChange()
{
    try {
        if (MainTable->isActive())
            MainTable->locate(SearchBox->text());
    } catch (...) {
        // A search that cannot run leaves the current record where it is.
    }
}

void TMainForm::SearchBoxExit()
{
    SearchBox->setText(m_texts.searchPlaceholder);
}

namespace {

void sortBy(Table *table, bool byCaption)
{
    if (table->count() >= 1)
        table->setOrder(byCaption ? Table::CaptionOrder : Table::DateOrder);
    Profile settings(Settings::path());
    settings.writeBool(QStringLiteral("Interface"), QStringLiteral("SortByCaption"), byCaption);
    settings.flush();
}

} // namespace

void TMainForm::NameSortButtonClick()
{
    sortBy(MainTable, true);
}

void TMainForm::DateSortButtonClick()
{
    sortBy(MainTable, false);
}

// Localisation

void TMainForm::LocaliseMainForm()
{
    const LanguageFile language;
    m_texts = InterfaceTexts::load(language);
    // The program's own text change searches too, as a typed one would.
    SearchBox->setText(m_texts.searchPlaceholder);
    for (const MainButton &b : kMainButtons)
        m_buttons[b.tag]->setToolTip(m_texts.hints.value(hintKey(b)));
    StringTable::setEntries(m_texts.stringTable);
    localiseEditor();
    MainDBGrid->setColumnTitle(0, m_texts.itemColumnTitle);
}

void TMainForm::switchLanguage(const QString &languageName)
{
    Profile settings(Settings::path());
    settings.writeString(QStringLiteral("Languages"), QStringLiteral("Language"), languageName + QStringLiteral(".lng"));
    settings.flush();
    LocaliseMainForm();
    MainDataSourceDataChange();
}
