#pragma once

// A message box for tests: it records what it was asked to show and stays
// "open" until the test closes it, so the help thread can be driven without X.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "controls/help.h"

namespace help_test {

class FakeBox {
public:
    // The one box of the process; never destroyed, because the detached help
    // thread may still wait in it while the process ends.
    static FakeBox &instance()
    {
        static FakeBox &box = *new FakeBox;
        return box;
    }
    static bool show(const char *text, const char *title) { return instance().run(text, title); }

    // Put this box in place of the platform's; a failing box returns false at once.
    static void install(bool failing = false)
    {
        instance().failing_ = failing;
        help_message_box = show;
    }

    // Waits until the box has been shown `count` times in all; true if it was.
    bool wait_shown(int count, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return shown_ >= count; });
    }
    // Closes the box that is open now, as the person's OK would.
    void close()
    {
        std::lock_guard lock(mutex_);
        ++closed_;
        changed_.notify_all();
    }
    int shown()
    {
        std::lock_guard lock(mutex_);
        return shown_;
    }
    int open_now()
    {
        std::lock_guard lock(mutex_);
        return open_;
    }
    int most_open_at_once()
    {
        std::lock_guard lock(mutex_);
        return most_open_;
    }
    std::string last_text()
    {
        std::lock_guard lock(mutex_);
        return text_;
    }
    std::string last_title()
    {
        std::lock_guard lock(mutex_);
        return title_;
    }

private:
    bool run(const char *text, const char *title)
    {
        std::unique_lock lock(mutex_);
        const int number = ++shown_;
        text_ = text;
        title_ = title;
        if (failing_) {
            changed_.notify_all();
            return false;
        }
        ++open_;
        if (open_ > most_open_)
            most_open_ = open_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return closed_ >= number; });
        --open_;
        changed_.notify_all();
        return true;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool failing_ = false;
    int shown_ = 0, closed_ = 0, open_ = 0, most_open_ = 0;
    std::string text_, title_;
};

} // namespace help_test
