// lutctl watch against the simulated box: from the last write of a new
// version of the file (its rename into place) to the load line, which
// lutctl prints as soon as the send has returned. The debounce interval is
// part of it by design; the counter over_debounce_ms is the rest: reading
// both ways, converting where needed, and the send.
#include <benchmark/benchmark.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern char **environ;

namespace {

constexpr int kDebounceMs = 200;

// A smooth grade, six decimals as grading software writes them; version
// makes each export differ from the last.
bool WriteCube(const std::string &path, int points, int version) {
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    fprintf(file, "TITLE \"bench %d\"\nLUT_3D_SIZE %d\n", version, points);
    double gain = 0.9 + 0.01 * (version % 10);
    for (int b = 0; b < points; b++) {
        for (int g = 0; g < points; g++) {
            for (int r = 0; r < points; r++) {
                double x = r / (points - 1.0), y = g / (points - 1.0), z = b / (points - 1.0);
                fprintf(file, "%.6f %.6f %.6f\n", gain * x + (1 - gain) * y, y, 0.95 * z + 0.05 * x);
            }
        }
    }
    return fclose(file) == 0;
}

// Reads up to the next line end from fd within 10 s; false on none.
bool WaitLine(int fd, std::string &line) {
    line.clear();
    for (;;) {
        struct pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, 10000) <= 0) return false;
        char c;
        if (read(fd, &c, 1) != 1) return false;
        if (c == '\n') return true;
        line += c;
    }
}

void BM_WatchToSend(benchmark::State &state) {
    const int points = static_cast<int>(state.range(0));
    char dirTemplate[] = "/tmp/watch_bench.XXXXXX";
    if (mkdtemp(dirTemplate) == nullptr) return state.SkipWithError("no temporary directory");
    const std::string dir = dirTemplate, film = dir + "/film.cube", temp = dir + "/film.tmp";
    if (!WriteCube(film, 33, 0)) return state.SkipWithError("cannot write the cube");
    int out[2];
    if (pipe(out) != 0) return state.SkipWithError("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string debounce = std::to_string(kDebounceMs);
    char *argv[] = {const_cast<char *>(LUTCTL_PATH),  const_cast<char *>("watch"),
                    const_cast<char *>("--debounce"), debounce.data(),
                    const_cast<char *>(film.c_str()), nullptr};
    pid_t pid;
    bool started = posix_spawn(&pid, LUTCTL_PATH, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string line;
    if (!started || !WaitLine(out[0], line)) return state.SkipWithError("lutctl watch did not load the first file");
    double over = 0.0;
    int version = 1;
    for (auto _ : state) {
        state.PauseTiming();
        WriteCube(temp, points, version++);
        state.ResumeTiming();
        rename(temp.c_str(), film.c_str());
        auto start = std::chrono::steady_clock::now();
        if (!WaitLine(out[0], line) || line.find("loaded") == std::string::npos) {
            state.SkipWithError(("no load line: " + line).c_str());
            break;
        }
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        over += elapsed.count() * 1000.0 - kDebounceMs;
    }
    state.counters["over_debounce_ms"] = benchmark::Counter(over / static_cast<double>(version - 1));
    kill(pid, SIGTERM);
    // lutctl's own processor time per load (the first load and the start
    // included), which tells its work from waiting for a processor on a
    // busy machine.
    struct rusage usage = {};
    wait4(pid, nullptr, 0, &usage);
    double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    state.counters["lutctl_cpu_ms_per_load"] = benchmark::Counter(cpuMs / static_cast<double>(version));
    close(out[0]);
    remove(film.c_str());
    remove(temp.c_str());
    rmdir(dir.c_str());
}

}  // namespace

// 33: a cube the box takes as it is; 65: one converted to 33 points first.
BENCHMARK(BM_WatchToSend)->Arg(33)->Arg(65)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
