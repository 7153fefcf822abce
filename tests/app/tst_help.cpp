#include "Harness.h"
#include "TestMain.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/HelpViewer.h"
#include "gui/shell/MessageDialog.h"
#include "gui/shell/Resources.h"

#include <QAction>
#include <QDialog>
#include <QTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

// The user guide: a real page behind every topic the program asks for,
// links that lead somewhere, and the help window's navigation.
class HelpTest : public QObject {
    Q_OBJECT

    static QString read(const QString &file)
    {
        QFile f(QLatin1String(HelpTopic::Folder) + file);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(f.readAll());
    }
    static QStringList allFiles()
    {
        QStringList files{QLatin1String(HelpTopic::ContentsFile)};
        int count = 0;
        const HelpTopic::Page *pages = HelpTopic::Pages(&count);
        for (int i = 0; i < count; ++i)
            files << QLatin1String(pages[i].file);
        return files;
    }
    static QStringList attributes(const QString &html, const char *name)
    {
        QStringList out;
        const QRegularExpression re(QStringLiteral("%1=\"([^\"]*)\"").arg(QLatin1String(name)));
        for (const QRegularExpressionMatch &m : re.globalMatch(html))
            out << m.captured(1);
        return out;
    }

private slots:
    void initTestCase()
    {
        quietOffscreenNotice();
        LoadResources();
    }

    void everyPageIsWrittenOut()
    {
        QSet<QString> seen;
        for (const QString &file : allFiles()) {
            const QString html = read(file);
            QVERIFY2(!html.isEmpty(), qPrintable(file + " is missing"));
            QVERIFY2(!seen.contains(file), qPrintable(file + " serves two topics"));
            seen.insert(file);
            QVERIFY2(!attributes(html, "charset").isEmpty(), qPrintable(file));
            QVERIFY2(html.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))), qPrintable(file));
            QString text = html;
            text.remove(QRegularExpression(QStringLiteral("<style>.*</style>"), QRegularExpression::DotMatchesEverythingOption));
            text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            const qsizetype words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
            QVERIFY2(words >= 60, qPrintable(QStringLiteral("%1 has only %2 words").arg(file).arg(words)));
            for (const char *stub : {"TODO", "placeholder", "Lorem", "No help is available", "to be written"})
                QVERIFY2(!html.contains(QLatin1String(stub), Qt::CaseInsensitive), qPrintable(file + ": " + stub));
        }
    }

    void everyLinkAndPictureResolves()
    {
        const QStringList files = allFiles();
        QSet<QString> linked;
        for (const QString &file : files) {
            const QString html = read(file);
            for (const QString &href : attributes(html, "href")) {
                const QString target = href.section(QLatin1Char('#'), 0, 0);
                QVERIFY2(files.contains(target), qPrintable(file + " links to " + href));
                const QString anchor = href.section(QLatin1Char('#'), 1);
                QVERIFY2(anchor.isEmpty() || attributes(read(target), "id").contains(anchor), qPrintable(file + " links to " + href));
                linked.insert(target);
            }
            for (const QString &src : attributes(html, "src")) {
                const QImage image(QLatin1String(HelpTopic::Folder) + src);
                QVERIFY2(image.width() > 100 && image.height() > 100, qPrintable(file + " shows " + src));
            }
        }
        // every page is reachable from the contents
        const QStringList fromContents = attributes(read(QLatin1String(HelpTopic::ContentsFile)), "href");
        for (const QString &file : files.mid(1))
            QVERIFY2(fromContents.contains(file), qPrintable(file + " is not in the contents"));
    }

    // Every control the program gives a topic asks for one the guide has.
    void everyTopicOnTheWindowsHasAPage()
    {
        Harness h;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(4)));
        TVantiq_ &w = h.start();
        w.analisebutton();
        w.BuildPanels();
        int checked = 0;
        for (QWidget *widget : w.findChildren<QWidget *>()) {
            const QVariant topic = widget->property("helpContext");
            if (!topic.isValid())
                continue;
            ++checked;
            QVERIFY2(HelpTopic::Find(topic.toInt()),
                     qPrintable(QStringLiteral("%1 asks for topic %2").arg(widget->objectName()).arg(topic.toInt())));
        }
        QVERIFY(checked >= 12); // the panels, their controls and the windows
    }

    void theWindowNavigates()
    {
        HelpViewer viewer;
        viewer.ShowTopic(HelpTopic::FuelEntry);
        auto *window = qobject_cast<QMainWindow *>(viewer.Window());
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Vantiq Help - Entering a fill-up"));
        auto *back = window->findChild<QAction *>(QStringLiteral("HelpBack"));
        auto *forward = window->findChild<QAction *>(QStringLiteral("HelpForward"));
        auto *contents = window->findChild<QAction *>(QStringLiteral("HelpContents"));
        QVERIFY(back && forward && contents);
        QVERIFY(!back->isEnabled());

        // as a click on a link does
        viewer.Browser()->setSource(viewer.Browser()->source().resolved(QUrl(QStringLiteral("entry-date.html"))));
        QCOMPARE(viewer.Browser()->source(), HelpViewer::TopicUrl(HelpTopic::EntryDate));
        QVERIFY(back->isEnabled());
        back->trigger();
        QCOMPARE(viewer.Browser()->source(), HelpViewer::TopicUrl(HelpTopic::FuelEntry));
        QVERIFY(forward->isEnabled());
        contents->trigger();
        QCOMPARE(window->windowTitle(), QStringLiteral("Vantiq Help - Vantiq Help"));

        viewer.ShowTopic(12345); // a number the guide does not know: the contents
        QCOMPARE(viewer.Browser()->source(), HelpViewer::ContentsUrl());
        QApplication::setActiveWindow(window);
        QTest::keyClick(viewer.Browser(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());

        // Asked for from a modal dialog: a window of the dialog's own, not
        // modal, so both take input; given back when the dialog closes.
        QDialog dialog;
        bool asked = false;
        QTimer::singleShot(0, &dialog, [&] {
            viewer.ShowTopic(HelpTopic::Graph);
            QWidget *help = viewer.Window();
            QCOMPARE(help->parentWidget(), &dialog);
            QVERIFY(help->isWindow() && help->isVisible());
            QCOMPARE(help->windowModality(), Qt::NonModal);
            QCOMPARE(QApplication::activeModalWidget(), &dialog);
            asked = true;
            dialog.accept();
        });
        dialog.exec();
        QVERIFY(asked);
        QCOMPARE(viewer.Window(), window);
        QVERIFY(!window->parentWidget() && window->isVisible());
        {
            // A dialog deleted while it holds the help window gives it back first.
            auto *held = new QDialog;
            held->setWindowModality(Qt::ApplicationModal);
            held->show();
            viewer.ShowTopic(HelpTopic::Graph);
            QCOMPARE(viewer.Window()->parentWidget(), held);
            delete held;
            QCOMPARE(viewer.Window(), window);
            QVERIFY(!window->parentWidget() && window->isVisible());
            viewer.Window()->close();
        }
    }

    void f1AsksForTheFocusedControlsTopic()
    {
        Harness h;
        h.settings({QStringLiteral("Start up=1"), QStringLiteral("Registration=AB12")});
        h.app.write(QStringLiteral("AB12.dat"), AppFolder::crlf(AppFolder::log(4)));
        TVantiq_ &w = h.start();
        w.EnterDataClick();
        w.DataEntry->PDay->setFocus();
        QTest::keyClick(w.DataEntry->PDay, Qt::Key_F1);
        QCOMPARE(h.platform.helpTopics, QList<int>{HelpTopic::EntryDate});
        w.DataEntry->NMiles->setEnabled(true);
        QTest::keyClick(w.DataEntry->NMiles, Qt::Key_F1); // the panel's topic
        QCOMPARE(h.platform.helpTopics, (QList<int>{HelpTopic::EntryDate, HelpTopic::EntryPanel}));
        w.Help2->trigger(); // the menu item: the contents
        QCOMPARE(h.platform.helpContents, 1);

        // In a message dialog: the dialog's topic, as its Help button gives.
        TDialogForm d;
        QTimer::singleShot(0, &d, [&] {
            QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_F1); // its Ok button
            d.done(mrOk);
        });
        d.Execute(QStringLiteral("Insufficent Data to Graph"), MsgKind::Information, mbOk | mbHelp, HelpTopic::GraphNoData);
        QCOMPARE(h.platform.helpTopics.last(), int(HelpTopic::GraphNoData));
        QCOMPARE(h.platform.helpContents, 1);
    }
};

VANTIQ_TEST(HelpTest)
#include "tst_help.moc"
