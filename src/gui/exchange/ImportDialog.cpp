#include "gui/exchange/ImportDialog.h"

#include "gui/shell/HelpTopics.h"
#include "gui/shell/Widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <QHash>
#include <algorithm>
#include <memory>
#include <vector>

using namespace LogImport;

namespace {
QString fillUps(int n) { return n == 1 ? QStringLiteral("1 fill-up") : QStringLiteral("%1 fill-ups").arg(n); }
QString rows(int n) { return n == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(n); }
} // namespace

ImportDialog::ImportDialog(const Source &source, const QStringList &log, const QString &fileName, Platform &platform,
                           QWidget *parent, Progress progress)
    : QDialog(parent), source(source), log(log), progress(std::move(progress))
{
    setObjectName(QStringLiteral("ImportDialog"));
    setProperty("helpContext", HelpTopic::Exchange);
    setWindowTitle(QStringLiteral("Import Fill-ups"));
    auto *layout = new QVBoxLayout(this);

    FileLabel = new QLabel(QStringLiteral("Fill-ups from %1").arg(QFileInfo(fileName).fileName()), this);
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    layout->addWidget(FileLabel);

    // The columns: what the header says, which the user can change.
    auto *mapping = new QGroupBox(QStringLiteral("Columns"), this);
    mapping->setObjectName(QStringLiteral("Mapping"));
    auto *columns = new QFormLayout(mapping);
    const Columns &c = source.columns;
    DateColumn = columnBox(columns, "DateColumn", QStringLiteral("D&ate"), c.date, false);
    OdometerColumn = columnBox(columns, "OdometerColumn", QStringLiteral("Odo&meter"), c.odometer, false);
    QuantityColumn = columnBox(columns, "QuantityColumn", QStringLiteral("&Quantity"), c.quantity, false);
    MoneyColumn = columnBox(columns, "MoneyColumn", QStringLiteral("Mo&ney"), c.money, false);
    FullColumn = columnBox(columns, "FullColumn", QStringLiteral("F&ull tank"), c.full, true);
    MissedColumn = columnBox(columns, "MissedColumn", QStringLiteral("Missed fill-&up"), c.missed, true);
    auto *top = new QHBoxLayout;
    top->addWidget(mapping);

    // Questions only for what neither the header nor the rows make clear.
    auto *questions = new QGroupBox(QStringLiteral("About this file"), this);
    questions->setObjectName(QStringLiteral("Questions"));
    auto *form = new QFormLayout(questions);
    const Answers &told = source.told, &guess = source.suggested;
    DateOrderBox = question(form, "DateOrderBox", QStringLiteral("&Dates are written"),
                            {QStringLiteral("day/month/year"), QStringLiteral("month/day/year")},
                            guess.dateOrder == DateOrder::MonthFirst, told.dateOrder == DateOrder::Unknown,
                            source.hints.dateOrder);
    DistanceUnitBox = question(form, "DistanceUnitBox", QStringLiteral("&Odometer readings are in"),
                               {QStringLiteral("miles"), QStringLiteral("kilometres")},
                               guess.distance == DistanceUnit::Kilometres, told.distance == DistanceUnit::Unknown,
                               source.hints.distance);
    FuelUnitBox = question(form, "FuelUnitBox", QStringLiteral("&Fuel is measured in"),
                           {QStringLiteral("litres"), QStringLiteral("imperial gallons"),
                            QStringLiteral("US gallons (3.785 litres)")},
                           guess.fuel == FuelUnit::ImperialGallons ? 1 : guess.fuel == FuelUnit::UsGallons ? 2 : 0,
                           told.fuel == FuelUnit::Unknown, source.hints.fuel);
    MoneyKindBox = question(form, "MoneyKindBox", QStringLiteral("The &money column is"),
                            {QStringLiteral("the total cost of the fill-up"), QStringLiteral("the price per unit of fuel")},
                            guess.moneyKind == MoneyKind::PerUnit, told.moneyKind == MoneyKind::Unknown,
                            told.moneyUnit == MoneyUnit::Unknown ? QString() : source.hints.money);
    MoneyUnitBox = question(form, "MoneyUnitBox", QStringLiteral("Money is in &units of"),
                            {QStringLiteral("pounds"), QStringLiteral("pence")},
                            guess.moneyUnit == MoneyUnit::Pence, told.moneyUnit == MoneyUnit::Unknown,
                            source.hints.money);
    questions->setVisible(form->rowCount() > 0);
    top->addWidget(questions, 1);
    top->addStretch(); // with nothing to ask the column boxes keep their own width
    layout->addLayout(top);

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

    for (QComboBox *box : {DateOrderBox, DistanceUnitBox, FuelUnitBox, MoneyKindBox, MoneyUnitBox})
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::prepare);
    QComboBox *const columnBoxes[] = {DateColumn, OdometerColumn, QuantityColumn, MoneyColumn, FullColumn, MissedColumn};
    int Columns::*const fields[] = {&Columns::date, &Columns::odometer, &Columns::quantity,
                                    &Columns::money, &Columns::full, &Columns::missed};
    for (int i = 0; i < 6; ++i)
        connect(columnBoxes[i], &QComboBox::currentIndexChanged, this, [this, box = columnBoxes[i], field = fields[i]] {
            this->source.columns.*field = box->currentData().toInt();
            if (field == &Columns::money)
                this->source.columns.total = -1; // the checking total belonged to the header's choice
            prepare();
        });
    prepare();
    ResizeWithinScreen(this, QSize(720, 560));
}

void ImportDialog::Preset(const Columns &columns, const Answers &preset)
{
    const std::pair<QComboBox *, int> boxes[] = {{DateColumn, columns.date},         {OdometerColumn, columns.odometer},
                                                 {QuantityColumn, columns.quantity}, {MoneyColumn, columns.money},
                                                 {FullColumn, columns.full},         {MissedColumn, columns.missed}};
    // One preparation for the whole preset, not one per box.
    QComboBox *const all[] = {DateColumn, OdometerColumn, QuantityColumn, MoneyColumn, FullColumn, MissedColumn,
                              DateOrderBox, DistanceUnitBox, FuelUnitBox, MoneyKindBox, MoneyUnitBox};
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QComboBox *box : all)
        quiet.push_back(std::make_unique<QSignalBlocker>(box));
    for (const auto &[box, column] : boxes)
        if (const int at = box->findData(column); at >= 0)
            box->setCurrentIndex(at);
    this->source.columns = Columns{DateColumn->currentData().toInt(), OdometerColumn->currentData().toInt(),
                                   QuantityColumn->currentData().toInt(), MoneyColumn->currentData().toInt(),
                                   FullColumn->currentData().toInt(), MissedColumn->currentData().toInt(),
                                   columns.money == source.columns.money ? source.columns.total : -1};
    // Only the questions the file leaves open take an earlier answer.
    if (preset.dateOrder != DateOrder::Unknown)
        DateOrderBox->setCurrentIndex(preset.dateOrder == DateOrder::MonthFirst);
    if (preset.distance != DistanceUnit::Unknown)
        DistanceUnitBox->setCurrentIndex(preset.distance == DistanceUnit::Kilometres);
    if (preset.fuel != FuelUnit::Unknown)
        FuelUnitBox->setCurrentIndex(preset.fuel == FuelUnit::ImperialGallons ? 1 : preset.fuel == FuelUnit::UsGallons ? 2 : 0);
    if (preset.moneyKind != MoneyKind::Unknown)
        MoneyKindBox->setCurrentIndex(preset.moneyKind == MoneyKind::PerUnit);
    if (preset.moneyUnit != MoneyUnit::Unknown)
        MoneyUnitBox->setCurrentIndex(preset.moneyUnit == MoneyUnit::Pence);
    quiet.clear();
    prepare();
}

QString ImportDialog::Choices() const { return ChoicesText(source.columns, answers()); }

QComboBox *ImportDialog::columnBox(QFormLayout *form, const char *name, const QString &caption, int column, bool optional)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    // A file of thousands of columns (a broken export) offers the first
    // thousand, and the one found; measuring every item would stall.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(18);
    if (optional)
        box->addItem(QStringLiteral("(none)"), -1);
    const int offered = int(std::min<qsizetype>(source.headers.size(), MostColumnsOffered));
    for (int i = 0; i < offered; ++i)
        box->addItem(source.headers[i], i);
    if (column >= offered && column < source.headers.size())
        box->addItem(source.headers[column], column);
    box->setCurrentIndex(box->findData(column));
    form->addRow(caption, box);
    return box;
}

QComboBox *ImportDialog::question(QFormLayout *form, const char *name, const QString &caption,
                                  const QStringList &items, int suggested, bool ask, const QString &hint)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    box->setCurrentIndex(suggested);
    if (!ask) {
        box->hide();
        return box;
    }
    form->addRow(caption, box);
    // Why the answer is preset so, in a line under it (shown when there is
    // something to say).
    auto *why = new QLabel(hint, this);
    why->setVisible(!hint.isEmpty());
    why->setObjectName(QLatin1String(name) + QStringLiteral("Hint"));
    why->setWordWrap(true);
    QFont small = why->font();
    small.setItalic(true);
    why->setFont(small);
    form->addRow(QString(), why);
    return box;
}

Answers ImportDialog::answers() const
{
    Answers a;
    a.dateOrder = DateOrderBox->currentIndex() == 1 ? DateOrder::MonthFirst : DateOrder::DayFirst;
    a.distance = DistanceUnitBox->currentIndex() == 1 ? DistanceUnit::Kilometres : DistanceUnit::Miles;
    const FuelUnit fuel[] = {FuelUnit::Litres, FuelUnit::ImperialGallons, FuelUnit::UsGallons};
    a.fuel = fuel[qBound(0, FuelUnitBox->currentIndex(), 2)];
    a.moneyKind = MoneyKindBox->currentIndex() == 1 ? MoneyKind::PerUnit : MoneyKind::Total;
    a.moneyUnit = MoneyUnitBox->currentIndex() == 1 ? MoneyUnit::Pence : MoneyUnit::Pounds;
    return a;
}

void ImportDialog::prepare()
{
    plan = Prepare(source, answers(), log, progress);
    if (plan.cancelled) {
        SummaryLabel->setText(QStringLiteral("Cancelled: nothing will be added."));
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
    const QString money = plan.added.isEmpty() ? source.hints.money : MoneyHint(plan);
    const bool unitAsked = source.told.moneyUnit == MoneyUnit::Unknown;
    if (auto *hint = findChild<QLabel *>(QLatin1String(unitAsked ? "MoneyUnitBoxHint" : "MoneyKindBoxHint"))) {
        hint->setText(money);
        hint->setVisible(!money.isEmpty());
    }
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
