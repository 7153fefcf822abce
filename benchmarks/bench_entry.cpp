// Accepts a back-dated fill-up into a log of 10,000 records: the placement
// search from the end, the insert and the save of the whole car data file.
#include "Harness.h"
#include "TestMain.h"
#include "core/entry/EntryRules.h"
#include "gui/entry/FuelEntryPanel.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    const int records = 10000;
    const QStringList log = AppFolder::log(records); // weekly from 01/01/2012, 300 miles apart

    // The search alone, for an entry near the start of the log (the far end).
    QElapsedTimer t;
    t.start();
    const auto place = EntryRules::PlaceBackDated(log, 10150, QStringLiteral("05/01/2012"));
    const double search = t.nsecsElapsed() / 1e6;
    if (place.kind != EntryRules::Placement::Insert)
        return 1;

    Harness h;
    h.settings({"Start up=1", "Registration=BIG1"});
    h.app.write(QStringLiteral("BIG1.dat"), AppFolder::crlf(log));
    TVantiq_ &w = h.start();
    w.EnterDataClick();
    FuelEntryPanel &e = *w.DataEntry;
    auto type = [](QLineEdit *box, const QString &text) {
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    double slowest = 0, total = 0;
    const int rounds = 20;
    for (int i = 0; i < rounds; ++i) {
        type(e.PDay, QStringLiteral("05"));
        type(e.Pmonth, QStringLiteral("01"));
        e.YearChange->setValue(2012);
        type(e.NMiles, QString::number(10001 + i));
        type(e.PPrice, QStringLiteral("26.00"));
        type(e.Amount, QStringLiteral("20"));
        t.restart();
        e.AcceptClick();
        const double ms = t.nsecsElapsed() / 1e6;
        slowest = std::max(slowest, ms);
        total += ms;
    }
    if (w.FuelLog.size() != 4 * (records + rounds))
        return 2;
    std::printf("back-dated fill-up into a log of %d records:\n", records);
    std::printf("  placement search alone       %7.3f ms\n", search);
    std::printf("  acceptance (search, insert, save), mean of %d  %7.2f ms, slowest %7.2f ms\n", rounds, total / rounds, slowest);
    return 0;
}
