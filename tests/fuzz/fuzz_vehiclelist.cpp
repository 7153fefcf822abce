// The vehicle list file in its three forms; what is read is written and
// read back unchanged.
#include "core/vehicles/VehicleList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (VehicleFile::Form form : {VehicleFile::Form::Current, VehicleFile::Form::Mk2, VehicleFile::Form::Mk1}) {
        VehicleList list;
        list.ReadBytes(bytes, form, QStringLiteral("AB12"), QDate(2012, 1, 1));
        VehicleList again;
        again.ReadBytes(list.Bytes(), VehicleFile::Form::Current, QString(), QDate(2012, 1, 1));
        if (again.Count() != list.Count())
            __builtin_trap();
        for (int i = 0; i < list.Count(); ++i)
            if (!(again.At(i) == list.At(i)) && !list.IsInvalid(i))
                __builtin_trap();
    }
    return 0;
}
