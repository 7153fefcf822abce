#include "entry/BulkList.h"

namespace BulkList {
Check CheckList(const QStringList &lines)
{
    if (lines.isEmpty())
        return Check::Empty;
    const QString &first = lines.first();
    if (first.size() < 6 || first[2] != QLatin1Char('/') || first[5] != QLatin1Char('/'))
        return Check::Malformed;
    return Check::Good;
}
} // namespace BulkList
