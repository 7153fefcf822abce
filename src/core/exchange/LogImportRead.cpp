// Reading a file to import: finding its table of fill-ups, placing the
// columns, and weighing what the file tells of its units and currency.
#include "core/exchange/ImportCells.h"
#include "core/exchange/ImportWords.h"
#include "core/exchange/LogImport.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace LogImport {

using namespace Cells;
using ImportWords::Heading;
using ImportWords::Role;

namespace {

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// A section marker: a line whose first field, quotes removed, starts with
// "#" ("## Costs", "\"## Costs\"").
bool isMarker(const QString &line)
{
    QString t = line.trimmed();
    while (t.startsWith(QLatin1Char('"')))
        t.remove(0, 1);
    return t.startsWith(QLatin1Char('#'));
}

// A title line: one field and nothing else ("Event Records"), which after a
// blank line starts another section.
bool isTitle(const QString &line, QChar separator)
{
    const QString t = line.trimmed();
    return !t.isEmpty() && !t.contains(separator);
}

bool isNumber(const QString &text)
{
    double v = 0;
    return ReadNumber(text, false, &v) || ReadNumber(text, true, &v);
}

// A header row names its columns: two fields or more, most of them words
// rather than numbers or dates (a file of rows alone has no header).
bool looksLikeHeader(const QStringList &fields)
{
    int filled = 0, words = 0;
    for (const QString &f : fields) {
        const QString t = f.trimmed();
        if (t.isEmpty())
            continue;
        ++filled;
        if (!isNumber(t) && !ReadDate(t).ok)
            ++words;
    }
    return filled >= 2 && 2 * words > filled;
}

// How well a header names a log of fill-ups: the columns Vantiq needs
// weigh most.
int scoreOf(const QVector<Heading> &headings)
{
    bool seen[32] = {};
    int score = 0;
    for (const Heading &h : headings) {
        const int role = int(h.role);
        if (seen[role])
            continue;
        seen[role] = true;
        switch (h.role) {
        case Role::Date: score += 4; break;
        case Role::Odometer: score += 4; break;
        case Role::Quantity: score += h.rank > 0 ? 4 : 2; break;
        case Role::Total: case Role::UnitPrice: case Role::Price: score += 2; break;
        case Role::Energy: score += 3; break;
        case Role::None: break;
        default: score += 1; break;
        }
    }
    return score;
}

// The share of a column's filled cells that pass a test; cells seen counts
// the filled ones.
template <typename Test>
double shareOf(const QVector<const Source::Row *> &rows, int column, Test test, int *filled = nullptr)
{
    int n = 0, good = 0;
    for (const Source::Row *row : rows) {
        const QString f = FieldOf(*row, column).trimmed();
        if (f.isEmpty())
            continue;
        ++n;
        good += test(f) ? 1 : 0;
    }
    if (filled)
        *filled = n;
    return n > 0 ? double(good) / n : 0.0;
}

// Numbers that rise with the dates, as an odometer's readings do (down the
// file, or up it for a file written newest first): few steps against the
// dates, most values different. Without a date column, down the file or up it.
bool rises(const QVector<const Source::Row *> &rows, int column, int dateColumn, bool decimalComma)
{
    struct Point {
        double value;
        int day; // the date as a number, 0 when it reads as none
    };
    // The dates read in the order more of them are real dates in.
    int real[2] = {0, 0};
    QVector<std::pair<double, DateParts>> read;
    for (const Source::Row *row : rows)
        if (double v = 0; ReadNumber(FieldOf(*row, column), decimalComma, &v)) {
            const DateParts d = ReadDate(FieldOf(*row, dateColumn));
            real[0] += DateOf(d, DateOrder::DayFirst).isValid();
            real[1] += DateOf(d, DateOrder::MonthFirst).isValid();
            read.append({v, d});
        }
    const DateOrder order = real[1] > real[0] ? DateOrder::MonthFirst : DateOrder::DayFirst;
    QVector<Point> points;
    QVector<double> values;
    for (const auto &[v, d] : read) {
        const QDate date = DateOf(d, order);
        points.append({v, date.isValid() ? int(date.toJulianDay()) : 0});
        values << v;
    }
    if (points.size() < 2 || Median(values) < 10)
        return false;
    int with = 0, against = 0, up = 0, down = 0;
    for (qsizetype i = 1; i < points.size(); ++i) {
        const Point &a = points[i - 1], &b = points[i];
        up += b.value > a.value;
        down += b.value < a.value;
        if (a.day == 0 || b.day == 0 || a.day == b.day || a.value == b.value)
            continue;
        ((b.day > a.day) == (b.value > a.value) ? with : against) += 1;
    }
    const qsizetype steps = points.size() - 1;
    if (with + against >= 2)
        return against * 10 <= (with + against);
    return up * 10 >= steps * 9 || down * 10 >= steps * 9;
}

// Values that cannot be quantities of fuel: all whole numbers below 10
// (codes, counts) or the same in every row.
bool plausibleQuantities(const QVector<const Source::Row *> &evidence, int column)
{
    QSet<QString> seen;
    bool small = true;
    int read = 0;
    for (const Source::Row *row : evidence) {
        const QString f = FieldOf(*row, column).trimmed();
        double v = 0;
        if (!ReadNumber(f, false, &v) && !ReadNumber(f, true, &v))
            continue;
        ++read;
        seen.insert(f);
        small &= v == std::floor(v) && std::fabs(v) < 10;
    }
    return read > 0 && !small && (seen.size() > 1 || read == 1);
}

// A mark column's values: codes (a few small whole numbers) or words.
bool holdsMarks(const QVector<const Source::Row *> &rows, int column)
{
    QSet<QString> values;
    int filled = 0;
    const double words = shareOf(rows, column, [&](const QString &f) {
        values.insert(f.toLower());
        return ImportWords::MarkIn(f) != ImportWords::Mark::Unknown;
    }, &filled);
    if (filled == 0)
        return false;
    bool codes = values.size() <= 6;
    for (const QString &v : values)
        codes &= v.size() == 1 && v.at(0).isDigit();
    return words >= 0.9 || codes;
}

struct Placing {
    int column = -1;
    QString hint;
};

// Why a column was placed by its header, in a line under its box.
QString headerHint(const char *what = nullptr)
{
    return what ? QStringLiteral("by its name: ") + QLatin1String(what) : QStringLiteral("by its name");
}

// Columns by their names: for each role the best ranked, its values
// permitting.
void placeByName(Source &s, const QVector<const Source::Row *> &ev)
{
    const QVector<Heading> &hs = s.headings;
    auto best = [&](Role role, auto acceptable) {
        int found = -1;
        for (int i = 0; i < hs.size(); ++i)
            if (hs[i].role == role && acceptable(i) && (found < 0 || hs[i].rank > hs[found].rank))
                found = i;
        return found;
    };
    auto any = [](int) { return true; };
    const int date = best(Role::Date, [&](int i) { return shareOf(ev, i, [](const QString &f) { return ReadDate(f).ok; }) >= 0.5; });
    s.columns.date = date >= 0 ? date : best(Role::Date, any);
    // An odometer's readings rise; a bare "km" or "miles" that does not is a
    // trip's distance.
    auto risesWithDates = [&](int i) { return rises(ev, i, s.columns.date, false) || rises(ev, i, s.columns.date, true); };
    int odometer = best(Role::Odometer, risesWithDates);
    if (odometer < 0)
        odometer = best(Role::Odometer, [&](int i) {
            // A "mileage" whose numbers do not rise (over enough rows to
            // tell) is the distance of each trip: no odometer.
            int filled = 0;
            shareOf(ev, i, [](const QString &f) { return isNumber(f); }, &filled);
            return hs[i].rank > 1 || (hs[i].rank == 1 && filled < 3);
        });
    s.columns.odometer = odometer;
    // The quantity: the most specific name whose values can be quantities
    // (a bare "fuel" may name the fuel's type).
    int quantity = best(Role::Quantity, [&](int i) { return plausibleQuantities(ev, i); });
    if (quantity < 0)
        quantity = best(Role::Quantity, any);
    s.columns.quantity = quantity;
    // A price per unit is what the pump showed: the truest figure, so it
    // wins over a total that was rounded, which then checks it.
    const int unitPrice = best(Role::UnitPrice, any), total = best(Role::Total, any), price = best(Role::Price, any);
    s.columns.money = unitPrice >= 0 ? unitPrice : total >= 0 ? total : price;
    s.columns.total = unitPrice >= 0 && total >= 0 ? total : -1;
    int full = best(Role::Full, any);
    if (full < 0)
        full = best(Role::Partial, any);
    if (full < 0)
        full = best(Role::MarkCode, [&](int i) { return holdsMarks(ev, i); });
    s.columns.full = full;
    s.columns.missed = best(Role::Missed, [&](int i) { return holdsMarks(ev, i) || hs[i].rank > 1; });
    s.columns.unit = best(Role::QuantityUnit, [&](int i) {
        return shareOf(ev, i, [](const QString &f) { return ImportWords::FuelIn(f) != ImportWords::Fuel::Unknown; }) >= 0.9;
    });
    s.columns.distanceUnit = best(Role::DistanceUnit, [&](int i) {
        return shareOf(ev, i, [](const QString &f) { return ImportWords::DistanceIn(f) != ImportWords::Distance::Unknown; }) >= 0.9;
    });
    s.columns.currency = best(Role::Currency, [&](int i) {
        return shareOf(ev, i, [](const QString &f) { return !ImportWords::CurrencyIn(f).isEmpty(); }) >= 0.9;
    });
}

// A column that counts rows (1, 2, 3 or 1001, 1002, ...) or holds small
// numbers is an id, not an odometer.
bool counts(const QVector<const Source::Row *> &rows, int column)
{
    QVector<double> values;
    for (const Source::Row *row : rows)
        if (double v = 0; ReadNumber(FieldOf(*row, column), false, &v))
            values << v;
    if (Median(values) < 100)
        return true;
    int byOne = 0;
    for (qsizetype i = 1; i < values.size(); ++i)
        byOne += std::fabs(values[i] - values[i - 1]) == 1;
    return byOne * 2 >= values.size() - 1;
}

// Where no name places the date or the odometer, what the columns hold may.
void placeByValues(Source &s, const QVector<const Source::Row *> &ev)
{
    auto taken = [&](int i) {
        const Columns &c = s.columns;
        return i == c.date || i == c.odometer || i == c.quantity || i == c.money || i == c.full || i == c.missed
               || i == c.total || i == c.unit || i == c.distanceUnit || i == c.currency;
    };
    const int columns = int(std::min<qsizetype>(s.headers.size(), 1000));
    if (s.columns.date < 0)
        for (int i = 0; i < columns && s.columns.date < 0; ++i) {
            int filled = 0;
            if (!taken(i) && shareOf(ev, i, [](const QString &f) { return ReadDate(f).ok; }, &filled) == 1.0 && filled > 0) {
                s.columns.date = i;
                s.hints.date = QStringLiteral("every value is a date");
            }
        }
    if (s.columns.odometer < 0)
        for (int i = 0; i < columns && s.columns.odometer < 0; ++i) {
            int filled = 0;
            const double numbers = shareOf(ev, i, [](const QString &f) { return isNumber(f); }, &filled);
            if (!taken(i) && filled >= 2 && numbers >= 0.9 && !counts(ev, i)
                && (rises(ev, i, s.columns.date, false) || rises(ev, i, s.columns.date, true))) {
                s.columns.odometer = i;
                s.hints.odometer = QStringLiteral("the numbers rise with the dates, as an odometer's do");
            }
        }
}

// No odometer: each fill-up's distance since the one before (a trip
// column, or a "mileage" that does not rise) gives the readings, added up
// from a start reading.
void placeTrip(Source &s, const QVector<const Source::Row *> &ev)
{
    if (s.columns.odometer >= 0)
        return;
    int trip = -1;
    for (Role role : {Role::Trip, Role::Odometer})
        for (int i = 0; i < s.headings.size() && trip < 0; ++i)
            if (s.headings[i].role == role)
                trip = i;
    int filled = 0;
    if (trip < 0 || shareOf(ev, trip, [](const QString &f) { return isNumber(f); }, &filled) < 0.9 || filled == 0)
        return;
    s.columns.trip = trip;
    s.hints.odometer = QStringLiteral("no odometer: the readings add up from the trips in %1")
                           .arg(quoted(s.headers.value(trip).trimmed()));
}

void hintColumns(Source &s)
{
    const Columns &c = s.columns;
    if (c.date >= 0 && s.hints.date.isEmpty())
        s.hints.date = headerHint();
    if (c.date < 0)
        s.hints.date = QStringLiteral("no header reads as a date and no column holds only dates");
    if (c.odometer >= 0 && s.hints.odometer.isEmpty())
        s.hints.odometer = headerHint();
    if (c.odometer < 0 && c.trip < 0)
        s.hints.odometer = QStringLiteral("no header reads as an odometer and no column of numbers rises with the dates");
    s.hints.quantity = c.quantity >= 0 ? headerHint()
                                       : QStringLiteral("no header reads as litres or gallons");
    if (c.money < 0)
        s.hints.moneyColumn = QStringLiteral("no header reads as a cost or a price");
    else
        s.hints.moneyColumn = headerHint(s.headings.value(c.money).role == Role::UnitPrice ? "a price per unit"
                                         : s.headings.value(c.money).role == Role::Total   ? "the total cost"
                                                                                           : "a total or a price");
    if (c.missed >= 0)
        s.hints.missed = headerHint();
}

bool electricUnit(const QString &unit) { return ImportWords::FuelIn(unit) == ImportWords::Fuel::KilowattHours; }

// A log of an electric car's charges holds kWh, not litres or gallons: by
// its quantity's name, a unit column, or an energy column and no fuel.
bool isElectric(const Source &s, const QVector<const Source::Row *> &ev)
{
    const Columns &c = s.columns;
    if (c.quantity >= 0 && electricUnit(s.headings[c.quantity].unit))
        return true;
    if (c.unit >= 0) {
        int filled = 0;
        if (shareOf(ev, c.unit, electricUnit, &filled) == 1.0 && filled > 0)
            return true;
    }
    if (c.quantity < 0 || s.headings[c.quantity].rank == 0)
        for (const Heading &h : s.headings)
            if (h.role == Role::Energy)
                return true;
    return false;
}

// Units a file gives outside its table: a vehicle's settings written as
// words ("US_GALLON", "MILE", "Liters").
void readElsewhere(Source &s, const QStringList &lines, int from, int to)
{
    static const QRegularExpression tokens(QStringLiteral(
        "\\b(US_GALLONS?|IMPERIAL_GALLONS?|UK_GALLONS?|LITERS?|LITRES?|MILES?|KILOMETERS?|KILOMETRES?)\\b"));
    for (int l = 0; l < lines.size(); ++l) {
        if (l >= from && l < to)
            continue;
        for (const QRegularExpressionMatch &m : tokens.globalMatch(lines[l])) {
            const QString t = m.captured(1);
            if (t.startsWith(QLatin1String("US_")))
                s.elsewhereFuel = FuelUnit::UsGallons;
            else if (t.startsWith(QLatin1String("IMPERIAL")) || t.startsWith(QLatin1String("UK_")))
                s.elsewhereFuel = FuelUnit::ImperialGallons;
            else if (t.startsWith(QLatin1String("LIT")))
                s.elsewhereFuel = FuelUnit::Litres;
            else if (t.startsWith(QLatin1String("MILE")))
                s.elsewhereDistance = DistanceUnit::Miles;
            else
                s.elsewhereDistance = DistanceUnit::Kilometres;
        }
    }
}

// The steps: decoding, lines, the header, parsing the rows, reading them.
Source readSteps(const QByteArray &bytes, const Progress &progress)
{
    Source s;
    Pace pace(progress);
    auto cancelled = [&] {
        s.cancelled = pace.cancelled;
        return s.cancelled;
    };
    if (!pace(0, true))
        return cancelled(), s;
    const QString text = Csv::Decode(bytes, pace.Part(0, 50, bytes.size()));
    if (!pace(50))
        return cancelled(), s;
    const QStringList lines = Csv::Lines(text, pace.Part(50, 150, text.size()));
    if (cancelled())
        return s;

    // Every table of the file (a header line with rows under it, up to a
    // marker or a blank line and a title), the best named one kept.
    struct Table {
        int header = -1, end = -1, score = -1;
        QChar separator;
        QStringList fields;
        QVector<Heading> headings;
    } best;
    for (int l = 0; l < lines.size(); ++l) {
        if (!pace(150 + 50 * l / std::max<qsizetype>(1, lines.size())))
            return cancelled(), s;
        const QString &line = lines[l];
        if (line.trimmed().isEmpty() || isMarker(line))
            continue;
        const QChar sep = Csv::GuessSeparator(line);
        if (isTitle(line, sep))
            continue;
        const QVector<Csv::Record> record = Csv::Parse(lines, l, l + 1, sep);
        if (record.isEmpty() || !looksLikeHeader(record.first().fields))
            continue;
        int end = l + 1;
        while (end < lines.size() && !isMarker(lines[end])
               && !(lines[end].trimmed().isEmpty() && end + 1 < lines.size() && isTitle(lines[end + 1], sep)))
            ++end;
        bool rows = false;
        for (int r = l + 1; r < end && !rows; ++r)
            rows = !lines[r].trimmed().isEmpty();
        if (rows) {
            Table t;
            t.header = l;
            t.end = end;
            t.separator = sep;
            t.fields = record.first().fields;
            t.headings.reserve(t.fields.size());
            for (const QString &f : std::as_const(t.fields))
                if (t.headings.size() % 1024 != 0 || pace(150)) // a header of a million fields
                    t.headings << ImportWords::Read(f);
                else
                    return cancelled(), s;
            t.score = scoreOf(t.headings);
            if (t.score > best.score)
                best = t;
        }
        l = end - 1; // a table's rows are no headers
    }
    if (best.header < 0) {
        s.problem = QStringLiteral("No fill-ups were found: the file needs a header row naming its columns, with a row "
                                   "for each fill-up under it.");
        return s;
    }
    s.headerLine = best.header + 1;
    s.separator = best.separator;
    s.headers = best.fields;
    s.headings = best.headings;
    const QVector<Csv::Record> records = Csv::Parse(lines, best.header + 1, best.end, best.separator,
                                                    pace.Part(200, 800, best.end - best.header));
    if (cancelled() || !pace(800))
        return cancelled(), s;
    s.rows.reserve(records.size());
    for (const Csv::Record &r : records)
        if (s.rows.size() % 4096 != 0 || pace(800 + 100 * s.rows.size() / std::max<qsizetype>(1, records.size())))
            s.rows.append({r.line, r.fields});
        else
            return cancelled(), s;
    readElsewhere(s, lines, best.header, best.end);

    const QVector<const Source::Row *> ev = EvidenceRows(s);
    placeByName(s, ev);
    if (isElectric(s, ev)) {
        s.problem = QStringLiteral("This is a log of electric charging (kWh); Vantiq keeps fuel");
        return s;
    }
    placeByValues(s, ev);
    placeTrip(s, ev);
    hintColumns(s);
    ReadMarkColumn(s);
    Weigh(s);
    return s;
}

// ---- Weighing the evidence ----

// Where the file was written, as far as its currency, its dates and its
// language tell: the units people there use.
struct Region {
    enum Kind { Unknown, Britain, America, Metric } kind = Unknown;
    QString why;
};

struct Figures {
    // The median distance between full fill-ups for the quantity of the
    // later one, in the file's own units; 0 when too few pairs.
    double perQuantity = 0;
    // The file's own economy beside it (its median), and its unit.
    double economy = 0;
    enum class Unit { Unknown, Mpg, KmPerLitre, LitresPer100Km, MilesPerLitre } economyUnit = Unit::Unknown;
    double medianQuantity = 0;
};

// A car does between 2.5 and 45 km to the litre (40 l/100 km to 2.2).
bool plausibleEconomy(double kmPerLitre) { return kmPerLitre >= 2.5 && kmPerLitre <= 45; }

double kmPerLitre(double perQuantity, DistanceUnit d, FuelUnit f)
{
    return perQuantity * (d == DistanceUnit::Miles ? 1.609344 : 1.0) / LitresPer(f);
}

Figures::Unit economyUnitIn(const QString &text)
{
    const QString t = text.toLower();
    if (t.contains(QLatin1String("100")))
        return Figures::Unit::LitresPer100Km;
    if (t.contains(QLatin1String("mpg")) || t.contains(QLatin1String("mi/g")) || t.contains(QLatin1String("miles per gal")))
        return Figures::Unit::Mpg;
    if (t.contains(QLatin1String("km/l")) || t.contains(QLatin1String("km per l")) || t.contains(QLatin1String("kmpl")))
        return Figures::Unit::KmPerLitre;
    if (t.contains(QLatin1String("mi/l")) || t.contains(QLatin1String("mi per l")))
        return Figures::Unit::MilesPerLitre;
    return Figures::Unit::Unknown;
}

Figures figuresOf(const Source &s, const QVector<const Source::Row *> &ev)
{
    Figures fig;
    const Columns &c = s.columns;
    const bool trips = c.odometer < 0 && c.trip >= 0;
    if ((c.odometer < 0 && !trips) || c.quantity < 0)
        return fig;
    int economyColumn = -1, economyUnitColumn = -1;
    for (int i = 0; i < s.headings.size(); ++i) {
        if (s.headings[i].role == Role::Economy && economyColumn < 0)
            economyColumn = i;
        if (s.headings[i].role == Role::EconomyUnit && economyUnitColumn < 0)
            economyUnitColumn = i;
    }
    struct Point {
        double odometer, quantity, economy;
        bool full;
    };
    QVector<Point> points;
    QVector<double> quantities;
    for (const Source::Row *row : ev) {
        double o = 0, q = 0, e = 0;
        if (!ReadNumber(FieldOf(*row, trips ? c.trip : c.odometer), s.decimalComma, &o)
            || !ReadNumber(FieldOf(*row, c.quantity), s.decimalComma, &q) || q <= 0)
            continue;
        if (economyColumn < 0 || !ReadNumber(FieldOf(*row, economyColumn), s.decimalComma, &e))
            e = 0;
        bool full = true;
        if (c.full >= 0) {
            const ImportWords::Mark m = ImportWords::MarkIn(FieldOf(*row, c.full));
            const bool yes = m == ImportWords::Mark::Yes || m == ImportWords::Mark::Full;
            full = c.sense == MarkSense::PartialIsYes ? !yes && m != ImportWords::Mark::Partial
                                                      : m != ImportWords::Mark::No && m != ImportWords::Mark::Partial;
        }
        points.append({o, q, e, full});
        quantities << q;
    }
    fig.medianQuantity = Median(quantities);
    if (!trips)
        std::stable_sort(points.begin(), points.end(), [](const Point &x, const Point &y) { return x.odometer < y.odometer; });
    QVector<double> ratios, economies;
    for (qsizetype i = 1; i < points.size(); ++i) {
        // a trip is the distance itself
        const double step = trips ? points[i].odometer : points[i].odometer - points[i - 1].odometer;
        if (step <= 0 || !points[i].full || !points[i - 1].full)
            continue;
        ratios << step / points[i].quantity;
        if (points[i].economy > 0)
            economies << points[i].economy / (step / points[i].quantity);
    }
    // Too few pairs say nothing: one fill-up forgotten doubles a distance.
    if (ratios.size() >= 3)
        fig.perQuantity = Median(ratios);
    if (economyColumn >= 0 && economies.size() >= 2) {
        fig.economy = Median(economies); // the file's economy over distance per quantity
        fig.economyUnit = economyUnitIn(s.headers.value(economyColumn) + QLatin1Char(' ') + s.headings[economyColumn].unit);
        if (fig.economyUnit == Figures::Unit::Unknown && economyUnitColumn >= 0 && !ev.isEmpty())
            fig.economyUnit = economyUnitIn(FieldOf(*ev.first(), economyUnitColumn));
    }
    return fig;
}

// Whether the file's own economy figures agree with a reading of its
// distances and quantities (within 3 %).
std::optional<bool> economyAgrees(const Figures &fig, DistanceUnit d, FuelUnit f)
{
    if (fig.economy <= 0 || fig.economyUnit == Figures::Unit::Unknown)
        return std::nullopt;
    // fig.economy is the file's figure over distance per quantity; what
    // that ratio must be for the reading:
    const double toMiles = d == DistanceUnit::Kilometres ? 1 / 1.609344 : 1.0;
    const double toKm = d == DistanceUnit::Miles ? 1.609344 : 1.0;
    const double litres = LitresPer(f);
    auto near = [&](double expected) { return std::fabs(fig.economy / expected - 1) < 0.03; };
    switch (fig.economyUnit) {
    case Figures::Unit::Mpg:
        if (f == FuelUnit::Litres)
            return near(toMiles * LitresPerUsGallon) || near(toMiles * LitresPerImperialGallon);
        return near(toMiles);
    case Figures::Unit::KmPerLitre: return near(toKm / litres);
    case Figures::Unit::MilesPerLitre: return near(toMiles / litres);
    case Figures::Unit::LitresPer100Km:
        // l/100 km is not a ratio of distance per quantity: compare it whole.
        return std::nullopt;
    case Figures::Unit::Unknown: break;
    }
    return std::nullopt;
}

QString distanceName(DistanceUnit d) { return d == DistanceUnit::Miles ? QStringLiteral("miles") : QStringLiteral("kilometres"); }

QString fuelName(FuelUnit f)
{
    switch (f) {
    case FuelUnit::Litres: return QStringLiteral("litres");
    case FuelUnit::ImperialGallons: return QStringLiteral("imperial gallons");
    case FuelUnit::UsGallons: return QStringLiteral("US gallons");
    case FuelUnit::Unknown: break;
    }
    return QString();
}

FuelUnit fuelOf(ImportWords::Fuel f)
{
    switch (f) {
    case ImportWords::Fuel::Litres: return FuelUnit::Litres;
    case ImportWords::Fuel::ImperialGallons: return FuelUnit::ImperialGallons;
    case ImportWords::Fuel::UsGallons: return FuelUnit::UsGallons;
    default: return FuelUnit::Unknown;
    }
}

DistanceUnit distanceOf(ImportWords::Distance d)
{
    return d == ImportWords::Distance::Miles        ? DistanceUnit::Miles
           : d == ImportWords::Distance::Kilometres ? DistanceUnit::Kilometres
                                                    : DistanceUnit::Unknown;
}

// The text counted most often; of those counted as often, the first in order.
QString mostOf(const QHash<QString, int> &counts)
{
    QString found;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most || (it.value() == most && it.key() < found))
            found = it.key(), most = it.value();
    return found;
}

// The language most of the header's words are in (an ISO 639-1 code),
// empty for English or when the words are of several languages.
QString headerLanguage(const Source &s)
{
    QHash<QString, int> languages;
    for (const Heading &h : s.headings)
        if (!h.language.isEmpty() && h.language != QLatin1String("*"))
            ++languages[h.language];
    return mostOf(languages);
}

// Money in pence by a header's unit words: "(p)", "p/l", "pence".
bool pence(const QString &unit)
{
    static const QRegularExpression words(QStringLiteral("[\\s/,.]+"));
    const QStringList w = unit.split(words, Qt::SkipEmptyParts);
    return w.contains(QLatin1String("p")) || w.contains(QLatin1String("pence")) || w.contains(QLatin1String("ppl"));
}

// The currency the prices are in, and why: their cells, a currency
// column, the money columns' names.
struct CurrencyEvidence {
    QString code;
    QString why;
};

CurrencyEvidence currencyOf(const Source &s, const QVector<const Source::Row *> &ev)
{
    const Columns &c = s.columns;
    QHash<QString, int> counts;
    auto majority = [&] { return mostOf(counts); };
    for (int column : {c.money, c.total})
        if (column >= 0)
            for (const Source::Row *row : ev)
                if (const Money m = ReadMoney(FieldOf(*row, column), s.decimalComma); m.ok && !m.currency.isEmpty())
                    ++counts[m.currency];
    if (!counts.isEmpty()) {
        const QString code = majority();
        return {code, QStringLiteral("the prices are written in %1").arg(ImportWords::CurrencyName(code))};
    }
    if (c.currency >= 0) {
        for (const Source::Row *row : ev)
            if (const QString code = ImportWords::CurrencyIn(FieldOf(*row, c.currency)); !code.isEmpty())
                ++counts[code];
        if (!counts.isEmpty()) {
            const QString code = majority();
            return {code, QStringLiteral("the %1 column reads %2").arg(quoted(s.headers.value(c.currency).trimmed()), code)};
        }
    }
    for (int i = 0; i < s.headings.size(); ++i) {
        const Heading &h = s.headings[i];
        if (h.role != Role::Total && h.role != Role::UnitPrice && h.role != Role::Price)
            continue;
        if (h.name == QLatin1String("ppl") || pence(h.unit))
            return {QStringLiteral("GBP"), QStringLiteral("the prices are in pence a litre")};
        if (const QString code = ImportWords::CurrencyIn(h.unit); !code.isEmpty())
            return {code, QStringLiteral("the header %1 says %2").arg(quoted(s.headers.value(i).trimmed()),
                                                                       ImportWords::CurrencyName(code))};
    }
    // A header in a language of the euro, the crown, the zloty or the
    // rouble names no pounds.
    static const QHash<QString, QString> currencies = {
        {QStringLiteral("de"), QStringLiteral("EUR")}, {QStringLiteral("fr"), QStringLiteral("EUR")},
        {QStringLiteral("es"), QStringLiteral("EUR")}, {QStringLiteral("it"), QStringLiteral("EUR")},
        {QStringLiteral("nl"), QStringLiteral("EUR")}, {QStringLiteral("cs"), QStringLiteral("CZK")},
        {QStringLiteral("pl"), QStringLiteral("PLN")}, {QStringLiteral("ru"), QStringLiteral("RUB")},
    };
    const QString language = headerLanguage(s);
    if (currencies.contains(language))
        return {currencies.value(language), QStringLiteral("the header is in %1, where prices are in %2")
                                                .arg(ImportWords::LanguageName(language),
                                                     ImportWords::CurrencyName(currencies.value(language)))};
    return {};
}

Region regionOf(const Source &s, const CurrencyEvidence &currency, bool monthFirst, const QString &monthWhy)
{
    Region r;
    if (currency.code == QLatin1String("GBP"))
        return {Region::Britain, currency.why};
    if (currency.code == QLatin1String("USD"))
        return {Region::America, currency.why};
    if (!currency.code.isEmpty())
        return {Region::Metric, currency.why};
    if (monthFirst)
        return {Region::America, monthWhy};
    const QString language = headerLanguage(s);
    if (!language.isEmpty())
        return {Region::Metric, QStringLiteral("the header is in %1").arg(ImportWords::LanguageName(language))};
    return r;
}

void weighDates(Source &s, const QVector<const Source::Row *> &ev, const Region &region)
{
    int dayFirst = 0, monthFirst = 0, numeric = 0, dayInFirst = 0, dayInSecond = 0, points = 0;
    for (const Source::Row *row : ev) {
        const DateParts d = ReadDate(FieldOf(*row, s.columns.date));
        if (!d.ok || d.fixed)
            continue;
        ++numeric;
        points += d.separator == QLatin1Char('.');
        if (d.a > 12 && d.b <= 12 && !dayFirst++)
            dayInFirst = d.a;
        if (d.b > 12 && d.a <= 12 && !monthFirst++)
            dayInSecond = d.b;
    }
    Answers &told = s.told, &guess = s.suggested;
    if (numeric == 0 || (dayFirst > 0 && monthFirst == 0)) {
        told.dateOrder = DateOrder::DayFirst;
        s.hints.dateOrder = numeric == 0 ? QString() : QStringLiteral("the dates have a day of %1 in the first place: day first").arg(dayInFirst);
        return;
    }
    if (monthFirst > 0 && dayFirst == 0) {
        told.dateOrder = DateOrder::MonthFirst;
        s.hints.dateOrder = QStringLiteral("the dates have a day of %1 in the second place: month first").arg(dayInSecond);
        return;
    }
    if (monthFirst > 0 && dayFirst > 0) { // both kinds: the more of them
        guess.dateOrder = monthFirst > dayFirst ? DateOrder::MonthFirst : DateOrder::DayFirst;
        s.hints.dateOrder = QStringLiteral("most dates read %1").arg(monthFirst > dayFirst ? QStringLiteral("month first")
                                                                                          : QStringLiteral("day first"));
        return;
    }
    // Every date reads either way: the order that keeps the dates rising
    // with the odometer readings.
    if (s.columns.odometer >= 0) {
        struct Point {
            double odometer;
            DateParts date;
        };
        QVector<Point> pointsByReading;
        for (const Source::Row *row : ev)
            if (double o = 0; ReadNumber(FieldOf(*row, s.columns.odometer), s.decimalComma, &o))
                if (const DateParts d = ReadDate(FieldOf(*row, s.columns.date)); d.ok)
                    pointsByReading.append({o, d});
        std::stable_sort(pointsByReading.begin(), pointsByReading.end(),
                         [](const Point &x, const Point &y) { return x.odometer < y.odometer; });
        int back[2] = {0, 0};
        for (int k = 0; k < 2; ++k) {
            const DateOrder order = k == 0 ? DateOrder::DayFirst : DateOrder::MonthFirst;
            for (qsizetype i = 1; i < pointsByReading.size(); ++i) {
                const QDate a = DateOf(pointsByReading[i - 1].date, order), b = DateOf(pointsByReading[i].date, order);
                back[k] += !a.isValid() || !b.isValid() || b < a;
            }
        }
        if (back[0] != back[1] && std::min(back[0], back[1]) * 10 <= pointsByReading.size()) {
            guess.dateOrder = back[0] < back[1] ? DateOrder::DayFirst : DateOrder::MonthFirst;
            s.hints.dateOrder = QStringLiteral("read %1, the dates rise with the odometer readings")
                                    .arg(back[0] < back[1] ? QStringLiteral("day first") : QStringLiteral("month first"));
            return;
        }
    }
    if (points == numeric) {
        guess.dateOrder = DateOrder::DayFirst;
        s.hints.dateOrder = QStringLiteral("dates written with points put the day first");
    } else if (region.kind == Region::America) {
        guess.dateOrder = DateOrder::MonthFirst;
        s.hints.dateOrder = region.why + QStringLiteral(": month first");
    } else if (region.kind != Region::Unknown) {
        guess.dateOrder = DateOrder::DayFirst;
        s.hints.dateOrder = region.why + QStringLiteral(": day first");
    } else {
        s.hints.dateOrder = QStringLiteral("every date reads either way and nothing else in the file tells: choose");
    }
}

void weighDistance(Source &s, const QVector<const Source::Row *> &ev, const Region &region, const Figures &fig)
{
    const Columns &c = s.columns;
    const int distances = c.odometer >= 0 ? c.odometer : c.trip;
    if (distances >= 0)
        s.told.distance = distanceOf(ImportWords::DistanceIn(s.headings[distances].unit));
    if (s.told.distance == DistanceUnit::Unknown && c.distanceUnit >= 0) {
        int filled = 0;
        const double miles = shareOf(ev, c.distanceUnit, [](const QString &f) {
            return ImportWords::DistanceIn(f) == ImportWords::Distance::Miles;
        }, &filled);
        if (filled > 0 && (miles == 1.0 || miles == 0.0))
            s.told.distance = miles == 1.0 ? DistanceUnit::Miles : DistanceUnit::Kilometres;
    }
    if (s.told.distance != DistanceUnit::Unknown)
        return;

    DistanceUnit guess = DistanceUnit::Unknown;
    QString why;
    for (int i = 0; i < s.headings.size() && guess == DistanceUnit::Unknown; ++i) {
        const Heading &h = s.headings[i];
        if (i != c.odometer && i != c.trip && (h.role == Role::Trip || h.role == Role::Odometer || h.role == Role::StartReading))
            if ((guess = distanceOf(ImportWords::DistanceIn(h.unit))) != DistanceUnit::Unknown)
                why = QStringLiteral("the %1 column is in %2").arg(quoted(s.headers.value(i).trimmed()), distanceName(guess));
    }
    if (guess == DistanceUnit::Unknown && fig.economyUnit != Figures::Unit::Unknown) {
        guess = fig.economyUnit == Figures::Unit::Mpg || fig.economyUnit == Figures::Unit::MilesPerLitre ? DistanceUnit::Miles
                                                                                                         : DistanceUnit::Kilometres;
        why = QStringLiteral("the file's economy is in %1")
                  .arg(fig.economyUnit == Figures::Unit::Mpg              ? QStringLiteral("mpg")
                       : fig.economyUnit == Figures::Unit::MilesPerLitre  ? QStringLiteral("miles a litre")
                       : fig.economyUnit == Figures::Unit::KmPerLitre     ? QStringLiteral("km/l")
                                                                          : QStringLiteral("l/100 km"));
    }
    if (guess == DistanceUnit::Unknown && s.elsewhereDistance != DistanceUnit::Unknown) {
        guess = s.elsewhereDistance;
        why = QStringLiteral("the vehicle's settings in the file say %1").arg(distanceName(guess));
    }
    if (guess == DistanceUnit::Unknown && region.kind != Region::Unknown) {
        guess = region.kind == Region::Metric ? DistanceUnit::Kilometres : DistanceUnit::Miles;
        why = region.why;
    }
    // The figures: what a car can do to the litre rules a reading out.
    const FuelUnit fuels[] = {FuelUnit::Litres, FuelUnit::ImperialGallons, FuelUnit::UsGallons};
    auto possible = [&](DistanceUnit d) {
        if (fig.perQuantity <= 0)
            return true;
        for (FuelUnit f : fuels)
            if ((s.told.fuel == FuelUnit::Unknown || s.told.fuel == f) && plausibleEconomy(kmPerLitre(fig.perQuantity, d, f)))
                if (economyAgrees(fig, d, f).value_or(true))
                    return true;
        return false;
    };
    const bool miles = possible(DistanceUnit::Miles), km = possible(DistanceUnit::Kilometres);
    const QString perLitre = NumberText::FormatFixed(fig.perQuantity, 3, 1);
    if (guess != DistanceUnit::Unknown && !possible(guess) && (miles || km)) {
        s.hints.distance = QStringLiteral("%1, but read as %2 the car would do %3 to the %4: choose")
                               .arg(why, distanceName(guess),
                                    perLitre + (guess == DistanceUnit::Miles ? QStringLiteral(" miles") : QStringLiteral(" km")),
                                    s.told.fuel == FuelUnit::Litres ? QStringLiteral("litre") : QStringLiteral("unit of fuel"));
        return;
    }
    if (guess == DistanceUnit::Unknown && miles != km) {
        guess = miles ? DistanceUnit::Miles : DistanceUnit::Kilometres;
        why = QStringLiteral("only %1 give figures a car does").arg(distanceName(guess));
    }
    s.suggested.distance = guess;
    s.hints.distance = guess == DistanceUnit::Unknown
                           ? QStringLiteral("nothing in the file says miles or kilometres: choose")
                           : why + QStringLiteral(": ") + distanceName(guess);
}

void weighFuel(Source &s, const QVector<const Source::Row *> &ev, const Region &region, const Figures &fig)
{
    const Columns &c = s.columns;
    bool gallons = false; // the file says gallons, not which
    if (c.quantity >= 0) {
        const ImportWords::Fuel f = ImportWords::FuelIn(s.headings[c.quantity].unit);
        s.told.fuel = fuelOf(f);
        gallons = f == ImportWords::Fuel::Gallons;
    }
    if (s.told.fuel == FuelUnit::Unknown && !gallons && c.unit >= 0) {
        // A unit a row: litres need no answer, gallons the gallon.
        bool anyGallons = false, allLitres = true;
        FuelUnit kind = FuelUnit::Unknown;
        bool oneKind = true;
        for (const Source::Row *row : ev) {
            const ImportWords::Fuel f = ImportWords::FuelIn(FieldOf(*row, c.unit));
            if (f == ImportWords::Fuel::Litres || f == ImportWords::Fuel::KilowattHours || f == ImportWords::Fuel::Other)
                continue;
            allLitres = false;
            if (f == ImportWords::Fuel::Unknown)
                continue;
            anyGallons = true;
            const FuelUnit k = fuelOf(f);
            if (k == FuelUnit::Unknown || (kind != FuelUnit::Unknown && k != kind))
                oneKind = false;
            kind = k;
        }
        if (allLitres)
            s.told.fuel = FuelUnit::Litres;
        else if (anyGallons && oneKind && kind != FuelUnit::Unknown)
            s.told.fuel = kind;
        else
            gallons = anyGallons;
    }
    s.fuelGallons = gallons;
    if (s.told.fuel != FuelUnit::Unknown)
        return;

    FuelUnit guess = FuelUnit::Unknown;
    QString why;
    if (s.elsewhereFuel != FuelUnit::Unknown && (!gallons || s.elsewhereFuel != FuelUnit::Litres)) {
        guess = s.elsewhereFuel;
        why = QStringLiteral("the vehicle's settings in the file say %1").arg(fuelName(guess));
    } else if (gallons) {
        if (region.kind == Region::America || region.kind == Region::Britain) {
            guess = region.kind == Region::America ? FuelUnit::UsGallons : FuelUnit::ImperialGallons;
            why = region.why;
            if (region.kind == Region::America && s.told.dateOrder == DateOrder::MonthFirst && !why.contains(QLatin1String("month")))
                why += QStringLiteral(" and the dates month first");
        }
    } else if (fig.economyUnit == Figures::Unit::KmPerLitre || fig.economyUnit == Figures::Unit::LitresPer100Km) {
        guess = FuelUnit::Litres;
        why = QStringLiteral("the file's economy is per litre");
    } else if (region.kind == Region::America) {
        guess = FuelUnit::UsGallons;
        why = region.why;
    } else if (region.kind != Region::Unknown) {
        guess = FuelUnit::Litres;
        why = region.why;
    }
    // No fill-up of a car is over 150 litres: such quantities are no gallons.
    const bool tooBigForGallons = fig.medianQuantity * LitresPerImperialGallon > 150;
    if (guess != FuelUnit::Unknown && guess != FuelUnit::Litres && tooBigForGallons) {
        s.hints.fuel = QStringLiteral("%1, but fill-ups of %2 gallons are more than a car holds: choose")
                           .arg(why, NumberText::FormatFixed(fig.medianQuantity, 3, 1));
        return;
    }
    if (guess != FuelUnit::Unknown && fig.perQuantity > 0 && s.told.distance != DistanceUnit::Unknown
        && !plausibleEconomy(kmPerLitre(fig.perQuantity, s.told.distance, guess))) {
        s.hints.fuel = QStringLiteral("%1, but read as %2 the car would do %3 km to the litre: choose")
                           .arg(why, fuelName(guess),
                                NumberText::FormatFixed(kmPerLitre(fig.perQuantity, s.told.distance, guess), 3, 1));
        return;
    }
    s.suggested.fuel = guess;
    if (guess != FuelUnit::Unknown)
        s.hints.fuel = why + QStringLiteral(": ") + fuelName(guess);
    else if (gallons)
        s.hints.fuel = QStringLiteral("the file says gallons but not which, and nothing else in it tells: choose");
    else
        s.hints.fuel = QStringLiteral("nothing in the file says litres or gallons: choose");
}

// The pence a litre British pumps asked in a year, broadly: a money's
// reading outside is none. Where the year is unknown, anything from 50 p to
// £3; where the money may be dollars (gallons, America), from 20.
std::pair<double, double> pumpRange(int year, bool british)
{
    if (!british)
        return {20, 300};
    if (year <= 0)
        return {50, 300};
    if (year <= 1990)
        return {20, 70};
    if (year <= 1999)
        return {35, 90};
    if (year <= 2005)
        return {60, 110};
    if (year <= 2010)
        return {80, 145};
    if (year <= 2021)
        return {95, 165};
    return {115, 215};
}

void weighMoney(Source &s, const QVector<const Source::Row *> &ev, bool otherCurrency, const Region &region)
{
    QVector<double> years;
    for (const Source::Row *row : ev)
        if (const DateParts d = ReadDate(FieldOf(*row, s.columns.date)); d.ok && d.year >= 1900)
            years << d.year;
    s.pumpYear = int(Median(years));
    // Gallons not said to be imperial may be American, and so may the money.
    const bool gallons = s.fuelGallons || s.told.fuel == FuelUnit::UsGallons;
    std::tie(s.pumpLow, s.pumpHigh) = pumpRange(s.pumpYear, region.kind == Region::Britain || (region.kind == Region::Unknown && !gallons));
    const Columns &c = s.columns;
    if (c.money < 0)
        return;
    const Heading &money = s.headings[c.money];
    int priceKind = 1;
    if (money.role == Role::UnitPrice) {
        s.told.moneyKind = MoneyKind::PerUnit;
    } else if (money.role == Role::Total) {
        s.told.moneyKind = MoneyKind::Total;
    } else if (money.role == Role::Price && (money.unit.contains(QLatin1Char('/')) || money.unit.contains(QLatin1String("per")))) {
        s.told.moneyKind = MoneyKind::PerUnit;
    } else {
        priceKind = 0;
    }
    if (c.total >= 0)
        s.totalUnit = pence(s.headings[c.total].unit) ? MoneyUnit::Pence
                      : !ImportWords::CurrencyIn(s.headings[c.total].unit).isEmpty() ? MoneyUnit::Pounds
                                                                                     : MoneyUnit::Unknown;
    if (money.name == QLatin1String("ppl") || pence(money.unit))
        s.told.moneyUnit = MoneyUnit::Pence;
    else if (!ImportWords::CurrencyIn(money.unit).isEmpty() || otherCurrency)
        s.told.moneyUnit = MoneyUnit::Pounds; // whole units of the currency
    if (s.told.moneyKind == MoneyKind::PerUnit) {
        const QString per = money.name + QLatin1Char(' ') + money.unit;
        const ImportWords::Fuel f = ImportWords::FuelIn(per);
        if (money.name == QLatin1String("ppl") || f == ImportWords::Fuel::Litres)
            s.priceFuel = FuelUnit::Litres;
        else if (fuelOf(f) != FuelUnit::Unknown)
            s.priceFuel = fuelOf(f);
        else if (f == ImportWords::Fuel::Gallons)
            s.priceGallons = true;
    }

    QVector<double> moneyValues, perQuantity;
    for (const Source::Row *row : ev) {
        double q = 0;
        const Money m = ReadMoney(FieldOf(*row, c.money), s.decimalComma);
        if (m.ok && ReadNumber(FieldOf(*row, c.quantity), s.decimalComma, &q) && q > 0) {
            moneyValues << m.value;
            perQuantity << m.value / q;
        }
    }
    // A total follows the quantity; a price per unit hardly moves.
    const bool spreadSaysTotal = Spread(perQuantity) <= Spread(moneyValues);
    s.suggested.moneyKind = priceKind == 0 ? (spreadSaysTotal ? MoneyKind::Total : MoneyKind::PerUnit) : s.told.moneyKind;
    const bool total = s.suggested.moneyKind == MoneyKind::Total;
    s.suggested.moneyUnit = Median(moneyValues) > (total ? 500 : 20) ? MoneyUnit::Pence : MoneyUnit::Pounds;
    s.hints.money = QStringLiteral("a total follows the quantity bought; a price per unit hardly moves");
    if (otherCurrency || moneyValues.isEmpty())
        return;

    // Better: the reading of the money that puts the median price of a litre
    // where pumps had it then, with the fuel as the file gives it or any it
    // may be; none where no reading does.
    QVector<FuelUnit> fuels;
    if (s.told.fuel != FuelUnit::Unknown)
        fuels = {s.told.fuel};
    else if (s.suggested.fuel != FuelUnit::Unknown)
        fuels = {s.suggested.fuel};
    else if (s.fuelGallons)
        fuels = {FuelUnit::UsGallons, FuelUnit::ImperialGallons};
    else
        fuels = {FuelUnit::Litres, FuelUnit::UsGallons, FuelUnit::ImperialGallons};
    struct Reading {
        MoneyKind kind;
        MoneyUnit unit;
        FuelUnit fuel = FuelUnit::Litres;
    };
    const Reading readings[] = {{MoneyKind::Total, MoneyUnit::Pounds}, {MoneyKind::PerUnit, MoneyUnit::Pence},
                                {MoneyKind::PerUnit, MoneyUnit::Pounds}, {MoneyKind::Total, MoneyUnit::Pence}};
    auto medianPence = [&](const Reading &r) {
        QVector<double> p;
        for (qsizetype i = 0; i < moneyValues.size(); ++i)
            p << (r.kind == MoneyKind::Total ? perQuantity[i] : moneyValues[i]) * (r.unit == MoneyUnit::Pence ? 1.0 : PencePerUnit)
                     / LitresPer(r.fuel);
        return Median(p);
    };
    std::optional<Reading> chosen;
    for (FuelUnit fuel : fuels) {
        for (Reading r : readings) {
            r.fuel = fuel;
            if ((s.told.moneyKind != MoneyKind::Unknown && r.kind != s.told.moneyKind)
                || (s.told.moneyUnit != MoneyUnit::Unknown && r.unit != s.told.moneyUnit))
                continue;
            const double m = medianPence(r);
            if (m < s.pumpLow || m > s.pumpHigh)
                continue;
            if (!chosen || (r.kind == MoneyKind::Total) == spreadSaysTotal)
                chosen = r;
            if ((r.kind == MoneyKind::Total) == spreadSaysTotal)
                break;
        }
        if (chosen)
            break;
    }
    if (chosen) {
        s.suggested.moneyKind = chosen->kind;
        s.suggested.moneyUnit = chosen->unit;
        s.hints.money = QStringLiteral("read so, a litre cost %1 p, as at the pump").arg(NumberText::FormatFixed(medianPence(*chosen), 4, 1));
    } else {
        s.suggested.moneyUnit = MoneyUnit::Unknown;
        s.hints.money = QStringLiteral("no reading of the money gives a price a pump asked%1 (%2 to %3 p a litre): choose")
                            .arg(s.pumpYear > 0 ? QStringLiteral(" in %1").arg(s.pumpYear) : QString())
                            .arg(s.pumpLow)
                            .arg(s.pumpHigh);
    }
}

} // namespace

void ReadMarkColumn(Source &s)
{
    Columns &c = s.columns;
    c.sense = MarkSense::FullIsYes;
    c.partialCode.clear();
    c.missedCode.clear();
    s.markCodes.clear();
    s.hints.full.clear();
    if (c.full < 0 || c.full >= s.headings.size())
        return;
    const QVector<const Source::Row *> ev = EvidenceRows(s);
    QSet<QString> values;
    bool codes = true, words = true;
    for (const Source::Row *row : ev) {
        const QString f = FieldOf(*row, c.full).trimmed();
        if (f.isEmpty())
            continue;
        values.insert(f);
        codes &= f.size() <= 2 && std::all_of(f.cbegin(), f.cend(), [](QChar ch) { return ch.isDigit(); });
        words &= ImportWords::MarkIn(f) != ImportWords::Mark::Unknown;
        if (values.size() > 12)
            break;
    }
    const Role role = s.headings[c.full].role;
    // Codes beyond yes and no (1 = full, 2 = partial, 3 = the first after a
    // gap) are told apart by the user where the header does not say.
    const bool manyCodes = codes && !values.isEmpty() && values.size() <= 12
                           && !(values - QSet<QString>{QStringLiteral("0"), QStringLiteral("1")}).isEmpty();
    if (manyCodes) {
        QStringList sorted(values.cbegin(), values.cend());
        std::sort(sorted.begin(), sorted.end(), [](const QString &x, const QString &y) { return x.toInt() < y.toInt(); });
        s.markCodes = sorted;
        c.sense = MarkSense::Codes;
        if (values.contains(QStringLiteral("2")) && (values - QSet<QString>{"0", "1", "2", "3"}).isEmpty()) {
            c.partialCode = QStringLiteral("2");
            if (values.contains(QStringLiteral("3")))
                c.missedCode = QStringLiteral("3");
            s.hints.full = QStringLiteral("codes: 1 full, 2 partial, 3 the first after a gap");
        } else {
            s.hints.full = QStringLiteral("codes: choose the one that means partial");
        }
        return;
    }
    if (role == Role::Partial) {
        c.sense = MarkSense::PartialIsYes;
        s.hints.full = QStringLiteral("by its name: yes means partial");
    } else if (role == Role::Full) {
        s.hints.full = QStringLiteral("by its name: yes means full");
    } else if (words) {
        s.hints.full = QStringLiteral("words: full, partial or reset");
    }
}

void Weigh(Source &s)
{
    s.told = Answers();
    s.suggested = Answers();
    s.hints.dateOrder.clear();
    s.hints.distance.clear();
    s.hints.fuel.clear();
    s.hints.money.clear();
    s.hints.currency.clear();
    s.priceFuel = FuelUnit::Unknown;
    s.priceGallons = false;
    s.totalUnit = MoneyUnit::Unknown;
    s.currency.clear();
    const QVector<const Source::Row *> ev = EvidenceRows(s);

    bool commas = false, points = false;
    for (const Source::Row *row : ev) {
        for (int c : {s.columns.quantity, s.columns.money}) {
            const QString f = FieldOf(*row, c);
            commas |= f.contains(QLatin1Char(','));
            points |= f.contains(QLatin1Char('.'));
        }
    }
    s.decimalComma = s.separator != QLatin1Char(',') && commas && !points;

    const CurrencyEvidence currency = currencyOf(s, ev);
    if (!currency.code.isEmpty() && currency.code != QLatin1String("GBP")) {
        s.currency = currency.code;
        s.hints.currency = currency.why;
    }
    // The dates first: month first tells of America where nothing else
    // tells where the file was written.
    weighDates(s, ev, regionOf(s, currency, false, QString()));
    const Region region = regionOf(s, currency, s.told.dateOrder == DateOrder::MonthFirst,
                                   QStringLiteral("the dates are month first"));
    const Figures fig = figuresOf(s, ev);
    weighFuel(s, ev, region, fig);
    weighDistance(s, ev, region, fig);
    // The fuel again, now the distance may be told: the figures check it.
    if (s.told.fuel == FuelUnit::Unknown)
        weighFuel(s, ev, region, fig);
    weighMoney(s, ev, !s.currency.isEmpty(), region);
    // Readings from trips start where the file says the odometer stood.
    s.hints.startReading.clear();
    if (s.columns.trip >= 0)
        for (int i = 0; i < s.headings.size(); ++i)
            if (double start = 0; s.headings[i].role == Role::StartReading && !ev.isEmpty()
                                  && ReadNumber(FieldOf(*ev.first(), i), s.decimalComma, &start) && start >= 0) {
                s.suggested.startReading = start;
                s.hints.startReading = QStringLiteral("the %1 column").arg(quoted(s.headers.value(i).trimmed()));
                break;
            }
}

Source Read(const QByteArray &bytes, const Progress &progress)
{
    Source s = readSteps(bytes, progress);
    // Ended on every way out, a refusal's too: its message must not come
    // under a progress window still open.
    if (!s.cancelled && progress)
        progress(3, 3);
    return s;
}

} // namespace LogImport
