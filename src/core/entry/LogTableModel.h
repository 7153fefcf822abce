#pragma once
#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

#include "core/fuellog/FillMarks.h"

// The fuel log as a table of four columns, one row per record: the lines as
// stored, and a fifth, "Fill", with the record's mark. The date column can be
// neither selected nor edited; the others are edited in place once editing
// is allowed, straight into the log and its marks.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LogTableModel(QStringList &log, FillMarks &marks, QObject *parent = nullptr);
    static const int FillColumn = 4;

    // The log changed underneath: every row again. A hidden view is given
    // none, so that its header keeps nothing per record of a long log.
    void Refill(bool shown = true);
    void SetEditable(bool editable);
    // Asked before a record is changed; false leaves it as it is (another
    // program changed it on disk).
    void SetGuard(std::function<bool(int record)> mayChange) { guard = std::move(mayChange); }
    bool IsEditable() const { return editable; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // A cell's text went into the log.
    void edited();
    // A text was refused; the line keeps its old text.
    void refused(const QString &message);

private:
    bool setMark(const QModelIndex &index, const QString &text, int role);
    QStringList &log;
    FillMarks &marks;
    int rows = 0;
    bool editable = false;
    std::function<bool(int)> guard;
};
