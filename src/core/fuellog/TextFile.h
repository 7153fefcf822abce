#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Whole-file reading and writing. Every file the program writes goes through
// WriteWhole, so the old file stays intact until the new one is complete.
namespace TextFile {

// Whether a symbolic link standing at a path is followed. A file the user
// picked by name (in a dialog, or the data file of a vehicle) may be a link
// to a file elsewhere; a file the program names itself beside it (marks,
// backups, the vehicle list, bulk.dat) is never read or written through one:
// a link there is read as no file, and a save replaces the link itself.
enum class Links { Follow, Refuse };

// What a file held when the program last read or wrote it, to tell at the
// next save whether another program (a second copy, a sync program on
// another computer) has replaced it since. Its bytes are compared by hash,
// not its time: a file copied back as it was is no change.
struct Stamp {
    bool known = false;  // never read nor written: nothing to compare
    bool exists = false; // a file was there (a link refused counts as none)
    qint64 size = 0;
    QByteArray hash;
    bool operator==(const Stamp &other) const = default;
};
// The stamp of bytes just read or written (or of no file).
Stamp StampOf(const QByteArray &bytes);
Stamp NoFileStamp();

struct ReadResult {
    bool ok = false;
    QString error;  // what to tell the user when not ok: the system's text, or why the file is refused
    QByteArray bytes;
    bool missing = false;    // no file there
    bool tooLarge = false;   // refused: larger than the limit
    qint64 size = 0;         // the file's size then
    bool link = false;       // a link where links are refused: read as no file
    bool notRegular = false; // a pipe, a device or a folder: refused unread
    // What was read: a file's bytes, or no file (missing, a refused link).
    // Not known when the file was there but could not be read.
    Stamp stamp;
};
// Only an ordinary file is read (a pipe would block for ever, a device read
// without end), and never more than maxBytes (when not negative) and one.
ReadResult ReadBytes(const QString &path, qint64 maxBytes = -1, Links links = Links::Follow);
// The file at path as it stands now; an unreadable one is known but matches
// nothing, so it is never taken for the file read before.
Stamp StampNow(const QString &path, Links links = Links::Follow);

// How a save ended: not at all (the old file untouched), or with the new
// file in place, which the folder's sync may not have confirmed (it may not
// outlive a power cut; error says so).
// Changed: nothing was written, because the file on disk was no longer the
// one expected.
enum class Saved { Failed, Replaced, NotDurable, Changed };
// Writes the bytes as the whole new content of path. A new file takes the
// usual permissions less the umask (0600 less it when ownerOnly); an
// existing one keeps its own, never widened and never writable by others.
// With expected, the file is compared with it just before the new one is
// renamed over it, and left as it is (Changed) when it differs.
Saved Write(const QString &path, const QByteArray &bytes, QString *error, Links links = Links::Follow, bool ownerOnly = false,
            const Stamp *expected = nullptr);
// Write, true only when the new file is in place and synced; on failure the
// old file is untouched and error holds the system's error text.
bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error, Links links = Links::Follow);
// The same for a file only its owner may read (the settings, with the password).
bool WriteWholePrivate(const QString &path, const QByteArray &bytes, QString *error);
// A file that is a symbolic link (whether or not it names anything).
bool IsLink(const QString &path);
// Where a save writes the new content before it replaces the file:
// ".AB12.dat.vantiq-save" beside "AB12.dat"; should something that is not
// a file of ours stand there, ".AB12.dat.vantiq-save.1" and so on.
QString TemporaryName(const QString &path, int attempt = 0);
// Removes what a save killed part way left in folder: files named as
// TemporaryName makes them, nothing else. Returns how many.
int RemoveStaleTemporaries(const QString &folder);

// Splits 8-bit text into lines at CR LF, LF or CR, after a leading
// byte-order mark. A final line end does not start another line.
QStringList SplitLines(const QByteArray &bytes);
// Each line followed by CR LF, one byte per character.
QByteArray JoinLines(const QStringList &lines);

} // namespace TextFile
