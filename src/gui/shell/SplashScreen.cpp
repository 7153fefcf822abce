#include "gui/shell/SplashScreen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TSplashForm::TSplashForm(const QString &version, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(480, 300);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setScaledContents(true);
    Image1->setPixmap(Picture(version, size(), devicePixelRatioF()));
    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(width() - 90, height() - 40, 75, 25);
    CloseBtn->setFocus();
    SplashTime = new QTimer(this);
    SplashTime->setObjectName(QStringLiteral("SplashTime"));
    SplashTime->setInterval(5000);
    connect(SplashTime, &QTimer::timeout, this, &TSplashForm::SplashTimeTimer);
    connect(CloseBtn, &QPushButton::clicked, this, &TSplashForm::CloseBtnClick);
}

QPixmap TSplashForm::Picture(const QString &version, QSize size, qreal ratio)
{
    QPixmap pm(size * ratio);
    pm.setDevicePixelRatio(ratio); // sharp on a scaled screen
    QPainter p(&pm);
    PaintBrandBackground(p, QRect(QPoint(0, 0), size));
    // A road running to the horizon.
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    const int w = size.width(), h = size.height();
    p.drawPolygon(QPolygon({QPoint(w / 2 - 10, h / 2), QPoint(w / 2 + 10, h / 2), QPoint(w * 3 / 4, h), QPoint(w / 4, h)}));
    p.setPen(QPen(QColor(240, 220, 80), 3, Qt::DashLine));
    p.drawLine(w / 2, h / 2 + 5, w / 2, h);
    PaintBrandTitle(p, QRect(0, 30, w, 60), 32);
    QFont f = p.font();
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 90, w, 30), Qt::AlignCenter, QStringLiteral("Fuel economy and running costs"));
    p.drawText(QRect(10, h - 30, w / 2, 20), Qt::AlignLeft | Qt::AlignVCenter, version);
    return pm;
}

void PaintBrandBackground(QPainter &p, const QRect &rect)
{
    QLinearGradient sky(0, rect.top(), 0, rect.bottom());
    sky.setColorAt(0, QColor(20, 60, 120));
    sky.setColorAt(1, QColor(120, 170, 220));
    p.fillRect(rect, sky);
}

void PaintBrandTitle(QPainter &p, const QRect &band, int pointSize)
{
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(pointSize);
    f.setBold(true);
    p.setFont(f);
    p.drawText(band, Qt::AlignCenter, QStringLiteral("Vantiq"));
}

void TSplashForm::showEvent(QShowEvent *event)
{
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    FormActivate();
}

void TSplashForm::FormActivate() { SplashTime->start(); }

void TSplashForm::SplashTimeTimer()
{
    SplashTime->stop();
    accept();
}

void TSplashForm::CloseBtnClick() { SplashTime->setInterval(5); }
