#include "core/exchange/LogImport.h"

#include "core/entry/EntryRules.h"
#include "core/exchange/Csv.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"

#include <QCryptographicHash>
#include <QDate>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <limits>
#include <cmath>
#include <optional>

namespace LogImport {

namespace {

enum class Field { None, Date, Odometer, Quantity, Total, UnitPrice, Price, Full, Missed };

// Column names other fuel-log programs use, after lower-casing and with
// "_" and "-" read as blanks; a name may be followed by unit words.
struct Name {
    const char *text;
    Field field;
};
const Name Names[] = {
    {"date", Field::Date},           {"data", Field::Date},             {"date time", Field::Date},
    {"datetime", Field::Date},       {"fill date", Field::Date},        {"odometer", Field::Odometer},
    {"odometer reading", Field::Odometer}, {"odo", Field::Odometer},    {"mileage", Field::Odometer},
    {"distance", Field::Odometer},   {"litres", Field::Quantity},       {"liters", Field::Quantity},
    {"fuel", Field::Quantity},       {"fuel consumed", Field::Quantity}, {"quantity", Field::Quantity},
    {"volume", Field::Quantity},     {"gallons", Field::Quantity},      {"total", Field::Total},
    {"total cost", Field::Total},    {"total price", Field::Total},     {"cost", Field::Total},
    {"amount", Field::Total},        {"amount spent", Field::Total},    {"price", Field::Price},
    {"volume price", Field::UnitPrice}, {"price per litre", Field::UnitPrice}, {"price per liter", Field::UnitPrice},
    {"price per gallon", Field::UnitPrice}, {"price per unit", Field::UnitPrice}, {"unit price", Field::UnitPrice},
    {"ppl", Field::UnitPrice},       {"full", Field::Full},             {"full tank", Field::Full},
    {"full fill up", Field::Full},   {"full fillup", Field::Full},      {"missed", Field::Missed},
    {"missed fill up", Field::Missed}, {"missed fillup", Field::Missed}, {"missed fuel up", Field::Missed},
    {"is fill to full", Field::Full}, {"fill to full", Field::Full},   {"is full", Field::Full},
    {"fillup volume", Field::Quantity}, {"fill up volume", Field::Quantity}, {"fuel volume", Field::Quantity},
    {"fuel quantity", Field::Quantity}, {"fuel amount", Field::Quantity}, {"fuel litres", Field::Quantity},
};

struct Heading {
    Field field = Field::None;
    QString name;   // the matched name
    QString hint;   // unit words: what follows the name and what stands in brackets
};

Heading readHeading(const QString &header)
{
    static const QRegularExpression brackets(QStringLiteral("[\\(\\[]([^\\)\\]]*)[\\)\\]]"));
    static const QRegularExpression blanks(QStringLiteral("[\\s_\\-.]+"));
    // Names written as one word with capitals inside ("FuelConsumed",
    // "ODOReading") are words: split at each capital that starts one.
    static const QRegularExpression camel(QStringLiteral("(?<=[a-z0-9])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])"));
    QString text = header;
    text.replace(camel, QStringLiteral(" "));
    text = text.toLower();
    QString hint;
    for (const QRegularExpressionMatch &m : brackets.globalMatch(text))
        hint += QLatin1Char(' ') + m.captured(1);
    text.remove(brackets);
    text = text.replace(blanks, QStringLiteral(" ")).trimmed();
    Heading h;
    for (const Name &n : Names) {
        const QString name = QLatin1String(n.text);
        if (name.size() <= h.name.size())
            continue;
        if (text == name || text.startsWith(name + QLatin1Char(' '))) {
            h.field = n.field;
            h.name = name;
        }
    }
    h.hint = (text.mid(h.name.size()) + hint).trimmed();
    return h;
}

bool hasWord(const QString &text, std::initializer_list<const char *> words)
{
    static const QRegularExpression splitter(QStringLiteral("[\\s/,.]+"));
    const QStringList parts = text.split(splitter, Qt::SkipEmptyParts);
    for (const char *w : words)
        if (parts.contains(QLatin1String(w)))
            return true;
    return false;
}

DistanceUnit distanceIn(const QString &hint)
{
    if (hasWord(hint, {"km", "kms", "kilometres", "kilometers", "kilometre", "kilometer"}))
        return DistanceUnit::Kilometres;
    if (hasWord(hint, {"mi", "miles", "mile"}))
        return DistanceUnit::Miles;
    return DistanceUnit::Unknown;
}

FuelUnit fuelIn(const QString &text)
{
    if (hasWord(text, {"l", "litres", "liters", "litre", "liter", "ltr", "ltrs"}))
        return FuelUnit::Litres;
    if (hasWord(text, {"us", "usgal"}))
        return FuelUnit::UsGallons;
    if (hasWord(text, {"imp", "imperial", "uk"}))
        return FuelUnit::ImperialGallons;
    return FuelUnit::Unknown;
}

bool gallonsIn(const QString &text) { return hasWord(text, {"gal", "gals", "gallon", "gallons", "usgal"}); }

MoneyUnit moneyIn(const QString &hint)
{
    if (hasWord(hint, {"p", "pence", "ppl"}) || hint.startsWith(QLatin1String("p/")))
        return MoneyUnit::Pence;
    static const QRegularExpression currency(QStringLiteral("[£€$]|\\b(gbp|eur|usd|pounds?|euros?|dollars?)\\b"));
    return hint.contains(currency) ? MoneyUnit::Pounds : MoneyUnit::Unknown;
}

double litresPer(FuelUnit unit)
{
    switch (unit) {
    case FuelUnit::ImperialGallons: return LitresPerImperialGallon;
    case FuelUnit::UsGallons: return LitresPerUsGallon;
    default: return 1.0;
    }
}

// A date with an optional time of day: yyyy-mm-dd, or day, month and year
// in either order with "/", "." or "-" between them.
struct DateParts {
    bool ok = false;
    bool iso = false;
    int a = 0, b = 0, year = 0;
};

DateParts dateParts(const QString &field)
{
    static const QRegularExpression shape(
        QStringLiteral("^(\\d{1,4})[/.\\-](\\d{1,2})[/.\\-](\\d{1,4})(?:[T\\s,].*)?$"));
    DateParts d;
    const QRegularExpressionMatch m = shape.match(field.trimmed());
    if (!m.hasMatch())
        return d;
    const QString first = m.captured(1), last = m.captured(3);
    if (first.size() == 4) {
        d.iso = true;
        d.year = first.toInt();
        d.a = m.captured(2).toInt();
        d.b = last.toInt();
        d.ok = last.size() <= 2;
        return d;
    }
    if (first.size() > 2 || (last.size() != 4 && last.size() != 2))
        return d;
    d.a = first.toInt();
    d.b = m.captured(2).toInt();
    d.year = last.size() == 2 ? 2000 + last.toInt() : last.toInt();
    d.ok = true;
    return d;
}

QDate dateOf(const DateParts &d, DateOrder order)
{
    if (!d.ok || d.year < 1900)
        return {};
    if (d.iso)
        return QDate(d.year, d.a, d.b);
    return order == DateOrder::MonthFirst ? QDate(d.year, d.a, d.b) : QDate(d.year, d.b, d.a);
}

std::optional<bool> flagValue(const QString &field)
{
    const QString t = field.trimmed().toLower();
    if (t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("y")
        || t == QLatin1String("x"))
        return true;
    if (t == QLatin1String("0") || t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("n"))
        return false;
    return std::nullopt;
}

QString fieldOf(const Source::Row &row, int column)
{
    return column >= 0 && column < row.fields.size() ? row.fields[column] : QString();
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    auto mid = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

// How much values spread about their mean, relative to it.
double spread(const QVector<double> &values)
{
    if (values.size() < 2)
        return 0;
    double sum = 0, squares = 0;
    for (double v : values)
        sum += v;
    const double mean = sum / values.size();
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return mean != 0 ? std::sqrt(squares / values.size()) / std::fabs(mean) : 0;
}

// The rows the evidence for a suggestion is drawn from: all of a file of
// the size a log ever has, else as many spread evenly over it, so that a
// huge file is judged in bounded time.
QVector<const Source::Row *> evidenceRows(const Source &s)
{
    constexpr qsizetype Most = 50000;
    const qsizetype n = s.rows.size();
    const qsizetype step = n <= Most ? 1 : (n + Most - 1) / Most;
    QVector<const Source::Row *> rows;
    rows.reserve(n / step + 1);
    for (qsizetype i = 0; i < n; i += step)
        rows << &s.rows[i];
    return rows;
}

void suggestFromRows(Source &s, int priceColumnKind, const QVector<const Source::Row *> &evidence)
{
    // Dates: a first number above 12 is a day, a second one above 12 a month.
    int dayFirst = 0, monthFirst = 0, numeric = 0, dayInFirst = 0, dayInSecond = 0;
    QVector<double> money, perQuantity;
    for (const Source::Row *evidenceRow : evidence) {
        const Source::Row &row = *evidenceRow;
        const DateParts d = dateParts(fieldOf(row, s.columns.date));
        if (d.ok && !d.iso) {
            ++numeric;
            if (d.a > 12 && d.b <= 12 && !dayFirst++)
                dayInFirst = d.a;
            if (d.b > 12 && d.a <= 12 && !monthFirst++)
                dayInSecond = d.b;
        }
        double m = 0, q = 0;
        if (ReadNumber(fieldOf(row, s.columns.money), s.decimalComma, &m)
            && ReadNumber(fieldOf(row, s.columns.quantity), s.decimalComma, &q) && q > 0) {
            money << m;
            perQuantity << m / q;
        }
    }
    if (numeric == 0 || (dayFirst > 0 && monthFirst == 0))
        s.told.dateOrder = DateOrder::DayFirst;
    else if (monthFirst > 0 && dayFirst == 0)
        s.told.dateOrder = DateOrder::MonthFirst;
    s.suggested.dateOrder = monthFirst > dayFirst ? DateOrder::MonthFirst : DateOrder::DayFirst;
    if (monthFirst > dayFirst)
        s.hints.dateOrder = QStringLiteral("the dates have a day of %1 in the second place: month first").arg(dayInSecond);
    else if (dayFirst > 0)
        s.hints.dateOrder = QStringLiteral("the dates have a day of %1 in the first place: day first").arg(dayInFirst);
    else
        s.hints.dateOrder = QStringLiteral("every date reads either way: day first is the usual order here");

    // A total follows the quantity; a price per unit hardly moves.
    const bool spreadSaysTotal = spread(perQuantity) <= spread(money);
    if (priceColumnKind == 0)
        s.suggested.moneyKind = spreadSaysTotal ? MoneyKind::Total : MoneyKind::PerUnit;
    else
        s.suggested.moneyKind = s.told.moneyKind;
    const bool total = s.suggested.moneyKind == MoneyKind::Total;
    s.suggested.moneyUnit = median(money) > (total ? 500 : 20) ? MoneyUnit::Pence : MoneyUnit::Pounds;

    // Better: the reading of the money that puts the median price of a litre
    // between 50 p and £3, as every pump price for decades.
    const FuelUnit fuel = s.told.fuel != FuelUnit::Unknown       ? s.told.fuel
                          : s.suggested.fuel != FuelUnit::Unknown ? s.suggested.fuel
                                                                  : FuelUnit::Litres;
    const double litresEach = litresPer(fuel);
    struct Reading {
        MoneyKind kind;
        MoneyUnit unit;
    };
    const Reading readings[] = {{MoneyKind::Total, MoneyUnit::Pounds}, {MoneyKind::PerUnit, MoneyUnit::Pence},
                                {MoneyKind::PerUnit, MoneyUnit::Pounds}, {MoneyKind::Total, MoneyUnit::Pence}};
    std::optional<Reading> chosen;
    for (const Reading &r : readings) {
        if ((s.told.moneyKind != MoneyKind::Unknown && r.kind != s.told.moneyKind)
            || (s.told.moneyUnit != MoneyUnit::Unknown && r.unit != s.told.moneyUnit) || money.isEmpty())
            continue;
        QVector<double> pence;
        for (qsizetype i = 0; i < money.size(); ++i) {
            const double toPence = r.unit == MoneyUnit::Pence ? 1.0 : PencePerUnit;
            pence << (r.kind == MoneyKind::Total ? perQuantity[i] : money[i]) * toPence / litresEach;
        }
        const double m = median(pence);
        if (m < 50 || m > 300)
            continue;
        if (!chosen || (r.kind == MoneyKind::Total) == spreadSaysTotal)
            chosen = r;
        if ((r.kind == MoneyKind::Total) == spreadSaysTotal)
            break;
    }
    if (chosen) {
        s.suggested.moneyKind = chosen->kind;
        s.suggested.moneyUnit = chosen->unit;
        QVector<double> pence;
        for (qsizetype i = 0; i < money.size(); ++i)
            pence << (chosen->kind == MoneyKind::Total ? perQuantity[i] : money[i])
                         * (chosen->unit == MoneyUnit::Pence ? 1.0 : PencePerUnit) / litresEach;
        s.hints.money = QStringLiteral("read so, a litre cost %1 p, as at the pump").arg(NumberText::FormatFixed(median(pence), 4, 1));
    } else {
        s.hints.money = QStringLiteral("a total follows the quantity bought; a price per unit hardly moves");
    }
    s.suggested.distance = DistanceUnit::Miles;
    s.hints.distance = QStringLiteral("the header does not say: miles are what the log keeps");
    s.hints.fuel = s.suggested.fuel == FuelUnit::ImperialGallons
                       ? QStringLiteral("the column says gallons but not which: imperial is the usual one here")
                       : QStringLiteral("the header does not say: litres are what the pump shows here");
    if (s.suggested.fuel == FuelUnit::Unknown)
        s.suggested.fuel = FuelUnit::Litres;
}

bool tellsColumns(const QVector<Heading> &headings)
{
    bool date = false, odometer = false, quantity = false;
    for (const Heading &h : headings) {
        date |= h.field == Field::Date;
        odometer |= h.field == Field::Odometer;
        quantity |= h.field == Field::Quantity;
    }
    return date && odometer && quantity;
}

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

// Values that cannot be quantities of fuel: all whole numbers below 10
// (codes, counts) or the same in every row.
bool plausibleQuantities(const QVector<const Source::Row *> &evidence, int column)
{
    QSet<QString> seen;
    bool small = true;
    int read = 0;
    for (const Source::Row *row : evidence) {
        const QString f = fieldOf(*row, column).trimmed();
        double v = 0;
        if (!ReadNumber(f, false, &v) && !ReadNumber(f, true, &v))
            continue;
        ++read;
        seen.insert(f);
        small &= v == std::floor(v) && std::fabs(v) < 10;
    }
    return read > 0 && !small && (seen.size() > 1 || read == 1);
}

int quantityColumn(const QVector<const Source::Row *> &evidence, const QVector<Heading> &headings, const QVector<int> &candidates)
{
    // A bare "fuel" may name the fuel's type; any other quantity name is
    // more specific and wins.
    auto rank = [&](int i) { return headings[i].name == QLatin1String("fuel") ? 0 : 1; };
    int best = -1;
    for (bool needPlausible : {true, false}) {
        for (int i : candidates)
            if ((!needPlausible || plausibleQuantities(evidence, i)) && (best < 0 || rank(i) > rank(best)))
                best = i;
        if (best >= 0)
            return best;
    }
    return candidates.isEmpty() ? -1 : candidates.first();
}

} // namespace

bool ReadNumber(const QString &text, bool decimalComma, double *value)
{
    static const QRegularExpression noise(QStringLiteral("[\\s\\x{00A0}'£€$]"));
    static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    QString t = text;
    t.remove(noise);
    if (t.endsWith(QLatin1Char('p')) || t.endsWith(QLatin1Char('P')))
        t.chop(1);
    // Spreadsheets and fuel-log programs never write exponents: "1e3" is a slip.
    if (t.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return false;
    if (decimalComma) {
        t.remove(QLatin1Char('.'));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (t.contains(QLatin1Char(','))) {
        if (grouped.match(t).hasMatch())
            t.remove(QLatin1Char(','));
        else if (!t.contains(QLatin1Char('.')) && t.count(QLatin1Char(',')) == 1)
            t.replace(QLatin1Char(','), QLatin1Char('.'));
        else
            return false;
    }
    const NumberText::RealReading r = NumberText::ReadReal(t);
    if (!r.ok || !std::isfinite(r.value))
        return false;
    *value = r.value;
    return true;
}

QString ChoicesKey(const QStringList &headers)
{
    const QByteArray digest = QCryptographicHash::hash(headers.join(QLatin1Char('\x1f')).toUtf8(), QCryptographicHash::Md5);
    return QStringLiteral("Import ") + QString::fromLatin1(digest.toHex().left(12));
}

QString ChoicesText(const Columns &c, const Answers &a)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6|%7,%8,%9,%10,%11")
        .arg(c.date).arg(c.odometer).arg(c.quantity).arg(c.money).arg(c.full).arg(c.missed)
        .arg(int(a.dateOrder)).arg(int(a.distance)).arg(int(a.fuel)).arg(int(a.moneyKind)).arg(int(a.moneyUnit));
}

bool ReadChoices(const QString &text, int headerCount, Columns *columns, Answers *answers)
{
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() != 2)
        return false;
    const QStringList cols = parts[0].split(QLatin1Char(',')), ans = parts[1].split(QLatin1Char(','));
    if (cols.size() != 6 || ans.size() != 5)
        return false;
    static const int answerMax[5] = {2, 2, 3, 2, 2}; // the enums' last values
    int v[11];
    for (int i = 0; i < 11; ++i) {
        bool ok = false;
        v[i] = (i < 6 ? cols[i] : ans[i - 6]).toInt(&ok);
        const bool inRange = i < 6 ? v[i] >= (i < 4 ? 0 : -1) && v[i] < headerCount : v[i] >= 0 && v[i] <= answerMax[i - 6];
        if (!ok || !inRange)
            return false;
    }
    *columns = Columns{v[0], v[1], v[2], v[3], v[4], v[5], -1};
    answers->dateOrder = DateOrder(v[6]);
    answers->distance = DistanceUnit(v[7]);
    answers->fuel = FuelUnit(v[8]);
    answers->moneyKind = MoneyKind(v[9]);
    answers->moneyUnit = MoneyUnit(v[10]);
    return true;
}

bool IsPlainDecimal(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^\\d{1,9}(\\.\\d{1,6})?$"));
    return plain.match(text).hasMatch();
}

Answers Source::Resolve(const Answers &answered) const
{
    auto pick = [](auto told, auto answer, auto suggestion) {
        using T = decltype(told);
        return told != T::Unknown ? told : answer != T::Unknown ? answer : suggestion;
    };
    Answers a;
    a.dateOrder = pick(told.dateOrder, answered.dateOrder, suggested.dateOrder);
    a.distance = pick(told.distance, answered.distance, suggested.distance);
    a.fuel = pick(told.fuel, answered.fuel, suggested.fuel);
    a.moneyKind = pick(told.moneyKind, answered.moneyKind, suggested.moneyKind);
    a.moneyUnit = pick(told.moneyUnit, answered.moneyUnit, suggested.moneyUnit);
    return a;
}

namespace {
// A long piece of work tells how far it has come at most every 100 ms, so
// that the window showing it answers and its Cancel acts at once; false
// once it was cancelled. done runs to PaceTotal.
constexpr qint64 PaceTotal = 1000;
class Pace {
public:
    explicit Pace(const Progress &progress) : progress(progress) { since.start(); }
    bool operator()(qint64 done, bool now = false)
    {
        if (!progress || cancelled)
            return !cancelled;
        if (!now && since.elapsed() < 100)
            return true;
        since.restart();
        cancelled = !progress(std::min(done, PaceTotal - 1), PaceTotal);
        return !cancelled;
    }
    // The part from..to of the whole, for work of count steps.
    Csv::GoOn Part(qint64 from, qint64 to, qint64 count)
    {
        return [this, from, to, count](qint64 done) { return (*this)(from + (to - from) * done / std::max<qint64>(1, count)); };
    }
    bool cancelled = false;

private:
    const Progress &progress;
    QElapsedTimer since;
};

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
    int header = -1;
    QChar separator;
    QVector<Heading> headings;
    for (int l = 0; l < lines.size() && header < 0; ++l) {
        if (!pace(150 + 50 * l / std::max<qsizetype>(1, lines.size())))
            return cancelled(), s;
        if (lines[l].trimmed().isEmpty() || isMarker(lines[l]))
            continue;
        const QChar sep = Csv::GuessSeparator(lines[l]);
        const QVector<Csv::Record> record = Csv::Parse(lines, l, l + 1, sep);
        if (record.isEmpty())
            continue;
        QVector<Heading> found;
        found.reserve(record.first().fields.size());
        for (const QString &f : record.first().fields)
            if (found.size() % 1024 != 0 || pace(150)) // a header of a million fields
                found << readHeading(f);
            else
                return cancelled(), s;
        if (tellsColumns(found)) {
            header = l;
            separator = sep;
            headings = found;
            s.headers = record.first().fields;
        }
    }
    if (header < 0) {
        s.problem = QStringLiteral("No fill-ups were found: the file needs a header row naming the date, "
                                   "the odometer reading and the quantity of fuel of each fill-up.");
        return s;
    }
    s.headerLine = header + 1;

    // The section ends at a marker, or at a blank line followed by a title.
    int end = header + 1;
    while (end < lines.size() && !isMarker(lines[end])
           && !(lines[end].trimmed().isEmpty() && end + 1 < lines.size() && isTitle(lines[end + 1], separator)))
        ++end;
    const QVector<Csv::Record> records = Csv::Parse(lines, header + 1, end, separator, pace.Part(200, 800, end - header));
    if (cancelled() || !pace(800))
        return cancelled(), s;
    s.rows.reserve(records.size());
    for (const Csv::Record &r : records)
        if (s.rows.size() % 4096 != 0 || pace(800 + 100 * s.rows.size() / std::max<qsizetype>(1, records.size())))
            s.rows.append({r.line, r.fields});
        else
            return cancelled(), s;

    // Columns by name; the first of a kind counts, but for the quantity the
    // most specific name whose values can be quantities.
    int total = -1, unitPrice = -1, price = -1;
    QVector<int> quantities;
    auto take = [](int &column, int index) { if (column < 0) column = index; };
    for (int i = 0; i < headings.size(); ++i) {
        switch (headings[i].field) {
        case Field::Date: take(s.columns.date, i); break;
        case Field::Odometer: take(s.columns.odometer, i); break;
        case Field::Quantity: quantities << i; break;
        case Field::Total: take(total, i); break;
        case Field::UnitPrice: take(unitPrice, i); break;
        case Field::Price: take(price, i); break;
        case Field::Full: take(s.columns.full, i); break;
        case Field::Missed: take(s.columns.missed, i); break;
        case Field::None: break;
        }
    }
    const QVector<const Source::Row *> evidence = evidenceRows(s);
    s.columns.quantity = quantityColumn(evidence, headings, quantities);
    // A price per unit is what the pump showed: the truest figure, so it
    // wins over a total that was rounded, which then checks it.
    int priceKind = 1;
    if (unitPrice >= 0) {
        s.columns.money = unitPrice;
        s.told.moneyKind = MoneyKind::PerUnit;
        s.columns.total = total >= 0 ? total : -1;
        if (s.columns.total >= 0)
            s.totalUnit = moneyIn(headings[total].hint);
    } else if (total >= 0) {
        s.columns.money = total;
        s.told.moneyKind = MoneyKind::Total;
    } else if (price >= 0) {
        s.columns.money = price;
        const QString hint = headings[price].hint;
        if (hint.contains(QLatin1Char('/')) || hasWord(hint, {"per"}))
            s.told.moneyKind = MoneyKind::PerUnit;
        else
            priceKind = 0;
    } else {
        s.problem = QStringLiteral("No fill-ups can be read: the file has no column for the cost or the price of "
                                   "each fill-up.");
        return s;
    }

    const Heading &odometer = headings[s.columns.odometer];
    s.told.distance = distanceIn(odometer.hint);
    const Heading &quantity = headings[s.columns.quantity];
    if (quantity.name == QLatin1String("litres") || quantity.name == QLatin1String("liters"))
        s.told.fuel = FuelUnit::Litres;
    else
        s.told.fuel = fuelIn(quantity.hint);
    if (s.told.fuel == FuelUnit::Unknown && (quantity.name == QLatin1String("gallons") || gallonsIn(quantity.hint)))
        s.suggested.fuel = FuelUnit::ImperialGallons;
    const Heading &money = headings[s.columns.money];
    s.told.moneyUnit = moneyIn(money.hint);
    if (s.told.moneyKind == MoneyKind::PerUnit) {
        const QString per = money.name + QLatin1Char(' ') + money.hint;
        if (money.name == QLatin1String("ppl"))
            s.told.moneyUnit = MoneyUnit::Pence, s.priceFuel = FuelUnit::Litres;
        else if (per.contains(QLatin1String("litre")) || per.contains(QLatin1String("liter")) || hasWord(per, {"l"}))
            s.priceFuel = FuelUnit::Litres;
        else if (gallonsIn(per) && fuelIn(per) != FuelUnit::Unknown)
            s.priceFuel = fuelIn(per);
        else if (gallonsIn(per))
            s.priceGallons = true;
    }

    bool commas = false, points = false;
    for (const Source::Row *row : evidence) {
        for (int c : {s.columns.quantity, s.columns.money}) {
            const QString f = fieldOf(*row, c);
            commas |= f.contains(QLatin1Char(','));
            points |= f.contains(QLatin1Char('.'));
        }
    }
    s.decimalComma = separator != QLatin1Char(',') && commas && !points;
    suggestFromRows(s, priceKind, evidence);
    return s;
}
} // namespace

Source Read(const QByteArray &bytes, const Progress &progress)
{
    Source s = readSteps(bytes, progress);
    // Ended on every way out, a refusal's too: its message must not come
    // under a progress window still open.
    if (!s.cancelled && progress)
        progress(3, 3);
    return s;
}

namespace {

struct Candidate {
    Fill fill;
    int dateKey = 0;
    QString odometerText;   // as the file has it, for the reasons
};

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

bool exponentForm(const QString &text)
{
    static const QRegularExpression exponent(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)[eE][+-]?\\d+$"));
    return exponent.match(text).hasMatch();
}

// Places the candidates (sorted by reading) among the log's records, which
// run in rising readings: one pass, as placing them one by one would.
void merge(const QVector<Candidate> &sorted, const QStringList &log, Plan &plan, const Csv::GoOn &goOn)
{
    const int records = int(log.size() / 4);
    plan.log.reserve(log.size() + 4 * sorted.size());
    int next = 0;
    long long prevMiles = -1;
    int prevKey = 0;
    QString prevDate;
    bool prevFromFile = false;
    int prevLine = 0;
    auto emitExisting = [&] {
        for (int i = 0; i < 4; ++i)
            plan.log.append(log[4 * next + i]);
        prevMiles = EntryRules::RecordMiles(log, next);
        prevDate = log[4 * next];
        prevKey = EntryRules::DateKey(prevDate);
        prevFromFile = false;
        ++next;
    };
    for (const Candidate &c : sorted) {
        if (const qsizetype done = &c - sorted.constData(); done % 1024 == 0 && !goOn(done))
            return;
        while (next < records && EntryRules::RecordMiles(log, next) <= c.fill.miles)
            emitExisting();
        if (prevMiles == c.fill.miles) {
            if (prevKey == c.dateKey)
                ++plan.duplicates;
            else if (prevFromFile)
                plan.refused.append({c.fill.line, QStringLiteral("the odometer reading %1 is on line %2 too, with another date")
                                                      .arg(quoted(c.odometerText)).arg(prevLine)});
            else
                plan.refused.append({c.fill.line, QStringLiteral("the odometer reading %1 is already in the log, on %2")
                                                      .arg(quoted(c.odometerText), prevDate)});
            continue;
        }
        const bool afterPrevious = prevMiles < 0 || c.dateKey >= prevKey;
        const bool beforeNext = next >= records || c.dateKey <= EntryRules::DateKey(log[4 * next]);
        if (!afterPrevious || !beforeNext) {
            plan.refused.append({c.fill.line, QStringLiteral("the date %1 is out of order with the odometer readings "
                                                             "before and after it")
                                                  .arg(c.fill.date)});
            continue;
        }
        plan.log += c.fill.lines;
        plan.added.append(c.fill);
        prevMiles = c.fill.miles;
        prevKey = c.dateKey;
        prevDate = c.fill.date;
        prevFromFile = true;
        prevLine = c.fill.line;
    }
    while (next < records)
        emitExisting();
}

// A log whose readings do not rise (edited by hand): each fill-up goes
// where the entry panel would place it back-dated, one after the other, but
// in one pass. With the fill-ups in rising readings, the record a fill-up is
// placed after is the last one of the log not above its reading (found by
// halving over the least reading from each record on) or a fill-up placed
// there just before it: none placed so far can stand further on.
void placeOneByOne(const QVector<Candidate> &sorted, const QStringList &log, Plan &plan, const Csv::GoOn &goOn)
{
    const int records = int(log.size() / 4);
    QVector<long long> leastFrom(records);
    for (int k = records - 1; k >= 0; --k)
        leastFrom[k] = std::min(EntryRules::RecordMiles(log, k),
                                k + 1 < records ? leastFrom[k + 1] : std::numeric_limits<long long>::max());
    plan.log.reserve(log.size() + 4 * sorted.size());
    int next = 0; // the next record of the log to copy
    struct Last {
        long long miles = 0;
        QString date;
        bool any = false;
    } last; // the record a fill-up would be placed after: the last copied or placed
    for (const Candidate &c : sorted) {
        if (const qsizetype done = &c - sorted.constData(); done % 1024 == 0 && !goOn(done))
            return;
        const int found = int(std::upper_bound(leastFrom.cbegin(), leastFrom.cend(), c.fill.miles) - leastFrom.cbegin()) - 1;
        while (next <= found) {
            for (int i = 0; i < 4; ++i)
                plan.log.append(log[4 * next + i]);
            last = {EntryRules::RecordMiles(log, next), log[4 * next], true};
            ++next;
        }
        // The record before it is the last copied or placed.
        if ((last.any && last.miles == c.fill.miles) || (records == 0 && !last.any && c.fill.miles == 0)) {
            if (last.any && EntryRules::DateKey(last.date) == c.dateKey)
                ++plan.duplicates;
            else
                plan.refused.append({c.fill.line, QStringLiteral("the odometer reading %1 is already in the log")
                                                      .arg(quoted(c.odometerText))});
            continue;
        }
        if (last.any) {
            const bool atEnd = next >= records;
            const bool fits = c.dateKey >= EntryRules::DateKey(last.date)
                              && (atEnd || c.dateKey <= EntryRules::DateKey(log[4 * next]));
            if (!fits) {
                plan.refused.append({c.fill.line, QStringLiteral("the date %1 is out of order with the odometer readings "
                                                                 "before and after it")
                                                      .arg(c.fill.date)});
                continue;
            }
        }
        plan.log += c.fill.lines;
        plan.added.append(c.fill);
        last = {c.fill.miles, c.fill.date, true};
    }
    while (next < records) {
        for (int i = 0; i < 4; ++i)
            plan.log.append(log[4 * next + i]);
        ++next;
    }
}

bool readingsRise(const QStringList &log)
{
    const int records = int(log.size() / 4);
    for (int k = 1; k < records; ++k)
        if (EntryRules::RecordMiles(log, k) <= EntryRules::RecordMiles(log, k - 1))
            return false;
    return true;
}

} // namespace

Plan Prepare(const Source &source, const Answers &answered, const QStringList &log, const Progress &progress)
{
    Plan plan;
    if (!source.Found())
        return plan;
    // The rows read, then sorted, then placed: told at most every 100 ms.
    Pace pace(progress);
    auto cancelled = [&](qint64 done) {
        if (!pace(done)) {
            plan = Plan();
            plan.cancelled = true;
        }
        return plan.cancelled;
    };
    const qint64 rows = std::max<qint64>(1, source.rows.size());
    if (!pace(0, true)) { // told at once: a window may show it
        plan.cancelled = true;
        return plan;
    }
    const Answers a = source.Resolve(answered);
    const Columns &col = source.columns;
    const double quantityLitres = litresPer(a.fuel);
    const double priceLitres = source.priceFuel != FuelUnit::Unknown ? litresPer(source.priceFuel)
                               : source.priceGallons ? litresPer(a.fuel == FuelUnit::UsGallons ? FuelUnit::UsGallons
                                                                                             : FuelUnit::ImperialGallons)
                                                     : quantityLitres;
    const double toPence = a.moneyUnit == MoneyUnit::Pence ? 1.0 : PencePerUnit;

    QVector<Candidate> candidates;
    candidates.reserve(source.rows.size());
    for (const Source::Row &row : source.rows) {
        if (cancelled(700 * (&row - source.rows.constData()) / rows))
            return plan;
        auto refuse = [&](const QString &reason) { plan.refused.append({row.line, reason}); };
        const QString dateText = fieldOf(row, col.date).trimmed();
        const QDate date = dateOf(dateParts(dateText), a.dateOrder);
        if (!date.isValid()) {
            refuse(dateText.isEmpty() ? QStringLiteral("the date is missing")
                                      : QStringLiteral("the date %1 is not a real date").arg(quoted(dateText)));
            continue;
        }
        const QString odometerText = fieldOf(row, col.odometer).trimmed();
        double reading = 0;
        // Programs that keep tenths of a mile or kilometre write decimals: the
        // reading is rounded to the whole mile the log keeps.
        if (!ReadNumber(odometerText, source.decimalComma, &reading) || reading < 0.5 || reading > 2e9) {
            refuse(odometerText.isEmpty()       ? QStringLiteral("the odometer reading is missing")
                   : exponentForm(odometerText) ? QStringLiteral("the odometer reading %1 is not a plain number").arg(quoted(odometerText))
                       : QStringLiteral("the odometer reading %1 is not a whole number above zero").arg(quoted(odometerText)));
            continue;
        }
        const QString quantityText = fieldOf(row, col.quantity).trimmed();
        double quantity = 0;
        if (!ReadNumber(quantityText, source.decimalComma, &quantity) || quantity <= 0) {
            refuse(quantityText.isEmpty()       ? QStringLiteral("the quantity is missing")
                   : exponentForm(quantityText) ? QStringLiteral("the quantity %1 is not a plain number").arg(quoted(quantityText))
                       : QStringLiteral("the quantity %1 is not a number above zero").arg(quoted(quantityText)));
            continue;
        }
        const QString moneyText = fieldOf(row, col.money).trimmed();
        double money = 0;
        if (!ReadNumber(moneyText, source.decimalComma, &money)) {
            refuse(moneyText.isEmpty()       ? QStringLiteral("the price is missing")
                   : exponentForm(moneyText) ? QStringLiteral("the price %1 is not a plain number").arg(quoted(moneyText))
                                             : QStringLiteral("the price %1 is not a number").arg(quoted(moneyText)));
            continue;
        }
        const double litres = quantity * quantityLitres;
        const double pencePerLitre = a.moneyKind == MoneyKind::Total ? money * toPence / litres
                                                                     : money * toPence / priceLitres;
        if (!std::isfinite(pencePerLitre)) {
            refuse(QStringLiteral("the price %1 is not a number").arg(quoted(moneyText)));
            continue;
        }
        // A total beside the per-unit price checks it.
        const QString totalText = fieldOf(row, col.total).trimmed();
        double totalMoney = 0;
        if (col.total >= 0 && ReadNumber(totalText, source.decimalComma, &totalMoney) && totalMoney > 0) {
            auto perLitreOf = [&](MoneyUnit unit) { return totalMoney * (unit == MoneyUnit::Pence ? 1.0 : PencePerUnit) / litres; };
            double fromTotal = perLitreOf(source.totalUnit == MoneyUnit::Pence ? MoneyUnit::Pence : MoneyUnit::Pounds);
            if (source.totalUnit == MoneyUnit::Unknown
                && std::fabs(perLitreOf(MoneyUnit::Pence) - pencePerLitre) < std::fabs(fromTotal - pencePerLitre))
                fromTotal = perLitreOf(MoneyUnit::Pence);
            if (std::fabs(fromTotal - pencePerLitre) > 0.01 * pencePerLitre) {
                refuse(QStringLiteral("the price %1 and the total %2 do not agree (%3 and %4 pence a litre)")
                           .arg(quoted(moneyText), quoted(totalText), NumberText::FormatFixed(pencePerLitre, 5, 2),
                                NumberText::FormatFixed(fromTotal, 5, 2)));
                continue;
            }
        }
        const long long miles = NumberText::RoundHalfEven(a.distance == DistanceUnit::Kilometres ? reading * MilesPerKm : reading)
                                    .value_or(0);
        Candidate c;
        c.fill.line = row.line;
        c.fill.date = EntryRules::DateText(date.day(), date.month(), date.year());
        c.fill.miles = miles;
        // Numbers already in the log's units keep their text, so a file this
        // program exported comes back exactly as it was.
        const bool plainQuantity = !source.decimalComma && IsPlainDecimal(quantityText);
        const bool plainPrice = !source.decimalComma && IsPlainDecimal(moneyText) && a.moneyKind == MoneyKind::PerUnit
                                && a.moneyUnit == MoneyUnit::Pence && priceLitres == 1.0;
        c.fill.lines = EntryRules::RecordLines(c.fill.date, miles, litres,
                                               plainPrice ? moneyText : NumberText::FormatFixed(pencePerLitre, 5, 2));
        if (plainQuantity && quantityLitres == 1.0)
            c.fill.lines[2] = quantityText;
        c.dateKey = EntryRules::DateKey(c.fill.date);
        c.odometerText = odometerText;
        c.fill.notFull = col.full >= 0 && flagValue(fieldOf(row, col.full)) == false;
        c.fill.missed = col.missed >= 0 && flagValue(fieldOf(row, col.missed)) == true;
        candidates.append(c);
    }

    // By reading, then date: a file's rows mostly come so already.
    auto before = [](const Candidate &x, const Candidate &y) {
        return x.fill.miles != y.fill.miles ? x.fill.miles < y.fill.miles : x.dateKey < y.dateKey;
    };
    if (!std::is_sorted(candidates.cbegin(), candidates.cend(), before))
        std::stable_sort(candidates.begin(), candidates.end(), before);
    if (cancelled(800))
        return plan;
    const Csv::GoOn placing = pace.Part(800, 990, candidates.size());
    if (readingsRise(log))
        merge(candidates, log, plan, placing);
    else
        placeOneByOne(candidates, log, plan, placing);
    if (cancelled(990)) // placing stopped when it was cancelled
        return plan;
    for (const Fill &f : plan.added) {
        plan.notFull += f.notFull;
        plan.missed += f.missed;
    }
    std::stable_sort(plan.refused.begin(), plan.refused.end(),
                     [](const Refusal &x, const Refusal &y) { return x.line < y.line; });
    if (progress)
        progress(PaceTotal, PaceTotal); // done: whoever shows it can close
    return plan;
}

QString MoneyHint(const Plan &plan)
{
    QVector<double> pence;
    for (const Fill &f : plan.added)
        if (double p = 0; f.lines.size() == 4 && ReadNumber(f.lines[3], false, &p))
            pence << p;
    if (pence.isEmpty())
        return QString();
    const double m = median(pence);
    const QString price = NumberText::FormatFixed(m, 4, 1);
    // Every pump price for decades lies between 50 p and £3 a litre.
    if (m >= 50 && m <= 300)
        return QStringLiteral("read so, a litre cost %1 p, as at the pump").arg(price);
    return QStringLiteral("read so, a litre would cost %1 p, which no pump asks: check the units").arg(price);
}

FillMark MarkOf(const Fill &fill)
{
    return ::MarkOf(fill.notFull, fill.missed);
}

} // namespace LogImport
