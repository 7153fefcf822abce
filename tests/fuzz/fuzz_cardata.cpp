// The car data file: splitting, the check of the last record, and the
// figures the analysis reads from any lines.
#include "core/fuellog/CarDataFile.h"
#include "core/fuellog/DateText.h"
#include "core/fuellog/Economy.h"
#include "core/fuellog/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = TextFile::SplitLines(bytes);
    if (CarDataFile::CheckLog(lines) == CarDataFile::Check::Good) {
        StripBlanks(lines[lines.size() - 3]);
        DaysBetween(lines[0], lines[lines.size() - 4]);
        DaysSpan(lines[0], lines[lines.size() - 4]);
    }
    for (qsizetype p = 0; p < lines.size(); p += 4) {
        CalcMpg(lines, int(p), 0, 1, 1);
        CurrentMpg(lines, int(p), 100, KPL);
        IsDateText(lines[p]);
        LenientReal(lines[p]);
    }
    // Written and read back, the lines are the same (but for a first line that
    // itself begins with the bytes of a byte-order mark).
    const bool markFirst = !lines.isEmpty() && lines[0].startsWith(QStringLiteral("\u00EF\u00BB\u00BF"));
    if (!markFirst && TextFile::SplitLines(TextFile::JoinLines(lines)) != lines)
        __builtin_trap();
    return 0;
}
