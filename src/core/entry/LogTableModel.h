#pragma once
#include <QAbstractTableModel>
#include <QStringList>

// The fuel log as a table of four columns, one row per record: the lines as
// stored. The date column can be neither selected nor edited; the others are
// edited in place once editing is allowed, straight into the log.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LogTableModel(QStringList &log, QObject *parent = nullptr);

    // The log changed underneath: every row again.
    void Refill();
    void SetEditable(bool editable);
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
    QStringList &log;
    int rows = 0;
    bool editable = false;
};
