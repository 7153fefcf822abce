#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The checks of the entry boxes and where a fill-up belongs in the log.
namespace EntryRules {

struct BoxCheck {
    bool ok = false;
    QString message;   // why not, when not ok
    QString text;      // the box's text afterwards (a single digit gains a "0")
};

// Day 1-31 and month 1-12: the messages of the day, then of the month.
BoxCheck CheckDay(const QString &text);
BoxCheck CheckMonth(const QString &text);
// Amount spent and quantity; negative values pass.
BoxCheck CheckPrice(const QString &text);
BoxCheck CheckAmount(const QString &text);
// Odometer reading; previous readings are the boxes' texts (0 when not whole).
BoxCheck CheckDistance(const QString &text, bool backDated, const QString &lastDistance, const QString &finalMiles);

// A date text as a number that orders like the date (yyyymmdd); pieces that
// do not read count as 0.
int DateKey(const QString &date);
// The date text of a day: dd/mm/yyyy.
QString DateText(int day, int month, int year);

// Stored distance of record k, read leniently (hand-edited logs).
long long RecordMiles(const QStringList &log, int record);

// Where a back-dated fill-up goes: the last record whose stored distance is
// not greater than the entry's, searched from the end.
struct Placement {
    enum Kind { Append, Insert, First, Duplicate, Inconsistent } kind = Append;
    int found = -1;          // the record it follows (Append after a search, Insert)
    long long previousMiles = 0;
};
// breathe is called every ~10 ms of searching, so the interface stays alive.
Placement PlaceBackDated(const QStringList &log, long long miles, const QString &date,
                         const std::function<void()> &breathe = {});
// What an acceptance that cannot store the entry says, in the fuel and the
// bulk entry alike.
inline const QString InvalidDataEntered = QStringLiteral("Invalid Data Entered");
inline const QString NoQuantityEntered = QStringLiteral("No Purchase quantity entered");
inline const QString NoPriceEntered = QStringLiteral("No Purchase price entered");

// Said when the log or list changed while a placement search let events run:
// the entry is not stored over the change.
extern const QString ChangedDuringPlacement;

// A text that can stand as a line of the 8-bit car data file: no line
// break or other control character, nothing outside that character set, no
// longer than a line of a log may be.
bool IsStorableText(const QString &text);
extern const QString NotStorableMessage;

// The plain listing of the log that the data view prints.
QStringList DataListing(const QStringList &log);

// The four lines of a fuel record.
QStringList RecordLines(const QString &date, long long miles, double litres, const QString &pricePerLitre);

} // namespace EntryRules
