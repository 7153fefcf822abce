#include "core/trip/TripMath.h"

#include "core/fuellog/NumberText.h"

#include <cmath>

namespace TripMath {

namespace {
const char *const Names[4] = {"MPG", "MPL", "KPG", "KPL"};
const char *const EconomyTexts[4] = {"30.00", "7.00", "50.0", "10.00"};
const double Economies[4] = {30, 7, 50, 10};
const double Costs[4] = {3.18, 0.7, 3.18, 0.7};
} // namespace

int ValidMode(int mode) { return mode >= 0 && mode <= 3 ? mode : 0; }

QString ModeName(int mode) { return QLatin1String(Names[ValidMode(mode)]); }

QString DefaultEconomyText(int mode) { return QLatin1String(EconomyTexts[ValidMode(mode)]); }

double DefaultEconomy(int mode) { return Economies[ValidMode(mode)]; }

double DefaultCost(int mode) { return Costs[ValidMode(mode)]; }

double ConvertEconomy(double value, int from, int to)
{
    if (IsKilometres(from) && !IsKilometres(to))
        value *= MilesPerKm;
    else if (!IsKilometres(from) && IsKilometres(to))
        value *= KmPerMile;
    if (IsLitres(from) && !IsLitres(to))
        value *= LitresPerGallon; // per litre to per gallon
    else if (!IsLitres(from) && IsLitres(to))
        value *= GallonsPerLitre;
    return value;
}

std::optional<long long> ConvertDistance(long long distance, bool toKilometres)
{
    return NumberText::RoundHalfEven(double(distance) * (toKilometres ? KmPerMile : MilesPerKm));
}

double ThreePointEconomy(double miles, double minimum, double maximum)
{
    double economy = 25 * std::log10(miles);
    if (!(economy > minimum))
        economy = minimum;
    if (!(economy < maximum))
        economy = maximum;
    return economy;
}

} // namespace TripMath
