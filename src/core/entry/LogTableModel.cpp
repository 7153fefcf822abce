#include "core/entry/LogTableModel.h"

#include "core/entry/EntryRules.h"

LogTableModel::LogTableModel(QStringList &fuelLog, QObject *parent) : QAbstractTableModel(parent), log(fuelLog)
{
    rows = int(log.size() / 4);
}

void LogTableModel::Refill()
{
    beginResetModel();
    rows = int(log.size() / 4);
    endResetModel();
}

void LogTableModel::SetEditable(bool on) { editable = on; }

int LogTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows; }

int LogTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 4; }

QVariant LogTableModel::data(const QModelIndex &index, int role) const
{
    const qsizetype line = qsizetype(index.row()) * 4 + index.column();
    if (!index.isValid() || line >= log.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return log[line];
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const headings[] = {"Date", "Distance", "Quantity", "PPL"};
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < 4 ? QVariant(QLatin1String(headings[section])) : QVariant();
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
    const qsizetype line = qsizetype(index.row()) * 4 + index.column();
    if (!index.isValid() || role != Qt::EditRole || !editable || index.column() == 0 || line >= log.size())
        return false;
    const QString text = value.toString();
    if (!EntryRules::IsStorableText(text)) {
        emit refused(EntryRules::NotStorableMessage);
        return false;
    }
    if (log[line] == text)
        return true;
    log[line] = text;
    emit dataChanged(index, index);
    emit edited();
    return true;
}
