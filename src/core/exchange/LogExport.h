#pragma once
#include <QByteArray>
#include <QStringList>

#include "core/fuellog/FillMarks.h"

class AnalysisTable;

// The fuel log and the analysis table as CSV files for spreadsheets and
// other programs.
namespace LogExport {

// A header row, then one row per fill-up: the ISO date, the odometer in
// miles, litres, pence per litre and the total cost in the currency unit;
// when any fill-up is marked, two more: full and missed, 1 or 0.
QByteArray FuelLog(const QStringList &log, const FillMarks &marks = {});

// The table as shown: its headings and every cell, blanks trimmed.
QByteArray Table(const AnalysisTable &table);

} // namespace LogExport
