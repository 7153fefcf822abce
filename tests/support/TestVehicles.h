#pragma once
#include "core/vehicles/VehicleRecord.h"

// A vehicle record for tests: a registration, and renewals due well after
// any date the tests give as today, so the reminder scan leaves them be.
inline TVehicleRecord TestVehicle(const QString &registration)
{
    TVehicleRecord r;
    r.Registration = registration;
    for (TRenewalReminder &m : r.Reminders)
        m.Due = VehicleFile::ToDays(QDate(2030, 1, 1));
    return r;
}
