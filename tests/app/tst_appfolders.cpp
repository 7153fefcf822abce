#include "ScriptedPlatform.h"
#include "TestMain.h"
#include "core/state/AppState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Where the settings, the vehicle list and the data files go: beside the
// executable for a build or a portable copy, else in the per-user folders.
class AppFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // never the real ~/.local/share
        QCoreApplication::setOrganizationName(QStringLiteral("Quorvix"));
        QCoreApplication::setApplicationName(QStringLiteral("Vantiq"));
    }

    void whereTheFilesGo_data()
    {
        QTest::addColumn<QString>("layout"); // files made under a fresh folder; "-" for a folder that does not exist
        QTest::addColumn<bool>("own");       // the executable's folder, else the per-user folders
        QTest::newRow("a build") << "build/src/" << true;
        QTest::newRow("installed, bin writable") << "prefix/bin/,prefix/share/applications/com.quorvix.Vantiq.desktop" << false;
        QTest::newRow("installed, its settings beside it (an earlier install)")
            << "prefix/bin/vantiq.ini,prefix/share/applications/com.quorvix.Vantiq.desktop" << true;
        QTest::newRow("a portable copy") << "stick/vantiq.ini" << true;
        QTest::newRow("a folder that cannot be written") << "-" << false;
    }
    void whereTheFilesGo()
    {
        QFETCH(QString, layout);
        QFETCH(bool, own);
        QTemporaryDir dir;
        QString exe = QStringLiteral("/nonexistent-vantiq-prefix/bin/vantiq");
        for (const QString &file : layout.split(QLatin1Char(','))) {
            if (file == QLatin1String("-"))
                break;
            const QString path = dir.filePath(file);
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (!file.endsWith(QLatin1Char('/')))
                QFile(path).open(QIODevice::WriteOnly);
            if (file == layout.section(QLatin1Char(','), 0, 0)) // the first names the executable's folder
                exe = QFileInfo(path).absolutePath() + QStringLiteral("/vantiq");
        }
        ScriptedPlatform platform;
        AppState state(platform, exe);
        const QString beside = QFileInfo(exe).absolutePath() + QLatin1Char('/');
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/');
        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/');
        QVERIFY(data.endsWith(QStringLiteral("Quorvix/Vantiq/")) && config.endsWith(QStringLiteral("Quorvix/Vantiq/")));
        QCOMPARE(state.ExecutableFolder(), own ? beside : data);
        QCOMPARE(state.SettingsPath(), (own ? beside : config) + QStringLiteral("vantiq.ini"));
        QCOMPARE(state.VehicleListPath(), (own ? beside : data) + QStringLiteral("vehs3.veh"));
        QCOMPARE(state.BulkFilePath(), (own ? beside : data) + QStringLiteral("bulk.dat"));
        QVERIFY(own || (QDir(data).exists() && QDir(config).exists()));
    }
};

VANTIQ_TEST(AppFoldersTest)
#include "tst_appfolders.moc"
