#include "core/vehicles/Reminders.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"

namespace Reminders {

QDate DueDate(const TRenewalReminder &renewal) { return VehicleFile::FromDays(renewal.Due); }

bool RollOn(TRenewalReminder &renewal, QDate today)
{
    const QDate due = DueDate(renewal);
    if (!due.isValid() || !(today > due))
        return false;
    const QDate next = due.addYears(1); // 29 February becomes 28 February
    if (!next.isValid() || next.year() > 9999)
        return false;
    renewal.Due = VehicleFile::ToDays(next);
    renewal.Stopped = false;
    return true;
}

bool IsDue(const TRenewalReminder &renewal, QDate today)
{
    const QDate due = DueDate(renewal);
    if (!renewal.Remind || renewal.Stopped || !due.isValid())
        return false;
    const qint64 day = today.toJulianDay();
    const qint64 end = due.toJulianDay();
    const qint64 from = end - qint64(renewal.DaysBefore);
    if (renewal.Rate == 1)
        return from <= day && day <= end;
    return day == from;
}

QString Text(int renewal, const QString &registration, const TRenewalReminder &r, QDate today, const QLocale &locale)
{
    const QDate due = DueDate(r);
    return NameOf(RenewalNames, renewal) + QStringLiteral(" renewal for ") + registration + QStringLiteral(" is due in ")
           + NumberText::FormatFixed(double(today.daysTo(due)), 3, 0) + QStringLiteral(" days on ")
           + ShortDateText(due, locale);
}

} // namespace Reminders
