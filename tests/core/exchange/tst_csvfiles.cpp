#include "AppFolder.h"
#include "TestMain.h"
#include "core/exchange/Csv.h"
#include "core/exchange/LogExport.h"
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
    static QStringList records(const Plan &plan)
    {
        QStringList out;
        for (const Fill &f : plan.added)
            out << f.lines.join(QLatin1Char('|'));
        return out;
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

    void filesOtherProgramsWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("notFull");

        QTest::newRow("ISO dates, litres, total cost, full flag")
            << lines({"Date,Odometer (mi),Fuel (litres),Total Cost (£),Full", "2012-01-07,10300,41.2,\"53.56\",1",
                      "2012-01-14,10620,40.00,52.00,0"})
            << Answers{} << QStringList{"07/01/2012|10300|41.2|130.00", "14/01/2012|10620|40.00|130.00"} << 1;

        Answers metric;
        metric.distance = DistanceUnit::Kilometres;
        metric.fuel = FuelUnit::ImperialGallons;
        metric.moneyKind = MoneyKind::PerUnit;
        metric.moneyUnit = MoneyUnit::Pounds;
        QTest::newRow("dd/mm/yyyy, semicolons, decimal commas, gallons, kilometres")
            << lines({"Data;Odo;Gallons;Price;Notes", "25/12/2012;16093;9,5;1,42;Christmas", "", "03/01/2013;16900;8;1,44;"})
            << metric << QStringList{"25/12/2012|10002|43.19|31.24", "03/01/2013|10503|36.37|31.68"} << 0;

        QTest::newRow("quoted fields with commas inside")
            << lines({"\"Date\",\"Odometer\",\"Litres\",\"Price per litre (p)\",\"Comment\"",
                      "\"07/01/2012\",\"10,300\",\"41.20\",\"129.9\",\"Shell, M4\"",
                      "\"08/02/2012\",\"10,600\",\"40\",\"130.1\",\"Esso, \"\"the big one\"\"\""})
            << Answers{} << QStringList{"07/01/2012|10300|41.20|129.9", "08/02/2012|10600|40|130.1"} << 0;

        QTest::newRow("byte-order mark, sections and blank lines")
            << QByteArray("\xEF\xBB\xBF")
                   + lines({"## Vehicle", "Name,Make", "Car,Ford", "", "## Log", "date,odometer,litres,total", "",
                            "2012-03-01,11000,30,39.00", "", "2012-03-08,11300,35,45.50", "## Costs",
                            "date,odometer,litres,total", "2012-03-09,11400,20,1.00"})
            << Answers{} << QStringList{"01/03/2012|11000|30|130.00", "08/03/2012|11300|35|130.00"} << 0;

        // 10.5 US gallons of 3.785411784 litres are 39.7468 litres; 3.459 a
        // gallon is 345.9 / 3.785411784 = 91.377 pence a litre.
        QTest::newRow("US gallons, month first, time of day, price per gallon")
            << lines({"Date,Mileage,Volume (US gal),Unit Price ($/gal)", "01/25/2012 08:15,10300,10.5,3.459"})
            << Answers{} << QStringList{"25/01/2012|10300|39.75|91.38"} << 0;

        // One-word names with capitals inside, m/d/yyyy, gallons the file does
        // not name (answered: US), a total: 9.5 US gal = 35.9614 l, 1425 p /
        // 35.9614 = 39.63; 10 US gal = 37.8541 l, 1500 / 37.8541 = 39.63.
        Answers usGallons;
        usGallons.fuel = FuelUnit::UsGallons;
        QTest::newRow("camel-case header, m/d/yyyy, unlabelled gallons, a total")
            << lines({"Date,Odometer,FuelConsumed,Cost,IsFillToFull,MissedFuelUp", "01/25/2012,10300,9.5,14.25,1,0",
                      "02/03/2012,10600,10,15.00,0,0"})
            << usGallons << QStringList{"25/01/2012|10300|35.96|39.63", "03/02/2012|10600|37.85|39.63"} << 1;

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
            << Answers{} << QStringList{"01/03/2012|10002|58.2|144.90", "08/03/2012|10503|40.0|145.00"} << 0;

        // Sections with plain titles, the log in the middle; "Price" holds
        // totals: read as pence a litre it would be 67.09, as a total in
        // pounds 6709 / 46.301 = 144.90 pence a litre.
        QTest::newRow("plain section titles, a Price column of totals")
            << lines({"Vehicle", "Name,Make", "Car,Ford", "", "Fuel Records", "Date,Odometer,Litres,Price",
                      "2012-04-01,12000,46.301,67.09", "2012-04-09,12400,40.00,58.00", "", "Event Records", "Date,Odometer,Event",
                      "2012-04-05,12100,Service"})
            << Answers{} << QStringList{"01/04/2012|12000|46.301|144.90", "09/04/2012|12400|40.00|145.00"} << 0;

        const QByteArray tabbed = lines({"Date\tOdometer\tLitres\tPrice (p/l)\tStation", "07/01/2012\t10300\t41\t129\tCaf\xc3\xa9"});
        QTest::newRow("UTF-16 little-endian, its mark") << utf16(tabbed, true, true) << Answers{} << QStringList{"07/01/2012|10300|41|129"} << 0;
        QTest::newRow("UTF-16 big-endian, no mark") << utf16(tabbed, false, false) << Answers{} << QStringList{"07/01/2012|10300|41|129"} << 0;
        QTest::newRow("UTF-16 little-endian, no mark") << utf16(tabbed, true, false) << Answers{} << QStringList{"07/01/2012|10300|41|129"} << 0;

        QTest::newRow("Windows-1252 and tabs, price in pence, rows out of date order")
            << lines({"Date\tDistance (miles)\tQuantity (l)\tPrice (p/l)\tStation", "14/01/2012\t10600\t40\t130\tCaf\xe9",
                      "07/01/2012\t10300\t41\t129\t\x80 Shop"})
            << Answers{} << QStringList{"07/01/2012|10300|41|129", "14/01/2012|10600|40|130"} << 0;
    }

    void filesOtherProgramsWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(Answers, answers);
        QFETCH(QStringList, expected);
        QFETCH(int, notFull);
        const Source source = Read(file);
        QVERIFY2(source.Found(), qPrintable(source.problem));
        const Plan plan = Prepare(source, answers, {});
        QCOMPARE(reasons(plan), QStringList());
        QCOMPARE(records(plan), expected);
        QCOMPARE(plan.notFull, notFull);
    }

    void questionsAreAskedOnlyWhereTheFileIsUnclear()
    {
        const Source told = Read(lines({"Date,Odo (km),Fuel (litres),Price per litre (p)", "2012-01-07,10300,41.2,130"}));
        QCOMPARE(told.told.distance, DistanceUnit::Kilometres);
        QCOMPARE(told.told.fuel, FuelUnit::Litres);
        QCOMPARE(told.told.moneyKind, MoneyKind::PerUnit);
        QCOMPARE(told.told.moneyUnit, MoneyUnit::Pence);
        QCOMPARE(told.told.dateOrder, DateOrder::DayFirst); // ISO dates need no answer

        const Source unclear = Read(lines({"date,distance,fuel,price", "03/04/2012,10300,41.2,53.56",
                                           "05/06/2012,10600,30.1,39.13"}));
        QCOMPARE(unclear.told.dateOrder, DateOrder::Unknown);
        QCOMPARE(unclear.told.distance, DistanceUnit::Unknown);
        QCOMPARE(unclear.told.fuel, FuelUnit::Unknown);
        QCOMPARE(unclear.told.moneyKind, MoneyKind::Unknown);
        // the money follows the quantity, so it looks like a total in pounds
        QCOMPARE(unclear.suggested.moneyKind, MoneyKind::Total);
        QCOMPARE(unclear.suggested.moneyUnit, MoneyUnit::Pounds);
        Answers monthFirst;
        monthFirst.dateOrder = DateOrder::MonthFirst;
        QCOMPARE(Prepare(unclear, monthFirst, {}).added.first().date, QStringLiteral("04/03/2012"));
        QCOMPARE(Prepare(unclear, {}, {}).added.first().date, QStringLiteral("03/04/2012"));
    }

    void fileWithoutTheColumnsIsRefusedWhole_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << QByteArray() << "No fill-ups were found";
        QTest::newRow("no quantity") << lines({"date,odometer,total", "2012-01-01,100,5"}) << "No fill-ups were found";
        QTest::newRow("no money") << lines({"date,odometer,litres", "2012-01-01,100,5"}) << "No fill-ups can be read";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe,\x01", 5) << "No fill-ups were found";
    }
    void fileWithoutTheColumnsIsRefusedWhole()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        const Source s = Read(file);
        QVERIFY(!s.Found());
        QVERIFY2(s.problem.startsWith(problem), qPrintable(s.problem));
        QVERIFY(Prepare(s, {}, AppFolder::log(2)).log.isEmpty());
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
        QTest::newRow("as written") << ChoicesText(Columns{0, 1, 2, 4, -1, 3, -1}, Answers{DateOrder::MonthFirst, DistanceUnit::Miles,
                                                                                        FuelUnit::UsGallons, MoneyKind::Total,
                                                                                        MoneyUnit::Pounds})
                                    << true;
        QTest::newRow("a column past the header") << "0,1,2,5,-1,-1|1,1,1,1,1" << false;
        QTest::newRow("no date column") << "-1,1,2,3,-1,-1|1,1,1,1,1" << false;
        QTest::newRow("an answer past its list") << "0,1,2,3,-1,-1|9,1,1,1,1" << false;
        QTest::newRow("junk") << "\x01\x02|" << false;
        QTest::newRow("empty") << "" << false;
    }
    void keptChoices()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        Columns c;
        Answers a;
        QCOMPARE(ReadChoices(text, 5, &c, &a), read);
        if (read)
            QCOMPARE(ChoicesText(c, a), text);
        QCOMPARE(ChoicesKey({"Date", "Odometer"}), ChoicesKey({"Date", "Odometer"}));
        QVERIFY(ChoicesKey({"Date", "Odometer"}) != ChoicesKey({"Date", "Odometer", "Notes"}));
    }

    // Where a row has both, the price per unit is stored and the total
    // checks it: more than 1 % apart, the row is refused with both.
    void aTotalChecksTheUnitPrice()
    {
        const Plan plan = Prepare(Read(lines({"Date,Odometer,Litres,TotalCost,PricePerUnit", "2012-02-01,10900,40,52.00,1.30",
                                              "2012-02-08,11200,40,60.00,1.30", "2012-02-15,11500,40,\"52.40\",1.30"})),
                                  {}, AppFolder::log(3));
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
            const Plan plan = Prepare(Read(file), {}, log);
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
        QTest::newRow("plain") << "41.2" << false << true << 41.2;
        QTest::newRow("thousands") << "1,234.5" << false << true << 1234.5;
        QTest::newRow("lone comma") << "41,2" << false << true << 41.2;
        QTest::newRow("decimal comma habit") << "1.234,5" << true << true << 1234.5;
        QTest::newRow("pounds") << "£12.30" << false << true << 12.3;
        QTest::newRow("pence") << "95.9p" << false << true << 95.9;
        QTest::newRow("two commas") << "1,2,3" << false << false << 0.0;
        QTest::newRow("word") << "n/a" << false << false << 0.0;
        QTest::newRow("empty") << "" << false << false << 0.0;
        QTest::newRow("infinite") << "1e999" << false << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << false << 0.0;
    }
    void numbersInTheirManyHabits()
    {
        QFETCH(QString, text);
        QFETCH(bool, decimalComma);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double read = 0;
        QCOMPARE(ReadNumber(text, decimalComma, &read), ok);
        if (ok)
            QCOMPARE(read, value);
    }
};

VANTIQ_TEST(CsvFilesTest)
#include "tst_csvfiles.moc"
