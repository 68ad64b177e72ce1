#pragma once

#include "editor/SearchOptions.h"

class RichEdit;
class Table;

// Searches the body editor's text from the current record on through the
// following records of the table, in the list's order. Moving on saves a
// changed record, as every move does.
class RecordSearch
{
public:
    RecordSearch(Table *table, RichEdit *editor) : m_table(table), m_editor(editor) {}

    // One Find Next. Starts after the selection, or, with nothing selected,
    // at the caret with the editor scrolled to its top. A match is selected
    // and its line brought to the top (topLine follows it); when the record
    // holds no further match the search goes on in the next records. False
    // when nothing was found up to the end; the book is then on its last
    // record, and topLine is 0.
    bool findNext(const SearchOptions &options, int &topLine);

    // Selects the match at `position` and brings its line to the top.
    void showMatch(int position, int length, int &topLine);

    // Moves to the next record whose stored plain text may hold the text,
    // or to the last record when none may. False when the current record is
    // already the last one. Records that cannot match are passed over
    // without being loaded, which ends where visiting each would.
    bool moveToNextCandidate(const SearchOptions &options);

    bool onLastRecord() const;

private:
    bool mayContain(int row, const SearchOptions &options) const;

    Table *m_table;
    RichEdit *m_editor;
};
