#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <array>

// The status bar's texts, built from the language file's fragments: the
// record prefix ("Record" and a space), the separator (a space, "Of" and a
// space), the text for a book without records, and the seven day names.
struct StatusTexts
{
    QString recordPrefix;
    QString separator;
    QString noRecord;
    std::array<QString, 8> dayNames;  // 1 = Sunday … 7 = Saturday; 0 unused

    // Weekday name, two spaces, date in the short format, two spaces, time
    // in the long format. A weekday outside 1 to 7 gives no name.
    QString stamp(const QVariant &dayOfWeek, const QVariant &date, const QVariant &time) const;
    QString position(int position, int count) const;  // "Record 3 of 12"
    QString pending(int count) const;                 // "Record 13"
};

// Weekday of a date as the records store it: 1 = Sunday … 7 = Saturday.
int storedDayOfWeek(const QDate &date);

// The system's long time format without a time-zone part.
QString longTimeFormat();
