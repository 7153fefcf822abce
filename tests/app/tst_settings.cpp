#include "Harness.h"
#include "TestMain.h"
#include "core/fuellog/TextFile.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/SetupPanel.h"
#include "gui/shell/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <sys/stat.h>

// Settings file and setup panel.
class SettingsTest : public QObject {
    Q_OBJECT

    static QStringList keysOf(const QByteArray &bytes)
    {
        QStringList keys;
        for (const QString &line : TextFile::SplitLines(bytes))
            if (line.contains(QLatin1Char('=')))
                keys << line.left(line.indexOf(QLatin1Char('=')));
        return keys;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void cleanup() {}

    void readingKeepsDefaultsAndAcceptsOddForms()
    {
        const IniFile ini = IniFile::FromBytes(AppFolder::crlf({
            "[other]", "BMin=99",
            "[quorvix\\vantiq]", "registration=AB12CDE", "PASS ENABLED=7", "Distance Units=0x0",
            "G2C=0x8000", "BMax=lots", "ppl=1.05", "Scheme = 1 ", "g1c=-16777201"}));
        const Settings s = Settings::Read(ini, QStringLiteral("/exe"));
        QCOMPARE(s.Registration, QStringLiteral("AB12CDE"));
        QVERIFY(s.PassEnabled);
        QCOMPARE(s.DistanceUnits, 0);
        QCOMPARE(s.G2C, 32768);
        QCOMPARE(s.BMax, 50);       // unreadable: default
        QCOMPARE(s.BMin, 10);       // other section: not ours
        QCOMPARE(s.DefaultPpl, QStringLiteral("1.05"));
        QCOMPARE(s.Scheme, 1);
        QCOMPARE(s.Password, QStringLiteral("Tarnwel"));
        QCOMPARE(s.FuelUnits, 1);
        QCOMPARE(s.DataPath, QStringLiteral("/exe/"));
        QCOMPARE(s.DKPG, QStringLiteral("50.0"));
        QCOMPARE(Settings::ReadOrder().size(), 37);
    }

    void writingAllKeysInOrder()
    {
        IniFile ini;
        Settings(QStringLiteral("/exe")).Write(ini);
        const QByteArray bytes = ini.ToBytes();
        QVERIFY(bytes.startsWith("[Quorvix\\Vantiq]\r\nRegistration=\r\nPassword=Tarnwel\r\n"));
        QCOMPARE(keysOf(bytes), Settings::WriteOrder());
        QCOMPARE(Settings::WriteOrder().size(), 37);
        QVERIFY(bytes.contains("\r\nPpl=0.70\r\n"));
        QVERIFY(bytes.contains("\r\nG1C=-16777201\r\n"));
        QVERIFY(bytes.contains("\r\nData Path=/exe/\r\n"));
        // Written and read back, every value survives.
        const Settings back = Settings::Read(IniFile::FromBytes(bytes), QStringLiteral("/elsewhere"));
        IniFile again;
        back.Write(again);
        QCOMPARE(again.ToBytes(), bytes);
    }

    void writingReplacesKeysWhateverTheirCase()
    {
        IniFile ini = IniFile::FromBytes(AppFolder::crlf({"; kept", "[Quorvix\\Vantiq]", "PPL=1.05", "Unknown=x", "", "[Later]", "a=b"}));
        Settings s;
        s.DefaultPpl = QStringLiteral("0.99");
        s.Write(ini);
        const QByteArray bytes = ini.ToBytes();
        QCOMPARE(bytes.toLower().count("ppl="), 1); // one entry for the default price
        QVERIFY(bytes.contains("PPL=0.99\r\n"));
        QVERIFY(bytes.startsWith("; kept\r\n"));
        QVERIFY(bytes.contains("Unknown=x\r\n"));
        QVERIFY(bytes.endsWith("[Later]\r\na=b\r\n"));
        QCOMPARE(*IniFile::FromBytes(bytes).Value(Settings::Section, QStringLiteral("g4c")), QStringLiteral("65535"));
    }

    void windows1252FileIsReadAsSuch()
    {
        const IniFile ini = IniFile::FromBytes("[Quorvix\\Vantiq]\r\nRegistration=\xA3" "1\r\n");
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Registration")), QStringLiteral("\u00A31"));
        const IniFile utf8 = IniFile::FromBytes("[Quorvix\\Vantiq]\r\nRegistration=\xC2\xA3" "1\r\n");
        QCOMPARE(*utf8.Value(Settings::Section, QStringLiteral("Registration")), QStringLiteral("\u00A31"));
    }

    void firstStartWithoutSettingsFile()
    {
        Harness h;
        TVantiq_ &w = h.start(true);
        SetupPanel &s = *w.OptionsTabs;
        QCOMPARE(s.DistanceUnit->ItemIndex(), 1);
        QCOMPARE(s.FuelUnit->ItemIndex(), 1);
        QCOMPARE(s.EntryDistanceType->ItemIndex(), 0);
        QCOMPARE(s.EntryFuelType->ItemIndex(), 1);
        QCOMPARE(s.AnalysisDirection->ItemIndex(), 1);
        QCOMPARE(s.AnalisisType->ItemIndex(), 2);
        QCOMPARE(w.StatusText(3), QStringLiteral("DOMESTIC"));
        QCOMPARE(w.StatusText(7), QStringLiteral("0 of 100"));
        QCOMPARE(s.DefaultPpl->text(), QStringLiteral("0.70"));
        QVERIFY(s.Flash->isChecked());
        QCOMPARE(w.Live.DataPath, h.app.path());
        QVERIFY(!h.app.exists(QStringLiteral("vantiq.ini")));
        w.close();
        QCOMPARE(keysOf(h.app.read(QStringLiteral("vantiq.ini"))), Settings::WriteOrder());
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    // A settings file past 1 MB, or one that is no ordinary file (a named
    // pipe would block the start for ever), is neither read nor written
    // over; the run uses the defaults and says so once.
    void anOversizedSettingsFileIsLeftAlone_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("past 1 MB") << false;
        QTest::newRow("a named pipe") << true;
    }
    void anOversizedSettingsFileIsLeftAlone()
    {
        QFETCH(bool, pipe);
        Harness h;
        h.settings({"ppl=1.05", "Scheme=1"});
        QByteArray big = h.app.read(QStringLiteral("vantiq.ini"));
        big += QByteArray(1024 * 1024, '\x01');
        if (pipe) {
            QFile::remove(h.app.iniPath());
            QVERIFY(::mkfifo(QFile::encodeName(h.app.iniPath()).constData(), 0600) == 0);
        } else {
            h.app.write(QStringLiteral("vantiq.ini"), big);
        }
        TVantiq_ &w = h.start(true); // the defaults show the splash screen
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 1);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).first(),
                 (pipe ? "The settings file cannot be read: " + h.app.iniPath() + " is a named pipe: Vantiq reads only ordinary files."
                       : "The settings file " + h.app.iniPath() + QStringLiteral(" is %1 bytes long, more than the 1 MB a settings "
                                                                                 "file may be.").arg(big.size()))
                     + " It was not read and will not be changed: this run uses the default settings.");
        QCOMPARE(w.OptionsTabs->DefaultPpl->text(), QStringLiteral("0.70"));
        QVERIFY(!w.WriteRegistry());
        w.ReadRegistry(); // as a failed Open does: not told again
        w.close();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 1);
        if (pipe)
            QVERIFY(!QFileInfo(h.app.iniPath()).isFile()); // still the pipe
        else
            QCOMPARE(h.app.read(QStringLiteral("vantiq.ini")), big);
    }

    void settingsFillTheControls()
    {
        Harness h;
        h.settings({"pass enabled=1", "ppl=1.05", "SCHEME=1", "Backup=1", "SFII=3", "V=4", "fuel units=0x0",
                    "BMin=0", "BMax=2000", "TI=-2147483648", "G2C=0x7F000000", "FMode=9", "Veh Path=/no/such/folder/"});
        TVantiq_ &w = h.start();
        SetupPanel &s = *w.OptionsTabs;
        QVERIFY(s.PassEnable->isChecked());
        QVERIFY(!s.ChangePass->isHidden());
        QVERIFY(w.ChangePassword1->isVisible());
        QCOMPARE(s.DefaultPpl->text(), QStringLiteral("1.05"));
        QCOMPARE(s.FuelUnit->ItemIndex(), 0);
        QVERIFY(s.SaveBackup->isChecked());
        QCOMPARE(w.Live.ViewStyleIndex, 3);
        QCOMPARE(w.StatusText(7), QStringLiteral("4 of 100"));
        // Values no setting can take keep their defaults, named in one message.
        QCOMPARE(s.BestMin->value(), 10);
        QCOMPARE(s.BestMax->value(), 50);
        QCOMPARE(w.Live.TripUnitMode, 0);
        QCOMPARE(w.Live.G2C, 32768);
        QCOMPARE(w.Live.VehPath, w.Live.DataPath); // a missing vehicle folder becomes the data folder
        // Bulk scheme: "PRO MODE", and a missing bulk.dat does not stop the start-up.
        QCOMPARE(w.StatusText(3), QStringLiteral("PRO MODE"));
        QVERIFY(w.BulkButton->isEnabled());
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 (QStringList{"vantiq.ini held values no setting can take, so their defaults are used instead: BMin=0, "
                              "BMax=2000, TI=-2147483648, FMode=9, G2C=0x7F000000",
                              "No Bulk Purchase Data Available"}));
        QCOMPARE(w.StatusText(5), QStringLiteral("SELECTING VEHICLE"));
        w.close();
        const QByteArray ini = h.app.read(QStringLiteral("vantiq.ini"));
        QCOMPARE(ini.toLower().count("ppl="), 1);
        QVERIFY(ini.contains("\r\nppl=1.05\r\n"));
        for (const char *kept : {"\r\nBMin=10\r\n", "\r\nBMax=50\r\n", "\r\nTI=0\r\n", "\r\nG2C=32768\r\n"})
            QVERIFY2(ini.contains(kept), kept);
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    // A data folder that is not there (a drive not mounted) is made only
    // when the user says so; No takes the default folder for the run.
    void missingDataFolderIsCreated_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(mrYes);
        QTest::newRow("no") << int(mrNo);
    }
    void missingDataFolderIsCreated()
    {
        QFETCH(int, answer);
        Harness h;
        const QString folder = h.app.path() + QStringLiteral("new/data/");
        h.settings({QStringLiteral("Data Path=") + folder});
        h.answerWelcome = false; // the folder is asked about first, then the welcome
        h.platform.answers << answer << mrYes;
        TVantiq_ &w = h.start();
        QCOMPARE(h.platform.calls.first().text, QStringLiteral("The data folder ") + folder
                                                    + QStringLiteral(" does not exist.\rCreate it?\r(No uses ") + h.app.path()
                                                    + QStringLiteral(" for this run.)"));
        QCOMPARE(QFileInfo(folder).isDir(), answer == mrYes);
        QCOMPARE(w.OptionsTabs->DirectorySelector->Directory(), answer == mrYes ? folder : h.app.path());
    }

    void getFMode_data()
    {
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("fuel");
        QTest::addColumn<int>("mode");
        QTest::newRow("MPG") << 0 << 0 << 0;
        QTest::newRow("MPL") << 0 << 1 << 1;
        QTest::newRow("KPG") << 1 << 0 << 2;
        QTest::newRow("KPL") << 1 << 1 << 3;
        QTest::newRow("no distance unit") << -1 << 1 << -1;
        QTest::newRow("no fuel unit") << 1 << 5 << -1;
    }
    void getFMode()
    {
        QFETCH(int, distance);
        QFETCH(int, fuel);
        QFETCH(int, mode);
        Harness h;
        h.create();
        h.window->OptionsTabs->DistanceUnit->SetItemIndex(distance);
        h.window->OptionsTabs->FuelUnit->SetItemIndex(fuel);
        QCOMPARE(h.window->OptionsTabs->GetFMode(), mode);
    }

    void acceptTakesFolderWritesAndShowsScheme()
    {
        Harness h;
        h.settings({});
        QDir(h.app.path()).mkdir(QStringLiteral("elsewhere"));
        TVantiq_ &w = h.start();
        w.SetupAction->trigger();
        SetupPanel &s = *w.OptionsTabs;
        QVERIFY(s.isVisible());
        QCOMPARE(w.StatusText(5), QStringLiteral(" SETUP"));
        QVERIFY(!w.AnalysisMenu->menuAction()->isEnabled());
        s.DistanceUnit->SetItemIndex(1);
        s.FuelUnit->SetItemIndex(0);
        s.Scheme->setCurrentIndex(1);
        s.DirectorySelector->SetDirectory(h.app.path() + QStringLiteral("elsewhere"));
        h.platform.answers << mrYes; // the manager opens again and greets
        QTest::mouseClick(s.findChild<QPushButton *>(QStringLiteral("UnitsSheetAccept")), Qt::LeftButton);
        QVERIFY(!s.isVisible());
        QVERIFY(w.AnalysisMenu->menuAction()->isEnabled());
        QVERIFY(w.EnterDataMenu->menuAction()->isEnabled());
        QCOMPARE(w.Live.UnitMode, 2);
        QCOMPARE(w.Live.DataPath, h.app.path() + QStringLiteral("elsewhere/"));
        QCOMPARE(w.StatusText(3), QStringLiteral("PRO MODE"));
        QVERIFY(w.BulkButton->isEnabled());
        QCOMPARE(w.StatusText(5), QStringLiteral("SELECTING VEHICLE")); // no data file: the manager
        const IniFile ini = IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini")));
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("FMode")), QStringLiteral("2"));
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Scheme")), QStringLiteral("1"));
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Data Path")), h.app.path() + QStringLiteral("elsewhere/"));
    }

    void cancelKeepsTheFolderButNotTheUnits()
    {
        Harness h;
        h.settings({});
        QDir(h.app.path()).mkdir(QStringLiteral("elsewhere"));
        TVantiq_ &w = h.start();
        w.SetupClick();
        SetupPanel &s = *w.OptionsTabs;
        s.DirectorySelector->SetDirectory(h.app.path() + QStringLiteral("elsewhere"));
        s.DistanceUnit->SetItemIndex(0);
        QTest::mouseClick(s.findChild<QPushButton *>(QStringLiteral("GeneralSheetCancel")), Qt::LeftButton);
        QVERIFY(!s.isVisible());
        QVERIFY(w.EnterDataMenu->menuAction()->isEnabled());
        QCOMPARE(w.Live.DataPath, h.app.path());
        QCOMPARE(s.DistanceUnit->ItemIndex(), 0);
        QVERIFY(!h.app.exists(QStringLiteral("vantiq.ini")) || !h.app.read(QStringLiteral("vantiq.ini")).contains("Distance Units"));
        w.close();
        const IniFile ini = IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini")));
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Distance Units")), QStringLiteral("0"));
        QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Data Path")), h.app.path());
    }

    void setDefaults()
    {
        Harness h;
        h.settings({"Pass Enabled=1", "Analisis Type=0", "Direction=0", "Start up=1", "ppl=2.00", "Open Ana=1",
                    "DMPG=44.00"});
        h.platform.answers << mrCancel; // no vehicle data to analyse at start-up
        TVantiq_ &w = h.start();
        SetupPanel &s = *w.OptionsTabs;
        s.WorstLab->setText(QStringLiteral("23.6"));
        s.BestLab->setText(QStringLiteral("51.5"));
        s.MaxDays->setValue(9);
        QTest::mouseClick(s.findChild<QPushButton *>(QStringLiteral("GraphSheetDefaults")), Qt::LeftButton);
        QVERIFY(!s.PassEnable->isChecked());
        QVERIFY(s.ChangePass->isHidden());
        QCOMPARE(s.AnalisisType->ItemIndex(), 2);
        QCOMPARE(s.AnalysisDirection->ItemIndex(), 1);
        for (RadioGroup *g : {s.EntryFuelType, s.EntryDistanceType, s.DistanceUnit, s.FuelUnit})
            QCOMPARE(g->ItemIndex(), 0);
        QCOMPARE(s.MaxDays->value(), 3);
        QCOMPARE(s.BestMin->value(), 24);
        QCOMPARE(s.BestMax->value(), 52); // 51.5 to even
        QCOMPARE(s.DirectorySelector->Directory(), w.ExecutableFolder());
        QCOMPARE(s.DefaultPpl->text(), QStringLiteral("0.70"));
        QVERIFY(!s.StartUp->isChecked());
        QVERIFY(s.OpenAna->isChecked()); // not among the defaults
        QCOMPARE(w.Live.DMPG, QStringLiteral("30.00"));
        QVERIFY(!h.app.read(QStringLiteral("vantiq.ini")).contains("Ppl")); // nothing written yet
    }

    void setTripDefaults_data()
    {
        QTest::addColumn<QString>("worst");
        QTest::addColumn<QString>("best");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("locale");
        QTest::newRow("not yet analysed") << "000.00" << "000.00" << 1 << 1 << "en_GB";
        QTest::newRow("figures") << "31.49" << "48.50" << 31 << 48 << "en_GB";
        QTest::newRow("not numbers") << "n/a" << "" << 10 << 50 << "en_GB";
        QTest::newRow("comma locale") << "31.49" << "48.50" << 31 << 48 << "de_DE";
        QTest::newRow("french locale") << "27.80" << "52.10" << 28 << 52 << "fr_FR";
    }
    void setTripDefaults()
    {
        QFETCH(QString, worst);
        QFETCH(QString, best);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QString, locale);
        Harness h;
        h.platform.locale = QLocale(locale);
        h.settings({"TI=0", "Distance Units=1", "Fuel Units=1"});
        TVantiq_ &w = h.start();
        SetupPanel &s = *w.OptionsTabs;
        s.WorstLab->setText(worst);
        s.BestLab->setText(best);
        QTest::mouseClick(s.findChild<QPushButton *>(QStringLiteral("Button18")), Qt::LeftButton);
        QCOMPARE(s.BestMin->value(), min);
        QCOMPARE(s.BestMax->value(), max);
        QCOMPARE(w.Live.TripUnitMode, 3);
        QCOMPARE(s.MaxDays->value(), 3);
    }

    // Only a figure whose stored text is above zero becomes a trip default.
    void publishedTripDefaults_data()
    {
        QTest::addColumn<QString>("average");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QStringList>("kept"); // DMPG, DCPG
        QTest::newRow("figures") << "41.20" << "6.10" << QStringList{"41.20", "6.10"};
        QTest::newRow("rounds to nothing") << "0.00" << "0.00" << QStringList{"30.00", "3.18"};
        QTest::newRow("not a figure") << "N/A" << "-1" << QStringList{"30.00", "3.18"};
    }
    void publishedTripDefaults()
    {
        QFETCH(QString, average);
        QFETCH(QString, price);
        QFETCH(QStringList, kept);
        Harness h;
        h.settings({"DMPG=30.00", "DCPG=3.18"});
        TVantiq_ &w = h.start();
        w.State().PublishTripDefaults(0, average, 0.004, &price, 0.001); // the figures are above zero before rounding
        QCOMPARE((QStringList{w.Live.DMPG, w.Live.DCPG}), kept);
    }

    void helpButtonsAndMenu()
    {
        Harness h;
        h.settings({});
        TVantiq_ &w = h.start();
        QTest::mouseClick(w.OptionsTabs->findChild<QPushButton *>(QStringLiteral("UnitsSheetHelp")), Qt::LeftButton);
        QTest::mouseClick(w.OptionsTabs->findChild<QPushButton *>(QStringLiteral("TripSheetHelp")), Qt::LeftButton);
        QCOMPARE(h.platform.helpTopics, (QList<int>{12, 16}));
        w.Help2->trigger();
        QCOMPARE(h.platform.helpContents, 1);
        w.About1->trigger();
        QCOMPARE(w.verinfo->text(), QStringLiteral("1.0.0.0"));
    }
};

VANTIQ_TEST(SettingsTest)
#include "tst_settings.moc"
