#pragma once
#include <QString>
#include <optional>

// Reading and writing numbers as the program's files and boxes hold them:
// "." is the decimal separator whatever the user's locale.
namespace NumberText {

// The outcome of the plain reader. When ok is false, failPos is the 1-based
// position of the first character that is not part of the number (one past
// the end when the text ran out), and digitsRead the digits met before it.
struct RealReading {
    bool ok = false;
    double value = 0.0;
    int failPos = 0;
    QString digitsRead;
};

// Plain reader: leading blanks, optional sign, digits with one optional ".",
// optional exponent; nothing may follow. An empty text does not read.
RealReading ReadReal(QStringView text);

// The number a text begins with: leading blanks skipped, read as far as the
// number goes ("  45.67 Mpg" reads 45.67, "1.23E+3" 1230); 0 when the text
// does not begin with one ("  N/A"). "." is the decimal point whatever the
// locale.
double LeadingNumber(QStringView text);

// Whole number: leading blanks, optional sign, decimal digits to the end.
bool ReadWhole(QStringView text, int *value);

// Like ReadWhole, but a "0x" or "$" prefix means hexadecimal (settings file).
bool ReadIntegerSetting(const QString &text, int *value);

// The whole number formed by the digits a failed reading met before it
// stopped (sign and decimal point ignored); 0 when there were none.
double DigitsBeforeFault(const RealReading &reading);

// Nearest whole number, halves to even; empty when the value is not finite
// or its whole number lies outside the 64-bit range. Every conversion of a
// real to a whole number goes through here.
std::optional<long long> RoundHalfEven(double value);
// The same, limited to the range of int.
std::optional<int> RoundToInt(double value);

// Fixed notation with d decimals after rounding to p significant digits,
// halves away from zero; exponent form when the integer part has more than
// p digits (for example 1.2346E+5).
QString FormatFixed(double value, int p, int d);
// The same from the exact decimal expansion of the double, always; what
// FormatFixed gives too, only slower (kept apart to be compared in tests).
QString FormatFixedExact(double value, int p, int d);
// The value that FormatFixed's text reads back as (0 for a non-finite value).
double FixedValue(double value, int p, int d);

// A plain decimal text of a number, "." as separator (settings, boxes).
QString FormatPlain(double value);

} // namespace NumberText
