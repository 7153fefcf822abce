#include "ScriptedPlatform.h"
#include "TestMain.h"
#include "core/state/AppState.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Where the settings, the vehicle list and the data files go: beside the
// executable where that folder can be written (a build, a portable copy),
// else in the per-user application data folder (an installed program).
class AppFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // never the real ~/.local/share
        QCoreApplication::setOrganizationName(QStringLiteral("Quorvix"));
        QCoreApplication::setApplicationName(QStringLiteral("Vantiq"));
    }

    void besideAWritableExecutable()
    {
        QTemporaryDir dir;
        ScriptedPlatform platform;
        AppState state(platform, dir.filePath(QStringLiteral("vantiq")));
        QCOMPARE(state.ExecutableFolder(), dir.path() + QLatin1Char('/'));
        QCOMPARE(state.SettingsPath(), dir.filePath(QStringLiteral("vantiq.ini")));
        QCOMPARE(state.VehicleListPath(), dir.filePath(QStringLiteral("vehs3.veh")));
    }

    void installedWhereTheExecutableCannotBeWritten()
    {
        // An executable folder that cannot be written (for root too: it does not exist).
        ScriptedPlatform platform;
        AppState state(platform, QStringLiteral("/nonexistent-vantiq-prefix/bin/vantiq"));
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/');
        QVERIFY(data.contains(QStringLiteral("Quorvix/Vantiq")));
        QCOMPARE(state.ExecutableFolder(), data);
        QVERIFY(QDir(data).exists());
        QCOMPARE(state.SettingsPath(), data + QStringLiteral("vantiq.ini"));
        QCOMPARE(state.VehicleListPath(), data + QStringLiteral("vehs3.veh"));
        QCOMPARE(state.BulkFilePath(), data + QStringLiteral("bulk.dat"));
    }
};

VANTIQ_TEST(AppFoldersTest)
#include "tst_appfolders.moc"
