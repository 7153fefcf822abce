// The marks file beside any log: reading never fails, a save writes only
// marks that name records of the log and reads back the same, and the
// figures run over whatever marks result.
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/GraphDrawing.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"

#include <QSet>
#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || size > 64 * 1024)
        return 0;
    // The first two bytes: how much of the rest is the log; the rest of it
    // is the marks file. Bits of the first byte also pick the figures' look.
    const size_t logSize = std::min<size_t>(size - 2, size_t(data[0]) << 8 | data[1]);
    const QStringList log = TextFile::SplitLines(QByteArray(reinterpret_cast<const char *>(data) + 2, qsizetype(logSize)));
    const QByteArray marksFile(reinterpret_cast<const char *>(data) + 2 + logSize, qsizetype(size - 2 - logSize));

    const FillMarks marks = FillMarks::Read(marksFile);
    const QVector<FillMark> perRecord = marks.PerRecord(log);
    if (!perRecord.isEmpty() && perRecord.size() != log.size() / 4)
        __builtin_trap();

    // What a save writes names records, with their own marks, and nothing twice.
    const QByteArray saved = marks.FileText(log);
    QSet<QString> records;
    for (qsizetype p = 0; p + 3 < log.size(); p += 4)
        records.insert(log[p].trimmed() + QLatin1Char(',') + log[p + 1].trimmed());
    QSet<QString> written;
    for (const QString &line : TextFile::SplitLines(saved)) {
        const qsizetype comma = line.indexOf(QLatin1Char(','), line.indexOf(QLatin1Char(',')) + 1); // after the reading
        const QString key = line.left(comma);
        if (comma < 0 || !records.contains(key) || written.contains(key))
            __builtin_trap();
        written.insert(key);
    }
    if (FillMarks::Read(saved).FileText(log) != saved)
        __builtin_trap();
    if (!saved.isEmpty() && perRecord.isEmpty())
        __builtin_trap();
    // Read beside its log, the file gives the same marks to every record.
    // (Compared element by element: Qt's == hands memcmp a null pointer for
    // an empty list.)
    const QVector<FillMark> beside = FillMarks::Read(marksFile, log).PerRecord(log);
    if (beside.size() != perRecord.size() || !std::equal(beside.cbegin(), beside.cend(), perRecord.cbegin()))
        __builtin_trap();
    // The joined marks a save writes first: each record reads with its new
    // mark where it has one, else with the old.
    FillMarks changed = marks;
    for (int r = 0; 4 * r + 3 < log.size(); r += 2)
        changed.SetAt(log, 4 * r, FillMark((data[0] + r) % 4));
    const QByteArray newText = changed.FileText(log);
    const QVector<FillMark> now = FillMarks::Read(newText).PerRecord(log); // as written
    const QVector<FillMark> joined = FillMarks::Read(FillMarks::JoinedText(newText, marksFile)).PerRecord(log);
    for (int r = 0; r < log.size() / 4; ++r) {
        const FillMark expected = now.value(r) != FillMark::Full ? now.value(r) : perRecord.value(r);
        if (joined.value(r) != expected)
            __builtin_trap();
    }

    // The figures over the marks: no read past the log, no row with a figure
    // for a marked fill-up.
    AnalysisUnits units;
    units.DistIndex = data[0] & 1;
    units.FuelIndex = (data[0] >> 1) & 1;
    const AnalysisResult run = RunAnalysis(log, 0, int(log.size()), units, AnalysisOption::PPDU, (data[0] >> 2) & 1, perRecord);
    for (qsizetype r = 0; r < run.rows.size() && !perRecord.isEmpty(); ++r)
        if (perRecord[(run.start / 4) + int(r)] != FillMark::Full && !run.rows[r].noFigure)
            __builtin_trap();
    GraphOptions graph;
    graph.drawingWidth = 300;
    graph.marks = perRecord;
    DrawGraph(log, 0, int(log.size()), graph);
    return 0;
}
