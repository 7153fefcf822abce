#include "gui/shell/DataFileCommands.h"

#include "core/entry/LogMerge.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/LogFiles.h"
#include "core/fuellog/TextFile.h"
#include "core/state/AppState.h"
#include "core/vehicles/VehicleRecord.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/ShellCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString DataFileFilter = QStringLiteral("Vantiq Data File [*.dat]|*.dat|Vantiq Data File Backup|*.bak");
} // namespace

DataFileCommands::DataFileCommands(AppState &s, ShellCommands &commands, QObject *parent)
    : QObject(parent), state(s), shell(commands)
{
    OpenDataFile.defaultSuffix = QStringLiteral("dat");
    OpenDataFile.filter = DataFileFilter;
}

QString DataFileCommands::dataFolder() const { return state.Live.DataPath; }

QString DataFileCommands::SetRegistration(const QString &reg, bool newreg)
{
    // Wherever it came from (settings file, vehicle list, Open), a
    // registration that cannot name a file builds no path: no vehicle is
    // current then.
    const QString safe = IsFileSafeRegistration(reg) ? reg : QString();
    state.SetRegistration(safe); // the boxes and status panel 0 follow
    QString path = safe.isEmpty() ? CarDataFile::NoFilePattern(dataFolder()) : CarDataFile::PathFor(dataFolder(), safe);
    if (!newreg && !QFileInfo::exists(path))
        path = CarDataFile::NoFilePattern(dataFolder());
    OpenDataFile.fileName = path;
    SaveDialog1.fileName = path;
    OpenDataFile.filterIndex = 1;
    return path;
}

bool DataFileCommands::Getcardata(const QString &name)
{
    state.ClearLog();
    const LogFiles::LogRead read = LogFiles::ReadLog(name);
    const bool ok = read.error.isEmpty() && read.refusal.isEmpty();
    const QStringList &lines = read.lines;
    const CarDataFile::Check check = ok ? CarDataFile::CheckLog(lines) : CarDataFile::Check::Malformed;
    if (!ok || check != CarDataFile::Check::Good) {
        if (!ok)
            state.platform().ShowMessage(read.refusal.isEmpty() ? read.error : read.refusal);
        else if (check == CarDataFile::Check::Empty)
            state.platform().ShowMessage(QStringLiteral("Not Loaded File ") + name + QStringLiteral(" Contains no Data"));
        // The fuel log is empty now; a later fill-up must not overwrite the
        // file that was loaded before, so no file is current. (name may be
        // the current data file itself: it is kept first.)
        state.RefusedDataFile = name;
        state.CurrentDataFile = CarDataFile::NoFilePattern(dataFolder());
        state.FuelLogChanged();
        return false;
    }
    state.FuelLog = lines;
    const LogFiles::MarksRead marks = LogFiles::ReadMarks(name, lines);
    state.Marks = marks.marks;
    state.MarksKeptOff = marks.keepOff ? FillMarks::PathFor(name) : QString();
    state.LogOnDisk = {name, read.stamp, marks.stamp};
    if (!marks.problem.isEmpty() && (marks.keepOff || state.FirstTelling(marks.problem)))
        state.platform().ShowMessage(marks.problem);
    state.LogSaved(true);
    shell.EnableCommand(Command::ViewData, true);
    shell.SetStatus(5, CarDataFile::BaseName(name) + QStringLiteral(" DATA READY"));
    state.CurrentDataFile = name;
    state.RefusedDataFile.clear();
    state.FuelLogChanged(); // the entry panel shows the log's end
    shell.CloseAllChildWindows();
    return true;
}

void DataFileCommands::LoadData(const QString &name)
{
    const QString pattern = CarDataFile::NoFilePattern(dataFolder());
    if (name != pattern) {
        Getcardata(name);
        return;
    }
    const QString reg = state.Registration();
    const bool othersExist = !QDir(dataFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files).isEmpty();
    if (othersExist) {
        // A new vehicle most likely starts its own data: Enter does that.
        const int answer = state.platform().MessageDialogFocused(
            QStringLiteral("No Data file exists for ") + reg + QStringLiteral("\rVantiq has detected other Fuel data files")
                + QStringLiteral("\rClick OK to choose one of these or click CANCEL to start") + QStringLiteral("\rentering data for ")
                + reg,
            MsgKind::Information, mbOk | mbCancel | mbHelp, HelpTopic::DataFiles, mrCancel);
        if (answer == mrOk) {
            Open1Click();
            return;
        }
        state.ClearLog();
        state.FuelLogChanged();
        state.CurrentDataFile = SetRegistration(reg, true);
        state.RefusedDataFile.clear();
        knowNewFile();
        shell.EnterDataClick();
        return;
    }
    // The log may still hold another vehicle's records; they must not be
    // saved into this vehicle's new file.
    state.ClearLog();
    state.FuelLogChanged();
    state.CurrentDataFile = SetRegistration(reg, true);
    state.RefusedDataFile.clear();
    knowNewFile();
    shell.CloseAllChildWindows();
    shell.EnterDataClick();
}

bool DataFileCommands::RefreshFromDisk()
{
    const QString path = state.CurrentDataFile;
    if (CarDataFile::IsNoFile(path) || state.LogOnDisk.path != path || LogFiles::StillAsKnown(path, state.LogOnDisk))
        return false;
    const LogFiles::LogRead theirs = LogFiles::ReadLog(path);
    if (theirs.missing || !theirs.error.isEmpty() || !theirs.refusal.isEmpty()
        || CarDataFile::CheckLog(theirs.lines) == CarDataFile::Check::Malformed)
        return false; // as it is: the next save says what stands in the way
    state.CommitEdits();
    const LogFiles::MarksRead marks = LogFiles::ReadMarks(path, theirs.lines);
    const LogMerge::Result m =
        LogMerge::FuelLog(state.SavedLog(), state.SavedMarks(), state.FuelLog, state.Marks, theirs.lines, marks.marks);
    state.FuelLog = m.log;
    state.Marks = m.marks;
    state.LogOnDiskHolds(theirs.lines, marks.marks);
    state.LogOnDisk = {path, theirs.stamp, marks.stamp};
    state.FuelLogChanged();
    shell.SetStatus(5, QFileInfo(path).fileName() + QStringLiteral(" WAS CHANGED BY ANOTHER PROGRAM: READ AGAIN"));
    return true;
}

const QString DataFileCommands::ChangedOnDisk =
    QStringLiteral("Another program has changed or deleted this fill-up in the data file since it was shown, so your "
                   "change is not made; the view now shows the file as it is");

bool DataFileCommands::StillOnDisk(const QList<QStringList> &records)
{
    const QString path = state.CurrentDataFile;
    if (CarDataFile::IsNoFile(path) || state.LogOnDisk.path != path || LogFiles::StillAsKnown(path, state.LogOnDisk))
        return true;
    const LogFiles::LogRead theirs = LogFiles::ReadLog(path);
    for (const QStringList &record : records)
        if (LogMerge::Find(theirs.lines, record) < 0)
            return false;
    return true;
}

void DataFileCommands::knowNewFile()
{
    const QString path = state.CurrentDataFile;
    state.LogOnDisk = {path, TextFile::StampNow(path), TextFile::StampNow(FillMarks::PathFor(path), TextFile::Links::Refuse)};
}

void DataFileCommands::Open1Click()
{
    OpenDataFile.filterIndex = 1;
    OpenDataFile.fileName = QStringLiteral("*.dat");
    OpenDataFile.folder = dataFolder();
    OpenDataFile.title = QString();
    const QString chosen = state.platform().OpenFileName(OpenDataFile);
    if (chosen.isEmpty())
        return;
    OpenDataFile.fileName = chosen;
    const QString base = CarDataFile::BaseName(chosen);
    // The current data file changes only once the chosen file has loaded:
    // the log still holds the previous vehicle's records until then.
    if (!QFileInfo::exists(chosen)) {
        state.platform().MessageDialog(QStringLiteral("File does not exist, Sorry"), MsgKind::Information, mbOk, HelpTopic::DataFiles);
        return;
    }
    // A file that is no log by its size or its lines changes nothing.
    if (const QString refusal = LogFiles::ReadLog(chosen).refusal; !refusal.isEmpty()) {
        state.platform().ShowMessage(refusal);
        return;
    }
    if (!Getcardata(chosen)) {
        state.platform().MessageDialog(QStringLiteral("Data File Invalid not loaded"), MsgKind::Error, mbOk | mbHelp, HelpTopic::DataFiles);
        state.ClearLog();
        state.FuelLogChanged();
        shell.ReadRegistry();
        return;
    }
    const QString chosenFolder = WithBackslash(QFileInfo(chosen).absolutePath());
    if (base == state.Registration()) {
        state.Options().SetDataFolder(chosenFolder);
        return;
    }
    const int answer = state.platform().MessageDialog(
        QStringLiteral("You are attempting to change to\ranother file without first setting it as Default\rDo you wish to do this now ?"),
        MsgKind::Warning, mbYes | mbNo | mbHelp, HelpTopic::DataFiles);
    if (answer == mrYes && !IsFileSafeRegistration(base)) {
        state.platform().ShowMessage(QStringLiteral("\"") + base + QStringLiteral("\" cannot be a registration: ") + RegistrationRule);
        state.platform().MessageDialog(QStringLiteral("Default File Not Changed"), MsgKind::Warning, mbOk, HelpTopic::DataFiles);
    } else if (answer == mrYes) {
        state.Options().SetDataFolder(chosenFolder);
        SetRegistration(base, false);
        shell.WriteRegistry();
        shell.ShowSetupPanel();
    } else {
        state.platform().MessageDialog(QStringLiteral("Default File Not Changed"), MsgKind::Warning, mbOk, HelpTopic::DataFiles);
    }
}

bool DataFileCommands::WriteFuelLog(const QString &path, TextFile::Links links)
{
    const bool keepOff = !state.MarksKeptOff.isEmpty() && FillMarks::PathFor(path) == state.MarksKeptOff;
    // The current data file may have been written by another program since
    // it was read (a second copy, a sync program): this program's changes
    // go into what is there now.
    const bool current = path == state.CurrentDataFile && links == TextFile::Links::Follow;
    const LogMerge::LogSave done =
        LogMerge::SaveOver(path, {state.SavedLog(), state.SavedMarks()}, {state.FuelLog, state.Marks},
                           current && state.LogOnDisk.path == path ? &state.LogOnDisk : nullptr, keepOff, links);
    if (!done.problem.isEmpty()) {
        state.platform().ShowMessage(done.problem);
        return false;
    }
    const LogFiles::Saved &saved = done.saved;
    for (const QString &text : saved.told)
        state.platform().ShowMessage(text);
    if (keepOff && !state.Marks.IsEmpty()) {
        const QString name = QFileInfo(state.MarksKeptOff).fileName();
        const QString text = QStringLiteral("The fill-ups' marks are not saved in ") + name + QStringLiteral(": it could not be "
                             "read when the log was loaded and is left as it is. Save As keeps them under another name.");
        if (state.FirstTelling(text))
            state.platform().ShowMessage(text);
    }
    if (saved.log && current) {
        state.FuelLog = done.log.lines;
        state.Marks = done.log.marks;
        state.LogOnDisk = saved.now;
        state.LogSaved(saved.marks && !keepOff);
        if (!done.merged.isEmpty()) {
            state.FuelLogChanged();
            state.platform().ShowMessage(done.merged);
        }
    } else if (saved.log && path == state.CurrentDataFile) {
        state.LogSaved(saved.marks && !keepOff);
    }
    return saved.log;
}

QString DataFileCommands::NoFileMessage() const
{
    if (state.RefusedDataFile.isEmpty())
        return CarDataFile::NoRegistrationSet;
    const QString name = QFileInfo(state.RefusedDataFile).fileName();
    return name + QStringLiteral(" could not be loaded, so nothing is stored in it: Vantiq does not write over a data "
                                 "file it could not read. Correct or restore ")
           + name + QStringLiteral(", or choose another vehicle.");
}

bool DataFileCommands::Save1Click()
{
    state.CommitEdits();
    if (state.FuelLog.size() < 4) {
        shell.SetStatus(5, QStringLiteral("NO DATA TO SAVE ") + state.CurrentDataFile);
        return false;
    }
    if (OpenDataFile.fileName.isEmpty() || OpenDataFile.fileName == QStringLiteral("*.*"))
        return SaveAsClick();
    if (CarDataFile::IsNoFile(state.CurrentDataFile))
        return SaveAsClick(); // no vehicle file to write to: a name must be chosen
    if (!WriteFuelLog(state.CurrentDataFile))
        return false;
    shell.SetStatus(5, QStringLiteral("FILE SAVED ") + state.CurrentDataFile);
    return true;
}

bool DataFileCommands::SaveAsClick()
{
    state.CommitEdits();
    SaveDialog1.folder = dataFolder();
    const QString chosen = state.platform().SaveFileName(SaveDialog1);
    if (chosen.isEmpty())
        return false;
    if (state.FuelLog.size() < 4) {
        shell.SetStatus(5, QStringLiteral("NO DATA TO SAVE"));
        return false;
    }
    if (const QString problem = FillMarks::SaveAsProblem(chosen); !problem.isEmpty()) {
        state.platform().ShowMessage(problem); // nothing is written
        return false;
    }
    shell.SetCaption(QStringLiteral("Fuel Data Save"));
    if (!WriteFuelLog(chosen))
        return false;
    OpenDataFile.fileName = chosen;
    return true;
}

bool DataFileCommands::KeepUnsavedChanges()
{
    state.CommitEdits();
    if (state.FuelLog.size() < 4 || !state.LogUnsaved())
        return false; // nothing a save could write
    const QString file = CarDataFile::IsNoFile(state.CurrentDataFile) ? QStringLiteral("a data file")
                                                                       : QFileInfo(state.CurrentDataFile).fileName();
    switch (state.platform().MessageDialog(QStringLiteral("Save the changes to ") + file + QStringLiteral("?"),
                                           MsgKind::Confirmation, mbYes | mbNo | mbCancel, HelpTopic::DataFiles)) {
    case mrYes: return !Save1Click(); // a save that failed was told: the window stays
    case mrNo: return false;
    default: return true;
    }
}

void DataFileCommands::New1Click()
{
    if (CarDataFile::IsNoFile(state.CurrentDataFile)) {
        state.platform().ShowMessage(CarDataFile::NoRegistrationSet);
        return;
    }
    DeleteData(state.CurrentDataFile);
    if (!QFileInfo::exists(state.CurrentDataFile))
        state.platform().ShowMessage(QStringLiteral("Click \"Enter Data\" to start a data file for ")
                                    + state.Registration());
}

void DataFileCommands::DeleteData(const QString &reg)
{
    if (!QFileInfo::exists(reg))
        return;
    if (state.platform().MessageDialog(QStringLiteral("A Data File ") + QFileInfo(reg).fileName()
                                          + QStringLiteral(" exists for this vehicle\rClick OK to erase this file"),
                                      MsgKind::Information, mbOk | mbCancel | mbHelp, HelpTopic::DataFiles)
        != mrOk)
        return;
    if (state.platform().MessageDialog(QStringLiteral("Really Delete ") + reg, MsgKind::Information, mbOk | mbCancel,
                                      HelpTopic::DataFiles)
        != mrOk)
        return;
    QFile file(reg);
    if (!file.remove()) {
        // The file is still there: keep the log that belongs to it, so that
        // a later save cannot replace the file with a shortened log.
        state.platform().ShowMessage(reg + QStringLiteral(": ") + file.errorString());
        return;
    }
    QFile::remove(FillMarks::PathFor(reg)); // a new log must not inherit them
    state.ClearLog();
    state.FuelLogChanged();
}

void DataFileCommands::RestoreBackup1Click()
{
    OpenDataFile.filterIndex = 2;
    OpenDataFile.title = QStringLiteral("Restore ") + state.CurrentDataFile;
    OpenDataFile.folder = dataFolder();
    const QString chosen = state.platform().OpenFileName(OpenDataFile);
    OpenDataFile.title = QString();
    if (chosen.isEmpty())
        return;
    if (CarDataFile::IsNoFile(state.CurrentDataFile)) {
        // There is no vehicle file to restore over.
        state.platform().ShowMessage(CarDataFile::NoRegistrationSet);
        return;
    }
    const int answer = state.platform().MessageDlg(QStringLiteral("Are you sure you want to replace ") + state.CurrentDataFile
                                                      + QStringLiteral("\r\nWith the backup file ") + chosen,
                                                  MsgKind::Confirmation, mbYes | mbNo);
    if (answer != mrYes)
        return;
    const TextFile::ReadResult backup = TextFile::ReadBytes(chosen, CarDataFile::MaxFileBytes);
    QString error = backup.error;
    if (!backup.ok || !TextFile::WriteWhole(state.CurrentDataFile, backup.bytes, &error)) {
        state.platform().ShowMessage(error);
        return;
    }
    // The backup's marks come back with it; a backup without any had none.
    // A marks file that could not be read is left as it is.
    const QString marksPath = FillMarks::PathFor(state.CurrentDataFile);
    if (marksPath == state.MarksKeptOff)
        return;
    const TextFile::ReadResult marks =
        TextFile::ReadBytes(FillMarks::PathFor(chosen), CarDataFile::MaxFileBytes, TextFile::Links::Refuse);
    if (marks.ok && !TextFile::WriteWhole(marksPath, marks.bytes, &error, TextFile::Links::Refuse))
        state.platform().ShowMessage(error);
    QFile stale(marksPath);
    if (!marks.ok && !TextFile::IsLink(marksPath) && stale.exists() && !stale.remove())
        state.platform().ShowMessage(marksPath + QStringLiteral(": ") + stale.errorString());
}

void DataFileCommands::WriteBackup()
{
    if (state.FuelLog.size() < 4 || CarDataFile::IsNoFile(state.CurrentDataFile))
        return;
    WriteFuelLog(CarDataFile::BackupPath(state.CurrentDataFile), TextFile::Links::Refuse);
}
