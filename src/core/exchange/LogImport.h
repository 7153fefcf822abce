#pragma once
#include "core/exchange/ImportWords.h"
#include "core/fuellog/FillMarks.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Fill-ups read from a CSV file another program or a person wrote, checked
// with the entry rules and placed into the fuel log as back-dated fill-ups
// are. Reading the file (Read) and deciding what it adds (Prepare) are
// apart, so the import window can prepare again as the user answers.
//
// A file is read whatever its header says: columns are placed by their
// names in several languages, else by what they hold; units and the
// currency by the evidence the file gives. What the file leaves open is
// asked, and nothing is added until it is answered.
namespace LogImport {

// What a column or the header cannot tell is Unknown until the user says.
enum class DateOrder { Unknown, DayFirst, MonthFirst };
enum class DistanceUnit { Unknown, Miles, Kilometres };
enum class FuelUnit { Unknown, Litres, ImperialGallons, UsGallons };
enum class MoneyKind { Unknown, Total, PerUnit };
enum class MoneyUnit { Unknown, Pounds, Pence };
// Prices in another currency than the log's pounds: converted at a rate the
// user gives, or kept as written when the user's log keeps that currency.
enum class CurrencyUse { Unknown, Convert, Keep };
// How the tank-mark column reads: a yes (1) means full, or partial, or the
// column holds codes of which one means partial.
enum class MarkSense { FullIsYes, PartialIsYes, Codes };

// Told how far a long read or preparation has come (done of total steps);
// false from it cancels the work, which then changes nothing.
using Progress = std::function<bool(qint64 done, qint64 total)>;

struct Answers {
    DateOrder dateOrder = DateOrder::Unknown;
    DistanceUnit distance = DistanceUnit::Unknown;
    FuelUnit fuel = FuelUnit::Unknown;
    MoneyKind moneyKind = MoneyKind::Unknown;
    MoneyUnit moneyUnit = MoneyUnit::Unknown;
    CurrencyUse currency = CurrencyUse::Unknown;
    double rate = 0; // pounds for one unit of the file's currency, with Convert
    // With the readings added up from trips: the odometer before the first,
    // in the file's distance unit; below 0 when not given.
    double startReading = -1;
};

// Exact by definition; the entry panel keeps its own 4.546 for the imperial
// gallon, an import reads what another program measured.
inline constexpr double LitresPerUsGallon = 3.785411784;
inline constexpr double LitresPerImperialGallon = 4.54609;

// The columns Vantiq uses, by index in the row; -1 when the file has none
// or it is not chosen yet.
struct Columns {
    int date = -1, odometer = -1, quantity = -1, money = -1, full = -1, missed = -1;
    int total = -1;        // a total beside a per-unit price (money): it checks the price
    int unit = -1;         // the quantity's unit, a row ("L", "Gal", "kWh")
    int distanceUnit = -1; // the odometer's unit, a row ("mi", "km")
    int currency = -1;     // the prices' currency, a row ("EUR")
    // Each fill-up's distance since the one before, where no column holds
    // the odometer: the readings add up from a start reading, in date order.
    int trip = -1;
    MarkSense sense = MarkSense::FullIsYes;
    QString partialCode;   // with Codes: the cell that means partial
    QString missedCode;    // with Codes: the cell that means a fill-up was missed before
};

struct Source {
    QString problem;           // why nothing can be read; empty when the header was found
    int headerLine = 0;        // file line of the header row (from 1)
    QStringList headers;       // as the file names them
    QVector<ImportWords::Heading> headings; // the header's names read
    Columns columns;
    // A per-unit price given in litres or gallons whatever the quantity's unit.
    FuelUnit priceFuel = FuelUnit::Unknown;
    // A price "per gallon" that does not say which: the quantity's gallon.
    bool priceGallons = false;
    MoneyUnit totalUnit = MoneyUnit::Unknown; // of the checking total, when the header says
    // The prices' currency (an ISO code) when the file names one other than
    // pounds; empty for pounds or when it names none.
    QString currency;
    Answers told;              // what the header and the rows make clear
    Answers suggested;         // the answer the evidence gives to each question left; Unknown: none
    struct Hints {             // why each suggestion, in a line
        QString dateOrder, distance, fuel, money, currency;
        // why each column was placed, or why it was not
        QString date, odometer, quantity, moneyColumn, full, missed;
        QString startReading; // where the start reading was found
    } hints;
    QStringList markCodes;     // the codes the mark column holds, when it holds codes
    bool fuelGallons = false;  // the file gives gallons but not which: litres is no answer
    bool decimalComma = false; // numbers written 1,5 rather than 1.5
    QChar separator;           // between the fields of a row
    // The pence a litre pumps asked when the file's fill-ups were bought
    // (its median year, 0 when unknown), where the money is pounds: a reading
    // of the money outside it is none.
    int pumpYear = 0;
    double pumpLow = 50, pumpHigh = 300;
    // Units the file gives outside its table (a vehicle's settings).
    FuelUnit elsewhereFuel = FuelUnit::Unknown;
    DistanceUnit elsewhereDistance = DistanceUnit::Unknown;
    struct Row {
        int line = 0;
        QStringList fields;
    };
    QVector<Row> rows;

    bool cancelled = false;    // the reading was cancelled: nothing to import

    bool Found() const { return problem.isEmpty() && !cancelled; }
    // Told where told, else what the user answered, else the suggestion.
    Answers Resolve(const Answers &answered) const;
};

// Finds the fill-ups' header row (in a section of its own when the file has
// marker lines such as "## Log"), reads the rows under it and places the
// columns.
Source Read(const QByteArray &bytes, const Progress &progress = {});

// Weighs the evidence again for the columns as they now stand (after the
// user chose one): what is told, what is suggested and why.
void Weigh(Source &source);
// How the mark column reads, from its name and its values: the sense, the
// codes it holds, and why. Called when the column is placed or chosen.
void ReadMarkColumn(Source &source);

struct Refusal {
    int line = 0;
    QString reason;
};

struct Fill {
    int line = 0;
    QString date;              // dd/mm/yyyy
    long long miles = 0;
    QStringList lines;         // the record's four log lines
    bool notFull = false;      // marked as not filling the tank
    bool missed = false;       // marked as following a missed fill-up
};

// The mark a fill-up is kept with: either, or both when a partial fill-up
// also followed a missed one.
FillMark MarkOf(const Fill &fill);

struct Plan {
    QVector<Fill> added;       // in log order
    int duplicates = 0;        // same date and reading as a record already there
    QVector<Refusal> refused;  // in file order
    int notFull = 0;           // fill-ups added that are marked as not filling the tank
    int missed = 0;            // fill-ups added marked as following a missed fill-up
    QStringList log;           // the fuel log with the fill-ups placed
    // What must be chosen or answered before anything can be added, a line
    // each; nothing is prepared while any is left.
    QStringList waiting;
    bool cancelled = false;    // cancelled through the progress: nothing to add
};

// What the rows add to the log with the given answers; nothing is changed.
Plan Prepare(const Source &source, const Answers &answers, const QStringList &log, const Progress &progress = {});
// Why the money reads as it does, for the plan as prepared with the
// current answers: the median price of a litre stored, and whether a pump
// asked such a price then. Empty when nothing is added or the log keeps
// another currency.
QString MoneyHint(const Plan &plan, const Source &source, const Answers &answers);

// The user's choices for a file (its columns and answers), kept in the
// settings under a key made from the file's header, so the next file with
// the same header starts with them. A rate is not kept: it is the day's.
QString ChoicesKey(const QStringList &headers);
QString ChoicesText(const Columns &columns, const Answers &answers);
// False (nothing changed) when the text is not such choices or names a
// column the header does not have.
bool ReadChoices(const QString &text, int headerCount, Columns *columns, Answers *answers);

// Reading a number whatever the file's habit: "1,234.5", "1.234,5" with a
// decimal comma, "£12.30", "95.9p", "EUR 50.00".
bool ReadNumber(const QString &text, bool decimalComma, double *value);

// A sum of money as a cell writes it, with the currency it names ("EUR
// 50.00", "50,00 €", "$3.49", "USD 3.49"): empty currency when it names none.
struct Money {
    bool ok = false;
    double value = 0;
    QString currency;
};
Money ReadMoney(const QString &text, bool decimalComma);

// Digits with an optional point and more digits: a number that can be
// stored as it is written.
bool IsPlainDecimal(const QString &text);

} // namespace LogImport
