#include "AppFolder.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

AppFolder::AppFolder() { dir.setAutoRemove(true); }

void AppFolder::writeSettings(const QStringList &keyValues) const
{
    write(QStringLiteral("vantiq.ini"), crlf(QStringList{QStringLiteral("[Quorvix\\Vantiq]")} + keyValues));
}

void AppFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray AppFolder::read(const QString &name) const
{
    QFile f(file(name));
    // Only an ordinary file: a named pipe a test planted would block.
    return QFileInfo(f).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool AppFolder::exists(const QString &name) const { return QFile::exists(file(name)); }

QByteArray AppFolder::crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

QStringList AppFolder::log(int records)
{
    QStringList lines;
    QDate d(2012, 1, 1);
    for (int i = 0; i < records; ++i) {
        lines << d.addDays(7 * i).toString(QStringLiteral("dd/MM/yyyy")) << QString::number(10000 + 300 * i)
              << QStringLiteral("40.00") << QStringLiteral("130.00");
    }
    return lines;
}
