#include "TestMain.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/NumberText.h"

#include <QRandomGenerator>
#include <QTest>
#include <climits>
#include <cmath>

using namespace NumberText;

class NumberAndDateTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void formatFixed_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("d");
        QTest::addColumn<QString>("text");
        QTest::newRow("four digits padded") << 123.456 << 4 << 2 << "123.50";
        QTest::newRow("quantity") << 45.678 << 4 << 2 << "45.68";
        QTest::newRow("one decimal") << 7.5 << 4 << 2 << "7.50";
        QTest::newRow("economy") << 8.7989 << 4 << 2 << "8.80";
        QTest::newRow("price per litre") << 45.0 / 45.46 * 100 << 5 << 2 << "98.99";
        QTest::newRow("gallon price") << 45.0 / (45.46 / 4.546) << 5 << 2 << "4.50";
        QTest::newRow("whole") << 90.0 << 5 << 2 << "90.00";
        QTest::newRow("zero") << 0.0 << 4 << 2 << "0.00";
        QTest::newRow("negative") << -3.14159 << 4 << 2 << "-3.14";
        QTest::newRow("tiny rounds to zero") << -0.0001 << 4 << 2 << "0.00";
        QTest::newRow("exact half away from zero") << 2.5 << 1 << 0 << "3";
        QTest::newRow("negative half away from zero") << -2.5 << 1 << 0 << "-3";
        QTest::newRow("carry into a new digit") << 9.996 << 3 << 2 << "10.00";
        QTest::newRow("more integer digits than p") << 1234.5 << 3 << 2 << "1.23E+3";
        QTest::newRow("insurance over five digits") << 123456.0 << 5 << 2 << "1.2346E+5";
        QTest::newRow("carry past p digits") << 99999.5 << 5 << 2 << "1E+5";
        QTest::newRow("five significant") << 12345.678 << 5 << 2 << "12346.00";
        QTest::newRow("small fraction") << 0.005 << 4 << 2 << "0.01";
    }
    void formatFixed()
    {
        QFETCH(double, value);
        QFETCH(int, p);
        QFETCH(int, d);
        QFETCH(QString, text);
        QCOMPARE(FormatFixed(value, p, d), text);
    }

    // The quick formatting agrees with the exact one everywhere, halves and
    // carries included; FixedValue is what the text reads back as.
    void quickFormattingIsExact()
    {
        QRandomGenerator random(20261209);
        const int precisions[][2] = {{4, 2}, {5, 2}, {6, 2}, {3, 2}, {3, 0}, {5, 0}};
        for (int i = 0; i < 100000; ++i) {
            double v;
            switch (i % 4) {
            case 0: v = random.bounded(1000000) / 100.0; break;             // money and figures
            case 1: v = (random.bounded(2000001) - 1000000) / 1000.0; break; // thirds of halves
            case 2: v = random.generateDouble() * std::pow(10.0, random.bounded(-8, 12)); break;
            default: v = (random.bounded(100000) + 0.5) / std::pow(10.0, random.bounded(0, 6)); break;
            }
            const auto &pd = precisions[i % 6];
            const QString text = FormatFixedExact(v, pd[0], pd[1]);
            QCOMPARE(FormatFixed(v, pd[0], pd[1]), text);
            const RealReading back = ReadReal(text);
            QCOMPARE(FixedValue(v, pd[0], pd[1]), back.ok ? back.value : 0.0);
        }
    }

    void readReal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("failPos");
        QTest::newRow("decimal") << "12.5" << true << 12.5 << 0;
        QTest::newRow("leading blanks and sign") << "  -3" << true << -3.0 << 0;
        QTest::newRow("exponent") << "1e3" << true << 1000.0 << 0;
        QTest::newRow("bare fraction") << ".5" << true << 0.5 << 0;
        QTest::newRow("letter") << "12a" << false << 0.0 << 3;
        QTest::newRow("empty") << "" << false << 0.0 << 1;
        QTest::newRow("trailing blank") << "12 " << false << 0.0 << 3;
        QTest::newRow("decimal comma") << "1,5" << false << 0.0 << 2;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0 << 3;
        QTest::newRow("sign alone") << "-" << false << 0.0 << 2;
        QTest::newRow("1e300") << "1e300" << true << 1e300 << 0;
        QTest::newRow("-1e300") << "-1e300" << true << -1e300 << 0;
        QTest::newRow("nan") << "nan" << false << 0.0 << 1;
        QTest::newRow("inf") << "inf" << false << 0.0 << 1;
        QTest::newRow("beyond a double") << "1e400" << false << 0.0 << 6;
        QTest::newRow("thirty digits") << "123456789012345678901234567890" << true << 1.2345678901234568e29 << 0;
    }
    void readReal()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        QFETCH(int, failPos);
        const RealReading r = ReadReal(text);
        QCOMPARE(r.ok, ok);
        if (ok)
            QCOMPARE(r.value, value);
        else
            QCOMPARE(r.failPos, failPos);
    }

    void readIntegerSetting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "37" << true << 37;
        QTest::newRow("negative") << "-16777201" << true << -16777201;
        QTest::newRow("hex") << "0x1F" << true << 31;
        QTest::newRow("hex capital") << "0XFF" << true << 255;
        QTest::newRow("hex system colour") << "0xFF00000F" << true << -16777201;
        QTest::newRow("dollar hex") << "$10" << true << 16;
        QTest::newRow("blanks") << " 5 " << true << 5;
        QTest::newRow("word") << "yes" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("too large") << "99999999999" << false << 0;
        QTest::newRow("thirty digits") << "123456789012345678901234567890" << false << 0;
        QTest::newRow("thirty hex digits") << "0x123456789012345678901234567890" << false << 0;
    }
    void readIntegerSetting()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        int v = 0;
        QCOMPARE(ReadIntegerSetting(text, &v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<qlonglong>("result");
        QTest::newRow("half down to even") << 2.5 << true << 2LL;
        QTest::newRow("half up to even") << 3.5 << true << 4LL;
        QTest::newRow("negative half") << -2.5 << true << -2LL;
        QTest::newRow("kilometres to miles") << 62.15 << true << 62LL;
        QTest::newRow("largest below 2^63") << 9223372036854774784.0 << true << 9223372036854774784LL;
        QTest::newRow("-2^63") << -9223372036854775808.0 << true << (-9223372036854775807LL - 1);
        QTest::newRow("2^63") << 9223372036854775808.0 << false << 0LL;
        QTest::newRow("1e300") << 1e300 << false << 0LL;
        QTest::newRow("-1e300") << -1e300 << false << 0LL;
        QTest::newRow("nan") << std::nan("") << false << 0LL;
        QTest::newRow("inf") << HUGE_VAL << false << 0LL;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(bool, whole);
        QFETCH(qlonglong, result);
        const std::optional<long long> r = RoundHalfEven(value);
        QCOMPARE(r.has_value(), whole);
        if (whole)
            QCOMPARE(*r, result);
        QCOMPARE(RoundToInt(value).has_value(), whole && result >= INT_MIN && result <= INT_MAX);
    }

    void dayOfYear_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("february");
        QTest::newRow("leap day") << "29/02/2012" << 60 << 29;
        QTest::newRow("common March") << "01/03/2011" << 60 << 28;
        QTest::newRow("leap year end") << "31/12/2012" << 366 << 29;
        QTest::newRow("2100 counts as leap") << "31/12/2100" << 366 << 29;
        QTest::newRow("no check of the day") << "31/02/2011" << 62 << 28;
        QTest::newRow("unreadable day and month") << "xx/yy/2011" << 1 << 28;
        QTest::newRow("unreadable year is 2006") << "01/03/abcd" << 60 << 28;
        QTest::newRow("month 13 sums the year") << "01/13/2011" << 366 << 28;
        QTest::newRow("month 40 sums no more") << "01/40/2011" << 366 << 28;
    }
    void dayOfYear()
    {
        QFETCH(QString, date);
        QFETCH(int, day);
        QFETCH(int, february);
        QCOMPARE(DayOfYear(date), day);
        QCOMPARE(FebruaryLength(), february);
    }

    void daysBetween_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("yearChanged");
        QTest::newRow("same year") << "01/01/2012" << "15/01/2012" << 14 << false;
        QTest::newRow("into a leap year") << "15/12/2011" << "10/01/2012" << 26 << true;
        QTest::newRow("out of a leap year") << "15/12/2012" << "10/01/2013" << 26 << true;
        QTest::newRow("one year length only") << "01/01/2011" << "01/01/2013" << 365 << true;
        QTest::newRow("later year first") << "10/01/2012" << "15/12/2011" << 339 << false;
    }
    void daysBetween()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, days);
        QFETCH(bool, yearChanged);
        const DayDifference d = DaysBetween(a, b);
        QCOMPARE(d.days, days);
        QCOMPARE(d.yearChanged, yearChanged);
    }

    void daysSpan()
    {
        QCOMPARE(DaysSpan(QStringLiteral("01/01/2011"), QStringLiteral("01/01/2013")), std::optional<int>(730));
        QCOMPARE(DaysSpan(QStringLiteral("01/01/2012"), QStringLiteral("15/01/2012")), std::optional<int>(14));
        QVERIFY(!DaysSpan(QStringLiteral("01/01/20x1"), QStringLiteral("01/01/2013")));
    }

    void isDateText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("date");
        QTest::newRow("date") << "12/05/2011" << true;
        QTest::newRow("single digits") << "1/5/2011" << false;
        QTest::newRow("dashes") << "12-05-2011" << false;
        QTest::newRow("eight characters") << "12/05/20" << false;
        QTest::newRow("nine characters") << "12/05/201" << true;
        QTest::newRow("digit before letter passes") << "1a/05/2011" << true;
        QTest::newRow("zero before letter spoils") << "0a/05/2011" << false;
        QTest::newRow("letter first spoils") << "a1/05/2011" << false;
        QTest::newRow("tail not looked at") << "12/05/2011xyz" << true;
        QTest::newRow("empty") << "" << false;
    }
    void isDateText()
    {
        QFETCH(QString, text);
        QFETCH(bool, date);
        QCOMPARE(IsDateText(text), date);
    }

    void isNumberText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<bool>("number");
        QTest::newRow("whole twelve point oh") << "12.0" << true << true;
        QTest::newRow("twelve and a half not whole") << "12.5" << true << false;
        QTest::newRow("twelve and a half") << "12.5" << false << true;
        QTest::newRow("negative") << "-3" << false << true;
        QTest::newRow("zero") << "0" << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("trailing blank") << "5 " << false << false;
        QTest::newRow("1e300 is no whole number here") << "1e300" << true << false;
        QTest::newRow("1e300 is a number") << "1e300" << false << true;
        QTest::newRow("nan") << "nan" << false << false;
        QTest::newRow("inf") << "inf" << false << false;
    }
    void isNumberText()
    {
        QFETCH(QString, text);
        QFETCH(bool, whole);
        QFETCH(bool, number);
        QCOMPARE(IsNumberText(text, whole), number);
    }

    void lenient_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("whole"); // LenientWhole has a result
        QTest::newRow("plain") << "45.6" << 45.6 << true;
        QTest::newRow("unit after") << "45.6 L" << 45.6 << true;
        QTest::newRow("thousands comma") << "1,234.5" << 1234.5 << true;
        QTest::newRow("not a number") << "N/A" << 0.0 << true;
        QTest::newRow("empty") << "" << 0.0 << true;
        QTest::newRow("too many faults keeps digits") << "1x2x3x4x5x6x7x8" << 12345678.0 << true;
        QTest::newRow("1e300") << "1e300" << 1e300 << false;
        QTest::newRow("-1e300") << "-1e300" << -1e300 << false;
        QTest::newRow("nan") << "nan" << 0.0 << true;
        QTest::newRow("inf") << "inf" << 0.0 << true;
        QTest::newRow("thirty digits") << "123456789012345678901234567890" << 1.2345678901234568e29 << false;
    }
    void lenient()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, whole);
        QCOMPARE(LenientReal(text), value);
        QCOMPARE(LenientWhole(text).has_value(), whole);
        if (whole)
            QCOMPARE(double(*LenientWhole(text)), std::nearbyint(value));
        QCOMPARE(*LenientWhole(QStringLiteral("62.5")), 62LL);
    }

    // Dates in boxes keep their century whatever the locale's short format.
    void shortDates_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("typed"); // one-digit day and month
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "dd/MM/yyyy" << "09/12/2026" << "9/12/2026";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "M/d/yyyy" << "12/9/2026" << "12/9/2026";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "dd.MM.yyyy" << "09.12.2026" << "9.12.2026";
    }
    void shortDates()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, format);
        QFETCH(QString, written);
        QFETCH(QString, typed);
        const QDate day(2026, 12, 9);
        QCOMPARE(ShortDateFormat(locale), format);
        QCOMPARE(ShortDateText(day, locale), written);
        QCOMPARE(ReadShortDate(written, locale), day);
        QCOMPARE(ReadShortDate(typed, locale), day);
        QCOMPARE(ReadShortDate(QStringLiteral(" ") + written + QStringLiteral(" "), locale), day);
        QVERIFY(!ReadShortDate(written.left(written.size() - 2), locale).isValid()); // a two-digit year
        QVERIFY(!ReadShortDate(QStringLiteral("nonsense"), locale).isValid());
        QCOMPARE(ShortDateText(QDate(), locale), QString());
    }

    void textHelpers()
    {
        QCOMPARE(StripBlanks(QStringLiteral(" 12345 6")), QStringLiteral("123456"));
        QCOMPARE(StripBlanks(QStringLiteral("10400")), QStringLiteral("10400"));
        QCOMPARE(PadText(QStringLiteral("ab"), 5, true), QStringLiteral("   ab"));
        QCOMPARE(PadText(QStringLiteral("ab"), 5, false), QStringLiteral("ab   "));
        QCOMPARE(PadText(QStringLiteral("abcdef"), 5, true), QStringLiteral("abcdef"));
        QCOMPARE(WithBackslash(QStringLiteral("/data/")), QStringLiteral("/data/"));
        QCOMPARE(WithBackslash(QStringLiteral("/data")), QStringLiteral("/data/"));
        QCOMPARE(WithBackslash(QString()), QStringLiteral("/"));
        QCOMPARE(SmallerOf(3, -2), -2);
        QCOMPARE(MonthsBefore(1), 0);
        QCOMPARE(MonthsBefore(0), 0);
        QCOMPARE(MonthsBefore(7), 6);
        QCOMPARE(QString::fromLatin1(MonthInitials[8]), QStringLiteral("S"));
    }
};

VANTIQ_TEST(NumberAndDateTest)
#include "tst_numbers_dates.moc"
