// The main window's book table: opening and closing the current book, the
// creation and modification stamps, and the status panels.

#include "app/TMainForm.h"

#include "app/BookFlags.h"
#include "app/Folders.h"
#include "platform/AppError.h"
#include "platform/db/DBRichEdit.h"
#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QLabel>

namespace {

void writeStamps(Table *table, const QString &datePrefix)
{
    // Each value reads the clock anew, as each stamp is its own moment.
    table->setFieldValue(datePrefix + QStringLiteral("Date"), QDate::currentDate());
    table->setFieldValue(datePrefix + QStringLiteral("Time"), QTime::currentTime());
    table->setFieldValue(datePrefix + QStringLiteral("DayOfWeek"), storedDayOfWeek(QDate::currentDate()));
}

} // namespace

bool TMainForm::OpenBook()
{
    try {
        const Profile settings(Settings::path());
        const bool byCaption = settings.readBool(QStringLiteral("Interface"), QStringLiteral("SortByCaption"), true);
        MainTable->open(BookFolder, QStringLiteral("bf.db"), byCaption ? Table::CaptionOrder : Table::DateOrder);
        return true;
    } catch (const AppError &) {
        return false;
    }
}

bool TMainForm::CloseBook()
{
    try {
        MainTable->close();
        return true;
    } catch (const AppError &) {
        return false;
    }
}

void TMainForm::MainTableNewRecord()
{
    if (!SuppressNewRecordStamps) {
        NewRecordPending = true;
        applyRecordFonts();
        StampingNewRecord = true;
        try {
            writeStamps(MainTable, QString());
            writeStamps(MainTable, QStringLiteral("Modified"));
        } catch (...) {
            StampingNewRecord = false;
            throw;
        }
    }
    StampingNewRecord = false;
}

void TMainForm::MainTableBeforePost()
{
    if (MainDBRichEdit->isModified())
        writeStamps(MainTable, QStringLiteral("Modified"));
}

void TMainForm::MainTableAfterPost()
{
    NewRecordPending = false;
    if (MainTable->count() < 1)
        RecCountStatusPanel->setText(m_texts.status.noRecord);
    else
        RecCountStatusPanel->setText(m_texts.status.position(MainTable->position(), MainTable->count()));
}

void TMainForm::MainDataSourceDataChange()
{
    try {
        if (MainTable->count() < 1) {
            CreatedStatusPanel->setText(m_texts.status.noRecord);
            ModifiedStatusPanel->setText(m_texts.status.noRecord);
            RecCountStatusPanel->setText(m_texts.status.noRecord);
        } else {
            if (!StampingNewRecord)
                CreatedStatusPanel->setText(m_texts.status.stamp(MainTable->fieldValue(QStringLiteral("DayOfWeek")),
                                                           MainTable->fieldValue(QStringLiteral("Date")),
                                                           MainTable->fieldValue(QStringLiteral("Time"))));
            ModifiedStatusPanel->setText(m_texts.status.stamp(MainTable->fieldValue(QStringLiteral("ModifiedDayOfWeek")),
                                                        MainTable->fieldValue(QStringLiteral("ModifiedDate")),
                                                        MainTable->fieldValue(QStringLiteral("ModifiedTime"))));
            RecCountStatusPanel->setText(m_texts.status.position(MainTable->position(), MainTable->count()));
        }
    } catch (...) {
        // A panel that cannot be built keeps its earlier text.
    }
    if (NewRecordPending)
        RecCountStatusPanel->setText(m_texts.status.pending(MainTable->count()));
    // The strip shows one record's bookmarks: another current record
    // closes it.
    if (bookmarkStripShown() && MainTable->recordKey() != m_stripRecordKey)
        HideBookmarkStrip();
}
