#include "core/vehicles/VehicleRecord.h"

#include "core/fuellog/Windows1252.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

const QStringList FuelTypeNames{QStringLiteral("Petrol"), QStringLiteral("Diesel"), QStringLiteral("LRP")};
const QStringList VehicleTypeNames{QStringLiteral("PCV (Service)"), QStringLiteral("PCV (Private hire)"),
                                   QStringLiteral("LGV (Articulated)"), QStringLiteral("LGV"), QStringLiteral("Car"),
                                   QStringLiteral("Motor Cycle"), QStringLiteral("Van")};
const QStringList ArchiveMarks{QStringLiteral(" "), QStringLiteral("Y")};
const QStringList RenewalNames{QStringLiteral("Road Tax"), QStringLiteral("Insurance"), QStringLiteral("MOT"),
                               QStringLiteral("Service")};

double SundryTotal(const TVehicleRecord &record)
{
    double total = 0;
    for (const TSundryItem &s : record.Sundries)
        total += s.Cost;
    return total;
}

QString NameOf(const QStringList &table, int index)
{
    return index >= 0 && index < table.size() ? table[index] : QString();
}

const QString RegistrationRule = QStringLiteral("a registration is 1 to 10 characters, with no blank at either end and none of / \\ : * ? \" < > |");

bool IsFileSafeRegistration(const QString &registration)
{
    if (registration.isEmpty() || registration.size() > VehicleFile::Width::Registration)
        return false;
    if (registration == QLatin1String(".") || registration == QLatin1String(".."))
        return false;
    // Outer blanks are trimmed away by the settings file, so the vehicle
    // would lose its data file after a restart.
    if (registration.front().isSpace() || registration.back().isSpace())
        return false;
    for (const QChar c : registration) {
        const char16_t u = c.unicode();
        if (u < 32 || (u >= 127 && u < 160) || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    }
    // The vehicle list stores Windows-1252: a character it cannot hold would
    // be dropped there while the data file keeps it.
    bool ok = false;
    Windows1252::Encode(registration, &ok);
    return ok;
}

namespace VehicleFile {

namespace {
const QDate DayZero(1899, 12, 30);

// Field offsets within a record.
namespace Off {
const int Id = 0, Manufacturer = 4, Model = 20, Registration = 33, TaxGroup = 44, Fuel = 48, EngineCapacity = 52,
          Colour = 56, Acquired = 72, RoadTax = 80, LegacyDate1 = 88, InsuranceCompany = 96, InsuranceAmount = 152,
          LegacyDate2 = 160, LegacyDate3 = 168, MOTAmount = 176, VehicleType = 180, ImageIndex = 184,
          MOTStation = 188, Archived = 239, Reminders = 240, LegacyDate4 = 336, ServiceAmount = 344,
          ServiceStation = 348, Sundries = 400, SundryCount = 1840;
const int ReminderSize = 24, SundrySize = 72;
} // namespace Off

class Writer {
public:
    QByteArray bytes = QByteArray(RecordSize, '\0');
    void i32(int at, qint32 v) { qToLittleEndian(v, bytes.data() + at); }
    void u8(int at, quint8 v) { bytes[at] = char(v); }
    void f64(int at, double v) { qToLittleEndian(v, bytes.data() + at); }
    void str(int at, int size, const QString &text)
    {
        const QByteArray b = Windows1252::Encode(QStringView(text).left(size));
        bytes[at] = char(b.size());
        std::memcpy(bytes.data() + at + 1, b.constData(), size_t(b.size()));
    }
};

class Reader {
public:
    const char *p;
    bool ok = true;
    qint32 i32(int at) const { return qFromLittleEndian<qint32>(p + at); }
    quint8 u8(int at) const { return quint8(p[at]); }
    double f64(int at)
    {
        const double v = qFromLittleEndian<double>(p + at);
        if (!std::isfinite(v))
            ok = false;
        return v;
    }
    QString str(int at, int size)
    {
        const int length = u8(at);
        if (length > size) {
            ok = false;
            return QString();
        }
        return Windows1252::Decode(QByteArrayView(p + at + 1, length));
    }
};

TRenewalReminder todaysReminder(QDate today)
{
    TRenewalReminder r;
    r.Due = ToDays(today);
    return r;
}
} // namespace

int SizeOf(Form form)
{
    switch (form) {
    case Form::Current: return RecordSize;
    case Form::Mk2: return Mk2Size;
    case Form::Mk1: return Mk1Size;
    }
    return RecordSize;
}

double ToDays(QDate date) { return double(DayZero.daysTo(date)); }

QDate FromDays(double days)
{
    // Dates outside 01/01/0100-31/12/9999 are no dates: a stored day number
    // may be anything a damaged file holds.
    static const double first = ToDays(QDate(100, 1, 1));
    static const double last = ToDays(QDate(9999, 12, 31));
    if (!std::isfinite(days) || days < first || days >= last + 1)
        return QDate();
    return DayZero.addDays(qint64(std::floor(days)));
}

QByteArray Encode(const TVehicleRecord &r)
{
    Writer w;
    w.i32(Off::Id, r.Id);
    w.str(Off::Manufacturer, Width::Manufacturer, r.Manufacturer);
    w.str(Off::Model, Width::Model, r.Model);
    w.str(Off::Registration, Width::Registration, r.Registration);
    w.i32(Off::TaxGroup, r.TaxGroup);
    w.i32(Off::Fuel, r.Fuel);
    w.i32(Off::EngineCapacity, r.EngineCapacity);
    w.str(Off::Colour, Width::Colour, r.Colour);
    w.f64(Off::Acquired, r.Acquired);
    w.i32(Off::RoadTax, r.RoadTax);
    w.f64(Off::LegacyDate1, r.LegacyDate1);
    w.str(Off::InsuranceCompany, Width::Company, r.InsuranceCompany);
    w.f64(Off::InsuranceAmount, r.InsuranceAmount);
    w.f64(Off::LegacyDate2, r.LegacyDate2);
    w.f64(Off::LegacyDate3, r.LegacyDate3);
    w.i32(Off::MOTAmount, r.MOTAmount);
    w.u8(Off::VehicleType, r.VehicleType);
    w.i32(Off::ImageIndex, r.ImageIndex);
    w.str(Off::MOTStation, Width::Company, r.MOTStation);
    w.u8(Off::Archived, r.Archived);
    for (int k = 0; k < 4; ++k) {
        const int at = Off::Reminders + k * Off::ReminderSize;
        const TRenewalReminder &m = r.Reminders[k];
        w.f64(at, m.Due);
        w.u8(at + 8, m.Remind ? 1 : 0);
        w.i32(at + 12, m.DaysBefore);
        w.i32(at + 16, m.Rate);
        w.u8(at + 20, m.Stopped ? 1 : 0);
    }
    w.f64(Off::LegacyDate4, r.LegacyDate4);
    w.i32(Off::ServiceAmount, r.ServiceAmount);
    w.str(Off::ServiceStation, Width::Company, r.ServiceStation);
    for (int k = 0; k < 20; ++k) {
        const int at = Off::Sundries + k * Off::SundrySize;
        w.f64(at, r.Sundries[k].Date);
        w.str(at + 8, Width::Description, r.Sundries[k].Description);
        w.f64(at + 64, r.Sundries[k].Cost);
    }
    w.i32(Off::SundryCount, r.SundryCount);
    return w.bytes;
}

bool Decode(const char *bytes, Form form, TVehicleRecord *out)
{
    Reader rd{bytes};
    TVehicleRecord r;
    r.Id = rd.i32(Off::Id);
    r.Manufacturer = rd.str(Off::Manufacturer, Width::Manufacturer);
    r.Model = rd.str(Off::Model, Width::Model);
    r.Registration = rd.str(Off::Registration, Width::Registration);
    r.TaxGroup = rd.i32(Off::TaxGroup);
    r.Fuel = rd.i32(Off::Fuel);
    r.EngineCapacity = rd.i32(Off::EngineCapacity);
    r.Colour = rd.str(Off::Colour, Width::Colour);
    r.Acquired = rd.f64(Off::Acquired);
    r.RoadTax = rd.i32(Off::RoadTax);
    r.LegacyDate1 = rd.f64(Off::LegacyDate1);
    r.InsuranceCompany = rd.str(Off::InsuranceCompany, Width::Company);
    r.InsuranceAmount = rd.f64(Off::InsuranceAmount);
    r.LegacyDate2 = rd.f64(Off::LegacyDate2);
    r.LegacyDate3 = rd.f64(Off::LegacyDate3);
    r.MOTAmount = rd.i32(Off::MOTAmount);
    r.VehicleType = rd.u8(Off::VehicleType);
    r.ImageIndex = rd.i32(Off::ImageIndex);
    if (form != Form::Mk1) {
        r.MOTStation = rd.str(Off::MOTStation, Width::Company);
        r.Archived = rd.u8(Off::Archived);
        const int reminders = form == Form::Mk2 ? 3 : 4;
        for (int k = 0; k < reminders; ++k) {
            const int at = Off::Reminders + k * Off::ReminderSize;
            TRenewalReminder &m = r.Reminders[k];
            m.Due = rd.f64(at);
            m.Remind = rd.u8(at + 8) != 0;
            m.DaysBefore = rd.i32(at + 12);
            m.Rate = rd.i32(at + 16);
            m.Stopped = rd.u8(at + 20) != 0;
        }
    }
    if (form == Form::Current) {
        r.LegacyDate4 = rd.f64(Off::LegacyDate4);
        r.ServiceAmount = rd.i32(Off::ServiceAmount);
        r.ServiceStation = rd.str(Off::ServiceStation, Width::Company);
        for (int k = 0; k < 20; ++k) {
            const int at = Off::Sundries + k * Off::SundrySize;
            r.Sundries[k].Date = rd.f64(at);
            r.Sundries[k].Description = rd.str(at + 8, Width::Description);
            r.Sundries[k].Cost = rd.f64(at + 64);
        }
        r.SundryCount = rd.i32(Off::SundryCount);
    }
    *out = rd.ok ? r : TVehicleRecord{};
    return rd.ok;
}

TVehicleRecord Import(const TVehicleRecord &older, Form form, QDate today)
{
    TVehicleRecord r = older; // the fields both forms share are copied as they are
    if (form == Form::Mk1) {
        r.MOTStation.clear();
        r.Reminders.fill(todaysReminder(today));
    } else {
        r.Reminders[3] = todaysReminder(today);
    }
    r.Archived = 0;
    r.LegacyDate4 = r.LegacyDate3;
    r.ServiceAmount = 200;
    r.ServiceStation.clear();
    for (TSundryItem &s : r.Sundries)
        s = TSundryItem{ToDays(today), QString(), 0.0};
    r.SundryCount = 0;
    return r;
}

} // namespace VehicleFile
