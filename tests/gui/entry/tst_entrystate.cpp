#include "AppFolder.h"
#include "RecordingCommands.h"
#include "ScriptedPlatform.h"
#include "TestMain.h"
#include "Typing.h"
#include "gui/entry/FuelEntryPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

// The fuel entry panel against the application state and the shell's
// commands alone: no main window is built.
class EntryStateTest : public QObject {
    Q_OBJECT

    static void type(QLineEdit *box, const QString &text) { TypeAndEnter(box, text); }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void acceptsAFillUpIntoTheState()
    {
        AppFolder app;
        ScriptedPlatform platform;
        AppState state(platform, app.exePath());
        state.Live.DataPath = app.path();
        RecordingCommands shell(state);
        FuelEntryPanel panel(state, shell);
        panel.show();
        QApplication::setActiveWindow(&panel);

        state.SetRegistration(QStringLiteral("AB12"));
        QCOMPARE(panel.Registration->text(), QStringLiteral("AB12"));
        state.CurrentDataFile = app.file(QStringLiteral("AB12.dat"));
        state.FuelLog = AppFolder::log(3);
        state.FuelLogChanged();
        QCOMPARE(panel.Finaldate->text(), QStringLiteral("15/01/2012"));
        QCOMPARE(panel.NumItems->text(), QStringLiteral("3"));
        QCOMPARE(shell.StatusText(1), QStringLiteral(" 15/01/2012"));

        panel.EnterDataClick();
        QVERIFY(!shell.IsCommandEnabled(Command::Analyse));
        QVERIFY(!shell.IsCommandEnabled(Command::Setup));
        QCOMPARE(shell.StatusText(5), QStringLiteral("ENTERING DATA FOR AB12"));
        QVERIFY(state.Entry.DayArmed);

        QSignalSpy changed(&state, &AppState::fuelLogChanged);
        type(panel.PDay, QStringLiteral("20"));
        type(panel.Pmonth, QStringLiteral("01"));
        type(panel.NMiles, QStringLiteral("11000"));
        type(panel.PPrice, QStringLiteral("52.00"));
        type(panel.Amount, QStringLiteral("40"));
        QTest::keyClick(panel.Accept, Qt::Key_Return);

        QCOMPARE(state.FuelLog.mid(12), (QStringList{"20/01/2012", "11000", "40.00", "130.00"}));
        QCOMPARE(app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(state.FuelLog));
        QCOMPARE(changed.size(), 1);
        QVERIFY(shell.IsCommandEnabled(Command::ViewData));
        QVERIFY(!state.Entry.QuantityDone); // the next fill-up goes through its steps
        QCOMPARE(panel.DispMpg->text(), QStringLiteral("45.46"));
        QVERIFY(platform.calls.isEmpty());

        panel.QuitdatEntClick();
        QVERIFY(shell.IsCommandEnabled(Command::Analyse));
        QVERIFY(shell.IsCommandEnabled(Command::Setup));
    }

    // The settings the panel reads come from the state's options.
    void unitsFromTheStoredOptions()
    {
        AppFolder app;
        ScriptedPlatform platform;
        AppState state(platform, app.exePath());
        state.Live.EntryDistanceUnits = 1;
        state.Live.EntryFuelUnits = 0;
        state.Live.Scheme = 1;
        state.Live.DefaultPpl = QStringLiteral("1.05");
        RecordingCommands shell(state);
        FuelEntryPanel panel(state, shell);
        panel.SetEntryParameters();
        QCOMPARE(panel.DistanceLab->text(), QStringLiteral("Distance in Kilometers"));
        QCOMPARE(panel.EntryFuelTypeLab->text(), QStringLiteral("Quantity in Gallons"));
        QCOMPARE(panel.PurchasedLab->text(), QStringLiteral("Litres Filled"));
        QCOMPARE(panel.PPLBox->text(), QStringLiteral("1.05"));
        QVERIFY(panel.PPrice->isHidden());
    }
};

VANTIQ_TEST(EntryStateTest)
#include "tst_entrystate.moc"
