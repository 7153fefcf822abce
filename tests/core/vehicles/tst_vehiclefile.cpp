#include "TestMain.h"
#include "core/vehicles/VehicleList.h"

#include <QtEndian>
#include <cmath>

// The vehicle record on real bytes.
class VehicleFileTest : public QObject {
    Q_OBJECT

    static qint32 i32(const QByteArray &b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }
    static double f64(const QByteArray &b, int at) { return qFromLittleEndian<double>(b.constData() + at); }
    static QByteArray str(const QByteArray &b, int at) { return b.mid(at + 1, quint8(b[at])); }
    static void put32(QByteArray &b, int at, qint32 v) { qToLittleEndian(v, b.data() + at); }
    static void put64(QByteArray &b, int at, double v) { qToLittleEndian(v, b.data() + at); }
    static void putStr(QByteArray &b, int at, const QByteArray &s)
    {
        b[at] = char(s.size());
        b.replace(at + 1, s.size(), s);
    }

    static TVehicleRecord sample()
    {
        TVehicleRecord r;
        r.Id = 7;
        r.Manufacturer = QStringLiteral("Vauxhall Motors Ltd"); // 19 characters: cut to 15
        r.Model = QStringLiteral("Astra");
        r.Registration = QStringLiteral("AB12CDE");
        r.TaxGroup = 1;
        r.Fuel = 1;
        r.EngineCapacity = 1598;
        r.Colour = QStringLiteral("Red \u00A3\u20AC");
        r.Acquired = 40909; // 01/01/2012
        r.RoadTax = 145;
        r.LegacyDate1 = 1.5;
        r.InsuranceCompany = QStringLiteral("Insurer");
        r.InsuranceAmount = 432.10;
        r.LegacyDate2 = 2;
        r.LegacyDate3 = 3;
        r.MOTAmount = 54;
        r.VehicleType = 4;
        r.ImageIndex = 4;
        r.MOTStation = QStringLiteral("Test Centre");
        r.Archived = 1;
        for (int k = 0; k < 4; ++k)
            r.Reminders[k] = {41000.0 + k, k % 2 == 0, 14 + k, k % 2, k == 3};
        r.LegacyDate4 = 4;
        r.ServiceAmount = 199;
        r.ServiceStation = QStringLiteral("Garage");
        for (int k = 0; k < 20; ++k)
            r.Sundries[k] = {40000.0 + k, QStringLiteral("Item %1").arg(k), 1.25 * k};
        r.SundryCount = 20;
        return r;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void everyFieldAtItsOffset()
    {
        const TVehicleRecord r = sample();
        const QByteArray b = VehicleFile::Encode(r);
        QCOMPARE(b.size(), 1848);
        QCOMPARE(i32(b, 0), 7);
        QCOMPARE(str(b, 4), QByteArray("Vauxhall Motors"));
        QCOMPARE(str(b, 20), QByteArray("Astra"));
        QCOMPARE(str(b, 33), QByteArray("AB12CDE"));
        QCOMPARE(i32(b, 44), 1);
        QCOMPARE(i32(b, 48), 1);
        QCOMPARE(i32(b, 52), 1598);
        QCOMPARE(str(b, 56), QByteArray("Red \xA3\x80"));
        QCOMPARE(f64(b, 72), 40909.0);
        QCOMPARE(i32(b, 80), 145);
        QCOMPARE(f64(b, 88), 1.5);
        QCOMPARE(str(b, 96), QByteArray("Insurer"));
        QCOMPARE(f64(b, 152), 432.10);
        QCOMPARE(f64(b, 160), 2.0);
        QCOMPARE(f64(b, 168), 3.0);
        QCOMPARE(i32(b, 176), 54);
        QCOMPARE(quint8(b[180]), quint8(4));
        QCOMPARE(i32(b, 184), 4);
        QCOMPARE(str(b, 188), QByteArray("Test Centre"));
        QCOMPARE(quint8(b[239]), quint8(1));
        for (int k = 0; k < 4; ++k) {
            const int at = 240 + 24 * k;
            QCOMPARE(f64(b, at), 41000.0 + k);
            QCOMPARE(quint8(b[at + 8]), quint8(k % 2 == 0));
            QCOMPARE(i32(b, at + 12), 14 + k);
            QCOMPARE(i32(b, at + 16), k % 2);
            QCOMPARE(quint8(b[at + 20]), quint8(k == 3));
        }
        QCOMPARE(f64(b, 336), 4.0);
        QCOMPARE(i32(b, 344), 199);
        QCOMPARE(str(b, 348), QByteArray("Garage"));
        for (int k = 0; k < 20; ++k) {
            const int at = 400 + 72 * k;
            QCOMPARE(f64(b, at), 40000.0 + k);
            QCOMPARE(str(b, at + 8), QStringLiteral("Item %1").arg(k).toLatin1());
            QCOMPARE(f64(b, at + 64), 1.25 * k);
        }
        QCOMPARE(i32(b, 1840), 20);

        TVehicleRecord back;
        QVERIFY(VehicleFile::Decode(b.constData(), VehicleFile::Form::Current, &back));
        TVehicleRecord expected = r;
        expected.Manufacturer = QStringLiteral("Vauxhall Motors");
        QCOMPARE(back, expected);
        QCOMPARE(VehicleFile::Encode(back), b);
    }

    void datesCountFromTheEndOf1899()
    {
        QCOMPARE(VehicleFile::ToDays(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(VehicleFile::ToDays(QDate(2012, 1, 1)), 40909.0);
        QCOMPARE(VehicleFile::FromDays(40909.75), QDate(2012, 1, 1));
    }

    void mk1Import()
    {
        QByteArray b(192 * 2, '\0');
        put32(b, 0, 0);
        putStr(b, 4, "Ford");
        putStr(b, 33, "OLD1");
        put32(b, 52, 1300);
        put64(b, 72, 38000);
        put32(b, 80, 100);
        put64(b, 168, 39000);
        b[180] = 6;
        put32(b, 184, 6);
        putStr(b, 192 + 33, "OLD2");
        VehicleList list;
        const QDate today(2012, 6, 15);
        const auto read = list.ReadBytes(b, VehicleFile::Form::Mk1, QStringLiteral("OLD2"), today);
        QVERIFY(read.foundCurrent);
        QCOMPARE(list.Count(), 2);
        const TVehicleRecord &r = list.At(0);
        QCOMPARE(r.Manufacturer, QStringLiteral("Ford"));
        QCOMPARE(r.Registration, QStringLiteral("OLD1"));
        QCOMPARE(r.EngineCapacity, 1300);
        QCOMPARE(r.VehicleType, quint8(6));
        QCOMPARE(r.MOTStation, QString());
        for (const TRenewalReminder &m : r.Reminders)
            QCOMPARE(m, (TRenewalReminder{VehicleFile::ToDays(today), false, 0, 0, false}));
        QCOMPARE(r.Archived, quint8(0));
        QCOMPARE(r.LegacyDate4, 39000.0);
        QCOMPARE(r.ServiceAmount, 200);
        QCOMPARE(r.SundryCount, 0);
        for (const TSundryItem &s : r.Sundries)
            QCOMPARE(s, (TSundryItem{VehicleFile::ToDays(today), QString(), 0.0}));
    }

    void mk2Import()
    {
        QByteArray b(312, '\0');
        putStr(b, 33, "MK2A");
        putStr(b, 188, "Station");
        b[239] = 1; // archived: active after the import
        for (int k = 0; k < 3; ++k) {
            put64(b, 240 + 24 * k, 41000 + k);
            b[240 + 24 * k + 8] = 1;
            put32(b, 240 + 24 * k + 12, 10 + k);
            put32(b, 240 + 24 * k + 16, 1);
            b[240 + 24 * k + 20] = k == 1;
        }
        VehicleList list;
        const QDate today(2012, 6, 15);
        list.ReadBytes(b, VehicleFile::Form::Mk2, QStringLiteral("x"), today);
        const TVehicleRecord &r = list.At(0);
        QCOMPARE(r.MOTStation, QStringLiteral("Station"));
        QCOMPARE(r.Archived, quint8(0));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(r.Reminders[k], (TRenewalReminder{41000.0 + k, true, 10 + k, 1, k == 1}));
        QCOMPARE(r.Reminders[3], (TRenewalReminder{VehicleFile::ToDays(today), false, 0, 0, false}));
        QCOMPARE(r.ServiceAmount, 200);
    }

    void readingWholeRecordsOnly_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("vehicles");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("three and a part") << 1848 * 3 + 100 << 3;
        QTest::newRow("part of one") << 1847 << 0;
    }
    void readingWholeRecordsOnly()
    {
        QFETCH(int, bytes);
        QFETCH(int, vehicles);
        QByteArray b(bytes, '\0');
        VehicleList list;
        const auto read = list.ReadBytes(b, VehicleFile::Form::Current, QStringLiteral("AB12"), QDate(2012, 1, 1));
        QCOMPARE(list.Count(), vehicles);
        QVERIFY(!read.foundCurrent);
        QCOMPARE(list.Bytes(), b); // a part record is kept, not read
    }

    void unreadableRecordKeepsItsPlace()
    {
        TVehicleRecord a = sample(), c = sample();
        c.Registration = QStringLiteral("CC1");
        QByteArray bad = VehicleFile::Encode(sample());
        bad[33] = char(200); // a registration longer than its field
        const QByteArray bytes = VehicleFile::Encode(a) + bad + VehicleFile::Encode(c);
        VehicleList list;
        const auto read = list.ReadBytes(bytes, VehicleFile::Form::Current, QStringLiteral("CC1"), QDate(2012, 1, 1));
        QVERIFY(read.foundCurrent);
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list.Caption(1), QStringLiteral("Invalid Data"));
        QVERIFY(list.IsInvalid(1));
        QCOMPARE(list.At(1), TVehicleRecord{});
        QCOMPARE(list.Caption(2), QStringLiteral("CC1"));
        QCOMPARE(list.Find(QStringLiteral("cc1"), Qt::CaseInsensitive), 2);
        QCOMPARE(list.Find(QStringLiteral("cc1"), Qt::CaseSensitive), -1);
    }

    // An entry that cannot be read is written back byte for byte (an older
    // form's record padded to the current size), whatever else changes.
    void unreadableRecordKeepsItsBytes_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("current") << int(VehicleFile::Form::Current);
        QTest::newRow("mk2") << int(VehicleFile::Form::Mk2);
    }
    void unreadableRecordKeepsItsBytes()
    {
        QFETCH(int, form);
        const auto f = VehicleFile::Form(form);
        const int size = VehicleFile::SizeOf(f);
        QByteArray bad = VehicleFile::Encode(sample()).left(size);
        bad[33] = char(200); // a registration longer than its field
        for (int i = 400; i < size; ++i)
            bad[i] = char(i); // bytes this version gives no meaning
        TVehicleRecord c = sample();
        c.Registration = QStringLiteral("CC1");
        VehicleList list;
        list.ReadBytes(VehicleFile::Encode(sample()).left(size) + bad + VehicleFile::Encode(c).left(size), f, QString(),
                       QDate(2012, 1, 1));
        QVERIFY(list.IsInvalid(1));
        list.Remove(0);
        list.At(1).Manufacturer = QStringLiteral("Changed");
        const QByteArray saved = list.Bytes();
        QCOMPARE(saved.size(), 2 * VehicleFile::RecordSize);
        QCOMPARE(saved.left(VehicleFile::RecordSize), bad.leftJustified(VehicleFile::RecordSize, '\0'));
        VehicleList again;
        again.ReadBytes(saved, VehicleFile::Form::Current, QString(), QDate());
        QVERIFY(again.IsInvalid(0));
        QCOMPARE(again.At(1).Manufacturer, QStringLiteral("Changed"));
    }

    // A stored day number outside 01/01/0100-31/12/9999 is no date.
    void datesOutsideTheRange_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QDate>("date");
        QTest::newRow("first day") << VehicleFile::ToDays(QDate(100, 1, 1)) << QDate(100, 1, 1);
        QTest::newRow("last day, evening") << VehicleFile::ToDays(QDate(9999, 12, 31)) + 0.9 << QDate(9999, 12, 31);
        QTest::newRow("day before the first") << VehicleFile::ToDays(QDate(100, 1, 1)) - 0.5 << QDate();
        QTest::newRow("day after the last") << VehicleFile::ToDays(QDate(9999, 12, 31)) + 1 << QDate();
        QTest::newRow("1e300") << 1e300 << QDate();
        QTest::newRow("-1e300") << -1e300 << QDate();
        QTest::newRow("nan") << std::nan("") << QDate();
        QTest::newRow("inf") << HUGE_VAL << QDate();
    }
    void datesOutsideTheRange()
    {
        QFETCH(double, days);
        QFETCH(QDate, date);
        QCOMPARE(VehicleFile::FromDays(days), date);
    }

    void currentVehicleMatchesCaseSensitively()
    {
        VehicleList list;
        const auto read = list.ReadBytes(VehicleFile::Encode(sample()), VehicleFile::Form::Current, QStringLiteral("ab12cde"),
                                         QDate(2012, 1, 1));
        QVERIFY(!read.foundCurrent);
        QCOMPARE(list.Count(), 1);
    }

    // What is not read (past the hundredth, a part record) is written back
    // unchanged after the records that were read.
    void unreadEndIsKept_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("rest");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("150") << 150 << 0 << 100
                             << "vehs3.veh holds 150 vehicles; the first 100 are shown and the others are kept unchanged";
        QTest::newRow("102 and a part") << 102 << 17 << 100
                                        << "vehs3.veh holds 102 vehicles; the first 100 are shown and the others are kept unchanged";
        QTest::newRow("3 and a part") << 3 << 500 << 3
                                      << "vehs3.veh ends with 500 bytes that are not a whole vehicle record; they are kept unchanged";
        QTest::newRow("100") << 100 << 0 << 100 << "";
    }
    void unreadEndIsKept()
    {
        QFETCH(int, records);
        QFETCH(int, rest);
        QFETCH(int, shown);
        QFETCH(QString, message);
        QByteArray bytes;
        for (int i = 0; i < records; ++i) {
            TVehicleRecord r = sample();
            r.Registration = QStringLiteral("R%1").arg(i);
            bytes += VehicleFile::Encode(r);
        }
        bytes += QByteArray(rest, '\x5a');
        VehicleList list;
        const auto read = list.ReadBytes(bytes, VehicleFile::Form::Current, QString(), QDate(2012, 1, 1));
        QCOMPARE(list.Count(), shown);
        QCOMPARE(VehicleList::UnreadMessage(QStringLiteral("vehs3.veh"), read), message);
        QCOMPARE(list.Bytes(), bytes);
        list.Append(sample());
        QCOMPARE(list.Count(), shown == 100 ? 100 : shown + 1);
        list.Remove(0);
        const QByteArray after = list.Bytes();
        QCOMPARE(after.size(), bytes.size() - (shown == 100 ? 1848 : 0));
        QVERIFY(after.endsWith(bytes.mid(qsizetype(shown) * 1848)));
    }

    // Another program's list with this program's changes put in, by
    // registration. A list is written as "AB:1 CD:1": registration and the
    // model's name, which stands for the rest of the record.
    void mergedWithAnotherProgramsList_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<int>("theirChanges");
        QTest::newRow("each adds one") << "AB:1" << "AB:1 CD:1" << "AB:1 EF:1" << "AB:1 EF:1 CD:1" << 1;
        QTest::newRow("each changes another") << "AB:1 CD:1" << "AB:2 CD:1" << "AB:1 CD:3" << "AB:2 CD:3" << 1;
        QTest::newRow("both change one: ours") << "AB:1" << "AB:2" << "AB:3" << "AB:2" << 1;
        QTest::newRow("ours deleted, theirs kept it") << "AB:1 CD:1" << "CD:1" << "AB:1 CD:1 EF:1" << "CD:1 EF:1" << 1;
        QTest::newRow("ours deleted, theirs changed it: kept") << "AB:1 CD:1" << "CD:1" << "AB:4 CD:1" << "AB:4 CD:1" << 1;
        QTest::newRow("theirs deleted, ours kept it") << "AB:1 CD:1" << "AB:1 CD:1" << "CD:1" << "CD:1" << 1;
        QTest::newRow("theirs deleted, ours changed it: kept") << "AB:1 CD:1" << "AB:2 CD:1" << "CD:1" << "CD:1 AB:2" << 1;
        QTest::newRow("theirs reordered only") << "AB:1 CD:1" << "AB:1 CD:1 EF:1" << "CD:1 AB:1" << "CD:1 AB:1 EF:1" << 0;
    }
    void mergedWithAnotherProgramsList()
    {
        QFETCH(QString, base);
        QFETCH(QString, mine);
        QFETCH(QString, theirs);
        QFETCH(QString, merged);
        QFETCH(int, theirChanges);
        auto list = [](const QString &text) {
            VehicleList l;
            for (const QString &v : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                TVehicleRecord r;
                r.Registration = v.section(QLatin1Char(':'), 0, 0);
                r.Model = v.section(QLatin1Char(':'), 1);
                l.Append(r);
            }
            return l;
        };
        int changes = -1;
        const VehicleList got = VehicleList::Merged(list(base), list(mine), list(theirs), &changes);
        QStringList shown;
        for (int i = 0; i < got.Count(); ++i)
            shown << got.At(i).Registration + QLatin1Char(':') + got.At(i).Model;
        QCOMPARE(shown.join(QLatin1Char(' ')), merged);
        QCOMPARE(changes, theirChanges);
    }

    void fileSafeRegistrations_data()
    {
        QTest::addColumn<QString>("registration");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "AB12 CDE" << true;
        QTest::newRow("pound sign") << "\u00A31" << true;
        for (const char *bad : {"A/B", "A\\B", "A:B", "A*B", "A?B", "A\"B", "A<B", "A>B", "A|B", "A\tB", ".", "..", "../OUT",
                                " AB12", "AB12 ", "   ", "", "ABCDEFGHIJK"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << false;
        QTest::newRow("nul") << QStringLiteral("AB").append(QChar(0)).append(QStringLiteral("CD")) << false;
        QTest::newRow("omega") << "AB\u03A912" << false;
        QTest::newRow("c1 control") << "AB\u0085" << false;
        QTest::newRow("euro") << "\u20AC12" << true;
        QTest::newRow("last of the code page's own") << "\u0178\u017E\u201A" << true;
        QTest::newRow("a macron the code page lacks") << "\u0100B12" << false;
        QTest::newRow("ten") << "ABCDEFGHIJ" << true;
        QTest::newRow("blank inside") << "AB 12" << true;
        QTest::newRow("dots inside") << "A.B" << true;
    }
    void fileSafeRegistrations()
    {
        QFETCH(QString, registration);
        QFETCH(bool, safe);
        QCOMPARE(IsFileSafeRegistration(registration), safe);
    }

    void nameTables()
    {
        QCOMPARE(NameOf(VehicleTypeNames, 4), QStringLiteral("Car"));
        QCOMPARE(NameOf(FuelTypeNames, 2), QStringLiteral("LRP"));
        QCOMPARE(NameOf(FuelTypeNames, 3), QString());
        QCOMPARE(NameOf(ArchiveMarks, -1), QString());
    }
};

VANTIQ_TEST(VehicleFileTest)
#include "tst_vehiclefile.moc"
