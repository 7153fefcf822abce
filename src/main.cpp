#include "Version.h"
#include "shell/DesktopPlatform.h"
#include "shell/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VANTIQ_PRODUCT_NAME));
    QApplication::setApplicationDisplayName(QStringLiteral(VANTIQ_PRODUCT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VANTIQ_FILE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Quorvix"));
    DesktopPlatform platform;
    TVantiq_ window(platform, QApplication::applicationFilePath());
    window.showMaximized();
    return app.exec();
}
