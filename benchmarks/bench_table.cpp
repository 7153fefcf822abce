// The figures of `make bench` in one table: start-up beside a bare Qt main
// window, loading beside a raw read and split, the analysis, the graph
// repaint, an acceptance into 10,000 records, and the peak memory of a run
// over 100,000 records (measured in a child process of its own).
#include "AppFolder.h"
#include "Bench.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/GraphDrawing.h"
#include "core/fuellog/TextFile.h"
#include "gui/analysis/GraphWindow.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/DataFileCommands.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <cstdio>
#include <sys/resource.h>

namespace {
void row(const char *what, double ms, const QString &beside = QString())
{
    std::printf("  %-44s %10.2f ms  %s\n", what, ms, qPrintable(beside));
}

// The child: loads 100,000 records, analyses them, opens the analysis
// window and reports its peak resident memory in KiB.
int peakChild()
{
    Harness h;
    h.settings({"Start up=1", "Registration=BIG1"});
    h.app.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(AppFolder::log(100000)));
    TVantiq_ &w = h.start();
    w.analisebutton();
    QCoreApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return w.FuelLog.size() == 400000 ? 0 : 1;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    if (argc > 1 && QByteArray(argv[1]) == "--peak")
        return peakChild();
    const int rounds = 5;
    std::printf("Vantiq figures, best of %d runs (offscreen):\n", rounds);

    // Start-up: the window built, the start-up sequence run at once (no
    // timer, no splash), shown; beside a bare main window with a menu bar,
    // a toolbar and a status bar.
    const double bare = BestOf(rounds, [] {
        QMainWindow m;
        m.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Open"));
        m.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Open"));
        m.statusBar()->showMessage(QStringLiteral("ready"));
        m.show();
        QCoreApplication::processEvents();
    });
    const double startup = BestOf(rounds, [] {
        Harness h;
        h.settings({"Start up=1", "Registration=AB12"});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(50)));
        h.start();
        QCoreApplication::processEvents();
    });
    row("start-up to the main window shown", startup, QStringLiteral("bare Qt main window %1 ms").arg(bare, 0, 'f', 2));

    Harness h;
    h.settings({"Start up=1", "Registration=AB12"});
    h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(4)));
    TVantiq_ &w = h.start();
    for (int records : {10000, 100000}) {
        const QString name = QStringLiteral("L%1.dat").arg(records);
        h.app.write(name, AppFolder::crlf(AppFolder::log(records)));
        const QString path = h.app.file(name);
        const double raw = BestOf(rounds, [&] { TextFile::SplitLines(TextFile::ReadBytes(path).bytes); });
        const double load = BestOf(rounds, [&] { w.Files().Getcardata(path); });
        row(qPrintable(QStringLiteral("load of %1 records").arg(records)), load,
            QStringLiteral("raw read and split %1 ms").arg(raw, 0, 'f', 2));
        const QStringList log = w.FuelLog;
        const double run = BestOf(rounds, [&] {
            RunAnalysis(log, 0, int(log.size()), AnalysisUnits{}, AnalysisOption::PPDU, 1);
        });
        row(qPrintable(QStringLiteral("analysis run over %1 records").arg(records)), run);
        GraphOptions o;
        const GraphDrawing drawing = DrawGraph(log, 0, int(log.size()), o);
        GraphSurface surface;
        const QColor colours[4] = {Qt::lightGray, Qt::darkGreen, Qt::red, Qt::yellow};
        surface.SetDrawing(drawing, colours);
        QImage shown(900, 350, QImage::Format_ARGB32_Premultiplied);
        const double repaint = BestOf(rounds, [&] { surface.render(&shown, QPoint(), QRegion(o.drawingWidth / 2, 0, 900, 350)); });
        row(qPrintable(QStringLiteral("graph repaint, %1 records, 900x350").arg(records)), repaint);
    }

    // An acceptance of a back-dated fill-up into 10,000 records: search,
    // insert and the save of the whole file.
    w.Files().Getcardata(h.app.file(QStringLiteral("L10000.dat")));
    w.CurrentDataFile = h.app.file(QStringLiteral("L10000.dat"));
    w.EnterDataClick();
    FuelEntryPanel &e = *w.DataEntry;
    auto type = [](QLineEdit *box, const QString &text) {
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    int next = 10001;
    const double accept = BestOf(rounds, [&] {
        type(e.PDay, QStringLiteral("05"));
        type(e.Pmonth, QStringLiteral("01"));
        e.YearChange->setValue(2012);
        type(e.NMiles, QString::number(next++));
        type(e.PPrice, QStringLiteral("26.00"));
        type(e.Amount, QStringLiteral("20"));
        e.AcceptClick();
    });
    if (w.FuelLog.size() != 4 * (10000 + rounds)) {
        std::printf("  the acceptances were refused\n");
        return 1;
    }
    row("acceptance into 10,000 records (with typing)", accept);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak")});
    child.waitForFinished(120000);
    const long kib = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toLong();
    std::printf("  %-44s %10.1f MiB\n", "peak memory, 100,000 records analysed", kib / 1024.0);
    return 0;
}
