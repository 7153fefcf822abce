#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

// One program on a settings file (and so on its data folder) for each user
// of a computer: a second start asks the first to come to the front and
// ends. The lock lives in the user's runtime folder, where a lock left by a
// killed program is found stale by its process and taken over; the data
// folder itself may be shared with other computers, whose processes this
// one cannot see.
class SingleProgram : public QObject {
    Q_OBJECT
public:
    explicit SingleProgram(const QString &settingsPath, QObject *parent = nullptr);
    ~SingleProgram() override;

    enum class Start { First, AnotherRuns, AnotherSilent };
    // First: this program holds the folder (also when the lock cannot be
    // made at all: it runs unguarded rather than not at all). AnotherRuns:
    // the running one was asked to come to the front. AnotherSilent: one
    // holds the folder but did not answer.
    Start Claim();

    // Where the lock and the socket are for a settings file.
    static QString LockPath(const QString &settingsPath);
    static QString SocketPath(const QString &settingsPath);

signals:
    // Another start on the same folder asked this program to show itself.
    void comeToTheFront();

private:
    QString lockPath, socketPath;
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
};
