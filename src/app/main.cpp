#include "Version.h"
#include "app/MainWindow.h"
#include "gui/shell/DesktopPlatform.h"
#include "gui/shell/Resources.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// Without a display Qt aborts with a long plugin message; say it plainly.
bool hasDisplay()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fprintf(stderr, "vantiq: no display to show its window on (DISPLAY is not set); on a machine without "
                             "a desktop run it under a virtual X server: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "vantiq");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VANTIQ_PRODUCT_NAME));
    QApplication::setApplicationDisplayName(QStringLiteral(VANTIQ_PRODUCT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VANTIQ_FILE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Quorvix"));
    QApplication::setWindowIcon(ApplicationIcon());
    DesktopPlatform platform;
    TVantiq_ window(platform, QApplication::applicationFilePath());
    window.showMaximized();
    return app.exec();
}
