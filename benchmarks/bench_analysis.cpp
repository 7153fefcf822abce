// The analysis of 10,000 and 100,000 fill-ups: the run with its best and
// worst search and summary, the table as the window shows it, a change of
// units, beside a raw read and split of the same file.
#include "AppFolder.h"
#include "Bench.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisModel.h"
#include "core/analysis/Extremes.h"
#include "core/analysis/Summary.h"
#include "core/fuellog/TextFile.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/shell/DataFileCommands.h"

#include <QAction>
#include <QMdiArea>
#include <QTableView>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    std::printf("analysis, best of 5 runs (ms):\n");
    std::printf("  %-9s %10s %10s %12s %14s %12s\n", "records", "read+split", "run only", "run+search+", "window open", "unit change");
    std::printf("  %-9s %10s %10s %12s %14s %12s\n", "", "", "", "summary", "(load, table)", "");
    for (int records : {10000, 100000}) {
        Harness h;
        h.settings({"Registration=BIG1", "Start up=1", "Distance Units=0", "Fuel Units=0"});
        const QStringList log = AppFolder::log(records);
        const QString path = h.app.file(QStringLiteral("BIG1.dat"));
        h.app.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(log));

        const double read = BestOf(5, [&] {
            if (TextFile::SplitLines(TextFile::ReadBytes(path).bytes).size() != log.size())
                std::abort();
        });
        AnalysisUnits units;
        const double runOnly = BestOf(5, [&] {
            if (RunAnalysis(log, 0, int(log.size()), units, AnalysisOption::PPDU, 1).rows.size() != records)
                std::abort();
        });
        const double full = BestOf(5, [&] {
            const AnalysisResult run = RunAnalysis(log, 0, int(log.size()), units, AnalysisOption::PPDU, 1);
            SummaryInputs in;
            in.extremes = FindExtremes(ExtremeRows(run), 3);
            if (BuildSummary(run, in).isEmpty())
                std::abort();
        });

        TVantiq_ &w = h.start();
        const double open = BestOf(5, [&] {
            w.CloseAllChildWindows();
            h.platform.fileAnswers << path;
            w.Files().Open1Click(); // load
            w.analisebutton();      // window, run, table
            QCoreApplication::processEvents();
        });
        auto *a = qobject_cast<TAnalisisForm *>(w.MdiArea->subWindowList().first());
        int flip = 0;
        const double unitChange = BestOf(5, [&] {
            (flip++ % 2 ? a->Miles : a->Kilometers)->trigger();
            a->AnalisisGrid->viewport()->repaint();
        });
        std::printf("  %-9d %10.2f %10.2f %12.2f %14.2f %12.2f\n", records, read, runOnly, full, open, unitChange);
    }
    return 0;
}
