#pragma once
#include <QStringList>

// The bulk purchase file "bulk.dat": three lines per delivery.
namespace BulkList {
enum class Check { Good, Empty, Malformed };
// Only the first line is examined: "/" as its third and sixth character.
Check CheckList(const QStringList &lines);
inline int PurchaseCount(const QStringList &lines) { return int(lines.size() / 3); }
} // namespace BulkList
