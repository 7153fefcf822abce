#pragma once
#include <QString>
#include <QStringList>

class IniFile;

// The program's settings as stored in the settings file, with the defaults
// of a file that lacks a key. The setup panel's controls hold most of them
// while the program runs; this is what goes to and from the file.
struct Settings {
    static const QString Section; // "Quorvix\Vantiq"
    // A settings file past this size is none of ours: it is neither read
    // nor written over.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    QString Registration;
    QString Password = QStringLiteral("Tarnwel");
    bool PassEnabled = false;
    int AnalisisType = 2;
    int DistanceUnits = 1;
    int FuelUnits = 1;
    int EntryDistanceUnits = 0;
    int EntryFuelUnits = 1;
    bool GraphDPU = true;
    bool GraphADPU = true;
    bool GraphPL = true;
    bool CTL = true;
    int BMin = 10;
    int BMax = 50;
    int TripUnitMode = 0;        // "TI"
    QString DefaultPpl = QStringLiteral("0.70");
    int Scheme = 0;
    QString DataPath;            // defaults to the executable's folder
    QString VehPath;
    bool StartUp = false;
    bool OpenAna = false;
    bool DoFlash = true;
    bool Backup = false;
    int ViewStyleIndex = 0;      // "SFII"
    int VehicleCount = 0;        // "V"
    int Direction = 1;
    QString DCPG = QStringLiteral("3.00");
    QString DCPL = QStringLiteral("0.70");
    QString DMPG = QStringLiteral("30.00");
    QString DMPL = QStringLiteral("7.00");
    QString DKPL = QStringLiteral("10.00");
    QString DKPG = QStringLiteral("50.0");
    int UnitMode = 0;            // "FMode"
    int G1C = -16777201;         // system colour of button faces
    int G2C = 32768;
    int G3C = 255;
    int G4C = 65535;

    // Defaults, with the folders set to the executable's folder.
    explicit Settings(const QString &executableFolder = QString());

    // Reads every key in the order of the file's key table; a missing key or
    // an unreadable number keeps the default, and so does a value no setting
    // can take (a unit outside its items, a mode out of range, a default
    // price that is no price), which is added to refused as "KEY=value".
    static Settings Read(const IniFile &ini, const QString &executableFolder, QStringList *refused = nullptr);
    // Writes every key in the program's write order.
    void Write(IniFile &ini) const;

    static QStringList ReadOrder();
    static QStringList WriteOrder();
};
