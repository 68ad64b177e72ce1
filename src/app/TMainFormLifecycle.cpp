// The main window's lifecycle: first show, first activation, closing.

#include "app/TMainForm.h"

#include "app/Application.h"
#include "app/StartupState.h"
#include "help/ErrorOffer.h"
#include "platform/AppError.h"
#include "platform/db/DBEdit.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/Table.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include <QCloseEvent>
#include <QShowEvent>

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery() || !FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TMainForm::FormShow()
{
    if (m_firstShowDone)
        return;
    const Profile settings(Settings::path());
    // "Splash"/"Show" decides about the splash window, which comes with the
    // About window.
    m_firstShowDone = true;
}

void TMainForm::FormActivate()
{
    if (m_firstActivationDone)
        return;
    m_firstActivationDone = true;
    MainDBRichEdit->setFocus();
    // On a first start the welcome window opens here; it comes with the
    // first-run greeting.
}

bool TMainForm::FormCloseQuery()
{
    // Help mode asks before closing; outside it the window always closes.
    return true;
}

bool TMainForm::FormClose()
{
    Profile settings(Settings::path());
    // The placeholder book holds nothing of the user's: nothing to save.
    bool editing = m_bookEditable;
    try {
        if (editing)
            MainTable->edit();
    } catch (const AppError &) {
        editing = false;  // no book open
    }
    if (editing) {
        // Something of the user's waits to be saved: typed text, or a record
        // started and not yet stored.
        const bool pending = MainTable->isModified() || MainTable->state() == Table::State::Insert
                             || MainDBRichEdit->isModified() || NameDBEdit->isModified();
        try {
            MainTable->post();
        } catch (const AppError &error) {
            // Closing now would throw the user's text away: say why and keep
            // the window open, so the record can be mended or cancelled. With
            // nothing pending there is nothing to lose, and the window closes.
            if (pending) {
                Application::showException(error);
                return false;
            }
        }
    }
    if (!CloseBook())
        offerErrorReport(this, 2);
    if (settings.readBool(QStringLiteral("Positions"), QStringLiteral("SavePositions"), false)) {
        settings.writeInteger(QStringLiteral("Positions"), QStringLiteral("Height"), height());
        settings.writeInteger(QStringLiteral("Positions"), QStringLiteral("Width"), width());
        settings.writeInteger(QStringLiteral("Positions"), QStringLiteral("Left"), x());
        settings.writeInteger(QStringLiteral("Positions"), QStringLiteral("Top"), y());
    }
    settings.flush();
    return true;
}
