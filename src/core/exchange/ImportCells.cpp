#include "core/exchange/ImportCells.h"

#include "core/exchange/ImportWords.h"
#include "core/fuellog/NumberText.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace LogImport {

namespace Cells {

namespace {
// Month names in the languages of the header tables, by their first three
// letters where that is unique.
int monthNamed(const QString &word)
{
    static const QHash<QString, int> months = [] {
        QHash<QString, int> m;
        const char *const names[12][8] = {
            {"jan", "januar", "janv", "ene", "gen", "led", "sty", "янв"},
            {"feb", "febr", "fév", "fev", "úno", "uno", "lut", "фев"},
            {"mar", "mär", "mrz", "mars", "bře", "bre", "mär", "мар"},
            {"apr", "avr", "abr", "dub", "kwi", "апр", "apr", "apr"},
            {"may", "mai", "mei", "mag", "kvě", "kve", "maj", "мая"},
            {"jun", "juin", "jún", "giu", "čvn", "cvn", "cze", "июн"},
            {"jul", "juil", "lug", "čvc", "cvc", "lip", "июл", "jul"},
            {"aug", "août", "aou", "ago", "srp", "sie", "авг", "aug"},
            {"sep", "sept", "set", "zář", "zar", "wrz", "сен", "sep"},
            {"oct", "okt", "ott", "říj", "rij", "paź", "paz", "окт"},
            {"nov", "lis", "list", "ноя", "nov", "nov", "nov", "nov"},
            {"dec", "dez", "déc", "dic", "pro", "gru", "дек", "dec"},
        };
        for (int i = 0; i < 12; ++i)
            for (const char *n : names[i])
                m.insert(QString::fromUtf8(n), i + 1);
        return m;
    }();
    const QString w = word.toLower();
    if (const auto it = months.constFind(w); it != months.constEnd())
        return it.value();
    return w.size() > 3 ? months.value(w.left(3), 0) : 0;
}
} // namespace

DateParts ReadDate(const QString &field)
{
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,4})([/.\\-])(\\d{1,2})[/.\\-](\\d{1,4})\\.?(?:[T\\s,].*)?$"));
    static const QRegularExpression dayMonth(
        QStringLiteral("^(\\d{1,2})\\.?[\\s\\-/]*([^\\d\\s.\\-/,]+)\\.?[\\s\\-/,]*(\\d{4}|\\d{2})(?:[T\\s,].*)?$"));
    static const QRegularExpression monthDay(
        QStringLiteral("^([^\\d\\s.\\-/,]+)\\.?\\s*(\\d{1,2})(?:st|nd|rd|th)?,?\\s+(\\d{4})(?:[T\\s,].*)?$"));
    DateParts d;
    const QString t = field.trimmed();
    if (t.isEmpty() || t.size() > 64)
        return d;
    if (const QRegularExpressionMatch m = numeric.match(t); m.hasMatch()) {
        const QString first = m.captured(1), last = m.captured(4);
        d.separator = m.captured(2).at(0);
        if (first.size() == 4) {
            d.fixed = true;
            d.year = first.toInt();
            d.a = m.captured(3).toInt();
            d.b = last.toInt();
            d.ok = last.size() <= 2;
            return d;
        }
        if (first.size() > 2 || (last.size() != 4 && last.size() != 2))
            return d;
        d.a = first.toInt();
        d.b = m.captured(3).toInt();
        d.year = last.size() == 2 ? 2000 + last.toInt() : last.toInt();
        d.ok = true;
        return d;
    }
    auto named = [&](int month, int day, const QString &year) {
        if (month == 0)
            return;
        d.fixed = true;
        d.a = month;
        d.b = day;
        d.year = year.size() == 2 ? 2000 + year.toInt() : year.toInt();
        d.ok = true;
    };
    if (const QRegularExpressionMatch m = dayMonth.match(t); m.hasMatch())
        named(monthNamed(m.captured(2)), m.captured(1).toInt(), m.captured(3));
    else if (const QRegularExpressionMatch n = monthDay.match(t); n.hasMatch())
        named(monthNamed(n.captured(1)), n.captured(2).toInt(), n.captured(3));
    return d;
}

QDate DateOf(const DateParts &d, DateOrder order)
{
    if (!d.ok || d.year < 1900)
        return {};
    if (d.fixed)
        return QDate(d.year, d.a, d.b);
    return order == DateOrder::MonthFirst ? QDate(d.year, d.a, d.b) : QDate(d.year, d.b, d.a);
}

QString FieldOf(const Source::Row &row, int column)
{
    return column >= 0 && column < row.fields.size() ? row.fields[column] : QString();
}

double Median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    auto mid = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

double Spread(const QVector<double> &values)
{
    if (values.size() < 2)
        return 0;
    double sum = 0, squares = 0;
    for (double v : values)
        sum += v;
    const double mean = sum / double(values.size());
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return mean != 0 ? std::sqrt(squares / double(values.size())) / std::fabs(mean) : 0;
}

double LitresPer(FuelUnit unit)
{
    switch (unit) {
    case FuelUnit::ImperialGallons: return LitresPerImperialGallon;
    case FuelUnit::UsGallons: return LitresPerUsGallon;
    default: return 1.0;
    }
}

QVector<const Source::Row *> EvidenceRows(const Source &s)
{
    constexpr qsizetype Most = 50000;
    const qsizetype n = s.rows.size();
    const qsizetype step = n <= Most ? 1 : (n + Most - 1) / Most;
    QVector<const Source::Row *> rows;
    rows.reserve(n / step + 1);
    for (qsizetype i = 0; i < n; i += step)
        rows << &s.rows[i];
    return rows;
}

bool Pace::operator()(qint64 done, bool now)
{
    if (!progress || cancelled)
        return !cancelled;
    if (!now && since.elapsed() < 100)
        return true;
    since.restart();
    cancelled = !progress(std::min(done, PaceTotal - 1), PaceTotal);
    return !cancelled;
}

Csv::GoOn Pace::Part(qint64 from, qint64 to, qint64 count)
{
    return [this, from, to, count](qint64 done) { return (*this)(from + (to - from) * done / std::max<qint64>(1, count)); };
}

} // namespace Cells

Money ReadMoney(const QString &text, bool decimalComma)
{
    // A currency before or after the figure: a code, a symbol or a word.
    static const QRegularExpression lead(QStringLiteral("^([A-Za-z]{3}|[\\x{00A3}\\x{20AC}$\\x{20BD}]|US\\$)\\s*(.+)$"));
    static const QRegularExpression trail(
        QStringLiteral("^(.+?)\\s*([A-Za-z]{3}|[\\x{00A3}\\x{20AC}$\\x{20BD}]|K\\x{010D}|k\\x{010D}|Kc|z\\x{0142}|zl|"
                       "\\x{0440}\\x{0443}\\x{0431}\\.?|\\x{0440}\\.)$"));
    static const QRegularExpression noise(QStringLiteral("[\\s\\x{00A0}\\x{202F}']"));
    static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    Money money;
    QString t = text.trimmed();
    for (const QRegularExpression *re : {&lead, &trail}) {
        const QRegularExpressionMatch m = re->match(t);
        if (!m.hasMatch())
            continue;
        const QString sign = re == &lead ? m.captured(1) : m.captured(2);
        const QString code = ImportWords::CurrencyIn(sign);
        if (code.isEmpty())
            continue;
        money.currency = code;
        t = re == &lead ? m.captured(2) : m.captured(1);
        break;
    }
    t.remove(noise);
    if (t.endsWith(QLatin1Char('p')) || t.endsWith(QLatin1Char('P')))
        t.chop(1);
    // Spreadsheets and fuel-log programs never write exponents: "1e3" is a slip.
    if (t.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return money;
    if (decimalComma) {
        t.remove(QLatin1Char('.'));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (t.contains(QLatin1Char(','))) {
        if (grouped.match(t).hasMatch())
            t.remove(QLatin1Char(','));
        else if (!t.contains(QLatin1Char('.')) && t.count(QLatin1Char(',')) == 1)
            t.replace(QLatin1Char(','), QLatin1Char('.'));
        else
            return money;
    }
    const NumberText::RealReading r = NumberText::ReadReal(t);
    if (!r.ok || !std::isfinite(r.value))
        return money;
    money.ok = true;
    money.value = r.value;
    return money;
}

bool ReadNumber(const QString &text, bool decimalComma, double *value)
{
    const Money m = ReadMoney(text, decimalComma);
    if (m.ok)
        *value = m.value;
    return m.ok;
}

bool IsPlainDecimal(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^\\d{1,9}(\\.\\d{1,6})?$"));
    return plain.match(text).hasMatch();
}

} // namespace LogImport
