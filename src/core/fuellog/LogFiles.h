#pragma once
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"

#include <QString>
#include <QStringList>

// The car data file and the marks file beside it, read and written as the
// pair they are. Only the data file may be reached through a link (it is
// the user's, picked by name); the marks file never is.
namespace LogFiles {

// The car data file read as a log, or why not.
struct LogRead {
    QStringList lines;
    QString error;    // the system's, when the file could not be read
    QString refusal;  // why the file is no log (its size, a line's length)
    bool missing = false;
    TextFile::Stamp stamp;
};
LogRead ReadLog(const QString &path);

struct MarksRead {
    FillMarks marks;
    // What the user must be told: a link not followed, or a file there that
    // cannot be read (its permissions, its size, a pipe). Empty when none.
    QString problem;
    // The file is there but could not be read: no save may replace or
    // remove it, or the marks it holds would be lost without a word.
    bool keepOff = false;
    TextFile::Stamp stamp; // what the marks file held
};
// The marks beside the data file at dataPath, of the records of log alone.
MarksRead ReadMarks(const QString &dataPath, const QStringList &log);

// What the pair of files held when last read or written.
struct Stamps {
    QString path; // the data file they are of
    TextFile::Stamp log;
    TextFile::Stamp marks;
};

struct Saved {
    bool log = false;      // the log is in place: what memory holds is on disk
    bool marks = false;    // the marks file holds the marks (or is rightly gone)
    bool changed = false;  // nothing written: a file was not the one expected
    QStringList told;      // what the user must be told, in order
    Stamps now;            // what the files hold after the save
};
// Writes the log to path and its marks beside it. Until the log is
// replaced the marks file holds the old marks and the new together, so that
// whichever log a crash leaves, each fill-up has its old mark or its new one;
// a log that could not be written puts the old marks back. Once the log is
// in place it stays, even when its folder's sync fails (told), and the
// marks written with it stay too. keepOffMarks: the marks file is left as it
// is (it could not be read). links: whether a link at path is followed (a
// data file the user names) or replaced (a backup).
// expected: what the files must still hold for the save to go ahead (the
// marks looked at first, the log again just before it is replaced); when
// they do not, nothing is changed and changed is set.
Saved Save(const QString &path, const QStringList &log, const FillMarks &marks, bool keepOffMarks,
           TextFile::Links links = TextFile::Links::Follow, const Stamps *expected = nullptr);
// Whether the pair on disk is still what was read or written (true for a
// path that known is not of).
bool StillAsKnown(const QString &path, const Stamps &known);

} // namespace LogFiles
