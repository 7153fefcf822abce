#pragma once
// The import's own helpers, shared by its reading and its preparation:
// cells read as dates, the evidence rows, the pace of a long piece of work.
#include "core/exchange/Csv.h"
#include "core/exchange/LogImport.h"

#include <QDate>
#include <QElapsedTimer>

namespace LogImport::Cells {

// A date with an optional time of day: yyyy-mm-dd, day, month and year in
// either order with "/", "." or "-" between them, or a month by its name
// ("Sep 17, 2008", "17-Sep-2008").
struct DateParts {
    bool ok = false;
    bool fixed = false;   // its order is plain (year first, or the month named)
    int a = 0, b = 0, year = 0;
    QChar separator;
};
DateParts ReadDate(const QString &field);
QDate DateOf(const DateParts &d, DateOrder order);

QString FieldOf(const Source::Row &row, int column);
double Median(QVector<double> values);
// How much values spread about their mean, relative to it.
double Spread(const QVector<double> &values);
double LitresPer(FuelUnit unit);

// The rows the evidence for a suggestion is drawn from: all of a file of
// the size a log ever has, else as many spread evenly over it, so that a
// huge file is judged in bounded time.
QVector<const Source::Row *> EvidenceRows(const Source &s);

// A long piece of work tells how far it has come at most every 100 ms, so
// that the window showing it answers and its Cancel acts at once; false
// once it was cancelled. done runs to PaceTotal.
constexpr qint64 PaceTotal = 1000;
class Pace {
public:
    explicit Pace(const Progress &told) : progress(told) { since.start(); }
    bool operator()(qint64 done, bool now = false);
    // The part from..to of the whole, for work of count steps.
    Csv::GoOn Part(qint64 from, qint64 to, qint64 count);
    bool cancelled = false;

private:
    const Progress &progress;
    QElapsedTimer since;
};

} // namespace LogImport::Cells
