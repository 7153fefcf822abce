#pragma once
#include <QFont>
#include <QList>
#include <QStringList>

class QPagedPaintDevice;

// Plain text printed line by line, a new page when the next line would not
// fit: the data view's listing.
QFont ListingFont();
// The lines of each page for a page of the given height.
QList<QStringList> PageLines(const QStringList &lines, int pageHeight, int lineHeight);
// Prints the lines; false with a clear text when the printer could not be
// started or a page not begun.
bool PrintTextLines(QPagedPaintDevice &device, const QStringList &lines, const QFont &font, QString *error);
