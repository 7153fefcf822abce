#pragma once
#include <QFrame>

class QLineEdit;
class AppState;
class ShellCommands;

// The bulk purchase panel (bulk scheme). Loading "bulk.dat" is here; the
// entry of deliveries is built on it.
class BulkPanel : public QFrame {
    Q_OBJECT
public:
    BulkPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);

    // Loads the bulk list; false when the file is refused. A missing file
    // counts as one without data, so that start-up goes on.
    bool GetBulkData(const QString &fileName);
    void BulkQuitBtnClick();

    QLineEdit *BLastDate, *BNumItems;

private:
    AppState &state;
    ShellCommands &shell;
};
