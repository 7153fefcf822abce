// The data view over large logs: opening it on 100,000 records, and
// deleting 5,000 selected records of 10,000.
#include "AppFolder.h"
#include "Bench.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/entry/LogTableModel.h"
#include "gui/entry/DataViewPanel.h"
#include "gui/shell/DataFileCommands.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    std::printf("data view, best of 3 runs (ms):\n");
    {
        Harness h;
        h.settings({"Registration=BIG1", "Start up=1"});
        h.app.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(AppFolder::log(100000)));
        TVantiq_ &w = h.start();
        const double open = BestOf(3, [&] {
            w.Datadisplay->hide();
            w.ViewClick();
            QCoreApplication::processEvents();
        });
        std::printf("  open the view on 100,000 records   %8.2f\n", open);
    }
    {
        Harness h;
        h.settings({"Registration=BIG1", "Start up=1"});
        const QStringList log = AppFolder::log(10000);
        h.app.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(log));
        TVantiq_ &w = h.start();
        w.ViewClick();
        h.platform.answers << mrYes;
        w.Datadisplay->EditClick();
        DataViewPanel &v = *w.Datadisplay;
        const double remove = BestOf(3, [&] {
            w.FuelLog = log;
            w.State().FuelLogChanged();
            QItemSelection every;
            for (int r = 0; r < 10000; r += 2)
                every.select(v.Model->index(r, 1), v.Model->index(r, 1));
            v.ViewGrid->selectionModel()->select(every, QItemSelectionModel::ClearAndSelect);
            v.ViewDeleteClick();
            if (w.FuelLog.size() != 5000 * 4)
                std::abort();
        });
        std::printf("  delete 5,000 of 10,000 records     %8.2f (with selecting them)\n", remove);
    }
    return 0;
}
