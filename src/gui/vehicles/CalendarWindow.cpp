#include "gui/vehicles/CalendarWindow.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCalendarForm::TCalendarForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarForm"));
    setWindowTitle(QStringLiteral("CalendarForm"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    Info = new QLabel(QStringLiteral("Select a Date for"), this);
    Info->setObjectName(QStringLiteral("Info"));
    Cal = new QCalendarWidget(this);
    Cal->setObjectName(QStringLiteral("Cal"));
    auto *row = new QHBoxLayout;
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    row->addStretch();
    row->addWidget(CloseBtn);
    row->addWidget(CancelBtn);
    layout->addWidget(Info);
    layout->addWidget(Cal);
    layout->addLayout(row);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Cal, &QCalendarWidget::activated, this, &QDialog::accept);
}
