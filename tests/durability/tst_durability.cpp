#include "Contents.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"
#include "core/vehicles/VehicleList.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Durability;

// A save killed at any moment, or cut short by a full disk, never costs the
// user the file that was there: the file is whole, old or new, and no
// half-written file stands where Vantiq would read one.
class DurabilityTest : public QObject {
    Q_OBJECT

    // Kills per kind: a quick sample for a developer's `make test`; CI asks
    // for more through VANTIQ_KILLS.
    static int kills() { return qEnvironmentVariableIntValue("VANTIQ_KILLS") > 0 ? qEnvironmentVariableIntValue("VANTIQ_KILLS") : 10; }

    static bool loads(const QString &kind, const QByteArray &bytes)
    {
        if (kind == QLatin1String("vehiclelist")) {
            VehicleList list;
            list.ReadBytes(bytes, VehicleFile::Form::Current, QString(), QDate(2012, 1, 1));
            for (int i = 0; i < list.Count(); ++i)
                if (list.IsInvalid(i))
                    return false;
            return list.Count() > 0;
        }
        const QStringList lines = TextFile::SplitLines(bytes);
        if (kind == QLatin1String("bulk"))
            return BulkList::CheckList(lines) == BulkList::Check::Good;
        return CarDataFile::CheckLog(lines) == CarDataFile::Check::Good;
    }
    // Files Vantiq would read or offer besides the one saved: data files,
    // vehicle lists, backups.
    // A save's own temporary file may stand after a kill: the next save or
    // start removes it. Anything else is a stray.
    static QStringList strays(const QDir &dir, const QString &kept)
    {
        QStringList found = dir.entryList({"*.dat", "*.veh", "*.bak", "*.ini", "*.dat.*", "*.veh.*", ".*"},
                                          QDir::Files | QDir::Hidden);
        found.removeAll(kept);
        found.removeAll(QFileInfo(TextFile::TemporaryName(dir.filePath(kept))).fileName());
        return found;
    }

    // failSync: "all" syncs fail, or only the "folder"'s after the rename.
    static QByteArray runOnce(const QString &kind, const QString &folder, qint64 limit, QString *told, const QString &failSync = {})
    {
        QProcess p;
        p.setProgram(QStringLiteral(VANTIQ_SAVER));
        if (!failSync.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VANTIQ_FAILSYNC));
            env.insert(QStringLiteral("VANTIQ_FAILSYNC"), failSync);
            env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
            p.setProcessEnvironment(env);
        }
        p.setArguments({QStringLiteral("once"), kind, folder});
        if (limit > 0)
            p.setChildProcessModifier([limit] {
                // As on a full disk: writes past the limit fail with EFBIG
                // instead of killing the process.
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit r{rlim_t(limit), rlim_t(limit)};
                setrlimit(RLIMIT_FSIZE, &r);
            });
        p.start();
        p.waitForFinished(60000);
        *told = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        return p.exitStatus() == QProcess::NormalExit ? QByteArray::number(p.exitCode()) : QByteArray("crashed");
    }

    // Starts the saver's loop and kills it at a random moment of its saves:
    // within twice the time its first save took, so that a busy machine
    // (whose saves are slower) cannot keep every kill ahead of the second
    // save, and a saver that saves nothing fails.
    static void killSaverAtRandom(const QString &kind, const QString &folder, QRandomGenerator &random)
    {
        QProcess saver;
        saver.start(QStringLiteral(VANTIQ_SAVER), {QStringLiteral("loop"), kind, folder});
        auto waitForLine = [&](const QByteArray &line) {
            while (!saver.canReadLine())
                if (!saver.waitForReadyRead(60000))
                    return false;
            return saver.readLine().trimmed() == line;
        };
        QVERIFY(waitForLine("ready")); // its contents are built, the saves begin
        QElapsedTimer first;
        first.start();
        QVERIFY2(waitForLine("saved"), "the saver never saved");
        const qint64 took = std::max<qint64>(first.nsecsElapsed() / 1000, 200); // microseconds
        QThread::usleep(random.bounded(quint64(2 * took)));
        QCOMPARE(saver.state(), QProcess::Running); // killed while saving, not after it gave up
        ::kill(pid_t(saver.processId()), SIGKILL);
        QVERIFY(saver.waitForFinished(20000));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    // The log and its marks are two files replaced one after the other: a
    // kill at any moment leaves a pair that loads, where every fill-up has
    // its old mark or its new one and never another fill-up's.
    void killedDuringAMarkedSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("AB12.dat"));
        const MarkedLog states[2] = {Marked(0), Marked(1)};
        QString error;
        QVERIFY(TextFile::WriteWhole(path, AppFolder::crlf(states[0].log), &error));
        QVERIFY(TextFile::WriteWhole(FillMarks::PathFor(path), states[0].marks.FileText(states[0].log), &error));
        QRandomGenerator random(20261210);
        int seen[2] = {0, 0};
        for (int k = 0; k < kills(); ++k) {
            killSaverAtRandom(QStringLiteral("marked"), dir.path(), random);
            if (QTest::currentTestFailed())
                return;
            const QStringList log = TextFile::SplitLines(TextFile::ReadBytes(path).bytes);
            QVERIFY2(log == states[0].log || log == states[1].log, qPrintable(QStringLiteral("kill %1").arg(k)));
            ++seen[log == states[1].log];
            const TextFile::ReadResult marksFile = TextFile::ReadBytes(FillMarks::PathFor(path));
            QVERIFY(marksFile.ok);
            const QVector<FillMark> marks = FillMarks::Read(marksFile.bytes).PerRecord(log);
            for (int r = 0; r < marks.size(); ++r) {
                const FillMark before = states[0].byRecord.value(r, FillMark::Full), after = states[1].byRecord.value(r);
                QVERIFY2(marks[r] == before || marks[r] == after,
                         qPrintable(QStringLiteral("kill %1, record %2: mark %3").arg(k).arg(r).arg(int(marks[r]))));
            }
            QCOMPARE(strays(QDir(dir.path()), QStringLiteral("AB12.dat")).filter(QStringLiteral(".dat")), QStringList());
        }
        QVERIFY2(seen[1] > 0, "the saver never replaced the log");
        qInfo("marked log: %d kills, each pair loads with old or new marks (%d times the new log)", kills(), seen[1]);
    }

    void killedDuringASave_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("car data file") << "cardata";
        QTest::newRow("vehicle list") << "vehiclelist";
        QTest::newRow("bulk file") << "bulk";
    }
    void killedDuringASave()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(FileName(kind));
        const QByteArray contents[2] = {Content(kind, 0), Content(kind, 1)};
        QVERIFY(loads(kind, contents[0]) && loads(kind, contents[1]) && contents[0] != contents[1]);
        QString error;
        QVERIFY(TextFile::WriteWhole(path, contents[0], &error));

        QRandomGenerator random(20261209);
        int seenNew = 0;
        for (int k = 0; k < kills(); ++k) {
            killSaverAtRandom(kind, dir.path(), random);
            if (QTest::currentTestFailed())
                return;

            const QByteArray now = TextFile::ReadBytes(path).bytes;
            QVERIFY2(now == contents[0] || now == contents[1],
                     qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(k).arg(now.size())));
            QVERIFY(loads(kind, now));
            seenNew += now == contents[1];
            QCOMPARE(strays(QDir(dir.path()), FileName(kind)), QStringList());
        }
        QVERIFY2(seenNew > 0, "the saver never replaced the file"); // a saver that does not save fails here
        // The next save leaves no temporary file behind.
        QVERIFY(TextFile::WriteWhole(path, contents[1], &error));
        QVERIFY(!QFileInfo::exists(TextFile::TemporaryName(path)));
        QCOMPARE(TextFile::ReadBytes(path).bytes, contents[1]);
        qInfo("%s: %d kills, the file whole after each (%d times the other content)", qPrintable(kind), kills(), seenNew);
    }

    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("limit"); // 0: the sync fails instead (EIO)
        QTest::newRow("car data file") << "cardata" << qint64(64 * 1024);
        QTest::newRow("backup") << "backup" << qint64(64 * 1024);
        QTest::newRow("settings file") << "settings" << qint64(512);
        QTest::newRow("vehicle list") << "vehiclelist" << qint64(16 * 1024);
        QTest::newRow("bulk file") << "bulk" << qint64(16 * 1024);
        QTest::newRow("car data file, sync fails") << "cardata" << qint64(0);
        QTest::newRow("settings file, sync fails") << "settings" << qint64(0);
        QTest::newRow("vehicle list, sync fails") << "vehiclelist" << qint64(0);
        QTest::newRow("bulk file, sync fails") << "bulk" << qint64(0);
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath(FileName(kind));
        const QByteArray old = Content(kind, 0);
        QString error;
        QVERIFY(TextFile::WriteWhole(path, old, &error));
        QString told;
        QCOMPARE(runOnce(kind, dir.path(), limit, &told, limit == 0 ? QStringLiteral("all") : QString()),
                 QByteArray("1")); // the save reports its failure
        QVERIFY2(told.contains(FileName(kind)) && told.contains(QString::fromLocal8Bit(strerror(limit ? EFBIG : EIO))),
                 qPrintable(told));
        QCOMPARE(TextFile::ReadBytes(path).bytes, old);
        QCOMPARE(strays(QDir(dir.path()), FileName(kind)), QStringList());
        // Without the limit the same save goes through.
        QCOMPARE(runOnce(kind, dir.path(), 0, &told), QByteArray("0"));
        const QByteArray now = TextFile::ReadBytes(path).bytes;
        QVERIFY(now != old);
        if (kind != QLatin1String("settings")) // the settings file is the program's own, not a fixed content
            QCOMPARE(now, Content(kind, 1));
        QCOMPARE(strays(QDir(dir.path()), FileName(kind)), QStringList());
        QVERIFY(!QFileInfo::exists(TextFile::TemporaryName(path)));
    }

    // The folder's sync fails after the log was renamed into place: the log
    // stays, the marks written with it stay (every fill-up keeps its mark),
    // and the user is told the save may not outlive a power cut.
    void aFolderSyncThatFailsAfterTheRename()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("AB12.dat"));
        const MarkedLog before = Marked(0), after = Marked(1);
        QString error;
        QVERIFY(TextFile::WriteWhole(path, AppFolder::crlf(before.log), &error));
        QVERIFY(TextFile::WriteWhole(FillMarks::PathFor(path), before.marks.FileText(before.log), &error));
        QString told;
        QCOMPARE(runOnce(QStringLiteral("marked"), dir.path(), 0, &told, QStringLiteral("folder")), QByteArray("0"));
        QVERIFY2(told.contains(QStringLiteral("AB12.dat: ") + QString::fromLocal8Bit(strerror(EIO)))
                     && told.contains(QStringLiteral("it may not outlive a power cut")),
                 qPrintable(told));
        const QStringList log = TextFile::SplitLines(TextFile::ReadBytes(path).bytes);
        QCOMPARE(log, after.log);
        QCOMPARE(FillMarks::Read(TextFile::ReadBytes(FillMarks::PathFor(path)).bytes).PerRecord(log), after.byRecord);
    }

    // A start removes what killed saves left, and nothing else of the folder.
    void leftoversOfAKilledSave()
    {
        Harness h;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(3)));
        const QStringList left{".AB12.dat.vantiq-save", ".vehs3.veh.vantiq-save", ".vantiq.ini.vantiq-save"};
        const QStringList kept{"AB12.dat.Xq3kLm", "notes.vantiq-save", ".AB12.dat.vantiq-save.txt", ".hidden"};
        for (const QString &name : left + kept)
            h.app.write(name, "partial");
        // A link planted under a save's temporary name: the save writes its
        // own new file, never through the link.
        h.app.write(QStringLiteral("victim.txt"), "mine");
        QVERIFY(QFile::link(h.app.file(QStringLiteral("victim.txt")), h.app.file(QStringLiteral(".bulk.dat.vantiq-save"))));
        QString error;
        QVERIFY2(TextFile::WriteWhole(h.app.file(QStringLiteral("bulk.dat")), "new", &error), qPrintable(error));
        QCOMPARE(h.app.read(QStringLiteral("victim.txt")), QByteArray("mine"));
        QCOMPARE(h.app.read(QStringLiteral("bulk.dat")), QByteArray("new"));
        h.start();
        for (const QString &name : left)
            QVERIFY2(!QFileInfo::exists(h.app.file(name)), qPrintable(name));
        for (const QString &name : kept)
            QCOMPARE(h.app.read(name), QByteArray("partial"));
        QCOMPARE(h.app.read(QStringLiteral("victim.txt")), QByteArray("mine"));
    }

    void folderThatBecameAFile()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data"));
        QFile plain(folder);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("not a folder");
        plain.close();
        QString told;
        QCOMPARE(runOnce(QStringLiteral("cardata"), folder, 0, &told), QByteArray("1"));
        QVERIFY2(told.startsWith(folder + QStringLiteral("/AB12.dat: ")), qPrintable(told));
        QCOMPARE(TextFile::ReadBytes(folder).bytes, QByteArray("not a folder"));
    }
};

VANTIQ_TEST(DurabilityTest)
#include "tst_durability.moc"
