#include "gui/vehicles/VehicleManager.h"

#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/state/AppState.h"
#include "core/vehicles/Reminders.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Resources.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"
#include "gui/vehicles/DetailsPanel.h"
#include "gui/vehicles/ReminderPrompt.h"
#include "gui/vehicles/VehicleListView.h"
#include "gui/vehicles/VehiclePictures.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// The panel on the left: the picture drawn to its size. Where the views
// beside it need the room (a small screen), it steps aside.
class PicturePanel : public QWidget {
public:
    PicturePanel(QWidget *row, OverlayArea *beside) : QWidget(row), views(beside)
    {
        setObjectName(QStringLiteral("ManagerPicture"));
        setFixedWidth(140);
        row->installEventFilter(this);
        connect(views, &OverlayArea::roomNeededChanged, this, &PicturePanel::fit);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawPixmap(0, 0, ManagerPicture(size(), devicePixelRatioF())); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            fit();
        return QWidget::eventFilter(watched, event);
    }

private:
    void fit() { setVisible(parentWidget()->width() >= width() + views->minimumSizeHint().width()); }
    OverlayArea *views;
};

const char *const TypeItems[] = {"PCV (Service)", "PCV (Private hire)", "LGV (Articulated)", "LGV", "Car", "Motor Cycle", "Van"};
const char *const TypeMenuItems[] = {"PCV (Service)", "PCV (private hire)", "LGV (Articulated)", "LGV", "Car", "Motor Cycle", "Van"};
} // namespace

TVehSelect::TVehSelect(AppState &s, ShellCommands &commands)
    : QMdiSubWindow(nullptr, Qt::FramelessWindowHint), state(s), shell(commands)
{
    setObjectName(QStringLiteral("VehSelect"));
    connect(&state, &AppState::vehicleListReplaced, this, [this] { Model->Reset(); });
    setWindowTitle(QStringLiteral("Vehicle Manager"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Menus of the window, shown in the main window's menu bar while it is active.
    QMenu *view = ViewMenu = new QMenu(QStringLiteral("View"), this);
    connect(view->addAction(QStringLiteral("Vehicle types")), &QAction::triggered, this, &TVehSelect::Vehicaltypes1Click);
    connect(view->addAction(QStringLiteral("All Vehicles")), &QAction::triggered, this, &TVehSelect::AllVehicals1Click);
    connect(view->addAction(QStringLiteral("Details")), &QAction::triggered, this, &TVehSelect::Details1Click);
    QMenu *add = NewMenu = new QMenu(QStringLiteral("New"), this);
    for (int tag = 0; tag < 7; ++tag)
        connect(add->addAction(QLatin1String(TypeMenuItems[tag])), &QAction::triggered, this, [this, tag] { VechTypeMenuClick(tag); });
    QMenu *options = OptionsMenu = new QMenu(QStringLiteral("&Options"), this);
    options->addAction(shell.CommandAction(Command::Setup));
    options->addAction(shell.CommandAction(Command::NewVehicle));
    options->addAction(shell.CommandAction(Command::VehicleManager));
    QAction *loadList = options->addAction(QStringLiteral("Select Vehicle List File"));
    loadList->setObjectName(QStringLiteral("LoadVehicleList1"));
    connect(loadList, &QAction::triggered, this, &TVehSelect::LoadVehicleList1Click);
    WindowMenu = new QMenu(QStringLiteral("&Window"), this);
    shell.FillWindowMenu(WindowMenu);

    // Toolbar.
    auto *tools = new QToolBar(body);
    tools->setObjectName(QStringLiteral("ToolBar1"));
    SelectedVehicle = new QLineEdit(QStringLiteral("NONE SELECTED"), tools);
    SelectedVehicle->setObjectName(QStringLiteral("SelectedVehicle"));
    SelectedVehicle->setReadOnly(true);
    SelectedVehicle->setFocusPolicy(Qt::NoFocus);
    SelectedVehicle->setMaximumWidth(200);
    tools->addWidget(SelectedVehicle);
    // The view buttons take the theme's pictures, else the style's.
    auto button = [&](const char *name, const QString &hint, const char *theme, QStyle::StandardPixmap fallback) {
        return AddToolButton(tools, name, hint, QIcon::fromTheme(QLatin1String(theme), style()->standardIcon(fallback)));
    };
    ShowVechlistBtn = AddToolButton(tools, "ShowVechlistBtn", QStringLiteral("Vehicle List"), CommandIcon(nullptr, "vantiq-vehicles"));
    ShowSelectListBtn = AddToolButton(tools, "ShowSelectListBtn", QStringLiteral("New Vehicle"),
                                      CommandIcon(nullptr, "vantiq-new-vehicle"));
    tools->addSeparator();
    reportview = button("reportview", QStringLiteral("Details"), "view-list-details", QStyle::SP_FileDialogDetailedView);
    listview = button("listview", QStringLiteral("List"), "view-list-text", QStyle::SP_FileDialogListView);
    SmallIiconsbtn = button("SmallIiconsbtn", QStringLiteral("Small Icons"), "view-list-icons", QStyle::SP_FileDialogContentsView);
    largeiconview = button("largeiconview", QStringLiteral("Large Icons"), "view-grid", QStyle::SP_DesktopIcon);
    connect(ShowVechlistBtn, &QToolButton::clicked, this, &TVehSelect::AllVehicals1Click);
    connect(ShowSelectListBtn, &QToolButton::clicked, this, &TVehSelect::Vehicaltypes1Click);
    int tag = 0;
    for (QToolButton *b : {reportview, listview, SmallIiconsbtn, largeiconview}) {
        b->setProperty("tag", tag);
        connect(b, &QToolButton::clicked, this, [this, tag] { ViewStyleClick(tag); });
        ++tag;
    }
    layout->addWidget(tools);

    // The picture on the left and the three views.
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    auto *views = new OverlayArea;
    row->addWidget(new PicturePanel(body, views));
    Model = new VehicleListModel(state.Vehicles, this);
    VehicalList = new VehicleListView(Model, views);
    SelectList = new QListWidget(views);
    SelectList->setObjectName(QStringLiteral("SelectList"));
    SelectList->setProperty("helpContext", HelpTopic::VehicleTypes);
    SelectList->setViewMode(QListView::IconMode);
    SelectList->setIconSize(QSize(48, 48));
    SelectList->setGridSize(QSize(120, 80));
    SelectList->setMovement(QListView::Static);
    SelectList->setResizeMode(QListView::Adjust);
    SelectList->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int t = 0; t < 7; ++t)
        new QListWidgetItem(VehicleTypeIcon(t), QLatin1String(TypeItems[t]), SelectList);
    SelectList->setCurrentRow(-1);
    SelectList->hide();
    NewDetails = new DetailsPanel(state, shell, views);
    row->addWidget(ScrollingWhenSmall(views, body), 1);
    layout->addLayout(row, 1);
    setWidget(body);

    // Popup menus.
    RegPopUp = new QMenu(this);
    RegPopUp->setObjectName(QStringLiteral("RegPopUp"));
    connect(RegPopUp->addAction(QStringLiteral("Open")), &QAction::triggered, this, &TVehSelect::VehicalListDblClick);
    connect(RegPopUp->addAction(QStringLiteral("Edit Details")), &QAction::triggered, this, &TVehSelect::Details1Click);
    connect(RegPopUp->addAction(QStringLiteral("Enter Sundrys")), &QAction::triggered, this, &TVehSelect::EnterSundrys1Click);
    RegPopUpNew = RegPopUp->addAction(QStringLiteral("New"));
    connect(RegPopUpNew, &QAction::triggered, this, &TVehSelect::New1Click);
    connect(RegPopUp->addAction(QStringLiteral("Delete")), &QAction::triggered, this, &TVehSelect::Delete1Click);
    connect(RegPopUp->addAction(QStringLiteral("Delete All")), &QAction::triggered, this, &TVehSelect::DeleteAllClick);
    NewTypePopUp = new QMenu(this);
    NewTypePopUp->setObjectName(QStringLiteral("NewTypePopUp"));
    connect(NewTypePopUp->addAction(QStringLiteral("Close")), &QAction::triggered, this, &TVehSelect::Close1Click);
    connect(NewTypePopUp->addAction(QStringLiteral("New")), &QAction::triggered, this, &TVehSelect::SelectListDblClick);

    connect(VehicalList, &VehicleListView::entryClicked, this, &TVehSelect::VehicalListClick);
    connect(VehicalList, &VehicleListView::entryDoubleClicked, this, &TVehSelect::VehicalListDblClick);
    connect(VehicalList, &VehicleListView::menuRequested, this, [this](const QPoint &at) { RegPopUp->popup(at); });
    connect(SelectList, &QListWidget::itemClicked, this, &TVehSelect::SelectListClick);
    connect(SelectList, &QListWidget::itemDoubleClicked, this, &TVehSelect::SelectListDblClick);
    connect(SelectList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { NewTypePopUp->popup(SelectList->viewport()->mapToGlobal(pos)); });
    connect(NewDetails->Newdetailsaccept, &QPushButton::clicked, this, [this] { Adding ? AcceptClick() : UpdateClick(); });
    connect(NewDetails->CancelnewDets, &QPushButton::clicked, this, &TVehSelect::CancelnewDetsClick);

    OpenListFile.title = QStringLiteral("Vehicle list file select");
    OpenListFile.filter = QStringLiteral("vehicle files|*.veh");
    OpenListFile.defaultSuffix = QStringLiteral("veh");
    OpenListFile.fileName = QStringLiteral("Vehs3.veh");
}

QList<MergedMenu> TVehSelect::MenusToMerge() const
{
    return {{ViewMenu, 2}, {NewMenu, 2}, {OptionsMenu, 2}, {WindowMenu, 2}};
}

void TVehSelect::setSelectedVehicle(const QString &text) { SelectedVehicle->setText(text.toUpper()); }

void TVehSelect::Start(bool isNew)
{
    DetailsPanel::Choose(NewDetails->FuelType, 0);
    shell.CloseDataView();
    for (Command c : {Command::NewVehicle, Command::VehicleManager, Command::Analyse, Command::EnterData})
        shell.EnableCommand(c, false);
    OpenListFile.folder = state.Live.VehPath;
    const bool found = OpenVehicleList();
    if (isNew || !found) {
        SelectList->show();
        SelectList->raise();
        VehicalList->hide();
    } else {
        SelectList->hide();
        VehicalList->show();
        VehicalList->raise();
        CheckReminders();
    }
}

void TVehSelect::readList(const QString &path, VehicleFile::Form form, TextFile::Links links)
{
    const VehicleList::ReadResult r =
        state.Vehicles.ReadFile(path, form, state.Registration(), state.platform().Today(), links);
    if (path == state.VehicleListPath()) // older lists read after it count as this program's additions
        state.VehicleListRead(r.stamp, state.Vehicles);
    Model->Reset();
    if (!r.ok) {
        if (!r.link || state.FirstTelling(r.error)) // a link is read as no list, told once
            state.platform().ShowMessage(r.error);
        return;
    }
    if (form != VehicleFile::Form::Current)
        state.platform().ShowMessage(QStringLiteral("Imported %1 data file. IMPORTANT New data items will have default values \n"
                                                   "Use \"Edit details\" to enter correct information")
                                        .arg(form == VehicleFile::Form::Mk1 ? QStringLiteral("Mk1") : QStringLiteral("Mk2")));
    const QString unread = VehicleList::UnreadMessage(QFileInfo(path).fileName(), r);
    if (!unread.isEmpty() && !state.UnreadListReported) {
        state.UnreadListReported = true; // once a run: the manager reads the list at every opening
        state.platform().ShowMessage(unread);
    }
    lastReadFound = r.foundCurrent;
}

bool TVehSelect::OpenVehicleList()
{
    const int was = state.SelectedIndex;
    const QString selected = was >= 0 && was < state.Vehicles.Count() && !state.Vehicles.IsInvalid(was)
                                 ? state.Vehicles.Caption(was)
                                 : QString();
    state.Vehicles.Clear();
    state.SelectedIndex = -1;
    state.VehicleListRead(TextFile::StampNow(state.VehicleListPath(), TextFile::Links::Refuse), VehicleList());
    Model->Reset();
    const QString folder = WithBackslash(state.Live.VehPath);
    const std::pair<const char *, VehicleFile::Form> files[] = {
        {"vehs3.veh", VehicleFile::Form::Current}, {"vehs2.veh", VehicleFile::Form::Mk2}, {"vehs.veh", VehicleFile::Form::Mk1}};
    bool found = false;
    for (const auto &[name, form] : files) {
        const QString path = folder + QLatin1String(name);
        if (!QFileInfo::exists(path))
            continue;
        lastReadFound = false;
        readList(path, form);
        if (lastReadFound) {
            found = true;
            break;
        }
    }
    VehicalList->show();
    SelectList->hide();
    // The selected vehicle stays selected if the list still holds it.
    if (!selected.isEmpty())
        state.SelectedIndex = state.Vehicles.Find(selected, Qt::CaseSensitive);
    if (found) {
        raise();
        return true;
    }
    const int answer = state.platform().MessageDialog(
        QStringLiteral("Welcome to Vantiq by Quorvix Solutions: Please click Yes to select your first Vehicle\r"
                       "If you already have a vehicle file, you need to locate it. Please click Cancel to continue"),
        MsgKind::Information, mbYes | mbCancel, 0);
    if (answer != mrYes)
        LoadVehicleList1Click();
    return false;
}

void TVehSelect::LoadVehicleList1Click()
{
    OpenListFile.folder = state.Live.VehPath;
    const QString chosen = state.platform().OpenFileName(OpenListFile);
    if (chosen.isEmpty())
        return;
    state.Live.VehPath = WithBackslash(QFileInfo(chosen).absolutePath());
    ClearList();
    const QString lower = chosen.toLower();
    if (!lower.contains(QStringLiteral("vehs"))) {
        state.platform().ShowMessage(QStringLiteral("Not loaded: ") + chosen + QStringLiteral(" is not a valid Vantiq file"));
        return;
    }
    // The file picked may be reached through a link.
    if (lower.contains(QStringLiteral("vehs3")))
        readList(chosen, VehicleFile::Form::Current, TextFile::Links::Follow);
    else if (lower.contains(QStringLiteral("vehs2")))
        readList(chosen, VehicleFile::Form::Mk2, TextFile::Links::Follow);
    else
        readList(state.Live.VehPath + QStringLiteral("vehs.veh"), VehicleFile::Form::Mk1);
    VehicalList->show();
    VehicalList->raise();
    SelectList->hide();
}

bool TVehSelect::SaveVechList()
{
    shell.SetStatus(5, VehicleList::SavingStatus + state.VehicleListPath());
    QString error, told;
    if (state.SaveVehicleList(&error, &told)) {
        if (!told.isEmpty())
            state.platform().ShowMessage(told);
        return true;
    }
    state.platform().ShowMessage(error);
    return false;
}

void TVehSelect::CheckReminders()
{
    const QDate today = state.platform().Today();
    TCalendarPrompt &prompt = shell.ReminderWindow();
    QString firstFailure;
    for (int i = 0; i < state.Vehicles.Count(); ++i) {
        if (state.Vehicles.IsInvalid(i))
            continue; // its bytes are kept as they are
        const QString registration = state.Vehicles.Caption(i);
        for (int k = 0; k < 4; ++k) {
            // Looked up afresh: a save may have taken in another program's list.
            TVehicleRecord &record = state.Vehicles.At(i);
            TRenewalReminder &renewal = record.Reminders[k];
            Reminders::RollOn(renewal, today);
            if (!Reminders::IsDue(renewal, today))
                continue;
            prompt.Prompt->setText(Reminders::Text(k, record.Registration, renewal, today, state.platform().Locale()));
            prompt.Dont->setChecked(false); // the window is reused
            state.platform().ExecModal(prompt);
            if (prompt.Dont->isChecked())
                renewal.Stopped = true;
            // Saved after each reminder, with every date rolled on so far;
            // of several failures the first is told.
            QString error;
            shell.SetStatus(5, VehicleList::SavingStatus + state.VehicleListPath());
            QString told;
            if (!state.SaveVehicleList(&error, &told) && firstFailure.isEmpty())
                firstFailure = error;
            if (!told.isEmpty())
                state.platform().ShowMessage(told);
            const int found = state.Vehicles.Find(registration, Qt::CaseSensitive);
            if (found < 0)
                break; // the other program deleted it
            i = found;
        }
    }
    if (!firstFailure.isEmpty())
        state.platform().ShowMessage(firstFailure);
}

void TVehSelect::RemoveRecord(int position)
{
    state.Vehicles.Remove(position);
    Model->Reset();
    if (state.SelectedIndex == position)
        state.SelectedIndex = -1;
    else if (state.SelectedIndex > position)
        --state.SelectedIndex; // still the same vehicle
}

void TVehSelect::ClearList()
{
    state.Vehicles.Clear();
    Model->Reset();
    state.SelectedIndex = -1;
}

void TVehSelect::AllVehicals1Click()
{
    VehicalList->show();
    VehicalList->raise();
    SelectList->hide();
}

void TVehSelect::Close1Click() { AllVehicals1Click(); }

void TVehSelect::Vehicaltypes1Click()
{
    VehicalList->hide();
    SelectList->show();
    SelectList->raise();
}

void TVehSelect::ViewStyleClick(int tag)
{
    static const int styles[] = {VehicleListView::Report, VehicleListView::List, VehicleListView::SmallIcons,
                                 VehicleListView::LargeIcons};
    if (tag < 0 || tag > 3)
        return;
    VehicalList->SetStyle(styles[tag]);
    state.Live.ViewStyleIndex = styles[tag];
}

void TVehSelect::SelectListClick()
{
    if (QListWidgetItem *item = SelectList->currentItem()) {
        RegPopUpNew->setText(QStringLiteral("New ") + item->text());
        setSelectedVehicle(QStringLiteral("New ") + item->text());
    }
}

void TVehSelect::VehicalListClick()
{
    const int row = VehicalList->SelectedRow();
    if (row < 0)
        return;
    setSelectedVehicle(state.Vehicles.Caption(row));
    state.SelectedIndex = row;
}

void TVehSelect::VehicalListDblClick()
{
    const int row = VehicalList->SelectedRow();
    if (row < 0)
        return;
    if (state.Vehicles.IsInvalid(row)) {
        state.platform().ShowMessage(QStringLiteral("This vehicle's record could not be read"));
        return;
    }
    const QString reg = state.Vehicles.Caption(row);
    setSelectedVehicle(reg);
    QString path;
    if (state.NoDefault) {
        if (state.platform().MessageDialog(QStringLiteral("There is no default file set click OK to set this vehicle\ras Default"),
                                          MsgKind::Warning, mbOk | mbCancel | mbHelp, 8)
            != mrOk)
            return; // no vehicle is opened
        state.NoDefault = false;
        path = shell.Files().SetRegistration(reg, true);
        shell.WriteRegistry();
        if (!QFileInfo::exists(path)) // a vehicle without data starts a new file
            path = CarDataFile::NoFilePattern(state.Live.DataPath);
    } else {
        path = shell.Files().SetRegistration(reg, false);
    }
    if (path.contains(QLatin1Char('*'))) {
        state.platform().ShowMessage(QStringLiteral("No data file, Click OK to Start entering data"));
        shell.Files().LoadData(path);
        return;
    }
    const bool openAnalysis = state.Options().OpenAna();
    shell.Files().Getcardata(path); // closes this window too
    state.SelectedIndex = row;
    if (openAnalysis)
        shell.analisebutton();
}

void TVehSelect::Delete1Click()
{
    const int row = VehicalList->SelectedRow();
    if (row < 0)
        return;
    const QString reg = state.Vehicles.Caption(row);
    const bool isDefault = reg == state.Registration();
    const QString question = isDefault ? QStringLiteral("Do you really want to delete your default vehicle from the Active list,")
                                        : QStringLiteral("Click OK to delete this vehicle from the Active list,");
    if (state.platform().MessageDialog(question + QStringLiteral("\rNote this will not delete the associated data file"),
                                      MsgKind::Warning, mbOk | mbHelp, HelpTopic::Vehicles)
        != mrOk)
        return;
    if (isDefault)
        state.NoDefault = true;
    state.platform().ShowMessage(reg + QStringLiteral(" Deleted"));
    RemoveRecord(row);
    SaveVechList();
}

void TVehSelect::DeleteAllClick()
{
    if (state.platform().MessageDialog(QStringLiteral("Do you really want to delete all the vehicles from the Active list,\r"
                                                     "Note this will empty the associated data file"),
                                      MsgKind::Warning, mbOk | mbHelp, HelpTopic::Vehicles)
        == mrOk)
        ClearList(); // written with the next save
}

void TVehSelect::showDetailsPanel(bool front)
{
    NewDetails->show();
    if (front)
        NewDetails->raise();
}

void TVehSelect::SelectListDblClick()
{
    QListWidgetItem *item = SelectList->currentItem();
    if (!item || !item->isSelected()) {
        state.platform().ShowMessage(QStringLiteral("No Vehicle Type is Selected"));
        return;
    }
    VechTypeMenuClick(SelectList->row(item));
    NewDetails->Newdetailsaccept->setText(QStringLiteral("Accept"));
    showDetailsPanel(true);
}

void TVehSelect::VechTypeMenuClick(int tag)
{
    NewDetails->NewVechTypeLab->setText(QStringLiteral("New ") + SelectList->item(tag)->text());
    DetailsPanel::Choose(NewDetails->VtypeSelect, tag);
    SelectList->hide();
    VehicalList->hide();
    NewDetails->RegBox->setEnabled(true);
    showDetailsPanel(false);
    NewDetails->IdBox->setText(QString::number(state.Vehicles.Count()));
    Adding = true;
}

void TVehSelect::Details1Click()
{
    const int row = VehicalList->SelectedRow();
    if (row < 0 || state.Vehicles.IsInvalid(row)) {
        state.platform().MessageDialog(QStringLiteral("No Vehicle Selected"), MsgKind::Error, mbOk | mbHelp, HelpTopic::Vehicles);
        return;
    }
    const TVehicleRecord &r = state.Vehicles.At(row);
    NewDetails->NewVechTypeLab->setText(NameOf(VehicleTypeNames, r.VehicleType) + QLatin1Char(' ') + r.Registration);
    NewDetails->ShowDetails(r, row);
    NewDetails->RegBox->setEnabled(false);
    showDetailsPanel(true);
    NewDetails->Newdetailsaccept->setText(QStringLiteral("Done"));
    Adding = false;
}

void TVehSelect::New1Click()
{
    if (state.platform().MessageDialog(QStringLiteral("This option will reset the data for this vehicle.\r\nDo you want to continue."),
                                      MsgKind::Warning, mbYes | mbNo, 0)
        != mrYes)
        return;
    NewDetails->ClearButtClick();
    SelectList->hide();
    VehicalList->hide();
    showDetailsPanel(true);
    NewDetails->Newdetailsaccept->setText(QStringLiteral("Done"));
    Adding = false;
}

void TVehSelect::AcceptClick()
{
    VehicleList &list = state.Vehicles;
    if (list.IsFull()) {
        state.platform().ShowMessage(QStringLiteral("The vehicle list is full (100 vehicles)"));
        return;
    }
    TVehicleRecord record; // a clear slot: nothing left over from a vehicle removed earlier
    if (NewDetails->StoreDetails(record)) {
        const int same = list.Find(record.Registration, Qt::CaseInsensitive);
        if (same >= 0) {
            state.platform().ShowMessage(list.Caption(same) == record.Registration ? QStringLiteral("This registration is already in use")
                                                                                  : QStringLiteral("Vantiq Internal Error"));
        } else {
            list.Append(record);
            Model->Reset();
            CheckDataFile(record.Registration);
            SaveVechList();
            NewDetails->hide();
        }
    }
    VehicalList->show();
}

void TVehSelect::UpdateClick()
{
    bool ok = false;
    const int k = NewDetails->IdBox->text().toInt(&ok);
    if (ok && k >= 0 && k < state.Vehicles.Count()) {
        TVehicleRecord &record = state.Vehicles.At(k);
        if (!NewDetails->StoreDetails(record))
            return; // the panel stays open on the box that was refused
        Model->Refresh(record.Id >= 0 && record.Id < state.Vehicles.Count() ? record.Id : k);
        SaveVechList();
    }
    // With no vehicle behind the panel (a new one never accepted) there is nothing to store.
    NewDetails->hide();
}

void TVehSelect::CancelnewDetsClick()
{
    NewDetails->hide();
    close();
}

void TVehSelect::EnterSundrys1Click()
{
    const int row = VehicalList->SelectedRow();
    if (row < 0) {
        state.platform().ShowMessage(VehicleList::NoVehicleSelected);
        return;
    }
    state.SelectedIndex = row;
    shell.SundryPurchases1Click();
}

bool TVehSelect::CheckDataFile(const QString &registration)
{
    const QString path = CarDataFile::PathFor(state.Live.DataPath, registration);
    if (QFileInfo::exists(path)) {
        state.platform().ShowMessage(QStringLiteral("A data file already exists for this vehicle"));
        shell.Files().DeleteData(path);
    } else {
        state.platform().ShowMessage(QStringLiteral("You must start a new data file for this vehicle"));
    }
    return true;
}

void TVehSelect::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

void TVehSelect::FormClose()
{
    if (closing)
        return;
    closing = true;
    for (Command c : {Command::NewVehicle, Command::Analyse, Command::EnterData, Command::VehicleManager})
        shell.EnableCommand(c, true);
    state.Live.VehicleCount = state.Vehicles.Count();
    shell.SetStatus(7, QStringLiteral("%1 of %2").arg(state.Live.VehicleCount).arg(AppState::VehicleCapacity));
}
