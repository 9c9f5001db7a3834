#pragma once
// For the benchmark programs with a main() of their own (they make a Qt application first, or
// register their benchmarks at run time).
#include <benchmark/benchmark.h>

#include <string>

namespace gw::bench {

// Runs the benchmarks the command line names, as benchmark_main does.
inline void runBenchmarks(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}

// "Headless/NAME" and "Window/NAME": the search run alone against the window running the same,
// each run once and timed by the benchmark itself.
template <typename Arg>
void registerHeadlessAndWindow(const std::string& name, void (*headless)(benchmark::State&, Arg),
                               void (*window)(benchmark::State&, Arg), Arg arg) {
  const std::pair<const char*, void (*)(benchmark::State&, Arg)> sides[] = {{"Headless/", headless},
                                                                            {"Window/", window}};
  for (const auto& [prefix, run] : sides)
    benchmark::RegisterBenchmark((prefix + name).c_str(), run, arg)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace gw::bench
