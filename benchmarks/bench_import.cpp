// Export and import of 10,000 and 100,000 fill-ups as CSV: the export, the
// reading of the file and the preparing of the import into an empty log and
// into a log that already holds every fill-up (all duplicates).
#include "AppFolder.h"
#include "Bench.h"
#include "core/exchange/LogExport.h"
#include "core/exchange/LogImport.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("CSV export and import, best of 5 runs (ms):\n");
    std::printf("  %-9s %10s %10s %14s %14s\n", "records", "export", "read", "import (new)", "import (dups)");
    for (int records : {10000, 100000}) {
        const QStringList log = AppFolder::log(records);
        QByteArray file;
        const double exportMs = BestOf(5, [&] { file = LogExport::FuelLog(log); });
        LogImport::Source source;
        const double readMs = BestOf(5, [&] { source = LogImport::Read(file); });
        const double fresh = BestOf(5, [&] {
            if (LogImport::Prepare(source, {}, {}).added.size() != records)
                std::abort();
        });
        const double dups = BestOf(5, [&] {
            if (LogImport::Prepare(source, {}, log).duplicates != records)
                std::abort();
        });
        std::printf("  %-9d %10.1f %10.1f %14.1f %14.1f\n", records, exportMs, readMs, fresh, dups);
    }
    return 0;
}
