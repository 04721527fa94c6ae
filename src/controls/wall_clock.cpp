#include "controls/wall_clock.h"

#include <GL/freeglut.h>
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

namespace {

constexpr unsigned clock_poll_ms = 5; // how soon the timer's second line follows the change

// The two time lines of one call: how many are out, and the second last shown.
struct ClockLines {
    int printed = 0;
    int last = 0;
};

// One look at the clock: prints the time if its second differs from the one
// shown last. True once both lines are out.
bool look(ClockLines &lines)
{
    const int t = wall_clock_source();
    if (t == lines.last)
        return false;
    lines.last = t;
    std::printf("\n%2i:%02i:%02i ", t / 3600, (t / 60) % 60, t % 60);
    std::fflush(stdout);
    return ++lines.printed == 2;
}

ClockLines timer_lines;

void look_again(int)
{
    if (!look(timer_lines))
        glutTimerFunc(clock_poll_ms, look_again, 0);
}

} // namespace

int uhrzeit()
{
    ClockLines lines;
    while (!look(lines)) {
        // busy wait for the next second
    }
    return 1;
}

void uhrzeit_without_waiting()
{
    timer_lines = ClockLines{};
    look_again(0);
}
