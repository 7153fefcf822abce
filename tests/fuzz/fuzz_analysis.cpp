// Any bytes loaded as a car data file and analysed in every unit mode,
// option and look direction: the table, best and worst, the summary, the
// graph's drawing data and the column averages. Nothing may crash, and no
// text shown may carry a number that is not finite.
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/ColumnAverage.h"
#include "core/analysis/Extremes.h"
#include "core/analysis/GraphDrawing.h"
#include "core/analysis/Summary.h"
#include "core/fuellog/TextFile.h"

#include <QRegularExpression>

namespace {
void mustBeFinite(const QString &text)
{
    static const QRegularExpression notFinite(QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
    if (text.contains(notFinite))
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096) // a few hundred records say all a longer file would
        return 0;
    const QStringList log = TextFile::SplitLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const int lines = int(log.size());
    for (int mode = 0; mode < 4; ++mode) {
        AnalysisUnits units;
        units.DistIndex = mode & 1;
        units.FuelIndex = mode >> 1;
        for (int direction = 0; direction < 2; ++direction) {
            for (AnalysisOption option : {AnalysisOption::Basic, AnalysisOption::PPQ, AnalysisOption::PPDU}) {
                const AnalysisResult run = RunAnalysis(log, 0, lines, units, option, direction);
                const AnalysisTable table(run);
                for (int r = 0; r < table.RowCount(); ++r)
                    for (int c = 0; c < table.ColCount(); ++c)
                        mustBeFinite(table.Cells(c, r));
                SummaryInputs in;
                in.currency = QStringLiteral("£");
                in.extremes = FindExtremes(ExtremeRows(run), 3);
                in.vehicle = SummaryVehicle{};
                for (const QString &line : BuildSummary(run, in))
                    mustBeFinite(line);
                if (table.RowCount() > 1 && table.ColCount() > 0) {
                    TableSelection all{0, table.ColCount() - 1, 1, table.RowCount()};
                    for (int c = 1; c < table.ColCount(); ++c) {
                        all.left = all.right = c;
                        mustBeFinite(ColumnAverage(table, all, false, units));
                        mustBeFinite(ColumnAverage(table, all, true, units));
                    }
                }
            }
            GraphOptions graph;
            graph.direction = direction;
            const GraphDrawing drawing = DrawGraph(log, 0, lines, graph);
            for (const GraphText &t : drawing.scaleLabels)
                mustBeFinite(t.text);
        }
    }
    return 0;
}
