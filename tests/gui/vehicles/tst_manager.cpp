#include "Harness.h"
#include "TestMain.h"
#include "TestVehicles.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/vehicles/DetailsPanel.h"
#include "gui/vehicles/VehicleListView.h"
#include "gui/vehicles/VehicleManager.h"

#include <QMenu>
#include <QPointer>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeView>

// The vehicle manager and its details panel, driven as a user does.
class ManagerTest : public QObject {
    Q_OBJECT

    static TVehicleRecord vehicle(const QString &reg, int type = 4)
    {
        TVehicleRecord r = TestVehicle(reg);
        r.VehicleType = quint8(type);
        r.ImageIndex = type;
        r.Manufacturer = QStringLiteral("Maker ") + reg;
        r.Colour = QStringLiteral("Blue");
        return r;
    }
    static QByteArray listFile(const QStringList &regs)
    {
        QByteArray b;
        for (const QString &r : regs)
            b += VehicleFile::Encode(vehicle(r));
        return b;
    }
    static QStringList numbered(int count)
    {
        QStringList regs;
        for (int i = 0; i < count; ++i)
            regs << QStringLiteral("R%1").arg(i);
        return regs;
    }
    static QStringList regsInFile(const QByteArray &bytes)
    {
        VehicleList l;
        l.ReadBytes(bytes, VehicleFile::Form::Current, QString(), QDate(2012, 1, 1));
        QStringList out;
        for (int i = 0; i < l.Count(); ++i)
            out << l.Caption(i);
        return out;
    }

    // Started with the manager open on a list of vehicles, the default one
    // given by the settings.
    TVehSelect &managerWith(Harness &h, const QStringList &regs, const QString &defaultReg, QStringList keys = {})
    {
        keys << QStringLiteral("Registration=") + defaultReg;
        h.settings(keys);
        if (!regs.isEmpty())
            h.app.write(QStringLiteral("vehs3.veh"), listFile(regs));
        TVantiq_ &w = h.start();
        return *w.VehSelect;
    }

    static void addVehicle(TVehSelect &m, const QString &reg)
    {
        m.SelectList->setCurrentRow(4);
        m.SelectListDblClick();
        m.NewDetails->RegBox->setText(reg);
        QTest::mouseClick(m.NewDetails->Newdetailsaccept, Qt::LeftButton);
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void firstRunWelcome_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(mrYes);
        QTest::newRow("cancel") << int(mrCancel);
    }
    void firstRunWelcome()
    {
        QFETCH(int, answer);
        Harness h;
        h.settings({});
        h.platform.answers << answer;
        if (answer == mrCancel)
            h.platform.fileAnswers << QString();
        h.answerWelcome = false;
        TVantiq_ &w = h.start();
        TVehSelect &m = *w.VehSelect;
        const auto *welcome = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(welcome->text, QStringLiteral("Welcome to Vantiq by Quorvix Solutions: Please click Yes to select your first Vehicle\r"
                                               "If you already have a vehicle file, you need to locate it. Please click Cancel to continue"));
        QCOMPARE(welcome->kind, MsgKind::Information);
        QCOMPARE(welcome->buttons, mbYes | mbCancel);
        QVERIFY(m.SelectList->isVisible());
        QVERIFY(!m.VehicalList->isVisible());
        QCOMPARE(w.StatusText(5), QStringLiteral("SELECTING VEHICLE"));
        QVERIFY(!w.ExistingBut->isEnabled() && !w.NewBut->isEnabled() && !w.EnterBut->isEnabled());
        if (answer == mrCancel) {
            QCOMPARE(h.platform.fileRequests.size(), 1);
            const FileRequest &asked = h.platform.fileRequests.last();
            QCOMPARE(asked.title, QStringLiteral("Vehicle list file select"));
            QCOMPARE(asked.filter, QStringLiteral("vehicle files|*.veh"));
            QCOMPARE(asked.fileName, QStringLiteral("Vehs3.veh"));
            QCOMPARE(asked.defaultSuffix, QStringLiteral("veh"));
            QCOMPARE(asked.folder, h.app.path());
        } else {
            QVERIFY(h.platform.fileRequests.isEmpty());
        }
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void defaultVehicleFoundOrNot()
    {
        Harness found;
        TVehSelect &m = managerWith(found, {"AA1", "BB2", "CC3"}, QStringLiteral("BB2"));
        QVERIFY(m.VehicalList->isVisible());
        QVERIFY(!m.SelectList->isVisible());
        QCOMPARE(m.Model->rowCount(), 3);
        QCOMPARE(m.Model->index(1, 0).data().toString(), QStringLiteral("BB2"));
        QCOMPARE(m.Model->index(1, 1).data().toString(), QStringLiteral("Car"));
        QCOMPARE(m.Model->index(1, 3).data().toString(), QStringLiteral("Maker BB2"));
        QCOMPARE(m.Model->index(1, 5).data().toString(), QStringLiteral(" "));
        QVERIFY(found.platform.calls.isEmpty());

        Harness missing;
        missing.platform.answers << mrYes;
        TVehSelect &n = managerWith(missing, {"AA1", "BB2"}, QStringLiteral("ZZ9"));
        QCOMPARE(missing.platform.texts(QStringLiteral("MessageDialog")).size(), 1); // Welcome
        QVERIFY(n.SelectList->isVisible());
        QTest::mouseClick(n.ShowVechlistBtn, Qt::LeftButton);
        QVERIFY(n.VehicalList->isVisible());
        QCOMPARE(n.Model->rowCount(), 2);
    }

    // New Vechicle and Select Vehicle open a manager afresh, from the main
    // window's toolbar when none is open and from the open manager's own
    // Options menu, whose toolbar buttons on the main window stay disabled.
    void newVehicleShowsTheTypes_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("types"); // the types to add a vehicle, else the list
        QTest::newRow("New, toolbar") << "NewBut" << true;
        QTest::newRow("New Vechicle, the manager's menu") << "New Vechicle" << true;
        QTest::newRow("Select Vehicle, the manager's menu") << "Select Vehicle" << false;
    }
    void newVehicleShowsTheTypes()
    {
        QFETCH(QString, route);
        QFETCH(bool, types);
        Harness h;
        TVehSelect &first = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        QPointer<TVehSelect> before(&first);
        if (route == QLatin1String("NewBut")) {
            first.close();
            h.window->NewBut->click();
        } else {
            QVERIFY(!h.window->NewBut->isEnabled() && !h.window->ExistingBut->isEnabled());
            QAction *item = nullptr;
            for (QAction *a : first.OptionsMenu->actions())
                if (a->text() == route)
                    item = a;
            QVERIFY(item && item->isEnabled());
            item->trigger();
        }
        TVehSelect &m = *h.window->VehSelect;
        QVERIFY(&m != before.data());
        QCOMPARE(m.SelectList->isVisible(), types);
        QCOMPARE(m.VehicalList->isVisible(), !types);
        QCOMPARE(h.window->StatusText(5), types ? QStringLiteral("ADDING NEW VEHICLE") : QStringLiteral("SELECTING VEHICLE"));
        QCOMPARE(m.Model->rowCount(), 1);
        QVERIFY(!h.window->NewBut->isEnabled() && !h.window->ExistingBut->isEnabled());
    }

    void openingAVehicleWithData()
    {
        Harness h;
        h.app.write(QStringLiteral("BB2.dat"), AppFolder::crlf(AppFolder::log(2)));
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        QTreeView *report = m.VehicalList->findChild<QTreeView *>();
        const QRect row1 = report->visualRect(m.Model->index(1, 0));
        QTest::mouseClick(report->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(h.window->SelectedIndex, 1);
        QCOMPARE(m.SelectedVehicle->text(), QStringLiteral("BB2"));
        QCOMPARE(h.window->DataEntry->Registration->text(), QStringLiteral("AA1")); // a click only selects
        QTest::mouseDClick(report->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(h.window->DataEntry->Registration->text(), QStringLiteral("BB2"));
        QCOMPARE(h.window->FuelLog.size(), 8);
        QCOMPARE(h.window->StatusText(5), QStringLiteral("BB2 DATA READY"));
        QTRY_VERIFY(!h.window->VehSelect); // the manager closed with the other children
        QVERIFY(h.window->ExistingBut->isEnabled());
        QCOMPARE(h.window->StatusText(7), QStringLiteral("2 of 100"));
    }

    void openingAVehicleWithoutData()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        m.VehicalList->Select(1);
        m.VehicalListDblClick();
        QCOMPARE(h.platform.texts(), QStringList{"No data file, Click OK to Start entering data"});
        QCOMPARE(h.window->CurrentDataFile, h.app.file(QStringLiteral("BB2.dat")));
        QVERIFY(h.window->DataEntry->isVisible());
        QCOMPARE(h.window->StatusText(5), QStringLiteral("ENTERING DATA FOR BB2"));
    }

    void deletingPositionZeroOfThree()
    {
        Harness h;
        h.app.write(QStringLiteral("AA1.dat"), AppFolder::crlf(AppFolder::log(1)));
        TVehSelect &m = managerWith(h, {"AA1", "BB2", "CC3"}, QStringLiteral("CC3"));
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        m.VehicalList->Select(0);
        h.platform.answers << mrOk;
        m.Delete1Click();
        const auto *q = &h.platform.calls[0];
        QCOMPARE(q->text, QStringLiteral("Click OK to delete this vehicle from the Active list,\rNote this will not delete the associated data file"));
        QCOMPARE(q->kind, MsgKind::Warning);
        QCOMPARE(q->buttons, mbOk | mbHelp);
        QCOMPARE(q->help, 6);
        QCOMPARE(h.platform.calls[1].text, QStringLiteral("AA1 Deleted"));
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before.mid(1848));
        QCOMPARE(m.Model->rowCount(), 2);
        QVERIFY(h.app.exists(QStringLiteral("AA1.dat")));
        QVERIFY(!h.window->NoDefault);
    }

    void deleteDeclinedOrWithoutSelection()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        m.Delete1Click(); // nothing selected: nothing happens
        QVERIFY(h.platform.calls.isEmpty());
        m.VehicalList->Select(1);
        h.platform.answers << mrCancel;
        m.Delete1Click();
        QCOMPARE(m.Model->rowCount(), 2);
    }

    void deletingTheDefaultAndOpeningAnother()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        m.VehicalList->Select(0);
        m.VehicalListClick();
        QCOMPARE(h.window->SelectedIndex, 0);
        h.platform.answers << mrOk;
        m.Delete1Click();
        QVERIFY(h.platform.calls[0].text.startsWith(QStringLiteral("Do you really want to delete your default vehicle from the Active list,\r")));
        QVERIFY(h.window->NoDefault);
        QCOMPARE(h.window->SelectedIndex, -1);
        m.VehicalList->Select(0);
        h.platform.answers << mrOk;
        m.VehicalListDblClick();
        const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(q->text, QStringLiteral("There is no default file set click OK to set this vehicle\ras Default"));
        QCOMPARE(q->buttons, mbOk | mbCancel | mbHelp);
        QCOMPARE(q->help, 8);
        QVERIFY(!h.window->NoDefault);
        const IniFile ini = IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini")));
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Registration")), QStringLiteral("BB2"));
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(), QStringLiteral("No data file, Click OK to Start entering data"));
    }

    void deleteAllWaitsForTheNextSave()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        h.platform.answers << mrOk;
        m.DeleteAllClick();
        QCOMPARE(h.platform.calls[0].text, QStringLiteral("Do you really want to delete all the vehicles from the Active list,\r"
                                                          "Note this will empty the associated data file"));
        QCOMPARE(m.Model->rowCount(), 0);
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before);
        addVehicle(m, QStringLiteral("NEW1"));
        QCOMPARE(regsInFile(h.app.read(QStringLiteral("vehs3.veh"))), QStringList{"NEW1"});
    }

    void addingRegistrations_data()
    {
        QTest::addColumn<QString>("reg");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("added");
        QTest::newRow("one character") << "A" << QStringList{"Registration is a required field"} << false;
        QTest::newRow("ten characters") << "ABCDEFGHIJ" << QStringList{"You must start a new data file for this vehicle"} << true;
        QTest::newRow("in use") << "BB2" << QStringList{"This registration is already in use"} << false;
        QTest::newRow("in use in small letters") << "bb2" << QStringList{"Vantiq Internal Error"} << false;
        QTest::newRow("hostile") << "../x" << QStringList{"Registration contains characters that cannot be used in a file name"} << false;
        QTest::newRow("dot dot") << ".." << QStringList{"Registration contains characters that cannot be used in a file name"} << false;
    }
    void addingRegistrations()
    {
        QFETCH(QString, reg);
        QFETCH(QStringList, messages);
        QFETCH(bool, added);
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        addVehicle(m, reg);
        QCOMPARE(h.platform.texts(), messages);
        if (added) {
            QCOMPARE(regsInFile(h.app.read(QStringLiteral("vehs3.veh"))), (QStringList{"AA1", "BB2", reg}));
            QVERIFY(!m.NewDetails->isVisible());
            QVERIFY(m.VehicalList->isVisible());
            QCOMPARE(m.Model->rowCount(), 3);
            QCOMPARE(m.Model->index(2, 1).data().toString(), QStringLiteral("Car"));
        } else {
            QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before);
            QVERIFY(m.NewDetails->isVisible()); // open for correction
            QCOMPARE(m.Model->rowCount(), 2);
        }
    }

    void addingAVehicleThatHasData()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        h.app.write(QStringLiteral("XY1.dat"), AppFolder::crlf(AppFolder::log(1)));
        h.platform.answers << mrCancel;
        addVehicle(m, QStringLiteral("XY1"));
        QCOMPARE(h.platform.texts(), (QStringList{"A data file already exists for this vehicle",
                                                  "A Data File XY1.dat exists for this vehicle\rClick OK to erase this file"}));
        QVERIFY(h.app.exists(QStringLiteral("XY1.dat")));
        QCOMPARE(m.Model->rowCount(), 2);
    }

    void aHundredAndFirstIsRefused()
    {
        Harness h;
        TVehSelect &m = managerWith(h, numbered(100), QStringLiteral("R5"));
        addVehicle(m, QStringLiteral("ONEMORE"));
        QCOMPARE(h.platform.texts(), QStringList{"The vehicle list is full (100 vehicles)"});
        QCOMPARE(m.Model->rowCount(), 100);
    }

    // Vehicles past the hundredth are told of once and survive a delete,
    // also from an older list, which the first save brings to the current
    // form with all of them.
    void moreThanAHundredInTheFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("current form") << "vehs3.veh";
        QTest::newRow("older form") << "vehs2.veh";
    }
    void moreThanAHundredInTheFile()
    {
        QFETCH(QString, file);
        const bool older = file == QLatin1String("vehs2.veh");
        Harness h;
        if (older) {
            QByteArray mk2; // 312 bytes a vehicle, the registration a counted string at 33
            for (const QString &reg : numbered(150)) {
                QByteArray one(312, '\0');
                one[33] = char(reg.size());
                one.replace(34, reg.size(), reg.toLatin1());
                mk2 += one;
            }
            h.app.write(file, mk2);
        }
        TVehSelect &m = managerWith(h, older ? QStringList() : numbered(150), QStringLiteral("R5"));
        QCOMPARE(m.Model->rowCount(), 100);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(),
                 file + QStringLiteral(" holds 150 vehicles; the first 100 are shown and the others are kept unchanged"));
        m.VehicalList->Select(0);
        h.platform.answers << mrOk;
        m.Delete1Click();
        const QByteArray saved = h.app.read(QStringLiteral("vehs3.veh"));
        QStringList regs;
        for (qsizetype at = 0; at + 1848 <= saved.size(); at += 1848) {
            TVehicleRecord r;
            QVERIFY(VehicleFile::Decode(saved.constData() + at, VehicleFile::Form::Current, &r));
            regs << r.Registration;
        }
        QCOMPARE(regs, numbered(150).mid(1));
        if (!older)
            QCOMPARE(saved, listFile(numbered(150)).mid(1848));
        h.platform.calls.clear();
        m.OpenVehicleList(); // read again: told once a run
        QCOMPARE(h.platform.texts(), QStringList());
        QCOMPARE(m.Model->rowCount(), 100);
    }

    void dateButtons_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QDate>("shown");
        QTest::newRow("road tax") << 0 << "01/03/2013" << "Please select a date for Road Tax Payment" << "DATE CHANGED" << QDate(2013, 3, 1);
        QTest::newRow("insurance") << 1 << "29/02/2012" << "Please select a date for Insurance" << "DATE CHANGED" << QDate(2012, 2, 29);
        QTest::newRow("mot, not a date") << 2 << "soon" << "Please select an MOT date" << "DATE ERROR: soon Using Todays Date" << QDate(2012, 6, 15);
        QTest::newRow("service, empty") << 3 << "" << "Please select a Service date" << "DATE ERROR:  Using Todays Date" << QDate(2012, 6, 15);
    }
    void dateButtons()
    {
        QFETCH(int, tag);
        QFETCH(QString, due);
        QFETCH(QString, request);
        QFETCH(QString, status);
        QFETCH(QDate, shown);
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        DetailsPanel &d = *m.NewDetails;
        QLineEdit *boxes[] = {d.Taxduebox, d.InsuranceDue, d.MOTDue, d.ServiceDue};
        QToolButton *buttons[] = {d.SpeedButton1, d.SpeedButton2, d.SpeedButton3, d.SpeedButton4};
        boxes[tag]->setText(due);
        QString seenRequest, seenStatus;
        QDate seenDate;
        h.platform.modalHandlers << [&](QDialog &dialog) {
            seenRequest = dialog.findChild<QLabel *>(QStringLiteral("Info"))->text();
            seenStatus = h.window->StatusText(5);
            auto *cal = dialog.findChild<QCalendarWidget *>(QStringLiteral("Cal"));
            seenDate = cal->selectedDate();
            cal->setSelectedDate(QDate(2014, 7, 4));
            return int(QDialog::Accepted);
        };
        buttons[tag]->click();
        QCOMPARE(seenRequest, request);
        QCOMPARE(seenStatus, status);
        QCOMPARE(seenDate, shown);
        QCOMPARE(boxes[tag]->text(), QStringLiteral("04/07/2014"));
        // Cancel leaves the box as it was.
        h.platform.modalHandlers << [](QDialog &) { return int(QDialog::Rejected); };
        buttons[tag]->click();
        QCOMPARE(boxes[tag]->text(), QStringLiteral("04/07/2014"));
    }

    // Down to a 1920x1080 screen at twice the scale (960x540 to give, less a
    // frame) and an 800x600 one: the picture steps aside before the details
    // are squeezed, a panel larger than the window scrolls rather than being
    // cut, the main window is no wider than the screen and a child window
    // stays inside the area it opens in.
    void smallWindowsKeepThePanelsWhole_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("picture");
        QTest::newRow("1280x800") << QSize(1280, 800) << true;
        QTest::newRow("1024x768") << QSize(1024, 768) << true;
        QTest::newRow("2x on 1920x1080") << QSize(952, 470) << false;
        QTest::newRow("800x600") << QSize(792, 560) << false;
    }
    void smallWindowsKeepThePanelsWhole()
    {
        QFETCH(QSize, size);
        QFETCH(bool, picture);
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        TVantiq_ &w = *static_cast<TVantiq_ *>(m.mdiArea()->window());
        w.showNormal();
        w.resize(size);
        m.VehicalList->Select(1);
        m.Details1Click();
        QCoreApplication::processEvents();
        QCOMPARE(m.findChild<QWidget *>(QStringLiteral("ManagerPicture"))->isHidden(), !picture);
        const DetailsPanel &d = *m.NewDetails;
        QVERIFY(d.width() >= d.minimumSizeHint().width());
        QVERIFY(d.height() >= d.minimumSizeHint().height());
        m.CancelnewDetsClick();
        QCOMPARE(m.findChild<QWidget *>(QStringLiteral("ManagerPicture"))->isHidden(), false);

        w.CloseAllChildWindows();
        w.EnterDataClick();
        QCoreApplication::processEvents();
        QVERIFY(w.DataEntry->width() >= w.DataEntry->minimumSizeHint().width());
        QVERIFY(w.DataEntry->height() >= w.DataEntry->minimumSizeHint().height());
        // At 1024x768 and up the entry panel fits the window as it is.
        if (picture)
            QVERIFY(w.DataEntry->width() <= w.centralWidget()->width());

        QVERIFY2(w.minimumSizeHint().width() <= size.width(), qPrintable(QString::number(w.minimumSizeHint().width())));
        w.SetStatus(5, QStringLiteral("FILE SAVED ") + QString(300, QLatin1Char('x'))); // a long path is cut, not widening
        QVERIFY(w.minimumSizeHint().width() <= size.width());
        w.DataEntry->QuitdatEntClick();
        w.FuelLog = AppFolder::log(6);
        w.analisebutton();
        QMdiSubWindow *analysis = w.MdiArea->activeSubWindow();
        QVERIFY(analysis && analysis->isVisible());
        QVERIFY2(w.MdiArea->viewport()->rect().contains(analysis->geometry()),
                 qPrintable(QStringLiteral("%1x%2").arg(analysis->width()).arg(analysis->height())));
    }

    void editingAndDone()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        m.VehicalList->Select(1);
        m.Details1Click();
        DetailsPanel &d = *m.NewDetails;
        QVERIFY(d.isVisible());
        QCOMPARE(d.NewVechTypeLab->text(), QStringLiteral("Car BB2"));
        QCOMPARE(d.RegBox->text(), QStringLiteral("BB2"));
        QVERIFY(!d.RegBox->isEnabled());
        QCOMPARE(d.Newdetailsaccept->text(), QStringLiteral("Done"));
        QCOMPARE(d.IdBox->text(), QStringLiteral("1"));
        QCOMPARE(d.AquiredBox->text(), QStringLiteral("30/12/1899"));
        d.Manuf->setText(QStringLiteral("Changed"));
        d.InsuranceAmt->setText(QStringLiteral("123456"));
        d.TaxRemindRate->setCurrentIndex(2);
        d.InsRemindRate->setCurrentIndex(1);
        d.InsDelay->setValue(14);
        d.InsuranceDue->setText(QStringLiteral("01/03/2013"));
        QTest::mouseClick(d.Newdetailsaccept, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        const TVehicleRecord &r = h.window->Vehicles.At(1);
        QCOMPARE(r.Manufacturer, QStringLiteral("Changed"));
        QCOMPARE(r.Id, 1);
        QCOMPARE(r.InsuranceAmount, 123456.0);
        QVERIFY(r.Reminders[0].Stopped);
        QCOMPARE(r.Reminders[1], (TRenewalReminder{VehicleFile::ToDays(QDate(2013, 3, 1)), false, 14, 1, false}));
        QCOMPARE(r.Acquired, VehicleFile::ToDays(QDate(1899, 12, 30)));
        QCOMPARE(m.Model->index(1, 3).data().toString(), QStringLiteral("Changed"));
        VehicleList onDisk;
        onDisk.ReadBytes(h.app.read(QStringLiteral("vehs3.veh")), VehicleFile::Form::Current, QString(), QDate());
        QCOMPARE(onDisk.At(1), r);
        // Shown again: the amount past five digits in exponent form, a stopped
        // renewal as "Stopped" for road tax.
        m.Details1Click();
        QCOMPARE(d.InsuranceAmt->text(), QStringLiteral("1.2346E+5"));
        QCOMPARE(d.TaxRemindRate->currentText(), QStringLiteral("Stopped"));
        QCOMPARE(d.InsuranceDue->text(), QStringLiteral("01/03/2013"));
    }

    // A slip in an amount or date box is refused, naming the box; an
    // empty box is 0 or today.
    void slipsInTheDetailsAreRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString whole = QStringLiteral(": type a whole amount such as 165 (the vehicle list keeps no pence for it)");
        QTest::newRow("tax amount") << "Tax" << "abc" << "Road tax amount" + whole;
        QTest::newRow("tax amount with pence") << "Tax" << "165.50" << "Road tax amount" + whole;
        QTest::newRow("insurance amount") << "InsuranceAmt" << "12,50" << "Insurance amount: type a plain number such as 650.50";
        QTest::newRow("insurance with pence is kept") << "InsuranceAmt" << "650.50" << "";
        QTest::newRow("service amount") << "ServiceAmt" << "1e300" << "Service amount" + whole;
        QTest::newRow("whole, grouped") << "MOTAmt" << "1,054.00" << "";
        QTest::newRow("tax due") << "Taxduebox" << "31/02/2027" << "Road tax due date: type a date such as 31/01/2027";
        QTest::newRow("mot due") << "MOTDue" << "soon" << "MOT due date: type a date such as 31/01/2027";
        QTest::newRow("acquired") << "AquiredBox" << "2027-01-31" << "Date acquired: type a date such as 31/01/2027";
        QTest::newRow("empty amount") << "MOTAmt" << "" << "";
        QTest::newRow("empty date") << "ServiceDue" << "" << "";
    }
    void slipsInTheDetailsAreRefused()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        const QByteArray before = h.app.read(QStringLiteral("vehs3.veh"));
        m.VehicalList->Select(1);
        m.Details1Click();
        DetailsPanel &d = *m.NewDetails;
        auto *edit = d.findChild<QLineEdit *>(box);
        QVERIFY(edit);
        edit->setText(text);
        h.platform.calls.clear();
        QTest::mouseClick(d.Newdetailsaccept, Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(h.platform.texts().isEmpty());
            QVERIFY(!d.isVisible());
            return;
        }
        QCOMPARE(h.platform.texts(), QStringList{message});
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), before);
    }

    // A record that cannot be read, or whose registration cannot name a
    // file, is "Invalid Data", builds no path and survives any save.
    void unreadableEntrySurvivesASave_data()
    {
        QTest::addColumn<QByteArray>("registration"); // length byte, then Windows-1252
        QTest::newRow("length past the field") << QByteArray("\x63XX9");
        QTest::newRow("parent folder") << QByteArray("\x06../OUT");
        QTest::newRow("separator") << QByteArray("\x03" "a/b");
        QTest::newRow("nul") << QByteArray("\x05" "AB\0CD", 6);
        QTest::newRow("leading blank") << QByteArray("\x05 AB12");
        QTest::newRow("trailing blank") << QByteArray("\x05" "AB12 ");
        QTest::newRow("blanks") << QByteArray("\x03   ");
        QTest::newRow("empty") << QByteArray("\x00", 1);
    }
    void unreadableEntrySurvivesASave()
    {
        QFETCH(QByteArray, registration);
        Harness h;
        h.settings({QStringLiteral("Registration=AA1")});
        QByteArray bad = VehicleFile::Encode(vehicle(QStringLiteral("XX9")));
        bad.replace(33, 11, registration.leftJustified(11, '\0'));
        h.app.write(QStringLiteral("vehs3.veh"), listFile({"AA1"}) + bad + listFile({"CC3"}));
        TVehSelect &m = *h.start().VehSelect;
        QCOMPARE(h.window->Vehicles.Caption(1), QStringLiteral("Invalid Data"));
        m.VehicalList->Select(1);
        m.VehicalListDblClick(); // no vehicle to open
        QCOMPARE(h.platform.texts(), QStringList{"This vehicle's record could not be read"});
        m.VehicalList->Select(2);
        h.platform.answers << mrOk;
        m.Delete1Click();
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), listFile({"AA1"}) + bad);
        QVERIFY(!QFileInfo::exists(h.app.path() + QStringLiteral("../OUT.dat")));
    }

    // Dates in the details panel keep their century, in the locale's own
    // order, and read back to the same day.
    void datesKeepTheirCentury_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("picked");
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "09/12/2026" << "04/07/2030";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/9/2026" << "7/4/2030";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "09.12.2026" << "04.07.2030";
    }
    void datesKeepTheirCentury()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, shown);
        QFETCH(QString, picked);
        Harness h;
        h.platform.locale = locale;
        TVehicleRecord r = vehicle(QStringLiteral("AA1"));
        r.Reminders[0].Due = VehicleFile::ToDays(QDate(2026, 12, 9));
        r.Acquired = VehicleFile::ToDays(QDate(2026, 12, 9));
        h.settings({QStringLiteral("Registration=AA1")});
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(r));
        TVehSelect &m = *h.start().VehSelect;
        m.VehicalList->Select(0);
        m.Details1Click();
        DetailsPanel &d = *m.NewDetails;
        QCOMPARE(d.Taxduebox->text(), shown);
        QCOMPARE(d.AquiredBox->text(), shown);
        h.platform.modalHandlers << [](QDialog &dialog) {
            dialog.findChild<QCalendarWidget *>(QStringLiteral("Cal"))->setSelectedDate(QDate(2030, 7, 4));
            return int(QDialog::Accepted);
        };
        d.SpeedButton2->click();
        QCOMPARE(d.InsuranceDue->text(), picked);
        QTest::mouseClick(d.Newdetailsaccept, Qt::LeftButton);
        VehicleList onDisk;
        onDisk.ReadBytes(h.app.read(QStringLiteral("vehs3.veh")), VehicleFile::Form::Current, QString(), QDate());
        QCOMPARE(onDisk.At(0).Reminders[0].Due, VehicleFile::ToDays(QDate(2026, 12, 9)));
        QCOMPARE(onDisk.At(0).Acquired, VehicleFile::ToDays(QDate(2026, 12, 9)));
        QCOMPARE(onDisk.At(0).Reminders[1].Due, VehicleFile::ToDays(QDate(2030, 7, 4)));
    }

    void storingWithoutChoices()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        DetailsPanel &d = *m.NewDetails;
        // A fresh panel: rate boxes read "Every Day" with nothing chosen.
        for (QComboBox *c : {d.TaxRemindRate, d.InsRemindRate, d.MOTRemindRate, d.ServiceRemindRate}) {
            QCOMPARE(c->currentText(), QStringLiteral("Every Day"));
            QCOMPARE(DetailsPanel::Position(c), -1);
        }
        d.VtypeSelect->setCurrentIndex(2);
        d.VtypeSelect->lineEdit()->selectAll();
        QTest::keyClicks(d.VtypeSelect->lineEdit(), QStringLiteral("Tractor"));
        d.RegBox->setText(QStringLiteral("T1"));
        d.Tax->setText(QStringLiteral("1,234"));
        TVehicleRecord r;
        QVERIFY(d.StoreDetails(r));
        for (const TRenewalReminder &renewal : r.Reminders)
            QVERIFY(renewal.Stopped);
        QCOMPARE(r.VehicleType, quint8(4));
        QCOMPARE(r.ImageIndex, -1);
        QCOMPARE(r.RoadTax, 1234);
        QCOMPARE(r.Acquired, VehicleFile::ToDays(QDate(2012, 6, 15))); // today for an empty date
        QCOMPARE(r.TaxGroup, -1);
        QCOMPARE(r.EngineCapacity, 1300);
        QCOMPARE(r.Fuel, 0);
    }

    void clearButton()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        m.VehicalList->Select(0);
        m.Details1Click();
        DetailsPanel &d = *m.NewDetails;
        d.ArchiveVeh->setChecked(true);
        d.VtypeSelect->setCurrentIndex(6);
        d.TaxDelay->setValue(9);
        QTest::mouseClick(d.ClearButt, Qt::LeftButton);
        QVERIFY(d.RegBox->text().isEmpty());
        QVERIFY(d.Manuf->text().isEmpty());
        QCOMPARE(d.TaxGroupBox->currentText(), QStringLiteral("LGV"));
        QCOMPARE(d.FuelType->currentText(), QStringLiteral("Petrol"));
        for (QComboBox *c : {d.TaxRemindRate, d.InsRemindRate, d.MOTRemindRate, d.ServiceRemindRate})
            QCOMPARE(c->currentText(), QStringLiteral("Once"));
        QCOMPARE(d.TaxDelay->value(), 0);
        QVERIFY(d.ArchiveVeh->isChecked());
        QCOMPARE(d.VtypeSelect->currentIndex(), 6);
        QCOMPARE(d.IdBox->text(), QStringLiteral("0"));
    }

    void newFromThePopupResetsTheRecord()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1", "BB2"}, QStringLiteral("AA1"));
        m.VehicalList->Select(1);
        m.Details1Click();
        h.platform.answers << mrYes;
        m.New1Click();
        QCOMPARE(h.platform.calls[0].text, QStringLiteral("This option will reset the data for this vehicle.\r\nDo you want to continue."));
        QCOMPARE(h.platform.calls[0].buttons, mbYes | mbNo);
        QCOMPARE(m.NewDetails->Newdetailsaccept->text(), QStringLiteral("Done"));
        QTest::mouseClick(m.NewDetails->Newdetailsaccept, Qt::LeftButton);
        // The registration box stayed disabled and empty: refused, the rest stored emptied.
        QCOMPARE(h.platform.texts().last(), QStringLiteral("Registration is a required field"));
        QCOMPARE(h.window->Vehicles.At(1).Registration, QStringLiteral("BB2"));
        QCOMPARE(h.window->Vehicles.At(1).Manufacturer, QString());
        QCOMPARE(h.window->Vehicles.At(1).TaxGroup, 1);
    }

    void refusalsOfTheLists()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        h.platform.answers << mrOk;
        m.Details1Click();
        const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(q->text, QStringLiteral("No Vehicle Selected"));
        QCOMPARE(q->kind, MsgKind::Error);
        QCOMPARE(q->buttons, mbOk | mbHelp);
        QCOMPARE(q->help, 6);
        m.SelectListDblClick();
        QCOMPARE(h.platform.texts().last(), QStringLiteral("No Vehicle Type is Selected"));
        m.EnterSundrys1Click();
        QCOMPARE(h.platform.texts().last(), QStringLiteral("No vehicle selected"));
    }

    void typeListClickNamesTheNewVehicle()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        m.Vehicaltypes1Click();
        m.SelectList->setCurrentRow(5);
        m.SelectListClick();
        QCOMPARE(m.SelectedVehicle->text(), QStringLiteral("NEW MOTOR CYCLE"));
        QCOMPARE(m.RegPopUpNew->text(), QStringLiteral("New Motor Cycle"));
        m.VechTypeMenuClick(6);
        QCOMPARE(m.NewDetails->NewVechTypeLab->text(), QStringLiteral("New Van"));
        QCOMPARE(m.NewDetails->VtypeSelect->currentIndex(), 6);
        QCOMPARE(m.NewDetails->IdBox->text(), QStringLiteral("1"));
    }

    void viewStyleIsRemembered()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        QCOMPARE(m.VehicalList->GetStyle(), int(VehicleListView::LargeIcons)); // "SFII" 0 by default
        QTest::mouseClick(m.reportview, Qt::LeftButton);
        QCOMPARE(h.window->Live.ViewStyleIndex, 3);
        QTest::mouseClick(m.SmallIiconsbtn, Qt::LeftButton);
        QCOMPARE(h.window->Live.ViewStyleIndex, 1);
        h.window->vechselect->trigger();
        QCOMPARE(h.window->VehSelect->VehicalList->GetStyle(), int(VehicleListView::SmallIcons));
        h.window->close();
        QCOMPARE(*IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini"))).Value(Settings::Section, QStringLiteral("SFII")),
                 QStringLiteral("1"));
    }

    void listFileChosenByName_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("vehicles");
        QTest::newRow("not a list name") << "cars" << "cars.veh" << QStringList{"Not loaded: %1 is not a valid Vantiq file"} << 0;
        QTest::newRow("older name in capitals") << "cars" << "OLDVEHS2.VEH"
                                                << QStringList{"Imported Mk2 data file. IMPORTANT New data items will have default values \n"
                                                               "Use \"Edit details\" to enter correct information"}
                                                << 1;
        QTest::newRow("folder named Vehs") << "Vehs" << "list.veh"
                                           << QStringList{"Imported Mk1 data file. IMPORTANT New data items will have default values \n"
                                                          "Use \"Edit details\" to enter correct information"}
                                           << 2;
        QTest::newRow("current form") << "cars" << "myvehs3.veh" << QStringList{} << 3;
    }
    void listFileChosenByName()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        QFETCH(int, vehicles);
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        QDir(h.app.path()).mkdir(folder);
        h.app.write(folder + QStringLiteral("/OLDVEHS2.VEH"), QByteArray(312, '\0'));
        h.app.write(folder + QStringLiteral("/vehs.veh"), QByteArray(192 * 2, '\0'));
        h.app.write(folder + QStringLiteral("/myvehs3.veh"), listFile({"A", "B", "C"}));
        const QString chosen = h.app.file(folder + QLatin1Char('/') + name);
        h.platform.fileAnswers << chosen;
        m.LoadVehicleList1Click();
        for (QString &text : messages)
            text = text.arg(chosen);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), messages);
        QCOMPARE(m.Model->rowCount(), vehicles);
        QCOMPARE(h.window->Live.VehPath, h.app.path() + folder + QLatin1Char('/'));
    }

    void onlyAnOlderListHoldingTheDefault()
    {
        Harness h;
        QByteArray mk2(312, '\0');
        mk2[33] = 3;
        mk2.replace(34, 3, "OLD");
        mk2[239] = 1;
        h.app.write(QStringLiteral("vehs2.veh"), mk2);
        TVehSelect &m = managerWith(h, {}, QStringLiteral("OLD"));
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 1);
        QVERIFY(h.platform.texts().first().startsWith(QStringLiteral("Imported Mk2 data file.")));
        QVERIFY(m.VehicalList->isVisible());
        QCOMPARE(h.window->Vehicles.At(0).Archived, quint8(0));
        QCOMPARE(h.window->Vehicles.At(0).ServiceAmount, 200);
        addVehicle(m, QStringLiteral("NEW2"));
        QCOMPARE(regsInFile(h.app.read(QStringLiteral("vehs3.veh"))), (QStringList{"OLD", "NEW2"}));
        QCOMPARE(h.app.read(QStringLiteral("vehs2.veh")), mk2); // the older file is left alone
    }

    // The vehicle list is the program's own: a link in its place is read as
    // no list (told once) and the first save replaces the link, never the
    // file it names.
    void aLinkInPlaceOfTheList()
    {
        Harness h;
        h.app.write(QStringLiteral("notes.txt"), "my notes");
        QVERIFY(QFile::link(h.app.file(QStringLiteral("notes.txt")), h.app.file(QStringLiteral("vehs3.veh"))));
        h.answerWelcome = false;
        h.platform.answers << mrYes; // the welcome: no list
        TVehSelect &m = managerWith(h, {}, QStringLiteral("AA1"));
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 QStringList{"vehs3.veh is a link to " + h.app.file(QStringLiteral("notes.txt")) + "; Vantiq does not follow it"});
        QCOMPARE(m.Model->rowCount(), 0);
        addVehicle(m, QStringLiteral("NEW1"));
        QCOMPARE(h.app.read(QStringLiteral("notes.txt")), QByteArray("my notes"));
        QVERIFY(!QFileInfo(h.app.file(QStringLiteral("vehs3.veh"))).isSymLink());
        QCOMPARE(regsInFile(h.app.read(QStringLiteral("vehs3.veh"))), QStringList{"NEW1"});
    }

    void failedListSaveIsReported()
    {
        Harness h;
        TVehSelect &m = managerWith(h, {"AA1"}, QStringLiteral("AA1"));
        QFile::remove(h.app.file(QStringLiteral("vehs3.veh")));
        QDir(h.app.path()).mkdir(QStringLiteral("vehs3.veh"));
        addVehicle(m, QStringLiteral("NEW1"));
        QVERIFY(h.platform.texts().last().contains(QStringLiteral("vehs3.veh")));
        QCOMPARE(h.window->StatusText(5), QStringLiteral("Saving Data file ") + h.app.file(QStringLiteral("vehs3.veh")));
    }

    void startUpWithoutLastVehicleOpensTheManager()
    {
        Harness h;
        h.app.write(QStringLiteral("AB1.dat"), AppFolder::crlf(AppFolder::log(1)));
        TVehSelect &m = managerWith(h, {"AB1"}, QStringLiteral("AB1"));
        QVERIFY(h.window->MdiArea->subWindowList().contains(&m));
        QVERIFY(h.window->FuelLog.isEmpty());
        QCOMPARE(h.window->StatusText(5), QStringLiteral("SELECTING VEHICLE"));
    }
};

VANTIQ_TEST(ManagerTest)
#include "tst_manager.moc"
