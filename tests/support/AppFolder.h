#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary application folder: the executable's path, its settings file
// and data files, written byte for byte.
class AppFolder {
public:
    AppFolder();
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString exePath() const { return path() + QStringLiteral("vantiq"); }
    QString iniPath() const { return path() + QStringLiteral("vantiq.ini"); }
    QString file(const QString &name) const { return path() + name; }

    // The settings section with the given key=value lines.
    void writeSettings(const QStringList &keyValues) const;
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

    // A car data file: each line followed by CR LF.
    static QByteArray crlf(const QStringList &lines);
    // A log of n records, a week and 300 miles apart, from 01/01/2012.
    static QStringList log(int records);

private:
    QTemporaryDir dir;
};
