#include "gui/vehicles/SundryWindow.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"
#include "core/state/AppState.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"
#include "gui/vehicles/CalendarWindow.h"

#include <QCalendarWidget>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

TSundryForm::TSundryForm(AppState &appState, QWidget *parent) : QDialog(parent), state(appState)
{
    setObjectName(QStringLiteral("SundryForm"));
    setProperty("helpContext", HelpTopic::Sundries);
    setWindowTitle(QStringLiteral("Sundrys"));
    setModal(true);
    auto *form = new QFormLayout(this);
    Description = NamedEdit("Description", this);
    Description->setMaxLength(VehicleFile::Width::Description);
    DateBox = NamedEdit("DateBox", this);
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("..."));
    SpeedButton2->setToolTip(QStringLiteral("Select a date for Insurance"));
    CostBox = NamedEdit("CostBox", this);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(DateBox);
    dateRow->addWidget(SpeedButton2);
    form->addRow(QStringLiteral("Please enter a short discription of the item"), Description);
    form->addRow(QStringLiteral("Select Date of Purchase"), dateRow);
    form->addRow(QStringLiteral("Enter cost of Item"), CostBox);
    auto *buttons = new QHBoxLayout;
    AcceptBtn = NamedButton("AcceptBtn", QStringLiteral("&Accept"), this);
    CancelBtn = NamedButton("CancelBtn", QStringLiteral("&Cancel"), this);
    AcceptBtn->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(AcceptBtn);
    buttons->addWidget(CancelBtn);
    form->addRow(buttons);
    connect(AcceptBtn, &QPushButton::clicked, this, &TSundryForm::AcceptBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton2, &QToolButton::clicked, this, &TSundryForm::SpeedButton2Click);
}

void TSundryForm::AcceptBtnClick()
{
    // An item can never be changed afterwards: what cannot be stored as
    // typed is refused here, with the form left open.
    const QLocale locale = state.platform().Locale();
    if (!ReadShortDate(DateBox->text(), locale).isValid()) {
        state.platform().ShowMessage(QStringLiteral("Please enter the date of purchase as a date such as ")
                                     + ShortDateText(state.platform().Today(), locale));
        DateBox->setFocus();
        return;
    }
    const NumberText::RealReading cost = NumberText::ReadReal(CostBox->text().trimmed());
    if (!cost.ok || !(std::fabs(cost.value) < 1e9)) {
        state.platform().ShowMessage(QStringLiteral("Please enter the cost as a plain number such as 12.50"));
        CostBox->setFocus();
        return;
    }
    accept();
}

void TSundryForm::SpeedButton2Click()
{
    TCalendarForm calendar(this);
    calendar.Info->setText(QStringLiteral("Please the date the item was purchased"));
    calendar.Cal->setSelectedDate(state.platform().Today());
    if (state.platform().ExecModal(calendar) == QDialog::Accepted)
        DateBox->setText(ShortDateText(calendar.Cal->selectedDate(), state.platform().Locale()));
}

void SundryPurchases1Click(AppState &state, ShellCommands &shell, TSundryForm &form)
{
    Platform &ui = state.platform();
    const int selected = state.SelectedIndex;
    if (selected < 0 || selected >= state.Vehicles.Count() || state.Vehicles.IsInvalid(selected)) {
        ui.ShowMessage(VehicleList::NoVehicleSelected);
        return;
    }
    TVehicleRecord &record = state.Vehicles.At(selected);
    if (record.SundryCount < 0 || record.SundryCount >= TSundryForm::Capacity) {
        ui.ShowMessage(QStringLiteral("No more sundry items can be stored for ") + record.Registration
                       + QStringLiteral(": a vehicle holds %1").arg(TSundryForm::Capacity));
        return;
    }
    form.setWindowTitle(QStringLiteral("Sundrys for ") + record.Registration);
    if (ui.ExecModal(form) != QDialog::Accepted)
        return;
    const TVehicleRecord before = record;
    TSundryItem &item = record.Sundries[record.SundryCount];
    item.Description = form.Description->text().left(VehicleFile::Width::Description);
    item.Date = VehicleFile::ToDays(ReadShortDate(form.DateBox->text(), ui.Locale()));
    item.Cost = NumberText::ReadReal(form.CostBox->text().trimmed()).value;
    ++record.SundryCount;
    shell.SetStatus(5, VehicleList::SavingStatus + state.VehicleListPath());
    QString error, told;
    if (!state.SaveVehicleList(&error, &told)) {
        record = before; // what the file holds, memory holds
        ui.ShowMessage(error);
    } else if (!told.isEmpty()) {
        ui.ShowMessage(told);
    }
}
