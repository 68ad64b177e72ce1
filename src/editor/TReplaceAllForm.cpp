#include "editor/TReplaceAllForm.h"

#include "settings/AppearancePass.h"
#include "settings/WindowOpacity.h"

#include "editor/FindReplaceDialog.h"
#include "platform/db/Table.h"
#include "platform/rtf/RichEdit.h"
#include "platform/skin/SkinMessageBox.h"
#include "platform/skin/StringTable.h"
#include "settings/Language.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include <QBoxLayout>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

TReplaceAllForm::TReplaceAllForm(Table *table, RichEdit *editor, FindReplaceDialog *replaceDialog,
                                 const ReportTexts &texts, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_table(table), m_editor(editor), m_replaceDialog(replaceDialog), m_texts(texts)
{
    setObjectName(QStringLiteral("ReplaceAllForm"));
    const auto radio = [](const char *name, QWidget *parent) {
        auto *r = new QRadioButton(parent);
        r->setObjectName(QString::fromLatin1(name));
        return r;
    };
    ScopeGroupBox = new QGroupBox(this);
    ScopeGroupBox->setObjectName(QStringLiteral("ScopeGroupBox"));
    SelectedRecordRadioBox = radio("SelectedRecordRadioBox", ScopeGroupBox);
    AllRecordsRadioBox = radio("AllRecordsRadioBox", ScopeGroupBox);
    auto *scopeLayout = new QVBoxLayout(ScopeGroupBox);
    scopeLayout->addWidget(SelectedRecordRadioBox);
    scopeLayout->addWidget(AllRecordsRadioBox);
    OriginGroupBox = new QGroupBox(this);
    OriginGroupBox->setObjectName(QStringLiteral("OriginGroupBox"));
    FromCursorRadioBox = radio("FromCursorRadioBox", OriginGroupBox);
    EntireScopeRadioBox = radio("EntireScopeRadioBox", OriginGroupBox);
    auto *originLayout = new QVBoxLayout(OriginGroupBox);
    originLayout->addWidget(FromCursorRadioBox);
    originLayout->addWidget(EntireScopeRadioBox);
    SelectedRecordRadioBox->setChecked(true);
    FromCursorRadioBox->setChecked(true);

    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto *groups = new QHBoxLayout;
    groups->addWidget(ScopeGroupBox);
    groups->addWidget(OriginGroupBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(SelectedRecordRadioBox, &QRadioButton::clicked, this, &TReplaceAllForm::AllRecordsRadioBoxClick);
    connect(AllRecordsRadioBox, &QRadioButton::clicked, this, &TReplaceAllForm::AllRecordsRadioBoxClick);
    connect(OKButton, &QPushButton::clicked, this, &TReplaceAllForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // Transparency and fading follow the window settings, as for every
    // skinned window.
    AppearancePass::applyOpacity(WindowOpacity::fromSettings(Settings::path()), {this});

    if (replaceDialog)
        move(replaceDialog->pos() + QPoint(25, 15));

    const LanguageFile language;
    const auto caption = [&language](const char *key) {
        return language.text(QStringLiteral("Captions"), QString::fromLatin1(key));
    };
    setWindowTitle(caption("ReplaceAll"));
    ScopeGroupBox->setTitle(caption("ScopeGroupBox"));
    SelectedRecordRadioBox->setText(caption("SelectedRecordRadioBox"));
    AllRecordsRadioBox->setText(caption("AllRecordsRadioBox"));
    OriginGroupBox->setTitle(caption("OriginGroupBox"));
    FromCursorRadioBox->setText(caption("FromCursorRadioBox"));
    EntireScopeRadioBox->setText(caption("EntireScopeRadioBox"));
    OKButton->setText(language.text(QStringLiteral("Options"), QStringLiteral("OKButton")));
    CancelButton->setText(language.text(QStringLiteral("Options"), QStringLiteral("CancelButton")));
    setFixedSize(sizeHint());
}

void TReplaceAllForm::AllRecordsRadioBoxClick()
{
    // The whole book always starts at its first record.
    OriginGroupBox->setEnabled(SelectedRecordRadioBox->isChecked());
}

ReplaceAllRun::Scope TReplaceAllForm::scope() const
{
    if (AllRecordsRadioBox->isChecked())
        return ReplaceAllRun::Scope::AllRecords;
    return EntireScopeRadioBox->isChecked() ? ReplaceAllRun::Scope::EntireRecord : ReplaceAllRun::Scope::FromCursor;
}

void TReplaceAllForm::OKButtonClick()
{
    hide();
    const ReplaceAllRun::Scope chosen = scope();
    const SearchOptions options = m_replaceDialog ? m_replaceDialog->options() : SearchOptions();
    const QString replacement = m_replaceDialog ? m_replaceDialog->replaceText() : QString();

    ReplaceAllRun run(m_table, m_editor);
    std::unique_ptr<QProgressDialog> progress;
    if (chosen == ReplaceAllRun::Scope::AllRecords) {
        // Shown only once the run has lasted half a second; it can stop the
        // run between records, and what was replaced so far stays saved.
        progress = std::make_unique<QProgressDialog>(windowTitle(), StringTable::text(QStringLiteral("MSG_BTN_CANCEL")),
                                                     0, qMax(1, m_table->rowCount()), parentWidget());
        progress->setObjectName(QStringLiteral("ReplaceProgressDialog"));
        progress->setWindowTitle(windowTitle());
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(500);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setValue(0);
        run.onRecordReached = [&progress](int row, int rows) {
            progress->setMaximum(rows);
            progress->setValue(row);
            return !progress->wasCanceled();
        };
    }
    try {
        m_result = run.run(chosen, options, replacement);
    } catch (...) {
        // The replacements made so far stay; the error is shown by the
        // application's default display.
        progress.reset();
        done(QDialog::Accepted);
        throw;
    }
    progress.reset();
    if (chosen == ReplaceAllRun::Scope::AllRecords)
        SkinMessageBox::show(parentWidget(), SkinMessageBox::Information,
                             ReplaceAllRun::report(m_texts.message, m_texts.count, m_texts.notFound, options.text,
                                                   m_result.count),
                             SkinMessageBox::Yes);
    done(QDialog::Accepted);
}
