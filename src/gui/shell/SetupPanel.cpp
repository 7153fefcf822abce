#include "gui/shell/SetupPanel.h"

#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/NumberText.h"
#include "core/state/AppState.h"
#include "core/state/LiveOptions.h"
#include "core/state/Settings.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

namespace {

QCheckBox *checkBox(const char *name, const QString &caption, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLineEdit *edit(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QLineEdit *passwordBox(const char *name, QWidget *parent)
{
    QLineEdit *e = edit(name, parent);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

QSpinBox *spinBox(const char *name, int min, int max, QWidget *parent)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(min, max);
    return s;
}

const QStringList DistanceItems{QStringLiteral("Miles"), QStringLiteral("Kilometers")};
const QStringList FuelItems{QStringLiteral("Gallons"), QStringLiteral("Litres")};
} // namespace

// The panel's controls as the live settings.
class SetupOptions : public LiveOptions {
public:
    SetupOptions(SetupPanel &panel, AppState &state) : p(panel), s(state) {}
    int Scheme() const override { return p.Scheme->currentIndex(); }
    int EntryDistanceType() const override { return p.EntryDistanceType->ItemIndex(); }
    int EntryFuelType() const override { return p.EntryFuelType->ItemIndex(); }
    int DistanceUnit() const override { return p.DistanceUnit->ItemIndex(); }
    int FuelUnit() const override { return p.FuelUnit->ItemIndex(); }
    void SetDistanceUnit(int index) override { p.DistanceUnit->SetItemIndex(index); }
    void SetFuelUnit(int index) override { p.FuelUnit->SetItemIndex(index); }
    int AnalysisDirection() const override { return p.AnalysisDirection->ItemIndex(); }
    int AnalisisType() const override { return p.AnalisisType->ItemIndex(); }
    QString DefaultPpl() const override { return p.DefaultPpl->text(); }
    void SetDefaultPpl(const QString &text) override { p.DefaultPpl->setText(text); }
    bool StartUp() const override { return p.StartUp->isChecked(); }
    bool OpenAna() const override { return p.OpenAna->isChecked(); }
    bool Flash() const override { return p.Flash->isChecked(); }
    bool SaveBackup() const override { return p.SaveBackup->isChecked(); }
    bool PassEnabled() const override { return p.PassEnable->isChecked(); }
    bool CalcTripLims() const override { return p.CalcTripLims->isChecked(); }
    int BestMin() const override { return p.BestMin->value(); }
    int BestMax() const override { return p.BestMax->value(); }
    int MaxDays() const override { return p.MaxDays->value(); }
    void SetDataFolder(const QString &folder) override
    {
        s.Live.DataPath = folder;
        p.DirectorySelector->SetDirectory(folder);
    }

private:
    SetupPanel &p;
    AppState &s;
};

SetupPanel::SetupPanel(AppState &s, ShellCommands &commands, QWidget *parent)
    : QTabWidget(parent), state(s), shell(commands), options(std::make_unique<SetupOptions>(*this, s))
{
    setObjectName(QStringLiteral("OptionsTabs"));
    setAutoFillBackground(true); // beside the tab row too: nothing behind shows through
    addTab(passwordSheet(), QStringLiteral("Password"));
    addTab(graphSheet(), QStringLiteral("Graph"));
    addTab(unitsSheet(), QStringLiteral("Units"));
    addTab(analysisSheet(), QStringLiteral("Analysis"));
    addTab(generalSheet(), QStringLiteral("General"));
    addTab(tripSheet(), QStringLiteral("Trip Calculator"));
    setCurrentIndex(4); // "General" when the panel first opens
    connect(&state, &AppState::registrationChanged, Reg2, &QLineEdit::setText);
    connect(&state, &AppState::tripFiguresChanged, this, &SetupPanel::ShowTripFigures);
    EnterPressesButtons(this);
    AccessKeysInFrontOnly(this);
    hide();
}

SetupPanel::~SetupPanel() = default;

QWidget *SetupPanel::sheet(const QString &name, const QString &title, QWidget *content, bool trip)
{
    auto *page = new QWidget(this);
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    auto *heading = new QLabel(QStringLiteral("<b>%1</b>").arg(title), page);
    layout->addWidget(heading);
    layout->addWidget(content, 1);
    auto *row = new QHBoxLayout;
    row->addStretch();
    const QString n = name;
    auto *accept = new QPushButton(QStringLiteral("A&ccept"), page);
    accept->setObjectName(n + QStringLiteral("Accept"));
    connect(accept, &QPushButton::clicked, this, &SetupPanel::AcceptParamsClick);
    auto *cancel = new QPushButton(QStringLiteral("Ca&ncel"), page);
    cancel->setObjectName(n + QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &SetupPanel::CancelSetupClick);
    QPushButton *defaults;
    if (trip) {
        defaults = new QPushButton(QStringLiteral("Set &Trip Defaults"), page);
        defaults->setObjectName(QStringLiteral("Button18"));
        connect(defaults, &QPushButton::clicked, this, &SetupPanel::Button18Click);
    } else {
        defaults = new QPushButton(QStringLiteral("Set &Defaults"), page);
        defaults->setObjectName(n + QStringLiteral("Defaults"));
        connect(defaults, &QPushButton::clicked, this, &SetupPanel::setdefaultsclick);
    }
    auto *help = new QPushButton(QStringLiteral("Hel&p"), page);
    help->setObjectName(n + QStringLiteral("Help"));
    SetHelpButton(help, state.platform(), trip ? HelpTopic::TripSettings : HelpTopic::Setup);
    for (QPushButton *b : {accept, cancel, defaults, help})
        row->addWidget(b);
    layout->addLayout(row);
    return page;
}

QWidget *SetupPanel::passwordSheet()
{
    auto *w = new QWidget;
    auto *layout = new QVBoxLayout(w);
    PassEnable = checkBox("PassEnable", QStringLiteral("Enable passwords"), w);
    ChangePass = new QPushButton(QStringLiteral("Change Password"), w);
    ChangePass->setObjectName(QStringLiteral("ChangePass"));
    ChangePass->hide();
    ChangePassPan = new QFrame(w);
    ChangePassPan->setObjectName(QStringLiteral("ChangePassPan"));
    ChangePassPan->setFrameShape(QFrame::StyledPanel);
    auto *form = new QFormLayout(ChangePassPan);
    form->addRow(new QLabel(QStringLiteral("CHANGE PASSWORD"), ChangePassPan));
    OldPass = passwordBox("OldPass", ChangePassPan);
    NewPass1 = passwordBox("NewPass1", ChangePassPan);
    NewPass2 = passwordBox("NewPass2", ChangePassPan);
    form->addRow(QStringLiteral("Enter Old Password"), OldPass);
    form->addRow(QStringLiteral("Enter New Password"), NewPass1);
    form->addRow(QStringLiteral("Retype New Password"), NewPass2);
    auto *buttons = new QHBoxLayout;
    PassOk = new QPushButton(QStringLiteral("OK"), ChangePassPan);
    PassOk->setObjectName(QStringLiteral("PassOk"));
    Cancel = new QPushButton(QStringLiteral("Cancel"), ChangePassPan);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    buttons->addWidget(PassOk);
    buttons->addWidget(Cancel);
    form->addRow(buttons);
    ChangePassPan->hide();
    connect(Cancel, &QPushButton::clicked, this, &SetupPanel::CancelButtClick);
    connect(PassOk, &QPushButton::clicked, this, &SetupPanel::PassOkClick);
    connect(PassEnable, &QCheckBox::clicked, this, &SetupPanel::PassEnableClick);
    connect(ChangePass, &QPushButton::clicked, this, [this] { shell.ChangePassClick(); });
    layout->addWidget(PassEnable);
    layout->addWidget(ChangePass, 0, Qt::AlignLeft);
    layout->addWidget(ChangePassPan, 0, Qt::AlignLeft);
    layout->addStretch();
    return sheet(QStringLiteral("PasswordSheet"), QStringLiteral("Password"), w, false);
}

QWidget *SetupPanel::graphSheet()
{
    auto *w = new QWidget;
    auto *layout = new QVBoxLayout(w);
    auto *group = new QGroupBox(QStringLiteral("Graph Options"), w);
    auto *g = new QVBoxLayout(group);
    GraphPriceLine = checkBox("GraphPriceLine", QStringLiteral("Price Line"), group);
    GraphDPULine = checkBox("GraphDPULine", QStringLiteral("Distance / Fuel Unit"), group);
    GraphADPULine = checkBox("GraphADPULine", QStringLiteral("Avg Distance / Fuel Unit"), group);
    for (QCheckBox *c : {GraphPriceLine, GraphDPULine, GraphADPULine})
        g->addWidget(c);
    layout->addWidget(group, 0, Qt::AlignLeft);
    layout->addStretch();
    return sheet(QStringLiteral("GraphSheet"), QStringLiteral("Graph"), w, false);
}

QWidget *SetupPanel::unitsSheet()
{
    auto *w = new QWidget;
    auto *layout = new QGridLayout(w);
    layout->addWidget(new QLabel(QStringLiteral("Units for Graphs and Analisis Tables"), w), 0, 0, 1, 2);
    DistanceUnit = new RadioGroup(QStringLiteral("DistanceUnit"), QStringLiteral("Distance"), DistanceItems, w);
    FuelUnit = new RadioGroup(QStringLiteral("FuelUnit"), QStringLiteral("Fuel"), FuelItems, w);
    layout->addWidget(DistanceUnit, 1, 0);
    layout->addWidget(FuelUnit, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Units for data entry boxes"), w), 2, 0, 1, 2);
    EntryDistanceType = new RadioGroup(QStringLiteral("EntryDistanceType"), QStringLiteral("Distance"), DistanceItems, w);
    EntryFuelType = new RadioGroup(QStringLiteral("EntryFuelType"), QStringLiteral("Fuel"), FuelItems, w);
    layout->addWidget(EntryDistanceType, 3, 0);
    layout->addWidget(EntryFuelType, 3, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(4, 1);
    return sheet(QStringLiteral("UnitsSheet"), QStringLiteral("Units"), w, false);
}

QWidget *SetupPanel::analysisSheet()
{
    auto *w = new QWidget;
    auto *layout = new QVBoxLayout(w);
    AnalisisType = new RadioGroup(QStringLiteral("AnalisisType"), QStringLiteral("Analysis Type"),
                                  {QStringLiteral("Basic"), QStringLiteral("Basic plus Price per Quantity"),
                                   QStringLiteral("Basic, Price per Quantity and  Price per Distance unit")},
                                  w);
    AnalysisDirection = new RadioGroup(QStringLiteral("AnalysisDirection"), QStringLiteral("Analysis Options"),
                                       {QStringLiteral("Calculate DPQ Look ahead"),
                                        QStringLiteral("Calculate DPQ look back (recomended)")},
                                       w);
    layout->addWidget(AnalisisType, 0, Qt::AlignLeft);
    layout->addWidget(AnalysisDirection, 0, Qt::AlignLeft);
    layout->addStretch();
    return sheet(QStringLiteral("AnalysisSheet"), QStringLiteral("Analysis"), w, false);
}

QWidget *SetupPanel::generalSheet()
{
    auto *w = new QWidget;
    auto *layout = new QGridLayout(w);
    auto *folders = new QGroupBox(QStringLiteral("Select drive and Folder for Data Files"), w);
    auto *f = new QVBoxLayout(folders);
    DriveSelector = new QComboBox(folders);
    DriveSelector->setObjectName(QStringLiteral("DriveSelector"));
    for (const QFileInfo &drive : QDir::drives())
        DriveSelector->addItem(drive.absolutePath());
    DirectorySelector = new FolderList(folders);
    DirectorySelector->setObjectName(QStringLiteral("DirectorySelector"));
    DirectorySelector->setToolTip(QStringLiteral("Select the folder whjer you want Vantiq to store you data files"));
    connect(DriveSelector, &QComboBox::textActivated, DirectorySelector, &FolderList::SetDirectory);
    f->addWidget(DriveSelector);
    f->addWidget(DirectorySelector, 1);
    layout->addWidget(folders, 0, 0, 4, 1);

    auto *right = new QFormLayout;
    Reg2 = edit("Reg2", w);
    Reg2->setEnabled(false);
    DefaultPpl = edit("DefaultPpl", w);
    Scheme = new QComboBox(w);
    Scheme->setObjectName(QStringLiteral("Scheme"));
    Scheme->addItems({QStringLiteral("Domestic use, Fuel purchased at retail outlet."),
                      QStringLiteral("Multi Vehicle, Fuel obtained in bulk, dispensed at depots.")});
    Scheme->setProperty("helpContext", HelpTopic::Scheme);
    right->addRow(QStringLiteral("Default Registration"), Reg2);
    right->addRow(QStringLiteral("Default Price per litre"), DefaultPpl);
    right->addRow(QStringLiteral("Operating scheme"), Scheme);
    StartUp = checkBox("StartUp", QStringLiteral("Start with last vehicle"), w);
    StartUp->setProperty("helpContext", HelpTopic::StartWithLast);
    OpenAna = checkBox("OpenAna", QStringLiteral("Open Analisis window at Start-up"), w);
    OpenAna->setProperty("helpContext", HelpTopic::OpenAnalysisAtStart);
    Flash = checkBox("Flash", QStringLiteral("Show Flash screen at Start-up"), w);
    Flash->setProperty("helpContext", HelpTopic::FlashScreen);
    SaveBackup = checkBox("SaveBackup", QStringLiteral("Save a Backup at shutdown"), w);
    for (QCheckBox *c : {StartUp, OpenAna, Flash, SaveBackup})
        right->addRow(c);
    layout->addLayout(right, 0, 1, Qt::AlignTop);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return sheet(QStringLiteral("GeneralSheet"), QStringLiteral("General"), w, false);
}

QWidget *SetupPanel::tripSheet()
{
    auto *w = new QWidget;
    auto *layout = new QVBoxLayout(w);
    layout->addWidget(new QLabel(QStringLiteral("The Trip calclator will use your current average Fuel economy figure as a basis for \n"
                                                "calculations, check the box below to make the trip calculator use a three point scale based \n"
                                                "on your Best, Worst and Average figures. "),
                                 w));
    layout->addWidget(new QLabel(QStringLiteral("NOTE: The worst case fuel economy figure may be misleadingly low, especialy if you make \n"
                                                "frequent fill ups. Adjust the value below to set a minimum value for the trip calculator to use.  "),
                                 w));
    CalcTripLims = checkBox("CalcTripLims", QStringLiteral("Calculate Trip Limits based on best and worst economy figures "), w);
    layout->addWidget(CalcTripLims);

    auto *grid = new QGridLayout;
    WorstLab = label("WorstLab", QStringLiteral("000.00"), w);
    WFt = label("WFt", QStringLiteral("Mpg"), w);
    BestMin = spinBox("BestMin", 1, 1000, w);
    WorstDistLab = label("WorstDistLab", QStringLiteral("0000"), w);
    WDistT = label("WDistT", QStringLiteral("Miles"), w);
    BestLab = label("BestLab", QStringLiteral("000.00"), w);
    BFt = label("BFt", QStringLiteral("Mpg"), w);
    BestMax = spinBox("BestMax", 1, 1000, w);
    BestDistLab = label("BestDistLab", QStringLiteral("0000"), w);
    BDistT = label("BDistT", QStringLiteral("Miles"), w);
    MaxDays = spinBox("MaxDays", INT_MIN, INT_MAX, w);
    MaxDays->setValue(3);
    MaxDays->setFixedWidth(BestMin->sizeHint().width());

    int r = 0;
    Label17 = label("Label17", QStringLiteral("Your calculated worst economy figure is"), w);
    grid->addWidget(Label17, r, 0);
    grid->addWidget(WorstLab, r, 1);
    grid->addWidget(WFt, r, 2);
    grid->addWidget(new QLabel(QStringLiteral("Set"), w), r, 3);
    grid->addWidget(BestMin, r, 4);
    grid->addWidget(new QLabel(QStringLiteral("as a minimum figure"), w), r, 5);
    ++r;
    Label42 = label("Label42", QStringLiteral("Over a distance of"), w);
    grid->addWidget(Label42, r, 0);
    grid->addWidget(WorstDistLab, r, 1);
    grid->addWidget(WDistT, r, 2);
    ++r;
    Label35 = label("Label35", QStringLiteral("Your calculated best economy figure is"), w);
    grid->addWidget(Label35, r, 0);
    grid->addWidget(BestLab, r, 1);
    grid->addWidget(BFt, r, 2);
    grid->addWidget(new QLabel(QStringLiteral("Set"), w), r, 3);
    grid->addWidget(BestMax, r, 4);
    grid->addWidget(new QLabel(QStringLiteral("as a maximum figure"), w), r, 5);
    ++r;
    Label43 = label("Label43", QStringLiteral("Over a distance of"), w);
    grid->addWidget(Label43, r, 0);
    grid->addWidget(BestDistLab, r, 1);
    grid->addWidget(BDistT, r, 2);
    ++r;
    grid->addWidget(new QLabel(QStringLiteral("Best economy achived in a period of less than"), w), r, 0);
    grid->addWidget(MaxDays, r, 1);
    grid->addWidget(new QLabel(QStringLiteral("Days"), w), r, 2);
    grid->setColumnStretch(6, 1);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("Click 'Set Trip Defaults' to make 'Set' figures equal calculated figures"), w));
    layout->addStretch();
    return sheet(QStringLiteral("TripSheet"), QStringLiteral("Trip Calculator"), w, true);
}

void SetupPanel::ShowSettings(const Settings &s)
{
    PassEnable->setChecked(s.PassEnabled);
    AnalisisType->SetItemIndex(s.AnalisisType);
    DistanceUnit->SetItemIndex(s.DistanceUnits);
    FuelUnit->SetItemIndex(s.FuelUnits);
    EntryDistanceType->SetItemIndex(s.EntryDistanceUnits);
    EntryFuelType->SetItemIndex(s.EntryFuelUnits);
    GraphDPULine->setChecked(s.GraphDPU);
    GraphADPULine->setChecked(s.GraphADPU);
    GraphPriceLine->setChecked(s.GraphPL);
    CalcTripLims->setChecked(s.CTL);
    BestMin->setValue(s.BMin);
    BestMax->setValue(s.BMax);
    DefaultPpl->setText(s.DefaultPpl);
    Scheme->setCurrentIndex(s.Scheme >= 0 && s.Scheme < Scheme->count() ? s.Scheme : -1);
    StartUp->setChecked(s.StartUp);
    OpenAna->setChecked(s.OpenAna);
    Flash->setChecked(s.DoFlash);
    SaveBackup->setChecked(s.Backup);
    AnalysisDirection->SetItemIndex(s.Direction);
}

void SetupPanel::CollectSettings(Settings &s) const
{
    s.PassEnabled = PassEnable->isChecked();
    s.AnalisisType = AnalisisType->ItemIndex();
    s.DistanceUnits = DistanceUnit->ItemIndex();
    s.FuelUnits = FuelUnit->ItemIndex();
    s.EntryDistanceUnits = EntryDistanceType->ItemIndex();
    s.EntryFuelUnits = EntryFuelType->ItemIndex();
    s.GraphDPU = GraphDPULine->isChecked();
    s.GraphADPU = GraphADPULine->isChecked();
    s.GraphPL = GraphPriceLine->isChecked();
    s.CTL = CalcTripLims->isChecked();
    s.BMin = BestMin->value();
    s.BMax = BestMax->value();
    s.DefaultPpl = DefaultPpl->text();
    s.Scheme = Scheme->currentIndex();
    s.StartUp = StartUp->isChecked();
    s.OpenAna = OpenAna->isChecked();
    s.DoFlash = Flash->isChecked();
    s.Backup = SaveBackup->isChecked();
    s.Direction = AnalysisDirection->ItemIndex();
}

int SetupPanel::GetFMode() const { return options->GetFMode(); }

void SetupPanel::SetDataFolder(const QString &folder) { options->SetDataFolder(folder); }

void SetupPanel::AcceptParamsClick()
{
    state.Live.UnitMode = GetFMode();
    state.Live.DataPath = DirectorySelector->Directory();
    shell.WriteRegistry();
    hide();
    shell.EnableCommand(Command::Toolbar, true);
    shell.EnableCommand(Command::EntryMenus, true);
    shell.SetEntryParameters();
    shell.ShowScheme();
    shell.CloseAllChildWindows();
    if (CarDataFile::IsNoFile(state.CurrentDataFile))
        shell.VehDetails();
}

void SetupPanel::CancelSetupClick()
{
    hide();
    shell.EnableCommand(Command::Toolbar, true);
    shell.EnableCommand(Command::EntryMenus, true);
}

void SetupPanel::setdefaultsclick()
{
    const Settings d;
    PassEnable->setChecked(false);
    PassEnableClick();
    AnalisisType->SetItemIndex(2);
    AnalysisDirection->SetItemIndex(1);
    EntryFuelType->SetItemIndex(0);
    EntryDistanceType->SetItemIndex(0);
    DistanceUnit->SetItemIndex(0);
    FuelUnit->SetItemIndex(0);
    GraphPriceLine->setChecked(true);
    GraphDPULine->setChecked(true);
    GraphADPULine->setChecked(true);
    MaxDays->setValue(3);
    copyCalculatedFigures();
    DirectorySelector->SetDirectory(state.ExecutableFolder());
    DefaultPpl->setText(QStringLiteral("0.70"));
    StartUp->setChecked(false);
    state.Live.DCPG = d.DCPG;
    state.Live.DCPL = d.DCPL;
    state.Live.DMPG = d.DMPG;
    state.Live.DMPL = d.DMPL;
    state.Live.DKPL = d.DKPL;
    state.Live.DKPG = d.DKPG;
}

void SetupPanel::Button18Click()
{
    state.Live.TripUnitMode = GetFMode();
    MaxDays->setValue(3);
    copyCalculatedFigures();
}

void SetupPanel::copyCalculatedFigures()
{
    // The labels are written with "." whatever the locale, and read so.
    auto figure = [](const QLabel *lab, double fallback) {
        const NumberText::RealReading r = NumberText::ReadReal(lab->text().trimmed());
        return NumberText::RoundToInt(r.ok ? r.value : fallback).value_or(int(fallback));
    };
    BestMin->setValue(figure(WorstLab, 10.0));
    BestMax->setValue(figure(BestLab, 50.0));
}

void SetupPanel::ShowTripFigures()
{
    const TripFigures &t = state.Trip;
    const bool insufficient = t.extremes.insufficient;
    Label17->setText(insufficient ? QStringLiteral("Worst economy figure so far")
                                  : QStringLiteral("Your calculated worst economy figure is"));
    Label35->setText(insufficient ? QStringLiteral("Best economy figure so far")
                                  : QStringLiteral("Your calculated Best economy figure is"));
    Label43->setText(insufficient ? QStringLiteral("More entrys are required for valid results")
                                  : QStringLiteral("Over a distance of"));
    QPalette text = Label43->palette();
    text.setColor(QPalette::WindowText, insufficient ? QColor(Qt::red) : Label43->parentWidget()->palette().color(QPalette::WindowText));
    Label43->setPalette(text);
    for (QWidget *w : std::initializer_list<QWidget *>{Label42, WorstDistLab, WDistT, BestDistLab, BDistT})
        w->setVisible(!insufficient);
    BestLab->setText(NumberText::FormatFixed(t.extremes.best, 3, 2));
    WorstLab->setText(NumberText::FormatFixed(t.extremes.worst, 3, 2));
    BestDistLab->setText(QString::number(t.extremes.bestDistance));
    WorstDistLab->setText(QString::number(t.extremes.worstDistance));
    BFt->setText(t.economyName);
    WFt->setText(t.economyName);
    BDistT->setText(t.distanceName);
    WDistT->setText(t.distanceName);
}

void SetupPanel::CancelButtClick() { hideChangePassword(); }

void SetupPanel::hideChangePassword()
{
    ChangePassPan->hide();
    for (QLineEdit *e : {OldPass, NewPass1, NewPass2})
        e->clear(); // nothing typed stays behind
}

void SetupPanel::PassOkClick()
{
    // The settings file is line based and trims its values: a password with
    // blanks at either end or a control character would not read back.
    const QString fresh = NewPass1->text();
    bool storable = fresh == fresh.trimmed();
    for (const QChar c : fresh)
        storable = storable && c.unicode() >= 0x20 && c.unicode() != 0x7F;
    if (OldPass->text() != state.Live.Password || fresh != NewPass2->text() || !storable) {
        state.platform().MessageDlg(QStringLiteral("Invalid Entry Please Retype or Cancel "), MsgKind::Error, mbOk);
        return;
    }
    state.Live.Password = fresh;
    hideChangePassword();
    state.platform().MessageDlg(QStringLiteral("Password Changed "), MsgKind::Information, mbOk);
}

void SetupPanel::PassEnableClick()
{
    if (!PassEnable->isChecked())
        hideChangePassword();
    // The change-password commands are there exactly while passwords are on.
    ChangePass->setVisible(PassEnable->isChecked());
    shell.ShowCommand(Command::ChangePassword, PassEnable->isChecked());
}
