#include "core/fuellog/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
QString systemError(const QString &path, int code) { return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code)); }

// The file is written whole beside the old one under a name of its own,
// synced, and renamed over it; then the folder is synced so the rename
// itself survives a power cut. Any step that fails (a full disk shows up
// at the sync on network and FUSE folders) is told with the system's text
// and leaves the old file as it was.
bool write(const QString &path, const QByteArray &bytes, QString *error, bool ownerOnly)
{
    // A link is followed: the file it names is replaced, the link stays.
    const QFileInfo link(path);
    const QString target = link.isSymLink() ? link.symLinkTarget() : path;
    const QFileInfo info(target);
    const QByteArray file = QFile::encodeName(target);
    const QByteArray temporary = QFile::encodeName(TemporaryName(target));
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    auto fail = [&](int code) {
        if (error)
            *error = systemError(path, code);
        return false;
    };

    // The new file takes the old one's permissions, or the owner's alone.
    struct stat old {};
    mode_t mode = ownerOnly ? 0600 : 0666;
    if (!ownerOnly && ::stat(file.constData(), &old) == 0)
        mode = old.st_mode & 07777;
    // Made afresh, never opened through whatever stands under its name (a
    // link left there would have the save write over the file it names).
    ::unlink(temporary.constData());
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return fail(errno);
    ::fchmod(fd, mode); // the umask is not the old file's business
    auto discard = [&](int code) {
        ::unlink(temporary.constData());
        return fail(code);
    };
    auto abandon = [&](int code) {
        ::close(fd);
        return discard(code);
    };
    // A short write is retried for the rest: on a full disk the first write
    // stops short without an error, the next one says why.
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon(n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (::fdatasync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0 || ::rename(temporary.constData(), file.constData()) != 0)
        return discard(errno);
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return fail(errno);
    const bool synced = ::fsync(dir) == 0;
    const int code = errno;
    ::close(dir);
    // The new file is in place but may not outlive a power cut: said so.
    return synced || fail(code);
}
} // namespace

QString TemporaryName(const QString &path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".vantiq-save");
}

int RemoveStaleTemporaries(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral(".*.vantiq-save")}, QDir::Files | QDir::Hidden | QDir::System))
        removed += QFile::remove(dir.filePath(name)) ? 1 : 0;
    return removed;
}

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
    // A log of years holds hundreds of thousands of lines: size the list
    // once rather than let it grow to twice what it needs.
    lines.reserve(std::max(bytes.count('\n'), bytes.count('\r')) + 1);
    // The lines' text goes into one block that they share, each line ended
    // as a string is: one allocation per short line would cost three times
    // the text. A line changed later takes a copy of its own, as any shared
    // string does. Every byte read makes at most one character or ends a
    // line, so the file's size is room enough.
    QStringPrivate block(QTypedArrayData<char16_t>::allocate(n - i + 1));
    char16_t *out = block.data();
    const char *in = bytes.constData();
    auto addLine = [&](qsizetype from, qsizetype to) {
        QStringPrivate line = block;
        line.ptr = out;
        line.size = to - from;
        for (qsizetype k = from; k < to; ++k)
            *out++ = char16_t(uchar(in[k])); // one byte a character, as Latin-1
        *out++ = u'\0';
        lines.append(QString(std::move(line)));
    };
    qsizetype start = i;
    while (i < n) {
        const char c = in[i];
        if (c == '\r' || c == '\n') {
            addLine(start, i);
            if (c == '\r' && i + 1 < n && in[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        addLine(start, n);
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
