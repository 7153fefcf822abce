#include "gui/vehicles/VehiclePictures.h"

#include "gui/shell/SplashScreen.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPainterPath>

namespace {
// Proportions of each type's body: length and height on a 48-pixel square,
// with its colour; the articulated lorry also gets a trailer.
struct Shape { int length, height; QColor colour; bool trailer, twoWheels; };
const Shape shapes[7] = {
    {44, 22, QColor(200, 40, 40), false, false},   // PCV (service): a bus
    {36, 18, QColor(40, 90, 200), false, false},   // PCV (private hire): a minibus
    {44, 20, QColor(90, 90, 90), true, false},     // LGV (articulated)
    {38, 22, QColor(60, 140, 60), false, false},   // LGV
    {34, 12, QColor(30, 100, 180), false, false},  // car
    {26, 10, QColor(20, 20, 20), false, true},     // motor cycle
    {34, 18, QColor(230, 230, 230), false, false}, // van
};

// Drawn at the screen's pixel ratio, so a scaled screen shows it sharp.
QPixmap draw(int type, int side, qreal ratio = 1)
{
    QPixmap pm(QSize(side, side) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 48.0, side / 48.0);
    const Shape &s = shapes[type];
    const int left = (48 - s.length) / 2, bottom = 36;
    // Outlined in black on a light desktop, in light grey on a dark one.
    const bool dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
    p.setPen(QPen(dark ? QColor(210, 210, 210) : QColor(Qt::black), 1.2));
    if (s.twoWheels) {
        p.setBrush(s.colour);
        p.drawRoundedRect(QRectF(left + 6, bottom - s.height - 4, s.length - 12, s.height), 3, 3);
        p.setBrush(Qt::darkGray);
        p.drawEllipse(QPointF(left + 5, bottom), 5, 5);
        p.drawEllipse(QPointF(left + s.length - 5, bottom), 5, 5);
        return pm;
    }
    p.setBrush(s.colour);
    if (s.trailer) {
        p.drawRect(QRectF(left, bottom - s.height - 2, s.length - 12, s.height));
        p.drawRoundedRect(QRectF(left + s.length - 11, bottom - 16, 11, 14), 2, 2);
    } else if (type == 4) {
        QPainterPath car;
        car.moveTo(left, bottom - 2);
        car.lineTo(left, bottom - s.height);
        car.lineTo(left + 8, bottom - s.height);
        car.lineTo(left + 12, bottom - s.height - 8);
        car.lineTo(left + s.length - 10, bottom - s.height - 8);
        car.lineTo(left + s.length - 5, bottom - s.height);
        car.lineTo(left + s.length, bottom - s.height);
        car.lineTo(left + s.length, bottom - 2);
        car.closeSubpath();
        p.drawPath(car);
    } else {
        p.drawRoundedRect(QRectF(left, bottom - s.height - 2, s.length, s.height), 3, 3);
        p.setBrush(QColor(180, 220, 250));
        p.drawRect(QRectF(left + s.length - 8, bottom - s.height + 1, 6, 6));
    }
    p.setBrush(Qt::darkGray);
    p.drawEllipse(QPointF(left + 7, bottom), 4, 4);
    p.drawEllipse(QPointF(left + s.length - 7, bottom), 4, 4);
    return pm;
}
} // namespace

QIcon VehicleTypeIcon(int type)
{
    if (type < 0 || type > 6)
        return QIcon();
    QIcon icon;
    icon.addPixmap(draw(type, 16));
    icon.addPixmap(draw(type, 16, 2));
    icon.addPixmap(draw(type, 48));
    icon.addPixmap(draw(type, 48, 2));
    return icon;
}

QPixmap ManagerPicture(QSize size, qreal ratio)
{
    QPixmap pm(size * ratio);
    pm.setDevicePixelRatio(ratio);
    QPainter p(&pm);
    PaintBrandBackground(p, QRect(QPoint(0, 0), size));
    p.drawPixmap(QRect((size.width() - 96) / 2, size.height() / 3, 96, 96), draw(4, 96, ratio));
    PaintBrandTitle(p, QRect(0, 20, size.width(), 40), 18);
    QFont f = p.font();
    f.setPointSize(9);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, size.height() - 40, size.width(), 30), Qt::AlignCenter, QStringLiteral("Quorvix Solutions"));
    return pm;
}
