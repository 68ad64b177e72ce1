#pragma once

#include "editor/SearchOptions.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Our modeless find dialog and, with `withReplace`, replace dialog. Every
// search runs forward; the user can ask for match case and whole words.
// Labels and buttons come from the string table, the title from the
// caller.
class FindReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    FindReplaceDialog(bool withReplace, QWidget *parent = nullptr);

    bool hasReplace() const { return m_replaceEdit != nullptr; }
    QString findText() const;
    void setFindText(const QString &text);
    QString replaceText() const;
    void setReplaceText(const QString &text);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool wholeWord() const;
    void setWholeWord(bool on);
    SearchOptions options() const;

    // Which button caused the last replace event: Replace sets the replace
    // mark, Replace All the replace-all mark; Find Next changes neither.
    bool replaceMark() const { return m_replaceMark; }
    bool replaceAllMark() const { return m_replaceAllMark; }

    // Takes the labels from the string table again.
    void retranslate();

    QPushButton *findNextButton() const { return m_findNext; }
    QPushButton *replaceButton() const { return m_replace; }
    QPushButton *replaceAllButton() const { return m_replaceAll; }

Q_SIGNALS:
    void findRequested();
    void replaceRequested();

private:
    void updateButtons();

    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_replaceAll = nullptr;
    QPushButton *m_close = nullptr;
    class QLabel *m_findLabel = nullptr;
    class QLabel *m_replaceLabel = nullptr;
    bool m_replaceMark = false;
    bool m_replaceAllMark = false;
};
