#pragma once
#include <QElapsedTimer>
#include <algorithm>

// The fastest of several runs of f, in milliseconds.
template <typename F> double BestOf(int rounds, F f)
{
    double fastest = 1e18;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        fastest = std::min(fastest, double(t.nsecsElapsed()) / 1e6);
    }
    return fastest;
}
