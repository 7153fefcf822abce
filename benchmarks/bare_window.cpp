// The bare Qt program the start-up is measured against: a main window of the
// same shape (menu bar, toolbar, MDI area, status bar), started and ended the
// same way, and nothing of ours.
#include "gui/shell/FirstPaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char *title : {"&File", "&Options", "&Window", "&Help"})
        window.menuBar()->addMenu(QLatin1String(title))->addAction(QStringLiteral("&Open"));
    QToolBar *tools = window.addToolBar(QStringLiteral("Tools"));
    for (const char *name : {"Open", "Save", "Analyse", "Enter"})
        tools->addAction(QLatin1String(name));
    window.setCentralWidget(new QMdiArea);
    window.statusBar()->showMessage(QStringLiteral("ready"));
    QuitAfterFirstPaint(window);
    window.showMaximized();
    return app.exec();
}
