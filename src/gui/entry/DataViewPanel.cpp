#include "gui/entry/DataViewPanel.h"

#include "core/entry/EntryRules.h"
#include "core/entry/LogTableModel.h"
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/state/AppState.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/TextPrint.h"
#include "gui/shell/Widgets.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The Fill column is edited with a drop-down of its four texts.
class FillDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("FillEditor"));
        for (FillMark m : FillMarks::All)
            box->addItem(FillMarks::Name(m));
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        box->setCurrentIndex(std::max(0, box->findText(index.data(Qt::EditRole).toString())));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
    }
};
} // namespace

TInsertPan::TInsertPan(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("InsertPan"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setProperty("helpContext", HelpTopic::DataView);
    setProperty(OverlayArea::FloatsAtRight, true);
    auto *layout = new QVBoxLayout(this);
    InsertTitle = new QLabel(QStringLiteral("Insert Data"), this);
    InsertTitle->setObjectName(QStringLiteral("InsertTitle"));
    QFont bold = InsertTitle->font();
    bold.setBold(true);
    InsertTitle->setFont(bold);
    layout->addWidget(InsertTitle);
    auto *form = new QFormLayout;
    const struct {
        QLineEdit **box;
        const char *name, *caption, *hint;
    } boxes[] = {{&ViewDate, "ViewDate", "Date", "Enter Date"},
                 {&ViewDistance, "ViewDistance", "Distance", "Enter Distance"},
                 {&ViewQty, "ViewQty", "Quantity", "Enter Quantity of Fuel purchased"},
                 {&ViewPPL, "ViewPPL", "Price per Litre", "Enter Price per Litre"}};
    for (const auto &b : boxes) {
        *b.box = NamedEdit(b.name, this);
        (*b.box)->setToolTip(QLatin1String(b.hint));
        form->addRow(QLatin1String(b.caption), *b.box);
    }
    Marks = FillMarkBoxes(this, "ViewNotFilled", "ViewMissed");
    form->addRow(QString(), Marks.notFilled);
    form->addRow(QString(), Marks.missed);
    layout->addLayout(form);
    auto *row = new QHBoxLayout;
    NewOk = NamedButton("NewOk", QStringLiteral("&OK"), this);
    BitBtn2 = NamedButton("BitBtn2", QStringLiteral("&Cancel"), this);
    BitBtn3 = NamedButton("BitBtn3", QStringLiteral("Hel&p"), this);
    row->addStretch();
    for (QPushButton *b : {NewOk, BitBtn2, BitBtn3})
        row->addWidget(b);
    layout->addLayout(row);
    EnterPressesButtons(this);
    hide();
}

DataViewPanel::DataViewPanel(AppState &appState, ShellCommands &commands, QWidget *parent)
    : QFrame(parent), state(appState), shell(commands)
{
    setObjectName(QStringLiteral("Datadisplay"));
    setProperty("helpContext", HelpTopic::DataGrid);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    DataEditName = new QLabel(this);
    DataEditName->setObjectName(QStringLiteral("DataEditName"));
    QFont bold = DataEditName->font();
    bold.setBold(true);
    DataEditName->setFont(bold);
    layout->addWidget(DataEditName);

    Model = new LogTableModel(state.FuelLog, state.Marks, this);
    ViewGrid = new QTableView(this);
    GridKeepsItsEditKey(ViewGrid);
    ViewGrid->setObjectName(QStringLiteral("ViewGrid"));
    ViewGrid->setProperty("helpContext", HelpTopic::DataGrid);
    ViewGrid->setModel(Model);
    ViewGrid->setItemDelegateForColumn(LogTableModel::FillColumn, new FillDelegate(ViewGrid));
    ViewGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ViewGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                              | QAbstractItemView::AnyKeyPressed);
    ViewGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ViewGrid->verticalHeader()->setDefaultSectionSize(ViewGrid->fontMetrics().height() + 6);
    ViewGrid->setMaximumWidth(520);
    layout->addWidget(ViewGrid, 1);
    ViewGrid->installEventFilter(this);

    auto *row = new QHBoxLayout;
    CloseDataEdit = NamedButton("CloseDataEdit", QStringLiteral("Cl&ose"), this);
    Edit = NamedButton("Edit", QStringLiteral("E&dit"), this);
    PrintView = NamedButton("PrintView", QStringLiteral("P&rint"), this);
    ViewHelp = NamedButton("ViewHelp", QStringLiteral("Hel&p"), this);
    Insert = NamedButton("Insert", QStringLiteral("&Insert"), this);
    ViewDelete = NamedButton("ViewDelete", QStringLiteral("De&lete"), this);
    Edit2 = NamedButton("Edit2", QStringLiteral("Edi&t"), this);
    for (QPushButton *b : {Insert, ViewDelete, Edit2, Edit, PrintView, CloseDataEdit, ViewHelp})
        row->addWidget(b);
    row->addStretch();
    layout->addLayout(row);
    for (QPushButton *b : {Insert, ViewDelete, Edit2})
        b->hide();
    SetHelpButton(ViewHelp, state.platform(), HelpTopic::DataView);
    EnterPressesButtons(this);
    AccessKeysInFrontOnly(this);

    InsertPan = new TInsertPan(parent);
    SetHelpButton(InsertPan->BitBtn3, state.platform(), HelpTopic::DataView);
    AccessKeysInFrontOnly(InsertPan);

    connect(CloseDataEdit, &QPushButton::clicked, this, [this] { CloseDataEditClick(true); });
    connect(Edit, &QPushButton::clicked, this, &DataViewPanel::EditClick);
    connect(PrintView, &QPushButton::clicked, this, &DataViewPanel::PrintViewClick);
    connect(Insert, &QPushButton::clicked, this, &DataViewPanel::InsertClick);
    connect(ViewDelete, &QPushButton::clicked, this, &DataViewPanel::ViewDeleteClick);
    connect(Edit2, &QPushButton::clicked, this, &DataViewPanel::Edit2Click);
    connect(InsertPan->NewOk, &QPushButton::clicked, this, &DataViewPanel::NewOkClick);
    connect(InsertPan->BitBtn2, &QPushButton::clicked, this, &DataViewPanel::BitBtn2Click);
    connect(Model, &LogTableModel::refused, this, [this](const QString &message) { state.platform().ShowMessage(message); });
    connect(Model, &LogTableModel::edited, this, [this] {
        changing = true; // the grid shows it already
        state.FuelLogChanged();
        changing = false;
        shell.SetStatus(2, QString::number(Model->rowCount() + 1));
    });
    connect(&state, &AppState::fuelLogChanged, this, &DataViewPanel::logReplaced);
    // A cell is not changed over another program's change to its record;
    // the view is shown afresh once the edit has closed.
    Model->SetGuard([this](int record) {
        if (stillOnDisk({record}))
            return true;
        QTimer::singleShot(0, this, [this] { showFileAsItIs(); });
        return false;
    });
    connect(&state, &AppState::commitEdits, this, &DataViewPanel::CommitEdit);
    hide();
}

bool DataViewPanel::stillOnDisk(const QList<int> &records) const
{
    QList<QStringList> lines;
    for (int r : records)
        lines << state.FuelLog.mid(4 * r, 4);
    return shell.Files().StillOnDisk(lines);
}

void DataViewPanel::showFileAsItIs()
{
    shell.Files().RefreshFromDisk();
    state.platform().ShowMessage(DataFileCommands::ChangedOnDisk);
}

void DataViewPanel::refill()
{
    Model->Refill();
    shell.SetStatus(2, QString::number(Model->rowCount() + 1));
}

void DataViewPanel::logReplaced()
{
    if (changing)
        return;
    // The log changed elsewhere (a load, an entry, a delete): the grid shows
    // it afresh, and a record form open for the log before goes.
    if (formMode != FormMode::None)
        closeForm();
    if (state.CurrentDataFile != shownFile) {
        // Another vehicle's log (or none): the permission to edit was given
        // for the one before, and the title names the one shown.
        endEditing();
        showTitle();
    }
    Model->Refill(isVisible()); // shown again, the view fills itself
    if (isVisible())
        shell.SetStatus(2, QString::number(Model->rowCount() + 1));
}

void DataViewPanel::showTitle()
{
    shownFile = state.CurrentDataFile;
    const QString vehicle = CarDataFile::IsNoFile(shownFile) ? QString() : CarDataFile::BaseName(shownFile);
    DataEditName->setText((vehicle.isEmpty() ? state.Registration() : vehicle) + QStringLiteral(" Data"));
}

void DataViewPanel::endEditing()
{
    for (QPushButton *b : {Insert, ViewDelete, Edit2})
        b->hide();
    Edit->setEnabled(true);
    Model->SetEditable(false);
}

void DataViewPanel::ViewClick()
{
    showTitle();
    show();
    raise();
    if (formMode != FormMode::None)
        InsertPan->raise();
    refill();
}

void DataViewPanel::CommitEdit()
{
    // Moving the current cell commits an open editor's text; the selection
    // stays as it is.
    QItemSelectionModel *selection = ViewGrid->selectionModel();
    const QModelIndex current = selection->currentIndex();
    selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void DataViewPanel::EditClick()
{
    if (state.platform().MessageDialog(QStringLiteral("Warning editing the Cardata file\rcan cause problems, are you sure you want to\r"
                                                      "do this ?"),
                                       MsgKind::Warning, mbYes | mbCancel | mbHelp, HelpTopic::DataFiles)
        != mrYes)
        return;
    Model->SetEditable(true);
    for (QPushButton *b : {Insert, ViewDelete, Edit2})
        b->show();
    Edit->setEnabled(false);
}

int DataViewPanel::firstSelectedRecord() const
{
    int first = -1;
    for (const QModelIndex &i : ViewGrid->selectionModel()->selectedIndexes())
        if (first < 0 || i.row() < first)
            first = i.row();
    if (first < 0 && ViewGrid->currentIndex().isValid())
        first = ViewGrid->currentIndex().row();
    return first;
}

void DataViewPanel::openForm(FormMode mode)
{
    formMode = mode;
    InsertPan->InsertTitle->setText(mode == FormMode::Inserting ? QStringLiteral("Insert Data") : QStringLiteral("Edit Data"));
    setEnabled(false);
    InsertPan->show();
    InsertPan->raise();
    InsertPan->ViewDate->setFocus();
}

void DataViewPanel::closeForm()
{
    InsertPan->hide();
    formMode = FormMode::None;
    setEnabled(true);
}

void DataViewPanel::InsertClick()
{
    CommitEdit();
    const int record = firstSelectedRecord();
    if (record < 0 && Model->rowCount() > 0) {
        state.platform().ShowMessage(QStringLiteral("Select a record first"));
        return;
    }
    formRecord = std::max(record, 0); // into an empty log: the first record
    InsertPan->Marks.SetMark(FillMark::Full);
    openForm(FormMode::Inserting);
}

void DataViewPanel::Edit2Click()
{
    CommitEdit();
    const int record = firstSelectedRecord();
    if (record < 0) {
        state.platform().ShowMessage(QStringLiteral("Select a record first"));
        return;
    }
    formRecord = record;
    const QStringList &log = state.FuelLog;
    QLineEdit *boxes[] = {InsertPan->ViewDate, InsertPan->ViewDistance, InsertPan->ViewQty, InsertPan->ViewPPL};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setText(log.value(4 * record + i));
    InsertPan->Marks.SetMark(state.Marks.At(log, 4 * record));
    openForm(FormMode::Editing);
}

void DataViewPanel::NewOkClick()
{
    TInsertPan &f = *InsertPan;
    const QString date = f.ViewDate->text();
    const struct {
        QLineEdit *box;
        bool ok;
        const char *message;
    } checks[] = {{f.ViewDate, IsDateText(date) && QDate::fromString(date.left(10), QStringLiteral("dd/MM/yyyy")).isValid(),
                   "Date invalid. Requires NN/NN/NNNN"},
                  {f.ViewDistance, IsNumberText(f.ViewDistance->text(), true), "Distance Invalid"},
                  {f.ViewQty, IsNumberText(f.ViewQty->text(), false), "Quantity Invalid"},
                  {f.ViewPPL, IsNumberText(f.ViewPPL->text(), false), "Price per litre Invalid"}};
    for (const auto &c : checks)
        if (!c.ok) {
            state.platform().ShowMessage(QLatin1String(c.message));
            c.box->setFocus();
            return;
        }
    for (const auto &c : checks)
        if (!EntryRules::IsStorableText(c.box->text())) {
            state.platform().ShowMessage(EntryRules::NotStorableMessage);
            c.box->setFocus();
            return;
        }
    if (formMode == FormMode::Editing && !stillOnDisk({formRecord})) {
        closeForm();
        showFileAsItIs();
        return;
    }
    QStringList &log = state.FuelLog;
    const QStringList lines{f.ViewDate->text(), f.ViewDistance->text(), f.ViewQty->text(), f.ViewPPL->text()};
    const int at = 4 * formRecord;
    if (formMode == FormMode::Inserting && at <= log.size()) {
        for (int i = 0; i < 4; ++i)
            log.insert(at + i, lines[i]);
        state.Marks.Set(lines[0], lines[1], f.Marks.Mark());
    } else if (formMode == FormMode::Editing && at + 3 < log.size()) {
        state.Marks.SetAt(log, at, FillMark::Full); // the mark goes with the record's new date and reading
        for (int i = 0; i < 4; ++i)
            log[at + i] = lines[i];
        state.Marks.Set(lines[0], lines[1], f.Marks.Mark());
    }
    closeForm();
    changing = true;
    state.FuelLogChanged();
    changing = false;
    refill();
}

void DataViewPanel::BitBtn2Click() { closeForm(); }

void DataViewPanel::ViewDeleteClick()
{
    CommitEdit();
    const QModelIndexList selected = ViewGrid->selectionModel()->selectedIndexes();
    bool distanceOnly = !selected.isEmpty();
    QSet<int> rows;
    for (const QModelIndex &i : selected) {
        distanceOnly = distanceOnly && i.column() == 1;
        rows.insert(i.row());
    }
    if (!distanceOnly) {
        state.platform().ShowMessage(QStringLiteral("Select distance column for delete"));
        refill();
        return;
    }
    if (!stillOnDisk(rows.values())) {
        showFileAsItIs();
        return;
    }
    // One pass over the log, keeping the records whose rows are not selected.
    const QStringList &log = state.FuelLog;
    QStringList kept;
    kept.reserve(log.size());
    for (qsizetype k = 0; k < log.size(); ++k)
        if (!rows.contains(int(k / 4)))
            kept << log[k];
    for (int row : rows)
        state.Marks.SetAt(log, 4 * row, FillMark::Full); // a fill-up entered again later starts unmarked
    state.FuelLog = kept;
    ViewGrid->clearSelection();
    changing = true;
    state.FuelLogChanged();
    changing = false;
    refill();
}

void DataViewPanel::CloseDataEditClick(bool byUser)
{
    CommitEdit();
    hide();
    closeForm();
    endEditing();
    if (byUser)
        state.platform().ShowMessage(QStringLiteral("Use File/Save to save changes to the Car data file"));
}

void DataViewPanel::PrintViewClick()
{
    CommitEdit();
    if (state.FuelLog.size() <= 1)
        return;
    QPrinter &printer = state.platform().Printer();
    if (!state.platform().PrintDialog(printer))
        return;
    QString error;
    if (!PrintTextLines(printer, EntryRules::DataListing(state.FuelLog), ListingFont(), &error))
        state.platform().ShowMessage(error);
}

bool DataViewPanel::eventFilter(QObject *watched, QEvent *event)
{
    // F2 is the desktop's key for editing a cell: while editing is allowed
    // and the grid has the focus, it is the grid's, not the fuel entry's.
    if (watched == ViewGrid && event->type() == QEvent::ShortcutOverride && Model->IsEditable()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier)
            event->accept();
    }
    return QFrame::eventFilter(watched, event);
}
