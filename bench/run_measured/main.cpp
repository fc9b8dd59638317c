// Runs a command and prints, on one line, its wall time in milliseconds, its peak
// resident memory in kilobytes (wait4's ru_maxrss) and its exit status. The start-up
// benchmark starts programs through this small one because a child's ru_maxrss also
// holds the resident memory of the process that started it, which for the benchmark
// itself is larger than an empty Qt window.
#include <chrono>
#include <cstdio>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fputs("usage: run_measured PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("wait4");
        return 2;
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("%.3f %ld %d\n", ms, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return 0;
}
