#include "Harness.h"
#include "TestMain.h"
#include "TestVehicles.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/vehicles/DetailsPanel.h"
#include "gui/vehicles/SundryWindow.h"
#include "gui/vehicles/VehicleListView.h"
#include "gui/vehicles/VehicleManager.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtEndian>

// Sundry purchases: entered through the form for the selected vehicle,
// stored in its record and saved with the vehicle list.
class SundryTest : public QObject {
    Q_OBJECT

    static TVehicleRecord vehicle(const QString &reg) { return TestVehicle(reg); }
    // The manager open on AA1 and BB2, BB2 clicked (selected).
    TVantiq_ &selected(Harness &h, const TVehicleRecord &second = vehicle(QStringLiteral("BB2")))
    {
        h.settings({QStringLiteral("Registration=AA1")});
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(vehicle(QStringLiteral("AA1"))) + VehicleFile::Encode(second));
        TVantiq_ &w = h.start();
        w.VehSelect->VehicalList->Select(1);
        w.VehSelect->VehicalListClick();
        return w;
    }
    // The form answered with the given texts; Accept pressed as often as it
    // takes, Cancel when cancel is set.
    static void answerForm(Harness &h, const QString &description, const QString &date, const QString &cost, bool cancel = false)
    {
        h.platform.modalHandlers << [=](QDialog &d) {
            auto &f = static_cast<TSundryForm &>(d);
            f.Description->setText(description);
            f.DateBox->setText(date);
            f.CostBox->setText(cost);
            QTest::mouseClick(cancel ? f.CancelBtn : f.AcceptBtn, Qt::LeftButton);
            return d.result();
        };
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void anItemAtItsOffsets()
    {
        Harness h;
        TVantiq_ &w = selected(h);
        QString title;
        h.platform.modalHandlers << [&](QDialog &d) {
            title = d.windowTitle();
            auto &f = static_cast<TSundryForm &>(d);
            f.Description->setText(QString(60, QLatin1Char('x')));
            f.DateBox->setText(QStringLiteral("3/11/2012"));
            f.CostBox->setText(QStringLiteral("12.50"));
            QTest::mouseClick(f.AcceptBtn, Qt::LeftButton);
            return d.result();
        };
        w.EntersundrysBtn->click();
        QCOMPARE(title, QStringLiteral("Sundrys for BB2"));
        const QByteArray file = h.app.read(QStringLiteral("vehs3.veh"));
        const char *record = file.constData() + 1848;
        QCOMPARE(qFromLittleEndian<double>(record + 400), VehicleFile::ToDays(QDate(2012, 11, 3)));
        QCOMPARE(int(quint8(record[408])), 50);
        QCOMPARE(QByteArray(record + 409, 50), QByteArray(50, 'x'));
        QCOMPARE(qFromLittleEndian<double>(record + 464), 12.5);
        QCOMPARE(qFromLittleEndian<qint32>(record + 1840), 1);
        QCOMPARE(file.left(1848), VehicleFile::Encode(vehicle(QStringLiteral("AA1"))));

        // The form keeps its texts for the next item; the second slot follows.
        QString kept;
        h.platform.modalHandlers << [&](QDialog &d) {
            auto &f = static_cast<TSundryForm &>(d);
            kept = f.CostBox->text();
            f.CostBox->setText(QStringLiteral("-2"));
            QTest::mouseClick(f.AcceptBtn, Qt::LeftButton);
            return d.result();
        };
        w.SundryPurchases1->trigger();
        QCOMPARE(kept, QStringLiteral("12.50"));
        QCOMPARE(w.Vehicles.At(1).SundryCount, 2);
        QCOMPARE(w.Vehicles.At(1).Sundries[1].Cost, -2.0);
    }

    // The total of every slot, on the details panel and in the summary.
    void totals()
    {
        Harness h;
        TVehicleRecord b = vehicle(QStringLiteral("AB12"));
        b.Sundries[0] = {VehicleFile::ToDays(QDate(2009, 1, 1)), QStringLiteral("Wipers"), 20.25};
        b.Sundries[7] = {0, QString(), 5}; // past the count: still counted
        b.SundryCount = 1;
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(4)));
        TVantiq_ &w = selected(h, b);
        w.VehSelect->Details1Click();
        QCOMPARE(w.VehSelect->NewDetails->NumSundrysDisp->text(), QStringLiteral("1"));
        QCOMPARE(w.VehSelect->NewDetails->SundryDisp->text(), QStringLiteral("25.25"));
        w.VehSelect->VehicalListDblClick(); // AB12 becomes current, and stays selected
        w.analisebutton();
        auto *a = qobject_cast<TAnalisisForm *>(w.MdiArea->subWindowList().first());
        QVERIFY(a->Summary->toPlainText().contains(QStringLiteral("     Sundary Items this year \u00A3 25.25")));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << "" << "12.50" << "Please enter the date of purchase as a date such as 15/06/2012";
        QTest::newRow("a two-digit year") << "03/11/12" << "12.50" << "Please enter the date of purchase as a date such as 15/06/2012";
        QTest::newRow("no such day") << "31/02/2012" << "12.50" << "Please enter the date of purchase as a date such as 15/06/2012";
        QTest::newRow("a decimal comma") << "03/11/2012" << "12,50" << "Please enter the cost as a plain number such as 12.50";
        QTest::newRow("a currency sign") << "03/11/2012" << "\u00A312.50" << "Please enter the cost as a plain number such as 12.50";
        QTest::newRow("a billion") << "03/11/2012" << "1e9" << "Please enter the cost as a plain number such as 12.50";
        QTest::newRow("empty") << "03/11/2012" << "" << "Please enter the cost as a plain number such as 12.50";
    }
    void refusals()
    {
        QFETCH(QString, date);
        QFETCH(QString, cost);
        QFETCH(QString, message);
        Harness h;
        TVantiq_ &w = selected(h);
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        bool stayedOpen = false;
        h.platform.modalHandlers << [&](QDialog &d) {
            auto &f = static_cast<TSundryForm &>(d);
            f.DateBox->setText(date);
            f.CostBox->setText(cost);
            QTest::mouseClick(f.AcceptBtn, Qt::LeftButton);
            stayedOpen = d.result() != QDialog::Accepted && f.CostBox->text() == cost;
            return d.result();
        };
        w.SundryPurchases1Click();
        QVERIFY(stayedOpen);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(), message);
        QCOMPARE(w.Vehicles.At(1).SundryCount, 0);
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before);
    }

    void cancelStoresNothing()
    {
        Harness h;
        TVantiq_ &w = selected(h);
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        answerForm(h, QStringLiteral("Oil"), QStringLiteral("03/11/2012"), QStringLiteral("9.99"), true);
        w.SundryPurchases1Click();
        QCOMPARE(w.Vehicles.At(1).SundryCount, 0);
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before);
    }

    void noVehicleSelected()
    {
        Harness h;
        h.settings({QStringLiteral("Registration=AA1")});
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(vehicle(QStringLiteral("AA1"))));
        TVantiq_ &w = h.start();
        w.SundryPurchases1Click();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{"No vehicle selected"});
        w.VehSelect->EnterSundrys1Click(); // nothing chosen in the list either
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 2);
        // A selection that no longer names an entry is none.
        w.SelectedIndex = 5;
        w.SundryPurchases1Click();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 3);
    }

    void twentyAtMost_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("twenty held") << 20;
        QTest::newRow("a count out of range") << 31;
        QTest::newRow("a negative count") << -1;
    }
    void twentyAtMost()
    {
        QFETCH(int, count);
        Harness h;
        TVehicleRecord b = vehicle(QStringLiteral("BB2"));
        b.SundryCount = count;
        TVantiq_ &w = selected(h, b);
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        w.SundryPurchases1Click(); // no form: the test gives no modal answer
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{"No more sundry items can be stored for BB2: a vehicle holds 20"});
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before);
    }

    void aFailedSaveTakesTheItemBack()
    {
        Harness h;
        TVantiq_ &w = selected(h);
        QFile::remove(h.app.file(QStringLiteral("vehs3.veh")));
        QDir(h.app.path()).mkdir(QStringLiteral("vehs3.veh"));
        answerForm(h, QStringLiteral("Oil"), QStringLiteral("03/11/2012"), QStringLiteral("9.99"));
        w.SundryPurchases1Click();
        QCOMPARE(w.Vehicles.At(1).SundryCount, 0);
        QCOMPARE(w.Vehicles.At(1).Sundries[0], TSundryItem{});
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).last().contains(QStringLiteral("vehs3.veh")));
    }

    void datePicked()
    {
        Harness h;
        TVantiq_ &w = selected(h);
        QString request, picked;
        QDate shown;
        h.platform.modalHandlers << [&](QDialog &d) {
            auto &f = static_cast<TSundryForm &>(d);
            h.platform.modalHandlers << [&](QDialog &c) {
                request = c.findChild<QLabel *>(QStringLiteral("Info"))->text();
                auto *cal = c.findChild<QCalendarWidget *>(QStringLiteral("Cal"));
                shown = cal->selectedDate();
                cal->setSelectedDate(QDate(2012, 5, 4));
                return int(QDialog::Accepted);
            };
            f.SpeedButton2->click();
            picked = f.DateBox->text();
            f.CostBox->setText(QStringLiteral("1"));
            QTest::mouseClick(f.AcceptBtn, Qt::LeftButton);
            return d.result();
        };
        w.SundryPurchases1Click();
        QCOMPARE(request, QStringLiteral("Please the date the item was purchased"));
        QCOMPARE(shown, QDate(2012, 6, 15));
        QCOMPARE(picked, QStringLiteral("04/05/2012"));
        QCOMPARE(VehicleFile::FromDays(w.Vehicles.At(1).Sundries[0].Date), QDate(2012, 5, 4));
    }

    // Read again, the list keeps the selection on the same vehicle.
    void selectionFollowsARereadList()
    {
        Harness h;
        TVantiq_ &w = selected(h);
        QCOMPARE(w.SelectedIndex, 1);
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(vehicle(QStringLiteral("BB2"))));
        h.platform.answers << mrYes << mrYes; // the current vehicle is not in these lists: the welcome
        w.VehDetails();
        QCOMPARE(w.SelectedIndex, 0);
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(vehicle(QStringLiteral("AA1"))));
        w.VehDetails();
        QCOMPARE(w.SelectedIndex, -1);
    }
};

VANTIQ_TEST(SundryTest)
#include "tst_sundry.moc"
