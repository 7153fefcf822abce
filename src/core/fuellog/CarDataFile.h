#pragma once
#include <QString>
#include <QStringList>

// The car data file: the fuel log, four lines per fill-up, one text line per
// file line, named after the vehicle's registration.
namespace CarDataFile {

// Said when a fill-up or a restore has no vehicle file to go to.
inline const QString NoRegistrationSet = QStringLiteral("No registration Set");

// The current data file when the current vehicle has none yet.
QString NoFilePattern(const QString &dataFolder);
// Parts of the program recognise the no-file pattern by its "*.".
bool IsNoFile(const QString &path);
QString PathFor(const QString &dataFolder, const QString &registration);
// File name without folder, cut before its first ".dat"; empty when the
// name holds none (a backup).
QString BaseName(const QString &path);
// The same path with its extension replaced by ".bak".
QString BackupPath(const QString &path);

// A car data file is refused unread past this size, and refused when a line
// is longer than this: a log is no place for either, and laying out such a
// cell would stall every repaint.
constexpr qint64 MaxFileBytes = 64LL * 1024 * 1024;
constexpr int MaxLineLength = 255;
// Why a file of this size cannot be a car data file; empty when it can.
QString SizeProblem(qint64 size);
// Why these lines cannot be a fuel log ("line 12 is 52428800 characters
// long"); empty when they can.
QString LineProblem(const QStringList &lines);

enum class Check { Good, Empty, Malformed };
// Only the last record is examined: its date line must have "/" as its
// third and sixth character. A log without one whole record is malformed.
Check CheckLog(const QStringList &lines);

inline int RecordCount(const QStringList &log) { return int(log.size() / 4); }

} // namespace CarDataFile
