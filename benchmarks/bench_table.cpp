// The figures of `make bench` in one table, each beside the floor or the bare
// program it is measured against and its ratio to it: start-up and memory as
// whole processes against a bare Qt program of the same shape (median of 11
// alternating runs), loading against reading the file and finding its line
// ends with memchr, the analysis against converting every line once, the
// graph repaint against a fill of the same area, an acceptance against the
// save alone, and the peak memory over 100,000 records against the bare
// program's.
#include "AppFolder.h"
#include "Bench.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/GraphDrawing.h"
#include "core/fuellog/LogFiles.h"
#include "core/fuellog/TextFile.h"
#include "gui/analysis/GraphWindow.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/FirstPaint.h"

#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
void row(const QString &what, double figure, const QString &baseline, double base, const char *unit = "ms")
{
    std::printf("  %-46s %9.2f %-3s  %-40s %9.2f %-3s  %5.2fx", qPrintable(what), figure, unit, qPrintable(baseline), base,
                unit, base > 0 ? figure / base : 0.0);
    // Memory is judged by what the program adds to the baseline.
    if (std::strcmp(unit, "MiB") == 0)
        std::printf("  (%+.1f MiB)", figure - base);
    std::printf("\n");
}

struct ProcessFigures {
    double ms = 0;
    double mib = 0;
};
// A program started as a user starts it, up to its first paint (it quits
// there and prints its peak memory).
ProcessFigures runToFirstPaint(const QString &program, const QStringList &arguments)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    ProcessFigures f;
    f.ms = double(t.nsecsElapsed()) / 1e6;
    f.mib = QString::fromLatin1(p.readAllStandardOutput()).trimmed().toLong() / 1024.0;
    return f;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

// The physical floor of a load: the file read into memory and its line ends
// found, nothing made of them.
qsizetype readAndFindLineEnds(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = f.readAll();
    qsizetype lines = 0;
    const char *p = bytes.constData(), *end = p + bytes.size();
    while (const void *nl = std::memchr(p, '\n', size_t(end - p))) {
        ++lines;
        p = static_cast<const char *>(nl) + 1;
    }
    return lines;
}

// The child: loads 100,000 records, analyses them, opens the analysis
// window and reports its peak resident memory in KiB. The log is written by
// the parent and copied here, so that making it does not count.
int peakChild(const QString &log)
{
    Harness h;
    h.settings({"Start up=1", "Registration=BIG1"});
    QFile::copy(log, h.app.file(QStringLiteral("BIG1.dat")));
    TVantiq_ &w = h.start();
    w.analisebutton();
    QCoreApplication::processEvents();
    std::printf("%ld\n", PeakResidentKiB());
    return w.FuelLog.size() == 400000 ? 0 : 1;
}

// Marks on 30 % of the records; with extra, one more (so that two sets
// differ and every save writes the joined marks first).
FillMarks thirtyPercent(const QStringList &log, bool extra)
{
    FillMarks marks;
    for (int k = 0; 4 * k + 3 < log.size(); ++k)
        if (k % 10 < 3 || (extra && k == 5))
            marks.SetAt(log, 4 * k, k % 2 ? FillMark::Partial : FillMark::Missed);
    return marks;
}

// The child: loads the log as the program does, and saves it, with 30 % of
// its records marked or with none, then reports its peak memory in KiB.
int saveChild(const QString &path, bool marked)
{
    const QStringList log = TextFile::SplitLines(TextFile::ReadBytes(path).bytes); // the lines share one block
    const LogFiles::Saved saved = LogFiles::Save(path, log, marked ? thirtyPercent(log, false) : FillMarks(), false);
    std::printf("%ld\n", PeakResidentKiB());
    return saved.log ? 0 : 1;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    if (argc > 2 && QByteArray(argv[1]) == "--peak")
        return peakChild(QString::fromLocal8Bit(argv[2]));
    if (argc > 2 && QByteArray(argv[1]).endsWith("-save"))
        return saveChild(QString::fromLocal8Bit(argv[2]), QByteArray(argv[1]) == "--marked-save");
    const int rounds = 5;
    std::printf("Vantiq figures (offscreen; best of %d runs unless said):\n", rounds);

    // Start-up as whole processes, alternating, median of 11 each.
    const QString here = QCoreApplication::applicationDirPath();
    QList<double> ours, bare, oursMemory, bareMemory;
    for (int i = 0; i < 11; ++i) {
        const ProcessFigures a = runToFirstPaint(here + QStringLiteral("/../src/vantiq"), {QStringLiteral("--quit-after-first-paint")});
        const ProcessFigures b = runToFirstPaint(here + QStringLiteral("/bench_bare_window"), {});
        ours << a.ms;
        bare << b.ms;
        oursMemory << a.mib;
        bareMemory << b.mib;
    }
    row(QStringLiteral("start-up to the first paint (median of 11)"), median(ours), QStringLiteral("bare Qt program of that shape"),
        median(bare));
    row(QStringLiteral("peak memory at the first paint"), median(oursMemory), QStringLiteral("bare Qt program of that shape"),
        median(bareMemory), "MiB");
    const double bareMiB = median(bareMemory);

    Harness h;
    h.settings({"Start up=1", "Registration=AB12"});
    h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(4)));
    TVantiq_ &w = h.start();
    for (int records : {10000, 100000}) {
        const QString name = QStringLiteral("L%1.dat").arg(records);
        h.app.write(name, AppFolder::crlf(AppFolder::log(records)));
        const QString path = h.app.file(name);
        // Warmed, then the floor and the load in turn.
        if (readAndFindLineEnds(path) != 4 * records) {
            std::printf("  %s could not be read\n", qPrintable(path));
            return 1;
        }
        double floor = 1e18, load = 1e18;
        for (int i = 0; i < rounds; ++i) {
            floor = std::min(floor, BestOf(1, [&] { readAndFindLineEnds(path); }));
            load = std::min(load, BestOf(1, [&] { w.Files().Getcardata(path); }));
        }
        row(QStringLiteral("load of %1 records").arg(records), load, QStringLiteral("read and line ends found (memchr)"), floor);
        const QStringList log = w.FuelLog;
        // Every character of the log read once (hashed, so none is skipped).
        size_t seen = 0;
        const double pass = BestOf(rounds, [&] {
            for (const QString &line : log)
                seen ^= qHash(line);
            asm volatile("" : : "g"(seen) : "memory"); // the hashes are used: the loop stays
        });
        const double run = BestOf(rounds, [&] {
            RunAnalysis(log, 0, int(log.size()), AnalysisUnits{}, AnalysisOption::PPDU, 1);
        });
        row(QStringLiteral("analysis run over %1 records").arg(records), run,
            QStringLiteral("every character read once"), pass);
        GraphOptions o;
        const GraphDrawing drawing = DrawGraph(log, 0, int(log.size()), o);
        GraphSurface surface;
        const QColor colours[4] = {Qt::lightGray, Qt::darkGreen, Qt::red, Qt::yellow};
        surface.SetDrawing(drawing, colours);
        QImage shown(900, 350, QImage::Format_ARGB32_Premultiplied);
        const double repaint = BestOf(rounds, [&] { surface.render(&shown, QPoint(), QRegion(o.drawingWidth / 2, 0, 900, 350)); });
        const double fill = BestOf(rounds, [&] { QPainter(&shown).fillRect(shown.rect(), Qt::white); });
        row(QStringLiteral("graph repaint, %1 records, 900x350").arg(records), repaint, QStringLiteral("a fill of the same area"), fill);
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
    const QByteArray file = TextFile::ReadBytes(w.CurrentDataFile).bytes;
    const double save = BestOf(rounds, [&] { TextFile::WriteWhole(w.CurrentDataFile + QStringLiteral(".copy"), file, nullptr); });
    row(QStringLiteral("acceptance into 10,000 records (with typing)"), accept, QStringLiteral("the save of that file alone"), save);

    // A save of 100,000 records read from a file, 30 % of them marked, the
    // marks file changed every time (the joined marks written first), beside
    // the same save with none marked; then the peak memory of each, as
    // processes of their own.
    const QString marked = h.app.file(QStringLiteral("M100000.dat"));
    h.app.write(QStringLiteral("M100000.dat"), AppFolder::crlf(AppFolder::log(100000)));
    const QStringList bigLog = TextFile::SplitLines(TextFile::ReadBytes(marked).bytes);
    const FillMarks sets[2] = {thirtyPercent(bigLog, false), thirtyPercent(bigLog, true)};
    const double unmarkedSave = BestOf(rounds, [&] { LogFiles::Save(marked, bigLog, FillMarks(), false); });
    int turn = 0;
    const double markedSave = BestOf(rounds, [&] { LogFiles::Save(marked, bigLog, sets[turn++ % 2], false); });
    row(QStringLiteral("save of 100,000 records, 30 % marked"), markedSave, QStringLiteral("the same save with none marked"),
        unmarkedSave);
    auto savePeak = [&](const char *mode) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(mode), marked});
        child.waitForFinished(120000);
        return QString::fromLatin1(child.readAllStandardOutput()).trimmed().toLong() / 1024.0;
    };
    row(QStringLiteral("peak memory, that marked save"), savePeak("--marked-save"), QStringLiteral("the save with none marked"),
        savePeak("--unmarked-save"), "MiB");
    // A marks file of a million lines that name no record, beside a log of
    // two: the load keeps none, and takes no string for each.
    QByteArray stale;
    stale.reserve(27 * 1000000);
    for (int i = 0; i < 1000000; ++i)
        stale += QByteArray::number(i % 28 + 10) + "/01/2001," + QByteArray::number(100000 + i) + ",partial\r\n";
    h.app.write(QStringLiteral("S2.marks"), stale);
    h.app.write(QStringLiteral("S2.dat"), AppFolder::crlf(AppFolder::log(2)));
    const QString staleLog = h.app.file(QStringLiteral("S2.dat"));
    const double staleLoad = BestOf(rounds, [&] { LogFiles::ReadMarks(staleLog, AppFolder::log(2)); });
    const double staleRead = BestOf(rounds, [&] { TextFile::ReadBytes(h.app.file(QStringLiteral("S2.marks"))); });
    row(QStringLiteral("marks of 1,000,000 stale lines beside 2 records"), staleLoad, QStringLiteral("reading that file alone"),
        staleRead);

    AppFolder logFolder;
    logFolder.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(AppFolder::log(100000)));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), logFolder.file(QStringLiteral("BIG1.dat"))});
    child.waitForFinished(120000);
    const long kib = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toLong();
    row(QStringLiteral("peak memory, 100,000 records, analysis open"), kib / 1024.0, QStringLiteral("bare Qt program of that shape"),
        bareMiB, "MiB");
    return 0;
}
