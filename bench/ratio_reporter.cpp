#include "ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace wobbert::bench {

namespace {

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      times_.emplace_back(run.benchmark_name(), run.GetAdjustedCPUTime());
    }
  }

  void PrintRatios() const {
    std::map<std::string, double> baselines;
    for (const auto& [name, time] : times_) {
      const auto slash = name.find('/');
      if (slash != std::string::npos && name.compare(slash + 1, 8, "baseline") == 0) {
        baselines[name.substr(0, slash)] = time;
      }
    }
    std::printf("\n%-40s %12s\n", "operation", "x baseline");
    for (const auto& [name, time] : times_) {
      const auto slash = name.find('/');
      if (slash == std::string::npos || name.compare(slash + 1, 8, "baseline") == 0) continue;
      const auto baseline = baselines.find(name.substr(0, slash));
      if (baseline == baselines.end() || baseline->second <= 0) continue;
      std::printf("%-40s %12.2f\n", name.c_str(), time / baseline->second);
    }
  }

 private:
  std::vector<std::pair<std::string, double>> times_;
};

}  // namespace

int RunWithRatios(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}

}  // namespace wobbert::bench
