#include "core/entry/LogMerge.h"

#include "core/entry/EntryRules.h"

#include <QFileInfo>
#include <QHash>

namespace LogMerge {

namespace {
QString keyOf(const QStringList &lines, qsizetype at, int width) { return lines.mid(at, width).join(QLatin1Char('\n')); }

QHash<QString, int> counted(const QStringList &lines, int width)
{
    QHash<QString, int> n;
    for (qsizetype k = 0; k + width <= lines.size(); k += width)
        ++n[keyOf(lines, k, width)];
    return n;
}

} // namespace

QStringList Records(int width, const QStringList &base, const QStringList &mine, const QStringList &theirs,
                    const Place &place, Counts *counts)
{
    Counts c;
    const QHash<QString, int> inBase = counted(base, width), inMine = counted(mine, width), inTheirs = counted(theirs, width);
    for (auto i = inBase.cbegin(); i != inBase.cend(); ++i)
        c.theirsRemoved += std::max(0, i.value() - inTheirs.value(i.key()));
    for (auto i = inTheirs.cbegin(); i != inTheirs.cend(); ++i)
        c.theirsAdded += std::max(0, i.value() - inBase.value(i.key()));

    QStringList result = theirs;
    result.resize(theirs.size() / width * width); // a part record at the end is no record
    // Ours removed: taken from the end, where a record twice over was added last.
    for (auto i = inBase.cbegin(); i != inBase.cend(); ++i) {
        int remove = i.value() - inMine.value(i.key());
        for (qsizetype k = result.size() - width; remove > 0 && k >= 0; k -= width)
            if (keyOf(result, k, width) == i.key()) {
                result.remove(k, width);
                --remove;
                ++c.mineRemoved;
            }
    }
    // Ours added, in our order; one the other program added too is there.
    QHash<QString, int> alreadyThere;
    for (auto i = inTheirs.cbegin(); i != inTheirs.cend(); ++i)
        alreadyThere[i.key()] = std::max(0, i.value() - inBase.value(i.key()));
    QHash<QString, int> toAdd;
    for (auto i = inMine.cbegin(); i != inMine.cend(); ++i)
        toAdd[i.key()] = std::max(0, i.value() - inBase.value(i.key()));
    for (qsizetype k = 0; k + width <= mine.size(); k += width) {
        const QString key = keyOf(mine, k, width);
        if (toAdd.value(key) <= 0)
            continue;
        --toAdd[key];
        if (alreadyThere.value(key) > 0) {
            --alreadyThere[key];
            continue;
        }
        const QStringList record = mine.mid(k, width);
        const int at = place(result, record);
        if (at < 0) {
            c.refused << record;
            continue;
        }
        for (int j = 0; j < width; ++j)
            result.insert(at + j, record[j]);
        ++c.mineAdded;
    }
    if (counts)
        *counts = c;
    return result;
}

Result FuelLog(const QStringList &base, const FillMarks &baseMarks, const QStringList &mine, const FillMarks &mineMarks,
               const QStringList &theirs, const FillMarks &theirsMarks)
{
    Result r;
    auto place = [](const QStringList &log, const QStringList &record) {
        const long long miles = EntryRules::RecordMiles(record, 0);
        const EntryRules::Placement p = EntryRules::PlaceBackDated(log, miles, record[0]);
        switch (p.kind) {
        case EntryRules::Placement::Duplicate:
            return -1;
        case EntryRules::Placement::First:
            return 0;
        default: // a date out of step with its neighbours is placed by its reading all the same
            return 4 * (p.found + 1);
        }
    };
    r.log = Records(4, base, mine, theirs, place, &r.counts);
    r.marks = theirsMarks;
    // A mark only this program changed is ours; where both changed one, the
    // file's stands.
    for (qsizetype k = 0; k + 3 < mine.size(); k += 4) {
        const FillMark m = mineMarks.Of(mine[k], mine[k + 1]), b = baseMarks.Of(mine[k], mine[k + 1]);
        if (m != b && theirsMarks.Of(mine[k], mine[k + 1]) == b)
            r.marks.Set(mine[k], mine[k + 1], m);
    }
    return r;
}

QString Told(const QString &fileName, const Counts &c, const QString &one, const QString &many)
{
    auto some = [&](int n) { return QString::number(n) + QLatin1Char(' '); };
    auto noun = [&](int n) { return n == 1 ? one : many; };
    QStringList theirs, mine;
    if (c.theirsAdded > 0)
        theirs << QStringLiteral("its ") + some(c.theirsAdded) + QStringLiteral("new ") + noun(c.theirsAdded)
                      + (c.theirsAdded == 1 ? QStringLiteral(" is kept") : QStringLiteral(" are kept"));
    if (c.theirsRemoved > 0)
        theirs << QStringLiteral("the ") + some(c.theirsRemoved) + noun(c.theirsRemoved)
                      + (c.theirsRemoved == 1 ? QStringLiteral(" it removed stays removed") : QStringLiteral(" it removed stay removed"));
    if (theirs.isEmpty())
        theirs << QStringLiteral("its changes are kept");
    if (c.mineAdded == 1)
        mine << QStringLiteral("yours is added");
    else if (c.mineAdded > 1)
        mine << QStringLiteral("your ") + QString::number(c.mineAdded) + QStringLiteral(" are added");
    if (c.mineRemoved == 1)
        mine << QStringLiteral("the one you deleted goes");
    else if (c.mineRemoved > 1)
        mine << QStringLiteral("the ") + QString::number(c.mineRemoved) + QStringLiteral(" you deleted go");
    QString text = fileName + QStringLiteral(" was changed by another program; ") + (theirs + mine).join(QStringLiteral(" and "));
    for (const QStringList &record : c.refused)
        text += QStringLiteral("; your ") + one + QStringLiteral(" of ") + record[0] + QStringLiteral(" at ") + record[1]
                + QStringLiteral(" is not added: the file holds another at that reading");
    return text;
}

Saved SaveRecords(const QString &path, int width, const QStringList &base, const QStringList &mine, const TextFile::Stamp &known,
                  const Place &place, qint64 maxBytes)
{
    Saved s;
    TextFile::Stamp expected = known;
    QStringList lines = mine;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (known.known && (attempt > 0 || TextFile::StampNow(path, TextFile::Links::Refuse) != expected)) {
            const TextFile::ReadResult read = TextFile::ReadBytes(path, maxBytes, TextFile::Links::Refuse);
            if (!read.stamp.known) {
                s.error = read.error;
                return s;
            }
            QStringList theirs = TextFile::SplitLines(read.bytes);
            while (!theirs.isEmpty() && theirs.last().trimmed().isEmpty())
                theirs.removeLast();
            lines = Records(width, base, mine, theirs, place, &s.counts);
            s.merged = theirs != base;
            expected = read.stamp;
        }
        const QByteArray bytes = TextFile::JoinLines(lines);
        const TextFile::Saved done = TextFile::Write(path, bytes, &s.error, TextFile::Links::Refuse, false, &expected);
        if (done == TextFile::Saved::Changed)
            continue;
        s.ok = done == TextFile::Saved::Replaced;
        s.lines = lines;
        s.stamp = TextFile::StampOf(bytes);
        return s;
    }
    s.error = path + QStringLiteral(" keeps being changed by another program; nothing was saved.");
    return s;
}

LogSave SaveOver(const QString &path, const Log &base, const Log &mine, const LogFiles::Stamps *known, bool keepOffMarks,
                 TextFile::Links links)
{
    LogSave r;
    r.log = mine;
    LogFiles::Stamps expected = known ? *known : LogFiles::Stamps();
    for (int attempt = 0;; ++attempt) {
        if (known && (attempt > 0 || !LogFiles::StillAsKnown(path, expected))) {
            const QString name = QFileInfo(path).fileName();
            const LogFiles::LogRead theirs = LogFiles::ReadLog(path);
            if (attempt >= 5 || (!theirs.missing && (!theirs.error.isEmpty() || !theirs.refusal.isEmpty()))) {
                r.problem = name + QStringLiteral(" was changed by another program and cannot be read now, so nothing is saved over it")
                            + (attempt >= 5 ? QString() : QStringLiteral(": ") + theirs.error + theirs.refusal);
                return r;
            }
            expected.log = theirs.stamp;
            expected.marks = TextFile::StampNow(FillMarks::PathFor(path), TextFile::Links::Refuse);
            if (!theirs.missing) { // a file taken away leaves nothing to keep
                const LogFiles::MarksRead theirMarks = LogFiles::ReadMarks(path, theirs.lines);
                expected.marks = theirMarks.stamp;
                const Result m = FuelLog(base.lines, base.marks, mine.lines, mine.marks, theirs.lines, theirMarks.marks);
                r.log = {m.log, m.marks};
                // Told only when the other program's change is one the user can see.
                r.merged = theirs.lines != base.lines || !(theirMarks.marks == base.marks) ? m.Message(name) : QString();
            }
        }
        r.saved = LogFiles::Save(path, r.log.lines, r.log.marks, keepOffMarks, links, known ? &expected : nullptr);
        if (!r.saved.changed)
            break;
    }
    if (keepOffMarks)
        r.saved.now.marks = expected.marks;
    return r;
}

int Find(const QStringList &lines, const QStringList &record)
{
    const int width = int(record.size());
    if (width == 0)
        return -1;
    for (qsizetype k = (lines.size() / width - 1) * width; k >= 0; k -= width)
        if (lines.mid(k, width) == record)
            return int(k);
    return -1;
}

} // namespace LogMerge
