#include "core/fuellog/DateText.h"

#include "core/fuellog/NumberText.h"

#include <QRegularExpression>

#include <cmath>

const std::array<int, 12> MonthLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const std::array<const char *, 12> MonthInitials{"J", "F", "M", "A", "M", "J",
                                                 "J", "A", "S", "O", "N", "D"};

namespace {
int februaryLength = 28;

int pieceOr(const QString &date, int from, int length, int fallback)
{
    int v = 0;
    return NumberText::ReadWhole(QStringView(date).mid(from, length), &v) ? v : fallback;
}

// A two-character piece of a date is spoiled when reading it as a whole
// number stops early, or finds no digit, with nothing but zero read before.
bool pieceSpoiled(const QString &piece)
{
    int i = 0;
    const int n = int(piece.size());
    while (i < n && piece[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (piece[i] == QLatin1Char('+') || piece[i] == QLatin1Char('-')))
        ++i;
    int value = 0;
    bool anyDigit = false;
    for (; i < n; ++i) {
        const QChar c = piece[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return value == 0; // stopped at a non-digit
        anyDigit = true;
        value = value * 10 + (c.unicode() - '0');
    }
    return !anyDigit;
}
} // namespace

int FebruaryLength() { return februaryLength; }

int MonthsBefore(int month) { return month <= 1 ? 0 : month - 1; }

int DayOfYear(const QString &date)
{
    februaryLength = 28;
    const int day = pieceOr(date, 0, 2, 1);
    const int month = pieceOr(date, 3, 2, 1);
    // Months past December (hand-edited files) sum the whole year, no more.
    const int before = std::min(MonthsBefore(month), 12);
    const int year = pieceOr(date, 6, 4, 2006);
    if (year % 4 == 0)
        februaryLength = 29;
    int sum = day;
    for (int m = 0; m < before; ++m)
        sum += m == 1 ? februaryLength : MonthLengths[m];
    return sum;
}

DayDifference DaysBetween(const QString &a, const QString &b)
{
    DayDifference r;
    int dB = DayOfYear(b);
    const int dA = DayOfYear(a); // leaves February at A's year length
    if (QStringView(b).mid(6, 4) > QStringView(a).mid(6, 4)) {
        r.yearChanged = true;
        dB += FebruaryLength() + 337;
    }
    r.days = dB - dA;
    return r;
}

std::optional<int> DaysSpan(const QString &a, const QString &b)
{
    const int dA = DayOfYear(a);
    int dB = DayOfYear(b); // leaves February at B's year length
    int yA = 0, yB = 0;
    if (!NumberText::ReadWhole(a.mid(6, 4).trimmed(), &yA)
        || !NumberText::ReadWhole(b.mid(6, 4).trimmed(), &yB))
        return std::nullopt;
    if (yA < yB)
        dB += (yB - yA) * (FebruaryLength() + 337);
    return dB - dA;
}

bool IsDateText(const QString &text)
{
    for (int from : {0, 3, 6, 8})
        if (pieceSpoiled(text.mid(from, 2)))
            return false;
    return text.size() >= 6 && text[2] == QLatin1Char('/') && text[5] == QLatin1Char('/');
}

bool IsNumberText(const QString &text, bool whole)
{
    const NumberText::RealReading r = NumberText::ReadReal(text);
    if (!r.ok || r.value == 0.0)
        return false;
    if (!whole)
        return true;
    const std::optional<long long> w = NumberText::RoundHalfEven(r.value);
    return w && double(*w) == r.value;
}

double LenientReal(const QString &text)
{
    NumberText::RealReading r = NumberText::ReadReal(text);
    if (r.ok)
        return r.value; // the usual case: a plain number
    QString t = text;
    for (int attempt = 0; attempt < 11; ++attempt) {
        r = NumberText::ReadReal(t);
        if (r.ok)
            return r.value;
        if (r.failPos <= t.size())
            t.remove(r.failPos - 1, 1);
    }
    return NumberText::DigitsBeforeFault(r);
}

std::optional<long long> LenientWhole(const QString &text) { return NumberText::RoundHalfEven(LenientReal(text)); }

QString StripBlanks(const QString &text)
{
    QString t = text;
    if (t.startsWith(QLatin1Char(' ')))
        t.remove(0, 1);
    if (t.size() >= 6 && t[5] == QLatin1Char(' '))
        t.remove(5, 1);
    return t;
}

QString PadText(const QString &text, int width, bool padLeft)
{
    if (text.size() >= width)
        return text;
    const QString blanks(width - int(text.size()), QLatin1Char(' '));
    return padLeft ? blanks + text : text + blanks;
}

QString WithBackslash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

int SmallerOf(int a, int b) { return a < b ? a : b; }

QString ShortDateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression years(QStringLiteral("y+"));
    format.replace(years, QStringLiteral("yyyy"));
    return format;
}

QString ShortDateText(QDate date, const QLocale &locale)
{
    return date.isValid() ? locale.toString(date, ShortDateFormat(locale)) : QString();
}

QDate ReadShortDate(const QString &text, const QLocale &locale)
{
    QString format = ShortDateFormat(locale);
    // "d" and "M" read one or two digits.
    static const QRegularExpression days(QStringLiteral("(?<!d)dd(?!d)"));
    static const QRegularExpression months(QStringLiteral("(?<!M)MM(?!M)"));
    format.replace(days, QStringLiteral("d"));
    format.replace(months, QStringLiteral("M"));
    return locale.toDate(text.trimmed(), format);
}
