#include "controls/wall_clock.h"

#include <cstdio>
#include <ctime>

int getTime()
{
    const std::time_t now = std::time(nullptr);
    // Portable and called on the toolkit's thread only, so its shared result is safe.
    const std::tm *local = std::localtime(&now);
    if (local == nullptr)
        return 0;
    return (local->tm_hour * 60 + local->tm_min) * 60 + local->tm_sec;
}

int (*wall_clock_source)() = getTime;

int uhrzeit()
{
    int printed = 0;
    int last = 0;
    while (printed < 2) {
        const int t = wall_clock_source();
        if (t == last)
            continue; // busy wait for the next second
        last = t;
        std::printf("\n%2i:%02i:%02i ", t / 3600, (t / 60) % 60, t % 60);
        std::fflush(stdout);
        ++printed;
    }
    return 1;
}
