#include "Harness.h"
#include "TestMain.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/SetupPanel.h"
#include "gui/shell/SplashScreen.h"
#include "gui/vehicles/ReminderPrompt.h"
#include "gui/vehicles/SundryWindow.h"

#include <QFileInfo>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

// Start-up sequence, main window state and the close.
class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void createdWindowsAndState()
    {
        Harness h;
        TVantiq_ &w = h.create();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantiq by Quorvix"));
        // The window paints before its panels are built; they follow at once.
        QVERIFY(!h.find<QWidget>(QStringLiteral("DataEntry")));
        w.show();
        QTRY_VERIFY(h.find<QWidget>(QStringLiteral("SundryForm")));
        for (const char *panel : {"DataEntry", "BulkPurchase", "Datadisplay", "InsertPan", "OptionsTabs"}) {
            QWidget *p = h.find<QWidget>(QLatin1String(panel));
            QVERIFY2(p && p->isHidden(), panel);
        }
        QCOMPARE(w.CalendarPrompt->windowTitle(), QStringLiteral("Vantiq Calendar Message"));
        QCOMPARE(w.SundryForm->windowTitle(), QStringLiteral("Sundrys"));
        const QStringList design{"REGDISPLAY", "", "", "", "", "GEN DISPLAY", "DATEDISPLAY", "NVS"};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(w.StatusText(i), design[i]);
        QVERIFY(!w.BulkButton->isEnabled());
        QVERIFY(!w.View1->isEnabled());
        QVERIFY(!w.Print->isEnabled());
        QVERIFY(!w.StartupDone);
        QCOMPARE(w.SelectedIndex, -1);
        QCOMPARE(w.starttimer->interval(), 1000);
        QVERIFY(w.starttimer->isSingleShot());
    }

    void realStartThroughTheTimerAndClose()
    {
        // The program as it comes up for a user: shown, the one-shot timer
        // fires a second later, the splash closes by its Close button.
        Harness h;
        h.app.writeSettings({QStringLiteral("Data Path=") + h.app.path()});
        h.platform.modalHandlers << [](QDialog &d) {
            auto *splash = qobject_cast<TSplashForm *>(&d);
            if (!splash)
                return -1;
            splash->show();
            if (!splash->SplashTime->isActive() || splash->SplashTime->interval() != 5000)
                return -1;
            QTest::mouseClick(splash->CloseBtn, Qt::LeftButton);
            return splash->SplashTime->interval() == 5 ? 1 : -1;
        };
        h.platform.answers << mrYes; // the Welcome of the vehicle manager
        TVantiq_ &w = h.create();
        w.show();
        QVERIFY(w.starttimer->isActive());
        QVERIFY(!w.StartupDone);
        QTRY_COMPARE_WITH_TIMEOUT(w.StatusText(5), QStringLiteral("SELECTING VEHICLE"), 5000);
        QVERIFY(w.StartupDone);
        QCOMPARE(w.verinfo->text(), QStringLiteral("Vantiq 1.0.0.0"));
        QCOMPARE(h.platform.texts(QStringLiteral("ExecModal")), QStringList{"TSplashForm"});
        QCOMPARE(w.StatusText(6), QStringLiteral("15/06/2012"));
        QCOMPARE(w.StatusText(3), QStringLiteral("DOMESTIC"));
        QVERIFY(!w.EnterDataMenu->menuAction()->isEnabled());
        QVERIFY(!w.AnalysisMenu->menuAction()->isEnabled());
        QCOMPARE(w.DataEntry->NumItems->text(), QStringLiteral("0"));
        w.close();
        QVERIFY(h.app.exists(QStringLiteral("vantiq.ini")));
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void splashTimerClosesTheSplash()
    {
        TSplashForm splash(QStringLiteral("Vantiq 1.0.0.0"));
        splash.show();
        QVERIFY(splash.SplashTime->isActive());
        splash.SplashTime->setInterval(1); // five seconds are too long for a test
        QTRY_VERIFY(!splash.isVisible());
        QVERIFY(!splash.SplashTime->isActive());
        QCOMPARE(splash.result(), int(QDialog::Accepted));
    }

    void sequenceOrder()
    {
        // The settings are read before the splash, the trip unit mode is
        // settled after it, and the vehicle is chosen last.
        Harness h;
        h.settings({"Do Flash=1", "TI=-2", "FMode=3", "Registration=AB12"});
        QString statusAtSplash, regAtSplash;
        int tripModeAtSplash = 0;
        h.platform.modalHandlers << [&](QDialog &) {
            statusAtSplash = h.window->StatusText(3) + QLatin1Char('|') + h.window->StatusText(5);
            regAtSplash = h.window->StatusText(0);
            tripModeAtSplash = h.window->Live.TripUnitMode;
            return 1;
        };
        TVantiq_ &w = h.start();
        QCOMPARE(statusAtSplash, QStringLiteral("DOMESTIC|GEN DISPLAY"));
        QCOMPARE(regAtSplash, QStringLiteral("AB12"));
        QCOMPARE(tripModeAtSplash, -2);
        QCOMPARE(w.Live.TripUnitMode, 3);
        QCOMPARE(w.CurrentDataFile, h.app.path() + QStringLiteral("*.dat"));
        QCOMPARE(w.StatusText(5), QStringLiteral("SELECTING VEHICLE"));
        w.close();
        QCOMPARE(*IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini"))).Value(Settings::Section, QStringLiteral("TI")),
                 QStringLiteral("3"));
    }

    void startWithLastVehicleLoadsItsData()
    {
        Harness h;
        h.settings({"Start up=1", "Registration=AB12CDE"});
        h.app.write(QStringLiteral("AB12CDE.dat"), AppFolder::crlf(AppFolder::log(3)));
        TVantiq_ &w = h.start();
        QCOMPARE(w.StatusText(5), QStringLiteral("AB12CDE DATA READY"));
        QCOMPARE(w.FuelLog.size(), 12);
        QCOMPARE(w.CurrentDataFile, h.app.file(QStringLiteral("AB12CDE.dat")));
        QCOMPARE(w.DataEntry->NumItems->text(), QStringLiteral("3"));
        QCOMPARE(w.DataEntry->Finaldate->text(), QStringLiteral("15/01/2012"));
        QCOMPARE(w.StatusText(1), QStringLiteral(" 15/01/2012"));
        QCOMPARE(w.StatusText(0), QStringLiteral("AB12CDE"));
        QVERIFY(w.View1->isEnabled());
        QVERIFY(w.DataEntry->isHidden());
        QCOMPARE(w.SelectedIndex, -1);
        w.SundryPurchases1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{"No vehicle selected"});
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void startWithLastVehicleAndAnalysis()
    {
        Harness h;
        h.settings({"Start up=1", "Open Ana=1", "Registration=AB12CDE"});
        h.app.write(QStringLiteral("AB12CDE.dat"), AppFolder::crlf(AppFolder::log(3)));
        TVantiq_ &w = h.start();
        QCOMPARE(w.StatusText(5), QStringLiteral("ANALYSING AB12CDE.dat"));
        QCOMPARE(w.MdiArea->subWindowList().size(), 1);
        QCOMPARE(w.MdiArea->subWindowList().first()->windowTitle(), QStringLiteral("MPG Data Analysis"));
    }

    void startWithLastVehicleWithoutData_data()
    {
        QTest::addColumn<bool>("otherFiles");
        QTest::addColumn<int>("answer");
        QTest::newRow("no other data files") << false << 0;
        QTest::newRow("other files, start entering") << true << int(mrCancel);
        QTest::newRow("other files, closed") << true << 0;
    }
    void startWithLastVehicleWithoutData()
    {
        QFETCH(bool, otherFiles);
        QFETCH(int, answer);
        Harness h;
        h.settings({"Start up=1", "Registration=NEW1"});
        if (otherFiles) {
            h.app.write(QStringLiteral("OTHER.dat"), AppFolder::crlf(AppFolder::log(1)));
            h.platform.answers << (answer ? answer : mrCancel);
        }
        TVantiq_ &w = h.start();
        if (otherFiles) {
            const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
            QCOMPARE(q->text, QStringLiteral("No Data file exists for NEW1\rVantiq has detected other Fuel data files\r"
                                             "Click OK to choose one of these or click CANCEL to start\rentering data for NEW1"));
            QCOMPARE(q->kind, MsgKind::Information);
            QCOMPARE(q->buttons, mbOk | mbCancel | mbHelp);
            QCOMPARE(q->help, 8);
            QCOMPARE(q->focused, int(mrCancel)); // Enter starts this vehicle's own data
        } else {
            QVERIFY(h.platform.calls.isEmpty());
        }
        QCOMPARE(w.CurrentDataFile, h.app.file(QStringLiteral("NEW1.dat")));
        QVERIFY(w.DataEntry->isVisible());
        QCOMPARE(w.StatusText(5), QStringLiteral("ENTERING DATA FOR NEW1"));
        QVERIFY(w.FuelLog.isEmpty());
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void startWithLastVehicleChoosesAnotherFile()
    {
        Harness h;
        h.settings({"Start up=1", "Registration=NEW1"});
        h.app.write(QStringLiteral("NEW1.txt"), "x");
        h.app.write(QStringLiteral("OTHER.dat"), AppFolder::crlf(AppFolder::log(2)));
        h.platform.answers << mrOk << mrNo << mrOk; // choose one; do not make it the default; the notice
        h.platform.fileAnswers << h.app.file(QStringLiteral("OTHER.dat"));
        TVantiq_ &w = h.start();
        QCOMPARE(w.FuelLog.size(), 8);
        QCOMPARE(w.DataEntry->Registration->text(), QStringLiteral("NEW1"));
        QCOMPARE(h.platform.texts(QStringLiteral("MessageDialog")).last(), QStringLiteral("Default File Not Changed"));
    }

    void closeBeforeStartUpSavesNothing()
    {
        Harness h;
        TVantiq_ &w = h.create();
        w.show();
        w.close();
        QVERIFY(!h.app.exists(QStringLiteral("vantiq.ini")));
    }

    void closeWritesBackupWhenAsked_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("linked"); // AB12.bak a link to the user's notes
        QTest::newRow("backup of a log") << true << 2 << true << false;
        QTest::newRow("empty log, no backup") << true << 0 << false << false;
        QTest::newRow("backups off") << false << 2 << false << false;
        QTest::newRow("the backup a link: replaced, never written through") << true << 2 << true << true;
    }
    void closeWritesBackupWhenAsked()
    {
        QFETCH(bool, backup);
        QFETCH(int, records);
        QFETCH(bool, written);
        QFETCH(bool, linked);
        Harness h;
        h.settings({QStringLiteral("Backup=%1").arg(backup), "Start up=1", "Registration=AB12"});
        if (records)
            h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(records)));
        h.app.write(QStringLiteral("notes.txt"), "my notes");
        if (linked)
            QVERIFY(QFile::link(h.app.file(QStringLiteral("notes.txt")), h.app.file(QStringLiteral("AB12.bak"))));
        TVantiq_ &w = h.start();
        if (!records)
            w.DataEntry->QuitdatEntClick();
        w.close();
        QCOMPARE(h.app.exists(QStringLiteral("AB12.bak")), written);
        if (written)
            QCOMPARE(h.app.read(QStringLiteral("AB12.bak")), h.app.read(QStringLiteral("AB12.dat")));
        QVERIFY(!QFileInfo(h.app.file(QStringLiteral("AB12.bak"))).isSymLink());
        QCOMPARE(h.app.read(QStringLiteral("notes.txt")), QByteArray("my notes"));
        QVERIFY(h.app.read(QStringLiteral("vantiq.ini")).contains("Registration=AB12\r\n"));
        QVERIFY(w.FuelLog.isEmpty());
    }

    void failedBackupIsReportedAndSettingsStillWritten()
    {
        Harness h;
        h.settings({"Backup=1", "Start up=1", "Registration=AB12"});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(2)));
        QDir(h.app.path()).mkdir(QStringLiteral("AB12.bak"));
        TVantiq_ &w = h.start();
        w.close();
        QCOMPARE(h.platform.calls.last().what, QStringLiteral("ShowMessage"));
        QVERIFY(h.platform.calls.last().text.contains(QStringLiteral("AB12.bak")));
        QVERIFY(h.app.read(QStringLiteral("vantiq.ini")).contains("Backup=1"));
    }

    void closeAllChildWindowsClosesEveryChild()
    {
        Harness h;
        h.settings({});
        TVantiq_ &w = h.start();
        for (int i = 0; i < 3; ++i) {
            auto *child = w.MdiArea->addSubWindow(new QLabel(QStringLiteral("child")));
            child->setAttribute(Qt::WA_DeleteOnClose);
            child->show();
        }
        w.Analise->setEnabled(false);
        w.CloseAllChildWindows();
        QTRY_VERIFY(w.MdiArea->subWindowList().isEmpty());
        QVERIFY(w.Analise->isEnabled());
    }
};

VANTIQ_TEST(StartupTest)
#include "tst_startup.moc"
