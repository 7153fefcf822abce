#pragma once
#include "core/fuellog/FillMarks.h"
// Printed reports: the analysis table, the summary and the graph on the printer.
#include "core/analysis/GraphDrawing.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStringList>
#include <memory>

class AnalysisTable;
class AppState;
class QPainter;
class QPrinter;

// The printer font kept for the whole run: "Printer Styles" replaces it, a
// graph printout leaves it as the graph's font in the average line's colour.
struct PrinterFont {
    QFont font;
    QColor colour = Qt::black;
};

// What the reports draw on: a page in dots of 300 to the inch, text placed by
// its top-left corner. The printer is one canvas; tests record another.
class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int PageNumber() const = 0;   // 1 on the first page of a document
    virtual bool NewPage() = 0;
    virtual void Text(int x, int y, const QString &text) = 0;
    virtual int TextWidth(const QString &text) const = 0;
    virtual int TextHeight(const QString &text) const = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void SetPenColour(const QColor &colour) = 0;
    virtual void SetPenWidth(int dots) = 0; // 1 until changed
    // The font, and the colour texts are written in.
    virtual void SetFont(const QFont &font) = 0;
    virtual void SetFontColour(const QColor &colour) = 0;
    virtual void Clip(const QRect &rect) = 0; // an empty rect: no clipping
};

namespace PrintReports {
extern const int TableCellX[9];
extern const int TableHeadingX[9];
inline constexpr int RowsPerPage = 60;

void CentredTitle(PrintCanvas &canvas, const QString &title);
void PrintTableHeader(PrintCanvas &canvas, const QString &vehicleName, int headingMode);
void PrintTableRow(PrintCanvas &canvas, const QStringList &cells, int line);
// The column lines and right border of a page, from the header to bottom.
void PrintTableColumns(PrintCanvas &canvas, int bottom);
// The table, 60 rows a page at most, and fewer where the next row would
// not fit; false when a page could not be begun.
bool PrintTable(PrintCanvas &canvas, const AnalysisTable &table, const QString &vehicleName, int headingMode);
// The summary lines as the panel holds them; no page breaks.
void PrintSummary(PrintCanvas &canvas, const QString &vehicleName, const QStringList &lines);
// The graph over the range on a landscape page, in the four graph colours;
// leaves the canvas's font as the graph's, in the average line's colour.
void PrintGraph(PrintCanvas &canvas, const QString &vehicleName, const QStringList &log, int start, int finish,
                const QColor colours[4], int direction, const QVector<FillMark> &marks = {});
QFont GraphPrintFont();
// The pen width in dots of each printed series: economy, average, price.
extern const int SeriesPenWidth[3];
} // namespace PrintReports

// One printer document: the current printer, or where none is installed a
// PDF file the user names. Reports a job that cannot begin, start a page or
// end with a plain message; a cancelled file choice stops quietly.
class PrintJob {
public:
    PrintJob(AppState &state, PrinterFont &font);
    ~PrintJob();
    // StartPrintJob: false when there is nothing to print on.
    bool StartPrintJob(bool landscape, const QString &documentName);
    PrintCanvas &Canvas();
    // EndPrintJob: sends the document; false when it failed (told).
    bool EndPrintJob();
    // A page that could not be begun, told.
    void PageFailed();

private:
    AppState &state;
    PrinterFont &font;
    QString target; // the file or printer, for messages
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<PrintCanvas> canvas;
};
