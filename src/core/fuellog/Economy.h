#pragma once
// Economy figures and unit modes: CalcMpg, CurrentMpg and the conversion constants.
#include "core/fuellog/FillMarks.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// Economy figures from the fuel log and the units they are shown in. The log
// stores miles, litres and pence per litre; a unit mode is
// 2 x distance unit (0 miles, 1 kilometres) + fuel unit (0 gallons, 1 litres).
enum DpqTypes { MPG = 0, MPL = 1, KPG = 2, KPL = 3 };

inline constexpr double LitresPerGallon = 4.546;
inline constexpr double GallonsPerLitre = 0.21997360316761988; // as published with the 4.546 gallon
inline constexpr double KmPerMile = 1.609;
inline constexpr double MilesPerKm = 0.6215;
inline constexpr double PencePerUnit = 100.0;

// By fuel unit and by distance unit.
inline constexpr double FuelDivisor[2] = {4.546, 1.0};
inline constexpr double DistanceMultiplier[2] = {1.0, 1.609};

// Which record's quantity a figure divides by.
enum AnalysisDirection { LookAhead = 0, LookBack = 1 };

// Economy of the record whose date line is p, in the requested units; 0 when
// there is no previous record, p is past the log, or the quantity is zero.
double CalcMpg(const QStringList &log, int p, int fuelUnit, int distanceUnit, int direction);
// The same, for the analysis: empty when the figure cannot be computed (the
// quantity it divides by reads as zero, or the result is not finite); 0 for
// a record without a previous one.
std::optional<double> TryCalcMpg(const QStringList &log, int p, int fuelUnit, int distanceUnit, int direction);

// Where a fill-up's figure measures from once fill-ups are marked: from the
// previous fill-up that filled the tank (the records between are partial),
// provided none from there to this one follows a missed fill-up. A partial
// or missed fill-up has no figure. With no marks (marks empty) it is always
// the record before.
struct FigureSpan {
    bool figure = true;
    int from = -1; // the record measured from; -1 for the log's first record
};
FigureSpan SpanOf(const QVector<FillMark> &marks, int record);

// TryCalcMpg over a span: the distance from record "from" to the record at
// p, over the quantities bought in between (look ahead: from+1 .. this one;
// look back: from .. the one before). With from the record before, exactly
// TryCalcMpg.
std::optional<double> TryCalcMpgOver(const QStringList &log, int p, int from, int fuelUnit, int distanceUnit, int direction);
// The figure the analysis and the graph show for the record at p: no value
// when a mark leaves it without one (see SpanOf), else TryCalcMpg's.
struct MarkedFigure {
    bool figure = true;          // false: a mark leaves this fill-up out
    std::optional<double> value; // as TryCalcMpg
};
MarkedFigure MarkedMpg(const QStringList &log, const QVector<FillMark> &marks, int p, int fuelUnit, int distanceUnit,
                       int direction);

// Economy after an entry, as text with two decimals: the elapsed miles over
// the quantity of the record before p; "0" when there is none or it is zero.
QString CurrentMpg(const QStringList &log, int p, long long miles, int atype);
// The same over the quantities of records from .. the one before p.
QString CurrentMpgOver(const QStringList &log, int p, int from, long long miles, int atype);
