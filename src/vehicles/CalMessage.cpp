#include "vehicles/CalMessage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCalendarPrompt::TCalendarPrompt(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarPrompt"));
    setWindowTitle(QStringLiteral("Vantiq Calendar Message"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    Prompt = new QLabel(this);
    Prompt->setObjectName(QStringLiteral("Prompt"));
    Prompt->setAlignment(Qt::AlignCenter);
    Prompt->setWordWrap(true);
    layout->addWidget(Prompt);
    auto *row = new QHBoxLayout;
    Dont = new QCheckBox(QStringLiteral("Dont remind me again"), this);
    Dont->setObjectName(QStringLiteral("Dont"));
    Dont->setToolTip(QStringLiteral("Reminders will start again after the set date has passed"));
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    row->addWidget(Dont);
    row->addStretch();
    row->addWidget(CloseBtn);
    layout->addLayout(row);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
}
