#include "shell/DataFileCommands.h"

#include "entry/FuelEntryPanel.h"
#include "fuellog/CarDataFile.h"
#include "fuellog/DateText.h"
#include "fuellog/TextFile.h"
#include "shell/MainWindow.h"
#include "shell/SetupPanel.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {
const QString DataFileFilter = QStringLiteral("Vantiq Data File [*.dat]|*.dat|Vantiq Data File Backup|*.bak");
const int FilesHelp = 8;
} // namespace

DataFileCommands::DataFileCommands(TVantiq_ &m) : QObject(&m), main(m)
{
    OpenDataFile.defaultSuffix = QStringLiteral("dat");
    OpenDataFile.filter = DataFileFilter;
}

QString DataFileCommands::dataFolder() const { return main.Live.DataPath; }

QString DataFileCommands::SetRegistration(const QString &reg, bool newreg)
{
    main.DataEntry->Registration->setText(reg);
    main.OptionsTabs->Reg2->setText(reg);
    main.SetStatus(0, reg);
    QString path = CarDataFile::PathFor(dataFolder(), reg);
    if (!newreg && !QFileInfo::exists(path))
        path = CarDataFile::NoFilePattern(dataFolder());
    OpenDataFile.fileName = path;
    SaveDialog1.fileName = path;
    OpenDataFile.filterIndex = 1;
    return path;
}

bool DataFileCommands::Getcardata(const QString &name)
{
    main.FuelLog.clear();
    const TextFile::ReadResult read = TextFile::ReadBytes(name);
    QStringList lines;
    if (read.ok)
        lines = TextFile::SplitLines(read.bytes);
    const CarDataFile::Check check = read.ok ? CarDataFile::CheckLog(lines) : CarDataFile::Check::Malformed;
    if (!read.ok || check != CarDataFile::Check::Good) {
        if (!read.ok)
            main.platform().ShowMessage(read.error);
        else if (check == CarDataFile::Check::Empty)
            main.platform().ShowMessage(QStringLiteral("Not Loaded File ") + name + QStringLiteral(" Contains no Data"));
        // The fuel log is empty now; a later fill-up must not overwrite the
        // file that was loaded before, so no file is current.
        main.CurrentDataFile = CarDataFile::NoFilePattern(dataFolder());
        return false;
    }
    main.FuelLog = lines;
    const QString lastDate = lines[lines.size() - 4];
    main.View1->setEnabled(true);
    FuelEntryPanel &entry = *main.DataEntry;
    entry.Finaldate->setText(lastDate);
    main.SetStatus(1, QStringLiteral(" ") + lastDate);
    main.SetStatus(5, CarDataFile::BaseName(name) + QStringLiteral(" DATA READY"));
    main.CurrentDataFile = name;
    entry.NumItems->setText(QString::number(CarDataFile::RecordCount(lines)));
    entry.FinalMiles->setText(StripBlanks(lines[lines.size() - 3]));
    main.CloseAllChildWindows();
    return true;
}

void DataFileCommands::LoadData(const QString &name)
{
    const QString pattern = CarDataFile::NoFilePattern(dataFolder());
    if (name != pattern) {
        Getcardata(name);
        return;
    }
    const QString reg = main.DataEntry->Registration->text();
    const bool othersExist = !QDir(dataFolder()).entryList({QStringLiteral("*.dat")}, QDir::Files).isEmpty();
    if (othersExist) {
        const int answer = main.platform().MessageDialog(
            QStringLiteral("No Data file exists for ") + reg + QStringLiteral("\rVantiq has detected other Fuel data files")
                + QStringLiteral("\rClick OK to choose one of these or click CANCEL to start") + QStringLiteral("\rentering data for ")
                + reg,
            MsgKind::Information, mbOk | mbCancel | mbHelp, FilesHelp);
        if (answer == mrOk) {
            Open1Click();
            return;
        }
        main.FuelLog.clear();
        main.CurrentDataFile = SetRegistration(reg, true);
        main.EnterDataClick();
        return;
    }
    main.CurrentDataFile = SetRegistration(reg, true);
    main.CloseAllChildWindows();
    main.EnterDataClick();
}

void DataFileCommands::Open1Click()
{
    OpenDataFile.filterIndex = 1;
    OpenDataFile.fileName = QStringLiteral("*.dat");
    OpenDataFile.folder = dataFolder();
    OpenDataFile.title = QString();
    const QString chosen = main.platform().OpenFileName(OpenDataFile);
    if (chosen.isEmpty())
        return;
    OpenDataFile.fileName = chosen;
    main.CurrentDataFile = chosen;
    const QString base = CarDataFile::BaseName(chosen);
    if (!QFileInfo::exists(chosen)) {
        main.platform().MessageDialog(QStringLiteral("File does not exist, Sorry"), MsgKind::Information, mbOk, FilesHelp);
        return;
    }
    if (!Getcardata(chosen)) {
        main.platform().MessageDialog(QStringLiteral("Data File Invalid not loaded"), MsgKind::Error, mbOk | mbHelp, FilesHelp);
        main.FuelLog.clear();
        main.ReadRegistry();
        return;
    }
    const QString chosenFolder = WithBackslash(QFileInfo(chosen).absolutePath());
    if (base == main.DataEntry->Registration->text()) {
        main.OptionsTabs->SetDataFolder(chosenFolder);
        return;
    }
    const int answer = main.platform().MessageDialog(
        QStringLiteral("You are attempting to change to\ranother file without first setting it as Default\rDo you wish to do this now ?"),
        MsgKind::Warning, mbYes | mbNo | mbHelp, FilesHelp);
    if (answer == mrYes) {
        main.OptionsTabs->SetDataFolder(chosenFolder);
        SetRegistration(base, false);
        main.WriteRegistry();
        main.OptionsTabs->setVisible(true);
        main.OptionsTabs->raise();
    } else {
        main.platform().MessageDialog(QStringLiteral("Default File Not Changed"), MsgKind::Warning, mbOk, FilesHelp);
    }
}

bool DataFileCommands::WriteFuelLog(const QString &path)
{
    QString error;
    if (TextFile::WriteWhole(path, TextFile::JoinLines(main.FuelLog), &error))
        return true;
    main.platform().ShowMessage(error);
    return false;
}

void DataFileCommands::Save1Click()
{
    if (main.FuelLog.size() < 4) {
        main.SetStatus(5, QStringLiteral("NO DATA TO SAVE ") + main.CurrentDataFile);
        return;
    }
    if (OpenDataFile.fileName.isEmpty() || OpenDataFile.fileName == QStringLiteral("*.*")) {
        SaveAsClick();
        return;
    }
    if (CarDataFile::IsNoFile(main.CurrentDataFile)) {
        // No vehicle file to write to: a name must be chosen.
        SaveAsClick();
        return;
    }
    if (WriteFuelLog(main.CurrentDataFile))
        main.SetStatus(5, QStringLiteral("FILE SAVED ") + main.CurrentDataFile);
}

void DataFileCommands::SaveAsClick()
{
    SaveDialog1.folder = dataFolder();
    const QString chosen = main.platform().SaveFileName(SaveDialog1);
    if (chosen.isEmpty())
        return;
    if (main.FuelLog.size() < 4) {
        main.SetStatus(5, QStringLiteral("NO DATA TO SAVE"));
        return;
    }
    main.setWindowTitle(QStringLiteral("Fuel Data Save"));
    if (WriteFuelLog(chosen))
        OpenDataFile.fileName = chosen;
}

void DataFileCommands::New1Click()
{
    if (CarDataFile::IsNoFile(main.CurrentDataFile)) {
        main.platform().ShowMessage(QStringLiteral("No registration Set"));
        return;
    }
    DeleteData(main.CurrentDataFile);
    if (!QFileInfo::exists(main.CurrentDataFile))
        main.platform().ShowMessage(QStringLiteral("Click \"Enter Data\" to start a data file for ")
                                    + main.DataEntry->Registration->text());
}

void DataFileCommands::DeleteData(const QString &reg)
{
    if (!QFileInfo::exists(reg))
        return;
    if (main.platform().MessageDialog(QStringLiteral("A Data File ") + QFileInfo(reg).fileName()
                                          + QStringLiteral(" exists for this vehicle\rClick OK to erase this file"),
                                      MsgKind::Information, mbOk | mbCancel | mbHelp, FilesHelp)
        != mrOk)
        return;
    if (main.platform().MessageDialog(QStringLiteral("Really Delete ") + reg, MsgKind::Information, mbOk | mbCancel,
                                      FilesHelp)
        != mrOk)
        return;
    QFile file(reg);
    if (!file.remove()) {
        // The file is still there: keep the log that belongs to it, so that
        // a later save cannot replace the file with a shortened log.
        main.platform().ShowMessage(reg + QStringLiteral(": ") + file.errorString());
        return;
    }
    main.FuelLog.clear();
}

void DataFileCommands::RestoreBackup1Click()
{
    OpenDataFile.filterIndex = 2;
    OpenDataFile.title = QStringLiteral("Restore ") + main.CurrentDataFile;
    OpenDataFile.folder = dataFolder();
    const QString chosen = main.platform().OpenFileName(OpenDataFile);
    OpenDataFile.title = QString();
    if (chosen.isEmpty())
        return;
    if (CarDataFile::IsNoFile(main.CurrentDataFile)) {
        // There is no vehicle file to restore over.
        main.platform().ShowMessage(QStringLiteral("No registration Set"));
        return;
    }
    const int answer = main.platform().MessageDlg(QStringLiteral("Are you sure you want to replace ") + main.CurrentDataFile
                                                      + QStringLiteral("\r\nWith the backup file ") + chosen,
                                                  MsgKind::Confirmation, mbYes | mbNo);
    if (answer != mrYes)
        return;
    const TextFile::ReadResult backup = TextFile::ReadBytes(chosen);
    QString error = backup.error;
    if (!backup.ok || !TextFile::WriteWhole(main.CurrentDataFile, backup.bytes, &error))
        main.platform().ShowMessage(error);
}

void DataFileCommands::WriteBackup()
{
    if (main.FuelLog.size() < 4 || CarDataFile::IsNoFile(main.CurrentDataFile))
        return;
    WriteFuelLog(CarDataFile::BackupPath(main.CurrentDataFile));
}
