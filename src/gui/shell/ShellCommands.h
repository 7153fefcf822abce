#pragma once
#include <QString>

class DataFileCommands;
class QAction;
class QMdiSubWindow;
class QMenu;
class TCalendarPrompt;
struct PrinterFont;

// Command groups of the main window. Enabling a group enables every menu
// item and toolbar button that runs its command.
enum class Command {
    Analyse,          // toolbar Analise, action analisisAction and its menu items
    Setup,            // the "Set-up" menu item
    EnterData,        // toolbar EnterBut
    NewVehicle,       // toolbar NewBut
    VehicleManager,   // toolbar ExistingBut
    ViewData,         // File, View
    Bulk,             // toolbar BulkButton
    ChangePassword,   // Options, Change Password (shown or hidden)
    Toolbar,          // the whole toolbar
    EntryMenus,       // the top-level "&Analysis" and "&Enter Data" menus
};

// What panels and child windows may ask of the shell: only the main window
// can do these. The main window implements it; panels never see the main
// window itself.
class ShellCommands {
public:
    virtual ~ShellCommands() = default;

    // Status bar panels 0-7.
    virtual void SetStatus(int panel, const QString &text) = 0;
    virtual QString StatusText(int panel) const = 0;
    virtual void SetCaption(const QString &caption) = 0;

    virtual void EnableCommand(Command command, bool enabled) = 0;
    virtual bool IsCommandEnabled(Command command) const = 0;
    virtual void ShowCommand(Command command, bool visible) = 0;
    // The action of a command, for a child window's own menus.
    virtual QAction *CommandAction(Command command) = 0;

    // Child windows.
    virtual void AddChildWindow(QMdiSubWindow *window) = 0;
    virtual void CloseAllChildWindows() = 0;
    virtual int ChildWindowCount() const = 0;
    virtual void CascadeChildWindows() = 0;
    // Tile, Cascade, Arrange and the list of open child windows, in a menu.
    virtual void FillWindowMenu(QMenu *menu) = 0;

    // The reminder window, created at start and reused for every reminder.
    virtual TCalendarPrompt &ReminderWindow() = 0;

    // The printer font of the whole run.
    virtual PrinterFont &PrintFont() = 0;

    // Settings file.
    virtual QString ReadRegistry() = 0;
    virtual bool WriteRegistry() = 0;

    // The File menu's commands over the fuel log.
    virtual DataFileCommands &Files() = 0;

    // Other commands.
    virtual void EnterDataClick() = 0;
    virtual void ViewClick() = 0;
    // Ends the program, as Quit does.
    virtual void ExitVantiqClick() = 0;
    virtual void analisebutton() = 0;
    virtual void VehDetails() = 0;
    virtual void SundryPurchases1Click() = 0;
    virtual void ChangePassClick() = 0;
    // The setup panel in front, without the password question.
    virtual void ShowSetupPanel() = 0;
    // Hides the data view without a message.
    virtual void CloseDataView() = 0;
    // Bulk button and status panel 3 from the operating scheme.
    virtual void ShowScheme() = 0;
    // The entry panel's unit labels from the settings.
    virtual void SetEntryParameters() = 0;
    // The fuel entry's price per litre box (a bulk purchase sets it).
    virtual void ShowEntryPrice(const QString &pricePerLitre) = 0;
};
