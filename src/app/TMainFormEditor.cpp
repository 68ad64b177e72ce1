// The main window's editor: toolbar and keys, the editing status line,
// the toolbar and full-window layouts, find and replace, and bookmarks.
// The logic lives in src/editor; these handlers join it to the window.

#include "app/TMainForm.h"

#include "app/Folders.h"
#include "editor/BookmarkFile.h"
#include "editor/BookmarkTabStrip.h"
#include "editor/EditorText.h"
#include "editor/FindReplaceDialog.h"
#include "editor/FontDialog.h"
#include "editor/RecordSearch.h"
#include "editor/TReplaceAllForm.h"
#include "platform/effects/Transition.h"
#include "platform/AppError.h"
#include "platform/NativePath.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/Table.h"
#include "platform/skin/SkinMessageBox.h"
#include "platform/widgets/BalloonService.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"
#include "settings/Language.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPixmap>
#include <QSplitter>
#include <QToolButton>

namespace {

constexpr int kToolbarWidth = 50;
constexpr int kToolbarHeight = 200;
constexpr int kToolbarButton = 25;
constexpr int kBalloonWidth = 300;

// The toolbar in its two columns, row by row, with the action each button
// runs (none for clear format and font).
struct ToolbarButton
{
    const char *hintKey;
    std::optional<EditAction> action;
};

const ToolbarButton kToolbar[16] = {
    {"Copy", EditAction::Copy},           {"Paste", EditAction::Paste},
    {"Cut", EditAction::Cut},             {"Delete", EditAction::Delete},
    {"SelectAll", EditAction::SelectAll}, {"Undo", EditAction::Undo},
    {"AlignLeft", EditAction::AlignLeft}, {"AlignRight", EditAction::AlignRight},
    {"AlignCenter", EditAction::AlignCenter}, {"Bullets", EditAction::Bullets},
    {"Bold", EditAction::Bold},           {"Italic", EditAction::Italic},
    {"StrikeOut", EditAction::StrikeOut}, {"Underline", EditAction::Underline},
    {"ClearFormat", std::nullopt},        {"Font", std::nullopt},
};

// The bookmark keys: Ctrl+Shift with the letter. Typing never holds Ctrl,
// and Ctrl alone is taken by the edit actions (Ctrl+S is strike-out).
bool isBookmarkKey(const QKeyEvent *event, Qt::Key letter)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return event->key() == letter && mods == (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

void TMainForm::createEditorToolbar(QWidget *parent)
{
    EditorEffectsPanel = new QWidget(parent);
    EditorEffectsPanel->setObjectName(QStringLiteral("EditorEffectsPanel"));
    EditorEffectsPanel->setFixedSize(kToolbarWidth, kToolbarHeight);
    auto *grid = new QGridLayout(EditorEffectsPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int i = 0; i < 16; ++i) {
        auto *button = new QToolButton(EditorEffectsPanel);
        button->setObjectName(QString::fromLatin1(kToolbar[i].hintKey) + QStringLiteral("SpeedButton"));
        button->setFixedSize(kToolbarButton, kToolbarButton);
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(true);
        // The editor keeps the focus and its selection.
        button->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(button, i / 2, i % 2);
        m_editorButtons << button;
    }
    EditorEffectsPanel->hide();

    for (int i = 0; i < EditActions::Count; ++i) {
        auto *action = new QAction(this);
        action->setObjectName(EditActions::name(EditAction(i)));
        action->setShortcut(QKeySequence(EditActions::shortcutKey(EditAction(i))));
        // The window's key filter runs the shortcuts, so that they reach the
        // focused control before the control's own key handling.
        action->setShortcutContext(Qt::WidgetShortcut);
        m_editActions[i] = action;
    }
}

QToolButton *TMainForm::editorButton(const QString &hintKey) const
{
    for (QToolButton *b : m_editorButtons)
        if (b->objectName() == hintKey + QStringLiteral("SpeedButton"))
            return b;
    return nullptr;
}

void TMainForm::connectEditorCommands()
{
    using Handler = void (TMainForm::*)();
    static const Handler handlers[16] = {
        &TMainForm::CopySpeedButtonClick,      &TMainForm::PasteSpeedButtonClick,
        &TMainForm::CutSpeedButtonClick,       &TMainForm::DeleteSpeedButtonClick,
        &TMainForm::SelectAllSpeedButtonClick, &TMainForm::UndoSpeedButtonClick,
        &TMainForm::AlignLeftSpeedButtonClick, &TMainForm::AlignRightSpeedButtonClick,
        &TMainForm::AlignCenterSpeedButtonClick, &TMainForm::BulletsSpeedButtonClick,
        &TMainForm::BoldSpeedButtonClick,      &TMainForm::ItalicSpeedButtonClick,
        &TMainForm::StrikeOutSpeedButtonClick, &TMainForm::UnderlineSpeedButtonClick,
        &TMainForm::ClearFormatSpeedButtonClick, &TMainForm::FontSpeedButtonClick,
    };
    for (int i = 0; i < 16; ++i)
        connect(m_editorButtons[i], &QToolButton::clicked, this, handlers[i]);

    const auto on = [this](int tag, void (TMainForm::*handler)()) {
        connect(button(tag), &QToolButton::clicked, this, handler);
    };
    on(1, &TMainForm::FindButtonClick);
    on(2, &TMainForm::ReplaceButtonClick);
    on(5, &TMainForm::EditorInstrumentsButtonClick);
    on(18, &TMainForm::ShowBookmarkButtonClick);
    on(19, &TMainForm::NewBookmarkButtonClick);
    on(20, &TMainForm::DeleteBookmarkButtonClick);
    on(21, &TMainForm::DeleteAllBookmarksButtonClick);
    on(29, &TMainForm::FullWindowEditorButtonClick);

    MainDBRichEdit->installEventFilter(this);
    MainDBRichEdit->viewport()->installEventFilter(this);
    connect(MainDBRichEdit, &QTextEdit::selectionChanged, this, &TMainForm::MainDBRichEditSelectionChange);

    FindDialog1 = new FindReplaceDialog(false, this);
    ReplaceDialog1 = new FindReplaceDialog(true, this);
    connect(FindDialog1, &FindReplaceDialog::findRequested, this, &TMainForm::FindDialog1Find);
    connect(ReplaceDialog1, &FindReplaceDialog::findRequested, this, &TMainForm::ReplaceDialog1Find);
    connect(ReplaceDialog1, &FindReplaceDialog::replaceRequested, this, &TMainForm::ReplaceDialog1Replace);
    FontDialog1 = new FontDialog(this);
    Balloons = new BalloonService(this);
}

void TMainForm::localiseEditor()
{
    for (QToolButton *b : m_editorButtons) {
        QString key = b->objectName();
        key.chop(11);  // "SpeedButton"
        b->setToolTip(m_texts.hints.value(key));
    }
    FindDialog1->setWindowTitle(m_texts.findDialogTitle);
    ReplaceDialog1->setWindowTitle(m_texts.replaceDialogTitle);
    FindDialog1->retranslate();
    ReplaceDialog1->retranslate();
    FontDialog1->retranslate();
}

void TMainForm::loadEditorGlyphs(bool dark)
{
    const QString folder = programFolder() + QStringLiteral("\\Images\\Icons\\Basic\\Editor\\");
    for (int i = 0; i < 16; ++i) {
        const QString name = QString::fromLatin1(kToolbar[i].hintKey);
        QPixmap glyph;
        // Copy and paste have one glyph for both sets.
        if (dark)
            glyph.load(nativePath(folder + name + QStringLiteral("Black.bmp")));
        if (glyph.isNull())
            glyph.load(nativePath(folder + name + QStringLiteral(".bmp")));
        m_editorButtons[i]->setIcon(QIcon(glyph));
    }
}

// ---- Edit actions: toolbar and keys

bool TMainForm::runEditShortcut(QWidget *target, QKeyEvent *event)
{
    const QKeySequence pressed(event->keyCombination());
    for (int i = 0; i < EditActions::Count; ++i) {
        const auto action = EditAction(i);
        if (m_editActions[i]->shortcut() != pressed)
            continue;
        if (target != MainDBRichEdit && EditActions::worksOnBodyOnly(action))
            return false;
        if (!EditActions::canRun(action, target))
            return false;
        if (target == MainDBRichEdit && action != EditAction::Copy && action != EditAction::SelectAll)
            MainTable->edit();
        EditActions::run(action, target);
        if (target == MainDBRichEdit)
            afterEditAction(action);
        return true;
    }
    return false;
}

void TMainForm::runToolbarAction(EditAction action)
{
    MainTable->edit();
    EditActions::run(action, MainDBRichEdit);
    afterEditAction(action);
}

void TMainForm::afterEditAction(EditAction action)
{
    if (action == EditAction::Paste || action == EditAction::Cut || action == EditAction::Delete)
        ShowCaretPosition();
    else if (action == EditAction::Undo && !EditorHasSelection)
        ShowCaretPosition();
}

void TMainForm::CopySpeedButtonClick() { runToolbarAction(EditAction::Copy); }
void TMainForm::PasteSpeedButtonClick() { runToolbarAction(EditAction::Paste); }
void TMainForm::CutSpeedButtonClick() { runToolbarAction(EditAction::Cut); }
void TMainForm::DeleteSpeedButtonClick() { runToolbarAction(EditAction::Delete); }
void TMainForm::SelectAllSpeedButtonClick() { runToolbarAction(EditAction::SelectAll); }
void TMainForm::UndoSpeedButtonClick() { runToolbarAction(EditAction::Undo); }
void TMainForm::AlignLeftSpeedButtonClick() { runToolbarAction(EditAction::AlignLeft); }
void TMainForm::AlignRightSpeedButtonClick() { runToolbarAction(EditAction::AlignRight); }
void TMainForm::AlignCenterSpeedButtonClick() { runToolbarAction(EditAction::AlignCenter); }
void TMainForm::BulletsSpeedButtonClick() { runToolbarAction(EditAction::Bullets); }
void TMainForm::BoldSpeedButtonClick() { runToolbarAction(EditAction::Bold); }
void TMainForm::ItalicSpeedButtonClick() { runToolbarAction(EditAction::Italic); }
void TMainForm::StrikeOutSpeedButtonClick() { runToolbarAction(EditAction::StrikeOut); }
void TMainForm::UnderlineSpeedButtonClick() { runToolbarAction(EditAction::Underline); }

void TMainForm::ClearFormatSpeedButtonClick()
{
    MainTable->edit();
    ClearFormat();
}

void TMainForm::ClearFormat()
{
    try {
        MainTable->edit();
    } catch (const AppError &) {
        // Formatting goes on even when the record cannot enter editing.
    }
    EditorText::clearFormat(MainDBRichEdit);
}

void TMainForm::FontSpeedButtonClick()
{
    fontCommand(true);
}

void TMainForm::fontCommand(bool editAfterDialog)
{
    // The dialog keeps the font it showed last (the export loads its own).
    FontDialog1->setOptions(FontDialog::Options(FontDialog::ShowEffects) | FontDialog::ExistingFontsOnly);
    if (FontDialog1->exec() != QDialog::Accepted)
        return;
    if (editAfterDialog)
        MainTable->edit();
    MainDBRichEdit->setSelectionFont(FontDialog1->attributes());
}

// ---- Editing status line

void TMainForm::setEditingStatus(const QString &text)
{
    EditingGroupBox->setCaption(text);
}

void TMainForm::ShowCaretPosition()
{
    setEditingStatus(EditorText::caretPosition(MainDBRichEdit));
}

void TMainForm::MainDBRichEditSelectionChange()
{
    const int length = MainDBRichEdit->selectionLength();
    if (length >= 1) {
        const QString prefix = LanguageFile().text(QStringLiteral("Captions"), QStringLiteral("Selection"));
        setEditingStatus(EditorText::selectionLength(prefix, length));
        EditorHasSelection = true;
    } else {
        EditorHasSelection = false;
    }
}

void TMainForm::MainDBRichEditKeyUp()
{
    if (!EditorHasSelection)
        ShowCaretPosition();
}

void TMainForm::MainDBRichEditClick()
{
    if (!EditorHasSelection)
        ShowCaretPosition();
}

void TMainForm::MainDBRichEditMouseDown()
{
    // After a click the selection need not be a match any more.
    ReplaceSearchFirst = true;
}

void TMainForm::MainDBRichEditExit()
{
    setEditingStatus(QString());
}

void TMainForm::MainDBRichEditKeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    if (ctrl)
        MainTable->edit();
    if (ctrl && !alt && key == Qt::Key_F)
        fontCommand(false);
    if (ctrl && !alt && key == Qt::Key_Q)
        ClearFormat();
    if (isBookmarkKey(event, Qt::Key_S))
        ShowBookmarkButtonClick();
    if (isBookmarkKey(event, Qt::Key_N))
        NewBookmarkButtonClick();
    if (isBookmarkKey(event, Qt::Key_D))
        DeleteBookmarkButtonClick();
    if (isBookmarkKey(event, Qt::Key_A))
        DeleteAllBookmarksButtonClick();
    if (!alt)
        return;
    switch (key) {
    case Qt::Key_F: DBNavFirstButtonClick(); break;
    case Qt::Key_P: DBNavPriorButtonClick(); break;
    case Qt::Key_N: DBNavNewButtonClick(); break;
    case Qt::Key_D: DBNavDeleteButtonClick(); break;
    case Qt::Key_S: DBNavSaveButtonClick(); break;
    case Qt::Key_C: DBNavCancelButtonClick(); break;
    case Qt::Key_A: DBNavNextButtonClick(); break;
    case Qt::Key_L: DBNavLastButtonClick(); break;
    default: break;
    }
}

// ---- Layouts

void TMainForm::playToolbarRoll()
{
    // The toolbar rolls into the editor's row: the row's old look (without
    // the toolbar) gives way from the top to the new one.
    QWidget *row = EditorEffectsPanel->parentWidget();
    if (!row || !row->isVisible()) {
        EditorEffectsPanel->show();
        return;
    }
    Transition::play(row, Transition::Kind::Roll, 1500, [this] { EditorEffectsPanel->show(); });
}

void TMainForm::EditorInstrumentsButtonClick()
{
    // The toolbar sits in the editor's row, so showing it narrows the editor
    // frame, its panel and the bookmark strip by 56 pixels, and hiding it
    // gives them back.
    if (EditorEffectsPanel->isVisible())
        EditorEffectsPanel->hide();
    else
        playToolbarRoll();
}

void TMainForm::FullWindowEditorButtonClick()
{
    // The list and the bottom button rows leave and the editor takes their
    // room; the splitter's sizes are kept so that leaving restores them.
    const bool entering = !FullWindowEditorOn;
    if (entering)
        m_splitterSizes = EditorSplitter->sizes();
    for (QWidget *w : {static_cast<QWidget *>(ItemsGroupBox), static_cast<QWidget *>(DBNavGroupBox),
                       static_cast<QWidget *>(MiddleGroupBox), static_cast<QWidget *>(AdditionalGroupBox)})
        w->setVisible(!entering);
    if (!entering && !m_splitterSizes.isEmpty())
        EditorSplitter->setSizes(m_splitterSizes);
    FullWindowEditorOn = entering;
}

// ---- Find and replace

void TMainForm::FindButtonClick()
{
    FindDialog1->move(frameGeometry().topLeft());
    FindDialog1->setFindText(MainDBRichEdit->selectedText());
    FindDialog1->show();
    FindDialog1->raise();
}

void TMainForm::ReplaceButtonClick()
{
    ReplaceDialog1->move(frameGeometry().topLeft());
    ReplaceDialog1->setFindText(MainDBRichEdit->selectedText());
    ReplaceDialog1->show();
    ReplaceDialog1->raise();
}

void TMainForm::FindDialog1Find()
{
    RecordSearch search(MainTable, MainDBRichEdit);
    if (!search.findNext(FindDialog1->options(), FindTopLine))
        return;
    // Line and column of the match's start.
    const int start = MainDBRichEdit->selectionStart();
    const int line = MainDBRichEdit->lineFromIndex(start);
    setEditingStatus(QString::number(line + 1) + u':'
                     + QString::number(start - MainDBRichEdit->lineStartIndex(line) + 1));
}

void TMainForm::ReplaceDialog1Find()
{
    RecordSearch search(MainTable, MainDBRichEdit);
    // No match up to the end of the book: the next Replace searches again.
    ReplaceSearchFirst = !search.findNext(ReplaceDialog1->options(), ReplaceTopLine);
}

void TMainForm::ReplaceDialog1Replace()
{
    MainTable->edit();
    if (ReplaceDialog1->replaceMark()) {
        if (ReplaceSearchFirst) {
            ReplaceSearchFirst = false;
            ReplaceDialog1Find();
            return;
        }
        if (MainDBRichEdit->selectionLength() > 0)
            EditorText::replaceSelection(MainDBRichEdit, ReplaceDialog1->replaceText());
        ReplaceDialog1Find();
    }
    if (ReplaceDialog1->replaceAllMark()) {
        TReplaceAllForm form(MainTable, MainDBRichEdit, ReplaceDialog1,
                             {m_texts.findReplaceText, m_texts.replaceCountText, m_texts.findReplaceNotFound}, this);
        form.exec();
    }
}

// ---- Bookmarks

void TMainForm::ShowBookmarkButtonClick()
{
    if (MainTable->count() < 1)
        return;
    if (m_stripShown)
        HideBookmarkStrip();
    else
        ShowBookmarkStrip();
}

void TMainForm::ShowBookmarkStrip()
{
    const qint64 key = MainTable->recordKey();
    const std::optional<QList<int>> marks = BookmarkFile(BookFolder).positions(key);
    if (!marks) {
        SkinMessageBox::show(this, SkinMessageBox::Warning,
                             LanguageFile().text(QStringLiteral("Messages"), QStringLiteral("NoBookmarks")),
                             SkinMessageBox::Yes);
        return;
    }
    m_stripShown = true;
    m_stripRecordKey = key;
    BookmarkStrip = new BookmarkTabStrip(EditingGroupBox);
    BookmarkStrip->setObjectName(QStringLiteral("BookmarkStrip"));
    BookmarkStrip->setTabCount(int(marks->size()));
    connect(BookmarkStrip, &BookmarkTabStrip::tabPressed, this, &TMainForm::BookmarkMouseDown);
    connect(BookmarkStrip, &BookmarkTabStrip::tabHovered, this, &TMainForm::BookmarkPageControlMouseMove);
    m_stripRow->addWidget(BookmarkStrip);
    m_balloonTab = m_balloonFirstTab = -1;
}

void TMainForm::HideBookmarkStrip()
{
    if (Balloons)
        Balloons->close(BalloonService::BookmarkSlot);
    m_stripShown = false;
    if (BookmarkStrip) {
        m_stripRow->removeWidget(BookmarkStrip);
        delete BookmarkStrip;
        BookmarkStrip = nullptr;
    }
}

void TMainForm::NewBookmarkButtonClick()
{
    if (MainTable->count() < 1)
        return;
    // A record not stored yet has no key to file its bookmarks under; it is
    // saved first, or every new record would share one list.
    if (MainTable->recordKey() == 0) {
        MainTable->post();
        MainTable->edit();
    }
    const int line = MainDBRichEdit->caretLine();
    BookmarkFile(BookFolder).add(MainTable->recordKey(), MainDBRichEdit->lineStartIndex(line));
    if (m_stripShown)
        HideBookmarkStrip();
    ShowBookmarkStrip();
}

void TMainForm::DeleteBookmarkButtonClick()
{
    if (MainTable->count() < 1)
        return;
    if (!m_stripShown)
        ShowBookmarkStrip();
    if (!m_stripShown)
        return;
    const int tab = BookmarkStrip->selectedTab();
    if (tab < 0) {
        SkinMessageBox::show(this, SkinMessageBox::Warning,
                             LanguageFile().text(QStringLiteral("Messages"), QStringLiteral("NoOneBookmarkChoose")),
                             SkinMessageBox::Yes);
        return;
    }
    const int left = BookmarkFile(BookFolder).removeAt(MainTable->recordKey(), tab);
    HideBookmarkStrip();
    if (left > 0)
        ShowBookmarkStrip();
}

void TMainForm::DeleteAllBookmarksButtonClick()
{
    if (MainTable->count() < 1)
        return;
    const bool had = BookmarkFile(BookFolder).removeAll(MainTable->recordKey());
    if (had)
        HideBookmarkStrip();
    SkinMessageBox::show(this, SkinMessageBox::Warning,
                         LanguageFile().text(QStringLiteral("Messages"),
                                             had ? QStringLiteral("SuccessDeleteAllBookmark")
                                                 : QStringLiteral("NoBookmarks")),
                         SkinMessageBox::Yes);
}

void TMainForm::BookmarkMouseDown(int tab)
{
    int position = BookmarkFile(BookFolder).position(MainTable->recordKey(), tab);
    const int length = int(MainDBRichEdit->text().size());
    // A missing position lands on the first line; one past a shortened
    // body on the start of its last line.
    const int line = position < 0 ? 0 : MainDBRichEdit->lineFromIndex(position);
    if (position < 0 || position > length)
        position = qMax(0, MainDBRichEdit->lineStartIndex(line));
    MainDBRichEdit->setFocus();
    EditorText::scrollLineToTop(MainDBRichEdit, line);
    MainDBRichEdit->setSelection(position, 0);
    EditorText::scrollLineToTop(MainDBRichEdit, line);
    ShowCaretPosition();
}

void TMainForm::BookmarkPageControlMouseMove(int tab)
{
    if (tab < 0 || !BookmarkStrip) {
        // The pointer left the tabs: the balloon goes, and the next tab
        // shows one again.
        Balloons->close(BalloonService::BookmarkSlot);
        m_balloonTab = m_balloonFirstTab = -1;
        return;
    }
    const int first = BookmarkStrip->firstVisibleTab();
    if (tab == m_balloonTab && first == m_balloonFirstTab)
        return;
    Balloons->close(BalloonService::BookmarkSlot);
    const LanguageFile language;
    const QString title = language.text(QStringLiteral("Messages"), QStringLiteral("Bookmark")) + u' '
                          + QString::number(tab + 1);
    const int position = BookmarkFile(BookFolder).position(MainTable->recordKey(), tab);
    const int line = position < 0 ? 0 : MainDBRichEdit->lineFromIndex(position);
    QString text = MainDBRichEdit->lineText(line);
    if (line < MainDBRichEdit->lineCount() - 1)
        text += u'\n' + MainDBRichEdit->lineText(line + 1);
    const QRect r = BookmarkStrip->tabRect(tab);
    const QPoint tip = BookmarkStrip->mapToGlobal(QPoint(r.center().x(), r.bottom()));
    Balloons->open(BalloonService::BookmarkSlot, title, 255, true, false, kBalloonWidth, tip.x(), tip.y(), text);
    m_balloonTab = tab;
    m_balloonFirstTab = first;
}
