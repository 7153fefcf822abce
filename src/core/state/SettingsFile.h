#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
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

private:
    // [first line after the header, end) of a section; -1 when absent
    std::pair<int, int> sectionRange(const QString &section) const;
    static QStringView keyOf(QStringView line);
    QStringList lines;
};
