#pragma once
#include <QList>

class QMenu;

// A child window whose menus stand in the main window's menu bar while it is
// the active one: each menu with its group number. A child menu takes the
// place of the main menus of its group; menus of other groups go in by
// their number.
struct MergedMenu {
    QMenu *menu;
    int group;
};

class MenuMerging {
public:
    virtual ~MenuMerging() = default;
    virtual QList<MergedMenu> MenusToMerge() const = 0;
};
