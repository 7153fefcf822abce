#pragma once
#include "shell/Platform.h"
#include "shell/Settings.h"
#include "vehicles/VehicleList.h"

#include <QMainWindow>
#include <QPointer>
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
class SetupPanel;
class TCalendarPrompt;
class TSundryForm;
class TVehSelect;

// The main window: owns the fuel log, the bulk list, the current data file
// and the live settings for the whole run, hosts the panels and the MDI
// children, and runs the start-up sequence and the close.
class TVantiq_ : public QMainWindow {
    Q_OBJECT
public:
    static const int VehicleCapacity = 100;

    TVantiq_(Platform &platform, const QString &executablePath, QWidget *parent = nullptr);
    ~TVantiq_() override;

    Platform &platform() const { return plat; }

    // Status bar panels 0-7.
    QString StatusText(int panel) const;
    void SetStatus(int panel, const QString &text);

    // The folder that stands for the executable's: its own when writable,
    // else the per-user application data folder.
    QString ExecutableFolder() const;
    QString SettingsPath() const;

    // Start-up and close.
    void Formactivate();
    void starttimerTimer();
    void initalise();
    void CloseAllChildWindows();
    void FormClose();

    // Settings.
    QString ReadRegistry();
    bool WriteRegistry();
    void SetupClick();
    // Bulk button and status panel 3 from the operating scheme.
    void ShowScheme();
    void SetEntryMenusEnabled(bool enabled);

    // The vehicle manager and the vehicle list.
    void VehDetails();
    void NewVehicleClick();
    bool SaveVechList();
    // Keeps the manager's list style (0 large icons, 1 small, 2 list, 3 report).
    void EnumerateViewStyle(int vs);

    // Commands whose subsystems come later; each shows what it is doing.
    void analisebutton();
    void EnterDataClick();
    void ViewClick();
    void BulkButtonClick();
    void TripCalcBtnClick();
    void SundryPurchases1Click();
    void ChangePassClick();
    void HelpClick();
    void About1Click();
    void PrintSetup1Click();

    // Shared state of the run.
    bool StartupDone = false;
    int SelectedIndex = -1;
    QStringList FuelLog;
    QStringList BulkList;
    QString CurrentDataFile;
    QString ProductVersion;  // "Vantiq 1.0.0.0", from the build
    // The settings that no control holds (password, unit modes, folders,
    // trip defaults, colours, list style, vehicle count).
    Settings Live;
    VehicleList Vehicles;
    bool NoDefault = false;          // the default vehicle was deleted from the list

    // Panels and windows.
    FuelEntryPanel *DataEntry = nullptr;
    BulkPanel *BulkPurchase = nullptr;
    DataViewPanel *Datadisplay = nullptr;
    QWidget *InsertPan = nullptr;
    SetupPanel *OptionsTabs = nullptr;
    TCalendarPrompt *CalendarPrompt = nullptr;
    TSundryForm *SundryForm = nullptr;
    QMdiArea *MdiArea = nullptr;
    DataFileCommands *Files = nullptr;
    QPointer<TVehSelect> VehSelect;  // the vehicle manager while it is open

    // Menus, actions and toolbar.
    QMenu *FileMenu = nullptr, *AnalysisMenu = nullptr, *OptionsMenu = nullptr, *EnterDataMenu = nullptr,
          *WindowMenu = nullptr, *HelpMenu = nullptr;
    QAction *OpenData = nullptr, *NewDataFile = nullptr, *Quit = nullptr, *analisisAction = nullptr,
            *SetupAction = nullptr, *NewVechAction = nullptr, *vechselect = nullptr, *TripCalc = nullptr,
            *LoadList = nullptr;
    QAction *Open1 = nullptr, *New1 = nullptr, *Save1 = nullptr, *SaveAs = nullptr, *View1 = nullptr,
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
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QToolButton *toolButton(const char *name, const QString &hint, int icon);
    void showPanel(QWidget *panel);
    TVehSelect &openManager();

    Platform &plat;
    QString exePath;
    bool activated = false;
    bool closed = false;
    QList<QLabel *> statusPanels;
    OverlayArea *client = nullptr;
};
