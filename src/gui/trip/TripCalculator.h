#pragma once
// The trip cost calculator window (TCalculator).
#include <QDialog>

class AppState;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStatusBar;

// What the main window hands the calculator when it opens.
struct TripSetup {
    int tripMode = 0;        // the mode the limits are in, and the opening mode
    int minimum = 10;        // worst economy limit, in the trip mode
    int maximum = 50;        // best economy limit, in the trip mode
    bool threePoint = false; // "Calculate Trip Limits based on best and worst economy figures"
    // The limits are the built-in 10 and 50: the last analysis had too few
    // fill-ups to find figures of its own.
    bool fallbackLimits = false;
};

// The trip cost calculator: the fuel and cost of a distance, from the
// average economy or a three-point scale between the worst and best
// figures. A modal window, built when opened and destroyed when closed.
class TCalculator : public QDialog {
    Q_OBJECT
public:
    TCalculator(AppState &state, const TripSetup &setup, QWidget *parent = nullptr);

    void FormActivate();
    void calculatebtnClick();
    // tag: 0 Gallons, 1 Litres, 2 Miles, 3 Kilometers.
    void ChangeClick(int tag);
    void GVFPClick();
    void ChangeMPGClick();
    void ChangeCostClick();
    void RestorevalsClick();
    void UseAverageClick();
    void DistanceChange();
    void Exit1Click();
    // The mode of the menu's check marks.
    int Mode() const;
    bool ThreePoint() const;

    QLineEdit *Distance, *DispCost, *FUsed, *Cost, *CurrentMPG;
    QLabel *DUnit, *FUnit, *UsedType, *CUnit, *Utype, *WorstLab, *Bestlab, *TypeLab, *mpglab, *LimitsNote;
    QPushButton *CalculateBtn, *ChangeCost, *ChangeMPG;
    QFrame *EconPan, *ThreePointLine;
    QStatusBar *SBar;
    QList<QLabel *> StatusPanels;
    QMenuBar *MainMenu;
    QAction *Gallons, *Litres, *Miles, *Kilometers, *ChangeConsumption1, *ChangeFuelCost1, *GVFP, *Restorevals,
        *UseAverage, *Exit1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Take the economy (the box as miles per gallon) and take the cost (the
    // box as the price per gallon); false when refused.
    // The box's figure becomes the one used; a refused one is said (unless
    // quiet) and the last usable text put back.
    bool takeEconomy(bool quiet = false);
    bool takeCost(bool quiet = false);
    // At opening and at a unit switch: a stored figure no trip can use becomes the mode's built-in one, told;
    // a text that is no number too when unreadableToo.
    void replaceUnusableStored(bool unreadableToo);
    bool storedChecked = false;
    void showFigures(double economyMpg);
    void setStatus(int panel, const QString &text);
    void showLimits();
    AppState &state;
    TripSetup setup;
    double economyUsed = 30, costUsed = 3.18, minimumMpg = 10, maximumMpg = 50;
    QString goodEconomyText, goodCostText;
    bool kilometres = false; // the unit the distance box holds
    QActionGroup *fuelGroup, *distanceGroup;
};
