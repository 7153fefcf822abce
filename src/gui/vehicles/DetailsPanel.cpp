#include "gui/vehicles/DetailsPanel.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"
#include "core/state/AppState.h"
#include "core/vehicles/VehicleRecord.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"
#include "gui/vehicles/CalendarWindow.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <cmath>

namespace {
QLineEdit *edit(const char *name, QWidget *parent, int maxLength = 0)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QComboBox *combo(const char *name, const QStringList &items, bool editable, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    c->addItems(items);
    c->setCurrentIndex(-1);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        // Typing leaves no item chosen, whatever the text; picking one chooses it.
        QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [c] { c->setProperty("typed", true); });
        QObject::connect(c, &QComboBox::currentIndexChanged, c, [c] { c->setProperty("typed", false); });
        QObject::connect(c, &QComboBox::activated, c, [c] { c->setProperty("typed", false); });
    }
    return c;
}

QSpinBox *unboundedSpin(const char *name, int value, QWidget *parent)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(INT_MIN, INT_MAX);
    s->setValue(value);
    return s;
}

// An amount box as a whole number of the record's 32-bit field; 0 when it
// holds no whole number.
qint32 wholeAmount(const QString &text)
{
    return qint32(std::clamp<long long>(LenientWhole(text).value_or(0), INT_MIN, INT_MAX));
}

const QStringList RateItems{QStringLiteral("Once"), QStringLiteral("Every Day")};
} // namespace

DetailsPanel::DetailsPanel(AppState &appState, ShellCommands &commands, QWidget *parent)
    : QFrame(parent), state(appState), shell(commands)
{
    setObjectName(QStringLiteral("NewDetails"));
    setProperty("helpContext", HelpTopic::VehicleDetails);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *outer = new QVBoxLayout(this);
    NewVechTypeLab = new QLabel(QStringLiteral("New"), this);
    NewVechTypeLab->setObjectName(QStringLiteral("NewVechTypeLab"));
    QFont heading = NewVechTypeLab->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 2);
    NewVechTypeLab->setFont(heading);
    outer->addWidget(NewVechTypeLab);

    // The vehicle itself.
    auto *vehicle = new QGroupBox(QStringLiteral("Vehicle"), this);
    auto *v = new QGridLayout(vehicle);
    RegBox = edit("RegBox", vehicle, VehicleFile::Width::Registration);
    RegBox->setToolTip(QStringLiteral("Maximum of 10 Characters"));
    VtypeSelect = combo("VtypeSelect", {QStringLiteral("PCV(Service)"), QStringLiteral("PCV(private hire)"),
                                        QStringLiteral("LVG( articulated)"), QStringLiteral("LVG"), QStringLiteral("Car"),
                                        QStringLiteral("Motor Cycle"), QStringLiteral("Van")},
                        true, vehicle);
    FuelType = combo("FuelType", {QStringLiteral("Petrol"), QStringLiteral("Diesel")}, false, vehicle);
    TaxGroupBox = combo("TaxGroupBox", {QStringLiteral("Domestic"), QStringLiteral("LGV"), QStringLiteral("PCV"),
                                        QStringLiteral("Disabled")},
                        false, vehicle);
    CapacityBox = edit("CapacityBox", vehicle);
    CapacityBox->setValidator(new QIntValidator(0, 99999, CapacityBox));
    CapacitySelect = new QSpinBox(vehicle);
    CapacitySelect->setObjectName(QStringLiteral("CapacitySelect"));
    CapacitySelect->setRange(50, 10000);
    CapacitySelect->setSingleStep(100);
    CapacitySelect->setValue(1300);
    ArrowsOnly(CapacitySelect);
    CapacityBox->setText(QStringLiteral("1300"));
    connect(CapacitySelect, &QSpinBox::valueChanged, CapacityBox, [this](int value) { CapacityBox->setText(QString::number(value)); });
    connect(CapacityBox, &QLineEdit::textEdited, CapacitySelect, [this](const QString &text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (ok && value >= 50 && value <= 10000) {
            const QSignalBlocker quiet(CapacitySelect);
            CapacitySelect->setValue(value);
        }
    });
    Manuf = edit("Manuf", vehicle, VehicleFile::Width::Manufacturer);
    Edit4 = edit("Edit4", vehicle, VehicleFile::Width::Model);
    Edit6 = edit("Edit6", vehicle, VehicleFile::Width::Colour);
    AquiredBox = edit("AquiredBox", vehicle);
    ArchiveVeh = new QCheckBox(QStringLiteral("Archive"), vehicle);
    ArchiveVeh->setObjectName(QStringLiteral("ArchiveVeh"));
    ArchiveVeh->setToolTip(QStringLiteral("Vehical is Archived no reminders will apply"));
    auto *capacity = new QHBoxLayout;
    capacity->setSpacing(0);
    capacity->addWidget(CapacityBox);
    capacity->addWidget(CapacitySelect);
    int r = 0;
    auto row = [&](const QString &text, QWidget *w1, QLayout *l = nullptr) {
        v->addWidget(new QLabel(text, vehicle), r, 0);
        if (w1)
            v->addWidget(w1, r, 1);
        else
            v->addLayout(l, r, 1);
        ++r;
    };
    row(QStringLiteral("* Registration Number"), RegBox);
    row(QStringLiteral("Type"), VtypeSelect);
    row(QStringLiteral("Fuel Type"), FuelType);
    row(QStringLiteral("Tax group"), TaxGroupBox);
    row(QStringLiteral("Engine Capacity"), nullptr, capacity);
    row(QStringLiteral("Manufacturer"), Manuf);
    row(QStringLiteral("Model"), Edit4);
    row(QStringLiteral("Colour"), Edit6);
    row(QStringLiteral("Acquired"), AquiredBox);
    v->addWidget(ArchiveVeh, r++, 1);
    v->setRowStretch(r, 1);

    // The four renewals.
    auto *renewals = new QGroupBox(QStringLiteral("Renewals"), this);
    auto *g = new QGridLayout(renewals);
    g->setHorizontalSpacing(4); // room for every text at 1024 pixels across
    Tax = edit("Tax", renewals);
    Taxduebox = edit("Taxduebox", renewals);
    InsuranceCo = edit("InsuranceCo", renewals, VehicleFile::Width::Company);
    InsuranceAmt = edit("InsuranceAmt", renewals);
    InsuranceDue = edit("InsuranceDue", renewals);
    MOTStation = edit("MOTStation", renewals, VehicleFile::Width::Company);
    MOTAmt = edit("MOTAmt", renewals);
    MOTDue = edit("MOTDue", renewals);
    ServiceStation = edit("ServiceStation", renewals, VehicleFile::Width::Company);
    ServiceAmt = edit("ServiceAmt", renewals);
    ServiceDue = edit("ServiceDue", renewals);
    TaxRemindRate = combo("TaxRemindRate", RateItems + QStringList{QStringLiteral("Stopped")}, true, renewals);
    InsRemindRate = combo("InsRemindRate", RateItems, true, renewals);
    MOTRemindRate = combo("MOTRemindRate", RateItems, true, renewals);
    ServiceRemindRate = combo("ServiceRemindRate", RateItems, true, renewals);
    TaxDelay = unboundedSpin("TaxDelay", 888, renewals);
    InsDelay = unboundedSpin("InsDelay", 0, renewals);
    MOTDelay = unboundedSpin("MOTDelay", 0, renewals);
    ServiceDelay = unboundedSpin("ServiceDelay", 0, renewals);
    const char *remindNames[] = {"TaxRemind", "InsureRemind", "MOTRemind", "ServiceRemind"};
    QCheckBox **reminds[] = {&TaxRemind, &InsureRemind, &MOTRemind, &ServiceRemind};
    const char *buttonNames[] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};
    const char *hints[] = {"Select a Date for Road Tax", "Select a date for Insurance", "Select an MOT date", "Select an MOT date"};
    QToolButton **buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3, &SpeedButton4};
    const QString titles[] = {QStringLiteral("Road tax"), QStringLiteral("Insured with"), QStringLiteral("MOT"), QStringLiteral("Service")};
    QLineEdit *names[] = {nullptr, InsuranceCo, MOTStation, ServiceStation};
    QLineEdit *amounts[] = {Tax, InsuranceAmt, MOTAmt, ServiceAmt};
    QLineEdit *dues[] = {Taxduebox, InsuranceDue, MOTDue, ServiceDue};
    QComboBox *rates[] = {TaxRemindRate, InsRemindRate, MOTRemindRate, ServiceRemindRate};
    QSpinBox *delays[] = {TaxDelay, InsDelay, MOTDelay, ServiceDelay};
    for (int k = 0; k < 4; ++k) {
        *reminds[k] = new QCheckBox(QStringLiteral("Remind me"), renewals);
        (*reminds[k])->setObjectName(QLatin1String(remindNames[k]));
        *buttons[k] = new QToolButton(renewals);
        (*buttons[k])->setObjectName(QLatin1String(buttonNames[k]));
        (*buttons[k])->setText(QStringLiteral("..."));
        (*buttons[k])->setToolTip(QLatin1String(hints[k]));
        (*buttons[k])->setProperty("tag", k);
        connect(*buttons[k], &QToolButton::clicked, this, [this, k] { SelectDateBtn(k); });
        const int top = 2 * k;
        g->addWidget(new QLabel(titles[k], renewals), top, 0);
        if (names[k])
            g->addWidget(names[k], top, 1);
        g->addWidget(new QLabel(QStringLiteral("Amount"), renewals), top, 2);
        g->addWidget(amounts[k], top, 3);
        g->addWidget(new QLabel(QStringLiteral("Due"), renewals), top, 4);
        auto *due = new QHBoxLayout;
        due->setSpacing(2);
        due->addWidget(dues[k]);
        due->addWidget(*buttons[k]);
        g->addLayout(due, top, 5);
        g->addWidget(*reminds[k], top + 1, 1);
        g->addWidget(rates[k], top + 1, 3);
        // "Starting [n] Days before Due" as one run across the two last
        // columns, so that the narrow due date column does not cut it.
        auto *delay = new QHBoxLayout;
        delay->setSpacing(4);
        delay->addWidget(new QLabel(QStringLiteral("Starting"), renewals));
        delays[k]->setMaximumWidth(delays[k]->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 28);
        delay->addWidget(delays[k]);
        delay->addWidget(new QLabel(QStringLiteral("Days before Due"), renewals));
        delay->addStretch();
        g->addLayout(delay, top + 1, 4, 1, 2);
        rates[k]->setEditText(QStringLiteral("Every Day"));
    }
    g->setColumnStretch(1, 2);
    g->setColumnStretch(5, 1);

    auto *sundries = new QGroupBox(QStringLiteral("Sundries"), this);
    auto *s = new QHBoxLayout(sundries);
    NumSundrysDisp = new QLabel(QStringLiteral("0"), sundries);
    NumSundrysDisp->setObjectName(QStringLiteral("NumSundrysDisp"));
    SundryDisp = new QLabel(QStringLiteral("0.00"), sundries);
    SundryDisp->setObjectName(QStringLiteral("SundryDisp"));
    s->addWidget(new QLabel(QStringLiteral("Sundry Items this year"), sundries));
    s->addWidget(NumSundrysDisp);
    s->addSpacing(20);
    s->addWidget(new QLabel(QStringLiteral("Total Cost"), sundries));
    s->addWidget(SundryDisp);
    s->addStretch();

    auto *columns = new QHBoxLayout;
    columns->addWidget(vehicle, 2);
    auto *right = new QVBoxLayout;
    right->addWidget(renewals);
    right->addWidget(sundries);
    right->addStretch();
    columns->addLayout(right, 5);
    outer->addLayout(columns);

    IdBox = edit("IdBox", this);
    IdBox->setText(QStringLiteral("1"));
    IdBox->hide();
    auto *bottom = new QHBoxLayout;
    Label7 = new QLabel(QStringLiteral("* Mandatory Field"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    bottom->addWidget(Label7);
    bottom->addStretch();
    Newdetailsaccept = new QPushButton(QStringLiteral("Accept"), this);
    Newdetailsaccept->setObjectName(QStringLiteral("Newdetailsaccept"));
    CancelnewDets = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelnewDets->setObjectName(QStringLiteral("CancelnewDets"));
    ClearButt = new QPushButton(QStringLiteral("C&lear"), this);
    ClearButt->setObjectName(QStringLiteral("ClearButt"));
    Button1 = new QPushButton(QStringLiteral("Hel&p"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    for (QPushButton *b : {Newdetailsaccept, CancelnewDets, ClearButt, Button1})
        bottom->addWidget(b);
    outer->addLayout(bottom);
    outer->addStretch(1);
    connect(ClearButt, &QPushButton::clicked, this, &DetailsPanel::ClearButtClick);
    SetHelpButton(Button1, state.platform(), HelpTopic::Vehicles);
    EnterPressesButtons(this);
    hide();
}

void DetailsPanel::Choose(QComboBox *box, int position)
{
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
    box->setProperty("typed", false);
}

int DetailsPanel::Position(const QComboBox *box)
{
    return box->property("typed").toBool() ? -1 : box->currentIndex();
}

int DetailsPanel::VehicleTypeOf(int position) { return position >= 0 && position <= 6 ? position : 4; }

QDate DetailsPanel::dateIn(const QLineEdit *box) const
{
    const QDate d = ReadShortDate(box->text(), state.platform().Locale());
    return d.isValid() ? d : state.platform().Today();
}

QString DetailsPanel::dateText(double days) const
{
    return ShortDateText(VehicleFile::FromDays(days), state.platform().Locale());
}

bool DetailsPanel::boxesReadable()
{
    // A slip in a box is refused rather than stored as 0 or today; an empty
    // box still means 0 or today, as a record always holds a date.
    const QLocale locale = state.platform().Locale();
    // The vehicle list keeps road tax, MOT and service as whole amounts and
    // the insurance with its pence: a fraction where none can be kept is
    // refused rather than rounded without a word.
    const struct {
        QLineEdit *box;
        const char *name;
        bool whole;
    } amounts[] = {{Tax, "Road tax amount", true},
                   {InsuranceAmt, "Insurance amount", false},
                   {MOTAmt, "MOT amount", true},
                   {ServiceAmt, "Service amount", true}};
    for (const auto &[box, name, whole] : amounts) {
        // Thousands may be grouped with commas ("1,234.50"); "12,50" is no
        // number here, since "." is the decimal point in every box.
        static const QRegularExpression grouped(QStringLiteral("^[-+]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
        QString text = box->text().trimmed();
        if (grouped.match(text).hasMatch())
            text.remove(QLatin1Char(','));
        const NumberText::RealReading r = NumberText::ReadReal(text);
        const bool number = r.ok && std::isfinite(r.value) && std::abs(r.value) < 1e9;
        if (text.isEmpty() || (number && (!whole || r.value == std::trunc(r.value))))
            continue;
        state.platform().ShowMessage(QLatin1String(name)
                                     + (whole ? QStringLiteral(": type a whole amount such as 165 (the vehicle list keeps no pence for it)")
                                              : QStringLiteral(": type a plain number such as 650.50")));
        box->setFocus();
        return false;
    }
    const std::pair<QLineEdit *, const char *> dates[] = {{AquiredBox, "Date acquired"},
                                                         {Taxduebox, "Road tax due date"},
                                                         {InsuranceDue, "Insurance due date"},
                                                         {MOTDue, "MOT due date"},
                                                         {ServiceDue, "Service due date"}};
    for (const auto &[box, name] : dates) {
        const QString text = box->text().trimmed();
        if (text.isEmpty() || ReadShortDate(text, locale).isValid())
            continue;
        state.platform().ShowMessage(QLatin1String(name) + QStringLiteral(": type a date such as ")
                                     + ShortDateText(QDate(2027, 1, 31), locale));
        box->setFocus();
        return false;
    }
    return true;
}

bool DetailsPanel::StoreDetails(TVehicleRecord &r)
{
    if (!boxesReadable())
        return false;
    bool ok = true;
    const QString reg = RegBox->text();
    if (reg.size() < 2) {
        ok = false;
        state.platform().ShowMessage(QStringLiteral("Registration is a required field"));
    } else if (!IsFileSafeRegistration(reg)) {
        ok = false; // it names the vehicle's data file
        state.platform().ShowMessage(QStringLiteral("Registration contains characters that cannot be used in a file name"));
    } else {
        r.Registration = reg;
    }
    const int type = Position(VtypeSelect);
    r.VehicleType = quint8(VehicleTypeOf(type));
    r.ImageIndex = type;
    r.Fuel = FuelType->currentIndex();
    r.Manufacturer = Manuf->text().left(VehicleFile::Width::Manufacturer);
    int id = 0;
    r.Id = NumberText::ReadWhole(IdBox->text().trimmed(), &id) ? id : 0;
    r.Model = Edit4->text().left(VehicleFile::Width::Model);
    r.TaxGroup = TaxGroupBox->currentIndex();
    r.EngineCapacity = CapacitySelect->value();
    r.Colour = Edit6->text().left(VehicleFile::Width::Colour);
    r.Archived = ArchiveVeh->isChecked() ? 1 : 0;
    r.Acquired = VehicleFile::ToDays(dateIn(AquiredBox));
    r.RoadTax = wholeAmount(Tax->text());
    r.InsuranceAmount = LenientReal(InsuranceAmt->text());
    r.MOTAmount = wholeAmount(MOTAmt->text());
    r.ServiceAmount = wholeAmount(ServiceAmt->text());
    r.InsuranceCompany = InsuranceCo->text().left(VehicleFile::Width::Company);
    r.MOTStation = MOTStation->text().left(VehicleFile::Width::Company);
    r.ServiceStation = ServiceStation->text().left(VehicleFile::Width::Company);
    const QLineEdit *dues[] = {Taxduebox, InsuranceDue, MOTDue, ServiceDue};
    const QCheckBox *reminds[] = {TaxRemind, InsureRemind, MOTRemind, ServiceRemind};
    const QSpinBox *delays[] = {TaxDelay, InsDelay, MOTDelay, ServiceDelay};
    const QComboBox *rates[] = {TaxRemindRate, InsRemindRate, MOTRemindRate, ServiceRemindRate};
    for (int k = 0; k < 4; ++k) {
        TRenewalReminder &m = r.Reminders[k];
        m.Due = VehicleFile::ToDays(dateIn(dues[k]));
        m.Remind = reminds[k]->isChecked();
        m.DaysBefore = delays[k]->value();
        const int rate = Position(rates[k]);
        if (rate == 0 || rate == 1) {
            m.Rate = rate;
            m.Stopped = false;
        } else {
            m.Stopped = true; // "Stopped", or nothing chosen
        }
    }
    return ok;
}

void DetailsPanel::ShowDetails(const TVehicleRecord &r, int slot)
{
    hide();
    RegBox->setText(r.Registration);
    Choose(FuelType, r.Fuel);
    Manuf->setText(r.Manufacturer);
    IdBox->setText(QString::number(slot));
    Edit4->setText(r.Model);
    Choose(TaxGroupBox, r.TaxGroup);
    CapacitySelect->setValue(r.EngineCapacity);
    CapacityBox->setText(QString::number(CapacitySelect->value()));
    Edit6->setText(r.Colour);
    AquiredBox->setText(dateText(r.Acquired));
    ArchiveVeh->setChecked(r.Archived != 0);
    Choose(VtypeSelect, r.VehicleType);
    Tax->setText(QString::number(r.RoadTax));
    QLineEdit *dues[] = {Taxduebox, InsuranceDue, MOTDue, ServiceDue};
    QCheckBox *reminds[] = {TaxRemind, InsureRemind, MOTRemind, ServiceRemind};
    QSpinBox *delays[] = {TaxDelay, InsDelay, MOTDelay, ServiceDelay};
    QComboBox *rates[] = {TaxRemindRate, InsRemindRate, MOTRemindRate, ServiceRemindRate};
    for (int k = 0; k < 4; ++k) {
        const TRenewalReminder &m = r.Reminders[k];
        dues[k]->setText(dateText(m.Due));
        reminds[k]->setChecked(m.Remind);
        delays[k]->setValue(m.DaysBefore);
        const int position = m.Stopped ? 2 : m.Rate;
        Choose(rates[k], position);
    }
    InsuranceCo->setText(r.InsuranceCompany);
    InsuranceAmt->setText(NumberText::FormatFixed(r.InsuranceAmount, 5, 2));
    MOTStation->setText(r.MOTStation);
    MOTAmt->setText(QString::number(r.MOTAmount));
    ServiceStation->setText(r.ServiceStation);
    ServiceAmt->setText(QString::number(r.ServiceAmount));
    NumSundrysDisp->setText(QString::number(r.SundryCount));
    SundryDisp->setText(NumberText::FormatFixed(SundryTotal(r), 5, 2));
    show();
}

void DetailsPanel::ClearButtClick()
{
    for (QLineEdit *e : {RegBox, Manuf, Edit4, CapacityBox, Edit6, AquiredBox, Tax, Taxduebox, InsuranceCo, InsuranceAmt,
                         InsuranceDue, MOTDue, MOTAmt, MOTStation, ServiceDue, ServiceStation, ServiceAmt})
        e->clear();
    Choose(FuelType, 0);
    Choose(TaxGroupBox, 1);
    for (QSpinBox *s : {TaxDelay, InsDelay, MOTDelay, ServiceDelay})
        s->setValue(0);
    for (QCheckBox *c : {TaxRemind, InsureRemind, MOTRemind, ServiceRemind})
        c->setChecked(false);
    for (QComboBox *c : {TaxRemindRate, InsRemindRate, MOTRemindRate, ServiceRemindRate})
        Choose(c, 0);
}

void DetailsPanel::SelectDateBtn(int tag)
{
    if (tag < 0 || tag > 3)
        return;
    static const char *const requests[] = {"Please select a date for Road Tax Payment", "Please select a date for Insurance",
                                           "Please select an MOT date", "Please select a Service date"};
    QLineEdit *dues[] = {Taxduebox, InsuranceDue, MOTDue, ServiceDue};
    QLineEdit *due = dues[tag];
    const QLocale locale = state.platform().Locale();
    TCalendarForm calendar(this);
    shell.SetStatus(5, QStringLiteral("Short Format ") + locale.dateFormat(QLocale::ShortFormat) + QStringLiteral(" Long Format ")
                          + locale.dateFormat(QLocale::LongFormat));
    calendar.Info->setText(QLatin1String(requests[tag]));
    const QDate shown = ReadShortDate(due->text(), locale);
    if (shown.isValid()) {
        calendar.Cal->setSelectedDate(shown);
        shell.SetStatus(5, QStringLiteral("DATE CHANGED"));
    } else {
        calendar.Cal->setSelectedDate(state.platform().Today());
        shell.SetStatus(5, QStringLiteral("DATE ERROR: ") + due->text() + QStringLiteral(" Using Todays Date"));
    }
    if (state.platform().ExecModal(calendar) == QDialog::Accepted)
        due->setText(ShortDateText(calendar.Cal->selectedDate(), locale));
}
