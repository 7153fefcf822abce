#include "gui/trip/TripCalculator.h"

#include "core/fuellog/NumberText.h"
#include "core/state/AppState.h"
#include "core/trip/TripMath.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Widgets.h"

#include <QActionGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace TripMath;
using NumberText::FormatFixed;

namespace {

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

// A box's number, or nothing when the text is not one.
std::optional<double> number(const QLineEdit *box)
{
    const NumberText::RealReading r = NumberText::ReadReal(box->text().trimmed());
    if (!r.ok)
        return std::nullopt;
    return r.value;
}

// The economy texts kept in the settings, by mode.
QString Settings::*const EconomyKeys[4] = {&Settings::DMPG, &Settings::DMPL, &Settings::DKPG, &Settings::DKPL};
} // namespace

TCalculator::TCalculator(AppState &appState, const TripSetup &tripSetup, QWidget *parent)
    : QDialog(parent), state(appState), setup(tripSetup)
{
    setup.tripMode = ValidMode(setup.tripMode);
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Trip Calculator"));
    setProperty("helpContext", HelpTopic::TripCalculator);
    setAttribute(Qt::WA_DeleteOnClose, false); // the opener owns it on its stack

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    MainMenu = new QMenuBar(this);
    QMenu *file = MainMenu->addMenu(QStringLiteral("&File"));
    Exit1 = file->addAction(QStringLiteral("&Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    QMenu *fuel = MainMenu->addMenu(QStringLiteral("Fuel Unit"));
    fuelGroup = new QActionGroup(this);
    Gallons = AddMenuItem(fuel, "Gallons", QStringLiteral("Gallons"), fuelGroup);
    Litres = AddMenuItem(fuel, "Litres", QStringLiteral("Litres"), fuelGroup);
    QMenu *distance = MainMenu->addMenu(QStringLiteral("Distance Unit"));
    distanceGroup = new QActionGroup(this);
    Miles = AddMenuItem(distance, "Miles", QStringLiteral("Miles"), distanceGroup);
    Kilometers = AddMenuItem(distance, "Kilometers", QStringLiteral("Kilometers"), distanceGroup);
    QMenu *options = MainMenu->addMenu(QStringLiteral("Options"));
    ChangeConsumption1 = options->addAction(QStringLiteral("Change Consumption"));
    ChangeFuelCost1 = options->addAction(QStringLiteral("Change Fuel Cost"));
    GVFP = options->addAction(QStringLiteral("Get Values from Vantiq"));
    GVFP->setObjectName(QStringLiteral("GVFP"));
    GVFP->setCheckable(true);
    GVFP->setChecked(true);
    Restorevals = options->addAction(QStringLiteral("Restore Values"));
    UseAverage = options->addAction(QStringLiteral("Use Average"));
    UseAverage->setObjectName(QStringLiteral("UseAverage"));
    UseAverage->setCheckable(true);
    outer->addWidget(MainMenu);

    auto *body = new QWidget(this);
    auto *grid = new QGridLayout(body);
    grid->setHorizontalSpacing(8);
    Distance = NamedEdit("Distance", body);
    DUnit = label("DUnit", QStringLiteral("Miles"), body);
    DispCost = NamedEdit("DispCost", body, true);
    FUnit = label("FUnit", QStringLiteral("Per Gallon"), body);
    ChangeCost = new QPushButton(QStringLiteral("C&hange"), body);
    ChangeCost->setObjectName(QStringLiteral("ChangeCost"));
    FUsed = NamedEdit("FUsed", body, true);
    UsedType = label("UsedType", QStringLiteral("G"), body);
    Cost = NamedEdit("Cost", body, true);
    int r = 0;
    grid->addWidget(new QLabel(QStringLiteral("Over an estimated distance of"), body), r, 0);
    grid->addWidget(Distance, r, 1);
    grid->addWidget(DUnit, r++, 2);
    // The cost says its currency beside the box; FUnit says per what.
    auto *costCaption = new QWidget(body);
    auto *costRow = new QHBoxLayout(costCaption);
    costRow->setContentsMargins(0, 0, 0, 0);
    costRow->addWidget(new QLabel(QStringLiteral("Fuel Costs"), costCaption));
    costRow->addStretch();
    costRow->addWidget(label("CostCurrency", state.platform().Locale().currencySymbol(), costCaption));
    grid->addWidget(costCaption, r, 0);
    grid->addWidget(DispCost, r, 1);
    grid->addWidget(FUnit, r, 2);
    grid->addWidget(ChangeCost, r++, 3);

    // The average panel covers the three-point line when it is shown.
    auto *consumption = new OverlayArea(body);
    ThreePointLine = new QFrame(consumption);
    ThreePointLine->setObjectName(QStringLiteral("ThreePointLine"));
    auto *threeRows = new QVBoxLayout(ThreePointLine);
    threeRows->setContentsMargins(0, 0, 0, 0);
    auto *three = new QHBoxLayout;
    threeRows->addLayout(three);
    LimitsNote = label("LimitsNote", QStringLiteral("too few fill-ups to set limits: 10 to 50 used"), ThreePointLine);
    LimitsNote->setVisible(setup.fallbackLimits);
    threeRows->addWidget(LimitsNote);
    WorstLab = label("WorstLab", QString(), ThreePointLine);
    Bestlab = label("Bestlab", QString(), ThreePointLine);
    TypeLab = label("TypeLab", QString(), ThreePointLine);
    three->addWidget(new QLabel(QStringLiteral("Based on your calculated fuel consumption between "), ThreePointLine));
    three->addWidget(WorstLab);
    three->addWidget(new QLabel(QStringLiteral("and"), ThreePointLine));
    three->addWidget(Bestlab);
    three->addWidget(TypeLab);
    three->addStretch();
    EconPan = new QFrame(consumption);
    EconPan->setObjectName(QStringLiteral("EconPan"));
    EconPan->setAutoFillBackground(true);
    auto *econ = new QHBoxLayout(EconPan);
    econ->setContentsMargins(0, 0, 0, 0);
    CurrentMPG = NamedEdit("CurrentMPG", EconPan, true);
    CUnit = label("CUnit", QStringLiteral("Miles Per"), EconPan);
    Utype = label("Utype", QStringLiteral("Gallon"), EconPan);
    ChangeMPG = new QPushButton(QStringLiteral("Chan&ge"), EconPan);
    ChangeMPG->setObjectName(QStringLiteral("ChangeMPG"));
    econ->addWidget(new QLabel(QStringLiteral("Based on a Fuel Consumption of "), EconPan));
    econ->addWidget(CurrentMPG);
    econ->addWidget(CUnit);
    econ->addWidget(Utype);
    econ->addWidget(ChangeMPG);
    econ->addStretch();
    consumption->setMinimumHeight(std::max(CurrentMPG->sizeHint().height() + 4, ThreePointLine->sizeHint().height()));
    consumption->setMinimumWidth(EconPan->sizeHint().width());
    grid->addWidget(consumption, r++, 0, 1, 4);

    grid->addWidget(new QLabel(QStringLiteral("Fuel Used "), body), r, 0);
    grid->addWidget(FUsed, r, 1);
    grid->addWidget(UsedType, r++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Approx Cost of Trip"), body), r, 0);
    grid->addWidget(Cost, r++, 1);
    CalculateBtn = new QPushButton(QStringLiteral("&Calculate"), body);
    CalculateBtn->setObjectName(QStringLiteral("CalculateBtn"));
    CalculateBtn->setAutoDefault(true);
    mpglab = label("mpglab", QString(), body);
    grid->addWidget(CalculateBtn, r, 0, Qt::AlignLeft);
    grid->addWidget(mpglab, r++, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    outer->addWidget(body, 1);

    SBar = new QStatusBar(this);
    SBar->setObjectName(QStringLiteral("SBar"));
    SBar->setSizeGripEnabled(false);
    for (int i = 0; i < 6; ++i) {
        auto *p = new QLabel(SBar);
        p->setObjectName(QStringLiteral("SBar%1").arg(i));
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        p->setMinimumWidth(i == 0 ? 40 : 80);
        SBar->addWidget(p);
        StatusPanels << p;
    }
    outer->addWidget(SBar);

    connect(Exit1, &QAction::triggered, this, &TCalculator::Exit1Click);
    const std::pair<QAction *, int> tags[] = {{Gallons, 0}, {Litres, 1}, {Miles, 2}, {Kilometers, 3}};
    for (const auto &[a, tag] : tags)
        connect(a, &QAction::triggered, this, [this, tag = tag] { ChangeClick(tag); });
    connect(ChangeConsumption1, &QAction::triggered, this, &TCalculator::ChangeMPGClick);
    connect(ChangeMPG, &QPushButton::clicked, this, &TCalculator::ChangeMPGClick);
    connect(ChangeFuelCost1, &QAction::triggered, this, &TCalculator::ChangeCostClick);
    connect(ChangeCost, &QPushButton::clicked, this, &TCalculator::ChangeCostClick);
    connect(GVFP, &QAction::triggered, this, &TCalculator::GVFPClick);
    connect(Restorevals, &QAction::triggered, this, &TCalculator::RestorevalsClick);
    connect(UseAverage, &QAction::triggered, this, &TCalculator::UseAverageClick);
    connect(CalculateBtn, &QPushButton::clicked, this, &TCalculator::calculatebtnClick);
    for (QLineEdit *e : {Distance, CurrentMPG, DispCost})
        e->installEventFilter(this);

    // The opening table: units, labels and the figures of the trip mode.
    const int m = setup.tripMode;
    UseAverage->setChecked(!setup.threePoint);
    (IsKilometres(m) ? Kilometers : Miles)->setChecked(true);
    (IsLitres(m) ? Litres : Gallons)->setChecked(true);
    CurrentMPG->setText(state.Live.*EconomyKeys[m]);
    DispCost->setText(IsLitres(m) ? state.Live.DCPL : state.Live.DCPG);
    static const char *const distanceUnits[] = {"Miles", "Miles", "Kilometres ", "Kilometres"};
    DUnit->setText(QLatin1String(distanceUnits[m]));
    CUnit->setText(IsKilometres(m) ? QStringLiteral("Kilometres Per") : QStringLiteral("Miles Per"));
    Utype->setText(IsLitres(m) ? QStringLiteral("Litre") : QStringLiteral("Gallon"));
    FUnit->setText(IsLitres(m) ? QStringLiteral("Per Litre") : QStringLiteral("Per Gallon"));
    UsedType->setText(IsLitres(m) ? QStringLiteral("L") : QStringLiteral("G"));
    EconPan->setVisible(!setup.threePoint);
    EconPan->raise();
    goodEconomyText = CurrentMPG->text();
    goodCostText = DispCost->text();
    kilometres = IsKilometres(m);
    EnterPressesButtons(this);
}

int TCalculator::Mode() const
{
    const int d = Miles->isChecked() ? 0 : Kilometers->isChecked() ? 1 : -1;
    const int f = Gallons->isChecked() ? 0 : Litres->isChecked() ? 1 : -1;
    return d < 0 || f < 0 ? 0 : 2 * d + f;
}

bool TCalculator::ThreePoint() const { return !UseAverage->isChecked(); }

void TCalculator::setStatus(int panel, const QString &text) { StatusPanels[panel]->setText(text); }

void TCalculator::showLimits()
{
    // The limits are kept in the trip mode and shown in the current one.
    WorstLab->setText(FormatFixed(ConvertEconomy(setup.minimum, setup.tripMode, Mode()), 4, 2));
    Bestlab->setText(FormatFixed(ConvertEconomy(setup.maximum, setup.tripMode, Mode()), 4, 2));
    TypeLab->setText(ModeName(Mode()));
    setStatus(0, ModeName(Mode()));
}

void TCalculator::FormActivate()
{
    CalculateBtn->setFocus();
    for (int m = 0; m < 4; ++m)
        setStatus(m + 1, (ThreePoint() ? QString() : state.Live.*EconomyKeys[m] + QLatin1Char(' ')) + ModeName(m));
    GVFP->setEnabled(!ThreePoint());
    showLimits();
    maximumMpg = ConvertEconomy(setup.maximum, setup.tripMode, 0);
    minimumMpg = ConvertEconomy(setup.minimum, setup.tripMode, 0);
    // Activation refuses nothing: a figure that cannot be used keeps the
    // last one that could, and Calculate or Enter says why.
    takeEconomy(true);
    takeCost(true);
}

void TCalculator::replaceUnusableStored(bool unreadableToo)
{
    // Taken as they are, such figures would be refused at every activation,
    // the one after the refusal's own message box included; and after a unit
    // switch the refusal would put back the figure of the mode before.
    const int m = Mode();
    const std::optional<double> economy = number(CurrentMPG);
    if (economy ? !(*economy > 0) || !std::isfinite(*economy) : unreadableToo) {
        state.platform().ShowMessage(QStringLiteral("Fuel consumption invalid"));
        CurrentMPG->setText(DefaultEconomyText(m));
    }
    const std::optional<double> cost = number(DispCost);
    if (cost ? *cost < 0 || !std::isfinite(*cost) : unreadableToo) {
        state.platform().ShowMessage(QStringLiteral("Fuel cost invalid"));
        DispCost->setText(QString::number(DefaultCost(m)));
    }
    goodEconomyText = CurrentMPG->text();
    goodCostText = DispCost->text();
}

bool TCalculator::takeEconomy(bool quiet)
{
    const double figure = number(CurrentMPG).value_or(DefaultEconomy(Mode())); // the mode's own default
    if (!(figure > 0)) {
        if (quiet)
            return false;
        state.platform().ShowMessage(QStringLiteral("Fuel consumption invalid"));
        CurrentMPG->setText(goodEconomyText);
        return false;
    }
    economyUsed = ConvertEconomy(figure, Mode(), 0);
    goodEconomyText = CurrentMPG->text();
    return true;
}

bool TCalculator::takeCost(bool quiet)
{
    const double figure = number(DispCost).value_or(DefaultCost(Mode()));
    if (figure < 0 || !std::isfinite(figure)) {
        if (quiet)
            return false;
        state.platform().ShowMessage(QStringLiteral("Fuel cost invalid"));
        DispCost->setText(goodCostText);
        return false;
    }
    costUsed = IsLitres(Mode()) ? figure * LitresPerGallon : figure;
    goodCostText = DispCost->text();
    return true;
}

void TCalculator::showFigures(double economyMpg)
{
    for (int m = 0; m < 4; ++m)
        setStatus(m + 1, FormatFixed(ConvertEconomy(economyMpg, 0, m), 4, 2) + QLatin1Char(' ') + ModeName(m));
    setStatus(5, state.platform().Locale().currencySymbol() + QLatin1Char(' ') + FormatFixed(costUsed, 4, 2));
}

void TCalculator::calculatebtnClick()
{
    int entered = 0;
    if (!NumberText::ReadWhole(Distance->text().trimmed(), &entered) || entered < 1) {
        state.platform().ShowMessage(QStringLiteral("Distance invalid"));
        return;
    }
    // A figure typed after Change and not yet confirmed with Enter counts.
    if (!takeEconomy() || !takeCost())
        return;
    const double miles = IsKilometres(Mode()) ? double(ConvertDistance(entered, false).value_or(0)) : entered;
    const double economy = ThreePoint() ? ThreePointEconomy(miles, minimumMpg, maximumMpg) : economyUsed;
    const double gallons = miles / economy;
    Cost->setText(FormatFixed(gallons * costUsed, 4, 2));
    FUsed->setText(FormatFixed(IsLitres(Mode()) ? gallons * LitresPerGallon : gallons, 4, 2));
    showFigures(economy);
    if (ThreePoint())
        mpglab->setText(QStringLiteral(" @ ") + FormatFixed(ConvertEconomy(economy, 0, Mode()), 4, 2) + QLatin1Char(' ')
                        + ModeName(Mode()));
    else
        mpglab->setText(QStringLiteral("@ ") + CurrentMPG->text() + QLatin1Char(' ') + ModeName(Mode()));
    CurrentMPG->setReadOnly(true);
    DispCost->setReadOnly(true);
    mpglab->show();
}

void TCalculator::ChangeClick(int tag)
{
    // The menu item is already checked when its command runs: what the
    // distance was in is remembered apart.
    const bool wasKilometres = kilometres;
    switch (tag) {
    case 0:
        Gallons->setChecked(true);
        FUnit->setText(QStringLiteral("Per Gallon"));
        Utype->setText(QStringLiteral("Gallon"));
        UsedType->setText(QStringLiteral("G"));
        break;
    case 1:
        Litres->setChecked(true);
        FUnit->setText(QStringLiteral("Per Litre"));
        Utype->setText(QStringLiteral("Litre"));
        UsedType->setText(QStringLiteral("L"));
        break;
    case 2:
        Miles->setChecked(true);
        DUnit->setText(QStringLiteral("Miles"));
        CUnit->setText(QStringLiteral("Miles Per"));
        break;
    case 3:
        Kilometers->setChecked(true);
        DUnit->setText(QStringLiteral("Kilometers"));
        CUnit->setText(QStringLiteral("Kilometres Per"));
        break;
    default: return;
    }
    kilometres = IsKilometres(Mode());
    if (kilometres != wasKilometres) {
        const std::optional<double> d = number(Distance);
        const std::optional<long long> whole = d ? NumberText::RoundHalfEven(*d) : std::nullopt;
        const std::optional<long long> converted = whole ? ConvertDistance(*whole, !wasKilometres) : std::nullopt;
        if (!converted)
            state.platform().ShowMessage(QStringLiteral("Distance invalid"));
        else
            Distance->setText(QString::number(*converted));
    }
    showLimits();
    FUsed->clear();
    Cost->clear();
    RestorevalsClick();
    calculatebtnClick();
}

void TCalculator::RestorevalsClick()
{
    const int m = Mode();
    CurrentMPG->setText(state.Live.*EconomyKeys[m]);
    DispCost->setText(IsLitres(m) ? state.Live.DCPL : state.Live.DCPG);
    if (CurrentMPG->text() == DefaultEconomyText(m))
        state.platform().ShowMessage(QStringLiteral("Warning; Calculation may be using defaults"));
    if (!number(CurrentMPG) || !number(DispCost)) {
        for (int i = 0; i < 2; ++i) {
            const QLineEdit *b = i == 0 ? CurrentMPG : DispCost;
            setStatus(i + 1, QString::number(NumberText::DigitsBeforeFault(NumberText::ReadReal(b->text().trimmed()))));
        }
        if (state.platform().MessageDlg(QStringLiteral("Cannot obtain calculation value, You may not have run an analisis with \r\n"
                                                       "these paramaters.\r\nUse Defaults ?"),
                                        MsgKind::Warning, mbYes | mbCancel)
            == mrYes) {
            CurrentMPG->setText(FormatFixed(DefaultEconomy(m), 4, 4));
            DispCost->setText(FormatFixed(DefaultCost(m), 4, 4));
        }
    }
    replaceUnusableStored(false); // a number no trip can use: the mode's own default
    takeEconomy();
    takeCost();
    setStatus(0, ModeName(m));
}

void TCalculator::GVFPClick()
{
    if (GVFP->isChecked()) {
        RestorevalsClick();
        return;
    }
    CurrentMPG->setText(QString::number(DefaultEconomy(Mode()), 'f', 2));
    DispCost->setText(QString::number(DefaultCost(Mode())));
    takeEconomy();
    takeCost();
    state.platform().ShowMessage(QStringLiteral("Default Values inserted"));
}

void TCalculator::ChangeMPGClick()
{
    EconPan->show();
    EconPan->raise();
    CurrentMPG->setReadOnly(false);
    CurrentMPG->setFocus();
    UseAverage->setChecked(true);
    GVFP->setChecked(false);
    GVFP->setEnabled(true);
}

void TCalculator::ChangeCostClick()
{
    DispCost->setReadOnly(false);
    DispCost->setFocus();
}

void TCalculator::UseAverageClick()
{
    EconPan->setVisible(UseAverage->isChecked());
    EconPan->raise();
    GVFP->setEnabled(UseAverage->isChecked());
    GVFP->setChecked(!UseAverage->isChecked());
}

void TCalculator::DistanceChange() { CalculateBtn->setFocus(); }

void TCalculator::Exit1Click() { close(); }

bool TCalculator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched == Distance)
        DistanceChange();
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == Distance) {
        if (enter) {
            calculatebtnClick();
            return true;
        }
        mpglab->hide();
    } else if (enter && (watched == CurrentMPG || watched == DispCost)) {
        if (watched == CurrentMPG ? takeEconomy() : takeCost())
            showFigures(economyUsed);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TCalculator::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!storedChecked) {
        storedChecked = true;
        replaceUnusableStored(true);
    }
    FormActivate();
}

void TCalculator::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Also when a message box over it closes.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}
