// Renders the program's windows over a realistic two-year log into PNG files,
// for the README, the user guide and for looking at a change:
// vantiq_screenshots <folder> (make screenshots writes docs/screenshots).
#include "AppFolder.h"
#include "Harness.h"
#include "TestMain.h"
#include "TestVehicles.h"
#include "Typing.h"
#include "core/entry/LogTableModel.h"
#include "core/vehicles/VehicleList.h"
#include "gui/analysis/AnalysisWindow.h"
#include "gui/analysis/GraphWindow.h"
#include "gui/entry/BulkPanel.h"
#include "gui/entry/DataViewPanel.h"
#include "gui/entry/FuelEntryPanel.h"
#include "gui/exchange/ImportDialog.h"
#include "gui/vehicles/VehicleListView.h"
#include "gui/vehicles/VehicleManager.h"
#include "gui/shell/HelpTopics.h"
#include "gui/shell/HelpViewer.h"
#include "gui/shell/MessageDialog.h"
#include "gui/shell/Resources.h"
#include "gui/shell/SetupPanel.h"
#include "gui/shell/Widgets.h"
#include "gui/trip/TripCalculator.h"
#include "gui/vehicles/ReminderPrompt.h"
#include "gui/vehicles/SundryWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTableView>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMainWindow>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {
// Two years of fill-ups of a family car: every five to twelve days, 250 to
// 450 miles, 35 to 50 mpg, prices drifting up.
QStringList realisticLog()
{
    QRandomGenerator random(42);
    QStringList log;
    QDate day(2024, 1, 6);
    long long miles = 31250;
    double pence = 139.9;
    // Each fill-up's quantity is what the next run uses (the economy is
    // worked out looking back).
    int run = 300;
    while (day < QDate(2025, 12, 20)) {
        const double mpg = 39 + random.bounded(6.0) + 3 * std::sin(day.dayOfYear() / 58.0);
        const double litres = run / mpg * 4.546;
        pence = std::clamp(pence + random.bounded(4.0) - 1.9, 125.0, 165.0);
        log << day.toString(QStringLiteral("dd/MM/yyyy")) << QString::number(miles)
            << QString::number(litres, 'f', 2) << QString::number(pence, 'f', 2);
        miles += run;
        run = 250 + int(random.bounded(200));
        day = day.addDays(5 + int(random.bounded(8)));
    }
    return log;
}

// "dark-" when the pictures are taken under a dark palette.
QString namePrefix;

// A dark desktop: the Fusion style with a dark palette.
void useDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230), button(60, 60, 64);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(60, 110, 190));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    p.setColor(QPalette::Link, QColor(120, 170, 255));
    p.setColor(QPalette::Light, QColor(80, 80, 84));
    p.setColor(QPalette::Midlight, QColor(70, 70, 74));
    p.setColor(QPalette::Mid, QColor(50, 50, 54));
    p.setColor(QPalette::Dark, QColor(25, 25, 27));
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(130, 130, 130));
    QApplication::setPalette(p);
}

void save(QWidget &w, const QString &folder, const QString &name)
{
    QCoreApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + namePrefix + name + QStringLiteral(".png");
    if (!w.grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("--dark")) {
        useDarkPalette();
        namePrefix = QStringLiteral("dark-");
        --argc;
        ++argv;
    }
    QApplication::setApplicationDisplayName(QStringLiteral("Vantiq"));
    QApplication::setWindowIcon(ApplicationIcon());
    quietOffscreenNotice();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);

    // The PDF printouts go to a second folder when one is named, to be looked
    // at; otherwise they are not kept.
    QTemporaryDir scratch;
    const QDir printouts(argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path());
    QDir().mkpath(printouts.path());
    Harness h;
    h.platform.today = QDate(2025, 12, 20);
    h.settings({"Start up=1", "Registration=VN24 QRX", "Distance Units=0", "Fuel Units=0"});
    const QStringList log = realisticLog();
    h.app.write(QStringLiteral("VN24 QRX.dat"), AppFolder::crlf(log));
    // Two fill-ups that did not fill the tank and one after a forgotten one,
    // early enough to be in the first rows of the tables.
    h.app.write(QStringLiteral("VN24 QRX.marks"), (log[8] + QLatin1Char(',') + log[9] + QStringLiteral(",partial\r\n") + log[12]
                                                   + QLatin1Char(',') + log[13] + QStringLiteral(",partial\r\n") + log[24]
                                                   + QLatin1Char(',') + log[25] + QStringLiteral(",missed\r\n"))
                                                      .toLatin1());
    {
        const struct { const char *reg, *maker, *model, *colour; int type; } fleet[] = {
            {"VN24 QRX", "Vauxhall", "Astra", "Silver", 4}, {"WK19 LMT", "Ford", "Transit", "White", 6},
            {"YB71 DSE", "Honda", "CB500", "Red", 5}};
        QByteArray list;
        for (const auto &v : fleet) {
            TVehicleRecord r = TestVehicle(QLatin1String(v.reg));
            r.VehicleType = quint8(v.type);
            r.ImageIndex = v.type;
            r.Manufacturer = QLatin1String(v.maker);
            r.Model = QLatin1String(v.model);
            r.Colour = QLatin1String(v.colour);
            list += VehicleFile::Encode(r);
        }
        h.app.write(QStringLiteral("vehs3.veh"), list);
    }
    TVantiq_ &w = h.start();
    ResizeWithinScreen(&w, QSize(1280, 800));

    // The vehicle manager, then the entry panel after a fill-up.
    w.VehDetails();
    save(w, folder, QStringLiteral("vehicle-manager"));
    w.CloseAllChildWindows();
    w.EnterDataClick();
    FuelEntryPanel &entry = *w.DataEntry;
    TypeAndEnter(entry.PDay, QStringLiteral("20"));
    TypeAndEnter(entry.Pmonth, QStringLiteral("12"));
    // 42 mpg on what the last fill-up bought (the economy looks back).
    TypeAndEnter(entry.NMiles, QString::number(w.FuelLog[w.FuelLog.size() - 3].toLongLong()
                                               + qRound(w.FuelLog[w.FuelLog.size() - 2].toDouble() / 4.546 * 42)));
    // At about the last fill-up's price.
    TypeAndEnter(entry.PPrice, QString::number(w.FuelLog.last().toDouble() * 34.5 / 100 + 0.3, 'f', 2));
    TypeAndEnter(entry.Amount, QStringLiteral("34.5"));
    entry.Accept->click();
    save(w, folder, QStringLiteral("fuel-entry"));
    // A top-up that did not fill the tank, ticked from the keyboard.
    TypeAndEnter(entry.PDay, QStringLiteral("21"));
    TypeAndEnter(entry.Pmonth, QStringLiteral("12"));
    TypeAndEnter(entry.NMiles, QString::number(w.FuelLog[w.FuelLog.size() - 3].toLongLong() + 48));
    TypeAndEnter(entry.PPrice, QStringLiteral("20.00"));
    TypeAndEnter(entry.Amount, QStringLiteral("14.6"));
    entry.TankNotFilled->setChecked(true);
    save(w, folder, QStringLiteral("fuel-entry-ticked"));
    entry.Accept->click();
    save(w, folder, QStringLiteral("fuel-entry-partial"));

    // A small screen: the setup panel, the manager and the entry panel at 1024x768.
    ResizeWithinScreen(&w, QSize(1024, 768));
    save(w, folder, QStringLiteral("small-entry"));
    w.VehDetails();
    save(w, folder, QStringLiteral("small-manager"));
    for (TVehSelect *manager : w.findChildren<TVehSelect *>()) {
        if (!manager->isVisible())
            continue; // one closed before, not yet deleted
        manager->VehicalList->Select(0);
        manager->Details1Click();
        save(w, folder, QStringLiteral("small-details"));
        manager->CancelnewDetsClick();
        break;
    }
    w.CloseAllChildWindows();
    w.OptionsTabs->show();
    w.OptionsTabs->raise();
    w.OptionsTabs->setCurrentIndex(4);
    save(w, folder, QStringLiteral("small-setup"));
    w.OptionsTabs->hide();
    ResizeWithinScreen(&w, QSize(1280, 800));

    // The import of another program's file: nothing in it says miles or
    // kilometres, so that question waits for the user and Import with it.
    {
        const QByteArray csv = "Date;Odometer;Fuel (litres);Price\r\n"
                               "03/12/2025;60150;40,2;55,90\r\n"
                               "21/12/2025;60845;38,5;53,70\r\n"
                               "28/12/2025;61190;;52,10\r\n"
                               "04/01/2026;61530;36,9;51,50\r\n";
        const LogImport::Source source = LogImport::Read(csv);
        ImportDialog dialog(source, w.FuelLog, QStringLiteral("fuel-log.csv"), h.platform);
        dialog.show();
        save(dialog, folder, QStringLiteral("import"));
    }

    // The user guide on the fill-up topic.
    {
        HelpViewer help;
        help.ShowTopic(HelpTopic::FuelEntry);
        ResizeWithinScreen(help.Window(), QSize(760, 640));
        save(*help.Window(), folder, QStringLiteral("help"));
        help.Window()->close();
    }

    w.analisebutton();
    auto *a = qobject_cast<TAnalisisForm *>(w.MdiArea->subWindowList().first());
    ResizeWithinScreen(a, QSize(760, 560));
    w.MdiArea->setActiveSubWindow(a);
    save(w, folder, QStringLiteral("analysis"));
    {
        // The merged menu bar with the window's "Fuel units" menu open.
        QPixmap shot = w.grab();
        a->Fuelunits1->popup(w.mapToGlobal(QPoint(0, 0)));
        QCoreApplication::processEvents();
        QPainter p(&shot);
        const QRect item = w.menuBar()->actionGeometry(a->Fuelunits1->menuAction());
        p.drawPixmap(w.menuBar()->mapTo(&w, item.bottomLeft()), a->Fuelunits1->grab());
        p.end();
        shot.save(folder + QLatin1Char('/') + namePrefix + QStringLiteral("analysis-menus.png"));
        a->Fuelunits1->hide();
    }
    // The three printouts, to PDF files beside the pictures.
    h.platform.fileAnswers << printouts.filePath(QStringLiteral("print-table.pdf")) << printouts.filePath(QStringLiteral("print-summary.pdf"));
    a->PrintClick();
    a->SummaryPrintClick();
    a->SummaryClick();
    save(w, folder, QStringLiteral("analysis-summary"));
    a->ExitSummaryClick();
    a->GraphClick();
    auto *graph = w.findChild<TGraphForm *>();
    ResizeWithinScreen(graph, QSize(900, 480));
    graph->ShowKeyClick();
    save(*graph, folder, QStringLiteral("graph"));
    // The whole two years in the window.
    graph->ShowKeyClick();
    ResizeWithinScreen(graph, QSize(1000, 520));
    graph->ZoomClick(4);
    save(*graph, folder, QStringLiteral("graph-whole"));
    graph->ZoomClick(0);
    h.platform.fileAnswers << printouts.filePath(QStringLiteral("print-graph.pdf"));
    graph->Print1Click();
    w.CloseAllChildWindows();

    // The trip calculator in three-point mode, a trip already worked out.
    w.OptionsTabs->CalcTripLims->setChecked(true);
    w.OptionsTabs->Button18Click();
    h.platform.modalHandlers << [&](QDialog &d) {
        auto &calculator = static_cast<TCalculator &>(d);
        calculator.show();
        QCoreApplication::processEvents(); // activated first, as on a desktop
        calculator.Distance->setText(QStringLiteral("240"));
        calculator.calculatebtnClick();
        calculator.grab().save(folder + QLatin1Char('/') + namePrefix + QStringLiteral("trip-calculator.png"));
        return 0;
    };
    w.TripCalcBtnClick();

    // The data view, editing allowed, with the record form open on a record.
    w.ViewClick();
    h.platform.answers << mrYes;
    w.Datadisplay->EditClick();
    w.Datadisplay->ViewGrid->setCurrentIndex(w.Datadisplay->Model->index(3, 1));
    w.Datadisplay->Edit2Click();
    save(w, folder, QStringLiteral("data-view"));
    w.Datadisplay->BitBtn2Click();
    w.Datadisplay->CloseDataEditClick(false);

    // The bulk panel after a delivery.
    w.OptionsTabs->Scheme->setCurrentIndex(1);
    w.ShowScheme();
    w.BulkButtonClick();
    BulkPanel &bulk = *w.BulkPurchase;
    bulk.UpDown1->setValue(2025);
    for (auto [box, text] : {std::pair{bulk.BDay, "18"}, {bulk.BMonth, "12"}, {bulk.BPrice, "1890.00"}, {bulk.BAmount, "1500"}}) {
        box->setText(QLatin1String(text));
        Q_EMIT box->textEdited(box->text());
        Q_EMIT box->returnPressed();
    }
    bulk.BAcceptClick();
    save(w, folder, QStringLiteral("bulk"));
    bulk.BulkQuitBtnClick();

    // A renewal reminder, and the sundry form part filled in.
    w.CalendarPrompt->Prompt->setText(QStringLiteral("Road Tax renewal for VN24 QRX is due in 14 days on 03/01/2026"));
    w.CalendarPrompt->show();
    save(*w.CalendarPrompt, folder, QStringLiteral("reminder"));
    w.CalendarPrompt->hide();
    w.SundryForm->setWindowTitle(QStringLiteral("Sundrys for VN24 QRX"));
    w.SundryForm->Description->setText(QStringLiteral("Wiper blades"));
    w.SundryForm->DateBox->setText(QStringLiteral("18/12/2025"));
    w.SundryForm->CostBox->setText(QStringLiteral("24.99"));
    w.SundryForm->show();
    save(*w.SundryForm, folder, QStringLiteral("sundry"));
    w.SundryForm->hide();

    w.OptionsTabs->show();
    w.OptionsTabs->raise();
    w.OptionsTabs->setCurrentIndex(5);
    save(w, folder, QStringLiteral("setup-trip"));

    // Message dialogs: one line, a question with help, several lines, and a
    // line longer than a small screen is wide.
    {
        TDialogForm message;
        const struct { const char *name, *text; MsgKind kind; int buttons; } messages[] = {
            {"message-short", "The date is not valid", MsgKind::Warning, mbOk},
            {"message-question", "Save changes to VN24 QRX before closing?", MsgKind::Confirmation, mbYes | mbNo | mbHelp},
            {"message-tall", "vehs3.veh could not be read.\nIt ends with 12 bytes that are not a whole vehicle record;\n"
                             "they are kept unchanged.\nNothing was lost.", MsgKind::Error, mbOk | mbHelp},
            {"message-long", "Could not save /home/driver/.local/share/Quorvix/Vantiq/VN24 QRX.dat: No space left on device. "
                             "The file on disk is unchanged; free some space and save again, or export the log to another folder.",
             MsgKind::Error, mbOk}};
        for (const auto &m : messages) {
            message.Prepare(QLatin1String(m.text), m.kind, m.buttons, 0);
            message.show();
            save(message, folder, QLatin1String(m.name));
            message.done(0);
        }
    }
    return 0;
}
