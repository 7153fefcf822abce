#pragma once
#include "AppFolder.h"
#include "TestVehicles.h"
#include "core/entry/BulkList.h"
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"
#include "core/vehicles/VehicleRecord.h"

#include <QByteArray>
#include <QString>

// The two contents the saver writes in turn, by file kind: a 10,000-record
// car data file, a vehicle list of forty-odd vehicles, a bulk file of
// thousands of deliveries. Each pair differs in size and in bytes.
namespace Durability {

inline QString FileName(const QString &kind)
{
    if (kind == QLatin1String("vehiclelist"))
        return QStringLiteral("vehs3.veh");
    if (kind == QLatin1String("bulk"))
        return QStringLiteral("bulk.dat");
    if (kind == QLatin1String("backup"))
        return QStringLiteral("AB12.bak");
    if (kind == QLatin1String("settings"))
        return QStringLiteral("vantiq.ini");
    return QStringLiteral("AB12.dat");
}

inline QByteArray Content(const QString &kind, int which)
{
    if (kind == QLatin1String("vehiclelist")) {
        QByteArray bytes;
        for (int i = 0; i < 40 + which; ++i)
            bytes += VehicleFile::Encode(TestVehicle(QStringLiteral("V%1-%2").arg(which).arg(i)));
        return bytes;
    }
    if (kind == QLatin1String("bulk")) {
        QStringList lines;
        for (int i = 0; i < 3000 + which; ++i)
            lines += BulkList::PurchaseLines(QDate(2000, 1, 1).addDays(i).toString(QStringLiteral("dd/MM/yyyy")),
                                             QString::number(1000 + i), which ? QStringLiteral("131.5") : QStringLiteral("98.25"));
        return TextFile::JoinLines(lines);
    }
    if (kind == QLatin1String("settings"))
        return AppFolder::crlf({QStringLiteral("[Quorvix\\Vantiq]"), QStringLiteral("Registration=AB12"),
                                QStringLiteral("Do Flash=0"), QStringLiteral("Start up=1")});
    QStringList log = AppFolder::log(10000);
    if (which)
        for (qsizetype p = 3; p < log.size(); p += 4)
            log[p] = QStringLiteral("142.9");
    return AppFolder::crlf(log);
}

// A marked log in two states a save goes between: the second changes the
// readings of some marked records (their marks follow them), changes some
// marks, and adds a marked record. The log of each, and the mark of each
// record by its place.
struct MarkedLog {
    QStringList log;
    FillMarks marks;
    QVector<FillMark> byRecord;
};
inline MarkedLog Marked(int which)
{
    MarkedLog m;
    const int records = 2000;
    m.log = AppFolder::log(records);
    if (which)
        m.log << QStringLiteral("01/01/2051") << QStringLiteral("700000") << QStringLiteral("12.00") << QStringLiteral("150.0");
    for (int k = 0; k < int(m.log.size() / 4); ++k) {
        if (which && k % 13 == 0 && k < records)
            m.log[4 * k + 1] = QString::number(m.log[4 * k + 1].toInt() + 50);
        FillMark mark = FillMark::Full;
        if (k % 7 == 0)
            mark = which && k % 2 == 0 ? FillMark::Missed : FillMark::Partial;
        else if (k % 11 == 0)
            mark = which ? FillMark::Partial : FillMark::Missed;
        if (k == records)
            mark = FillMark::Partial;
        m.byRecord << mark;
        m.marks.SetAt(m.log, 4 * k, mark);
    }
    return m;
}

} // namespace Durability
