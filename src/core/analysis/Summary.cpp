#include "core/analysis/Summary.h"

#include "core/analysis/AnalysisRun.h"
#include "core/fuellog/NumberText.h"

#include <algorithm>
#include <cmath>

using NumberText::FormatFixed;

namespace {
const QString Indent = QStringLiteral("     ");

// A whole number product or sum of figures from a hand-edited log may not
// fit 64 bits: then it is written as a real.
QString wholeText(long long a, long long b, bool multiply)
{
    long long r = 0;
    const bool overflow = multiply ? __builtin_mul_overflow(a, b, &r) : __builtin_add_overflow(a, b, &r);
    if (!overflow)
        return QString::number(r);
    return FormatFixed(multiply ? double(a) * double(b) : double(a) + double(b), 15, 0);
}
// The best search's distance; when that search found nothing (0), the
// greatest distance between two fill-ups of the range, rather than a 0.
long long greatestDistance(const AnalysisResult &run, const Extremes &extremes)
{
    long long greatest = extremes.bestDistance;
    if (greatest == 0)
        for (const AnalysisRow &row : run.rows)
            if (!row.first)
                greatest = std::max(greatest, row.distanceDone);
    return greatest;
}
} // namespace

QString SummaryHeading(const QString &vehicleName) { return QStringLiteral("Summary ") + vehicleName; }

QStringList BuildSummary(const AnalysisResult &run, const SummaryInputs &in)
{
    QStringList lines;
    if (run.rows.isEmpty())
        return lines;
    const AnalysisRow &last = run.rows.last();
    const QString E = AnalysisNames::EconomyNames.value(run.units.HeadingMode() - 1);
    const QString D = AnalysisNames::DistanceNames.value(run.units.DistIndex);
    const QString S = in.currency;

    long long totalDistance = 0;
    if (__builtin_sub_overflow(run.lastOdometer, run.firstOdometer, &totalDistance))
        totalDistance = 0;
    const long long recordsToEnd = (run.start + 4LL * run.rows.size()) / 4;
    const QString averageDistance = run.rows.size() < 2 || recordsToEnd < 2
                                        ? QStringLiteral("N/A") // a single record has no interval
                                        : FormatFixed(double(totalDistance / (recordsToEnd - 1)), 3, 0);
    const QString averageDays = FormatFixed(double(run.totalDays) / double(recordsToEnd), 3, 0);
    const long long weeks = run.totalDays / 7;
    const long long totalDays = std::max<long long>(run.totalDays, 1);
    const long long remainingDays = totalDays % 7;
    const double perDay = double(totalDistance) / double(totalDays);
    const QString perYear = wholeText(totalDistance / totalDays, 365, true);
    // The latest fill-up with a figure: a partial or missed one has none.
    auto withFigure = std::find_if(run.rows.crbegin(), run.rows.crend(), [](const AnalysisRow &r) { return !r.noFigure; });
    const AnalysisRow &latest = withFigure != run.rows.crend() ? *withFigure : last;
    const QString latestCost = latest.hasCost ? FormatFixed(latest.cost() * 100, 5, 2) : QString();
    const QString price = last.hasPrice ? FormatFixed(last.pricePerQuantity, 5, 2) : QString();
    const QString fuelName = AnalysisNames::FuelNames.value(run.units.FuelIndex).chopped(1);
    const long long daysThisYear = std::max<long long>(run.daysThisYear, 1);
    const double thisYear = run.yearSpend.value(run.yearIndex);
    const double dailySpend = thisYear / double(daysThisYear) / 100;
    const double projected = thisYear / double(daysThisYear) * 365 / 100;

    lines << Indent + QStringLiteral("Average ") + E + QLatin1Char(' ') + AnalysisTable::CellText(last, 4, run.option)
          << Indent + QStringLiteral("Best ") + E + QLatin1Char(' ') + FormatFixed(in.extremes.best, 3, 2)
          << Indent + QStringLiteral("Worst ") + E + QLatin1Char(' ') + FormatFixed(in.extremes.worst, 3, 2)
          << Indent + QStringLiteral("Average distance between Fill-ups ") + averageDistance + QLatin1Char(' ') + D
          << Indent + QStringLiteral("Greatest distance traveled between fillups to date ")
                 + QString::number(greatestDistance(run, in.extremes)) + QLatin1Char(' ') + D
          << Indent + QStringLiteral("Average number of days between Fill-ups ") + averageDays + QStringLiteral(" Days")
          << Indent + QStringLiteral("Total distance covered to date ") + QString::number(totalDistance) + QLatin1Char(' ') + D
                 + QStringLiteral(" in ") + QString::number(weeks) + QStringLiteral(" Weeks and ")
                 + QString::number(remainingDays) + QStringLiteral(" Days")
          << Indent + QStringLiteral("Average distance per day to nearest ") + D + QLatin1Char(' ') + FormatFixed(perDay, 3, 0)
                 + QLatin1Char(' ') + D
          << Indent + QStringLiteral("Average distance per week to nearest ") + D + QLatin1Char(' ')
                 + FormatFixed(perDay * 7, 3, 0) + QLatin1Char(' ') + D
          << Indent + QStringLiteral("Average distance per Month (30 Days) to nearest ") + D + QLatin1Char(' ')
                 + FormatFixed(perDay * 30, 3, 0) + QLatin1Char(' ') + D
          << Indent + QStringLiteral("Projected average ") + D + QStringLiteral(" per year ") + perYear
          << Indent + QStringLiteral("Latest cost per mile") + latestCost + QStringLiteral(" Pence")
          << Indent + QStringLiteral("Current fuel price ") + S + QLatin1Char(' ') + price + QStringLiteral(" per ") + fuelName
          << Indent + QStringLiteral("Total spend on fuel per year..");
    double total = 0;
    for (int i = 0; i <= run.yearIndex && i < run.yearSpend.size(); ++i) {
        lines << Indent + QString::number(i + 1) + QLatin1Char(' ') + S + FormatFixed(run.yearSpend[i] / 100, 5, 2);
        total += run.yearSpend[i];
    }
    lines << Indent + QStringLiteral("Total purchased ") + S + QLatin1Char(' ') + FormatFixed(total / 100, 5, 2)
          << Indent + QStringLiteral("Daily expenditure on fuel, This year ") + S + QLatin1Char(' ') + FormatFixed(dailySpend, 5, 2)
          << Indent + QStringLiteral("Projected fuel purchases this year ") + S + QLatin1Char(' ') + FormatFixed(projected, 5, 2);

    // Said last, whatever comes before it.
    const QString leftOut = run.leftOut == 0 ? QString()
                            : Indent + QStringLiteral("Figures leave out %1 partial or missed fill-up%2")
                                           .arg(run.leftOut)
                                           .arg(run.leftOut == 1 ? QString() : QStringLiteral("s"));
    if (!in.vehicle) {
        lines << Indent + QStringLiteral("Overall running Costs cannot be calculated in \"Start with Last\" mode")
              << Indent + QStringLiteral("Open the vehicle manager and select the required vehicle to include")
              << Indent + QStringLiteral("this information");
        if (!leftOut.isEmpty())
            lines << leftOut;
        return lines;
    }
    const SummaryVehicle &v = *in.vehicle;
    const long long insurance = NumberText::RoundHalfEven(v.insurance).value_or(0);
    long long fixed = 0;
    const bool fits = !__builtin_add_overflow(insurance, v.roadTax + v.mot + v.service, &fixed); // three 32-bit amounts
    const double fixedValue = fits ? double(fixed) : double(insurance) + double(v.roadTax + v.mot + v.service);
    lines << Indent + QStringLiteral("Road Tax ") + S + QLatin1Char(' ') + QString::number(v.roadTax)
          << Indent + QStringLiteral("MOT Test (UK) ") + S + QLatin1Char(' ') + QString::number(v.mot)
          << Indent + QStringLiteral("Service Cost ") + S + QLatin1Char(' ') + QString::number(v.service)
          << Indent + QStringLiteral("Insurance Cost ") + S + QLatin1Char(' ') + QString::number(insurance)
          << Indent + QStringLiteral("Total Fixed Costs of vehicle this year ") + S + QLatin1Char(' ')
                 + (fits ? QString::number(fixed) : FormatFixed(fixedValue, 15, 0))
          << Indent + QStringLiteral("Sundary Items this year ") + S + QLatin1Char(' ') + FormatFixed(v.sundries, 5, 2)
          << Indent + QStringLiteral("Total Costs of vehicle this year ") + S + QLatin1Char(' ')
                 + FormatFixed(fixedValue + projected + v.sundries, 5, 2);
    if (!leftOut.isEmpty())
        lines << leftOut;
    return lines;
}
