#include "app/StatusTexts.h"

#include <QLocale>
#include <QRegularExpression>

QString StatusTexts::stamp(const QVariant &dayOfWeek, const QVariant &date, const QVariant &time) const
{
    bool ok = false;
    const int day = dayOfWeek.toInt(&ok);
    const QString name = ok && day >= 1 && day <= 7 ? dayNames[day] : QString();
    const QLocale locale = QLocale::system();
    const QDate d = QDate::fromString(date.toString(), Qt::ISODate);
    const QTime t = QTime::fromString(time.toString(), QStringLiteral("HH:mm:ss"));
    const QString dateText = d.isValid() ? locale.toString(d, QLocale::ShortFormat) : date.toString();
    const QString timeText = t.isValid() ? locale.toString(t, longTimeFormat()) : time.toString();
    return name + QStringLiteral("  ") + dateText + QStringLiteral("  ") + timeText;
}

QString StatusTexts::position(int position, int count) const
{
    return recordPrefix + QString::number(position) + separator + QString::number(count);
}

QString StatusTexts::pending(int count) const
{
    return recordPrefix + QString::number(count + 1);
}

int storedDayOfWeek(const QDate &date)
{
    return date.dayOfWeek() % 7 + 1;  // Qt counts Monday = 1 … Sunday = 7
}

QString longTimeFormat()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    // Drop the zone ("t", "tt", "ttt") and the space that sets it off.
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.remove(zone);
    return format.trimmed();
}
