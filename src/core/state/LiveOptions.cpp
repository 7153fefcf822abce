#include "core/state/LiveOptions.h"

#include "core/state/Settings.h"

int LiveOptions::GetFMode() const
{
    const int d = DistanceUnit();
    const int f = FuelUnit();
    if (d < 0 || d > 1 || f < 0 || f > 1)
        return -1;
    return 2 * d + f;
}

int StoredOptions::Scheme() const { return s.Scheme; }
int StoredOptions::EntryDistanceType() const { return s.EntryDistanceUnits; }
int StoredOptions::EntryFuelType() const { return s.EntryFuelUnits; }
int StoredOptions::DistanceUnit() const { return s.DistanceUnits; }
int StoredOptions::FuelUnit() const { return s.FuelUnits; }
void StoredOptions::SetDistanceUnit(int index) { s.DistanceUnits = index; }
void StoredOptions::SetFuelUnit(int index) { s.FuelUnits = index; }
int StoredOptions::AnalysisDirection() const { return s.Direction; }
int StoredOptions::AnalisisType() const { return s.AnalisisType; }
QString StoredOptions::DefaultPpl() const { return s.DefaultPpl; }
void StoredOptions::SetDefaultPpl(const QString &text) { s.DefaultPpl = text; }
bool StoredOptions::StartUp() const { return s.StartUp; }
bool StoredOptions::OpenAna() const { return s.OpenAna; }
bool StoredOptions::Flash() const { return s.DoFlash; }
bool StoredOptions::SaveBackup() const { return s.Backup; }
bool StoredOptions::PassEnabled() const { return s.PassEnabled; }
bool StoredOptions::CalcTripLims() const { return s.CTL; }
int StoredOptions::BestMin() const { return s.BMin; }
int StoredOptions::BestMax() const { return s.BMax; }
void StoredOptions::SetDataFolder(const QString &folder) { s.DataPath = folder; }
