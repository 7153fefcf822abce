#pragma once
// The calendar window (TCalendarForm) for picking a renewal date.
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The calendar window in which a date is picked: Close takes the date.
class TCalendarForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalendarForm(QWidget *parent = nullptr);
    QLabel *Info;
    QCalendarWidget *Cal;
    QPushButton *CloseBtn, *CancelBtn;
};
