#pragma once
// The vehicle manager window (TVehSelect): the vehicle list, its views and commands.
#include "core/vehicles/VehicleList.h"
#include "gui/shell/MenuMerging.h"
#include "gui/shell/Platform.h"

#include <QMdiSubWindow>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolButton;
class DetailsPanel;
class AppState;
class ShellCommands;
class VehicleListModel;
class VehicleListView;

// The vehicle manager: the vehicle list in four styles, the list of vehicle
// types a new vehicle starts from, and the details panel. A child window of
// the main window, built afresh at each opening; the list itself lives in
// the main window for the whole run.
class TVehSelect : public QMdiSubWindow, public MenuMerging {
    Q_OBJECT
public:
    TVehSelect(AppState &state, ShellCommands &shell);

    void Start(bool isNew);
    bool OpenVehicleList();
    void RemoveRecord(int position);
    void ClearList();
    // The renewal reminder scan, run when the list opens with the current vehicle.
    void CheckReminders();
    bool SaveVechList();

    void AllVehicals1Click();
    void Vehicaltypes1Click();
    void Close1Click();
    void ViewStyleClick(int tag);
    void SelectListClick();
    void VehicalListClick();
    void VehicalListDblClick();
    void Delete1Click();
    void DeleteAllClick();
    void LoadVehicleList1Click();
    void SelectListDblClick();
    void VechTypeMenuClick(int tag);
    void Details1Click();
    void New1Click();
    void AcceptClick();
    void UpdateClick();
    void CancelnewDetsClick();
    void EnterSundrys1Click();
    bool CheckDataFile(const QString &registration);

    VehicleListModel *Model;
    VehicleListView *VehicalList;
    QListWidget *SelectList;
    DetailsPanel *NewDetails;
    QLineEdit *SelectedVehicle;
    QToolButton *ShowVechlistBtn, *ShowSelectListBtn, *reportview, *listview, *SmallIiconsbtn, *largeiconview;
    QMenu *RegPopUp, *NewTypePopUp;
    QMenu *ViewMenu, *NewMenu, *OptionsMenu, *WindowMenu;
    QList<MergedMenu> MenusToMerge() const override;
    QAction *RegPopUpNew;
    FileRequest OpenListFile;
    // Which command the details panel's accept button runs.
    bool Adding = true;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormClose();
    void readList(const QString &path, VehicleFile::Form form, TextFile::Links links = TextFile::Links::Refuse);
    void showDetailsPanel(bool front);
    void setSelectedVehicle(const QString &text);
    AppState &state;
    ShellCommands &shell;
    bool closing = false;
    bool lastReadFound = false;
};
