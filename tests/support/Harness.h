#pragma once
#include "AppFolder.h"
#include "ScriptedPlatform.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <memory>

// A main window in a temporary application folder on the scripted platform.
// Settings and data files are written first; start() then runs the start-up
// sequence at once instead of waiting for its timer.
struct Harness {
    AppFolder app;
    ScriptedPlatform platform;
    std::unique_ptr<TVantiq_> window;
    bool answerWelcome = true; // start() answers the manager's Welcome with Yes

    TVantiq_ &create()
    {
        window = std::make_unique<TVantiq_>(platform, app.exePath());
        return *window;
    }

    // True when start-up will open the vehicle manager on an empty vehicle
    // folder, which greets the user with the Welcome question.
    bool expectsWelcome() const
    {
        if (app.read(QStringLiteral("vantiq.ini")).toLower().contains("start up=1"))
            return false;
        for (const char *name : {"vehs3.veh", "vehs2.veh", "vehs.veh"})
            if (app.exists(QLatin1String(name)))
                return false;
        return true;
    }

    // Shows the window and runs the start-up sequence; a splash screen, when
    // the settings ask for one, is closed at once, and a Welcome question is
    // answered Yes.
    TVantiq_ &start(bool expectSplash = false)
    {
        if (!window)
            create();
        if (answerWelcome && expectsWelcome())
            platform.answers.prepend(mrYes);
        if (expectSplash)
            platform.modalHandlers << [](QDialog &d) { return d.metaObject()->className() == QByteArray("TSplashForm") ? 1 : -1; };
        run(*window);
        return *window;
    }

    // A second program on the same folder, started the same way (as after
    // the first start, no Welcome).
    std::unique_ptr<TVantiq_> another(ScriptedPlatform &itsPlatform) const
    {
        auto second = std::make_unique<TVantiq_>(itsPlatform, app.exePath());
        run(*second);
        return second;
    }

    static void run(TVantiq_ &w)
    {
        w.show();
        w.activateWindow(); // so that focus moves as it does for a user
        QApplication::setActiveWindow(&w);
        w.starttimer->stop();
        w.starttimerTimer();
    }

    // Settings that start quietly: no splash, the given extra keys.
    void settings(QStringList keyValues)
    {
        auto has = [&](const char *key) {
            for (const QString &kv : keyValues)
                if (kv.startsWith(QLatin1String(key), Qt::CaseInsensitive))
                    return true;
            return false;
        };
        if (!has("Do Flash="))
            keyValues.prepend(QStringLiteral("Do Flash=0"));
        if (!has("Data Path="))
            keyValues.prepend(QStringLiteral("Data Path=") + app.path());
        app.writeSettings(keyValues);
    }

    template <typename T> T *find(const QString &name) const { return window->findChild<T *>(name); }
};
