#include "editor/ReplaceAllRun.h"

#include "editor/EditorText.h"
#include "editor/RecordSearch.h"
#include "platform/db/Table.h"
#include "platform/rtf/RichEdit.h"

#include <QElapsedTimer>

ReplaceAllRun::Result ReplaceAllRun::run(Scope scope, const SearchOptions &options, const QString &replacement)
{
    // Across the whole book the saves share one transaction, committed about
    // twice a second and at the end (also when cancelled), instead of one
    // synced write per record.
    const bool batched = scope == Scope::AllRecords && !options.text.isEmpty() && !m_table->inBatch();
    if (!batched)
        return runLoop(scope, options, replacement);
    m_table->beginBatch();
    Result result;
    try {
        result = runLoop(scope, options, replacement);
    } catch (...) {
        try {
            m_table->endBatch();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
    m_table->endBatch();
    return result;
}

ReplaceAllRun::Result ReplaceAllRun::runLoop(Scope scope, const SearchOptions &options, const QString &replacement)
{
    Result result;
    QElapsedTimer sinceCommit;
    sinceCommit.start();
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
        if (m_table->inBatch() && sinceCommit.elapsed() >= 500) {
            m_table->commitBatch();
            sinceCommit.restart();
        }
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
