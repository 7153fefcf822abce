#include "Harness.h"
#include "TestMain.h"
#include "TestVehicles.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/GraphWindow.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/vehicles/VehicleManager.h"

#include <QPointer>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

// The main menu bar, with the menus of the active child window merged in.
class MenusTest : public QObject {
    Q_OBJECT

    static QStringList bar(TVantiq_ &w)
    {
        QStringList out;
        for (QAction *a : w.menuBar()->actions())
            if (a->isVisible())
                out << a->text();
        return out;
    }
    TVantiq_ &loaded(Harness &h)
    {
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(6)));
        return h.start();
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void mergedByGroup()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        const QStringList own{"&File", "&Analysis", "&Options", "&Enter Data", "&Window", "&Help"};
        QCOMPARE(bar(w), own);
        w.analisebutton();
        auto *analysis = w.findChild<TAnalisisForm *>();
        w.MdiArea->setActiveSubWindow(analysis);
        QCOMPARE(bar(w), (QStringList{"&File", "&Summary", "Fuel &units", "&Distance units", "&Analysis options", "&Options",
                                      "&Enter Data", "&Window", "&Help"}));
        QCOMPARE(w.menuBar()->actions().first()->menu(), analysis->File1); // the window's own File menu
        analysis->GraphClick();
        auto *graph = w.findChild<TGraphForm *>();
        w.MdiArea->setActiveSubWindow(graph);
        QCOMPARE(bar(w), (QStringList{"File", "&Graph", "&Options", "&Enter Data", "&Window", "&Help"}));
        w.MdiArea->setActiveSubWindow(analysis);
        QCOMPARE(bar(w).size(), 9);
        w.CloseAllChildWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(bar(w), own);

        h.platform.answers << mrYes; // no vehicle list yet: the welcome
        w.VehDetails();
        h.platform.calls.clear();
        w.MdiArea->setActiveSubWindow(w.VehSelect);
        QCOMPARE(bar(w), (QStringList{"&File", "&Analysis", "View", "New", "&Options", "&Window", "&Help"}));
        // The manager's Options menu runs the main window's commands.
        QStringList options;
        for (QAction *a : w.VehSelect->OptionsMenu->actions())
            options << a->text();
        QCOMPARE(options, (QStringList{"Set-up", "New Vechicle", "Select Vehicle", "Select Vehicle List File"}));
    }

    // Merging never enables a menu that was disabled.
    void disabledStatesSurvive()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        QVERIFY(!w.Print->isEnabled());
        w.analisebutton();
        auto *analysis = w.findChild<TAnalisisForm *>();
        analysis->GraphClick();
        auto *graph = w.findChild<TGraphForm *>();
        w.SetEntryMenusEnabled(false); // as the setup panel's opening leaves them
        for (int round = 0; round < 5; ++round) {
            w.MdiArea->setActiveSubWindow(round % 2 ? static_cast<QMdiSubWindow *>(graph) : analysis);
            w.MdiArea->setActiveSubWindow(nullptr);
        }
        QVERIFY(!w.EnterDataMenu->menuAction()->isEnabled());
        QVERIFY(!w.Print->isEnabled());
        QVERIFY(!w.Analisis2->isEnabled()); // an analysis window is open
    }

    void windowListAndArrange()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        w.analisebutton();
        auto *analysis = w.findChild<TAnalisisForm *>();
        analysis->GraphClick();
        auto *graph = w.findChild<TGraphForm *>();
        w.MdiArea->setActiveSubWindow(graph);
        emit w.WindowMenu->aboutToShow();
        QStringList items;
        for (QAction *a : w.WindowMenu->actions())
            if (!a->isSeparator())
                items << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
        QCOMPARE(items, (QStringList{"Tile", "Cascade", "Arrange", "&1 MPG Data Analysis", "&2 Graph *"}));
        w.WindowMenu->actions().at(4)->trigger();
        QCOMPARE(w.MdiArea->activeSubWindow(), static_cast<QMdiSubWindow *>(analysis));

        // Arrange moves the icons of minimised windows, nothing else.
        analysis->move(30, 40);
        graph->showMinimized();
        w.Arrange1->trigger();
        QCOMPARE(analysis->pos(), QPoint(30, 40));
        QCOMPARE(graph->y() + graph->height(), w.MdiArea->viewport()->height());
        QCOMPARE(graph->x(), 0);
    }

    // A key reaches its command only while the command is enabled, and a
    // command's button, items and key are enabled together.
    void keysFollowTheirCommands()
    {
        Harness h;
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(TestVehicle(QStringLiteral("AB12"))));
        TVantiq_ &w = loaded(h);
        QVERIFY(w.actions().contains(w.Save1)); // alive while a child's File menu stands in the bar
        w.ExistingBut->click(); // the manager disables entry, analysis and its own button
        QPointer<TVehSelect> m = w.VehSelect;
        QVERIFY(m && m->isVisible());
        for (int key : {Qt::Key_F2, Qt::Key_F5})
            QTest::keyClick(&w, Qt::Key(key));
        QVERIFY(w.DataEntry->isHidden());
        QVERIFY(!w.findChild<TAnalisisForm *>());
        QVERIFY(m->isVisible());
        // F3 is Select Vehicle, which the manager's own menu offers: a
        // manager afresh, its reminder scan run again.
        QTest::keyClick(&w, Qt::Key_F3);
        QTRY_VERIFY(!m);
        m = w.VehSelect;
        QVERIFY(m && m->isVisible() && !w.ExistingBut->isEnabled());
        m->close();
        QTest::keyClick(&w, Qt::Key_F2); // enabled again: F2 starts an entry
        QVERIFY(w.DataEntry->isVisible());
        // Close All during the entry: the analysis is enabled on every route.
        w.CloseAllChildWindows();
        for (QObject *route : std::initializer_list<QObject *>{w.Analise, w.analisisAction, w.Analisis2, w.ChangeVehicle})
            QVERIFY(route->property("enabled").toBool());
        QTest::keyClick(&w, Qt::Key_F5);
        QVERIFY(w.findChild<TAnalisisForm *>());
    }

    // A window or panel the user opens stands in front of what it opens
    // over, and takes the focus.
    void openedComesToTheFront_data()
    {
        QTest::addColumn<QString>("over");   // what is shown first
        QTest::addColumn<QString>("opened"); // what the user opens then
        QTest::addColumn<QString>("front");  // the overlay's front: a panel's name, or the active child window's class
        QTest::newRow("New Vehicle during a fuel entry") << "entry" << "NewBut" << "TVehSelect";
        QTest::newRow("F5 over the data view") << "view" << "F5" << "TAnalisisForm";
        QTest::newRow("the Window menu, the manager behind the setup panel") << "manager, setup" << "window item" << "TVehSelect";
        QTest::newRow("the setup panel over an analysis") << "analysis" << "Setup" << "OptionsTabs";
        QTest::newRow("the manager closed: the entry again") << "entry" << "NewBut, closed" << "DataEntry";
    }
    void openedComesToTheFront()
    {
        QFETCH(QString, over);
        QFETCH(QString, opened);
        QFETCH(QString, front);
        Harness h;
        h.app.write(QStringLiteral("vehs3.veh"), VehicleFile::Encode(TestVehicle(QStringLiteral("AB12"))));
        TVantiq_ &w = loaded(h);
        if (over.contains(QLatin1String("entry")))
            w.EnterDataClick();
        if (over.contains(QLatin1String("view")))
            w.View1->trigger();
        if (over.contains(QLatin1String("analysis")))
            w.analisebutton();
        if (over.contains(QLatin1String("manager")))
            w.ExistingBut->click();
        if (over.contains(QLatin1String("setup")))
            w.SetupClick();
        if (opened.startsWith(QLatin1String("NewBut"))) {
            w.NewVehicleClick(); // the toolbar's New, as the menus run it
        } else if (opened == QLatin1String("F5")) {
            QTest::keyClick(&w, Qt::Key_F5);
        } else if (opened == QLatin1String("Setup")) {
            w.SetupClick();
        } else {
            emit w.WindowMenu->aboutToShow();
            QAction *item = w.WindowMenu->actions().last();
            QVERIFY(item->text().endsWith(w.VehSelect->windowTitle()));
            item->trigger();
        }
        if (opened.endsWith(QLatin1String("closed"))) {
            w.VehSelect->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        // The front: the last shown child of the area the panels share.
        QWidget *area = w.MdiArea->parentWidget();
        QWidget *shown = nullptr;
        for (QObject *o : area->children())
            if (auto *c = qobject_cast<QWidget *>(o); c && !c->isWindow() && c->isVisible())
                shown = c;
        if (front.startsWith(QLatin1Char('T'))) {
            QCOMPARE(shown, w.MdiArea);
            QVERIFY(w.MdiArea->activeSubWindow());
            QCOMPARE(w.MdiArea->activeSubWindow()->metaObject()->className(), front.toLatin1());
            QVERIFY(w.MdiArea->activeSubWindow()->isAncestorOf(QApplication::focusWidget()));
        } else {
            QVERIFY(shown);
            QCOMPARE(shown->objectName(), front);
            QVERIFY(shown->isAncestorOf(QApplication::focusWidget()));
            QVERIFY(shown->autoFillBackground()); // nothing behind shows through it
        }
    }

    // Closing the main window with its children open takes everything down
    // in order (the sanitizer build checks the memory).
    void closingWithChildrenOpen()
    {
        Harness h;
        TVantiq_ &w = loaded(h);
        w.analisebutton();
        QPointer<TAnalisisForm> analysis = w.findChild<TAnalisisForm *>();
        analysis->GraphClick();
        QPointer<TGraphForm> graph = w.findChild<TGraphForm *>();
        w.MdiArea->setActiveSubWindow(graph);
        QPointer<QMenu> graphMenu = graph->GraphMainMenu;
        QVERIFY(w.menuBar()->actions().contains(graphMenu->menuAction())); // merged
        w.close();
        QVERIFY(!w.isVisible());
        QVERIFY(h.app.read(QStringLiteral("vantiq.ini")).contains("Registration=AB12\r\n"));
        // The merged child goes first: its menus leave the bar with it, and
        // the bar keeps only menus that live.
        delete graph.data();
        QVERIFY(graphMenu.isNull());
        for (QAction *a : w.menuBar()->actions())
            QVERIFY(a->menu());
        h.window.reset();
        QVERIFY(analysis.isNull());
    }
};

VANTIQ_TEST(MenusTest)
#include "tst_menus.moc"
