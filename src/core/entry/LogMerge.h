#pragma once
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/LogFiles.h"
#include "core/fuellog/TextFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// When another program (a second copy, a sync program bringing another
// computer's save) has written a file since this one read it, the save
// puts this program's changes into what is there now instead of writing
// over it: nothing already on disk is lost.
namespace LogMerge {

// What each side changed, record by record, from the file as last read.
struct Counts {
    int theirsAdded = 0;   // records the other program added
    int theirsRemoved = 0; // and removed (a changed record is both)
    int mineAdded = 0;     // ours put into its file
    int mineRemoved = 0;   // ours taken out of it
    QList<QStringList> refused; // ours it could not take: a record of its own stands at that place
};

// Where record goes among result's lines (a line offset), -1 to refuse it.
using Place = std::function<int(const QStringList &result, const QStringList &record)>;

// base: the file as this program last read or wrote it; mine: what this
// program holds now; theirs: the file now. Records of width lines. Ours
// removed are removed from theirs where still there; ours added are placed
// among theirs unless theirs holds the very same record already.
QStringList Records(int width, const QStringList &base, const QStringList &mine, const QStringList &theirs,
                    const Place &place, Counts *counts);

// "AB12.dat was changed by another program; its 2 new fill-ups are kept
// and yours is added", of records called one/many.
QString Told(const QString &fileName, const Counts &counts, const QString &one, const QString &many);

struct Result {
    QStringList log;
    FillMarks marks;
    Counts counts;
    QString Message(const QString &fileName) const { return Told(fileName, counts, QStringLiteral("fill-up"), QStringLiteral("fill-ups")); }
};
// The fuel log: fill-ups placed by their reading as a back-dated one is;
// one whose reading the other program's file already holds is refused. A
// mark this program set or changed wins; the others are the file's.
Result FuelLog(const QStringList &base, const FillMarks &baseMarks, const QStringList &mine, const FillMarks &mineMarks,
               const QStringList &theirs, const FillMarks &theirsMarks);

// A list file of the program's own (never through a link) written as mine
// unless it is no longer what known says: then read again, this program's
// changes put into it, and written over what was read.
struct Saved {
    bool ok = false;
    QString error;          // the system's, when not ok
    QStringList lines;      // what the file holds now
    TextFile::Stamp stamp;
    bool merged = false;
    Counts counts;
};
Saved SaveRecords(const QString &path, int width, const QStringList &base, const QStringList &mine, const TextFile::Stamp &known,
                  const Place &place, qint64 maxBytes);

// A fuel log with its marks.
struct Log {
    QStringList lines;
    FillMarks marks;
};
struct LogSave {
    LogFiles::Saved saved;
    Log log;          // what the files hold after the save
    QString merged;   // what to tell: another program's changes were kept
    QString problem;  // the file changed and cannot be read now: nothing saved
};
// Saves mine to the car data file at path and its marks. With known (what
// the pair held when read or written), a pair another program has written
// since gets mine's changes from base put into it (FuelLog), and the save is
// tried again should it change once more meanwhile; a file taken away is
// written afresh with mine.
LogSave SaveOver(const QString &path, const Log &base, const Log &mine, const LogFiles::Stamps *known, bool keepOffMarks,
                 TextFile::Links links);

// The line offset of the record whose lines these are, -1 when none.
int Find(const QStringList &lines, const QStringList &record);

} // namespace LogMerge
