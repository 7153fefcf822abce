// The bulk purchase file.
#include "core/entry/BulkList.h"
#include "core/fuellog/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::SplitLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (BulkList::CheckList(lines) == BulkList::Check::Good)
        (void)BulkList::PurchaseCount(lines);
    return 0;
}
