#include "core/analysis/AnalysisRun.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"

#include <cmath>

namespace AnalysisNames {
const QStringList DistanceNames{QStringLiteral("Miles"), QStringLiteral("Kilometers")};
const QStringList FuelNames{QStringLiteral("Gallons"), QStringLiteral("Litres")};
const QStringList EconomyNames{QStringLiteral("Mpg"), QStringLiteral("Kpg"), QStringLiteral("Mpl"), QStringLiteral("Kpl")};
const double DistanceFactor[2] = {1.0, 1.609};
const int ColumnWidths[9] = {95, 95, 95, 80, 80, 60, 70, 50, 60};

QStringList ColumnHeadings(int headingMode)
{
    const bool km = headingMode == 2 || headingMode == 4;
    const bool litres = headingMode >= 3;
    const QString economy = EconomyNames.value(headingMode - 1);
    return {QStringLiteral("     Date"),
            km ? QStringLiteral("  Kilomtrs") : QStringLiteral("  Mileage"),
            km ? QStringLiteral("Klmtrs Done") : QStringLiteral("Miles Done"),
            QStringLiteral("   ") + economy,
            QStringLiteral(" Avg ") + economy,
            QStringLiteral(" Days"),
            litres ? QStringLiteral("  Cpl") : QStringLiteral("  Cpg"),
            km ? QStringLiteral("  Cpk") : QStringLiteral("  Cpm"),
            km ? QStringLiteral("  ACpk") : QStringLiteral("  ACpm")};
}

int ColumnCount(AnalysisOption option)
{
    switch (option) {
    case AnalysisOption::Basic: return 6;
    case AnalysisOption::PPQ: return 7;
    case AnalysisOption::PPDU: return 9;
    }
    return 9;
}
} // namespace AnalysisNames

namespace {
// A difference of two readings that may come from a hand-edited log: 0 when
// it would not fit 64 bits.
long long difference(long long a, long long b)
{
    long long d = 0;
    return __builtin_sub_overflow(a, b, &d) ? 0 : d;
}

// A line read as a plain number; one that is not counts as 0.
double plainOrZero(const QString &line)
{
    const NumberText::RealReading r = NumberText::ReadReal(line);
    return r.ok ? r.value : 0.0;
}
} // namespace

long long OdometerIn(const QString &line, int distIndex)
{
    const std::optional<long long> miles = LenientWhole(line);
    if (!miles)
        return 0;
    if (distIndex == 0)
        return *miles;
    return NumberText::RoundHalfEven(double(*miles) * AnalysisNames::DistanceFactor[1]).value_or(0);
}

AnalysisResult RunAnalysis(const QStringList &log, int start, int finish, AnalysisUnits units, AnalysisOption option,
                           int direction, const QVector<FillMark> &marks)
{
    AnalysisResult r;
    r.units = units;
    r.option = option;
    if (log.size() < 8)
        return r;
    // Only whole records inside the log are read.
    const int wholeEnd = int(log.size() / 4) * 4;
    start = std::max(0, start - start % 4);
    finish = std::min(finish, wholeEnd);
    if (start >= finish)
        return r;
    r.ran = true;
    r.start = start;
    r.finish = finish;
    r.rowCount = (finish - start + 3) / 4;
    r.rows.reserve(r.rowCount);
    r.yearSpend.fill(0.0, 1);
    r.firstOdometer = OdometerIn(log[1], units.DistIndex);
    const bool withPrice = option != AnalysisOption::Basic;

    for (int off = start; off < finish; off += 4) {
        AnalysisRow row;
        row.date = log[off];
        row.first = off == 0;
        row.odometer = OdometerIn(log[off + 1], units.DistIndex);
        r.lastOdometer = row.odometer;
        if (!row.first)
            row.distanceDone = difference(row.odometer, OdometerIn(log[off - 3], units.DistIndex));

        const MarkedFigure figure = MarkedMpg(log, marks, off, units.FuelIndex, units.DistIndex, direction);
        row.noFigure = !figure.figure;
        if (!marks.isEmpty() && marks[off / 4] != FillMark::Full)
            ++r.leftOut; // what the user marked, not the full fill-ups a mark leaves without a figure
        if (row.noFigure) {
            row.noAverage = r.figuresSummed == 0;
            if (!row.noAverage)
                row.average = r.economySum / r.figuresSummed;
        } else {
            const std::optional<double> &economy = figure.value;
            if (economy)
                row.economy = *economy;
            if (!row.first && economy) {
                r.economySum += row.economy;
                ++r.figuresSummed;
                row.average = r.economySum / r.figuresSummed;
            }
            if (!economy || !std::isfinite(row.average)) {
                r.failed = true;
                r.failedRow = int(r.rows.size()) + 1;
                return r;
            }
        }

        // The fill-up's cost counts for the year before a year change is met,
        // so a new year's first fill-up still counts for the year before.
        const double spend = plainOrZero(log[off + 3]) * plainOrZero(log[off + 2]);
        if (std::isfinite(spend))
            r.yearSpend[r.yearIndex] += spend;

        if (withPrice) {
            row.pricePerQuantity = LenientReal(log[off + 3]) / 100.0 * (units.FuelIndex == 0 ? LitresPerGallon : 1.0);
            row.hasPrice = std::isfinite(row.pricePerQuantity);
        }
        if (option == AnalysisOption::PPDU && !row.first && row.hasPrice && !row.noFigure) {
            row.hasCost = row.economy != 0.0 && std::isfinite(row.cost());
            row.hasAverageCost = row.average != 0.0 && std::isfinite(row.averageCost());
        }

        if (!row.first) {
            const DayDifference interval = DaysBetween(log[off - 4], log[off]);
            if (interval.yearChanged) {
                r.daysThisYear = 0;
                ++r.yearIndex;
                r.yearSpend.append(0.0);
            }
            row.days = interval.days;
            r.totalDays += row.days;
            r.daysThisYear += row.days;
        }
        r.rows.append(std::move(row));
    }
    return r;
}

AnalysisTable::AnalysisTable(const AnalysisResult &run)
    : result(&run), rowCount(run.rowCount + 1), colCount(AnalysisNames::ColumnCount(run.option)),
      headings(AnalysisNames::ColumnHeadings(run.units.HeadingMode()))
{
}

QString AnalysisTable::Cells(int col, int row) const
{
    if (col < 0 || col >= colCount || row < 0 || row >= rowCount)
        return QString();
    if (row == 0)
        return headings.value(col);
    if (!result || row > result->rows.size())
        return QString(); // below a failed figure: nothing
    return CellText(result->rows[row - 1], col, result->option);
}

bool AnalysisTable::LeavesOut(int row) const
{
    return result && row >= 1 && row <= result->rows.size() && result->rows[row - 1].noFigure;
}

QString AnalysisTable::CellText(const AnalysisRow &row, int col, AnalysisOption option)
{
    const QString na = QStringLiteral("  N/A");
    switch (col) {
    case 0: return row.date;
    case 1: return PadText(QString::number(row.odometer), 8, false);
    case 2: return row.first ? na : PadText(QString::number(row.distanceDone), 5, false);
    case 3: return row.noFigure ? QString() : NumberText::FormatFixed(row.economy, 6, 2);
    case 4: return row.first ? na : row.noAverage ? QString() : NumberText::FormatFixed(row.average, 6, 2);
    case 5: return row.first ? na : QStringLiteral("  ") + QString::number(row.days);
    case 6: return option != AnalysisOption::Basic && row.hasPrice ? NumberText::FormatFixed(row.pricePerQuantity, 5, 2) : QString();
    case 7: return row.hasCost ? NumberText::FormatFixed(row.cost(), 5, 2) : QString();
    case 8: return row.hasAverageCost ? NumberText::FormatFixed(row.averageCost(), 5, 2) : QString();
    }
    return QString();
}
