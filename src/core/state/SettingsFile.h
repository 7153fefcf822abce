#pragma once
#include "core/fuellog/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

// INI text kept verbatim: section names with a backslash and keys with
// blanks survive, keys and sections match without regard to case, and lines
// the program does not know are written back unchanged.
class IniFile {
public:
    // UTF-8; a file that is not valid UTF-8 is read as Windows-1252.
    static IniFile FromBytes(const QByteArray &bytes);
    QByteArray ToBytes() const; // UTF-8, CR LF line ends

    std::optional<QString> Value(const QString &section, const QString &key) const;
    // Replaces the value of an existing key (keeping its spelling) or adds it
    // at the end of the section, creating the section when needed.
    void SetValue(const QString &section, const QString &key, const QString &value);
    // Every key, as section and key, in file order.
    QList<std::pair<QString, QString>> Keys() const;

private:
    // [first line after the header, end) of a section; -1 when absent
    std::pair<int, int> sectionRange(const QString &section) const;
    static QStringView keyOf(QStringView line);
    QStringList lines;
};

// The settings file on disk: read, and changed by reading it again and
// writing it whole, so that keys and lines another writer left stay.
namespace SettingsFile {

struct Reading {
    IniFile ini;       // empty when there is no file, or it is refused
    bool refused = false; // no settings file of ours (too large, a pipe, unreadable): never written over
    QString problem;   // why, for the user
    TextFile::Stamp stamp; // what was read
};
Reading Read(const QString &path);
// Reads the file again, lets change set its keys, and writes it whole for
// its owner alone. False, error told, when the file is refused or the
// write fails. With known (the file as this program last read or wrote
// it), only the keys change gives another value than known holds are set:
// a key another program changed meanwhile keeps its value. known is then
// what was written.
bool Update(const QString &path, const std::function<void(IniFile &)> &change, QString *error, IniFile *known = nullptr);

} // namespace SettingsFile
