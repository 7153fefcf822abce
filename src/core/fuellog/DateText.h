#pragma once
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// Arithmetic on date texts dd/mm/yyyy as the fuel log stores them, and the
// small text helpers used beside it. A leap year here is any year divisible
// by 4, and February's length is left behind by the last DayOfYear call:
// the log's figures have always been computed this way.

extern const std::array<int, 12> MonthLengths;
extern const std::array<const char *, 12> MonthInitials;

// February's length as the most recent DayOfYear left it (28 or 29).
int FebruaryLength();

int MonthsBefore(int month);
int DayOfYear(const QString &date);

struct DayDifference {
    int days = 0;
    bool yearChanged = false;
};
// Days from a to b for consecutive fill-ups: at most one year length is added.
DayDifference DaysBetween(const QString &a, const QString &b);
// Days from a to b over any number of years; empty when a year is not a number.
std::optional<int> DaysSpan(const QString &a, const QString &b);

bool IsDateText(const QString &text);
bool IsNumberText(const QString &text, bool whole);
double LenientReal(const QString &text);
// LenientReal rounded to a whole number; empty when that is not a whole
// number of the 64-bit range (a hand-edited "1e300").
std::optional<long long> LenientWhole(const QString &text);
QString StripBlanks(const QString &text);
QString PadText(const QString &text, int width, bool padLeft);
// A folder path ending in the folder separator ("/" on this platform).
QString WithBackslash(const QString &path);
int SmallerOf(int a, int b);

// Dates in boxes, in the user's short date format but always with a
// four-digit year (a two-digit year would lose the century when read back).
QString ShortDateFormat(const QLocale &locale);
QString ShortDateText(QDate date, const QLocale &locale);
// Reads a date written in that format; one-digit days and months are
// accepted. An invalid date when the text is none.
QDate ReadShortDate(const QString &text, const QLocale &locale);
