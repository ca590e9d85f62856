// Starts one program and measures its start-up: the wall time from just before the start until
// the program reports that its main window is shown and idle (through the idle-probe plugin,
// which writes the window's title to the pipe named by ZM_IDLE_PROBE_FD and then quits the
// program), the
// wall time until it has ended, and its peak resident memory (the kernel's maximum resident set
// size of the child, in KiB).
//
// Usage: zm_startup_probe PROGRAM [ARGUMENT...]
// Prints one line: ready_ms=<ms> exit_ms=<ms> max_rss_kb=<KiB> window=<title>
// Exits 0 when the program reported and then ended with status 0, otherwise 1 (a program that
// does not report within 60 seconds is killed).
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

constexpr int kTimeoutMs = 60000;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

// Waits for the probe's line (the shown window's title) and returns it without its line feed;
// nothing when the pipe closed without a whole line or the time ran out.
std::optional<std::string> waitForReport(int fd) {
    std::string line;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, kTimeoutMs);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        char chunk[256];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return std::nullopt;
        }
        line.append(chunk, static_cast<std::size_t>(got));
        if (const auto end = line.find('\n'); end != std::string::npos) {
            line.resize(end);
            return line;
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        std::perror("pipe");
        return 1;
    }
    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        close(fds[0]);
        setenv("ZM_IDLE_PROBE_FD", std::to_string(fds[1]).c_str(), 1);
        execv(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    close(fds[1]);
    const std::optional<std::string> window = waitForReport(fds[0]);
    const bool reported = window.has_value();
    const double ready = nowMs();
    close(fds[0]);
    if (!reported) {
        kill(child, SIGKILL);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const double ended = nowMs();
    if (!reported) {
        std::fprintf(stderr, "%s: no report that the window is shown and idle\n", argv[1]);
        return 1;
    }
    std::printf("ready_ms=%.2f exit_ms=%.2f max_rss_kb=%ld window=%s\n", ready - start,
                ended - start, usage.ru_maxrss, window->c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: ended with status %d\n", argv[1], status);
        return 1;
    }
    return 0;
}
