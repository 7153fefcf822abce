#include "AppFolder.h"
#include "TestMain.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/LogFiles.h"
#include "core/fuellog/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// Files that stay the user's: what stands beside a log (a link, a pipe, a
// device, a file that cannot be read, a folder at a save's temporary name)
// is never written through, never hangs a read, and never loses a mark.
class FilesTest : public QObject {
    Q_OBJECT

    static mode_t modeOf(const QString &path)
    {
        struct stat st {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        return st.st_mode;
    }
    static void makeFifo(const QString &path) { QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0); }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    // A log of two records beside which something is planted as its marks
    // file; the marks are read, then a marked log is saved.
    void plantedBesideTheLog_data()
    {
        QTest::addColumn<QString>("plant");    // link, zero, fifo, large, folder
        QTest::addColumn<QString>("problem");  // what loading tells ("%1" the folder)
        QTest::addColumn<bool>("keptOff");     // later saves leave it as it is
        const QString readOnly = QStringLiteral(". The fill-ups are shown unmarked, and the marks file is left as it is "
                                                "until it can be read.");
        QTest::newRow("a link to a file elsewhere") << "link" << "AB12.marks is a link to %1/notes.txt; Vantiq does not follow it" << false;
        QTest::newRow("a link to /dev/zero") << "zero" << "AB12.marks is a link to /dev/zero; Vantiq does not follow it" << false;
        QTest::newRow("a named pipe") << "fifo" << "%1/AB12.marks is a named pipe: Vantiq reads only ordinary files" + readOnly << true;
        QTest::newRow("past the size limit") << "large"
                                             << "%1/AB12.marks is 67108865 bytes long, more than the 67108864 it may be" + readOnly
                                             << true;
        QTest::newRow("a folder") << "folder" << "%1/AB12.marks is a folder: Vantiq reads only ordinary files" + readOnly << true;
    }
    void plantedBesideTheLog()
    {
        QFETCH(QString, plant);
        QFETCH(QString, problem);
        QFETCH(bool, keptOff);
        AppFolder app;
        const QString data = app.file(QStringLiteral("AB12.dat")), marksPath = app.file(QStringLiteral("AB12.marks"));
        const QStringList log = AppFolder::log(2);
        app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(log));
        app.write(QStringLiteral("notes.txt"), "my notes");
        if (plant == QLatin1String("link"))
            QVERIFY(QFile::link(app.file(QStringLiteral("notes.txt")), marksPath));
        else if (plant == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), marksPath));
        else if (plant == QLatin1String("fifo"))
            makeFifo(marksPath);
        else if (plant == QLatin1String("folder"))
            QVERIFY(QDir(app.path()).mkdir(QStringLiteral("AB12.marks")));
        else {
            app.write(QStringLiteral("AB12.marks"), ""); // sparse: no 64 MB written
            QVERIFY(QFile::resize(marksPath, 64LL * 1024 * 1024 + 1));
        }
        const mode_t planted = modeOf(marksPath);

        const LogFiles::MarksRead read = LogFiles::ReadMarks(data, log);
        QCOMPARE(read.problem, problem.arg(QDir(app.path()).absolutePath()));
        QCOMPARE(read.keepOff, keptOff);
        QVERIFY(read.marks.IsEmpty());

        FillMarks marks;
        marks.SetAt(log, 4, FillMark::Partial);
        const LogFiles::Saved saved = LogFiles::Save(data, log, marks, read.keepOff);
        QVERIFY(saved.log);
        QCOMPARE(saved.told, QStringList());
        QCOMPARE(app.read(QStringLiteral("notes.txt")), QByteArray("my notes")); // never written through
        if (keptOff) {
            QCOMPARE(modeOf(marksPath), planted); // left as it was
        } else {
            QVERIFY(S_ISREG(modeOf(marksPath))); // the link itself replaced
            QCOMPARE(app.read(QStringLiteral("AB12.marks")), QByteArray("08/01/2012,10300,partial\r\n"));
        }
        QVERIFY(!QFileInfo::exists(TextFile::TemporaryName(data)));
    }

    // Reads refuse what is no ordinary file, at once; a link is followed
    // only where it may be.
    void readsOnlyOrdinaryFiles_data()
    {
        QTest::addColumn<QString>("plant");
        QTest::addColumn<int>("links"); // TextFile::Links
        QTest::addColumn<QString>("error");
        QTest::newRow("a named pipe") << "fifo" << int(TextFile::Links::Follow)
                                      << "{path} is a named pipe: Vantiq reads only ordinary files";
        QTest::newRow("a link to a device, followed") << "zero" << int(TextFile::Links::Follow)
                                                      << "{path} is a device: Vantiq reads only ordinary files";
        QTest::newRow("a link to a file, followed") << "link" << int(TextFile::Links::Follow) << "";
        QTest::newRow("a link to a file, refused") << "link" << int(TextFile::Links::Refuse)
                                                   << "AB12.dat is a link to {target}; Vantiq does not follow it";
    }
    void readsOnlyOrdinaryFiles()
    {
        QFETCH(QString, plant);
        QFETCH(int, links);
        QFETCH(QString, error);
        AppFolder app;
        const QString path = app.file(QStringLiteral("AB12.dat")), other = app.file(QStringLiteral("elsewhere.dat"));
        app.write(QStringLiteral("elsewhere.dat"), "01/01/2012\r\n");
        if (plant == QLatin1String("fifo"))
            makeFifo(path);
        else
            QVERIFY(QFile::link(plant == QLatin1String("zero") ? QStringLiteral("/dev/zero") : other, path));
        const TextFile::ReadResult r = TextFile::ReadBytes(path, 1024, TextFile::Links(links));
        QCOMPARE(r.error, QString(error).replace(QLatin1String("{path}"), path).replace(QLatin1String("{target}"), other));
        QCOMPARE(r.ok, error.isEmpty());
        QCOMPARE(r.bytes, error.isEmpty() ? QByteArray("01/01/2012\r\n") : QByteArray());
    }

    // New files take the usual permissions less the umask; a file replaced
    // keeps its own, but never writable by others; the settings stay the
    // owner's.
    void permissions_data()
    {
        QTest::addColumn<int>("before"); // -1: no file
        QTest::addColumn<bool>("ownerOnly");
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("after");
        QTest::newRow("new, umask 022") << -1 << false << 022 << 0644;
        QTest::newRow("new, umask 077") << -1 << false << 077 << 0600;
        QTest::newRow("new, umask 002") << -1 << false << 002 << 0664;
        QTest::newRow("kept, group may write") << 0664 << false << 022 << 0664;
        QTest::newRow("kept, private") << 0600 << false << 022 << 0600;
        QTest::newRow("world-writable narrowed") << 0666 << false << 022 << 0664;
        QTest::newRow("settings, new") << -1 << true << 022 << 0600;
        QTest::newRow("settings, was open to all") << 0666 << true << 022 << 0600;
    }
    void permissions()
    {
        QFETCH(int, before);
        QFETCH(bool, ownerOnly);
        QFETCH(int, umask);
        QFETCH(int, after);
        AppFolder app;
        const QString path = app.file(QStringLiteral("AB12.dat"));
        if (before >= 0) {
            app.write(QStringLiteral("AB12.dat"), "old");
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(before)) == 0);
        }
        const mode_t was = ::umask(mode_t(umask));
        QString error;
        const bool ok = ownerOnly ? TextFile::WriteWholePrivate(path, "new", &error) : TextFile::WriteWhole(path, "new", &error);
        ::umask(was);
        QVERIFY2(ok, qPrintable(error));
        QCOMPARE(int(modeOf(path) & 07777), after);
    }

    // Something that is not a file of ours at a save's temporary name (a
    // folder) is stepped round; a start removes only files of ours.
    void aFolderAtTheTemporaryName()
    {
        AppFolder app;
        const QString path = app.file(QStringLiteral("AB12.dat"));
        QVERIFY(QDir().mkdir(TextFile::TemporaryName(path)));
        QString error;
        QVERIFY2(TextFile::WriteWhole(path, "new", &error), qPrintable(error));
        QCOMPARE(app.read(QStringLiteral("AB12.dat")), QByteArray("new"));
        QVERIFY(QFileInfo(TextFile::TemporaryName(path)).isDir());
        app.write(QFileInfo(TextFile::TemporaryName(path, 1)).fileName(), "left by a kill");
        QCOMPARE(TextFile::RemoveStaleTemporaries(app.path()), 1);
        QVERIFY(QFileInfo(TextFile::TemporaryName(path)).isDir());
    }
};

VANTIQ_TEST(FilesTest)
#include "tst_files.moc"
