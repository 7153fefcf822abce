#pragma once
#include <QString>
#include <optional>

// The trip calculator's figures. It keeps constants of its own, slightly
// finer than the rest of the program's.
namespace TripMath {

inline constexpr double GallonsPerLitre = 0.21997;
inline constexpr double LitresPerGallon = 4.546;
inline constexpr double KmPerMile = 1.6093;
inline constexpr double MilesPerKm = 0.6214;

// Unit modes in the DpqTypes order: 0 MPG, 1 MPL, 2 KPG, 3 KPL.
QString ModeName(int mode);
// A mode outside 0-3 is taken as miles per gallon.
int ValidMode(int mode);
inline bool IsKilometres(int mode) { return ValidMode(mode) >= 2; }
inline bool IsLitres(int mode) { return ValidMode(mode) % 2 == 1; }

// The built-in figures of a mode.
QString DefaultEconomyText(int mode);   // "30.00", "7.00", "50.0", "10.00"
double DefaultEconomy(int mode);        // 30, 7, 50, 10
double DefaultCost(int mode);           // 3.18 per gallon, 0.7 per litre

// An economy figure from one mode to another, part by part.
double ConvertEconomy(double value, int from, int to);
// A whole distance into kilometres or miles, rounded (halves to even); empty
// when it would not fit a whole number.
std::optional<long long> ConvertDistance(long long distance, bool toKilometres);
// The three-point economy of a trip: 25 x log10(miles), raised to the
// minimum if not above it, then lowered to the maximum if not below it.
double ThreePointEconomy(double miles, double minimum, double maximum);

} // namespace TripMath
