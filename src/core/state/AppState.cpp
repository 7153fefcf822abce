#include "core/state/AppState.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"
#include "core/fuellog/TextFile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>

bool EntryFlags::DateStillHolds(const QString &day, const QString &month, const QString &year) const
{
    return QDate::fromString(EntryDate, QStringLiteral("dd/MM/yyyy")).isValid()
           && EntryDate == day + QLatin1Char('/') + month + QLatin1Char('/') + year;
}

AppState::AppState(Platform &platform, const QString &executablePath, QObject *parent)
    : QObject(parent), plat(platform), exePath(executablePath), stored(Live), options(&stored)
{
    Live = Settings(ExecutableFolder());
}

AppState::~AppState() = default;

namespace {
QString perUserFolder(QStandardPaths::StandardLocation where)
{
    const QString folder = QStandardPaths::writableLocation(where);
    QDir().mkpath(folder);
    return WithBackslash(folder);
}

// The executable's own folder, where it is to be used.
bool usesOwnFolder(const QString &exePath, bool installed)
{
    const QFileInfo exe(exePath);
    if (QFileInfo::exists(exe.dir().filePath(exe.completeBaseName() + QStringLiteral(".ini"))))
        return true;
    return !installed && QFileInfo(exe.absolutePath()).isWritable();
}
} // namespace

bool AppState::Installed() const
{
    const QFileInfo exe(exePath);
    return exe.dir().dirName() == QLatin1String("bin")
           && QFileInfo::exists(exe.dir().filePath(QStringLiteral("../share/applications/com.quorvix.Vantiq.desktop")));
}

QString AppState::ExecutableFolder() const
{
    if (usesOwnFolder(exePath, Installed()))
        return WithBackslash(QFileInfo(exePath).absolutePath());
    return perUserFolder(QStandardPaths::AppDataLocation);
}

QString AppState::SettingsPath() const
{
    const QString name = QFileInfo(exePath).completeBaseName() + QStringLiteral(".ini");
    if (usesOwnFolder(exePath, Installed()))
        return WithBackslash(QFileInfo(exePath).absolutePath()) + name;
    return perUserFolder(QStandardPaths::AppConfigLocation) + name;
}

QString AppState::VehicleListPath() const { return WithBackslash(Live.VehPath) + QStringLiteral("vehs3.veh"); }

QString AppState::BulkFilePath() const { return WithBackslash(Live.DataPath) + QStringLiteral("bulk.dat"); }

void AppState::SetOptions(LiveOptions *liveOptions) { options = liveOptions ? liveOptions : &stored; }

void AppState::SetRegistration(const QString &reg)
{
    registration = reg;
    emit registrationChanged(reg);
}

void AppState::VehicleListRead(const TextFile::Stamp &stamp, const VehicleList &asRead)
{
    VehicleListOnDisk = stamp;
    vehiclesRead = asRead;
}

bool AppState::SaveVehicleList(QString *error, QString *toTell)
{
    const QString path = VehicleListPath();
    TextFile::Stamp expected = VehicleListOnDisk;
    for (int attempt = 0; attempt < 5; ++attempt) {
        VehicleList list = Vehicles;
        int theirChanges = 0;
        if (expected.known && (attempt > 0 || TextFile::StampNow(path, TextFile::Links::Refuse) != expected)) {
            const TextFile::ReadResult read = TextFile::ReadBytes(path, 64LL * 1024 * 1024, TextFile::Links::Refuse);
            if (!read.stamp.known) {
                if (error)
                    *error = read.error;
                return false;
            }
            VehicleList theirs;
            theirs.ReadBytes(read.bytes, VehicleFile::Form::Current, registration, QDate()); // no older form: no date to bring in
            list = VehicleList::Merged(vehiclesRead, Vehicles, theirs, &theirChanges);
            expected = read.stamp;
        }
        const QByteArray bytes = list.Bytes();
        const TextFile::Saved done = TextFile::Write(path, bytes, error, TextFile::Links::Refuse, false, &expected);
        if (done == TextFile::Saved::Changed)
            continue;
        if (done != TextFile::Saved::Replaced)
            return false;
        VehicleListRead(TextFile::StampOf(bytes), list);
        if (!(expected == VehicleListOnDisk) && list.Bytes() != Vehicles.Bytes()) {
            // Held by registration: a vehicle's place may have moved.
            const QString selected = SelectedIndex >= 0 && SelectedIndex < Vehicles.Count() ? Vehicles.Caption(SelectedIndex) : QString();
            Vehicles = list;
            SelectedIndex = selected.isEmpty() ? -1 : Vehicles.Find(selected, Qt::CaseSensitive);
            emit vehicleListReplaced();
        }
        if (theirChanges > 0 && toTell)
            *toTell = QFileInfo(path).fileName() + QStringLiteral(" was changed by another program; its changes are kept and yours are added");
        return true;
    }
    if (error)
        *error = path + QStringLiteral(" keeps being changed by another program; the vehicle list was not saved.");
    return false;
}

void AppState::ShowTripFigures(const TripFigures &figures)
{
    Trip = figures;
    emit tripFiguresChanged();
}

void AppState::PublishTripDefaults(int unitMode, const QString &averageText, double average, const QString *priceText,
                                   double price)
{
    static QString Settings::*const economy[] = {&Settings::DMPG, &Settings::DMPL, &Settings::DKPG, &Settings::DKPL};
    if (unitMode < 0 || unitMode > 3)
        return;
    // What is stored is the rounded text: an average that rounds to "0.00"
    // would be refused by the calculator.
    auto aboveZero = [](const QString &text) {
        const NumberText::RealReading r = NumberText::ReadReal(text.trimmed());
        return r.ok && std::isfinite(r.value) && r.value > 0;
    };
    if (std::isfinite(average) && average > 0 && aboveZero(averageText))
        Live.*economy[unitMode] = averageText;
    if (priceText && std::isfinite(price) && price > 0 && aboveZero(*priceText))
        (unitMode == 0 || unitMode == 2 ? Live.DCPG : Live.DCPL) = *priceText;
}
