#include "editor/RecordSearch.h"

#include "editor/EditorText.h"
#include "platform/db/Table.h"
#include "platform/rtf/RichEdit.h"

namespace {

// The stored plain text has line ends where the editor has paragraph
// marks, and no object characters; a needle with any of them is never
// ruled out by it.
bool comparableWithPlainText(const QString &needle)
{
    for (QChar c : needle) {
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n' || u == 0x2029 || u == 0x2028 || u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1)
            return false;
    }
    return true;
}

} // namespace

bool RecordSearch::onLastRecord() const
{
    return m_table->currentRow() >= m_table->rowCount() - 1;
}

bool RecordSearch::mayContain(int row, const SearchOptions &options) const
{
    if (!comparableWithPlainText(options.text))
        return true;
    const QVariant plain = m_table->valueAt(row, QStringLiteral("PlainText"));
    if (!plain.isValid())
        return true;  // never stored: look at the body itself
    // Case is ignored here whatever the options say: a candidate is only
    // looked at, and the editor's own search decides.
    return plain.toString().contains(options.text, Qt::CaseInsensitive);
}

bool RecordSearch::moveToNextCandidate(const SearchOptions &options)
{
    if (onLastRecord())
        return false;
    const int rows = m_table->rowCount();
    int target = rows - 1;
    for (int row = m_table->currentRow() + 1; row < rows - 1; ++row) {
        if (m_table->isPendingRow(row) || mayContain(row, options)) {
            target = row;
            break;
        }
    }
    if (target == m_table->currentRow() + 1)
        m_table->next();
    else
        m_table->moveToRow(target);
    return true;
}

void RecordSearch::showMatch(int position, int length, int &topLine)
{
    m_editor->setFocus();
    m_editor->setSelection(position, length);
    // The control has already scrolled the match into view somewhere, so
    // the line is brought to the top from where the view really is.
    const int line = m_editor->caretLine();
    EditorText::scrollLineToTop(m_editor, line);
    topLine = line;
}

bool RecordSearch::findNext(const SearchOptions &options, int &topLine)
{
    if (options.text.isEmpty())
        return false;
    for (;;) {
        int start = m_editor->selectionStart();
        const int selected = m_editor->selectionLength();
        if (selected == 0) {
            EditorText::scrollToTop(m_editor);
            topLine = 0;
        } else {
            start += selected;
        }
        const int length = int(m_editor->text().size()) - start;
        const int at = m_editor->findText(options.text, start, length, options.matchCase, options.wholeWord);
        if (at >= 0) {
            showMatch(at, int(options.text.size()), topLine);
            return true;
        }
        topLine = 0;
        if (!moveToNextCandidate(options))
            return false;
    }
}
