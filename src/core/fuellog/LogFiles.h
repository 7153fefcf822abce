#pragma once
#include "core/fuellog/FillMarks.h"
#include "core/fuellog/TextFile.h"

#include <QString>
#include <QStringList>

// The car data file and the marks file beside it, read and written as the
// pair they are. Only the data file may be reached through a link (it is
// the user's, picked by name); the marks file never is.
namespace LogFiles {

struct MarksRead {
    FillMarks marks;
    // What the user must be told: a link not followed, or a file there that
    // cannot be read (its permissions, its size, a pipe). Empty when none.
    QString problem;
    // The file is there but could not be read: no save may replace or
    // remove it, or the marks it holds would be lost without a word.
    bool keepOff = false;
};
// The marks beside the data file at dataPath, of the records of log alone.
MarksRead ReadMarks(const QString &dataPath, const QStringList &log);

struct Saved {
    bool log = false;      // the log is in place: what memory holds is on disk
    bool marks = false;    // the marks file holds the marks (or is rightly gone)
    QStringList told;      // what the user must be told, in order
};
// Writes the log to path and its marks beside it. Until the log is
// replaced the marks file holds the old marks and the new together, so that
// whichever log a crash leaves, each fill-up has its old mark or its new one;
// a log that could not be written puts the old marks back. Once the log is
// in place it stays, even when its folder's sync fails (told), and the
// marks written with it stay too. keepOffMarks: the marks file is left as it
// is (it could not be read). links: whether a link at path is followed (a
// data file the user names) or replaced (a backup).
Saved Save(const QString &path, const QStringList &log, const FillMarks &marks, bool keepOffMarks,
           TextFile::Links links = TextFile::Links::Follow);

} // namespace LogFiles
