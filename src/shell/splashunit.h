#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

// The start-up splash: a picture and a Close button; closes itself after
// five seconds.
class TSplashForm : public QDialog {
    Q_OBJECT
public:
    explicit TSplashForm(const QString &version, QWidget *parent = nullptr);

    void FormActivate();
    void SplashTimeTimer();
    void CloseBtnClick();

    QLabel *Image1;
    QPushButton *CloseBtn;
    QTimer *SplashTime;

    static QPixmap Picture(const QString &version, QSize size);

protected:
    void showEvent(QShowEvent *event) override;
};
