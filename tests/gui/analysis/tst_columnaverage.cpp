#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisModel.h"
#include "core/analysis/ColumnAverage.h"
#include "core/fuellog/NumberText.h"
#include "gui/analysis/AnalysisWindow.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTableView>

// Column averages over the six-record table (miles per gallon, look back),
// and re-analysis of a selection.
class ColumnAverageTest : public QObject {
    Q_OBJECT

    const QStringList six{"28/12/2011", "10000", "95.47", "130.00", "30/12/2011", "11050", "94.25", "132.00",
                          "02/01/2012", "12070", "22.73", "131.50", "03/01/2012", "12220", "26.74", "128.90",
                          "20/01/2012", "12400", "68.19", "129.90", "25/01/2012", "13000", "50.00", "133.40"};

    static TAnalisisForm *window(TVantiq_ &w, int n = 0)
    {
        QList<TAnalisisForm *> all;
        for (QMdiSubWindow *s : w.MdiArea->subWindowList())
            if (auto *a = qobject_cast<TAnalisisForm *>(s))
                all << a;
        return n < all.size() ? all[n] : nullptr;
    }
    static void selectRows(TAnalisisForm &a, int column, int top, int bottom)
    {
        a.SelectRangeClick();
        a.AnalisisGrid->selectionModel()->select(QItemSelection(a.Model->index(top - 1, column), a.Model->index(bottom - 1, column)),
                                                 QItemSelectionModel::ClearAndSelect);
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void averages_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<bool>("perDay");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("marks"); // a letter per record, P partial; none when empty
        const QString notDaily = QStringLiteral("Daily average calculation is not applicable to this column");
        const QString notAverage = QStringLiteral("Average calculation is not applicable to this column");
        QTest::newRow("distance, the first row's N/A counting 0") << 2 << 2 << 1 << 6 << false
            << "Average distance between purchases from 28/12/2011 to 25/01/2012 is 500.00 Miles" << QString();
        QTest::newRow("economy") << 3 << 3 << 2 << 6 << false << "Average   Mpg from 30/12/2011 to 25/01/2012 is 39.96 Mpg" << QString();
        QTest::newRow("days") << 5 << 5 << 2 << 5 << false
            << "Average number of days between purchases from 30/12/2011 to 20/01/2012 is 5.75  Days" << QString();
        QTest::newRow("price") << 6 << 6 << 1 << 6 << false << "Average fuel cost per Gallons from 28/12/2011 to 25/01/2012 is 5.95 " << QString();
        QTest::newRow("running cost") << 7 << 7 << 2 << 6 << false
            << " Average running cost per Miles from 30/12/2011 to 25/01/2012 is 0.16 " << QString();
        QTest::newRow("distance per day across the year end") << 2 << 2 << 2 << 6 << true
            << "Average distance from 30/12/2011 to 25/01/2012 is 111.10 Miles" << QString();
        QTest::newRow("running cost per day") << 7 << 7 << 2 << 6 << true
            << " Average running cost per Day from 30/12/2011 to 25/01/2012 is 11.27 " << QString();
        QTest::newRow("same day: no daily figure") << 2 << 2 << 3 << 3 << true
            << "No average per day: the dates selected span no days" << QString();
        for (int column : {0, 1, 4, 8})
            QTest::newRow(qPrintable(QStringLiteral("average of column %1").arg(column))) << column << column << 1 << 6 << false << notAverage << QString();
        for (int column : {0, 1, 3, 4, 5, 6, 8})
            QTest::newRow(qPrintable(QStringLiteral("per day of column %1").arg(column))) << column << column << 1 << 6 << true << notDaily << QString();
        QTest::newRow("two columns") << 2 << 3 << 1 << 6 << false << "You must select from one column only to get the average" << QString();
        QTest::newRow("select all: column 1") << 1 << 1 << 1 << 7 << false << notAverage << QString();
        QTest::newRow("one past the last row is never read") << 2 << 2 << 5 << 7 << false
            << "Average distance between purchases from 20/01/2012 to 25/01/2012 is 390.00 Miles" << QString();
        // 02/01 partial: 03/01 is measured from 30/12 over 94.25 + 22.73
        // litres, 1170 x 4.546 / 116.98 = 45.47; the average is of the four
        // figures, (50.00 + 45.47 + 30.60 + 40.00) / 4 = 41.52, and of their
        // running costs (0.12 + 0.13 + 0.19 + 0.15) / 4 = 0.15.
        QTest::newRow("economy of a range with a partial fill-up") << 3 << 3 << 2 << 6 << false
            << "Average   Mpg from 30/12/2011 to 25/01/2012 is 41.52 Mpg" << "..P...";
        QTest::newRow("running cost of a range with a partial fill-up") << 7 << 7 << 2 << 6 << false
            << " Average running cost per Miles from 30/12/2011 to 25/01/2012 is 0.15 " << "..P...";
        QTest::newRow("only the partial fill-up") << 3 << 3 << 3 << 3 << false
            << "No average: the fill-ups selected have no figures" << "..P...";
    }
    void averages()
    {
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(bool, perDay);
        QFETCH(QString, message);
        QFETCH(QString, marks);
        QVector<FillMark> perRecord;
        for (QChar c : marks)
            perRecord << (c == QLatin1Char('P') ? FillMark::Partial : FillMark::Full);
        const AnalysisResult run = RunAnalysis(six, 0, 24, AnalysisUnits{}, AnalysisOption::PPDU, 1, perRecord);
        const AnalysisTable table(run);
        QCOMPARE(ColumnAverage(table, TableSelection{left, right, top, bottom}, perDay, run.units), message);
    }

    void leadingNumbers_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<double>("value");
        QTest::newRow("padded") << "1050 " << 1050.0;
        QTest::newRow("blanks first") << "  14" << 14.0;
        QTest::newRow("N/A") << "  N/A" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("exponent form") << "1.23E+3" << 1230.0;
        QTest::newRow("an E with nothing after") << "12E" << 12.0;
        QTest::newRow("a unit after") << "45.67 Mpg" << 45.67;
        QTest::newRow("negative") << "-3.5" << -3.5;
        QTest::newRow("a comma stops it") << "1,5" << 1.0;
    }
    void leadingNumbers()
    {
        QFETCH(QString, cell);
        QFETCH(double, value);
        QCOMPARE(NumberText::LeadingNumber(cell), value);
    }

    // Through the window: the status texts, the message, the re-analysis.
    void throughTheWindow()
    {
        Harness h;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12"), QStringLiteral("Distance Units=0"),
                    QStringLiteral("Fuel Units=0")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(six));
        TVantiq_ &w = h.start();
        w.analisebutton();
        TAnalisisForm &a = *window(w);
        selectRows(a, 5, 2, 5);
        a.AnalisisGridMouseUp();
        QCOMPARE(w.StatusText(4), QStringLiteral("5,  5,  2,  5"));
        a.Average1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(),
                 QStringLiteral("Average number of days between purchases from 30/12/2011 to 20/01/2012 is 5.75  Days"));
        a.SelectAllClick();
        a.AnalisisGridMouseUp();
        QCOMPARE(w.StatusText(4), QStringLiteral("1,  1,  1,  7"));
        a.Averageperday1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(),
                 QStringLiteral("Daily average calculation is not applicable to this column"));
        // A selection made from the keyboard after Select All is the one used.
        a.AnalisisGrid->setFocus();
        a.AnalisisGrid->setCurrentIndex(a.Model->index(1, 1));
        QTest::keyClick(a.AnalisisGrid, Qt::Key_Down, Qt::ShiftModifier);
        a.AnalisisGridMouseUp();
        QCOMPARE(w.StatusText(4), QStringLiteral("1,  1,  2,  3"));

        // Rows 4 to 6 again: the first computed against the record before.
        selectRows(a, 1, 4, 6);
        a.AnalyseSelection->trigger();
        TAnalisisForm &b = *window(w, 1);
        QCOMPARE(b.RowCount(), 4);
        QCOMPARE(b.Cells(0, 1), QStringLiteral("03/01/2012"));
        QCOMPARE(b.Cells(2, 1), QStringLiteral("150  "));
        QCOMPARE(b.Cells(4, 1), QStringLiteral("30.00")); // its own running average
        QCOMPARE(b.Cells(4, 3), QStringLiteral("33.53"));
        QVERIFY(b.objectName().startsWith(QStringLiteral("AnalisisForm")));
        QCOMPARE(b.windowTitle(), b.objectName());
        QVERIFY(!b.AnalyseSelection->isVisible());
        QCOMPARE(w.State().Analysis.Start, 12);
        QCOMPARE(w.State().Analysis.Finish, 24);

        // Re-analysing the re-analysed window maps from the rows it shows.
        selectRows(b, 1, 2, 3);
        b.AnalyseSelectionClick();
        TAnalisisForm &c = *window(w, 2);
        QCOMPARE(c.RowCount(), 3);
        QCOMPARE(c.Cells(0, 1), QStringLiteral("20/01/2012"));
        QCOMPARE(c.Cells(4, 1), QStringLiteral("30.60"));

        // One row: a range of one record.
        selectRows(a, 1, 1, 1);
        a.AnalyseSelectionClick();
        TAnalisisForm &d = *window(w, 3);
        QCOMPARE(d.RowCount(), 2);
        QCOMPARE(d.Cells(4, 1), QStringLiteral("  N/A"));
        QVERIFY(d.Summary->toPlainText().contains(QStringLiteral("Average distance between Fill-ups N/A Miles")));

        // Closing the first window closes what it opened.
        a.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window(w));
        QVERIFY(w.Analise->isEnabled());
    }
};

VANTIQ_TEST(ColumnAverageTest)
#include "tst_columnaverage.moc"
