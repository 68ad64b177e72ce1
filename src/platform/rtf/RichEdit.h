#pragma once

#include <QByteArray>
#include <QTextEdit>

// The rich-text edit control: a QTextEdit that loads and saves RTF.
class RichEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichEdit(QWidget *parent = nullptr);

    void setRtf(const QByteArray &rtf);  // clears the modified flag
    QByteArray rtf() const;

    bool isModified() const;
    void setModified(bool modified);
};
