#include "vehicles/VehicleList.h"

#include "fuellog/TextFile.h"

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
                                              const QString &currentRegistration, QDate today)
{
    const TextFile::ReadResult read = TextFile::ReadBytes(path);
    if (!read.ok) {
        ReadResult r;
        r.ok = false;
        r.error = read.error;
        return r;
    }
    return ReadBytes(read.bytes, form, currentRegistration, today);
}

VehicleList::ReadResult VehicleList::ReadBytes(const QByteArray &bytes, VehicleFile::Form form,
                                               const QString &currentRegistration, QDate today)
{
    ReadResult r;
    const int size = VehicleFile::SizeOf(form);
    const qsizetype records = bytes.size() / size; // a part record at the end is ignored
    for (qsizetype k = 0; k < records; ++k) {
        if (IsFull()) {
            r.truncated = true;
            break;
        }
        Slot slot;
        slot.invalid = !VehicleFile::Decode(bytes.constData() + k * size, form, &slot.record);
        if (slot.invalid) // an older form's record is padded to the current size
            slot.original = bytes.mid(k * size, size).leftJustified(VehicleFile::RecordSize, '\0');
        if (!slot.invalid && form != VehicleFile::Form::Current)
            slot.record = VehicleFile::Import(slot.record, form, today);
        if (!slot.invalid && slot.record.Registration == currentRegistration)
            r.foundCurrent = true;
        entries.append(slot);
        ++r.added;
    }
    return r;
}

QByteArray VehicleList::Bytes() const
{
    QByteArray out;
    out.reserve(Count() * VehicleFile::RecordSize);
    for (const Slot &s : entries)
        out += s.invalid ? s.original : VehicleFile::Encode(s.record);
    return out;
}
