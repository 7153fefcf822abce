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
} // namespace

std::optional<double> TryCalcMpg(const QStringList &log, int p, int fuelUnit, int distanceUnit, int direction)
{
    if (log.size() < p + 1 || p < 3 || p + 2 >= log.size())
        return 0.0;
    if (fuelUnit < 0 || fuelUnit > 1 || distanceUnit < 0 || distanceUnit > 1)
        return 0.0;
    const double distance = double(readingOr(log[p + 1], 2)) - double(readingOr(log[p - 3], 1));
    const double litres = LenientReal(log[direction == LookAhead ? p + 2 : p - 2]);
    const double fuel = litres / FuelDivisor[fuelUnit];
    if (fuel == 0.0)
        return std::nullopt;
    const double economy = distance * DistanceMultiplier[distanceUnit] / fuel;
    if (!std::isfinite(economy))
        return std::nullopt;
    return economy;
}

double CalcMpg(const QStringList &log, int p, int fuelUnit, int distanceUnit, int direction)
{
    return TryCalcMpg(log, p, fuelUnit, distanceUnit, direction).value_or(0.0);
}

QString CurrentMpg(const QStringList &log, int p, long long miles, int atype)
{
    if (p < 2 || p - 2 >= log.size())
        return QStringLiteral("0");
    const double q = NumberText::DigitsBeforeFault(NumberText::ReadReal(log[p - 2]));
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
