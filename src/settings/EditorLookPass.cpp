#include "settings/EditorLookPass.h"

#include "platform/NativePath.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QTableView>
#include <QTextEdit>

namespace {

void setRole(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

} // namespace

namespace EditorLookPass {

void apply(const EditorLook &look, const EditorLookTargets &targets, const QString &editorImages)
{
    const QPalette skin = QApplication::palette();
    const QColor white(Qt::white);

    const QColor captions = look.limeFrameCaptions ? QColor(0x00, 0xFF, 0x00) : skin.color(QPalette::WindowText);
    setRole(targets.mainGroupBox, QPalette::WindowText, captions);
    setRole(targets.editorGroupBox, QPalette::WindowText, captions);

    if (targets.effectsPanel) {
        targets.effectsPanel->setAutoFillBackground(true);
        setRole(targets.effectsPanel, QPalette::Window, look.blackEffectsPanel ? QColor(Qt::black) : white);
    }
    if (targets.editor) {
        const QColor base = look.whiteEditor ? white : skin.color(QPalette::Base);
        setRole(targets.editor, QPalette::Base, base);
        setRole(targets.editor->viewport(), QPalette::Base, base);
        // Black text is what a white page needs; the editor-colour
        // adaptation decides the text colour on dark pages.
        if (look.whiteEditor)
            setRole(targets.editor, QPalette::Text, QColor(Qt::black));
        else
            setRole(targets.editor, QPalette::Text, skin.color(QPalette::Text));
    }
    const QColor fields = look.whiteCaptionAndList ? white : skin.color(QPalette::Base);
    setRole(targets.captionField, QPalette::Base, fields);
    if (look.whiteCaptionAndList)
        setRole(targets.captionField, QPalette::Text, QColor(Qt::black));
    else
        setRole(targets.captionField, QPalette::Text, skin.color(QPalette::Text));
    if (targets.recordList) {
        setRole(targets.recordList, QPalette::Base, fields);
        setRole(targets.recordList, QPalette::AlternateBase,
                look.whiteCaptionAndList ? white : skin.color(QPalette::AlternateBase));
        setRole(targets.recordList, QPalette::Text,
                look.whiteCaptionAndList ? QColor(Qt::black) : skin.color(QPalette::Text));
        // The fixed cells (headers) follow the list.
        if (auto *table = qobject_cast<QTableView *>(targets.recordList)) {
            const QColor header = look.whiteCaptionAndList ? white : skin.color(QPalette::Button);
            setRole(table->horizontalHeader(), QPalette::Button, header);
            setRole(table->verticalHeader(), QPalette::Button, header);
        }
    }

    if (targets.bookSpine)
        targets.bookSpine->setPixmap(QPixmap(nativePath(editorImages + look.spinePicture)));
    const QStringList glyphs = EditorLook::toolbarGlyphs(look.darkGlyphs);
    for (int i = 0; i < targets.toolbarButtons.size() && i < glyphs.size(); ++i)
        if (QAbstractButton *button = targets.toolbarButtons[i])
            button->setIcon(QIcon(QPixmap(nativePath(editorImages + glyphs[i]))));
}

} // namespace EditorLookPass
