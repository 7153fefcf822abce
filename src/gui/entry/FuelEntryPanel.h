#pragma once
#include "gui/entry/FillMarkBoxes.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class AppState;
class Platform;
class ShellCommands;
struct EntryFlags;

// The fuel purchase entry panel: one fill-up at a time, each box confirmed
// with Enter.
class FuelEntryPanel : public QFrame {
    Q_OBJECT
public:
    FuelEntryPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);

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

    // Clears the entry state flags (start-up).
    void ClearEntryState();
    // Where the fuel log ends: the most recent date and distance, the number
    // of records, the previous distance and status panel 1. Runs whenever
    // the log is replaced or changed.
    void ShowLogEnd();
    // Unit and scheme labels from the setup panel.
    void SetEntryParameters();

    // The entry state (held by the application state).
    EntryFlags &Flags() const { return flags; }

    // Input boxes and buttons.
    QLineEdit *PDay, *Pmonth, *PYear, *NMiles, *PPrice, *Amount;
    QSpinBox *YearChange;
    QPushButton *Accept, *QuitdatEnt, *Restart, *Button1;
    // What the driver says of this fill-up: the tank was not filled, or a
    // fill-up before it went unlogged. Unticked for every entry.
    QCheckBox *TankNotFilled, *MissedBefore;
    FillMarkBoxes Marks;
    // Output boxes.
    QLineEdit *DispGalls, *ConvertDistance, *DDone, *DaysDone, *LastDate, *DOldmiles, *NumItems, *PPGBox, *PPLBox,
        *DispMpg, *DispKPL, *Registration, *Finaldate, *FinalMiles;
    // Labels that follow the units.
    QLabel *AmountLab, *EntryFuelTypeLab, *PurchasedLab, *ElapsedDistanceLab, *DistanceLab, *ConvertLab, *DPQLab,
        *Label7;
    QLabel *PPGUnitLab = nullptr; // "£ per gallon", in the locale's currency

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Empties "This fill-up": another vehicle is current.
    void clearFigures();
    QString figuresFile; // the data file the shown figures came from
    // Shows a step's complaint; true when the user chose Ok (retype).
    bool retype(const QString &message, QLineEdit *box);
    void abandon(bool disable);
    void resetForNext();
    // The economy boxes for a fill-up where marks change what it is measured over.
    void showMarkedEconomy(int at, long long stored);
    bool bulkScheme() const;
    bool stepsStillHold() const;
    AppState &state;
    ShellCommands &shell;
    EntryFlags &flags;
};
