// Loads and saves a car data file of 10,000 fill-ups, on its own and through
// the main window's Open and Save, and prints the times.
#include "AppFolder.h"
#include "Bench.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/TextFile.h"
#include "gui/shell/DataFileCommands.h"

#include <QElapsedTimer>
#include <cstdio>


int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    const int records = 10000;
    Harness h;
    h.settings({"Registration=BIG1"});
    const QStringList log = AppFolder::log(records);
    const QString path = h.app.file(QStringLiteral("BIG1.dat"));
    h.app.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(log));

    const double read = BestOf(20, [&] {
        const QStringList lines = TextFile::SplitLines(TextFile::ReadBytes(path).bytes);
        if (CarDataFile::CheckLog(lines) != CarDataFile::Check::Good)
            std::abort();
    });
    const double write = BestOf(20, [&] {
        QString error;
        if (!TextFile::WriteWhole(path, TextFile::JoinLines(log), &error))
            std::abort();
    });

    TVantiq_ &w = h.start();
    const double open = BestOf(20, [&] {
        h.platform.fileAnswers << path;
        w.Files().Open1Click();
        if (w.FuelLog.size() != records * 4)
            std::abort();
    });
    const double save = BestOf(20, [&] { w.Files().Save1Click(); });

    std::printf("car data file of %d fill-ups (%lld bytes), best of 20 runs:\n", records,
                static_cast<long long>(QFileInfo(path).size()));
    std::printf("  read and check        %7.2f ms\n", read);
    std::printf("  write whole           %7.2f ms\n", write);
    std::printf("  Open (main window)    %7.2f ms\n", open);
    std::printf("  Save (main window)    %7.2f ms\n", save);
    return 0;
}
