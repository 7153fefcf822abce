#include "TestMain.h"
#include "gui/shell/DesktopPlatform.h"
#include "gui/shell/HelpViewer.h"
#include "gui/shell/MessageDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

class MessageDialogTest : public QObject {
    Q_OBJECT

    static QStringList captions(const TDialogForm &d)
    {
        QStringList out;
        for (int i = 1; i <= 8; ++i)
            if (auto *b = d.findChild<QPushButton *>(QStringLiteral("B%1").arg(i)))
                out << b->text();
        return out;
    }
    static QPushButton *button(const TDialogForm &d, const QString &caption)
    {
        for (QPushButton *b : d.findChildren<QPushButton *>())
            if (b->text() == caption && !b->objectName().isEmpty())
                return b;
        return nullptr;
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void buttonOrderAndResults_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << int(mbOk) << QStringList{"Ok"} << "Ok" << 1;
        QTest::newRow("ok help") << (mbOk | mbHelp) << QStringList{"Ok", "Help"} << "Ok" << 1;
        QTest::newRow("ok cancel") << (mbOk | mbCancel) << QStringList{"Ok", "Cancel"} << "Cancel" << 2;
        QTest::newRow("ok cancel help") << (mbOk | mbCancel | mbHelp) << QStringList{"Ok", "Cancel", "Help"} << "Ok" << 1;
        QTest::newRow("yes no") << (mbYes | mbNo) << QStringList{"Yes", "No"} << "No" << 7;
        QTest::newRow("yes no help") << (mbNo | mbHelp | mbYes) << QStringList{"Help", "Yes", "No"} << "Yes" << 6;
        QTest::newRow("yes cancel") << (mbYes | mbCancel) << QStringList{"Cancel", "Yes"} << "Yes" << 6;
        QTest::newRow("yes cancel help") << (mbYes | mbCancel | mbHelp) << QStringList{"Cancel", "Help", "Yes"} << "Cancel" << 2;
        QTest::newRow("abort ignored") << (mbOk | mbHelp | mbAbort) << QStringList{"Ok", "Help"} << "Ok" << 1;
    }
    void buttonOrderAndResults()
    {
        QFETCH(int, set);
        QFETCH(QStringList, shown);
        QFETCH(QString, press);
        QFETCH(int, result);
        TDialogForm d;
        d.Prepare(QStringLiteral("Entry is Incomplete"), MsgKind::Error, set, 5);
        d.show();
        QCOMPARE(captions(d), shown);
        QTest::mouseClick(button(d, press), Qt::LeftButton);
        QCOMPARE(d.result(), result);
        QVERIFY(!d.isVisible());
        QVERIFY2(captions(d).isEmpty(), "buttons are destroyed on close");
    }

    void captionsAndIcons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("warning") << int(MsgKind::Warning) << "Warning";
        QTest::newRow("error") << int(MsgKind::Error) << "Error";
        QTest::newRow("information") << int(MsgKind::Information) << "Information";
        QTest::newRow("confirmation") << int(MsgKind::Confirmation) << "Confirmation";
    }
    void captionsAndIcons()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        TDialogForm d;
        d.Prepare(QStringLiteral("x"), MsgKind(kind), mbOk, 0);
        d.show();
        QCOMPARE(d.windowTitle(), caption);
        QVERIFY(!d.DialogImage->pixmap().isNull());
        d.close();
        // A custom message keeps the caption of the call before it.
        d.Prepare(QStringLiteral("y"), MsgKind::Custom, mbOk, 0);
        QCOMPARE(d.windowTitle(), caption);
        d.close();
    }

    void layout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("set");
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<int>("minWidth");
        QTest::newRow("one button") << "Default File Not Changed" << int(mbOk) << QList<int>{-37} << 94;
        QTest::newRow("one button, short text") << "x" << int(mbOk) << QList<int>{-37} << 94;
        QTest::newRow("two buttons") << "Data File Invalid not loaded" << (mbOk | mbHelp) << QList<int>{-77, 3} << 174;
        QTest::newRow("three buttons") << "Day is Incomplete" << (mbOk | mbCancel | mbHelp) << QList<int>{-114, -37, 40} << 248;
        QTest::newRow("long text") << QString(80, QLatin1Char('W')) << (mbYes | mbNo) << QList<int>{-77, 3} << 174;
    }
    void layout()
    {
        QFETCH(QString, text);
        QFETCH(int, set);
        QFETCH(QList<int>, offsets);
        QFETCH(int, minWidth);
        TDialogForm d;
        d.Prepare(text, MsgKind::Warning, set, 0);
        d.show();
        const int w = std::max(d.MessageText->width() + 88, minWidth);
        QCOMPARE(d.width(), w);
        QCOMPARE(d.height(), 65 + 25 + 15); // no band under the buttons
        QCOMPARE(d.MessageText->pos(), QPoint(64, 16));
        for (int i = 0; i < offsets.size(); ++i) {
            auto *b = d.findChild<QPushButton *>(QStringLiteral("B%1").arg(i + 1));
            QCOMPARE(b->size(), QSize(74, 25));
            QCOMPARE(b->pos(), QPoint(w / 2 + offsets[i], 65));
        }
        d.close();
    }

    void tallMessagesMoveTheButtons_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("three lines") << QStringLiteral("You are attempting to change to\ranother file without first setting it as Default\r"
                                                      "Do you wish to do this now ?");
        // Wrapped at the words rather than running off a small screen.
        QTest::newRow("a line wider than the screen")
            << QStringLiteral("Could not save /home/driver/.local/share/Quorvix/Vantiq/VN24 QRX.dat: No space left on device. ").repeated(6);
    }
    void tallMessagesMoveTheButtons()
    {
        QFETCH(QString, text);
        TDialogForm d;
        d.Prepare(text, MsgKind::Warning, mbYes | mbNo | mbHelp, 8);
        d.show();
        QVERIFY(!d.MessageText->text().contains(QLatin1Char('\r')));
        const int h = d.MessageText->height();
        QVERIFY(h > 32);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("B%1").arg(i))->y(), 16 + h + 10);
        QCOMPARE(d.height(), 16 + h + 10 + 25 + 15);
        QVERIFY(d.width() <= d.screen()->availableGeometry().width());
        QVERIFY(d.MessageText->heightForWidth(d.MessageText->width()) <= h || !d.MessageText->wordWrap());
        d.close();
    }

    void helpLeavesTheDialogOpen()
    {
        TDialogForm d;
        QSignalSpy help(&d, &TDialogForm::helpRequested);
        d.Prepare(QStringLiteral("Invalid Day"), MsgKind::Error, mbOk | mbCancel | mbHelp, 5);
        d.show();
        QTest::mouseClick(button(d, QStringLiteral("Help")), Qt::LeftButton);
        QCOMPARE(help.size(), 1);
        QCOMPARE(help.first().first().toInt(), 5);
        QVERIFY(d.isVisible());
        QTest::mouseClick(button(d, QStringLiteral("Cancel")), Qt::LeftButton);
        QCOMPARE(d.result(), 2);
    }

    void closingByTheFrameIsCancel()
    {
        TDialogForm d;
        d.Prepare(QStringLiteral("Question"), MsgKind::Confirmation, mbYes | mbNo, 0);
        d.show();
        d.close();
        QCOMPARE(d.result(), 2);
        QVERIFY(captions(d).isEmpty());
    }

    void noButtonsClosesByFrameOnly()
    {
        TDialogForm d;
        d.Prepare(QStringLiteral("Nothing to press"), MsgKind::Information, 0, 0);
        d.show();
        QVERIFY(captions(d).isEmpty());
        d.close();
        QCOMPARE(d.result(), 2);
    }

    void desktopPlatformUsesTheOneDialog()
    {
        DesktopPlatform platform;
        TDialogForm &form = platform.DialogForm();
        for (int round = 0; round < 2; ++round) {
            QTimer::singleShot(0, &form, [&form] {
                QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("B2")), Qt::LeftButton);
            });
            QCOMPARE(platform.MessageDialog(QStringLiteral("Really Delete x"), MsgKind::Information, mbOk | mbCancel, 8), 2);
            QCOMPARE(form.windowTitle(), QStringLiteral("Information"));
        }
    }

    // Enter on the focused button answers the question, as a click does;
    // the focus starts on the first answer, never on Help.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("focused"); // the answer asked to start on
        QTest::newRow("ok") << int(mbOk) << 0 << int(mrOk) << 0;
        QTest::newRow("welcome: cancel, yes") << (mbYes | mbCancel) << 0 << int(mrCancel) << 0;
        QTest::newRow("welcome: tab to yes") << (mbYes | mbCancel) << 1 << int(mrYes) << 0;
        QTest::newRow("help, yes, no starts on yes") << (mbYes | mbNo | mbHelp) << 0 << int(mrYes) << 0;
        QTest::newRow("ok, cancel, help: tab to cancel") << (mbOk | mbCancel | mbHelp) << 1 << int(mrCancel) << 0;
        QTest::newRow("ok, cancel, help started on cancel") << (mbOk | mbCancel | mbHelp) << 0 << int(mrCancel) << int(mrCancel);
        QTest::newRow("started on an answer it lacks") << (mbOk | mbHelp) << 0 << int(mrOk) << int(mrNo);
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, set);
        QFETCH(int, tabs);
        QFETCH(int, result);
        QFETCH(int, focused);
        DesktopPlatform platform;
        TDialogForm &form = platform.DialogForm();
        QTimer::singleShot(0, &form, [&form, tabs] {
            QApplication::setActiveWindow(&form);
            for (int i = 0; i < tabs && form.focusWidget(); ++i)
                QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
            if (form.focusWidget())
                QTest::keyClick(form.focusWidget(), Qt::Key_Return);
            if (form.isVisible())
                form.reject(); // Enter did nothing: end the test instead of hanging
        });
        QCOMPARE(platform.MessageDialogFocused(QStringLiteral("Welcome"), MsgKind::Information, set, 0, focused), result);
    }

    // Help asked from the open dialog shows a window that takes the clicks
    // beside it: a window of the dialog's own, not modal.
    void helpFromTheDialogIsUsable()
    {
        DesktopPlatform platform;
        TDialogForm &form = platform.DialogForm();
        bool helpUsable = false;
        QTimer::singleShot(0, &form, [&] {
            QTest::mouseClick(button(form, QStringLiteral("Help")), Qt::LeftButton);
            QWidget *help = platform.Help().Window();
            helpUsable = help && help->isVisible() && help->parentWidget() == &form && !help->isModal()
                         && QApplication::activeModalWidget() == &form;
            if (help)
                help->close();
            QTest::mouseClick(button(form, QStringLiteral("Ok")), Qt::LeftButton);
        });
        QCOMPARE(platform.MessageDialog(QStringLiteral("Invalid Day"), MsgKind::Error, mbOk | mbCancel | mbHelp, 5), int(mrOk));
        QVERIFY(helpUsable);
        // From the menu, with no dialog open, the help window is an ordinary one.
        platform.ShowHelpContents();
        QVERIFY(!platform.Help().Window()->isModal());
        platform.Help().Window()->close();
    }
};

VANTIQ_TEST(MessageDialogTest)
#include "tst_dialog.moc"
