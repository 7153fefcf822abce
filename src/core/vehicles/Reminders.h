#pragma once
#include "core/vehicles/VehicleRecord.h"

#include <QDate>
#include <QLocale>
#include <QString>

// The renewal reminders of a vehicle: due dates rolled on once they have
// passed, and whether today is a day to remind. Whole days throughout, in
// 64 bits; a stored due date outside 0100-9999 is left alone and never
// reminds.
namespace Reminders {

// The renewal's due date as a whole day; invalid when the stored number
// names no date the program can hold.
QDate DueDate(const TRenewalReminder &renewal);
// Once today is past the due date: the same day a year on (29 February
// becomes 28 February, never later) and reminding wanted again. True when
// the renewal changed.
bool RollOn(TRenewalReminder &renewal, QDate today);
// Remind today? "Every Day" (rate 1) from DaysBefore days ahead up to the due
// date; any other rate only on the day DaysBefore days ahead.
bool IsDue(const TRenewalReminder &renewal, QDate today);
// "Road Tax renewal for AB12CDE is due in 14 days on 01/03/2025".
QString Text(int renewal, const QString &registration, const TRenewalReminder &r, QDate today, const QLocale &locale);

} // namespace Reminders
