// The performance graph over 10,000 and 100,000 fill-ups: working the
// drawing out after a change, and a repaint of what a window shows.
#include "AppFolder.h"
#include "Bench.h"
#include "TestMain.h"
#include "core/analysis/GraphDrawing.h"
#include "gui/analysis/GraphWindow.h"

#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietOffscreenNotice();
    std::printf("graph, best of 5 runs (ms):\n  %-9s %7s %16s %22s\n", "records", "width", "rebuild (data)",
                "repaint 900x350 shown");
    for (int records : {10000, 100000}) {
        const QStringList log = AppFolder::log(records);
        for (int width : {2400, 19200}) {
            GraphOptions o;
            o.drawingWidth = width;
            GraphDrawing drawing;
            const double rebuild = BestOf(5, [&] { drawing = DrawGraph(log, 0, int(log.size()), o); });
            GraphSurface surface;
            const QColor colours[4] = {Qt::lightGray, Qt::darkGreen, Qt::red, Qt::yellow};
            surface.SetDrawing(drawing, colours);
            QImage shown(900, 350, QImage::Format_ARGB32_Premultiplied);
            const double repaint = BestOf(5, [&] {
                // The part a window shows, scrolled to the middle of the surface.
                surface.render(&shown, QPoint(), QRegion(width / 2, 0, 900, 350));
            });
            std::printf("  %-9d %7d %16.2f %22.2f\n", records, width, rebuild, repaint);
        }
    }
    return 0;
}
