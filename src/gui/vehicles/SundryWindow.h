#pragma once
// The sundry purchase window (TSundryForm) and its storing into the vehicle record.
#include <QDialog>

class AppState;
class QLineEdit;
class QPushButton;
class QToolButton;
class ShellCommands;

// The sundry purchase form, created once and reused so its boxes keep the
// previous entry. Accept closes it only when the date and the cost can be
// stored.
class TSundryForm : public QDialog {
    Q_OBJECT
public:
    static const int Capacity = 20; // sundry items a vehicle record holds

    explicit TSundryForm(AppState &state, QWidget *parent = nullptr);
    void AcceptBtnClick();
    void SpeedButton2Click();

    QLineEdit *Description, *DateBox, *CostBox;
    QToolButton *SpeedButton2;
    QPushButton *AcceptBtn, *CancelBtn;

private:
    AppState &state;
};

// Enters one sundry item for the selected vehicle through the form and
// saves the vehicle list.
void SundryPurchases1Click(AppState &state, ShellCommands &shell, TSundryForm &form);
