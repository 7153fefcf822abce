#include "core/state/Settings.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"
#include "core/state/SettingsFile.h"

#include <climits>
#include <cmath>
#include <variant>

const QString Settings::Section = QStringLiteral("Quorvix\\Vantiq");

namespace {
using Field = std::variant<QString Settings::*, int Settings::*, bool Settings::*>;
struct Key {
    const char *name;
    Field field;
    int lowest = INT_MIN; // the whole numbers a setting can take
    int highest = INT_MAX;
};

// A colour: blue x 65536 + green x 256 + red, or a system colour (top byte
// 255, its index in the low byte).
bool colourValue(int v)
{
    const quint32 u = quint32(v);
    return u <= 0xFFFFFFu || (u & 0xFFFFFF00u) == 0xFF000000u;
}

// The keys in the order they are read.
const Key readTable[] = {
    {"Registration", &Settings::Registration},
    {"Password", &Settings::Password},
    {"Pass Enabled", &Settings::PassEnabled},
    {"Analisis Type", &Settings::AnalisisType, 0, 2},
    {"Distance Units", &Settings::DistanceUnits, 0, 1},
    {"Fuel Units", &Settings::FuelUnits, 0, 1},
    {"Entry Distance Units", &Settings::EntryDistanceUnits, 0, 1},
    {"Entry Fuel Units", &Settings::EntryFuelUnits, 0, 1},
    {"G DPU", &Settings::GraphDPU},
    {"G ADPU", &Settings::GraphADPU},
    {"G PL", &Settings::GraphPL},
    {"CTL", &Settings::CTL},
    {"BMin", &Settings::BMin, 1, 1000},
    {"BMax", &Settings::BMax, 1, 1000},
    {"TI", &Settings::TripUnitMode, -4, 3}, // -4 to -1: take the unit mode
    {"PPL", &Settings::DefaultPpl},
    {"Scheme", &Settings::Scheme, 0, 1},
    {"Data Path", &Settings::DataPath},
    {"Veh Path", &Settings::VehPath},
    {"Start up", &Settings::StartUp},
    {"Open Ana", &Settings::OpenAna},
    {"Do Flash", &Settings::DoFlash},
    {"Backup", &Settings::Backup},
    {"SFII", &Settings::ViewStyleIndex, 0, 3},
    {"V", &Settings::VehicleCount, 0, 100},
    {"Direction", &Settings::Direction, 0, 1},
    {"DCPG", &Settings::DCPG},
    {"DCPL", &Settings::DCPL},
    {"DMPG", &Settings::DMPG},
    {"DMPL", &Settings::DMPL},
    {"DKPL", &Settings::DKPL},
    {"DKPG", &Settings::DKPG},
    {"FMode", &Settings::UnitMode, 0, 3},
    {"G1C", &Settings::G1C},
    {"G2C", &Settings::G2C},
    {"G3C", &Settings::G3C},
    {"G4C", &Settings::G4C},
};

// The order they are written; the default price is written as "Ppl".
const char *const writeOrder[] = {
    "Registration", "Password", "Pass Enabled", "Analisis Type", "Distance Units", "Fuel Units",
    "Entry Distance Units", "Entry Fuel Units", "G DPU", "G ADPU", "G PL", "Backup", "CTL",
    "BMin", "BMax", "TI", "Ppl", "Scheme", "SFII", "Data Path", "Veh Path", "Start up",
    "Open Ana", "Do Flash", "V", "Direction", "DCPG", "DCPL", "DMPG", "DMPL", "DKPL", "DKPG",
    "FMode", "G1C", "G2C", "G3C", "G4C"};

const Key &keyNamed(const QString &name)
{
    for (const Key &k : readTable)
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k;
    Q_UNREACHABLE();
}
} // namespace

Settings::Settings(const QString &executableFolder)
    : DataPath(WithBackslash(executableFolder)), VehPath(WithBackslash(executableFolder))
{
}

Settings Settings::Read(const IniFile &ini, const QString &executableFolder, QStringList *refused)
{
    Settings s(executableFolder);
    for (const Key &k : readTable) {
        const std::optional<QString> text = ini.Value(Section, QLatin1String(k.name));
        if (!text)
            continue;
        const QLatin1String name(k.name);
        // A value no setting can take keeps the default, and is named.
        auto refuse = [&] {
            if (refused)
                *refused << name + QLatin1Char('=') + *text;
        };
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(s.*member)>;
                if constexpr (std::is_same_v<T, QString>) {
                    // The default price goes into every bulk-scheme fill-up.
                    const NumberText::RealReading price = NumberText::ReadReal(text->trimmed());
                    if (name == QLatin1String("PPL") && price.ok && (!std::isfinite(price.value) || price.value < 0))
                        refuse();
                    else
                        s.*member = *text;
                } else {
                    int v = 0;
                    if (!NumberText::ReadIntegerSetting(*text, &v))
                        return;
                    if constexpr (std::is_same_v<T, bool>) {
                        s.*member = v != 0;
                    } else {
                        const bool colour = name.startsWith(QLatin1Char('G')) && name.endsWith(QLatin1Char('C'));
                        if (v < k.lowest || v > k.highest || (colour && !colourValue(v)))
                            refuse();
                        else
                            s.*member = v;
                    }
                }
            },
            k.field);
    }
    return s;
}

void Settings::Write(IniFile &ini) const
{
    for (const char *name : writeOrder) {
        const Key &k = keyNamed(QLatin1String(name));
        const QString text = std::visit(
            [&](auto member) -> QString {
                using T = std::remove_cvref_t<decltype(this->*member)>;
                if constexpr (std::is_same_v<T, QString>)
                    return this->*member;
                else if constexpr (std::is_same_v<T, bool>)
                    return (this->*member) ? QStringLiteral("1") : QStringLiteral("0");
                else
                    return QString::number(this->*member);
            },
            k.field);
        ini.SetValue(Section, QLatin1String(name), text);
    }
}

QStringList Settings::ReadOrder()
{
    QStringList out;
    for (const Key &k : readTable)
        out << QLatin1String(k.name);
    return out;
}

QStringList Settings::WriteOrder()
{
    QStringList out;
    for (const char *n : writeOrder)
        out << QLatin1String(n);
    return out;
}
