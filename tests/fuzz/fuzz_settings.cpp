// The settings file: read, write, and read back to the same settings.
#include "core/state/Settings.h"
#include "core/state/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniFile ini = IniFile::FromBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const Settings s = Settings::Read(ini, QStringLiteral("/exe"));
    IniFile out;
    s.Write(out);
    IniFile again;
    Settings::Read(IniFile::FromBytes(out.ToBytes()), QStringLiteral("/exe")).Write(again);
    if (again.ToBytes() != out.ToBytes())
        __builtin_trap();
    return 0;
}
