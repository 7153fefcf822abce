#include "Harness.h"
#include "RecordingCommands.h"
#include "TestMain.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/GraphWindow.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

// The graph window, opened from an analysis window as a user does.
class GraphWindowTest : public QObject {
    Q_OBJECT

    struct Open {
        Harness h;
        TVantiq_ *w = nullptr;
        TAnalisisForm *analysis = nullptr;
        TGraphForm *graph = nullptr;
    };
    static void open(Open &o, int records = 6)
    {
        o.h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        o.h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(records)));
        o.w = &o.h.start();
        o.w->analisebutton();
        o.analysis = qobject_cast<TAnalisisForm *>(o.w->MdiArea->subWindowList().first());
        o.analysis->GraphBtn->click();
        o.graph = o.w->findChild<TGraphForm *>();
    }

private slots:
    void initTestCase() { quietOffscreenNotice(); }

    void openedFromTheAnalysis()
    {
        Open o;
        open(o);
        QVERIFY(o.graph);
        QCOMPARE(o.graph->windowTitle(), QStringLiteral("Graph"));
        QCOMPARE(o.graph->height(), 440);
        QCOMPARE(o.graph->Drawing().baseline, 310);
        QVERIFY(!o.analysis->GraphBtn->isEnabled());
        QCOMPARE(o.graph->VehicleName, QStringLiteral("AB12"));
        QCOMPARE(o.graph->Drawing().series[0].size(), 4); // records 2 to 6
        for (QToolButton *b : {o.graph->GraphDPULine, o.graph->GraphADPULine, o.graph->GraphPriceLine, o.graph->GridLines})
            QVERIFY(b->isChecked());
        QVERIFY(o.graph->Key->isHidden());
        QCOMPARE(o.graph->DrawingWidth(), 2400);
        QVERIFY(o.h.platform.calls.isEmpty());

        // Closing the analysis window closes its graph, and the command returns.
        o.analysis->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!o.w->findChild<TGraphForm *>());
        QVERIFY(o.w->Analise->isEnabled());
    }

    void switchesAndGrid()
    {
        Open o;
        open(o);
        o.graph->GraphPriceLine->click();
        QVERIFY(o.graph->Drawing().series[2].isEmpty());
        QVERIFY(!o.graph->Drawing().series[0].isEmpty());
        o.graph->GridLines->click();
        QVERIFY(o.graph->Drawing().gridLines.isEmpty());
        QVERIFY(!o.graph->Gridlines1->isChecked() && !o.graph->Gridlines2->isChecked());
        o.graph->Gridlines2->trigger();
        QVERIFY(o.graph->GridLines->isChecked() && o.graph->Gridlines1->isChecked());
        QCOMPARE(o.graph->Drawing().gridLines.size(), 4);
    }

    void zoomLimits()
    {
        Open o;
        open(o);
        o.graph->ZoomClick(1);
        QCOMPARE(o.graph->DrawingWidth(), 1200);
        for (int i = 0; i < 5; ++i)
            o.graph->ToolButton7->click();
        QCOMPARE(o.graph->DrawingWidth(), 300);
        for (int i = 0; i < 8; ++i)
            o.graph->ToolButton6->click();
        QCOMPARE(o.graph->DrawingWidth(), 19200);
        QVERIFY(o.graph->GraphArea->width() >= 19200);
        o.graph->ZoomClick(0);
        QCOMPARE(o.graph->DrawingWidth(), 2400);
        o.graph->ZoomClick(4);
        QCOMPARE(o.graph->DrawingWidth(), std::max(300, o.graph->width()));
    }

    void keyAndColours()
    {
        Open o;
        open(o);
        o.graph->ShowKeyClick();
        QVERIFY(o.graph->Key->isVisible());
        QVERIFY(o.graph->KeyVisible1->isChecked());
        QVERIFY(!o.graph->Keyimage->pixmap().isNull());
        QCOMPARE(o.graph->Keyimage->pixmap().toImage().pixelColor(50, 40), QColor(255, 0, 0)); // the average line

        TGraphForm other(o.w->State(), *o.w); // another open graph shares the colours
        other.ShowKeyClick();
        o.h.platform.colourAnswers << QColor(10, 20, 30);
        o.graph->ColourClick(2);
        QCOMPARE(o.w->Live.G3C, 30 * 65536 + 20 * 256 + 10);
        QCOMPARE(o.graph->Keyimage->pixmap().toImage().pixelColor(50, 40), QColor(10, 20, 30));
        QCOMPARE(other.Keyimage->pixmap().toImage().pixelColor(50, 40), QColor(10, 20, 30));
        o.h.platform.colourAnswers << QColor(); // cancelled
        o.graph->ColourClick(1);
        QCOMPARE(o.w->Live.G2C, 32768);
        o.h.platform.colourAnswers << QColor(250, 250, 240);
        o.graph->ColourClick(0);
        QCOMPARE(o.w->Live.G1C, 240 * 65536 + 250 * 256 + 250);

        o.graph->DefaultsCols();
        QCOMPARE(o.w->Live.G3C, 255);
        QCOMPARE(o.w->Live.G1C, 240 * 65536 + 250 * 256 + 250); // the background setting keeps its value
        o.w->close();
        QVERIFY(o.h.app.read(QStringLiteral("vantiq.ini")).contains("G1C=15792890"));
    }

    // A log that shrank to two records under an open graph: one message,
    // shown after the repaint, never from inside it.
    void insufficientDataOnce()
    {
        Open o;
        open(o);
        o.h.platform.answers << mrOk;
        o.w->FuelLog = o.w->FuelLog.mid(0, 8);
        o.w->State().FuelLogChanged();
        QVERIFY(o.graph->Drawing().insufficient);
        QVERIFY(o.h.platform.texts(QStringLiteral("MessageDialog")).isEmpty()); // not yet: after the repaint
        QCoreApplication::processEvents();
        o.graph->GraphArea->repaint();
        o.graph->GraphChangeClick();
        QCoreApplication::processEvents();
        QCOMPARE(o.h.platform.texts(QStringLiteral("MessageDialog")), QStringList{"Insufficent Data to Graph"});
        const auto *q = o.h.platform.last(QStringLiteral("MessageDialog"));
        QCOMPARE(q->kind, MsgKind::Information);
        QCOMPARE(q->buttons, mbOk | mbHelp);
        QCOMPARE(q->help, 14);
    }

    void colourValues_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("green") << 32768 << QColor(0, 128, 0);
        QTest::newRow("red") << 255 << QColor(255, 0, 0);
        QTest::newRow("yellow") << 65535 << QColor(255, 255, 0);
        QTest::newRow("blue-ish") << 0x804020 << QColor(0x20, 0x40, 0x80);
    }
    void colourValues()
    {
        QFETCH(int, value);
        QFETCH(QColor, colour);
        QCOMPARE(ColourFromSetting(value), colour);
        QCOMPARE(SettingFromColour(colour), value);
        QCOMPARE(ColourFromSetting(-16777201), QApplication::palette().color(QPalette::Button));
    }
};

VANTIQ_TEST(GraphWindowTest)
#include "tst_graphwindow.moc"
