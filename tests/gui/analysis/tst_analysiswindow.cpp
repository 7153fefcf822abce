#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/shell/SetupPanel.h"
#include "gui/shell/Widgets.h"
#include "gui/vehicles/VehicleManager.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

// The analysis window through the main window, as a user opens and drives it.
class AnalysisWindowTest : public QObject {
    Q_OBJECT

    const QStringList six{"28/12/2011", "10000", "95.47", "130.00", "30/12/2011", "11050", "94.25", "132.00",
                          "02/01/2012", "12070", "22.73", "131.50", "03/01/2012", "12220", "26.74", "128.90",
                          "20/01/2012", "12400", "68.19", "129.90", "25/01/2012", "13000", "50.00", "133.40"};

    // Started with AB12 loaded; miles and gallons on the setup panel.
    TVantiq_ &loaded(Harness &h, const QStringList &log, QStringList keys = {})
    {
        keys << QStringLiteral("Start up=1") << QStringLiteral("Registration=AB12") << QStringLiteral("Distance Units=0")
             << QStringLiteral("Fuel Units=0");
        h.settings(keys);
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(log));
        return h.start();
    }
    static TAnalisisForm *analysis(TVantiq_ &w)
    {
        for (QMdiSubWindow *s : w.MdiArea->subWindowList())
            if (auto *a = qobject_cast<TAnalisisForm *>(s))
                return a;
        return nullptr;
    }
    static QStringList row(const TAnalisisForm &a, int r)
    {
        QStringList out;
        for (int c = 0; c < a.Model->columnCount(); ++c)
            out << a.Cells(c, r);
        return out;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void tooFewRecords_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("ok opens the vehicle manager") << int(mrOk);
        QTest::newRow("cancel") << int(mrCancel);
    }
    void tooFewRecords()
    {
        QFETCH(int, answer);
        Harness h;
        TVantiq_ &w = loaded(h, six.mid(0, 8));
        h.platform.answers << answer;
        if (answer == mrOk)
            h.platform.answers << mrYes; // the manager's Welcome on an empty vehicle folder
        w.Analise->click();
        const auto &q = h.platform.calls.first();
        QCOMPARE(q.text, QStringLiteral("Only 2 Entrys made\rThere is Insufficient data to Analyse\r"
                                        "Have you selected a Vehicle?\rClick Ok to open the vehicle manager"));
        QCOMPARE(q.kind, MsgKind::Information);
        QCOMPARE(q.buttons, mbOk | mbCancel);
        QCOMPARE(q.help, 0);
        QVERIFY(!analysis(w));
        QCOMPARE(bool(w.VehSelect), answer == mrOk);
    }

    void openingShowsTheTableAndPublishes()
    {
        Harness h;
        TVantiq_ &w = loaded(h, six);
        w.OptionsTabs->show(); // the analysis closes the setup panel
        w.Analise->click();
        TAnalisisForm *a = analysis(w);
        QVERIFY(a);
        QCOMPARE(a->windowTitle(), QStringLiteral("MPG Data Analysis"));
        QVERIFY(w.OptionsTabs->isHidden());
        QVERIFY(!w.Analise->isEnabled());
        QVERIFY(!w.analisisAction->isEnabled());
        QVERIFY(!w.Analisis2->isEnabled()); // no second window from the menu either
        QCOMPARE(w.StatusText(5), QStringLiteral("ANALYSING AB12.dat"));
        QCOMPARE(w.StatusText(2), QStringLiteral("7"));
        QVERIFY(a->Miles->isChecked() && a->Gallons->isChecked() && a->PPDU->isChecked());
        QCOMPARE(a->Model->rowCount(), 6);
        QCOMPARE(a->Model->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("   Mpg"));
        QCOMPARE(a->Model->index(5, 4).data().toString(), QStringLiteral("39.96"));
        QCOMPARE(row(*a, 6), (QStringList{"25/01/2012", "13000   ", "600  ", "40.00", "39.96", "  5", "6.06", "0.15", "0.15"}));
        QCOMPARE(a->AnalisisGrid->columnWidth(0), 95);
        QCOMPARE(a->AnalisisGrid->columnWidth(5), 60);

        // The trip sheet.
        SetupPanel &s = *w.OptionsTabs;
        QCOMPARE(s.BestLab->text(), QStringLiteral("50.00"));
        QCOMPARE(s.WorstLab->text(), QStringLiteral("30.00"));
        QCOMPARE(s.BestDistLab->text(), QStringLiteral("1050"));
        QCOMPARE(s.WorstDistLab->text(), QStringLiteral("150"));
        QCOMPARE(s.Label35->text(), QStringLiteral("Your calculated Best economy figure is"));
        QCOMPARE(s.Label17->text(), QStringLiteral("Your calculated worst economy figure is"));
        QCOMPARE(s.Label43->text(), QStringLiteral("Over a distance of"));
        QVERIFY(!s.BestDistLab->isHidden() && !s.Label42->isHidden());
        QCOMPARE((QStringList{s.BFt->text(), s.WFt->text(), s.BDistT->text(), s.WDistT->text()}),
                 (QStringList{"Mpg", "Mpg", "Miles", "Miles"}));

        // The trip calculator's defaults: miles per gallon and the gallon price.
        QCOMPARE(w.Live.DMPG, QStringLiteral("39.96"));
        QCOMPARE(w.Live.DCPG, QStringLiteral("6.06"));
        QCOMPARE(w.Live.DKPL, QStringLiteral("10.00"));

        // The summary: shown on request, in front of the table.
        QVERIFY(a->SummaryPan->isHidden());
        a->SummaryClick();
        QVERIFY(a->SummaryPan->isVisible());
        QCOMPARE(a->SummaryHeading->text(), QStringLiteral("Summary AB12"));
        const QStringList lines = a->Summary->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("     Average Mpg 39.96"));
        QCOMPARE(lines.last(), QStringLiteral("     this information")); // no vehicle selected
        QTest::mouseClick(a->ExitSummary, Qt::LeftButton);
        QVERIFY(a->SummaryPan->isHidden());

        // Closing the last child window enables the command again.
        a->Close1Click();
        QVERIFY(w.Analise->isEnabled());
        QVERIFY(w.Analisis2->isEnabled());
    }

    void unitsAndOptionsRunAgain()
    {
        Harness h;
        TVantiq_ &w = loaded(h, six, {QStringLiteral("Direction=0")});
        w.analisebutton();
        TAnalisisForm *a = analysis(w);
        QCOMPARE(w.OptionsTabs->BestLab->text(), QStringLiteral("50.60"));
        QCOMPARE(w.OptionsTabs->Label43->text(), QStringLiteral("More entrys are required for valid results"));
        QCOMPARE(w.OptionsTabs->Label43->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(w.OptionsTabs->BestDistLab->isHidden() && w.OptionsTabs->WorstDistLab->isHidden());

        a->Kilometers->trigger();
        a->Litres->trigger();
        QCOMPARE(w.OptionsTabs->DistanceUnit->ItemIndex(), 1);
        QCOMPARE(w.OptionsTabs->FuelUnit->ItemIndex(), 1);
        QCOMPARE(a->GetFMode(), 3);
        QCOMPARE(a->Cells(3, 0), QStringLiteral("   Kpl"));
        QCOMPARE(a->Cells(1, 1), QStringLiteral("16090   "));
        QCOMPARE(w.OptionsTabs->BFt->text(), QStringLiteral("Kpl"));
        QCOMPARE(w.OptionsTabs->BDistT->text(), QStringLiteral("Kilometers"));
        QCOMPARE(w.Live.DMPG, QStringLiteral("69.34")); // from the first run
        QVERIFY(w.Live.DKPL != QStringLiteral("10.00"));

        a->Basic->trigger();
        QCOMPARE(a->Model->columnCount(), 6);
        const QString litrePrice = w.Live.DCPL;
        a->PPQ->trigger();
        QCOMPARE(a->Model->columnCount(), 7);
        QCOMPARE(a->Cells(6, 0), QStringLiteral("  Cpl"));
        a->PPDU->trigger();
        QCOMPARE(a->Model->columnCount(), 9);
        QCOMPARE(w.Live.DCPL, litrePrice);
        QCOMPARE(w.StatusText(2), QStringLiteral("7"));
    }

    void anUnreadableFigureStopsTheRun()
    {
        Harness h;
        QStringList log = six;
        log[10] = QStringLiteral("0");
        TVantiq_ &w = loaded(h, log);
        h.platform.answers << mrOk;
        w.analisebutton();
        const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(q->text, QStringLiteral("Error in data file, cannot analise"));
        QCOMPARE(q->kind, MsgKind::Error);
        QCOMPARE(q->buttons, mbOk | mbHelp);
        QCOMPARE(q->help, 13);
        TAnalisisForm *a = analysis(w);
        QCOMPARE(a->Cells(0, 3), QStringLiteral("02/01/2012"));
        QCOMPARE(a->Cells(0, 4), QString());
        QCOMPARE(w.OptionsTabs->BestLab->text(), QStringLiteral("000.00")); // not reached
        QCOMPARE(w.Live.DMPG, QStringLiteral("30.00"));
    }

    // The selected vehicle's costs go into the summary of its own log only.
    void selectedVehicleCosts()
    {
        for (const QString &reg : {QStringLiteral("ab12"), QStringLiteral("ZZ9")}) {
            Harness h;
            TVantiq_ &w = loaded(h, six);
            TVehicleRecord r;
            r.Registration = reg;
            r.RoadTax = 165;
            r.Sundries[3].Cost = 42.25;
            w.Vehicles.Append(r);
            w.SelectedIndex = 0;
            w.analisebutton();
            const QStringList lines = analysis(w)->Summary->toPlainText().split(QLatin1Char('\n'));
            if (reg == QLatin1String("ab12")) {
                QVERIFY(lines.contains(QStringLiteral("     Road Tax \u00A3 165")));
                QVERIFY(lines.contains(QStringLiteral("     Sundary Items this year \u00A3 42.25")));
            } else {
                QCOMPARE(lines.last(), QStringLiteral("     this information"));
            }
        }
    }

    void popupMoves()
    {
        Harness h;
        TVantiq_ &w = loaded(h, AppFolder::log(100));
        w.analisebutton();
        TAnalisisForm *a = analysis(w);
        a->BottomClick();
        QVERIFY(a->AnalisisGrid->rowAt(a->AnalisisGrid->viewport()->height() - 2) >= 90);
        a->TopClick();
        QCOMPARE(a->AnalisisGrid->rowAt(1), 0);
        a->SelectAllClick();
        const QModelIndexList selected = a->AnalisisGrid->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 100);
        QCOMPARE(selected.first().column(), 1);
    }
};

VANTIQ_TEST(AnalysisWindowTest)
#include "tst_analysiswindow.moc"
