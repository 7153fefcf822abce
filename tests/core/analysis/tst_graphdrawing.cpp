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
                 (QStringList{"30,5 120", "30,30 110", "30,56 100", "30,81 90", "30,107 80", "30,132 70", "30,157 60",
                              "30,183 50", "30,208 40", "30,234 30", "30,259 20", "30,285 10", "30,310 0", "30,320 Date"}));
        QCOMPARE(g.axes, (QVector<QLine>{QLine(60, 10, 60, 310), QLine(60, 310, 2390, 310), QLine(2390, 10, 2390, 310)}));
        // Spacing 2400 / 4 - 1 = 599; the second record stands at the left.
        QCOMPARE(lines(g, 0), (QList<QLine>{QLine(60, 196, 659, 234), QLine(659, 234, 1258, 198)}));
        QCOMPARE(lines(g, 1), (QList<QLine>{QLine(60, 196, 659, 213), QLine(659, 213, 1258, 208)}));
        // Prices 132.00, 135.50, 128.90 on their own scale of 120-140 p.
        QCOMPARE(lines(g, 2), (QList<QLine>{QLine(60, 130, 659, 78), QLine(659, 78, 1258, 176)}));
        QCOMPARE(texts(g.priceLabels), (QStringList{"2395,310 120p", "2395,235 125p", "2395,160 130p", "2395,85 135p", "2395,10 140p"}));
        QCOMPARE(texts(g.yearLabels), (QStringList{"60,340 11", "1258,340 12"}));
        QCOMPARE(texts(g.monthLabels), (QStringList{"659,320 D", "1258,320 J"}));
        QCOMPARE(g.gridLines.size(), 2);
        QCOMPARE(g.gridLines[0].x, 659);
        QCOMPARE(g.gridLines[0].Grey(), 192);
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

    // Partial and missed fill-ups have no figure: the economy line joins the
    // figures either side of them. Every figure of these logs is 34 mpg (300
    // miles a week on 40 litres, a span of partial fill-ups on their sum), so
    // the line must never leave that height; a gap taken as 0 would drop it
    // to the baseline.
    void marksLeaveGapsJoined_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("marks"); // P partial, M missed, . full; repeated over the log
        QTest::addColumn<QList<QLine>>("economy"); // when spaced
        // Spacing 2400 / 6 - 1 = 399: r1 at 60, r4 (over r2 and r3) at 1257,
        // r5 follows a missed fill-up.
        const int y34 = qRound(310 - 34 * 300 / 118.0);
        QTest::newRow("spaced") << 6 << 2400 << QStringLiteral("..PP.M") << QList<QLine>{QLine(60, y34, 1257, y34 - 1)};
        QTest::newRow("more records than pixels") << 3000 << 900 << QStringLiteral("..P.M.PP..") << QList<QLine>{};
    }
    void marksLeaveGapsJoined()
    {
        QFETCH(int, records);
        QFETCH(int, width);
        QFETCH(QString, marks);
        QFETCH(QList<QLine>, economy);
        const QStringList log = AppFolder::log(records);
        GraphOptions o;
        o.drawingWidth = width;
        for (int k = 0; k < records; ++k) {
            const QChar c = marks[k % marks.size()];
            o.marks << (c == QLatin1Char('P') ? FillMark::Partial : c == QLatin1Char('M') ? FillMark::Missed : FillMark::Full);
        }
        const GraphDrawing g = DrawGraph(log, 0, int(log.size()), o);
        QVERIFY(!g.series[0].isEmpty());
        const int y34 = qRound(310 - 34 * 300 / 118.0);
        // A piece starts at the whole figure before it and ends at this one
        // unrounded: 34 and 34.095 are a pixel apart.
        for (const QLine &l : g.series[0]) {
            QVERIFY2(std::abs(l.p1().y() - y34) <= 1 && std::abs(l.p2().y() - y34) <= 1, qPrintable(QString::number(l.p2().y())));
        }
        QCOMPARE(g.series[0].first().p1().x(), 60);
        if (!economy.isEmpty())
            QCOMPARE(lines(g, 0), economy);
        // The average line runs on through the gaps at the same height.
        for (const QLine &l : g.series[1])
            QVERIFY(std::abs(l.p2().y() - y34) <= 1);
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

    // Each scale label stands where a line of its value is drawn; the price
    // scale holds every price drawn.
    void scales_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<QStringList>("labels");
        const QStringList today{"135.00", "129.90", "142.50", "154.90", "150.00", "131.00"};
        const QStringList tens{"120p", "130p", "140p", "150p", "160p"};
        QTest::newRow("440 high, 129.9-154.9 p") << 440 << today << tens;
        QTest::newRow("700 high, 129.9-154.9 p") << 700 << today << tens;
        QTest::newRow("printed, 129.9-154.9 p") << 0 << today << tens;
        const QStringList around140{"130p", "135p", "140p", "145p", "150p"};
        QTest::newRow("one price") << 440 << QStringList(6, "139.90") << around140;
        QTest::newRow("one price on 10 p") << 440 << QStringList(6, "140.00") << around140;
        QTest::newRow("one price just above 10 p") << 440 << QStringList(6, "130.10")
                                                   << QStringList{"120p", "125p", "130p", "135p", "140p"};
        QTest::newRow("30 p apart") << 440 << QStringList{"101.00", "101.00", "129.00", "101.00", "101.00", "101.00"}
                                    << QStringList{"100p", "107.5p", "115p", "122.5p", "130p"};
        QTest::newRow("nothing paid") << 440 << QStringList(6, "0.00") << QStringList{"0p", "5p", "10p", "15p", "20p"};
    }
    void scales()
    {
        QFETCH(int, height);
        QFETCH(QStringList, prices);
        QFETCH(QStringList, labels);
        // 500 miles on 10 gallons each time: 50 MPG throughout. The first record
        // has no figure and is not drawn.
        QStringList log;
        for (int k = 0; k < prices.size(); ++k)
            log << QStringLiteral("15/%1/2025").arg(k + 1, 2, 10, QLatin1Char('0')) << QString::number(20000 + 500 * k) << "45.46"
                << prices[k];
        const GraphOptions o = height ? GraphOptions{height, 2400} : PrintLayout(3508, 2480, 1);
        const GraphDrawing g = DrawGraph(log, 0, int(log.size()), o);
        QCOMPARE(g.scaleLabels.size(), 14);
        QCOMPARE(g.scaleLabels[12].at.y(), g.baseline); // 0
        const int fifty = g.scaleLabels[7].at.y();
        QCOMPARE(g.scaleLabels[7].text, QStringLiteral("50"));
        for (int s = 0; s < 2; ++s)
            for (const QLine &l : g.series[s])
                QVERIFY2(l.y1() == fifty && l.y2() == fifty, qPrintable(QStringLiteral("%1 against %2").arg(l.y2()).arg(fifty)));
        QCOMPARE(g.levelLines.first(), g.scaleLabels[1].at.y()); // the grid across at 110 ...
        QCOMPARE(g.levelLines.last(), g.scaleLabels[11].at.y()); // ... down to 10
        QStringList shown;
        for (const GraphText &t : g.priceLabels)
            shown << t.text;
        QCOMPARE(shown, labels);
        QCOMPARE(g.priceLabels.first().at.y(), g.baseline);
        QCOMPARE(g.priceLabels.last().at.y(), g.top);
        QCOMPARE(g.series[2].size(), 4);
        for (const QLine &l : g.series[2])
            for (int y : {l.y1(), l.y2()})
                QVERIFY(y >= g.top && y <= g.baseline);
        QVERIFY(g.priceLabels.first().at.x() > g.right && g.right <= (height ? 2400 : 3508) - 10);
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
