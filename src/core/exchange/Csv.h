#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// Comma-separated text as spreadsheets and other programs write it:
// fields quoted with double quotes when they hold the separator, a quote or
// a line break, a doubled quote standing for one.
namespace Csv {

// One row of a file: the fields separated by commas, the row ended by CR LF.
QByteArray Row(const QStringList &fields);

// The text of a file: UTF-16 (little- or big-endian, by its byte-order mark
// or its NUL bytes), UTF-8 (a byte-order mark dropped), or Windows-1252
// when the bytes are neither.
QString Decode(const QByteArray &bytes);
// The same for a large file, asking goOn between pieces; empty when it was
// told to stop.
QString Decode(const QByteArray &bytes, const std::function<bool(qint64 done)> &goOn);

// The separator a header line uses: comma, semicolon or tab, whichever
// splits it into the most fields outside quotes.
QChar GuessSeparator(QStringView line);

struct Record {
    int line = 0;          // the file line (from 1) the record starts on
    QStringList fields;
};
// Splits lines [first, end) of a file's text into records; quoted fields
// may run over line ends. Blank lines give no record.
// goOn, when given, is asked every thousand lines whether to go on; a false
// answer ends the work there.
using GoOn = std::function<bool(qint64 done)>;
QVector<Record> Parse(const QStringList &lines, int first, int end, QChar separator, const GoOn &goOn = {});

// The physical lines of a text, split at CR LF, LF or CR.
QStringList Lines(const QString &text, const GoOn &goOn = {});

} // namespace Csv
