#include "gui/vehicles/ReminderPrompt.h"

#include "gui/shell/HelpTopics.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TCalendarPrompt::TCalendarPrompt(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarPrompt"));
    setProperty("helpContext", HelpTopic::Reminders);
    setWindowTitle(QStringLiteral("Vantiq Calendar Message"));
    setModal(true);
    setMinimumWidth(440); // a reminder reads on one line
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
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
    CloseBtn->setDefault(true);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
}
