#include "AppFolder.h"
#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisRun.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/GraphWindow.h"
#include "gui/analysis/Reports.h"

#include <QMap>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSet>
#include <QToolButton>

namespace {
// A page that records what is drawn on it: texts with their places and
// colours, lines with their colours and the clipping in force. Text sizes
// follow the font's point size, so a larger font makes larger rows.
class RecordingCanvas : public PrintCanvas {
public:
    struct Item {
        int page;
        QString what; // "text" or "line"
        QString text;
        QRect at;     // a text's top left, or a line's two ends
        QColor colour;
        QRect clip;
        int penWidth;
    };
    RecordingCanvas(int width, int height, PrinterFont &f) : w(width), h(height), font(f) {}
    QList<Item> items;

    int PageWidth() const override { return w; }
    int PageHeight() const override { return h; }
    int PageNumber() const override { return page; }
    bool NewPage() override
    {
        ++page;
        return true;
    }
    void Text(int x, int y, const QString &text) override { items.append({page, "text", text, QRect(x, y, 0, 0), font.colour, clip, 0}); }
    int TextWidth(const QString &text) const override { return qRound(text.size() * font.font.pointSizeF() * 2.5); }
    int TextHeight(const QString &) const override { return qRound(font.font.pointSizeF() * 5); }
    void Line(int x1, int y1, int x2, int y2) override
    {
        items.append({page, "line", QString(), QRect(QPoint(x1, y1), QPoint(x2, y2)), pen, clip, penWidth});
    }
    void SetPenColour(const QColor &c) override { pen = c; }
    void SetPenWidth(int dots) override { penWidth = dots; }
    void SetFont(const QFont &f) override { font.font = f; }
    void SetFontColour(const QColor &c) override { font.colour = c; }
    void Clip(const QRect &r) override { clip = r; }

    QStringList texts(int onPage) const
    {
        QStringList out;
        for (const Item &i : items)
            if (i.page == onPage && i.what == QLatin1String("text"))
                out << QStringLiteral("%1,%2 %3").arg(i.at.x()).arg(i.at.y()).arg(i.text);
        return out;
    }
    int pages() const { return items.isEmpty() ? 0 : items.last().page; }

private:
    int w, h, page = 1;
    PrinterFont &font;
    QColor pen = Qt::black;
    int penWidth = 1;
    QRect clip;
};

int pdfPages(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ") + pdf.count("/Type /Page>"));
}
} // namespace

// The printed table, summary and graph, on a recording page and on paper.
class PrintingTest : public QObject {
    Q_OBJECT

    PrinterFont eightPoint()
    {
        PrinterFont f;
        f.font = QFont(QStringLiteral("Sans"), 8); // 40 dots a line on the recording page
        return f;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void tableOfSixtyOneRows()
    {
        const QStringList log = AppFolder::log(61);
        const AnalysisResult run = RunAnalysis(log, 0, int(log.size()), AnalysisUnits{}, AnalysisOption::PPDU, 1);
        const AnalysisTable table(run);
        PrinterFont font = eightPoint();
        RecordingCanvas page(2400, 3400, font);
        QVERIFY(PrintReports::PrintTable(page, table, QStringLiteral("AB12"), 1));
        QCOMPARE(page.pages(), 2);
        const QStringList first = page.texts(1);
        // Title centred at y 100, headings at y 200, rows 50 dots apart from 300.
        QCOMPARE(first[0], QStringLiteral("1050,100 AB12   : Page 1"));
        QCOMPARE(first.mid(1, 9), (QStringList{"80,200      Date", "400,200   Mileage", "620,200 Miles Done", "850,200    Mpg",
                                                "1020,200  Avg Mpg", "1270,200  Days", "1420,200   Cpg", "1620,200   Cpm",
                                                "1820,200   ACpm"}));
        QCOMPARE(first.mid(10, 2), (QStringList{"120,300 01/01/2012", "390,300 10000   "}));
        QCOMPARE(first.size(), 1 + 9 + 60 * 9);
        QCOMPARE(first.last(), QStringLiteral("1800,3250 ") + table.Cells(8, 60));
        const QStringList second = page.texts(2);
        QVERIFY(second[0].endsWith(QStringLiteral("AB12   : Page 2")));
        QCOMPARE(second.size(), 1 + 9 + 9);
        QCOMPARE(second[10], QStringLiteral("120,300 ") + log[240]);
        // The rules: frame and column lines of the header, one under each row.
        int rowRules = 0;
        for (const auto &i : page.items)
            if (i.page == 1 && i.what == QLatin1String("line") && i.at.top() == i.at.bottom() && i.at.left() == 110
                && i.at.top() > 300)
                ++rowRules;
        QCOMPARE(rowRules, 60);
    }

    void basicTableKeepsNineHeadings()
    {
        const QStringList log = AppFolder::log(3);
        const AnalysisResult run = RunAnalysis(log, 0, 12, AnalysisUnits{}, AnalysisOption::Basic, 1);
        PrinterFont font = eightPoint();
        RecordingCanvas page(2400, 3400, font);
        PrintReports::PrintTable(page, AnalysisTable(run), QStringLiteral("AB12"), 1);
        const QStringList texts = page.texts(1);
        QCOMPARE(texts.size(), 1 + 9 + 3 * 6);
        int columnRules = 0, lastRowRule = 0;
        for (const auto &i : page.items)
            if (i.what == QLatin1String("line") && i.at.top() == i.at.bottom() && i.at.left() == 110)
                lastRowRule = std::max(lastRowRule, i.at.top());
        for (const auto &i : page.items)
            if (i.what == QLatin1String("line") && i.at.left() == i.at.right() && i.at.top() == 190) {
                ++columnRules;
                QCOMPARE(i.at.bottom(), lastRowRule); // down to the last row, not the page's foot
            }
        QCOMPARE(columnRules, 10); // nine columns and the right border
        QCOMPARE(lastRowRule, 3 * 50 + 290);
    }

    // With a large font the rows are taller: a page ends before 60.
    void earlyPageBreak()
    {
        const QStringList log = AppFolder::log(61);
        const AnalysisResult run = RunAnalysis(log, 0, int(log.size()), AnalysisUnits{}, AnalysisOption::PPDU, 1);
        PrinterFont font;
        font.font = QFont(QStringLiteral("Sans"), 24); // 120 dots a line, 130 a row: 23 rows a page
        RecordingCanvas page(2400, 3400, font);
        PrintReports::PrintTable(page, AnalysisTable(run), QStringLiteral("AB12"), 1);
        QCOMPARE(page.pages(), 3);
        for (const auto &i : page.items)
            QVERIFY(i.at.bottom() <= 3400);
    }

    void summaryWithoutPageBreaks()
    {
        PrinterFont font = eightPoint();
        RecordingCanvas page(2400, 3400, font);
        QStringList lines;
        for (int i = 0; i < 100; ++i)
            lines << QStringLiteral("     line %1").arg(i);
        PrintReports::PrintSummary(page, QStringLiteral("AB12"), lines);
        QCOMPARE(page.pages(), 1);
        const QStringList texts = page.texts(1);
        QVERIFY(texts[0].endsWith(QStringLiteral("Summary AB12   : Page 1")));
        QCOMPARE(texts[1], QStringLiteral("100,230      line 0"));
        QCOMPARE(texts[2], QStringLiteral("100,270      line 1"));
        QCOMPARE(page.items.first().at, QRect(QPoint(90, 190), QPoint(2280, 190)));
    }

    void graphPrintout()
    {
        QStringList log = AppFolder::log(6);
        log[19] = QStringLiteral("160.00"); // a price above the scale
        PrinterFont font = eightPoint();
        RecordingCanvas page(3400, 2400, font);
        const QColor colours[4] = {Qt::white, QColor(0, 128, 0), Qt::red, Qt::yellow};
        PrintReports::PrintGraph(page, QStringLiteral("AB12"), log, 0, 24, colours, 1);
        const QStringList texts = page.texts(1);
        QVERIFY(texts[0].endsWith(QStringLiteral("AB12   : Vantiq Performance Graph ")));
        QCOMPARE(texts.mid(1, 3), (QStringList{"3050,50 Fuel Cost per Litre", "3050,100 MPG", "3050,150 Average MPG"}));
        // The key: black texts, each beside a swatch of its line's colour.
        QList<RecordingCanvas::Item> swatches, key;
        for (const auto &i : page.items)
            if (i.at.top() < 200 && i.at.left() >= 2900 && i.at.left() < 3100)
                (i.what == QLatin1String("line") ? swatches : key).append(i);
        QCOMPARE(key.size(), 3);
        QCOMPARE(swatches.size(), 3);
        const QColor swatchColours[3] = {Qt::yellow, QColor(0, 128, 0), Qt::red};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(key[k].colour, QColor(Qt::black));
            QCOMPARE(swatches[k].colour, swatchColours[k]);
            QVERIFY(swatches[k].at.right() < key[k].at.left() && swatches[k].at.top() > key[k].at.top());
            QVERIFY(swatches[k].penWidth > 1);
        }
        // Inside the frame: grid lines, then each series with one pen width.
        const QRect frame(QPoint(100, 197), QPoint(3270, 2203));
        QMap<QRgb, QSet<int>> widths;
        int inFrame = 0;
        for (const auto &i : page.items) {
            if (i.what == QLatin1String("text") && i.text == QLatin1String("Date"))
                QCOMPARE(i.at.topLeft(), QPoint(50, 2210));
            if (i.what == QLatin1String("text") && i.at.y() >= 200)
                QCOMPARE(i.colour, QColor(Qt::red)); // the labels carry the average line's colour
            if (i.what == QLatin1String("line") && i.at.top() >= 190) {
                QVERIFY(i.clip == frame || i.colour == Qt::black); // nothing but the axes outside the frame
                if (i.clip == frame) {
                    ++inFrame;
                    widths[i.colour.rgb()].insert(i.penWidth);
                }
            }
        }
        QCOMPARE(inFrame, 11 + 4 + 4 * 3); // grid across and along, and the three lines always
        QCOMPARE(widths.value(QColor(0, 128, 0).rgb()), QSet<int>{PrintReports::SeriesPenWidth[0]});
        QCOMPARE(widths.value(QColor(Qt::red).rgb()), QSet<int>{PrintReports::SeriesPenWidth[1]});
        QCOMPARE(widths.value(QColor(Qt::yellow).rgb()), QSet<int>{PrintReports::SeriesPenWidth[2]});
        // 160 p is on the price scale, on the right of the frame.
        QVERIFY2(texts.contains(QStringLiteral("3275,180 160p")), qPrintable(texts.join(" | ")));
        QCOMPARE(font.font.family(), PrintReports::GraphPrintFont().family()); // the printer font is left so
        QCOMPARE(font.colour, QColor(Qt::red));
    }

    // On paper: one PDF per printout, through the no-printer path.
    void realPrintouts()
    {
        Harness h;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(61)));
        TVantiq_ &w = h.start();
        w.analisebutton();
        auto *a = qobject_cast<TAnalisisForm *>(w.MdiArea->subWindowList().first());
        h.platform.fileAnswers << h.app.file(QStringLiteral("table.pdf")) << h.app.file(QStringLiteral("summary.pdf"));
        a->PrintClick();
        a->SummaryPrintClick();
        a->GraphClick();
        auto *g = w.findChild<TGraphForm *>();
        h.platform.fileAnswers << h.app.file(QStringLiteral("graph.pdf"));
        g->Print1Click();
        QCOMPARE(pdfPages(h.app.read(QStringLiteral("table.pdf"))), 2);
        QCOMPARE(pdfPages(h.app.read(QStringLiteral("summary.pdf"))), 1);
        QCOMPARE(pdfPages(h.app.read(QStringLiteral("graph.pdf"))), 1);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{});
        QCOMPARE(h.platform.fileRequests.first().filter, QStringLiteral("PDF files|*.pdf"));

        // Cancelled: nothing, quietly. Unwritable: said, with the file.
        h.platform.fileAnswers << QString();
        a->PrintClick();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{});
        h.platform.fileAnswers << h.app.file(QStringLiteral("no/such/folder/table.pdf"));
        a->PrintClick();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 QStringList{QStringLiteral("The file ") + h.app.file(QStringLiteral("no/such/folder/table.pdf"))
                             + QStringLiteral(" could not begin the printout")});
    }

    void printerStyles()
    {
        Harness h;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(3)));
        TVantiq_ &w = h.start();
        w.analisebutton();
        auto *a = qobject_cast<TAnalisisForm *>(w.MdiArea->subWindowList().first());
        w.PrintFont().colour = Qt::red; // as a graph printout leaves it
        h.platform.fontAnswers << QFont(QStringLiteral("Serif"), 14);
        a->PrintStyleSetupClick();
        QCOMPARE(w.PrintFont().font.pointSize(), 14);
        QCOMPARE(w.PrintFont().colour, QColor(Qt::black));
        h.platform.fontAnswers << QFont(QString()); // cancelled
        a->PrintStyleSetupClick();
        QCOMPARE(w.PrintFont().font.pointSize(), 14);
    }
};

VANTIQ_TEST(PrintingTest)
#include "tst_printing.moc"
