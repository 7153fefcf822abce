#include "core/entry/LogTableModel.h"

#include "core/entry/EntryRules.h"

LogTableModel::LogTableModel(QStringList &fuelLog, FillMarks &fillMarks, QObject *parent)
    : QAbstractTableModel(parent), log(fuelLog), marks(fillMarks)
{
    rows = int(log.size() / 4);
}

void LogTableModel::Refill(bool shown)
{
    beginResetModel();
    rows = shown ? int(log.size() / 4) : 0;
    endResetModel();
}

void LogTableModel::SetEditable(bool on) { editable = on; }

int LogTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows; }

int LogTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 5; }

QVariant LogTableModel::data(const QModelIndex &index, int role) const
{
    if (index.column() == FillColumn) {
        const qsizetype p = qsizetype(index.row()) * 4;
        if (!index.isValid() || p + 1 >= log.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return FillMarks::Name(marks.At(log, int(p)));
    }
    const qsizetype line = qsizetype(index.row()) * 4 + index.column();
    if (!index.isValid() || line >= log.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return log[line];
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const headings[] = {"Date", "Distance", "Quantity", "PPL", "Fill"};
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < 5 ? QVariant(QLatin1String(headings[section])) : QVariant();
    return section + 1;
}

Qt::ItemFlags LogTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemIsEnabled; // the date is fixed
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool LogTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (index.isValid() && index.column() == FillColumn)
        return setMark(index, value.toString().trimmed(), role);
    const qsizetype line = qsizetype(index.row()) * 4 + index.column();
    if (!index.isValid() || role != Qt::EditRole || !editable || index.column() == 0 || line >= log.size())
        return false;
    const QString text = value.toString();
    if (!EntryRules::IsStorableText(text)) {
        emit refused(EntryRules::NotStorableMessage);
        return false;
    }
    if (log[line] != text && guard && !guard(index.row()))
        return false;
    if (log[line] == text)
        return true;
    if (index.column() == 1) // the reading names the record's mark
        marks.Move(log[line - 1], log[line], log[line - 1], text);
    log[line] = text;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

bool LogTableModel::setMark(const QModelIndex &index, const QString &text, int role)
{
    const int p = index.row() * 4;
    if (role != Qt::EditRole || !editable || p + 1 >= log.size())
        return false;
    if (guard && !guard(index.row()))
        return false;
    const std::optional<FillMark> named = FillMarks::FromName(text);
    if (!named) {
        emit refused(QStringLiteral("Fill must be blank, Partial, Missed or Partial, missed"));
        return false;
    }
    const FillMark mark = *named;
    if (marks.At(log, p) == mark)
        return true;
    marks.SetAt(log, p, mark);
    emit dataChanged(index, index);
    emit edited();
    return true;
}
