#include "core/exchange/LogExport.h"

#include "core/analysis/AnalysisRun.h"
#include "core/entry/EntryRules.h"
#include "core/exchange/Csv.h"
#include "core/exchange/LogImport.h"
#include "core/fuellog/NumberText.h"

#include <QDate>

namespace LogExport {

namespace {
// A stored number as the file has it when it is a plain decimal (so an
// import gives back the same text), else as a plain number; a text that is
// no number stays as it is.
QString plainNumber(const QString &stored, double *value)
{
    const QString text = stored.trimmed();
    const NumberText::RealReading r = NumberText::ReadReal(text);
    *value = r.ok ? r.value : 0.0;
    if (!r.ok)
        return stored;
    return LogImport::IsPlainDecimal(text) ? text : NumberText::FormatPlain(r.value);
}
} // namespace

QByteArray FuelLog(const QStringList &log, const FillMarks &marks)
{
    const bool withMarks = !marks.PerRecord(log).isEmpty();
    QStringList headers{QStringLiteral("date"), QStringLiteral("odometer_miles"), QStringLiteral("litres"),
                        QStringLiteral("price_per_litre_pence"), QStringLiteral("total_cost")};
    if (withMarks)
        headers << QStringLiteral("full") << QStringLiteral("missed");
    QByteArray out = Csv::Row(headers);
    out.reserve(out.size() + log.size() / 4 * 40);
    for (qsizetype p = 0; p + 3 < log.size(); p += 4) {
        const QDate date = QDate::fromString(log[p].trimmed(), QStringLiteral("dd/MM/yyyy"));
        double litres = 0, pence = 0;
        const QString litresText = plainNumber(log[p + 2], &litres);
        const QString penceText = plainNumber(log[p + 3], &pence);
        QStringList row{date.isValid() ? date.toString(Qt::ISODate) : log[p], QString::number(EntryRules::RecordMiles(log, int(p / 4))),
                        litresText, penceText, QString::number(litres * pence / 100.0, 'f', 2)};
        if (withMarks) {
            const FillMark mark = marks.At(log, int(p));
            row << QLatin1String(IsPartial(mark) ? "0" : "1") << QLatin1String(IsMissed(mark) ? "1" : "0");
        }
        out += Csv::Row(row);
    }
    return out;
}

QByteArray Table(const AnalysisTable &table)
{
    QByteArray out;
    for (int row = 0; row < table.RowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < table.ColCount(); ++col)
            cells << table.Cells(col, row).trimmed();
        out += Csv::Row(cells);
    }
    return out;
}

} // namespace LogExport
