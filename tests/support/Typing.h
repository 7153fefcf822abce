#pragma once
#include <QApplication>
#include <QLineEdit>
#include <QTest>

// Types into a box as a user does: the old text replaced, then Enter.
inline void TypeAndEnter(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// The user goes to another window (the help window F1 opened, another
// program) and comes back: the window loses and regains activation, as a
// window manager does it.
inline void AwayAndBack(QWidget *window)
{
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QCoreApplication::processEvents();
    other.close();
    QApplication::setActiveWindow(window);
    QCoreApplication::processEvents();
}
