#include "editor/ReplaceAllRun.h"

#include "editor/EditorText.h"
#include "editor/RecordSearch.h"
#include "platform/db/Table.h"
#include "platform/rtf/RichEdit.h"

ReplaceAllRun::Result ReplaceAllRun::run(Scope scope, const SearchOptions &options, const QString &replacement)
{
    Result result;
    RecordSearch search(m_table, m_editor);
    int topLine = 0;
    int start = 0;
    switch (scope) {
    case Scope::FromCursor:
        start = m_editor->selectionStart();
        break;
    case Scope::EntireRecord:
        EditorText::scrollToTop(m_editor);
        break;
    case Scope::AllRecords:
        if (m_table->rowCount() > 0)
            m_table->first();
        EditorText::scrollToTop(m_editor);
        break;
    }
    if (options.text.isEmpty())
        return result;

    bool firstSearch = true;
    for (;;) {
        const int selected = m_editor->selectionLength();
        if (selected == 0)
            topLine = 0;
        else if (scope == Scope::FromCursor && firstSearch)
            start += selected;  // a selected occurrence stays as it is
        firstSearch = false;

        const int length = int(m_editor->text().size()) - start;
        const int at = m_editor->findText(options.text, start, length, options.matchCase, options.wholeWord);
        if (at >= 0) {
            search.showMatch(at, int(options.text.size()), topLine);
            if (m_editor->selectionLength() > 0) {
                m_table->edit();
                EditorText::replaceSelection(m_editor, replacement);
                ++result.count;
            }
            // Go on after the inserted text, so a replacement that holds
            // the find text is not replaced again.
            start = m_editor->selectionStart();
            continue;
        }
        if (scope != Scope::AllRecords)
            break;
        topLine = 0;
        if (!search.moveToNextCandidate(options))
            break;
        start = 0;
        if (onRecordReached && !onRecordReached(m_table->currentRow(), m_table->rowCount())) {
            result.cancelled = true;
            break;
        }
    }
    return result;
}

QString ReplaceAllRun::report(const QString &messageText, const QString &countText, const QString &notFoundText,
                              const QString &findText, int count)
{
    const QString quoted = messageText + QStringLiteral(" \"") + findText + u'"';
    if (count > 0)
        return quoted + countText + QStringLiteral(": ") + QString::number(count);
    return quoted + u' ' + notFoundText;
}
