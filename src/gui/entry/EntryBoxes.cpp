#include "gui/entry/EntryBoxes.h"

#include "core/state/AppState.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Widgets.h"

#include <QDate>
#include <QLineEdit>

namespace EntryBoxes {

bool Apply(QLineEdit *box, const EntryRules::BoxCheck &check, QString &message)
{
    if (box->text() != check.text)
        box->setText(check.text);
    message = check.message;
    return check.ok;
}

bool TakeEntryDate(EntryFlags &flags, QLineEdit *day, const QLineEdit *month, const QLineEdit *year, Platform &ui)
{
    flags.EntryDate = day->text() + QLatin1Char('/') + month->text() + QLatin1Char('/') + year->text();
    if (QDate::fromString(flags.EntryDate, QStringLiteral("dd/MM/yyyy")).isValid())
        return true;
    // As after the other date messages: the day is typed again.
    ui.ShowMessage(QStringLiteral("Invalid Date ") + flags.EntryDate);
    flags.MonthArmed = false;
    flags.DayArmed = true;
    FocusAndSelect(day);
    return false;
}

} // namespace EntryBoxes
