#pragma once
// For measuring start-up as a whole process: the program ends as soon as its
// window has been painted once, printing its peak memory (KiB). Header only,
// so the bare Qt program it is measured against uses the very same code
// without linking ours.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

inline void QuitAfterFirstPaint(QWidget &window)
{
    class Watcher : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && !seen) {
                seen = true;
                // Once the painting has reached the screen: no teardown, no
                // writing of settings, nothing else measured.
                QTimer::singleShot(0, [] {
                    rusage usage{};
                    getrusage(RUSAGE_SELF, &usage);
                    std::printf("%ld\n", usage.ru_maxrss);
                    std::fflush(stdout);
                    std::_Exit(0);
                });
            }
            return false;
        }
        bool seen = false;
    };
    window.installEventFilter(new Watcher(&window));
}
