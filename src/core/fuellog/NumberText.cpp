#include "core/fuellog/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace NumberText {

namespace {
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// A number too long for the quick reading (thirty digits and more).
template <typename Fail> RealReading readLong(QStringView text, int start, int n, Fail fail)
{
    bool ok = false;
    const double v = text.mid(start).toString().toDouble(&ok); // QString::toDouble is C-locale
    if (!ok || !std::isfinite(v))
        return fail(n);
    RealReading r;
    r.ok = true;
    r.value = v;
    return r;
}
} // namespace

RealReading ReadReal(QStringView text)
{
    RealReading r;
    const int n = int(text.size());
    int i = 0;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const int start = i;
    auto fail = [&](int at) {
        r.ok = false;
        r.failPos = at + 1;
        for (int k = start; k < at && k < n; ++k)
            if (isDigit(text[k]))
                r.digitsRead += text[k];
        return r;
    };
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return fail(i);
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        int expDigits = 0;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return fail(i);
    }
    if (i < n)
        return fail(i);
    // The text is checked to be plain ASCII by now: read it without the
    // locale, and without building a string.
    char buffer[64];
    const QStringView number = text.mid(text[start] == QLatin1Char('+') ? start + 1 : start);
    if (number.size() >= qsizetype(sizeof buffer))
        return readLong(text, start, n, fail);
    for (qsizetype k = 0; k < number.size(); ++k)
        buffer[k] = char(number[k].unicode());
    double v = 0;
    const std::from_chars_result got = std::from_chars(buffer, buffer + number.size(), v);
    if (got.ec != std::errc() || got.ptr != buffer + number.size() || !std::isfinite(v))
        return fail(n);
    r.ok = true;
    r.value = v;
    return r;
}

double LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    // An exponent counts only when digits follow it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const qsizetype first = j;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > first)
            end = j;
    }
    const RealReading r = ReadReal(text.mid(start, end - start));
    return r.ok ? r.value : 0.0;
}

bool ReadWhole(QStringView text, int *value)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        return false;
    long long v = 0;
    for (; i < n; ++i) {
        if (!isDigit(text[i]))
            return false;
        v = v * 10 + (text[i].unicode() - '0');
        if (v > std::numeric_limits<int>::max() + 1LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    *value = int(v);
    return true;
}

bool ReadIntegerSetting(const QString &text, int *value)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-'))) {
        negative = true;
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    } else if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t = t.mid(1);
    }
    if (t.isEmpty() || t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-')))
        return base == 10 && !negative && ReadWhole(text.trimmed(), value);
    bool ok = false;
    // Hex values name 32-bit colours, so FFFFFFxx reads as a negative int.
    const qulonglong u = t.toULongLong(&ok, base);
    if (!ok)
        return false;
    long long v;
    if (base == 16) {
        if (u > 0xFFFFFFFFULL)
            return false;
        v = qint32(quint32(u));
    } else {
        if (u > qulonglong(std::numeric_limits<int>::max()) + 1ULL)
            return false;
        v = static_cast<long long>(u);
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    *value = int(v);
    return true;
}

double DigitsBeforeFault(const RealReading &reading)
{
    if (reading.ok)
        return reading.value;
    return reading.digitsRead.isEmpty() ? 0.0 : reading.digitsRead.toDouble();
}

std::optional<long long> RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = std::nearbyint(value); // default rounding mode: to nearest, ties to even
    // 2^63 is exact as a double; the range is [-2^63, 2^63).
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<long long>(r);
}

std::optional<int> RoundToInt(double value)
{
    const std::optional<long long> r = RoundHalfEven(value);
    if (!r || *r < std::numeric_limits<int>::min() || *r > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*r);
}

namespace {
// Powers of ten that are exact as doubles.
double exactPower10(int e)
{
    static const double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    return powers[e];
}

// The quick way to FormatFixed for the usual figures: the value scaled to
// the rounding place in plain arithmetic. It declines (false) wherever plain
// arithmetic could round differently from the exact decimal expansion (near
// a half, very large or small values, a carry into a new digit, exponent
// form); the exact path then decides.
struct Quick {
    long long digits = 0; // the kept digits as a whole number
    int decimals = 0;     // how many of them stand after the point
};
bool quickFixed(double value, int p, int d, Quick *out)
{
    const double a = std::fabs(value);
    if (!(a >= 1e-12 && a < 1e9) || p < 1 || d < 0 || d > 12)
        return false;
    int e = int(std::floor(std::log10(a)));
    if (e >= 0 ? a < exactPower10(e) : a * exactPower10(-e) < 1.0)
        --e; // log10 rounded up across a power of ten
    else if (e + 1 >= 0 ? a >= exactPower10(e + 1) : a * exactPower10(-(e + 1)) >= 1.0)
        ++e;
    const int intDigits = e + 1;
    if (intDigits > p)
        return false; // exponent form
    const int place = std::min(p - intDigits, d); // decimals at which to round
    if (place > 15 || place < 0)
        return false;
    const double scaled = a * exactPower10(place);
    if (scaled >= 1e9)
        return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    bool up = fraction > 0.5;
    if (std::fabs(fraction - 0.5) < 1e-6) {
        // Near a half the product's rounding could mislead: compare the
        // exact value, a = m x 2^-s, with (whole + 1/2) x 10^-place in
        // integers. Here a >= 1e-12 and a < 1e9, so everything fits 128 bits.
        __extension__ typedef unsigned __int128 Wide;
        int exponent = 0;
        const double mantissa = std::frexp(a, &exponent); // a = mantissa x 2^exponent, mantissa in [0.5, 1)
        const Wide m = Wide(std::ldexp(mantissa, 53));
        const int s = 53 - exponent;
        if (s < 0 || s > 96)
            return false;
        const Wide lhs = m * Wide(static_cast<long long>(exactPower10(place))) * 2;
        const Wide rhs = (Wide(static_cast<long long>(whole)) * 2 + 1) << s;
        up = lhs >= rhs; // an exact half rounds away from zero
    }
    const long long r = static_cast<long long>(whole) + (up ? 1 : 0);
    if (intDigits + place >= 0 && intDigits + place <= 15 && r >= static_cast<long long>(exactPower10(intDigits + place)))
        return false; // carried into a new digit
    out->digits = r;
    out->decimals = place;
    return true;
}
} // namespace

double FixedValue(double value, int p, int d)
{
    Quick q;
    if (quickFixed(value, p, d, &q))
        return (value < 0 ? -1.0 : 1.0) * (double(q.digits) / exactPower10(q.decimals));
    const RealReading r = ReadReal(FormatFixed(value, p, d));
    return r.ok ? r.value : 0.0;
}

QString FormatFixed(double value, int p, int d)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    Quick q;
    if (quickFixed(value, p, d, &q)) {
        if (q.digits == 0)
            return d > 0 ? QStringLiteral("0.") + QString(d, QLatin1Char('0')) : QStringLiteral("0");
        QString digits = QString::number(q.digits);
        if (digits.size() <= q.decimals)
            digits.prepend(QString(q.decimals - digits.size() + 1, QLatin1Char('0')));
        QString out = value < 0 ? QStringLiteral("-") : QString();
        out += QStringView(digits).left(digits.size() - q.decimals);
        if (d > 0) {
            out += QLatin1Char('.');
            out += QStringView(digits).right(q.decimals);
            out += QString(d - q.decimals, QLatin1Char('0'));
        }
        return out;
    }
    return FormatFixedExact(value, p, d);
}

QString FormatFixedExact(double value, int p, int d)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (p < 1)
        p = 1;
    if (d < 0)
        d = 0;
    if (value == 0.0)
        return d > 0 ? QStringLiteral("0.") + QString(d, QLatin1Char('0')) : QStringLiteral("0");

    // The exact decimal expansion of the double, so that rounding sees the
    // value the machine holds and an exact half really is a half.
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.60e", std::fabs(value));
    const QString sci = QString::fromLatin1(buf);
    const int ePos = int(sci.indexOf(QLatin1Char('e')));
    QString digits = sci.left(ePos);
    digits.remove(QLatin1Char('.'));
    int exp10 = sci.mid(ePos + 1).toInt(); // value = 0.d1d2d3... x 10^(exp10+1)
    const bool negative = value < 0;

    // Keep the coarser of p significant digits and d decimals.
    int keep = std::min(p, exp10 + 1 + d);
    auto roundAt = [&](int keepDigits) {
        // returns the kept digits, possibly one longer after a carry
        if (keepDigits < 0)
            return QString();
        QString kept = digits.left(keepDigits);
        const bool up = keepDigits < digits.size() && digits[keepDigits] >= QLatin1Char('5');
        if (up) {
            int k = int(kept.size()) - 1;
            while (k >= 0 && kept[k] == QLatin1Char('9')) {
                kept[k] = QLatin1Char('0');
                --k;
            }
            if (k >= 0)
                kept[k] = QChar(kept[k].unicode() + 1);
            else {
                kept.prepend(QLatin1Char('1'));
                ++exp10;
            }
        }
        return kept;
    };
    QString kept;
    if (keep < 0) {
        kept = QString(); // rounds to zero
    } else if (keep == 0) {
        // Only the rounding digit decides: 0.5 units of the last kept place and up.
        if (digits[0] >= QLatin1Char('5')) {
            kept = QStringLiteral("1");
            ++exp10;
        }
    } else {
        kept = roundAt(keep);
        if (kept.size() > keep) // carry added a digit; drop the trailing one
            kept.chop(1);
    }
    if (kept.isEmpty() || kept.count(QLatin1Char('0')) == kept.size())
        return FormatFixed(0.0, p, d);

    const int intDigits = exp10 + 1;
    if (intDigits > p) {
        // Exponent form: mantissa with up to p significant digits.
        QString m = kept; // already p significant digits, since keep == p here
        while (m.size() > 1 && m.endsWith(QLatin1Char('0')))
            m.chop(1);
        QString mant = m.left(1);
        if (m.size() > 1)
            mant += QLatin1Char('.') + m.mid(1);
        return (negative ? QStringLiteral("-") : QString()) + mant + QStringLiteral("E+")
               + QString::number(exp10);
    }
    // Lay the kept digits out around the decimal point.
    QString intPart, fracPart;
    if (intDigits <= 0) {
        intPart = QStringLiteral("0");
        fracPart = QString(-intDigits, QLatin1Char('0')) + kept;
    } else {
        QString padded = kept;
        if (padded.size() < intDigits)
            padded += QString(intDigits - padded.size(), QLatin1Char('0'));
        intPart = padded.left(intDigits);
        fracPart = padded.mid(intDigits);
    }
    if (fracPart.size() < d)
        fracPart += QString(d - fracPart.size(), QLatin1Char('0'));
    fracPart = fracPart.left(d);
    QString out = negative ? QStringLiteral("-") : QString();
    out += intPart;
    if (d > 0)
        out += QLatin1Char('.') + fracPart;
    return out;
}

QString FormatPlain(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace NumberText
