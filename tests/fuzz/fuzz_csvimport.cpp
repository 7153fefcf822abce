// Any bytes read as a CSV file to import and prepared against a small log
// with every answer the dialog offers: nothing may crash, and every fill-up
// it would add must be a record the car data file accepts.
#include "core/exchange/LogImport.h"
#include "core/fuellog/CarDataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace LogImport;
    const Source source = Read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!source.Found())
        return 0;
    const QStringList log = {"01/01/2012", "10000", "40.00", "130.00", "08/01/2012", "10300", "40.00", "130.00"};
    for (int k = 0; k < 4; ++k) {
        Answers a;
        a.dateOrder = k & 1 ? DateOrder::MonthFirst : DateOrder::DayFirst;
        a.distance = k & 2 ? DistanceUnit::Kilometres : DistanceUnit::Miles;
        a.fuel = k == 3 ? FuelUnit::UsGallons : FuelUnit::Litres;
        a.moneyKind = k & 1 ? MoneyKind::Total : MoneyKind::PerUnit;
        a.moneyUnit = k & 2 ? MoneyUnit::Pence : MoneyUnit::Pounds;
        const Plan plan = Prepare(source, a, log);
        if (plan.log.size() != log.size() + 4 * plan.added.size())
            __builtin_trap();
        if (!plan.added.isEmpty() && CarDataFile::CheckLog(plan.log) != CarDataFile::Check::Good)
            __builtin_trap();
    }
    return 0;
}
