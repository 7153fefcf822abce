#pragma once
// The analysis window (TAnalisisForm): table, summary, best and worst, selections.
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/ColumnAverage.h"
#include "gui/shell/MenuMerging.h"

#include <QMdiSubWindow>
#include <QPointer>

class AnalysisModel;
class AppState;
class LiveOptions;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolBar;
class QToolButton;
class ShellCommands;
class TGraphForm;

// The analysis window: the fuel log of the current vehicle as a table of
// one row per fill-up, in the units and with the option its menus choose,
// with the summary panel beneath the table. A child window of the main
// window; each run also finds the best and worst figures, builds the
// summary and publishes the trip calculator's defaults.
class TAnalisisForm : public QMdiSubWindow, public MenuMerging {
    Q_OBJECT
public:
    TAnalisisForm(AppState &state, ShellCommands &shell);
    ~TAnalisisForm() override;
    QList<MergedMenu> MenusToMerge() const override;

    // Units from the setup panel, the PPDU option, the column widths.
    void FormCreate();
    // Sets the shared analysis range and the vehicle name, then runs.
    void start(int startOffset, int finishOffset);
    // One analysis run over the shared range.
    void AnaliseClick();
    // The unit mode of the menu's check marks (DpqTypes order), -1 for none.
    int GetFMode() const;
    AnalysisUnits Units() const;
    AnalysisOption Option() const;

    void MilesClick();
    void KilometersClick();
    void GallonsClick();
    void LitresClick();
    void BasicClick();
    void PPQClick();
    void PPDUClick();
    void SummaryClick();
    void ExitSummaryClick();
    void SummaryPrintClick();
    void PrintClick();
    void PrintStyleSetupClick();
    void GraphClick();
    void Close1Click();
    void TopClick();
    void BottomClick();
    void SelectRangeClick();
    void SelectAllClick();
    // Status panel 4: the selected cells as left, right, top, bottom.
    void AnalisisGridMouseUp();
    // Status panel 2: the top visible row plus the rows in view.
    void AnalisisGridTopLeftChanged();
    // perDay: "Average per day" (tag 0), else "Average" (tag 1).
    void AverageClick(bool perDay);
    // A new analysis window over the selected rows, owned by this one.
    void AnalyseSelectionClick();
    // The selected rectangle in the table's numbering.
    TableSelection Selection() const;

    // The table's texts, row 0 the headings (what printing and the column
    // averages read).
    QString Cells(int col, int row) const;
    int RowCount() const;

    QString VehicleName;
    QMenu *File1, *Summary1, *Fuelunits1, *Distanceunits1, *Analysisoptions1;
    QAction *Miles, *Kilometers, *Gallons, *Litres, *Basic, *PPQ, *PPDU;
    QToolBar *ToolBar1;
    QTableView *AnalisisGrid;
    AnalysisModel *Model;
    QFrame *SummaryPan;
    QLabel *SummaryHeading;
    QPlainTextEdit *Summary;
    QPushButton *ExitSummary, *SummaryPrint;
    QToolButton *GraphBtn;
    QMenu *UpDnMenu, *SelectionMenu;
    QAction *Averageperday1, *Average1, *AnalyseSelection;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormClose();
    QMenu *buildFileMenu();
    void applyColumnWidths();
    void showRun(const AnalysisResult &run);
    void chooseAndRun(QAction *choice, void (LiveOptions::*setUnit)(int), int index);
    AppState &state;
    ShellCommands &shell;
    QActionGroup *distanceGroup, *fuelGroup, *optionGroup;
    void usePopup(QMenu *menu);
    QList<QPointer<TGraphForm>> graphs;
    QList<QPointer<TAnalisisForm>> reanalyses;
    QMenu *popup = nullptr;
    bool allSelected = false; // Select All reaches one row past the table
    bool closing = false;
};
