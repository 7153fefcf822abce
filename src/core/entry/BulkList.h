#pragma once
#include <QStringList>
#include <functional>

// The bulk purchase file "bulk.dat": three lines per delivery (date,
// litres as typed, price per litre in pence), deliveries in date order.
namespace BulkList {
enum class Check { Good, Empty, Malformed };
// Trailing empty lines are no purchase: the lines without them.
QStringList WithoutTrailingBlanks(const QStringList &lines);
// The first line must have "/" as its third and sixth character, and the
// lines must make whole purchases.
Check CheckList(const QStringList &lines);
inline int PurchaseCount(const QStringList &lines) { return int(lines.size() / 3); }

// The three lines of a purchase.
QStringList PurchaseLines(const QString &date, const QString &litres, const QString &pricePerLitre);
// Where a purchase dated date goes among the lines: after the last purchase
// dated earlier, searched from the end, or at the start. breathe is called
// every ~10 ms of searching.
int PlaceBackDated(const QStringList &lines, const QString &date, const std::function<void()> &breathe = {});
// The date of the last purchase, empty for an empty list.
QString LastDate(const QStringList &lines);
} // namespace BulkList
