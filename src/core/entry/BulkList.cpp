#include "core/entry/BulkList.h"

#include "core/entry/EntryRules.h"

#include <QElapsedTimer>

namespace BulkList {

QStringList WithoutTrailingBlanks(const QStringList &lines)
{
    qsizetype n = lines.size();
    while (n > 0 && lines[n - 1].trimmed().isEmpty())
        --n;
    return lines.mid(0, n);
}

Check CheckList(const QStringList &lines)
{
    if (lines.isEmpty())
        return Check::Empty;
    const QString &first = lines.first();
    if (first.size() < 6 || first[2] != QLatin1Char('/') || first[5] != QLatin1Char('/') || lines.size() % 3 != 0)
        return Check::Malformed;
    return Check::Good;
}

QStringList PurchaseLines(const QString &date, const QString &litres, const QString &pricePerLitre)
{
    return {date, litres, pricePerLitre};
}

int PlaceBackDated(const QStringList &lines, const QString &date, const std::function<void()> &breathe)
{
    const int entered = EntryRules::DateKey(date);
    QElapsedTimer since;
    since.start();
    for (int k = PurchaseCount(lines) - 1; k >= 0; --k) {
        if (breathe && since.elapsed() >= 10) {
            breathe();
            since.restart();
        }
        if (EntryRules::DateKey(lines[3 * k]) < entered)
            return 3 * (k + 1);
    }
    return 0;
}

QString LastDate(const QStringList &lines) { return lines.size() >= 3 ? lines[lines.size() - 3] : QString(); }

} // namespace BulkList
