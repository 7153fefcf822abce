#pragma once
#include <QAbstractTableModel>
#include <QStackedWidget>

class QAbstractItemView;
class QListView;
class QTreeView;
class VehicleList;

// The vehicle list as rows of texts: registration (with the type's picture),
// type, fuel, manufacturer, colour and the archive mark.
class VehicleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VehicleListModel(const VehicleList &list, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The list changed underneath: all of it, or one entry.
    void Reset();
    void Refresh(int row);

private:
    const VehicleList &list;
};

// The list view in its four styles: large icons, small icons, list, report.
class VehicleListView : public QStackedWidget {
    Q_OBJECT
public:
    enum Style { LargeIcons = 0, SmallIcons = 1, List = 2, Report = 3 };
    explicit VehicleListView(VehicleListModel *model, QWidget *parent = nullptr);

    void SetStyle(int style);
    int GetStyle() const { return style; }
    // The selected entry's position, -1 when none is selected.
    int SelectedRow() const;
    void Select(int row);
    QAbstractItemView *Current() const;

signals:
    void entryClicked();
    void entryDoubleClicked();
    void menuRequested(const QPoint &globalPos);

private:
    QListView *icons;
    QTreeView *report;
    int style = Report;
};
