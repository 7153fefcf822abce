#include "core/fuellog/TextFile.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

ReadResult ReadBytes(const QString &path, qint64 maxBytes)
{
    ReadResult r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = path + QStringLiteral(": ") + f.errorString();
        return r;
    }
    if (maxBytes >= 0 && f.size() > maxBytes) {
        r.tooLarge = true;
        r.size = f.size();
        r.error = QStringLiteral("%1 is %2 bytes long, more than the %3 it may be").arg(path).arg(r.size).arg(maxBytes);
        return r;
    }
    r.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = path + QStringLiteral(": ") + f.errorString();
        r.bytes.clear();
        return r;
    }
    r.ok = true;
    return r;
}

namespace {
bool write(const QString &path, const QByteArray &bytes, QString *error, bool ownerOnly)
{
    QSaveFile f(path);
    // Unbuffered, so a write that fails (a full disk) fails here with the
    // system's error text, not later in commit with none.
    const bool opened = f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // Set on the new file before it takes the old one's place.
    if (opened && ownerOnly)
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A short write is retried for the rest: on a full disk the first write
    // stops short without an error, the next one says why.
    qint64 done = 0;
    while (opened && done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (!opened || done != bytes.size() || !f.commit()) {
        if (error)
            *error = path + QStringLiteral(": ") + f.errorString();
        f.cancelWriting();
        return false;
    }
    return true;
}
} // namespace

bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error) { return write(path, bytes, error, false); }

bool WriteWholePrivate(const QString &path, const QByteArray &bytes, QString *error)
{
    return write(path, bytes, error, true);
}

QStringList SplitLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        i = 3;
    qsizetype start = i;
    while (i < n) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(QString::fromLatin1(bytes.constData() + start, n - start));
    return lines;
}

QByteArray JoinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const QString &l : lines) {
        out += l.toLatin1();
        out += "\r\n";
    }
    return out;
}

} // namespace TextFile
