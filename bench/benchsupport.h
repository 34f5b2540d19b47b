// Shared timing for the benchmarks: the median of repeated runs.
#pragma once

#include "messages.h"

#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>

#include <algorithm>
#include <functional>

// Runs setup (untimed) and work (timed) `runs` times; returns the median of work in ms.
inline double medianMs(int runs, const std::function<void()> &setup, const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        setup();
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

// A message box would wait for a user who is not there: stop with its text instead.
inline void refuseMessageBoxes()
{
    Messages::setBoxAnswerer([](const Messages::Box &box) -> int {
        qFatal("benchmark stopped by a message box: %s / %s", qPrintable(box.title), qPrintable(box.text));
    });
}
