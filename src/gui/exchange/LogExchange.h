#pragma once
#include <QString>

class AnalysisTable;
class AppState;
class ShellCommands;

// The File menus' CSV commands: the fuel log out to a spreadsheet and in from
// another program, the analysis table out as shown.
namespace LogExchange {

void ExportLog(AppState &state, ShellCommands &shell);
// Nothing changes unless the user confirms the import and the log is saved.
void ImportLog(AppState &state, ShellCommands &shell);
void ExportTable(AppState &state, ShellCommands &shell, const AnalysisTable &table);

} // namespace LogExchange
