#include "Harness.h"
#include "TestMain.h"
#include "Typing.h"
#include "core/entry/EntryRules.h"
#include "gui/entry/BulkPanel.h"
#include "gui/entry/DataViewPanel.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/SetupPanel.h"
#include "gui/shell/Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QMenuBar>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

// Fuel purchase entry, driven through the panel's boxes as a user types.
class FuelEntryTest : public QObject {
    Q_OBJECT

    // Three records a week and 300 miles apart: 01/01 10000, 08/01 10300, 15/01 10600.
    Harness h;
    TVantiq_ *w = nullptr;
    FuelEntryPanel *e = nullptr;

    void begin(int records, QStringList keys = {})
    {
        keys << QStringLiteral("Start up=1") << QStringLiteral("Registration=AB12");
        h.settings(keys);
        if (records > 0)
            h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(records)));
        w = &h.start();
        e = w->DataEntry;
        if (records > 0)
            w->EnterDataClick();
    }
    static void type(QLineEdit *box, const QString &text) { TypeAndEnter(box, text); }
    void fillUp(const QString &day, const QString &month, const QString &miles, const QString &spent, const QString &qty)
    {
        type(e->PDay, day);
        type(e->Pmonth, month);
        type(e->NMiles, miles);
        if (!spent.isNull())
            type(e->PPrice, spent);
        type(e->Amount, qty);
        QTest::mouseClick(e->Accept, Qt::LeftButton);
    }
    QStringList fileLines() const
    {
        return QString::fromLatin1(h.app.read(QStringLiteral("AB12.dat"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    void noSurprises() { QVERIFY2(h.platform.unexpected.isEmpty(), qPrintable(h.platform.unexpected.join(QLatin1Char('|')))); }

private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void init()
    {
        h.~Harness();
        new (&h) Harness;
    }

    void startingEntry()
    {
        begin(3);
        QVERIFY(e->isVisible());
        QVERIFY(e->Restart->isHidden());
        QVERIFY(!w->Analise->isEnabled());
        QVERIFY(!w->Setup->isEnabled());
        QCOMPARE(w->StatusText(5), QStringLiteral("ENTERING DATA FOR AB12"));
        QCOMPARE(e->PYear->text(), QStringLiteral("2012"));
        QCOMPARE(e->YearChange->maximum(), 2012);
        QCOMPARE(e->YearChange->minimum(), 1995);
        QVERIFY(e->Flags().DayArmed);
        QVERIFY(e->PDay->hasFocus());
        QCOMPARE(e->AmountLab->text(), QStringLiteral("Amout Spent \u00A3"));
        QCOMPARE(e->EntryFuelTypeLab->text(), QStringLiteral("Quantity in Litres"));
        QCOMPARE(e->PurchasedLab->text(), QStringLiteral("Gallons purchased"));
        QCOMPARE(e->DistanceLab->text(), QStringLiteral("Distance in Miles"));
        QCOMPARE(e->ConvertLab->text(), QStringLiteral("Distance in Kilometers"));
        QCOMPARE(e->ElapsedDistanceLab->text(), QStringLiteral("Elapsed Miles"));
        QTest::keyClick(e->PDay, Qt::Key_Escape);
        QVERIFY(e->isHidden());
        QVERIFY(w->Analise->isEnabled());
        QVERIFY(w->Setup->isEnabled());
        QVERIFY(!e->PDay->isEnabled());
    }

    void labelsFollowSchemeAndUnits_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("fuelUnit");
        QTest::addColumn<int>("distanceUnit");
        QTest::addColumn<QStringList>("labels"); // quantity, purchased, elapsed, distance, convert
        QTest::newRow("domestic litres miles") << 0 << 1 << 0
            << QStringList{"Quantity in Litres", "Gallons purchased", "Elapsed Miles", "Distance in Miles", "Distance in Kilometers"};
        QTest::newRow("domestic gallons km") << 0 << 0 << 1
            << QStringList{"Quantity in Gallons", "Litres Purchased", "Elapsed Kilometers", "Distance in Kilometers", "Distance in Miles"};
        QTest::newRow("bulk litres km") << 1 << 1 << 1
            << QStringList{"Quantity in Litres", "Gallons Filled", "Elapsed Kilometers", "Distance in Kilometers", "Distance in Miles"};
        QTest::newRow("bulk gallons miles") << 1 << 0 << 0
            << QStringList{"Quantity in Gallons", "Litres Filled", "Elapsed Miles", "Distance in Miles", "Distance in Kilometers"};
    }
    void labelsFollowSchemeAndUnits()
    {
        QFETCH(int, scheme);
        QFETCH(int, fuelUnit);
        QFETCH(int, distanceUnit);
        QFETCH(QStringList, labels);
        begin(3, {QStringLiteral("Scheme=%1").arg(scheme), QStringLiteral("Entry Fuel Units=%1").arg(fuelUnit),
                  QStringLiteral("Entry Distance Units=%1").arg(distanceUnit), QStringLiteral("ppl=0.99")});
        QCOMPARE((QStringList{e->EntryFuelTypeLab->text(), e->PurchasedLab->text(), e->ElapsedDistanceLab->text(),
                              e->DistanceLab->text(), e->ConvertLab->text()}),
                 labels);
        QCOMPARE(e->PPrice->isHidden(), scheme == 1);
        QCOMPARE(e->PPLBox->text(), scheme == 1 ? QStringLiteral("0.99") : QString());
        QCOMPARE(e->DPQLab->text(), QStringLiteral("MPG"));
        QCOMPARE(e->Label7->text(), QStringLiteral("KPL"));
    }

    void stepComplaints_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("cancelDisables");
        QTest::newRow("day empty") << "PDay" << "" << "Day is Incomplete" << true;
        QTest::newRow("day letters") << "PDay" << "ab" << "Invalid Day" << true;
        QTest::newRow("day 32") << "PDay" << "32" << "Day out of Range" << true;
        QTest::newRow("day 0") << "PDay" << "0" << "Day out of Range" << true;
        QTest::newRow("month empty") << "Pmonth" << "" << "Month is Incorrect" << true;
        QTest::newRow("month letter") << "Pmonth" << "x" << "Invalid Month" << true;
        QTest::newRow("month 13") << "Pmonth" << "13" << "Month out of Range" << true;
        QTest::newRow("distance empty") << "NMiles" << "" << "Entry is Incomplete" << true;
        QTest::newRow("distance letters") << "NMiles" << "12a" << "Invalid Character in Mileage" << true;
        QTest::newRow("distance smaller") << "NMiles" << "10599" << "Mileage cannot be less than previous" << true;
        QTest::newRow("price empty") << "PPrice" << "" << "Cannot Accept Price = 0" << false;
        QTest::newRow("price letters") << "PPrice" << "12a" << "Invalid Price 3" << false;
        QTest::newRow("price zero") << "PPrice" << "0" << "Cannot acccept Price 0" << false;
        QTest::newRow("quantity empty") << "Amount" << "" << "Cannot accept Amount = 0" << true;
        QTest::newRow("quantity letters") << "Amount" << "x" << "Invalid Quantity " << true;
        QTest::newRow("quantity zero") << "Amount" << "0" << "Cannot accept Amount = 0" << true;
        // Numbers no reading may take: refused by the step, never converted.
        QTest::newRow("distance nan") << "NMiles" << "nan" << "Invalid Character in Mileage" << true;
        QTest::newRow("distance inf") << "NMiles" << "inf" << "Invalid Character in Mileage" << true;
        // A reading is a whole number the file can hold, refused at its step.
        QTest::newRow("distance -1e300") << "NMiles" << "-1e300" << "Invalid Character in Mileage" << true;
        QTest::newRow("distance 1e300") << "NMiles" << "1e300" << "Invalid Character in Mileage" << true;
        QTest::newRow("distance with decimals") << "NMiles" << "11000.5" << "Invalid Character in Mileage" << true;
        QTest::newRow("distance past the range") << "NMiles" << "99999999999" << "Invalid Character in Mileage" << true;
        QTest::newRow("distance 1e400") << "NMiles" << "1e400" << "Invalid Character in Mileage" << true;
        QTest::newRow("price nan") << "PPrice" << "nan" << "Invalid Price 1" << false;
        QTest::newRow("quantity inf") << "Amount" << "inf" << "Invalid Quantity " << true;
    }
    void stepComplaints()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, cancelDisables);
        for (int answer : {int(mrOk), int(mrCancel)}) {
            init();
            begin(3);
            const QStringList order{"PDay", "Pmonth", "NMiles", "PPrice", "Amount"};
            const QStringList good{"20", "01", "10700", "45.00", "40"};
            for (int i = 0; order[i] != box; ++i)
                type(e->findChild<QLineEdit *>(order[i]), good[i]);
            QLineEdit *b = e->findChild<QLineEdit *>(box);
            h.platform.answers << answer;
            type(b, text);
            const auto *m = h.platform.last(QStringLiteral("MessageDialog"));
            QVERIFY(m);
            QCOMPARE(m->text, message);
            QCOMPARE(m->kind, MsgKind::Error);
            QCOMPARE(m->buttons, mbOk | mbCancel | mbHelp);
            QCOMPARE(m->help, 5);
            if (answer == mrOk) {
                QVERIFY(b->hasFocus());
                QCOMPARE(b->selectedText(), b->text());
                QVERIFY(e->Flags().DayArmed || box == QLatin1String("Pmonth"));
                QVERIFY(e->Restart->isHidden());
            } else {
                QVERIFY(!e->Flags().DayArmed);
                QVERIFY(!e->Restart->isHidden());
                QCOMPARE(b->isEnabled(), !cancelDisables);
                QCOMPARE(e->NMiles->isEnabled(), !cancelDisables);
                QCOMPARE(e->Accept->isEnabled(), !cancelDisables);
                if (cancelDisables)
                    QVERIFY(e->PDay->text().isEmpty());
                if (box == QLatin1String("Pmonth"))
                    QVERIFY(!e->Flags().MonthArmed);
                // Restart opens the entry again.
                QTest::mouseClick(e->Restart, Qt::LeftButton);
                QVERIFY(e->Flags().DayArmed);
                QVERIFY(e->PDay->isEnabled());
            }
            QCOMPARE(w->FuelLog.size(), 12);
            noSurprises();
        }
    }

    void singleDigitsGainAZero()
    {
        begin(3);
        fillUp(QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("10900"), QStringLiteral("50.00"), QStringLiteral("40"));
        QCOMPARE(e->PDay->text(), QStringLiteral("07"));
        QCOMPARE(e->Pmonth->text(), QStringLiteral("02"));
        QCOMPARE(w->FuelLog[12], QStringLiteral("07/02/2012"));
        noSurprises();
    }

    void thirtyFirstOfApril()
    {
        begin(3);
        type(e->PDay, QStringLiteral("31"));
        type(e->Pmonth, QStringLiteral("04"));
        QCOMPARE(h.platform.texts(), QStringList{"Invalid Date 31/04/2012"});
        QCOMPARE(h.platform.calls.first().what, QStringLiteral("ShowMessage"));
        QVERIFY(!e->Flags().MonthArmed);
        QVERIFY(!e->Flags().DateDone);
        // Back in the day box, its text selected: the day is typed again.
        QCOMPARE(QApplication::focusWidget(), e->PDay);
        QCOMPARE(e->PDay->selectedText(), QStringLiteral("31"));
        QTest::keyClicks(e->PDay, QStringLiteral("30"));
        QTest::keyClick(e->PDay, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e->Pmonth);
        QTest::keyClicks(e->Pmonth, QStringLiteral("04"));
        QTest::keyClick(e->Pmonth, Qt::Key_Return);
        QVERIFY(e->Flags().DateDone);
        QCOMPARE(e->Flags().EntryDate, QStringLiteral("30/04/2012"));
    }

    void appendLaterFillUp()
    {
        begin(3);
        const QByteArray before = h.app.read(QStringLiteral("AB12.dat"));
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), before + "20/01/2012\r\n11000\r\n40.00\r\n130.00\r\n");
        QCOMPARE(e->DDone->text(), QStringLiteral("400"));
        QCOMPARE(e->DaysDone->text(), QStringLiteral("5"));
        QCOMPARE(e->DispMpg->text(), QStringLiteral("45.46"));
        QCOMPARE(e->DispKPL->text(), QStringLiteral("16.09"));
        QCOMPARE(e->PPGUnitLab->text(), QStringLiteral("\u00A3 per gallon")); // each price says its unit
        QCOMPARE(e->findChild<QLabel *>(QStringLiteral("PPLUnitLab"))->text(), QStringLiteral("pence per litre"));
        QCOMPARE(e->ConvertDistance->text(), QStringLiteral("17699"));
        QCOMPARE(e->Finaldate->text(), QStringLiteral("20/01/2012"));
        QCOMPARE(e->LastDate->text(), QStringLiteral("20/01/2012"));
        QCOMPARE(e->FinalMiles->text(), QStringLiteral("11000"));
        QCOMPARE(e->DOldmiles->text(), QStringLiteral("11000"));
        QCOMPARE(e->NumItems->text(), QStringLiteral("4"));
        QVERIFY(w->View1->isEnabled());
        // Reset for the next fill-up: day and month kept, the rest emptied.
        QCOMPARE(e->PDay->text(), QStringLiteral("20"));
        QVERIFY(e->NMiles->text().isEmpty() && e->PPrice->text().isEmpty() && e->Amount->text().isEmpty());
        QVERIFY(e->PDay->hasFocus());
        QVERIFY(e->Flags().DayArmed);
        QVERIFY(h.platform.calls.isEmpty());
    }

    void equalDistanceAppendsAndKeepsTheFigures()
    {
        begin(3);
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        fillUp(QStringLiteral("21"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("10.00"), QStringLiteral("8"));
        QCOMPARE(w->FuelLog.size(), 20);
        QCOMPARE(w->FuelLog.mid(16), (QStringList{"21/01/2012", "11000", "8.00", "125.00"}));
        QCOMPARE(e->DDone->text(), QStringLiteral("400"));
        QCOMPARE(e->DispMpg->text(), QStringLiteral("45.46"));
        QCOMPARE(e->DaysDone->text(), QStringLiteral("1"));
        QVERIFY(h.platform.calls.isEmpty());
    }

    void sameDayIsPlacedByDistance()
    {
        begin(3);
        type(e->PDay, QStringLiteral("15"));
        type(e->Pmonth, QStringLiteral("01"));
        QVERIFY(e->Flags().BackDated);
        QCOMPARE(w->StatusText(7), QStringLiteral("BACK"));
        type(e->NMiles, QStringLiteral("10650"));
        type(e->PPrice, QStringLiteral("6.50"));
        type(e->Amount, QStringLiteral("5"));
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        QCOMPARE(w->FuelLog.mid(12), (QStringList{"15/01/2012", "10650", "5.00", "130.00"}));
        QCOMPARE(w->StatusText(7), QString());
        QVERIFY(!e->Flags().BackDated);
        QCOMPARE(e->DaysDone->text(), QStringLiteral("0"));
        QCOMPARE(e->DDone->text(), QStringLiteral("50"));
        QCOMPARE(e->FinalMiles->text(), QStringLiteral("10650"));
    }

    void backDatedBetweenTwoRecords()
    {
        begin(3);
        fillUp(QStringLiteral("05"), QStringLiteral("01"), QStringLiteral("10150"), QStringLiteral("26.00"), QStringLiteral("20"));
        QCOMPARE(w->FuelLog.mid(4, 4), (QStringList{"05/01/2012", "10150", "20.00", "130.00"}));
        QCOMPARE(w->FuelLog.size(), 16);
        QCOMPARE(fileLines(), w->FuelLog);
        QCOMPARE(e->DaysDone->text(), QStringLiteral("4"));
        QCOMPARE(e->DDone->text(), QStringLiteral("150"));
        QCOMPARE(e->DispMpg->text(), QStringLiteral("17.05"));
        QCOMPARE(e->DispKPL->text(), QStringLiteral("6.03"));
        QCOMPARE(e->LastDate->text(), QStringLiteral("05/01/2012"));
        QCOMPARE(e->Finaldate->text(), QStringLiteral("15/01/2012"));
        QCOMPARE(e->FinalMiles->text(), QStringLiteral("10600"));
        QCOMPARE(e->NumItems->text(), QStringLiteral("4"));
    }

    void backDatedRefusals_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("miles");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("duplicate distance") << "05" << "10300" << "Duplicate Distance Entered" << true;
        QTest::newRow("date after the next record") << "10" << "10150" << "Date and Mileage entered are Inconsistant" << false;
        QTest::newRow("date before the found record") << "01" << "10350" << "Date and Mileage entered are Inconsistant" << false;
        QTest::newRow("earlier than the last record") << "14" << "10700" << "Date and Mileage entered are Inconsistant" << false;
    }
    void backDatedRefusals()
    {
        QFETCH(QString, day);
        QFETCH(QString, miles);
        QFETCH(QString, message);
        QFETCH(bool, dialog);
        begin(3);
        const QByteArray before = h.app.read(QStringLiteral("AB12.dat"));
        if (dialog)
            h.platform.answers << mrOk;
        fillUp(day, QStringLiteral("01"), miles, QStringLiteral("26.00"), QStringLiteral("20"));
        QCOMPARE(h.platform.texts(), QStringList{message});
        const auto &call = h.platform.calls.first();
        QCOMPARE(call.what, dialog ? QStringLiteral("MessageDialog") : QStringLiteral("ShowMessage"));
        if (dialog) {
            QCOMPARE(call.kind, MsgKind::Error);
            QCOMPARE(call.buttons, int(mbOk));
            QCOMPARE(call.help, 5);
        }
        QCOMPARE(w->FuelLog.size(), 12);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), before);
        // The entry starts again with every text kept, still back-dated.
        QCOMPARE(e->NMiles->text(), miles);
        QCOMPARE(e->Amount->text(), QStringLiteral("20"));
        QVERIFY(e->Flags().DayArmed);
        QVERIFY(e->Flags().BackDated);
        QCOMPARE(w->StatusText(7), QStringLiteral("BACK"));
    }

    void newFirstRecord()
    {
        begin(3);
        e->YearChange->setValue(2011);
        fillUp(QStringLiteral("01"), QStringLiteral("12"), QStringLiteral("9000"), QStringLiteral("26.00"), QStringLiteral("20"));
        QCOMPARE(w->FuelLog.mid(0, 4), (QStringList{"01/12/2011", "9000", "20.00", "130.00"}));
        QCOMPARE(fileLines().first(), QStringLiteral("01/12/2011"));
        QCOMPARE(e->DOldmiles->text(), QStringLiteral("No prior mileage"));
        QCOMPARE(e->DispMpg->text(), QStringLiteral("N/A"));
        QCOMPARE(e->DDone->text(), QStringLiteral("N/A"));
        QCOMPARE(e->DaysDone->text(), QStringLiteral("N/A"));
        QCOMPARE(e->Finaldate->text(), QStringLiteral("15/01/2012"));
    }

    void firstFillUpOfAnEmptyLog()
    {
        begin(0);
        QVERIFY(e->isVisible()); // no data file: the entry opened by itself
        fillUp(QStringLiteral("10"), QStringLiteral("06"), QStringLiteral("10000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), QByteArray("10/06/2012\r\n10000\r\n40.00\r\n130.00\r\n"));
        QCOMPARE(e->DDone->text(), QStringLiteral("10000"));
        QCOMPARE(e->DispMpg->text(), QStringLiteral("0"));
        QCOMPARE(e->DispKPL->text(), QStringLiteral("0"));
        QCOMPARE(e->DaysDone->text(), QStringLiteral("N/A"));
        QCOMPARE(e->NumItems->text(), QStringLiteral("1"));
        noSurprises();
    }

    void zeroMilesIntoAnEmptyLog()
    {
        begin(0);
        h.platform.answers << mrOk;
        fillUp(QStringLiteral("10"), QStringLiteral("06"), QStringLiteral("0"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(h.platform.texts(), QStringList{"Duplicate Distance Entered"});
        QVERIFY(!h.app.exists(QStringLiteral("AB12.dat")));
    }

    void unitsAndStoredLines_data()
    {
        QTest::addColumn<int>("fuelUnit");
        QTest::addColumn<int>("distanceUnit");
        QTest::addColumn<QString>("miles");
        QTest::addColumn<QString>("spent");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("shown"); // DispGalls, PPLBox, PPGBox, ConvertDistance
        QTest::newRow("gallons") << 0 << 0 << "10000" << "45.00" << "10" << QStringList{"10000", "45.46", "98.99"}
                                 << QStringList{"45.46", "98.99", "4.50", "16090"};
        QTest::newRow("litres") << 1 << 0 << "10000" << "45.00" << "50" << QStringList{"10000", "50.00", "90.00"}
                                << QStringList{"11.00", "90.00", "4.09", "16090"};
        QTest::newRow("four significant digits") << 1 << 0 << "10000" << "100" << "123.456"
                                                 << QStringList{"10000", "123.50", "81.00"}
                                                 << QStringList{"27.16", "81.00", "3.68", "16090"};
        QTest::newRow("kilometres") << 1 << 1 << "100" << "45.00" << "50" << QStringList{"62", "50.00", "90.00"}
                                    << QStringList{"11.00", "90.00", "4.09", "62"};
        QTest::newRow("negative values pass") << 1 << 0 << "10000" << "-5" << "-5" << QStringList{"10000", "-5.00", "100.00"}
                                              << QStringList{"-1.10", "100.00", "4.55", "16090"};
    }
    void unitsAndStoredLines()
    {
        QFETCH(int, fuelUnit);
        QFETCH(int, distanceUnit);
        QFETCH(QString, miles);
        QFETCH(QString, spent);
        QFETCH(QString, qty);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        begin(0, {QStringLiteral("Entry Fuel Units=%1").arg(fuelUnit), QStringLiteral("Entry Distance Units=%1").arg(distanceUnit)});
        fillUp(QStringLiteral("10"), QStringLiteral("06"), miles, spent, qty);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(QStringList{"10/06/2012"} + stored));
        QCOMPARE((QStringList{e->DispGalls->text(), e->PPLBox->text(), e->PPGBox->text(), e->ConvertDistance->text()}), shown);
        noSurprises();
    }

    void bulkScheme()
    {
        begin(3, {QStringLiteral("Scheme=1"), QStringLiteral("ppl=1.05")});
        h.platform.calls.clear(); // the notice of the missing bulk file
        QVERIFY(e->PPrice->isHidden());
        QVERIFY(e->AmountLab->isHidden());
        QCOMPARE(e->PPLBox->text(), QStringLiteral("1.05"));
        QCOMPARE(e->PurchasedLab->text(), QStringLiteral("Gallons Filled"));
        type(e->PDay, QStringLiteral("20"));
        type(e->Pmonth, QStringLiteral("01"));
        type(e->NMiles, QStringLiteral("11000"));
        QVERIFY(e->Amount->hasFocus());
        type(e->Amount, QStringLiteral("40"));
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        QCOMPARE(w->FuelLog.mid(12), (QStringList{"20/01/2012", "11000", "40.00", "1.05"}));
        QCOMPARE(e->PPGBox->text(), QStringLiteral("0.05"));
        QVERIFY(h.platform.calls.isEmpty());
        // An unreadable default price: refused, and the entry is left as it is.
        w->OptionsTabs->DefaultPpl->setText(QStringLiteral("abc"));
        h.platform.answers << mrOk;
        type(e->PDay, QStringLiteral("21"));
        type(e->Pmonth, QStringLiteral("01"));
        type(e->NMiles, QStringLiteral("11300"));
        type(e->Amount, QStringLiteral("40"));
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        QCOMPARE(h.platform.texts(), QStringList{"No Default fuel price exists"});
        QCOMPARE(h.platform.calls.last().kind, MsgKind::Error);
        QCOMPARE(w->FuelLog.size(), 16);
        QCOMPARE(e->NMiles->text(), QStringLiteral("11300"));
    }

    void yearArrowsRestartAfterADate()
    {
        begin(3);
        e->YearChange->setValue(2011);
        QCOMPARE(e->PYear->text(), QStringLiteral("2011")); // no date yet: the arrows only move the year
        e->YearChange->setValue(2012);
        type(e->PDay, QStringLiteral("20"));
        type(e->Pmonth, QStringLiteral("01"));
        QVERIFY(e->Flags().DateDone);
        e->YearChange->setValue(2011);
        QCOMPARE(e->PYear->text(), QStringLiteral("2012"));
        QCOMPARE(e->YearChange->value(), 2012);
        QVERIFY(e->PDay->text().isEmpty());
        QVERIFY(e->PDay->isEnabled());
        QVERIFY(e->Flags().DayArmed);
    }

    void acceptBeforeTheStepsPassed()
    {
        begin(3);
        type(e->PDay, QStringLiteral("20"));
        type(e->Pmonth, QStringLiteral("01"));
        e->NMiles->setText(QStringLiteral("11000"));
        e->PPrice->setText(QStringLiteral("52"));
        e->Amount->setText(QStringLiteral("40"));
        h.platform.answers << mrOk;
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        const auto *m = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(m->text, QStringLiteral("Invalid Data Entered"));
        QCOMPARE(m->kind, MsgKind::Warning);
        QCOMPARE(m->buttons, mbOk | mbHelp);
        QCOMPARE(m->help, 5);
        QVERIFY(e->NMiles->text().isEmpty() && e->PPrice->text().isEmpty() && e->Amount->text().isEmpty());
        QCOMPARE(w->FuelLog.size(), 12);
    }

    void acceptanceRefusesWhatChangedAfterItsStep_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        // A reading with decimals fails the distance step: a step not done.
        QTest::newRow("reading with decimals") << "NMiles" << "11000.5" << "Invalid Data Entered";
        // A box that no longer passes its own step counts as a step not done.
        QTest::newRow("distance emptied") << "NMiles" << "" << "Invalid Data Entered";
        QTest::newRow("distance made smaller") << "NMiles" << "10000" << "Invalid Data Entered";
        QTest::newRow("quantity emptied") << "Amount" << "" << "Invalid Data Entered";
        QTest::newRow("quantity made zero") << "Amount" << "0" << "Invalid Data Entered";
        QTest::newRow("price emptied") << "PPrice" << "" << "Invalid Data Entered";
        QTest::newRow("price made text") << "PPrice" << "12a" << "Invalid Data Entered";
        QTest::newRow("day changed") << "PDay" << "21" << "Invalid Data Entered";
        QTest::newRow("month changed") << "Pmonth" << "02" << "Invalid Data Entered";
    }
    void acceptanceRefusesWhatChangedAfterItsStep()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        begin(3);
        type(e->PDay, QStringLiteral("20"));
        type(e->Pmonth, QStringLiteral("01"));
        type(e->NMiles, QStringLiteral("11000"));
        type(e->PPrice, QStringLiteral("52"));
        type(e->Amount, QStringLiteral("40"));
        e->findChild<QLineEdit *>(box)->setText(text);
        h.platform.answers << mrOk;
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        QCOMPARE(h.platform.texts(), QStringList{message});
        const bool stepUndone = message == QLatin1String("Invalid Data Entered");
        QCOMPARE(h.platform.calls.last().kind, stepUndone ? MsgKind::Warning : MsgKind::Error);
        QCOMPARE(h.platform.calls.last().buttons, stepUndone ? mbOk | mbHelp : int(mbOk));
        QCOMPARE(w->FuelLog.size(), 12);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(AppFolder::log(3)));
        QVERIFY(e->Flags().DayArmed); // the entry started again
    }

    void failedSaveTakesTheFillUpBack()
    {
        begin(3);
        QFile::remove(h.app.file(QStringLiteral("AB12.dat")));
        QDir(h.app.path()).mkdir(QStringLiteral("AB12.dat")); // cannot be replaced by a file
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(h.platform.calls.size(), 1);
        QCOMPARE(h.platform.calls.first().what, QStringLiteral("ShowMessage"));
        QVERIFY(h.platform.calls.first().text.contains(QStringLiteral("AB12.dat")));
        QCOMPARE(w->FuelLog, AppFolder::log(3));
        QCOMPARE(e->NumItems->text(), QStringLiteral("3"));
        QCOMPARE(e->Finaldate->text(), QStringLiteral("15/01/2012"));
    }

    // After one fill-up, a second one typed without its Enter steps is
    // refused: nothing is stored and the file still loads.
    void aSecondAcceptGoesThroughTheSteps()
    {
        begin(3);
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        const QByteArray afterFirst = h.app.read(QStringLiteral("AB12.dat"));
        QTest::keyClicks(e->NMiles, QStringLiteral("11300"));
        QTest::keyClicks(e->PPrice, QStringLiteral("50.00"));
        QTest::keyClicks(e->Amount, QStringLiteral("38"));
        h.platform.answers << mrOk;
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        QCOMPARE(h.platform.texts(), QStringList{"Invalid Data Entered"});
        QCOMPARE(w->FuelLog.size(), 16);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), afterFirst);
        QVERIFY(w->Files().Getcardata(h.app.file(QStringLiteral("AB12.dat"))));
        // Through the steps it is stored.
        fillUp(QStringLiteral("27"), QStringLiteral("01"), QStringLiteral("11300"), QStringLiteral("50.00"), QStringLiteral("38"));
        QCOMPARE(w->FuelLog.mid(16), (QStringList{"27/01/2012", "11300", "38.00", "131.58"}));
    }

    // The next fill-up typed straight in, box after box as the focus moves,
    // replaces the date kept from the one before.
    void nextFillUpIsTypedOverTheLast()
    {
        begin(3);
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(e->PDay->text(), QStringLiteral("20"));
        for (const char *typed : {"27", "02", "11300", "50.00", "38"}) {
            QWidget *box = QApplication::focusWidget();
            QVERIFY(qobject_cast<QLineEdit *>(box));
            QTest::keyClicks(box, QLatin1String(typed));
            QTest::keyClick(box, Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), e->Accept);
        QTest::keyClick(e->Accept, Qt::Key_Return);
        QCOMPARE(w->FuelLog.mid(16), (QStringList{"27/02/2012", "11300", "38.00", "131.58"}));
    }

    // A quantity confirmed for one vehicle is not carried into the next
    // entry after Quit: the new entry must confirm its own.
    void quitAndRestartForgetTheSteps()
    {
        begin(3);
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QTest::keyClick(e->PDay, Qt::Key_Escape);
        w->EnterDataClick();
        type(e->PDay, QStringLiteral("27"));
        type(e->Pmonth, QStringLiteral("01"));
        type(e->NMiles, QStringLiteral("11300"));
        type(e->PPrice, QStringLiteral("50.00"));
        e->Amount->setText(QStringLiteral("38")); // typed, never confirmed
        h.platform.answers << mrOk;
        QTest::mouseClick(e->Accept, Qt::LeftButton);
        QCOMPARE(h.platform.texts(), QStringList{"Invalid Data Entered"});
        QCOMPARE(w->FuelLog.size(), 16);
    }

    // The whole fill-up from the keyboard: Enter on the focused Accept
    // button stores it, as a click does.
    void enterOnAcceptStoresTheFillUp()
    {
        begin(3);
        type(e->PDay, QStringLiteral("20"));
        type(e->Pmonth, QStringLiteral("01"));
        type(e->NMiles, QStringLiteral("11000"));
        type(e->PPrice, QStringLiteral("52.00"));
        type(e->Amount, QStringLiteral("40"));
        QVERIFY(e->Accept->hasFocus());
        QTest::keyClick(e->Accept, Qt::Key_Return);
        QCOMPARE(w->FuelLog.size(), 16);
        QVERIFY(e->PDay->hasFocus());
        noSurprises();
    }

    // Half a figure typed, then F1 or another window, and back: the box
    // keeps its text and cursor, so the rest of the figure adds to it rather
    // than replacing it.
    void comingBackKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("help"); // F1 first, as the user asks for help
        QTest::addColumn<QStringList>("record");
        const QStringList stored{"20/01/2012", "11000", "50.00", "90.00"};
        QTest::newRow("amount spent, F1") << "PPrice" << true << stored;
        QTest::newRow("amount spent, another window") << "PPrice" << false << stored;
        QTest::newRow("distance, F1") << "NMiles" << true << stored;
        QTest::newRow("distance, another window") << "NMiles" << false << stored;
    }
    void comingBackKeepsWhatWasTyped()
    {
        QFETCH(QString, box);
        QFETCH(bool, help);
        QFETCH(QStringList, record);
        begin(3);
        const QMap<QString, QString> typed{{"PDay", "20"}, {"Pmonth", "01"}, {"NMiles", "11000"}, {"PPrice", "45"}, {"Amount", "50"}};
        for (QLineEdit *b : {e->PDay, e->Pmonth, e->NMiles, e->PPrice, e->Amount}) {
            QVERIFY2(b->hasFocus(), qPrintable(b->objectName()));
            const QString text = typed.value(b->objectName());
            if (b->objectName() == box) {
                QTest::keyClicks(b, text.left(1));
                if (help)
                    QTest::keyClick(b, Qt::Key_F1);
                AwayAndBack(w);
                QVERIFY(b->hasFocus());
                QTest::keyClicks(b, text.mid(1));
            } else {
                QTest::keyClicks(b, text);
            }
            QTest::keyClick(b, Qt::Key_Return);
        }
        QCOMPARE(h.platform.helpTopics.size(), help ? 1 : 0);
        QTest::keyClick(e->Accept, Qt::Key_Return);
        QCOMPARE(w->FuelLog.mid(12), record);
        noSurprises();
    }

    // The panel's access keys are not the menu bar's.
    void accessKeysDoNotClashWithTheMenus()
    {
        begin(3);
        auto key = [](const QString &caption) {
            const qsizetype at = caption.indexOf(QLatin1Char('&'));
            return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toLower() : QChar();
        };
        QString menuKeys;
        for (QAction *menu : w->menuBar()->actions())
            menuKeys += key(menu->text());
        // The bulk panel stands over this one: its keys are its own too.
        BulkPanel *b = w->BulkPurchase;
        QString panelKeys;
        for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{e->Accept, e->QuitdatEnt, e->Restart, e->Button1,
                                                                                e->TankNotFilled, e->MissedBefore, b->BAccept,
                                                                                b->BReStart, b->BulkQuitBtn, b->Button19}) {
            const QChar k = key(button->text());
            QVERIFY2(!k.isNull(), qPrintable(button->objectName()));
            QVERIFY2(!menuKeys.contains(k), qPrintable(button->text()));
            QVERIFY2(!panelKeys.contains(k), qPrintable(button->text()));
            panelKeys += k;
        }
        // Behind the bulk panel, the fuel entry's keys press nothing.
        TypeAndEnter(e->PDay, QStringLiteral("20"));
        TypeAndEnter(e->Pmonth, QStringLiteral("01"));
        QTest::keyClicks(e->NMiles, QStringLiteral("11300"));
        b->BulkButtonClick();
        h.platform.calls.clear();
        for (Qt::Key k : {Qt::Key_C, Qt::Key_Q, Qt::Key_S})
            QTest::keyClick(b->BDay, k, Qt::AltModifier);
        // A key's click is animated: it lands later, in the order pressed.
        // Once the bulk panel's own Quit has landed, so would have any of
        // the entry's.
        QTest::keyClick(b->BDay, Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(b->isHidden());
        QVERIFY(e->isVisible());
        QCOMPARE(e->NMiles->text(), QStringLiteral("11300"));
        QVERIFY(h.platform.calls.isEmpty());
    }

    // The data view open for editing behind a panel: a letter both use
    // presses the front panel's button, not only moves the focus to it.
    void accessKeysPressTheFrontPanelsButton_data()
    {
        QTest::addColumn<bool>("bulk");
        QTest::addColumn<int>("key");
        QTest::newRow("bulk Accep&t, the view's Edi&t") << true << int(Qt::Key_T);
        QTest::newRow("bulk He&lp, the view's De&lete") << true << int(Qt::Key_L);
        QTest::newRow("entry Hel&p, the view's Hel&p") << false << int(Qt::Key_P);
    }
    void accessKeysPressTheFrontPanelsButton()
    {
        QFETCH(bool, bulk);
        QFETCH(int, key);
        begin(3, {QStringLiteral("Scheme=%1").arg(int(bulk)), QStringLiteral("ppl=1.05")});
        w->View1->trigger();
        h.platform.answers << mrYes;
        QTest::mouseClick(w->Datadisplay->Edit, Qt::LeftButton);
        QVERIFY(w->Datadisplay->ViewDelete->isVisible() && w->Datadisplay->Edit2->isVisible());
        BulkPanel *b = w->BulkPurchase;
        if (bulk) {
            w->BulkButton->click();
            QVERIFY(b->isVisible());
            TypeAndEnter(b->BDay, QStringLiteral("20"));
            TypeAndEnter(b->BMonth, QStringLiteral("01"));
            TypeAndEnter(b->BPrice, QStringLiteral("95.00"));
            TypeAndEnter(b->BAmount, QStringLiteral("100"));
        } else {
            w->EnterDataClick();
            QVERIFY(e->isVisible() && w->Datadisplay->isVisible());
        }
        h.platform.calls.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        if (key == Qt::Key_T)
            QTRY_VERIFY(h.app.exists(QStringLiteral("bulk.dat")));
        else
            QTRY_COMPARE(h.platform.helpTopics, QList<int>{bulk ? 15 : HelpTopic::FuelEntry});
        QCOMPARE(w->FuelLog.size(), 12); // nothing of the view's
    }

    // The same fill-ups entered with and without marks, from the keyboard:
    // the car data file is the same byte for byte; the marks go beside it
    // and change the figures shown.
    void marksFromTheKeyboard_data()
    {
        QTest::addColumn<QStringList>("keys");    // access keys pressed for each fill-up: N not filled, B missed before
        QTest::addColumn<QStringList>("figures"); // MPG and KPL after each of the three fill-ups
        QTest::addColumn<QByteArray>("marksFile");
        // Unmarked, as ever: 200 miles on the 40 litres before, 200 on 10
        // litres, 500 on 30 (200 x 1.609 / 40 = 8.045 is a shade under in
        // binary: 8.04). Marked: the partial one shows it; the next
        // measures from 10600, the last full tank, over 40 + 10 litres:
        // 400 / (50 / 4.546) = 36.37 and 400 x 1.609 / 50 = 12.87.
        QTest::newRow("unmarked") << QStringList{"", "", ""} << QStringList{"22.73", "8.04", "90.92", "32.18", "75.77", "26.82"}
                                  << QByteArray();
        QTest::newRow("marked") << QStringList{"N", "", "B"} << QStringList{"Partial", "Partial", "36.37", "12.87", "Missed", "Missed"}
                                << QByteArray("20/01/2012,10800,partial\r\n30/01/2012,11500,missed\r\n");
        // The first both partial and after a missed one: the two boxes stay
        // ticked together, and the next full tank, measured across the
        // unlogged fill-up, has no figure.
        QTest::newRow("partial after a missed one")
            << QStringList{"NB", "", "B"} << QStringList{"Partial", "Partial", "N/A", "N/A", "Missed", "Missed"}
            << QByteArray("20/01/2012,10800,partial,missed\r\n30/01/2012,11500,missed\r\n");
    }
    void marksFromTheKeyboard()
    {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, figures);
        QFETCH(QByteArray, marksFile);
        begin(3);
        const struct {
            const char *day, *miles, *spent, *qty;
        } fills[] = {{"20", "10800", "13.00", "10"}, {"25", "11000", "39.00", "30"}, {"30", "11500", "52.00", "40"}};
        QStringList shown;
        for (const auto &f : fills) {
            const QString marks = keys.value(int(&f - fills));
            QVERIFY(!e->TankNotFilled->isChecked() && !e->MissedBefore->isChecked()); // unticked for every entry
            type(e->PDay, QLatin1String(f.day));
            type(e->Pmonth, QStringLiteral("01"));
            type(e->NMiles, QLatin1String(f.miles));
            type(e->PPrice, QLatin1String(f.spent));
            type(e->Amount, QLatin1String(f.qty));
            QVERIFY(e->Accept->hasFocus());
            for (QChar k : marks)
                QTest::keyClick(QApplication::focusWidget(), k == QLatin1Char('N') ? Qt::Key_N : Qt::Key_B, Qt::AltModifier);
            QTRY_COMPARE(e->TankNotFilled->isChecked(), marks.contains(QLatin1Char('N')));
            QTRY_COMPARE(e->MissedBefore->isChecked(), marks.contains(QLatin1Char('B')));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
            QTRY_COMPARE(e->NumItems->text(), QString::number(int(w->FuelLog.size() / 4)));
            QTRY_VERIFY(e->NMiles->text().isEmpty());
            shown << e->DispMpg->text() << e->DispKPL->text();
        }
        QCOMPARE(shown, figures);
        QCOMPARE(fileLines().size(), 24);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(AppFolder::log(3)) + "20/01/2012\r\n10800\r\n10.00\r\n130.00\r\n"
                     "25/01/2012\r\n11000\r\n30.00\r\n130.00\r\n30/01/2012\r\n11500\r\n40.00\r\n130.00\r\n");
        QCOMPARE(h.app.exists(QStringLiteral("AB12.marks")), !marksFile.isEmpty());
        QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), marksFile);
        noSurprises();
    }

    // Loading another vehicle brings its own log's end into the panel; the
    // previous distance of the vehicle before does not refuse a fill-up.
    void anotherVehicleBringsItsOwnLogEnd()
    {
        begin(3);
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(e->DOldmiles->text(), QStringLiteral("11000"));
        QCOMPARE(e->LastDate->text(), QStringLiteral("20/01/2012"));
        h.app.write(QStringLiteral("CD34.dat"), AppFolder::crlf({"02/01/2012", "5000", "30.00", "130.00"}));
        h.platform.fileAnswers << h.app.file(QStringLiteral("CD34.dat"));
        h.platform.answers << mrNo << mrOk; // not the default vehicle; "Default File Not Changed"
        w->OpenBtn->click();
        QCOMPARE(w->FuelLog.size(), 4);
        QCOMPARE(e->DOldmiles->text(), QStringLiteral("5000"));
        QCOMPARE(e->LastDate->text(), QStringLiteral("02/01/2012"));
        QCOMPARE(e->FinalMiles->text(), QStringLiteral("5000"));
        QCOMPARE(e->Finaldate->text(), QStringLiteral("02/01/2012"));
        QCOMPARE(e->NumItems->text(), QStringLiteral("1"));
        QCOMPARE(w->StatusText(1), QStringLiteral(" 02/01/2012"));
        // Nothing of the other vehicle's last fill-up is shown.
        for (QLineEdit *b : {e->DispGalls, e->ConvertDistance, e->DDone, e->DaysDone, e->PPGBox, e->PPLBox, e->DispMpg, e->DispKPL})
            QVERIFY2(b->text().isEmpty(), qPrintable(b->objectName()));
        h.platform.calls.clear();
        w->EnterDataClick();
        fillUp(QStringLiteral("09"), QStringLiteral("01"), QStringLiteral("5300"), QStringLiteral("40.00"), QStringLiteral("30"));
        QCOMPARE(w->FuelLog.mid(4), (QStringList{"09/01/2012", "5300", "30.00", "133.33"}));
        QCOMPARE(e->DDone->text(), QStringLiteral("300"));
        noSurprises();
        // An emptied log leaves nothing of it behind.
        h.platform.answers << mrOk << mrOk;
        w->Files().New1Click();
        QVERIFY(w->FuelLog.isEmpty());
        QCOMPARE(e->DOldmiles->text(), QStringLiteral("0"));
        QVERIFY(e->LastDate->text().isEmpty());
        QCOMPARE(e->FinalMiles->text(), QStringLiteral("0"));
        QVERIFY(e->Finaldate->text().isEmpty());
        QCOMPARE(e->NumItems->text(), QStringLiteral("0"));
        QCOMPARE(w->StatusText(1), QString());
    }

    // A hand-edited reading too large for any whole number: the back-dated
    // placement reads it as no reading, without undefined behaviour.
    void hugeReadingsInTheLog()
    {
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"),
                    AppFolder::crlf({"01/01/2012", "1e300", "40.00", "130.00", "08/01/2012", "-1e300", "40.00", "130.00",
                                     "15/01/2012", "nan", "40.00", "130.00"}));
        w = &h.start();
        e = w->DataEntry;
        w->EnterDataClick();
        fillUp(QStringLiteral("10"), QStringLiteral("01"), QStringLiteral("100"), QStringLiteral("26.00"), QStringLiteral("20"));
        QCOMPARE(w->FuelLog.size(), 12); // refused one way or another, never stored blindly
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("100"), QStringLiteral("26.00"), QStringLiteral("20"));
        QCOMPARE(w->FuelLog.mid(12), (QStringList{"20/01/2012", "100", "20.00", "130.00"}));
    }

    // Events run while a back-dated fill-up is placed: a log changed by one
    // of them is not written over with the fill-up placed in the old one.
    void aLogChangedDuringThePlacementIsKept()
    {
        begin(3);
        QStringList big;
        const QString blanks(200, QLatin1Char(' ')); // a slow reading to walk past: the search breathes
        for (int i = 0; i < 150000; ++i)
            big << QStringLiteral("31/12/2012") << blanks + QString::number(100000 + i) << QStringLiteral("40.00")
                << QStringLiteral("130.00");
        w->FuelLog = big;
        w->State().FuelLogChanged();
        const QByteArray file = h.app.read(QStringLiteral("AB12.dat"));
        bool changed = false;
        QTimer::singleShot(0, w, [&] {
            w->FuelLog = AppFolder::log(2); // another vehicle's log arrives meanwhile
            changed = true;
        });
        fillUp(QStringLiteral("02"), QStringLiteral("01"), QStringLiteral("5"), QStringLiteral("52.00"), QStringLiteral("40"));
        QVERIFY(changed);
        QCOMPARE(h.platform.texts(), QStringList{EntryRules::ChangedDuringPlacement});
        QCOMPARE(w->FuelLog, AppFolder::log(2));
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), file);
    }

    // With no data file current a fill-up is kept nowhere, and told why:
    // none was set, or the default vehicle's file was refused at start-up
    // (its last date malformed), which is named.
    void noCurrentFileKeepsNothing_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("told");
        QTest::newRow("none set") << false << "No registration Set";
        QTest::newRow("refused at start-up") << true
                                             << "AB12.dat could not be loaded, so nothing is stored in it: Vantiq does not write "
                                                "over a data file it could not read. Correct or restore AB12.dat, or choose another vehicle.";
    }
    void noCurrentFileKeepsNothing()
    {
        QFETCH(bool, refused);
        QFETCH(QString, told);
        const QByteArray bad = AppFolder::crlf({"01/01/2012", "10000", "40.00", "130.00", "8/1/2012", "10300", "40.00", "130.00"});
        if (refused) {
            h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
            h.app.write(QStringLiteral("AB12.dat"), bad);
            w = &h.start();
            e = w->DataEntry;
            QVERIFY(w->FuelLog.isEmpty());
            w->EnterDataClick();
        } else {
            begin(3);
            w->CurrentDataFile = h.app.path() + QStringLiteral("*.dat");
        }
        h.platform.calls.clear();
        fillUp(QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000"), QStringLiteral("52.00"), QStringLiteral("40"));
        QCOMPARE(h.platform.texts(), QStringList{told});
        QCOMPARE(w->FuelLog.size(), refused ? 0 : 12);
        QVERIFY(!h.app.exists(QStringLiteral("*.dat")));
        if (refused)
            QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), bad);
    }
};

VANTIQ_TEST(FuelEntryTest)
#include "tst_fuelentry.moc"
