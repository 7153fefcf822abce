#include "gui/analysis/AnalysisWindow.h"

#include "core/analysis/AnalysisModel.h"
#include "core/analysis/Extremes.h"
#include "core/analysis/Summary.h"
#include "core/fuellog/CarDataFile.h"
#include "core/state/AppState.h"
#include "gui/analysis/GraphWindow.h"
#include "gui/analysis/Reports.h"
#include "gui/exchange/LogExchange.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Resources.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

namespace {

// The table's texts keep their padding; on screen each figure stands
// trimmed against its column's edge.
class TrimmedDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &) const override { return value.toString().trimmed(); }
};

} // namespace

TAnalisisForm::TAnalisisForm(AppState &appState, ShellCommands &commands)
    : QMdiSubWindow(nullptr), state(appState), shell(commands)
{
    setObjectName(QStringLiteral("AnalisisForm"));
    setWindowTitle(QStringLiteral("MPG Data Analysis"));
    setProperty("helpContext", HelpTopic::Analysis);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The menus stand in the main window's menu bar while this window is active.
    File1 = buildFileMenu();
    Summary1 = new QMenu(QStringLiteral("&Summary"), this);
    Summary1->setObjectName(QStringLiteral("Summary1"));
    connect(AddMenuItem(Summary1, "Display1", QStringLiteral("Display")), &QAction::triggered, this, &TAnalisisForm::SummaryClick);
    connect(AddMenuItem(Summary1, "Print2", QStringLiteral("Print")), &QAction::triggered, this, &TAnalisisForm::SummaryPrintClick);
    Fuelunits1 = new QMenu(QStringLiteral("Fuel &units"), this);
    Fuelunits1->setObjectName(QStringLiteral("Fuelunits1"));
    fuelGroup = new QActionGroup(this);
    Gallons = AddMenuItem(Fuelunits1, "Gallons", QStringLiteral("Gallons"), fuelGroup);
    Litres = AddMenuItem(Fuelunits1, "Litres", QStringLiteral("Litres"), fuelGroup);
    Distanceunits1 = new QMenu(QStringLiteral("&Distance units"), this);
    Distanceunits1->setObjectName(QStringLiteral("Distanceunits1"));
    distanceGroup = new QActionGroup(this);
    Miles = AddMenuItem(Distanceunits1, "Miles", QStringLiteral("Miles"), distanceGroup);
    Kilometers = AddMenuItem(Distanceunits1, "Kilometers", QStringLiteral("Kilometers"), distanceGroup);
    Analysisoptions1 = new QMenu(QStringLiteral("&Analysis options"), this);
    Analysisoptions1->setObjectName(QStringLiteral("Analysisoptions1"));
    optionGroup = new QActionGroup(this);
    Basic = AddMenuItem(Analysisoptions1, "Basic", QStringLiteral("Basic"), optionGroup);
    PPQ = AddMenuItem(Analysisoptions1, "PPQ", QStringLiteral("PPQ"), optionGroup);
    PPDU = AddMenuItem(Analysisoptions1, "PPDU", QStringLiteral("PPDU"), optionGroup);
    connect(Miles, &QAction::triggered, this, &TAnalisisForm::MilesClick);
    connect(Kilometers, &QAction::triggered, this, &TAnalisisForm::KilometersClick);
    connect(Gallons, &QAction::triggered, this, &TAnalisisForm::GallonsClick);
    connect(Litres, &QAction::triggered, this, &TAnalisisForm::LitresClick);
    connect(Basic, &QAction::triggered, this, &TAnalisisForm::BasicClick);
    connect(PPQ, &QAction::triggered, this, &TAnalisisForm::PPQClick);
    connect(PPDU, &QAction::triggered, this, &TAnalisisForm::PPDUClick);

    ToolBar1 = new QToolBar(body);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    const struct {
        const char *name, *hint;
        const char *theme, *own;
        void (TAnalisisForm::*run)();
    } tools[] = {{"CloseWindow", "Close Window", "window-close", nullptr, &TAnalisisForm::Close1Click},
                 {"CreateSummary", "Create Summary", nullptr, "vantiq-summary", &TAnalisisForm::SummaryClick},
                 {"PrintData", "Print Data", "document-print", nullptr, &TAnalisisForm::PrintClick},
                 {"GraphBtn", "Graph", nullptr, "vantiq-graph", &TAnalisisForm::GraphClick}};
    for (const auto &t : tools) {
        QToolButton *b = AddToolButton(ToolBar1, t.name, QLatin1String(t.hint), CommandIcon(t.theme, t.own));
        connect(b, &QToolButton::clicked, this, t.run);
    }
    GraphBtn = ToolBar1->findChild<QToolButton *>(QStringLiteral("GraphBtn"));
    layout->addWidget(ToolBar1);

    auto *area = new OverlayArea(body);
    Model = new AnalysisModel(this);
    AnalisisGrid = new QTableView(area);
    GridKeepsItsEditKey(AnalisisGrid);
    AnalisisGrid->setObjectName(QStringLiteral("AnalisisGrid"));
    AnalisisGrid->setModel(Model);
    // Any selection made after Select All (mouse, keys, right-click) is
    // the one used: the reach past the table belongs to Select All alone.
    connect(AnalisisGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { allSelected = false; });
    AnalisisGrid->setItemDelegate(new TrimmedDelegate(AnalisisGrid));
    AnalisisGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AnalisisGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    AnalisisGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    AnalisisGrid->verticalHeader()->hide();
    AnalisisGrid->verticalHeader()->setDefaultSectionSize(std::max(18, AnalisisGrid->fontMetrics().height() + 4));
    AnalisisGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    AnalisisGrid->setWordWrap(false);
    AnalisisGrid->setContextMenuPolicy(Qt::CustomContextMenu);

    SummaryPan = new QFrame(area);
    SummaryPan->setObjectName(QStringLiteral("SummaryPan"));
    SummaryPan->setFrameShape(QFrame::StyledPanel);
    SummaryPan->setAutoFillBackground(true);
    auto *pan = new QVBoxLayout(SummaryPan);
    SummaryHeading = new QLabel(SummaryPan);
    SummaryHeading->setObjectName(QStringLiteral("SummaryHeading"));
    QFont bold = SummaryHeading->font();
    bold.setBold(true);
    SummaryHeading->setFont(bold);
    Summary = new QPlainTextEdit(SummaryPan);
    Summary->setObjectName(QStringLiteral("Summary"));
    Summary->setFrameShape(QFrame::NoFrame);
    Summary->setLineWrapMode(QPlainTextEdit::NoWrap);
    Summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *buttons = new QHBoxLayout;
    ExitSummary = new QPushButton(QStringLiteral("E&xit"), SummaryPan);
    ExitSummary->setObjectName(QStringLiteral("ExitSummary"));
    SummaryPrint = new QPushButton(QStringLiteral("&Print"), SummaryPan);
    SummaryPrint->setObjectName(QStringLiteral("SummaryPrint"));
    buttons->addStretch();
    buttons->addWidget(SummaryPrint);
    buttons->addWidget(ExitSummary);
    pan->addWidget(SummaryHeading);
    pan->addWidget(Summary, 1);
    pan->addLayout(buttons);
    SummaryPan->hide();
    connect(ExitSummary, &QPushButton::clicked, this, &TAnalisisForm::ExitSummaryClick);
    connect(SummaryPrint, &QPushButton::clicked, this, &TAnalisisForm::SummaryPrintClick);
    EnterPressesButtons(SummaryPan);
    layout->addWidget(area, 1);
    setWidget(body);

    UpDnMenu = new QMenu(this);
    UpDnMenu->setObjectName(QStringLiteral("UpDnMenu"));
    connect(AddMenuItem(UpDnMenu, "Top1", QStringLiteral("&Top")), &QAction::triggered, this, &TAnalisisForm::TopClick);
    connect(AddMenuItem(UpDnMenu, "Bottom1", QStringLiteral("&Bottom")), &QAction::triggered, this, &TAnalisisForm::BottomClick);
    AddMenuItem(UpDnMenu, "Edit1", QStringLiteral("&Edit"));
    connect(AddMenuItem(UpDnMenu, "SelectRange1", QStringLiteral("&Select range")), &QAction::triggered, this,
            &TAnalisisForm::SelectRangeClick);
    connect(AddMenuItem(UpDnMenu, "SelectAll1", QStringLiteral("Select &All")), &QAction::triggered, this,
            &TAnalisisForm::SelectAllClick);
    SelectionMenu = new QMenu(this);
    SelectionMenu->setObjectName(QStringLiteral("SelectionMenu"));
    connect(AddMenuItem(SelectionMenu, "Top2", QStringLiteral("Top")), &QAction::triggered, this, &TAnalisisForm::TopClick);
    connect(AddMenuItem(SelectionMenu, "Bottom2", QStringLiteral("Bottom")), &QAction::triggered, this,
            &TAnalisisForm::BottomClick);
    Averageperday1 = AddMenuItem(SelectionMenu, "Averageperday1", QStringLiteral("Average per day"));
    Averageperday1->setProperty("tag", 0);
    Average1 = AddMenuItem(SelectionMenu, "Average1", QStringLiteral("Average"));
    Average1->setProperty("tag", 1);
    connect(Averageperday1, &QAction::triggered, this, [this] { AverageClick(true); });
    connect(Average1, &QAction::triggered, this, [this] { AverageClick(false); });
    connect(AddMenuItem(SelectionMenu, "SelectRange2", QStringLiteral("Select Range")), &QAction::triggered, this,
            &TAnalisisForm::SelectRangeClick);
    connect(AddMenuItem(SelectionMenu, "SelectAll2", QStringLiteral("Select &All")), &QAction::triggered, this,
            &TAnalisisForm::SelectAllClick);
    AnalyseSelection = AddMenuItem(SelectionMenu, "AnalyseSelection", QStringLiteral("Re-Analyse selection"));
    connect(AnalyseSelection, &QAction::triggered, this, &TAnalisisForm::AnalyseSelectionClick);
    connect(AddMenuItem(SelectionMenu, "PrintTable1", QStringLiteral("Print Table")), &QAction::triggered, this,
            &TAnalisisForm::PrintClick);
    popup = UpDnMenu;
    connect(AnalisisGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { popup->popup(AnalisisGrid->viewport()->mapToGlobal(pos)); });
    AnalisisGrid->viewport()->installEventFilter(this);
    connect(AnalisisGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, &TAnalisisForm::AnalisisGridTopLeftChanged);

    FormCreate();
}

TAnalisisForm::~TAnalisisForm() = default;

QList<MergedMenu> TAnalisisForm::MenusToMerge() const
{
    return {{File1, 0}, {Summary1, 0}, {Fuelunits1, 1}, {Distanceunits1, 1}, {Analysisoptions1, 1}};
}

QMenu *TAnalisisForm::buildFileMenu()
{
    auto *menu = new QMenu(QStringLiteral("&File"), this);
    menu->setObjectName(QStringLiteral("File1"));
    connect(AddMenuItem(menu, "OpenDataFile1", QStringLiteral("Open Data File")), &QAction::triggered, this,
            [this] { shell.Files().Open1Click(); });
    connect(AddMenuItem(menu, "Newdatafile1", QStringLiteral("New Data File")), &QAction::triggered, this,
            [this] { shell.Files().New1Click(); });
    connect(AddMenuItem(menu, "Save1", QStringLiteral("Save")), &QAction::triggered, this, [this] { shell.Files().Save1Click(); });
    connect(AddMenuItem(menu, "SaveAs1", QStringLiteral("Save As")), &QAction::triggered, this,
            [this] { shell.Files().SaveAsClick(); });
    connect(AddMenuItem(menu, "View1", QStringLiteral("View")), &QAction::triggered, this, [this] { shell.ViewClick(); });
    connect(AddMenuItem(menu, "ExportTable1", QStringLiteral("Export Table...")), &QAction::triggered, this,
            [this] { LogExchange::ExportTable(state, shell, Model->Table()); });
    connect(AddMenuItem(menu, "Close1", QStringLiteral("Close ")), &QAction::triggered, this, &TAnalisisForm::Close1Click);
    connect(AddMenuItem(menu, "CloseAll1", QStringLiteral("Close All")), &QAction::triggered, this,
            [this] { shell.CloseAllChildWindows(); });
    menu->addSeparator();
    connect(AddMenuItem(menu, "Print1", QStringLiteral("Print")), &QAction::triggered, this, &TAnalisisForm::PrintClick);
    connect(AddMenuItem(menu, "PrinterStyles1", QStringLiteral("Printer Styles")), &QAction::triggered, this,
            &TAnalisisForm::PrintStyleSetupClick);
    connect(AddMenuItem(menu, "PrintSetup1", QStringLiteral("Print Setup")), &QAction::triggered, this,
            [this] { state.platform().PrinterSetup(state.platform().Printer()); });
    menu->addSeparator();
    connect(AddMenuItem(menu, "ExitVantiq1", QStringLiteral("Exit Vantiq")), &QAction::triggered, this,
            [this] { shell.ExitVantiqClick(); });
    return menu;
}

void TAnalisisForm::FormCreate()
{
    applyColumnWidths();
    (state.Options().DistanceUnit() == 1 ? Kilometers : Miles)->setChecked(true);
    (state.Options().FuelUnit() == 0 ? Gallons : Litres)->setChecked(true);
    PPDU->setChecked(true);
    // Room for every column, and as many rows as the area gives.
    int width = 0;
    for (int w : AnalysisNames::ColumnWidths)
        width += w;
    resize(width + 40, 480);
}

void TAnalisisForm::applyColumnWidths()
{
    for (int c = 0; c < 9; ++c)
        AnalisisGrid->setColumnWidth(c, AnalysisNames::ColumnWidths[c]);
}

AnalysisUnits TAnalisisForm::Units() const
{
    AnalysisUnits u;
    u.DistIndex = Miles->isChecked() ? 0 : 1;
    u.FuelIndex = Gallons->isChecked() ? 0 : 1;
    return u;
}

AnalysisOption TAnalisisForm::Option() const
{
    if (Basic->isChecked())
        return AnalysisOption::Basic;
    return PPQ->isChecked() ? AnalysisOption::PPQ : AnalysisOption::PPDU;
}

int TAnalisisForm::GetFMode() const
{
    const int d = Miles->isChecked() ? 0 : Kilometers->isChecked() ? 1 : -1;
    const int f = Gallons->isChecked() ? 0 : Litres->isChecked() ? 1 : -1;
    return d < 0 || f < 0 ? -1 : 2 * d + f;
}

void TAnalisisForm::start(int startOffset, int finishOffset)
{
    state.Analysis = {startOffset, finishOffset};
    VehicleName = QFileInfo(state.CurrentDataFile).completeBaseName();
    AnaliseClick();
}

void TAnalisisForm::AnaliseClick()
{
    const AnalysisResult run = RunAnalysis(state.FuelLog, state.Analysis.Start, state.Analysis.Finish, Units(), Option(),
                                           state.Options().AnalysisDirection(), state.Marks.PerRecord(state.FuelLog));
    if (!run.ran)
        return; // too little to analyse: the table stays as it was
    AnalisisGrid->show();
    AnalisisGrid->raise();
    Model->SetRun(run);
    applyColumnWidths();
    if (run.failed) {
        state.platform().MessageDialog(QStringLiteral("Error in data file, cannot analise"), MsgKind::Error, mbOk | mbHelp,
                                       HelpTopic::AnalysisError);
        return;
    }
    showRun(Model->Run());
}

void TAnalisisForm::showRun(const AnalysisResult &run)
{
    shell.SetStatus(2, QString::number(run.rows.size() + 1));

    TripFigures trip;
    trip.extremes = FindExtremes(ExtremeRows(run), state.Options().MaxDays());
    trip.economyName = AnalysisNames::EconomyNames.value(run.units.HeadingMode() - 1);
    trip.distanceName = AnalysisNames::DistanceNames.value(run.units.DistIndex);
    state.ShowTripFigures(trip);

    SummaryInputs in;
    in.currency = state.platform().Locale().currencySymbol();
    in.extremes = trip.extremes;
    const int selected = state.SelectedIndex;
    // The selected vehicle's costs belong in the summary of its own log only.
    if (selected >= 0 && selected < state.Vehicles.Count() && !state.Vehicles.IsInvalid(selected)
        && state.Vehicles.At(selected).Registration.compare(VehicleName, Qt::CaseInsensitive) == 0) {
        const TVehicleRecord &v = state.Vehicles.At(selected);
        in.vehicle = SummaryVehicle{v.RoadTax, v.MOTAmount, v.ServiceAmount, v.InsuranceAmount, SundryTotal(v)};
    }
    SummaryHeading->setText(::SummaryHeading(VehicleName));
    Summary->setPlainText(BuildSummary(run, in).join(QLatin1Char('\n')));

    const AnalysisRow &last = run.rows.last();
    const QString average = AnalysisTable::CellText(last, 4, run.option);
    const QString price = AnalysisTable::CellText(last, 6, run.option);
    state.PublishTripDefaults(GetFMode(), average, last.first ? 0.0 : last.average,
                              run.option == AnalysisOption::Basic || !last.hasPrice ? nullptr : &price,
                              last.pricePerQuantity);
}

void TAnalisisForm::chooseAndRun(QAction *choice, void (LiveOptions::*setUnit)(int), int index)
{
    choice->setChecked(true);
    if (setUnit) // the units chosen here are the setup panel's too
        (state.Options().*setUnit)(index);
    AnaliseClick();
}

void TAnalisisForm::MilesClick() { chooseAndRun(Miles, &LiveOptions::SetDistanceUnit, 0); }

void TAnalisisForm::KilometersClick() { chooseAndRun(Kilometers, &LiveOptions::SetDistanceUnit, 1); }

void TAnalisisForm::GallonsClick() { chooseAndRun(Gallons, &LiveOptions::SetFuelUnit, 0); }

void TAnalisisForm::LitresClick() { chooseAndRun(Litres, &LiveOptions::SetFuelUnit, 1); }

void TAnalisisForm::BasicClick() { chooseAndRun(Basic, nullptr, 0); }

void TAnalisisForm::PPQClick() { chooseAndRun(PPQ, nullptr, 0); }

void TAnalisisForm::PPDUClick() { chooseAndRun(PPDU, nullptr, 0); }

void TAnalisisForm::SummaryClick()
{
    SummaryPan->show();
    SummaryPan->raise();
}

void TAnalisisForm::ExitSummaryClick() { SummaryPan->hide(); }

void TAnalisisForm::SummaryPrintClick()
{
    PrintJob job(state, shell.PrintFont());
    if (!job.StartPrintJob(false, QStringLiteral("Summary ") + VehicleName))
        return;
    PrintReports::PrintSummary(job.Canvas(), VehicleName, Summary->toPlainText().split(QLatin1Char('\n')));
    job.EndPrintJob();
}

void TAnalisisForm::PrintClick()
{
    if (RowCount() < 2)
        return;
    PrintJob job(state, shell.PrintFont());
    if (!job.StartPrintJob(false, VehicleName))
        return;
    if (!PrintReports::PrintTable(job.Canvas(), Model->Table(), VehicleName, Model->Run().units.HeadingMode()))
        job.PageFailed();
    job.EndPrintJob();
}

void TAnalisisForm::PrintStyleSetupClick()
{
    // The chosen font replaces the whole printer font: the font dialog has
    // no colour, so a graph printout's colour goes back to black.
    QFont font = shell.PrintFont().font;
    if (state.platform().ChooseFont(font))
        shell.PrintFont() = PrinterFont{font, Qt::black};
}

void TAnalisisForm::GraphClick()
{
    shell.Files().RefreshFromDisk();
    // One graph per analysis window; it closes with this window.
    auto *graph = new TGraphForm(state, shell);
    shell.AddChildWindow(graph);
    graphs.append(graph);
    graph->resize(graph->width(), 440);
    graph->show();
    graph->start(state.Analysis.Start, state.Analysis.Finish, VehicleName);
    GraphBtn->setEnabled(false);
}

void TAnalisisForm::Close1Click() { close(); }

void TAnalisisForm::TopClick() { AnalisisGrid->verticalScrollBar()->setValue(0); }

void TAnalisisForm::BottomClick()
{
    // Table row RowCount - min(RowCount - 1, h) at the top, h the rows the
    // window's height holds.
    const int rows = RowCount();
    const int h = height() / (AnalisisGrid->verticalHeader()->defaultSectionSize() + 4);
    const int top = rows - std::min(rows - 1, h);
    AnalisisGrid->verticalScrollBar()->setValue(std::max(0, top - 1));
}

void TAnalisisForm::usePopup(QMenu *menu) { popup = menu; }

void TAnalisisForm::SelectRangeClick()
{
    AnalisisGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    allSelected = false;
    usePopup(SelectionMenu);
}

void TAnalisisForm::SelectAllClick()
{
    AnalisisGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    usePopup(SelectionMenu);
    const int last = Model->rowCount() - 1;
    if (last < 0)
        return;
    AnalisisGrid->selectionModel()->select(QItemSelection(Model->index(0, 1), Model->index(last, 1)),
                                           QItemSelectionModel::ClearAndSelect);
    allSelected = true;
}

TableSelection TAnalisisForm::Selection() const
{
    TableSelection s;
    const QModelIndexList cells = AnalisisGrid->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        const QModelIndex current = AnalisisGrid->currentIndex();
        s.left = s.right = current.isValid() ? current.column() : 0;
        s.top = s.bottom = current.isValid() ? current.row() + 1 : 1;
        return s;
    }
    s.left = s.top = INT_MAX;
    s.right = s.bottom = -1;
    for (const QModelIndex &i : cells) {
        s.left = std::min(s.left, i.column());
        s.right = std::max(s.right, i.column());
        s.top = std::min(s.top, i.row() + 1);
        s.bottom = std::max(s.bottom, i.row() + 1);
    }
    if (allSelected)
        s.bottom = RowCount(); // Select All reaches one row past the table
    return s;
}

void TAnalisisForm::AnalisisGridMouseUp()
{
    const TableSelection s = Selection();
    shell.SetStatus(4, QStringLiteral("%1,  %2,  %3,  %4").arg(s.left).arg(s.right).arg(s.top).arg(s.bottom));
}

void TAnalisisForm::AnalisisGridTopLeftChanged()
{
    const int top = AnalisisGrid->rowAt(0) + 1;
    const int height = AnalisisGrid->viewport()->height();
    int visible = 0;
    for (int row = top - 1; row >= 0 && row < Model->rowCount(); ++row) {
        if (AnalisisGrid->rowViewportPosition(row) + AnalisisGrid->rowHeight(row) > height)
            break;
        ++visible;
    }
    shell.SetStatus(2, QString::number(top + visible));
}

void TAnalisisForm::AverageClick(bool perDay)
{
    state.platform().ShowMessage(ColumnAverage(Model->Table(), Selection(), perDay, Model->Run().units));
}

void TAnalisisForm::AnalyseSelectionClick()
{
    shell.CascadeChildWindows();
    // The rows are this window's, so its own range maps them to the log.
    const TableSelection s = Selection();
    const int from = Model->Run().start;
    const int top = std::max(s.top, 1);
    state.Analysis = {from + 4 * (top - 1), from + 4 * std::max(s.bottom, top)};
    static int made = 0;
    auto *again = new TAnalisisForm(state, shell);
    again->setObjectName(QStringLiteral("AnalisisForm%1").arg(++made));
    again->setWindowTitle(again->objectName());
    again->usePopup(again->SelectionMenu);
    again->AnalyseSelection->setVisible(false); // a re-analysis is not re-analysed
    reanalyses.append(again);
    shell.AddChildWindow(again);
    again->show();
    again->start(state.Analysis.Start, state.Analysis.Finish);
}

bool TAnalisisForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == AnalisisGrid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        AnalisisGridMouseUp();
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

QString TAnalisisForm::Cells(int col, int row) const { return Model->Table().Cells(col, row); }

int TAnalisisForm::RowCount() const { return Model->Table().RowCount(); }

void TAnalisisForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMdiSubWindow::closeEvent(event);
}

void TAnalisisForm::FormClose()
{
    if (closing)
        return;
    closing = true;
    for (const QPointer<TGraphForm> &graph : graphs)
        if (graph)
            graph->close();
    for (const QPointer<TAnalisisForm> &window : reanalyses)
        if (window)
            window->close();
    if (shell.ChildWindowCount() <= 1) // this is the last child window
        shell.EnableCommand(Command::Analyse, true);
}
