// SPDX-License-Identifier: GPL-3.0-or-later
// How long `fnm` takes to start and finish a command that draws nothing,
// against /bin/true started the same way: the difference is what fnm costs
// before and after its work. Run build/bench/bench_fnm_start.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace {

// Starts argv[0] with its output thrown away and waits for it.
bool Spawn(std::vector<const char*> argv) {
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &actions, nullptr,
                                    const_cast<char* const*>(argv.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Run(benchmark::State& state, const std::vector<const char*>& argv) {
    for (auto _ : state)
        if (!Spawn(argv)) state.SkipWithError("the program failed");
}

void BM_True(benchmark::State& state) {
    Run(state, {"/bin/true"});
}
BENCHMARK(BM_True)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FnmDistance(benchmark::State& state) {
    Run(state, {FNM_BINARY, "distance", "46.25", "93.6", "46.1", "93.45"});
}
BENCHMARK(BM_FnmDistance)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FnmBass(benchmark::State& state) {
    Run(state, {FNM_BINARY, "bass", "20", "14"});
}
BENCHMARK(BM_FnmBass)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FnmVersion(benchmark::State& state) {
    Run(state, {FNM_BINARY, "--version"});
}
BENCHMARK(BM_FnmVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
