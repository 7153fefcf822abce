#pragma once
#include <QIcon>

// Pictures of the seven vehicle types (positions 0-6), drawn rather than
// shipped; an empty icon for any other position.
QIcon VehicleTypeIcon(int type);
// The picture of the manager's left-hand panel.
QPixmap ManagerPicture(QSize size, qreal ratio = 1);
