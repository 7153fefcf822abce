#include "core/analysis/AnalysisModel.h"

void AnalysisModel::SetRun(const AnalysisResult &newRun)
{
    beginResetModel();
    run = newRun;
    table = AnalysisTable(run);
    endResetModel();
}

int AnalysisModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table.RowCount() - 1;
}

int AnalysisModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : table.ColCount(); }

QVariant AnalysisModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return table.Cells(index.column(), index.row() + 1);
    case Qt::TextAlignmentRole:
        return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant AnalysisModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return table.Cells(section, 0);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int((section == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}
