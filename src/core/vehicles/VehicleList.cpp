#include "core/vehicles/VehicleList.h"

#include "core/fuellog/TextFile.h"

#include <limits>

QString VehicleList::Caption(int i) const
{
    return entries[i].invalid ? QStringLiteral("Invalid Data") : entries[i].record.Registration;
}

int VehicleList::Find(const QString &registration, Qt::CaseSensitivity cs) const
{
    for (int i = 0; i < Count(); ++i)
        if (Caption(i).compare(registration, cs) == 0)
            return i;
    return -1;
}

void VehicleList::Append(const TVehicleRecord &record)
{
    if (!IsFull())
        entries.append({record, false, QByteArray()});
}

void VehicleList::Remove(int position)
{
    if (position >= 0 && position < Count())
        entries.removeAt(position);
}

VehicleList::ReadResult VehicleList::ReadFile(const QString &path, VehicleFile::Form form,
                                              const QString &currentRegistration, QDate today, TextFile::Links links)
{
    // A list is a few hundred kilobytes at most, and what a later version
    // adds is kept: a data file's limit is room enough.
    const TextFile::ReadResult read = TextFile::ReadBytes(path, 64LL * 1024 * 1024, links);
    if (!read.ok) {
        ReadResult r;
        r.ok = false;
        r.error = read.error;
        r.link = read.link;
        return r;
    }
    return ReadBytes(read.bytes, form, currentRegistration, today);
}

VehicleList::ReadResult VehicleList::ReadBytes(const QByteArray &bytes, VehicleFile::Form form,
                                               const QString &currentRegistration, QDate today)
{
    ReadResult r;
    const int size = VehicleFile::SizeOf(form);
    const qsizetype records = bytes.size() / size;
    r.records = int(qMin<qsizetype>(records, std::numeric_limits<int>::max()));
    r.restBytes = int(bytes.size() - records * size);
    auto slotAt = [&](qsizetype k) {
        Slot slot;
        // A registration that cannot name a data file is no vehicle of ours:
        // it is kept as read and never builds a path.
        slot.invalid = !VehicleFile::Decode(bytes.constData() + k * size, form, &slot.record)
                       || !IsFileSafeRegistration(slot.record.Registration);
        if (slot.invalid)
            slot.record = TVehicleRecord();
        if (slot.invalid) // an older form's record is padded to the current size
            slot.original = bytes.mid(k * size, size).leftJustified(VehicleFile::RecordSize, '\0');
        if (!slot.invalid && form != VehicleFile::Form::Current)
            slot.record = VehicleFile::Import(slot.record, form, today);
        return slot;
    };
    qsizetype k = 0;
    for (; k < records && !IsFull(); ++k) {
        const Slot slot = slotAt(k);
        if (!slot.invalid && slot.record.Registration == currentRegistration)
            r.foundCurrent = true;
        entries.append(slot);
        ++r.added;
    }
    r.truncated = k < records;
    if (form == VehicleFile::Form::Current) {
        if (k * size < bytes.size()) {
            unread += bytes.mid(k * size);
            r.keptUnread = true;
        }
    } else if (r.truncated) {
        // The list is written in the current form from now on, and the older
        // file is read no more: vehicles past the hundredth go after the
        // list in the current form, so that a later version may show them.
        for (; k < records; ++k) {
            const Slot slot = slotAt(k);
            unread += slot.invalid ? slot.original : VehicleFile::Encode(slot.record);
        }
        r.keptUnread = true;
    }
    return r;
}

QString VehicleList::UnreadMessage(const QString &fileName, const ReadResult &result)
{
    if (!result.keptUnread)
        return QString();
    if (result.truncated)
        return QStringLiteral("%1 holds %2 vehicles; the first %3 are shown and the others are kept unchanged")
            .arg(fileName)
            .arg(result.records)
            .arg(result.added);
    return QStringLiteral("%1 ends with %2 bytes that are not a whole vehicle record; they are kept unchanged")
        .arg(fileName)
        .arg(result.restBytes);
}

QByteArray VehicleList::Bytes() const
{
    QByteArray out;
    out.reserve(Count() * VehicleFile::RecordSize);
    for (const Slot &s : entries)
        out += s.invalid ? s.original : VehicleFile::Encode(s.record);
    return out + unread;
}
