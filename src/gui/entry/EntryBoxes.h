#pragma once
#include "core/entry/EntryRules.h"

#include <QString>

struct EntryFlags;
class Platform;
class QLineEdit;

// What the fuel and the bulk entry panels do alike with their boxes: the
// checks themselves are EntryRules'.
namespace EntryBoxes {

// Shows a check's outcome in its box (a single digit given its "0"); on
// failure message says why.
bool Apply(QLineEdit *box, const EntryRules::BoxCheck &check, QString &message);
// The entry's date from the day, month and year boxes. Not a real date:
// "Invalid Date ..." and the day is typed again; false.
bool TakeEntryDate(EntryFlags &flags, QLineEdit *day, const QLineEdit *month, const QLineEdit *year, Platform &ui);

} // namespace EntryBoxes
