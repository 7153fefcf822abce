#include "gui/analysis/Reports.h"

#include "core/analysis/AnalysisRun.h"
#include "core/state/AppState.h"
#include "gui/shell/Platform.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <iterator>

namespace {
const int DotsPerInch = 300;

// Printing always at 300 dots to the inch, whatever the printer's own
// resolution: the reports' positions keep their layout on any printer.
class PainterCanvas : public PrintCanvas {
public:
    PainterCanvas(QPrinter &p, QPainter &painter, PrinterFont &state) : printer(p), paint(painter), font(state)
    {
        const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
        width = qRound(inches.width() * DotsPerInch);
        height = qRound(inches.height() * DotsPerInch);
        paint.setWindow(0, 0, width, height);
        paint.setViewport(0, 0, printer.width(), printer.height());
        applyFont();
    }
    int PageWidth() const override { return width; }
    int PageHeight() const override { return height; }
    int PageNumber() const override { return page; }
    bool NewPage() override
    {
        if (!printer.newPage())
            return false;
        ++page;
        return true;
    }
    void Text(int x, int y, const QString &text) override
    {
        paint.setPen(font.colour);
        paint.drawText(QRect(x, y, TextWidth(text) + 2, TextHeight(text) + 2), Qt::AlignLeft | Qt::AlignTop, text);
        paint.setPen(currentPen());
    }
    int TextWidth(const QString &text) const override { return QFontMetrics(dotsFont).horizontalAdvance(text); }
    int TextHeight(const QString &) const override { return QFontMetrics(dotsFont).height(); }
    void Line(int x1, int y1, int x2, int y2) override
    {
        paint.setPen(currentPen());
        paint.drawLine(x1, y1, x2, y2);
    }
    void SetPenColour(const QColor &colour) override { pen = colour; }
    void SetPenWidth(int dots) override { penWidth = std::max(1, dots); }
    void SetFont(const QFont &f) override
    {
        font.font = f;
        applyFont();
    }
    void SetFontColour(const QColor &colour) override { font.colour = colour; }
    void Clip(const QRect &rect) override { paint.setClipRect(rect, rect.isEmpty() ? Qt::NoClip : Qt::ReplaceClip); }

private:
    // Round ends, so that the pieces of a wide line join without notches.
    QPen currentPen() const { return QPen(pen, penWidth, Qt::SolidLine, penWidth > 1 ? Qt::RoundCap : Qt::SquareCap, Qt::RoundJoin); }
    void applyFont()
    {
        // The size in dots of the page, not in the printer's own pixels.
        dotsFont = font.font;
        const double points = font.font.pointSizeF() > 0 ? font.font.pointSizeF() : font.font.pixelSize() * 72.0 / 96;
        dotsFont.setPixelSize(std::max(1, qRound(points * DotsPerInch / 72)));
        paint.setFont(dotsFont);
    }
    QPrinter &printer;
    QPainter &paint;
    PrinterFont &font;
    QFont dotsFont;
    QColor pen = Qt::black;
    int penWidth = 1;
    int width = 0, height = 0, page = 1;
};
} // namespace

namespace PrintReports {

const int TableCellX[9] = {120, 390, 620, 850, 1000, 1250, 1400, 1600, 1800};
const int TableHeadingX[9] = {80, 400, 620, 850, 1020, 1270, 1420, 1620, 1820};

QFont GraphPrintFont()
{
    QFont f(QStringLiteral("Arial Narrow"), 8);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

void CentredTitle(PrintCanvas &c, const QString &title) { c.Text(c.PageWidth() / 2 - c.TextWidth(title) / 2, 100, title); }

void PrintTableHeader(PrintCanvas &c, const QString &vehicleName, int headingMode)
{
    const int right = c.PageWidth() - 260, left = TableCellX[0] - 10;
    c.SetPenColour(Qt::black);
    c.Line(left, 190, right, 190);
    CentredTitle(c, vehicleName + QStringLiteral("   : Page ") + QString::number(c.PageNumber()));
    const QStringList headings = AnalysisNames::ColumnHeadings(headingMode);
    for (int i = 0; i < 9; ++i)
        c.Text(TableHeadingX[i], 200, headings.value(i));
    const int h = c.TextHeight(vehicleName);
    c.Line(left, h + 200, right, h + 200);
    c.Line(left, h + 250, right, h + 250);
}

namespace {
int rowBottom(PrintCanvas &c, const QString &firstCell, int line) { return (c.TextHeight(firstCell) + 10) * line + 290; }
} // namespace

void PrintTableColumns(PrintCanvas &c, int bottom)
{
    c.SetPenColour(Qt::black);
    for (int i = 0; i < 9; ++i)
        c.Line(TableCellX[i] - 10, 190, TableCellX[i] - 10, bottom);
    c.Line(c.PageWidth() - 260, 190, c.PageWidth() - 260, bottom);
}

void PrintTableRow(PrintCanvas &c, const QStringList &cells, int line)
{
    const int h = c.TextHeight(cells.value(0));
    for (int i = 0; i < cells.size() && i < 9; ++i)
        c.Text(TableCellX[i], (h + 10) * line + 250, cells[i]);
    c.Line(TableCellX[0] - 10, rowBottom(c, cells.value(0), line), c.PageWidth() - 260, rowBottom(c, cells.value(0), line));
}

bool PrintTable(PrintCanvas &c, const AnalysisTable &table, const QString &vehicleName, int headingMode)
{
    if (table.RowCount() < 2)
        return true;
    PrintTableHeader(c, vehicleName, headingMode);
    // The column lines of a page stop at its last row, drawn when the page ends.
    int line = 1, lastBottom = 0;
    auto nextPage = [&] {
        PrintTableColumns(c, lastBottom);
        if (!c.NewPage())
            return false;
        PrintTableHeader(c, vehicleName, headingMode);
        line = 1;
        return true;
    };
    for (int r = 1; r < table.RowCount(); ++r) {
        QStringList cells;
        for (int col = 0; col < table.ColCount(); ++col)
            cells << table.Cells(col, r);
        // A page also ends early where the next row would not fit it.
        if (line > 1 && rowBottom(c, cells.value(0), line) > c.PageHeight() - 10 && !nextPage())
            return false;
        PrintTableRow(c, cells, line);
        lastBottom = rowBottom(c, cells.value(0), line);
        if (line % RowsPerPage != 0)
            ++line;
        else if (r + 1 < table.RowCount() && !nextPage())
            return false;
    }
    PrintTableColumns(c, lastBottom);
    return true;
}

void PrintSummary(PrintCanvas &c, const QString &vehicleName, const QStringList &lines)
{
    c.SetPenColour(Qt::black);
    c.Line(90, 190, c.PageWidth() - 120, 190);
    CentredTitle(c, QStringLiteral("Summary ") + vehicleName + QStringLiteral("   : Page ") + QString::number(c.PageNumber()));
    for (int i = 0; i < lines.size(); ++i)
        c.Text(100, i * c.TextHeight(lines[i]) + 230, lines[i]);
}

const int SeriesPenWidth[3] = {4, 6, 4};

void PrintGraph(PrintCanvas &c, const QString &vehicleName, const QStringList &log, int start, int finish,
                const QColor colours[4], int direction, const QVector<FillMark> &marks)
{
    // The header: title, rule and the key, in the printer font; the key's
    // texts black, each beside a swatch of its line.
    c.SetPenColour(Qt::black);
    c.Line(100, 200, c.PageWidth() - 10, 200);
    CentredTitle(c, vehicleName + QStringLiteral("   : Vantiq Performance Graph "));
    const int keyX = c.PageWidth() - 350;
    c.SetFontColour(Qt::black);
    const struct {
        int y, series;
        const char *text;
    } key[3] = {{50, 2, "Fuel Cost per Litre"}, {100, 0, "MPG"}, {150, 1, "Average MPG"}};
    for (const auto &k : key) {
        const QString text = QLatin1String(k.text);
        const int middle = k.y + c.TextHeight(text) / 2;
        c.SetPenColour(colours[k.series + 1]);
        c.SetPenWidth(12);
        c.Line(keyX - 100, middle, keyX - 20, middle);
        c.Text(keyX, k.y, text);
    }
    c.SetPenWidth(1);
    c.SetFontColour(colours[2]); // it stays so for the rest of the page

    // The same drawing as the screen's, laid out on the page.
    GraphOptions layout = PrintLayout(c.PageWidth(), c.PageHeight(), direction);
    layout.marks = marks;
    const GraphDrawing g = DrawGraph(log, start, finish, layout);
    c.SetFont(GraphPrintFont());
    c.SetPenColour(Qt::black);
    for (const QVector<GraphText> *texts : {&g.scaleLabels, &g.priceLabels, &g.yearLabels, &g.monthLabels})
        for (const GraphText &t : *texts)
            c.Text(t.at.x(), t.centred ? t.at.y() - c.TextHeight(t.text) / 2 : t.at.y(), t.text);
    for (const QLine &l : g.axes)
        c.Line(l.x1(), l.y1(), l.x2(), l.y2());
    // Lines within the frame only, wide enough that a line along its top or
    // bottom keeps its whole width.
    const int halfPen = *std::max_element(std::begin(SeriesPenWidth), std::end(SeriesPenWidth)) / 2;
    c.Clip(QRect(QPoint(g.left, g.top - halfPen), QPoint(g.right, g.baseline + halfPen)));
    c.SetPenColour(QColor(192, 192, 192));
    for (int y : g.levelLines)
        c.Line(g.left, y, g.right, y);
    for (const GraphGridLine &line : g.gridLines) {
        c.SetPenColour(QColor(line.Grey(), line.Grey(), line.Grey()));
        c.Line(line.x, g.top, line.x, g.baseline);
    }
    for (int s = 0; s < 3; ++s) {
        c.SetPenColour(colours[s + 1]);
        c.SetPenWidth(SeriesPenWidth[s]);
        for (const QLine &l : g.series[s])
            c.Line(l.x1(), l.y1(), l.x2(), l.y2());
    }
    c.SetPenWidth(1);
    c.Clip(QRect());
    c.SetPenColour(Qt::black);
}

} // namespace PrintReports

PrintJob::PrintJob(AppState &s, PrinterFont &f) : state(s), font(f) {}

PrintJob::~PrintJob()
{
    if (painter && painter->isActive())
        painter->end();
}

bool PrintJob::StartPrintJob(bool landscape, const QString &documentName)
{
    Platform &ui = state.platform();
    QPrinter &printer = ui.Printer();
    if (!ui.HasPrinter()) {
        // No printer installed: the document goes to a PDF file.
        FileRequest request;
        request.title = QStringLiteral("Print to a PDF file");
        request.folder = state.Live.DataPath;
        request.fileName = documentName + QStringLiteral(".pdf");
        request.filter = QStringLiteral("PDF files|*.pdf");
        request.defaultSuffix = QStringLiteral("pdf");
        const QString path = ui.SaveFileName(request);
        if (path.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        target = QStringLiteral("The file ") + path;
    } else {
        target = QStringLiteral("The printer ") + (printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName());
    }
    printer.setDocName(documentName);
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer)) {
        ui.ShowMessage(target + QStringLiteral(" could not begin the printout"));
        painter.reset();
        return false;
    }
    canvas = std::make_unique<PainterCanvas>(printer, *painter, font);
    return true;
}

PrintCanvas &PrintJob::Canvas() { return *canvas; }

void PrintJob::PageFailed() { state.platform().ShowMessage(target + QStringLiteral(" could not begin a new page")); }

bool PrintJob::EndPrintJob()
{
    if (!painter)
        return false;
    const bool ended = painter->end();
    painter.reset();
    if (!ended)
        state.platform().ShowMessage(target + QStringLiteral(" could not finish the printout"));
    return ended;
}
