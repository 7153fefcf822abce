#include "Harness.h"
#include "TestMain.h"
#include "core/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/exchange/ImportDialog.h"
#include "gui/shell/HelpTopics.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

// Export and import of the fuel log through the File menu, as a user meets
// them: the dialogs, the dialog's questions and summary, the file and the
// status bar.
class ExchangeCommandsTest : public QObject {
    Q_OBJECT

    Harness h;
    TVantiq_ *w = nullptr;

    void begin(int records = 3, bool withVehicle = true)
    {
        QStringList keys{QStringLiteral("Start up=1")};
        if (withVehicle) {
            keys << QStringLiteral("Registration=AB12");
            h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(records)));
        }
        h.settings(keys);
        w = &h.start();
        h.platform.calls.clear();
    }
    QString csv(const QByteArray &bytes)
    {
        h.app.write(QStringLiteral("other.csv"), bytes);
        return h.app.file(QStringLiteral("other.csv"));
    }
    // A file of two new fill-ups, one already in the log and one refused.
    QByteArray mixed() const
    {
        return "Date,Odometer (mi),Litres,Total cost (\xc2\xa3)\r\n"
               "2012-01-22,10900,40,52.00\r\n"
               "2012-01-08,10300,40,52.00\r\n"
               "2012-01-29,eleven,40,52.00\r\n"
               "2012-02-05,11500,30.5,40.00\r\n";
    }
    // Runs Import with the given file; the dialog is handed to inspect and
    // answers with its result.
    void import(const QString &path, std::function<int(ImportDialog &)> dialog)
    {
        h.platform.fileAnswers << path;
        h.platform.modalHandlers << [dialog](QDialog &d) {
            auto *importDialog = qobject_cast<ImportDialog *>(&d);
            if (!importDialog) {
                qWarning("not the import dialog: %s", d.metaObject()->className());
                return int(QDialog::Rejected);
            }
            return dialog(*importDialog);
        };
        w->ImportCsv1->trigger();
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }
    void init()
    {
        h.~Harness();
        new (&h) Harness;
    }

    void importAddsTheNewFillUpsAndSavesOnce()
    {
        begin(3);
        QStringList shown, preview;
        import(csv(mixed()), [&](ImportDialog &d) {
            shown << d.SummaryLabel->text() << d.RefusedList->toPlainText();
            // The preview: each row as it will be stored, or why not.
            for (int r = 0; r < d.Preview->rowCount(); ++r)
                preview << d.Preview->item(r, 0)->text() + QLatin1Char(' ') + d.Preview->item(r, 1)->text();
            preview << d.Preview->item(3, 4)->text() << d.Preview->item(3, 8)->text(); // stored; the file's own
            QTest::mouseClick(d.ImportHelp, Qt::LeftButton); // the guide's page, the dialog stays
            // everything was told by the header and the rows: no questions
            for (QComboBox *box : {d.DateOrderBox, d.DistanceUnitBox, d.FuelUnitBox, d.MoneyKindBox, d.MoneyUnitBox})
                if (box->isVisibleTo(&d))
                    shown << box->objectName();
            return int(QDialog::Accepted);
        });
        QCOMPARE(shown, (QStringList{"2 fill-ups will be added. 1 is already in the log and will be skipped. "
                                     "1 row cannot be imported:",
                                     "Line 4: the odometer reading \"eleven\" is not a whole number above zero"}));
        QCOMPARE(preview, (QStringList{"2 22/01/2012", "3 Already in the log",
                                       "4 Refused: the odometer reading \"eleven\" is not a whole number above zero",
                                       "5 05/02/2012", "131.15", "40.00"}));
        QStringList expected = AppFolder::log(3);
        expected << "22/01/2012" << "10900" << "40" << "130.00" << "05/02/2012" << "11500" << "30.5" << "131.15";
        QCOMPARE(w->FuelLog, expected);
        QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(expected));
        QCOMPARE(w->StatusText(5), QStringLiteral("2 FILL-UPS ADDED FROM other.csv"));
        QVERIFY(w->View1->isEnabled());
        QCOMPARE(h.platform.fileRequests.first().title, QStringLiteral("Import Fill-ups"));
        QCOMPARE(h.platform.helpTopics, QList<int>{HelpTopic::Exchange});
        QCOMPARE(h.platform.unexpected, QStringList());
    }

    // A question the file gives no evidence for is not preset: Import waits
    // for the answer; every answer prepares the rows again.
    void questionsChangeWhatWillBeAdded()
    {
        begin(1);
        // 10/02 could be either order; the readings and the fuel unit are not said
        const QString path = csv("date;odo;fuel;price\r\n10/02/2012;16100;9;1,40\r\n");
        QStringList seen;
        import(path, [&](ImportDialog &d) {
            for (QComboBox *box : {d.DateOrderBox, d.DistanceUnitBox, d.FuelUnitBox, d.MoneyKindBox, d.MoneyUnitBox})
                if (box->isVisibleTo(&d))
                    seen << box->objectName() + QLatin1Char(' ') + box->currentText();
            seen << d.findChild<QLabel *>(QStringLiteral("DateOrderBoxHint"))->text();
            auto *money = d.findChild<QLabel *>(QStringLiteral("MoneyUnitBoxHint"));
            seen << money->text() << d.WaitingNote->text() << QString::number(d.ImportOk->isEnabled());
            d.DistanceUnitBox->setCurrentIndex(1);   // kilometres
            d.FuelUnitBox->setCurrentIndex(1);       // imperial gallons
            d.MoneyKindBox->setCurrentIndex(1);      // per gallon
            seen << d.WaitingNote->text() << QString::number(d.ImportOk->isEnabled());
            d.DateOrderBox->setCurrentIndex(1);      // month first: 2 October
            seen << d.Plan().added.first().lines.join(QLatin1Char('|'));
            seen << money->text() << QString::number(d.WaitingNote->isVisibleTo(&d)) << QString::number(d.ImportOk->isEnabled());
            return int(QDialog::Accepted);
        });
        QCOMPARE(seen, (QStringList{"DateOrderBox ", "DistanceUnitBox ", "FuelUnitBox ",
                                    "MoneyKindBox the price per unit of fuel", "MoneyUnitBox pounds",
                                    "every date reads either way and nothing else in the file tells: choose",
                                    "read so, a litre cost 140.0 p, as at the pump",
                                    "Say how the dates are written: every date reads either way\n"
                                    "Say whether the odometer readings are in miles or kilometres\n"
                                    "Say whether the fuel is measured in litres or gallons",
                                    "0",
                                    "Say how the dates are written: every date reads either way", "0",
                                    "02/10/2012|10006|40.91|30.80",
                                    "read so, a litre would cost 30.8 p, which no pump asked in 2012: check the units", "0", "1"}));
        QCOMPARE(w->FuelLog.size(), 8);
    }

    // A file whose quantity no header names opens all the same: the column
    // waits to be chosen, and once it is the preview fills and Import can go.
    void aColumnNoHeaderNamesIsChosen()
    {
        begin(3);
        const QString path = csv("Date,Odometer (mi),Zapfmenge,Total (\xc2\xa3)\r\n2012-01-22,10900,40,52.00\r\n");
        QStringList seen;
        import(path, [&](ImportDialog &d) {
            seen << d.QuantityColumn->currentText() << d.WaitingNote->text() << QString::number(d.ImportOk->isEnabled())
                 << d.Preview->item(0, 1)->text() << d.findChild<QLabel *>(QStringLiteral("QuantityColumnHint"))->text();
            d.QuantityColumn->setCurrentIndex(d.QuantityColumn->findText(QStringLiteral("Zapfmenge")));
            seen << QString::number(d.WaitingNote->isVisibleTo(&d)) << QString::number(d.ImportOk->isEnabled())
                 << d.Preview->item(0, 1)->text() << d.Preview->item(0, 3)->text()
                 << d.findChild<QLabel *>(QStringLiteral("FuelUnitBoxHint"))->text();
            return int(QDialog::Accepted);
        });
        QCOMPARE(seen, (QStringList{"(choose)", "Choose the quantity column: no header reads as litres or gallons", "0", "",
                                    "no header reads as litres or gallons", "0", "1", "22/01/2012", "40",
                                    "the header \"Total (\u00a3)\" says pounds: litres"}));
        QCOMPARE(w->FuelLog.mid(12), (QStringList{"22/01/2012", "10900", "40", "130.00"}));
    }

    // Prices in another currency: the rate is asked, and the prices are
    // stored converted with it.
    void aCurrencyRateIsAskedAndUsed()
    {
        begin(1);
        const QString path = csv("Datum;Km-Stand;Spritmenge;Kosten;W\xc3\xa4hrung\r\n03.02.2024;45210;41,23;72,50;EUR\r\n");
        QStringList seen;
        import(path, [&](ImportDialog &d) {
            seen << QString::number(d.CurrencyBox->isVisibleTo(&d)) << QString::number(d.CurrencyBox->currentIndex())
                 << QString::number(d.RateEdit->isVisibleTo(&d)) << d.WaitingNote->text() << QString::number(d.ImportOk->isEnabled());
            d.CurrencyBox->setCurrentIndex(0); // convert at a rate
            seen << QString::number(d.RateEdit->isVisibleTo(&d)) << d.WaitingNote->text();
            QTest::keyClicks(d.RateEdit, QStringLiteral("0.85"));
            seen << QString::number(d.ImportOk->isEnabled()) << d.Plan().added.first().lines.join(QLatin1Char('|'))
                 << d.findChild<QLabel *>(QStringLiteral("CurrencyBoxHint"))->text();
            return int(QDialog::Accepted);
        });
        // 72.50 EUR for 41.23 litres at 0.85 pounds the euro: 149.47 p a litre.
        QCOMPARE(seen, (QStringList{"1", "-1", "0",
                                    "Say how to take the prices in EUR: at a rate to the pound, or as your log keeps EUR", "0",
                                    "1", "Give the rate: what 1 EUR is in pounds", "1", "03/02/2024|28098|41.23|149.47",
                                    "the \"W\u00e4hrung\" column reads EUR: convert them, or keep them if your log keeps EUR"}));
        QCOMPARE(w->FuelLog.mid(4), (QStringList{"03/02/2024", "28098", "41.23", "149.47"}));
    }

    // A column chosen in the dialog prepares the rows again at once.
    void mappingPreparesAgain()
    {
        begin(3);
        const QString path = csv("Date,Odometer (mi),Litres,Total,Paid\r\n2012-01-22,10900,40,52.00,60.00\r\n");
        QStringList seen;
        import(path, [&](ImportDialog &d) {
            seen << d.MoneyColumn->currentText() << d.FullColumn->currentText() << d.Preview->item(0, 4)->text();
            d.MoneyColumn->setCurrentIndex(d.MoneyColumn->findText(QStringLiteral("Paid")));
            seen << d.Preview->item(0, 4)->text() << d.Plan().added.first().lines.last();
            return int(QDialog::Accepted);
        });
        QCOMPARE(seen, (QStringList{"Total", "(none)", "130.00", "150.00", "150.00"}));
        QCOMPARE(w->FuelLog.mid(12), (QStringList{"22/01/2012", "10900", "40", "150.00"}));
        // A second file with the same header starts from that choice; one
        // with another header does not.
        seen.clear();
        import(csv("Date,Odometer (mi),Litres,Total,Paid\r\n2012-01-29,11200,40,52.00,56.00\r\n"), [&](ImportDialog &d) {
            seen << d.MoneyColumn->currentText() << d.Plan().added.first().lines.last();
            return int(QDialog::Rejected);
        });
        import(csv("Date,Odometer (mi),Litres,Total,Paid,Notes\r\n2012-01-29,11200,40,52.00,56.00,\r\n"), [&](ImportDialog &d) {
            seen << d.MoneyColumn->currentText();
            return int(QDialog::Rejected);
        });
        QCOMPARE(seen, (QStringList{"Paid", "140.00", "Total"}));
    }

    void cancelOrAFailedSaveChangesNothing_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("cancelProgressAt"); // the progress call that cancels; -1 none
        QTest::newRow("cancel") << true << -1;
        QTest::newRow("failed save") << false << -1;
        // Reading tells its start and its end, then the preparing its own.
        QTest::newRow("cancelled while reading") << true << 1;
        QTest::newRow("cancelled while preparing") << true << 3;
    }
    void cancelOrAFailedSaveChangesNothing()
    {
        QFETCH(bool, cancel);
        QFETCH(int, cancelProgressAt);
        begin(3);
        h.platform.cancelProgressAt = cancelProgressAt;
        const QString path = csv(mixed());
        if (!cancel) { // the data file cannot be replaced
            QFile::remove(h.app.file(QStringLiteral("AB12.dat")));
            QDir(h.app.path()).mkdir(QStringLiteral("AB12.dat"));
        }
        const QString status = w->StatusText(5);
        bool shown = false;
        import(path, [&](ImportDialog &) {
            shown = true;
            return int(cancel ? QDialog::Rejected : QDialog::Accepted);
        });
        QCOMPARE(shown, cancelProgressAt < 0); // a cancelled reading or preparing opens no window
        QCOMPARE(w->FuelLog, AppFolder::log(3));
        QCOMPARE(w->StatusText(5), status);
        if (cancel) {
            QCOMPARE(h.app.read(QStringLiteral("AB12.dat")), AppFolder::crlf(AppFolder::log(3)));
            QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")), QStringList());
        } else {
            const QStringList told = h.platform.texts(QStringLiteral("ShowMessage"));
            QCOMPARE(told.size(), 1);
            QVERIFY2(told.first().contains(QStringLiteral("AB12.dat")), qPrintable(told.first()));
        }
        QCOMPARE(h.app.read(QStringLiteral("other.csv")), mixed());
        QVERIFY(h.platform.progressCalls >= (cancelProgressAt < 0 ? 4 : cancelProgressAt));
    }

    void fileThatCannotBeImportedIsExplained()
    {
        begin(3);
        // Rows with no header, and a log of an electric car's charges.
        import(csv("2012-01-01,100,5\r\n2012-01-08,400,6\r\n"), [](ImportDialog &) { return int(QDialog::Accepted); });
        import(csv("Date,Odometer,Energy (kWh),Cost\r\n2024-01-05,10000,42.1,12.60\r\n"),
               [](ImportDialog &) { return int(QDialog::Accepted); });
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")),
                 (QStringList{"No fill-ups were found: the file needs a header row naming its columns, with a row for each "
                              "fill-up under it.",
                              "This is a log of electric charging (kWh); Vantiq keeps fuel"}));
        h.platform.modalHandlers.clear(); // the dialog never came
        h.platform.fileAnswers << h.app.file(QStringLiteral("missing.csv"));
        w->ImportCsv1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).size(), 3);
        // Larger than a log may be: refused unread (sparse: nothing is written).
        QFile big(h.app.file(QStringLiteral("big.csv")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(64LL * 1024 * 1024 + 1));
        big.close();
        h.platform.fileAnswers << big.fileName();
        w->ImportCsv1->trigger();
        QCOMPARE(h.platform.texts(QStringLiteral("ShowMessage")).last(),
                 "Not imported: " + big.fileName() + ": it is 67108865 bytes long, more than the 64 MB a fuel log may be");
        QCOMPARE(w->FuelLog, AppFolder::log(3));
    }

    // A file of a thousand columns (a broken export): the preview shows
    // the first fifty and says how many more, the boxes offer a thousand.
    void aWideFileShowsWhatAPersonLooksAt()
    {
        begin(3);
        QByteArray header = "Date,Odometer (mi),Litres,Total", row = "2012-01-22,10900,40,52.00";
        for (int i = 4; i < 1200; ++i) {
            header += ",Note " + QByteArray::number(i);
            row += ",";
        }
        QStringList seen;
        import(csv(header + "\r\n" + row + "\r\n"), [&](ImportDialog &d) {
            seen << QString::number(d.Preview->columnCount()) << d.Preview->horizontalHeaderItem(d.Preview->columnCount() - 1)->text()
                 << QString::number(d.DateColumn->count()) << QString::number(d.FullColumn->count())
                 << d.Preview->item(0, 1)->text();
            return int(QDialog::Accepted);
        });
        QCOMPARE(seen, (QStringList{"56", "+ 1150 more columns", "1001", "1001", "22/01/2012"}));
        QCOMPARE(w->FuelLog.size(), 16);
    }

    void withoutAVehicleNothingIsAsked()
    {
        begin(0, false);
        w->ImportCsv1->trigger();
        w->ExportCsv1->trigger();
        const QStringList told = h.platform.texts();
        QCOMPARE(told.size(), 2);
        QVERIFY(told.first().startsWith(QStringLiteral("Choose a vehicle first")));
        QCOMPARE(h.platform.fileRequests.size(), 0);
    }

    void exportWritesTheLog()
    {
        begin(2);
        h.platform.fileAnswers << h.app.file(QStringLiteral("out.csv"));
        w->ExportCsv1->trigger();
        QCOMPARE(h.platform.fileRequests.first().fileName, QStringLiteral("AB12.csv"));
        QCOMPARE(h.app.read(QStringLiteral("out.csv")),
                 QByteArray("date,odometer_miles,litres,price_per_litre_pence,total_cost\r\n"
                            "2012-01-01,10000,40.00,130.00,52.00\r\n"
                            "2012-01-08,10300,40.00,130.00,52.00\r\n"));
        QCOMPARE(w->StatusText(5), QStringLiteral("EXPORTED TO ") + h.app.file(QStringLiteral("out.csv")));
    }

    // Another program's marks are kept: the dialog says how many, the marks
    // file has them, the export writes them and its import gives them back.
    void marksImportedExportedAndImportedAgain()
    {
        begin(1);
        const QString path = csv("Date,Odometer,FuelConsumed,Cost,IsFillToFull,MissedFuelUp\r\n"
                                 "2012-01-15,10300,10,13.00,0,0\r\n"
                                 "2012-01-22,10600,30,39.00,true,false\r\n"
                                 "2012-01-29,11100,40,52.00,1,1\r\n"
                                 "2012-02-05,11400,10,13.00,0,1\r\n"); // partial, after a missed one
        QString note;
        import(path, [&](ImportDialog &d) {
            d.FuelUnitBox->setCurrentIndex(0);     // litres
            d.DistanceUnitBox->setCurrentIndex(0); // miles
            note = d.FlagsNote->text();
            return int(QDialog::Accepted);
        });
        QCOMPARE(note, QStringLiteral("Of the fill-ups added, 2 marked as not filling the tank and 2 marked as following a "
                                      "missed fill-up. The marks are kept, and the figures leave those fill-ups out."));
        const QByteArray marks("15/01/2012,10300,partial\r\n29/01/2012,11100,missed\r\n05/02/2012,11400,partial,missed\r\n");
        QCOMPARE(h.app.read(QStringLiteral("AB12.marks")), marks);
        h.platform.fileAnswers << h.app.file(QStringLiteral("out.csv"));
        w->ExportCsv1->trigger();
        const QByteArray exported = h.app.read(QStringLiteral("out.csv"));
        QCOMPARE(exported, QByteArray("date,odometer_miles,litres,price_per_litre_pence,total_cost,full,missed\r\n"
                                      "2012-01-01,10000,40.00,130.00,52.00,1,0\r\n"
                                      "2012-01-15,10300,10,130.00,13.00,0,0\r\n"
                                      "2012-01-22,10600,30,130.00,39.00,1,0\r\n"
                                      "2012-01-29,11100,40,130.00,52.00,1,1\r\n"
                                      "2012-02-05,11400,10,130.00,13.00,0,1\r\n"));

        // Into an empty log of another vehicle: the same marks.
        h.~Harness();
        new (&h) Harness;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=CD34")});
        h.app.write(QStringLiteral("CD34.dat"), QByteArray());
        w = &h.start();
        w->State().CurrentDataFile = h.app.file(QStringLiteral("CD34.dat"));
        import(csv(exported), [](ImportDialog &) { return int(QDialog::Accepted); });
        QCOMPARE(w->FuelLog.size(), 20);
        QCOMPARE(h.app.read(QStringLiteral("CD34.marks")), marks);
        QCOMPARE(h.platform.unexpected, QStringList());
    }

    void exportWritesTheAnalysisTableAsShown()
    {
        begin(6);
        w->analisebutton();
        TAnalisisForm *a = nullptr;
        for (QMdiSubWindow *s : w->MdiArea->subWindowList())
            if (auto *f = qobject_cast<TAnalisisForm *>(s))
                a = f;
        QVERIFY(a);
        auto *item = a->findChild<QAction *>(QStringLiteral("ExportTable1"));
        QVERIFY(item);
        h.platform.fileAnswers << h.app.file(QStringLiteral("table.csv"));
        item->trigger();
        const QList<QByteArray> rows = h.app.read(QStringLiteral("table.csv")).split('\n');
        const AnalysisTable &table = a->Model->Table();
        QCOMPARE(rows.size(), table.RowCount() + 1); // the last line break ends the file
        for (int r = 0; r < table.RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table.ColCount(); ++c)
                cells << table.Cells(c, r).trimmed();
            QCOMPARE(QString::fromUtf8(rows[r]), cells.join(QLatin1Char(',')) + QLatin1Char('\r'));
        }
    }
};

VANTIQ_TEST(ExchangeCommandsTest)
#include "tst_exchangecommands.moc"
