// Any bytes loaded as a car data file and analysed in the unit mode, option
// and look direction the first byte chooses (one run an input keeps it
// quick; the fuzzer tries every choice): the table, best and worst, the
// summary, the graph's drawing data and the column averages. Nothing may
// crash, and no text shown may carry a number that is not finite.
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/ColumnAverage.h"
#include "core/analysis/Extremes.h"
#include "core/analysis/GraphDrawing.h"
#include "core/analysis/Summary.h"
#include "core/fuellog/TextFile.h"

#include <QRegularExpression>

#include <array>

namespace {
void mustBeFinite(const QString &text)
{
    // The quick test first: most texts hold neither.
    if (!text.contains(QLatin1String("nan"), Qt::CaseInsensitive) && !text.contains(QLatin1String("inf"), Qt::CaseInsensitive))
        return;
    static const QRegularExpression notFinite(QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
    if (text.contains(notFinite))
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 4096) // a few hundred records say all a longer file would
        return 0;
    const int choice = data[0];
    const QStringList log = TextFile::SplitLines(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    const int lines = int(log.size());
    AnalysisUnits units;
    units.DistIndex = choice & 1;
    units.FuelIndex = (choice >> 1) & 1;
    const int direction = (choice >> 2) & 1;
    const AnalysisOption option = std::array{AnalysisOption::Basic, AnalysisOption::PPQ, AnalysisOption::PPDU}[((choice >> 3) & 3) % 3];

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
            mustBeFinite(ColumnAverage(table, all, (choice >> 5) & 1, units));
        }
    }
    GraphOptions graph;
    graph.direction = direction;
    const GraphDrawing drawing = DrawGraph(log, 0, lines, graph);
    for (const GraphText &t : drawing.scaleLabels)
        mustBeFinite(t.text);
    return 0;
}
