#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Whole-file reading and writing. Every file the program writes goes through
// WriteWhole, so the old file stays intact until the new one is complete.
namespace TextFile {

struct ReadResult {
    bool ok = false;
    QString error;  // the system's error text when not ok
    QByteArray bytes;
    bool tooLarge = false; // refused unread: larger than the limit
    qint64 size = 0;       // the file's size then
};
// A file larger than maxBytes (when not negative) is not read at all.
ReadResult ReadBytes(const QString &path, qint64 maxBytes = -1);

// Writes the bytes as the whole new content of path; on failure the old file
// is untouched and error holds the system's error text.
bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error);
// The same for a file only its owner may read (the settings, with the password).
bool WriteWholePrivate(const QString &path, const QByteArray &bytes, QString *error);
// Where a save writes the new content before it replaces the file:
// ".AB12.dat.vantiq-save" beside "AB12.dat".
QString TemporaryName(const QString &path);
// Removes what a save killed part way left in folder: files named as
// TemporaryName makes them, nothing else. Returns how many.
int RemoveStaleTemporaries(const QString &folder);

// Splits 8-bit text into lines at CR LF, LF or CR, after a leading
// byte-order mark. A final line end does not start another line.
QStringList SplitLines(const QByteArray &bytes);
// Each line followed by CR LF, one byte per character.
QByteArray JoinLines(const QStringList &lines);

} // namespace TextFile
