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

// One look at the clock, read from source: prints the time if its second
// differs from the one shown last. True once both lines are out.
bool look(ClockLines &lines, int (*source)())
{
    const int t = source();
    if (t == lines.last)
        return false;
    lines.last = t;
    std::printf("\n%2i:%02i:%02i ", t / 3600, (t / 60) % 60, t % 60);
    std::fflush(stdout);
    return ++lines.printed == 2;
}

ClockLines timer_lines;

// The clock as the timer's looks read it. A look may come late, when the
// thread was busy past the next second (drawing the first picture, say): the
// second line still names the second that came after the first, at whose
// start the change was.
int clock_for_timer()
{
    const int t = wall_clock_source();
    constexpr int seconds_a_day = 24 * 60 * 60;
    return timer_lines.printed == 1 && t != timer_lines.last ? (timer_lines.last + 1) % seconds_a_day : t;
}

void look_again(int)
{
    if (!look(timer_lines, clock_for_timer))
        glutTimerFunc(clock_poll_ms, look_again, 0);
}

} // namespace

int uhrzeit()
{
    ClockLines lines;
    while (!look(lines, wall_clock_source)) {
        // busy wait for the next second
    }
    return 1;
}

void uhrzeit_without_waiting()
{
    timer_lines = ClockLines{};
    look_again(0);
}
