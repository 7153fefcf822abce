#include "AppFolder.h"
#include "TestMain.h"
#include "core/analysis/GraphDrawing.h"

#include <QTest>

// The graph's drawing as data, on a small log across a year end.
class GraphPlotTest : public QObject {
    Q_OBJECT

    const QStringList four{"15/11/2011", "10000", "40.00", "130.00", //
                           "20/12/2011", "10400", "45.46", "132.00", //
                           "28/12/2011", "10700", "36.00", "135.50", //
                           "04/01/2012", "11050", "40.00", "128.90"};

    static QList<QLine> lines(const GraphDrawing &g, int series) { return QList<QLine>(g.series[series].begin(), g.series[series].end()); }
    static QStringList texts(const QVector<GraphText> &v)
    {
        QStringList out;
        for (const GraphText &t : v)
            out << QStringLiteral("%1,%2 %3").arg(t.at.x()).arg(t.at.y()).arg(t.text);
        return out;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void fourRecordsAcrossAYearEnd()
    {
        const GraphDrawing g = DrawGraph(four, 0, 16, GraphOptions{});
        QCOMPARE(g.baseline, 310);
        QCOMPARE(texts(g.scaleLabels),
                 (QStringList{"30,22 120", "30,44 110", "30,66 100", "30,88 90", "30,110 80", "30,132 70", "30,154 60",
                              "30,176 50", "30,198 40", "30,220 30", "30,242 20", "30,264 10", "30,286 0", "30,320 Date"}));
        QCOMPARE(g.axes, (QVector<QLine>{QLine(60, 10, 60, 310), QLine(60, 310, 2390, 310)}));
        // Spacing 2400 / 4 - 1 = 599; the second record stands at the left.
        QCOMPARE(lines(g, 0), (QList<QLine>{QLine(60, 196, 659, 234), QLine(659, 234, 1258, 198)}));
        QCOMPARE(lines(g, 1), (QList<QLine>{QLine(60, 196, 659, 213), QLine(659, 213, 1258, 208)}));
        QCOMPARE(lines(g, 2), (QList<QLine>{QLine(60, 7, 659, 0), QLine(659, 0, 1258, 15)}));
        QCOMPARE(texts(g.yearLabels), (QStringList{"60,340 11", "1258,340 12"}));
        QCOMPARE(texts(g.monthLabels), (QStringList{"659,320 D", "1258,320 J"}));
        QCOMPARE(g.gridLines.size(), 2);
        QCOMPARE(g.gridLines[0].x, 659);
        QCOMPARE(g.gridLines[0].grey, 192);
        QVERIFY(!g.insufficient);
        QVERIFY(g.surfaceHeight >= 340 + 12);
    }

    void switches_data()
    {
        QTest::addColumn<bool>("economy");
        QTest::addColumn<bool>("average");
        QTest::addColumn<bool>("price");
        QTest::addColumn<bool>("grid");
        QTest::newRow("economy only") << true << false << false << false;
        QTest::newRow("average and grid") << false << true << false << true;
        QTest::newRow("price only") << false << false << true << false;
        QTest::newRow("nothing") << false << false << false << false;
    }
    void switches()
    {
        QFETCH(bool, economy);
        QFETCH(bool, average);
        QFETCH(bool, price);
        QFETCH(bool, grid);
        GraphOptions o;
        o.economyLine = economy;
        o.averageLine = average;
        o.priceLine = price;
        o.gridLines = grid;
        const GraphDrawing all = DrawGraph(four, 0, 16, GraphOptions{});
        const GraphDrawing g = DrawGraph(four, 0, 16, o);
        QCOMPARE(g.series[0], economy ? all.series[0] : QVector<QLine>{});
        QCOMPARE(g.series[1], average ? all.series[1] : QVector<QLine>{}); // from the first record again
        QCOMPARE(g.series[2], price ? all.series[2] : QVector<QLine>{});
        QCOMPARE(g.gridLines.size(), grid ? 2 : 0);
        QCOMPARE(texts(g.monthLabels), texts(all.monthLabels));
    }

    // The average line stands where the table's running average does.
    void averageOverTheRange()
    {
        QStringList log = AppFolder::log(6);
        log[14] = QStringLiteral("20.00");
        const GraphDrawing g = DrawGraph(log, 8, 24, GraphOptions{});
        // Figures of records 3-6 (look back): 300 / (40 / 4.546) = 34.095, again
        // 34.095, then 68.19 (over the 20 litres before), 34.095: averages 34,
        // 45.46 -> 45, 42.6 -> 43, as the table's column 4 has them.
        const double scale = 300 / 118.0;
        QCOMPARE(g.series[1].size(), 3);
        QCOMPARE(g.series[1][0].p1().y(), qRound(310 - 34 * scale));
        QCOMPARE(g.series[1][0].p2().y(), qRound(310 - 34 * scale));
        QCOMPARE(g.series[1][1].p2().y(), qRound(310 - 45 * scale));
        QCOMPARE(g.series[1][2].p2().y(), qRound(310 - 43 * scale));
    }

    // The data of a log that changed or was edited by hand: never a read past
    // the end, never a division by nothing.
    void guards()
    {
        QVERIFY(DrawGraph(four.mid(0, 8), 0, 16, GraphOptions{}).insufficient);
        GraphDrawing g = DrawGraph(four, 0, 40, GraphOptions{}); // the log shrank below the range
        QCOMPARE(g.series[0].size(), 2);
        g = DrawGraph(four.mid(0, 14), 0, 16, GraphOptions{}); // a partial last record
        QCOMPARE(g.series[0].size(), 1);
        g = DrawGraph(four, 16, 16, GraphOptions{});
        QVERIFY(g.series[0].isEmpty());
        QStringList odd = four;
        odd[8] = QStringLiteral("28/13/2011");  // month 13
        odd[12] = QStringLiteral("04/01/20x2"); // no year
        odd[10] = QStringLiteral("1e-300");    // a tiny quantity
        odd[7] = QStringLiteral("1e300");      // a huge price
        g = DrawGraph(odd, 0, 16, GraphOptions{});
        QCOMPARE(texts(g.monthLabels), QStringList{"1258,320 J"});
        QCOMPARE(texts(g.yearLabels), QStringList{"60,340 11"});
        for (int s = 0; s < 3; ++s)
            for (const QLine &l : g.series[s])
                QVERIFY(std::abs(l.y1()) < 1000000 && std::abs(l.y2()) < 1000000);
        g = DrawGraph(four, 0, 16, GraphOptions{150, 2400}); // too low for labels
        QCOMPARE(g.scaleLabels.size(), 1);
    }

    // Ten thousand records on 2400 pixels: spread over the width.
    void manyRecords_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("width");
        QTest::newRow("10,000 on 2400") << 10000 << 2400;
        QTest::newRow("10,000 on 19200") << 10000 << 19200;
        QTest::newRow("1,300 on 2400 (two pixels apart)") << 1300 << 2400;
    }
    void manyRecords()
    {
        QFETCH(int, records);
        QFETCH(int, width);
        const QStringList log = AppFolder::log(records);
        GraphOptions o;
        o.drawingWidth = width;
        const GraphDrawing g = DrawGraph(log, 0, int(log.size()), o);
        for (int s = 0; s < 3; ++s) {
            QVERIFY(!g.series[s].isEmpty());
            int x = GraphDrawing::Left;
            for (const QLine &l : g.series[s]) {
                QVERIFY(l.x1() >= x && l.x2() >= l.x1());
                QVERIFY(l.x2() < g.surfaceWidth && l.y1() >= 0 && l.y2() < g.surfaceHeight);
                x = l.x1();
            }
            QVERIFY(g.series[s].size() <= 4 * width);
        }
        QVERIFY(g.gridLines.size() <= width);
    }
};

VANTIQ_TEST(GraphPlotTest)
#include "tst_graphdrawing.moc"
