#include "core/fuellog/FillMarks.h"

#include "core/fuellog/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {
// A key owns exactly its own characters: a line of a log read from a file
// shares one block of text with every other line, and text grown from it
// would take a capacity the size of that block.
QString keyOf(QStringView date, QStringView reading)
{
    date = date.trimmed();
    reading = reading.trimmed();
    QString key(date.size() + 1 + reading.size(), Qt::Uninitialized);
    QChar *out = key.data();
    out = std::copy(date.begin(), date.end(), out);
    *out++ = QLatin1Char(',');
    std::copy(reading.begin(), reading.end(), out);
    return key;
}

// The kinds of a marks file line: "partial", "missed" or "partial,missed".
QString fileKinds(FillMark mark)
{
    return FillMarks::Name(mark).toLower().remove(QLatin1Char(' '));
}

// The same text a record's lines give, checked for what a file line may hold.
bool plainField(QStringView text)
{
    return !text.isEmpty() && std::none_of(text.begin(), text.end(), [](QChar c) { return c < QLatin1Char(' ') || c == QLatin1Char(','); });
}
} // namespace

FillMark FillMarks::At(const QStringList &log, int p) const
{
    if (marks.isEmpty() || p < 0 || p + 3 >= log.size())
        return FillMark::Full; // only whole records carry marks
    return Of(log[p], log[p + 1]);
}

FillMark FillMarks::Of(const QString &date, const QString &reading) const
{
    return marks.isEmpty() ? FillMark::Full : marks.value(keyOf(date, reading), FillMark::Full);
}

void FillMarks::Set(const QString &date, const QString &reading, FillMark mark)
{
    if (mark == FillMark::Full)
        marks.remove(keyOf(date, reading));
    else
        marks.insert(keyOf(date, reading), mark);
}

void FillMarks::SetAt(const QStringList &log, int p, FillMark mark)
{
    if (p >= 0 && p + 3 < log.size())
        Set(log[p], log[p + 1], mark);
}

void FillMarks::Move(const QString &date, const QString &reading, const QString &newDate, const QString &newReading)
{
    const QString from = keyOf(date, reading);
    const auto it = marks.constFind(from);
    if (it == marks.constEnd())
        return;
    const FillMark mark = *it;
    marks.remove(from);
    Set(newDate, newReading, mark);
}

QVector<FillMark> FillMarks::PerRecord(const QStringList &log) const
{
    QVector<FillMark> per;
    if (marks.isEmpty())
        return per;
    const int records = int(log.size() / 4);
    per.resize(records);
    bool any = false;
    for (int k = 0; k < records; ++k) {
        per[k] = Of(log[4 * k], log[4 * k + 1]);
        any = any || per[k] != FillMark::Full;
    }
    if (!any)
        per.clear();
    return per;
}

QByteArray FillMarks::FileText(const QStringList &log) const
{
    QByteArray text;
    if (marks.isEmpty())
        return text;
    QStringList lines;
    QSet<QString> named; // two records of one date and reading share their mark: one line
    for (int p = 0; p + 3 < log.size(); p += 4) {
        const QString key = keyOf(log[p], log[p + 1]);
        const auto it = marks.constFind(key);
        if (it != marks.constEnd() && !named.contains(key)) {
            named.insert(key);
            lines << key + QLatin1Char(',') + fileKinds(*it);
        }
    }
    return lines.isEmpty() ? text : TextFile::JoinLines(lines);
}

QByteArray FillMarks::AllText() const
{
    QStringList lines;
    for (auto it = marks.constBegin(); it != marks.constEnd(); ++it)
        lines << it.key() + QLatin1Char(',') + fileKinds(it.value());
    lines.sort();
    return TextFile::JoinLines(lines);
}

FillMarks FillMarks::Read(const QByteArray &bytes) { return read(bytes, nullptr); }

FillMarks FillMarks::Read(const QByteArray &bytes, const QStringList &log)
{
    QSet<QString> records;
    records.reserve(log.size() / 4);
    for (qsizetype p = 0; p + 3 < log.size(); p += 4)
        records.insert(keyOf(log[p], log[p + 1]));
    return read(bytes, &records);
}

FillMarks FillMarks::read(const QByteArray &bytes, const QSet<QString> *records)
{
    FillMarks read;
    for (const QString &line : TextFile::SplitLines(bytes)) {
        // Fields cut out as views: a file of a million lines is no million
        // lists of strings.
        QStringView fields[5];
        int count = 0;
        for (qsizetype from = 0; count < 5;) {
            const qsizetype comma = line.indexOf(QLatin1Char(','), from);
            fields[count++] = QStringView(line).mid(from, comma < 0 ? -1 : comma - from);
            if (comma < 0)
                break;
            from = comma + 1;
        }
        if (count != 3 && count != 4)
            continue;
        const QStringView date = fields[0].trimmed(), reading = fields[1].trimmed();
        if (!plainField(date) || !plainField(reading))
            continue;
        quint8 bits = 0;
        bool known = true; // an unknown kind spoils the line
        for (int f = 2; f < count; ++f) {
            const QStringView kind = fields[f].trimmed();
            if (kind.compare(QLatin1String("partial"), Qt::CaseInsensitive) == 0)
                bits |= quint8(FillMark::Partial);
            else if (kind.compare(QLatin1String("missed"), Qt::CaseInsensitive) == 0)
                bits |= quint8(FillMark::Missed);
            else
                known = false;
        }
        if (!known)
            continue;
        const QString key = keyOf(date, reading);
        if (records && !records->contains(key))
            continue; // names no record of the log
        FillMark &mark = read.marks[key];
        mark = FillMark(quint8(mark) | bits);
    }
    return read;
}

FillMarks FillMarks::United(const FillMarks &other) const
{
    FillMarks both = *this;
    for (auto it = other.marks.constBegin(); it != other.marks.constEnd(); ++it)
        both.marks.insert(it.key(), it.value());
    return both;
}

QString FillMarks::PathFor(const QString &dataPath)
{
    const QString name = QFileInfo(dataPath).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    const bool backup = dot >= 0 && name.mid(dot).compare(QLatin1String(".bak"), Qt::CaseInsensitive) == 0;
    return dataPath.left(dataPath.size() - name.size()) + stem + (backup ? QStringLiteral(".marks.bak") : QStringLiteral(".marks"));
}

QString FillMarks::SaveAsProblem(const QString &dataPath)
{
    const QFileInfo chosen(dataPath);
    const QString name = chosen.fileName();
    for (const char *reserved : {".marks", ".marks.bak"})
        if (name.endsWith(QLatin1String(reserved), Qt::CaseInsensitive))
            return name + QStringLiteral(" cannot hold a fuel log: files ending in ") + QLatin1String(reserved)
                 + QStringLiteral(" keep the fill marks of a data file. Choose another name.");
    const QString marks = PathFor(dataPath);
    const QDir folder = chosen.absoluteDir();
    for (const QString &other : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString suffix = QFileInfo(other).suffix().toLower();
        if (other == name || (suffix != QLatin1String("dat") && suffix != QLatin1String("bak")))
            continue;
        if (PathFor(folder.filePath(other)) == PathFor(folder.filePath(name)))
            return name + QStringLiteral(" cannot be saved there: its fill marks would go in ") + QFileInfo(marks).fileName()
                 + QStringLiteral(", which keeps the marks of ") + other + QStringLiteral(". Choose another name.");
    }
    return QString();
}

QString FillMarks::Name(FillMark mark)
{
    switch (mark) {
    case FillMark::Partial: return QStringLiteral("Partial");
    case FillMark::Missed: return QStringLiteral("Missed");
    case FillMark::PartialMissed: return QStringLiteral("Partial, missed");
    case FillMark::Full: break;
    }
    return QString();
}

std::optional<FillMark> FillMarks::FromName(const QString &text)
{
    for (FillMark m : All)
        if (text.trimmed().compare(Name(m), Qt::CaseInsensitive) == 0)
            return m;
    return std::nullopt;
}
