#include "editor/FindReplaceDialog.h"

#include "platform/skin/StringTable.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FindReplaceDialog::FindReplaceDialog(bool withReplace, QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(withReplace ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setModal(false);
    auto *form = new QFormLayout;
    m_findLabel = new QLabel(this);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    m_findLabel->setBuddy(m_findEdit);
    form->addRow(m_findLabel, m_findEdit);
    if (withReplace) {
        m_replaceLabel = new QLabel(this);
        m_replaceEdit = new QLineEdit(this);
        m_replaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        m_replaceLabel->setBuddy(m_replaceEdit);
        form->addRow(m_replaceLabel, m_replaceEdit);
    }
    m_matchCase = new QCheckBox(this);
    m_matchCase->setObjectName(QStringLiteral("MatchCaseCheckBox"));
    m_wholeWord = new QCheckBox(this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWordCheckBox"));
    form->addRow(m_wholeWord);
    form->addRow(m_matchCase);

    auto *buttons = new QVBoxLayout;
    m_findNext = new QPushButton(this);
    m_findNext->setObjectName(QStringLiteral("FindNextButton"));
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    if (withReplace) {
        m_replace = new QPushButton(this);
        m_replace->setObjectName(QStringLiteral("ReplaceButton"));
        m_replaceAll = new QPushButton(this);
        m_replaceAll->setObjectName(QStringLiteral("ReplaceAllButton"));
        buttons->addWidget(m_replace);
        buttons->addWidget(m_replaceAll);
    }
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("CloseButton"));
    buttons->addWidget(m_close);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);

    connect(m_findEdit, &QLineEdit::textChanged, this, &FindReplaceDialog::updateButtons);
    connect(m_findNext, &QPushButton::clicked, this, &FindReplaceDialog::findRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    if (withReplace) {
        connect(m_replace, &QPushButton::clicked, this, [this] {
            m_replaceMark = true;
            m_replaceAllMark = false;
            emit replaceRequested();
        });
        connect(m_replaceAll, &QPushButton::clicked, this, [this] {
            m_replaceMark = false;
            m_replaceAllMark = true;
            emit replaceRequested();
        });
    }
    retranslate();
    updateButtons();
    setMinimumWidth(withReplace ? 420 : 380);
}

void FindReplaceDialog::retranslate()
{
    const auto t = [](const char *name) { return StringTable::text(QString::fromLatin1(name)); };
    m_findLabel->setText(t("FIND_WHAT"));
    if (m_replaceLabel)
        m_replaceLabel->setText(t("FIND_REPLACE_WITH"));
    m_matchCase->setText(t("FIND_MATCH_CASE"));
    m_wholeWord->setText(t("FIND_MATCH_WHOLE_WORD_ONLY"));
    m_findNext->setText(t("FIND_NEXT"));
    if (m_replace) {
        m_replace->setText(t("FIND_REPLACE"));
        m_replaceAll->setText(t("FIND_REPLACE_All"));
    }
    m_close->setText(t("MSG_BTN_CLOSE"));
}

void FindReplaceDialog::updateButtons()
{
    const bool any = !m_findEdit->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replace) {
        m_replace->setEnabled(any);
        m_replaceAll->setEnabled(any);
    }
}

QString FindReplaceDialog::findText() const { return m_findEdit->text(); }
void FindReplaceDialog::setFindText(const QString &text) { m_findEdit->setText(text); }
QString FindReplaceDialog::replaceText() const { return m_replaceEdit ? m_replaceEdit->text() : QString(); }
void FindReplaceDialog::setReplaceText(const QString &text)
{
    if (m_replaceEdit)
        m_replaceEdit->setText(text);
}
bool FindReplaceDialog::matchCase() const { return m_matchCase->isChecked(); }
void FindReplaceDialog::setMatchCase(bool on) { m_matchCase->setChecked(on); }
bool FindReplaceDialog::wholeWord() const { return m_wholeWord->isChecked(); }
void FindReplaceDialog::setWholeWord(bool on) { m_wholeWord->setChecked(on); }

SearchOptions FindReplaceDialog::options() const
{
    return SearchOptions{findText(), matchCase(), wholeWord()};
}
