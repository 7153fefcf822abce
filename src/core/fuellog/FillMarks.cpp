#include "core/fuellog/FillMarks.h"

#include "core/fuellog/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <vector>

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

// A record's key built in one buffer, reused from record to record: a walk
// over a long log looks every record up without making a string for each.
class KeyBuffer {
public:
    KeyBuffer() { key.reserve(48); }
    const QString &Of(QStringView date, QStringView reading)
    {
        date = date.trimmed();
        reading = reading.trimmed();
        key.resize(0);
        key.append(date).append(QLatin1Char(',')).append(reading);
        return key;
    }

private:
    QString key;
};

// The kinds of a marks file line: "partial", "missed" or "partial,missed".
QLatin1String fileKinds(FillMark mark)
{
    static const char *const kinds[] = {"", "partial", "missed", "partial,missed"};
    return QLatin1String(kinds[int(mark) & 3]);
}

// "dd/mm/yyyy,<reading>," and the kinds, as Latin-1.
void appendLine(QByteArray &out, QStringView date, QStringView reading, FillMark mark)
{
    auto latin1 = [&out](QStringView text) {
        for (QChar c : text)
            out += c.unicode() < 256 ? char(c.unicode()) : '?';
    };
    latin1(date.trimmed());
    out += ',';
    latin1(reading.trimmed());
    out += ',';
    out += fileKinds(mark);
    out += "\r\n";
}

// The same text a record's lines give, checked for what a file line may hold.
bool plainField(QStringView text)
{
    return !text.isEmpty() && std::none_of(text.begin(), text.end(), [](QChar c) { return c < QLatin1Char(' ') || c == QLatin1Char(','); });
}
} // namespace

// The marks looked up by a record's date and reading as they stand in the
// log, without making a string for each record. A QHash of strings costs a
// cache miss or two a probe (its node, then the key's text), which over a
// walk of 100,000 records is most of a save; this table holds each key's
// 64-bit hash, its length and its mark in one slot, so that a record is
// looked up in one place. Two keys of one length alike in all 64 bits of a
// well-mixed hash do not occur among the marks of a log.
class FillMarks::Index {
public:
    explicit Index(const QHash<QString, FillMark> &marks) : count(int(marks.size()))
    {
        size_t capacity = 16;
        while (capacity < 2 * size_t(marks.size()))
            capacity *= 2;
        mask = capacity - 1;
        table.assign(capacity, Slot{});
        // Sixteen bits a mark: most records hold none, and are turned away
        // here without a look at the table (a cache miss of its own).
        seen.assign(std::max<size_t>(64, 16 * capacity / 2 / 64), 0);
        int entry = 0;
        for (auto it = marks.constBegin(); it != marks.constEnd(); ++it) {
            quint64 h = Start;
            add(h, it.key());
            h = finish(h);
            size_t at = h & mask;
            while (table[at].entry >= 0)
                at = (at + 1) & mask;
            table[at] = {h, entry++, quint32(it.key().size()), it.value()};
            const size_t bit = (h >> 40) % (seen.size() * 64);
            seen[bit / 64] |= quint64(1) << (bit % 64);
        }
    }
    struct Slot {
        quint64 hash = 0;
        int entry = -1; // each key its number; -1: an empty slot
        quint32 size = 0;
        FillMark mark = FillMark::Full;
    };
    // The record's slot, or none.
    const Slot *Find(QStringView date, QStringView reading) const
    {
        date = date.trimmed();
        reading = reading.trimmed();
        quint64 h = Start;
        add(h, date);
        add(h, u",");
        add(h, reading);
        h = finish(h);
        const size_t bit = (h >> 40) % (seen.size() * 64);
        if (!(seen[bit / 64] & (quint64(1) << (bit % 64))))
            return nullptr;
        const quint32 size = quint32(date.size() + 1 + reading.size());
        for (size_t at = h & mask; table[at].entry >= 0; at = (at + 1) & mask)
            if (table[at].hash == h && table[at].size == size)
                return &table[at];
        return nullptr;
    }
    FillMark MarkOf(QStringView date, QStringView reading) const
    {
        const Slot *s = Find(date, reading);
        return s ? s->mark : FillMark::Full;
    }
    int Count() const { return count; }

private:
    // FNV-1a over the characters of "date,reading", a piece at a time,
    // then mixed: FNV's low bits, through which the table is reached, mix
    // poorly.
    static constexpr quint64 Start = 14695981039346656037ull;
    static void add(quint64 &h, QStringView text)
    {
        for (QChar c : text)
            h = (h ^ c.unicode()) * 1099511628211ull;
    }
    static quint64 finish(quint64 h)
    {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdull;
        h ^= h >> 33;
        return h;
    }
    std::vector<Slot> table;
    std::vector<quint64> seen; // a bit for each hash held
    size_t mask = 0;
    int count = 0;
};

FillMarks::FillMarks() = default;
FillMarks::FillMarks(const FillMarks &other) = default;
FillMarks &FillMarks::operator=(const FillMarks &other) = default;
FillMarks::~FillMarks() = default;

const FillMarks::Index &FillMarks::indexed() const
{
    if (!index)
        index = std::make_shared<const Index>(marks);
    return *index;
}

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
    index.reset();
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
    index.reset();
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
    const Index &byRecord = indexed();
    for (int k = 0; k < records; ++k) {
        per[k] = byRecord.MarkOf(log[4 * k], log[4 * k + 1]);
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
    text.reserve(marks.size() * 32);
    const Index &byRecord = indexed();
    std::vector<bool> named(size_t(byRecord.Count())); // two records of one date and reading share their mark: one line
    for (int p = 0; p + 3 < log.size(); p += 4) {
        const Index::Slot *s = byRecord.Find(log[p], log[p + 1]);
        // A record whose date or reading the file cannot name (empty, or
        // holding a comma) keeps its mark in memory only: the reader would
        // not take the line back.
        if (s && !named[size_t(s->entry)] && plainField(QStringView(log[p]).trimmed())
            && plainField(QStringView(log[p + 1]).trimmed())) {
            named[size_t(s->entry)] = true;
            appendLine(text, log[p], log[p + 1], s->mark);
        }
    }
    // A first line whose date begins with the three characters of a
    // byte-order mark would lose them to the reader: a blank line first.
    if (text.startsWith("\xEF\xBB\xBF"))
        text.prepend("\r\n");
    return text;
}

QByteArray FillMarks::JoinedText(const QByteArray &newText, const QByteArray &oldText)
{
    // A later line for a record stands over an earlier one: the old marks
    // first, then the new, is the two together.
    QByteArray text = oldText;
    if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r'))
        text += "\r\n";
    return text + newText;
}

FillMarks FillMarks::Read(const QByteArray &bytes) { return read(bytes, nullptr); }

FillMarks FillMarks::Read(const QByteArray &bytes, const QStringList &log)
{
    // Strings are made for the smaller of the two: a short log's keys, the
    // lines of the file kept among them; or every mark read, then those
    // that name no record dropped in a walk over the log.
    const qsizetype records = log.size() / 4;
    if (records < bytes.count('\n')) {
        QSet<QString> keys;
        keys.reserve(records);
        for (qsizetype p = 0; p + 3 < log.size(); p += 4)
            keys.insert(keyOf(log[p], log[p + 1]));
        return read(bytes, &keys);
    }
    FillMarks all = read(bytes, nullptr);
    if (all.marks.isEmpty())
        return all;
    FillMarks kept;
    kept.marks.reserve(all.marks.size());
    const Index &index = all.indexed();
    std::vector<bool> named(size_t(index.Count()));
    for (qsizetype p = 0; p + 3 < log.size(); p += 4)
        if (const Index::Slot *s = index.Find(log[p], log[p + 1]); s && !named[size_t(s->entry)]) {
            named[size_t(s->entry)] = true;
            kept.marks.insert(keyOf(log[p], log[p + 1]), s->mark);
        }
    return kept;
}

FillMarks FillMarks::read(const QByteArray &bytes, const QSet<QString> *records)
{
    FillMarks read;
    KeyBuffer buffer;
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
        const QString &key = buffer.Of(date, reading);
        if (records && !records->contains(key))
            continue; // names no record of the log
        // A later line for a record stands over an earlier one.
        read.marks.insert(QString(key.constData(), key.size()), FillMark(bits)); // a string of its own, not the buffer's
    }
    return read;
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
