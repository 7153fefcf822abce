// The import window's preparation: the input's first eight bytes are the
// user's column mapping (six boxes) and answers, the rest the CSV file.
// Whatever the user picks, nothing may crash, every fill-up added must make
// a log the car data file accepts, and the choices kept for the next file
// must read back as they were made.
#include "core/exchange/LogImport.h"
#include "core/fuellog/CarDataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace LogImport;
    if (size < 8 || size > 16384)
        return 0;
    Source source = Read(QByteArray(reinterpret_cast<const char *>(data + 8), qsizetype(size - 8)));
    if (!source.Found())
        return 0;
    const int headers = int(source.headers.size());
    if (headers == 0)
        return 0;
    // Each box offers every column of the header; the two marks' boxes
    // "(none)" as well.
    int Columns::*const fields[] = {&Columns::date, &Columns::odometer, &Columns::quantity,
                                    &Columns::money, &Columns::full, &Columns::missed};
    for (int i = 0; i < 6; ++i) {
        const int column = i < 4 ? data[i] % headers : data[i] % (headers + 1) - 1;
        if (fields[i] == &Columns::money && column != source.columns.money)
            source.columns.total = -1; // as the window does
        source.columns.*fields[i] = column;
    }
    Answers a;
    a.dateOrder = DateOrder(data[6] % 3);
    a.distance = DistanceUnit((data[6] / 3) % 3);
    a.fuel = FuelUnit((data[6] / 9) % 4);
    a.moneyKind = MoneyKind(data[7] % 3);
    a.moneyUnit = MoneyUnit((data[7] / 3) % 3);
    const Answers resolved = source.Resolve(a);

    const QStringList log = {"01/01/2012", "10000", "40.00", "130.00", "08/01/2012", "10300", "40.00", "130.00"};
    const Plan plan = Prepare(source, resolved, log);
    if (plan.log.size() != log.size() + 4 * plan.added.size())
        __builtin_trap();
    if (!plan.added.isEmpty() && CarDataFile::CheckLog(plan.log) != CarDataFile::Check::Good)
        __builtin_trap();
    if (plan.notFull > plan.added.size() || plan.missed > plan.added.size())
        __builtin_trap();

    Columns columns;
    Answers answers;
    if (!ReadChoices(ChoicesText(source.columns, resolved), headers, &columns, &answers))
        __builtin_trap();
    if (columns.date != source.columns.date || columns.odometer != source.columns.odometer
        || columns.quantity != source.columns.quantity || columns.money != source.columns.money
        || columns.full != source.columns.full || columns.missed != source.columns.missed)
        __builtin_trap();
    if (answers.dateOrder != resolved.dateOrder || answers.distance != resolved.distance || answers.fuel != resolved.fuel
        || answers.moneyKind != resolved.moneyKind || answers.moneyUnit != resolved.moneyUnit)
        __builtin_trap();
    return 0;
}
