#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

// One vehicle as the vehicle list file stores it: a fixed record of 1848
// little-endian bytes. The two older forms of the file hold the first 192
// (Mk1) or 312 (Mk2) bytes of the same layout.

struct TRenewalReminder {          // 24 bytes
    double Due = 0;                // days from 30/12/1899
    bool Remind = false;
    qint32 DaysBefore = 0;
    qint32 Rate = 0;               // 0 "Once", 1 "Every Day"
    bool Stopped = false;
    bool operator==(const TRenewalReminder &) const = default;
};

struct TSundryItem {               // 72 bytes
    double Date = 0;
    QString Description;           // up to 50 characters
    double Cost = 0;
    bool operator==(const TSundryItem &) const = default;
};

struct TVehicleRecord {
    qint32 Id = 0;
    QString Manufacturer;          // 15
    QString Model;                 // 12
    QString Registration;          // 10
    qint32 TaxGroup = 0;
    qint32 Fuel = 0;
    qint32 EngineCapacity = 0;
    QString Colour;                // 10
    double Acquired = 0;
    qint32 RoadTax = 0;
    double LegacyDate1 = 0;
    QString InsuranceCompany;      // 50
    double InsuranceAmount = 0;
    double LegacyDate2 = 0;
    double LegacyDate3 = 0;
    qint32 MOTAmount = 0;
    quint8 VehicleType = 0;
    qint32 ImageIndex = 0;
    QString MOTStation;            // 50
    quint8 Archived = 0;           // a flag; kept as stored so odd codes show as such
    std::array<TRenewalReminder, 4> Reminders{};
    double LegacyDate4 = 0;
    qint32 ServiceAmount = 0;
    QString ServiceStation;        // 50
    std::array<TSundryItem, 20> Sundries{};
    qint32 SundryCount = 0;

    bool operator==(const TVehicleRecord &) const = default;
};

namespace VehicleFile {

inline constexpr int RecordSize = 1848;
// The longest text each field holds, in characters: the file's widths,
// which the boxes that edit them keep to.
namespace Width {
inline constexpr int Manufacturer = 15, Model = 12, Registration = 10, Colour = 10, Company = 50, Description = 50;
} // namespace Width
inline constexpr int Mk2Size = 312;
inline constexpr int Mk1Size = 192;
inline constexpr int Capacity = 100;

enum class Form { Current, Mk2, Mk1 };
int SizeOf(Form form);

QByteArray Encode(const TVehicleRecord &record);
// Reads the fields a record of the given form holds; false when the record
// cannot be read (a text longer than its field, a date or amount that is
// not a number), and then record is left zero.
bool Decode(const char *bytes, Form form, TVehicleRecord *record);

// An older record brought to the current form, with the defaults of the
// fields the older form lacks.
TVehicleRecord Import(const TVehicleRecord &older, Form form, QDate today);

double ToDays(QDate date);
QDate FromDays(double days);

} // namespace VehicleFile

// The cost of all twenty sundry slots, whatever their dates or the count
// says: the details panel's total and the summary's.
double SundryTotal(const TVehicleRecord &record);

// Name tables of the list and the reminders.
extern const QStringList FuelTypeNames;     // "Petrol", "Diesel", "LRP"
extern const QStringList VehicleTypeNames;  // "PCV (Service)" ... "Van"
extern const QStringList ArchiveMarks;      // " ", "Y"
extern const QStringList RenewalNames;      // "Road Tax", "Insurance", "MOT", "Service"
// The name at index, or "" for a code outside the table.
QString NameOf(const QStringList &table, int index);

// A registration becomes a file name: 1 to 10 characters, none of them a
// folder separator, a control character, a character no file name may hold
// or one the vehicle list cannot store; no outer blank; not "." or "..".
// Every registration is checked so before it builds a path.
bool IsFileSafeRegistration(const QString &registration);
// The rule above in the user's words.
extern const QString RegistrationRule;
