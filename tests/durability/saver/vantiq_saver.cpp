// The durability tests' helper: saves files the way Vantiq does.
//   vantiq_saver loop <cardata|vehiclelist|bulk|marked> <folder>
//       saves the kind's two contents in turn until it is killed, saying
//       "saved" after each; "marked" saves a marked log and its marks
//       through the program's own code
//   vantiq_saver once <cardata|backup|settings|vehiclelist|bulk|marked> <folder>
//       one save of content 1 through the program's own code; prints what
//       the user is told, and exits 0 when the save succeeded
#include "../Contents.h"
#include "RecordingCommands.h"
#include "ScriptedPlatform.h"
#include "app/MainWindow.h"
#include "core/vehicles/VehicleList.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/SetupPanel.h"

#include <QApplication>
#include <QLineEdit>
#include <cstdio>

using namespace Durability;

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]), kind = QString::fromLocal8Bit(argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[3]) + QLatin1Char('/');
    const QString path = folder + FileName(kind);

    if (mode == QLatin1String("loop") && kind == QLatin1String("marked")) {
        QCoreApplication app(argc, argv);
        ScriptedPlatform platform;
        AppState state(platform, folder + QStringLiteral("vantiq"));
        RecordingCommands shell(state);
        const MarkedLog logs[2] = {Marked(0), Marked(1)};
        std::printf("ready\n");
        std::fflush(stdout);
        for (int i = 0;; ++i) {
            state.FuelLog = logs[i % 2].log;
            state.Marks = logs[i % 2].marks;
            if (!shell.Files().WriteFuelLog(folder + QStringLiteral("AB12.dat")))
                return 1;
            std::printf("saved\n"); // the test times the first save
            std::fflush(stdout);
        }
    }
    if (mode == QLatin1String("loop")) {
        const QByteArray contents[2] = {Content(kind, 0), Content(kind, 1)};
        std::printf("ready\n");
        std::fflush(stdout);
        for (int i = 0;; ++i) {
            QString error;
            if (!TextFile::WriteWhole(path, contents[i % 2], &error))
                return 1;
            std::printf("saved\n");
            std::fflush(stdout);
        }
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    bool ok = false;
    QString told;
    if (kind == QLatin1String("settings")) {
        TVantiq_ window(platform, folder + QStringLiteral("vantiq"));
        window.OptionsTabs->DefaultPpl->setText(QString(4000, QLatin1Char('9'))); // a settings file too big to fit
        ok = window.WriteRegistry();
    } else {
        AppState state(platform, folder + QStringLiteral("vantiq"));
        RecordingCommands shell(state);
        const QStringList log = TextFile::SplitLines(Content(QStringLiteral("cardata"), 1));
        if (kind == QLatin1String("marked")) {
            const MarkedLog after = Marked(1);
            state.FuelLog = after.log;
            state.Marks = after.marks;
            state.CurrentDataFile = folder + QStringLiteral("AB12.dat");
            ok = shell.Files().WriteFuelLog(state.CurrentDataFile);
        } else if (kind == QLatin1String("cardata") || kind == QLatin1String("backup")) {
            state.FuelLog = log;
            state.CurrentDataFile = folder + QStringLiteral("AB12.dat");
            if (kind == QLatin1String("cardata")) {
                ok = shell.Files().WriteFuelLog(state.CurrentDataFile);
            } else {
                shell.Files().WriteBackup();
                ok = platform.calls.isEmpty();
            }
        } else if (kind == QLatin1String("vehiclelist")) {
            state.Vehicles.ReadBytes(Content(kind, 1), VehicleFile::Form::Current, QString(), QDate(2012, 1, 1));
            ok = state.SaveVehicleList(&told, nullptr);
        } else {
            ok = TextFile::WriteWhole(state.BulkFilePath(), Content(kind, 1), &told);
        }
    }
    if (told.isEmpty())
        told = platform.texts(QStringLiteral("ShowMessage")).join(QLatin1Char('|'));
    std::printf("%s\n", qPrintable(told));
    return ok ? 0 : 1;
}
