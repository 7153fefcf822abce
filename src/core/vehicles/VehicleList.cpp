#include "core/vehicles/VehicleList.h"

#include <QHash>

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
    ReadResult r = ReadBytes(read.bytes, form, currentRegistration, today);
    r.stamp = read.stamp;
    return r;
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

QByteArray VehicleList::bytesOf(const Slot &s) { return s.invalid ? s.original : VehicleFile::Encode(s.record); }

QByteArray VehicleList::Bytes() const
{
    QByteArray out;
    out.reserve(Count() * VehicleFile::RecordSize);
    for (const Slot &s : entries)
        out += bytesOf(s);
    return out + unread;
}

VehicleList VehicleList::Merged(const VehicleList &base, const VehicleList &mine, const VehicleList &theirs, int *changed)
{
    // An entry that could not be read has no registration to go by: theirs
    // are kept as they are, ours (already in the file we read) are not added.
    auto index = [](const VehicleList &list) {
        QHash<QString, int> at;
        for (int i = 0; i < list.Count(); ++i)
            if (!list.entries[i].invalid)
                at.insert(list.entries[i].record.Registration, i);
        return at;
    };
    const QHash<QString, int> inBase = index(base), inMine = index(mine), inTheirs = index(theirs);
    auto same = [](const VehicleList &a, int i, const VehicleList &b, int j) { return bytesOf(a.entries[i]) == bytesOf(b.entries[j]); };
    VehicleList out;
    out.unread = theirs.unread;
    int differ = 0;
    for (int t = 0; t < theirs.Count(); ++t) {
        const Slot &slot = theirs.entries[t];
        const int b = slot.invalid ? -1 : inBase.value(slot.record.Registration, -1);
        const int m = slot.invalid ? -1 : inMine.value(slot.record.Registration, -1);
        if (!slot.invalid && (b < 0 || !same(theirs, t, base, b)))
            ++differ;
        if (m >= 0 && (b < 0 || !same(mine, m, base, b)))
            out.entries << mine.entries[m]; // ours changed it
        else if (m < 0 && b >= 0 && same(theirs, t, base, b))
            continue; // ours deleted it, and theirs did not change it
        else
            out.entries << slot;
    }
    for (int m = 0; m < mine.Count(); ++m) {
        const Slot &slot = mine.entries[m];
        if (slot.invalid || inTheirs.contains(slot.record.Registration))
            continue;
        const int b = inBase.value(slot.record.Registration, -1);
        if (b < 0 || !same(mine, m, base, b))
            out.entries << slot; // added by us, or changed by us where theirs deleted it
    }
    for (auto i = inBase.cbegin(); i != inBase.cend(); ++i)
        differ += inTheirs.contains(i.key()) ? 0 : 1;
    if (changed)
        *changed = differ;
    return out;
}
