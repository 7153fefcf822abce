#include "TestMain.h"
#include "core/entry/LogMerge.h"

#include <QtTest>

// Another program's save and this program's changes, put together.
class LogMergeTest : public QObject {
    Q_OBJECT

    // "10000 10300p" : a record a reading, dated a day a hundred miles from
    // 01/01/2012; "p" marks it partial, "m" missed, "x" has another quantity.
    static LogMerge::Log log(const QString &text)
    {
        LogMerge::Log l;
        for (const QString &t : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            QString reading = t;
            FillMark mark = FillMark::Full;
            const bool other = reading.endsWith(QLatin1Char('x'));
            if (other)
                reading.chop(1);
            if (reading.endsWith(QLatin1Char('p')) || reading.endsWith(QLatin1Char('m'))) {
                mark = reading.endsWith(QLatin1Char('p')) ? FillMark::Partial : FillMark::Missed;
                reading.chop(1);
            }
            const QString date = QDate(2012, 1, 1).addDays((reading.toInt() - 10000) / 100).toString(QStringLiteral("dd/MM/yyyy"));
            l.lines << date << reading << (other ? QStringLiteral("35.00") : QStringLiteral("40.00")) << QStringLiteral("130.00");
            l.marks.Set(date, reading, mark);
        }
        return l;
    }
    static QString text(const LogMerge::Log &l)
    {
        QStringList out;
        for (qsizetype k = 0; k + 3 < l.lines.size(); k += 4) {
            const FillMark m = l.marks.Of(l.lines[k], l.lines[k + 1]);
            out << l.lines[k + 1] + (m == FillMark::Partial ? QStringLiteral("p") : m == FillMark::Missed ? QStringLiteral("m") : QString());
        }
        return out.join(QLatin1Char(' '));
    }

private slots:
    void fuelLog_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<QString>("told");
        QTest::newRow("each added one") << "10000 10300" << "10000 10300 10900" << "10000 10300 10600" << "10000 10300 10600 10900"
                                        << "AB12.dat was changed by another program; its 1 new fill-up is kept and yours is added";
        QTest::newRow("ours placed by its reading") << "10000" << "10000 10300" << "10000 10600 10900" << "10000 10300 10600 10900"
                                                    << "AB12.dat was changed by another program; its 2 new fill-ups are kept and yours is added";
        QTest::newRow("ours before all") << "10500" << "10100 10500" << "10500 10600" << "10100 10500 10600"
                                         << "AB12.dat was changed by another program; its 1 new fill-up is kept and yours is added";
        QTest::newRow("the same added by both") << "10000" << "10000 10300" << "10000 10300" << "10000 10300"
                                                << "AB12.dat was changed by another program; its 1 new fill-up is kept";
        QTest::newRow("the same added by both, marked there") << "10000" << "10000 10300" << "10000 10300p" << "10000 10300p"
                                                              << "AB12.dat was changed by another program; its 1 new fill-up is kept";
        QTest::newRow("another at our reading") << "10000" << "10000 10300" << "10000 10300x" << "10000 10300"
                                                << "AB12.dat was changed by another program; its 1 new fill-up is kept; your fill-up of "
                                                   "04/01/2012 at 10300 is not added: the file holds another at that reading";
        QTest::newRow("marks: both changed one, the file's stands") << "10000 10300" << "10000 10300p" << "10000 10300m"
                                                                   << "10000 10300m" << "AB12.dat was changed by another program; its changes are kept";
        QTest::newRow("ours deleted, theirs added") << "10000 10300 10600" << "10000 10600" << "10000 10300 10600 10900"
                                                    << "10000 10600 10900"
                                                    << "AB12.dat was changed by another program; its 1 new fill-up is kept and the one you deleted goes";
        QTest::newRow("theirs deleted, ours added") << "10000 10300" << "10000 10300 10600" << "10000" << "10000 10600"
                                                    << "AB12.dat was changed by another program; the 1 fill-up it removed stays removed and yours is added";
        QTest::newRow("marks: ours set, theirs set") << "10000 10300 10600" << "10000 10300p 10600" << "10000 10300 10600m"
                                                     << "10000 10300p 10600m" << "AB12.dat was changed by another program; its changes are kept";
        QTest::newRow("ours added two") << "10000" << "10000 10300 10600" << "10000 10100" << "10000 10100 10300 10600"
                                        << "AB12.dat was changed by another program; its 1 new fill-up is kept and your 2 are added";
    }
    void fuelLog()
    {
        QFETCH(QString, base);
        QFETCH(QString, mine);
        QFETCH(QString, theirs);
        QFETCH(QString, merged);
        QFETCH(QString, told);
        const LogMerge::Log b = log(base), m = log(mine), t = log(theirs);
        const LogMerge::Result r = LogMerge::FuelLog(b.lines, b.marks, m.lines, m.marks, t.lines, t.marks);
        QCOMPARE(text({r.log, r.marks}), merged);
        QCOMPARE(r.Message(QStringLiteral("AB12.dat")), told);
    }
};

VANTIQ_TEST(LogMergeTest)
#include "tst_logmerge.moc"
