#include "gui/vehicles/VehicleListView.h"

#include "core/vehicles/VehicleList.h"
#include "gui/shell/HelpTopics.h"
#include "gui/vehicles/VehiclePictures.h"

#include <QHeaderView>
#include <QListView>
#include <QTreeView>

VehicleListModel::VehicleListModel(const VehicleList &l, QObject *parent) : QAbstractTableModel(parent), list(l) {}

int VehicleListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : list.Count(); }

int VehicleListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 6; }

QVariant VehicleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= list.Count())
        return {};
    const int row = index.row();
    const TVehicleRecord &r = list.At(row);
    const bool invalid = list.IsInvalid(row);
    if (role == Qt::DisplayRole) {
        if (index.column() == 0)
            return list.Caption(row);
        if (invalid)
            return QString();
        switch (index.column()) {
        case 1: return NameOf(VehicleTypeNames, r.VehicleType);
        case 2: return NameOf(FuelTypeNames, r.Fuel);
        case 3: return r.Manufacturer;
        case 4: return r.Colour;
        case 5: return NameOf(ArchiveMarks, r.Archived);
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0 && !invalid)
        return VehicleTypeIcon(r.ImageIndex);
    if (role == Qt::TextAlignmentRole && index.column() == 5)
        return int(Qt::AlignCenter);
    return {};
}

QVariant VehicleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const headings[] = {"Registration", "Type", "Fuel", "Manufacturer", "Colour", "Arch"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
        return QLatin1String(headings[section]);
    return {};
}

void VehicleListModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void VehicleListModel::Refresh(int row)
{
    if (row >= 0 && row < list.Count())
        emit dataChanged(index(row, 0), index(row, 5));
}

VehicleListView::VehicleListView(VehicleListModel *model, QWidget *parent)
    : QStackedWidget(parent), icons(new QListView(this)), report(new QTreeView(this))
{
    setObjectName(QStringLiteral("VehicalList"));
    setProperty("helpContext", HelpTopic::VehicleList);
    report->setModel(model);
    report->setRootIsDecorated(false);
    report->setUniformRowHeights(true);
    report->setAllColumnsShowFocus(true);
    QHeaderView *header = report->header();
    header->setStretchLastSection(false);
    const int widths[] = {100, 120, 70, 100, 80, 40};
    for (int c = 0; c < 6; ++c)
        header->resizeSection(c, widths[c]);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    icons->setModel(model);
    icons->setSelectionModel(report->selectionModel()); // one selection for every style
    for (QAbstractItemView *v : std::initializer_list<QAbstractItemView *>{icons, report}) {
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(v, &QAbstractItemView::clicked, this, &VehicleListView::entryClicked);
        connect(v, &QAbstractItemView::doubleClicked, this, &VehicleListView::entryDoubleClicked);
        connect(v, &QWidget::customContextMenuRequested, this,
                [this, v](const QPoint &pos) { emit menuRequested(v->viewport()->mapToGlobal(pos)); });
        addWidget(v);
    }
    SetStyle(Report);
}

void VehicleListView::SetStyle(int s)
{
    style = s;
    if (s == Report) {
        setCurrentWidget(report);
        return;
    }
    icons->setViewMode(s == LargeIcons ? QListView::IconMode : QListView::ListMode);
    icons->setIconSize(s == LargeIcons ? QSize(48, 48) : QSize(16, 16));
    icons->setFlow(s == List ? QListView::TopToBottom : QListView::LeftToRight);
    icons->setWrapping(true);
    icons->setResizeMode(QListView::Adjust);
    icons->setMovement(QListView::Static);
    icons->setGridSize(s == LargeIcons ? QSize(96, 80) : QSize());
    setCurrentWidget(icons);
}

QAbstractItemView *VehicleListView::Current() const { return style == Report ? static_cast<QAbstractItemView *>(report) : icons; }

int VehicleListView::SelectedRow() const
{
    const QModelIndexList rows = report->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void VehicleListView::Select(int row)
{
    QItemSelectionModel *sel = report->selectionModel();
    if (row < 0) {
        sel->clearSelection();
        return;
    }
    sel->select(report->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    sel->setCurrentIndex(report->model()->index(row, 0), QItemSelectionModel::NoUpdate);
}
