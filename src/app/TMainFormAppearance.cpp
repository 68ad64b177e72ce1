// The main window's look: skin, transparency, button pictures and their
// hover sizes, the editor's look for the skin's category, record fonts with
// the editor colour, the skin chooser and the new-record transition.

#include "app/TMainForm.h"

#include "app/Folders.h"
#include "app/MainButtons.h"
#include "editor/FindReplaceDialog.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DBRichEdit.h"
#include "platform/effects/PictureHoverTracker.h"
#include "platform/effects/Transition.h"
#include "platform/skin/CaptionHint.h"
#include "platform/widgets/PictureButton.h"
#include "platform/widgets/RoundedGroupBox.h"
#include "settings/AppearancePass.h"
#include "settings/ColorCode.h"
#include "settings/EditorColorAdaptation.h"
#include "settings/EditorLookPass.h"
#include "settings/Profile.h"
#include "settings/Settings.h"
#include "settings/SkinCategory.h"
#include "settings/WindowOpacity.h"

#include <QLabel>
#include <QTextCharFormat>
#include <QToolButton>

void TMainForm::attachAppearance()
{
    m_hover = new PictureHoverTracker(this);
    const QString icons = programFolder() + QStringLiteral("\\Images\\Icons\\Basic\\");
    for (const MainButton &b : kMainButtons) {
        const QString file = QString::fromLatin1(b.picture);
        m_hover->addButton(m_buttons[b.tag], icons + QStringLiteral("%1x%1\\").arg(b.normalSize()) + file, b.normalSize(),
                           icons + QStringLiteral("%1x%1\\").arg(b.enlargedSize()) + file, b.enlargedSize());
    }
    for (QWidget *surface : {centralWidget(), static_cast<QWidget *>(MainGroupBox), static_cast<QWidget *>(CaptionGroupBox),
                             static_cast<QWidget *>(EditorGroupBox), static_cast<QWidget *>(LeftSideGroupBox),
                             static_cast<QWidget *>(DBNavGroupBox), static_cast<QWidget *>(MiddleGroupBox),
                             static_cast<QWidget *>(AdditionalGroupBox), MainStatusBar,
                             static_cast<QWidget *>(CreatedStatusPanel), static_cast<QWidget *>(ModifiedStatusPanel),
                             static_cast<QWidget *>(RecCountStatusPanel)})
        m_hover->addBackground(surface);
    CaptionHint::attach(NameDBEdit, [this] { return MainDBGrid->currentIndex().data().toString(); });
}

void TMainForm::loadButtonPictures()
{
    m_hover->loadNormalPictures();
}

void TMainForm::applyAppearanceSettings()
{
    AppearancePass::loadSkin(Settings::path(), programFolder());
    // A library number 0 is left by help mode when the program ended inside
    // it: the user's own library is 1 again.
    Profile settings(Settings::path());
    if (settings.readInteger(QStringLiteral("Libraries"), QStringLiteral("CurLibNum"), 1) == 0)
        settings.writeInteger(QStringLiteral("Libraries"), QStringLiteral("CurLibNum"), 1);
    settings.flush();
    // The main window and its find and replace dialogs; windows made later
    // apply the same settings when they are created.
    AppearancePass::applyOpacity(WindowOpacity::fromSettings(Settings::path()), {this, FindDialog1, ReplaceDialog1});
}

void TMainForm::applyEditorLook()
{
    EditorLookTargets targets;
    targets.mainGroupBox = MainGroupBox;
    targets.editorGroupBox = EditorGroupBox;
    targets.editor = MainDBRichEdit;
    targets.captionField = NameDBEdit;
    targets.recordList = MainDBGrid;
    for (QToolButton *b : m_editorButtons)
        targets.toolbarButtons << b;
    EditorLookPass::apply(EditorLook::forCategory(SkinCategories::currentCategory(Settings::path())), targets,
                          programFolder() + QStringLiteral("\\Images\\Icons\\Basic\\Editor\\"));
}

void TMainForm::applyRecordFonts()
{
    Profile settings(Settings::path());
    const QString font = QStringLiteral("Font");
    NameDBEdit->setFont(settings.readFont(font, QStringLiteral("Title"), FontSpec()).toQFont());
    MainDBGrid->setFont(settings.readFont(font, QStringLiteral("Items"), FontSpec()).toQFont());
    MainDBRichEdit->setFont(settings.readFont(font, QStringLiteral("Editor"), FontSpec()).toQFont());

    // The editor's text colour, adapted to dark skins when that is wanted.
    qint32 code = settings.readInteger(font, QStringLiteral("EditorColor"), ColorCode::EditorDefault);
    const bool dark = SkinCategories::currentCategory(Settings::path()) == SkinCategory::Dark;
    const bool adapt = settings.readBool(font, QStringLiteral("EditorCheckRadioBox"), true);
    if (const std::optional<qint32> adapted = EditorColorAdaptation::adapted(code, dark, adapt)) {
        code = *adapted;
        settings.writeInteger(font, QStringLiteral("EditorColor"), code);
    }
    // A code that names no colour (the stored default) leaves the text in the
    // skin's own text colour instead of fixing one into every record typed.
    if (const std::optional<QColor> color = ColorCode::toColor(code)) {
        MainDBRichEdit->setTextColor(*color);
    } else {
        QTextCharFormat format = MainDBRichEdit->currentCharFormat();
        format.clearForeground();
        MainDBRichEdit->setCurrentCharFormat(format);
    }
    settings.flush();
}

void TMainForm::SkinsButtonClick()
{
    if (!AppearancePass::chooseSkin(this, Settings::path(), programFolder()))
        return;
    applyEditorLook();
    for (QWidget *box : {static_cast<QWidget *>(DBNavGroupBox), static_cast<QWidget *>(LeftSideGroupBox),
                         static_cast<QWidget *>(CaptionGroupBox), static_cast<QWidget *>(MiddleGroupBox),
                         static_cast<QWidget *>(AdditionalGroupBox)})
        box->update();
    m_hover->loadNormalPictures();
}

Transition *TMainForm::prepareNewRecordTransition()
{
    const Profile settings(Settings::path());
    if (!settings.readBool(QStringLiteral("Interface"), QStringLiteral("EditorEffects"), true))
        return nullptr;
    // The overlay takes its snapshot of the editor's old look now.
    return new Transition(EditingGroupBox);
}

void TMainForm::playNewRecordTransition(Transition *transition)
{
    if (!transition)
        return;
    transition->setMaskPicture(MaskCounter::maskPicture(programFolder(), m_masks.next()));
    transition->run(Transition::Kind::Mask, 1000);
}
