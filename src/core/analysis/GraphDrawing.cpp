#include "core/analysis/GraphDrawing.h"

#include "core/fuellog/DateText.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace {
// Every rounding of the drawing is to the nearest, halves to even; values
// from a hand-edited log are first held to a range no drawing needs more
// than, so that no conversion can fail.
int whole(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(*NumberText::RoundHalfEven(std::clamp(v, -1e6, 1e6)));
}

std::optional<int> piece(const QString &date, int from, int length)
{
    int v = 0;
    if (!NumberText::ReadWhole(QStringView(date).mid(from, length), &v))
        return std::nullopt;
    return v;
}

QString lastTwoDigits(int year) { return QStringLiteral("%1").arg(((year % 100) + 100) % 100, 2, 10, QLatin1Char('0')); }

// One step of the graph: where it stands across, and where each line piece
// starts and ends.
struct Step {
    double x = 0;
    int from[3] = {0, 0, 0};
    int to[3] = {0, 0, 0};
    bool drawn[3] = {true, true, true}; // false: no figure here; the line goes on from the last one
    int fromX[3] = {-1, -1, -1};         // where the piece starts when a figure was left out before it
    bool newYear = false, newMonth = false;
    int year = 0, month = 0;
};
} // namespace

GraphDrawing DrawGraph(const QStringList &log, int start, int finish, const GraphOptions &o)
{
    GraphDrawing g;
    const int L = o.left, T = o.top;
    const int B = o.baseline >= 0 ? o.baseline : o.windowHeight - 130;
    g.left = L;
    g.top = T;
    g.baseline = B;
    g.surfaceWidth = o.drawingWidth;
    g.surfaceHeight = B + o.yearOffset + 20; // room for the year labels

    const double scale = (B - T) / 118.0;
    auto y = [&](double value) { return whole(B - std::clamp(value, -1e5, 1e5) * scale); };
    // Each label stands at its value's height; a window too low to part them
    // has none.
    if (scale * 10 >= 8)
        for (int label = 120; label >= 0; label -= 10) {
            g.scaleLabels.append({QPoint(L - o.labelOffset, y(label)), QString::number(label), true});
            if (o.gridLines && label > 0 && y(label) >= T)
                g.levelLines.append(y(label));
        }
    g.scaleLabels.append({QPoint(L - o.labelOffset, B + 10), QStringLiteral("Date")});
    g.right = o.drawingWidth - 10;
    g.axes = {QLine(L, T, L, B), QLine(L, B, g.right, B)};
    if (o.priceLine) {
        g.axes.append(QLine(g.right, T, g.right, B));
        g.surfaceWidth += o.priceLabelRoom;
    }

    if (log.size() <= 8) {
        g.insufficient = true;
        return g;
    }
    // Only whole records inside the log are drawn.
    finish = std::min(finish, int(log.size() / 4) * 4);
    const int n = (finish - start) / 4;
    if (start < 4)
        start = 4; // the log's first record has no economy figure
    const int p0 = start - start % 4;
    if (n <= 0 || p0 >= finish)
        return g;
    const int steps = (finish - p0) / 4 - 1; // records after the first one drawn
    auto economyOf = [&](int p) -> std::optional<double> {
        if (o.marks.isEmpty())
            return CalcMpg(log, p, 0, 0, o.direction);
        const MarkedFigure m = MarkedMpg(log, o.marks, p, 0, 0, o.direction);
        return m.figure ? std::optional<double>(m.value.value_or(0.0)) : std::nullopt;
    };
    auto pence = [&](int p) {
        const double v = LenientReal(log[p + 3]);
        return std::isfinite(v) ? std::clamp(v, 0.0, 1e5) : 0.0;
    };
    if (o.priceLine) {
        double lowest = pence(p0), highest = lowest;
        for (int p = p0 + 4; p < finish; p += 4) {
            lowest = std::min(lowest, pence(p));
            highest = std::max(highest, pence(p));
        }
        std::tie(g.priceLow, g.priceHigh) = PriceScale(lowest, highest);
        for (int i = 0; i <= 4; ++i) {
            const double v = g.priceLow + (g.priceHigh - g.priceLow) * i / 4;
            const int decimals = v == std::floor(v) ? 0 : 1;
            g.priceLabels.append({QPoint(g.right + 5, y(i * 118 / 4.0)), QString::number(v, 'f', decimals) + QLatin1Char('p'), true});
        }
    }
    // A price in the units of the left-hand scale, so that one mapping serves.
    auto priceOf = [&](int p) { return g.priceHigh > g.priceLow ? (pence(p) - g.priceLow) / (g.priceHigh - g.priceLow) * 118 : 0.0; };

    // The first record drawn: its year below the axis, and where each line starts.
    const std::optional<int> firstYear = piece(log[p0], 6, 4);
    const std::optional<int> firstMonth = piece(log[p0], 3, 2);
    if (firstYear)
        g.yearLabels.append({QPoint(L, B + o.yearOffset), lastTwoDigits(*firstYear)});
    int previousYear = firstYear.value_or(0);
    bool haveYear = firstYear.has_value();
    int previousMonth = firstMonth.value_or(1) - 1;
    const std::optional<double> firstFigure = economyOf(p0);
    double sum = firstFigure.value_or(0.0);
    int figures = firstFigure ? 1 : 0;
    double previous[3] = {double(whole(sum)), double(whole(sum)), priceOf(p0)};
    // Where each line last had a figure: x, or -1 before its first one.
    double lastX[3] = {firstFigure ? double(L) : -1.0, firstFigure ? double(L) : -1.0, double(L)};

    // The Part's spacing where it gives at least a pixel; otherwise the points
    // are spread over the width.
    const int dx = o.drawingWidth / n - 1;
    const bool dense = dx < 1;
    const double spacing = dense ? double(o.drawingWidth - 10 - L) / std::max(steps, 1) : dx;

    QVector<Step> stepsTaken;
    stepsTaken.reserve(steps);
    for (int p = p0 + 4, k = 1; p < finish; p += 4, ++k) {
        Step s;
        s.x = L + k * spacing;
        const std::optional<double> figure = economyOf(p);
        if (figure) {
            const double economy = *figure;
            s.from[0] = y(previous[0]);
            s.to[0] = y(economy);
            previous[0] = whole(economy);
            sum += economy;
            ++figures;
        }
        if (figures > 0) {
            const int average = whole(sum / figures);
            s.from[1] = y(previous[1]);
            s.to[1] = y(average);
            previous[1] = average;
        }
        s.drawn[0] = figure.has_value();
        s.drawn[1] = figures > 0;
        for (int i = 0; i < 2; ++i) {
            if (!s.drawn[i])
                continue;
            // A line's first figure starts it; one after a gap joins across it.
            if (lastX[i] < 0)
                s.drawn[i] = false;
            else if (k > 1 && lastX[i] < L + (k - 1) * spacing - 0.5)
                s.fromX[i] = int(lastX[i]);
            lastX[i] = s.x;
        }
        const double price = priceOf(p);
        s.from[2] = y(previous[2]);
        s.to[2] = y(price);
        previous[2] = price;
        const std::optional<int> year = piece(log[p], 6, 4);
        const std::optional<int> month = piece(log[p], 3, 2);
        if (year) {
            s.newYear = !haveYear || *year > previousYear;
            s.year = *year;
            previousYear = *year;
            haveYear = true;
        }
        if (month && *month >= 1 && *month <= 12 && *month != previousMonth) {
            s.newMonth = true;
            s.month = *month;
            previousMonth = *month;
        }
        stepsTaken.append(s);
    }

    const bool shown[3] = {o.economyLine, o.averageLine, o.priceLine};
    if (!dense) {
        for (const Step &s : stepsTaken) {
            const int x = int(s.x);
            for (int i = 0; i < 3; ++i)
                if (shown[i] && s.drawn[i])
                    g.series[i].append(QLine(s.fromX[i] >= 0 ? s.fromX[i] : x - dx, s.from[i], x, s.to[i]));
            if (s.newYear)
                g.yearLabels.append({QPoint(x, B + o.yearOffset), lastTwoDigits(s.year)});
            if (s.newMonth)
                g.monthLabels.append({QPoint(x, B + 10), QLatin1String(MonthInitials[s.month - 1])});
            if (o.gridLines)
                g.gridLines.append({x, s.newMonth});
        }
    } else {
        // More records than pixels: per pixel column, the first, lowest,
        // highest and last value of each line; one grid line and label per
        // column, a month's beginning taking precedence.
        for (int i = 0; i < 3; ++i) {
            if (!shown[i])
                continue;
            // A line whose first figure comes later starts there.
            const auto firstDrawn = std::find_if(stepsTaken.cbegin(), stepsTaken.cend(), [i](const Step &s) { return s.drawn[i]; });
            if (firstDrawn == stepsTaken.cend())
                continue;
            const bool fromStart = i == 2 || firstFigure;
            QVector<QPoint> points{fromStart ? QPoint(L, firstDrawn->from[i]) : QPoint(whole(firstDrawn->x), firstDrawn->to[i])};
            int column = points.first().x(), low = points.first().y(), high = low, last = low, first = low;
            auto flush = [&] {
                for (int v : {first, low, high, last})
                    if (points.last() != QPoint(column, v))
                        points.append(QPoint(column, v));
            };
            for (const Step &s : stepsTaken) {
                if (!s.drawn[i])
                    continue;
                const int x = whole(s.x);
                if (x != column) {
                    flush();
                    column = x;
                    first = low = high = s.to[i];
                } else {
                    low = std::min(low, s.to[i]);
                    high = std::max(high, s.to[i]);
                }
                last = s.to[i];
            }
            flush();
            for (qsizetype k = 1; k < points.size(); ++k)
                g.series[i].append(QLine(points[k - 1], points[k]));
        }
        // Labels that would stand on one another are left out.
        int lastColumn = -1, lastYearX = -100, lastMonthX = -100;
        for (const Step &s : stepsTaken) {
            const int x = whole(s.x);
            if (s.newYear && x >= lastYearX + 16) {
                g.yearLabels.append({QPoint(x, B + o.yearOffset), lastTwoDigits(s.year)});
                lastYearX = x;
            }
            if (s.newMonth && x >= lastMonthX + 10) {
                g.monthLabels.append({QPoint(x, B + 10), QLatin1String(MonthInitials[s.month - 1])});
                lastMonthX = x;
            }
            if (!o.gridLines)
                continue;
            if (x != lastColumn)
                g.gridLines.append({x, s.newMonth});
            else if (s.newMonth)
                g.gridLines.last().monthStart = true;
            lastColumn = x;
        }
    }
    if (!stepsTaken.isEmpty())
        g.surfaceWidth = std::max(g.surfaceWidth, whole(stepsTaken.last().x) + 30);
    return g;
}

std::pair<double, double> PriceScale(double lowest, double highest)
{
    double low = std::floor(lowest / 10) * 10, high = std::ceil(highest / 10) * 10;
    if (high - low < 10) { // one price, a multiple of 10 p: it stands in the middle
        low -= 10;
        high += 10;
    } else if (high - low < 20) { // widened on the side that centres the prices best
        if (lowest - low < high - highest)
            low -= 10;
        else
            high += 10;
    }
    if (low < 0) {
        high += -low;
        low = 0;
    }
    return {low, high};
}

GraphOptions PrintLayout(int pageWidth, int pageHeight, int direction)
{
    GraphOptions o;
    // Room on the right of the page for the price scale.
    o.drawingWidth = pageWidth - 120;
    o.priceLabelRoom = 0;
    o.left = 100;
    o.top = 200;
    o.baseline = pageHeight - 200;
    o.labelOffset = 50;
    o.yearOffset = 50;
    o.direction = direction;
    return o;
}
