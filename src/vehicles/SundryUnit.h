#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

// The sundry purchase form, created once and reused so its boxes keep the
// previous entry.
class TSundryForm : public QDialog {
    Q_OBJECT
public:
    explicit TSundryForm(QWidget *parent = nullptr);
    QLineEdit *Description, *DateBox, *CostBox;
    QToolButton *SpeedButton2;
    QPushButton *AcceptBtn, *CancelBtn;
};
