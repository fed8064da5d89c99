// The question list's search per keystroke at 100,000 and 1,000,000 questions, against a
// plain pass that looks for the same bytes in the same texts without folding, in the same
// run. "fresh" is a keystroke that must look at every question again (a deleted letter, a
// pasted word); "narrowing" is one letter typed after another, each looking only at the
// matches of the one before.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "list/question_filter.h"

namespace {

const char* const kNeedle = "number 4321";

const Question_Set& SetOf(std::size_t count) {
    static std::map<std::size_t, Question_Set> sets;
    auto found = sets.find(count);
    if (found == sets.end()) found = sets.emplace(count, MakeQuestionSet(count)).first;
    return found->second;
}

void PlainPass(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    const std::string needle = kNeedle;
    for (auto _ : state) {
        std::size_t found = 0;
        for (const auto& q : set) {
            found += q.question.find(needle) != std::string::npos ||
                     q.answer.find(needle) != std::string::npos ||
                     q.hint.find(needle) != std::string::npos;
        }
        benchmark::DoNotOptimize(found);
    }
}

void FreshKeystroke(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        QuestionFilter filter;
        filter.Start(set, kNeedle);
        filter.RunToEnd();
        benchmark::DoNotOptimize(filter.Matches().size());
    }
}

// Typing the needle letter by letter; the time is per keystroke.
void NarrowingKeystrokes(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    const std::string needle = kNeedle;
    for (auto _ : state) {
        QuestionFilter filter;
        for (std::size_t typed = 1; typed <= needle.size(); ++typed) {
            filter.Start(set, needle.substr(0, typed));
            filter.RunToEnd();
        }
        benchmark::DoNotOptimize(filter.Matches().size());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * needle.size()));
}

}  // namespace

BENCHMARK(PlainPass)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(FreshKeystroke)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(NarrowingKeystrokes)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Ratios are printed by the reporter below from the same run's medians.
    class Ratios : public benchmark::ConsoleReporter {
      public:
        void ReportRuns(const std::vector<Run>& runs) override {
            for (const Run& run : runs) {
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
            ConsoleReporter::ReportRuns(runs);
        }
        std::map<std::string, double> times;
    } reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nper keystroke, ratio to a plain pass over the same texts:\n");
    for (const char* count : {"100000", "1000000"}) {
        const double plain = reporter.times[std::string("PlainPass/") + count];
        const double fresh = reporter.times[std::string("FreshKeystroke/") + count];
        const double typed = reporter.times[std::string("NarrowingKeystrokes/") + count] /
                             std::string(kNeedle).size();
        if (plain <= 0) continue;
        std::printf(
            "  %7s questions: plain %.1f ms, fresh %.1f ms (%.2fx), narrowing %.2f ms "
            "(%.2fx)\n",
            count, plain, fresh, fresh / plain, typed, typed / plain);
    }
    benchmark::Shutdown();
    return 0;
}
