// The bulk purchase file, and where a back-dated delivery goes in it: the
// input's first ten bytes are the delivery's date, the rest the file.
#include "core/entry/BulkList.h"
#include "core/entry/EntryRules.h"
#include "core/fuellog/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 16384)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString date = QString::fromLatin1(bytes.left(10));
    const QStringList lines = TextFile::SplitLines(bytes.mid(10));
    if (BulkList::CheckList(lines) != BulkList::Check::Good)
        return 0;
    const int count = BulkList::PurchaseCount(lines);
    const int at = BulkList::PlaceBackDated(lines, date);
    if (at < 0 || at % 3 != 0 || at > 3 * count)
        __builtin_trap();
    // After the last delivery dated earlier: none from there on is earlier.
    const int key = EntryRules::DateKey(date);
    for (int k = at / 3; k < count; ++k)
        if (EntryRules::DateKey(lines[3 * k]) < key)
            __builtin_trap();
    if (at > 0 && EntryRules::DateKey(lines[at - 3]) >= key)
        __builtin_trap();
    // Placed there, the list is still whole and one delivery longer.
    QStringList placed = lines;
    const QStringList delivery = BulkList::PurchaseLines(date, QStringLiteral("1"), QStringLiteral("100"));
    for (int i = 0; i < delivery.size(); ++i)
        placed.insert(at + i, delivery[i]);
    if (BulkList::PurchaseCount(placed) != count + 1)
        __builtin_trap();
    if (at > 0 && BulkList::CheckList(placed) != BulkList::Check::Good)
        __builtin_trap();
    if (at == 3 * count && BulkList::LastDate(placed) != date)
        __builtin_trap();
    return 0;
}
