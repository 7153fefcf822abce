#pragma once
#include "core/fuellog/FillMarks.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The analysis of a range of the fuel log: one row of figures per fill-up,
// and the sums the summary is built from. Figures are kept as numbers; the
// table's texts are made from them on demand (AnalysisTable).

enum class AnalysisOption { Basic, PPQ, PPDU };

// The units an analysis shows: distance 0 miles, 1 kilometres; fuel 0
// gallons, 1 litres.
struct AnalysisUnits {
    int DistIndex = 0;
    int FuelIndex = 0;
    // 1 miles and gallons, 2 kilometres and gallons, 3 miles and litres,
    // 4 kilometres and litres.
    int HeadingMode() const { return 1 + DistIndex + 2 * FuelIndex; }
    // The unit mode in the DpqTypes order: 2 x distance + fuel.
    int FMode() const { return 2 * DistIndex + FuelIndex; }
};

namespace AnalysisNames {
extern const QStringList DistanceNames;  // "Miles", "Kilometers"
extern const QStringList FuelNames;      // "Gallons", "Litres"
extern const QStringList EconomyNames;   // "Mpg", "Kpg", "Mpl", "Kpl" by HeadingMode - 1
extern const double DistanceFactor[2];   // 1.0, 1.609
extern const int ColumnWidths[9];
// Row 0 of the table: nine headings for a heading mode 1-4.
QStringList ColumnHeadings(int headingMode);
int ColumnCount(AnalysisOption option);
} // namespace AnalysisNames

struct AnalysisRow {
    // Kept small: a run over years of records holds one per fill-up.
    QString date;
    long long odometer = 0;       // stored reading in the table's distance unit
    long long distanceDone = 0;
    double economy = 0;           // unrounded, in the table's units
    double average = 0;           // running average (not for the log's first record)
    double pricePerQuantity = 0;  // currency units per gallon or litre
    int days = 0;                 // interval from the previous record
    bool first : 1 = false;       // the first record of the whole log: no interval
    bool hasPrice : 1 = false;    // PPQ and PPDU
    bool hasCost : 1 = false;     // PPDU, a figure to divide by
    bool hasAverageCost : 1 = false;
    bool noFigure : 1 = false;    // a partial or missed fill-up: no economy, left out of the average
    bool noAverage : 1 = false;   // no figure yet to average

    double cost() const { return pricePerQuantity / economy; }         // per distance unit
    double averageCost() const { return pricePerQuantity / average; }  // at the running average
};

struct AnalysisResult {
    // False when the run did nothing: the log holds fewer than two records
    // or the range is empty once cut to the log's whole records.
    bool ran = false;
    // An economy figure could not be computed: rows holds those filled
    // before it; failedRow is the table row (from 1) that failed.
    bool failed = false;
    int failedRow = 0;
    int start = 0, finish = 0;    // the range used, finish cut to the log
    int rowCount = 0;             // rows of the range ((finish - start) / 4)
    AnalysisUnits units;
    AnalysisOption option = AnalysisOption::PPDU;
    QVector<AnalysisRow> rows;

    // Accumulators for the summary.
    double economySum = 0;
    int figuresSummed = 0;        // what the running average divides by
    long long totalDays = 0;
    long long daysThisYear = 0;
    int yearIndex = 0;
    QVector<double> yearSpend;    // pence, by year of the range; grows as needed
    long long lastOdometer = 0;
    long long firstOdometer = 0;  // of the whole log's first record, in the table's unit
    int leftOut = 0;              // marked (partial or missed) fill-ups in the range
};

// Runs the analysis of the records from line offset start up to finish
// (exclusive) in the given units, option and look direction (0 ahead, 1 back).
// marks holds one mark per record of the whole log, or none at all.
AnalysisResult RunAnalysis(const QStringList &log, int start, int finish, AnalysisUnits units,
                           AnalysisOption option, int direction, const QVector<FillMark> &marks = {});

// A stored odometer reading in a distance unit (0 miles, 1 kilometres):
// read leniently, converted and rounded; 0 when it holds no whole number.
long long OdometerIn(const QString &line, int distIndex);

// The table's texts, made from a run's figures: Cells(col, row) with row 0
// the headings and rows 1.. the records, as the table shows them.
class AnalysisTable {
public:
    AnalysisTable() = default;
    explicit AnalysisTable(const AnalysisResult &result);
    int RowCount() const { return rowCount; }     // headings included
    int ColCount() const { return colCount; }
    QString Cells(int col, int row) const;
    // A partial or missed fill-up's row: no economy or running cost figure.
    bool LeavesOut(int row) const;
    // A cell's text from a row's figures.
    static QString CellText(const AnalysisRow &row, int col, AnalysisOption option);

private:
    const AnalysisResult *result = nullptr;
    int rowCount = 1;
    int colCount = 0;
    QStringList headings;
};
