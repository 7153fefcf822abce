#pragma once
#include "core/analysis/AnalysisRun.h"

#include <QAbstractTableModel>

// The analysis table as a model: row 0 of the table is the horizontal
// header, table row r is model row r - 1. Texts are made only for the rows
// a view asks for; the display role holds the table's exact texts.
class AnalysisModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A run's figures become the table (one reset per run).
    void SetRun(const AnalysisResult &run);
    const AnalysisResult &Run() const { return run; }
    const AnalysisTable &Table() const { return table; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    AnalysisResult run;
    AnalysisTable table;
};
