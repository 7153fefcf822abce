#pragma once
// The splash screen (TSplashForm) shown at start-up.
#include <QDialog>

class QLabel;
class QPainter;
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

    static QPixmap Picture(const QString &version, QSize size, qreal ratio = 1);

protected:
    void showEvent(QShowEvent *event) override;
};

// The program's own look, shared by the splash and the vehicle manager: a
// blue sky filling rect, and the product name in white across its top.
void PaintBrandBackground(QPainter &p, const QRect &rect);
void PaintBrandTitle(QPainter &p, const QRect &band, int pointSize);
