#pragma once
#include <QFrame>

class TVantiq_;

// The data view of the fuel log (Datadisplay) with its record form.
class DataViewPanel : public QFrame {
    Q_OBJECT
public:
    explicit DataViewPanel(TVantiq_ &main, QWidget *parent = nullptr);
    // Hides the view; called by the user's Close and, without a message, by
    // other windows.
    void CloseDataEditClick();

private:
    TVantiq_ &main;
};
