#include "core/exchange/Csv.h"

#include "core/fuellog/Windows1252.h"

#include <QStringDecoder>

namespace Csv {

namespace {
QByteArray field(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
                       || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
                       || text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    if (!quote)
        return text.toUtf8();
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

} // namespace

QByteArray Row(const QStringList &fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += field(fields[i]);
    }
    return out + "\r\n";
}

QString Decode(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return Windows1252::Decode(view);
}

QChar GuessSeparator(QStringView line)
{
    int counts[3] = {0, 0, 0};
    const QChar candidates[3] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    bool quoted = false;
    for (QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted)
            for (int k = 0; k < 3; ++k)
                counts[k] += c == candidates[k];
    }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (counts[k] > counts[best])
            best = k;
    return candidates[best];
}

QStringList Lines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QVector<Record> Parse(const QStringList &lines, int first, int end, QChar separator)
{
    QVector<Record> records;
    Record current;
    QString fieldText;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the field began with a quote
    bool inRecord = false;
    for (int l = first; l < end; ++l) {
        const QString &line = lines[l];
        if (!inRecord) {
            if (line.trimmed().isEmpty())
                continue;
            current = Record{l + 1, {}};
            inRecord = true;
            fieldText.clear();
            wasQuoted = false;
        } else {
            fieldText += QLatin1Char('\n'); // a line break inside quotes
        }
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (quoted) {
                if (c != QLatin1Char('"'))
                    fieldText += c;
                else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                    fieldText += c, ++i;
                else
                    quoted = false;
            } else if (c == separator) {
                current.fields.append(wasQuoted ? fieldText : fieldText.trimmed());
                fieldText.clear();
                wasQuoted = false;
            } else if (c == QLatin1Char('"') && fieldText.trimmed().isEmpty() && !wasQuoted) {
                quoted = wasQuoted = true;
                fieldText.clear();
            } else {
                fieldText += c;
            }
        }
        if (quoted)
            continue; // the field goes on on the next line
        current.fields.append(wasQuoted ? fieldText : fieldText.trimmed());
        records.append(current);
        inRecord = false;
    }
    if (inRecord) // an unclosed quote runs to the end: keep what there is
        current.fields.append(fieldText), records.append(current);
    return records;
}

} // namespace Csv
