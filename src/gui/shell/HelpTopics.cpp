#include "gui/shell/HelpTopics.h"

#include <iterator>

namespace HelpTopic {

namespace {
const Page AllPages[] = {
    {Vehicles, "vehicles.html"},
    {VehicleList, "vehicle-list.html"},
    {VehicleTypes, "vehicle-types.html"},
    {VehicleDetails, "vehicle-details.html"},
    {Reminders, "reminders.html"},
    {Sundries, "sundries.html"},
    {FuelEntry, "fuel-entry.html"},
    {EntryPanel, "entry-panel.html"},
    {EntryDate, "entry-date.html"},
    {Bulk, "bulk.html"},
    {DataView, "data-view.html"},
    {DataGrid, "data-grid.html"},
    {DataFiles, "data-files.html"},
    {Exchange, "import-export.html"},
    {Analysis, "analysis.html"},
    {AnalysisError, "analysis-error.html"},
    {Graph, "graph.html"},
    {GraphNoData, "graph-no-data.html"},
    {TripCalculator, "trip-calculator.html"},
    {Printing, "printing.html"},
    {Setup, "setup.html"},
    {Scheme, "scheme.html"},
    {StartWithLast, "start-with-last.html"},
    {OpenAnalysisAtStart, "open-analysis.html"},
    {FlashScreen, "flash-screen.html"},
    {TripSettings, "trip-settings.html"},
    {Password, "password.html"},
};
} // namespace

const Page *Pages(int *count)
{
    *count = int(std::size(AllPages));
    return AllPages;
}

const Page *Find(int topic)
{
    for (const Page &p : AllPages)
        if (p.topic == topic)
            return &p;
    return nullptr;
}

} // namespace HelpTopic
