// Evaluating parsed formulas a million times, against hand-written functions computing the same (the floor).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "dates/calc_express.h"

namespace {

using orvella::TCalcExpress;

// Twenty nodes each: one with only arithmetic, one with a sine in it.
const char* const kArithmetic = "abs(x+y)*(x-y)/(z*z)+(x)^3-y*2";
long double arithmetic(long double x, long double y, long double z) {
  return fabsl(x + y) * (x - y) / (z * z) + x * x * x - y * 2;
}
const char* const kWithSine = "(x+y)*(x-y)/(z*z+1)+sin(x)*3.5-y";
long double withSine(long double x, long double y, long double z) {
  return (x + y) * (x - y) / (z * z + 1) + sinl(x) * 3.5L - y;
}

int countNodes(const TCalcExpress::Node* node) {
  return node ? 1 + countNodes(node->first.get()) + countNodes(node->second.get()) : 0;
}

// Inputs that change every evaluation so that nothing folds away.
const std::vector<std::array<long double, 3>>& inputs() {
  static const std::vector<std::array<long double, 3>> values = [] {
    std::vector<std::array<long double, 3>> v;
    for (int i = 0; i < 1024; ++i) v.push_back({0.5L + i * 0.01L, 3 - i * 0.002L, 1 + (i % 7) * 0.25L});
    return v;
  }();
  return values;
}

constexpr int kEvaluations = 1000000;

void evaluateParsed(benchmark::State& state, const char* formula) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setVariables({"x", "y", "z"});
  ce.setFormula(QString::fromLatin1(formula));
  if (!ce.isValid() || countNodes(ce.root()) != 20) {
    state.SkipWithError("the formula does not parse into twenty nodes");
    return;
  }
  const auto& in = inputs();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ce.Evaluate(std::span<const long double>(in[i])));
    i = (i + 1) & 1023;
  }
  state.SetItemsProcessed(state.iterations());
}

void evaluateHandWritten(benchmark::State& state,
                         long double (*function)(long double, long double, long double)) {
  const auto& in = inputs();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(function(in[i][0], in[i][1], in[i][2]));
    i = (i + 1) & 1023;
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(evaluateParsed, arithmetic, kArithmetic)->Iterations(kEvaluations);
BENCHMARK_CAPTURE(evaluateHandWritten, arithmetic, arithmetic)->Iterations(kEvaluations);
BENCHMARK_CAPTURE(evaluateParsed, with_sine, kWithSine)->Iterations(kEvaluations);
BENCHMARK_CAPTURE(evaluateHandWritten, with_sine, withSine)->Iterations(kEvaluations);

// The console report, followed by each formula's time against its hand-written floor.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) nanoseconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* name : {"arithmetic", "with_sine"}) {
      const double parsed = nanoseconds_["evaluateParsed/" + std::string(name) + "/iterations:1000000"];
      const double floor = nanoseconds_["evaluateHandWritten/" + std::string(name) + "/iterations:1000000"];
      if (parsed > 0 && floor > 0)
        std::printf(
            "%-10s %.1f million evaluations/s, %.2f ns each; hand-written %.2f ns: ratio %.1f (goal: at most "
            "10)\n",
            name, 1e3 / parsed, parsed, floor, parsed / floor);
    }
  }

 private:
  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
