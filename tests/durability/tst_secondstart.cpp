#include "TestMain.h"
#include "app/SingleProgram.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program started twice on one folder, and after a kill: the
// second start brings the first forward and ends; a lock left by a killed
// program never stops the next.
class SecondStartTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString exe() const { return dir.filePath(QStringLiteral("vantiq")); }
    QString settings() const { return dir.filePath(QStringLiteral("vantiq.ini")); }

    // The pid in the folder's lock once a program holds it; waits as long
    // as a loaded machine may need, never failing for slowness alone before
    // the test's own time limit.
    qint64 holder(qint64 wanted) const
    {
        qint64 pid = 0;
        for (int i = 0; i < 1200 && pid != wanted; ++i) {
            QLockFile lock(SingleProgram::LockPath(settings()));
            QString host, app;
            if (!lock.getLockInfo(&pid, &host, &app) || !QFileInfo::exists(SingleProgram::SocketPath(settings())))
                pid = 0;
            if (pid != wanted)
                QTest::qWait(50);
        }
        return pid;
    }
    static void start(QProcess &p, const QString &exe)
    {
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start(exe, {QStringLiteral("-platform"), QStringLiteral("offscreen")});
        QVERIFY(p.waitForStarted());
    }
    QStringList folder() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(VANTIQ_EXE), exe()));
        // Quiet starts: the log and vehicle are there, no splash or Welcome.
        QFile ini(settings());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\r\nDo Flash=0\r\nStart up=1\r\n");
    }

    void aSecondStartBringsTheFirstForward()
    {
        QProcess first;
        start(first, exe());
        QCOMPARE(holder(first.processId()), first.processId());
        const QStringList before = folder();
        QProcess second;
        start(second, exe());
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(second.readAllStandardOutput()),
                 QStringLiteral("Vantiq is already open on ") + settings() + QStringLiteral("; its window was brought to the front.\n"));
        QCOMPARE(folder(), before); // the second wrote nothing
        QCOMPARE(first.state(), QProcess::Running);

        // Killed without a chance to tidy up: the next start runs all the same.
        first.kill();
        QVERIFY(first.waitForFinished());
        QProcess third;
        start(third, exe());
        QCOMPARE(holder(third.processId()), third.processId());
        QCOMPARE(third.state(), QProcess::Running);
        third.terminate(); // closes as a session end does
        QVERIFY(third.waitForFinished(60000));
        QVERIFY(!QFileInfo::exists(SingleProgram::LockPath(settings())));
    }
};

VANTIQ_TEST(SecondStartTest)
#include "tst_secondstart.moc"
