#include "gui/analysis/GraphWindow.h"

#include "core/state/AppState.h"
#include "gui/analysis/Reports.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Resources.h"
#include "gui/shell/ShellCommands.h"
#include "gui/shell/Widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const int DefaultColours[4] = {-16777201, 32768, 255, 65535};
int Settings::*const ColourKeys[4] = {&Settings::G1C, &Settings::G2C, &Settings::G3C, &Settings::G4C};

QFont graphFont()
{
    QFont f(QStringLiteral("Arial Narrow"), 8);
    f.setStretch(QFont::SemiCondensed); // where no Arial Narrow is installed
    return f;
}
} // namespace

QColor ColourFromSetting(int value)
{
    const quint32 v = quint32(value);
    if ((v >> 24) == 0xFF) {
        const QPalette palette = QApplication::palette();
        switch (v & 0xFF) {
        case 5: return palette.color(QPalette::Base);
        case 15: return palette.color(QPalette::Button);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int SettingFromColour(const QColor &c) { return c.blue() * 65536 + c.green() * 256 + c.red(); }

QColor GraphColour(const AppState &state, int index)
{
    const int setting = state.Live.*ColourKeys[index];
    // A system colour as the background is the palette's base, light or dark.
    if (index == 0 && (quint32(setting) >> 24) == 0xFF)
        return QApplication::palette().color(QPalette::Base);
    return ColourFromSetting(setting);
}

namespace {
// Text, axes and grid in a colour that reads on the background: the
// palette's text on its base, else black or white by the background's lightness.
QColor inkOn(const QColor &background)
{
    const QPalette palette = QApplication::palette();
    if (background == palette.color(QPalette::Base))
        return palette.color(QPalette::Text);
    return background.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

QColor blend(const QColor &from, const QColor &to, double share)
{
    auto mix = [&](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}
} // namespace

void GraphSurface::SetDrawing(const GraphDrawing &d, const QColor c[4])
{
    drawing = d;
    for (int i = 0; i < 4; ++i)
        colours[i] = c[i];
    setFixedSize(drawing.surfaceWidth, drawing.surfaceHeight);
    update();
}

void GraphSurface::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect exposed = event->rect();
    p.fillRect(exposed, colours[0]);
    p.setFont(graphFont());
    p.setBackground(colours[0]);
    p.setBackgroundMode(Qt::OpaqueMode);
    const QColor ink = inkOn(colours[0]);
    const QFontMetrics fm(p.font());
    const int widest = fm.horizontalAdvance(QStringLiteral("Date")) + 2; // no label is wider
    // A scale label is centred on its value's height, kept inside the surface.
    auto boxOf = [&](const GraphText &t) {
        QRect box(t.at, fm.size(0, t.text));
        if (t.centred)
            box.moveTop(std::max(0, t.at.y() - box.height() / 2));
        return box;
    };
    auto write = [&](const GraphText &t) {
        const QRect box = boxOf(t);
        if (box.intersects(exposed))
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop, t.text);
    };
    // Everything but the scales stands in order across, so only the part of
    // each list that falls in the exposed columns is looked at.
    auto from = [&](const auto &items, auto x) {
        return std::partition_point(items.begin(), items.end(), [&](const auto &i) { return x(i) < exposed.left() - widest; });
    };
    auto texts = [&](const QVector<GraphText> &labels) {
        for (auto t = from(labels, [](const GraphText &g) { return g.at.x(); }); t != labels.end(); ++t) {
            if (t->at.x() > exposed.right())
                break;
            write(*t);
        }
    };
    // Grid lines first, so the figures' lines stand over them; lines are
    // drawn in batches, one call per colour.
    QVector<QLine> light, mid;
    for (auto g = from(drawing.gridLines, [&](const GraphGridLine &l) { return l.x + widest; }); g != drawing.gridLines.end(); ++g) {
        if (g->x > exposed.right())
            break;
        (g->monthStart ? light : mid).append(QLine(g->x, drawing.top, g->x, drawing.baseline));
    }
    for (int y : drawing.levelLines)
        light.append(QLine(std::max(drawing.left, exposed.left()), y, std::min(drawing.right, exposed.right()), y));
    // Half-way to the ink, and a quarter of the way where a month begins:
    // mid and light grey on white.
    p.setPen(blend(colours[0], ink, 0.5));
    p.drawLines(mid);
    p.setPen(blend(colours[0], ink, 0.25));
    p.drawLines(light);
    p.setPen(ink);
    p.drawLines(drawing.axes);
    QVector<QLine> shown;
    for (int s = 0; s < 3; ++s) {
        const QVector<QLine> &lines = drawing.series[s];
        shown.clear();
        for (auto l = from(lines, [&](const QLine &q) { return q.x2() + widest; }); l != lines.end(); ++l) {
            if (l->x1() > exposed.right())
                break;
            shown.append(*l);
        }
        p.setPen(colours[s + 1]);
        p.drawLines(shown);
    }
    p.setPen(ink);
    for (const QVector<GraphText> *scale : {&drawing.scaleLabels, &drawing.priceLabels})
        for (const GraphText &t : *scale)
            write(t);
    texts(drawing.yearLabels);
    texts(drawing.monthLabels);

    // Scrolled along, each scale stays in sight at its edge of the window,
    // on a band of the background over the lines.
    // What the scroll area shows of the surface (its parent is the viewport).
    const QRect visible = parentWidget() ? rect() & QRect(-pos(), parentWidget()->size()) : rect();
    auto band = [&](const QVector<GraphText> &labels, int axisX, int labelX, QRect area) {
        p.fillRect(area, colours[0]);
        p.drawLine(axisX, drawing.top, axisX, drawing.baseline);
        for (GraphText t : labels)
            if (t.centred) {
                t.at.setX(labelX);
                write(t);
            }
    };
    if (visible.left() > 0 && drawing.scaleLabels.size() > 1) {
        const int x = visible.left();
        band(drawing.scaleLabels, x + drawing.left, x + drawing.scaleLabels.first().at.x(), QRect(x, 0, drawing.left, drawing.baseline + 1));
    }
    if (!drawing.priceLabels.isEmpty()) {
        int room = 0;
        for (const GraphText &t : drawing.priceLabels)
            room = std::max(room, t.at.x() - drawing.right + fm.horizontalAdvance(t.text) + 2);
        const int x = visible.right() - room;
        if (x < drawing.right && x > visible.left() + drawing.left)
            band(drawing.priceLabels, x, x + drawing.priceLabels.first().at.x() - drawing.right,
                 QRect(x, 0, visible.right() - x + 1, drawing.baseline + 1));
    }
}

TGraphForm::TGraphForm(AppState &appState, ShellCommands &commands)
    : QMdiSubWindow(nullptr), state(appState), shell(commands), background(GraphColour(appState, 0))
{
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QStringLiteral("Graph"));
    setProperty("helpContext", HelpTopic::Graph);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumHeight(300); // the scale stays above the baseline
    connect(&state, &AppState::graphColoursChanged, this, &TGraphForm::showColours);

    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QMenu *file = FileMenu = new QMenu(QStringLiteral("File"), this);
    file->setObjectName(QStringLiteral("File1"));
    connect(AddMenuItem(file, "Opendatafile1", QStringLiteral("&Open data file")), &QAction::triggered, this,
            [this] { shell.Files().Open1Click(); });
    connect(AddMenuItem(file, "NewDatafile1", QStringLiteral("New Data file")), &QAction::triggered, this,
            [this] { shell.Files().New1Click(); });
    connect(AddMenuItem(file, "Save1", QStringLiteral("&Save")), &QAction::triggered, this, [this] { shell.Files().Save1Click(); });
    connect(AddMenuItem(file, "SaveAs1", QStringLiteral("Save &As")), &QAction::triggered, this,
            [this] { shell.Files().SaveAsClick(); });
    connect(AddMenuItem(file, "View1", QStringLiteral("&View")), &QAction::triggered, this, [this] { shell.ViewClick(); });
    connect(AddMenuItem(file, "Close1", QStringLiteral("&Close")), &QAction::triggered, this, &TGraphForm::CloseGraphClick);
    connect(AddMenuItem(file, "PrintSetup1", QStringLiteral("Print Setup")), &QAction::triggered, this,
            [this] { state.platform().PrinterSetup(state.platform().Printer()); });
    connect(AddMenuItem(file, "CloseAll1", QStringLiteral("Close &All")), &QAction::triggered, this,
            [this] { shell.CloseAllChildWindows(); });
    connect(AddMenuItem(file, "PrintGraph1", QStringLiteral("Print Graph")), &QAction::triggered, this, &TGraphForm::Print1Click);
    connect(AddMenuItem(file, "Exit1", QStringLiteral("&Exit")), &QAction::triggered, this, [this] { shell.ExitVantiqClick(); });
    QMenu *graph = GraphMainMenu = new QMenu(QStringLiteral("&Graph"), this);
    graph->setObjectName(QStringLiteral("Graph1"));
    addColourMenu(graph);
    Gridlines1 = AddMenuItem(graph, "Gridlines1", QStringLiteral("Grid lines"));
    connect(AddMenuItem(graph, "Redraw1", QStringLiteral("Redraw")), &QAction::triggered, this, &TGraphForm::GraphChangeClick);
    addZoomMenu(graph->addMenu(QStringLiteral("&Zoom")));
    KeyVisible1 = AddMenuItem(graph, "KeyVisible1", QStringLiteral("Key Visible"));
    KeyVisible1->setCheckable(true);
    connect(KeyVisible1, &QAction::triggered, this, &TGraphForm::ShowKeyClick);

    ToolBar1 = new QToolBar(body);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    connect(AddToolButton(ToolBar1, "CloseGraph", QStringLiteral("Close Graph"), CommandIcon("window-close")),
            &QToolButton::clicked, this, &TGraphForm::CloseGraphClick);
    connect(AddToolButton(ToolBar1, "PrintGraph", QStringLiteral("Print Graph"), CommandIcon("document-print")),
            &QToolButton::clicked, this, &TGraphForm::Print1Click);
    ShowKey = AddToolButton(ToolBar1, "ShowKey", QStringLiteral("Key Visible"), CommandIcon(nullptr, "vantiq-key"));
    connect(ShowKey, &QToolButton::clicked, this, &TGraphForm::ShowKeyClick);
    ToolBar1->addSeparator();
    auto check = [this](const char *name, const QString &hint, const QString &caption) {
        QToolButton *b = AddToolButton(ToolBar1, name, hint, QIcon());
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setCheckable(true);
        b->setChecked(true);
        connect(b, &QToolButton::clicked, this, &TGraphForm::GraphChangeClick);
        return b;
    };
    GraphDPULine = check("GraphDPULine", QStringLiteral("Show Distance per Quantity"), QStringLiteral("DPQ"));
    GraphADPULine = check("GraphADPULine", QStringLiteral("Show Average Distance per Quantity"), QStringLiteral("Avg"));
    GraphPriceLine = check("GraphPriceLine", QStringLiteral("Show Price Line"), QStringLiteral("Price"));
    GridLines = check("GridLines", QStringLiteral("Toggle Grid Lines"), QStringLiteral("Grid"));
    disconnect(GridLines, &QToolButton::clicked, this, &TGraphForm::GraphChangeClick);
    connect(GridLines, &QToolButton::clicked, this, [this] {
        Gridlines1->setChecked(GridLines->isChecked());
        Gridlines2->setChecked(GridLines->isChecked());
        GraphChangeClick();
    });
    ToolBar1->addSeparator();
    ToolButton6 = AddToolButton(ToolBar1, "ToolButton6", QStringLiteral("Zoom In"), CommandIcon("zoom-in"));
    ToolButton7 = AddToolButton(ToolBar1, "ToolButton7", QStringLiteral("Zoom Out"), CommandIcon("zoom-out"));
    connect(ToolButton6, &QToolButton::clicked, this, &TGraphForm::ToolButton6Click);
    connect(ToolButton7, &QToolButton::clicked, this, &TGraphForm::ToolButton7Click);
    layout->addWidget(ToolBar1);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    ScrollBox = new QScrollArea(body);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    GraphArea = new GraphSurface;
    GraphArea->setObjectName(QStringLiteral("GraphArea"));
    GraphArea->setContextMenuPolicy(Qt::CustomContextMenu);
    ScrollBox->setWidget(GraphArea);
    // The scales kept in sight are drawn again at every step of the scroll.
    connect(ScrollBox->horizontalScrollBar(), &QScrollBar::valueChanged, GraphArea, qOverload<>(&QWidget::update));
    row->addWidget(ScrollBox, 1);
    Key = new QFrame(body);
    Key->setObjectName(QStringLiteral("Key"));
    Key->setFrameShape(QFrame::StyledPanel);
    auto *key = new QHBoxLayout(Key);
    Keyimage = new QLabel(Key);
    Keyimage->setObjectName(QStringLiteral("Keyimage"));
    Keyimage->setFixedSize(110, 80);
    auto *names = new QVBoxLayout;
    for (const char *t : {"Distance / Fuel Unit", "Avg Distance / Fuel Unit", "Fuel Price"})
        names->addWidget(new QLabel(QLatin1String(t), Key));
    key->addWidget(Keyimage);
    key->addLayout(names);
    Key->hide();
    row->addWidget(Key, 0, Qt::AlignTop);
    layout->addLayout(row, 1);
    setWidget(body);

    GraphMenu = new QMenu(this);
    GraphMenu->setObjectName(QStringLiteral("GraphMenu"));
    addColourMenu(GraphMenu);
    Gridlines2 = AddMenuItem(GraphMenu, "Gridlines2", QStringLiteral("Grid lines"));
    connect(AddMenuItem(GraphMenu, "Redraw2", QStringLiteral("Redraw")), &QAction::triggered, this, &TGraphForm::GraphChangeClick);
    addZoomMenu(GraphMenu->addMenu(QStringLiteral("Zoom")));
    for (QAction *a : {Gridlines1, Gridlines2}) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, &TGraphForm::Gridlines1Click);
    }
    connect(GraphArea, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { GraphMenu->popup(GraphArea->mapToGlobal(pos)); });
    // The log can change under an open graph (a load, the data view).
    connect(&state, &AppState::fuelLogChanged, this, [this] {
        messageDue = true;
        GraphChangeClick();
    });
    ResizeWithinScreen(this, QSize(700, 440));
}

QList<MergedMenu> TGraphForm::MenusToMerge() const { return {{FileMenu, 0}, {GraphMainMenu, 0}}; }

void TGraphForm::addColourMenu(QMenu *menu)
{
    QMenu *colour = menu->addMenu(QStringLiteral("Colour"));
    const char *const captions[] = {"Background", "DPU Line", "ADPU Line", "Price Line"};
    for (int i = 0; i < 4; ++i)
        connect(colour->addAction(QLatin1String(captions[i])), &QAction::triggered, this, [this, i] { ColourClick(i); });
    connect(colour->addAction(QStringLiteral("Set Defaults")), &QAction::triggered, this, &TGraphForm::DefaultsCols);
}

void TGraphForm::addZoomMenu(QMenu *menu)
{
    const char *const captions[] = {"100%", "50%", "25%", "Screen", "Window"};
    for (int i = 0; i < 5; ++i)
        connect(menu->addAction(QLatin1String(captions[i])), &QAction::triggered, this, [this, i] { ZoomClick(i); });
}

void TGraphForm::start(int startOffset, int finishOffset, const QString &reg)
{
    state.Graph = {startOffset, finishOffset};
    VehicleName = reg;
    Gridlines1->setChecked(GridLines->isChecked());
    Gridlines2->setChecked(GridLines->isChecked());
    messageDue = true;
    GraphChangeClick();
}

const GraphDrawing &TGraphForm::Drawing() const { return GraphArea->Drawing(); }

void TGraphForm::GraphChangeClick()
{
    GraphOptions o;
    o.windowHeight = height();
    o.drawingWidth = drawingWidth;
    o.economyLine = GraphDPULine->isChecked();
    o.averageLine = GraphADPULine->isChecked();
    o.priceLine = GraphPriceLine->isChecked();
    o.gridLines = GridLines->isChecked();
    o.direction = state.Options().AnalysisDirection();
    o.marks = state.Marks.PerRecord(state.FuelLog);
    const QColor colours[4] = {background, GraphColour(state, 1), GraphColour(state, 2), GraphColour(state, 3)};
    GraphArea->SetDrawing(DrawGraph(state.FuelLog, state.Graph.Start, state.Graph.Finish, o), colours);
    QPalette area = ScrollBox->palette();
    area.setColor(QPalette::Window, background);
    ScrollBox->setPalette(area);
    if (messageDue)
        offerInsufficientMessage();
}

void TGraphForm::offerInsufficientMessage()
{
    messageDue = false;
    if (!Drawing().insufficient)
        return;
    // Never from inside a repaint: once the frame is on the screen.
    QTimer::singleShot(0, this, [this] {
        state.platform().MessageDialog(QStringLiteral("Insufficent Data to Graph"), MsgKind::Information, mbOk | mbHelp,
                                       HelpTopic::GraphNoData);
    });
}

void TGraphForm::DrawKey()
{
    const qreal ratio = Keyimage->devicePixelRatioF(); // sharp on a scaled screen
    QPixmap image(Keyimage->size() * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(background);
    QPainter p(&image);
    for (int i = 1; i <= 3; ++i) {
        p.setPen(QPen(GraphColour(state, i), 3));
        p.drawLine(10, 20 * i, 100, 20 * i);
    }
    Keyimage->setPixmap(image);
}

void TGraphForm::ShowKeyClick()
{
    Key->setVisible(Key->isHidden());
    KeyVisible1->setChecked(!Key->isHidden());
    DrawKey();
    GraphChangeClick();
}

void TGraphForm::ColourClick(int index)
{
    if (index < 0 || index > 3)
        return;
    QColor chosen = index == 0 ? background : GraphColour(state, index);
    if (!state.platform().ChooseColour(chosen))
        return;
    state.Live.*ColourKeys[index] = SettingFromColour(chosen);
    emit state.graphColoursChanged(state.Live.*ColourKeys[0]); // this window and every other open one
}

void TGraphForm::showColours()
{
    background = GraphColour(state, 0);
    GraphChangeClick();
    DrawKey();
}

void TGraphForm::DefaultsCols()
{
    for (int i = 1; i <= 3; ++i)
        state.Live.*ColourKeys[i] = DefaultColours[i];
    emit state.graphColoursChanged(DefaultColours[0]); // the stored background keeps its value
}

void TGraphForm::Gridlines1Click()
{
    GridLines->setChecked(!GridLines->isChecked());
    Gridlines1->setChecked(GridLines->isChecked());
    Gridlines2->setChecked(GridLines->isChecked());
    GraphChangeClick();
}

void TGraphForm::setDrawingWidth(int width)
{
    drawingWidth = std::clamp(width, int(MinZoom), int(MaxZoom));
    GraphChangeClick();
}

void TGraphForm::ZoomClick(int choice)
{
    static const int widths[] = {2400, 1200, 600};
    if (choice >= 0 && choice < 3)
        setDrawingWidth(widths[choice]);
    else if (choice == 3)
        setDrawingWidth(screen() ? screen()->size().width() : 2400);
    else if (choice == 4)
        setDrawingWidth(width());
}

void TGraphForm::ToolButton6Click() { setDrawingWidth(drawingWidth * 2); }

void TGraphForm::ToolButton7Click() { setDrawingWidth(drawingWidth / 2); }

void TGraphForm::CloseGraphClick() { close(); }

void TGraphForm::Print1Click()
{
    PrintJob job(state, shell.PrintFont());
    if (!job.StartPrintJob(true, VehicleName + QStringLiteral(" graph")))
        return;
    const QColor colours[4] = {background, GraphColour(state, 1), GraphColour(state, 2), GraphColour(state, 3)};
    PrintReports::PrintGraph(job.Canvas(), VehicleName, state.FuelLog, state.Graph.Start, state.Graph.Finish, colours,
                             state.Options().AnalysisDirection(), state.Marks.PerRecord(state.FuelLog));
    job.EndPrintJob();
}

void TGraphForm::resizeEvent(QResizeEvent *event)
{
    QMdiSubWindow::resizeEvent(event);
    if (GraphArea)
        GraphChangeClick(); // the baseline follows the window's height
}

void TGraphForm::closeEvent(QCloseEvent *event)
{
    if (!closingDown) {
        closingDown = true;
        emit closing();
        if (shell.ChildWindowCount() <= 1)
            shell.EnableCommand(Command::Analyse, true);
    }
    QMdiSubWindow::closeEvent(event);
}
