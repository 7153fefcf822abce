#include "gui/entry/FuelEntryPanel.h"

#include "core/entry/EntryRules.h"
#include "core/entry/LogMerge.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"
#include "core/state/AppState.h"
#include "gui/entry/EntryBoxes.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QEvent>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace {
QLineEdit *box(const char *name, QWidget *parent, bool readOnly)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(readOnly);
    if (readOnly) {
        e->setFocusPolicy(Qt::ClickFocus);
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12); // a date
    }
    return e;
}

QLabel *caption(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}
} // namespace

FuelEntryPanel::FuelEntryPanel(AppState &s, ShellCommands &commands, QWidget *parent)
    : QFrame(parent), state(s), shell(commands), flags(s.Entry)
{
    setObjectName(QStringLiteral("DataEntry"));
    setProperty("helpContext", HelpTopic::EntryPanel);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto *outer = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("<b>Fuel Purchase Data Entry</b>"), this);
    outer->addWidget(title);
    auto *columns = new QHBoxLayout;
    outer->addLayout(columns);

    // Left: what the user types.
    auto *input = new QGroupBox(QStringLiteral("Fill-up"), this);
    auto *in = new QGridLayout(input);
    PDay = box("PDay", input, false);
    PDay->setProperty("helpContext", HelpTopic::EntryDate);
    PDay->setMaxLength(2);
    Pmonth = box("Pmonth", input, false);
    Pmonth->setMaxLength(2);
    PYear = box("PYear", input, true);
    YearChange = new QSpinBox(input);
    YearChange->setObjectName(QStringLiteral("YearChange"));
    YearChange->setRange(1995, 1995);
    YearChange->setButtonSymbols(QSpinBox::UpDownArrows);
    ArrowsOnly(YearChange);
    YearChange->setFocusPolicy(Qt::NoFocus);
    // Sized to their digits, with room for the frame and the cursor.
    for (QLineEdit *e : {PDay, Pmonth})
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    PYear->setFixedWidth(PYear->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(PDay);
    dateRow->addWidget(new QLabel(QStringLiteral("/"), input));
    dateRow->addWidget(Pmonth);
    dateRow->addWidget(new QLabel(QStringLiteral("/"), input));
    dateRow->addWidget(PYear);
    dateRow->addWidget(YearChange);
    dateRow->addStretch();
    NMiles = box("NMiles", input, false);
    PPrice = box("PPrice", input, false);
    Amount = box("Amount", input, false);
    DistanceLab = caption("DistanceLab", QStringLiteral("Distance"), input);
    AmountLab = caption("AmountLab", QStringLiteral("Amout Spent "), input);
    EntryFuelTypeLab = caption("EntryFuelTypeLab", QStringLiteral("Quantity in Litres"), input);
    int r = 0;
    in->addWidget(caption(nullptr, QStringLiteral("Date"), input), r, 0);
    in->addLayout(dateRow, r++, 1);
    in->addWidget(DistanceLab, r, 0);
    in->addWidget(NMiles, r++, 1);
    in->addWidget(AmountLab, r, 0);
    in->addWidget(PPrice, r++, 1);
    in->addWidget(EntryFuelTypeLab, r, 0);
    in->addWidget(Amount, r++, 1);
    Marks = FillMarkBoxes(input, "TankNotFilled", "MissedBefore");
    TankNotFilled = Marks.notFilled;
    MissedBefore = Marks.missed;
    in->addWidget(TankNotFilled, r++, 1);
    in->addWidget(MissedBefore, r++, 1);
    in->setRowStretch(r, 1);
    in->setColumnStretch(1, 1);

    // Right: what the entry works out.
    auto *results = new QGroupBox(QStringLiteral("This fill-up"), this);
    auto *out = new QGridLayout(results);
    DispGalls = box("DispGalls", results, true);
    ConvertDistance = box("ConvertDistance", results, true);
    DDone = box("DDone", results, true);
    DaysDone = box("DaysDone", results, true);
    PPGBox = box("PPGBox", results, true);
    PPLBox = box("PPLBox", results, true);
    DispMpg = box("DispMpg", results, true);
    DispKPL = box("DispKPL", results, true);
    PurchasedLab = caption("PurchasedLab", QStringLiteral("Gallons purchased"), results);
    ConvertLab = caption("ConvertLab", QStringLiteral("Distance in Kilometers"), results);
    ElapsedDistanceLab = caption("ElapsedDistanceLab", QStringLiteral("Elapsed Miles"), results);
    DPQLab = caption("DPQLab", QStringLiteral("MPG"), results);
    Label7 = caption("Label7", QStringLiteral("KPL"), results);
    r = 0;
    const std::pair<QWidget *, QLineEdit *> rows[] = {
        {PurchasedLab, DispGalls},  {ConvertLab, ConvertDistance},
        {ElapsedDistanceLab, DDone}, {caption(nullptr, QStringLiteral("Elapsed Days"), results), DaysDone},
        {caption(nullptr, QStringLiteral("Price per Gallon"), results), PPGBox},
        {caption(nullptr, QStringLiteral("Price per Litre"), results), PPLBox},
        {DPQLab, DispMpg},          {Label7, DispKPL}};
    for (const auto &[lab, edit] : rows) {
        // Figures of up to seven digits (a distance in kilometres); narrower
        // than a date, so the panel fits a small screen.
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
        out->addWidget(lab, r, 0);
        out->addWidget(edit, r, 1);
        // Every figure says its unit.
        if (edit == PPGBox)
            out->addWidget(PPGUnitLab = caption("PPGUnitLab", QStringLiteral("per gallon"), results), r, 2);
        else if (edit == PPLBox)
            out->addWidget(caption("PPLUnitLab", QStringLiteral("pence per litre"), results), r, 2);
        ++r;
    }
    out->setRowStretch(r, 1);

    // Far right: the vehicle and its log.
    auto *vehicle = new QGroupBox(QStringLiteral("Vehicle"), this);
    auto *veh = new QGridLayout(vehicle);
    Registration = box("Registration", vehicle, true);
    Finaldate = box("Finaldate", vehicle, true);
    FinalMiles = box("FinalMiles", vehicle, true);
    NumItems = box("NumItems", vehicle, true);
    LastDate = box("LastDate", vehicle, true);
    DOldmiles = box("DOldmiles", vehicle, true);
    DOldmiles->setMinimumWidth(DOldmiles->fontMetrics().horizontalAdvance(QStringLiteral("No prior mileage")) + 12);
    r = 0;
    const std::pair<const char *, QLineEdit *> vrows[] = {
        {"Registration", Registration}, {"Most recent Date", Finaldate}, {"Most recent Distance", FinalMiles},
        {"Number of Items", NumItems},  {"Last Date", LastDate},         {"Last Distance", DOldmiles}};
    for (const auto &[text, edit] : vrows) {
        veh->addWidget(caption(nullptr, QLatin1String(text), vehicle), r, 0);
        veh->addWidget(edit, r++, 1);
    }
    veh->setRowStretch(r, 1);

    columns->addWidget(input);
    columns->addWidget(results);
    columns->addWidget(vehicle);

    auto *buttons = new QHBoxLayout;
    Accept = new QPushButton(QStringLiteral("A&ccept"), this);
    Accept->setObjectName(QStringLiteral("Accept"));
    QuitdatEnt = new QPushButton(QStringLiteral("&Quit"), this);
    QuitdatEnt->setObjectName(QStringLiteral("QuitdatEnt"));
    Restart = new QPushButton(QStringLiteral("&Start"), this);
    Restart->setObjectName(QStringLiteral("Restart"));
    Restart->hide();
    Button1 = new QPushButton(QStringLiteral("Hel&p"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setProperty("tag", 5);
    buttons->addStretch();
    for (QPushButton *b : {Accept, Restart, QuitdatEnt, Button1})
        buttons->addWidget(b);
    outer->addLayout(buttons);
    outer->addStretch(1);

    // Typing arms a step again; the panel's own clearing and zero-filling do not.
    connect(PDay, &QLineEdit::textEdited, this, [this] { flags.DayArmed = true; });
    connect(Pmonth, &QLineEdit::textEdited, this, [this] { flags.MonthArmed = true; });
    PDay->installEventFilter(this);
    connect(PDay, &QLineEdit::returnPressed, this, &FuelEntryPanel::PDayFinished);
    connect(Pmonth, &QLineEdit::returnPressed, this, &FuelEntryPanel::PmonthFinished);
    connect(NMiles, &QLineEdit::returnPressed, this, &FuelEntryPanel::NMilesChange);
    connect(PPrice, &QLineEdit::returnPressed, this, &FuelEntryPanel::PpriceChange);
    connect(Amount, &QLineEdit::returnPressed, this, &FuelEntryPanel::AmountChange);
    connect(YearChange, &QSpinBox::valueChanged, this, &FuelEntryPanel::YearChangeClick);
    connect(Accept, &QPushButton::clicked, this, &FuelEntryPanel::AcceptClick);

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FuelEntryPanel::QuitdatEntClick);
    connect(QuitdatEnt, &QPushButton::clicked, this, &FuelEntryPanel::QuitdatEntClick);
    connect(Restart, &QPushButton::clicked, this, &FuelEntryPanel::EnterDataClick);
    SetHelpButton(Button1, state.platform(), HelpTopic::FuelEntry);
    connect(&state, &AppState::fuelLogChanged, this, &FuelEntryPanel::ShowLogEnd);
    connect(&state, &AppState::registrationChanged, Registration, &QLineEdit::setText);
    connect(&state, &AppState::registrationChanged, this, &FuelEntryPanel::clearFigures);

    setTabOrder(PDay, Pmonth);
    setTabOrder(Pmonth, NMiles);
    setTabOrder(NMiles, PPrice);
    setTabOrder(PPrice, Amount);
    setTabOrder(Amount, Accept);
    setTabOrder(Accept, QuitdatEnt);
    EnterPressesButtons(this);
    SelectTextOnEntry(this);
    AccessKeysInFrontOnly(this);
    hide();
}

void FuelEntryPanel::ClearEntryState()
{
    flags.ClearDone();
    flags.DayArmed = flags.BackDated = false;
}

void FuelEntryPanel::EnterDataClick()
{
    if (!shell.IsCommandEnabled(Command::Analyse))
        shell.CloseAllChildWindows();
    flags.ClearDone(); // a new entry goes through every step again
    Restart->hide();
    shell.EnableCommand(Command::Analyse, false);
    shell.EnableCommand(Command::Setup, false);
    for (QWidget *w : std::initializer_list<QWidget *>{PDay, Pmonth, PYear, NMiles, PPrice, Amount, TankNotFilled, MissedBefore, Accept})
        w->setEnabled(true);
    const QString fileName = QFileInfo(state.CurrentDataFile).fileName();
    shell.SetStatus(5, QStringLiteral("ENTERING DATA FOR ") + fileName.left(fileName.size() - 4));
    const int year = state.platform().Today().year();
    {
        const QSignalBlocker quiet(YearChange);
        YearChange->setRange(1995, year);
        YearChange->setValue(year);
    }
    PYear->setText(QString::number(year));
    Marks.SetMark(FillMark::Full);
    SetEntryParameters();
    show();
    raise();
    FocusAndSelect(PDay); // also when the focus was there already
    flags.DayArmed = true;
}

void FuelEntryPanel::disableboxs()
{
    for (QLineEdit *e : {PDay, Pmonth, NMiles, PPrice, Amount}) {
        e->setEnabled(false);
        e->clear();
    }
    Marks.SetEnabled(false);
    Marks.SetMark(FillMark::Full);
    Accept->setEnabled(false);
    flags.DayArmed = false;
}

void FuelEntryPanel::QuitdatEntClick()
{
    for (QWidget *w : std::initializer_list<QWidget *>{PDay, Pmonth, PYear, NMiles, PPrice, Amount, Accept})
        w->setEnabled(false);
    shell.EnableCommand(Command::Setup, true);
    shell.EnableCommand(Command::Analyse, true);
    flags.DayArmed = false;
    flags.MonthArmed = false;
    hide();
}

void FuelEntryPanel::SetEntryParameters()
{
    const LiveOptions &options = state.Options();
    AmountLab->setText(QStringLiteral("Amout Spent ") + state.platform().Locale().currencySymbol());
    PPGUnitLab->setText(state.platform().Locale().currencySymbol() + QStringLiteral(" per gallon"));
    const bool bulk = options.BulkScheme();
    AmountLab->setVisible(!bulk);
    PPrice->setVisible(!bulk);
    if (bulk)
        PPLBox->setText(options.DefaultPpl());
    else
        PPLBox->clear();
    const bool litres = options.EntryFuelType() == 1;
    EntryFuelTypeLab->setText(litres ? QStringLiteral("Quantity in Litres") : QStringLiteral("Quantity in Gallons"));
    if (bulk)
        PurchasedLab->setText(litres ? QStringLiteral("Gallons Filled") : QStringLiteral("Litres Filled"));
    else
        PurchasedLab->setText(litres ? QStringLiteral("Gallons purchased") : QStringLiteral("Litres Purchased"));
    const bool km = options.EntryDistanceType() == 1;
    ElapsedDistanceLab->setText(km ? QStringLiteral("Elapsed Kilometers") : QStringLiteral("Elapsed Miles"));
    DistanceLab->setText(km ? QStringLiteral("Distance in Kilometers") : QStringLiteral("Distance in Miles"));
    ConvertLab->setText(km ? QStringLiteral("Distance in Miles") : QStringLiteral("Distance in Kilometers"));
}

bool FuelEntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PDay && event->type() == QEvent::FocusIn)
        flags.DayArmed = true; // PDayChange runs on focus as well as on change
    return QFrame::eventFilter(watched, event);
}

bool FuelEntryPanel::bulkScheme() const { return state.Options().BulkScheme(); }

bool FuelEntryPanel::retype(const QString &message, QLineEdit *box)
{
    if (state.platform().MessageDialog(message, MsgKind::Error, mbOk | mbCancel | mbHelp, HelpTopic::FuelEntry) == mrOk) {
        FocusAndSelect(box);
        return true;
    }
    return false;
}

void FuelEntryPanel::abandon(bool disable)
{
    flags.DayArmed = false;
    if (disable)
        disableboxs();
    Restart->show();
}

void FuelEntryPanel::PDayFinished()
{
    flags.DateDone = false;
    if (!flags.DayArmed)
        return;
    QString message;
    if (EntryBoxes::Apply(PDay, EntryRules::CheckDay(PDay->text()), message)) {
        flags.MonthArmed = true;
        Pmonth->setFocus();
    } else if (!retype(message, PDay)) {
        abandon(true);
    }
}

void FuelEntryPanel::PmonthFinished()
{
    if (!flags.MonthArmed)
        return;
    QString message;
    if (!EntryBoxes::Apply(Pmonth, EntryRules::CheckMonth(Pmonth->text()), message)) {
        if (!retype(message, Pmonth)) {
            flags.MonthArmed = false;
            abandon(true);
        }
        return;
    }
    if (!EntryBoxes::TakeEntryDate(flags, PDay, Pmonth, PYear, state.platform()))
        return;
    if (!IsDateText(Finaldate->text())) {
        const QString today = state.platform().Today().toString(QStringLiteral("dd/MM/yyyy"));
        LastDate->setText(today);
        Finaldate->setText(today);
    }
    if (EntryRules::DateKey(flags.EntryDate) <= EntryRules::DateKey(Finaldate->text())) {
        flags.BackDated = true;
        shell.SetStatus(7, QStringLiteral("BACK"));
    }
    flags.MonthArmed = false;
    flags.DateDone = true;
    NMiles->setFocus();
}

void FuelEntryPanel::NMilesChange()
{
    if (!flags.DayArmed)
        return;
    flags.DistanceDone = false;
    const EntryRules::BoxCheck check = EntryRules::CheckDistance(NMiles->text(), flags.BackDated, DOldmiles->text(), FinalMiles->text());
    if (check.ok) {
        flags.DistanceDone = true;
        (bulkScheme() ? Amount : PPrice)->setFocus();
    } else if (!retype(check.message, NMiles)) {
        abandon(true);
    }
}

void FuelEntryPanel::PpriceChange()
{
    if (!flags.DayArmed)
        return;
    QString message;
    if (EntryBoxes::Apply(PPrice, EntryRules::CheckPrice(PPrice->text()), message)) {
        flags.PriceDone = true;
        Amount->setFocus();
    } else if (!retype(message, PPrice)) {
        abandon(false); // the boxes keep their text and stay open
    }
}

void FuelEntryPanel::AmountChange()
{
    if (!flags.DayArmed)
        return;
    QString message;
    if (EntryBoxes::Apply(Amount, EntryRules::CheckAmount(Amount->text()), message)) {
        flags.QuantityDone = true;
        Accept->setFocus();
    } else if (!retype(message, Amount)) {
        abandon(true);
    }
}

void FuelEntryPanel::YearChangeClick()
{
    if (flags.DateDone) {
        flags.DayArmed = false;
        flags.MonthArmed = false;
        disableboxs();
        EnterDataClick();
        return;
    }
    PYear->setText(QString::number(YearChange->value()));
}

void FuelEntryPanel::resetForNext()
{
    flags.EntryDate.clear();
    Marks.SetMark(FillMark::Full);
    NMiles->clear();
    PPrice->clear();
    Amount->clear();
    flags.DayArmed = false;
    flags.BackDated = false;
    flags.ClearDone(); // the next fill-up goes through every step
    shell.SetStatus(7, QString());
    FocusAndSelect(PDay); // the day kept from this fill-up is replaced by typing
    flags.DayArmed = true; // what the focus arriving in the day box does
}

bool FuelEntryPanel::stepsStillHold() const
{
    if (!(flags.DateDone && flags.DistanceDone && flags.PriceDone && flags.QuantityDone))
        return false;
    // A box changed after its step must not be stored unchecked.
    if (!flags.DateStillHolds(PDay->text(), Pmonth->text(), PYear->text()))
        return false;
    if (!EntryRules::CheckDistance(NMiles->text(), flags.BackDated, DOldmiles->text(), FinalMiles->text()).ok)
        return false;
    if (!bulkScheme() && !EntryRules::CheckPrice(PPrice->text()).ok)
        return false;
    return EntryRules::CheckAmount(Amount->text()).ok;
}

void FuelEntryPanel::AcceptClick()
{
    const AcceptanceGuard guard(flags);
    if (!guard.Entered())
        return;

    Platform &ui = state.platform();
    const bool bulk = bulkScheme();
    auto refuse = [&](const QString &message) {
        ui.MessageDialog(message, MsgKind::Error, mbOk, HelpTopic::FuelEntry);
    };
    if (bulk)
        flags.PriceDone = true;
    if (!stepsStillHold()) {
        ui.MessageDialog(EntryRules::InvalidDataEntered, MsgKind::Warning, mbOk | mbHelp, HelpTopic::FuelEntry);
        resetForNext();
        return;
    }

    // Quantity, in litres and gallons.
    const NumberText::RealReading quantity = NumberText::ReadReal(Amount->text());
    if (!quantity.ok || quantity.value == 0.0) { // a zero would divide the price by nothing
        refuse(EntryRules::NoQuantityEntered);
        EnterDataClick();
        return;
    }
    const bool gallonsEntry = state.Options().EntryFuelType() == 0;
    const double litres = gallonsEntry ? quantity.value / GallonsPerLitre : quantity.value;
    const double gallons = gallonsEntry ? quantity.value : quantity.value / LitresPerGallon;
    DispGalls->setText(NumberText::FormatFixed(gallonsEntry ? litres : gallons, 5, 2));

    // Price per litre: the amount spent, or the default price in the bulk scheme.
    QString pricePerLitre;
    if (!bulk) {
        const NumberText::RealReading amount = NumberText::ReadReal(PPrice->text());
        if (!amount.ok) {
            refuse(EntryRules::NoPriceEntered);
            EnterDataClick();
            return;
        }
        pricePerLitre = NumberText::FormatFixed(amount.value / litres * PencePerUnit, 5, 2);
        PPLBox->setText(pricePerLitre);
        PPGBox->setText(NumberText::FormatFixed(amount.value / gallons, 5, 2));
    } else {
        const NumberText::RealReading price = NumberText::ReadReal(state.Options().DefaultPpl());
        if (!price.ok) {
            refuse(QStringLiteral("No Default fuel price exists"));
            return;
        }
        pricePerLitre = state.Options().DefaultPpl();
        PPGBox->setText(NumberText::FormatFixed(price.value / PencePerUnit * LitresPerGallon, 5, 2));
    }

    // Distance: a whole reading, stored in miles.
    int entered = 0;
    if (!NumberText::ReadWhole(NMiles->text().trimmed(), &entered)) {
        refuse(QStringLiteral("Invalid Character in Mileage"));
        EnterDataClick();
        return;
    }
    const bool kmEntry = state.Options().EntryDistanceType() == 1;
    // An int reading times either constant stays well inside the 64-bit range.
    const long long stored = kmEntry ? *NumberText::RoundHalfEven(entered * MilesPerKm) : entered;
    ConvertDistance->setText(QString::number(kmEntry ? stored : *NumberText::RoundHalfEven(entered * KmPerMile)));
    // A hand-edited log may hold any reading: one too large to convert is
    // taken as larger than any entry.
    auto inEntryUnits = [&](long long miles) {
        return kmEntry ? NumberText::RoundHalfEven(miles * KmPerMile).value_or(std::numeric_limits<long long>::max()) : miles;
    };
    auto difference = [](long long a, long long b) { return NumberText::RoundHalfEven(double(a) - double(b)).value_or(0); };

    // Placement.
    QStringList &log = state.FuelLog;
    const int records = int(log.size() / 4);
    int at = 4 * records; // first line of the new record
    long long previous = records > 0 ? EntryRules::RecordMiles(log, records - 1) : 0;
    QString elapsedDays;
    bool firstRecord = false;
    bool becomesLatest = true;
    if (!flags.BackDated) {
        elapsedDays = QString::number(DaysBetween(Finaldate->text(), flags.EntryDate).days);
    } else {
        // The search lets events run: it walks a copy, and a log or data
        // file changed meanwhile is not written over.
        const QStringList searched = log;
        const QString file = state.CurrentDataFile;
        const EntryRules::Placement place =
            EntryRules::PlaceBackDated(searched, stored, flags.EntryDate, [] { QCoreApplication::processEvents(); });
        if (state.FuelLog != searched || state.CurrentDataFile != file) {
            ui.ShowMessage(EntryRules::ChangedDuringPlacement);
            EnterDataClick();
            return;
        }
        switch (place.kind) {
        case EntryRules::Placement::Duplicate:
            refuse(QStringLiteral("Duplicate Distance Entered"));
            EnterDataClick();
            return;
        case EntryRules::Placement::Inconsistent:
            ui.ShowMessage(QStringLiteral("Date and Mileage entered are Inconsistant"));
            EnterDataClick();
            return;
        case EntryRules::Placement::First:
            at = 0;
            firstRecord = true;
            becomesLatest = false;
            elapsedDays = QStringLiteral("N/A");
            break;
        case EntryRules::Placement::Append:
            break;
        case EntryRules::Placement::Insert:
            at = 4 * (place.found + 1);
            becomesLatest = false;
            break;
        }
        previous = place.previousMiles;
        if (!firstRecord)
            elapsedDays = QString::number(DaysBetween(log[4 * place.found], flags.EntryDate).days);
    }
    if (CarDataFile::IsNoFile(state.CurrentDataFile)) {
        ui.ShowMessage(shell.Files().NoFileMessage()); // nowhere to keep the fill-up
        EnterDataClick();
        return;
    }

    // Store and save at once; a failed save takes the fill-up back out.
    const QStringList lines = EntryRules::RecordLines(flags.EntryDate, stored, litres, pricePerLitre);
    for (int i = 0; i < 4; ++i)
        log.insert(at + i, lines[i]);
    const FillMark mark = Marks.Mark();
    const FillMark markBefore = state.Marks.Of(lines[0], lines[1]);
    state.Marks.Set(lines[0], lines[1], mark);
    if (!shell.Files().WriteFuelLog(state.CurrentDataFile)) {
        log.remove(at, 4);
        state.Marks.Set(lines[0], lines[1], markBefore);
        EnterDataClick();
        return;
    }
    // Put into another program's newer file, the fill-up may stand
    // elsewhere, or not at all (that file holds another at its reading).
    if (log.mid(at, 4) != lines) {
        at = LogMerge::Find(log, lines);
        if (at < 0) {
            state.FuelLogChanged();
            EnterDataClick();
            return;
        }
        const int found = at / 4 - 1;
        previous = found >= 0 ? EntryRules::RecordMiles(log, found) : 0;
        firstRecord = found < 0;
        becomesLatest = at + 4 == log.size();
        elapsedDays = firstRecord ? QStringLiteral("N/A") : QString::number(DaysBetween(log[4 * found], flags.EntryDate).days);
    }
    shell.EnableCommand(Command::ViewData, true);

    // What the entry shows.
    DaysDone->setText(elapsedDays);
    if (firstRecord) {
        DOldmiles->setText(QStringLiteral("No prior mileage"));
        DispMpg->setText(QStringLiteral("N/A"));
        DDone->setText(QStringLiteral("N/A"));
    } else if (!flags.BackDated) {
        DOldmiles->setText(NMiles->text());
    }
    if (becomesLatest) {
        LastDate->setText(flags.EntryDate);
        Finaldate->setText(flags.EntryDate);
        FinalMiles->setText(NMiles->text());
    } else if (!firstRecord) {
        LastDate->setText(flags.EntryDate);
    }
    const long long previousInEntry = inEntryUnits(previous);
    if (entered > previousInEntry) {
        DOldmiles->setText(NMiles->text());
        DDone->setText(QString::number(difference(entered, previousInEntry)));
        const long long elapsedMiles = difference(stored, previous);
        DispMpg->setText(CurrentMpg(log, at, elapsedMiles, MPG));
        DispKPL->setText(CurrentMpg(log, at, elapsedMiles, KPL));
    }
    if (mark != FillMark::Full || !state.Marks.IsEmpty())
        showMarkedEconomy(at, stored);
    NumItems->setText(QString::number(CarDataFile::RecordCount(log)));
    state.FuelLogChanged(); // the boxes above already say where the log ends now
    resetForNext();
}

void FuelEntryPanel::showMarkedEconomy(int at, long long stored)
{
    const FigureSpan span = SpanOf(state.Marks.PerRecord(state.FuelLog), at / 4);
    const FillMark mark = state.Marks.At(state.FuelLog, at);
    QString mpg, kpl;
    if (mark != FillMark::Full) {
        // One word fits the box: a partial fill-up is one whatever came before it.
        mpg = kpl = FillMarks::Name(IsPartial(mark) ? FillMark::Partial : FillMark::Missed);
    } else if (!span.figure) {
        mpg = kpl = QStringLiteral("N/A"); // nothing but partial fill-ups before it
    } else if (span.from != at / 4 - 1) {
        // Measured from the last fill-up that filled the tank, over what was
        // bought since.
        const long long miles = NumberText::RoundHalfEven(double(stored) - double(EntryRules::RecordMiles(state.FuelLog, span.from))).value_or(0);
        mpg = CurrentMpgOver(state.FuelLog, at, span.from, miles, MPG);
        kpl = CurrentMpgOver(state.FuelLog, at, span.from, miles, KPL);
    } else {
        return; // as any fill-up after a full one
    }
    DispMpg->setText(mpg);
    DispKPL->setText(kpl);
}

void FuelEntryPanel::ShowLogEnd()
{
    if (flags.Accepting)
        return; // an acceptance shows its own figures
    if (state.CurrentDataFile != figuresFile)
        clearFigures();
    const QStringList &log = state.FuelLog;
    NumItems->setText(QString::number(CarDataFile::RecordCount(log)));
    if (log.size() < 4) {
        Finaldate->clear();
        LastDate->clear();
        FinalMiles->setText(QStringLiteral("0"));
        DOldmiles->setText(QStringLiteral("0"));
        shell.SetStatus(1, QString());
        return;
    }
    const QString lastDate = log[log.size() - 4];
    Finaldate->setText(lastDate);
    shell.SetStatus(1, QStringLiteral(" ") + lastDate);
    FinalMiles->setText(StripBlanks(log[log.size() - 3]));
    // The last date and distance belong to this log, not to the one before it.
    DOldmiles->setText(FinalMiles->text());
    LastDate->setText(lastDate);
}

void FuelEntryPanel::clearFigures()
{
    // The last fill-up's figures belong to the vehicle they were worked out for.
    figuresFile = state.CurrentDataFile;
    for (QLineEdit *b : {DispGalls, ConvertDistance, DDone, DaysDone, PPGBox, PPLBox, DispMpg, DispKPL})
        b->clear();
}
