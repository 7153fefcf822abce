#include "vehicles/SundryUnit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TSundryForm::TSundryForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SundryForm"));
    setWindowTitle(QStringLiteral("Sundrys"));
    setModal(true);
    auto *form = new QFormLayout(this);
    Description = new QLineEdit(this);
    Description->setObjectName(QStringLiteral("Description"));
    Description->setMaxLength(50);
    DateBox = new QLineEdit(this);
    DateBox->setObjectName(QStringLiteral("DateBox"));
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("..."));
    SpeedButton2->setToolTip(QStringLiteral("Select a date for Insurance"));
    CostBox = new QLineEdit(this);
    CostBox->setObjectName(QStringLiteral("CostBox"));
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(DateBox);
    dateRow->addWidget(SpeedButton2);
    form->addRow(QStringLiteral("Please enter a short discription of the item"), Description);
    form->addRow(QStringLiteral("Select Date of Purchase"), dateRow);
    form->addRow(QStringLiteral("Enter cost of Item"), CostBox);
    auto *buttons = new QHBoxLayout;
    AcceptBtn = new QPushButton(QStringLiteral("Accept"), this);
    AcceptBtn->setObjectName(QStringLiteral("AcceptBtn"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addStretch();
    buttons->addWidget(AcceptBtn);
    buttons->addWidget(CancelBtn);
    form->addRow(buttons);
    connect(AcceptBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}
