#pragma once
#include "core/state/AppState.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/ShellCommands.h"

#include <QMap>
#include <QStringList>

// The shell as a panel sees it, without a main window: status texts and
// command states are kept, and the commands run are listed by name.
class RecordingCommands : public ShellCommands {
public:
    explicit RecordingCommands(AppState &state) : files(state, *this) {}

    QMap<int, QString> status;
    QMap<Command, bool> enabled;   // a command never touched counts as enabled
    QStringList run;               // "EnterDataClick", "CloseAllChildWindows", ...
    QString caption;

    void SetStatus(int panel, const QString &text) override { status[panel] = text; }
    QString StatusText(int panel) const override { return status.value(panel); }
    void SetCaption(const QString &text) override { caption = text; }
    void EnableCommand(Command command, bool on) override { enabled[command] = on; }
    bool IsCommandEnabled(Command command) const override { return enabled.value(command, true); }
    void ShowCommand(Command, bool) override {}
    QAction *CommandAction(Command) override { return nullptr; }
    void AddChildWindow(QMdiSubWindow *) override { run << QStringLiteral("AddChildWindow"); }
    void CloseAllChildWindows() override
    {
        run << QStringLiteral("CloseAllChildWindows");
        enabled[Command::Analyse] = true;
    }
    int ChildWindowCount() const override { return 0; }
    void CascadeChildWindows() override { run << QStringLiteral("CascadeChildWindows"); }
    void FillWindowMenu(QMenu *) override {}
    void ViewClick() override { run << QStringLiteral("ViewClick"); }
    void ExitVantiqClick() override { run << QStringLiteral("ExitVantiqClick"); }
    TCalendarPrompt &ReminderWindow() override { return *reminders; }
    PrinterFont &PrintFont() override { return *printFont; }
    QString ReadRegistry() override { run << QStringLiteral("ReadRegistry"); return QString(); }
    bool WriteRegistry() override { run << QStringLiteral("WriteRegistry"); return true; }
    DataFileCommands &Files() override { return files; }
    void EnterDataClick() override { run << QStringLiteral("EnterDataClick"); }
    void analisebutton() override { run << QStringLiteral("analisebutton"); }
    void VehDetails() override { run << QStringLiteral("VehDetails"); }
    void SundryPurchases1Click() override { run << QStringLiteral("SundryPurchases1Click"); }
    void ChangePassClick() override { run << QStringLiteral("ChangePassClick"); }
    void ShowSetupPanel() override { run << QStringLiteral("ShowSetupPanel"); }
    void CloseDataView() override { run << QStringLiteral("CloseDataView"); }
    void ShowScheme() override { run << QStringLiteral("ShowScheme"); }
    void SetEntryParameters() override { run << QStringLiteral("SetEntryParameters"); }
    void ShowEntryPrice(const QString &price) override { run << QStringLiteral("ShowEntryPrice ") + price; }

    TCalendarPrompt *reminders = nullptr; // a test that scans reminders gives one
    PrinterFont *printFont = nullptr;     // a test that prints gives one

private:
    DataFileCommands files;
};
