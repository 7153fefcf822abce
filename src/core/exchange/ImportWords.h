#pragma once
#include <QString>

// The words other programs and people put in a fuel log's header and cells,
// in the languages the logs come in: what a column holds, the units and the
// currency its name or its cells give, and what a cell marks.
namespace ImportWords {

// What a column holds, by its name.
enum class Role {
    None,
    Date,
    Odometer,
    Trip,          // the distance since the fill-up before
    Quantity,
    Total,         // the cost of the fill-up
    UnitPrice,     // the price of a litre or a gallon
    Price,         // either: the values decide
    Full,          // 1 = the tank was filled
    Partial,       // 1 = it was not
    MarkCode,      // words or codes: full, partial, a reset
    Missed,        // 1 = a fill-up before this one was not logged
    Currency,      // a currency code a row
    QuantityUnit,  // the unit of the quantity a row
    DistanceUnit,  // the unit of the odometer a row
    Economy,       // mpg, km/l, l/100 km
    EconomyUnit,
    Energy,        // kWh charged: an electric car's log
    StartReading,  // the odometer before the first trip
};

struct Heading {
    Role role = Role::None;
    // Among columns of one role the higher rank wins: "odometer" over a bare
    // "km", the date of the fill-up over the date a row was added.
    int rank = 0;
    QString name;      // the words as matched
    QString unit;      // unit words in the name and in its brackets
    QString language;  // the language of the name's words, empty for English
};

// A header cell read: split at capitals, underscores, slashes and blanks,
// units in brackets or after the name kept as units.
Heading Read(const QString &header);

enum class Distance { Unknown, Miles, Kilometres };
enum class Fuel { Unknown, Litres, Gallons, ImperialGallons, UsGallons, KilowattHours, Other };

// Units as words ("km", "mi", "(litres)", "US gal", "kWh") in a name, a
// unit cell or a vehicle's settings ("US_GALLON", "MILE").
Distance DistanceIn(const QString &text);
Fuel FuelIn(const QString &text);

// An ISO currency code from a code, a symbol or a word ("EUR", "€", "Kč",
// "kc", "pounds"); empty when the text names none.
QString CurrencyIn(const QString &text);
// How a currency is named in a sentence: "euros", "US dollars", "CZK".
QString CurrencyName(const QString &code);

// A cell of a mark column read as a word: yes or no in the languages of
// the header tables, "Partial", "Reset", "first", F/P.
enum class Mark { Unknown, Yes, No, Full, Partial, Reset };
Mark MarkIn(const QString &cell);

// The language a header's words are in, for a sentence ("German").
QString LanguageName(const QString &code);

} // namespace ImportWords
