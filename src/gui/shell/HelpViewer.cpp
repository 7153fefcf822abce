#include "gui/shell/Widgets.h"
#include "gui/shell/HelpViewer.h"

#include "gui/shell/HelpTopics.h"
#include "gui/shell/Platform.h"
#include "gui/shell/Resources.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

HelpViewer::HelpViewer() : returner(std::make_unique<Returner>(*this)) {}

HelpViewer::~HelpViewer()
{
    // A dialog that still holds the window must not delete it as well.
    if (window && window->parentWidget()) {
        window->parentWidget()->removeEventFilter(returner.get());
        window->setParent(nullptr);
    }
}

QUrl HelpViewer::ContentsUrl()
{
    return QUrl(QStringLiteral("qrc") + QLatin1String(HelpTopic::Folder) + QLatin1String(HelpTopic::ContentsFile));
}

QUrl HelpViewer::TopicUrl(int topic)
{
    const HelpTopic::Page *page = HelpTopic::Find(topic);
    if (!page)
        return ContentsUrl();
    return QUrl(QStringLiteral("qrc") + QLatin1String(HelpTopic::Folder) + QLatin1String(page->file));
}

void HelpViewer::show(const QUrl &page)
{
    if (!window) {
        window = std::make_unique<QMainWindow>();
        window->setObjectName(QStringLiteral("HelpWindow"));
        window->setWindowTitle(QStringLiteral("Vantiq Help"));
        window->setWindowIcon(ApplicationIcon()); // also loads the guide's pages
        ResizeWithinScreen(window.get(), QSize(720, 600));
        // Deleted with a dialog that held it: made again when next asked for.
        QObject::connect(window.get(), &QObject::destroyed, returner.get(), [this] {
            (void)window.release();
            browser = nullptr;
        });
        browser = new QTextBrowser(window.get());
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setOpenExternalLinks(true);
        window->setCentralWidget(browser);

        QToolBar *bar = window->addToolBar(QStringLiteral("Navigation"));
        bar->setObjectName(QStringLiteral("HelpToolBar"));
        bar->setMovable(false);
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        QStyle *style = window->style();
        auto add = [&](const char *name, const QString &caption, const char *themeIcon, QStyle::StandardPixmap fallback,
                       const QKeySequence &key) {
            QAction *a = bar->addAction(QIcon::fromTheme(QLatin1String(themeIcon), style->standardIcon(fallback)), caption);
            a->setObjectName(QLatin1String(name));
            a->setShortcut(key);
            return a;
        };
        QAction *back = add("HelpBack", QStringLiteral("&Back"), "go-previous", QStyle::SP_ArrowBack, QKeySequence::Back);
        QAction *forward = add("HelpForward", QStringLiteral("&Forward"), "go-next", QStyle::SP_ArrowForward,
                               QKeySequence::Forward);
        QAction *contents = add("HelpContents", QStringLiteral("&Contents"), "go-home", QStyle::SP_DirHomeIcon,
                                QKeySequence(Qt::ALT | Qt::Key_Home));
        // Escape closes the help window, as it closes a dialog.
        auto *close = new QAction(window.get());
        close->setObjectName(QStringLiteral("HelpClose"));
        close->setShortcut(Qt::Key_Escape);
        window->addAction(close);
        QObject::connect(close, &QAction::triggered, window.get(), &QWidget::close);
        back->setEnabled(false);
        forward->setEnabled(false);
        QObject::connect(back, &QAction::triggered, browser, &QTextBrowser::backward);
        QObject::connect(forward, &QAction::triggered, browser, &QTextBrowser::forward);
        QObject::connect(contents, &QAction::triggered, browser, [this] { browser->setSource(ContentsUrl()); });
        QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
        QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
        QObject::connect(browser, &QTextBrowser::sourceChanged, window.get(), [this] {
            const QString title = browser->documentTitle();
            window->setWindowTitle(title.isEmpty() ? QStringLiteral("Vantiq Help")
                                                   : QStringLiteral("Vantiq Help - ") + title);
        });
    }
    if (browser->source() != page)
        browser->setSource(page);
    // Asked from a modal dialog, the help window becomes a window of that
    // dialog's own, which its modality does not block: both take input. When
    // the dialog goes, the help window is given back to the application.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != window.get() && window->parentWidget() != modal) {
        window->setParent(modal, Qt::Window);
        modal->installEventFilter(returner.get());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

bool HelpViewer::Returner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched == viewer.window->parentWidget()) {
        watched->removeEventFilter(this);
        const bool shown = viewer.window->isVisible();
        viewer.window->setParent(nullptr, Qt::Window);
        if (shown)
            viewer.window->show();
    }
    return false;
}

QWidget *HelpViewer::Window() const { return window.get(); }

void HelpViewer::ShowTopic(int topic) { show(TopicUrl(topic)); }

void HelpViewer::ShowContents() { show(ContentsUrl()); }

ContextHelp::ContextHelp(Platform &p, QObject *parent) : QObject(parent), platform(p)
{
    qApp->installEventFilter(this);
}

int ContextHelp::TopicFor(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const QVariant topic = w->property("helpContext");
        if (topic.isValid() && topic.toInt() > 0)
            return topic.toInt();
    }
    return HelpTopic::None;
}

bool ContextHelp::eventFilter(QObject *watched, QEvent *event)
{
    // The key press as it first reaches a widget; taking it there stops it
    // going on to the widget's parents.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    const int topic = TopicFor(static_cast<QWidget *>(watched)); // the key goes to the focused control
    if (topic > 0)
        platform.ShowHelp(topic);
    else
        platform.ShowHelpContents();
    event->accept();
    return true;
}
