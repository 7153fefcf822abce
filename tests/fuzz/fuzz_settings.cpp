// The settings file: read, write, and read back to the same settings.
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniFile ini = IniFile::FromBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QStringList refused;
    const Settings s = Settings::Read(ini, QStringLiteral("/exe"), &refused);
    // Whatever the file held, what is kept is a value a setting can take:
    // written and read again, nothing is refused and nothing changes.
    IniFile out;
    s.Write(out);
    IniFile again;
    QStringList refusedAgain;
    Settings::Read(IniFile::FromBytes(out.ToBytes()), QStringLiteral("/exe"), &refusedAgain).Write(again);
    if (again.ToBytes() != out.ToBytes() || !refusedAgain.isEmpty())
        __builtin_trap();
    if (s.BMin < 1 || s.BMin > 1000 || s.BMax < 1 || s.BMax > 1000 || s.TripUnitMode < -4 || s.TripUnitMode > 3
        || s.UnitMode < 0 || s.UnitMode > 3 || s.VehicleCount < 0 || s.VehicleCount > 100)
        __builtin_trap();
    return 0;
}
