#include "Harness.h"
#include "TestMain.h"
#include "Typing.h"
#include "core/fuellog/NumberText.h"
#include "core/trip/TripMath.h"
#include "gui/trip/TripCalculator.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The trip calculator, opened from the main window and driven by its boxes
// and menus.
class TripTest : public QObject {
    Q_OBJECT

    // Opens the calculator with the given settings and runs drive in it.
    void withCalculator(Harness &h, QStringList keys, const std::function<void(TCalculator &)> &drive)
    {
        keys << QStringLiteral("Start up=1") << QStringLiteral("Registration=AB12");
        h.settings(keys);
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(3)));
        TVantiq_ &w = h.start();
        bool ran = false;
        h.platform.modalHandlers << [&](QDialog &d) {
            auto *c = qobject_cast<TCalculator *>(&d);
            if (!c)
                return 0;
            c->show();
            drive(*c);
            ran = true;
            return 0;
        };
        w.TripCalcBtn->click();
        QVERIFY(ran);
    }
    static QStringList status(const TCalculator &c)
    {
        QStringList out;
        for (QLabel *l : c.StatusPanels)
            out << l->text();
        return out;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void openingTable_data()
    {
        QTest::addColumn<int>("distanceUnit");
        QTest::addColumn<int>("fuelUnit");
        QTest::addColumn<QStringList>("shown"); // CurrentMPG, DispCost, DUnit, CUnit, Utype, FUnit, UsedType, TypeLab
        QTest::newRow("MPG") << 0 << 0 << QStringList{"31.50", "6.06", "Miles", "Miles Per", "Gallon", "Per Gallon", "G", "MPG"};
        QTest::newRow("MPL") << 0 << 1 << QStringList{"7.10", "1.33", "Miles", "Miles Per", "Litre", "Per Litre", "L", "MPL"};
        QTest::newRow("KPG") << 1 << 0
                             << QStringList{"50.0", "6.06", "Kilometres ", "Kilometres Per", "Gallon", "Per Gallon", "G", "KPG"};
        QTest::newRow("KPL") << 1 << 1
                             << QStringList{"11.20", "1.33", "Kilometres", "Kilometres Per", "Litre", "Per Litre", "L", "KPL"};
    }
    void openingTable()
    {
        QFETCH(int, distanceUnit);
        QFETCH(int, fuelUnit);
        QFETCH(QStringList, shown);
        Harness h;
        withCalculator(h,
                       {QStringLiteral("CTL=0"), QStringLiteral("Distance Units=%1").arg(distanceUnit),
                        QStringLiteral("Fuel Units=%1").arg(fuelUnit), QStringLiteral("DMPG=31.50"),
                        QStringLiteral("DMPL=7.10"), QStringLiteral("DKPL=11.20"), QStringLiteral("DCPG=6.06"),
                        QStringLiteral("DCPL=1.33")},
                       [&](TCalculator &c) {
                           QCOMPARE(c.windowTitle(), QStringLiteral("Trip Calculator"));
                           QCOMPARE((QStringList{c.CurrentMPG->text(), c.DispCost->text(), c.DUnit->text(), c.CUnit->text(),
                                                 c.Utype->text(), c.FUnit->text(), c.UsedType->text(), c.TypeLab->text()}),
                                    shown);
                           QCOMPARE(c.Mode(), 2 * distanceUnit + fuelUnit);
                           QVERIFY(c.UseAverage->isChecked());
                           QVERIFY(c.EconPan->isVisible());
                           QVERIFY(c.GVFP->isEnabled() && c.GVFP->isChecked());
                           QCOMPARE(status(c).mid(0, 5), (QStringList{shown.last(), "31.50 MPG", "7.10 MPL", "50.0 KPG",
                                                                      "11.20 KPL"}));
                           QVERIFY(c.mpglab->text().isEmpty());
                           QCOMPARE(c.findChild<QLabel *>(QStringLiteral("CostCurrency"))->text(), QStringLiteral("\u00A3"));
                       });
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty() || shown.last() == QLatin1String("KPG"));
    }

    void averageEstimates_data()
    {
        QTest::addColumn<int>("fuelUnit");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("cost");
        QTest::newRow("gallons") << 0 << "5.00" << "15.90";
        QTest::newRow("litres") << 1 << "22.73" << "15.90";
    }
    void averageEstimates()
    {
        QFETCH(int, fuelUnit);
        QFETCH(QString, used);
        QFETCH(QString, cost);
        Harness h;
        // 30 miles per gallon is 6.5991 per litre; 3.18 a gallon is 0.6995 a litre.
        withCalculator(h,
                       {QStringLiteral("CTL=0"), QStringLiteral("Distance Units=0"), QStringLiteral("Fuel Units=%1").arg(fuelUnit),
                        QStringLiteral("DMPG=30"), QStringLiteral("DMPL=6.599"), QStringLiteral("DCPG=3.18"),
                        QStringLiteral("DCPL=0.69951")},
                       [&](TCalculator &c) {
                           TypeAndEnter(c.Distance, QStringLiteral("150"));
                           QCOMPARE(c.FUsed->text(), used);
                           QCOMPARE(c.Cost->text(), cost);
                           QCOMPARE(c.mpglab->text(), QStringLiteral("@ ") + c.CurrentMPG->text() + QLatin1Char(' ') + c.TypeLab->text());
                           QVERIFY(c.mpglab->isVisible());
                           // 30 miles per gallon in every mode: 30 / 4.546 per litre, x 1.609 per kilometre.
                           QCOMPARE(status(c).mid(1, 4), (QStringList{"30.00 MPG", "6.60 MPL", "48.28 KPG", "10.62 KPL"}));
                           QCOMPARE(c.StatusPanels[5]->text(), QStringLiteral("\u00A3 3.18"));
                       });
    }

    void threePointEstimates_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("fallbackNote"); // the limits are the built-in ones: no analysis found figures
        QTest::newRow("10 miles") << 0 << 20 << 60 << "10" << " @ 25.00 MPG" << false;
        QTest::newRow("1 mile: the minimum") << 0 << 20 << 60 << "1" << " @ 20.00 MPG" << false;
        QTest::newRow("100000 miles: the maximum") << 0 << 20 << 60 << "100000" << " @ 60.00 MPG" << false;
        QTest::newRow("limits crossed: the maximum") << 0 << 60 << 20 << "1000" << " @ 20.00 MPG" << false;
        // 100 km are 62 miles: 25 x log10(62) = 44.81 mpg = 15.86 km per litre.
        QTest::newRow("kilometres, rounded to whole miles") << 3 << 5 << 25 << "100" << " @ 15.86 KPL" << false;
        QTest::newRow("the built-in 10 and 50") << 0 << 10 << 50 << "10" << " @ 25.00 MPG" << true;
    }
    void threePointEstimates()
    {
        QFETCH(int, mode);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(QString, distance);
        QFETCH(QString, label);
        QFETCH(bool, fallbackNote);
        Harness h;
        withCalculator(h,
                       {QStringLiteral("CTL=1"), QStringLiteral("TI=%1").arg(mode), QStringLiteral("BMin=%1").arg(minimum),
                        QStringLiteral("BMax=%1").arg(maximum)},
                       [&](TCalculator &c) {
                           QCOMPARE(c.LimitsNote->isVisible(), fallbackNote);
                           QCOMPARE(c.LimitsNote->text(), QStringLiteral("too few fill-ups to set limits: 10 to 50 used"));
                           QVERIFY(!c.UseAverage->isChecked());
                           QVERIFY(c.EconPan->isHidden());
                           QVERIFY(!c.GVFP->isEnabled());
                           QCOMPARE(c.WorstLab->text(), QString::number(minimum) + QStringLiteral(".00"));
                           QCOMPARE(c.StatusPanels[1]->text(), QStringLiteral("MPG"));
                           TypeAndEnter(c.Distance, distance);
                           QCOMPARE(c.mpglab->text(), label);
                       });
    }

    void unitSwitches()
    {
        Harness h;
        withCalculator(h, {QStringLiteral("CTL=1"), QStringLiteral("TI=0"), QStringLiteral("BMin=20"), QStringLiteral("BMax=60")},
                       [&](TCalculator &c) {
                           c.Distance->setText(QStringLiteral("100"));
                           c.Kilometers->trigger();
                           QCOMPARE(c.Distance->text(), QStringLiteral("161"));
                           QCOMPARE(c.DUnit->text(), QStringLiteral("Kilometers"));
                           QCOMPARE(c.CUnit->text(), QStringLiteral("Kilometres Per"));
                           QCOMPARE(c.TypeLab->text(), QStringLiteral("KPG"));
                           QCOMPARE(c.Bestlab->text(), QStringLiteral("96.56")); // 60 x 1.6093
                           c.Litres->trigger();
                           QCOMPARE(c.UsedType->text(), QStringLiteral("L"));
                           QCOMPARE(c.Bestlab->text(), QStringLiteral("21.24")); // 96.558 x 0.21997
                           c.Miles->trigger();
                           QCOMPARE(c.Distance->text(), QStringLiteral("100"));
                           c.FormActivate(); // back from a message box: the limits stay in the shown mode
                           QCOMPARE(c.WorstLab->text(), QStringLiteral("4.40"));
                       });
        // Restoring values: DMPG and DCPG are the built-in figures here.
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).contains(QStringLiteral("Warning; Calculation may be using defaults")));
    }

    void restoreAndDefaults()
    {
        Harness h;
        h.platform.answers << mrYes;
        withCalculator(h, {QStringLiteral("CTL=0"), QStringLiteral("Distance Units=0"), QStringLiteral("Fuel Units=0"),
                           QStringLiteral("DMPG=N/A")},
                       [&](TCalculator &c) {
                           c.Restorevals->trigger();
                           const auto *q = h.platform.last(QStringLiteral("MessageDlg"));
                           QVERIFY(q);
                           QCOMPARE(q->text, QStringLiteral("Cannot obtain calculation value, You may not have run an analisis "
                                                            "with \r\nthese paramaters.\r\nUse Defaults ?"));
                           QCOMPARE(q->kind, MsgKind::Warning);
                           QCOMPARE(q->buttons, mbYes | mbCancel);
                           QCOMPARE(c.CurrentMPG->text(), QStringLiteral("30.0000"));
                           QCOMPARE(c.DispCost->text(), QStringLiteral("3.1800"));
                           c.GVFP->trigger(); // unchecked: the built-in figures
                           QCOMPARE(c.CurrentMPG->text(), QStringLiteral("30.00"));
                           QCOMPARE(c.DispCost->text(), QStringLiteral("3.18"));
                           QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(), QStringLiteral("Default Values inserted"));
                           c.ChangeMPGClick();
                           QVERIFY(!c.CurrentMPG->isReadOnly());
                           QVERIFY(c.UseAverage->isChecked() && !c.GVFP->isChecked() && c.GVFP->isEnabled());
                       });
    }

    void refusals()
    {
        Harness h;
        withCalculator(h, {QStringLiteral("CTL=0"), QStringLiteral("Distance Units=0"), QStringLiteral("Fuel Units=0"),
                           QStringLiteral("DMPG=40.00"), QStringLiteral("DCPG=5.00")},
                       [&](TCalculator &c) {
                           TypeAndEnter(c.Distance, QStringLiteral("200"));
                           QCOMPARE(c.Cost->text(), QStringLiteral("25.00"));
                           for (const char *bad : {"12.5", "0", "-4", ""}) {
                               TypeAndEnter(c.Distance, QLatin1String(bad));
                               QCOMPARE(h.platform.texts().last(), QStringLiteral("Distance invalid"));
                               QCOMPARE(c.Cost->text(), QStringLiteral("25.00"));
                           }
                           c.ChangeMPGClick();
                           TypeAndEnter(c.CurrentMPG, QStringLiteral("0"));
                           QCOMPARE(h.platform.texts().last(), QStringLiteral("Fuel consumption invalid"));
                           QCOMPARE(c.CurrentMPG->text(), QStringLiteral("40.00"));
                           c.ChangeCostClick();
                           TypeAndEnter(c.DispCost, QStringLiteral("-1"));
                           QCOMPARE(h.platform.texts().last(), QStringLiteral("Fuel cost invalid"));
                           QCOMPARE(c.DispCost->text(), QStringLiteral("5.00"));
                           TypeAndEnter(c.Distance, QStringLiteral("200"));
                           QCOMPARE(c.Cost->text(), QStringLiteral("25.00"));
                           // Not a number: the mode's own built-in figure.
                           c.ChangeMPGClick();
                           TypeAndEnter(c.CurrentMPG, QStringLiteral("lots"));
                           TypeAndEnter(c.Distance, QStringLiteral("300"));
                           QCOMPARE(c.FUsed->text(), QStringLiteral("10.00"));
                       });
    }

    void aModeOutsideTheTableIsMilesPerGallon()
    {
        Harness h;
        withCalculator(h, {QStringLiteral("CTL=1"), QStringLiteral("TI=7")},
                       [&](TCalculator &c) {
                           QCOMPARE(c.Mode(), 0);
                           QCOMPARE(c.TypeLab->text(), QStringLiteral("MPG"));
                       });
    }

    // Worked from a kilometre of 0.6214 miles and a gallon of 4.546 litres,
    // rounded to two decimals.
    void conversions_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("tenIs");
        QTest::newRow("KPL to MPG") << 3 << 0 << "28.25";
        QTest::newRow("MPG to KPL") << 0 << 3 << "3.54";
        QTest::newRow("MPL to KPG") << 1 << 2 << "73.16";
        QTest::newRow("KPG to MPL") << 2 << 1 << "1.37";
        QTest::newRow("same") << 2 << 2 << "10.00";
    }
    void conversions()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, tenIs);
        QCOMPARE(NumberText::FormatFixed(TripMath::ConvertEconomy(10.0, from, to), 4, 2), tenIs);
        QCOMPARE(*TripMath::ConvertDistance(100, true), 161LL);
        QCOMPARE(*TripMath::ConvertDistance(161, false), 100LL);
    }

    // A stored figure the calculator cannot use is replaced by the mode's
    // built-in one, at opening and when the units switch to that mode;
    // activations refuse nothing.
    void unusableStoredFigures_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("used"); // gallons for 300 miles, or litres for 300 km after a switch
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("switchTo"); // a unit menu item, from a distance of 100
        QTest::newRow("economy 0.00") << QStringList{"DMPG=0.00", "DCPG=5.00"} << QStringList{"Fuel consumption invalid"} << "10.00"
                                      << "50.00" << QString();
        QTest::newRow("economy negative") << QStringList{"DMPG=-3", "DCPG=5.00"} << QStringList{"Fuel consumption invalid"}
                                          << "10.00" << "50.00" << QString();
        QTest::newRow("economy not a number") << QStringList{"DMPG=N/A", "DCPG=5.00"} << QStringList{"Fuel consumption invalid"}
                                              << "10.00" << "50.00" << QString();
        QTest::newRow("price negative") << QStringList{"DMPG=60.00", "DCPG=-1.00"} << QStringList{"Fuel cost invalid"} << "5.00"
                                        << "15.90" << QString();
        QTest::newRow("both") << QStringList{"DMPG=0", "DCPG=-2"} << QStringList{"Fuel consumption invalid", "Fuel cost invalid"}
                              << "10.00" << "31.80" << QString();
        // Miles per litre are fine, kilometres per litre are not: the switch
        // uses the built-in 10 KPL, never the 8.80 MPL read as kilometres.
        // 300 km are 186 miles (x 0.6214); 10 KPL are 28.25 MPG (x 0.6214 x
        // 4.546): 6.584 gallons, 29.93 litres, at 1.10 x 4.546 a gallon 32.93.
        QTest::newRow("switched to kilometres, KPL 0.00")
            << QStringList{"Fuel Units=1", "DMPL=8.80", "DCPL=1.10", "DKPL=0.00"} << QStringList{"Fuel consumption invalid"}
            << "29.93" << "32.93" << "Kilometers";
        QTest::newRow("switched to gallons, price per gallon negative")
            << QStringList{"Fuel Units=1", "DMPL=8.80", "DCPL=1.10", "DMPG=40.00", "DCPG=-1"} << QStringList{"Fuel cost invalid"}
            << "7.50" << "23.85" << "Gallons";
    }
    void unusableStoredFigures()
    {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, messages);
        QFETCH(QString, used);
        QFETCH(QString, cost);
        QFETCH(QString, switchTo);
        Harness h;
        if (!keys.filter(QStringLiteral("Fuel Units=")).size())
            keys << QStringLiteral("Fuel Units=0");
        withCalculator(h, QStringList{"CTL=0", "Distance Units=0"} + keys, [&](TCalculator &c) {
            if (!switchTo.isEmpty()) {
                QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty());
                c.Distance->setText(QStringLiteral("100"));
                c.findChild<QAction *>(switchTo)->trigger();
            }
            QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), messages);
            c.FormActivate(); // as after the message box closes
            c.FormActivate();
            QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), messages);
            TypeAndEnter(c.Distance, QStringLiteral("300"));
            QCOMPARE(c.FUsed->text(), used);
            QCOMPARE(c.Cost->text(), cost);
        });
    }

    // A figure typed after Change counts at Calculate, confirmed or not.
    void typedFigureCountsWithoutEnter()
    {
        Harness h;
        withCalculator(h, {"CTL=0", "Distance Units=0", "Fuel Units=0", "DMPG=40.00", "DCPG=5.00"}, [&](TCalculator &c) {
            c.ChangeMPGClick();
            c.CurrentMPG->selectAll();
            QTest::keyClicks(c.CurrentMPG, QStringLiteral("20"));
            c.ChangeCostClick();
            c.DispCost->selectAll();
            QTest::keyClicks(c.DispCost, QStringLiteral("4"));
            c.Distance->setText(QStringLiteral("100"));
            QTest::mouseClick(c.CalculateBtn, Qt::LeftButton);
            QCOMPARE(c.FUsed->text(), QStringLiteral("5.00"));
            QCOMPARE(c.Cost->text(), QStringLiteral("20.00"));
        });
    }
};

VANTIQ_TEST(TripTest)
#include "tst_trip.moc"
