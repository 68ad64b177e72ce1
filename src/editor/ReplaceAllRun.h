#pragma once

#include "editor/SearchOptions.h"

#include <functional>

class RichEdit;
class Table;

// The replace-everything loop: finds, selects and replaces each
// occurrence in turn in the body editor, through the records when the
// scope is the whole book. The replaced records are saved by the moves
// between them; the record the run ends on stays in editing.
class ReplaceAllRun
{
public:
    enum class Scope { FromCursor, EntireRecord, AllRecords };

    struct Result
    {
        int count = 0;
        bool cancelled = false;
    };

    ReplaceAllRun(Table *table, RichEdit *editor) : m_table(table), m_editor(editor) {}

    // Called after each move to another record with the row reached and the
    // number of rows; returning false stops the run there.
    std::function<bool(int row, int rows)> onRecordReached;

    Result run(Scope scope, const SearchOptions &options, const QString &replacement);

    // The whole-book report: with replacements
    //   <text> "<find>"<count text>: <count>
    // and without
    //   <text> "<find>" <not-found text>
    static QString report(const QString &messageText, const QString &countText, const QString &notFoundText,
                          const QString &findText, int count);

private:
    Result runLoop(Scope scope, const SearchOptions &options, const QString &replacement);

    Table *m_table;
    RichEdit *m_editor;
};
