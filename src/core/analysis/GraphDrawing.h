#pragma once
// The performance graph's drawing data (DrawGraph), for the screen and the page.
#include "core/fuellog/FillMarks.h"

#include <QLine>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>

// The performance graph as data: what to draw, where, in which colour. The
// screen and the printed page draw the same data; tests read it without
// pixels. Coordinates are pixels of the drawing surface, y downwards.

struct GraphOptions {
    int windowHeight = 440;     // the baseline stands 130 above it
    int drawingWidth = 2400;    // the x axis ends 10 short of it
    // The frame: where the y axis stands, its top, how far left of it the
    // scale labels stand and how far below the baseline the years. The
    // screen's by default; a printed page has its own (PrintLayout).
    int left = 60, top = 10, labelOffset = 30, yearOffset = 30;
    int baseline = -1;          // -1: the window's height less 130
    int priceLabelRoom = 40;    // added to the surface's width for the price scale
    bool economyLine = true;    // distance per fuel unit
    bool averageLine = true;    // average distance per fuel unit
    bool priceLine = true;
    bool gridLines = true;
    int direction = 1;          // the analysis look direction
    // One mark per record of the log, or none: a partial or missed fill-up
    // has no economy figure, and the economy line joins the figures either
    // side of it.
    QVector<FillMark> marks = {};
};

struct GraphText {
    QPoint at;                  // top left of the text; with centred, its left middle
    QString text;
    bool centred = false;       // a scale label: centred on the height of its value
};

struct GraphGridLine {
    int x = 0;
    bool monthStart = false;    // a month begins here: drawn lighter
    // The line's grey on paper: light where a month begins.
    int Grey() const { return monthStart ? 192 : 128; }
};

// Series: 0 economy (colour 1), 1 average (colour 2), 2 price (colour 3).
struct GraphDrawing {
    static const int Left = 60, Top = 10; // on the screen
    int left = Left, top = Top;
    int baseline = 0;
    int surfaceWidth = 0, surfaceHeight = 0; // room for every point and label
    bool insufficient = false;  // too few lines in the log: the frame only
    QVector<GraphText> scaleLabels;          // 120 ... 0 at their values' heights, and "Date"
    QVector<int> levelLines;                 // with grid lines: the heights of 10 ... 110 across
    QVector<QLine> axes;                     // with the price line, a right-hand axis too
    // The price line's own scale on the right, in pence per litre: from the
    // lowest price drawn to the highest, each rounded outward to 10 p and at
    // least 20 p apart; five labels.
    int right = 0;                           // where the x axis ends
    double priceLow = 0, priceHigh = 0;
    QVector<GraphText> priceLabels;
    // Each series as line pieces, in order. A piece starts where the Part's
    // rounding of the previous figure puts it, so pieces of the economy line
    // may meet a pixel apart.
    QVector<QLine> series[3];
    QVector<GraphText> yearLabels, monthLabels;
    QVector<GraphGridLine> gridLines;        // from Top to the baseline
};

// The price scale's range for prices in pence: {low, high}.
std::pair<double, double> PriceScale(double lowest, double highest);

// The drawing of the records from line offset start to finish (exclusive).
GraphDrawing DrawGraph(const QStringList &log, int start, int finish, const GraphOptions &options);
// The frame of the graph on a printed page of the given size: every line
// and the grid always shown.
GraphOptions PrintLayout(int pageWidth, int pageHeight, int direction);
