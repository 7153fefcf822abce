#include "Harness.h"
#include "TestMain.h"
#include "TestVehicles.h"
#include "Typing.h"
#include "core/vehicles/VehicleList.h"
#include "core/entry/LogTableModel.h"
#include "gui/entry/DataViewPanel.h"
#include "gui/entry/FuelEntryPanel.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/SetupPanel.h"
#include <QCheckBox>

#include <QItemSelectionModel>
#include <QPushButton>
#include <QToolButton>
#include <QTableView>

// Two programs on one data folder (a second copy, or a sync program bringing
// another computer's save): neither writes over what the other saved.
class TwoProgramsTest : public QObject {
    Q_OBJECT

    struct Fill {
        QString day, month, miles;
    };
    // Typed into an entry already open (opening one reads the file again).
    static void fillUp(TVantiq_ &w, const Fill &f)
    {
        FuelEntryPanel *e = w.DataEntry;
        if (!e->isVisible())
            w.EnterDataClick();
        TypeAndEnter(e->PDay, f.day);
        TypeAndEnter(e->Pmonth, f.month);
        TypeAndEnter(e->NMiles, f.miles);
        TypeAndEnter(e->PPrice, QStringLiteral("52.00"));
        TypeAndEnter(e->Amount, QStringLiteral("40"));
        QTest::mouseClick(e->Accept, Qt::LeftButton);
    }
    static QStringList readings(const QByteArray &bytes)
    {
        const QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QStringList out;
        for (qsizetype k = 1; k < lines.size(); k += 4)
            out << lines[k];
        return out;
    }
    static void begin(Harness &h, int records)
    {
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(records)));
        h.start();
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    // Each program accepts a fill-up; the second to save finds the first's.
    void aFillUpInEach_data()
    {
        QTest::addColumn<QStringList>("first");  // day, month, reading
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("inFile");
        QTest::addColumn<QString>("told");
        const QString oneKept = QStringLiteral("AB12.dat was changed by another program; its 1 new fill-up is kept and yours is added");
        QTest::newRow("the second's is later")
            << QStringList{"20", "01", "10900"} << QStringList{"25", "01", "11200"}
            << QStringList{"10000", "10300", "10900", "11200"} << oneKept;
        QTest::newRow("the second's is earlier: placed by its reading")
            << QStringList{"25", "01", "11200"} << QStringList{"20", "01", "10900"}
            << QStringList{"10000", "10300", "10900", "11200"} << oneKept;
        QTest::newRow("the same fill-up typed in both: kept once")
            << QStringList{"20", "01", "10900"} << QStringList{"20", "01", "10900"}
            << QStringList{"10000", "10300", "10900"}
            << QStringLiteral("AB12.dat was changed by another program; its 1 new fill-up is kept");
    }
    void aFillUpInEach()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, inFile);
        QFETCH(QString, told);
        Harness h;
        begin(h, 2);
        ScriptedPlatform other;
        const std::unique_ptr<TVantiq_> w2 = h.another(other);
        h.window->EnterDataClick();
        w2->EnterDataClick();
        fillUp(*h.window, {first[0], first[1], first[2]});
        fillUp(*w2, {second[0], second[1], second[2]});
        QCOMPARE(readings(h.app.read(QStringLiteral("AB12.dat"))), inFile);
        QCOMPARE(other.texts(QStringLiteral("ShowMessage")), QStringList{told});
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty());
        // What the second shows is what the file holds, and its next fill-up
        // is not told of the first's again.
        QCOMPARE(readings(w2->FuelLog.join(QStringLiteral("\r\n")).toLatin1() + "\r\n"), inFile);
        QCOMPARE(w2->DataEntry->NumItems->text(), QString::number(inFile.size()));
        fillUp(*w2, {QStringLiteral("30"), QStringLiteral("01"), QStringLiteral("11500")});
        QCOMPARE(readings(h.app.read(QStringLiteral("AB12.dat"))), inFile << QStringLiteral("11500"));
        QCOMPARE(other.texts(QStringLiteral("ShowMessage")).size(), 1);
    }

    // One deletes a record in the data view and saves while the other has
    // added a fill-up: the deletion and the fill-up are both in the file.
    void aDeleteInOneWhileTheOtherAdds()
    {
        Harness h;
        begin(h, 3);
        ScriptedPlatform other;
        const std::unique_ptr<TVantiq_> w2 = h.another(other);
        TVantiq_ &w1 = *h.window;
        DataViewPanel *v = w1.Datadisplay;
        w1.View1->trigger();
        h.platform.answers << mrYes;
        QTest::mouseClick(v->Edit, Qt::LeftButton);
        const QModelIndex cell = v->Model->index(1, 1);
        v->ViewGrid->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
        v->ViewGrid->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
        QTest::mouseClick(v->ViewDelete, Qt::LeftButton);
        fillUp(*w2, {QStringLiteral("20"), QStringLiteral("01"), QStringLiteral("11000")});
        QVERIFY(w1.Files().Save1Click());
        QCOMPARE(readings(h.app.read(QStringLiteral("AB12.dat"))), (QStringList{"10000", "10600", "11000"}));
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 QStringList{QStringLiteral("AB12.dat was changed by another program; its 1 new fill-up is kept and the one you "
                                            "deleted goes")});
        QCOMPARE(v->Model->rowCount(), 3);
    }

    // The data view, open since before another program changed a record,
    // does not change that record over it: the cell, the record form and a
    // delete are refused and the view shows the file; other records change.
    void anEditOfARecordChangedOnDisk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("inLog"); // readings afterwards
        const QStringList theirs{"10000", "10310", "10600"};
        QTest::newRow("a cell of it") << "cell" << 1 << theirs;
        QTest::newRow("its record form") << "form" << 1 << theirs;
        QTest::newRow("its delete") << "delete" << 1 << theirs;
        QTest::newRow("a cell of another") << "cell" << 2 << QStringList{"10000", "10310", "10700"};
        QTest::newRow("the delete of another") << "delete" << 2 << QStringList{"10000", "10310"};
    }
    void anEditOfARecordChangedOnDisk()
    {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QStringList, inLog);
        Harness h;
        begin(h, 3);
        TVantiq_ &w = *h.window;
        DataViewPanel *v = w.Datadisplay;
        w.View1->trigger();
        h.platform.answers << mrYes;
        QTest::mouseClick(v->Edit, Qt::LeftButton);
        QStringList changed = AppFolder::log(3);
        changed[5] = QStringLiteral("10310");
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(changed));
        const QModelIndex cell = v->Model->index(row, 1);
        if (how == QLatin1String("cell")) {
            v->Model->setData(cell, QStringLiteral("10700"), Qt::EditRole);
        } else {
            v->ViewGrid->selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
            v->ViewGrid->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
            if (how == QLatin1String("delete")) {
                QTest::mouseClick(v->ViewDelete, Qt::LeftButton);
            } else {
                QTest::mouseClick(v->Edit2, Qt::LeftButton);
                w.InsertPan->ViewDistance->setText(QStringLiteral("10700"));
                QTest::mouseClick(w.InsertPan->NewOk, Qt::LeftButton);
            }
        }
        QCoreApplication::processEvents(); // the view is shown afresh once the edit has closed
        const bool refused = inLog == QStringList{"10000", "10310", "10600"};
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 refused ? QStringList{DataFileCommands::ChangedOnDisk} : QStringList{});
        if (refused) {
            QCOMPARE(readings(w.FuelLog.join(QStringLiteral("\r\n")).toLatin1() + "\r\n"), inLog);
            QCOMPARE(v->Model->rowCount(), int(inLog.size()));
        } else { // made, and saved into the file as the other program left it
            QVERIFY(w.Files().Save1Click());
            QCOMPARE(readings(h.app.read(QStringLiteral("AB12.dat"))), inLog);
        }
    }

    // A change made while the program sits idle is read before the log is
    // shown: coming back to the window, opening the data view or the analysis.
    void aChangeWhileIdleIsSeen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("coming back") << "back";
        QTest::newRow("the data view") << "view";
        QTest::newRow("the analysis") << "analysis";
    }
    void aChangeWhileIdleIsSeen()
    {
        QFETCH(QString, how);
        Harness h;
        begin(h, 3);
        TVantiq_ &w = *h.window;
        w.DataEntry->QuitdatEntClick();
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(5)));
        if (how == QLatin1String("back")) {
            QWidget elsewhere;
            elsewhere.show();
            QApplication::setActiveWindow(&elsewhere);
            QApplication::setActiveWindow(&w);
        } else if (how == QLatin1String("view")) {
            w.View1->trigger();
            QCOMPARE(w.Datadisplay->Model->rowCount(), 5);
        } else {
            w.Analise->click();
        }
        QCOMPARE(w.FuelLog, AppFolder::log(5));
        QCOMPARE(w.DataEntry->NumItems->text(), QStringLiteral("5"));
        QVERIFY2(w.StatusText(5).startsWith(QStringLiteral("AB12.dat WAS CHANGED BY ANOTHER PROGRAM: READ AGAIN"))
                     || how == QLatin1String("analysis"),
                 qPrintable(w.StatusText(5)));
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty());
        QVERIFY(!w.State().LogUnsaved());
    }

    // Each program changes a setting: both are in the file, and a key the
    // second never changed keeps the first's value.
    void aSettingChangedInEach()
    {
        Harness h;
        begin(h, 2);
        ScriptedPlatform other;
        const std::unique_ptr<TVantiq_> w2 = h.another(other);
        h.window->OptionsTabs->Flash->setChecked(true);
        QVERIFY(h.window->WriteRegistry());
        w2->OptionsTabs->SaveBackup->setChecked(true);
        QVERIFY(w2->WriteRegistry());
        const IniFile ini = IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini")));
        QCOMPARE(ini.Value(Settings::Section, QStringLiteral("Do Flash")), QStringLiteral("1"));
        QCOMPARE(ini.Value(Settings::Section, QStringLiteral("Backup")), QStringLiteral("1"));
        // The first writes again what it holds: the second's key stays.
        QVERIFY(h.window->WriteRegistry());
        QCOMPARE(IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini"))).Value(Settings::Section, QStringLiteral("Backup")),
                 QStringLiteral("1"));
    }

    // Each program's manager adds a vehicle to the list both read.
    void aVehicleAddedInEach()
    {
        Harness h;
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(TestVehicle(QStringLiteral("AB12"))));
        begin(h, 2);
        ScriptedPlatform other;
        const std::unique_ptr<TVantiq_> w2 = h.another(other);
        h.window->VehDetails();
        w2->VehDetails();
        QString error, told;
        h.window->State().Vehicles.Append(TestVehicle(QStringLiteral("CD34")));
        QVERIFY(h.window->State().SaveVehicleList(&error, &told));
        QVERIFY(told.isEmpty());
        w2->State().Vehicles.Append(TestVehicle(QStringLiteral("EF56")));
        QVERIFY(w2->State().SaveVehicleList(&error, &told));
        QCOMPARE(told, QStringLiteral("vehs3.veh was changed by another program; its changes are kept and yours are added"));
        VehicleList inFile;
        inFile.ReadBytes(h.app.read(QStringLiteral("vehs3.veh")), VehicleFile::Form::Current, QString(), QDate(2012, 6, 15));
        QStringList registrations;
        for (int i = 0; i < inFile.Count(); ++i)
            registrations << inFile.Caption(i);
        QCOMPARE(registrations, (QStringList{"AB12", "CD34", "EF56"}));
        QCOMPARE(w2->State().Vehicles.Count(), 3); // the second shows what the file holds
    }

    // A sync program replaces the file between the load and the fill-up:
    // another computer's log with one more fill-up.
    void theFileReplacedOnDisk_data()
    {
        QTest::addColumn<int>("theirs");       // records in the file that arrives
        QTest::addColumn<QStringList>("inFile");
        QTest::addColumn<QString>("told");
        QTest::newRow("one more") << 3 << QStringList{"10000", "10300", "10600", "11000"}
                                  << "AB12.dat was changed by another program; its 1 new fill-up is kept and yours is added";
        QTest::newRow("two more") << 4 << QStringList{"10000", "10300", "10600", "10900", "11000"}
                                  << "AB12.dat was changed by another program; its 2 new fill-ups are kept and yours is added";
        QTest::newRow("taken away") << -1 << QStringList{"10000", "10300", "11000"} << QString();
    }
    void theFileReplacedOnDisk()
    {
        QFETCH(int, theirs);
        QFETCH(QStringList, inFile);
        QFETCH(QString, told);
        Harness h;
        begin(h, 2);
        h.window->EnterDataClick();
        if (theirs < 0)
            QVERIFY(QFile::remove(h.app.file(QStringLiteral("AB12.dat"))));
        else
            h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(theirs)));
        fillUp(*h.window, {QStringLiteral("30"), QStringLiteral("01"), QStringLiteral("11000")});
        QCOMPARE(readings(h.app.read(QStringLiteral("AB12.dat"))), inFile);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), told.isEmpty() ? QStringList{} : QStringList{told});
    }
};

VANTIQ_TEST(TwoProgramsTest)
#include "tst_twoprograms.moc"
