#include "core/exchange/LogImport.h"

#include "core/entry/EntryRules.h"
#include "core/exchange/Csv.h"
#include "core/exchange/ImportCells.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/NumberText.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace LogImport {

using namespace Cells;

Answers Source::Resolve(const Answers &answered) const
{
    auto pick = [](auto byFile, auto answer, auto suggestion) {
        using T = decltype(byFile);
        return byFile != T::Unknown ? byFile : answer != T::Unknown ? answer : suggestion;
    };
    Answers a;
    a.dateOrder = pick(told.dateOrder, answered.dateOrder, suggested.dateOrder);
    a.distance = pick(told.distance, answered.distance, suggested.distance);
    a.fuel = pick(told.fuel, answered.fuel, suggested.fuel);
    a.moneyKind = pick(told.moneyKind, answered.moneyKind, suggested.moneyKind);
    a.moneyUnit = pick(told.moneyUnit, answered.moneyUnit, suggested.moneyUnit);
    a.currency = answered.currency;
    a.rate = answered.rate;
    a.startReading = answered.startReading >= 0 ? answered.startReading : suggested.startReading;
    return a;
}

namespace {

QString currencyWords(const QString &code)
{
    return code.isEmpty() || code == QLatin1String("GBP") ? QStringLiteral("pounds") : code;
}

// What must be chosen or answered before a row can be read, a line each.
QStringList waitingFor(const Source &s, const Answers &a)
{
    QStringList w;
    const Columns &c = s.columns;
    if (c.date < 0)
        w << QStringLiteral("Choose the date column: no header reads as a date and no column holds only dates");
    if (c.odometer < 0 && c.trip < 0)
        w << QStringLiteral("Choose the odometer column: no header reads as an odometer and no column of numbers rises "
                            "with the dates");
    if (c.quantity < 0)
        w << QStringLiteral("Choose the quantity column: no header reads as litres or gallons");
    if (c.money < 0)
        w << QStringLiteral("Choose the money column: no header reads as a cost or a price");
    if (!w.isEmpty())
        return w;
    if (c.odometer < 0 && !(a.startReading >= 0 && a.startReading <= 2e9))
        w << QStringLiteral("Give the odometer reading before the first trip: the readings add up from it");
    if (a.dateOrder == DateOrder::Unknown)
        w << QStringLiteral("Say how the dates are written: every date reads either way");
    if (a.distance == DistanceUnit::Unknown)
        w << QStringLiteral("Say whether the odometer readings are in miles or kilometres");
    if (a.fuel == FuelUnit::Unknown)
        w << QStringLiteral("Say whether the fuel is measured in litres or gallons");
    else if (a.fuel == FuelUnit::Litres && s.fuelGallons)
        w << QStringLiteral("Say which gallon the file means: it gives its fuel in gallons");
    if (a.moneyKind == MoneyKind::Unknown)
        w << QStringLiteral("Say whether the money column is the total cost or a price per unit");
    if (a.moneyUnit == MoneyUnit::Unknown)
        w << QStringLiteral("Say whether the money is in pounds or pence");
    if (!s.currency.isEmpty()) {
        if (a.currency == CurrencyUse::Unknown)
            w << QStringLiteral("Say how to take the prices in %1: at a rate to the pound, or as your log keeps %1")
                     .arg(s.currency);
        else if (a.currency == CurrencyUse::Convert && !(a.rate > 0 && std::isfinite(a.rate)))
            w << QStringLiteral("Give the rate: what 1 %1 is in pounds").arg(s.currency);
    }
    return w;
}


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


// The marks a row carries: by the mark column's sense or codes, its words,
// and the missed column.
void readMarks(const Source &s, const Source::Row &row, Fill *fill)
{
    using ImportWords::Mark;
    const Columns &c = s.columns;
    const QString text = FieldOf(row, c.full).trimmed();
    if (c.full >= 0 && !text.isEmpty()) {
        if (c.sense == MarkSense::Codes && ImportWords::MarkIn(text) != Mark::Partial && ImportWords::MarkIn(text) != Mark::Reset) {
            fill->notFull = text == c.partialCode;
            fill->missed = !c.missedCode.isEmpty() && text == c.missedCode;
        } else {
            switch (ImportWords::MarkIn(text)) {
            case Mark::Partial: fill->notFull = true; break;
            case Mark::Reset: fill->missed = true; break;
            case Mark::Yes: fill->notFull = c.sense == MarkSense::PartialIsYes; break;
            case Mark::No: fill->notFull = c.sense != MarkSense::PartialIsYes; break;
            case Mark::Full: case Mark::Unknown: break;
            }
        }
    }
    if (c.missed >= 0) {
        const Mark m = ImportWords::MarkIn(FieldOf(row, c.missed));
        fill->missed |= m == Mark::Yes || m == Mark::Reset;
    }
}

} // namespace

Plan Prepare(const Source &source, const Answers &answered, const QStringList &log, const Progress &progress)
{
    Plan plan;
    if (!source.Found())
        return plan;
    const Answers a = source.Resolve(answered);
    plan.waiting = waitingFor(source, a);
    if (!plan.waiting.isEmpty()) { // nothing can be read yet: the log stays as it is
        plan.log = log;
        return plan;
    }
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
    const Columns &col = source.columns;
    const bool foreign = !source.currency.isEmpty();
    const QString fileCurrency = foreign ? source.currency : QStringLiteral("GBP");
    // Money as written, in whole units of its currency, to the pence (or
    // hundredths) the log keeps.
    const double wholeUnits = a.moneyUnit == MoneyUnit::Pence ? 0.01 : 1.0;
    const double toPence = wholeUnits * (foreign && a.currency == CurrencyUse::Convert ? a.rate * PencePerUnit : PencePerUnit);

    // Readings from trips: each row's trip added to the ones before it, in
    // date order (a file's rows in the order it has them on one day).
    QHash<int, double> fromTrips;
    if (col.odometer < 0) {
        QVector<std::pair<QDate, const Source::Row *>> dated;
        for (const Source::Row &row : source.rows)
            if (const QDate d = DateOf(ReadDate(FieldOf(row, col.date)), a.dateOrder); d.isValid())
                dated.append({d, &row});
        std::stable_sort(dated.begin(), dated.end(), [](const auto &x, const auto &y) { return x.first < y.first; });
        double reading = a.startReading;
        for (const auto &[date, row] : dated)
            if (double trip = 0; ReadNumber(FieldOf(*row, col.trip), source.decimalComma, &trip) && trip > 0 && trip < 1e6) {
                reading += trip;
                fromTrips.insert(row->line, reading);
            }
    }

    QVector<Candidate> candidates;
    candidates.reserve(source.rows.size());
    for (const Source::Row &row : source.rows) {
        if (cancelled(700 * (&row - source.rows.constData()) / rows))
            return plan;
        auto refuse = [&](const QString &reason) { plan.refused.append({row.line, reason}); };
        const QString dateText = FieldOf(row, col.date).trimmed();
        const QDate date = DateOf(ReadDate(dateText), a.dateOrder);
        if (!date.isValid()) {
            refuse(dateText.isEmpty() ? QStringLiteral("the date is missing")
                                      : QStringLiteral("the date %1 is not a real date").arg(quoted(dateText)));
            continue;
        }
        double reading = 0;
        if (col.odometer < 0) {
            const QString tripText = FieldOf(row, col.trip).trimmed();
            if (!fromTrips.contains(row.line)) {
                refuse(tripText.isEmpty() ? QStringLiteral("the trip distance is missing")
                                          : QStringLiteral("the trip distance %1 is not a number above zero").arg(quoted(tripText)));
                continue;
            }
            reading = fromTrips.value(row.line);
        }
        const QString odometerText = col.odometer < 0 ? NumberText::FormatPlain(reading) : FieldOf(row, col.odometer).trimmed();
        // Programs that keep tenths of a mile or kilometre write decimals: the
        // reading is rounded to the whole mile the log keeps.
        if ((col.odometer >= 0 && !ReadNumber(odometerText, source.decimalComma, &reading)) || reading < 0.5 || reading > 2e9) {
            refuse(odometerText.isEmpty()       ? QStringLiteral("the odometer reading is missing")
                   : exponentForm(odometerText) ? QStringLiteral("the odometer reading %1 is not a plain number").arg(quoted(odometerText))
                       : QStringLiteral("the odometer reading %1 is not a whole number above zero").arg(quoted(odometerText)));
            continue;
        }
        const QString quantityText = FieldOf(row, col.quantity).trimmed();
        double quantity = 0;
        if (!ReadNumber(quantityText, source.decimalComma, &quantity) || quantity <= 0) {
            refuse(quantityText.isEmpty()       ? QStringLiteral("the quantity is missing")
                   : exponentForm(quantityText) ? QStringLiteral("the quantity %1 is not a plain number").arg(quoted(quantityText))
                       : QStringLiteral("the quantity %1 is not a number above zero").arg(quoted(quantityText)));
            continue;
        }
        // A unit a row: litres, a gallon (which one the answer says), or a
        // charge of electricity, which is no fuel.
        FuelUnit fuel = a.fuel;
        if (col.unit >= 0) {
            const QString unitText = FieldOf(row, col.unit).trimmed();
            switch (ImportWords::FuelIn(unitText)) {
            case ImportWords::Fuel::KilowattHours: refuse(QStringLiteral("an electric charge, not fuel")); continue;
            case ImportWords::Fuel::Other:
                refuse(QStringLiteral("the unit %1 is not litres or gallons").arg(quoted(unitText)));
                continue;
            case ImportWords::Fuel::Litres: fuel = FuelUnit::Litres; break;
            case ImportWords::Fuel::ImperialGallons: fuel = FuelUnit::ImperialGallons; break;
            case ImportWords::Fuel::UsGallons: fuel = FuelUnit::UsGallons; break;
            case ImportWords::Fuel::Gallons:
            case ImportWords::Fuel::Unknown: break;
            }
        }
        DistanceUnit distance = a.distance;
        if (col.distanceUnit >= 0)
            if (const ImportWords::Distance d = ImportWords::DistanceIn(FieldOf(row, col.distanceUnit)); d != ImportWords::Distance::Unknown)
                distance = d == ImportWords::Distance::Miles ? DistanceUnit::Miles : DistanceUnit::Kilometres;
        const QString moneyText = FieldOf(row, col.money).trimmed();
        const Money money = ReadMoney(moneyText, source.decimalComma);
        if (!money.ok) {
            refuse(moneyText.isEmpty()       ? QStringLiteral("the price is missing")
                   : exponentForm(moneyText) ? QStringLiteral("the price %1 is not a plain number").arg(quoted(moneyText))
                                             : QStringLiteral("the price %1 is not a number").arg(quoted(moneyText)));
            continue;
        }
        // A row in another currency than the file's is no price of the log's.
        QString rowCurrency = money.currency;
        if (rowCurrency.isEmpty() && col.currency >= 0)
            rowCurrency = ImportWords::CurrencyIn(FieldOf(row, col.currency));
        if (!rowCurrency.isEmpty() && rowCurrency != fileCurrency) {
            refuse(QStringLiteral("the price %1 is in %2, the file's other prices in %3")
                       .arg(quoted(moneyText), currencyWords(rowCurrency), currencyWords(fileCurrency)));
            continue;
        }
        const double quantityLitres = LitresPer(fuel);
        const double priceLitres = source.priceFuel != FuelUnit::Unknown ? LitresPer(source.priceFuel)
                                   : source.priceGallons ? LitresPer(fuel == FuelUnit::UsGallons ? FuelUnit::UsGallons
                                                                                                 : FuelUnit::ImperialGallons)
                                                         : quantityLitres;
        const double litres = quantity * quantityLitres;
        const double pencePerLitre = a.moneyKind == MoneyKind::Total ? money.value * toPence / litres
                                                                     : money.value * toPence / priceLitres;
        if (!std::isfinite(pencePerLitre) || pencePerLitre > 1e9) {
            refuse(QStringLiteral("the price %1 is not a number").arg(quoted(moneyText)));
            continue;
        }
        // A total beside the per-unit price checks it.
        const QString totalText = FieldOf(row, col.total).trimmed();
        const Money totalMoney = ReadMoney(totalText, source.decimalComma);
        if (col.total >= 0 && totalMoney.ok && totalMoney.value > 0) {
            auto perLitreOf = [&](MoneyUnit unit) {
                return totalMoney.value * (unit == MoneyUnit::Pence ? 0.01 : 1.0) * (toPence / wholeUnits) / litres;
            };
            double fromTotal = perLitreOf(source.totalUnit == MoneyUnit::Pence ? MoneyUnit::Pence : MoneyUnit::Pounds);
            if (source.totalUnit == MoneyUnit::Unknown
                && std::fabs(perLitreOf(MoneyUnit::Pence) - pencePerLitre) < std::fabs(fromTotal - pencePerLitre))
                fromTotal = perLitreOf(MoneyUnit::Pence);
            if (std::fabs(fromTotal - pencePerLitre) > 0.01 * pencePerLitre) {
                refuse(QStringLiteral("the price %1 and the total %2 do not agree (%3 and %4 %5 a litre)")
                           .arg(quoted(moneyText), quoted(totalText), NumberText::FormatFixed(pencePerLitre, 5, 2),
                                NumberText::FormatFixed(fromTotal, 5, 2),
                                foreign && a.currency == CurrencyUse::Keep ? QStringLiteral("hundredths") : QStringLiteral("pence")));
                continue;
            }
        }
        const long long miles = NumberText::RoundHalfEven(distance == DistanceUnit::Kilometres ? reading * MilesPerKm : reading)
                                    .value_or(0);
        Candidate c;
        c.fill.line = row.line;
        c.fill.date = EntryRules::DateText(date.day(), date.month(), date.year());
        c.fill.miles = miles;
        // Numbers already in the log's units keep their text, so a file this
        // program exported comes back exactly as it was.
        const bool plainQuantity = !source.decimalComma && IsPlainDecimal(quantityText);
        const bool plainPrice = !source.decimalComma && !foreign && IsPlainDecimal(moneyText)
                                && a.moneyKind == MoneyKind::PerUnit && a.moneyUnit == MoneyUnit::Pence && priceLitres == 1.0;
        c.fill.lines = EntryRules::RecordLines(c.fill.date, miles, litres,
                                               plainPrice ? moneyText : NumberText::FormatFixed(pencePerLitre, 5, 2));
        if (plainQuantity && quantityLitres == 1.0)
            c.fill.lines[2] = quantityText;
        c.dateKey = EntryRules::DateKey(c.fill.date);
        c.odometerText = odometerText;
        readMarks(source, row, &c.fill);
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

QString MoneyHint(const Plan &plan, const Source &source, const Answers &answers)
{
    if (!source.currency.isEmpty() && answers.currency == CurrencyUse::Keep)
        return QString();
    QVector<double> pence;
    for (const Fill &f : plan.added)
        if (double p = 0; f.lines.size() == 4 && ReadNumber(f.lines[3], false, &p))
            pence << p;
    if (pence.isEmpty())
        return QString();
    const double m = Median(pence);
    const QString price = NumberText::FormatFixed(m, 4, 1);
    if (m >= source.pumpLow && m <= source.pumpHigh)
        return QStringLiteral("read so, a litre cost %1 p, as at the pump").arg(price);
    return QStringLiteral("read so, a litre would cost %1 p, which no pump asked%2: check the units")
        .arg(price, source.pumpYear > 0 ? QStringLiteral(" in %1").arg(source.pumpYear) : QString());
}

FillMark MarkOf(const Fill &fill)
{
    return ::MarkOf(fill.notFull, fill.missed);
}

QString ChoicesKey(const QStringList &headers)
{
    const QByteArray digest = QCryptographicHash::hash(headers.join(QLatin1Char('\x1f')).toUtf8(), QCryptographicHash::Md5);
    return QStringLiteral("Import ") + QString::fromLatin1(digest.toHex().left(12));
}

namespace {
bool isCode(const QString &text)
{
    return text.size() <= 2 && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}
} // namespace

QString ChoicesText(const Columns &c, const Answers &a)
{
    // A rate is the day's, a start reading the file's: only keeping the
    // file's currency is kept.
    const int currency = a.currency == CurrencyUse::Keep ? int(CurrencyUse::Keep) : 0;
    return QStringLiteral("2|%1,%2,%3,%4,%5,%6,%7|%8,%9,%10|%11,%12,%13,%14,%15,%16")
        .arg(c.date).arg(c.odometer).arg(c.quantity).arg(c.money).arg(c.full).arg(c.missed).arg(c.trip)
        .arg(int(c.sense))
        .arg(isCode(c.partialCode) ? c.partialCode : QString(), isCode(c.missedCode) ? c.missedCode : QString())
        .arg(int(a.dateOrder)).arg(int(a.distance)).arg(int(a.fuel)).arg(int(a.moneyKind)).arg(int(a.moneyUnit))
        .arg(currency);
}

bool ReadChoices(const QString &text, int headerCount, Columns *columns, Answers *answers)
{
    QStringList parts = text.split(QLatin1Char('|'));
    // Choices kept before the marks' sense, the trips and the currency were
    // asked: two parts, six columns and five answers.
    if (parts.size() == 2)
        parts = {QStringLiteral("2"), parts[0] + QStringLiteral(",-1"), QStringLiteral("0,,"), parts[1] + QStringLiteral(",0")};
    if (parts.size() != 4 || parts[0] != QLatin1String("2"))
        return false;
    const QStringList cols = parts[1].split(QLatin1Char(',')), marks = parts[2].split(QLatin1Char(',')),
                      ans = parts[3].split(QLatin1Char(','));
    if (cols.size() != 7 || marks.size() != 3 || ans.size() != 6)
        return false;
    static const int answerMax[6] = {2, 2, 3, 2, 2, 2}; // the enums' last values
    int v[13];
    for (int i = 0; i < 13; ++i) {
        bool ok = false;
        v[i] = (i < 7 ? cols[i] : ans[i - 7]).toInt(&ok);
        // the date, quantity and money are needed; the odometer or the trips
        const bool inRange = i < 7 ? v[i] >= (i == 0 || i == 2 || i == 3 ? 0 : -1) && v[i] < headerCount
                                   : v[i] >= 0 && v[i] <= answerMax[i - 7];
        if (!ok || !inRange)
            return false;
    }
    if (v[1] < 0 && v[6] < 0)
        return false;
    bool senseOk = false;
    const int sense = marks[0].toInt(&senseOk);
    if (!senseOk || sense < 0 || sense > int(MarkSense::Codes) || !isCode(marks[1]) || !isCode(marks[2]))
        return false;
    Columns c;
    c.date = v[0];
    c.odometer = v[1];
    c.quantity = v[2];
    c.money = v[3];
    c.full = v[4];
    c.missed = v[5];
    c.trip = v[1] < 0 ? v[6] : -1;
    c.sense = MarkSense(sense);
    c.partialCode = marks[1];
    c.missedCode = marks[2];
    *columns = c;
    answers->dateOrder = DateOrder(v[7]);
    answers->distance = DistanceUnit(v[8]);
    answers->fuel = FuelUnit(v[9]);
    answers->moneyKind = MoneyKind(v[10]);
    answers->moneyUnit = MoneyUnit(v[11]);
    answers->currency = v[12] == int(CurrencyUse::Keep) ? CurrencyUse::Keep : CurrencyUse::Unknown;
    answers->rate = 0;
    answers->startReading = -1;
    return true;
}

} // namespace LogImport
