#include "shell/HelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
struct Topic { int number; const char *title; const char *body; };
const Topic topics[] = {
    {5, "Entering a fill-up", "Type the day and month, press Enter after each box, then the odometer reading, "
                              "the amount spent and the quantity, and press Accept."},
    {6, "Vehicles", "The vehicle manager keeps your list of vehicles. Double-click a vehicle to work with it."},
    {7, "Viewing and editing the log", "The data view shows every fill-up. Changes reach the data file only "
                                       "when you save it with File, Save."},
    {8, "Data files", "Each vehicle's fill-ups are kept in a data file named after its registration."},
    {12, "Set-up", "The set-up panel holds the program's settings. Accept writes them to the settings file."},
    {15, "Bulk purchases", "In the bulk scheme, enter each delivery of fuel to the depot here."},
    {16, "Trip calculator settings", "Limits the figures the trip calculator uses."},
    {200, "Operating scheme", "Domestic use, or fuel obtained in bulk and dispensed at depots."},
    {201, "Start with last vehicle", "Loads the vehicle you used last when the program starts."},
    {202, "Open analysis at start-up", "Opens the analysis window when a vehicle is loaded."},
    {203, "Flash screen", "Shows the start-up picture for a few seconds."},
    {208, "Fuel entry panel", "Enter one fill-up at a time; each box is checked when you press Enter."},
    {209, "Date", "Type the day of the month and press Enter."},
    {211, "Data view", "One row per fill-up: date, distance, quantity and price per litre."},
    {214, "Vehicle list", "Your vehicles."},
    {215, "Vehicle types", "Double-click a type to add a new vehicle."},
    {216, "Vehicle details", "The details of one vehicle."},
};
} // namespace

HelpViewer::HelpViewer() = default;
HelpViewer::~HelpViewer() = default;

QString HelpViewer::TopicTitle(int topic)
{
    for (const Topic &t : topics)
        if (t.number == topic)
            return QLatin1String(t.title);
    return QString();
}

QString HelpViewer::TopicHtml(int topic)
{
    for (const Topic &t : topics)
        if (t.number == topic)
            return QStringLiteral("<h2>%1</h2><p>%2</p><p><a href=\"contents\">Contents</a></p>")
                .arg(QLatin1String(t.title), QLatin1String(t.body));
    return QStringLiteral("<p>No help is available for topic %1.</p><p><a href=\"contents\">Contents</a></p>")
        .arg(topic);
}

QString HelpViewer::ContentsHtml()
{
    QString html = QStringLiteral("<h2>Vantiq Help</h2><ul>");
    for (const Topic &t : topics)
        html += QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>").arg(t.number).arg(QLatin1String(t.title));
    return html + QStringLiteral("</ul>");
}

void HelpViewer::show(const QString &html)
{
    if (!window) {
        window = std::make_unique<QDialog>();
        window->setWindowTitle(QStringLiteral("Vantiq Help"));
        window->resize(480, 360);
        browser = new QTextBrowser(window.get());
        browser->setOpenLinks(false);
        QObject::connect(browser, &QTextBrowser::anchorClicked, [this](const QUrl &url) {
            const QString s = url.toString();
            if (s.startsWith(QLatin1String("topic:")))
                browser->setHtml(TopicHtml(s.mid(6).toInt()));
            else
                browser->setHtml(ContentsHtml());
        });
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(browser);
    }
    browser->setHtml(html);
    // Asked from a modal dialog (its Help button), the help window must take
    // clicks too: it goes on top of the modal stack until it is closed.
    QWidget *modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != window.get() ? Qt::ApplicationModal : Qt::NonModal;
    if (window->windowModality() != wanted && !(window->isVisible() && window->isModal())) {
        window->hide(); // modality is set on a hidden window
        window->setWindowModality(wanted);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

QWidget *HelpViewer::Window() const { return window.get(); }

void HelpViewer::ShowTopic(int topic) { show(TopicHtml(topic)); }

void HelpViewer::ShowContents() { show(ContentsHtml()); }
