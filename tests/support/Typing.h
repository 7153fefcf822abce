#pragma once
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
