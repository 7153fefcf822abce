#pragma once
#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TVantiq_;

// The fuel purchase entry panel: one fill-up at a time, each box confirmed
// with Enter.
class FuelEntryPanel : public QFrame {
    Q_OBJECT
public:
    explicit FuelEntryPanel(TVantiq_ &main, QWidget *parent = nullptr);

    void EnterDataClick();
    void QuitdatEntClick();
    void disableboxs();
    // The steps, run by Enter in their boxes.
    void PDayFinished();
    void PmonthFinished();
    void NMilesChange();
    void PpriceChange();
    void AmountChange();
    void YearChangeClick();
    void AcceptClick();

    // The box checks, shared with the bulk panel: the box's text is checked
    // (and a single digit given its "0"); on failure message says why.
    static bool ValidateDay(QLineEdit *box, QString &message);
    static bool ValidateMounth(QLineEdit *box, QString &message);
    static bool ValidatePrice(QLineEdit *box, QString &message);
    static bool ValidateAmount(QLineEdit *box, QString &message);
    // Clears the entry state flags (start-up).
    void ClearEntryState();
    // Unit and scheme labels from the setup panel.
    void SetEntryParameters();

    // Entry state.
    bool DayArmed = false, MonthArmed = false, DateDone = false, DistanceDone = false, PriceDone = false,
         QuantityDone = false, BackDated = false;
    QString EntryDate;

    // Input boxes and buttons.
    QLineEdit *PDay, *Pmonth, *PYear, *NMiles, *PPrice, *Amount;
    QSpinBox *YearChange;
    QPushButton *Accept, *QuitdatEnt, *Restart, *Button1;
    // Output boxes.
    QLineEdit *DispGalls, *ConvertDistance, *DDone, *DaysDone, *LastDate, *DOldmiles, *NumItems, *PPGBox, *PPLBox,
        *DispMpg, *DispKPL, *Registration, *Finaldate, *FinalMiles;
    // Labels that follow the units.
    QLabel *AmountLab, *EntryFuelTypeLab, *PurchasedLab, *ElapsedDistanceLab, *DistanceLab, *ConvertLab, *DPQLab,
        *Label7;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows a step's complaint; true when the user chose Ok (retype).
    bool retype(const QString &message, QLineEdit *box);
    void abandon(bool disable);
    void resetForNext();
    bool bulkScheme() const;
    bool accepting = false;
    TVantiq_ &main;
};
