#pragma once
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"
#include "gui/shell/Platform.h"

#include <QObject>
#include <QString>
#include <QStringList>

class AppState;
class ShellCommands;

// The File menu's commands over the fuel log and the car data file, and the
// choice and loading of the current vehicle's data.
class DataFileCommands : public QObject {
    Q_OBJECT
public:
    DataFileCommands(AppState &state, ShellCommands &shell, QObject *parent = nullptr);

    // The main window's two file dialogs: their file names and filters
    // persist between uses.
    FileRequest OpenDataFile;
    FileRequest SaveDialog1;

    QString SetRegistration(const QString &reg, bool newreg);
    bool Getcardata(const QString &name);
    void LoadData(const QString &name);
    // When another program has written the current data file since it was
    // read, reads it again (this program's unsaved changes kept on top),
    // says so in the status bar and tells everyone who shows the log.
    // True when it did.
    bool RefreshFromDisk();
    // Whether the current data file on disk still holds these records as
    // they are in the log (they may stand elsewhere in it), or is as read.
    bool StillOnDisk(const QList<QStringList> &records);
    static const QString ChangedOnDisk;
    void Open1Click();
    // Why a fill-up has nowhere to go while no data file is current: none
    // was set, or the one set could not be loaded (it is named then).
    QString NoFileMessage() const;
    // True when the log was written.
    bool Save1Click();
    bool SaveAsClick();
    // Before the window closes: changes to the fuel log that its file does
    // not hold are saved (Yes), dropped (No), or keep the window open
    // (Cancel, or a save that failed): true then.
    bool KeepUnsavedChanges();
    void New1Click();
    void DeleteData(const QString &reg);
    void RestoreBackup1Click();
    // Step 2 of the close: the fuel log to the ".bak" beside the data file.
    void WriteBackup();
    // Writes the fuel log whole to path with its marks beside it; tells the
    // user what went wrong. False, with the old file intact, when the log
    // could not be written; true once it is in place.
    // links: a backup, which the program names, never follows one.
    bool WriteFuelLog(const QString &path, TextFile::Links links = TextFile::Links::Follow);

private:
    QString dataFolder() const;
    // The current data file is new: nothing read, but a file another
    // program makes there meanwhile is not written over.
    void knowNewFile();
    AppState &state;
    ShellCommands &shell;
};
