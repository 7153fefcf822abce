#include "Harness.h"
#include "TestMain.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/FillMarks.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/SetupPanel.h"
#include "gui/vehicles/VehicleManager.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>

#include <sys/stat.h>

// The File menu's commands over the car data file.
class DataFilesTest : public QObject {
    Q_OBJECT

    const QStringList two{"01/01/2011", "10000", "40.00", "130.00", "03/04/2011", "10400", "45.46", "132.00"};

    // Started with AB12 current and its two-record file loaded.
    TVantiq_ &loaded(Harness &h)
    {
        h.settings({"Start up=1", "Registration=AB12"});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(two));
        return h.start();
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void openLoadsAFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("crlf") << AppFolder::crlf(two);
        QTest::newRow("lf and a byte-order mark") << QByteArray("\xEF\xBB\xBF") + two.join(QLatin1Char('\n')).toLatin1();
        QTest::newRow("cr") << two.join(QLatin1Char('\r')).toLatin1() + '\r';
    }
    void openLoadsAFile()
    {
        QFETCH(QByteArray, bytes);
        Harness h;
        h.settings({"Registration=AB12"});
        h.app.write(QStringLiteral("AB12.dat"), bytes);
        TVantiq_ &w = h.start();
        h.platform.calls.clear(); // the Welcome of the vehicle manager
        h.platform.fileAnswers << h.app.file(QStringLiteral("AB12.dat"));
        w.OpenBtn->click();
        const FileRequest &asked = h.platform.fileRequests.last();
        QCOMPARE(asked.fileName, QStringLiteral("*.dat"));
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(asked.filter, QStringLiteral("Vantiq Data File [*.dat]|*.dat|Vantiq Data File Backup|*.bak"));
        QCOMPARE(asked.defaultSuffix, QStringLiteral("dat"));
        QCOMPARE(w.FuelLog, two);
        QCOMPARE(w.DataEntry->NumItems->text(), QStringLiteral("2"));
        QCOMPARE(w.DataEntry->Finaldate->text(), QStringLiteral("03/04/2011"));
        QCOMPARE(w.DataEntry->FinalMiles->text(), QStringLiteral("10400"));
        QCOMPARE(w.StatusText(1), QStringLiteral(" 03/04/2011"));
        QCOMPARE(w.StatusText(5), QStringLiteral("AB12 DATA READY"));
        QVERIFY(w.View1->isEnabled());
        QVERIFY(h.platform.texts(QStringLiteral("MessageDialog")).isEmpty()); // same registration: no question
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void openRefusesBadFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("plain");
        QStringList shortDate = two;
        shortDate[4] = QStringLiteral("3/4/2011");
        QTest::newRow("last date malformed") << AppFolder::crlf(shortDate) << QStringList{};
        QTest::newRow("nine lines") << AppFolder::crlf(two + QStringList{"x"}) << QStringList{};
        QTest::newRow("part of a record") << AppFolder::crlf(two.mid(0, 3)) << QStringList{};
        QTest::newRow("empty") << QByteArray() << QStringList{"Not Loaded File %1 Contains no Data"};
    }
    void openRefusesBadFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, plain);
        Harness h;
        TVantiq_ &w = loaded(h);
        h.app.write(QStringLiteral("BAD.dat"), bytes);
        h.platform.fileAnswers << h.app.file(QStringLiteral("BAD.dat"));
        h.platform.answers << mrOk;
        w.OpenData->trigger();
        for (QString &p : plain)
            p = p.arg(h.app.file(QStringLiteral("BAD.dat")));
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), plain);
        const auto *m = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(m->text, QStringLiteral("Data File Invalid not loaded"));
        QCOMPARE(m->kind, MsgKind::Error);
        QCOMPARE(m->buttons, mbOk | mbHelp);
        QCOMPARE(m->help, 8);
        QVERIFY(w.FuelLog.isEmpty());
        // No file is current now, so nothing can overwrite AB12.dat.
        QCOMPARE(w.CurrentDataFile, h.app.path() + QStringLiteral("*.dat"));
        QCOMPARE(w.DataEntry->Registration->text(), QStringLiteral("AB12")); // settings read again
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(two));
    }

    // A file that is no log by its size or a line's length is refused
    // with why, and nothing changes.
    void openRefusesWhatIsNoLog_data()
    {
        QTest::addColumn<int>("longLine");   // its length, on line 3
        QTest::addColumn<qint64>("size");    // or the file's size
        QTest::addColumn<QString>("why");
        QTest::newRow("a long line") << 1000 << qint64(0) << ": line 3 is 1000 characters long";
        QTest::newRow("a line of 256") << 256 << qint64(0) << ": line 3 is 256 characters long";
        QTest::newRow("past 64 MB") << 0 << qint64(64 * 1024 * 1024 + 1)
                                    << ": it is 67108865 bytes long, more than the 64 MB a fuel log may be";
        // A pipe would block the load for ever, a device read without end.
        QTest::newRow("a named pipe") << 0 << qint64(-1) << " is a named pipe: Vantiq reads only ordinary files";
        QTest::newRow("a link to /dev/zero") << 0 << qint64(-2) << " is a device: Vantiq reads only ordinary files";
    }
    void openRefusesWhatIsNoLog()
    {
        QFETCH(int, longLine);
        QFETCH(qint64, size);
        QFETCH(QString, why);
        Harness h;
        TVantiq_ &w = loaded(h);
        QStringList lines = two;
        if (longLine)
            lines[2] = QString(longLine, QLatin1Char('4'));
        const QString big = h.app.file(QStringLiteral("BIG.dat"));
        if (size == -1)
            QVERIFY(::mkfifo(QFile::encodeName(big).constData(), 0600) == 0);
        else if (size == -2)
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), big));
        else
            h.app.write(QStringLiteral("BIG.dat"), AppFolder::crlf(lines));
        if (size > 0) {
            QFile file(big);
            QVERIFY(file.resize(size)); // sparse: nothing is written
        }
        h.platform.fileAnswers << big;
        h.platform.calls.clear();
        w.OpenData->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{"Not Loaded File " + big + why});
        QCOMPARE(h.platform.texts(QStringLiteral("MessageDialog")), QStringList());
        QCOMPARE(w.FuelLog, two);
        QCOMPARE(w.CurrentDataFile, h.app.file(QStringLiteral("AB12.dat")));
        // Loaded another way (the manager, the start-up): refused with why.
        h.platform.calls.clear();
        QVERIFY(!w.Files().Getcardata(big));
        QCOMPARE(h.platform.texts(), QStringList{"Not Loaded File " + big + why});
    }

    void openMissingFileAndCancel()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        h.platform.fileAnswers << QString() << h.app.file(QStringLiteral("GONE.dat"));
        h.platform.answers << mrOk;
        w.Open1->trigger(); // cancelled
        QCOMPARE(w.CurrentDataFile, h.app.file(QStringLiteral("AB12.dat")));
        w.Open1->trigger();
        const auto *m = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(m->text, QStringLiteral("File does not exist, Sorry"));
        QCOMPARE(m->kind, MsgKind::Information);
        QCOMPARE(m->buttons, int(mbOk));
        // Nothing changed: the next save still goes to the loaded file.
        QCOMPARE(w.CurrentDataFile, h.app.file(QStringLiteral("AB12.dat")));
        QCOMPARE(w.FuelLog, two);
        w.Save1->trigger();
        QVERIFY(!h.app.exists(QStringLiteral("GONE.dat")));
    }

    // A registration from the settings file that cannot name a file makes
    // no vehicle current: said once, the manager opens to choose one, and
    // nothing outside the data folder is read, written or deleted.
    void unsafeRegistrationInTheSettings_data()
    {
        QTest::addColumn<QString>("registration");
        QTest::newRow("parent folder") << "../OUT";
        QTest::newRow("separator") << "a/OUT";
        QTest::newRow("too long") << "OUTOUTOUTOU";
        QTest::newRow("dot dot") << "..";
    }
    void unsafeRegistrationInTheSettings()
    {
        QFETCH(QString, registration);
        Harness h;
        QDir(h.app.path()).mkdir(QStringLiteral("data"));
        QDir(h.app.path()).mkdir(QStringLiteral("data/a"));
        h.settings({"Start up=1", "Registration=" + registration, "Data Path=" + h.app.file(QStringLiteral("data/"))});
        for (const char *name : {"OUT.dat", "data/a/OUT.dat", "data/OUTOUTOUTOU.dat", "data/...dat"})
            h.app.write(QLatin1String(name), AppFolder::crlf(two));
        h.platform.answers << mrYes; // the manager's welcome: no vehicle list yet
        TVantiq_ &w = h.start();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 QStringList{"The default vehicle \"" + registration + "\" in vantiq.ini is not a usable registration; choose a vehicle"});
        QVERIFY(w.VehSelect && w.VehSelect->isVisible());
        QCOMPARE(w.DataEntry->Registration->text(), QString());
        QVERIFY(w.FuelLog.isEmpty());
        QVERIFY(CarDataFile::IsNoFile(w.CurrentDataFile));
        h.platform.calls.clear();
        w.NewDataFile->trigger();
        QCOMPARE(h.platform.texts(), QStringList{"No registration Set"});
        for (const char *name : {"OUT.dat", "data/a/OUT.dat", "data/OUTOUTOUTOU.dat", "data/...dat"})
            QCOMPARE(h.app.read(QLatin1String(name)), AppFolder::crlf(two));
    }

    void openAnotherVehiclesFile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("make it the default") << int(mrYes);
        QTest::newRow("keep the default") << int(mrNo);
    }
    void openAnotherVehiclesFile()
    {
        QFETCH(int, answer);
        Harness h;
        TVantiq_ &w = loaded(h);
        QDir(h.app.path()).mkdir(QStringLiteral("other"));
        h.app.write(QStringLiteral("other/XY99.dat"), AppFolder::crlf(AppFolder::log(3)));
        h.platform.fileAnswers << h.app.file(QStringLiteral("other/XY99.dat"));
        h.platform.answers << answer << mrOk;
        w.Open1->trigger();
        const auto *q = h.platform.calls[0].what == QStringLiteral("OpenFileName") ? &h.platform.calls[1] : nullptr;
        QVERIFY(q);
        QCOMPARE(q->text, QStringLiteral("You are attempting to change to\ranother file without first setting it as Default\rDo you wish to do this now ?"));
        QCOMPARE(q->kind, MsgKind::Warning);
        QCOMPARE(q->buttons, mbYes | mbNo | mbHelp);
        QCOMPARE(q->help, 8);
        QCOMPARE(w.FuelLog.size(), 12);
        const IniFile ini = IniFile::FromBytes(h.app.read(QStringLiteral("vantiq.ini")));
        if (answer == mrYes) {
            QCOMPARE(w.DataEntry->Registration->text(), QStringLiteral("XY99"));
            QCOMPARE(w.Live.DataPath, h.app.path() + QStringLiteral("other/"));
            QCOMPARE(*ini.Value(Settings::Section, QStringLiteral("Registration")), QStringLiteral("XY99"));
            QVERIFY(w.OptionsTabs->isVisible());
            QCOMPARE(h.platform.texts(QStringLiteral("MessageDialog")).size(), 1);
        } else {
            QCOMPARE(h.platform.texts(QStringLiteral("MessageDialog")).last(), QStringLiteral("Default File Not Changed"));
            QCOMPARE(h.platform.last(QStringLiteral("MessageDialog"))->buttons, int(mbOk));
            QCOMPARE(w.DataEntry->Registration->text(), QStringLiteral("AB12"));
            QCOMPARE(w.Live.DataPath, h.app.path());
            QVERIFY(!w.OptionsTabs->isVisible());
        }
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void openedBackupShowsOnlyDataReady()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        h.app.write(QStringLiteral("AB12.bak"), AppFolder::crlf(two));
        h.platform.fileAnswers << h.app.file(QStringLiteral("AB12.bak"));
        h.platform.answers << mrNo << mrOk;
        w.Open1->trigger();
        QCOMPARE(w.StatusText(5), QStringLiteral(" DATA READY"));
    }

    void saveWritesTheLogByteForByte()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        w.FuelLog << QStringLiteral("04/05/2011") << QStringLiteral("10800") << QStringLiteral("41.50") << QStringLiteral("129.90");
        w.SaveBtn->click();
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(w.FuelLog));
        QCOMPARE(w.StatusText(5), QStringLiteral("FILE SAVED ") + h.app.file(QStringLiteral("AB12.dat")));
    }

    void saveWithoutData()
    {
        Harness h;
        h.settings({"Registration=AB12"});
        TVantiq_ &w = h.start();
        w.Save1->trigger();
        QCOMPARE(w.StatusText(5), QStringLiteral("NO DATA TO SAVE ") + h.app.path() + QStringLiteral("*.dat"));
        h.platform.fileAnswers << h.app.file(QStringLiteral("x.dat"));
        w.SaveAs->trigger();
        QCOMPARE(w.StatusText(5), QStringLiteral("NO DATA TO SAVE"));
        QVERIFY(!h.app.exists(QStringLiteral("x.dat")));
    }

    void saveAsThenSaveWritesTheCurrentFile()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        h.platform.fileAnswers << QString() << h.app.file(QStringLiteral("copy.dat"));
        w.SaveAs->trigger(); // cancelled
        QVERIFY(!h.app.exists(QStringLiteral("copy.dat")));
        w.SaveAs->trigger();
        QCOMPARE(h.app.read(QStringLiteral("copy.dat")), AppFolder::crlf(two));
        QCOMPARE(w.windowTitle(), QStringLiteral("Fuel Data Save"));
        QCOMPARE(w.Files().OpenDataFile.fileName, h.app.file(QStringLiteral("copy.dat")));
        w.FuelLog[1] = QStringLiteral("10001");
        w.Save1->trigger();
        QVERIFY(h.app.read(QStringLiteral("AB12.dat")).contains("10001"));
        QVERIFY(!h.app.read(QStringLiteral("copy.dat")).contains("10001"));
    }

    // A name whose marks file is not its own: the log would land on the
    // marks, or its marks on another data file's. Refused, nothing written.
    void saveAsRefusesAnotherFilesMarks_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("told");
        const QString others = QStringLiteral(" cannot be saved there: its fill marks would go in AB12.marks, which keeps the marks of AB12.dat. Choose another name.");
        QTest::newRow("another extension beside AB12.dat") << "AB12.txt" << "AB12.txt" + others;
        QTest::newRow("no extension beside AB12.dat") << "AB12" << "AB12" + others;
        const QString reserved = QStringLiteral(" cannot hold a fuel log: files ending in .marks keep the fill marks of a data file. Choose another name.");
        QTest::newRow("the marks of AB12.dat") << "AB12.marks" << "AB12.marks" + reserved;
        QTest::newRow("a marks name of its own") << "copy.Marks" << "copy.Marks" + reserved;
        QTest::newRow("a backup's marks name") << "copy.marks.bak"
                                               << "copy.marks.bak cannot hold a fuel log: files ending in .marks.bak keep the fill marks of a data file. Choose another name.";
    }
    void saveAsRefusesAnotherFilesMarks()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, told);
        Harness h;
        const QByteArray marks("03/04/2011,10400,partial\r\n");
        h.app.write(QStringLiteral("AB12.marks"), marks);
        TVantiq_ &w = loaded(h);
        w.State().Marks.SetAt(w.FuelLog, 0, FillMark::Missed);
        h.platform.fileAnswers << h.app.file(chosen);
        w.SaveAs->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{told});
        QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), marks);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(two));
        QCOMPARE(QDir(h.app.path()).entryList({QStringLiteral("AB12*"), QStringLiteral("copy*")}, QDir::Files),
                 (QStringList{"AB12.dat", "AB12.marks"}));
        QVERIFY(w.windowTitle() != QStringLiteral("Fuel Data Save"));
    }

    void failedSaveKeepsTheOldFile()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        QDir(h.app.path()).mkdir(QStringLiteral("ro"));
        w.CurrentDataFile = h.app.file(QStringLiteral("ro"));   // a folder cannot be replaced by a file
        w.Save1->trigger();
        QCOMPARE(h.platform.calls.last().what, QStringLiteral("ShowMessage"));
        QVERIFY(h.platform.calls.last().text.startsWith(h.app.file(QStringLiteral("ro"))));
        QVERIFY(!w.StatusText(5).startsWith(QStringLiteral("FILE SAVED")));
        QVERIFY(QFileInfo(h.app.file(QStringLiteral("ro"))).isDir());
    }

    void newDataFile_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("first question declined") << QList<int>{mrCancel} << false;
        QTest::newRow("second question declined") << QList<int>{mrOk, mrCancel} << false;
        QTest::newRow("both confirmed") << QList<int>{mrOk, mrOk} << true;
    }
    void newDataFile()
    {
        QFETCH(QList<int>, answers);
        QFETCH(bool, deleted);
        Harness h;
        TVantiq_ &w = loaded(h);
        h.platform.answers = answers;
        w.New1->trigger();
        const QStringList questions = h.platform.texts(QStringLiteral("MessageDialog"));
        QCOMPARE(questions.first(), QStringLiteral("A Data File AB12.dat exists for this vehicle\rClick OK to erase this file"));
        QCOMPARE(h.platform.calls.first().buttons, mbOk | mbCancel | mbHelp);
        QCOMPARE(h.platform.calls.first().kind, MsgKind::Information);
        if (answers.size() > 1) {
            QCOMPARE(questions[1], QStringLiteral("Really Delete ") + h.app.file(QStringLiteral("AB12.dat")));
            QCOMPARE(h.platform.calls[1].buttons, mbOk | mbCancel);
            QCOMPARE(h.platform.calls[1].help, 8);
        }
        QCOMPARE(h.app.exists(QStringLiteral("AB12.dat")), !deleted);
        QCOMPARE(w.FuelLog.isEmpty(), deleted);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 deleted ? QStringList{"Click \"Enter Data\" to start a data file for AB12"} : QStringList{});
    }

    void newWithoutRegistration()
    {
        Harness h;
        h.settings({"Registration=AB12"});
        TVantiq_ &w = h.start();
        h.platform.calls.clear();
        w.NewDataFile->trigger();
        QCOMPARE(h.platform.texts(), QStringList{"No registration Set"});
    }

    void restoreBackup_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(mrYes);
        QTest::newRow("no") << int(mrNo);
    }
    void restoreBackup()
    {
        QFETCH(int, answer);
        Harness h;
        TVantiq_ &w = loaded(h);
        const QByteArray backup = AppFolder::crlf(AppFolder::log(5));
        h.app.write(QStringLiteral("AB12.bak"), backup);
        h.platform.fileAnswers << h.app.file(QStringLiteral("AB12.bak"));
        h.platform.answers << answer;
        w.RestoreBackup1->trigger();
        const FileRequest &asked = h.platform.fileRequests.last();
        QCOMPARE(asked.title, QStringLiteral("Restore ") + h.app.file(QStringLiteral("AB12.dat")));
        QCOMPARE(asked.filterIndex, 2);
        const auto *q = h.platform.last(QStringLiteral("MessageDlg"));
        QCOMPARE(q->text, QStringLiteral("Are you sure you want to replace ") + h.app.file(QStringLiteral("AB12.dat"))
                              + QStringLiteral("\r\nWith the backup file ") + h.app.file(QStringLiteral("AB12.bak")));
        QCOMPARE(q->kind, MsgKind::Confirmation);
        QCOMPARE(q->buttons, mbYes | mbNo);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), answer == mrYes ? backup : AppFolder::crlf(two));
        QCOMPARE(w.FuelLog, two); // memory is not reloaded
    }

    // The marks file beside AB12.dat: read at the load (whatever it holds,
    // the log loads), written at the save with only marks that name records,
    // and gone when no fill-up is marked. The log file is never touched by it.
    void marksBesideTheLog_data()
    {
        QTest::addColumn<QByteArray>("onDisk"); // null: no file
        QTest::addColumn<QString>("read");      // the first record's mark as the data view shows it
        QTest::addColumn<bool>("unmark");       // the first record unmarked before the save
        QTest::addColumn<QByteArray>("saved");  // null: no file after the save
        QTest::addColumn<QString>("plant");     // instead of the file: link (to notes.txt), fifo
        QTest::addColumn<QString>("told");      // at the load ("%1": the folder)
        QTest::newRow("no file: none written") << QByteArray() << "" << false << QByteArray() << QString() << QString();
        QTest::newRow("read, a line naming no record dropped")
            << QByteArray("01/01/2011,10000,partial\r\n05/05/2011,1,missed\r\n") << "Partial" << false
            << QByteArray("01/01/2011,10000,partial\r\n") << QString() << QString();
        QTest::newRow("nothing readable: the log loads unmarked")
            << QByteArray(1, '\0') + "\xFF garbage\r\n,,,\r\n01/01/2011;10000;partial" << "" << false << QByteArray() << QString() << QString();
        QTest::newRow("an empty file goes") << QByteArray("") << "" << false << QByteArray() << QString() << QString();
        QTest::newRow("unmarked: the file goes") << QByteArray("01/01/2011,10000,missed\r\n") << "Missed" << true << QByteArray() << QString() << QString();
        // What a user's folder may hold: a link is read as no file and told
        // once, and the save replaces the link, never the file it names; a
        // pipe is told of and left alone by every save.
        QTest::newRow("a link to the user's notes") << QByteArray() << "" << false << QByteArray() << "link"
                                                     << "AB12.marks is a link to %1notes.txt; Vantiq does not follow it";
        QTest::newRow("a named pipe") << QByteArray() << "" << false << QByteArray() << "fifo"
                                      << "%1AB12.marks is a named pipe: Vantiq reads only ordinary files. The fill-ups are "
                                         "shown unmarked, and the marks file is left as it is until it can be read.";
    }
    void marksBesideTheLog()
    {
        QFETCH(QByteArray, onDisk);
        QFETCH(QString, read);
        QFETCH(bool, unmark);
        QFETCH(QByteArray, saved);
        QFETCH(QString, plant);
        QFETCH(QString, told);
        Harness h;
        const QString marksPath = h.app.file(QStringLiteral("AB12.marks"));
        if (!onDisk.isNull())
            h.app.write(QStringLiteral("AB12.marks"), onDisk);
        h.app.write(QStringLiteral("notes.txt"), "my notes");
        if (plant == QLatin1String("link"))
            QVERIFY(QFile::link(h.app.file(QStringLiteral("notes.txt")), marksPath));
        if (plant == QLatin1String("fifo"))
            QVERIFY(::mkfifo(QFile::encodeName(marksPath).constData(), 0600) == 0);
        TVantiq_ &w = loaded(h); // a pipe would block the load for ever
        QCOMPARE(w.FuelLog, two);
        QCOMPARE(FillMarks::Name(w.State().Marks.At(w.FuelLog, 0)), read);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), told.isEmpty() ? QStringList() : QStringList{told.arg(h.app.path())});
        if (unmark)
            w.State().Marks.SetAt(w.FuelLog, 0, FillMark::Full);
        if (!plant.isEmpty())
            w.State().Marks.SetAt(w.FuelLog, 4, FillMark::Partial);
        h.platform.calls.clear();
        w.SaveBtn->click();
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(two));
        QCOMPARE(h.app.read(QStringLiteral("notes.txt")), QByteArray("my notes"));
        if (plant == QLatin1String("fifo")) {
            QVERIFY(QFileInfo(marksPath).exists() && !QFileInfo(marksPath).isFile()); // still the pipe
            QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 1); // the marks not saved: said once
            return;
        }
        if (plant == QLatin1String("link")) {
            QVERIFY(!QFileInfo(marksPath).isSymLink());
            QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), QByteArray("03/04/2011,10400,partial\r\n"));
            QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty());
            return;
        }
        QCOMPARE(h.app.exists(QStringLiteral("AB12.marks")), !saved.isNull());
        if (!saved.isNull())
            QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), saved);
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty());
    }

    // A marks file that cannot be written (a folder stands in its place) is
    // told; the log was saved, and the fill-ups in memory stay as saved.
    void marksThatCannotBeWrittenKeepTheSavedLog()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        QVERIFY(QDir(h.app.path()).mkdir(QStringLiteral("AB12.marks")));
        w.FuelLog << QStringLiteral("04/05/2011") << QStringLiteral("10800") << QStringLiteral("41.50") << QStringLiteral("129.90");
        w.State().Marks.SetAt(w.FuelLog, 8, FillMark::Partial);
        w.SaveBtn->click();
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(w.FuelLog));
        QCOMPARE(w.StatusText(5), QStringLiteral("FILE SAVED ") + h.app.file(QStringLiteral("AB12.dat")));
        const QStringList told = h.platform.texts(QStringLiteral("ShowMessage"));
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().startsWith(h.app.file(QStringLiteral("AB12.marks"))), qPrintable(told.first()));
        QCOMPARE(w.State().Marks.At(w.FuelLog, 8), FillMark::Partial); // kept for the next save
    }

    // The backup at shutdown takes the marks along, and Restore Backup
    // brings them back; a backup without marks leaves none behind.
    void backupAndRestoreCarryTheMarks()
    {
        const QByteArray marks("03/04/2011,10400,partial\r\n");
        {
            Harness h;
            h.settings({"Backup=1", "Start up=1", "Registration=AB12"});
            h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(two));
            h.app.write(QStringLiteral("AB12.marks"), marks);
            h.start().close();
            QCOMPARE(h.app.read(QStringLiteral("AB12.bak")), AppFolder::crlf(two));
            QCOMPARE(h.app.read(QStringLiteral("AB12.marks.bak")), marks);
        }
        Harness h;
        TVantiq_ &w = loaded(h);
        h.app.write(QStringLiteral("AB12.bak"), AppFolder::crlf(two));
        h.app.write(QStringLiteral("AB12.marks.bak"), marks);
        h.platform.fileAnswers << h.app.file(QStringLiteral("AB12.bak")) << h.app.file(QStringLiteral("AB12.bak"));
        h.platform.answers << mrYes << mrYes;
        w.RestoreBackup1->trigger();
        QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), marks);
        QFile::remove(h.app.file(QStringLiteral("AB12.marks.bak")));
        w.RestoreBackup1->trigger();
        QVERIFY(!h.app.exists(QStringLiteral("AB12.marks")));
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).isEmpty());
    }

    void restoreCancelled()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        h.platform.fileAnswers << QString();
        w.RestoreBackup1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("MessageDlg")), QStringList{});
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(two));
    }

    void noCurrentFileIsNeverWrittenTo()
    {
        // After a failed load no file is current: Save asks for a name and
        // Restore has nothing to replace.
        Harness h;
        TVantiq_ &w = loaded(h);
        w.CurrentDataFile = h.app.path() + QStringLiteral("*.dat");
        h.platform.fileAnswers << QString();
        w.Save1->trigger();
        QCOMPARE(h.platform.calls.last().what, QStringLiteral("SaveFileName"));
        h.platform.fileAnswers << h.app.file(QStringLiteral("AB12.dat"));
        w.RestoreBackup1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{"No registration Set"});
        QVERIFY(!h.app.exists(QStringLiteral("*.dat")));
    }

    void setRegistration()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        QCOMPARE(w.Files().SetRegistration(QStringLiteral("AB12"), false), h.app.file(QStringLiteral("AB12.dat")));
        QCOMPARE(w.Files().SetRegistration(QStringLiteral("ZZ1"), false), h.app.path() + QStringLiteral("*.dat"));
        QCOMPARE(w.Files().SetRegistration(QStringLiteral("ZZ1"), true), h.app.file(QStringLiteral("ZZ1.dat")));
        QCOMPARE(w.OptionsTabs->Reg2->text(), QStringLiteral("ZZ1"));
        QCOMPARE(w.StatusText(0), QStringLiteral("ZZ1"));
        QCOMPARE(w.Files().SaveDialog1.fileName, h.app.file(QStringLiteral("ZZ1.dat")));
        const QString nul = QStringLiteral("AB").append(QChar(0)).append(QStringLiteral("CD"));
        for (const QString &bad : {nul, QStringLiteral("AB\u03A912"), QStringLiteral(" AB12"), QStringLiteral("../OUT")}) {
            QCOMPARE(w.Files().SetRegistration(bad, true), h.app.path() + QStringLiteral("*.dat"));
            QCOMPARE(w.StatusText(0), QString());
        }
    }
};

VANTIQ_TEST(DataFilesTest)
#include "tst_datafiles.moc"
