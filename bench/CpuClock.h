#pragma once
// Processor time of this process, not wall time: other builds on a shared machine slow the wall
// clock of a run and of its reference alike only on average.
#include <ctime>

inline double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
