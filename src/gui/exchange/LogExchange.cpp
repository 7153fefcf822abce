#include "gui/exchange/LogExchange.h"

#include "core/analysis/AnalysisRun.h"
#include "core/exchange/LogExport.h"
#include "core/exchange/LogImport.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/TextFile.h"
#include "core/state/AppState.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "gui/exchange/ImportDialog.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/ShellCommands.h"

#include <QFileInfo>

namespace LogExchange {

namespace {
const QString CsvFilter = QStringLiteral("CSV File [*.csv]|*.csv|All Files|*");

FileRequest csvRequest(const AppState &state, const QString &title, const QString &fileName)
{
    FileRequest r;
    r.title = title;
    r.folder = state.Live.DataPath;
    r.fileName = fileName;
    r.filter = CsvFilter;
    r.defaultSuffix = QStringLiteral("csv");
    return r;
}

// Writes a CSV file chosen by the user; true when it was written.
bool writeChosen(AppState &state, ShellCommands &shell, const QString &title, const QString &fileName,
                 const QByteArray &bytes)
{
    const QString path = state.platform().SaveFileName(csvRequest(state, title, fileName));
    if (path.isEmpty())
        return false;
    QString error;
    if (!TextFile::WriteWhole(path, bytes, &error)) {
        state.platform().ShowMessage(error);
        return false;
    }
    shell.SetStatus(5, QStringLiteral("EXPORTED TO ") + path);
    return true;
}

bool hasVehicle(AppState &state)
{
    if (!state.Registration().trimmed().isEmpty() && !CarDataFile::IsNoFile(state.CurrentDataFile))
        return true;
    state.platform().ShowMessage(QStringLiteral("Choose a vehicle first: fill-ups are exported from and imported "
                                                "into the current vehicle's log."));
    return false;
}
} // namespace

void ExportLog(AppState &state, ShellCommands &shell)
{
    state.CommitEdits();
    if (!hasVehicle(state))
        return;
    if (state.FuelLog.size() < 4) {
        state.platform().ShowMessage(QStringLiteral("There are no fill-ups to export."));
        return;
    }
    writeChosen(state, shell, QStringLiteral("Export Fill-ups"), state.Registration() + QStringLiteral(".csv"),
                LogExport::FuelLog(state.FuelLog, state.Marks));
}

void ExportTable(AppState &state, ShellCommands &shell, const AnalysisTable &table)
{
    writeChosen(state, shell, QStringLiteral("Export Analysis Table"),
                state.Registration() + QStringLiteral(" analysis.csv"), LogExport::Table(table));
}

void ImportLog(AppState &state, ShellCommands &shell)
{
    state.CommitEdits();
    if (!hasVehicle(state))
        return;
    const QString path = state.platform().OpenFileName(csvRequest(state, QStringLiteral("Import Fill-ups"), QString()));
    if (path.isEmpty())
        return;
    // No larger than a log may be: what is larger is no log of fill-ups.
    const TextFile::ReadResult read = TextFile::ReadBytes(path, CarDataFile::MaxFileBytes);
    if (!read.ok) {
        state.platform().ShowMessage(read.tooLarge ? QStringLiteral("Not imported: ") + path + QStringLiteral(": ")
                                                         + CarDataFile::SizeProblem(read.size)
                                                   : read.error);
        return;
    }
    // A long file shows how it comes on, and can be cancelled.
    const QString name = QFileInfo(path).fileName();
    auto progress = [&state](const QString &what) {
        return [&state, what](qint64 done, qint64 total) { return state.platform().Progress(what, done, total); };
    };
    const LogImport::Source source = LogImport::Read(read.bytes, progress(QStringLiteral("Reading ") + name));
    if (source.cancelled)
        return;
    if (!source.Found()) {
        state.platform().ShowMessage(source.problem);
        return;
    }
    ImportDialog dialog(source, state.FuelLog, path, state.platform(), nullptr,
                        progress(QStringLiteral("Preparing the fill-ups of ") + name));
    if (dialog.Plan().cancelled)
        return;
    // The choices made for a file with the same header are kept in the
    // settings file and preset.
    const QString key = LogImport::ChoicesKey(source.headers);
    const SettingsFile::Reading settings = SettingsFile::Read(state.SettingsPath());
    if (const std::optional<QString> kept = settings.ini.Value(Settings::Section, key)) {
        LogImport::Columns columns;
        LogImport::Answers answers;
        if (LogImport::ReadChoices(*kept, int(source.headers.size()), &columns, &answers))
            dialog.Preset(columns, answers);
    }
    if (dialog.Plan().cancelled) // cancelled before the window opened
        return;
    if (state.platform().ExecModal(dialog) != QDialog::Accepted || dialog.Plan().added.isEmpty())
        return;
    if (!state.SettingsRefused && !settings.refused) {
        QString error;
        const QString choices = dialog.Choices();
        if (!SettingsFile::Update(state.SettingsPath(), [&](IniFile &ini) { ini.SetValue(Settings::Section, key, choices); }, &error,
                                  &state.SettingsOnDisk))
            state.platform().ShowMessage(error);
    }

    // The whole log is saved once; a failed save puts the old log back.
    const QStringList before = state.FuelLog;
    const FillMarks marksBefore = state.Marks;
    state.FuelLog = dialog.Plan().log;
    for (const LogImport::Fill &f : dialog.Plan().added)
        state.Marks.Set(f.lines.value(0), f.lines.value(1), LogImport::MarkOf(f));
    if (!shell.Files().WriteFuelLog(state.CurrentDataFile)) {
        state.FuelLog = before;
        state.Marks = marksBefore;
        return;
    }
    const int added = int(dialog.Plan().added.size());
    state.FuelLogChanged();
    shell.EnableCommand(Command::ViewData, true);
    shell.SetStatus(5, QStringLiteral("%1 %2 ADDED FROM %3")
                           .arg(added)
                           .arg(added == 1 ? QStringLiteral("FILL-UP") : QStringLiteral("FILL-UPS"),
                                QFileInfo(path).fileName()));
}

} // namespace LogExchange
