#pragma once

#include "platform/rtf/CharAttributes.h"
#include "platform/rtf/DisplayedLines.h"

#include <QByteArray>
#include <QTextEdit>

#include <vector>

// The rich-text edit control: a QTextEdit that loads and saves RTF and
// answers in the terms the program's commands use. Character indices are
// document positions (text() holds one character per position); lines are
// displayed lines, counted from 0, so a wrapped paragraph counts as several.
class RichEdit : public QTextEdit
{
    Q_OBJECT
public:
    static constexpr int DefaultMaxLength = 0x7FFFFFF0;

    explicit RichEdit(QWidget *parent = nullptr);

    // Content
    void setRtf(const QByteArray &rtf);  // clears the modified flag and undo
    QByteArray rtf() const;
    bool isModified() const;
    void setModified(bool modified);
    QString text() const;                 // text()[i] is the character at index i
    QString plainTextWithLineEnds() const;  // every hard line followed by CR LF
    void appendLine(const QString &line);

    // Typing and pasting stop at this many characters; loading does not.
    void setMaxLength(int length);
    int maxLength() const { return m_maxLength; }

    // Selection
    int selectionStart() const;
    int selectionLength() const;
    QString selectedText() const;
    void setSelection(int start, int length);  // the caret ends at start + length

    // Lines
    int lineCount() const;                // a last empty line does not count
    int caretLine() const;
    int caretColumn() const;
    int lineFromIndex(int index) const;   // past the end: the last line; negative: 0
    int lineStartIndex(int line) const;   // -1 past the last line; negative: the caret's line
    QString lineText(int line) const;
    int firstVisibleLine() const;
    void scrollLines(int count);          // positive scrolls the text up
    void setWordWrap(bool wrap);
    bool wordWrap() const;

    // The index of the first match inside [start, start + length), or -1.
    int findText(const QString &needle, int start, int length, bool matchCase, bool wholeWord) const;

    // Character attributes of the selection (of the insertion point when
    // nothing is selected). A style counts as set when every selected
    // character has it.
    CharAttributes selectionAttributes() const;
    bool selectionHasStyle(FontStyle style) const;
    void setSelectionStyle(FontStyle style, bool on);
    void toggleSelectionStyle(FontStyle style);
    void setSelectionFont(const CharAttributes &attributes);

    // Paragraphs the selection touches; the first one answers the queries.
    Qt::Alignment paragraphAlignment() const;
    void setParagraphAlignment(Qt::Alignment alignment);
    bool paragraphsBulleted() const;
    void setParagraphBullets(bool on);
    void toggleBullets();

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    const std::vector<DisplayedLines::Line> &lines() const;
    void enforceMaxLength(int position, int removed, int added);

    int m_maxLength = DefaultMaxLength;
    bool m_trimming = false;
    bool m_loading = false;

    // Lines are worked out again only when the text or its layout changed.
    mutable std::vector<DisplayedLines::Line> m_lines;
    mutable int m_linesRevision = -1;
    mutable double m_linesWidth = -1;
    mutable double m_linesHeight = -1;
};
