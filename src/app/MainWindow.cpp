#include "app/MainWindow.h"

#include "Version.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/TextFile.h"
#include "core/state/LiveOptions.h"
#include "core/state/SettingsFile.h"
#include "core/vehicles/VehicleRecord.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/Reports.h"
#include "gui/entry/BulkPanel.h"
#include "gui/entry/DataViewPanel.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/exchange/LogExchange.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/HelpViewer.h"
#include "gui/shell/PasswordWindow.h"
#include "gui/shell/Resources.h"
#include "gui/shell/SetupPanel.h"
#include "gui/shell/SplashScreen.h"
#include "gui/shell/Widgets.h"
#include "gui/trip/TripCalculator.h"
#include "gui/vehicles/ReminderPrompt.h"
#include "gui/vehicles/SundryWindow.h"
#include "gui/vehicles/VehicleListView.h"
#include "gui/vehicles/VehicleManager.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TVantiq_::TVantiq_(Platform &p, const QString &executablePath, QWidget *parent)
    : QMainWindow(parent), state(p, executablePath), StartupDone(state.StartupDone),
      SelectedIndex(state.SelectedIndex), FuelLog(state.FuelLog), BulkList(state.BulkList),
      CurrentDataFile(state.CurrentDataFile), ProductVersion(state.ProductVersion), Live(state.Live),
      Vehicles(state.Vehicles), NoDefault(state.NoDefault), plat(p)
{
    setObjectName(QStringLiteral("Vantiq_"));
    setWindowTitle(QStringLiteral("Vantiq by Quorvix"));
    setWindowIcon(ApplicationIcon());
    printFont = std::make_unique<PrinterFont>();
    printFont->font.setPointSize(8); // sixty table rows fit a page
    ProductVersion = QStringLiteral(VANTIQ_PRODUCT_NAME " " VANTIQ_FILE_VERSION);

    client = new OverlayArea;
    setCentralWidget(ScrollingWhenSmall(client, this));
    MdiArea = new QMdiArea(client);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    // The panels over the client area and the hidden windows are built when
    // first used: none is shown before the start-up sequence.
    DataEntry = Lazy<FuelEntryPanel>([this] { return new FuelEntryPanel(state, *this, client); });
    BulkPurchase = Lazy<BulkPanel>([this] { return new BulkPanel(state, *this, client); });
    Datadisplay = Lazy<DataViewPanel>([this] { return new DataViewPanel(state, *this, client); });
    InsertPan = Lazy<TInsertPan>([this] { return Datadisplay->InsertPan; });
    FileCommands = new DataFileCommands(state, *this, this);

    buildMenus(); // before the setup panel, whose password box shows a menu item
    new ContextHelp(plat, this); // F1 asks for the focused control's topic
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TVantiq_::ChildWindowActivated);
    // The setup panel's controls are the settings: it is built when they are first read.
    OptionsTabs = Lazy<SetupPanel>([this] {
        auto *panel = new SetupPanel(state, *this, client);
        state.SetOptions(&panel->Options());
        return panel;
    });
    state.SetOptionsSource([this] { OptionsTabs.get(); });
    connect(&state, &AppState::registrationChanged, this, [this](const QString &reg) { SetStatus(0, reg); });
    buildToolBar();
    buildStatusBar();

    // Hidden windows of the whole run.
    CalendarPrompt = Lazy<TCalendarPrompt>([this] { return new TCalendarPrompt(this); });
    SundryForm = Lazy<TSundryForm>([this] { return new TSundryForm(state, this); });
    buildAfterFirstPaint();

    starttimer = new QTimer(this);
    starttimer->setObjectName(QStringLiteral("starttimer"));
    starttimer->setInterval(1000);
    starttimer->setSingleShot(true);
    connect(starttimer, &QTimer::timeout, this, &TVantiq_::starttimerTimer);

    // The size to come back to from maximised, and the whole screen where no
    // window manager honours a maximise request.
    if (const QScreen *s = screen())
        setGeometry(s->availableGeometry());
    BulkButton->setEnabled(false);
    View1->setEnabled(false);
    Print->setEnabled(false);
}

TVantiq_::~TVantiq_()
{
    // Children going with the window must not merge menus into a menu bar
    // that is being taken down.
    disconnect(MdiArea, nullptr, this, nullptr);
    state.SetOptions(nullptr); // the setup panel goes with the window
    // The panels go while the state they work on is still here: an editor
    // open in the data view commits its text as it closes.
    delete takeCentralWidget();
}

static QAction *makeAction(QObject *parent, const char *name, const QString &caption)
{
    auto *a = new QAction(caption, parent);
    a->setObjectName(QLatin1String(name));
    return a;
}

void TVantiq_::buildMenus()
{
    OpenData = makeAction(this, "OpenData", QStringLiteral("Open Data File"));
    NewDataFile = makeAction(this, "NewDataFile", QStringLiteral("New Data File"));
    Quit = makeAction(this, "Quit", QStringLiteral("Quit"));
    analisisAction = makeAction(this, "analisisAction", QStringLiteral("Analise"));
    SetupAction = makeAction(this, "SetupAction", QStringLiteral("Set-up"));
    NewVechAction = makeAction(this, "NewVechAction", QStringLiteral("New Vechicle"));
    vechselect = makeAction(this, "vechselect", QStringLiteral("Select Vehicle"));
    TripCalc = makeAction(this, "TripCalc", QStringLiteral("Trip Calculator"));
    LoadList = makeAction(this, "LoadList", QStringLiteral("Select Vehicle List File"));
    connect(OpenData, &QAction::triggered, FileCommands, &DataFileCommands::Open1Click);
    connect(NewDataFile, &QAction::triggered, FileCommands, &DataFileCommands::New1Click);
    connect(Quit, &QAction::triggered, this, &QWidget::close);
    connect(analisisAction, &QAction::triggered, this, &TVantiq_::analisebutton);
    connect(SetupAction, &QAction::triggered, this, &TVantiq_::SetupClick);
    connect(NewVechAction, &QAction::triggered, this, &TVantiq_::NewVehicleClick);
    connect(vechselect, &QAction::triggered, this, &TVantiq_::VehDetails);
    connect(TripCalc, &QAction::triggered, this, &TVantiq_::TripCalcBtnClick);

    // A menu item bound to an action is an item of its own (so it can be
    // disabled on its own) that runs the action.
    auto item = [this](QMenu *menu, const char *name, QAction *action) {
        QAction *a = makeAction(this, name, action->text());
        connect(a, &QAction::triggered, action, &QAction::trigger);
        menu->addAction(a);
        return a;
    };
    auto plain = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = makeAction(this, name, caption);
        menu->addAction(a);
        return a;
    };

    FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    FileMenu->setObjectName(QStringLiteral("File1"));
    Open1 = item(FileMenu, "Open1", OpenData);
    New1 = item(FileMenu, "New1", NewDataFile);
    Save1 = plain(FileMenu, "Save1", QStringLiteral("&Save"));
    SaveAs = plain(FileMenu, "SaveAs", QStringLiteral("Save &As"));
    FileMenu->addSeparator();
    ExportCsv1 = plain(FileMenu, "ExportCsv1", QStringLiteral("&Export CSV..."));
    ImportCsv1 = plain(FileMenu, "ImportCsv1", QStringLiteral("&Import CSV..."));
    connect(ExportCsv1, &QAction::triggered, this, [this] { LogExchange::ExportLog(state, *this); });
    connect(ImportCsv1, &QAction::triggered, this, [this] { LogExchange::ImportLog(state, *this); });
    FileMenu->addSeparator();
    View1 = plain(FileMenu, "View1", QStringLiteral("&View"));
    FileMenu->addSeparator();
    Print = plain(FileMenu, "Print", QStringLiteral("&Print"));
    PrintSetup1 = plain(FileMenu, "PrintSetup1", QStringLiteral("P&rint Setup"));
    ExitVantiq = item(FileMenu, "ExitVantiq", Quit);
    connect(Save1, &QAction::triggered, FileCommands, &DataFileCommands::Save1Click);
    connect(SaveAs, &QAction::triggered, FileCommands, &DataFileCommands::SaveAsClick);
    connect(View1, &QAction::triggered, this, &TVantiq_::ViewClick);
    connect(PrintSetup1, &QAction::triggered, this, &TVantiq_::PrintSetup1Click);

    AnalysisMenu = menuBar()->addMenu(QStringLiteral("&Analysis"));
    AnalysisMenu->setObjectName(QStringLiteral("Analysis1"));
    Analisis2 = item(AnalysisMenu, "Analisis2", analisisAction);
    Tripcalculator1 = item(AnalysisMenu, "Tripcalculator1", TripCalc);

    OptionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
    OptionsMenu->setObjectName(QStringLiteral("Options1"));
    Setup = item(OptionsMenu, "Setup", SetupAction);
    NewVehicle = item(OptionsMenu, "NewVehicle", NewVechAction);
    ChangeVehicle = item(OptionsMenu, "ChangeVehicle", analisisAction);
    ChangePassword1 = plain(OptionsMenu, "ChangePassword1", QStringLiteral("Change &Password"));
    ChangePassword1->setVisible(false);
    RestoreBackup1 = plain(OptionsMenu, "RestoreBackup1", QStringLiteral("Restore Backup"));
    connect(ChangePassword1, &QAction::triggered, this, [this] {
        if (PasswordGate()) // from the menu the panel is not open yet
            ChangePassClick();
    });
    connect(RestoreBackup1, &QAction::triggered, FileCommands, &DataFileCommands::RestoreBackup1Click);

    EnterDataMenu = menuBar()->addMenu(QStringLiteral("&Enter Data"));
    EnterDataMenu->setObjectName(QStringLiteral("EnterData1"));
    FuelPurchases1 = plain(EnterDataMenu, "FuelPurchases1", QStringLiteral("Fuel Purchases"));
    SundryPurchases1 = plain(EnterDataMenu, "SundryPurchases1", QStringLiteral("Sundry Purchases"));
    connect(FuelPurchases1, &QAction::triggered, this, &TVantiq_::EnterDataClick);
    connect(SundryPurchases1, &QAction::triggered, this, &TVantiq_::SundryPurchases1Click);

    WindowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    WindowMenu->setObjectName(QStringLiteral("Window1"));
    FillWindowMenu(WindowMenu);
    Tile1 = WindowMenu->findChild<QAction *>(QStringLiteral("Tile1"));
    Cascade1 = WindowMenu->findChild<QAction *>(QStringLiteral("Cascade1"));
    Arrange1 = WindowMenu->findChild<QAction *>(QStringLiteral("Arrange1"));

    HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    mainMenus = {{FileMenu, 0}, {AnalysisMenu, 0}, {OptionsMenu, 2}, {EnterDataMenu, 2}, {WindowMenu, 2}, {HelpMenu, 4}};

    HelpMenu->setObjectName(QStringLiteral("Help1"));
    Help2 = plain(HelpMenu, "Help2", QStringLiteral("&Help"));
    About1 = plain(HelpMenu, "About1", QStringLiteral("&About"));
    connect(Help2, &QAction::triggered, this, &TVantiq_::HelpClick);
    connect(About1, &QAction::triggered, this, &TVantiq_::About1Click);

    // Pictures: the desktop theme's where it has one for the command.
    const std::tuple<QAction *, const char *, const char *> pictures[] = {
        {Open1, "document-open", nullptr},       {New1, "document-new", nullptr},
        {Save1, "document-save", nullptr},       {SaveAs, "document-save-as", "document-save"},
        {Print, "document-print", nullptr},      {ExitVantiq, "application-exit", nullptr},
        {Help2, "help-contents", nullptr},       {Setup, "preferences-system", nullptr},
        {Analisis2, nullptr, "vantiq-analysis"}, {Tripcalculator1, nullptr, "vantiq-trip"},
        {FuelPurchases1, nullptr, "vantiq-fillup"}, {SundryPurchases1, nullptr, "vantiq-sundry"},
        {NewVehicle, nullptr, "vantiq-new-vehicle"}, {ChangeVehicle, nullptr, "vantiq-vehicles"}};
    for (const auto &[action, theme, own] : pictures)
        action->setIcon(CommandIcon(theme, own));

    // Keys for the commands used most; held by the window itself, so they
    // work while a child window's menus stand in the menu bar. Quit is
    // Ctrl+Q by name: a platform without a desktop theme binds no key to it.
    const std::pair<QAction *, QKeySequence> keys[] = {
        {Open1, QKeySequence::Open},        {Save1, QKeySequence::Save},          {SaveAs, QKeySequence::SaveAs},
        {ExitVantiq, QKeySequence(Qt::CTRL | Qt::Key_Q)},   {FuelPurchases1, Qt::Key_F2},
        {vechselect, Qt::Key_F3},           {Analisis2, Qt::Key_F5},              {Tripcalculator1, Qt::Key_F6}};
    for (const auto &[action, key] : keys) {
        action->setShortcut(key);
        addAction(action);
    }
}

QToolButton *TVantiq_::toolButton(const char *name, const QString &hint, const QIcon &icon)
{
    QToolButton *b = AddToolButton(ToolBar, name, hint, icon);
    b->setFixedSize(39, 38);
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    return b;
}

void TVantiq_::buildToolBar()
{
    ToolBar = addToolBar(QStringLiteral("Tools"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ExitBtn = toolButton("ExitBtn", QStringLiteral("Leave Vantiq"), CommandIcon("application-exit"));
    ToolBar->addSeparator();
    OpenBtn = toolButton("OpenBtn", QStringLiteral("Open Date File"), CommandIcon("document-open"));
    SaveBtn = toolButton("SaveBtn", QStringLiteral("Save data file"), CommandIcon("document-save"));
    ToolBar->addSeparator();
    Analise = toolButton("Analise", QStringLiteral("Display the data Analisis table"), CommandIcon(nullptr, "vantiq-analysis"));
    EnterBut = toolButton("EnterBut", QStringLiteral("Enter Data"), CommandIcon(nullptr, "vantiq-fillup"));
    NewBut = toolButton("NewBut", QStringLiteral("Add a new vehical"), CommandIcon(nullptr, "vantiq-new-vehicle"));
    ExistingBut = toolButton("ExistingBut", QStringLiteral("Display the Vehical Manager"), CommandIcon(nullptr, "vantiq-vehicles"));
    ToolBar->addSeparator();
    BulkButton = toolButton("BulkButton", QStringLiteral("Enter Bulk Purchase"), CommandIcon(nullptr, "vantiq-bulk"));
    TripCalcBtn = toolButton("TripCalcBtn", QStringLiteral("Trip Calculator"), CommandIcon(nullptr, "vantiq-trip"));
    SetupBtn = toolButton("SetupBtn", QStringLiteral("Vantiq Setup Options"), CommandIcon("preferences-system"));
    EntersundrysBtn = toolButton("EntersundrysBtn", QStringLiteral("Enter sundry purchases"), CommandIcon(nullptr, "vantiq-sundry"));
    ToolBar->addSeparator();
    auto *aboutIcon = new QLabel(ToolBar); // the program's picture beside its name and version
    aboutIcon->setObjectName(QStringLiteral("AboutIcon"));
    aboutIcon->setPixmap(ApplicationIcon().pixmap(24, 24));
    aboutIcon->setContentsMargins(8, 0, 0, 0);
    ToolBar->addWidget(aboutIcon);
    verinfo = new QLabel(ToolBar);
    verinfo->setObjectName(QStringLiteral("verinfo"));
    verinfo->setProperty("helpContext", HelpTopic::EntryDate);
    verinfo->setContentsMargins(8, 0, 8, 0);
    ToolBar->addWidget(verinfo);

    connect(ExitBtn, &QToolButton::clicked, Quit, &QAction::trigger);
    connect(OpenBtn, &QToolButton::clicked, OpenData, &QAction::trigger);
    connect(SaveBtn, &QToolButton::clicked, FileCommands, &DataFileCommands::Save1Click);
    connect(Analise, &QToolButton::clicked, analisisAction, &QAction::trigger);
    connect(EnterBut, &QToolButton::clicked, this, &TVantiq_::EnterDataClick);
    connect(NewBut, &QToolButton::clicked, NewVechAction, &QAction::trigger);
    connect(ExistingBut, &QToolButton::clicked, vechselect, &QAction::trigger);
    connect(BulkButton, &QToolButton::clicked, this, &TVantiq_::BulkButtonClick);
    connect(TripCalcBtn, &QToolButton::clicked, this, &TVantiq_::TripCalcBtnClick);
    connect(SetupBtn, &QToolButton::clicked, SetupAction, &QAction::trigger);
    connect(EntersundrysBtn, &QToolButton::clicked, this, &TVantiq_::SundryPurchases1Click);
}

void TVantiq_::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    struct Panel { int width; const char *text; };
    static const Panel panels[] = {{70, "REGDISPLAY"}, {80, ""},   {30, ""},     {100, ""},
                                   {100, ""},        {350, "GEN DISPLAY"}, {80, "DATEDISPLAY"}, {50, "NVS"}};
    for (const Panel &p : panels) {
        auto *l = new QLabel(QLatin1String(p.text), bar);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(statusPanels.size()));
        // The general display takes the room there is, down to a third of
        // its width, so that the window fits an 800-pixel screen; a long
        // text is cut rather than widen the window.
        const bool general = statusPanels.size() == 5;
        l->setMinimumWidth(general ? p.width / 3 : p.width);
        if (general)
            l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(l, general ? 1 : 0);
        statusPanels << l;
    }
}

QString TVantiq_::StatusText(int panel) const
{
    return panel >= 0 && panel < statusPanels.size() ? statusPanels[panel]->text() : QString();
}

void TVantiq_::SetStatus(int panel, const QString &text)
{
    if (panel >= 0 && panel < statusPanels.size())
        statusPanels[panel]->setText(text);
}

QString TVantiq_::ExecutableFolder() const { return state.ExecutableFolder(); }

QString TVantiq_::SettingsPath() const { return state.SettingsPath(); }

void TVantiq_::buildAfterFirstPaint()
{
    // The window is on the screen at once; what it shows later is built in
    // the moment after, long before the start-up sequence needs it.
    class FirstPaint : public QObject {
    public:
        explicit FirstPaint(TVantiq_ *painted) : QObject(painted), window(painted) { painted->installEventFilter(this); }
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint) {
                QTimer::singleShot(0, window, &TVantiq_::BuildPanels);
                deleteLater();
                window->removeEventFilter(this);
            }
            return false;
        }
        TVantiq_ *window;
    };
    new FirstPaint(this);
}

void TVantiq_::BuildPanels()
{
    DataEntry.get();
    BulkPurchase.get();
    Datadisplay.get();
    OptionsTabs.get();
    CalendarPrompt.get();
    SundryForm.get();
}

void TVantiq_::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!activated) {
        activated = true; // the first activation only
        Formactivate();
    }
}

void TVantiq_::Formactivate()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    StartupDone = false;
    SelectedIndex = -1;
    starttimer->start();
}

void TVantiq_::starttimerTimer()
{
    starttimer->stop();
    // Built just after the first paint already, unless the sequence is run
    // at once; either way in one order, so the panels stack as they always have.
    BuildPanels();
    verinfo->setText(ProductVersion);
    StartupDone = true;
    initalise();
    state.ClearLog();
    BulkList.clear();
    CurrentDataFile = ReadRegistry();
    if (state.Options().Flash()) {
        TSplashForm splash(ProductVersion, this);
        plat.ExecModal(splash);
    }
    if (Live.TripUnitMode >= -4 && Live.TripUnitMode <= -1)
        Live.TripUnitMode = Live.UnitMode;
    // A default vehicle that cannot name a file is no vehicle: said once,
    // and the manager opens for the user to choose one.
    const bool usable = Live.Registration.isEmpty() || IsFileSafeRegistration(Live.Registration);
    if (!usable)
        plat.ShowMessage(QStringLiteral("The default vehicle \"%1\" in %2 is not a usable registration; choose a vehicle")
                             .arg(Live.Registration, QFileInfo(SettingsPath()).fileName()));
    if (state.Options().StartUp() && usable) {
        FileCommands->LoadData(CurrentDataFile);
        if (state.Options().OpenAna())
            analisebutton();
    } else {
        VehDetails();
    }
}

void TVantiq_::SetEntryMenusEnabled(bool enabled)
{
    AnalysisMenu->menuAction()->setEnabled(enabled);
    EnterDataMenu->menuAction()->setEnabled(enabled);
}

void TVantiq_::initalise()
{
    DataEntry->ClearEntryState();
    DataEntry->NumItems->setText(QStringLiteral("0"));
    DataEntry->DOldmiles->setText(QStringLiteral("0"));
    DataEntry->FinalMiles->setText(QStringLiteral("0"));
    DataEntry->LastDate->clear();
    SetStatus(6, plat.Locale().toString(plat.Today(), QLocale::ShortFormat));
    SetStatus(7, QString());
    SetEntryMenusEnabled(false);
    Open1->setEnabled(true);
    New1->setEnabled(true);
    OptionsTabs->StartUp->setEnabled(true);
}

void TVantiq_::CloseAllChildWindows()
{
    const QList<QMdiSubWindow *> children = MdiArea->subWindowList();
    for (qsizetype i = children.size() - 1; i >= 0; --i)
        children[i]->close();
    EnableCommand(Command::Analyse, true);
}

void TVantiq_::closeEvent(QCloseEvent *event)
{
    // The session ending asks nothing: the backup keeps what the file does not.
    if (StartupDone && !closed && !sessionEnding && FileCommands->KeepUnsavedChanges()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TVantiq_::CloseAsSessionEnds()
{
    sessionEnding = true;
    close();
}

void TVantiq_::FormClose()
{
    if (!StartupDone || closed)
        return;
    closed = true;
    state.CommitEdits(); // a cell still being typed in belongs to the backup
    if (FuelLog.size() >= 4 && state.Options().SaveBackup())
        FileCommands->WriteBackup(); // a failure is reported; the settings are still written
    WriteRegistry();
    state.ClearLog();
    BulkList.clear();
}

QString TVantiq_::ReadRegistry()
{
    const SettingsFile::Reading file = SettingsFile::Read(SettingsPath());
    state.SettingsOnDisk = file.ini;
    if (file.refused && !state.SettingsRefused) {
        // No settings file of ours (too large, a pipe): it is left as it is,
        // never written over, and the run goes on with the defaults.
        state.SettingsRefused = true;
        plat.ShowMessage(file.problem);
    }
    QStringList refused;
    const Settings s = Settings::Read(file.ini, ExecutableFolder(), &refused);
    if (!refused.isEmpty()) {
        const QString text = QFileInfo(SettingsPath()).fileName()
                             + QStringLiteral(" held values no setting can take, so their defaults are used instead: ")
                             + refused.join(QStringLiteral(", "));
        if (state.FirstTelling(text))
            plat.ShowMessage(text);
    }
    Live = s;
    OptionsTabs->ShowSettings(s);
    SetStatus(7, QStringLiteral("%1 of %2").arg(Live.VehicleCount).arg(VehicleCapacity));
    OptionsTabs->PassEnableClick();
    ShowScheme();
    if (state.Options().BulkScheme())
        BulkPurchase->GetBulkData(state.BulkFilePath());
    if (!QFileInfo(Live.DataPath).isDir()) {
        // A folder of the user's own that is not there (a drive not
        // mounted) is made only when asked; the default one at once.
        const bool own = QDir(Live.DataPath) != QDir(ExecutableFolder());
        const bool make = !own
                          || plat.MessageDialog(QStringLiteral("The data folder ") + Live.DataPath
                                                    + QStringLiteral(" does not exist.\rCreate it?\r(No uses ")
                                                    + ExecutableFolder() + QStringLiteral(" for this run.)"),
                                                MsgKind::Confirmation, mbYes | mbNo, HelpTopic::Setup)
                                 == mrYes;
        if (!make || !QDir().mkpath(Live.DataPath))
            Live.DataPath = ExecutableFolder();
    }
    if (!QFileInfo(Live.VehPath).isDir())
        Live.VehPath = Live.DataPath;
    OptionsTabs->DirectorySelector->SetDirectory(Live.DataPath);
    // What a save cut short by a kill or a power cut left behind.
    for (const QString &folder : {Live.DataPath, Live.VehPath, QFileInfo(SettingsPath()).absolutePath()})
        TextFile::RemoveStaleTemporaries(folder);
    return FileCommands->SetRegistration(s.Registration, false);
}

bool TVantiq_::WriteRegistry()
{
    Settings s = Live;
    OptionsTabs->CollectSettings(s);
    s.Registration = state.Registration();
    if (state.SettingsRefused)
        return false;
    QString error;
    if (SettingsFile::Update(SettingsPath(), [&s](IniFile &ini) { s.Write(ini); }, &error, &state.SettingsOnDisk))
        return true;
    plat.ShowMessage(error);
    return false;
}

void TVantiq_::ShowScheme()
{
    const bool bulk = state.Options().BulkScheme();
    BulkButton->setEnabled(bulk);
    SetStatus(3, bulk ? QStringLiteral("PRO MODE") : QStringLiteral("DOMESTIC"));
}

void TVantiq_::showPanel(QWidget *panel)
{
    panel->show();
    panel->raise();
    FocusFirstIn(panel);
}

bool TVantiq_::PasswordGate()
{
    if (!state.Options().PassEnabled())
        return true;
    TPassWrd gate(Live.Password, this);
    if (plat.ExecModal(gate) == QDialog::Accepted)
        return true;
    OptionsTabs->hide();
    return false;
}

void TVantiq_::SetupClick()
{
    if (!PasswordGate())
        return;
    SetEntryMenusEnabled(false);
    SetStatus(5, QStringLiteral(" SETUP"));
    showPanel(OptionsTabs);
}

TVehSelect &TVantiq_::openManager()
{
    if (VehSelect)
        VehSelect->close(); // one manager at a time, built afresh
    VehSelect = new TVehSelect(state, *this);
    AddChildWindow(VehSelect);
    VehSelect->showMaximized();
    return *VehSelect;
}

void TVantiq_::VehDetails()
{
    DataEntry->QuitdatEntClick();
    BulkPurchase->BulkQuitBtnClick();
    TVehSelect &manager = openManager();
    manager.VehicalList->SetStyle(Live.ViewStyleIndex);
    SetStatus(5, QStringLiteral("SELECTING VEHICLE"));
    manager.Start(false);
}

void TVantiq_::NewVehicleClick()
{
    TVehSelect &manager = openManager();
    SetStatus(5, QStringLiteral("ADDING NEW VEHICLE"));
    manager.Start(true);
}

void TVantiq_::analisebutton()
{
    Files().RefreshFromDisk(); // what another program saved meanwhile is analysed too
    const int records = CarDataFile::RecordCount(FuelLog);
    if (records < 3) {
        if (plat.MessageDialog(QStringLiteral("Only %1 Entrys made\rThere is Insufficient data to Analyse\r"
                                              "Have you selected a Vehicle?\rClick Ok to open the vehicle manager")
                                   .arg(records),
                               MsgKind::Information, mbOk | mbCancel, 0)
            == mrOk)
            VehDetails();
        return;
    }
    OptionsTabs->CancelSetupClick();
    auto *analysis = new TAnalisisForm(state, *this);
    AddChildWindow(analysis);
    EnableCommand(Command::Analyse, false);
    SetStatus(5, QStringLiteral("ANALYSING ") + QFileInfo(CurrentDataFile).fileName());
    analysis->show();
    analysis->start(0, int(FuelLog.size()));
}

void TVantiq_::EnterDataClick()
{
    Files().RefreshFromDisk(); // the entry starts from the log's real end
    DataEntry->EnterDataClick();
}

void TVantiq_::ViewClick()
{
    Files().RefreshFromDisk();
    Datadisplay->ViewClick();
}

void TVantiq_::changeEvent(QEvent *event)
{
    // Back from another program (another computer's save may have come in
    // meanwhile); not under a question, whose answer may be about the log.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && state.StartupDone && !QApplication::activeModalWidget())
        Files().RefreshFromDisk();
    QMainWindow::changeEvent(event);
}

void TVantiq_::BulkButtonClick() { BulkPurchase->BulkButtonClick(); }

void TVantiq_::TripCalcBtnClick()
{
    TripSetup setup;
    setup.threePoint = state.Options().CalcTripLims();
    setup.tripMode = setup.threePoint ? Live.TripUnitMode : state.Options().GetFMode();
    setup.minimum = state.Options().BestMin();
    setup.maximum = state.Options().BestMax();
    const Extremes &found = state.Trip.extremes;
    setup.fallbackLimits = setup.minimum == 10 && setup.maximum == 50 && (found.insufficient || found.best <= 0);
    TCalculator calculator(state, setup, this);
    plat.ExecModal(calculator);
}

void TVantiq_::SundryPurchases1Click() { ::SundryPurchases1Click(state, *this, *SundryForm); }

void TVantiq_::ChangePassClick()
{
    showPanel(OptionsTabs);
    OptionsTabs->setCurrentIndex(0);
    OptionsTabs->ChangePassPan->show();
}

void TVantiq_::SetCaption(const QString &caption) { setWindowTitle(caption); }

void TVantiq_::EnableCommand(Command command, bool enabled)
{
    switch (command) {
    // Every route to a command together: its action, menu items, toolbar
    // button and key.
    case Command::Analyse:
        for (QAction *a : {analisisAction, Analisis2, ChangeVehicle})
            a->setEnabled(enabled);
        Analise->setEnabled(enabled);
        break;
    case Command::Setup:
        for (QAction *a : {Setup, SetupAction})
            a->setEnabled(enabled);
        SetupBtn->setEnabled(enabled);
        break;
    case Command::EnterData:
        EnterBut->setEnabled(enabled);
        FuelPurchases1->setEnabled(enabled); // and F2 with it
        break;
    // Only the manager switches these, while it is open: its own Options
    // menu offers the two actions (and their keys) to open a manager afresh,
    // so they stay enabled; the main window's routes go with the buttons.
    case Command::NewVehicle:
        NewVehicle->setEnabled(enabled);
        NewBut->setEnabled(enabled);
        break;
    case Command::VehicleManager: ExistingBut->setEnabled(enabled); break;
    case Command::ViewData: View1->setEnabled(enabled); break;
    case Command::Bulk: BulkButton->setEnabled(enabled); break;
    case Command::ChangePassword: ChangePassword1->setEnabled(enabled); break;
    case Command::Toolbar: ToolBar->setEnabled(enabled); break;
    case Command::EntryMenus: SetEntryMenusEnabled(enabled); break;
    }
}

bool TVantiq_::IsCommandEnabled(Command command) const
{
    switch (command) {
    case Command::Analyse: return Analise->isEnabled();
    case Command::Setup: return Setup->isEnabled();
    case Command::EnterData: return EnterBut->isEnabled();
    case Command::NewVehicle: return NewBut->isEnabled();
    case Command::VehicleManager: return ExistingBut->isEnabled();
    case Command::ViewData: return View1->isEnabled();
    case Command::Bulk: return BulkButton->isEnabled();
    case Command::ChangePassword: return ChangePassword1->isEnabled();
    case Command::Toolbar: return ToolBar->isEnabled();
    case Command::EntryMenus: return AnalysisMenu->menuAction()->isEnabled();
    }
    return false;
}

void TVantiq_::ShowCommand(Command command, bool visible)
{
    if (command == Command::ChangePassword)
        ChangePassword1->setVisible(visible);
}

QAction *TVantiq_::CommandAction(Command command)
{
    switch (command) {
    case Command::Analyse: return analisisAction;
    case Command::Setup: return SetupAction;
    case Command::NewVehicle: return NewVechAction;
    case Command::VehicleManager: return vechselect;
    default: return nullptr;
    }
}

void TVantiq_::AddChildWindow(QMdiSubWindow *window)
{
    MdiArea->addSubWindow(window);
    KeepInsideArea(window);
}

int TVantiq_::ChildWindowCount() const
{
    // A window being closed is hidden at once but leaves the list later.
    int open = 0;
    for (const QMdiSubWindow *w : MdiArea->subWindowList())
        open += w->isVisible() ? 1 : 0;
    return open;
}

void TVantiq_::CascadeChildWindows() { MdiArea->cascadeSubWindows(); }

void TVantiq_::ArrangeIcons()
{
    // The minimised children in a row along the bottom; the others stay put.
    int x = 0;
    for (QMdiSubWindow *w : MdiArea->subWindowList()) {
        if (!(w->windowState() & Qt::WindowMinimized))
            continue;
        const QSize size = w->size();
        if (x > 0 && x + size.width() > MdiArea->viewport()->width())
            x = 0;
        w->move(x, MdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

void TVantiq_::FillWindowMenu(QMenu *menu)
{
    auto item = [menu](const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    connect(item("Tile1", QStringLiteral("Tile")), &QAction::triggered, MdiArea, &QMdiArea::tileSubWindows);
    connect(item("Cascade1", QStringLiteral("Cascade")), &QAction::triggered, MdiArea, &QMdiArea::cascadeSubWindows);
    connect(item("Arrange1", QStringLiteral("Arrange")), &QAction::triggered, this, &TVantiq_::ArrangeIcons);
    // The window list: one item per open child window, made when the menu opens.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction *a : menu->actions())
            if (a->property("windowItem").toBool()) {
                menu->removeAction(a);
                a->deleteLater();
            }
        const QList<QMdiSubWindow *> windows = MdiArea->subWindowList();
        if (!windows.isEmpty())
            menu->addSeparator()->setProperty("windowItem", true);
        int n = 0;
        for (QMdiSubWindow *w : windows) {
            QAction *a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(w->windowTitle()));
            a->setProperty("windowItem", true);
            a->setCheckable(true);
            a->setChecked(w == MdiArea->activeSubWindow());
            connect(a, &QAction::triggered, MdiArea, [this, w] {
                MdiArea->setActiveSubWindow(w);
                // Also when it was active already, behind a panel.
                MdiArea->raise();
                if (!w->isAncestorOf(QApplication::focusWidget()))
                    (w->focusWidget() ? w->focusWidget() : static_cast<QWidget *>(w))->setFocus(Qt::OtherFocusReason);
            });
        }
    });
}

void TVantiq_::ChildWindowActivated(QMdiSubWindow *active)
{
    MergeMenus(active);
    // A child window the user opens or picks stands over the panels; with
    // none left, the panels it covered show again.
    if (active) {
        MdiArea->raise();
    } else if (ChildWindowCount() == 0) {
        MdiArea->lower();
        if (QWidget *panel = client->Front(); panel && panel != MdiArea)
            FocusFirstIn(panel);
    }
}

void TVantiq_::MergeMenus(QMdiSubWindow *active)
{
    // The main menus keep their own states; merging only hides and inserts.
    const MenuMerging *child = dynamic_cast<const MenuMerging *>(active);
    const QList<MergedMenu> childMenus = child ? child->MenusToMerge() : QList<MergedMenu>();
    QSet<int> replaced;
    for (const MergedMenu &m : childMenus)
        replaced.insert(m.group);
    QList<MergedMenu> shown;
    for (const MergedMenu &m : mainMenus)
        if (!replaced.contains(m.group))
            shown << m;
    shown << childMenus;
    std::stable_sort(shown.begin(), shown.end(), [](const MergedMenu &a, const MergedMenu &b) { return a.group < b.group; });
    QMenuBar *bar = menuBar();
    for (QAction *a : bar->actions())
        bar->removeAction(a);
    for (const MergedMenu &m : shown)
        bar->addAction(m.menu->menuAction());
}

void TVantiq_::ExitVantiqClick() { close(); }

void TVantiq_::ShowSetupPanel()
{
    // Every way into the setup panel passes the password, when there is one.
    if (PasswordGate())
        showPanel(OptionsTabs);
}

void TVantiq_::CloseDataView() { Datadisplay->CloseDataEditClick(false); }

void TVantiq_::SetEntryParameters() { DataEntry->SetEntryParameters(); }

void TVantiq_::ShowEntryPrice(const QString &pricePerLitre) { DataEntry->PPLBox->setText(pricePerLitre); }

void TVantiq_::HelpClick()
{
    // A push button asks for the topic in its tag; anything else for the contents.
    if (auto *button = qobject_cast<QAbstractButton *>(sender()); button && button->property("tag").isValid())
        plat.ShowHelp(button->property("tag").toInt());
    else
        plat.ShowHelpContents();
}

void TVantiq_::About1Click() { verinfo->setText(QStringLiteral(VANTIQ_FILE_VERSION)); }

void TVantiq_::PrintSetup1Click() { plat.PrinterSetup(plat.Printer()); }
