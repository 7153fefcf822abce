#include "core/exchange/ImportWords.h"

#include <QHash>
#include <QSet>
#include <QRegularExpression>
#include <QStringList>

namespace ImportWords {

namespace {

struct Name {
    const char *text;  // lower case, words separated by one blank (UTF-8)
    Role role;
    int rank;
    const char *language; // "" for English, else an ISO 639-1 code, "*" for several
    const char *unit;     // a unit the name itself says ("kilometerstand": km)
};

// Column names other fuel-log programs and people use, by language. A
// longer name wins over a shorter one it begins with ("fuel type" over
// "fuel", "volume unit" over "volume").
const Name Names[] = {
    // English
    {"date", Role::Date, 2, "", ""},
    {"day", Role::Date, 1, "", ""},
    {"date time", Role::Date, 2, "", ""},
    {"datetime", Role::Date, 2, "", ""},
    {"date and time", Role::Date, 2, "", ""},
    {"fill date", Role::Date, 3, "", ""},
    {"fillup date", Role::Date, 3, "", ""},
    {"fill up date", Role::Date, 3, "", ""},
    {"fuelup date", Role::Date, 3, "", ""},
    {"fuel up date", Role::Date, 3, "", ""},
    {"refuel date", Role::Date, 3, "", ""},
    {"purchase date", Role::Date, 3, "", ""},
    {"occurred at", Role::Date, 2, "", ""},
    {"occurred on", Role::Date, 2, "", ""},
    {"timestamp", Role::Date, 1, "", ""},
    {"when", Role::Date, 1, "", ""},
    {"start date", Role::Date, 0, "", ""},
    // when a row was written, not when the fuel was bought
    {"date added", Role::Date, 0, "", ""},
    {"date created", Role::Date, 0, "", ""},
    {"date modified", Role::Date, 0, "", ""},
    {"created", Role::Date, 0, "", ""},
    {"created at", Role::Date, 0, "", ""},
    {"created on", Role::Date, 0, "", ""},
    {"updated", Role::Date, 0, "", ""},
    {"updated at", Role::Date, 0, "", ""},
    {"modified", Role::Date, 0, "", ""},
    {"entry date", Role::Date, 0, "", ""},
    {"odometer", Role::Odometer, 3, "", ""},
    {"odometer reading", Role::Odometer, 3, "", ""},
    {"odo", Role::Odometer, 3, "", ""},
    {"odo reading", Role::Odometer, 3, "", ""},
    {"odometer km", Role::Odometer, 3, "", "km"},
    {"odometer miles", Role::Odometer, 3, "", "mi"},
    {"meter reading", Role::Odometer, 2, "", ""},
    {"total miles", Role::Odometer, 2, "", "mi"},
    {"total km", Role::Odometer, 2, "", "km"},
    {"total kilometers", Role::Odometer, 2, "", "km"},
    {"total kilometres", Role::Odometer, 2, "", "km"},
    {"total distance", Role::Odometer, 2, "", ""},
    {"total mileage", Role::Odometer, 2, "", ""},
    {"mileage", Role::Odometer, 1, "", ""},
    {"distance", Role::Odometer, 1, "", ""},
    {"kilometers", Role::Odometer, 0, "", "km"},
    {"kilometres", Role::Odometer, 0, "", "km"},
    {"km", Role::Odometer, 0, "", "km"},
    {"kms", Role::Odometer, 0, "", "km"},
    {"miles", Role::Odometer, 0, "", "mi"},
    {"mi", Role::Odometer, 0, "", "mi"},
    {"trip", Role::Trip, 1, "", ""},
    {"trip distance", Role::Trip, 1, "", ""},
    {"trip miles", Role::Trip, 1, "", "mi"},
    {"trip km", Role::Trip, 1, "", "km"},
    {"trip meter", Role::Trip, 1, "", ""},
    {"distance travelled", Role::Trip, 1, "", ""},
    {"distance traveled", Role::Trip, 1, "", ""},
    {"distance driven", Role::Trip, 1, "", ""},
    {"miles driven", Role::Trip, 1, "", "mi"},
    {"km driven", Role::Trip, 1, "", "km"},
    {"km since last", Role::Trip, 1, "", "km"},
    {"miles since last", Role::Trip, 1, "", "mi"},
    {"distance since last", Role::Trip, 1, "", ""},
    {"litres", Role::Quantity, 2, "", "l"},
    {"liters", Role::Quantity, 2, "", "l"},
    {"litre", Role::Quantity, 2, "", "l"},
    {"liter", Role::Quantity, 2, "", "l"},
    {"ltrs", Role::Quantity, 2, "", "l"},
    {"gallons", Role::Quantity, 2, "", "gal"},
    {"gallon", Role::Quantity, 2, "", "gal"},
    {"gal", Role::Quantity, 2, "", "gal"},
    {"fuel", Role::Quantity, 0, "", ""},
    {"gas", Role::Quantity, 0, "", ""},
    {"quantity", Role::Quantity, 2, "", ""},
    {"qty", Role::Quantity, 2, "", ""},
    {"volume", Role::Quantity, 2, "", ""},
    {"fill amount", Role::Quantity, 2, "", ""},
    {"fill volume", Role::Quantity, 2, "", ""},
    {"fill quantity", Role::Quantity, 2, "", ""},
    {"fillup volume", Role::Quantity, 2, "", ""},
    {"fill up volume", Role::Quantity, 2, "", ""},
    {"fuel amount", Role::Quantity, 2, "", ""},
    {"fuel quantity", Role::Quantity, 2, "", ""},
    {"fuel volume", Role::Quantity, 2, "", ""},
    {"fuel consumed", Role::Quantity, 2, "", ""},
    {"fuel added", Role::Quantity, 2, "", ""},
    {"fuel litres", Role::Quantity, 2, "", "l"},
    {"fuel liters", Role::Quantity, 2, "", "l"},
    {"fuel gallons", Role::Quantity, 2, "", "gal"},
    {"amount of fuel", Role::Quantity, 2, "", ""},
    {"litres added", Role::Quantity, 2, "", "l"},
    {"liters added", Role::Quantity, 2, "", "l"},
    {"gallons added", Role::Quantity, 2, "", "gal"},
    {"litres filled", Role::Quantity, 2, "", "l"},
    {"liters filled", Role::Quantity, 2, "", "l"},
    {"gallons filled", Role::Quantity, 2, "", "gal"},
    {"total", Role::Total, 2, "", ""},
    {"total cost", Role::Total, 2, "", ""},
    {"total price", Role::Total, 2, "", ""},
    {"total amount", Role::Total, 2, "", ""},
    {"total paid", Role::Total, 2, "", ""},
    {"total spent", Role::Total, 2, "", ""},
    {"cost", Role::Total, 2, "", ""},
    {"fuel cost", Role::Total, 2, "", ""},
    {"amount", Role::Total, 2, "", ""},
    {"amount spent", Role::Total, 2, "", ""},
    {"amount paid", Role::Total, 2, "", ""},
    {"paid", Role::Total, 1, "", ""},
    {"spent", Role::Total, 1, "", ""},
    {"price", Role::Price, 1, "", ""},
    {"fuel price", Role::Price, 1, "", ""},
    {"petrol price", Role::Price, 1, "", ""},
    {"gas price", Role::Price, 1, "", ""},
    {"unit price", Role::UnitPrice, 2, "", ""},
    {"price per unit", Role::UnitPrice, 2, "", ""},
    {"price per litre", Role::UnitPrice, 2, "", "l"},
    {"price per liter", Role::UnitPrice, 2, "", "l"},
    {"price per l", Role::UnitPrice, 2, "", "l"},
    {"price per gallon", Role::UnitPrice, 2, "", "gal"},
    {"price per gal", Role::UnitPrice, 2, "", "gal"},
    {"cost per litre", Role::UnitPrice, 2, "", "l"},
    {"cost per liter", Role::UnitPrice, 2, "", "l"},
    {"cost per gallon", Role::UnitPrice, 2, "", "gal"},
    {"volume price", Role::UnitPrice, 2, "", ""},
    {"ppl", Role::UnitPrice, 2, "", "p per l"},
    {"ppg", Role::UnitPrice, 2, "", "gal"},
    {"full", Role::Full, 2, "", ""},
    {"full tank", Role::Full, 2, "", ""},
    {"filled tank", Role::Full, 2, "", ""},
    {"tank full", Role::Full, 2, "", ""},
    {"filled up", Role::Full, 2, "", ""},
    {"filled", Role::Full, 1, "", ""},
    {"fill to full", Role::Full, 2, "", ""},
    {"is fill to full", Role::Full, 2, "", ""},
    {"is full", Role::Full, 2, "", ""},
    {"is full tank", Role::Full, 2, "", ""},
    {"full fill up", Role::Full, 2, "", ""},
    {"full fillup", Role::Full, 2, "", ""},
    {"full fuelup", Role::Full, 2, "", ""},
    {"partial", Role::Partial, 2, "", ""},
    {"partial fill", Role::Partial, 2, "", ""},
    {"partial fill up", Role::Partial, 2, "", ""},
    {"partial fillup", Role::Partial, 2, "", ""},
    {"partial fuelup", Role::Partial, 2, "", ""},
    {"partial fuel up", Role::Partial, 2, "", ""},
    {"partial tank", Role::Partial, 2, "", ""},
    {"partial refuel", Role::Partial, 2, "", ""},
    {"is partial", Role::Partial, 2, "", ""},
    {"not full", Role::Partial, 2, "", ""},
    {"top up", Role::Partial, 1, "", ""},
    {"type", Role::MarkCode, 0, "", ""},
    {"fill type", Role::MarkCode, 2, "", ""},
    {"fillup type", Role::MarkCode, 2, "", ""},
    {"fill up type", Role::MarkCode, 2, "", ""},
    {"fueling type", Role::MarkCode, 2, "", ""},
    {"fuelling type", Role::MarkCode, 2, "", ""},
    {"refuel type", Role::MarkCode, 2, "", ""},
    {"tank status", Role::MarkCode, 2, "", ""},
    {"tank", Role::MarkCode, 1, "", ""},
    {"missed", Role::Missed, 2, "", ""},
    {"missed fill up", Role::Missed, 2, "", ""},
    {"missed fillup", Role::Missed, 2, "", ""},
    {"missed fuelup", Role::Missed, 2, "", ""},
    {"missed fuel up", Role::Missed, 2, "", ""},
    {"missed previous", Role::Missed, 2, "", ""},
    {"missed previous refuelling", Role::Missed, 2, "", ""},
    {"missed previous refueling", Role::Missed, 2, "", ""},
    {"previously missed fill ups", Role::Missed, 2, "", ""},
    {"previously missed fill up", Role::Missed, 2, "", ""},
    {"previous missed", Role::Missed, 2, "", ""},
    {"reset", Role::Missed, 1, "", ""},
    {"reset economy", Role::Missed, 2, "", ""},
    {"currency", Role::Currency, 2, "", ""},
    {"currency code", Role::Currency, 2, "", ""},
    {"unit", Role::QuantityUnit, 1, "", ""},
    {"units", Role::QuantityUnit, 1, "", ""},
    {"volume unit", Role::QuantityUnit, 2, "", ""},
    {"volume units", Role::QuantityUnit, 2, "", ""},
    {"quantity unit", Role::QuantityUnit, 2, "", ""},
    {"quantity units", Role::QuantityUnit, 2, "", ""},
    {"fuel unit", Role::QuantityUnit, 2, "", ""},
    {"unit of measure", Role::QuantityUnit, 1, "", ""},
    {"distance unit", Role::DistanceUnit, 2, "", ""},
    {"odometer unit", Role::DistanceUnit, 2, "", ""},
    {"mpg", Role::Economy, 2, "", "mpg"},
    {"economy", Role::Economy, 1, "", ""},
    {"fuel economy", Role::Economy, 2, "", ""},
    {"fuel efficiency", Role::Economy, 2, "", ""},
    {"efficiency", Role::Economy, 1, "", ""},
    {"consumption", Role::Economy, 1, "", ""},
    {"fuel consumption", Role::Economy, 2, "", ""},
    {"avg cons", Role::Economy, 1, "", ""},
    {"km per l", Role::Economy, 2, "", "km per l"},
    {"km per litre", Role::Economy, 2, "", "km per l"},
    {"km per liter", Role::Economy, 2, "", "km per l"},
    {"kmpl", Role::Economy, 2, "", "km per l"},
    {"l per 100km", Role::Economy, 2, "", "l per 100km"},
    {"l per 100 km", Role::Economy, 2, "", "l per 100km"},
    {"mi per gal", Role::Economy, 2, "", "mpg"},
    {"miles per gallon", Role::Economy, 2, "", "mpg"},
    {"mi per l", Role::Economy, 2, "", "mi per l"},
    {"fuel efficiency unit", Role::EconomyUnit, 2, "", ""},
    {"economy unit", Role::EconomyUnit, 2, "", ""},
    {"consumption unit", Role::EconomyUnit, 2, "", ""},
    {"kwh", Role::Energy, 2, "", "kwh"},
    {"energy", Role::Energy, 2, "", "kwh"},
    {"energy added", Role::Energy, 2, "", "kwh"},
    {"charge energy added", Role::Energy, 2, "", "kwh"},
    {"energy charged", Role::Energy, 2, "", "kwh"},
    {"charged", Role::Energy, 1, "", "kwh"},
    {"initial odometer", Role::StartReading, 2, "", ""},
    {"initial odometer reading", Role::StartReading, 2, "", ""},
    {"initial mileage", Role::StartReading, 2, "", ""},
    {"initial km", Role::StartReading, 2, "", "km"},
    {"initial miles", Role::StartReading, 2, "", "mi"},
    {"start odometer", Role::StartReading, 2, "", ""},
    {"starting odometer", Role::StartReading, 2, "", ""},
    {"odometer at start", Role::StartReading, 2, "", ""},
    {"anfangskilometerstand", Role::StartReading, 2, "de", "km"},
    // names that begin with a role's word but hold something else
    {"fuel type", Role::None, 9, "", ""},
    {"fuel category", Role::None, 9, "", ""},
    {"fuel brand", Role::None, 9, "", ""},
    {"fuel grade", Role::None, 9, "", ""},
    {"fuel sort", Role::None, 9, "", ""},
    {"fuel station", Role::None, 9, "", ""},
    {"fuel additive", Role::None, 9, "", ""},
    {"fuel additive name", Role::None, 9, "", ""},
    {"gas station", Role::None, 9, "", ""},
    {"gas type", Role::None, 9, "", ""},
    {"tank number", Role::None, 9, "", ""},
    {"tank calc", Role::None, 9, "", ""},
    {"fuel tank", Role::None, 9, "", ""},
    {"fuel tank capacity", Role::None, 9, "", ""},
    {"tank capacity", Role::None, 9, "", ""},
    // a money column named by its currency
    {"euros", Role::Total, 1, "", "eur"},
    {"euro", Role::Total, 1, "", "eur"},
    {"eur", Role::Total, 1, "", "eur"},
    {"pounds", Role::Total, 1, "", "gbp"},
    {"gbp", Role::Total, 1, "", "gbp"},
    {"dollars", Role::Total, 1, "", "usd"},
    {"usd", Role::Total, 1, "", "usd"},
    {"kč", Role::Total, 1, "cs", "czk"},
    {"kc", Role::Total, 1, "cs", "czk"},

    // German
    {"datum", Role::Date, 2, "*", ""},
    {"tankdatum", Role::Date, 3, "de", ""},
    {"datum uhrzeit", Role::Date, 2, "de", ""},
    {"zeitpunkt", Role::Date, 1, "de", ""},
    {"erstellt", Role::Date, 0, "de", ""},
    {"kilometerstand", Role::Odometer, 3, "*", "km"},
    {"km stand", Role::Odometer, 3, "*", "km"},
    {"kmstand", Role::Odometer, 3, "de", "km"},
    {"tachostand", Role::Odometer, 3, "de", ""},
    {"tacho", Role::Odometer, 2, "de", ""},
    {"laufleistung", Role::Odometer, 2, "de", ""},
    {"gesamtkilometer", Role::Odometer, 2, "de", "km"},
    {"strecke", Role::Trip, 1, "de", ""},
    {"gefahrene km", Role::Trip, 1, "de", "km"},
    {"gefahrene kilometer", Role::Trip, 1, "de", "km"},
    {"gefahrene strecke", Role::Trip, 1, "de", ""},
    {"menge", Role::Quantity, 2, "de", ""},
    {"tankmenge", Role::Quantity, 2, "de", ""},
    {"spritmenge", Role::Quantity, 2, "de", ""},
    {"kraftstoffmenge", Role::Quantity, 2, "de", ""},
    {"getankte menge", Role::Quantity, 2, "de", ""},
    {"getankt", Role::Quantity, 1, "*", ""},
    {"kosten", Role::Total, 2, "*", ""},
    {"gesamtkosten", Role::Total, 2, "de", ""},
    {"gesamtpreis", Role::Total, 2, "de", ""},
    {"gesamtbetrag", Role::Total, 2, "de", ""},
    {"betrag", Role::Total, 2, "de", ""},
    {"summe", Role::Total, 1, "de", ""},
    {"preis", Role::Price, 1, "de", ""},
    {"spritpreis", Role::Price, 1, "de", ""},
    {"literpreis", Role::UnitPrice, 2, "de", "l"},
    {"preis pro liter", Role::UnitPrice, 2, "de", "l"},
    {"preis je liter", Role::UnitPrice, 2, "de", "l"},
    {"preis per l", Role::UnitPrice, 2, "de", "l"},
    {"einzelpreis", Role::UnitPrice, 2, "de", ""},
    {"voll", Role::Full, 2, "de", ""},
    {"vollgetankt", Role::Full, 2, "de", ""},
    {"voll getankt", Role::Full, 2, "de", ""},
    {"volltank", Role::Full, 2, "de", ""},
    {"tank voll", Role::Full, 2, "de", ""},
    {"teilbetankung", Role::Partial, 2, "de", ""},
    {"teilweise", Role::Partial, 2, "de", ""},
    {"nicht voll", Role::Partial, 2, "de", ""},
    {"tankart", Role::MarkCode, 2, "de", ""},
    {"betankungsart", Role::MarkCode, 2, "de", ""},
    {"tankvorgang", Role::MarkCode, 1, "de", ""},
    {"vergessen", Role::Missed, 2, "de", ""},
    {"tankung vergessen", Role::Missed, 2, "de", ""},
    {"vorherige vergessen", Role::Missed, 2, "de", ""},
    {"ausgelassen", Role::Missed, 2, "de", ""},
    {"währung", Role::Currency, 2, "de", ""},
    {"waehrung", Role::Currency, 2, "de", ""},
    {"einheit", Role::QuantityUnit, 1, "de", ""},
    {"verbrauch", Role::Economy, 1, "de", ""},
    {"kraftstoff", Role::None, 9, "de", ""},
    {"kraftstoffart", Role::None, 9, "de", ""},
    {"sorte", Role::None, 9, "de", ""},

    // French
    {"date du plein", Role::Date, 3, "fr", ""},
    {"kilométrage", Role::Odometer, 3, "fr", "km"},
    {"kilometrage", Role::Odometer, 3, "fr", "km"},
    {"compteur", Role::Odometer, 3, "fr", ""},
    {"odomètre", Role::Odometer, 3, "fr", ""},
    {"trajet", Role::Trip, 1, "fr", ""},
    {"distance parcourue", Role::Trip, 1, "fr", ""},
    {"quantité", Role::Quantity, 2, "fr", ""},
    {"quantite", Role::Quantity, 2, "fr", ""},
    {"coût", Role::Total, 2, "fr", ""},
    {"cout", Role::Total, 2, "fr", ""},
    {"coût total", Role::Total, 2, "fr", ""},
    {"montant", Role::Total, 2, "fr", ""},
    {"prix total", Role::Total, 2, "fr", ""},
    {"prix", Role::Price, 1, "fr", ""},
    {"prix au litre", Role::UnitPrice, 2, "fr", "l"},
    {"prix par litre", Role::UnitPrice, 2, "fr", "l"},
    {"prix unitaire", Role::UnitPrice, 2, "fr", ""},
    {"plein", Role::Full, 2, "fr", ""},
    {"plein complet", Role::Full, 2, "fr", ""},
    {"réservoir plein", Role::Full, 2, "fr", ""},
    {"partiel", Role::Partial, 2, "fr", ""},
    {"plein partiel", Role::Partial, 2, "fr", ""},
    {"oublié", Role::Missed, 2, "fr", ""},
    {"plein oublié", Role::Missed, 2, "fr", ""},
    {"plein manqué", Role::Missed, 2, "fr", ""},
    {"devise", Role::Currency, 2, "fr", ""},
    {"monnaie", Role::Currency, 2, "fr", ""},
    {"unité", Role::QuantityUnit, 1, "fr", ""},
    {"consommation", Role::Economy, 1, "fr", ""},
    {"carburant", Role::None, 9, "fr", ""},

    // Spanish
    {"fecha", Role::Date, 2, "es", ""},
    {"odómetro", Role::Odometer, 3, "es", ""},
    {"odometro", Role::Odometer, 3, "es", ""},
    {"kilometraje", Role::Odometer, 3, "es", "km"},
    {"recorrido", Role::Trip, 1, "es", ""},
    {"cantidad", Role::Quantity, 2, "es", ""},
    {"litros", Role::Quantity, 2, "*", "l"},
    {"volumen", Role::Quantity, 2, "es", ""},
    {"coste", Role::Total, 2, "es", ""},
    {"costo", Role::Total, 2, "*", ""},
    {"importe", Role::Total, 2, "es", ""},
    {"precio total", Role::Total, 2, "es", ""},
    {"precio", Role::Price, 1, "es", ""},
    {"precio por litro", Role::UnitPrice, 2, "es", "l"},
    {"precio litro", Role::UnitPrice, 2, "es", "l"},
    {"precio unitario", Role::UnitPrice, 2, "es", ""},
    {"lleno", Role::Full, 2, "es", ""},
    {"tanque lleno", Role::Full, 2, "es", ""},
    {"depósito lleno", Role::Full, 2, "es", ""},
    {"parcial", Role::Partial, 2, "*", ""},
    {"olvidado", Role::Missed, 2, "es", ""},
    {"repostaje olvidado", Role::Missed, 2, "es", ""},
    {"moneda", Role::Currency, 2, "es", ""},
    {"divisa", Role::Currency, 2, "*", ""},
    {"unidad", Role::QuantityUnit, 1, "es", ""},
    {"consumo", Role::Economy, 1, "*", ""},
    {"combustible", Role::None, 9, "es", ""},

    // Italian
    {"data", Role::Date, 2, "*", ""},
    {"chilometraggio", Role::Odometer, 3, "it", "km"},
    {"contachilometri", Role::Odometer, 3, "it", "km"},
    {"km totali", Role::Odometer, 3, "it", "km"},
    {"quantità", Role::Quantity, 2, "it", ""},
    {"quantita", Role::Quantity, 2, "it", ""},
    {"litri", Role::Quantity, 2, "it", "l"},
    {"importo", Role::Total, 2, "it", ""},
    {"totale", Role::Total, 2, "it", ""},
    {"spesa", Role::Total, 2, "it", ""},
    {"prezzo", Role::Price, 1, "it", ""},
    {"prezzo al litro", Role::UnitPrice, 2, "it", "l"},
    {"prezzo litro", Role::UnitPrice, 2, "it", "l"},
    {"prezzo unitario", Role::UnitPrice, 2, "it", ""},
    {"pieno", Role::Full, 2, "it", ""},
    {"serbatoio pieno", Role::Full, 2, "it", ""},
    {"parziale", Role::Partial, 2, "it", ""},
    {"dimenticato", Role::Missed, 2, "it", ""},
    {"saltato", Role::Missed, 2, "it", ""},
    {"valuta", Role::Currency, 2, "*", ""},
    {"unità", Role::QuantityUnit, 1, "it", ""},
    {"carburante", Role::None, 9, "it", ""},

    // Dutch
    {"tellerstand", Role::Odometer, 3, "nl", ""},
    {"afstand", Role::Trip, 1, "nl", ""},
    {"hoeveelheid", Role::Quantity, 2, "nl", ""},
    {"bedrag", Role::Total, 2, "nl", ""},
    {"totaal", Role::Total, 2, "nl", ""},
    {"totaalbedrag", Role::Total, 2, "nl", ""},
    {"prijs", Role::Price, 1, "nl", ""},
    {"literprijs", Role::UnitPrice, 2, "nl", "l"},
    {"prijs per liter", Role::UnitPrice, 2, "nl", "l"},
    {"vol", Role::Full, 1, "nl", ""},
    {"volle tank", Role::Full, 2, "nl", ""},
    {"volgetankt", Role::Full, 2, "nl", ""},
    {"gedeeltelijk", Role::Partial, 2, "nl", ""},
    {"vergeten", Role::Missed, 2, "nl", ""},
    {"gemist", Role::Missed, 2, "nl", ""},
    {"eenheid", Role::QuantityUnit, 1, "nl", ""},
    {"verbruik", Role::Economy, 1, "nl", ""},
    {"brandstof", Role::None, 9, "nl", ""},

    // Czech
    {"stav tachometru", Role::Odometer, 3, "cs", ""},
    {"tachometr", Role::Odometer, 3, "cs", ""},
    {"stav km", Role::Odometer, 3, "cs", "km"},
    {"najeto", Role::Trip, 1, "cs", ""},
    {"ujeto", Role::Trip, 1, "cs", ""},
    {"množství", Role::Quantity, 2, "cs", ""},
    {"mnozstvi", Role::Quantity, 2, "cs", ""},
    {"litry", Role::Quantity, 2, "*", "l"},
    {"objem", Role::Quantity, 2, "cs", ""},
    {"natankováno", Role::Quantity, 2, "cs", ""},
    {"natankovano", Role::Quantity, 2, "cs", ""},
    {"cena celkem", Role::Total, 2, "cs", ""},
    {"celková cena", Role::Total, 2, "cs", ""},
    {"celkova cena", Role::Total, 2, "cs", ""},
    {"částka", Role::Total, 2, "cs", ""},
    {"castka", Role::Total, 2, "cs", ""},
    {"cena", Role::Price, 1, "*", ""},
    {"cena za litr", Role::UnitPrice, 2, "*", "l"},
    {"cena za l", Role::UnitPrice, 2, "*", "l"},
    {"cena per l", Role::UnitPrice, 2, "*", "l"},
    {"jednotková cena", Role::UnitPrice, 2, "cs", ""},
    {"jednotkova cena", Role::UnitPrice, 2, "cs", ""},
    {"plná nádrž", Role::Full, 2, "cs", ""},
    {"plna nadrz", Role::Full, 2, "cs", ""},
    {"do plna", Role::Full, 2, "cs", ""},
    {"plná", Role::Full, 1, "cs", ""},
    {"částečné", Role::Partial, 2, "cs", ""},
    {"castecne", Role::Partial, 2, "cs", ""},
    {"vynechané", Role::Missed, 2, "cs", ""},
    {"vynechane", Role::Missed, 2, "cs", ""},
    {"měna", Role::Currency, 2, "cs", ""},
    {"mena", Role::Currency, 2, "cs", ""},
    {"jednotka", Role::QuantityUnit, 1, "cs", ""},
    {"spotřeba", Role::Economy, 1, "cs", ""},
    {"spotreba", Role::Economy, 1, "cs", ""},
    {"palivo", Role::None, 9, "cs", ""},

    // Polish
    {"stan licznika", Role::Odometer, 3, "pl", ""},
    {"licznik", Role::Odometer, 3, "pl", ""},
    {"przebieg", Role::Odometer, 2, "pl", ""},
    {"dystans", Role::Trip, 1, "pl", ""},
    {"ilość", Role::Quantity, 2, "pl", ""},
    {"ilosc", Role::Quantity, 2, "pl", ""},
    {"ilość paliwa", Role::Quantity, 2, "pl", ""},
    {"objętość", Role::Quantity, 2, "pl", ""},
    {"koszt", Role::Total, 2, "pl", ""},
    {"kwota", Role::Total, 2, "pl", ""},
    {"wartość", Role::Total, 2, "pl", ""},
    {"suma", Role::Total, 1, "*", ""},
    {"cena całkowita", Role::Total, 2, "pl", ""},
    {"cena jednostkowa", Role::UnitPrice, 2, "pl", ""},
    {"do pełna", Role::Full, 2, "pl", ""},
    {"pełny bak", Role::Full, 2, "pl", ""},
    {"pełny", Role::Full, 2, "pl", ""},
    {"częściowe", Role::Partial, 2, "pl", ""},
    {"niepełne", Role::Partial, 2, "pl", ""},
    {"pominięte", Role::Missed, 2, "pl", ""},
    {"pominięte tankowanie", Role::Missed, 2, "pl", ""},
    {"waluta", Role::Currency, 2, "pl", ""},
    {"jednostka", Role::QuantityUnit, 1, "pl", ""},
    {"spalanie", Role::Economy, 1, "pl", ""},
    {"paliwo", Role::None, 9, "*", ""},

    // Russian
    {"дата", Role::Date, 2, "ru", ""},
    {"пробег", Role::Odometer, 3, "ru", ""},
    {"одометр", Role::Odometer, 3, "ru", ""},
    {"показания одометра", Role::Odometer, 3, "ru", ""},
    {"расстояние", Role::Trip, 1, "ru", ""},
    {"количество", Role::Quantity, 2, "ru", ""},
    {"литры", Role::Quantity, 2, "ru", "l"},
    {"литров", Role::Quantity, 2, "ru", "l"},
    {"объём", Role::Quantity, 2, "ru", ""},
    {"объем", Role::Quantity, 2, "ru", ""},
    {"заправлено", Role::Quantity, 2, "ru", ""},
    {"стоимость", Role::Total, 2, "ru", ""},
    {"сумма", Role::Total, 2, "ru", ""},
    {"итого", Role::Total, 2, "ru", ""},
    {"цена", Role::Price, 1, "ru", ""},
    {"цена за литр", Role::UnitPrice, 2, "ru", "l"},
    {"полный бак", Role::Full, 2, "ru", ""},
    {"полный", Role::Full, 2, "ru", ""},
    {"до полного", Role::Full, 2, "ru", ""},
    {"частичная", Role::Partial, 2, "ru", ""},
    {"неполный", Role::Partial, 2, "ru", ""},
    {"пропущена", Role::Missed, 2, "ru", ""},
    {"пропущенная заправка", Role::Missed, 2, "ru", ""},
    {"валюта", Role::Currency, 2, "ru", ""},
    {"единица", Role::QuantityUnit, 1, "ru", ""},
    {"расход", Role::Economy, 1, "ru", ""},
    {"топливо", Role::None, 9, "ru", ""},
};

// The names by their first word, for a header of many columns.
const QHash<QString, QVector<const Name *>> &namesByFirstWord()
{
    static const QHash<QString, QVector<const Name *>> index = [] {
        QHash<QString, QVector<const Name *>> out;
        for (const Name &n : Names) {
            const QString text = QString::fromUtf8(n.text);
            out[text.section(QLatin1Char(' '), 0, 0)].append(&n);
        }
        return out;
    }();
    return index;
}

QStringList words(const QString &text)
{
    static const QRegularExpression splitter(QStringLiteral("[\\s/,.;:()\\[\\]]+"));
    return text.split(splitter, Qt::SkipEmptyParts);
}

bool hasAny(const QStringList &words, std::initializer_list<const char *> any)
{
    for (const char *w : any)
        if (words.contains(QString::fromUtf8(w)))
            return true;
    return false;
}

} // namespace

Heading Read(const QString &header)
{
    static const QRegularExpression kwh(QStringLiteral("kwh"), QRegularExpression::CaseInsensitiveOption);
    // Names written as one word with capitals inside ("FuelConsumed",
    // "ODOReading", "isFullTank") are words: split at each capital that
    // starts one.
    static const QRegularExpression camel(QStringLiteral("(?<=[a-z0-9])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])"));
    static const QRegularExpression brackets(QStringLiteral("[\\(\\[]([^\\)\\]]*)[\\)\\]]"));
    // "price/l", "km/l", "l/100km": a unit after a slash is "per" that unit;
    // any other slash ("date/time") parts two words.
    static const QRegularExpression perUnit(QStringLiteral(
        "/\\s*(?=(l|ltr|litre|liter|litres|liters|gal|gallon|gallons|g|100\\s*km|km|kwh|unit|mi|mile)\\b)"));
    static const QRegularExpression blanks(QStringLiteral("[\\s_\\-.:?!#*/\\\\'\"]+"));
    QString text = header;
    text.replace(kwh, QStringLiteral("kwh"));
    text.replace(camel, QStringLiteral(" "));
    text = text.toLower();
    QString unit;
    for (const QRegularExpressionMatch &m : brackets.globalMatch(text))
        unit += QLatin1Char(' ') + m.captured(1);
    text.remove(brackets);
    text.replace(perUnit, QStringLiteral(" per "));
    text = text.replace(blanks, QStringLiteral(" ")).trimmed();

    Heading h;
    const QString first = text.section(QLatin1Char(' '), 0, 0);
    const Name *best = nullptr;
    QString bestText;
    for (const Name *n : namesByFirstWord().value(first)) {
        const QString name = QString::fromUtf8(n->text);
        if (name.size() <= bestText.size())
            continue;
        if (text == name || text.startsWith(name + QLatin1Char(' '))) {
            best = n;
            bestText = name;
        }
    }
    if (!best)
        return h;
    h.role = best->role;
    h.rank = best->rank;
    h.name = bestText;
    QStringList units;
    for (const QString &w : (QString::fromUtf8(best->unit) + QLatin1Char(' ') + text.mid(bestText.size()) + unit)
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!units.contains(w) || w == QLatin1String("per"))
            units << w;
    h.unit = units.join(QLatin1Char(' '));
    h.language = QString::fromUtf8(best->language);
    // A distance named with "since", "trip" or "driven" is a trip, whatever
    // word it starts with.
    const QStringList w = words(text);
    if ((h.role == Role::Odometer) && hasAny(w, {"since", "trip", "driven", "travelled", "traveled", "seit"}))
        h.role = Role::Trip;
    return h;
}

Distance DistanceIn(const QString &text)
{
    const QStringList w = words(text.toLower().replace(QLatin1Char('_'), QLatin1Char(' ')));
    if (hasAny(w, {"km", "kms", "kilometres", "kilometers", "kilometre", "kilometer", "kilometros", "kilometri",
                   "kilometrů", "kilometry", "км"}))
        return Distance::Kilometres;
    if (hasAny(w, {"mi", "miles", "mile", "mls"}))
        return Distance::Miles;
    return Distance::Unknown;
}

Fuel FuelIn(const QString &text)
{
    QString t = text.toLower();
    t.replace(QLatin1Char('_'), QLatin1Char(' '));
    const QStringList w = words(t);
    if (hasAny(w, {"kwh"}))
        return Fuel::KilowattHours;
    if (hasAny(w, {"l", "ltr", "ltrs", "lt", "litres", "liters", "litre", "liter", "litros", "litri", "litry", "liters",
                   "литры", "литров", "л"}))
        return Fuel::Litres;
    const bool gallons = hasAny(w, {"gal", "gals", "gallon", "gallons", "usgal", "g"});
    if (hasAny(w, {"usgal"}) || (gallons && hasAny(w, {"us", "usa"})))
        return Fuel::UsGallons;
    if (gallons && hasAny(w, {"imp", "imperial", "uk", "gb"}))
        return Fuel::ImperialGallons;
    if (gallons)
        return Fuel::Gallons;
    if (hasAny(w, {"kg", "m3"}))
        return Fuel::Other;
    return Fuel::Unknown;
}

QString CurrencyIn(const QString &text)
{
    static const QRegularExpression code(QStringLiteral("(?<![A-Za-z])(GBP|EUR|USD|CZK|PLN|CHF|SEK|NOK|DKK|HUF|RUB|"
                                                        "CAD|AUD|NZD|JPY|INR|ZAR|RON|BGN|HRK|TRY|UAH|BRL|MXN)(?![A-Za-z])"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = code.match(text); m.hasMatch())
        return m.captured(1).toUpper();
    if (text.contains(QChar(0x00A3)))
        return QStringLiteral("GBP");
    if (text.contains(QChar(0x20AC)))
        return QStringLiteral("EUR");
    if (text.contains(QLatin1Char('$')))
        return QStringLiteral("USD");
    if (text.contains(QChar(0x20BD)))
        return QStringLiteral("RUB");
    const QStringList w = words(text.toLower().replace(QLatin1Char('_'), QLatin1Char(' ')));
    if (hasAny(w, {"kč", "kc", "korun"}))
        return QStringLiteral("CZK");
    if (hasAny(w, {"zł", "zl", "pln"}))
        return QStringLiteral("PLN");
    if (hasAny(w, {"руб", "р", "rub"}))
        return QStringLiteral("RUB");
    if (hasAny(w, {"pounds", "pound", "gbp", "quid"}))
        return QStringLiteral("GBP");
    if (hasAny(w, {"euro", "euros", "eur"}))
        return QStringLiteral("EUR");
    if (hasAny(w, {"dollars", "dollar"}))
        return QStringLiteral("USD");
    if (hasAny(w, {"fr", "chf"}))
        return QStringLiteral("CHF");
    return QString();
}

QString CurrencyName(const QString &code)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("GBP"), QStringLiteral("pounds")},      {QStringLiteral("EUR"), QStringLiteral("euros")},
        {QStringLiteral("USD"), QStringLiteral("US dollars")},  {QStringLiteral("CZK"), QStringLiteral("Czech crowns")},
        {QStringLiteral("PLN"), QStringLiteral("Polish zloty")}, {QStringLiteral("CHF"), QStringLiteral("Swiss francs")},
        {QStringLiteral("RUB"), QStringLiteral("roubles")},     {QStringLiteral("CAD"), QStringLiteral("Canadian dollars")},
        {QStringLiteral("AUD"), QStringLiteral("Australian dollars")},
    };
    return names.value(code, code);
}

Mark MarkIn(const QString &cell)
{
    const QString t = cell.trimmed().toLower();
    if (t.isEmpty())
        return Mark::Unknown;
    static const QSet<QString> yes = {
        QStringLiteral("1"),   QStringLiteral("true"), QStringLiteral("yes"),  QStringLiteral("y"),   QStringLiteral("x"),
        QStringLiteral("ja"),  QStringLiteral("j"),    QStringLiteral("oui"),  QStringLiteral("o"),   QStringLiteral("sí"),
        QStringLiteral("si"),  QStringLiteral("s"),    QStringLiteral("да"),   QStringLiteral("д"),   QStringLiteral("ano"),
        QStringLiteral("a"),   QStringLiteral("tak"),  QStringLiteral("t"),    QStringLiteral("sì"),  QStringLiteral("wahr"),
        QStringLiteral("vrai"), QStringLiteral("verdadero"), QStringLiteral("vero"), QStringLiteral("waar"), QStringLiteral("✓"),
        QStringLiteral("✔"),  QStringLiteral("-1"),
    };
    static const QSet<QString> no = {
        QStringLiteral("0"),    QStringLiteral("false"), QStringLiteral("no"),  QStringLiteral("n"),   QStringLiteral("nein"),
        QStringLiteral("non"),  QStringLiteral("нет"),   QStringLiteral("н"),   QStringLiteral("ne"),  QStringLiteral("nie"),
        QStringLiteral("falsch"), QStringLiteral("faux"), QStringLiteral("falso"), QStringLiteral("onwaar"), QStringLiteral("nee"),
    };
    static const QSet<QString> full = {
        QStringLiteral("full"), QStringLiteral("f"),    QStringLiteral("voll"),  QStringLiteral("plein"), QStringLiteral("lleno"),
        QStringLiteral("pieno"), QStringLiteral("vol"), QStringLiteral("plná"),  QStringLiteral("plna"),  QStringLiteral("pełny"),
        QStringLiteral("полный"), QStringLiteral("full tank"), QStringLiteral("filled"), QStringLiteral("fill"),
        QStringLiteral("vollbetankung"), QStringLiteral("volltankung"),
    };
    static const QSet<QString> partial = {
        QStringLiteral("partial"), QStringLiteral("p"),   QStringLiteral("part"),  QStringLiteral("teil"),
        QStringLiteral("teilbetankung"), QStringLiteral("teilweise"), QStringLiteral("partiel"), QStringLiteral("parcial"),
        QStringLiteral("parziale"), QStringLiteral("gedeeltelijk"), QStringLiteral("částečné"), QStringLiteral("castecne"),
        QStringLiteral("częściowe"), QStringLiteral("частичная"), QStringLiteral("неполный"), QStringLiteral("top up"),
        QStringLiteral("top-up"), QStringLiteral("topup"), QStringLiteral("partial fill"), QStringLiteral("partial fill-up"),
    };
    static const QSet<QString> reset = {
        QStringLiteral("reset"), QStringLiteral("first"), QStringLiteral("missed"), QStringLiteral("erste"),
        QStringLiteral("erstbetankung"), QStringLiteral("first fill-up"), QStringLiteral("first fillup"),
        QStringLiteral("premier"), QStringLiteral("primero"), QStringLiteral("primo"), QStringLiteral("první"),
        QStringLiteral("pierwsze"), QStringLiteral("первая"),
    };
    if (yes.contains(t))
        return Mark::Yes;
    if (no.contains(t))
        return Mark::No;
    if (full.contains(t))
        return Mark::Full;
    if (partial.contains(t))
        return Mark::Partial;
    if (reset.contains(t))
        return Mark::Reset;
    return Mark::Unknown;
}

QString LanguageName(const QString &code)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("de"), QStringLiteral("German")},  {QStringLiteral("fr"), QStringLiteral("French")},
        {QStringLiteral("es"), QStringLiteral("Spanish")}, {QStringLiteral("it"), QStringLiteral("Italian")},
        {QStringLiteral("nl"), QStringLiteral("Dutch")},   {QStringLiteral("cs"), QStringLiteral("Czech")},
        {QStringLiteral("pl"), QStringLiteral("Polish")},  {QStringLiteral("ru"), QStringLiteral("Russian")},
    };
    return names.value(code);
}

} // namespace ImportWords
