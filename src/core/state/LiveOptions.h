#pragma once
#include <QString>

struct Settings;

// The settings as they stand now, read and changed by name. While the program
// runs the setup panel's controls are the settings (a change there counts at
// once), so the panel is the usual implementation; StoredOptions serves
// before the panel exists and wherever no panel is wanted.
class LiveOptions {
public:
    virtual ~LiveOptions() = default;

    // "Scheme": 0 domestic use, 1 fuel obtained in bulk.
    virtual int Scheme() const = 0;
    bool BulkScheme() const { return Scheme() == 1; }
    // Item indexes of the unit groups: distance 0 miles, 1 kilometres;
    // fuel 0 gallons, 1 litres; -1 when nothing is chosen.
    virtual int EntryDistanceType() const = 0;
    virtual int EntryFuelType() const = 0;
    virtual int DistanceUnit() const = 0;
    virtual int FuelUnit() const = 0;
    virtual void SetDistanceUnit(int index) = 0;
    virtual void SetFuelUnit(int index) = 0;
    // The unit mode of the graph and analysis units: 2 x distance + fuel, or
    // -1 when either group has nothing chosen.
    int GetFMode() const;
    virtual int AnalysisDirection() const = 0;   // 0 look ahead, 1 look back
    virtual int AnalisisType() const = 0;
    virtual QString DefaultPpl() const = 0;
    virtual void SetDefaultPpl(const QString &text) = 0;
    virtual bool StartUp() const = 0;
    virtual bool OpenAna() const = 0;
    virtual bool Flash() const = 0;
    virtual bool SaveBackup() const = 0;
    virtual bool PassEnabled() const = 0;
    virtual bool CalcTripLims() const = 0;
    virtual int BestMin() const = 0;
    virtual int BestMax() const = 0;
    virtual int MaxDays() const = 0;
    // Makes a folder the data folder (and shows it where the settings are shown).
    virtual void SetDataFolder(const QString &folder) = 0;
};

// The options kept in a settings record alone, with no control behind them.
class StoredOptions : public LiveOptions {
public:
    explicit StoredOptions(Settings &settings) : s(settings) {}
    int Scheme() const override;
    int EntryDistanceType() const override;
    int EntryFuelType() const override;
    int DistanceUnit() const override;
    int FuelUnit() const override;
    void SetDistanceUnit(int index) override;
    void SetFuelUnit(int index) override;
    int AnalysisDirection() const override;
    int AnalisisType() const override;
    QString DefaultPpl() const override;
    void SetDefaultPpl(const QString &text) override;
    bool StartUp() const override;
    bool OpenAna() const override;
    bool Flash() const override;
    bool SaveBackup() const override;
    bool PassEnabled() const override;
    bool CalcTripLims() const override;
    int BestMin() const override;
    int BestMax() const override;
    int MaxDays() const override { return maxDays; }
    void SetDataFolder(const QString &folder) override;

    int maxDays = 3; // not a stored setting

private:
    Settings &s;
};
