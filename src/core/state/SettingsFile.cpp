#include "core/state/SettingsFile.h"

#include "core/fuellog/TextFile.h"
#include "core/fuellog/Windows1252.h"
#include "core/state/Settings.h"

#include <QStringDecoder>

IniFile IniFile::FromBytes(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(body);
    if (utf8.hasError()) {
        text = Windows1252::Decode(body);
    }
    IniFile ini;
    // Split like any of our text files: CR LF, LF or CR.
    QString cur;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            ini.lines.append(cur);
            cur.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.isEmpty())
        ini.lines.append(cur);
    return ini;
}

QByteArray IniFile::ToBytes() const
{
    QByteArray out;
    for (const QString &l : lines) {
        out += l.toUtf8();
        out += "\r\n";
    }
    return out;
}

QStringView IniFile::keyOf(QStringView line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QStringView() : line.left(eq).trimmed();
}

std::pair<int, int> IniFile::sectionRange(const QString &section) const
{
    int begin = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView t = QStringView(lines[i]).trimmed(); // looked at, not copied
        const bool header = t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'));
        if (begin < 0) {
            if (header && t.mid(1, t.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0)
                begin = i + 1;
        } else if (header) {
            return {begin, i};
        }
    }
    return {begin, begin < 0 ? -1 : int(lines.size())};
}

QList<std::pair<QString, QString>> IniFile::Keys() const
{
    QList<std::pair<QString, QString>> keys;
    QString section;
    for (const QString &l : lines) {
        const QStringView t = QStringView(l).trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
            section = t.mid(1, t.size() - 2).trimmed().toString();
        else if (const QStringView k = keyOf(l); !k.isEmpty() && !t.startsWith(QLatin1Char(';')))
            keys.append({section, k.toString()});
    }
    return keys;
}

std::optional<QString> IniFile::Value(const QString &section, const QString &key) const
{
    const auto [begin, end] = sectionRange(section);
    if (begin < 0)
        return std::nullopt;
    for (int i = begin; i < end; ++i) {
        const QString &l = lines[i];
        if (QStringView(l).trimmed().startsWith(QLatin1Char(';')))
            continue;
        if (const QStringView k = keyOf(l); !k.isEmpty() && k.compare(key, Qt::CaseInsensitive) == 0)
            return l.mid(l.indexOf(QLatin1Char('=')) + 1).trimmed();
    }
    return std::nullopt;
}

void IniFile::SetValue(const QString &section, const QString &key, const QString &raw)
{
    // One line per key: a line break inside a value would make another line.
    QString value = raw;
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    auto [begin, end] = sectionRange(section);
    if (begin < 0) {
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        begin = end = int(lines.size());
    }
    for (int i = begin; i < end; ++i) {
        const QStringView k = keyOf(lines[i]);
        if (!k.isEmpty() && k.compare(key, Qt::CaseInsensitive) == 0 && !QStringView(lines[i]).trimmed().startsWith(QLatin1Char(';'))) {
            lines[i] = k.toString() + QLatin1Char('=') + value;
            return;
        }
    }
    // After the last key of the section, before any blank lines that end it.
    int at = end;
    while (at > begin && QStringView(lines[at - 1]).trimmed().isEmpty())
        --at;
    lines.insert(at, key + QLatin1Char('=') + value);
}

namespace SettingsFile {

Reading Read(const QString &path)
{
    Reading r;
    const TextFile::ReadResult read = TextFile::ReadBytes(path, Settings::MaxFileBytes);
    r.stamp = read.stamp;
    if (read.ok) {
        r.ini = IniFile::FromBytes(read.bytes);
        return r;
    }
    if (read.missing)
        return r;
    // Not ours to change: left as it is, and the run goes on with the defaults.
    r.refused = true;
    const QString notChanged = QStringLiteral(" It was not read and will not be changed: this run uses the default settings.");
    r.problem = read.tooLarge ? QStringLiteral("The settings file %1 is %2 bytes long, more than the 1 MB a settings file may be.")
                                        .arg(path)
                                        .arg(read.size)
                                    + notChanged
                              : QStringLiteral("The settings file cannot be read: ") + read.error + QLatin1Char('.') + notChanged;
    return r;
}

bool Update(const QString &path, const std::function<void(IniFile &)> &change, QString *error, IniFile *known)
{
    // Read, changed and written again should another program's save land
    // in between: the write goes ahead only over the file just read.
    for (int attempt = 0; attempt < 5; ++attempt) {
        Reading now = Read(path);
        if (now.refused) {
            if (error)
                *error = now.problem;
            return false;
        }
        if (known) {
            IniFile wanted = *known;
            change(wanted);
            for (const auto &[section, key] : wanted.Keys())
                if (const std::optional<QString> value = wanted.Value(section, key); value != known->Value(section, key))
                    now.ini.SetValue(section, key, *value);
        } else {
            change(now.ini);
        }
        const TextFile::Saved saved =
            TextFile::Write(path, now.ini.ToBytes(), error, TextFile::Links::Follow, true, &now.stamp);
        if (saved == TextFile::Saved::Changed)
            continue;
        if (saved != TextFile::Saved::Replaced)
            return false;
        if (known)
            *known = now.ini;
        return true;
    }
    if (error)
        *error = path + QStringLiteral(" keeps being changed by another program; the settings were not saved.");
    return false;
}

} // namespace SettingsFile
