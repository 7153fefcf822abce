#pragma once
#include <QFrame>

class AppState;
class QLineEdit;
class QPushButton;
class QSpinBox;
class ShellCommands;
struct EntryFlags;

// The bulk purchase panel (bulk scheme): deliveries of fuel to the depot,
// kept in "bulk.dat", each setting the default price per litre that the fuel
// entry stores.
class BulkPanel : public QFrame {
    Q_OBJECT
public:
    BulkPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);

    // Loads the bulk list; false when the file is refused. A missing file
    // counts as a new, empty list, so that start-up goes on.
    bool GetBulkData(const QString &fileName);
    void BulkButtonClick();
    void BulkQuitBtnClick();
    void BReStartClick();
    // The steps, run by Enter in their boxes.
    void BdayFinished();
    void BMounthFinished();
    void BPriceExit();
    void BAmountExit();
    void BAcceptClick();

    // The panel's own entry state (BulkArmed is its DayArmed, BulkDate its
    // EntryDate, ...), held by the application state.
    EntryFlags &Flags() const { return flags; }

    QLineEdit *BDay, *BMonth, *BYear, *BPrice, *BAmount, *Edit7, *BPpgBox, *BPplBox, *BLastDate, *BNumItems;
    QSpinBox *UpDown1;
    QPushButton *BAccept, *BulkQuitBtn, *BReStart, *Button19;

private:
    bool retype(const QString &message, QLineEdit *box);
    void resetForNext();
    // The list of the current data folder's bulk.dat, read first where the
    // list in memory came from elsewhere; false when that file cannot be read.
    bool listOfCurrentFolder();
    bool stepsStillHold() const;
    void showListEnd(); // BLastDate and BNumItems of the list in memory
    AppState &state;
    ShellCommands &shell;
    EntryFlags &flags;
    QString listFile;       // the file the list was read from
    bool listRead = false;  // and that it read
};
