#include "Harness.h"
#include "TestMain.h"
#include "Typing.h"
#include "gui/entry/BulkPanel.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/SetupPanel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

// Bulk purchases in the bulk scheme, through the panel's boxes.
class BulkTest : public QObject {
    Q_OBJECT

    Harness h;
    TVantiq_ *w = nullptr;
    BulkPanel *b = nullptr;

    // Started in the bulk scheme with the given bulk.dat lines (none: no file).
    void begin(const QStringList &bulk = {}, bool writeFile = false)
    {
        h.settings({QStringLiteral("Scheme=1"), QStringLiteral("ppl=0.70"), QStringLiteral("Registration=AB12")});
        if (writeFile || !bulk.isEmpty())
            h.app.write(QStringLiteral("bulk.dat"), AppFolder::crlf(bulk));
        w = &h.start();
        h.platform.calls.clear(); // start-up's notices
        b = w->BulkPurchase;
        w->BulkButton->click();
    }
    void purchase(const QString &day, const QString &month, const QString &spent, const QString &litres, int year = 2012)
    {
        b->UpDown1->setValue(year);
        TypeAndEnter(b->BDay, day);
        TypeAndEnter(b->BMonth, month);
        TypeAndEnter(b->BPrice, spent);
        TypeAndEnter(b->BAmount, litres);
        QTest::mouseClick(b->BAccept, Qt::LeftButton);
    }
    QByteArray file() const { return h.app.read(QStringLiteral("bulk.dat")); }

private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void init()
    {
        h.~Harness();
        new (&h) Harness;
    }

    void firstPurchaseIntoANewFile()
    {
        begin();
        QVERIFY(b->isVisible());
        QCOMPARE(b->BYear->text(), QStringLiteral("2000"));
        // The amount typed in two goes, with F1 and the help window between:
        // the second half adds to the first.
        b->UpDown1->setValue(2012);
        TypeAndEnter(b->BDay, QStringLiteral("7"));
        TypeAndEnter(b->BMonth, QStringLiteral("5"));
        QVERIFY(b->BPrice->hasFocus());
        QTest::keyClicks(b->BPrice, QStringLiteral("19"));
        QTest::keyClick(b->BPrice, Qt::Key_F1);
        AwayAndBack(w);
        QTest::keyClicks(b->BPrice, QStringLiteral("00.00"));
        QTest::keyClick(b->BPrice, Qt::Key_Return);
        TypeAndEnter(b->BAmount, QStringLiteral("2000"));
        QTest::mouseClick(b->BAccept, Qt::LeftButton);
        QCOMPARE(file(), QByteArray("07/05/2012\r\n2000\r\n95.00\r\n"));
        QCOMPARE(b->BPpgBox->text(), QStringLiteral("4.32"));
        QCOMPARE(b->Edit7->text(), QStringLiteral("439.95"));
        QCOMPARE(b->BPplBox->text(), QStringLiteral("95.00"));
        QCOMPARE(w->OptionsTabs->DefaultPpl->text(), QStringLiteral("95.00"));
        QCOMPARE(w->DataEntry->PPLBox->text(), QStringLiteral("95.00"));
        QCOMPARE(b->BLastDate->text(), QStringLiteral("07/05/2012"));
        QCOMPARE(b->BNumItems->text(), QStringLiteral("1"));
        QVERIFY(b->BPrice->text().isEmpty() && b->BAmount->text().isEmpty());
        QCOMPARE(b->BDay->text(), QStringLiteral("07"));
        QVERIFY(h.platform.calls.isEmpty());
        QCOMPARE(h.platform.helpTopics.size(), 1);
    }

    void placement_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QStringList>("meanwhile"); // bulk.dat as another program saved it after the load
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("told");
        const QStringList none;
        QTest::newRow("after all") << "20" << "06" << none << QStringList{"01/03/2012", "01/04/2012", "01/05/2012", "20/06/2012"} << "";
        QTest::newRow("between") << "15" << "04" << none << QStringList{"01/03/2012", "01/04/2012", "15/04/2012", "01/05/2012"} << "";
        QTest::newRow("before all") << "01" << "02" << none << QStringList{"01/02/2012", "01/03/2012", "01/04/2012", "01/05/2012"} << "";
        QTest::newRow("same day as one") << "01" << "04" << none
                                         << QStringList{"01/03/2012", "01/04/2012", "01/04/2012", "01/05/2012"} << "";
        const QStringList three{"01/03/2012", "1000", "90.00", "01/04/2012", "1000", "91.00", "01/05/2012", "1000", "92.00"};
        QTest::newRow("another program added one") << "15" << "04" << (QStringList(three) << "01/06/2012" << "500" << "93.00")
                                                    << QStringList{"01/03/2012", "01/04/2012", "15/04/2012", "01/05/2012", "01/06/2012"}
                                                    << "bulk.dat was changed by another program; its 1 new purchase is kept and yours is added";
        QTest::newRow("another program removed one") << "20" << "06" << three.mid(3)
                                                     << QStringList{"01/04/2012", "01/05/2012", "20/06/2012"}
                                                     << "bulk.dat was changed by another program; the 1 purchase it removed stays "
                                                        "removed and yours is added";
    }
    void placement()
    {
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QStringList, meanwhile);
        QFETCH(QStringList, dates);
        QFETCH(QString, told);
        begin({"01/03/2012", "1000", "90.00", "01/04/2012", "1000", "91.00", "01/05/2012", "1000", "92.00"});
        QCOMPARE(b->BNumItems->text(), QStringLiteral("3"));
        if (!meanwhile.isEmpty())
            h.app.write(QStringLiteral("bulk.dat"), AppFolder::crlf(meanwhile));
        purchase(day, month, QStringLiteral("930"), QStringLiteral("1000"));
        QStringList got;
        for (qsizetype k = 0; k < w->BulkList.size(); k += 3)
            got << w->BulkList[k];
        QCOMPARE(got, dates);
        QCOMPARE(b->BLastDate->text(), dates.last());
        QCOMPARE(b->BNumItems->text(), QString::number(dates.size()));
        QCOMPARE(AppFolder::crlf(w->BulkList), file());
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), told.isEmpty() ? QStringList{} : QStringList{told});
    }

    void stepComplaints_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("day") << "BDay" << "32" << "Day out of Range";
        QTest::newRow("month") << "BMonth" << "x" << "Invalid Month";
        QTest::newRow("price") << "BPrice" << "12a" << "Invalid Price 3";
        QTest::newRow("quantity") << "BAmount" << "0" << "Cannot accept Amount = 0";
    }
    void stepComplaints()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        for (int answer : {int(mrOk), int(mrCancel)}) {
            init();
            begin();
            const QStringList order{"BDay", "BMonth", "BPrice", "BAmount"};
            const QStringList good{"07", "05", "1900", "2000"};
            for (int i = 0; order[i] != box; ++i)
                TypeAndEnter(b->findChild<QLineEdit *>(order[i]), good[i]);
            h.platform.answers << answer;
            QLineEdit *e = b->findChild<QLineEdit *>(box);
            TypeAndEnter(e, text);
            const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
            QCOMPARE(q->text, message);
            QCOMPARE(q->kind, MsgKind::Error);
            QCOMPARE(q->buttons, mbOk | mbCancel | mbHelp);
            QCOMPARE(q->help, 15);
            QCOMPARE(e->text().isEmpty(), false); // the boxes keep their text
            if (answer == mrOk) {
                QVERIFY(e->hasFocus());
                QVERIFY(b->BReStart->isHidden());
            } else {
                QVERIFY(!b->Flags().DayArmed);
                QVERIFY(b->BReStart->isVisible());
                QTest::mouseClick(b->BReStart, Qt::LeftButton);
                QVERIFY(b->Flags().DayArmed);
                QVERIFY(b->BReStart->isHidden());
            }
        }
    }

    void refusedAcceptances()
    {
        begin();
        // Before the steps: the amounts are emptied.
        b->BPrice->setText(QStringLiteral("100"));
        b->BAmount->setText(QStringLiteral("100"));
        h.platform.answers << mrOk;
        QTest::mouseClick(b->BAccept, Qt::LeftButton);
        QCOMPARE(h.platform.last(QStringLiteral("MessageDialog"))->text, QStringLiteral("Invalid Data Entered"));
        QCOMPARE(h.platform.last(QStringLiteral("MessageDialog"))->help, 15);
        QVERIFY(b->BPrice->text().isEmpty() && b->BAmount->text().isEmpty());
        // A month changed after the date step.
        b->UpDown1->setValue(2012);
        TypeAndEnter(b->BDay, QStringLiteral("07"));
        TypeAndEnter(b->BMonth, QStringLiteral("05"));
        TypeAndEnter(b->BPrice, QStringLiteral("100"));
        TypeAndEnter(b->BAmount, QStringLiteral("100"));
        b->BMonth->setText(QStringLiteral("06"));
        h.platform.answers << mrOk;
        QTest::mouseClick(b->BAccept, Qt::LeftButton);
        QCOMPARE(h.platform.last(QStringLiteral("MessageDialog"))->text, QStringLiteral("Invalid Data Entered"));
        // A quantity emptied after its step.
        TypeAndEnter(b->BDay, QStringLiteral("07"));
        TypeAndEnter(b->BMonth, QStringLiteral("05"));
        TypeAndEnter(b->BPrice, QStringLiteral("100"));
        TypeAndEnter(b->BAmount, QStringLiteral("100"));
        b->BAmount->setText(QStringLiteral("-3"));
        h.platform.answers << mrOk;
        QTest::mouseClick(b->BAccept, Qt::LeftButton);
        QCOMPARE(h.platform.last(QStringLiteral("MessageDialog"))->text, QStringLiteral("No Purchase quantity entered"));
        QVERIFY(!h.app.exists(QStringLiteral("bulk.dat")));
        QVERIFY(w->BulkList.isEmpty());
    }

    // A bulk.dat that cannot be read is never written over.
    void anUnreadableFileIsKept()
    {
        const QByteArray bad = "7/05/2012\r\n2000\r\n95.00\r\n";
        h.app.write(QStringLiteral("bulk.dat"), bad);
        h.settings({QStringLiteral("Scheme=1"), QStringLiteral("Registration=AB12")});
        w = &h.start();
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).contains(QStringLiteral("Bulk Purchase Data Invalid Not Loaded")));
        b = w->BulkPurchase;
        w->BulkButton->click();
        h.platform.answers << mrOk;
        purchase(QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("100"), QStringLiteral("100"));
        const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
        QVERIFY(q->text.startsWith(QStringLiteral("The bulk purchase file ")));
        QCOMPARE(q->kind, MsgKind::Error);
        QCOMPARE(q->help, 15);
        QCOMPARE(file(), bad);
        QCOMPARE(w->OptionsTabs->DefaultPpl->text(), QStringLiteral("0.70"));
    }

    void trailingBlankLinesAndWholePurchases()
    {
        h.app.write(QStringLiteral("bulk.dat"), "01/03/2012\r\n1000\r\n90.00\r\n\r\n\r\n");
        begin();
        QCOMPARE(b->BNumItems->text(), QStringLiteral("1"));
        QCOMPARE(w->BulkList.size(), 3);
        init();
        h.app.write(QStringLiteral("bulk.dat"), "01/03/2012\r\n1000\r\n90.00\r\n02/03/2012\r\n");
        h.settings({QStringLiteral("Scheme=1")});
        w = &h.start();
        QVERIFY(h.platform.texts(QStringLiteral("ShowMessage")).contains(QStringLiteral("Bulk Purchase Data Invalid Not Loaded")));
        QVERIFY(w->BulkList.isEmpty());
    }

    // Switched to the bulk scheme during the run: the existing purchases are
    // read before the first new one, not written over.
    void schemeSwitchedDuringTheRun()
    {
        h.app.write(QStringLiteral("bulk.dat"), AppFolder::crlf({"01/03/2012", "1000", "90.00"}));
        h.settings({QStringLiteral("Scheme=0"), QStringLiteral("Registration=AB12")});
        w = &h.start();
        w->OptionsTabs->Scheme->setCurrentIndex(1);
        h.platform.answers << mrYes; // no vehicle yet: the manager's welcome
        w->OptionsTabs->AcceptParamsClick();
        h.platform.calls.clear();
        b = w->BulkPurchase;
        w->BulkButton->click();
        purchase(QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("930"), QStringLiteral("1000"));
        QCOMPARE(file(), AppFolder::crlf({"01/03/2012", "1000", "90.00", "01/04/2012", "1000", "93.00"}));
    }

    // The data folder changed between the date step and Accept: the
    // purchase is placed by the list it goes into, which is then shown.
    void anotherFoldersListDecidesThePlacement()
    {
        begin({"01/01/2012", "1000", "90.00"});
        QDir(h.app.path()).mkdir(QStringLiteral("other"));
        h.app.write(QStringLiteral("other/bulk.dat"), AppFolder::crlf({"01/03/2012", "1000", "90.00", "01/06/2012", "1000", "91.00"}));
        b->UpDown1->setValue(2012);
        TypeAndEnter(b->BDay, QStringLiteral("15"));
        TypeAndEnter(b->BMonth, QStringLiteral("04")); // after 01/01: no search
        w->Live.DataPath = h.app.file(QStringLiteral("other/"));
        TypeAndEnter(b->BPrice, QStringLiteral("930"));
        TypeAndEnter(b->BAmount, QStringLiteral("1000"));
        QTest::mouseClick(b->BAccept, Qt::LeftButton);
        QCOMPARE(h.app.read(QStringLiteral("other/bulk.dat")),
                 AppFolder::crlf({"01/03/2012", "1000", "90.00", "15/04/2012", "1000", "93.00", "01/06/2012", "1000", "91.00"}));
        QCOMPARE(b->BLastDate->text(), QStringLiteral("01/06/2012"));
        QCOMPARE(b->BNumItems->text(), QStringLiteral("3"));
        QCOMPARE(file(), AppFolder::crlf({"01/01/2012", "1000", "90.00"}));
    }

    // The purchase's price is kept for later fill-ups even when the
    // settings are read again (a failed Open does).
    void newDefaultPriceSurvivesAFailedOpen()
    {
        begin();
        purchase(QStringLiteral("7"), QStringLiteral("5"), QStringLiteral("1900.00"), QStringLiteral("2000"));
        h.app.write(QStringLiteral("junk.dat"), QByteArray("not\r\na\r\nlog\r\nat all\r\n"));
        h.platform.fileAnswers << h.app.file(QStringLiteral("junk.dat"));
        h.platform.answers << mrOk; // "Data File Invalid not loaded"
        w->Open1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("MessageDialog")), QStringList{"Data File Invalid not loaded"});
        QCOMPARE(w->OptionsTabs->DefaultPpl->text(), QStringLiteral("95.00"));
    }

    void aFailedWriteChangesNothing()
    {
        begin({"01/03/2012", "1000", "90.00"});
        QFile::remove(h.app.file(QStringLiteral("bulk.dat")));
        QDir(h.app.path()).mkdir(QStringLiteral("bulk.dat")); // cannot be replaced by a file
        purchase(QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("930"), QStringLiteral("1000"));
        QCOMPARE(h.platform.calls.size(), 1);
        QVERIFY(h.platform.calls.first().text.contains(QStringLiteral("bulk.dat")));
        QCOMPARE(w->BulkList, (QStringList{"01/03/2012", "1000", "90.00"}));
        QCOMPARE(w->OptionsTabs->DefaultPpl->text(), QStringLiteral("0.70"));
        QCOMPARE(b->BNumItems->text(), QStringLiteral("1"));
        QCOMPARE(b->BLastDate->text(), QStringLiteral("01/03/2012"));
    }

    void quitEnablesSetup()
    {
        begin();
        w->Setup->setEnabled(false);
        QTest::mouseClick(b->BulkQuitBtn, Qt::LeftButton);
        QVERIFY(b->isHidden());
        QVERIFY(w->Setup->isEnabled());
        QVERIFY(!b->Flags().DayArmed);
    }
};

VANTIQ_TEST(BulkTest)
#include "tst_bulk.moc"
