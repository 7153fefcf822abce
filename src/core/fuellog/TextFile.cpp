#include "core/fuellog/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {
QString systemError(const QString &path, int code) { return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code)); }

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("no ordinary file");
}

QString linkRefusal(const QString &path)
{
    const QFileInfo link(path);
    return link.fileName() + QStringLiteral(" is a link to ") + link.symLinkTarget()
           + QStringLiteral("; Vantiq does not follow it");
}
} // namespace

Stamp StampOf(const QByteArray &bytes)
{
    Stamp s;
    s.known = s.exists = true;
    s.size = bytes.size();
    s.hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return s;
}

Stamp NoFileStamp()
{
    Stamp s;
    s.known = true;
    return s;
}

Stamp StampNow(const QString &path, Links links)
{
    // Larger than any file of ours: compared unread, it matches none.
    const ReadResult r = ReadBytes(path, 256LL * 1024 * 1024, links);
    if (r.stamp.known)
        return r.stamp;
    Stamp unreadable;
    unreadable.known = unreadable.exists = true;
    unreadable.size = -1;
    return unreadable;
}

bool IsLink(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

ReadResult ReadBytes(const QString &path, qint64 maxBytes, Links links)
{
    ReadResult r;
    const QByteArray name = QFile::encodeName(path);
    // Not blocking: a named pipe opens at once instead of waiting for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        const int code = errno;
        r.missing = code == ENOENT;
        r.link = links == Links::Refuse && code == ELOOP && IsLink(path);
        r.error = r.link ? linkRefusal(path) : systemError(path, code);
        if (r.missing || r.link)
            r.stamp = NoFileStamp();
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        r.error = systemError(path, errno);
        ::close(fd);
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.notRegular = true;
        r.error = path + QStringLiteral(" is ") + kindOf(st.st_mode) + QStringLiteral(": Vantiq reads only ordinary files");
        ::close(fd);
        return r;
    }
    r.size = st.st_size;
    auto tooLarge = [&] {
        r.tooLarge = true;
        r.error = QStringLiteral("%1 is %2 bytes long, more than the %3 it may be").arg(path).arg(r.size).arg(maxBytes);
        ::close(fd);
        return r;
    };
    if (maxBytes >= 0 && r.size > maxBytes)
        return tooLarge();
    // Never more than the limit and one byte, however the file grows meanwhile.
    const qint64 most = maxBytes >= 0 ? maxBytes + 1 : std::numeric_limits<qint64>::max();
    r.bytes.resize(qsizetype(std::min<qint64>(r.size, most)));
    qint64 done = 0;
    for (;;) {
        if (done == r.bytes.size()) {
            if (done >= most)
                break;
            r.bytes.resize(qsizetype(std::min<qint64>(most, std::max<qint64>(done * 2, done + 4096))));
        }
        const ssize_t n = ::read(fd, r.bytes.data() + done, size_t(r.bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.error = systemError(path, errno);
            r.bytes.clear();
            ::close(fd);
            return r;
        }
        if (n == 0)
            break;
        done += n;
    }
    r.bytes.truncate(qsizetype(done));
    if (maxBytes >= 0 && done > maxBytes) {
        r.size = done;
        r.bytes.clear();
        return tooLarge();
    }
    ::close(fd);
    r.ok = true;
    r.stamp = StampOf(r.bytes);
    return r;
}

namespace {
// The file is written whole beside the old one under a name of its own,
// synced, and renamed over it; then the folder is synced so the rename
// itself survives a power cut. Any step that fails (a full disk shows up
// at the sync on network and FUSE folders) is told with the system's text;
// before the rename it leaves the old file as it was.
Saved write(const QString &path, const QByteArray &bytes, QString *error, Links links, bool ownerOnly,
            const Stamp *expected = nullptr)
{
    // A link the user's own file is reached through is followed: the file it
    // names is replaced, the link stays. Elsewhere the link itself is replaced.
    const QString target = links == Links::Follow && IsLink(path) ? QFileInfo(path).symLinkTarget() : path;
    const QFileInfo info(target);
    const QByteArray file = QFile::encodeName(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    auto fail = [&](int code) {
        if (error)
            *error = systemError(path, code);
        return Saved::Failed;
    };

    // A file replaced keeps its permissions, but never writable by others;
    // a new one takes the umask's. The settings stay the owner's alone.
    struct stat old {};
    const bool exists = ::lstat(file.constData(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = ownerOnly ? 0600 : exists ? (old.st_mode & 0775) : 0666;
    // Made afresh, never opened through whatever stands under its name (a
    // link left there would have the save write over the file it names). A
    // file of ours left there by a kill goes; anything else (a folder) is
    // stepped round under the next name.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 10 && fd < 0; ++attempt) {
        temporary = QFile::encodeName(TemporaryName(target, attempt));
        ::unlink(temporary.constData());
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            return fail(errno);
    }
    if (fd < 0)
        return fail(EEXIST);
    if (exists || ownerOnly)
        ::fchmod(fd, mode); // exactly the old file's (or the owner's alone), whatever the umask adds
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
    // As late as can be: another program's save that lands between this
    // look and the rename is the only one that can still be missed.
    if (expected && expected->known && StampNow(path, links) != *expected) {
        ::close(fd);
        ::unlink(temporary.constData());
        return Saved::Changed;
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), file.constData()) != 0)
        return discard(errno);
    // The new file is in place from here on; what follows cannot undo that.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = dir >= 0 && ::fsync(dir) == 0;
    const int code = errno;
    if (dir >= 0)
        ::close(dir);
    if (synced)
        return Saved::Replaced;
    if (error)
        *error = systemError(path, code) + QStringLiteral(" (the file was saved, but the system did not confirm it is on "
                                                          "the disk: it may not outlive a power cut)");
    return Saved::NotDurable;
}
} // namespace

QString TemporaryName(const QString &path, int attempt)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".vantiq-save")
           + (attempt > 0 ? QStringLiteral(".%1").arg(attempt) : QString());
}

int RemoveStaleTemporaries(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    static const QRegularExpression ours(QStringLiteral("^\\..+\\.vantiq-save(\\.[1-9])?$"));
    for (const QString &name : dir.entryList({QStringLiteral(".*.vantiq-save*")}, QDir::Files | QDir::Hidden | QDir::System))
        if (ours.match(name).hasMatch())
            removed += QFile::remove(dir.filePath(name)) ? 1 : 0;
    return removed;
}

Saved Write(const QString &path, const QByteArray &bytes, QString *error, Links links, bool ownerOnly, const Stamp *expected)
{
    return write(path, bytes, error, links, ownerOnly, expected);
}

bool WriteWhole(const QString &path, const QByteArray &bytes, QString *error, Links links)
{
    return write(path, bytes, error, links, false) == Saved::Replaced;
}

bool WriteWholePrivate(const QString &path, const QByteArray &bytes, QString *error)
{
    return write(path, bytes, error, Links::Follow, true) == Saved::Replaced;
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
    // Written into one block: a copy of each line first would cost an
    // allocation a line.
    QByteArray out(size, Qt::Uninitialized);
    char *to = out.data();
    for (const QString &l : lines) {
        for (const QChar c : l)
            *to++ = c.unicode() < 256 ? char(c.unicode()) : '?'; // as toLatin1()
        *to++ = '\r';
        *to++ = '\n';
    }
    return out;
}

} // namespace TextFile
