#include "harness.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <strings.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

// Last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

std::string quote(const std::string &s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

void read_available(int fd, std::string &into)
{
    if (fd < 0)
        return;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            return;
        into.append(buf, static_cast<size_t>(n));
    }
}

// In a child before exec: it gets sig once the thread that forked it ends,
// however that ends (a crash or a kill included), so nothing the test started
// stays behind. If the parent is gone already, the child goes too.
void end_with_parent(pid_t parent, int sig)
{
    if (::prctl(PR_SET_PDEATHSIG, sig) != 0 || ::getppid() != parent)
        ::_exit(127);
}

// Ends every wine process of the prefix and waits until its server is gone,
// so that the next program of the slot starts a server on its own display.
void end_wineserver(const std::string &prefix)
{
    const std::string env = "WINEPREFIX=" + quote(prefix) + " ";
    run("", env + "wineserver -k 2>/dev/null; " + env + "wineserver -w 2>/dev/null");
}

// The Windows program's wine prefix for this test process. A wineserver stays
// bound to the X display its first process started on, and each test has an
// Xvfb of its own; so tests running side by side (ctest -j) must not share a
// prefix. Each process takes a free slot, locked for as long as it lives: the
// first slot is WINEPREFIX itself, a further one WINEPREFIX.slotN, which the
// test driver copies from it beforehand (or scripts/wine-run makes anew).
const std::string &wine_prefix()
{
    static const std::string prefix = [] {
        const char *base = std::getenv("WINEPREFIX");
        if (base == nullptr || *base == '\0')
            throw std::runtime_error("the Windows program needs WINEPREFIX: a prefix made for the test run");
        for (int slot = 0;; ++slot) {
            const std::string name = std::string(base) + ".slot" + std::to_string(slot);
            const int lock = ::open((name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            if (lock < 0)
                throw std::runtime_error("cannot open " + name + ".lock");
            if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
                ::close(lock);
                continue;
            }
            // The lock stays open, and so held, until the process ends.
            const std::string path = slot == 0 ? base : name;
            // A server left by a test of this slot that was killed would be on its old display.
            end_wineserver(path);
            return path;
        }
    }();
    return prefix;
}

// The browser program's drivers in this test process keep their sockets, the
// browsers' profiles and the screenshots in a folder of its own, removed when
// the process ends.
struct BrowserFolder {
    std::string path;
    BrowserFolder()
    {
        char name[] = "/tmp/schach3d-browser.XXXXXX";
        if (::mkdtemp(name) == nullptr)
            throw std::runtime_error("cannot make a folder for the browser's driver");
        path = name;
    }
    ~BrowserFolder() { std::filesystem::remove_all(path); }
};

const std::string &browser_folder()
{
    static const BrowserFolder folder;
    return folder.path;
}

// The socket of the driver of the program on this display.
std::string driver_socket(const std::string &display)
{
    return browser_folder() + "/driver" + display.substr(display.find(':') + 1) + ".sock";
}

// One request to the driver (tests/web/driver.js): fields out, fields back,
// each line's fields separated by tabs. Nothing if the driver takes no
// requests (yet); an exception if it answers with an error.
std::optional<std::vector<std::string>> ask_driver(const std::string &display, const std::vector<std::string> &request)
{
    const std::string path = driver_socket(display);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    const timeval limit = {30, 0}; // a page that never answers fails the test rather than hang it
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::string line;
    for (const std::string &field : request)
        line += (line.empty() ? "" : "\t") + field;
    line += '\n';
    bool sent = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    std::string answer;
    char buf[4096];
    for (ssize_t n; sent && (n = ::read(fd, buf, sizeof buf)) > 0;)
        answer.append(buf, static_cast<size_t>(n));
    ::close(fd);
    if (!sent || answer.empty() || answer.back() != '\n')
        throw std::runtime_error("no answer from the browser's driver to " + request.front());
    answer.pop_back();
    std::vector<std::string> fields;
    for (size_t at = 0;;) {
        const size_t tab = answer.find('\t', at);
        fields.push_back(answer.substr(at, tab - at));
        if (tab == std::string::npos)
            break;
        at = tab + 1;
    }
    if (fields.front() != "ok")
        throw std::runtime_error("the browser's driver, asked " + request.front() + ": " + answer);
    fields.erase(fields.begin());
    return fields;
}

std::vector<std::string> tell_driver(const std::string &display, const std::vector<std::string> &request)
{
    auto answer = ask_driver(display, request);
    if (!answer)
        throw std::runtime_error("the browser's driver takes no requests");
    return *answer;
}

// What the browser program's pages logged, gathered from every driver that
// has ended.
std::string &page_log_so_far()
{
    static std::string log;
    return log;
}

// A screenshot as binary PPM with 8 bits a channel.
Image read_ppm(const std::string &ppm)
{
    Image img;
    int maxval = 0, consumed = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &img.width, &img.height, &maxval, &consumed) != 3 || maxval != 255)
        throw std::runtime_error("screenshot failed");
    const size_t start = static_cast<size_t>(consumed) + 1; // one white-space byte after maxval
    const size_t size = static_cast<size_t>(img.width) * static_cast<size_t>(img.height) * 3;
    if (ppm.size() < start + size)
        throw std::runtime_error("screenshot truncated");
    img.rgb.assign(ppm.begin() + static_cast<long>(start), ppm.begin() + static_cast<long>(start + size));
    return img;
}

// The program's environment beside the tests' own.
std::vector<std::string> program_environment(const std::string &display, const std::string &locale)
{
    std::vector<std::string> env;
    if (windows_program())
        env.push_back("WINEPREFIX=" + wine_prefix());
    if (browser_program())
        env.push_back("SCHACH3D_DRIVER_SOCKET=" + driver_socket(display));
    if (!locale.empty())
        env.push_back("LC_ALL=" + locale);
    return env;
}

} // namespace

const std::vector<std::string> &program_command()
{
    static const std::vector<std::string> command = [] {
        std::vector<std::string> words;
        const char *set = std::getenv("SCHACH3D_PROGRAM");
        std::istringstream in(set != nullptr ? set : "");
        for (std::string word; in >> word;)
            words.push_back(word);
        if (words.empty())
            words.push_back(SCHACH3D_BINARY);
        return words;
    }();
    return command;
}

bool windows_program()
{
    static const bool windows = [] {
        for (const std::string &word : program_command())
            if (word.size() > 4 && strcasecmp(word.c_str() + word.size() - 4, ".exe") == 0)
                return true;
        return false;
    }();
    return windows;
}

bool browser_program()
{
    static const bool browser = [] {
        const std::string &last = program_command().back();
        return last.size() > 5 && last.compare(last.size() - 5, 5, ".html") == 0;
    }();
    return browser;
}

const char *menu_window_regex()
{
    // The page's menu is named for the people who use it; freeglut names its own.
    return browser_program() ? "^Men\xFC$" : "^freeglut menu$";
}

std::string page_log() { return page_log_so_far(); }

bool poll_until(const std::function<bool()> &ready, double timeout_s, double interval_s)
{
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeout_s);
    for (;;) {
        if (ready())
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::duration<double>(interval_s));
    }
}

Xvfb::Xvfb(const std::string &screen)
{
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // SIGTERM: the server removes its lock file and socket on the way out.
        end_with_parent(parent, SIGTERM);
        ::close(fds[0]);
        const int devnull = ::open("/dev/null", O_RDWR);
        ::dup2(devnull, 0);
        ::dup2(devnull, 1);
        ::dup2(devnull, 2);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
                 "-noreset", static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // Xvfb writes its display number to the pipe once it accepts connections.
    std::string number;
    char c;
    struct pollfd p = {fds[0], POLLIN, 0};
    while (::poll(&p, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (number.empty()) {
        // The destructor does not run for a constructor that throws.
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
}

Xvfb::~Xvfb()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

Program::Program(const std::string &display, const std::vector<std::string> &args, const Console &console)
    // The browser's driver, when the test ends, closes its browser first.
    : Program(display, program_command(), args, program_environment(display, console.locale), console.terminal,
              browser_program() ? SIGTERM : SIGKILL)
{
    if (windows_program())
        wine_prefix_ = wine_prefix();
    browser_ = browser_program();
}

Program::Program(const std::string &display, const std::vector<std::string> &command,
                 const std::vector<std::string> &args, const std::vector<std::string> &env,
                 bool stdout_on_terminal, int end_signal)
{
    int out[2], err[2];
    if (stdout_on_terminal) {
        // Raw, so that the terminal turns no "\n" into "\r\n".
        struct termios raw;
        if (::openpty(&out[0], &out[1], nullptr, nullptr, nullptr) != 0 || ::tcgetattr(out[1], &raw) != 0)
            throw std::runtime_error("openpty failed");
        ::cfmakeraw(&raw);
        ::tcsetattr(out[1], TCSANOW, &raw);
    } else if (::pipe(out) != 0) {
        throw std::runtime_error("pipe failed");
    }
    if (::pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        end_with_parent(parent, end_signal);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        ::close(out[1]);
        ::close(err[1]);
        const int devnull = ::open("/dev/null", O_RDONLY);
        ::dup2(devnull, 0);
        if (display.empty())
            ::unsetenv("DISPLAY");
        else
            ::setenv("DISPLAY", display.c_str(), 1);
        for (const auto &e : env)
            ::putenv(const_cast<char *>(e.c_str()));
        std::vector<char *> argv;
        for (const auto &a : command)
            argv.push_back(const_cast<char *>(a.c_str()));
        for (const auto &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    out_.fd = out[0];
    err_.fd = err[0];
    ::fcntl(out_.fd, F_SETFL, O_NONBLOCK);
    ::fcntl(err_.fd, F_SETFL, O_NONBLOCK);
}

Program::~Program()
{
    // The browser's driver closes the browser and removes its profile when asked to end.
    if (browser_ && running()) {
        ::kill(pid_, SIGTERM);
        wait_exit(10);
    }
    if (running()) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (browser_) {
        std::istringstream lines(errors());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("page: ", 0) == 0)
                page_log_so_far() += line + "\n";
    }
    // The program's process is one of several of its wineserver's, which
    // lingers after the last of them.
    if (!wine_prefix_.empty())
        end_wineserver(wine_prefix_);
    if (out_.fd >= 0)
        ::close(out_.fd);
    if (err_.fd >= 0)
        ::close(err_.fd);
}

Companion::Companion(const std::string &display, const std::string &binary, const std::vector<std::string> &args,
                     const std::vector<std::string> &env)
    : Program(display, {binary}, args, env)
{
}

Companion::~Companion()
{
    if (running()) {
        ::kill(pid(), SIGTERM);
        wait_exit(5); // the base class kills it if it has not ended by then
    }
}

std::unique_ptr<Companion> start_window_manager(const std::string &display)
{
    auto wm = std::make_unique<Companion>(display, "openbox", std::vector<std::string>{"--sm-disable"});
    // Openbox names itself on the root window once it manages new windows.
    if (!poll_until(
            [&] { return run(display, "xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos; },
            20, 0.05))
        throw std::runtime_error("openbox did not start: " + wm->errors());
    return wm;
}

void Program::Stream::read(bool text_mode)
{
    std::string raw;
    read_available(fd, raw);
    if (!text_mode) {
        text += raw;
        return;
    }
    for (const char c : raw) {
        if (held_cr && c != '\n')
            text += '\r';
        held_cr = c == '\r';
        if (!held_cr)
            text += c;
    }
}

void Program::drain()
{
    out_.read(!wine_prefix_.empty());
    err_.read(!wine_prefix_.empty());
}

const std::string &Program::output()
{
    drain();
    return out_.text;
}

const std::string &Program::errors()
{
    drain();
    return err_.text;
}

bool Program::wait_for_output(const std::string &text, double timeout_s)
{
    return poll_until([&] { return output().find(text) != std::string::npos; }, timeout_s);
}

bool Program::wait_for_output_size(size_t bytes, double timeout_s)
{
    return poll_until([&] { return output().size() >= bytes; }, timeout_s);
}

bool Program::running()
{
    if (status_ || pid_ <= 0)
        return false;
    int st = 0;
    if (::waitpid(pid_, &st, WNOHANG) == pid_) {
        status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
        return false;
    }
    return true;
}

std::optional<int> Program::wait_exit(double timeout_s)
{
    poll_until([&] { return !running(); }, timeout_s);
    drain();
    if (status_) // all is read: a '\r' held back ends the output
        for (Stream *s : {&out_, &err_})
            if (s->held_cr) {
                s->text += '\r';
                s->held_cr = false;
            }
    return status_;
}

std::string run(const std::string &display, const std::string &command, int *status)
{
    const std::string full = "DISPLAY=" + quote(display) + " " + command;
    FILE *pipe = ::popen(full.c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("popen failed: " + command);
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int st = ::pclose(pipe);
    if (status)
        *status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return out;
}

std::vector<std::string> find_windows(const std::string &display, const std::string &name_regex)
{
    if (browser_program()) {
        // Pairs of id and name of what the page shows.
        const auto shown = ask_driver(display, {"windows"});
        std::vector<std::string> ids;
        const std::regex name(name_regex, std::regex::extended);
        for (size_t i = 0; shown && i + 1 < shown->size(); i += 2)
            if (std::regex_search((*shown)[i + 1], name))
                ids.push_back((*shown)[i]);
        return ids;
    }
    std::istringstream lines(run(display, "xdotool search --onlyvisible --name " + quote(name_regex) + " 2>/dev/null"));
    std::vector<std::string> ids;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            ids.push_back(line);
    return ids;
}

std::string wait_for_window(const std::string &display, const std::string &name_regex, double timeout_s)
{
    std::string id;
    poll_until(
        [&] {
            const auto ids = find_windows(display, name_regex);
            if (!ids.empty())
                id = ids.front();
            return !id.empty();
        },
        timeout_s, 0.05);
    return id;
}

std::string window_title(const std::string &display, const std::string &window)
{
    if (browser_program())
        return tell_driver(display, {"title", window}).at(0);
    std::string title = run(display, "xdotool getwindowname " + window + " 2>/dev/null");
    if (!title.empty() && title.back() == '\n')
        title.pop_back();
    return title;
}

bool wait_for_title(const std::string &display, const std::string &window, const std::string &title,
                    double timeout_s)
{
    return poll_until([&] { return window_title(display, window) == title; }, timeout_s, 0.05);
}

bool wait_for_focus(const std::string &display, const std::string &window, double timeout_s)
{
    return poll_until([&] { return run(display, "xdotool getwindowfocus 2>/dev/null") == window + "\n"; }, timeout_s,
                      0.05);
}

Geometry window_geometry(const std::string &display, const std::string &window)
{
    if (browser_program()) {
        const auto g = tell_driver(display, {"geometry", window});
        return {std::stoi(g.at(0)), std::stoi(g.at(1)), std::stoi(g.at(2)), std::stoi(g.at(3))};
    }
    // Absolute position of the window's inside, from xwininfo.
    std::istringstream lines(run(display, "xwininfo -id " + window));
    Geometry g;
    for (std::string line; std::getline(lines, line);) {
        int v;
        if (std::sscanf(line.c_str(), " Absolute upper-left X: %d", &v) == 1)
            g.x = v;
        else if (std::sscanf(line.c_str(), " Absolute upper-left Y: %d", &v) == 1)
            g.y = v;
        else if (std::sscanf(line.c_str(), " Width: %d", &v) == 1)
            g.width = v;
        else if (std::sscanf(line.c_str(), " Height: %d", &v) == 1)
            g.height = v;
    }
    return g;
}

void move_pointer(const std::string &display, const std::string &window, int x, int y)
{
    const Geometry g = window_geometry(display, window);
    if (browser_program()) {
        tell_driver(display, {"move", std::to_string(g.x + x), std::to_string(g.y + y)});
        return;
    }
    const std::string to = std::to_string(g.x + x) + " " + std::to_string(g.y + y);
    // Not --sync: it waits for a motion event, which never comes when the
    // pointer is already there. Poll for the pointer's position instead.
    run(display, "xdotool mousemove " + to);
    const std::string there = "X=" + std::to_string(g.x + x) + "\nY=" + std::to_string(g.y + y) + "\n";
    poll_until([&] { return run(display, "xdotool getmouselocation --shell").find(there) != std::string::npos; }, 5);
}

void click(const std::string &display, const std::string &window, int x, int y, int button)
{
    if (browser_program()) {
        press_button(display, window, x, y, button);
        release_button(display, button);
        return;
    }
    move_pointer(display, window, x, y);
    run(display, "xdotool click " + std::to_string(button));
}

namespace {

// The pointer inside the window, and the window the one that gets keys and
// the wheel.
void point_into(const std::string &display, const std::string &window)
{
    // With no window manager the focus follows the pointer: keep it inside the
    // window, near a corner, which the help box (centred on the scene) leaves free.
    move_pointer(display, window, 4, 4);
    if (windows_program())
        run(display, "xdotool click 8"); // wine makes a clicked window the active one
}

} // namespace

void press_key(const std::string &display, const std::string &window, const std::string &keysym)
{
    if (browser_program()) {
        // The page has no pointer focus: the driver puts the focus into the window.
        tell_driver(display, {"key", window, keysym});
        return;
    }
    point_into(display, window);
    run(display, "xdotool key " + quote(keysym));
}

namespace {

// The presses of a key, its repeats among them, that the server delivers to
// the windows of the screen, heard on an X connection of its own. A press
// goes to the first window on its way up to the focus window where a client
// listens, and no further: this one listens on each window where a client
// listens already and on the focus window of the moment, so that none goes
// elsewhere for its sake. Windows made later that are not the focus go unheard.
class KeyPresses {
public:
    KeyPresses(const std::string &display, const std::string &keysym)
        : d_(XOpenDisplay(display.c_str()))
    {
        if (d_ == nullptr)
            throw std::runtime_error("cannot open the display " + display);
        // A window may go while it is looked at: its errors are no concern here.
        errors_before_ = XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
        key_ = XKeysymToKeycode(d_, XStringToKeysym(keysym.c_str()));
        listen_where_heard(DefaultRootWindow(d_));
        follow_focus();
    }
    ~KeyPresses()
    {
        XCloseDisplay(d_);
        XSetErrorHandler(errors_before_);
    }
    KeyPresses(const KeyPresses &) = delete;
    KeyPresses &operator=(const KeyPresses &) = delete;

    int count()
    {
        follow_focus();
        while (XPending(d_) > 0) {
            XEvent event;
            XNextEvent(d_, &event);
            count_ += event.type == KeyPress && event.xkey.keycode == key_;
        }
        return count_;
    }

private:
    void listen_where_heard(Window window)
    {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(d_, window, &attributes) == 0)
            return;
        if ((attributes.all_event_masks & KeyPressMask) != 0)
            XSelectInput(d_, window, KeyPressMask);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(d_, window, &root, &parent, &children, &count) == 0)
            return;
        for (unsigned i = 0; i < count; ++i)
            listen_where_heard(children[i]);
        if (children != nullptr)
            XFree(children);
    }

    // Where the focus is, the presses that no window below takes end.
    void follow_focus()
    {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(d_, &focus, &revert);
        if (focus == PointerRoot)
            focus = DefaultRootWindow(d_);
        if (focus != None && focus != focus_)
            XSelectInput(d_, focus, KeyPressMask);
        focus_ = focus;
        XSync(d_, False); // listening before the next key
    }

    Display *d_;
    XErrorHandler errors_before_ = nullptr;
    unsigned key_ = 0;
    Window focus_ = None;
    int count_ = 0;
};

} // namespace

bool hold_key(const std::string &display, const std::string &window, const std::string &keysym, int repeats)
{
    point_into(display, window);
    KeyPresses presses(display, keysym);
    run(display, "xdotool keydown " + quote(keysym));
    const bool repeated = poll_until([&] { return presses.count() > repeats; }, 10);
    run(display, "xdotool keyup " + quote(keysym));
    return repeated;
}

void wheel_step(const std::string &display, const std::string &window, bool away)
{
    if (browser_program()) {
        // The wheel goes to what is under the pointer.
        const Geometry g = window_geometry(display, window);
        click(display, window, g.width / 2, g.height / 2, away ? 4 : 5);
        return;
    }
    point_into(display, window);
    run(display, away ? "xdotool click 4" : "xdotool click 5");
}

void press_button(const std::string &display, const std::string &window, int x, int y, int button)
{
    move_pointer(display, window, x, y);
    if (browser_program())
        tell_driver(display, {"down", std::to_string(button)});
    else
        run(display, "xdotool mousedown " + std::to_string(button));
}

void release_button(const std::string &display, int button)
{
    if (browser_program())
        tell_driver(display, {"up", std::to_string(button)});
    else
        run(display, "xdotool mouseup " + std::to_string(button));
}

std::array<int, 3> Image::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool scene_drawn(const Image &shot, const Geometry &area)
{
    int coloured = 0;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, shot.height); ++y)
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, shot.width); ++x) {
            const std::array<int, 3> p = shot.at(x, y);
            coloured += p != std::array<int, 3>{255, 255, 255} && p != std::array<int, 3>{0, 0, 0};
        }
    return coloured > area.width * area.height / 10;
}

Image screenshot(const std::string &display)
{
    if (browser_program()) {
        const std::string file = browser_folder() + "/screenshot.png";
        tell_driver(display, {"screenshot", file});
        return read_image(file);
    }
    return read_ppm(run(display, "import -display " + quote(display) + " -window root -depth 8 ppm:- 2>/dev/null"));
}

Image read_image(const std::string &path)
{
    return read_ppm(run("", "convert " + quote(path) + " -depth 8 ppm:- 2>/dev/null"));
}

Session::Session(bool display_on_command_line, const Console &console, bool window_manager)
    : window_manager_(window_manager ? start_window_manager(x_.display()) : nullptr),
      program_(display_on_command_line ? "" : x_.display(),
               display_on_command_line ? std::vector<std::string>{"-display", x_.display()}
                                       : std::vector<std::string>{},
               console)
{
    window_ = wait_for_window(display(), "Objekt mit linker Maustaste anklicken", 20);
    started_ = !window_.empty() && program_.wait_for_output_size(clock_bytes, 10);
    if (started_ && windows_program()) {
        // Wine shows the window before the program has taken its size and
        // drawn: a click then would pick through the wrong projection.
        const Geometry area = window_geometry(display(), window_);
        started_ = poll_until([&] { return scene_drawn(screenshot(display()), area); }, 20, 0.1);
    }
}

void Session::key(const std::string &keysym)
{
    // A window manager gives the focus, which the key goes to, as a window
    // appears or goes; press_key clicks the Windows program's window for it.
    if (window_manager_ && !windows_program())
        wait_for_focus(display(), window_, 10);
    press_key(display(), window_, keysym);
}

std::string Session::printed()
{
    const std::string &all = program_.output();
    return all.size() > clock_bytes ? all.substr(clock_bytes) : std::string();
}

bool Session::wait_printed_size(size_t bytes, double timeout_s)
{
    return program_.wait_for_output_size(clock_bytes + bytes, timeout_s);
}

} // namespace e2e
