#include "core/entry/EntryRules.h"

#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"

#include <QElapsedTimer>

namespace EntryRules {

const QString ChangedDuringPlacement =
    QStringLiteral("The data changed while the entry was being placed among the earlier ones; it was not stored. Please enter it again.");

namespace {
BoxCheck checkDayOrMonth(const QString &text, int last, const char *incomplete, const char *invalid, const char *range)
{
    BoxCheck c;
    int v = 0;
    if (text.isEmpty() || text.size() > 2)
        c.message = QLatin1String(incomplete);
    else if (!NumberText::ReadWhole(text, &v))
        c.message = QLatin1String(invalid);
    else if (v < 1 || v > last)
        c.message = QLatin1String(range);
    else
        c.ok = true;
    c.text = text.size() == 1 ? QLatin1Char('0') + text : text;
    return c;
}

BoxCheck checkQuantity(const QString &text, const char *empty, const QString &invalid, const char *zero)
{
    BoxCheck c;
    c.text = text;
    if (text.isEmpty()) {
        c.message = QLatin1String(empty);
        return c;
    }
    const NumberText::RealReading r = NumberText::ReadReal(text);
    if (!r.ok)
        c.message = invalid.contains(QLatin1String("%1")) ? invalid.arg(r.failPos) : invalid;
    else if (r.value == 0.0)
        c.message = QLatin1String(zero);
    else
        c.ok = true;
    return c;
}

int wholeOrZero(const QString &text)
{
    int v = 0;
    return NumberText::ReadWhole(text.trimmed(), &v) ? v : 0;
}
} // namespace

BoxCheck CheckDay(const QString &text)
{
    return checkDayOrMonth(text, 31, "Day is Incomplete", "Invalid Day", "Day out of Range");
}

BoxCheck CheckMonth(const QString &text)
{
    return checkDayOrMonth(text, 12, "Month is Incorrect", "Invalid Month", "Month out of Range");
}

BoxCheck CheckPrice(const QString &text)
{
    return checkQuantity(text, "Cannot Accept Price = 0", QStringLiteral("Invalid Price %1"), "Cannot acccept Price 0");
}

BoxCheck CheckAmount(const QString &text)
{
    return checkQuantity(text, "Cannot accept Amount = 0", QStringLiteral("Invalid Quantity "), "Cannot accept Amount = 0");
}

BoxCheck CheckDistance(const QString &text, bool backDated, const QString &lastDistance, const QString &finalMiles)
{
    BoxCheck c;
    c.text = text;
    const NumberText::RealReading r = NumberText::ReadReal(text);
    int whole = 0; // what the acceptance stores: a whole reading the file can hold
    if (text.isEmpty())
        c.message = QStringLiteral("Entry is Incomplete");
    else if (!r.ok || !NumberText::ReadWhole(text.trimmed(), &whole))
        c.message = QStringLiteral("Invalid Character in Mileage");
    else if (!backDated && (wholeOrZero(lastDistance) > r.value || wholeOrZero(finalMiles) > r.value))
        c.message = QStringLiteral("Mileage cannot be less than previous");
    else
        c.ok = true;
    return c;
}

int DateKey(const QString &date)
{
    int d = 0, m = 0, y = 0;
    NumberText::ReadWhole(date.mid(0, 2), &d);
    NumberText::ReadWhole(date.mid(3, 2), &m);
    NumberText::ReadWhole(date.mid(6, 4), &y);
    return y * 10000 + m * 100 + d;
}

QString DateText(int day, int month, int year)
{
    return QStringLiteral("%1/%2/%3").arg(day, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0')).arg(year, 4, 10, QLatin1Char('0'));
}

long long RecordMiles(const QStringList &log, int record)
{
    const int line = 4 * record + 1;
    if (line >= log.size())
        return 0;
    int whole = 0;
    if (NumberText::ReadWhole(log[line], &whole)) // the usual, quick case
        return whole;
    return LenientWhole(log[line].trimmed()).value_or(0); // no whole number at all: read as 0
}

Placement PlaceBackDated(const QStringList &log, long long miles, const QString &date, const std::function<void()> &breathe)
{
    Placement p;
    const int records = int(log.size() / 4);
    QElapsedTimer since;
    since.start();
    int found = -1;
    for (int k = records - 1; k >= 0; --k) {
        if (breathe && since.elapsed() >= 10) {
            breathe();
            since.restart();
        }
        if (RecordMiles(log, k) <= miles) {
            found = k;
            break;
        }
    }
    if ((found >= 0 && RecordMiles(log, found) == miles) || (records == 0 && miles == 0)) {
        p.kind = Placement::Duplicate;
        return p;
    }
    if (found < 0) {
        p.kind = Placement::First;
        p.previousMiles = records > 0 ? RecordMiles(log, 0) : 0;
        return p;
    }
    p.found = found;
    p.previousMiles = RecordMiles(log, found);
    const int entered = DateKey(date);
    if (found == records - 1) {
        p.kind = entered < DateKey(log[4 * found]) ? Placement::Inconsistent : Placement::Append;
        return p;
    }
    const bool between = entered >= DateKey(log[4 * found]) && entered <= DateKey(log[4 * (found + 1)]);
    p.kind = between ? Placement::Insert : Placement::Inconsistent;
    return p;
}

const QString NotStorableMessage =
    QStringLiteral("The text cannot be stored in the data file: it holds a line break, a control character "
                   "or a character the file cannot hold, or is longer than 255 characters");

bool IsStorableText(const QString &text)
{
    if (text.size() > CarDataFile::MaxLineLength) // the file would be refused at its next load
        return false;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u > 0xFF)
            return false;
    }
    return true;
}

QStringList DataListing(const QStringList &log)
{
    QStringList lines{QStringLiteral("          Data File"), QString()};
    const QString gap = QStringLiteral("   ");
    for (qsizetype k = 0; k + 3 < log.size(); k += 4)
        lines << gap + log[k] + gap + log[k + 1] + gap + log[k + 2] + gap + log[k + 3];
    return lines;
}

QStringList RecordLines(const QString &date, long long miles, double litres, const QString &pricePerLitre)
{
    return {date, QString::number(miles), NumberText::FormatFixed(litres, 4, 2), pricePerLitre};
}

} // namespace EntryRules
