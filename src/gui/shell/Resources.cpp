#include "gui/shell/Resources.h"

#include <QIconEngine>
#include <QPainter>
#include <QPaintDevice>

#include <algorithm>
#include <vector>

void LoadResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(vantiq);
        return true;
    }();
    (void)loaded;
}

namespace {
// An icon kept as files of several sizes, each read only when a picture of
// about its size is first asked for: a start-up reads the sizes the screen
// shows, not all of them.
class SizedFilesEngine : public QIconEngine {
public:
    explicit SizedFilesEngine(QList<std::pair<int, QString>> sidesAndPaths)
    {
        for (auto &[side, path] : sidesAndPaths)
            files.push_back({side, std::move(path), QIcon()});
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return load(pick(size)).pixmap(size, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = files[pick(size)].side;
        return QSize(side, side).boundedTo(size);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const File &f : files)
            sizes << QSize(f.side, f.side);
        return sizes;
    }
    QIconEngine *clone() const override { return new SizedFilesEngine(*this); }
    QString key() const override { return QStringLiteral("VantiqSizedFiles"); }

private:
    struct File {
        int side;
        QString path;
        QIcon icon; // of this file alone, once read
    };
    // The smallest file at least as large as asked for, else the largest.
    int pick(const QSize &size) const
    {
        const int want = std::max(size.width(), size.height());
        for (int i = 0; i < int(files.size()); ++i)
            if (files[i].side >= want)
                return i;
        return int(files.size()) - 1;
    }
    QIcon &load(int i)
    {
        if (files[i].icon.isNull())
            files[i].icon.addFile(files[i].path);
        return files[i].icon;
    }
    std::vector<File> files;
};
} // namespace

QIcon CommandIcon(const char *themeName, const char *fallback)
{
    LoadResources();
    const QString own = QStringLiteral(":/icons/") + QLatin1String(fallback ? fallback : themeName);
    const QIcon bundled(new SizedFilesEngine({{24, own + QStringLiteral("-24.png")}, {48, own + QStringLiteral("-48.png")}}));
    // The program's own commands have no theme name that fits them.
    if (!themeName)
        return bundled;
    return QIcon::fromTheme(QLatin1String(themeName), bundled);
}

QIcon ApplicationIcon()
{
    LoadResources();
    QList<std::pair<int, QString>> files;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        files.push_back({size, QStringLiteral(":/icons/vantiq-%1.png").arg(size)});
    return QIcon(new SizedFilesEngine(std::move(files)));
}
