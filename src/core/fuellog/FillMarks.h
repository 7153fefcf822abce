#pragma once
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

// What the driver said of a fill-up: it filled the tank (the usual case, no
// mark), it did not (Partial), a fill-up before it went unlogged (Missed), or
// both at once: the two are independent bits.
enum class FillMark : quint8 { Full = 0, Partial = 1, Missed = 2, PartialMissed = 3 };
inline constexpr bool IsPartial(FillMark mark) { return (quint8(mark) & quint8(FillMark::Partial)) != 0; }
inline constexpr bool IsMissed(FillMark mark) { return (quint8(mark) & quint8(FillMark::Missed)) != 0; }
inline constexpr FillMark MarkOf(bool partial, bool missed)
{
    return FillMark((partial ? quint8(FillMark::Partial) : 0) | (missed ? quint8(FillMark::Missed) : 0));
}

// The marks of one fuel log. They are kept by the record's date and
// odometer reading, as the marks file names them, so that a mark can only
// ever belong to the fill-up it was given to wherever records move.
class FillMarks {
public:
    FillMarks();
    FillMarks(const FillMarks &other);
    FillMarks &operator=(const FillMarks &other);
    ~FillMarks();

    // Of the record whose date line is p.
    FillMark At(const QStringList &log, int p) const;
    FillMark Of(const QString &date, const QString &reading) const;
    // Full removes the mark.
    void Set(const QString &date, const QString &reading, FillMark mark);
    void SetAt(const QStringList &log, int p, FillMark mark);
    // The record's reading or date was edited: its mark goes with it.
    void Move(const QString &date, const QString &reading, const QString &newDate, const QString &newReading);
    void Clear()
    {
        marks.clear();
        index.reset();
    }
    bool IsEmpty() const { return marks.isEmpty(); }

    // One mark per whole record of the log; empty when no record is marked,
    // which the figures take as "every fill-up filled the tank".
    QVector<FillMark> PerRecord(const QStringList &log) const;

    // The marks file: "dd/mm/yyyy,<reading>,partial", "...,missed" or
    // "...,partial,missed", CR LF, in the log's order, naming only records of
    // the log; empty when none is marked. Malformed lines are skipped when
    // read; of two lines naming one record the later stands.
    QByteArray FileText(const QStringList &log) const;
    static FillMarks Read(const QByteArray &bytes);
    // The same, keeping only the marks that name a whole record of log.
    static FillMarks Read(const QByteArray &bytes, const QStringList &log);
    // While a save replaces a log, its marks file holds the old marks and
    // the new together: the old file's lines, then newText (FileText of the
    // new log), whose line for a record stands over the old one. Old or new
    // log, every fill-up then reads with its old mark or its new one.
    static QByteArray JoinedText(const QByteArray &newText, const QByteArray &oldText);
    bool operator==(const FillMarks &other) const { return marks == other.marks; }

    // Beside a car data file: "AB12.dat" -> "AB12.marks", and beside its
    // backup: "AB12.bak" -> "AB12.marks.bak".
    static QString PathFor(const QString &dataPath);
    // Why a log may not be saved at this path: its marks file would be the
    // log itself, or would hold the marks of another data file beside it
    // ("AB12.txt" when "AB12.dat" is there). Empty when it may.
    static QString SaveAsProblem(const QString &dataPath);

    // The text of a mark in the data view: "", "Partial", "Missed",
    // "Partial, missed".
    static QString Name(FillMark mark);
    // The mark a data view text names (any case); empty for none.
    static std::optional<FillMark> FromName(const QString &text);
    static constexpr FillMark All[] = {FillMark::Full, FillMark::Partial, FillMark::Missed, FillMark::PartialMissed};

private:
    // records: only marks of these keys are kept.
    static FillMarks read(const QByteArray &bytes, const QSet<QString> *records);
    QHash<QString, FillMark> marks; // "date,reading", both trimmed
    // The marks looked up by a record's lines without a string made for
    // each; built when first needed, dropped at every change.
    class Index;
    mutable std::shared_ptr<const Index> index;
    const Index &indexed() const;
};
