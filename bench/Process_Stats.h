#pragma once
// Figures of the running process for the long benchmarks: CPU time, resident memory, threads.

#include <QByteArray>
#include <QFile>

#include <sys/resource.h>

#include <cstring>

// User plus system CPU time of the whole process so far, in seconds.
inline double Cpu_Seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A number of /proc/self/status ("VmRSS:" in kB, "Threads:"), -1 when it cannot be read.
inline long Status_Value(const char* key)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<int>(std::strlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}
