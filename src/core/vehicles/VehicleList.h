#pragma once
#include "core/fuellog/TextFile.h"
#include "core/vehicles/VehicleRecord.h"

#include <QList>
#include <QString>

// The vehicle list: up to 100 records in list order. An entry whose record
// could not be read keeps its place (zeroed, shown as "Invalid Data"), so
// list positions never shift, and keeps its bytes, which are written back
// unchanged: a later version may read what this one cannot.
class VehicleList {
public:
    // Said when a command needs a vehicle picked in the list first.
    static inline const QString NoVehicleSelected = QStringLiteral("No vehicle selected");
    // The status bar while the list is written: followed by its path.
    static inline const QString SavingStatus = QStringLiteral("Saving Data file ");

    struct ReadResult {
        bool ok = true;          // false when the file could not be read at all
        QString error;
        bool link = false;       // a link where links are refused: read as no file
        bool foundCurrent = false;
        int added = 0;
        bool truncated = false;  // records past the hundredth were left out
        int records = 0;         // whole records in the file
        int restBytes = 0;       // bytes after the last whole record
        // The list file's bytes that were not read (records past the
        // hundredth, a part record at the end) are kept and written back.
        bool keptUnread = false;
        TextFile::Stamp stamp; // what the file held
    };

    int Count() const { return int(entries.size()); }
    bool IsFull() const { return Count() >= VehicleFile::Capacity; }
    const TVehicleRecord &At(int i) const { return entries[i].record; }
    TVehicleRecord &At(int i) { return entries[i].record; }
    bool IsInvalid(int i) const { return entries[i].invalid; }
    // The entry's caption: the registration, or "Invalid Data".
    QString Caption(int i) const;
    // Position of the entry whose caption matches, -1 when none.
    int Find(const QString &registration, Qt::CaseSensitivity cs) const;

    void Clear()
    {
        entries.clear();
        unread.clear();
    }
    void Append(const TVehicleRecord &record);
    void Remove(int position);

    // Reads a list file of the given form and adds its records after those
    // already listed; older forms are brought to the current one as they are
    // read. currentRegistration is looked for, whole and case-sensitive.
    // links: the list file beside the data is the program's own and never
    // read through a link; one the user picks may be.
    ReadResult ReadFile(const QString &path, VehicleFile::Form form, const QString &currentRegistration, QDate today,
                        TextFile::Links links = TextFile::Links::Refuse);
    ReadResult ReadBytes(const QByteArray &bytes, VehicleFile::Form form, const QString &currentRegistration, QDate today);

    // The whole list as the current form: 1848 bytes per vehicle, then the
    // bytes of the list file that were not read, unchanged.
    QByteArray Bytes() const;
    // The list another program saved (theirs) with this program's changes
    // since base put in, vehicle by vehicle (by registration): a vehicle
    // this program changed or added is ours, one it deleted goes, and every
    // other is as theirs has it, in theirs' order, ours added at the end.
    // changed: how many of theirs differ from base.
    static VehicleList Merged(const VehicleList &base, const VehicleList &mine, const VehicleList &theirs, int *changed = nullptr);

    // What to tell the user about a list file whose end was not read; empty
    // when everything was read.
    static QString UnreadMessage(const QString &fileName, const ReadResult &result);

private:
    struct Slot {
        TVehicleRecord record;
        bool invalid = false;
        QByteArray original; // the bytes of an unreadable record, as read
    };
    QList<Slot> entries;
    QByteArray unread;
    static QByteArray bytesOf(const Slot &s);
};
