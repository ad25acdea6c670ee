#include "term/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace velmo {

namespace {

// Title saved, alternate screen, no automatic wrap at the right edge (the
// bottom-right cell can be written without scrolling), steady block
// cursor, screen cleared.
constexpr char kEnterSequence[] =
    "\x1b[22;0t\x1b[?1049h\x1b[?7l\x1b[2 q\x1b[0m\x1b[H\x1b[2J\x1b[?1000h\x1b[?1006h";
constexpr char kLeaveSequence[] =
    "\x1b[?1006l\x1b[?1000l\x1b[0m\x1b[?25h\x1b[0 q\x1b[?7h\x1b[?1049l\x1b[23;0t";

// What the signal handlers need; only async-signal-safe calls touch it.
struct termios savedMode;
int modeIn = STDIN_FILENO;
int modeOut = STDOUT_FILENO;
volatile sig_atomic_t rawActive = 0;
volatile sig_atomic_t resizePending = 0;
int wakePipe[2] = {-1, -1};

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
struct sigaction previousFatal[sizeof kFatalSignals / sizeof kFatalSignals[0]];

void writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Puts the terminal back; callable from a signal handler.
void restoreTerminal() {
    if (!rawActive) return;
    rawActive = 0;
    writeAll(modeOut, kLeaveSequence, sizeof kLeaveSequence - 1);
    tcsetattr(modeIn, TCSANOW, &savedMode);
}

void onResize(int) {
    const int saved = errno;
    resizePending = 1;
    if (wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(wakePipe[1], &byte, 1);
    }
    errno = saved;
}

// Killed or hung up: the terminal is put back, then the signal does what
// it would have done.
void onEndSignal(int sig) {
    restoreTerminal();
    signal(sig, SIG_DFL);
    raise(sig);
}

// A crash: the terminal is put back, then the handler that was there
// before (the default, or a sanitizer's report) takes over.
void onFatalSignal(int sig) {
    restoreTerminal();
    for (std::size_t i = 0; i < sizeof kFatalSignals / sizeof kFatalSignals[0]; ++i)
        if (kFatalSignals[i] == sig) sigaction(sig, &previousFatal[i], nullptr);
    raise(sig);
}

void installHandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    std::atexit(restoreTerminal);
    if (pipe(wakePipe) == 0) {
        for (int fd : wakePipe) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = onResize;
    action.sa_flags = SA_RESTART;
    sigaction(SIGWINCH, &action, nullptr);
    action.sa_handler = onEndSignal;
    action.sa_flags = 0;
    for (int sig : kEndSignals) sigaction(sig, &action, nullptr);
    action.sa_handler = onFatalSignal;
    for (std::size_t i = 0; i < sizeof kFatalSignals / sizeof kFatalSignals[0]; ++i)
        sigaction(kFatalSignals[i], &action, &previousFatal[i]);
    signal(SIGPIPE, SIG_IGN);
}

}  // namespace

bool tterminal::interactive() { return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO); }

bool tterminal::enter() {
    if (entered) return true;
    if (tcgetattr(in, &savedMode) != 0) return false;
    modeIn = in;
    modeOut = out;
    struct termios raw = savedMode;
    raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON | IXOFF);
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
    raw.c_cflag |= CS8;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    installHandlers();
    if (tcsetattr(in, TCSAFLUSH, &raw) != 0) return false;
    rawActive = 1;
    entered = true;
    write(kEnterSequence);
    return true;
}

void tterminal::leave() {
    if (!entered) return;
    entered = false;
    restoreTerminal();
}

void tterminal::size(int32_t& rows, int32_t& columns) const {
    struct winsize ws {};
    if (ioctl(out, TIOCGWINSZ, &ws) == 0 && ws.ws_row > 0 && ws.ws_col > 0) {
        rows = ws.ws_row;
        columns = ws.ws_col;
    } else {
        rows = 24;
        columns = 80;
    }
}

tterminal::tinput tterminal::wait(int timeoutMs, std::string& bytes) {
    if (broken) return tinput::closed;
    while (true) {
        if (resizePending) {
            resizePending = 0;
            return tinput::resized;
        }
        struct pollfd fds[2] = {{in, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
        const int ready = poll(fds, wakePipe[0] >= 0 ? 2 : 1, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR) continue;
            broken = true;
            return tinput::closed;
        }
        if (ready == 0) return tinput::timeout;
        if (wakePipe[0] >= 0 && (fds[1].revents & POLLIN)) {
            char drain[64];
            while (::read(wakePipe[0], drain, sizeof drain) > 0) {}
            continue;  // the flag is looked at above
        }
        if (fds[0].revents == 0) continue;
        if (fds[0].revents & POLLIN) {
            char buffer[4096];
            const ssize_t n = ::read(in, buffer, sizeof buffer);
            if (n > 0) {
                bytes.append(buffer, static_cast<std::size_t>(n));
                return tinput::bytes;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        }
        // End of input, a hang-up or an error on the terminal.
        broken = true;
        return tinput::closed;
    }
}

void tterminal::write(std::string_view text) {
    if (broken || text.empty()) return;
    const char* data = text.data();
    std::size_t size = text.size();
    while (size > 0) {
        const ssize_t n = ::write(out, data, size);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) {
            broken = true;
            return;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void tterminal::setTitle(const std::string& title) {
    std::string clean;
    for (char c : title)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
    write("\x1b]2;" + clean + "\x07");
}

}  // namespace velmo
