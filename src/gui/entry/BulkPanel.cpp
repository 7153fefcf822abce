#include "gui/entry/BulkPanel.h"

#include "core/entry/BulkList.h"
#include "core/entry/EntryRules.h"
#include "core/entry/LogMerge.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"
#include "core/fuellog/TextFile.h"
#include "core/state/AppState.h"
#include "gui/entry/EntryBoxes.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

} // namespace

BulkPanel::BulkPanel(AppState &appState, ShellCommands &commands, QWidget *parent)
    : QFrame(parent), state(appState), shell(commands), flags(appState.Bulk)
{
    setObjectName(QStringLiteral("BulkPurchase"));
    setProperty("helpContext", HelpTopic::Bulk);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("<b>Bulk Purchase Data Entry</b>"), this));
    auto *columns = new QHBoxLayout;
    outer->addLayout(columns);

    auto *input = new QGroupBox(QStringLiteral("Delivery"), this);
    auto *in = new QGridLayout(input);
    BDay = NamedEdit("BDay", input);
    BMonth = NamedEdit("BMonth", input);
    BYear = NamedEdit("BYear", input, true);
    for (QLineEdit *e : {BDay, BMonth}) {
        e->setMaxLength(2);
        e->setFixedWidth(40);
    }
    BYear->setFixedWidth(60);
    BYear->setFocusPolicy(Qt::ClickFocus);
    UpDown1 = new QSpinBox(input);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(1995, 3000);
    UpDown1->setValue(2000);
    ArrowsOnly(UpDown1);
    UpDown1->setFocusPolicy(Qt::NoFocus);
    BYear->setText(QStringLiteral("2000"));
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(BDay);
    dateRow->addWidget(new QLabel(QStringLiteral("/"), input));
    dateRow->addWidget(BMonth);
    dateRow->addWidget(new QLabel(QStringLiteral("/"), input));
    dateRow->addWidget(BYear);
    dateRow->addWidget(UpDown1);
    dateRow->addStretch();
    BPrice = NamedEdit("BPrice", input);
    BAmount = NamedEdit("BAmount", input);
    in->addWidget(new QLabel(QStringLiteral("Date"), input), 0, 0);
    in->addLayout(dateRow, 0, 1);
    in->addWidget(new QLabel(QStringLiteral("Amout Spent"), input), 1, 0);
    in->addWidget(BPrice, 1, 1);
    in->addWidget(new QLabel(QStringLiteral("Quantity in Litres"), input), 2, 0);
    in->addWidget(BAmount, 2, 1);
    in->setRowStretch(3, 1);

    auto *results = new QGroupBox(QStringLiteral("This delivery"), this);
    auto *out = new QGridLayout(results);
    Edit7 = NamedEdit("Edit7", results, true);
    BPpgBox = NamedEdit("BPpgBox", results, true);
    BPplBox = NamedEdit("BPplBox", results, true);
    BLastDate = NamedEdit("BLastDate", results, true);
    BNumItems = NamedEdit("BNumItems", results, true);
    const std::pair<const char *, QLineEdit *> rows[] = {{"Gallons Purchased", Edit7}, {"Price per Gallon", BPpgBox},
                                                         {"Price per Litre", BPplBox},  {"Last entry", BLastDate},
                                                         {"Number of items", BNumItems}};
    int r = 0;
    for (const auto &[caption, box] : rows) {
        box->setFocusPolicy(Qt::ClickFocus);
        out->addWidget(new QLabel(QLatin1String(caption), results), r, 0);
        out->addWidget(box, r++, 1);
    }
    out->setRowStretch(r, 1);
    columns->addWidget(input);
    columns->addWidget(results);

    auto *buttons = new QHBoxLayout;
    // Keys of their own: the fuel entry panel (behind this one) has Alt+C,
    // Q, S and P, the menu bar F, A, O, E, W and H.
    BAccept = NamedButton("BAccept", QStringLiteral("Accep&t"), this);
    BReStart = NamedButton("BReStart", QStringLiteral("Sta&rt"), this);
    BulkQuitBtn = NamedButton("BulkQuitBtn", QStringLiteral("Q&uit"), this);
    Button19 = NamedButton("Button19", QStringLiteral("He&lp"), this);
    BReStart->hide();
    buttons->addStretch();
    for (QPushButton *b : {BAccept, BReStart, BulkQuitBtn, Button19})
        buttons->addWidget(b);
    outer->addLayout(buttons);
    outer->addStretch(1);
    SetHelpButton(Button19, state.platform(), HelpTopic::Bulk);
    EnterPressesButtons(this);
    SelectTextOnEntry(this);
    AccessKeysInFrontOnly(this);

    // Typing arms a step again; the panel's own zero-filling does not.
    connect(BDay, &QLineEdit::textEdited, this, [this] { flags.DayArmed = true; });
    connect(BMonth, &QLineEdit::textEdited, this, [this] { flags.MonthArmed = true; });
    connect(BDay, &QLineEdit::returnPressed, this, &BulkPanel::BdayFinished);
    connect(BMonth, &QLineEdit::returnPressed, this, &BulkPanel::BMounthFinished);
    connect(BPrice, &QLineEdit::returnPressed, this, &BulkPanel::BPriceExit);
    connect(BAmount, &QLineEdit::returnPressed, this, &BulkPanel::BAmountExit);
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int year) { BYear->setText(QString::number(year)); });
    connect(BAccept, &QPushButton::clicked, this, &BulkPanel::BAcceptClick);
    connect(BulkQuitBtn, &QPushButton::clicked, this, &BulkPanel::BulkQuitBtnClick);
    connect(BReStart, &QPushButton::clicked, this, &BulkPanel::BReStartClick);
    setTabOrder(BDay, BMonth);
    setTabOrder(BMonth, BPrice);
    setTabOrder(BPrice, BAmount);
    setTabOrder(BAmount, BAccept);
    hide();
}

bool BulkPanel::GetBulkData(const QString &fileName)
{
    state.BulkList.clear();
    listFile = fileName;
    listRead = false;
    QStringList lines;
    state.BulkOnDisk = TextFile::NoFileStamp();
    if (QFileInfo::exists(fileName)) {
        const TextFile::ReadResult read = TextFile::ReadBytes(fileName, CarDataFile::MaxFileBytes, TextFile::Links::Refuse);
        state.BulkOnDisk = read.stamp;
        if (read.link) {
            if (state.FirstTelling(read.error)) // read as no file; the next purchase replaces the link
                state.platform().ShowMessage(read.error);
        } else if (!read.ok) {
            state.platform().ShowMessage(read.error);
            return false;
        }
        lines = BulkList::WithoutTrailingBlanks(TextFile::SplitLines(read.bytes));
    }
    switch (BulkList::CheckList(lines)) {
    case BulkList::Check::Empty:
        listRead = true; // a missing file is a new, empty list
        state.platform().ShowMessage(QStringLiteral("No Bulk Purchase Data Available"));
        return true;
    case BulkList::Check::Malformed:
        state.platform().ShowMessage(QStringLiteral("Bulk Purchase Data Invalid Not Loaded"));
        return false;
    case BulkList::Check::Good:
        break;
    }
    listRead = true;
    state.BulkList = lines;
    showListEnd();
    return true;
}

void BulkPanel::showListEnd()
{
    BLastDate->setText(BulkList::LastDate(state.BulkList));
    BNumItems->setText(QString::number(BulkList::PurchaseCount(state.BulkList)));
}

bool BulkPanel::listOfCurrentFolder()
{
    const QString path = state.BulkFilePath();
    if (listRead && listFile == path)
        return true;
    // The scheme or the data folder changed during the run, or the file was
    // refused: read it now, so that no purchase is written over it.
    state.BulkList.clear();
    listFile = path;
    listRead = false;
    bool readable = true;
    QStringList lines;
    state.BulkOnDisk = TextFile::NoFileStamp();
    if (QFileInfo::exists(path)) {
        const TextFile::ReadResult read = TextFile::ReadBytes(path, CarDataFile::MaxFileBytes, TextFile::Links::Refuse);
        state.BulkOnDisk = read.stamp;
        lines = read.ok ? BulkList::WithoutTrailingBlanks(TextFile::SplitLines(read.bytes)) : QStringList();
        readable = (read.ok || read.link) && BulkList::CheckList(lines) != BulkList::Check::Malformed;
        if (read.link && state.FirstTelling(read.error))
            state.platform().ShowMessage(read.error);
    }
    if (!readable) {
        state.platform().MessageDialog(QStringLiteral("The bulk purchase file ") + path
                                           + QStringLiteral(" cannot be read.\rThe purchase was not stored, so that the "
                                                            "purchases in that file are not lost."),
                                       MsgKind::Error, mbOk, HelpTopic::Bulk);
        return false;
    }
    listRead = true;
    state.BulkList = lines;
    showListEnd();
    return true;
}

void BulkPanel::BulkButtonClick()
{
    show();
    raise();
    FocusAndSelect(BDay);
}

void BulkPanel::BulkQuitBtnClick()
{
    shell.EnableCommand(Command::Setup, true);
    flags.DayArmed = false;
    flags.MonthArmed = false;
    hide();
}

void BulkPanel::BReStartClick()
{
    BReStart->hide();
    flags.ClearDone();
    flags.DayArmed = true;
    FocusAndSelect(BDay);
}

bool BulkPanel::retype(const QString &message, QLineEdit *box)
{
    if (state.platform().MessageDialog(message, MsgKind::Error, mbOk | mbCancel | mbHelp, HelpTopic::Bulk) == mrOk) {
        FocusAndSelect(box);
        return true;
    }
    flags.DayArmed = false;
    BReStart->show();
    return false;
}

void BulkPanel::BdayFinished()
{
    flags.DateDone = false;
    if (!flags.DayArmed)
        return;
    QString message;
    if (EntryBoxes::Apply(BDay, EntryRules::CheckDay(BDay->text()), message)) {
        flags.MonthArmed = true;
        BMonth->setFocus();
    } else {
        retype(message, BDay);
    }
}

void BulkPanel::BMounthFinished()
{
    if (!flags.MonthArmed)
        return;
    QString message;
    if (!EntryBoxes::Apply(BMonth, EntryRules::CheckMonth(BMonth->text()), message)) {
        if (!retype(message, BMonth))
            flags.MonthArmed = false;
        return;
    }
    if (!EntryBoxes::TakeEntryDate(flags, BDay, BMonth, BYear, state.platform()))
        return;
    if (!IsDateText(BLastDate->text()))
        BLastDate->setText(state.platform().Today().toString(QStringLiteral("dd/MM/yyyy")));
    if (EntryRules::DateKey(flags.EntryDate) <= EntryRules::DateKey(BLastDate->text()))
        flags.BackDated = true;
    flags.MonthArmed = false;
    flags.DayArmed = true;
    flags.DateDone = true;
    BPrice->setFocus();
}

void BulkPanel::BPriceExit()
{
    if (!flags.DayArmed)
        return;
    QString message;
    if (EntryBoxes::Apply(BPrice, EntryRules::CheckPrice(BPrice->text()), message)) {
        flags.PriceDone = true;
        BAmount->setFocus();
    } else {
        retype(message, BPrice);
    }
}

void BulkPanel::BAmountExit()
{
    if (!flags.DayArmed)
        return;
    QString message;
    if (EntryBoxes::Apply(BAmount, EntryRules::CheckAmount(BAmount->text()), message)) {
        flags.QuantityDone = true;
        BAccept->setFocus();
    } else {
        retype(message, BAmount);
    }
}

bool BulkPanel::stepsStillHold() const
{
    if (!(flags.DateDone && flags.PriceDone && flags.QuantityDone))
        return false;
    // A day, month or year changed after the date step is no checked date.
    return flags.DateStillHolds(BDay->text(), BMonth->text(), BYear->text());
}

void BulkPanel::resetForNext()
{
    flags.EntryDate.clear();
    BPrice->clear();
    BAmount->clear();
    flags.DayArmed = false;
    flags.BackDated = false;
    flags.ClearDone(); // the next purchase goes through every step
    shell.SetStatus(7, QString());
    FocusAndSelect(BDay); // the day kept from this purchase is replaced by typing
}

void BulkPanel::BAcceptClick()
{
    const AcceptanceGuard guard(flags);
    if (!guard.Entered())
        return;
    Platform &ui = state.platform();
    if (!stepsStillHold()) {
        ui.MessageDialog(EntryRules::InvalidDataEntered, MsgKind::Warning, mbOk | mbHelp, HelpTopic::Bulk);
        resetForNext();
        return;
    }
    const NumberText::RealReading litres = NumberText::ReadReal(BAmount->text());
    if (!litres.ok || !(litres.value > 0)) {
        ui.MessageDialog(EntryRules::NoQuantityEntered, MsgKind::Error, mbOk, HelpTopic::Bulk);
        return;
    }
    const NumberText::RealReading amount = NumberText::ReadReal(BPrice->text());
    if (!amount.ok || !(amount.value > 0)) {
        ui.MessageDialog(EntryRules::NoPriceEntered, MsgKind::Error, mbOk, HelpTopic::Bulk);
        return;
    }
    const double gallons = litres.value / LitresPerGallon;
    const QString pricePerLitre = NumberText::FormatFixed(amount.value / litres.value * PencePerUnit, 5, 2);
    BPpgBox->setText(NumberText::FormatFixed(amount.value / gallons, 5, 2));
    BPplBox->setText(pricePerLitre);
    Edit7->setText(NumberText::FormatFixed(gallons, 5, 2));
    if (!listOfCurrentFolder())
        return;

    // Placed in a copy, written, and only then kept. Whether the purchase
    // is back-dated follows the list it goes into, which may have been read
    // only now (another data folder).
    const QStringList before = state.BulkList;
    const QString file = state.BulkFilePath();
    QStringList placed = before;
    const QString lastDate = BulkList::LastDate(placed);
    const bool backDated = IsDateText(lastDate) && EntryRules::DateKey(flags.EntryDate) <= EntryRules::DateKey(lastDate);
    const int at = backDated ? BulkList::PlaceBackDated(placed, flags.EntryDate, [] { QCoreApplication::processEvents(); })
                             : int(placed.size());
    // Events ran during the search: a list or folder changed meanwhile is
    // not written over with the copy.
    if (state.BulkList != before || state.BulkFilePath() != file) {
        ui.ShowMessage(EntryRules::ChangedDuringPlacement);
        return;
    }
    const QStringList lines = BulkList::PurchaseLines(flags.EntryDate, BAmount->text(), pricePerLitre);
    for (int i = 0; i < 3; ++i)
        placed.insert(at + i, lines[i]);
    // Another program's purchases saved meanwhile are kept, and this one
    // placed among them by its date.
    const LogMerge::Saved saved = LogMerge::SaveRecords(
        file, 3, before, placed, state.BulkOnDisk,
        [](const QStringList &list, const QStringList &purchase) { return BulkList::PlaceBackDated(list, purchase[0]); },
        CarDataFile::MaxFileBytes);
    if (!saved.ok) {
        ui.ShowMessage(saved.error);
        return;
    }
    placed = saved.lines;
    state.BulkList = placed;
    state.BulkOnDisk = saved.stamp;
    if (saved.merged)
        ui.ShowMessage(LogMerge::Told(QFileInfo(file).fileName(), saved.counts, QStringLiteral("purchase"), QStringLiteral("purchases")));
    state.Options().SetDefaultPpl(pricePerLitre);
    shell.WriteRegistry(); // later fill-ups take this price, even after the settings are read again
    shell.ShowEntryPrice(pricePerLitre);
    BLastDate->setText(BulkList::LastDate(placed));
    BNumItems->setText(QString::number(BulkList::PurchaseCount(placed)));
    shell.EnableCommand(Command::ViewData, true);
    resetForNext();
}
