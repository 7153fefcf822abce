#include "gui/shell/TextPrint.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

QFont ListingFont()
{
    QFont f(QStringLiteral("Courier New"), 10);
    f.setStyleHint(QFont::TypeWriter); // the figures stand in columns
    return f;
}

QList<QStringList> PageLines(const QStringList &lines, int pageHeight, int lineHeight)
{
    const int perPage = std::max(1, lineHeight > 0 ? pageHeight / lineHeight : 1);
    QList<QStringList> pages;
    for (qsizetype i = 0; i < lines.size(); i += perPage)
        pages << lines.mid(i, perPage);
    return pages;
}

bool PrintTextLines(QPagedPaintDevice &device, const QStringList &lines, const QFont &font, QString *error)
{
    QPainter p;
    if (!p.begin(&device)) {
        *error = QStringLiteral("The printer could not be started");
        return false;
    }
    p.setFont(font);
    const QFontMetrics fm(font, &device);
    const QList<QStringList> pages = PageLines(lines, device.height(), fm.lineSpacing());
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0 && !device.newPage()) {
            *error = QStringLiteral("The printer could not begin a new page");
            p.end();
            return false;
        }
        int y = fm.ascent();
        for (const QString &line : pages[page]) {
            p.drawText(0, y, line);
            y += fm.lineSpacing();
        }
    }
    if (!p.end()) {
        *error = QStringLiteral("The printer could not finish the listing");
        return false;
    }
    return true;
}
