#include "gui/shell/PasswordWindow.h"

#include "gui/shell/HelpTopics.h"
#include "gui/shell/Widgets.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPassWrd::TPassWrd(const QString &stored, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), password(stored)
{
    setObjectName(QStringLiteral("PassWrd"));
    setProperty("helpContext", HelpTopic::Password);
    setWindowTitle(QStringLiteral("Password"));
    setModal(true);
    auto *outer = new QVBoxLayout(this);
    DisplayPan = new QFrame(this);
    DisplayPan->setObjectName(QStringLiteral("DisplayPan"));
    DisplayPan->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(DisplayPan);
    PassPrompt = new QLabel(QStringLiteral("Enter Password"), DisplayPan);
    PassPrompt->setObjectName(QStringLiteral("PassPrompt"));
    PassPrompt->setMinimumWidth(PassPrompt->fontMetrics().horizontalAdvance(QStringLiteral("Password Correct Click \"OK\"")) + 8);
    IpPass = NamedEdit("IpPass", DisplayPan);
    IpPass->setEchoMode(QLineEdit::Password);
    auto *row = new QHBoxLayout;
    Return = NamedButton("Return", QStringLiteral("&OK"), DisplayPan);
    CancelButton = NamedButton("CancelButton", QStringLiteral("&Cancel"), DisplayPan);
    // Enter in the box checks it and never closes the window (the box's
    // filter takes that Enter); Enter on a focused button presses it.
    for (QPushButton *b : {Return, CancelButton})
        b->setAutoDefault(true);
    row->addStretch();
    row->addWidget(Return);
    row->addWidget(CancelButton);
    layout->addWidget(PassPrompt);
    layout->addWidget(IpPass);
    layout->addLayout(row);
    outer->addWidget(DisplayPan);
    IpPass->installEventFilter(this);
    connect(Return, &QPushButton::clicked, this, &TPassWrd::ReturnClick);
    connect(CancelButton, &QPushButton::clicked, this, &TPassWrd::CancelButtonClick);
    FormActivate();
}

void TPassWrd::FormActivate()
{
    PassPrompt->setText(QStringLiteral("Enter Password"));
    IpPass->clear();
    IpPass->setEchoMode(QLineEdit::Password);
    Return->setEnabled(false);
}

void TPassWrd::IpPassEnter() { PassPrompt->setText(QStringLiteral("Enter Password")); }

void TPassWrd::IpPassExit()
{
    if (IpPass->text() == password) {
        PassPrompt->setText(QStringLiteral("Password Correct Click \"OK\""));
        Return->setEnabled(true);
    } else {
        PassPrompt->setText(QStringLiteral("Access Denied"));
        IpPass->clear();
        Return->setEnabled(false);
    }
}

void TPassWrd::ReturnClick() { done(QDialog::Accepted); }

void TPassWrd::CancelButtonClick() { done(QDialog::Rejected); }

bool TPassWrd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == IpPass) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress:
            IpPassEnter();
            break;
        case QEvent::FocusOut:
            IpPassExit();
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                IpPassExit();
                // Where the prompt sends the user: OK after the right
                // password, else Cancel. Leaving the box checks once more.
                (Return->isEnabled() ? Return : CancelButton)->setFocus();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPassWrd::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
    IpPass->setFocus();
}

void TPassWrd::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}
