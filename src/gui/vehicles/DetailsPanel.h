#pragma once
#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class AppState;
class ShellCommands;
struct TVehicleRecord;

// The details panel of the vehicle manager: one control per field of a
// vehicle record, the renewal date pickers and the sundry totals.
class DetailsPanel : public QFrame {
    Q_OBJECT
public:
    DetailsPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);

    // The panel into a record; false when the registration was refused
    // (too short, or not usable as a file name), which then stays unchanged.
    bool StoreDetails(TVehicleRecord &record);
    void ShowDetails(const TVehicleRecord &record, int slot);
    void ClearButtClick();
    // One of the four date buttons: picks a date into its due box.
    void SelectDateBtn(int tag);
    // Type positions 0-6 stand for themselves; anything else is a car.
    static int VehicleTypeOf(int position);

    QLabel *NewVechTypeLab, *Label7, *NumSundrysDisp, *SundryDisp;
    QLineEdit *RegBox, *CapacityBox, *Manuf, *Edit4, *Edit6, *AquiredBox, *Tax, *Taxduebox, *InsuranceCo, *InsuranceAmt,
        *InsuranceDue, *MOTStation, *MOTAmt, *MOTDue, *ServiceStation, *ServiceAmt, *ServiceDue, *IdBox;
    QComboBox *VtypeSelect, *FuelType, *TaxGroupBox, *TaxRemindRate, *InsRemindRate, *MOTRemindRate, *ServiceRemindRate;
    QSpinBox *CapacitySelect, *TaxDelay, *InsDelay, *MOTDelay, *ServiceDelay;
    QCheckBox *ArchiveVeh, *TaxRemind, *InsureRemind, *MOTRemind, *ServiceRemind;
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4;
    QPushButton *Newdetailsaccept, *CancelnewDets, *ClearButt, *Button1;

    // The item chosen in a drop-down, -1 when none is (nothing picked yet,
    // or a text typed in).
    static int Position(const QComboBox *box);
    static void Choose(QComboBox *box, int position);

private:
    // Every amount and date box holds a number or a date, or nothing;
    // otherwise the user is told which box and the focus goes there.
    bool boxesReadable();
    QDate dateIn(const QLineEdit *box) const;
    QString dateText(double days) const;
    AppState &state;
    ShellCommands &shell;
};
