#include "TestMain.h"
#include "core/fuellog/Economy.h"

#include <QTest>

// Economy figures on the two-record log of the units table.
class EconomyTest : public QObject {
    Q_OBJECT
    const QStringList log{"01/01/2012", "10000", "40.00", "130.00", "15/01/2012", "10400", "45.46", "132.00"};

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void calcMpg_data()
    {
        QTest::addColumn<int>("fuel");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("value");
        QTest::newRow("MPG ahead") << 0 << 0 << 0 << 40.0;
        QTest::newRow("MPG back") << 0 << 0 << 1 << 45.46;
        QTest::newRow("MPL ahead") << 1 << 0 << 0 << 400 / 45.46;
        QTest::newRow("MPL back") << 1 << 0 << 1 << 10.0;
        QTest::newRow("KPG ahead") << 0 << 1 << 0 << 64.36;
        QTest::newRow("KPG back") << 0 << 1 << 1 << 400 * 1.609 / (40 / 4.546);
        QTest::newRow("KPL ahead") << 1 << 1 << 0 << 14.157501099868; // shown as 14.16
        QTest::newRow("KPL back") << 1 << 1 << 1 << 16.09;
    }
    void calcMpg()
    {
        QFETCH(int, fuel);
        QFETCH(int, length);
        QFETCH(int, direction);
        QFETCH(double, value);
        QVERIFY(qAbs(CalcMpg(log, 4, fuel, length, direction) - value) < 1e-9);
    }

    void calcMpgWithoutAFigure()
    {
        QCOMPARE(CalcMpg(log, 0, 0, 0, LookAhead), 0.0);
        QCOMPARE(CalcMpg(log, 8, 0, 0, LookAhead), 0.0);
        QCOMPARE(CalcMpg(log, 4, 2, 0, LookAhead), 0.0);
        QStringList zero = log;
        zero[6] = QStringLiteral("0.00");
        QCOMPARE(CalcMpg(zero, 4, 1, 0, LookAhead), 0.0);
        // Unreadable readings count as 2 (this one) and 1 (the previous).
        QStringList unreadable = log;
        unreadable[1] = QStringLiteral("n/a");
        unreadable[5] = QStringLiteral("?");
        QCOMPARE(CalcMpg(unreadable, 4, 1, 0, LookBack), 1.0 / 40.0);
        // Quantities are read leniently.
        QStringList lenient = log;
        lenient[2] = QStringLiteral("40.00 L");
        QCOMPARE(CalcMpg(lenient, 4, 1, 0, LookBack), 10.0);
    }

    void currentMpg_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("miles");
        QTest::addColumn<int>("atype");
        QTest::addColumn<QString>("text");
        QTest::newRow("MPG") << 4 << 400 << int(MPG) << "45.46";
        QTest::newRow("MPL") << 4 << 400 << int(MPL) << "10.00";
        QTest::newRow("KPG") << 4 << 400 << int(KPG) << "73.15";
        QTest::newRow("KPL") << 4 << 400 << int(KPL) << "16.09";
        QTest::newRow("no previous record") << 0 << 400 << int(MPG) << "0";
        QTest::newRow("no such mode") << 4 << 400 << 7 << "";
        QTest::newRow("beyond four digits") << 4 << 4000000 << int(MPG) << "4.546E+5";
    }
    void currentMpg()
    {
        QFETCH(int, p);
        QFETCH(int, miles);
        QFETCH(int, atype);
        QFETCH(QString, text);
        QCOMPARE(CurrentMpg(log, p, miles, atype), text);
    }

    void currentMpgReadsWithoutRetries()
    {
        QStringList odd = log;
        odd[2] = QStringLiteral("4x0.00"); // the digits before the fault: 4
        QCOMPARE(CurrentMpg(odd, 4, 400, MPL), QStringLiteral("100.00"));
        odd[2] = QStringLiteral("0");
        QCOMPARE(CurrentMpg(odd, 4, 400, MPL), QStringLiteral("0"));
    }
};

VANTIQ_TEST(EconomyTest)
#include "tst_economy.moc"
