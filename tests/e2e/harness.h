#pragma once

// What e2e tests need to drive the real program like a person: a private X
// server, the program with its console captured, xdotool input, window titles
// and screenshots. Every wait polls with a timeout.
#include <sys/types.h>

#include <array>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The command that runs the program under test: SCHACH3D_PROGRAM split on
// blanks (say "/abs/scripts/wine-run /abs/build-windows/schach3d.exe"), or,
// when that is unset or empty, the Linux program built with these tests.
const std::vector<std::string> &program_command();
// Whether that command runs the Windows program (an .exe, under wine).
bool windows_program();
// Whether it runs the browser program: a page (.html), which the driver
// tests/web/driver.js opens in headless Chromium ("/abs/tests/web/driver.js
// /abs/build-web/site/index.html"). The page's scene, help box and menu then
// stand for the program's windows, a screenshot of the page for the screen.
bool browser_program();
// The name of the program's pop-up menu while it is open, as a regular expression.
const char *menu_window_regex();
// What the browser program's pages have logged as errors or warnings in this
// test process so far; empty for the desktop programs.
std::string page_log();

// Polls until ready() holds or the timeout passes; true if it held.
bool poll_until(const std::function<bool()> &ready, double timeout_s, double interval_s = 0.02);

// An Xvfb server on a free display number, for the lifetime of the object,
// and never longer than the thread that made it (the server is ended when that
// thread ends, even by a crash or SIGKILL). -noreset: a client leaving last,
// such as an xdotool that looked for a window, must not reset the server.
class Xvfb {
public:
    explicit Xvfb(const std::string &screen = "1280x1024x24");
    ~Xvfb();
    Xvfb(const Xvfb &) = delete;
    Xvfb &operator=(const Xvfb &) = delete;
    const std::string &display() const { return display_; }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Where the program's stdout goes, and its locale.
struct Console {
    bool terminal = false; // a terminal that passes the bytes on as written, instead of a pipe
    std::string locale;    // LC_ALL; empty: the tests' own
};

// The program under test (program_command()) on the given display, its stdout
// and stderr captured. An empty display runs it with DISPLAY unset. Like the
// Xvfb, it is killed when the thread that started it ends. The Windows program
// writes lines in text mode: its "\r\n" is read as "\n". The browser program
// is its driver, which prints what the page's console panel shows and ends
// with the program's status; the display names it for the calls below.
class Program {
public:
    explicit Program(const std::string &display, const std::vector<std::string> &args = {},
                     const Console &console = {});
    virtual ~Program(); // kills the program if it still runs; under wine, ends the prefix's wineserver
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    const std::string &output();                  // everything printed on stdout so far
    const std::string &errors();                  // everything printed on stderr so far
    bool wait_for_output(const std::string &text, double timeout_s); // stdout contains text
    bool wait_for_output_size(size_t bytes, double timeout_s);
    std::optional<int> wait_exit(double timeout_s); // exit status, or nothing if still running
    bool running();
    pid_t pid() const { return pid_; }

protected:
    // command and then args are run; env entries ("NAME=value") are added to
    // the child's environment. end_signal reaches the child when the thread
    // that started it ends.
    Program(const std::string &display, const std::vector<std::string> &command,
            const std::vector<std::string> &args, const std::vector<std::string> &env,
            bool stdout_on_terminal = false, int end_signal = SIGKILL);

private:
    // A stream of the child's output, its line ends translated from text mode if asked.
    struct Stream {
        int fd = -1;
        std::string text;
        bool held_cr = false; // a '\r' at the end of what came so far: the next read says if "\n" follows
        void read(bool text_mode);
    };
    void drain();
    pid_t pid_ = -1;
    Stream out_, err_;
    std::string wine_prefix_; // the Windows program's, under wine; empty for the Linux one
    bool browser_ = false;    // the browser program's driver
    std::optional<int> status_;
};

// A program the test needs beside the one under test (a window manager, a
// compositor), looked up in PATH, its output captured like the program's. It
// never outlives the test: asked to end (SIGTERM, so it removes its sockets)
// when the object goes, and killed with the test process if that crashes.
class Companion : public Program {
public:
    Companion(const std::string &display, const std::string &binary, const std::vector<std::string> &args,
              const std::vector<std::string> &env = {});
    ~Companion() override;
};

// openbox on the display, managing windows by the time it returns (it names
// itself on the root window then); throws if it does not come up.
std::unique_ptr<Companion> start_window_manager(const std::string &display);

// Runs a shell command with DISPLAY set; returns its stdout, status through *status.
std::string run(const std::string &display, const std::string &command, int *status = nullptr);

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

// X window ids of visible windows whose name matches the regular expression.
std::vector<std::string> find_windows(const std::string &display, const std::string &name_regex);
// Waits for a visible window whose name matches and returns its id ("" on time-out).
std::string wait_for_window(const std::string &display, const std::string &name_regex, double timeout_s);
std::string window_title(const std::string &display, const std::string &window);
Geometry window_geometry(const std::string &display, const std::string &window);
// Waits until the window has the X input focus, as a window manager gives it; true if it did.
bool wait_for_focus(const std::string &display, const std::string &window, double timeout_s);
// Waits until the window's title equals title; true if it did.
bool wait_for_title(const std::string &display, const std::string &window, const std::string &title,
                    double timeout_s);

// Input through XTEST, as a person's: the pointer moves to a position inside the
// window (window coordinates, origin top left) and the key goes to what has the focus.
// Under wine a key reaches only the window wine holds active, so for the Windows
// program press_key first clicks the window, as a person would, with a side
// button (8) that the program leaves alone: a left click would pick.
void move_pointer(const std::string &display, const std::string &window, int x, int y);
void click(const std::string &display, const std::string &window, int x, int y, int button = 1);
void press_key(const std::string &display, const std::string &window, const std::string &keysym);
// A key held down in the window (reached as press_key reaches it) until the
// server has repeated it `repeats` times into whichever window took the
// repeats, and then let go; false if they did not come. The desktop programs only.
bool hold_key(const std::string &display, const std::string &window, const std::string &keysym, int repeats);
// A drag: the button goes down at a position inside the window and comes up
// wherever the pointer is then; move_pointer in between sends motion with it held.
void press_button(const std::string &display, const std::string &window, int x, int y, int button = 1);
// One step of the mouse wheel with the pointer inside the window: away from
// the person (X's button 4) or towards them (5). Under wine the
// window is clicked first, as for keys: the wheel goes to the active window.
void wheel_step(const std::string &display, const std::string &window, bool away);
void release_button(const std::string &display, int button = 1);

// An RGB screenshot of the whole screen (under Xvfb a GL window's pixels are
// only read back from the root window).
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    std::array<int, 3> at(int x, int y) const;
};
Image screenshot(const std::string &display);
// An image file (a PNG, say) as RGB.
Image read_image(const std::string &path);
// Whether the scene shows in the area of the screenshot: a tenth of it is
// neither white (the clear colour) nor black (nothing drawn yet).
bool scene_drawn(const Image &shot, const Geometry &area);

// The program on its own Xvfb, its window found and the two wall-clock lines
// of start-up printed, ready for input.
class Session {
public:
    // With display_on_command_line, DISPLAY is unset and the display is passed as -display.
    // With window_manager, openbox manages the windows.
    explicit Session(bool display_on_command_line = false, const Console &console = {},
                     bool window_manager = false);
    bool started() const { return started_; }
    const std::string &display() const { return x_.display(); }
    const std::string &window() const { return window_; }
    Program &program() { return program_; }

    // Everything printed after the start-up clock lines.
    std::string printed();
    bool wait_printed_size(size_t bytes, double timeout_s);
    // A key to the scene window.
    void key(const std::string &keysym);

    static constexpr size_t clock_bytes = 20; // "\nhh:mm:ss " twice

private:
    Xvfb x_;
    std::unique_ptr<Companion> window_manager_;
    Program program_;
    std::string window_;
    bool started_ = false;
};

} // namespace e2e
