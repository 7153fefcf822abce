#pragma once
#include <QFrame>

class AppState;
class ShellCommands;

// The data view of the fuel log (Datadisplay) with its record form.
class DataViewPanel : public QFrame {
    Q_OBJECT
public:
    DataViewPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);
    // Hides the view; called by the user's Close and, without a message, by
    // other windows.
    void CloseDataEditClick();

private:
    AppState &state;
    ShellCommands &shell;
};
