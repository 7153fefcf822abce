#pragma once
#include "core/analysis/Extremes.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/LogFiles.h"
#include "core/state/LiveOptions.h"
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"
#include "core/vehicles/VehicleList.h"

#include <QObject>
#include <QSet>
#include <functional>
#include <utility>
#include <QString>
#include <QStringList>

class Platform;

// What a keyboard-driven entry panel remembers between its steps. The fuel
// entry and the bulk entry each have one (the bulk panel's BulkArmed,
// BulkMonthArmed, ... are the same fields of its own instance).
struct EntryFlags {
    bool DayArmed = false;     // the day step, and the later steps, may run
    bool MonthArmed = false;   // the month step may run
    bool DateDone = false;
    bool DistanceDone = false;
    bool PriceDone = false;
    bool QuantityDone = false;
    bool BackDated = false;    // placed by distance, not appended
    QString EntryDate;         // the assembled date text dd/mm/yyyy

    // Every new entry, and every acceptance, starts with no step done, so
    // that nothing typed since can be stored without passing its check.
    void ClearDone() { DateDone = DistanceDone = PriceDone = QuantityDone = false; }
    void Clear() { *this = EntryFlags(); }
    // The date step's date is a real date and still what the boxes say.
    bool DateStillHolds(const QString &day, const QString &month, const QString &year) const;
    // True while an acceptance runs: its placement search lets events run,
    // and a second acceptance must not start meanwhile.
    bool Accepting = false;
};

// Marks an acceptance for as long as it lives; Entered() is false when one
// is already running.
class AcceptanceGuard {
public:
    explicit AcceptanceGuard(EntryFlags &f) : flags(f), entered(!f.Accepting) { f.Accepting = true; }
    ~AcceptanceGuard()
    {
        if (entered)
            flags.Accepting = false;
    }
    AcceptanceGuard(const AcceptanceGuard &) = delete;
    AcceptanceGuard &operator=(const AcceptanceGuard &) = delete;
    bool Entered() const { return entered; }

private:
    EntryFlags &flags;
    bool entered;
};

// A range of the fuel log by line offsets: the records from Start up to
// Finish (exclusive).
struct LogRange {
    int Start = 0;
    int Finish = 0;
};

// The best and worst economy of the last analysis, as the trip sheet shows it.
struct TripFigures {
    Extremes extremes;
    QString economyName = QStringLiteral("Mpg");   // "Mpg", "Kpg", "Mpl" or "Kpl"
    QString distanceName = QStringLiteral("Miles");
};

// The state of the whole run: the fuel log and everything that belongs with
// it, the vehicle list, the settings no control holds, the entry state and
// the platform. The main window creates it; panels and child windows are
// given it and change it directly. Needs nothing of the widgets.
class AppState : public QObject {
    Q_OBJECT
public:
    static const int VehicleCapacity = 100;

    AppState(Platform &platform, const QString &executablePath, QObject *parent = nullptr);
    ~AppState() override;

    Platform &platform() const { return plat; }

    // The folder that stands for the executable's, the default data folder;
    // with a trailing separator. The executable's own folder when it holds
    // the settings file (a portable copy, or an earlier install), or when it
    // is not an installed program's and can be written (a build); otherwise
    // the per-user data folder (~/.local/share/Quorvix/Vantiq/).
    QString ExecutableFolder() const;
    // The settings file: beside the executable by the same rule, otherwise
    // in the per-user configuration folder (~/.config/Quorvix/Vantiq/).
    QString SettingsPath() const;
    // An installed program: its executable in <prefix>/bin with the menu
    // entry in <prefix>/share/applications.
    bool Installed() const;
    // "vehs3.veh" in the vehicle folder, "bulk.dat" in the data folder.
    QString VehicleListPath() const;
    QString BulkFilePath() const;

    // The live settings: the setup panel's controls once it exists.
    LiveOptions &Options()
    {
        makeOptions();
        return *options;
    }
    const LiveOptions &Options() const
    {
        makeOptions();
        return *options;
    }
    void SetOptions(LiveOptions *liveOptions);
    // What builds the options' controls the first time they are read (they
    // call SetOptions).
    void SetOptionsSource(std::function<void()> source) { optionsSource = std::move(source); }

    // The registration of the current vehicle, shown by the main window
    // and its panels.
    QString Registration() const { return registration; }
    void SetRegistration(const QString &reg);

    // Empties the fuel log and its marks.
    void ClearLog()
    {
        FuelLog.clear();
        Marks.Clear();
        LogSaved(true);
        LogOnDisk = {};
    }
    // The current data file holds the fuel log as it is now (it was loaded
    // from it or written to it), and its marks file the marks when
    // withMarks; shares the lists, so it costs nothing until the log changes.
    void LogSaved(bool withMarks)
    {
        savedLog = FuelLog;
        if (withMarks)
            savedMarks = Marks;
    }
    // Changes made since (the data view's edits, inserts and deletes) that
    // the current data file does not hold.
    bool LogUnsaved() const { return FuelLog != savedLog || !(Marks == savedMarks); }
    // The current data file holds log and marks (read again), while the
    // fuel log may hold changes not in it yet.
    void LogOnDiskHolds(const QStringList &log, const FillMarks &marks)
    {
        savedLog = log;
        savedMarks = marks;
    }
    // The log and marks as the current data file held them when last read
    // or written: what this program's changes are told apart from.
    const QStringList &SavedLog() const { return savedLog; }
    const FillMarks &SavedMarks() const { return savedMarks; }
    // Tells everyone who shows the fuel log that it was replaced or changed.
    void FuelLogChanged() { emit fuelLogChanged(); }
    // Asks an open cell editor to put its text into the log, before a
    // command reads or writes it.
    void CommitEdits() { emit commitEdits(); }

    // True the first time a text is asked about in this run: what is told
    // once (a link not followed) is not told at every read.
    bool FirstTelling(const QString &text)
    {
        if (told.contains(text))
            return false;
        told.insert(text);
        return true;
    }

    // Writes the vehicle list whole; false with the system's error text.
    // When another program saved the list since it was read, this
    // program's changes are put into that one (vehicleListReplaced, and
    // toTell says so for the user) before it is written.
    bool SaveVehicleList(QString *error, QString *toTell);
    // The list file was read: what it held is what later changes are told
    // apart from (no file: an empty list).
    void VehicleListRead(const TextFile::Stamp &stamp, const VehicleList &asRead);

    // Each analysis run's best and worst figures, for the trip sheet.
    void ShowTripFigures(const TripFigures &figures);
    // The latest average economy and fuel price as the trip calculator's
    // defaults, under the unit mode (0-3) they were figured in. Only a
    // positive, finite figure replaces a default.
    void PublishTripDefaults(int unitMode, const QString &averageText, double average, const QString *priceText, double price);

    bool StartupDone = false;
    int SelectedIndex = -1;          // the vehicle picked in the manager, -1 when none
    QStringList FuelLog;
    FillMarks Marks;                 // the fuel log's partial and missed fill-ups
    QStringList BulkList;
    QString CurrentDataFile;
    // What the files held when this program last read or wrote them: a save
    // finding otherwise puts its changes into what another program left.
    LogFiles::Stamps LogOnDisk;        // the current data file and its marks
    TextFile::Stamp VehicleListOnDisk;
    TextFile::Stamp BulkOnDisk;
    IniFile SettingsOnDisk;
    // The car data file whose load was refused last, while no other is
    // current: what a fill-up that has nowhere to go is told of.
    QString RefusedDataFile;
    // The marks file that was there but could not be read when its log was
    // loaded: no save touches it until the log is loaded again.
    QString MarksKeptOff;
    VehicleList Vehicles;
    bool NoDefault = false;          // the default vehicle was deleted from the list
    bool UnreadListReported = false; // the vehicle list's unread end was told of
    bool SettingsRefused = false;    // the settings file was too large: never written this run
    // The settings that no control holds (password, unit modes, folders,
    // trip defaults, colours, list style, vehicle count).
    Settings Live;
    EntryFlags Entry;                // fuel purchase entry
    EntryFlags Bulk;                 // bulk purchase entry
    QString ProductVersion;          // "Vantiq 1.0.0.0"
    LogRange Analysis;               // shared by every analysis window
    LogRange Graph;                  // shared by every graph window
    TripFigures Trip;

signals:
    void fuelLogChanged();
    void commitEdits();
    void tripFiguresChanged();
    // The vehicle list was read again, with another program's changes.
    void vehicleListReplaced();
    void registrationChanged(const QString &registration);
    // The graph colours changed: every open graph shows them, on the
    // background given (a setting's value).
    void graphColoursChanged(int background);

private:
    QSet<QString> told;
    VehicleList vehiclesRead; // as the list file held them when last read or written
    QStringList savedLog;
    FillMarks savedMarks;
    Platform &plat;
    QString exePath;
    QString registration;
    StoredOptions stored;
    LiveOptions *options;
    mutable std::function<void()> optionsSource;
    void makeOptions() const
    {
        // Run once; the source itself may read the options meanwhile.
        if (optionsSource)
            std::exchange(optionsSource, nullptr)();
    }
};
