#include "Harness.h"
#include "TestMain.h"
#include "Typing.h"
#include "gui/shell/PasswordWindow.h"
#include "gui/shell/SetupPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The password in front of the setup panel, and its change.
class PasswordTest : public QObject {
    Q_OBJECT

    // Types into the password box and presses Enter, as a user does.
    static void enter(TPassWrd &p, const QString &text)
    {
        p.IpPass->setFocus();
        p.IpPass->clear();
        QTest::keyClicks(p.IpPass, text);
        QTest::keyClick(p.IpPass, Qt::Key_Return);
    }
    // The gate answered by the given typing; true when it opened.
    static std::function<int(QDialog &)> typing(const QStringList &attempts, bool pressOk = true)
    {
        return [=](QDialog &d) {
            auto &p = static_cast<TPassWrd &>(d);
            p.show();
            for (const QString &a : attempts)
                enter(p, a);
            QTest::mouseClick(pressOk && p.Return->isEnabled() ? p.Return : p.CancelButton, Qt::LeftButton);
            return d.result();
        };
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void theWindow()
    {
        TPassWrd p(QStringLiteral("Tarnwel"));
        p.show();
        QApplication::setActiveWindow(&p); // so that the focus moves as for a user
        QCOMPARE(p.windowTitle(), QStringLiteral("Password"));
        QCOMPARE(p.PassPrompt->text(), QStringLiteral("Enter Password"));
        QCOMPARE(p.IpPass->echoMode(), QLineEdit::Password);
        QVERIFY(!p.Return->isEnabled());
        enter(p, QStringLiteral("tarnwel")); // another letter case
        QCOMPARE(p.PassPrompt->text(), QStringLiteral("Access Denied"));
        QVERIFY(p.IpPass->text().isEmpty());
        QVERIFY(!p.Return->isEnabled());
        QCOMPARE(QApplication::focusWidget(), p.CancelButton);
        enter(p, QStringLiteral("Tarnwel"));
        QCOMPARE(p.PassPrompt->text(), QStringLiteral("Password Correct Click \"OK\""));
        QVERIFY(p.Return->isEnabled());
        QVERIFY(p.isVisible()); // Enter never closes the window
        QCOMPARE(QApplication::focusWidget(), p.Return); // where the prompt sends the user
        enter(p, QStringLiteral("Tarnwe")); // changed after a right one
        QVERIFY(!p.Return->isEnabled());
        enter(p, QStringLiteral("Tarnwel"));
        QTest::mouseClick(p.Return, Qt::LeftButton);
        QCOMPARE(p.result(), int(QDialog::Accepted));
    }

    // Enter on a focused button presses it; Enter in the box never closes.
    // Following the prompt, Enter and Enter again opens the gate.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("focus"); // "": where Enter in the box left it
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << "Return" << int(QDialog::Accepted);
        QTest::newRow("Cancel") << "CancelButton" << int(QDialog::Rejected);
        QTest::newRow("Enter twice, as the prompt says") << "" << int(QDialog::Accepted);
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, focus);
        QFETCH(int, result);
        TPassWrd p(QStringLiteral("Tarnwel"));
        p.show();
        QApplication::setActiveWindow(&p);
        enter(p, QStringLiteral("Tarnwel"));
        QVERIFY(p.isVisible());
        if (!focus.isEmpty())
            p.findChild<QPushButton *>(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!p.isVisible());
        QCOMPARE(p.result(), result);
    }

    void cancelAndEscape()
    {
        TPassWrd p(QStringLiteral("Tarnwel"));
        p.show();
        enter(p, QStringLiteral("Tarnwel"));
        QTest::mouseClick(p.CancelButton, Qt::LeftButton);
        QCOMPARE(p.result(), int(QDialog::Rejected));
        TPassWrd q(QStringLiteral("Tarnwel"));
        q.show();
        QTest::keyClick(q.IpPass, Qt::Key_Escape);
        QCOMPARE(q.result(), int(QDialog::Rejected));
        QVERIFY(!q.isVisible());
    }

    void routesIntoTheSetupPanel()
    {
        Harness h;
        h.settings({QStringLiteral("Pass Enabled=1"), QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(3)));
        TVantiq_ &w = h.start();
        SetupPanel &s = *w.OptionsTabs;
        QVERIFY(!s.ChangePass->isHidden()); // shown on its sheet
        QVERIFY(w.ChangePassword1->isVisible());

        // The toolbar button: wrong, then Cancel.
        h.platform.modalHandlers << typing({QStringLiteral("guess")});
        w.SetupBtn->click();
        QVERIFY(s.isHidden());
        // The menu item: right.
        h.platform.modalHandlers << typing({QStringLiteral("Tarnwel")});
        w.Setup->trigger();
        QVERIFY(s.isVisible());
        QCOMPARE(w.StatusText(5), QStringLiteral(" SETUP"));
        // The panel's own button skips the gate.
        s.ChangePass->click();
        QVERIFY(s.ChangePassPan->isVisible());
        s.CancelButtClick();
        s.CancelSetupClick();
        // Change Password from the menu passes the gate first.
        h.platform.modalHandlers << typing({QStringLiteral("Tarnwel")}, false);
        w.ChangePassword1->trigger();
        QVERIFY(s.isHidden());
        h.platform.modalHandlers << typing({QStringLiteral("Tarnwel")});
        w.ChangePassword1->trigger();
        QVERIFY(s.isVisible() && s.ChangePassPan->isVisible());
        QCOMPARE(s.currentIndex(), 0);
        s.CancelSetupClick();
        // Open of another vehicle's file made the default: the gate too.
        h.app.write(QStringLiteral("CD34.dat"), AppFolder::crlf(AppFolder::log(3)));
        h.platform.fileAnswers << h.app.file(QStringLiteral("CD34.dat"));
        h.platform.answers << mrYes;
        h.platform.modalHandlers << typing({}, false);
        w.OpenBtn->click();
        QVERIFY(s.isHidden());
        QCOMPARE(h.platform.texts(QStringLiteral("ExecModal")).size(), 5); // every route but the panel's own button
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void changingThePassword_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("changed");
        QTest::newRow("match") << "Tarnwel" << "n3wPass" << "n3wPass" << true;
        QTest::newRow("empty new password") << "Tarnwel" << "" << "" << true;
        QTest::newRow("mismatch") << "Tarnwel" << "n3wPass" << "n3wpass" << false;
        QTest::newRow("wrong old password") << "tarnwel" << "n3wPass" << "n3wPass" << false;
        QTest::newRow("blanks at the end") << "Tarnwel" << "n3w " << "n3w " << false;
        QTest::newRow("blanks in front") << "Tarnwel" << " n3w" << " n3w" << false;
        QTest::newRow("a pasted line break") << "Tarnwel" << "n3w\nPass" << "n3w\nPass" << false;
    }
    void changingThePassword()
    {
        QFETCH(QString, old);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, changed);
        Harness h;
        h.settings({QStringLiteral("Pass Enabled=1"), QStringLiteral("Start up=1")});
        TVantiq_ &w = h.start();
        h.platform.calls.clear();
        SetupPanel &s = *w.OptionsTabs;
        w.ChangePassClick();
        s.OldPass->setText(old);
        s.NewPass1->setText(first);
        s.NewPass2->setText(second);
        h.platform.answers << mrOk;
        QTest::mouseClick(s.PassOk, Qt::LeftButton);
        const auto *q = h.platform.last(QStringLiteral("MessageDlg"));
        QCOMPARE(q->text, changed ? QStringLiteral("Password Changed ") : QStringLiteral("Invalid Entry Please Retype or Cancel "));
        QCOMPARE(q->kind, changed ? MsgKind::Information : MsgKind::Error);
        QCOMPARE(q->buttons, int(mbOk));
        QCOMPARE(w.Live.Password, changed ? first : QStringLiteral("Tarnwel"));
        QCOMPARE(s.ChangePassPan->isHidden(), changed);
        QCOMPARE(s.OldPass->text().isEmpty(), changed); // cleared with the form
    }

    // The new password is written with the settings, readable by their owner
    // only, and opens the gate after a restart.
    void survivesARestart()
    {
        Harness h;
        h.settings({QStringLiteral("Pass Enabled=1"), QStringLiteral("Start up=1")});
        TVantiq_ &w = h.start();
        w.ChangePassClick();
        w.OptionsTabs->OldPass->setText(QStringLiteral("Tarnwel"));
        w.OptionsTabs->NewPass1->setText(QStringLiteral("Road=Runner"));
        w.OptionsTabs->NewPass2->setText(QStringLiteral("Road=Runner"));
        h.platform.answers << mrOk;
        w.OptionsTabs->PassOkClick();
        w.close();
        QVERIFY(h.app.read(QStringLiteral("vantiq.ini")).contains("Password=Road=Runner\r\n"));
        QCOMPARE(QFileInfo(h.app.iniPath()).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 QFileDevice::Permissions());
        h.window.reset();
        TVantiq_ &again = h.start();
        h.platform.modalHandlers << typing({QStringLiteral("Road=Runner")});
        again.SetupClick();
        QVERIFY(again.OptionsTabs->isVisible());
    }

    // Set Defaults turns passwords off: the change commands go with them.
    void theCommandsFollowTheBox()
    {
        Harness h;
        h.settings({QStringLiteral("Pass Enabled=1"), QStringLiteral("Start up=1")});
        TVantiq_ &w = h.start();
        QVERIFY(w.ChangePassword1->isVisible());
        w.OptionsTabs->setdefaultsclick();
        QVERIFY(!w.ChangePassword1->isVisible());
        QVERIFY(w.OptionsTabs->ChangePass->isHidden());
        w.OptionsTabs->PassEnable->click();
        QVERIFY(w.ChangePassword1->isVisible());
    }
};

VANTIQ_TEST(PasswordTest)
#include "tst_password.moc"
