#include "gui/shell/Widgets.h"

#include "core/fuellog/DateText.h"
#include "gui/shell/Platform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QApplication>
#include <QActionGroup>
#include <QFocusEvent>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QDir>
#include <QRadioButton>
#include <QScrollArea>
#include <QScreen>
#include <QChildEvent>
#include <QCoreApplication>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

void SetHelpButton(QAbstractButton *button, Platform &platform, int topic)
{
    button->setProperty("tag", topic);
    QObject::connect(button, &QAbstractButton::clicked, button, [&platform, topic] { platform.ShowHelp(topic); });
}

QAction *AddMenuItem(QMenu *menu, const char *name, const QString &caption, QActionGroup *group)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (group) {
        a->setCheckable(true);
        group->addAction(a);
    }
    return a;
}

QPushButton *NamedButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLineEdit *NamedEdit(const char *name, QWidget *parent, bool readOnly)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(readOnly);
    return e;
}

void EnterPressesButtons(QWidget *root)
{
    for (QPushButton *b : root->findChildren<QPushButton *>())
        b->setAutoDefault(true); // a button that is auto-default answers Enter itself
}

namespace {
class SelectOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // QLineEdit selects on Tab itself but not on a focus given by the
        // program (the entry's own step). A mouse click keeps placing the
        // cursor, and a box that has the focus back because its window is
        // active again (after F1, another window, a menu or a popup) keeps
        // its cursor, so the rest of a figure adds to what was typed.
        if (event->type() != QEvent::FocusIn)
            return false;
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && !edit->isReadOnly())
                edit->selectAll();
            break;
        default:
            break;
        }
        return false;
    }
};
} // namespace

namespace {
const char *const FrontOnlyKeys = "vantiqFrontOnlyKeys";

// The front is the last visible panel among the overlay's children
// (raise() moves a panel there). A floating panel is always in front, and
// while one is shown (the data view's record form) it alone is.
bool inFront(const QWidget *panel)
{
    const auto *area = qobject_cast<const OverlayArea *>(panel->parentWidget());
    if (!area || panel->property(OverlayArea::FloatsAtRight).toBool())
        return true;
    const QWidget *front = area->Front();
    return !front || front == panel;
}

// A panel behind another gives up its buttons' access keys, so that a
// letter both use is no ambiguous shortcut (which only moves the focus):
// the front panel's button is pressed. Should a key reach a panel behind
// all the same (a caption set anew takes its key back), it does nothing.
void giveKeysTo(QWidget *panel, bool keys)
{
    for (QAbstractButton *b : panel->findChildren<QAbstractButton *>()) {
        const QKeySequence key = keys ? QKeySequence::mnemonic(b->text()) : QKeySequence();
        if (b->shortcut() != key)
            b->setShortcut(key);
    }
}

class BehindEatsKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        const QWidget *w = static_cast<QWidget *>(watched);
        while (w && !w->property(FrontOnlyKeys).toBool())
            w = w->parentWidget();
        return w && !inFront(w);
    }
};
} // namespace

void AccessKeysInFrontOnly(QWidget *panel)
{
    panel->setProperty(FrontOnlyKeys, true);
    auto *filter = new BehindEatsKeys(panel);
    for (QAbstractButton *b : panel->findChildren<QAbstractButton *>())
        b->installEventFilter(filter);
    if (auto *area = qobject_cast<OverlayArea *>(panel->parentWidget()))
        area->GiveKeysToFront();
}

QWidget *OverlayArea::Front() const
{
    const QObjectList &all = children();
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        if (auto *w = qobject_cast<QWidget *>(*it); w && !w->isWindow() && w->isVisible())
            return w;
    return nullptr;
}

void OverlayArea::GiveKeysToFront()
{
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && w->property(FrontOnlyKeys).toBool())
            giveKeysTo(w, inFront(w));
}

namespace {
class EditKeyStays : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier)
                event->accept(); // delivered to the grid as a key press
        }
        return false;
    }
};
} // namespace

void GridKeepsItsEditKey(QAbstractItemView *grid)
{
    grid->installEventFilter(new EditKeyStays(grid));
}

void FocusFirstIn(QWidget *panel)
{
    if (panel->isAncestorOf(QApplication::focusWidget()))
        return;
    for (QWidget *w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain())
        if (panel->isAncestorOf(w) && w->isVisibleTo(panel) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
}

void FocusAndSelect(QLineEdit *box)
{
    box->setFocus();
    box->selectAll();
}

void SelectTextOnEntry(QWidget *root)
{
    auto *filter = new SelectOnFocus(root);
    for (QLineEdit *e : root->findChildren<QLineEdit *>())
        e->installEventFilter(filter);
}

RadioGroup::RadioGroup(const QString &name, const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), group(new QButtonGroup(this))
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setObjectName(name + QString::number(i));
        group->addButton(b, i);
        layout->addWidget(b);
    }
    layout->addStretch();
    connect(group, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::ItemIndex() const { return group->checkedId(); }

int RadioGroup::Count() const { return int(group->buttons().size()); }

void RadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton *b = group->button(index)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton *b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { SetDirectory(item->data(Qt::UserRole).toString()); });
}

QString FolderList::Directory() const { return current; }

void FolderList::SetDirectory(const QString &folder)
{
    QDir dir(folder);
    current = WithBackslash(QDir::cleanPath(dir.absolutePath()));
    clear();
    // The chain from the root down to the folder, indented by depth.
    QStringList chain;
    for (QDir d(current); ; ) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &p : chain) {
        const QString name = p == QLatin1String("/") ? p : QDir(p).dirName();
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(Qt::UserRole, p);
        ++depth;
    }
    setCurrentRow(int(chain.size()) - 1);
    const QStringList subs = QDir(current).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &s : subs) {
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + s, this);
        item->setData(Qt::UserRole, current + s);
    }
}

const char *const OverlayArea::FloatsAtRight = "vantiqFloatsAtRight";

QSize OverlayArea::minimumSizeHint() const
{
    QSize need(0, 0);
    for (QObject *o : children()) {
        const auto *w = qobject_cast<const QWidget *>(o);
        if (w && !w->isWindow() && !w->isHidden() && !w->property(FloatsAtRight).toBool())
            need = need.expandedTo(w->minimumSizeHint());
    }
    return need;
}

bool OverlayArea::event(QEvent *event)
{
    if (event->type() == QEvent::ChildAdded)
        static_cast<QChildEvent *>(event)->child()->installEventFilter(this);
    return QWidget::event(event);
}

bool OverlayArea::eventFilter(QObject *watched, QEvent *event)
{
    // A panel shown, hidden or laid out anew changes the room needed.
    switch (event->type()) {
    case QEvent::ShowToParent:
        // A panel built after the area was sized gets its place when first shown.
        if (watched->parent() == this && watched->isWidgetType())
            place(static_cast<QWidget *>(watched));
        [[fallthrough]];
    case QEvent::HideToParent:
    case QEvent::LayoutRequest:
        if (watched->parent() == this) {
            updateGeometry();
            emit roomNeededChanged();
        }
        if (event->type() != QEvent::LayoutRequest && watched->parent() == this)
            GiveKeysToFront();
        break;
    case QEvent::ZOrderChange: // raised or lowered: another panel may be in front
        if (watched->parent() == this)
            GiveKeysToFront();
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

namespace {
class InsideArea : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Resize)
            return false;
        auto *w = static_cast<QMdiSubWindow *>(watched);
        const QWidget *viewport = w->parentWidget();
        if (!viewport || w->isMaximized() || w->isMinimized() || viewport->width() <= 0 || viewport->height() <= 0)
            return false;
        const QSize fits = w->size().boundedTo(viewport->size()).expandedTo(w->minimumSize());
        if (fits != w->size())
            w->resize(fits); // a Resize again, which then finds nothing to do
        if (event->type() == QEvent::Show) {
            const int x = std::clamp(w->x(), 0, std::max(0, viewport->width() - w->width()));
            const int y = std::clamp(w->y(), 0, std::max(0, viewport->height() - w->height()));
            w->move(x, y);
        }
        return false;
    }
};
} // namespace

void KeepInsideArea(QMdiSubWindow *window)
{
    window->installEventFilter(new InsideArea(window));
}

void ResizeWithinScreen(QWidget *window, const QSize &size)
{
    const QScreen *s = window->screen();
    // Before it is shown a window's frame is not known: room for a usual one.
    const QSize frame(8, 40);
    window->resize(s ? size.boundedTo(s->availableGeometry().size() - frame) : size);
}

QScrollArea *ScrollingWhenSmall(OverlayArea *area, QWidget *parent)
{
    auto *scroller = new QScrollArea(parent);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus); // the tab order stays the panels' own
    scroller->setWidgetResizable(true);
    scroller->setWidget(area);
    QObject::connect(area, &OverlayArea::roomNeededChanged, scroller,
                     [scroller] { QCoreApplication::postEvent(scroller, new QEvent(QEvent::LayoutRequest)); });
    return scroller;
}

void OverlayArea::place(QWidget *w)
{
    if (w->isWindow())
        return;
    if (w->property(FloatsAtRight).toBool()) {
        // A small panel over the others, at the top right.
        const QSize size = w->sizeHint().boundedTo(this->size());
        w->setGeometry(QRect(QPoint(width() - size.width() - 12, 12), size));
    } else {
        w->setGeometry(rect());
    }
}

void OverlayArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o))
            place(w);
}

QToolButton *AddToolButton(QToolBar *bar, const char *name, const QString &hint, const QIcon &icon)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(icon);
    bar->addWidget(b);
    return b;
}

void ArrowsOnly(QSpinBox *spin)
{
    spin->setFixedWidth(22);
    // Narrowed to its arrows the number would show as a stray sliver.
    QPalette palette = spin->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, Qt::transparent);
    spin->setPalette(palette);
}
