#pragma once
// The renewal reminder prompt (TCalendarPrompt) the manager shows for a due renewal.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The renewal reminder window.
class TCalendarPrompt : public QDialog {
    Q_OBJECT
public:
    explicit TCalendarPrompt(QWidget *parent = nullptr);
    QLabel *Prompt;
    QPushButton *CloseBtn;
    QCheckBox *Dont;
};
