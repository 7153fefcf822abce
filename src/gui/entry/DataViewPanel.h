#pragma once
#include "gui/entry/FillMarkBoxes.h"
#include <QFrame>

class AppState;
class LogTableModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class ShellCommands;

// The record form of the data view: one fuel record to insert or to write
// over the selected one. A panel of the main window beside the data view,
// so that the view can be disabled while the form is open.
class TInsertPan : public QFrame {
    Q_OBJECT
public:
    explicit TInsertPan(QWidget *parent = nullptr);
    QLabel *InsertTitle;
    QLineEdit *ViewDate, *ViewDistance, *ViewQty, *ViewPPL;
    FillMarkBoxes Marks; // ViewNotFilled, ViewMissed
    QPushButton *NewOk, *BitBtn2, *BitBtn3;
};

// The data view of the fuel log (Datadisplay): the log as a grid, edited in
// place after a warning, records inserted, written over or deleted through
// the record form, and printed as a plain listing. Changes stay in the log
// in memory until the user saves.
class DataViewPanel : public QFrame {
    Q_OBJECT
public:
    DataViewPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);

    void ViewClick();
    void EditClick();
    void InsertClick();
    void Edit2Click();
    void NewOkClick();
    void BitBtn2Click();
    void ViewDeleteClick();
    // Hides the view; the user's Close also reminds of File, Save.
    void CloseDataEditClick(bool byUser = false);
    void PrintViewClick();
    // Ends an edit of a cell, keeping what was typed (before a command that
    // reads or writes the log).
    void CommitEdit();

    QLabel *DataEditName;
    QTableView *ViewGrid;
    LogTableModel *Model;
    QPushButton *CloseDataEdit, *Edit, *PrintView, *ViewHelp, *Insert, *ViewDelete, *Edit2;
    TInsertPan *InsertPan;

    enum class FormMode { None, Inserting, Editing };
    FormMode Mode() const { return formMode; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTitle();   // "<vehicle> Data" for the log shown
    void endEditing();  // the grid read-only, the editing buttons gone
    QString shownFile;  // the data file whose log the view shows
    void logReplaced();
    void refill();
    // Whether another program left these records (rows) as the view shows them.
    bool stillOnDisk(const QList<int> &records) const;
    void showFileAsItIs();
    void openForm(FormMode mode);
    void closeForm();
    // The records of the selected rows, -1 when none is selected.
    int firstSelectedRecord() const;
    AppState &state;
    ShellCommands &shell;
    FormMode formMode = FormMode::None;
    int formRecord = 0;     // the record the form was opened for
    bool changing = false;  // this view is changing the log itself
};
