#pragma once
#include "core/state/AppState.h"
#include "gui/shell/MenuMerging.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Lazy.h"
#include "gui/shell/ShellCommands.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <QStringList>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class OverlayArea;
class DataFileCommands;
class FuelEntryPanel;
class BulkPanel;
class DataViewPanel;
class TInsertPan;
class SetupPanel;
class TCalendarPrompt;
class TSundryForm;
class TVehSelect;

// The main window: owns the application state for the whole run, hosts the
// panels and the MDI children, runs the start-up sequence and the close, and
// carries out what panels and child windows ask of the shell.
class TVantiq_ : public QMainWindow, public ShellCommands {
    Q_OBJECT
public:
    static const int VehicleCapacity = AppState::VehicleCapacity;

    TVantiq_(Platform &platform, const QString &executablePath, QWidget *parent = nullptr);
    ~TVantiq_() override;

    Platform &platform() const { return plat; }
    AppState &State() { return state; }

    // Status bar panels 0-7.
    QString StatusText(int panel) const override;
    void SetStatus(int panel, const QString &text) override;
    void SetCaption(const QString &caption) override;

    void EnableCommand(Command command, bool enabled) override;
    bool IsCommandEnabled(Command command) const override;
    void ShowCommand(Command command, bool visible) override;
    QAction *CommandAction(Command command) override;
    void AddChildWindow(QMdiSubWindow *window) override;
    int ChildWindowCount() const override;
    void CascadeChildWindows() override;
    void FillWindowMenu(QMenu *menu) override;
    // Arrange: the icons of minimised children along the bottom.
    void ArrangeIcons();
    // The active child window changed: its menus merged, the child windows
    // over the panels or under them.
    void ChildWindowActivated(QMdiSubWindow *active);
    // The active child window's menus into the main menu bar by group.
    void MergeMenus(QMdiSubWindow *active);
    void ExitVantiqClick() override;
    DataFileCommands &Files() override { return *FileCommands; }
    void ShowSetupPanel() override;
    void CloseDataView() override;
    void SetEntryParameters() override;
    void ShowEntryPrice(const QString &pricePerLitre) override;
    TCalendarPrompt &ReminderWindow() override { return *CalendarPrompt; }
    PrinterFont &PrintFont() override { return *printFont; }

    // The folder that stands for the executable's: its own when writable,
    // else the per-user application data folder.
    QString ExecutableFolder() const;
    QString SettingsPath() const;

    // Builds every panel and hidden window not built yet (they are built
    // when first used, or just after the window's first paint).
    void BuildPanels();

    // Start-up and close.
    void Formactivate();
    void starttimerTimer();
    void initalise();
    void CloseAllChildWindows() override;
    void FormClose();
    // Closed by the session (SIGTERM): no question, the backup as ever.
    void CloseAsSessionEnds();

    // Settings.
    QString ReadRegistry() override;
    bool WriteRegistry() override;
    void SetupClick();
    // The password window when passwords are enabled; true when the way
    // into the setup panel is open.
    bool PasswordGate();
    void ShowScheme() override;
    void SetEntryMenusEnabled(bool enabled);

    // The vehicle manager.
    void VehDetails() override;
    void NewVehicleClick();

    // The commands that open a panel or window over the log; each says in
    // the status bar what it is doing.
    void analisebutton() override;
    void EnterDataClick() override;
    void ViewClick() override;
    void BulkButtonClick();
    void TripCalcBtnClick();
    void SundryPurchases1Click() override;
    void ChangePassClick() override;
    void HelpClick();
    void About1Click();
    void PrintSetup1Click();

private:
    // The settings file as it stands; false when it is too large to be read.
    AppState state; // first: the names below refer into it

public:
    // The run's state under the names the rest of the program knows it by.
    bool &StartupDone;
    int &SelectedIndex;
    QStringList &FuelLog;
    QStringList &BulkList;
    QString &CurrentDataFile;
    QString &ProductVersion;
    Settings &Live;
    VehicleList &Vehicles;
    bool &NoDefault;

    // Panels and windows, each built when first used.
    Lazy<FuelEntryPanel> DataEntry;
    Lazy<BulkPanel> BulkPurchase;
    Lazy<DataViewPanel> Datadisplay;
    Lazy<TInsertPan> InsertPan;
    Lazy<SetupPanel> OptionsTabs;
    Lazy<TCalendarPrompt> CalendarPrompt;
    Lazy<TSundryForm> SundryForm;
    QMdiArea *MdiArea = nullptr;
    DataFileCommands *FileCommands = nullptr;
    QPointer<TVehSelect> VehSelect;  // the vehicle manager while it is open

    // Menus, actions and toolbar.
    QMenu *FileMenu = nullptr, *AnalysisMenu = nullptr, *OptionsMenu = nullptr, *EnterDataMenu = nullptr,
          *WindowMenu = nullptr, *HelpMenu = nullptr;
    QAction *OpenData = nullptr, *NewDataFile = nullptr, *Quit = nullptr, *analisisAction = nullptr,
            *SetupAction = nullptr, *NewVechAction = nullptr, *vechselect = nullptr, *TripCalc = nullptr,
            *LoadList = nullptr;
    QAction *Open1 = nullptr, *New1 = nullptr, *Save1 = nullptr, *SaveAs = nullptr, *ExportCsv1 = nullptr, *ImportCsv1 = nullptr, *View1 = nullptr,
            *Print = nullptr, *PrintSetup1 = nullptr, *ExitVantiq = nullptr, *Analisis2 = nullptr,
            *Tripcalculator1 = nullptr, *Setup = nullptr, *NewVehicle = nullptr, *ChangeVehicle = nullptr,
            *ChangePassword1 = nullptr, *RestoreBackup1 = nullptr, *FuelPurchases1 = nullptr,
            *SundryPurchases1 = nullptr, *Tile1 = nullptr, *Cascade1 = nullptr, *Arrange1 = nullptr,
            *Help2 = nullptr, *About1 = nullptr;
    QToolBar *ToolBar = nullptr;
    QToolButton *ExitBtn = nullptr, *OpenBtn = nullptr, *SaveBtn = nullptr, *Analise = nullptr,
                *EnterBut = nullptr, *NewBut = nullptr, *ExistingBut = nullptr, *BulkButton = nullptr,
                *TripCalcBtn = nullptr, *SetupBtn = nullptr, *EntersundrysBtn = nullptr;
    QLabel *verinfo = nullptr;
    QTimer *starttimer = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void buildAfterFirstPaint();
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QToolButton *toolButton(const char *name, const QString &hint, const QIcon &icon);
    void showPanel(QWidget *panel);
    TVehSelect &openManager();

    Platform &plat;
    bool activated = false;
    bool closed = false;
    bool sessionEnding = false;
    QList<QLabel *> statusPanels;
    QList<MergedMenu> mainMenus; // with their group numbers
    std::unique_ptr<PrinterFont> printFont;
    OverlayArea *client = nullptr;
};
