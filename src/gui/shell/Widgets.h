#pragma once
#include <QGroupBox>
#include <QListWidget>
#include <QStringList>
#include <QStyle>

class QAbstractButton;
class QAbstractItemView;
class QMdiSubWindow;
class QIcon;
class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QButtonGroup;
class Platform;
class QToolBar;
class QToolButton;

// A Help button: asks the help system for its topic (kept as its tag).
void SetHelpButton(QAbstractButton *button, Platform &platform, int topic);

// Enter presses the focused push button, as Space does, for every push
// button under root (a line edit keeps its own Enter).
void EnterPressesButtons(QWidget *root);

// Every edit box under root has its whole text selected when the focus
// moves to it by the keyboard or the program (Tab, Enter moving on, the
// start of an entry), so typing replaces what the box held; not when it is
// clicked, nor when its window becomes active again.
void SelectTextOnEntry(QWidget *root);
// F2 in a grid is the grid's own key (edit the cell, or nothing where it
// cannot be edited), not the main window's Fuel Purchases.
void GridKeepsItsEditKey(QAbstractItemView *grid);

// The focus to the first control of a panel just shown, unless it holds
// the focus already.
void FocusFirstIn(QWidget *panel);
// The focus to the box with its whole text selected, also when the focus
// was there already: typing replaces the text.
void FocusAndSelect(QLineEdit *box);

// The access keys of a panel of the main window's overlay reach its buttons
// only while it stands in front: a panel hidden behind another keeps its
// keys to itself.
void AccessKeysInFrontOnly(QWidget *panel);

// A menu item with its name; a radio item of the group when one is given.
QAction *AddMenuItem(QMenu *menu, const char *name, const QString &caption, QActionGroup *group = nullptr);
// An up-down beside a box of its own: the arrows alone, its number not shown.
void ArrowsOnly(QSpinBox *spin);

// A push button with its name.
QPushButton *NamedButton(const char *name, const QString &caption, QWidget *parent);
// An edit box with its name.
QLineEdit *NamedEdit(const char *name, QWidget *parent, bool readOnly = false);

// A picture button on a toolbar, with its name and hint.
QToolButton *AddToolButton(QToolBar *bar, const char *name, const QString &hint, const QIcon &icon);

// A titled group of radio buttons with an item index, -1 when none is chosen.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &objectName, const QString &title, const QStringList &items, QWidget *parent = nullptr);
    int ItemIndex() const;
    // An index outside the items leaves the group without a choice.
    void SetItemIndex(int index);
    int Count() const;

signals:
    void clicked(int index);

private:
    QButtonGroup *group;
};

// A folder list: the chain of folders down to the current one, then its
// sub-folders. Double-click or Enter on an entry moves into it.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);
    // The folder shown, with a trailing separator.
    QString Directory() const;
    void SetDirectory(const QString &folder);

private:
    QString current;
};

// An area whose children all fill it, one over another; the one raised last
// stands in front (the main window's panels, the manager's views). A child
// with the property FloatsAtRight keeps its own size at the top right. It
// needs the room its largest shown child needs.
class OverlayArea : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    static const char *const FloatsAtRight;
    QSize minimumSizeHint() const override;
    // The child shown in front of the others (the last raised), if any.
    QWidget *Front() const;
    // Of the panels whose access keys work in front only, the front one and
    // the floating ones get theirs; the others give theirs up.
    void GiveKeysToFront();

signals:
    void roomNeededChanged();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void place(QWidget *panel);
};

// A child window of an MDI area is never larger than the area's viewport,
// and is moved into it when shown: on a small or scaled screen its buttons
// stay within reach (its contents scroll instead).
void KeepInsideArea(QMdiSubWindow *window);

// Resizes a window to the size asked for, or to what the screen has room for
// beside a window frame where that is less (a small or a scaled screen).
void ResizeWithinScreen(QWidget *window, const QSize &size);

// The area inside a frameless scroll area of its own: on a screen too small
// for a panel it scrolls rather than cut the panel off.
QScrollArea *ScrollingWhenSmall(OverlayArea *area, QWidget *parent);
