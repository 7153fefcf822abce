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

// The process's peak resident memory in KiB. From the kernel's high-water
// mark of this program's memory: getrusage's figure is carried over from
// before exec, so a child of a large process would report its parent's.
inline long PeakResidentKiB()
{
    if (std::FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        long kib = -1;
        while (kib < 0 && std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld kB", &kib) != 1)
                kib = -1;
        std::fclose(status);
        if (kib >= 0)
            return kib;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

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
                    std::printf("%ld\n", PeakResidentKiB());
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
