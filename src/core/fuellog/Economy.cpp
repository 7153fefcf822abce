#include "core/fuellog/Economy.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"

#include <cmath>

namespace {
int readingOr(const QString &line, int fallback)
{
    int v = 0;
    return NumberText::ReadWhole(QStringView(line).trimmed(), &v) ? v : fallback;
}

// Distance over fuel in the requested units; empty for no fuel or no finite figure.
std::optional<double> economyOver(double distance, double litres, int fuelUnit, int distanceUnit)
{
    const double fuel = litres / FuelDivisor[fuelUnit];
    if (fuel == 0.0)
        return std::nullopt;
    const double economy = distance * DistanceMultiplier[distanceUnit] / fuel;
    if (!std::isfinite(economy))
        return std::nullopt;
    return economy;
}
} // namespace

std::optional<double> TryCalcMpg(const QStringList &log, int p, int fuelUnit, int distanceUnit, int direction)
{
    if (log.size() < p + 1 || p < 3 || p + 2 >= log.size())
        return 0.0;
    if (fuelUnit < 0 || fuelUnit > 1 || distanceUnit < 0 || distanceUnit > 1)
        return 0.0;
    const double distance = double(readingOr(log[p + 1], 2)) - double(readingOr(log[p - 3], 1));
    const double litres = LenientReal(log[direction == LookAhead ? p + 2 : p - 2]);
    return economyOver(distance, litres, fuelUnit, distanceUnit);
}

std::optional<double> TryCalcMpgOver(const QStringList &log, int p, int from, int fuelUnit, int distanceUnit, int direction)
{
    if (log.size() < p + 1 || p < 3 || p + 2 >= log.size() || from < 0 || 4 * from >= p)
        return 0.0;
    if (fuelUnit < 0 || fuelUnit > 1 || distanceUnit < 0 || distanceUnit > 1)
        return 0.0;
    const int f = 4 * from;
    const double distance = double(readingOr(log[p + 1], 2)) - double(readingOr(log[f + 1], 1));
    // Look ahead: what was bought after "from" up to this fill-up; look back:
    // from "from" up to the one before.
    double litres = 0;
    for (int q = direction == LookAhead ? f + 6 : f + 2; q <= (direction == LookAhead ? p + 2 : p - 2); q += 4)
        litres += LenientReal(log[q]);
    return economyOver(distance, litres, fuelUnit, distanceUnit);
}

FigureSpan SpanOf(const QVector<FillMark> &marks, int record)
{
    FigureSpan span;
    span.from = record - 1;
    if (marks.isEmpty() || record < 0 || record >= marks.size())
        return span;
    if (marks[record] != FillMark::Full) {
        span.figure = false;
        return span;
    }
    // Partial fill-ups before it are measured together with it; a record only
    // Missed filled the tank, so it may start a span. A partial one that
    // also follows a missed fill-up puts an unlogged fill-up inside the span:
    // no figure is right then.
    int j = record - 1;
    for (; j >= 0 && IsPartial(marks[j]); --j)
        if (IsMissed(marks[j])) {
            span.figure = false;
            return span;
        }
    if (j < 0 && record > 0) {
        span.figure = false; // only partial fill-ups before it: nothing to measure from
        return span;
    }
    span.from = j;
    return span;
}

MarkedFigure MarkedMpg(const QStringList &log, const QVector<FillMark> &marks, int p, int fuelUnit, int distanceUnit,
                       int direction)
{
    MarkedFigure m;
    const FigureSpan span = SpanOf(marks, p / 4);
    m.figure = span.figure;
    if (span.figure)
        m.value = span.from == p / 4 - 1 ? TryCalcMpg(log, p, fuelUnit, distanceUnit, direction)
                                         : TryCalcMpgOver(log, p, span.from, fuelUnit, distanceUnit, direction);
    return m;
}

double CalcMpg(const QStringList &log, int p, int fuelUnit, int distanceUnit, int direction)
{
    return TryCalcMpg(log, p, fuelUnit, distanceUnit, direction).value_or(0.0);
}

namespace {
QString entryEconomy(long long miles, double q, int atype)
{
    if (q == 0.0)
        return QStringLiteral("0");
    double value;
    switch (atype) {
    case MPG: value = double(miles) / (q / LitresPerGallon); break;
    case MPL: value = double(miles) / q; break;
    case KPG: value = double(miles) * KmPerMile / (q / LitresPerGallon); break;
    case KPL: value = double(miles) * KmPerMile / q; break;
    default: return QString();
    }
    return NumberText::FormatFixed(value, 4, 2);
}
} // namespace

QString CurrentMpg(const QStringList &log, int p, long long miles, int atype)
{
    if (p < 2 || p - 2 >= log.size())
        return QStringLiteral("0");
    return entryEconomy(miles, NumberText::DigitsBeforeFault(NumberText::ReadReal(log[p - 2])), atype);
}

QString CurrentMpgOver(const QStringList &log, int p, int from, long long miles, int atype)
{
    if (p < 2 || p - 2 >= log.size() || from < 0)
        return QStringLiteral("0");
    double q = 0;
    for (int line = 4 * from + 2; line <= p - 2; line += 4)
        q += NumberText::DigitsBeforeFault(NumberText::ReadReal(log[line]));
    return entryEconomy(miles, q, atype);
}
