#pragma once

#include "editor/ReplaceAllRun.h"

#include <QDialog>

class FindReplaceDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;
class RichEdit;
class Table;

// Where Replace All replaces: in the current record from the cursor or
// from its start, or in every record of the book. OK runs the replacement
// with the replace dialog's texts and options, then closes.
class TReplaceAllForm : public QDialog
{
    Q_OBJECT
public:
    // The report texts of the whole-book run ("FindReplaceMessageText",
    // "TheCountOfTheReplacements", "FindReplaceMessageNotFound").
    struct ReportTexts
    {
        QString message;
        QString count;
        QString notFound;
    };

    TReplaceAllForm(Table *table, RichEdit *editor, FindReplaceDialog *replaceDialog,
                    const ReportTexts &texts, QWidget *parent = nullptr);

    QGroupBox *ScopeGroupBox = nullptr;
    QRadioButton *SelectedRecordRadioBox = nullptr;
    QRadioButton *AllRecordsRadioBox = nullptr;
    QGroupBox *OriginGroupBox = nullptr;
    QRadioButton *FromCursorRadioBox = nullptr;
    QRadioButton *EntireScopeRadioBox = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

    ReplaceAllRun::Scope scope() const;
    // The outcome of the last OK; nothing replaced before it.
    ReplaceAllRun::Result result() const { return m_result; }

    void AllRecordsRadioBoxClick();
    void OKButtonClick();

private:
    Table *m_table;
    RichEdit *m_editor;
    FindReplaceDialog *m_replaceDialog;
    ReportTexts m_texts;
    ReplaceAllRun::Result m_result;
};
