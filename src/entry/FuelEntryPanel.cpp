#include "entry/FuelEntryPanel.h"

#include "shell/MainWindow.h"
#include "shell/SetupPanel.h"
#include "shell/Widgets.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QLineEdit *box(const char *name, QWidget *parent, bool readOnly)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(readOnly);
    if (readOnly)
        e->setFocusPolicy(Qt::ClickFocus);
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

FuelEntryPanel::FuelEntryPanel(TVantiq_ &m, QWidget *parent) : QFrame(parent), main(m)
{
    setObjectName(QStringLiteral("DataEntry"));
    setProperty("helpContext", 208);
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
    PDay->setProperty("helpContext", 209);
    PDay->setMaxLength(2);
    Pmonth = box("Pmonth", input, false);
    Pmonth->setMaxLength(2);
    PYear = box("PYear", input, true);
    YearChange = new QSpinBox(input);
    YearChange->setObjectName(QStringLiteral("YearChange"));
    YearChange->setRange(1995, 1995);
    YearChange->setButtonSymbols(QSpinBox::UpDownArrows);
    YearChange->setFixedWidth(22);
    YearChange->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit *e : {PDay, Pmonth})
        e->setFixedWidth(40);
    PYear->setFixedWidth(60);
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
    in->setRowStretch(r, 1);

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
        out->addWidget(lab, r, 0);
        out->addWidget(edit, r++, 1);
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
    r = 0;
    const std::pair<const char *, QLineEdit *> vrows[] = {
        {"Registration", Registration}, {"Most recent Date", Finaldate}, {"Most recent Distance", FinalMiles},
        {"Number of Items", NumItems},  {"Last Date", LastDate},         {"Last Distance", DOldmiles}};
    for (const auto &[text, edit] : vrows) {
        veh->addWidget(caption(nullptr, QLatin1String(text), vehicle), r, 0);
        veh->addWidget(edit, r++, 1);
    }
    veh->setRowStretch(r, 1);

    columns->addWidget(input, 3);
    columns->addWidget(results, 2);
    columns->addWidget(vehicle, 2);

    auto *buttons = new QHBoxLayout;
    Accept = new QPushButton(QStringLiteral("&Accept"), this);
    Accept->setObjectName(QStringLiteral("Accept"));
    QuitdatEnt = new QPushButton(QStringLiteral("&Quit"), this);
    QuitdatEnt->setObjectName(QStringLiteral("QuitdatEnt"));
    Restart = new QPushButton(QStringLiteral("&Start"), this);
    Restart->setObjectName(QStringLiteral("Restart"));
    Restart->hide();
    Button1 = new QPushButton(QStringLiteral("&Help"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setProperty("tag", 5);
    buttons->addStretch();
    for (QPushButton *b : {Accept, Restart, QuitdatEnt, Button1})
        buttons->addWidget(b);
    outer->addLayout(buttons);
    outer->addStretch();

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FuelEntryPanel::QuitdatEntClick);
    connect(QuitdatEnt, &QPushButton::clicked, this, &FuelEntryPanel::QuitdatEntClick);
    connect(Restart, &QPushButton::clicked, this, &FuelEntryPanel::EnterDataClick);
    connect(Button1, &QPushButton::clicked, &main, &TVantiq_::HelpClick);

    setTabOrder(PDay, Pmonth);
    setTabOrder(Pmonth, NMiles);
    setTabOrder(NMiles, PPrice);
    setTabOrder(PPrice, Amount);
    setTabOrder(Amount, Accept);
    setTabOrder(Accept, QuitdatEnt);
    hide();
}

void FuelEntryPanel::ClearEntryState()
{
    DateDone = DistanceDone = PriceDone = QuantityDone = DayArmed = BackDated = false;
}

void FuelEntryPanel::EnterDataClick()
{
    if (!main.Analise->isEnabled())
        main.CloseAllChildWindows();
    Restart->hide();
    main.Analise->setEnabled(false);
    main.Setup->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{PDay, Pmonth, PYear, NMiles, PPrice, Amount, Accept})
        w->setEnabled(true);
    const QString fileName = QFileInfo(main.CurrentDataFile).fileName();
    main.SetStatus(5, QStringLiteral("ENTERING DATA FOR ") + fileName.left(fileName.size() - 4));
    const int year = main.platform().Today().year();
    YearChange->setRange(1995, year);
    YearChange->setValue(year);
    PYear->setText(QString::number(year));
    SetEntryParameters();
    show();
    raise();
    PDay->setFocus();
    DayArmed = true;
}

void FuelEntryPanel::disableboxs()
{
    for (QLineEdit *e : {PDay, Pmonth, NMiles, PPrice, Amount}) {
        e->setEnabled(false);
        e->clear();
    }
    Accept->setEnabled(false);
    DayArmed = false;
}

void FuelEntryPanel::QuitdatEntClick()
{
    for (QWidget *w : std::initializer_list<QWidget *>{PDay, Pmonth, PYear, NMiles, PPrice, Amount, Accept})
        w->setEnabled(false);
    main.Setup->setEnabled(true);
    main.Analise->setEnabled(true);
    DayArmed = false;
    MonthArmed = false;
    hide();
}

void FuelEntryPanel::SetEntryParameters()
{
    const SetupPanel &setup = *main.OptionsTabs;
    AmountLab->setText(QStringLiteral("Amout Spent ") + main.platform().Locale().currencySymbol());
    const bool bulk = setup.Scheme->currentIndex() == 1;
    AmountLab->setVisible(!bulk);
    PPrice->setVisible(!bulk);
    if (bulk)
        PPLBox->setText(setup.DefaultPpl->text());
    else
        PPLBox->clear();
    const bool litres = setup.EntryFuelType->ItemIndex() == 1;
    EntryFuelTypeLab->setText(litres ? QStringLiteral("Quantity in Litres") : QStringLiteral("Quantity in Gallons"));
    if (bulk)
        PurchasedLab->setText(litres ? QStringLiteral("Gallons Filled") : QStringLiteral("Litres Filled"));
    else
        PurchasedLab->setText(litres ? QStringLiteral("Gallons purchased") : QStringLiteral("Litres Purchased"));
    const bool km = setup.EntryDistanceType->ItemIndex() == 1;
    ElapsedDistanceLab->setText(km ? QStringLiteral("Elapsed Kilometers") : QStringLiteral("Elapsed Miles"));
    DistanceLab->setText(km ? QStringLiteral("Distance in Kilometers") : QStringLiteral("Distance in Miles"));
    ConvertLab->setText(km ? QStringLiteral("Distance in Miles") : QStringLiteral("Distance in Kilometers"));
}
