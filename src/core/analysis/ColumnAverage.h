#pragma once
#include "core/analysis/AnalysisRun.h"

#include <QString>

// A rectangle of the analysis table's cells, in the table's numbering
// (row 0 the headings); bottom may be one past the last row (Select All).
struct TableSelection {
    int left = 0, right = 0, top = 1, bottom = 1;
};

// The average of the selected cells of one column, or per day over the days
// between the first and last selected dates (perDay), as the message to
// show; or why there is none.
QString ColumnAverage(const AnalysisTable &table, TableSelection selection, bool perDay, AnalysisUnits units);
