#include "core/fuellog/LogFiles.h"

#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/TextFile.h"

#include <QFile>

namespace LogFiles {

LogRead ReadLog(const QString &name)
{
    LogRead r;
    const TextFile::ReadResult read = TextFile::ReadBytes(name, CarDataFile::MaxFileBytes);
    r.stamp = read.stamp;
    r.missing = read.missing;
    if (read.tooLarge) {
        r.refusal = QStringLiteral("Not Loaded File ") + name + QStringLiteral(": ") + CarDataFile::SizeProblem(read.size);
        return r;
    }
    if (read.notRegular) { // a pipe would block for ever, a device read without end
        r.refusal = QStringLiteral("Not Loaded File ") + read.error;
        return r;
    }
    if (!read.ok) {
        r.error = read.error;
        return r;
    }
    r.lines = TextFile::SplitLines(read.bytes);
    const QString line = CarDataFile::LineProblem(r.lines);
    if (!line.isEmpty()) {
        r.refusal = QStringLiteral("Not Loaded File ") + name + QStringLiteral(": ") + line;
        r.lines.clear();
    }
    return r;
}

MarksRead ReadMarks(const QString &dataPath, const QStringList &log)
{
    MarksRead r;
    const TextFile::ReadResult read =
        TextFile::ReadBytes(FillMarks::PathFor(dataPath), CarDataFile::MaxFileBytes, TextFile::Links::Refuse);
    r.stamp = read.stamp;
    if (read.ok) {
        r.marks = FillMarks::Read(read.bytes, log);
    } else if (!read.missing) {
        r.keepOff = !read.link; // a link is read as no file, and a save replaces it
        r.problem = read.link ? read.error
                              : read.error + QStringLiteral(". The fill-ups are shown unmarked, and the marks file is "
                                                            "left as it is until it can be read.");
    }
    return r;
}

bool StillAsKnown(const QString &path, const Stamps &known)
{
    if (path != known.path)
        return true;
    return (!known.log.known || TextFile::StampNow(path) == known.log)
           && (!known.marks.known || TextFile::StampNow(FillMarks::PathFor(path), TextFile::Links::Refuse) == known.marks);
}

Saved Save(const QString &path, const QStringList &log, const FillMarks &marks, bool keepOffMarks, TextFile::Links links,
           const Stamps *expected)
{
    Saved s;
    s.now.path = path;
    QString error;
    // A write whose file is in place counts as done. That its folder's sync
    // failed is told for the log alone: the marks file shares its folder.
    auto write = [&](const QString &file, const QByteArray &bytes, TextFile::Links how, const TextFile::Stamp *was = nullptr) {
        const TextFile::Saved done = TextFile::Write(file, bytes, &error, how, false, was);
        s.changed = done == TextFile::Saved::Changed;
        if (done == TextFile::Saved::Failed || (done == TextFile::Saved::NotDurable && file == path))
            s.told << error;
        return done == TextFile::Saved::Replaced || done == TextFile::Saved::NotDurable;
    };
    const QString marksPath = FillMarks::PathFor(path);
    const QByteArray logBytes = TextFile::JoinLines(log);
    const TextFile::Stamp *logWas = expected ? &expected->log : nullptr;
    if (keepOffMarks) {
        s.log = write(path, logBytes, links, logWas);
        s.now.log = TextFile::StampOf(logBytes);
        return s;
    }
    const QByteArray text = marks.FileText(log);
    const TextFile::ReadResult before = TextFile::ReadBytes(marksPath, CarDataFile::MaxFileBytes, TextFile::Links::Refuse);
    if (expected && expected->marks.known && before.stamp != expected->marks) {
        s.changed = true;
        return s;
    }
    const QByteArray oldMarks = before.ok ? before.bytes : QByteArray();
    const bool meanwhile = !oldMarks.isEmpty() && oldMarks != text;
    if (meanwhile && !write(marksPath, FillMarks::JoinedText(text, oldMarks), TextFile::Links::Refuse))
        return s;
    if (!write(path, logBytes, links, logWas)) {
        if (meanwhile) // the old log keeps its own marks
            TextFile::Write(marksPath, oldMarks, nullptr, TextFile::Links::Refuse);
        return s;
    }
    s.now.log = TextFile::StampOf(logBytes);
    // The log is in place from here on: the marks that go with it stay,
    // whatever is told.
    s.log = true;
    if (text.isEmpty()) {
        // Nothing marked: a marks file of ours goes; a link is no file of ours.
        QFile file(marksPath);
        s.marks = TextFile::IsLink(marksPath) || !file.exists() || file.remove();
        if (!s.marks)
            s.told << marksPath + QStringLiteral(": ") + file.errorString();
        s.now.marks = TextFile::StampNow(marksPath, TextFile::Links::Refuse);
        return s;
    }
    s.marks = text == oldMarks || write(marksPath, text, TextFile::Links::Refuse);
    s.now.marks = s.marks ? TextFile::StampOf(text) : TextFile::StampNow(marksPath, TextFile::Links::Refuse);
    return s;
}

} // namespace LogFiles
