#include "app/InterfaceTexts.h"

#include "app/MainButtons.h"
#include "settings/Language.h"
#include "settings/LanguageKeys.h"

QStringList InterfaceTexts::editorToolbarHintKeys()
{
    return {QStringLiteral("Copy"),      QStringLiteral("Paste"),      QStringLiteral("Cut"),
            QStringLiteral("Delete"),    QStringLiteral("SelectAll"),  QStringLiteral("Undo"),
            QStringLiteral("AlignLeft"), QStringLiteral("AlignRight"), QStringLiteral("AlignCenter"),
            QStringLiteral("Bullets"),   QStringLiteral("Bold"),       QStringLiteral("Italic"),
            QStringLiteral("StrikeOut"), QStringLiteral("Underline"),  QStringLiteral("Font"),
            QStringLiteral("ClearFormat")};
}

InterfaceTexts InterfaceTexts::load(const LanguageFile &language)
{
    const auto text = [&language](const char *section, const char *key) {
        return language.text(QString::fromLatin1(section), QString::fromLatin1(key));
    };
    InterfaceTexts t;
    for (int day = 1; day <= 7; ++day)
        t.status.dayNames[day] = language.text(QStringLiteral("Days"), QStringLiteral("DayOfWeek%1").arg(day));
    t.calculatorTitle = text("Captions", "Calculator");
    t.searchPlaceholder = text("Panels", "SearchBox");
    t.status.recordPrefix = text("Panels", "Record") + u' ';
    t.status.noRecord = text("Panels", "NoRecord");
    t.status.separator = u' ' + text("Panels", "Of") + u' ';
    t.findDialogTitle = text("Captions", "FindDialog");
    t.replaceDialogTitle = text("Captions", "ReplaceDialog");
    t.findReplaceText = text("Captions", "FindReplaceMessageText");
    t.findReplaceNotFound = text("Captions", "FindReplaceMessageNotFound");
    t.replaceCountText = text("Captions", "TheCountOfTheReplacements");
    for (const MainButton &b : kMainButtons)
        t.hints.insert(hintKey(b), language.text(QStringLiteral("Hints"), hintKey(b)));
    for (const QString &key : editorToolbarHintKeys())
        t.hints.insert(key, language.text(QStringLiteral("Hints"), key));
    for (const QString &name : systemStringNames())
        t.stringTable << language.text(QStringLiteral("System"), name);
    t.itemColumnTitle = text("Captions", "Item");
    t.skinFilter = text("SkinDialog", "Filter") + QStringLiteral(" (*.skn)|*.skn");
    t.skinDialogTitle = text("SkinDialog", "Title");
    return t;
}
