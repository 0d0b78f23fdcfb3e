#pragma once

#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

// The process's CPU time so far, user and system, in milliseconds.
inline double cpuMilliseconds()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e3
        + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e3;
}

// Runs the event loop for that long of wall time.
inline void runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
