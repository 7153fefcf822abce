#pragma once
#include <QString>

// Every help topic the program asks for, by name, with the page of the user
// guide that answers it. The numbers are what the help system is asked for
// (message dialogs, Help buttons, F1 on a control).
namespace HelpTopic {

inline constexpr int None = 0;             // no topic: the contents
inline constexpr int FuelEntry = 5;        // entering a fill-up, its messages
inline constexpr int Vehicles = 6;         // the vehicle manager
inline constexpr int DataView = 7;         // viewing and editing the log
inline constexpr int DataFiles = 8;        // car data files: open, save, backups
inline constexpr int Setup = 12;           // the setup panel
inline constexpr int AnalysisError = 13;   // "Error in data file, cannot analise"
inline constexpr int GraphNoData = 14;     // "Insufficent Data to Graph"
inline constexpr int Bulk = 15;            // bulk purchases
inline constexpr int TripSettings = 16;    // the setup panel's Trip Calculator sheet
inline constexpr int Scheme = 200;
inline constexpr int StartWithLast = 201;
inline constexpr int OpenAnalysisAtStart = 202;
inline constexpr int FlashScreen = 203;
inline constexpr int EntryPanel = 208;
inline constexpr int EntryDate = 209;
inline constexpr int DataGrid = 211;
inline constexpr int VehicleList = 214;
inline constexpr int VehicleTypes = 215;
inline constexpr int VehicleDetails = 216;
inline constexpr int TripCalculator = 217;
// Windows that had no topic number of their own.
inline constexpr int Exchange = 300;       // CSV export and import
inline constexpr int Analysis = 301;
inline constexpr int Graph = 302;
inline constexpr int Printing = 303;
inline constexpr int Reminders = 304;
inline constexpr int Sundries = 305;
inline constexpr int Password = 306;

struct Page {
    int topic;
    const char *file;   // under the guide's folder
};

// The pages of the guide in reading order; the contents page lists them.
const Page *Pages(int *count);
// The page of a topic, or null for a number the guide does not know.
const Page *Find(int topic);

inline constexpr const char *Folder = ":/help/";
inline constexpr const char *ContentsFile = "index.html";

} // namespace HelpTopic
