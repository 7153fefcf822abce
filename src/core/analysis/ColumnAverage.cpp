#include "core/analysis/ColumnAverage.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"

QString ColumnAverage(const AnalysisTable &table, TableSelection s, bool perDay, AnalysisUnits units)
{
    if (s.left != s.right)
        return QStringLiteral("You must select from one column only to get the average");
    const int column = s.left;
    const QString distanceName = AnalysisNames::DistanceNames.value(units.DistIndex);
    // Whether the column has such an average is settled before any cell is read.
    QString label, unit;
    if (perDay) {
        if (column == 2) {
            label = QStringLiteral("Average distance");
            unit = distanceName;
        } else if (column == 7) {
            label = QStringLiteral(" Average running cost per Day");
        } else {
            return QStringLiteral("Daily average calculation is not applicable to this column");
        }
    } else {
        switch (column) {
        case 2:
            label = QStringLiteral("Average distance between purchases");
            unit = distanceName;
            break;
        case 3:
            label = QStringLiteral("Average") + table.Cells(3, 0);
            unit = AnalysisNames::EconomyNames.value(units.HeadingMode() - 1);
            break;
        case 5:
            label = QStringLiteral("Average number of days between purchases");
            unit = QStringLiteral(" Days");
            break;
        case 6: label = QStringLiteral("Average fuel cost per ") + AnalysisNames::FuelNames.value(units.FuelIndex); break;
        case 7: label = QStringLiteral(" Average running cost per ") + distanceName; break;
        default: return QStringLiteral("Average calculation is not applicable to this column");
        }
    }
    // Never past the last row (Select All reaches one past it), never the headings.
    const int top = std::max(s.top, 1);
    const int bottom = std::min(s.bottom, table.RowCount() - 1);
    if (top > bottom)
        return QStringLiteral("Average calculation is not applicable to this column");
    // Partial and missed fill-ups have no economy or running cost to average.
    const bool figuresOnly = column == 3 || column == 7;
    double sum = 0;
    int count = 0;
    for (int r = top; r <= bottom; ++r) {
        if (figuresOnly && table.LeavesOut(r))
            continue;
        sum += NumberText::LeadingNumber(table.Cells(column, r));
        ++count;
    }
    if (count == 0)
        return QStringLiteral("No average: the fill-ups selected have no figures");
    const QString first = table.Cells(0, top), last = table.Cells(0, bottom);

    double result = sum / count;
    if (perDay) {
        const std::optional<int> days = DaysSpan(first, last);
        if (!days)
            return QStringLiteral("'%1' is not a valid integer value").arg(last.mid(6, 4).trimmed());
        if (*days <= 0)
            return QStringLiteral("No average per day: the dates selected span no days");
        if (column == 2) {
            result = sum / *days;
        } else {
            int from = 0, to = 0;
            NumberText::ReadWhole(table.Cells(1, top).trimmed(), &from);
            NumberText::ReadWhole(table.Cells(1, bottom).trimmed(), &to);
            result = sum / count * (double(to) - double(from)) / *days;
        }
    }
    return label + QStringLiteral(" from ") + first + QStringLiteral(" to ") + last + QStringLiteral(" is ")
           + NumberText::FormatFixed(result, 4, 2) + QLatin1Char(' ') + unit;
}
