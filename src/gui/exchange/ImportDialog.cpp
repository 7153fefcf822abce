#include "gui/exchange/ImportDialog.h"

#include "core/fuellog/NumberText.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <QHash>
#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

using namespace LogImport;

namespace {
QString fillUps(int n) { return n == 1 ? QStringLiteral("1 fill-up") : QStringLiteral("%1 fill-ups").arg(n); }
QString rows(int n) { return n == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(n); }

// Each question's answers in the order its box lists them.
const DateOrder DateOrders[] = {DateOrder::DayFirst, DateOrder::MonthFirst};
const DistanceUnit Distances[] = {DistanceUnit::Miles, DistanceUnit::Kilometres};
const FuelUnit Fuels[] = {FuelUnit::Litres, FuelUnit::ImperialGallons, FuelUnit::UsGallons};
const MoneyKind Kinds[] = {MoneyKind::Total, MoneyKind::PerUnit};
const MoneyUnit Units[] = {MoneyUnit::Pounds, MoneyUnit::Pence};
const CurrencyUse Uses[] = {CurrencyUse::Convert, CurrencyUse::Keep};

template <typename T, size_t N>
int indexOf(const T (&list)[N], T value)
{
    const auto at = std::find(std::begin(list), std::end(list), value);
    return at == std::end(list) ? -1 : int(at - std::begin(list));
}

void setQuietly(QComboBox *box, int index)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}
} // namespace

ImportDialog::ImportDialog(const Source &read, const QStringList &current, const QString &fileName, Platform &platform,
                           QWidget *parent, Progress shown)
    : QDialog(parent), source(read), log(current), progress(std::move(shown))
{
    setObjectName(QStringLiteral("ImportDialog"));
    setProperty("helpContext", HelpTopic::Exchange);
    setWindowTitle(QStringLiteral("Import Fill-ups"));
    auto *layout = new QVBoxLayout(this);

    FileLabel = new QLabel(QStringLiteral("Fill-ups from %1").arg(QFileInfo(fileName).fileName()), this);
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    layout->addWidget(FileLabel);

    // The columns: what the header or the values say, which the user can change.
    auto *mapping = new QGroupBox(QStringLiteral("Columns"), this);
    mapping->setObjectName(QStringLiteral("Mapping"));
    columnsForm = new QFormLayout(mapping);
    const QString choose = QStringLiteral("(choose)"), none = QStringLiteral("(none)");
    DateColumn = columnBox(columnsForm, "DateColumn", QStringLiteral("D&ate"), choose);
    OdometerColumn = columnBox(columnsForm, "OdometerColumn", QStringLiteral("&Odometer"), choose);
    StartReadingEdit = new QLineEdit(this);
    StartReadingEdit->setObjectName(QStringLiteral("StartReadingEdit"));
    columnsForm->addRow(QStringLiteral("Start readin&g"), StartReadingEdit);
    hintUnder(columnsForm, QStringLiteral("StartReadingEditHint"));
    QuantityColumn = columnBox(columnsForm, "QuantityColumn", QStringLiteral("&Quantity"), choose);
    MoneyColumn = columnBox(columnsForm, "MoneyColumn", QStringLiteral("Mo&ney"), choose);
    FullColumn = columnBox(columnsForm, "FullColumn", QStringLiteral("Tank mar&k"), none);
    MarkSenseBox = new QComboBox(this);
    MarkSenseBox->setObjectName(QStringLiteral("MarkSenseBox"));
    columnsForm->addRow(QStringLiteral("Mark &reads"), MarkSenseBox);
    hintUnder(columnsForm, QStringLiteral("MarkSenseBoxHint"));
    MissedColumn = columnBox(columnsForm, "MissedColumn", QStringLiteral("Missed fill-u&p"), none);
    auto *top = new QHBoxLayout;
    top->addWidget(mapping);

    // Questions only for what neither the header nor the rows make clear.
    auto *questions = new QGroupBox(QStringLiteral("About this file"), this);
    questions->setObjectName(QStringLiteral("Questions"));
    questionsForm = new QFormLayout(questions);
    DateOrderBox = question(questionsForm, "DateOrderBox", QStringLiteral("Dates are &written"),
                            {QStringLiteral("day/month/year"), QStringLiteral("month/day/year")});
    DistanceUnitBox = question(questionsForm, "DistanceUnitBox", QStringLiteral("Dis&tances are in"),
                               {QStringLiteral("miles"), QStringLiteral("kilometres")});
    FuelUnitBox = question(questionsForm, "FuelUnitBox", QStringLiteral("&Fuel is measured in"),
                           {QStringLiteral("litres"), QStringLiteral("imperial gallons"),
                            QStringLiteral("US gallons (3.785 litres)")});
    MoneyKindBox = question(questionsForm, "MoneyKindBox", QStringLiteral("Money &column is"),
                            {QStringLiteral("the total cost of the fill-up"), QStringLiteral("the price per unit of fuel")});
    MoneyUnitBox = question(questionsForm, "MoneyUnitBox", QStringLiteral("Money is in &units of"),
                            {QStringLiteral("pounds"), QStringLiteral("pence")});
    const QString currency = source.currency;
    CurrencyBox = question(questionsForm, "CurrencyBox", QStringLiteral("Currenc&y"),
                           {QStringLiteral("convert to pounds at a rate"), QStringLiteral("my log keeps %1").arg(currency)});
    RateEdit = new QLineEdit(this);
    RateEdit->setObjectName(QStringLiteral("RateEdit"));
    RateEdit->setPlaceholderText(QStringLiteral("rate"));
    auto *rate = new QWidget(this);
    rate->setObjectName(QStringLiteral("Rate"));
    auto *rateRow = new QHBoxLayout(rate);
    rateRow->setContentsMargins(0, 0, 0, 0);
    rateRow->addWidget(RateEdit);
    rateRow->addWidget(new QLabel(QStringLiteral("\u00A3"), rate));
    auto *rateLabel = new QLabel(QStringLiteral("Rat&e: 1 %1 =").arg(currency), this);
    rateLabel->setBuddy(RateEdit);
    questionsForm->addRow(rateLabel, rate);
    top->addWidget(questions, 1);
    top->addStretch(); // with nothing to ask the column boxes keep their own width
    layout->addLayout(top);

    WaitingNote = new QLabel(this);
    WaitingNote->setObjectName(QStringLiteral("WaitingNote"));
    WaitingNote->setWordWrap(true);
    layout->addWidget(WaitingNote);

    Preview = new QTableWidget(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Preview->verticalHeader()->setVisible(false);
    Preview->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(Preview, 2);

    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setWordWrap(true);
    layout->addWidget(SummaryLabel);
    RefusedList = new QPlainTextEdit(this);
    RefusedList->setObjectName(QStringLiteral("RefusedList"));
    RefusedList->setReadOnly(true);
    RefusedList->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A few lines, scrolled: the preview above is what a person looks at.
    RefusedList->setMaximumHeight(RefusedList->fontMetrics().lineSpacing() * 4 + 2 * RefusedList->frameWidth() + 8);
    layout->addWidget(RefusedList, 1);
    FlagsNote = new QLabel(this);
    FlagsNote->setObjectName(QStringLiteral("FlagsNote"));
    FlagsNote->setWordWrap(true);
    layout->addWidget(FlagsNote);

    auto *buttons = new QDialogButtonBox(this);
    ImportOk = NamedButton("ImportOk", QStringLiteral("&Import"), this);
    ImportCancel = NamedButton("ImportCancel", QStringLiteral("Cancel"), this);
    ImportHelp = NamedButton("ImportHelp", QStringLiteral("&Help"), this);
    buttons->addButton(ImportOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(ImportCancel, QDialogButtonBox::RejectRole);
    buttons->addButton(ImportHelp, QDialogButtonBox::HelpRole);
    SetHelpButton(ImportHelp, platform, HelpTopic::Exchange);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    EnterPressesButtons(this);

    // An answer the user gives is kept across a column chosen again.
    auto answer = [this](QComboBox *box, auto field, const auto &list) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, field, &list](int index) {
            if (index < 0)
                return;
            answered.*field = list[index];
            if constexpr (std::is_same_v<decltype(field), CurrencyUse Answers::*>)
                showQuestions(); // the rate's row comes and goes
            prepare();
        });
    };
    answer(DateOrderBox, &Answers::dateOrder, DateOrders);
    answer(DistanceUnitBox, &Answers::distance, Distances);
    answer(FuelUnitBox, &Answers::fuel, Fuels);
    answer(MoneyKindBox, &Answers::moneyKind, Kinds);
    answer(MoneyUnitBox, &Answers::moneyUnit, Units);
    answer(CurrencyBox, &Answers::currency, Uses);
    connect(StartReadingEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        double value = -1;
        answered.startReading = ReadNumber(text, false, &value) && value >= 0 ? value : -1;
        prepare();
    });
    connect(RateEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        double value = 0;
        answered.rate = ReadNumber(text, text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('.')), &value) ? value : 0;
        prepare();
    });
    for (QComboBox *box : {DateColumn, OdometerColumn, QuantityColumn, MoneyColumn, FullColumn, MissedColumn})
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { columnChosen(box); });
    connect(MarkSenseBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        const QString how = MarkSenseBox->itemData(index).toString();
        Columns &c = this->source.columns;
        c.sense = how == QLatin1String("full")      ? MarkSense::FullIsYes
                  : how == QLatin1String("partial") ? MarkSense::PartialIsYes
                                                    : MarkSense::Codes;
        if (c.sense == MarkSense::Codes && how.mid(5) != c.partialCode) {
            c.partialCode = how.mid(5);
            if (c.missedCode == c.partialCode)
                c.missedCode.clear();
        }
        prepare();
    });

    fillSenseBox();
    showQuestions();
    showColumnHints();
    showStartReading();
    prepare();
    ResizeWithinScreen(this, QSize(780, 720));
}

void ImportDialog::Preset(const Columns &columns, const Answers &preset)
{
    const std::pair<QComboBox *, int> boxes[] = {{DateColumn, columns.date},         {OdometerColumn, columns.odometer},
                                                 {QuantityColumn, columns.quantity}, {MoneyColumn, columns.money},
                                                 {FullColumn, columns.full},         {MissedColumn, columns.missed}};
    for (const auto &[box, column] : boxes)
        if (const int at = box->findData(box == OdometerColumn && column < 0 ? -2 - columns.trip : column); at >= 0)
            setQuietly(box, at);
    Columns &c = source.columns;
    const bool sameFull = columns.full == c.full;
    const bool sameMoney = columns.money == c.money;
    c.date = DateColumn->currentData().toInt();
    c.odometer = std::max(-1, OdometerColumn->currentData().toInt());
    c.trip = OdometerColumn->currentData().toInt() <= -2 ? -2 - OdometerColumn->currentData().toInt() : -1;
    c.quantity = QuantityColumn->currentData().toInt();
    c.money = MoneyColumn->currentData().toInt();
    c.full = FullColumn->currentData().toInt();
    c.missed = MissedColumn->currentData().toInt();
    if (!sameMoney)
        c.total = -1; // the checking total belonged to the header's choice
    if (!sameFull)
        ReadMarkColumn(source);
    if (c.full == columns.full) {
        c.sense = columns.sense;
        c.partialCode = columns.partialCode;
        c.missedCode = columns.missedCode;
    }
    Weigh(source);
    answered = preset;
    answered.rate = 0;
    fillSenseBox();
    showQuestions();
    showColumnHints();
    showStartReading();
    prepare();
}

QString ImportDialog::Choices() const { return ChoicesText(source.columns, source.Resolve(answered)); }

QLabel *ImportDialog::hintUnder(QFormLayout *form, const QString &name)
{
    // Why a box is preset so, in a line under it (shown when there is
    // something to say).
    auto *why = new QLabel(this);
    why->setObjectName(name);
    why->setWordWrap(true);
    QFont small = why->font();
    small.setItalic(true);
    why->setFont(small);
    form->addRow(QString(), why);
    form->setRowVisible(why, false);
    return why;
}

QComboBox *ImportDialog::columnBox(QFormLayout *form, const char *name, const QString &caption, const QString &blank)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    // A file of thousands of columns (a broken export) offers the first
    // thousand, and the one found; measuring every item would stall.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(18);
    box->addItem(blank, -1);
    const int offered = int(std::min<qsizetype>(source.headers.size(), MostColumnsOffered));
    for (int i = 0; i < offered; ++i)
        box->addItem(source.headers[i], i);
    const Columns &c = source.columns;
    const int column = box->objectName() == QLatin1String("DateColumn")       ? c.date
                       : box->objectName() == QLatin1String("OdometerColumn") ? c.odometer
                       : box->objectName() == QLatin1String("QuantityColumn") ? c.quantity
                       : box->objectName() == QLatin1String("MoneyColumn")    ? c.money
                       : box->objectName() == QLatin1String("FullColumn")     ? c.full
                                                                              : c.missed;
    if (column >= offered && column < source.headers.size())
        box->addItem(source.headers[column], column);
    if (box->objectName() == QLatin1String("OdometerColumn")) {
        // Distances since the last fill-up, to add up into readings.
        for (int i = 0; i < source.headings.size(); ++i) {
            const ImportWords::Role role = source.headings[i].role;
            if (role == ImportWords::Role::Trip || role == ImportWords::Role::Odometer || i == c.trip)
                box->addItem(QStringLiteral("%1 (trips, added up)").arg(source.headers[i]), -2 - i);
        }
    }
    box->setCurrentIndex(std::max(0, box->findData(column < 0 && box->objectName() == QLatin1String("OdometerColumn") && c.trip >= 0
                                                       ? -2 - c.trip
                                                       : column)));
    form->addRow(caption, box);
    hintUnder(form, QLatin1String(name) + QStringLiteral("Hint"));
    return box;
}

QComboBox *ImportDialog::question(QFormLayout *form, const char *name, const QString &caption, const QStringList &items)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    // An answer the file gives no evidence for is not preset: it waits.
    box->setPlaceholderText(QStringLiteral("(choose)"));
    box->setCurrentIndex(-1);
    form->addRow(caption, box);
    hintUnder(form, QLatin1String(name) + QStringLiteral("Hint"));
    return box;
}

void ImportDialog::columnChosen(QComboBox *box)
{
    Columns &c = source.columns;
    const int column = box->currentData().toInt();
    if (box == DateColumn) {
        c.date = column;
        source.hints.date.clear();
    } else if (box == OdometerColumn) {
        c.odometer = column >= 0 ? column : -1;
        c.trip = column <= -2 ? -2 - column : -1;
        source.hints.odometer.clear();
    } else if (box == QuantityColumn) {
        c.quantity = column;
        source.hints.quantity.clear();
    } else if (box == MoneyColumn) {
        c.money = column;
        c.total = -1; // the checking total belonged to the header's choice
        source.hints.moneyColumn.clear();
    } else if (box == FullColumn) {
        c.full = column;
        ReadMarkColumn(source);
        fillSenseBox();
    } else {
        c.missed = column;
        source.hints.missed.clear();
    }
    // The units may now be told or suggested otherwise: weigh again.
    Weigh(source);
    showQuestions();
    showColumnHints();
    showStartReading();
    prepare();
}

void ImportDialog::showStartReading()
{
    const bool trips = source.columns.odometer < 0 && source.columns.trip >= 0;
    columnsForm->setRowVisible(StartReadingEdit, trips);
    if (trips && answered.startReading < 0 && source.suggested.startReading >= 0) {
        const QSignalBlocker quiet(StartReadingEdit);
        StartReadingEdit->setText(NumberText::FormatPlain(source.suggested.startReading));
    }
    auto *hint = findChild<QLabel *>(QStringLiteral("StartReadingEditHint"));
    hint->setText(source.hints.startReading);
    columnsForm->setRowVisible(hint, trips && !source.hints.startReading.isEmpty());
}

void ImportDialog::fillSenseBox()
{
    const QSignalBlocker quiet(MarkSenseBox);
    MarkSenseBox->clear();
    const Columns &c = source.columns;
    MarkSenseBox->addItem(QStringLiteral("Full tank (1 = full)"), QStringLiteral("full"));
    MarkSenseBox->addItem(QStringLiteral("Partial fill (1 = partial)"), QStringLiteral("partial"));
    for (const QString &code : std::as_const(source.markCodes))
        MarkSenseBox->addItem(QStringLiteral("Code %1 means partial").arg(code), QStringLiteral("code:") + code);
    const QString current = c.sense == MarkSense::FullIsYes      ? QStringLiteral("full")
                            : c.sense == MarkSense::PartialIsYes ? QStringLiteral("partial")
                                                                 : QStringLiteral("code:") + c.partialCode;
    MarkSenseBox->setCurrentIndex(std::max(0, MarkSenseBox->findData(current)));
    columnsForm->setRowVisible(MarkSenseBox, c.full >= 0);
    auto *hint = findChild<QLabel *>(QStringLiteral("MarkSenseBoxHint"));
    hint->setText(source.hints.full);
    columnsForm->setRowVisible(hint, c.full >= 0 && !source.hints.full.isEmpty());
}

void ImportDialog::showColumnHints()
{
    const std::pair<QComboBox *, QString> hints[] = {
        {DateColumn, source.hints.date},         {OdometerColumn, source.hints.odometer},
        {QuantityColumn, source.hints.quantity}, {MoneyColumn, source.hints.moneyColumn},
        {MissedColumn, source.hints.missed},     {FullColumn, QString()},
    };
    for (const auto &[box, text] : hints) {
        auto *hint = findChild<QLabel *>(box->objectName() + QStringLiteral("Hint"));
        hint->setText(text);
        columnsForm->setRowVisible(hint, !text.isEmpty());
    }
}

void ImportDialog::showQuestions()
{
    const Answers &told = source.told, &guess = source.suggested;
    auto show = [this](QComboBox *box, bool ask, int index, const QString &hint) {
        questionsForm->setRowVisible(box, ask);
        setQuietly(box, ask ? index : -1);
        auto *why = findChild<QLabel *>(box->objectName() + QStringLiteral("Hint"));
        why->setText(hint);
        questionsForm->setRowVisible(why, ask && !hint.isEmpty());
    };
    auto pick = [](auto answer, auto suggestion) { return answer != decltype(answer)::Unknown ? answer : suggestion; };
    show(DateOrderBox, told.dateOrder == DateOrder::Unknown, indexOf(DateOrders, pick(answered.dateOrder, guess.dateOrder)),
         source.hints.dateOrder);
    show(DistanceUnitBox, told.distance == DistanceUnit::Unknown, indexOf(Distances, pick(answered.distance, guess.distance)),
         source.hints.distance);
    show(FuelUnitBox, told.fuel == FuelUnit::Unknown, indexOf(Fuels, pick(answered.fuel, guess.fuel)), source.hints.fuel);
    const bool moneyChosen = source.columns.money >= 0;
    show(MoneyKindBox, moneyChosen && told.moneyKind == MoneyKind::Unknown,
         indexOf(Kinds, pick(answered.moneyKind, guess.moneyKind)), told.moneyUnit == MoneyUnit::Unknown ? QString() : source.hints.money);
    show(MoneyUnitBox, moneyChosen && told.moneyUnit == MoneyUnit::Unknown,
         indexOf(Units, pick(answered.moneyUnit, guess.moneyUnit)), source.hints.money);
    const bool foreign = !source.currency.isEmpty();
    show(CurrencyBox, foreign, indexOf(Uses, answered.currency),
         foreign ? source.hints.currency + QStringLiteral(": convert them, or keep them if your log keeps ") + source.currency
                 : QString());
    questionsForm->setRowVisible(findChild<QWidget *>(QStringLiteral("Rate")), foreign && answered.currency == CurrencyUse::Convert);
    bool any = false;
    for (QComboBox *box : {DateOrderBox, DistanceUnitBox, FuelUnitBox, MoneyKindBox, MoneyUnitBox, CurrencyBox})
        any |= questionsForm->isRowVisible(box);
    findChild<QGroupBox *>(QStringLiteral("Questions"))->setVisible(any);
}

void ImportDialog::prepare()
{
    plan = Prepare(source, answered, log, progress);
    const Answers resolved = source.Resolve(answered);
    WaitingNote->setText(plan.waiting.join(QLatin1Char('\n')));
    WaitingNote->setVisible(!plan.waiting.isEmpty());
    if (plan.cancelled || !plan.waiting.isEmpty()) {
        SummaryLabel->setText(plan.cancelled ? QStringLiteral("Cancelled: nothing will be added.")
                                             : QStringLiteral("Nothing can be added until the lines above are seen to."));
        RefusedList->hide();
        FlagsNote->hide();
        ImportOk->setEnabled(false);
        showPreview();
        return;
    }
    QString summary = QStringLiteral("%1 will be added.").arg(fillUps(int(plan.added.size())));
    if (plan.duplicates > 0)
        summary += QStringLiteral(" %1 already in the log and will be skipped.")
                       .arg(plan.duplicates == 1 ? QStringLiteral("1 is") : QStringLiteral("%1 are").arg(plan.duplicates));
    if (!plan.refused.isEmpty())
        summary += QStringLiteral(" %1 cannot be imported:").arg(rows(int(plan.refused.size())));
    SummaryLabel->setText(summary);

    QStringList lines;
    lines.reserve(plan.refused.size());
    for (const Refusal &r : plan.refused)
        lines << QStringLiteral("Line %1: %2").arg(r.line).arg(r.reason);
    RefusedList->setPlainText(lines.join(QLatin1Char('\n')));
    RefusedList->setVisible(!plan.refused.isEmpty());

    QStringList marks;
    if (plan.notFull > 0)
        marks << QStringLiteral("%1 marked as not filling the tank").arg(plan.notFull);
    if (plan.missed > 0)
        marks << QStringLiteral("%1 marked as following a missed fill-up").arg(plan.missed);
    FlagsNote->setText(marks.isEmpty() ? QString()
                                       : QStringLiteral("Of the fill-ups added, %1. The marks are kept, and the "
                                                        "figures leave those fill-ups out.")
                                             .arg(marks.join(QStringLiteral(" and "))));
    FlagsNote->setVisible(!marks.isEmpty());
    // The money's hint follows the answers as they stand now, under the
    // unit's question, or the kind's when the unit is not asked.
    const QString money = plan.added.isEmpty() ? source.hints.money : MoneyHint(plan, source, resolved);
    const bool unitAsked = source.told.moneyUnit == MoneyUnit::Unknown;
    auto *hint = findChild<QLabel *>(QLatin1String(unitAsked ? "MoneyUnitBoxHint" : "MoneyKindBoxHint"));
    QComboBox *box = unitAsked ? MoneyUnitBox : MoneyKindBox;
    hint->setText(money);
    questionsForm->setRowVisible(hint, questionsForm->isRowVisible(box) && !money.isEmpty());
    ImportOk->setEnabled(!plan.added.isEmpty());
    if (!plan.added.isEmpty())
        ImportOk->setDefault(true);
    showPreview();
}

void ImportDialog::showPreview()
{
    // At most 20 rows: a table of items is fine at that size.
    const int shown = int(std::min<qsizetype>(source.rows.size(), 20));
    QHash<int, const Fill *> added;
    for (const Fill &f : plan.added)
        added.insert(f.line, &f);
    QHash<int, QString> refused;
    for (const Refusal &r : plan.refused)
        refused.insert(r.line, r.reason);
    QStringList headings{QStringLiteral("Line"), QStringLiteral("Date"), QStringLiteral("Miles"), QStringLiteral("Litres"),
                         QStringLiteral("Pence a litre")};
    // The file's own columns, as many as a person looks at.
    const qsizetype more = source.headers.size() - MostColumnsShown;
    headings += source.headers.mid(0, MostColumnsShown);
    if (more > 0)
        headings << QStringLiteral("+ %1 more columns").arg(more);
    const bool waiting = !plan.waiting.isEmpty() || plan.cancelled;
    Preview->clear();
    Preview->clearSpans();
    Preview->setColumnCount(int(headings.size()));
    Preview->setRowCount(shown);
    Preview->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < shown; ++r) {
        const Source::Row &row = source.rows[r];
        auto put = [&](int column, const QString &text) { Preview->setItem(r, column, new QTableWidgetItem(text)); };
        put(0, QString::number(row.line));
        if (const Fill *f = added.value(row.line)) {
            for (int i = 0; i < 4; ++i)
                put(1 + i, f->lines[i]);
        } else if (waiting) {
            put(1, QString());
        } else if (refused.contains(row.line)) {
            put(1, QStringLiteral("Refused: ") + refused.value(row.line));
        } else {
            put(1, QStringLiteral("Already in the log"));
        }
        for (int i = 0; i < row.fields.size() && i < MostColumnsShown && 5 + i < headings.size(); ++i)
            put(5 + i, row.fields[i]);
        if (!added.contains(row.line))
            Preview->setSpan(r, 1, 1, 4);
    }
    Preview->resizeColumnsToContents();
}
