#include "gui/shell/Resources.h"

void LoadResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(vantiq);
        return true;
    }();
    (void)loaded;
}

QIcon CommandIcon(const char *themeName, const char *fallback)
{
    LoadResources();
    const QString own = QStringLiteral(":/icons/") + QLatin1String(fallback ? fallback : themeName);
    QIcon bundled;
    for (const char *size : {"-24.png", "-48.png"})
        bundled.addFile(own + QLatin1String(size));
    // The program's own commands have no theme name that fits them.
    if (!themeName)
        return bundled;
    return QIcon::fromTheme(QLatin1String(themeName), bundled);
}

QIcon ApplicationIcon()
{
    LoadResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vantiq-%1.png").arg(size));
    return icon;
}
