#include "core/exchange/Csv.h"

#include "core/fuellog/Windows1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

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

namespace {
// Text written as UTF-16 without a byte-order mark shows itself by its NUL
// bytes: every other byte of Latin text is 0, the odd ones (little-endian)
// or the even ones (big-endian), and the others hardly ever.
std::optional<QStringDecoder::Encoding> utf16ByItsZeros(QByteArrayView view)
{
    const qsizetype n = std::min<qsizetype>(view.size(), 4096) & ~qsizetype(1);
    if (n < 4)
        return std::nullopt;
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < n; ++i)
        zeros[i % 2] += view[i] == '\0';
    const qsizetype pairs = n / 2;
    if (zeros[1] * 10 >= pairs * 6 && zeros[0] * 10 <= pairs)
        return QStringDecoder::Utf16LE;
    if (zeros[0] * 10 >= pairs * 6 && zeros[1] * 10 <= pairs)
        return QStringDecoder::Utf16BE;
    return std::nullopt;
}
} // namespace

QString Decode(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    // UTF-16, as spreadsheets save "Unicode text": by its byte-order mark,
    // or by the pattern of its NUL bytes.
    std::optional<QStringDecoder::Encoding> utf16;
    if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF")) {
        utf16 = view.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE;
        view = view.sliced(2);
    } else {
        utf16 = utf16ByItsZeros(view);
    }
    if (utf16) {
        QStringDecoder decoder(*utf16, QStringDecoder::Flag::Stateless);
        return decoder(view);
    }
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return Windows1252::Decode(view);
}

QString Decode(const QByteArray &bytes, const GoOn &goOn)
{
    // Small files at once; a large one in pieces, asking between them.
    constexpr qsizetype Piece = 4 * 1024 * 1024;
    if (!goOn || bytes.size() <= Piece)
        return Decode(bytes);
    QByteArrayView view(bytes);
    const bool utf8Mark = view.startsWith("\xEF\xBB\xBF");
    if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF") || utf16ByItsZeros(view))
        return Decode(bytes); // UTF-16 is rare and quick
    if (utf8Mark)
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8); // keeps a character cut between pieces
    QString text;
    text.reserve(view.size());
    for (qsizetype at = 0; at < view.size(); at += Piece) {
        if (!goOn(at))
            return QString();
        text += utf8(view.sliced(at, std::min(Piece, view.size() - at)));
    }
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

QStringList Lines(const QString &text, const GoOn &goOn)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        if (goOn && lines.size() % 1024 == 0 && !goOn(i))
            return lines;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QVector<Record> Parse(const QStringList &lines, int first, int end, QChar separator, const GoOn &goOn)
{
    QVector<Record> records;
    Record current;
    // One buffer for every field, never shared: each field takes a copy of
    // exactly its own text, so the buffer keeps its room from field to field.
    QString fieldText;
    fieldText.reserve(256);
    auto take = [&](bool whole) {
        const QStringView text = whole ? QStringView(fieldText) : QStringView(fieldText).trimmed();
        current.fields.append(QString(text.data(), text.size()));
        fieldText.resize(0);
    };
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the field began with a quote
    bool inRecord = false;
    for (int l = first; l < end; ++l) {
        if (goOn && (l - first) % 1024 == 0 && !goOn(l - first))
            return records;
        const QString &line = lines[l];
        if (!inRecord) {
            if (line.trimmed().isEmpty())
                continue;
            current = Record{l + 1, {}};
            inRecord = true;
            fieldText.resize(0);
            wasQuoted = false;
        } else {
            fieldText += QLatin1Char('\n'); // a line break inside quotes
        }
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (goOn && i % 65536 == 65535 && !goOn(l - first)) // a line of a million fields
                return records;
            const QChar c = line[i];
            if (quoted) {
                if (c != QLatin1Char('"'))
                    fieldText += c;
                else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                    fieldText += c, ++i;
                else
                    quoted = false;
            } else if (c == separator) {
                take(wasQuoted);
                wasQuoted = false;
            } else if (c == QLatin1Char('"') && QStringView(fieldText).trimmed().isEmpty() && !wasQuoted) {
                quoted = wasQuoted = true;
                fieldText.resize(0);
            } else {
                fieldText += c;
            }
        }
        if (quoted)
            continue; // the field goes on on the next line
        take(wasQuoted);
        records.append(std::move(current));
        current = Record();
        inRecord = false;
    }
    if (inRecord) { // an unclosed quote runs to the end: keep what there is
        take(true);
        records.append(std::move(current));
    }
    return records;
}

} // namespace Csv
