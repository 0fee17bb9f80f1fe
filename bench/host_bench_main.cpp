#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Runs the host benchmarks, then prints each figure next to its budget and floor.

namespace {

struct Times {
  double cpu;
  double wall;
};

struct Budget {
  const char* benchmark;
  const char* figure;
  double budgetMicroseconds;
  const char* floor;  // the benchmark that only reads the same bytes once
};

constexpr Budget BUDGETS[] = {
    {"ChooseVerseRandomPair", "ChooseVerse pure work, random pair", 200, "FloorScanCollection"},
    {"ChooseVerseLastPair", "ChooseVerse pure work, last pair", 200, "FloorScanCollection"},
    {"ReadHolidaysFirstDay", "ReadHolidays at 2006-01-01", 500, "FloorScanCalendar"},
    {"ReadHolidaysLastMonth", "ReadHolidays at 2099-12-01", 500, "FloorScanCalendar"},
};

// The console output as usual, plus each benchmark's CPU and wall time per iteration in
// microseconds: the median when repetitions were asked for, else the one run.
// Google Benchmark hands results only to a reporter, hence the subclass.
class BudgetReporter : public benchmark::ConsoleReporter {
 public:
  BudgetReporter() : benchmark::ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string& name = run.run_name.function_name;
      if (!median && medians.count(name) != 0) continue;
      const double toMicroseconds = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      times[name] = Times{run.GetAdjustedCPUTime() * toMicroseconds,
                          run.GetAdjustedRealTime() * toMicroseconds};
      if (median) medians[name] = true;
    }
  }

  std::map<std::string, Times> times;
  std::map<std::string, bool> medians;
};

// Judged on CPU time: the work is single-threaded, and on a shared machine the wall
// time also counts the other processes that ran meanwhile.
void PrintBudgetTable(const std::map<std::string, Times>& times) {
  std::printf("\n%-36s %9s %9s %9s %9s %8s %9s\n", "figure", "CPU us", "wall us", "budget us",
              "floor us", "x floor", "of budget");
  for (const Budget& budget : BUDGETS) {
    const auto measured = times.find(budget.benchmark);
    if (measured == times.end()) continue;
    const double cpu = measured->second.cpu;
    const auto floor = times.find(budget.floor);
    const double floorTime = floor == times.end() ? 0 : floor->second.cpu;
    std::printf("%-36s %9.2f %9.2f %9.0f %9.2f %8.1f %8.1f%%  %s\n", budget.figure, cpu,
                measured->second.wall, budget.budgetMicroseconds, floorTime,
                floorTime > 0 ? cpu / floorTime : 0.0, 100 * cpu / budget.budgetMicroseconds,
                cpu <= budget.budgetMicroseconds ? "within budget" : "OVER BUDGET");
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  BudgetReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintBudgetTable(reporter.times);
  return 0;
}
