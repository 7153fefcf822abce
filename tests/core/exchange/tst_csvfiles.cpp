#include "AppFolder.h"
#include "TestMain.h"
#include "core/exchange/Csv.h"
#include "core/exchange/LogExport.h"
#include "core/exchange/ImportWords.h"
#include "core/exchange/LogImport.h"
#include "core/fuellog/TextFile.h"

#include <QtTest>
#include "core/entry/EntryRules.h"

using namespace LogImport;

Q_DECLARE_METATYPE(LogImport::Answers)

// The CSV export and the reading of files other fuel-log programs write,
// checked on the bytes.
class CsvFilesTest : public QObject {
    Q_OBJECT

    static QByteArray lines(std::initializer_list<const char *> rows)
    {
        QByteArray out;
        for (const char *r : rows)
            out += QByteArray(r) + "\r\n";
        return out;
    }
    // The text as a spreadsheet's "Unicode text": UTF-16, with or without
    // its byte-order mark.
    static QByteArray utf16(const QByteArray &utf8, bool littleEndian, bool mark)
    {
        QByteArray out = mark ? QByteArray(littleEndian ? "\xFF\xFE" : "\xFE\xFF") : QByteArray();
        for (const QChar c : QString::fromUtf8(utf8)) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            out += littleEndian ? low : high;
            out += littleEndian ? high : low;
        }
        return out;
    }
    // The stored records, a partial or missed mark after them.
    static QStringList records(const Plan &plan)
    {
        QStringList out;
        for (const Fill &f : plan.added)
            out << f.lines.join(QLatin1Char('|')) + (f.notFull ? QStringLiteral("|partial") : QString())
                       + (f.missed ? QStringLiteral("|missed") : QString());
        return out;
    }
    // The answers a user gives, in words: "mi usgal keep".
    static Answers answers(const QString &words)
    {
        Answers a;
        for (const QString &w : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (w == QLatin1String("mi") || w == QLatin1String("km"))
                a.distance = w == QLatin1String("mi") ? DistanceUnit::Miles : DistanceUnit::Kilometres;
            else if (w == QLatin1String("litres"))
                a.fuel = FuelUnit::Litres;
            else if (w == QLatin1String("impgal") || w == QLatin1String("usgal"))
                a.fuel = w == QLatin1String("impgal") ? FuelUnit::ImperialGallons : FuelUnit::UsGallons;
            else if (w == QLatin1String("dmy") || w == QLatin1String("mdy"))
                a.dateOrder = w == QLatin1String("dmy") ? DateOrder::DayFirst : DateOrder::MonthFirst;
            else if (w == QLatin1String("total") || w == QLatin1String("perunit"))
                a.moneyKind = w == QLatin1String("total") ? MoneyKind::Total : MoneyKind::PerUnit;
            else if (w == QLatin1String("pounds") || w == QLatin1String("pence"))
                a.moneyUnit = w == QLatin1String("pounds") ? MoneyUnit::Pounds : MoneyUnit::Pence;
            else if (w == QLatin1String("keep"))
                a.currency = CurrencyUse::Keep;
            else if (w.startsWith(QLatin1String("rate=")))
                a.currency = CurrencyUse::Convert, a.rate = w.mid(5).toDouble();
            else
                qFatal("no such answer: %s", qPrintable(w));
        }
        return a;
    }
    static QByteArray importFile(const QString &name)
    {
        QFile f(QStringLiteral(VANTIQ_TESTS_DIR "/data/import/") + name);
        if (!f.open(QIODevice::ReadOnly))
            qFatal("missing %s", qPrintable(f.fileName()));
        return f.readAll();
    }
    static QStringList reasons(const Plan &plan)
    {
        QStringList out;
        for (const Refusal &r : plan.refused)
            out << QStringLiteral("%1: %2").arg(r.line).arg(r.reason);
        return out;
    }

private slots:
    void rowsAreQuotedOnlyWhereTheyMustBe()
    {
        QCOMPARE(Csv::Row({"plain", "a,b", "say \"hi\"", "two\nlines", "", " padded"}),
                 QByteArray("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",,\" padded\"\r\n"));
        // and reading them back gives the same fields
        const QStringList back = Csv::Parse(Csv::Lines(QString::fromUtf8(Csv::Row({"a,b", "say \"hi\"", "two\nlines", ""}))),
                                            0, 2, QLatin1Char(','))
                                     .first()
                                     .fields;
        QCOMPARE(back, (QStringList{"a,b", "say \"hi\"", "two\nlines", ""}));
    }

    void exportWritesTheLogByteForByte()
    {
        const QStringList log = {"01/02/2012", "10250", "40.00", "130.00", //
                                 "15/02/2012", "10600", "35.5", "129.9",   //
                                 "29/02/2012", "10950", " 41.239 ", "1.3E2"};
        QCOMPARE(LogExport::FuelLog(log), lines({"date,odometer_miles,litres,price_per_litre_pence,total_cost",
                                                 "2012-02-01,10250,40.00,130.00,52.00",
                                                 "2012-02-15,10600,35.5,129.9,46.11",
                                                 "2012-02-29,10950,41.239,130,53.61"}));
        QCOMPARE(LogExport::FuelLog({}), lines({"date,odometer_miles,litres,price_per_litre_pence,total_cost"}));
    }

    void roundTripGivesTheSameCarDataFile()
    {
        QStringList log = AppFolder::log(40);
        log[6] = QStringLiteral("35.5");
        log[7] = QStringLiteral("129.9");
        log[11] = QStringLiteral("131.456");
        const Source source = Read(LogExport::FuelLog(log));
        QVERIFY(source.Found());
        const Plan plan = Prepare(source, {}, {});
        QVERIFY(plan.refused.isEmpty());
        QCOMPARE(plan.added.size(), 40);
        QCOMPARE(TextFile::JoinLines(plan.log), TextFile::JoinLines(log));
        // and a second import of the same file adds nothing
        const Plan again = Prepare(source, {}, plan.log);
        QCOMPARE(again.added.size(), 0);
        QCOMPARE(again.duplicates, 40);
        QCOMPARE(again.log, log);
    }

    // Files in the shapes other programs and people write, the answers the
    // user gives, and what is stored and refused.
    void filesOtherProgramsWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("answered");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("refused");

        QTest::newRow("ISO dates, litres, total cost, full flag")
            << lines({"Date,Odometer (mi),Fuel (litres),Total Cost (£),Full", "2012-01-07,10300,41.2,\"53.56\",1",
                      "2012-01-14,10620,40.00,52.00,0"})
            << "" << QStringList{"07/01/2012|10300|41.2|130.00", "14/01/2012|10620|40.00|130.00|partial"} << QStringList();

        QTest::newRow("dd/mm/yyyy, semicolons, decimal commas, gallons, kilometres")
            << lines({"Data;Odo;Gallons;Price;Notes", "25/12/2012;16093;9,5;1,42;Christmas", "", "03/01/2013;16900;8;1,44;"})
            << "km impgal perunit pounds" << QStringList{"25/12/2012|10002|43.19|31.24", "03/01/2013|10503|36.37|31.68"}
            << QStringList();

        QTest::newRow("quoted fields with commas inside")
            << lines({"\"Date\",\"Odometer\",\"Litres\",\"Price per litre (p)\",\"Comment\"",
                      "\"07/01/2012\",\"10,300\",\"41.20\",\"129.9\",\"Shell, M4\"",
                      "\"08/02/2012\",\"10,600\",\"40\",\"130.1\",\"Esso, \"\"the big one\"\"\""})
            << "" << QStringList{"07/01/2012|10300|41.20|129.9", "08/02/2012|10600|40|130.1"} << QStringList();

        QTest::newRow("byte-order mark, sections and blank lines")
            << QByteArray("\xEF\xBB\xBF")
                   + lines({"## Vehicle", "Name,Make", "Car,Ford", "", "## Log", "date,odometer,litres,total", "",
                            "2012-03-01,11000,30,39.00", "", "2012-03-08,11300,35,45.50", "## Costs",
                            "date,odometer,litres,total", "2012-03-09,11400,20,1.00"})
            << "mi" << QStringList{"01/03/2012|11000|30|130.00", "08/03/2012|11300|35|130.00"} << QStringList();

        // 10.5 US gallons of 3.785411784 litres are 39.7468 litres; 3.459 a
        // gallon is 345.9 / 3.785411784 = 91.377 hundredths a litre, the
        // dollars kept as the log's money.
        QTest::newRow("US gallons, month first, time of day, price per gallon in dollars")
            << lines({"Date,Mileage,Volume (US gal),Unit Price ($/gal)", "01/25/2012 08:15,10300,10.5,3.459"})
            << "keep" << QStringList{"25/01/2012|10300|39.75|91.38"} << QStringList();

        // One-word names with capitals inside, m/d/yyyy, gallons the file does
        // not name (answered: US), a total: 9.5 US gal = 35.9614 l, 1425 p /
        // 35.9614 = 39.63; 10 US gal = 37.8541 l, 1500 / 37.8541 = 39.63.
        QTest::newRow("camel-case header, m/d/yyyy, unlabelled gallons, a total")
            << lines({"Date,Odometer,FuelConsumed,Cost,IsFillToFull,MissedFuelUp", "01/25/2012,10300,9.5,14.25,1,0",
                      "02/03/2012,10600,10,15.00,0,0"})
            << "usgal" << QStringList{"25/01/2012|10300|35.96|39.63", "03/02/2012|10600|37.85|39.63|partial"} << QStringList();

        // A backup: a section before the log and two after it (one marker
        // quoted), bracketed units, a date with a time, decimal kilometres
        // (16093.4 km x 0.6215 = 10002 miles), a fuel-type code beside the
        // volume, a total checking the price per litre (58.2 x 1.449 = 84.33).
        QTest::newRow("backup with sections, decimal kilometres, a total and a unit price")
            << lines({"## Vehicle", "Name,Make", "Car,Ford", "", "## Log",
                      "Date,Odometer (km),Fuel,Fillup volume (l),Total price (\xa3),Price per litre (\xa3)",
                      "2012-03-01 08:30,16093.4,2,58.2,84.33,1.449", "2012-03-08 18:00,16900.0,2,40.0,58.00,1.45",
                      "\"## CostCategories\"", "Id,Name", "1,Service", "## Costs", "Date,Odometer,Litres,Total",
                      "2012-03-09,11400,20,1.00"})
            << "" << QStringList{"01/03/2012|10002|58.2|144.90", "08/03/2012|10503|40.0|145.00"} << QStringList();

        // Sections with plain titles, the log in the middle; "Price" holds
        // totals: read as pence a litre it would be 67.09, as a total in
        // pounds 6709 / 46.301 = 144.90 pence a litre.
        QTest::newRow("plain section titles, a Price column of totals")
            << lines({"Vehicle", "Name,Make", "Car,Ford", "", "Fuel Records", "Date,Odometer,Litres,Price",
                      "2012-04-01,12000,46.301,67.09", "2012-04-09,12400,40.00,58.00", "", "Event Records", "Date,Odometer,Event",
                      "2012-04-05,12100,Service"})
            << "mi" << QStringList{"01/04/2012|12000|46.301|144.90", "09/04/2012|12400|40.00|145.00"} << QStringList();

        const QByteArray tabbed = lines({"Date\tOdometer\tLitres\tPrice (p/l)\tStation", "07/01/2012\t10300\t41\t129\tCaf\xc3\xa9"});
        QTest::newRow("UTF-16 little-endian, its mark") << utf16(tabbed, true, true) << "" << QStringList{"07/01/2012|10300|41|129"} << QStringList();
        QTest::newRow("UTF-16 big-endian, no mark") << utf16(tabbed, false, false) << "" << QStringList{"07/01/2012|10300|41|129"} << QStringList();
        QTest::newRow("UTF-16 little-endian, no mark") << utf16(tabbed, true, false) << "" << QStringList{"07/01/2012|10300|41|129"} << QStringList();

        QTest::newRow("Windows-1252 and tabs, price in pence, rows out of date order")
            << lines({"Date\tDistance (miles)\tQuantity (l)\tPrice (p/l)\tStation", "14/01/2012\t10600\t40\t130\tCaf\xe9",
                      "07/01/2012\t10300\t41\t129\t\x80 Shop"})
            << "" << QStringList{"07/01/2012|10300|41|129", "14/01/2012|10600|40|130"} << QStringList();

        // A German log book: decimal commas, a currency column, the tank's
        // mark in words; the euros kept as the log's money, in cents.
        QTest::newRow("German header, euros in a column, Voll and Teil")
            << lines({"Datum;Km-Stand;Spritmenge;Kosten;W\xc3\xa4hrung;Tankart", "03.02.2024;45210;41,23;72,50;EUR;Voll",
                      "17.02.2024;45890;22,10;39,80;EUR;Teil", "02.03.2024;46520;43,00;76,11;EUR;Voll"})
            << "keep" << QStringList{"03/02/2024|28098|41.23|175.84", "17/02/2024|28521|22.10|180.09|partial",
                                     "02/03/2024|28912|43.00|177.00"}
            << QStringList();

        // Fueling types as codes: 1 full, 2 partial, 3 the first after a gap.
        QTest::newRow("type codes, a currency column, a trip and a consumption")
            << lines({"Date;Odometer;Trip;Quantity;Total price;Currency;Type;Tires;Roads;Driving style;Fuel;Note;Consumption",
                      "05.01.2023;120500;;38,50;68,20;EUR;3;2;4;2;7;;", "19.01.2023;121080;580;40,10;71,30;EUR;1;2;4;2;7;;6,91",
                      "28.01.2023;121400;320;15,00;27,10;EUR;2;2;4;2;7;;"})
            << "keep" << QStringList{"05/01/2023|74891|38.50|177.14|missed", "19/01/2023|75251|40.10|177.81",
                                     "28/01/2023|75450|15.00|180.67|partial"}
            << QStringList();

        // A plug-in hybrid's log: a unit a row; gallons by the dollars are US
        // ones, litres are litres, a charge is no fuel.
        QTest::newRow("a unit column of Gal, L and kWh")
            << lines({"Date,Odometer,Fill Amount,Unit,Total Price", "2024-01-05,10000,10.5,Gal,$36.75",
                      "2024-01-19,10320,40.2,L,$52.26", "2024-01-25,10500,22.0,kWh,$6.60"})
            << "keep" << QStringList{"05/01/2024|10000|39.75|92.46", "19/01/2024|10320|40.2|130.00"}
            << QStringList{"4: an electric charge, not fuel"};

        // A hand-kept log with its currency in each cell, one in another.
        QTest::newRow("currency codes in the cells, one row in another currency")
            << lines({"date/time,liters,price,odometer,trip", "2018-04-22 14:45,42.05,EUR 50.00,1650,",
                      "2018-04-27 18:24,17.02,25.00 EUR,2032,382", "2018-05-08 00:05,105.42,EUR 125.34,2681,498",
                      "2018-05-20 09:10,40.00,USD 60.00,3100,419"})
            << "keep" << QStringList{"22/04/2018|1025|42.05|118.91", "27/04/2018|1263|17.02|146.89", "08/05/2018|1666|105.42|118.90"}
            << QStringList{"5: the price \"USD 60.00\" is in USD, the file's other prices in EUR"};

        QTest::newRow("tank status F and P, and a reset")
            << lines({"Date,Odo,Litres,Cost,Tank status", "2023-03-01,50200,42.0,60.90,F", "2023-03-09,50480,20.0,29.40,P",
                      "2023-03-20,50900,41.5,61.00,Reset"})
            << "mi" << QStringList{"01/03/2023|50200|42.0|145.00", "09/03/2023|50480|20.0|147.00|partial",
                                   "20/03/2023|50900|41.5|146.99|missed"}
            << QStringList();

        // The date a fill-up happened, not the date its row was added; a
        // partial column whose 1 means not full; both marks on one row.
        QTest::newRow("fuelup date over date added, partial and missed columns")
            << lines({"car_name,model,fuelup_date,date_added,odometer,miles,gallons,price,partial_fuelup,missed_fuelup",
                      "Civic,Honda Civic,10-02-2013,10-05-2013 18:22,1016,463,15.28,3.069,0,0",
                      "Civic,Honda Civic,10-15-2013,10-15-2013 20:01,1422,406,13.31,3.05,1,0",
                      "Civic,Honda Civic,11-02-2013,11-09-2013 08:10,1897,475,16.34,2.92,0,1",
                      "Civic,Honda Civic,11-23-2013,11-23-2013 19:00,2304,407,14.75,2.9,1,1"})
            << "" << QStringList{"02/10/2013|1016|57.84|81.07", "15/10/2013|1422|50.38|80.57|partial",
                                 "02/11/2013|1897|61.85|77.14|missed", "23/11/2013|2304|55.83|76.61|partial|missed"}
            << QStringList();

        QTest::newRow("Russian header, yes and no in Russian")
            << lines({"\xd0\x94\xd0\xb0\xd1\x82\xd0\xb0;\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb1\xd0\xb5\xd0\xb3;"
                      "\xd0\x9b\xd0\xb8\xd1\x82\xd1\x80\xd1\x8b;\xd0\xa1\xd1\x82\xd0\xbe\xd0\xb8\xd0\xbc\xd0\xbe\xd1\x81\xd1\x82\xd1\x8c;"
                      "\xd0\x9f\xd0\xbe\xd0\xbb\xd0\xbd\xd1\x8b\xd0\xb9 \xd0\xb1\xd0\xb0\xd0\xba",
                      "05.03.2023;120500;45,2;2260,00;\xd0\x94\xd0\xb0",
                      "19.03.2023;121100;20,0;1000,00;\xd0\x9d\xd0\xb5\xd1\x82"})
            << "keep" << QStringList{"05/03/2023|74891|45.20|5000.00", "19/03/2023|75264|20.00|5000.00|partial"} << QStringList();

        // km/l beside the odometer, and a trip in km: kilometres.
        QTest::newRow("km per litre and a km trip beside the odometer")
            << lines({"Date,Odometer,Litres,Cost,km,km/l", "2022-06-01,30000,40.0,70.00,,", "2022-06-15,30600,40.0,70.00,600,15.0"})
            << "" << QStringList{"01/06/2022|18645|40.0|175.00", "15/06/2022|19018|40.0|175.00"} << QStringList();

        // An export in sections with the vehicle's settings before the
        // fill-ups: US_GALLON says which gallon the unit column's "gal" is.
        QTest::newRow("vehicle settings before the fill-ups, a gal unit column, dollars")
            << lines({"Metadata", "\"Date Format\"", "\"M/d/yyyy\"", "", "Vehicles", "\"Name\",\"Volume Unit\",\"Distance Unit\"",
                      "\"Civic\",\"US_GALLON\",\"MILE\"", "", "Fill-Up Records",
                      "\"Vehicle\",\"Date\",\"Odometer Reading\",\"Distance Unit\",\"Volume\",\"Volume Unit\",\"Price per Unit\","
                      "\"Total Cost\",\"Partial Fill-Up?\",\"Previously Missed Fill-Ups?\"",
                      "\"Civic\",\"7/15/2023\",\"106,421\",\"mi\",\"20.101\",\"gal\",\"$3.969\",\"$79.78\",\"No\",\"No\"",
                      "\"Civic\",\"8/02/2023\",\"106,800\",\"mi\",\"10.000\",\"gal\",\"$3.899\",\"$38.99\",\"Yes\",\"No\""})
            << "keep" << QStringList{"15/07/2023|106421|76.09|104.85", "02/08/2023|106800|37.85|103.00|partial"} << QStringList();
    }

    void filesOtherProgramsWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, answered);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, refused);
        const Source source = Read(file);
        QVERIFY2(source.Found(), qPrintable(source.problem));
        const Plan plan = Prepare(source, answers(answered), {});
        QCOMPARE(plan.waiting, QStringList());
        QCOMPARE(reasons(plan), refused);
        QCOMPARE(records(plan), expected);
    }

    // Real files other programs and people published (their sources in the
    // folder's README): every record stored as the right reading has it,
    // with the answers a user must give and no more.
    void realFilesReadRight_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("answered");
        QTest::addColumn<QStringList>("asked"); // what waits for an answer before it is given
        QTest::newRow("Fuelio backup") << "fuelio-backup-sample" << "" << QStringList();
        QTest::newRow("Fuelio in US gallons") << "fuelio-us-gallons" << "" << QStringList();
        QTest::newRow("LubeLogger sample") << "lubelogger-gas-sample" << "" << QStringList();
        QTest::newRow("Czech log in crowns")
            << "householdhq-fuel-log" << "keep"
            << QStringList{"Say how to take the prices in CZK: at a rate to the pound, or as your log keeps CZK"};
        // No odometer: each fill-up's distance since the last, added up from
        // the reading the car was bought at.
        QTest::newRow("hand-kept log of trips")
            << "bluebill-dodge-intrepid" << "km litres"
            << QStringList{"Say whether the odometer readings are in miles or kilometres",
                           "Say whether the fuel is measured in litres or gallons"};
        QTest::newRow("hand-kept log in gallons")
            << "tracktor-fuel-log" << "usgal" << QStringList{"Say whether the fuel is measured in litres or gallons"};
    }
    void realFilesReadRight()
    {
        QFETCH(QString, name);
        QFETCH(QString, answered);
        QFETCH(QStringList, asked);
        const Source source = Read(importFile(name + QStringLiteral(".csv")));
        QVERIFY2(source.Found(), qPrintable(source.problem));
        QCOMPARE(Prepare(source, {}, {}).waiting, asked);
        const Plan plan = Prepare(source, answers(answered), {});
        QCOMPARE(plan.waiting, QStringList());
        QCOMPARE(reasons(plan), QStringList());
        QCOMPARE(records(plan).join(QLatin1Char('\n')) + QLatin1Char('\n'),
                 QString::fromUtf8(importFile(name + QStringLiteral(".right"))));
    }

    void questionsAreAskedOnlyWhereTheFileIsUnclear()
    {
        const Source told = Read(lines({"Date,Odo (km),Fuel (litres),Price per litre (p)", "2012-01-07,10300,41.2,130"}));
        QCOMPARE(told.told.distance, DistanceUnit::Kilometres);
        QCOMPARE(told.told.fuel, FuelUnit::Litres);
        QCOMPARE(told.told.moneyKind, MoneyKind::PerUnit);
        QCOMPARE(told.told.moneyUnit, MoneyUnit::Pence);
        QCOMPARE(told.told.dateOrder, DateOrder::DayFirst); // ISO dates need no answer

        // Nothing tells the order of the dates, the distances or the fuel:
        // nothing is preset, nothing is added until the user answers.
        const Source unclear = Read(lines({"date,distance,fuel,price", "03/04/2012,10300,41.2,53.56",
                                           "05/06/2012,10600,30.1,39.13"}));
        QCOMPARE(unclear.suggested.dateOrder, DateOrder::Unknown);
        QCOMPARE(unclear.suggested.distance, DistanceUnit::Unknown);
        QCOMPARE(unclear.suggested.fuel, FuelUnit::Unknown);
        QCOMPARE(unclear.told.moneyKind, MoneyKind::Unknown);
        // the money follows the quantity, so it looks like a total in pounds
        QCOMPARE(unclear.suggested.moneyKind, MoneyKind::Total);
        QCOMPARE(unclear.suggested.moneyUnit, MoneyUnit::Pounds);
        QCOMPARE(Prepare(unclear, {}, AppFolder::log(1)).waiting,
                 (QStringList{"Say how the dates are written: every date reads either way",
                              "Say whether the odometer readings are in miles or kilometres",
                              "Say whether the fuel is measured in litres or gallons"}));
        QCOMPARE(Prepare(unclear, {}, AppFolder::log(1)).log, AppFolder::log(1));
        QCOMPARE(Prepare(unclear, answers("mdy mi litres"), {}).added.first().date, QStringLiteral("04/03/2012"));
        QCOMPARE(Prepare(unclear, answers("dmy mi litres"), {}).added.first().date, QStringLiteral("03/04/2012"));

        // 72 p a litre in 2024: no pump asked it, so no reading of the money
        // is preset.
        const Source cheap = Read(lines({"Date,Odometer (mi),Litres,Price", "2024-03-01,10000,40,0.72", "2024-03-15,10300,41,0.72"}));
        QCOMPARE(cheap.suggested.moneyUnit, MoneyUnit::Unknown);
        QCOMPARE(cheap.hints.money, QStringLiteral("no reading of the money gives a price a pump asked in 2024 (115 to 215 p a "
                                                   "litre): choose"));
        QCOMPARE(Prepare(cheap, {}, {}).waiting, QStringList{"Say whether the money is in pounds or pence"});
    }

    // What the evidence says of each unit, and why: a question with no
    // evidence is not preset, and none is preset against the figures.
    void unitsByEvidence_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("verdicts");
        QTest::newRow("dollars and gallons")
            << lines({"Date,Odometer,Gallons,Total", "2023-01-05,10000,10.0,$35.00", "2023-01-19,10300,11.0,$38.50"})
            << QStringList{"distance miles: the prices are written in US dollars: miles",
                           "fuel US gallons: the prices are written in US dollars: US gallons"};
        QTest::newRow("month first and gallons")
            << lines({"Date,Odometer,Gallons,Total", "01/05/2023,10000,10.0,35.00", "01/19/2023,10300,11.0,38.50"})
            << QStringList{"distance miles: the dates are month first: miles",
                           "fuel US gallons: the dates are month first: US gallons"};
        QTest::newRow("pounds and gallons")
            << lines({"Date,Odometer,Gallons,Total", "2023-01-05,10000,10.0,£" "55.00", "2023-01-19,10300,11.0,£" "60.50"})
            << QStringList{"distance miles: the prices are written in pounds: miles",
                           "fuel imperial gallons: the prices are written in pounds: imperial gallons"};
        QTest::newRow("gallons and nothing else")
            << lines({"Date,Odometer,Gallons,Total", "2023-01-05,10000,10.0,35.00", "2023-01-19,10300,11.0,38.50"})
            << QStringList{"distance none: nothing in the file says miles or kilometres: choose",
                           "fuel none: the file says gallons but not which, and nothing else in it tells: choose"};
        // Pounds say miles, but 300 miles on 10 litres is 48 km to the litre.
        QTest::newRow("pounds, but no car does so many miles to the litre")
            << lines({"Date,Odometer,Litres,Total (£)", "2023-01-05,10000,10.0,15.00", "2023-01-19,10300,10.0,15.00",
                      "2023-02-02,10600,10.0,15.00", "2023-02-16,10900,10.0,15.00"})
            << QStringList{"distance none: the header \"Total (£)\" says pounds, but read as miles the car would do "
                           "30.0 miles to the litre: choose",
                           "fuel told litres"};
        QTest::newRow("its own mpg")
            << lines({"Date,Odometer,Gallons,Total,MPG", "2023-01-05,10000,10.0,35.00,", "2023-01-19,10300,10.0,35.00,30.0",
                      "2023-02-02,10600,10.0,35.00,30.0"})
            << QStringList{"distance miles: the file's economy is in mpg: miles",
                           "fuel none: the file says gallons but not which, and nothing else in it tells: choose"};
        QTest::newRow("a German header")
            << lines({"Datum;Tacho;Menge;Betrag", "2023-01-05;10000;40,0;70,00", "2023-01-19;10600;41,0;72,00"})
            << QStringList{"distance kilometres: the header is in German, where prices are in euros: kilometres",
                           "fuel litres: the header is in German, where prices are in euros: litres"};
    }
    void unitsByEvidence()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, verdicts);
        const Source s = Read(file);
        QVERIFY2(s.Found(), qPrintable(s.problem));
        auto verdict = [](const char *what, bool told, const QString &answer, const QString &hint) {
            return told ? QStringLiteral("%1 told %2").arg(QLatin1String(what), answer)
                        : QStringLiteral("%1 %2: %3").arg(QLatin1String(what), answer.isEmpty() ? QStringLiteral("none") : answer, hint);
        };
        const QString distances[] = {QString(), QStringLiteral("miles"), QStringLiteral("kilometres")};
        const QString fuels[] = {QString(), QStringLiteral("litres"), QStringLiteral("imperial gallons"), QStringLiteral("US gallons")};
        const bool distanceTold = s.told.distance != DistanceUnit::Unknown, fuelTold = s.told.fuel != FuelUnit::Unknown;
        QCOMPARE((QStringList{verdict("distance", distanceTold, distances[int(distanceTold ? s.told.distance : s.suggested.distance)], s.hints.distance),
                              verdict("fuel", fuelTold, fuels[int(fuelTold ? s.told.fuel : s.suggested.fuel)], s.hints.fuel)}),
                 verdicts);
    }

    void fileWithoutTheColumnsIsRefusedWhole_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        const QString noHeader = QStringLiteral("No fill-ups were found: the file needs a header row naming its columns, "
                                                "with a row for each fill-up under it.");
        const QString electric = QStringLiteral("This is a log of electric charging (kWh); Vantiq keeps fuel");
        QTest::newRow("empty") << QByteArray() << noHeader;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe,\x01", 5) << noHeader;
        QTest::newRow("rows and no header") << lines({"2011-08-08,303.15,12.9", "2011-08-18,286.38,12.9"}) << noHeader;
        QTest::newRow("a header and no rows") << lines({"date,odometer,litres,total", ""}) << noHeader;
        QTest::newRow("kWh charged") << lines({"Date,Odometer,Energy (kWh),Cost", "2024-01-05,10000,42.1,12.60"}) << electric;
        QTest::newRow("kWh in the unit column")
            << lines({"Date,Odometer,Amount charged,Unit,Cost", "2024-01-05,10000,42.1,kWh,12.60"}) << electric;
        QTest::newRow("a quantity in kWh") << lines({"date,odo,quantity (kWh),price", "2024-01-05,10000,42.1,12.60"}) << electric;
    }
    void fileWithoutTheColumnsIsRefusedWhole()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        const Source s = Read(file);
        QVERIFY(!s.Found());
        QCOMPARE(s.problem, problem);
        QVERIFY(Prepare(s, {}, AppFolder::log(2)).log.isEmpty());
    }

    // A file with rows under a header is read whatever it names: what is
    // not placed waits to be chosen, and the values place what they can.
    void columnsNotNamedWaitOrAreFoundByTheirValues_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("placed"); // date, odometer, quantity, money
        QTest::addColumn<QStringList>("waiting");
        QTest::newRow("a quantity the header does not name")
            << lines({"Date,Odometer (mi),Zapfmenge,Total (\xc2\xa3)", "2012-01-22,10900,40,52.00"})
            << QStringList{"Date", "Odometer (mi)", "", "Total (\xc2\xa3)"}
            << QStringList{"Choose the quantity column: no header reads as litres or gallons"};
        QTest::newRow("no money") << lines({"date,odometer (mi),litres", "2012-01-01,100,5"})
                                  << QStringList{"date", "odometer (mi)", "litres", ""}
                                  << QStringList{"Choose the money column: no header reads as a cost or a price"};
        QTest::newRow("nothing named, the date and odometer by their values")
            << lines({"when it was,reading,x,y", "01/02/2013,10100,40,52", "01/03/2013,10400,41,53", "01/04/2013,10700,39,50"})
            << QStringList{"when it was", "reading", "", ""}
            << QStringList{"Choose the quantity column: no header reads as litres or gallons",
                           "Choose the money column: no header reads as a cost or a price"};
        // "mileage" whose numbers do not rise is each trip's distance.
        QTest::newRow("a mileage that is a trip's")
            << lines({"date;mileage;fuel_added;cost", "2002-07-26;598.0;40.0;30.0", "2002-08-06;516.3;47.56;34.0",
                      "2002-08-23;450.9;50.39;37.0"})
            << QStringList{"date", "", "fuel_added", "cost"}
            << QStringList{"Give the odometer reading before the first trip: the readings add up from it",
                           "Say whether the fuel is measured in litres or gallons"};
        QTest::newRow("a name and no values for it")
            << lines({"station,brand", "Shell,Ford"}) << QStringList{"", "", "", ""}
            << QStringList{"Choose the date column: no header reads as a date and no column holds only dates",
                           "Choose the odometer column: no header reads as an odometer and no column of numbers rises with the dates",
                           "Choose the quantity column: no header reads as litres or gallons",
                           "Choose the money column: no header reads as a cost or a price"};
    }
    void columnsNotNamedWaitOrAreFoundByTheirValues()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, placed);
        QFETCH(QStringList, waiting);
        const Source s = Read(file);
        QVERIFY2(s.Found(), qPrintable(s.problem));
        const Columns &c = s.columns;
        QStringList names;
        for (int column : {c.date, c.odometer, c.quantity, c.money})
            names << s.headers.value(column);
        QCOMPARE(names, placed);
        const Plan plan = Prepare(s, answers("mi"), AppFolder::log(2));
        QCOMPARE(plan.waiting, waiting);
        QVERIFY(plan.added.isEmpty());
        QCOMPARE(plan.log, AppFolder::log(2));
    }

    void everyRefusedRowSaysWhy()
    {
        // The log holds 01/01/2012 at 10000, 08/01 at 10300, 15/01 at 10600.
        const QByteArray file = lines({"date,odometer,litres,price per litre (p)",
                                       ",10700,40,130",            // 2
                                       "2012-02-30,10700,40,130",  // 3
                                       "2012-02-01,1e4,40,130",    // 4
                                       "2012-02-01,-5,40,130",     // 5
                                       "2012-02-01,ten,40,130",    // 6
                                       "2012-02-01,10700,0,130",   // 7
                                       "2012-02-01,10700,40,n/a",  // 8
                                       "2012-01-20,10450,40,130",  // 9: between 08/01 and 15/01 by reading
                                       "2012-01-02,10000,40,130",  // 10: a reading already there
                                       "2012-01-08,10300,40,130",  // 11: a duplicate
                                       "2012-02-01,10900,40,130",  // 12: added
                                       "2012-02-03,10900,40,130",  // 13: same reading as line 12
                                       "2012-02-05,11200,\"4,0\",130",  // 14: added (decimal comma)
                                       "2012-02-07,,40,130",       // 15
                                       "2012-02-08,11500,,130",    // 16
                                       "2012-02-09,11600,40,"});   // 17
        const Plan plan = Prepare(Read(file), {}, AppFolder::log(3));
        QCOMPARE(reasons(plan), (QStringList{
                                    "2: the date is missing",
                                    "3: the date \"2012-02-30\" is not a real date",
                                    "4: the odometer reading \"1e4\" is not a plain number",
                                    "5: the odometer reading \"-5\" is not a whole number above zero",
                                    "6: the odometer reading \"ten\" is not a whole number above zero",
                                    "7: the quantity \"0\" is not a number above zero",
                                    "8: the price \"n/a\" is not a number",
                                    "9: the date 20/01/2012 is out of order with the odometer readings before and after it",
                                    "10: the odometer reading \"10000\" is already in the log, on 01/01/2012",
                                    "13: the odometer reading \"10900\" is on line 12 too, with another date",
                                    "15: the odometer reading is missing",
                                    "16: the quantity is missing",
                                    "17: the price is missing",
                                }));
        QCOMPARE(plan.duplicates, 1);
        QCOMPARE(records(plan), (QStringList{"01/02/2012|10900|40|130", "05/02/2012|11200|4.00|130"}));
        QCOMPARE(plan.log.size(), 4 * 5);
        QCOMPARE(plan.log.mid(0, 12), AppFolder::log(3)); // the log's records are untouched
    }

    // Choices kept in the settings file come back only when they fit the
    // header they were made for.
    void keptChoices_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("again"); // as written back; empty: as given
        Columns codes;
        codes.date = 0, codes.odometer = 1, codes.quantity = 2, codes.money = 4, codes.full = 3;
        codes.sense = MarkSense::Codes;
        codes.partialCode = QStringLiteral("2");
        codes.missedCode = QStringLiteral("3");
        QTest::newRow("as written")
            << ChoicesText(codes, Answers{DateOrder::MonthFirst, DistanceUnit::Miles, FuelUnit::UsGallons, MoneyKind::Total,
                                          MoneyUnit::Pounds, CurrencyUse::Keep, 0})
            << true << QString();
        QTest::newRow("a rate is not kept")
            << ChoicesText(codes, answers("rate=1.5")) << true << QString();
        QTest::newRow("kept before the marks and the currency") << "0,1,2,4,-1,3|1,1,1,1,1" << true << "2|0,1,2,4,-1,3,-1|0,,|1,1,1,1,1,0";
        QTest::newRow("readings from trips") << "2|0,-1,2,4,-1,-1,3|0,,|1,1,1,1,1,0" << true << QString();
        QTest::newRow("no odometer and no trips") << "2|0,-1,2,4,-1,-1,-1|0,,|1,1,1,1,1,0" << false << QString();
        QTest::newRow("a column past the header") << "2|0,1,2,5,-1,-1,-1|0,,|1,1,1,1,1,0" << false << QString();
        QTest::newRow("no date column") << "2|-1,1,2,3,-1,-1,-1|0,,|1,1,1,1,1,0" << false << QString();
        QTest::newRow("an answer past its list") << "2|0,1,2,3,-1,-1,-1|0,,|9,1,1,1,1,0" << false << QString();
        QTest::newRow("a sense past its list") << "2|0,1,2,3,-1,-1,-1|7,,|1,1,1,1,1,0" << false << QString();
        QTest::newRow("a code that is no code") << "2|0,1,2,3,-1,-1,-1|2,x|y,|1,1,1,1,1,0" << false << QString();
        QTest::newRow("junk") << "\x01\x02|" << false << QString();
        QTest::newRow("empty") << "" << false << QString();
    }
    void keptChoices()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        QFETCH(QString, again);
        Columns c;
        Answers a;
        QCOMPARE(ReadChoices(text, 5, &c, &a), read);
        if (read)
            QCOMPARE(ChoicesText(c, a), again.isEmpty() ? text : again);
        QCOMPARE(ChoicesKey({"Date", "Odometer"}), ChoicesKey({"Date", "Odometer"}));
        QVERIFY(ChoicesKey({"Date", "Odometer"}) != ChoicesKey({"Date", "Odometer", "Notes"}));
    }

    // Where a row has both, the price per unit is stored and the total
    // checks it: more than 1 % apart, the row is refused with both.
    void aTotalChecksTheUnitPrice()
    {
        const Plan plan = Prepare(Read(lines({"Date,Odometer,Litres,TotalCost,PricePerUnit", "2012-02-01,10900,40,52.00,1.30",
                                              "2012-02-08,11200,40,60.00,1.30", "2012-02-15,11500,40,\"52.40\",1.30"})),
                                  answers("mi"), AppFolder::log(3));
        QCOMPARE(reasons(plan), QStringList{"3: the price \"1.30\" and the total \"60.00\" do not agree "
                                            "(130.00 and 150.00 pence a litre)"});
        QCOMPARE(records(plan), (QStringList{"01/02/2012|10900|40|130.00", "15/02/2012|11500|40|130.00"}));
    }

    void backDatedRowsArePlacedByDateAndReading()
    {
        const QByteArray file = lines({"date,odometer,litres,price per litre (p)", "2011-12-20,9700,40,125",
                                       "2012-01-04,10150,40,126", "2012-01-20,10800,40,127"});
        const Plan plan = Prepare(Read(file), {}, AppFolder::log(3));
        QStringList dates;
        for (qsizetype k = 0; k < plan.log.size(); k += 4)
            dates << plan.log[k];
        QCOMPARE(dates, (QStringList{"20/12/2011", "01/01/2012", "04/01/2012", "08/01/2012", "15/01/2012", "20/01/2012"}));

        // A log edited by hand out of reading order still takes them one by one.
        QStringList edited = AppFolder::log(3);
        std::swap(edited[1], edited[5]);
        const Plan onebyone = Prepare(Read(file), {}, edited);
        QCOMPARE(onebyone.added.size() + onebyone.refused.size(), 3);
        QCOMPARE(onebyone.log.size(), edited.size() + 4 * onebyone.added.size());
    }

    // Into a log whose readings do not rise, the import places its rows in
    // one pass where the entry panel would place each back-dated fill-up,
    // one after another: against that model over random logs and files.
    void placedAsOneByOneWould()
    {
        QRandomGenerator random(20261211);
        for (int round = 0; round < 300; ++round) {
            QStringList log;
            QDate day(2012, 1, 1);
            const int records = int(random.bounded(12));
            for (int k = 0; k < records; ++k) {
                day = day.addDays(int(random.bounded(4)));
                log << day.toString(QStringLiteral("dd/MM/yyyy")) << QString::number(10000 + 100 * random.bounded(20)) << "40.00"
                    << "130.00";
            }
            bool rising = true; // a log in rising readings is merged, not placed one by one
            for (int k = 1; k < records; ++k)
                rising &= EntryRules::RecordMiles(log, k) > EntryRules::RecordMiles(log, k - 1);
            if (rising)
                continue;
            QByteArray file = "date,odometer,litres,price per litre (p)\r\n";
            QVector<Fill> fills;
            const int rows = int(random.bounded(1, 10));
            for (int r = 0; r < rows; ++r) {
                const QDate date = QDate(2012, 1, 1).addDays(int(random.bounded(30)));
                const long long miles = 10000 + 100 * random.bounded(20) + (random.bounded(3) == 0 ? 50 : 0);
                file += date.toString(Qt::ISODate).toLatin1() + ',' + QByteArray::number(miles) + ",30,125\r\n";
                Fill f;
                f.date = date.toString(QStringLiteral("dd/MM/yyyy"));
                f.miles = miles;
                f.lines = QStringList{f.date, QString::number(miles), "30", "125"};
                fills << f;
            }
            const Plan plan = Prepare(Read(file), answers("mi"), log);
            // The model: every row as the entry would place it, in the order
            // the import takes them (by reading, then date).
            std::stable_sort(fills.begin(), fills.end(), [](const Fill &x, const Fill &y) {
                const int kx = EntryRules::DateKey(x.date), ky = EntryRules::DateKey(y.date);
                return x.miles != y.miles ? x.miles < y.miles : kx < ky;
            });
            QStringList placed = log;
            int added = 0;
            for (const Fill &f : fills) {
                const EntryRules::Placement p = EntryRules::PlaceBackDated(placed, f.miles, f.date);
                if (p.kind == EntryRules::Placement::Duplicate || p.kind == EntryRules::Placement::Inconsistent)
                    continue;
                const int at = p.kind == EntryRules::Placement::First ? 0
                             : p.kind == EntryRules::Placement::Insert ? 4 * (p.found + 1)
                                                                      : int(placed.size());
                for (int i = 0; i < 4; ++i)
                    placed.insert(at + i, f.lines[i]);
                ++added;
            }
            QVERIFY2(plan.log == placed, qPrintable(QStringLiteral("round %1: %2 | %3").arg(round).arg(log.join(' '), QString::fromLatin1(file))));
            QCOMPARE(int(plan.added.size()), added);
        }
    }

    void numbersInTheirManyHabits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("decimalComma");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("currency");
        QTest::newRow("plain") << "41.2" << false << true << 41.2 << "";
        QTest::newRow("thousands") << "1,234.5" << false << true << 1234.5 << "";
        QTest::newRow("lone comma") << "41,2" << false << true << 41.2 << "";
        QTest::newRow("decimal comma habit") << "1.234,5" << true << true << 1234.5 << "";
        QTest::newRow("pounds") << "£12.30" << false << true << 12.3 << "GBP";
        QTest::newRow("pence") << "95.9p" << false << true << 95.9 << "";
        QTest::newRow("a code before") << "EUR 50.00" << false << true << 50.0 << "EUR";
        QTest::newRow("a code after") << "50,00 EUR" << true << true << 50.0 << "EUR";
        QTest::newRow("a symbol after") << "50,00 €" << true << true << 50.0 << "EUR";
        QTest::newRow("dollars") << "$3.969" << false << true << 3.969 << "USD";
        QTest::newRow("crowns") << "1 534,50 Kč" << true << true << 1534.5 << "CZK";
        QTest::newRow("a word that is no currency") << "abc 12" << false << false << 0.0 << "";
        QTest::newRow("two commas") << "1,2,3" << false << false << 0.0 << "";
        QTest::newRow("word") << "n/a" << false << false << 0.0 << "";
        QTest::newRow("empty") << "" << false << false << 0.0 << "";
        QTest::newRow("infinite") << "1e999" << false << false << 0.0 << "";
        QTest::newRow("exponent") << "1e3" << false << false << 0.0 << "";
    }
    void numbersInTheirManyHabits()
    {
        QFETCH(QString, text);
        QFETCH(bool, decimalComma);
        QFETCH(bool, ok);
        QFETCH(double, value);
        QFETCH(QString, currency);
        double read = 0;
        QCOMPARE(ReadNumber(text, decimalComma, &read), ok);
        if (ok)
            QCOMPARE(read, value);
        QCOMPARE(ReadMoney(text, decimalComma).currency, currency);
    }

    // Header names in the languages logs come in, split where their words
    // part, their units read.
    void headersInManyLanguages_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("unit");
        using ImportWords::Role;
        QTest::newRow("Km-Stand") << "Km-Stand" << int(Role::Odometer) << "km";
        QTest::newRow("Spritmenge") << "Spritmenge" << int(Role::Quantity) << "";
        QTest::newRow("fuel_amount_l") << "fuel_amount_l" << int(Role::Quantity) << "l";
        QTest::newRow("unit_price_kc") << "unit_price_kc" << int(Role::UnitPrice) << "kc";
        QTest::newRow("Fill Amount") << "Fill Amount" << int(Role::Quantity) << "";
        QTest::newRow("occurred_at") << "occurred_at" << int(Role::Date) << "";
        QTest::newRow("date/time") << "date/time" << int(Role::Date) << "";
        QTest::newRow("Preis/L") << "Preis/L" << int(Role::UnitPrice) << "l";
        QTest::newRow("Kilométrage") << "Kilométrage" << int(Role::Odometer) << "km";
        QTest::newRow("Cantidad") << "Cantidad (L)" << int(Role::Quantity) << "l";
        QTest::newRow("Litri") << "Litri" << int(Role::Quantity) << "l";
        QTest::newRow("Hoeveelheid") << "Hoeveelheid" << int(Role::Quantity) << "";
        QTest::newRow("Množství") << "Množství" << int(Role::Quantity) << "";
        QTest::newRow("Stan licznika") << "Stan licznika" << int(Role::Odometer) << "";
        QTest::newRow("Количество") << "Количество" << int(Role::Quantity) << "";
        QTest::newRow("Partial Fill-Up?") << "Partial Fill-Up?" << int(Role::Partial) << "";
        QTest::newRow("isFullTank") << "isFullTank" << int(Role::Full) << "";
        QTest::newRow("Tankart") << "Tankart" << int(Role::MarkCode) << "";
        QTest::newRow("Währung") << "Währung" << int(Role::Currency) << "";
        QTest::newRow("Fuel Type") << "Fuel Type" << int(Role::None) << "";
        QTest::newRow("Fuel Efficiency Unit") << "Fuel Efficiency Unit" << int(Role::EconomyUnit) << "";
        QTest::newRow("Energy (kWh)") << "Energy (kWh)" << int(Role::Energy) << "kwh";
        QTest::newRow("Km since last fueling") << "Km since last fueling" << int(Role::Trip) << "km fueling";
        QTest::newRow("km/l") << "km/l" << int(Role::Economy) << "km per l";
        QTest::newRow("Odometer (mi)") << "Odometer (mi)" << int(Role::Odometer) << "mi";
    }
    void headersInManyLanguages()
    {
        QFETCH(QString, header);
        QFETCH(int, role);
        QFETCH(QString, unit);
        const ImportWords::Heading h = ImportWords::Read(header);
        QCOMPARE(int(h.role), role);
        QCOMPARE(h.unit, unit);
    }
};

VANTIQ_TEST(CsvFilesTest)
#include "tst_csvfiles.moc"
