#include "app/SingleProgram.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
QString placeFor(const QString &settingsPath, const char *suffix)
{
    const QFileInfo settings(settingsPath);
    const QString canonical = settings.absoluteDir().canonicalPath() + QLatin1Char('/') + settings.fileName();
    const QByteArray key = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(20);
    // The runtime folder is the user's alone (Qt makes it 0700 when it has to).
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/vantiq-")
           + QString::fromLatin1(key) + QLatin1String(suffix);
}
} // namespace

QString SingleProgram::LockPath(const QString &settingsPath) { return placeFor(settingsPath, ".lock"); }
QString SingleProgram::SocketPath(const QString &settingsPath) { return placeFor(settingsPath, ".socket"); }

SingleProgram::SingleProgram(const QString &settingsPath, QObject *parent)
    : QObject(parent), lockPath(LockPath(settingsPath)), socketPath(SocketPath(settingsPath))
{
}

SingleProgram::~SingleProgram()
{
    server.close();
    if (lock && lock->isLocked())
        QLocalServer::removeServer(socketPath);
}

SingleProgram::Start SingleProgram::Claim()
{
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0); // held for the whole run: stale only when its process is gone
    if (lock->tryLock(0)) {
        QLocalServer::removeServer(socketPath); // a killed program's socket
        server.setSocketOptions(QLocalServer::UserAccessOption);
        if (server.listen(socketPath))
            connect(&server, &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket *peer = server.nextPendingConnection()) {
                    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                    emit comeToTheFront();
                }
            });
        return Start::First;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return Start::First; // no lock can be made here: run unguarded
    // The first may still be starting: its socket comes a moment after its lock.
    for (int attempt = 0; attempt < 50; ++attempt) {
        QLocalSocket first;
        first.connectToServer(socketPath);
        if (first.waitForConnected(200)) {
            first.write("front\n");
            first.waitForBytesWritten(1000);
            first.disconnectFromServer();
            return Start::AnotherRuns;
        }
        QThread::msleep(100);
    }
    return Start::AnotherSilent;
}
