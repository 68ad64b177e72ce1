#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

// Shows a caption that does not fit its field: when the field's text is
// wider than the field, its hint shows the full text instead of the
// field's own hint. Hints stay up for kHintMs.
class CaptionHint : public QObject
{
    Q_OBJECT
public:
    static constexpr int kHintMs = 10000;

    // fullText gives the text to show (the record list's caption of the
    // current record); the hint object lives as long as the field.
    static CaptionHint *attach(QLineEdit *field, std::function<QString()> fullText);

    // Whether text is wider than what the field can show.
    static bool doesNotFit(const QLineEdit *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CaptionHint(QLineEdit *field, std::function<QString()> fullText);

    QLineEdit *m_field;
    std::function<QString()> m_fullText;
};
