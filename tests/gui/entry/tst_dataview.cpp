#include "Harness.h"
#include "TestMain.h"
#include "Typing.h"
#include "core/entry/EntryRules.h"
#include "core/entry/LogTableModel.h"
#include "gui/entry/DataViewPanel.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/DataFileCommands.h"
#include "gui/shell/TextPrint.h"

#include <QAction>
#include <QComboBox>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QPushButton>
#include <QTableView>

// The data view and its record form, through the widgets.
class DataViewTest : public QObject {
    Q_OBJECT

    Harness h;
    TVantiq_ *w = nullptr;
    DataViewPanel *v = nullptr;

    void begin(int records = 3)
    {
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(records)));
        w = &h.start();
        v = w->Datadisplay;
        w->View1->trigger();
    }
    void allowEditing()
    {
        h.platform.answers << mrYes;
        QTest::mouseClick(v->Edit, Qt::LeftButton);
    }
    // Selects cells of one column, rows given from 0.
    void select(int column, const QList<int> &rows)
    {
        QItemSelection s;
        for (int r : rows)
            s.select(v->Model->index(r, column), v->Model->index(r, column));
        v->ViewGrid->selectionModel()->select(s, QItemSelectionModel::ClearAndSelect);
        v->ViewGrid->selectionModel()->setCurrentIndex(v->Model->index(rows.first(), column), QItemSelectionModel::NoUpdate);
    }
    // Opens the editor of a cell as a double click does.
    QLineEdit *cellEditor(int row, int column)
    {
        const QModelIndex index = v->Model->index(row, column);
        v->ViewGrid->setCurrentIndex(index);
        v->ViewGrid->edit(index);
        for (QLineEdit *e : v->ViewGrid->viewport()->findChildren<QLineEdit *>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    QStringList distances() const
    {
        QStringList out;
        for (qsizetype k = 1; k < w->FuelLog.size(); k += 4)
            out << w->FuelLog[k];
        return out;
    }
    void fillForm(const QStringList &texts)
    {
        QLineEdit *boxes[] = {w->InsertPan->ViewDate, w->InsertPan->ViewDistance, w->InsertPan->ViewQty, w->InsertPan->ViewPPL};
        for (int i = 0; i < 4; ++i)
            boxes[i]->setText(texts[i]);
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void init()
    {
        h.~Harness();
        new (&h) Harness;
    }

    void showsTheLog()
    {
        begin();
        QVERIFY(v->isVisible());
        QCOMPARE(v->DataEditName->text(), QStringLiteral("AB12 Data"));
        QCOMPARE(v->Model->rowCount(), 3);
        QCOMPARE(w->StatusText(2), QStringLiteral("4"));
        QStringList headings;
        for (int c = 0; c < 4; ++c)
            headings << v->Model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(headings, (QStringList{"Date", "Distance", "Quantity", "PPL"}));
        QCOMPARE(v->Model->index(2, 1).data().toString(), QStringLiteral("10600"));
        QVERIFY(!(v->Model->flags(v->Model->index(0, 0)) & Qt::ItemIsSelectable));
        QVERIFY(!(v->Model->flags(v->Model->index(0, 1)) & Qt::ItemIsEditable)); // not before the warning
        for (QPushButton *b : {v->Insert, v->ViewDelete, v->Edit2})
            QVERIFY(b->isHidden());
    }

    void theWarningsAnswers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("editing");
        QTest::newRow("yes") << int(mrYes) << true;
        QTest::newRow("cancel") << int(mrCancel) << false;
        QTest::newRow("closed") << int(mrCancel) << false;
    }
    void theWarningsAnswers()
    {
        QFETCH(int, answer);
        QFETCH(bool, editing);
        begin();
        h.platform.answers << answer;
        QTest::mouseClick(v->Edit, Qt::LeftButton);
        const auto *q = h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(q->text, QStringLiteral("Warning editing the Cardata file\rcan cause problems, are you sure you want to\rdo this ?"));
        QCOMPARE(q->kind, MsgKind::Warning);
        QCOMPARE(q->buttons, mbYes | mbCancel | mbHelp);
        QCOMPARE(q->help, 8);
        QCOMPARE(bool(v->Model->flags(v->Model->index(0, 1)) & Qt::ItemIsEditable), editing);
        QCOMPARE(v->Insert->isVisible(), editing);
        QCOMPARE(v->Edit->isEnabled(), !editing);
        // F2 in the grid edits the cell where it can, and never starts a
        // fill-up over the view.
        v->ViewGrid->setFocus();
        v->ViewGrid->setCurrentIndex(v->Model->index(1, 2));
        QTest::keyClick(v->ViewGrid, Qt::Key_F2);
        QVERIFY(w->DataEntry->isHidden());
        bool editorOpen = false;
        for (QLineEdit *e : v->ViewGrid->viewport()->findChildren<QLineEdit *>())
            editorOpen |= e->isVisible();
        QCOMPARE(editorOpen, editing);
    }

    // Typed into a cell, a change reaches the log at once and the file only
    // with File, Save; a line break is refused.
    void editingInPlace()
    {
        begin();
        allowEditing();
        const QByteArray before = h.app.read(QStringLiteral("AB12.dat"));
        QLineEdit *editor = cellEditor(1, 2);
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("41.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor commits when the event loop comes round
        QCOMPARE(w->FuelLog[6], QStringLiteral("41.5"));
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), before);
        QVERIFY(!v->Model->setData(v->Model->index(1, 3), QStringLiteral("1.30\r\n99"), Qt::EditRole));
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{EntryRules::NotStorableMessage});
        QCOMPARE(w->FuelLog[7], QStringLiteral("130.00"));
        // An editor still open is committed by Save.
        editor = cellEditor(2, 1);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("10650"));
        w->Save1->trigger();
        QCOMPARE(w->FuelLog[9], QStringLiteral("10650"));
        QVERIFY(h.app.read(QStringLiteral("AB12.dat")).contains("41.5\r\n130.00\r\n15/01/2012\r\n10650\r\n"));
        QCOMPARE(w->DataEntry->FinalMiles->text(), QStringLiteral("10650")); // the entry panel follows
        // F2 in the grid edits the current cell; it starts no fuel entry.
        v->ViewGrid->setFocus();
        v->ViewGrid->setCurrentIndex(v->Model->index(0, 2));
        QTest::keyClick(v->ViewGrid, Qt::Key_F2);
        auto *editing = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editing && editing->parentWidget() == v->ViewGrid->viewport());
        QCOMPARE(editing->text(), w->FuelLog[2]);
        QVERIFY(w->DataEntry->isHidden());
    }

    void deleting_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("message");
        QTest::newRow("two adjacent rows") << 1 << QList<int>{1, 2} << QStringList{"10000", "10900"} << QString();
        QTest::newRow("two separate rows") << 1 << QList<int>{0, 2} << QStringList{"10300", "10900"} << QString();
        QTest::newRow("a quantity cell") << 2 << QList<int>{1} << QStringList{"10000", "10300", "10600", "10900"}
                                         << "Select distance column for delete";
        QTest::newRow("nothing selected") << 1 << QList<int>{} << QStringList{"10000", "10300", "10600", "10900"}
                                          << "Select distance column for delete";
    }
    void deleting()
    {
        QFETCH(int, column);
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, left);
        QFETCH(QString, message);
        begin(4);
        allowEditing();
        if (!rows.isEmpty())
            select(column, rows);
        else
            v->ViewGrid->clearSelection();
        QTest::mouseClick(v->ViewDelete, Qt::LeftButton);
        QCOMPARE(distances(), left);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(w->StatusText(2), QString::number(left.size() + 1));
        QCOMPARE(w->DataEntry->NumItems->text(), QString::number(left.size()));
    }

    void recordFormChecks_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("date shape") << QStringList{"1/2/2012", "10100", "40", "130"} << "Date invalid. Requires NN/NN/NNNN" << "ViewDate";
        QTest::newRow("no such date") << QStringList{"31/02/2012", "10100", "40", "130"} << "Date invalid. Requires NN/NN/NNNN" << "ViewDate";
        QTest::newRow("distance with decimals") << QStringList{"02/01/2012", "12.5", "40", "130"} << "Distance Invalid" << "ViewDistance";
        QTest::newRow("quantity zero") << QStringList{"02/01/2012", "10100", "0", "130"} << "Quantity Invalid" << "ViewQty";
        QTest::newRow("price text") << QStringList{"02/01/2012", "10100", "40", "abc"} << "Price per litre Invalid" << "ViewPPL";
        QTest::newRow("a pasted line break") << QStringList{"02/01/2012\n9", "10100", "40", "130"}
                                             << EntryRules::NotStorableMessage << "ViewDate";
        QTest::newRow("longer than a line") << QStringList{"02/01/2012", "10100", QString(254, QLatin1Char('0')) + "40", "130"}
                                            << EntryRules::NotStorableMessage << "ViewQty";
    }
    void recordFormChecks()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        begin();
        allowEditing();
        select(1, {1});
        QTest::mouseClick(v->Insert, Qt::LeftButton);
        QVERIFY(w->InsertPan->isVisible());
        QVERIFY(!v->isEnabled());
        fillForm(texts);
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{message});
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : w->InsertPan->focusWidget()->objectName(),
                 focused);
        QCOMPARE(w->FuelLog.size(), 12);
        QVERIFY(w->InsertPan->isVisible());
    }

    void insertAndEdit()
    {
        begin();
        allowEditing();
        select(1, {1});
        QTest::mouseClick(v->Insert, Qt::LeftButton);
        QCOMPARE(w->InsertPan->InsertTitle->text(), QStringLiteral("Insert Data"));
        fillForm({"04/01/2012", "10150", "20.00", "131.00"});
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton);
        QVERIFY(w->InsertPan->isHidden());
        QVERIFY(v->isEnabled());
        QCOMPARE(w->FuelLog.mid(4, 4), (QStringList{"04/01/2012", "10150", "20.00", "131.00"}));
        QCOMPARE(w->StatusText(2), QStringLiteral("5"));

        select(1, {3});
        QTest::mouseClick(v->Edit2, Qt::LeftButton);
        QCOMPARE(w->InsertPan->InsertTitle->text(), QStringLiteral("Edit Data"));
        QCOMPARE(w->InsertPan->ViewDistance->text(), QStringLiteral("10600"));
        w->InsertPan->ViewQty->setText(QStringLiteral("38.50"));
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton);
        QCOMPARE(w->FuelLog.mid(12, 4), (QStringList{"15/01/2012", "10600", "38.50", "130.00"}));
        QCOMPARE(w->FuelLog.size(), 16);

        // Cancel keeps the log; no row selected asks for one.
        v->ViewGrid->clearSelection();
        v->ViewGrid->setCurrentIndex(QModelIndex());
        QTest::mouseClick(v->Edit2, Qt::LeftButton);
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(), QStringLiteral("Select a record first"));
        select(1, {0});
        QTest::mouseClick(v->Insert, Qt::LeftButton);
        QTest::mouseClick(w->InsertPan->BitBtn2, Qt::LeftButton);
        QVERIFY(w->InsertPan->isHidden());
        QCOMPARE(w->FuelLog.size(), 16);
    }

    // The Fill column and the form's tick boxes; a mark goes with its record
    // when the reading is edited, and goes when the record is deleted.
    void fillMarks()
    {
        begin(4);
        QCOMPARE(v->Model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Fill"));
        QCOMPARE(v->Model->index(1, 4).data().toString(), QString());
        allowEditing();
        // The drop-down, as a double click opens it.
        const QModelIndex fill = v->Model->index(1, 4);
        v->ViewGrid->setCurrentIndex(fill);
        v->ViewGrid->edit(fill);
        auto *box = v->ViewGrid->viewport()->findChild<QComboBox *>(QStringLiteral("FillEditor"));
        QVERIFY(box);
        QCOMPARE(box->count(), 4);
        QCOMPARE((QStringList{box->itemText(0), box->itemText(1), box->itemText(2), box->itemText(3)}),
                 (QStringList{"", "Partial", "Missed", "Partial, missed"}));
        box->setCurrentIndex(1);
        v->ViewGrid->setCurrentIndex(v->Model->index(2, 1)); // moving on commits it
        QCoreApplication::processEvents();
        QCOMPARE(v->Model->index(1, 4).data().toString(), QStringLiteral("Partial"));
        QVERIFY(!v->Model->setData(v->Model->index(2, 4), QStringLiteral("half"), Qt::EditRole));
        QCOMPARE(h.platform.texts().last(), QStringLiteral("Fill must be blank, Partial, Missed or Partial, missed"));
        QVERIFY(v->Model->setData(v->Model->index(3, 4), QStringLiteral("missed"), Qt::EditRole));

        // The reading edited in place: the mark follows it into the file.
        QLineEdit *editor = cellEditor(1, 1);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("10350"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        w->Save1->trigger();
        QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), QByteArray("08/01/2012,10350,partial\r\n22/01/2012,10900,missed\r\n"));

        // The form shows a record's mark and sets the one ticked.
        select(1, {1});
        QTest::mouseClick(v->Edit2, Qt::LeftButton);
        QVERIFY(w->InsertPan->Marks.notFilled->isChecked());
        QVERIFY(!w->InsertPan->Marks.missed->isChecked());
        w->InsertPan->ViewDistance->setText(QStringLiteral("10360"));
        QTest::mouseClick(w->InsertPan->Marks.missed, Qt::LeftButton);
        QVERIFY(w->InsertPan->Marks.notFilled->isChecked()); // partial and after a missed one: both kept
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton);
        QCOMPARE(v->Model->index(1, 4).data().toString(), QStringLiteral("Partial, missed"));
        select(1, {1});
        QTest::mouseClick(v->Edit2, Qt::LeftButton);
        QVERIFY(w->InsertPan->Marks.notFilled->isChecked() && w->InsertPan->Marks.missed->isChecked());
        QTest::mouseClick(w->InsertPan->Marks.notFilled, Qt::LeftButton);
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton);
        QCOMPARE(v->Model->index(1, 4).data().toString(), QStringLiteral("Missed"));
        select(1, {1});
        QTest::mouseClick(v->Insert, Qt::LeftButton);
        QVERIFY(!w->InsertPan->Marks.notFilled->isChecked() && !w->InsertPan->Marks.missed->isChecked());
        fillForm({"04/01/2012", "10150", "20.00", "131.00"});
        w->InsertPan->Marks.notFilled->setChecked(true);
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton);
        QCOMPARE(v->Model->index(1, 4).data().toString(), QStringLiteral("Partial"));
        QCOMPARE(v->Model->index(2, 4).data().toString(), QStringLiteral("Missed"));

        // Deleted with its record: the same fill-up entered again is unmarked.
        select(1, {1});
        QTest::mouseClick(v->ViewDelete, Qt::LeftButton);
        QCOMPARE(w->State().Marks.Of(QStringLiteral("04/01/2012"), QStringLiteral("10150")), FillMark::Full);
        w->Save1->trigger();
        QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), QByteArray("08/01/2012,10360,missed\r\n22/01/2012,10900,missed\r\n"));
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(w->FuelLog)); // the log file as ever
    }

    // Another vehicle's log arrives under an open form: the form goes, and
    // nothing is written into the new log.
    void logReplacedUnderTheView()
    {
        begin();
        allowEditing();
        select(1, {2});
        QTest::mouseClick(v->Edit2, Qt::LeftButton);
        h.app.write(QStringLiteral("CD34.dat"), AppFolder::crlf({"02/01/2012", "5000", "30.00", "130.00"}));
        w->Files().Getcardata(h.app.file(QStringLiteral("CD34.dat")));
        QVERIFY(w->InsertPan->isHidden());
        QVERIFY(v->isEnabled());
        QCOMPARE(v->Model->rowCount(), 1);
        QTest::mouseClick(w->InsertPan->NewOk, Qt::LeftButton); // a stray click: nothing to write
        QCOMPARE(w->FuelLog, (QStringList{"02/01/2012", "5000", "30.00", "130.00"}));
        // Another vehicle's log: editing ends and the title names it.
        QCOMPARE(v->DataEditName->text(), QStringLiteral("CD34 Data"));
        QVERIFY(v->Edit->isEnabled() && v->Insert->isHidden() && v->ViewDelete->isHidden() && v->Edit2->isHidden());
        QVERIFY(!(v->Model->flags(v->Model->index(0, 1)) & Qt::ItemIsEditable));
        // Through File > Open, kept as not the default vehicle.
        allowEditing();
        h.app.write(QStringLiteral("EF56.dat"), AppFolder::crlf(AppFolder::log(2)));
        h.platform.fileAnswers << h.app.file(QStringLiteral("EF56.dat"));
        h.platform.answers << mrNo << mrOk; // not the default; "Default File Not Changed"
        w->OpenBtn->click();
        QCOMPARE(v->DataEditName->text(), QStringLiteral("EF56 Data"));
        QVERIFY(!(v->Model->flags(v->Model->index(0, 1)) & Qt::ItemIsEditable));
        QCOMPARE(v->Model->rowCount(), 2);
    }

    void closingReminds()
    {
        begin();
        allowEditing();
        QTest::mouseClick(v->CloseDataEdit, Qt::LeftButton);
        QVERIFY(v->isHidden());
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList{"Use File/Save to save changes to the Car data file"});
        w->View1->trigger();
        QVERIFY(!(v->Model->flags(v->Model->index(0, 1)) & Qt::ItemIsEditable)); // the warning again
        QVERIFY(v->Edit->isEnabled());
        w->CloseDataView(); // from the vehicle manager: no message
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 1);
    }

    // Quitting with changes the data file does not hold asks first; the
    // session ending asks nothing and the backup keeps them.
    void quittingWithChangesAsks_data()
    {
        QTest::addColumn<QString>("change"); // cell, delete, mark, saved
        QTest::addColumn<QString>("how");    // ctrl+q, close, session
        QTest::addColumn<int>("answer");     // 0: no question
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");     // the change is in AB12.dat (and its marks) afterwards
        QTest::newRow("a cell, Ctrl+Q, Yes") << "cell" << "ctrl+q" << int(mrYes) << true << true;
        QTest::newRow("a deleted record, close button, No") << "delete" << "close" << int(mrNo) << true << false;
        QTest::newRow("a deleted record, Ctrl+Q, Cancel") << "delete" << "ctrl+q" << int(mrCancel) << false << false;
        QTest::newRow("a mark, close button, Yes") << "mark" << "close" << int(mrYes) << true << true;
        QTest::newRow("saved before: no question") << "saved" << "ctrl+q" << 0 << true << true;
        QTest::newRow("the session ends") << "cell" << "session" << 0 << true << false;
    }
    void quittingWithChangesAsks()
    {
        QFETCH(QString, change);
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12"), QStringLiteral("Backup=1")});
        const QByteArray before = AppFolder::crlf(AppFolder::log(3));
        h.app.write(QStringLiteral("AB12.dat"), before);
        w = &h.start();
        v = w->Datadisplay;
        w->View1->trigger();
        allowEditing();
        if (change == QLatin1String("delete")) {
            select(1, {1});
            QTest::mouseClick(v->ViewDelete, Qt::LeftButton);
        } else if (change == QLatin1String("mark")) {
            QVERIFY(v->Model->setData(v->Model->index(1, 4), QStringLiteral("Partial"), Qt::EditRole));
        } else {
            QLineEdit *editor = cellEditor(1, 2);
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("41.00")); // left open: the close takes it
        }
        if (change == QLatin1String("saved"))
            w->Save1->trigger();
        const QStringList log = w->FuelLog;
        h.platform.calls.clear();
        if (answer)
            h.platform.answers << answer;
        if (how == QLatin1String("ctrl+q"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        else if (how == QLatin1String("close"))
            w->close();
        else
            w->CloseAsSessionEnds();
        const QStringList asked = h.platform.texts(QStringLiteral("MessageDialog"));
        QCOMPARE(asked, answer ? QStringList{"Save the changes to AB12.dat?"} : QStringList{});
        if (answer) {
            QCOMPARE(h.platform.calls.first().kind, MsgKind::Confirmation);
            QCOMPARE(h.platform.calls.first().buttons, mbYes | mbNo | mbCancel);
        }
        QCOMPARE(w->isVisible(), !closes);
        const QByteArray file = h.app.read(QStringLiteral("AB12.dat"));
        if (change == QLatin1String("mark"))
            QCOMPARE(h.app.exists(QStringLiteral("AB12.marks")), saved);
        else
            QCOMPARE(file != before, saved);
        if (saved && change != QLatin1String("mark"))
            QVERIFY(file.contains("\r\n41.00\r\n") || file == AppFolder::crlf(log));
        if (how == QLatin1String("session")) // the backup keeps what the file does not
            QVERIFY(h.app.read(QStringLiteral("AB12.bak")).contains("41.00"));
        QVERIFY(h.platform.unexpected.isEmpty());
    }

    void printedListing()
    {
        const QStringList listing = EntryRules::DataListing(AppFolder::log(2));
        QCOMPARE(listing, (QStringList{"          Data File", "", "   01/01/2012   10000   40.00   130.00",
                                      "   08/01/2012   10300   40.00   130.00"}));
        const QStringList many = EntryRules::DataListing(AppFolder::log(100));
        const QList<QStringList> pages = PageLines(many, 1000, 20);
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages[0].size(), 50);
        QCOMPARE(pages[2].last(), many.last());
        // Printing asks the print dialog first; cancelled, nothing more.
        begin(2);
        h.platform.answers << mrCancel;
        QTest::mouseClick(v->PrintView, Qt::LeftButton);
        QCOMPARE(h.platform.calls.last().what, QStringLiteral("PrintDialog"));
    }
};

VANTIQ_TEST(DataViewTest)
#include "tst_dataview.moc"
