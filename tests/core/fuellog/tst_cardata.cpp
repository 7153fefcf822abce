#include "AppFolder.h"
#include "TestMain.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"

#include <QDir>
#include <QTest>

using CarDataFile::Check;

class CarDataFileTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void splitLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lf") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "a\r\n") << QStringList{"a"};
        QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("mixed") << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("8-bit text") << QByteArray("\xA3" "5\r\n") << QStringList{QStringLiteral("\u00A35")};
    }
    void splitLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::SplitLines(bytes), lines);
    }

    // The lines share one block of text: each still ends as a string does,
    // and a change to one, even the last one left, touches no other.
    void splitLinesShareTheirText()
    {
        QStringList lines = TextFile::SplitLines("ab\r\n\r\ncd\ref");
        QCOMPARE(lines, (QStringList{"ab", "", "cd", "ef"}));
        for (const QString &l : lines)
            QCOMPARE(l.utf16()[l.size()], ushort(0));
        QString kept = lines[2];
        lines[0] += QStringLiteral("xyz");
        lines[1].append(QLatin1Char('!'));
        QCOMPARE(lines, (QStringList{"abxyz", "!", "cd", "ef"}));
        lines.clear();
        kept += QString(1000, QLatin1Char('z'));
        kept.prepend(QLatin1Char('<'));
        QCOMPARE(kept, QLatin1Char('<') + QStringLiteral("cd") + QString(1000, QLatin1Char('z')));
    }

    // Inputs the fuzzers found, kept by name: each still reads as it should.
    void fuzzerFindings()
    {
        QFile f(QStringLiteral(VANTIQ_TESTS_DIR "/fuzz/regressions/cardata-double-byte-order-mark"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = TextFile::SplitLines(f.readAll());
        // One mark is taken as the mark; the second is the first line's text,
        // and a file without a whole record is no fuel log.
        QCOMPARE(lines, QStringList{QStringLiteral("\u00EF\u00BB\u00BF")});
        QCOMPARE(CarDataFile::CheckLog(lines), Check::Malformed);
    }

    void joinLinesRoundTrip()
    {
        const QStringList lines = AppFolder::log(3) + QStringList{QStringLiteral("\u00A3")};
        const QByteArray bytes = TextFile::JoinLines(lines);
        QVERIFY(bytes.endsWith("\xA3\r\n"));
        QCOMPARE(bytes.count("\r\n"), lines.size());
        QCOMPARE(TextFile::SplitLines(bytes), lines);
    }

    void checkLog_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("check");
        const QStringList two{"01/01/2011", "10000", "40.00", "130.00", "03/04/2011", "10400", "45.46", "132.00"};
        QTest::newRow("two records") << two << int(Check::Good);
        QStringList shortDate = two;
        shortDate[4] = QStringLiteral("3/4/2011");
        QTest::newRow("last date without slashes") << shortDate << int(Check::Malformed);
        QTest::newRow("nine lines judged by a distance") << two + QStringList{"x"} << int(Check::Malformed);
        QTest::newRow("empty") << QStringList{} << int(Check::Empty);
        QTest::newRow("less than a record") << QStringList{"01/01/2011", "10000", "40.00"} << int(Check::Malformed);
        QTest::newRow("one empty line") << QStringList{""} << int(Check::Malformed);
    }
    void checkLog()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, check);
        QCOMPARE(int(CarDataFile::CheckLog(lines)), check);
    }

    void paths()
    {
        QCOMPARE(CarDataFile::NoFilePattern(QStringLiteral("/data")), QStringLiteral("/data/*.dat"));
        QVERIFY(CarDataFile::IsNoFile(QStringLiteral("/data/*.dat")));
        QVERIFY(!CarDataFile::IsNoFile(QStringLiteral("/data/AB12CDE.dat")));
        QCOMPARE(CarDataFile::PathFor(QStringLiteral("/data/"), QStringLiteral("AB12CDE")), QStringLiteral("/data/AB12CDE.dat"));
        QCOMPARE(CarDataFile::BaseName(QStringLiteral("/data/AB12CDE.dat")), QStringLiteral("AB12CDE"));
        QCOMPARE(CarDataFile::BaseName(QStringLiteral("/data/AB12CDE.bak")), QString());
        QCOMPARE(CarDataFile::BackupPath(QStringLiteral("/data.d/AB12CDE.dat")), QStringLiteral("/data.d/AB12CDE.bak"));
        QCOMPARE(CarDataFile::BackupPath(QStringLiteral("/data/AB.12.dat")), QStringLiteral("/data/AB.12.bak"));
        QCOMPARE(FillMarks::PathFor(QStringLiteral("/data.d/AB12CDE.dat")), QStringLiteral("/data.d/AB12CDE.marks"));
        QCOMPARE(FillMarks::PathFor(QStringLiteral("/data/AB12CDE.bak")), QStringLiteral("/data/AB12CDE.marks.bak"));
        QCOMPARE(FillMarks::PathFor(QStringLiteral("/data/AB12CDE.BAK")), QStringLiteral("/data/AB12CDE.marks.bak"));
        QCOMPARE(FillMarks::PathFor(QStringLiteral("/data/copy")), QStringLiteral("/data/copy.marks"));
    }

    // The marks file beside a log of four records (01/01 10000 ... 22/01
    // 10900): what each record reads as, and what a save writes back.
    void marksFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("marks");   // a letter per record: P partial, M missed, B both, . full; empty: none
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QStringList>("log"); // four records a week apart when not given
        const QByteArray two = "08/01/2012,10300,partial\r\n22/01/2012,10900,missed\r\n";
        QTest::newRow("as written") << two << ".P.M" << two << QStringList{};
        QTest::newRow("lf, blanks, any case, out of order")
            << QByteArray(" 22/01/2012 , 10900 ,MISSED\n08/01/2012,10300, Partial \n") << ".P.M" << two << QStringList{};
        QTest::newRow("a line naming no record is dropped")
            << QByteArray("08/01/2012,10300,partial\r\n09/01/2012,10300,missed\r\n22/01/2012,10900,missed\r\n") << ".P.M" << two << QStringList{};
        QTest::newRow("malformed lines are skipped")
            << QByteArray("08/01/2012,10300,partial\r\n08/01/2012,10300\r\n15/01/2012,10600,half\r\n,10600,partial\r\n"
                          "15/01/2012,10600,partial,x\r\n15/01/2012,10\t600,partial\r\n\r\n22/01/2012,10900,missed")
            << ".P.M" << two << QStringList{};
        // A partial fill-up may follow a missed one: one line carries both.
        QTest::newRow("both marks on one line")
            << QByteArray("08/01/2012,10300,partial,missed\r\n15/01/2012,10600,MISSED, partial\r\n") << ".BB."
            << QByteArray("08/01/2012,10300,partial,missed\r\n15/01/2012,10600,partial,missed\r\n") << QStringList{};
        QTest::newRow("the later of two for one record")
            << QByteArray("08/01/2012,10300,partial\r\n08/01/2012,10300,missed\r\n") << ".M.." << QByteArray("08/01/2012,10300,missed\r\n") << QStringList{};
        QTest::newRow("nothing that names a record") << QByteArray("01/01/2000,1,partial\r\n\xFF\xFE\x00") << "" << QByteArray() << QStringList{};
        QTest::newRow("empty file") << QByteArray() << "" << QByteArray() << QStringList{};
        // Found by fuzzing: a record cut short carries no mark, and two
        // records of one date and reading share one line.
        QTest::newRow("an incomplete last record") << QByteArray("22/01/2012,10900,missed\r\n") << "" << QByteArray()
                                                   << AppFolder::log(4).mid(0, 15);
        QStringList twice = AppFolder::log(2);
        twice += twice.mid(4);
        QTest::newRow("two records of one date and reading")
            << QByteArray("08/01/2012,10300,missed\r\n") << ".MM" << QByteArray("08/01/2012,10300,missed\r\n") << twice;
    }
    void marksFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, marks);
        QFETCH(QByteArray, saved);
        QFETCH(QStringList, log);
        if (log.isEmpty())
            log = AppFolder::log(4);
        const FillMarks read = FillMarks::Read(bytes);
        QString letters;
        for (FillMark m : read.PerRecord(log))
            letters += QLatin1Char(".PMB"[int(m)]);
        QCOMPARE(letters, marks);
        QCOMPARE(read.FileText(log), saved);
        QCOMPARE(FillMarks::Read(saved).FileText(log), saved);
    }

    void writeWholeReplacesAndFailsCleanly()
    {
        AppFolder app;
        const QString path = app.file(QStringLiteral("AB12.dat"));
        QString error;
        QVERIFY(TextFile::WriteWhole(path, "old\r\n", &error));
        QVERIFY(TextFile::WriteWhole(path, "new\r\n", &error));
        QCOMPARE(app.read(QStringLiteral("AB12.dat")), QByteArray("new\r\n"));
        // A folder standing where the file should go: the write fails with
        // the system's text and nothing is replaced.
        QDir(app.path()).mkdir(QStringLiteral("blocked.dat"));
        QVERIFY(!TextFile::WriteWhole(app.file(QStringLiteral("blocked.dat")), "x", &error));
        QVERIFY(error.contains(QStringLiteral("blocked.dat")));
        QVERIFY(QFileInfo(app.file(QStringLiteral("blocked.dat"))).isDir());
        QVERIFY(!TextFile::WriteWhole(app.file(QStringLiteral("missing/AB.dat")), "x", &error));
        QVERIFY(!TextFile::ReadBytes(app.file(QStringLiteral("missing.dat"))).ok);
    }
};

VANTIQ_TEST(CarDataFileTest)
#include "tst_cardata.moc"
