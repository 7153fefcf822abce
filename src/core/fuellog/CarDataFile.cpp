#include "core/fuellog/CarDataFile.h"

#include "core/fuellog/DateText.h"

#include <QFileInfo>

namespace CarDataFile {

QString NoFilePattern(const QString &dataFolder) { return WithBackslash(dataFolder) + QStringLiteral("*.dat"); }

bool IsNoFile(const QString &path) { return path.contains(QStringLiteral("*.")); }

QString PathFor(const QString &dataFolder, const QString &registration)
{
    return WithBackslash(dataFolder) + registration + QStringLiteral(".dat");
}

QString BaseName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype at = name.indexOf(QStringLiteral(".dat"));
    return at < 0 ? QString() : name.left(at); // no ".dat": nothing before it
}

QString BackupPath(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    return path.left(path.size() - name.size()) + stem + QStringLiteral(".bak");
}

QString SizeProblem(qint64 size)
{
    if (size <= MaxFileBytes)
        return QString();
    return QStringLiteral("it is %1 bytes long, more than the %2 MB a fuel log may be").arg(size).arg(MaxFileBytes / (1024 * 1024));
}

QString LineProblem(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].size() > MaxLineLength)
            return QStringLiteral("line %1 is %2 characters long").arg(i + 1).arg(lines[i].size());
    return QString();
}

Check CheckLog(const QStringList &lines)
{
    if (lines.isEmpty())
        return Check::Empty;
    if (lines.size() < 4)
        return Check::Malformed;
    const QString &date = lines[lines.size() - 4];
    if (date.size() < 6 || date[2] != QLatin1Char('/') || date[5] != QLatin1Char('/'))
        return Check::Malformed;
    return Check::Good;
}

} // namespace CarDataFile
