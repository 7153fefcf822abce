#include "TestMain.h"
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/Extremes.h"
#include "core/analysis/Summary.h"

#include <QTest>

Q_DECLARE_METATYPE(ExtremeRow)

// The analysis run, the best and worst search and the summary over one
// hand-built log of six fill-ups across a year end.
class AnalysisRunTest : public QObject {
    Q_OBJECT

    // Two long runs within three days (1050 and 1020 miles), two short ones
    // (150 and 180), and the year changes between the second and third.
    const QStringList six{"28/12/2011", "10000", "95.47", "130.00", //
                          "30/12/2011", "11050", "94.25", "132.00", //
                          "02/01/2012", "12070", "22.73", "131.50", //
                          "03/01/2012", "12220", "26.74", "128.90", //
                          "20/01/2012", "12400", "68.19", "129.90", //
                          "25/01/2012", "13000", "50.00", "133.40"};

    // Marked fill-ups: r2 and r3 did not fill the tank, and one was not
    // logged before r5. Every 400 miles from a full tank took 40 litres.
    const QStringList seven{"01/03/2012", "20000", "40.00", "130.00", //
                            "08/03/2012", "20400", "40.00", "130.00", //
                            "10/03/2012", "20500", "10.00", "132.00", // partial
                            "12/03/2012", "20600", "10.00", "134.00", // partial
                            "15/03/2012", "20800", "30.00", "136.00", //
                            "22/03/2012", "21500", "40.00", "138.00", // missed before it
                            "29/03/2012", "21900", "40.00", "140.00"};
    static QVector<FillMark> marksOf(const QString &letters)
    {
        QVector<FillMark> marks;
        for (QChar c : letters)
            marks << FillMark(QStringLiteral(".PMB").indexOf(c));
        return marks;
    }

    static QList<QStringList> cells(const AnalysisResult &run)
    {
        const AnalysisTable t(run);
        QList<QStringList> rows;
        for (int r = 0; r < t.RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < t.ColCount(); ++c)
                row << t.Cells(c, r);
            rows << row;
        }
        return rows;
    }
    static AnalysisUnits units(int dist, int fuel)
    {
        AnalysisUnits u;
        u.DistIndex = dist;
        u.FuelIndex = fuel;
        return u;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void tableAndFigures_data()
    {
        QTest::addColumn<int>("dist");
        QTest::addColumn<int>("fuel");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<QStringList>>("table");
        QTest::addColumn<QStringList>("extremes"); // best, worst, best distance, worst distance, insufficient
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("marks");        // a letter per record: P partial, M missed, B both, . full
        QTest::addColumn<QString>("lastLine");     // of the summary, when marked
        QTest::newRow("miles per gallon, look back")
            << 0 << 0 << 1
            << QList<QStringList>{
                   {"     Date", "  Mileage", "Miles Done", "   Mpg", " Avg Mpg", " Days", "  Cpg", "  Cpm", "  ACpm"},
                   {"28/12/2011", "10000   ", "  N/A", "0.00", "  N/A", "  N/A", "5.91", "", ""},
                   {"30/12/2011", "11050   ", "1050 ", "50.00", "50.00", "  2", "6.00", "0.12", "0.12"},
                   {"02/01/2012", "12070   ", "1020 ", "49.20", "49.60", "  3", "5.98", "0.12", "0.12"},
                   {"03/01/2012", "12220   ", "150  ", "30.00", "43.07", "  1", "5.86", "0.20", "0.14"},
                   {"20/01/2012", "12400   ", "180  ", "30.60", "39.95", "  17", "5.91", "0.19", "0.15"},
                   {"25/01/2012", "13000   ", "600  ", "40.00", "39.96", "  5", "6.06", "0.15", "0.15"}}
            << QStringList{"50.00", "30.00", "1050", "150", "false"} << six << QString() << QString();
        QTest::newRow("kilometres per litre, look back")
            << 1 << 1 << 1
            << QList<QStringList>{
                   {"     Date", "  Kilomtrs", "Klmtrs Done", "   Kpl", " Avg Kpl", " Days", "  Cpl", "  Cpk", "  ACpk"},
                   {"28/12/2011", "16090   ", "  N/A", "0.00", "  N/A", "  N/A", "1.30", "", ""},
                   {"30/12/2011", "17779   ", "1689 ", "17.70", "17.70", "  2", "1.32", "0.07", "0.07"},
                   {"02/01/2012", "19421   ", "1642 ", "17.41", "17.55", "  3", "1.31", "0.08", "0.07"},
                   {"03/01/2012", "19662   ", "241  ", "10.62", "15.24", "  1", "1.29", "0.12", "0.08"},
                   {"20/01/2012", "19952   ", "290  ", "10.83", "14.14", "  17", "1.30", "0.12", "0.09"},
                   {"25/01/2012", "20917   ", "965  ", "14.16", "14.14", "  5", "1.33", "0.09", "0.09"}}
            << QStringList{"17.70", "10.62", "1689", "241", "false"} << six << QString() << QString();
        QTest::newRow("miles per gallon, look ahead")
            << 0 << 0 << 0
            << QList<QStringList>{
                   {"     Date", "  Mileage", "Miles Done", "   Mpg", " Avg Mpg", " Days", "  Cpg", "  Cpm", "  ACpm"},
                   {"28/12/2011", "10000   ", "  N/A", "0.00", "  N/A", "  N/A", "5.91", "", ""},
                   {"30/12/2011", "11050   ", "1050 ", "50.65", "50.65", "  2", "6.00", "0.12", "0.12"},
                   {"02/01/2012", "12070   ", "1020 ", "204.00", "127.32", "  3", "5.98", "0.03", "0.05"},
                   {"03/01/2012", "12220   ", "150  ", "25.50", "93.38", "  1", "5.86", "0.23", "0.06"},
                   {"20/01/2012", "12400   ", "180  ", "12.00", "73.04", "  17", "5.91", "0.49", "0.08"},
                   {"25/01/2012", "13000   ", "600  ", "54.55", "69.34", "  5", "6.06", "0.11", "0.09"}}
            << QStringList{"50.65", "25.50", "1050", "0", "true"} << six << QString() << QString();

        // The same log with marks ("seven", above), worked by hand. Prices per
        // gallon are pence x 4.546 / 100: 5.91 6.00 6.09 6.18 6.27 6.36.
        // Look back: r1 = 400 miles / (40 l of r0 / 4.546) = 45.46. r2, r3
        // partial: no figure, the average stays. r4 measures from r1, the
        // last full tank: 400 / ((40 + 10 + 10 of r1..r3) / 4.546) = 30.31,
        // average (45.46 + 30.31) / 2 = 37.88, cost 6.18 / 30.31 = 0.20 and
        // 6.18 / 37.88 = 0.16. r5 follows a missed fill-up: no figure. r6
        // from r5 (which filled the tank): 45.46, average 121.23 / 3 = 40.41,
        // costs 6.36 / 45.46 = 0.14 and 6.36 / 40.41 = 0.16. Best and worst:
        // only r0, r1, r4 and r6 are candidates (r0 with no distance). Only
        // r4 was driven within 3 days and none agrees with it, so the
        // fallbacks give the longest run within 100 days (r1, 45.46) as best
        // and the shortest (r4, 30.31) as worst; the best distance stays the
        // 3-day search's (r4's 200 miles), the worst's is 0 as for any
        // fallback.
        const QString marks = QStringLiteral("..PP.M.");
        QTest::newRow("marked: miles per gallon, look back")
            << 0 << 0 << 1
            << QList<QStringList>{
                   {"     Date", "  Mileage", "Miles Done", "   Mpg", " Avg Mpg", " Days", "  Cpg", "  Cpm", "  ACpm"},
                   {"01/03/2012", "20000   ", "  N/A", "0.00", "  N/A", "  N/A", "5.91", "", ""},
                   {"08/03/2012", "20400   ", "400  ", "45.46", "45.46", "  7", "5.91", "0.13", "0.13"},
                   {"10/03/2012", "20500   ", "100  ", "", "45.46", "  2", "6.00", "", ""},
                   {"12/03/2012", "20600   ", "100  ", "", "45.46", "  2", "6.09", "", ""},
                   {"15/03/2012", "20800   ", "200  ", "30.31", "37.88", "  3", "6.18", "0.20", "0.16"},
                   {"22/03/2012", "21500   ", "700  ", "", "37.88", "  7", "6.27", "", ""},
                   {"29/03/2012", "21900   ", "400  ", "45.46", "40.41", "  7", "6.36", "0.14", "0.16"}}
            << QStringList{"45.46", "30.31", "200", "0", "true"} << seven << marks
            << QStringLiteral("     Figures leave out 3 partial or missed fill-ups");
        // Kilometres: readings 32180 32824 32984 33145 33467 34594 35237
        // (x 1.609, halves to even); figures 400 x 1.609 / 40 = 16.09 and
        // 400 x 1.609 / 60 = 10.73; averages 13.41 and 42.91 / 3 = 14.30;
        // costs 1.36 / 10.73 = 0.13, 1.36 / 13.41 = 0.10, 1.40 / 16.09 =
        // 0.09, 1.40 / 14.30 = 0.10.
        QTest::newRow("marked: kilometres per litre, look back")
            << 1 << 1 << 1
            << QList<QStringList>{
                   {"     Date", "  Kilomtrs", "Klmtrs Done", "   Kpl", " Avg Kpl", " Days", "  Cpl", "  Cpk", "  ACpk"},
                   {"01/03/2012", "32180   ", "  N/A", "0.00", "  N/A", "  N/A", "1.30", "", ""},
                   {"08/03/2012", "32824   ", "644  ", "16.09", "16.09", "  7", "1.30", "0.08", "0.08"},
                   {"10/03/2012", "32984   ", "160  ", "", "16.09", "  2", "1.32", "", ""},
                   {"12/03/2012", "33145   ", "161  ", "", "16.09", "  2", "1.34", "", ""},
                   {"15/03/2012", "33467   ", "322  ", "10.73", "13.41", "  3", "1.36", "0.13", "0.10"},
                   {"22/03/2012", "34594   ", "1127 ", "", "13.41", "  7", "1.38", "", ""},
                   {"29/03/2012", "35237   ", "643  ", "16.09", "14.30", "  7", "1.40", "0.09", "0.10"}}
            << QStringList{"16.09", "10.73", "322", "0", "true"} << seven << marks
            << QStringLiteral("     Figures leave out 3 partial or missed fill-ups");
        // Look ahead divides by what was bought after the last full tank up
        // to this one: r1 400 / (40 / 4.546) = 45.46; r4 400 / ((10 + 10 +
        // 30) / 4.546) = 36.37, average 40.91, costs 6.18 / 36.37 = 0.17 and
        // 6.18 / 40.91 = 0.15; r6 400 / (40 / 4.546) = 45.46, average
        // 127.29 / 3 = 42.43, costs 0.14 and 6.36 / 42.43 = 0.15.
        QTest::newRow("marked: miles per gallon, look ahead")
            << 0 << 0 << 0
            << QList<QStringList>{
                   {"     Date", "  Mileage", "Miles Done", "   Mpg", " Avg Mpg", " Days", "  Cpg", "  Cpm", "  ACpm"},
                   {"01/03/2012", "20000   ", "  N/A", "0.00", "  N/A", "  N/A", "5.91", "", ""},
                   {"08/03/2012", "20400   ", "400  ", "45.46", "45.46", "  7", "5.91", "0.13", "0.13"},
                   {"10/03/2012", "20500   ", "100  ", "", "45.46", "  2", "6.00", "", ""},
                   {"12/03/2012", "20600   ", "100  ", "", "45.46", "  2", "6.09", "", ""},
                   {"15/03/2012", "20800   ", "200  ", "36.37", "40.91", "  3", "6.18", "0.17", "0.15"},
                   {"22/03/2012", "21500   ", "700  ", "", "40.91", "  7", "6.27", "", ""},
                   {"29/03/2012", "21900   ", "400  ", "45.46", "42.43", "  7", "6.36", "0.14", "0.15"}}
            << QStringList{"45.46", "36.37", "200", "0", "true"} << seven << marks
            << QStringLiteral("     Figures leave out 3 partial or missed fill-ups");
        // r3 did not fill the tank and a fill-up before it went unlogged. The
        // span from r1's full tank to r4 then holds that unlogged fill-up:
        // 400 miles over 40 + 10 + 10 litres and an unknown quantity. Read as
        // merely partial it would give 30.31 (look back) or 36.37 (ahead),
        // both too high; no figure is right, either way. r6 measures from
        // r5's full tank as before: 45.46, the average (45.46 + 45.46) / 2,
        // costs 6.36 / 45.46 = 0.14. Three fill-ups are marked; r4, which is
        // not, is not counted. Candidates for best and worst: r1 and r6 (r0
        // has no distance), 400 miles each over 7 days, so the 3-day search
        // finds none: the fallbacks give 45.46 both, distances 0.
        for (int direction : {1, 0})
            QTest::addRow("partial after a missed one, look %s", direction ? "back" : "ahead")
                << 0 << 0 << direction
                << QList<QStringList>{
                       {"     Date", "  Mileage", "Miles Done", "   Mpg", " Avg Mpg", " Days", "  Cpg", "  Cpm", "  ACpm"},
                       {"01/03/2012", "20000   ", "  N/A", "0.00", "  N/A", "  N/A", "5.91", "", ""},
                       {"08/03/2012", "20400   ", "400  ", "45.46", "45.46", "  7", "5.91", "0.13", "0.13"},
                       {"10/03/2012", "20500   ", "100  ", "", "45.46", "  2", "6.00", "", ""},
                       {"12/03/2012", "20600   ", "100  ", "", "45.46", "  2", "6.09", "", ""},
                       {"15/03/2012", "20800   ", "200  ", "", "45.46", "  3", "6.18", "", ""},
                       {"22/03/2012", "21500   ", "700  ", "", "45.46", "  7", "6.27", "", ""},
                       {"29/03/2012", "21900   ", "400  ", "45.46", "45.46", "  7", "6.36", "0.14", "0.14"}}
                << QStringList{"45.46", "45.46", "0", "0", "true"} << seven << QStringLiteral("..PB.M.")
                << QStringLiteral("     Figures leave out 3 partial or missed fill-ups");
    }
    void tableAndFigures()
    {
        QFETCH(int, dist);
        QFETCH(int, fuel);
        QFETCH(int, direction);
        QFETCH(QList<QStringList>, table);
        QFETCH(QStringList, extremes);
        QFETCH(QStringList, log);
        QFETCH(QString, marks);
        QFETCH(QString, lastLine);
        const AnalysisResult run = RunAnalysis(log, 0, int(log.size()), units(dist, fuel), AnalysisOption::PPDU, direction,
                                               marksOf(marks));
        QVERIFY(run.ran && !run.failed);
        QCOMPARE(cells(run), table);
        const Extremes x = FindExtremes(ExtremeRows(run), 3);
        QCOMPARE((QStringList{QString::number(x.best, 'f', 2), QString::number(x.worst, 'f', 2),
                              QString::number(x.bestDistance), QString::number(x.worstDistance),
                              x.insufficient ? "true" : "false"}),
                 extremes);
        SummaryInputs in;
        in.currency = QStringLiteral("\u00A3");
        in.extremes = x;
        const QStringList summary = BuildSummary(run, in);
        if (!marks.isEmpty())
            QCOMPARE(summary.last(), lastLine);
        if (marks == QStringLiteral("..PP.M.")) {
            // A range ending on the missed fill-up: the latest cost is r4's,
            // the last with a figure, not an empty one.
            const AnalysisResult cut = RunAnalysis(log, 0, 24, units(dist, fuel), AnalysisOption::PPDU, direction, marksOf(marks));
            in.extremes = FindExtremes(ExtremeRows(cut), 3);
            const QString latest = BuildSummary(cut, in).filter(QStringLiteral("Latest cost")).value(0);
            QCOMPARE(latest, QStringLiteral("     Latest cost per mile%1 Pence").arg(cut.rows[4].cost() * 100, 0, 'f', 2));
            QVERIFY(cut.rows[4].hasCost && cut.rows[5].noFigure);
        }
        QCOMPARE(summary.filter(QStringLiteral("Figures leave out")).size(), marks.isEmpty() ? 0 : 1);
        // Marks take nothing from the days and the spend: both logs span four
        // weeks, and the marked one's litres x pence add up to 282.60.
        QCOMPARE(run.totalDays, 28LL);
        if (log != six)
            QCOMPARE(summary.filter(QStringLiteral("Total purchased")).value(0), QStringLiteral("     Total purchased \u00A3 282.60"));
    }

    void summary_data()
    {
        QTest::addColumn<int>("dist");
        QTest::addColumn<int>("fuel");
        QTest::addColumn<bool>("vehicle");
        QTest::addColumn<QStringList>("lines");
        const QStringList spend{"     Total spend on fuel per year..", "     1 \u00A3278.41", "     2 \u00A3189.75",
                                "     Total purchased \u00A3 468.16", "     Daily expenditure on fuel, This year \u00A3 7.30",
                                "     Projected fuel purchases this year \u00A3 2663.80"};
        QTest::newRow("miles per gallon with the vehicle")
            << 0 << 0 << true
            << (QStringList{"     Average Mpg 39.96", "     Best Mpg 50.00", "     Worst Mpg 30.00",
                            "     Average distance between Fill-ups 600 Miles",
                            "     Greatest distance traveled between fillups to date 1050 Miles",
                            "     Average number of days between Fill-ups 5 Days",
                            "     Total distance covered to date 3000 Miles in 4 Weeks and 0 Days",
                            "     Average distance per day to nearest Miles 107 Miles",
                            "     Average distance per week to nearest Miles 750 Miles",
                            "     Average distance per Month (30 Days) to nearest Miles 3.21E+3 Miles",
                            "     Projected average Miles per year 39055", "     Latest cost per mile15.16 Pence",
                            "     Current fuel price \u00A3 6.06 per Gallon"}
                + spend
                + QStringList{"     Road Tax \u00A3 165", "     MOT Test (UK) \u00A3 55", "     Service Cost \u00A3 200",
                              "     Insurance Cost \u00A3 650", "     Total Fixed Costs of vehicle this year \u00A3 1070",
                              "     Sundary Items this year \u00A3 42.25",
                              "     Total Costs of vehicle this year \u00A3 3776.00"});
        QTest::newRow("kilometres per litre, no vehicle selected")
            << 1 << 1 << false
            << (QStringList{"     Average Kpl 14.14", "     Best Kpl 17.70", "     Worst Kpl 10.60",
                            "     Average distance between Fill-ups 965 Kilometers",
                            "     Greatest distance traveled between fillups to date 1689 Kilometers",
                            "     Average number of days between Fill-ups 5 Days",
                            "     Total distance covered to date 4827 Kilometers in 4 Weeks and 0 Days",
                            "     Average distance per day to nearest Kilometers 172 Kilometers",
                            "     Average distance per week to nearest Kilometers 1.21E+3 Kilometers",
                            "     Average distance per Month (30 Days) to nearest Kilometers 5.17E+3 Kilometers",
                            "     Projected average Kilometers per year 62780", "     Latest cost per mile9.42 Pence",
                            "     Current fuel price \u00A3 1.33 per Litre"}
                + spend
                + QStringList{"     Overall running Costs cannot be calculated in \"Start with Last\" mode",
                              "     Open the vehicle manager and select the required vehicle to include",
                              "     this information"});
    }
    void summary()
    {
        QFETCH(int, dist);
        QFETCH(int, fuel);
        QFETCH(bool, vehicle);
        QFETCH(QStringList, lines);
        const AnalysisResult run = RunAnalysis(six, 0, 24, units(dist, fuel), AnalysisOption::PPDU, 1);
        SummaryInputs in;
        in.currency = QStringLiteral("\u00A3");
        in.extremes = FindExtremes(ExtremeRows(run), 3);
        if (vehicle)
            in.vehicle = SummaryVehicle{165, 55, 200, 650.5, 42.25};
        QCOMPARE(BuildSummary(run, in), lines);
        QCOMPARE(SummaryHeading(QStringLiteral("AB12")), QStringLiteral("Summary AB12"));
        // A best search that found nothing: the greatest distance between
        // two fill-ups (28/12 to 30/12: 1050 miles, 1689 km) instead of 0.
        in.extremes.bestDistance = 0;
        QCOMPARE(BuildSummary(run, in)[4], lines[4]);
    }

    // The summary's last line counts the fill-ups the user marked in the
    // range, not the full ones a mark leaves without a figure.
    void summaryCountsWhatWasMarked_data()
    {
        QTest::addColumn<QString>("marks");
        QTest::addColumn<int>("first"); // records of "seven" analysed
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("line"); // empty: none
        // r1 has nothing but a partial fill-up before it: no figure, unmarked.
        QTest::newRow("one marked, one left without a figure")
            << "P." << 0 << 1 << "     Figures leave out 1 partial or missed fill-up";
        QTest::newRow("a range with none marked") << "P." << 1 << 1 << QString();
        QTest::newRow("partial after a missed one, two more marked") << "..PB.M." << 0 << 6
                                                                    << "     Figures leave out 3 partial or missed fill-ups";
        QTest::newRow("the range from the unmarked one") << "..PB.M." << 4 << 6
                                                         << "     Figures leave out 1 partial or missed fill-up";
    }
    void summaryCountsWhatWasMarked()
    {
        QFETCH(QString, marks);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, line);
        const QStringList log = seven.mid(0, 4 * int(marks.size()));
        const AnalysisResult run =
            RunAnalysis(log, 4 * first, 4 * last + 4, units(0, 0), AnalysisOption::PPDU, 1, marksOf(marks));
        QVERIFY(run.ran);
        SummaryInputs in;
        in.extremes = FindExtremes(ExtremeRows(run), 3);
        const QStringList said = BuildSummary(run, in).filter(QStringLiteral("Figures leave out"));
        QCOMPARE(said, line.isEmpty() ? QStringList() : QStringList{line});
    }

    // The options: columns, and what stands in the price and cost columns.
    void options_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("lastRow");
        QTest::addColumn<QString>("priceLine");
        QTest::addColumn<QString>("costLine");
        QTest::newRow("Basic") << int(AnalysisOption::Basic) << 6
                               << QStringList{"25/01/2012", "13000   ", "600  ", "40.00", "39.96", "  5"}
                               << "     Current fuel price \u00A3  per Gallon" << "     Latest cost per mile Pence";
        QTest::newRow("PPQ") << int(AnalysisOption::PPQ) << 7
                             << QStringList{"25/01/2012", "13000   ", "600  ", "40.00", "39.96", "  5", "6.06"}
                             << "     Current fuel price \u00A3 6.06 per Gallon" << "     Latest cost per mile Pence";
        QTest::newRow("PPDU") << int(AnalysisOption::PPDU) << 9
                              << QStringList{"25/01/2012", "13000   ", "600  ", "40.00", "39.96", "  5", "6.06", "0.15", "0.15"}
                              << "     Current fuel price \u00A3 6.06 per Gallon" << "     Latest cost per mile15.16 Pence";
    }
    void options()
    {
        QFETCH(int, option);
        QFETCH(int, columns);
        QFETCH(QStringList, lastRow);
        QFETCH(QString, priceLine);
        QFETCH(QString, costLine);
        const AnalysisResult run = RunAnalysis(six, 0, 24, units(0, 0), AnalysisOption(option), 1);
        QCOMPARE(AnalysisTable(run).ColCount(), columns);
        QCOMPARE(cells(run).last(), lastRow);
        SummaryInputs in;
        in.currency = QStringLiteral("\u00A3");
        const QStringList lines = BuildSummary(run, in);
        QCOMPARE(lines[12], priceLine);
        QCOMPARE(lines[11], costLine);
    }

    // A re-analysed range starts with real figures against the record
    // before it; its running average is over its own figures.
    void rangeLaterInTheLog()
    {
        const AnalysisResult run = RunAnalysis(six, 12, 24, units(0, 0), AnalysisOption::PPDU, 1);
        const QList<QStringList> t = cells(run);
        QCOMPARE(t.size(), 4);
        QCOMPARE(t[1], (QStringList{"03/01/2012", "12220   ", "150  ", "30.00", "30.00", "  1", "5.86", "0.20", "0.20"}));
        QCOMPARE(t[2][4], QStringLiteral("30.30"));
        QCOMPARE(t[3][4], QStringLiteral("33.53"));
        QCOMPARE(run.totalDays, 23LL);
        QCOMPARE(run.yearIndex, 0);
        SummaryInputs in;
        const QStringList lines = BuildSummary(run, in);
        QCOMPARE(lines[3], QStringLiteral("     Average distance between Fill-ups 600 Miles")); // from the log's start
        QCOMPARE(lines[5], QStringLiteral("     Average number of days between Fill-ups 4 Days"));
    }

    // What a hand-edited or short log gives: never a read past the end,
    // never a made-up figure.
    void guards()
    {
        // A quantity that reads as zero stops the run at that row.
        QStringList zero = six;
        zero[10] = QStringLiteral("0.00"); // the quantity the fourth figure divides by (look back)
        AnalysisResult run = RunAnalysis(zero, 0, 24, units(0, 0), AnalysisOption::PPDU, 1);
        QVERIFY(run.failed);
        QCOMPARE(run.failedRow, 4);
        QCOMPARE(run.rows.size(), 3);
        QCOMPARE(AnalysisTable(run).Cells(0, 4), QString()); // rows below are empty
        QCOMPARE(AnalysisTable(run).RowCount(), 7);

        // The same reading twice: no distance, economy 0, no cost figures.
        QStringList same = six;
        same[5] = QStringLiteral("10000");
        run = RunAnalysis(same, 0, 24, units(0, 0), AnalysisOption::PPDU, 1);
        QVERIFY(!run.failed);
        QCOMPARE(cells(run)[2].mid(2), (QStringList{"0    ", "0.00", "0.00", "  2", "6.00", "", ""}));

        // A finish past the end, a log that shrank, a partial last record.
        run = RunAnalysis(six, 0, 400, units(0, 0), AnalysisOption::PPDU, 1);
        QCOMPARE(run.finish, 24);
        QCOMPARE(AnalysisTable(run).RowCount(), 7);
        run = RunAnalysis(six.mid(0, 22), 0, 24, units(0, 0), AnalysisOption::PPDU, 1);
        QCOMPARE(run.finish, 20);
        QCOMPARE(run.rows.size(), 5);
        QVERIFY(!RunAnalysis(six, 24, 40, units(0, 0), AnalysisOption::PPDU, 1).ran);
        QVERIFY(!RunAnalysis(six.mid(0, 7), 0, 8, units(0, 0), AnalysisOption::PPDU, 1).ran); // below two records

        // A range of one record: no interval, no average distance.
        run = RunAnalysis(six, 0, 4, units(0, 0), AnalysisOption::PPDU, 1);
        QCOMPARE(run.rows.size(), 1);
        SummaryInputs in;
        QStringList lines = BuildSummary(run, in);
        QCOMPARE(lines[3], QStringLiteral("     Average distance between Fill-ups N/A Miles"));
        QCOMPARE(lines[6], QStringLiteral("     Total distance covered to date 0 Miles in 0 Weeks and 1 Days"));

        // Readings no whole number can hold.
        QStringList huge = six;
        huge[5] = QStringLiteral("1e300");
        huge[9] = QStringLiteral("-1e300");
        huge[17] = QStringLiteral("nan");
        run = RunAnalysis(huge, 0, 24, units(1, 0), AnalysisOption::PPDU, 1);
        QVERIFY(run.ran);
        lines = BuildSummary(run, in);
        QCOMPARE(lines.size(), 22);
        for (const QStringList &row : cells(run))
            for (const QString &cell : row)
                QVERIFY2(!cell.contains(QLatin1String("nan"), Qt::CaseInsensitive) && !cell.contains(QLatin1String("inf")),
                         qPrintable(cell));
    }

    // Twenty-three years of fill-ups: a spend line for every year.
    void manyYears()
    {
        QStringList log;
        for (int y = 0; y < 23; ++y)
            for (int m : {1, 7})
                log << QStringLiteral("01/%1/%2").arg(m, 2, 10, QLatin1Char('0')).arg(2000 + y)
                    << QString::number(10000 + 1000 * (2 * y + (m == 7))) << QStringLiteral("40.00") << QStringLiteral("100.00");
        const AnalysisResult run = RunAnalysis(log, 0, int(log.size()), units(0, 1), AnalysisOption::PPDU, 1);
        QCOMPARE(run.yearIndex, 22);
        QCOMPARE(run.yearSpend.size(), 23);
        SummaryInputs in;
        const QStringList lines = BuildSummary(run, in);
        // Each first of January counts for the year before it.
        QCOMPARE(lines[14], QStringLiteral("     1 120.00"));
        QCOMPARE(lines[15], QStringLiteral("     2 80.00"));
        QCOMPARE(lines[36], QStringLiteral("     23 40.00"));
        QCOMPARE(lines[37], QStringLiteral("     Total purchased  1840.00"));
    }

    // The best and worst search's rules, each on a few rows.
    void extremeRules_data()
    {
        QTest::addColumn<QList<ExtremeRow>>("rows");
        QTest::addColumn<int>("maxDays");
        QTest::addColumn<QStringList>("expected"); // best, worst, best distance, worst distance, insufficient
        QTest::newRow("40 and 41 agree, 40 and 42 do not")
            << QList<ExtremeRow>{{500, 2, 40.0}, {450, 3, 41.0}, {400, 1, 42.0}, {20, 40, 10.0}, {30, 40, 10.2}}
            << 3 << QStringList{"41.00", "42.00", "450", "400", "false"}; // the last agreeing pair decides
        QTest::newRow("equal figures are no partners")
            << QList<ExtremeRow>{{500, 2, 40.0}, {450, 3, 40.0}, {20, 40, 10.0}, {30, 40, 10.0}}
            << 3 << QStringList{"40.00", "10.00", "500", "0", "true"};
        QTest::newRow("one day too many")
            << QList<ExtremeRow>{{500, 4, 40.0}, {450, 3, 41.0}, {200, 3, 40.5}}
            << 3 << QStringList{"41.00", "41.00", "450", "450", "false"};
        QTest::newRow("ceilings: 10000 for best, 1000 for worst")
            << QList<ExtremeRow>{{10000, 1, 60.0}, {9999, 1, 50.0}, {9000, 1, 50.5}, {1000, 1, 20.0}, {999, 1, 30.0}}
            << 3 << QStringList{"50.00", "30.00", "9999", "0", "true"};
    }
    void extremeRules()
    {
        QFETCH(QList<ExtremeRow>, rows);
        QFETCH(int, maxDays);
        QFETCH(QStringList, expected);
        const Extremes x = FindExtremes(std::vector<ExtremeRow>(rows.begin(), rows.end()), maxDays);
        QCOMPARE((QStringList{QString::number(x.best, 'f', 2), QString::number(x.worst, 'f', 2),
                              QString::number(x.bestDistance), QString::number(x.worstDistance),
                              x.insufficient ? "true" : "false"}),
                 expected);
    }

    // Headings by unit and the published names.
    void headings()
    {
        QCOMPARE(AnalysisNames::ColumnHeadings(2),
                 (QStringList{"     Date", "  Kilomtrs", "Klmtrs Done", "   Kpg", " Avg Kpg", " Days", "  Cpg", "  Cpk", "  ACpk"}));
        QCOMPARE(AnalysisNames::ColumnHeadings(3),
                 (QStringList{"     Date", "  Mileage", "Miles Done", "   Mpl", " Avg Mpl", " Days", "  Cpl", "  Cpm", "  ACpm"}));
        AnalysisUnits u;
        u.DistIndex = 1;
        u.FuelIndex = 0;
        QCOMPARE(u.HeadingMode(), 2);
        QCOMPARE(u.FMode(), 2);
    }
};

VANTIQ_TEST(AnalysisRunTest)
#include "tst_analysisrun.moc"
