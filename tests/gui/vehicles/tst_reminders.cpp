#include "Harness.h"
#include "TestMain.h"
#include "TestVehicles.h"
#include "core/vehicles/Reminders.h"
#include "gui/vehicles/ReminderPrompt.h"
#include "gui/vehicles/VehicleManager.h"

#include <QCheckBox>
#include <QLabel>
#include <QtEndian>
#include <climits>

// The renewal reminders: the rules on their own, then the scan as the
// vehicle manager runs it when it opens.
class RemindersTest : public QObject {
    Q_OBJECT

    const QDate today{2026, 12, 9};

    static TRenewalReminder renewal(QDate due, bool remind, int daysBefore, int rate, bool stopped = false)
    {
        return TRenewalReminder{VehicleFile::ToDays(due), remind, daysBefore, rate, stopped};
    }
    static TVehicleRecord vehicle(const QString &reg) { return TestVehicle(reg); }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void rules_data()
    {
        QTest::addColumn<QDate>("due");
        QTest::addColumn<int>("daysBefore");
        QTest::addColumn<int>("rate");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<bool>("reminds");
        QTest::addColumn<QDate>("dueAfter");
        const QDate in14(2026, 12, 23);
        QTest::newRow("every day, due in 14, from 14 before") << in14 << 14 << 1 << false << true << in14;
        QTest::newRow("every day, due in 14, from 10 before") << in14 << 10 << 1 << false << false << in14;
        QTest::newRow("once, exactly 14 before") << in14 << 14 << 0 << false << true << in14;
        QTest::newRow("once, 13 before") << in14 << 13 << 0 << false << false << in14;
        QTest::newRow("once, 15 before") << in14 << 15 << 0 << false << false << in14;
        QTest::newRow("a rate of 7 counts as once") << in14 << 14 << 7 << false << true << in14;
        QTest::newRow("every day, due today") << QDate(2026, 12, 9) << 14 << 1 << false << true << QDate(2026, 12, 9);
        QTest::newRow("once with no days before, due today") << QDate(2026, 12, 9) << 0 << 0 << false << true << QDate(2026, 12, 9);
        QTest::newRow("stopped") << in14 << 14 << 1 << true << false << in14;
        QTest::newRow("stopped, passed yesterday: rolled on and wanted again")
            << QDate(2026, 12, 8) << 400 << 1 << true << true << QDate(2027, 12, 8);
        QTest::newRow("passed three years ago: one year on, no reminder")
            << QDate(2023, 11, 1) << 14 << 1 << false << false << QDate(2024, 11, 1);
        QTest::newRow("negative days before") << in14 << -5 << 1 << false << false << in14;
        QTest::newRow("the most days before") << in14 << INT_MAX << 1 << false << true << in14;
        QTest::newRow("the fewest days before") << in14 << INT_MIN << 0 << false << false << in14;
    }
    void rules()
    {
        QFETCH(QDate, due);
        QFETCH(int, daysBefore);
        QFETCH(int, rate);
        QFETCH(bool, stopped);
        QFETCH(bool, reminds);
        QFETCH(QDate, dueAfter);
        TRenewalReminder r = renewal(due, true, daysBefore, rate, stopped);
        Reminders::RollOn(r, today);
        QCOMPARE(Reminders::IsDue(r, today), reminds);
        QCOMPARE(Reminders::DueDate(r), dueAfter);
        r.Remind = false;
        QVERIFY(!Reminders::IsDue(r, today));
    }

    void leapDayRollsOnToTheEndOfFebruary()
    {
        TRenewalReminder r = renewal(QDate(2024, 2, 29), false, 0, 0);
        for (const auto &[day, expected] : {std::pair{QDate(2024, 3, 1), QDate(2025, 2, 28)},
                                            std::pair{QDate(2025, 3, 1), QDate(2026, 2, 28)},
                                            std::pair{QDate(2026, 3, 1), QDate(2027, 2, 28)}}) {
            QVERIFY(Reminders::RollOn(r, day));
            QCOMPARE(Reminders::DueDate(r), expected);
        }
        QVERIFY(!Reminders::RollOn(r, QDate(2027, 2, 28))); // on the due date itself it stays
    }

    void odderDueDates()
    {
        TRenewalReminder r = renewal(QDate(2026, 12, 20), true, 30, 1);
        r.Due += 0.75; // an evening: the day counts
        QVERIFY(Reminders::IsDue(r, today));
        QCOMPARE(Reminders::DueDate(r), QDate(2026, 12, 20));
        for (double odd : {1e300, -1e300, std::nan(""), 1e7}) {
            r.Due = odd;
            QVERIFY(!Reminders::RollOn(r, today));
            QVERIFY(!Reminders::IsDue(r, today));
            QCOMPARE(r.Due == odd || std::isnan(odd), true);
        }
    }

    void texts_data()
    {
        QTest::addColumn<int>("renewal");
        QTest::addColumn<QDate>("due");
        QTest::addColumn<QString>("text");
        QTest::newRow("road tax in 14 days") << 0 << QDate(2026, 12, 23) << "Road Tax renewal for AB12CDE is due in 14 days on 23/12/2026";
        QTest::newRow("service today") << 3 << QDate(2026, 12, 9) << "Service renewal for AB12CDE is due in 0 days on 09/12/2026";
        QTest::newRow("MOT in 1000 days") << 2 << QDate(2029, 9, 4) << "MOT renewal for AB12CDE is due in 1E+3 days on 04/09/2029";
        QTest::newRow("insurance in 1234 days") << 1 << QDate(2030, 4, 26) << "Insurance renewal for AB12CDE is due in 1.23E+3 days on 26/04/2030";
    }
    void texts()
    {
        QFETCH(int, renewal);
        QFETCH(QDate, due);
        QFETCH(QString, text);
        QCOMPARE(Reminders::Text(renewal, QStringLiteral("AB12CDE"), this->renewal(due, true, 0, 0), today,
                                 QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 text);
    }

    // The scan when the manager opens: the prompts in list order, "Dont
    // remind me again" stored, the list saved after each reminder only.
    void scanOverTwoVehicles()
    {
        Harness h;
        h.platform.today = today;
        TVehicleRecord a = vehicle(QStringLiteral("AA1")), b = vehicle(QStringLiteral("BB2"));
        a.Reminders[1] = renewal(QDate(2026, 12, 20), true, 30, 1); // insurance, every day
        a.Reminders[3] = renewal(QDate(2026, 12, 19), true, 10, 0); // service, once: today
        b.Archived = 1;                                              // archived vehicles are reminded too
        b.Reminders[0] = renewal(QDate(2026, 12, 9), true, 0, 1);    // road tax, today
        b.Reminders[2] = renewal(QDate(2025, 6, 1), true, 0, 1);     // MOT long past: rolled on only
        h.settings({QStringLiteral("Registration=AA1")});
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(a) + VehicleFile::Encode(b));
        QStringList prompts;
        int tick = 1; // the second reminder gets "Dont remind me again"
        for (int i = 0; i < 3; ++i)
            h.platform.modalHandlers << [&](QDialog &d) {
                auto &p = static_cast<TCalendarPrompt &>(d);
                if (p.Dont->isChecked())
                    prompts << QStringLiteral("ticked before it was shown");
                prompts << p.Prompt->text();
                p.Dont->setChecked(prompts.size() == 1 + tick);
                return int(QDialog::Accepted);
            };
        TVantiq_ &w = h.start();
        QCOMPARE(prompts, (QStringList{"Insurance renewal for AA1 is due in 11 days on 20/12/2026",
                                       "Service renewal for AA1 is due in 10 days on 19/12/2026",
                                       "Road Tax renewal for BB2 is due in 0 days on 09/12/2026"}));
        const QByteArray file = h.app.read(QStringLiteral("vehs3.veh"));
        auto stoppedAt = [&](int vehicle, int renewal) { return file[vehicle * 1848 + 240 + 24 * renewal + 20] != 0; };
        QVERIFY(!stoppedAt(0, 1));
        QVERIFY(stoppedAt(0, 3));
        QVERIFY(!stoppedAt(1, 0));
        // The MOT date rolled on after the last save of the scan: in memory
        // now, in the file with the next save.
        const double mot = qFromLittleEndian<double>(file.constData() + 1848 + 240 + 48);
        QCOMPARE(VehicleFile::FromDays(mot), QDate(2025, 6, 1));
        QCOMPARE(Reminders::DueDate(w.Vehicles.At(1).Reminders[2]), QDate(2026, 6, 1));

        // Opened again the same day: the stopped service reminder stays quiet.
        prompts.clear();
        tick = 99;
        for (int i = 0; i < 2; ++i)
            h.platform.modalHandlers << [&](QDialog &d) {
                prompts << static_cast<TCalendarPrompt &>(d).Prompt->text();
                return int(QDialog::Accepted);
            };
        w.VehDetails();
        QCOMPARE(prompts.size(), 2);
        QVERIFY(!prompts.join(QLatin1Char('|')).contains(QStringLiteral("Service")));
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void nothingDueLeavesTheFile()
    {
        Harness h;
        h.platform.today = today;
        TVehicleRecord a = vehicle(QStringLiteral("AA1"));
        a.Reminders[0] = renewal(QDate(2025, 1, 1), true, 0, 1); // passed: rolled on in memory only
        const QByteArray bytes = VehicleFile::Encode(a);
        h.settings({QStringLiteral("Registration=AA1")});
        h.app.write(QStringLiteral("vehs3.veh"), bytes);
        TVantiq_ &w = h.start();
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")), bytes);
        QCOMPARE(Reminders::DueDate(w.Vehicles.At(0).Reminders[0]), QDate(2026, 1, 1));
    }

    // An entry that cannot be read is passed over and written back as read.
    void anUnreadableEntryIsPassedOver()
    {
        Harness h;
        h.platform.today = today;
        TVehicleRecord a = vehicle(QStringLiteral("AA1"));
        a.Reminders[0] = renewal(QDate(2026, 12, 9), true, 0, 1);
        QByteArray bad = VehicleFile::Encode(a);
        bad[33] = char(90);
        TVehicleRecord b = vehicle(QStringLiteral("BB2"));
        b.Reminders[0] = renewal(QDate(2026, 12, 9), true, 0, 1);
        h.settings({QStringLiteral("Registration=BB2")});
        h.app.write(QStringLiteral("vehs3.veh"), bad + VehicleFile::Encode(b));
        h.platform.modalHandlers << [](QDialog &) { return int(QDialog::Accepted); };
        h.start();
        QCOMPARE(h.platform.texts(QStringLiteral("ExecModal")), QStringList{"TCalendarPrompt"});
        QCOMPARE(h.app.read(QStringLiteral("vehs3.veh")).left(1848), bad);
    }
};

VANTIQ_TEST(RemindersTest)
#include "tst_reminders.moc"
