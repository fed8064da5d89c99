// The Random Test up to its first question, against copying the set once: the shuffle
// must not grow with the square of the set, and the test must not copy the set (its heap
// grows by a few bytes a question).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/heap_count.h"
#include "model/question_set.h"
#include "platform/platform.h"
#include "quiz/quiz_runs.h"
#include "quiz/shuffle.h"

namespace {

using Clock = std::chrono::steady_clock;

const Question_Set& SetOf(std::size_t count) {
    static std::size_t madeCount = 0;
    static Question_Set set;
    if (madeCount != count) {
        set = MakeQuestionSet(count);
        madeCount = count;
    }
    return set;
}

// Notes when the first question arrives, then cancels: the test's teardown is not
// what the user waits for.
class CancelAtOnce : public QuestionAsker {
  public:
    Clock::time_point asked;
    std::int64_t peakWhenAsked = 0;
    AskOutcome AskQuestion(Zentu_Data question) override {
        asked = Clock::now();
        peakWhenAsked = heap::peak;
        benchmark::DoNotOptimize(question);
        return {false, false};
    }
};

// Best times of the work and of the baseline, one copy of every record of the set (the
// least a test of copies costs). The baseline is timed in every iteration, right after
// the work, so that a busy machine weighs on both alike.
class Versus {
  public:
    void Work(double seconds) { work = std::min(work, seconds); }

    void Baseline(benchmark::State& state, const Question_Set& set) {
        state.PauseTiming();
        const auto start = Clock::now();
        std::vector<Zentu_Data> copy(set.begin(), set.end());
        benchmark::DoNotOptimize(copy.data());
        copy1 = std::min(copy1, Seconds(start));
        state.ResumeTiming();
    }

    void Report(benchmark::State& state) const {
        state.counters["x_copy"] = work / copy1;
        state.counters["ms"] = work * 1e3;
        state.counters["copy_ms"] = copy1 * 1e3;
    }

    static double Seconds(Clock::time_point start, Clock::time_point end = Clock::now()) {
        return std::chrono::duration<double>(end - start).count();
    }

  private:
    double work = 1e30;
    double copy1 = 1e30;
};

void BM_RandomTestToFirstQuestion(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    CancelAtOnce asker;
    SilentPlatform platform;
    Versus versus;
    std::int64_t heapGrowth = 0;
    for (auto _ : state) {
        RandomGenerator generator;
        heap::Start();
        const auto start = Clock::now();
        RunRandomTest(set, asker, platform, generator);
        versus.Work(Versus::Seconds(start, asker.asked));
        heap::Stop();
        heapGrowth = std::max(heapGrowth, asker.peakWhenAsked);
        versus.Baseline(state, set);
    }
    versus.Report(state);
    state.counters["heap_bytes_per_question"] = double(heapGrowth) / double(set.Count());
}

// Answers every question right at once, so a Graded Quiz times what it does around
// asking: a copy of each question and the score.
class AnswerRight : public QuestionAsker {
  public:
    AskOutcome AskQuestion(Zentu_Data question) override {
        benchmark::DoNotOptimize(question);
        return {true, true};
    }
};

void BM_GradedQuiz(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    AnswerRight asker;
    SilentPlatform platform;
    Versus versus;
    for (auto _ : state) {
        const auto start = Clock::now();
        RunGradedQuiz(set, asker, platform);
        versus.Work(Versus::Seconds(start));
        versus.Baseline(state, set);
    }
    versus.Report(state);
}

void BM_ShuffleOrder(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    Versus versus;
    for (auto _ : state) {
        RandomGenerator generator;
        const auto start = Clock::now();
        std::vector<std::uint32_t> order =
            ShuffleOrder(static_cast<std::uint32_t>(set.Count()), generator);
        benchmark::DoNotOptimize(order.data());
        versus.Work(Versus::Seconds(start));
        versus.Baseline(state, set);
    }
    versus.Report(state);
}

// The steps done literally on a list of positions, for comparison at the smaller sizes.
void BM_NaiveShuffle(benchmark::State& state) {
    const Question_Set& set = SetOf(static_cast<std::size_t>(state.range(0)));
    const auto count = static_cast<std::uint32_t>(set.Count());
    Versus versus;
    for (auto _ : state) {
        RandomGenerator generator;
        const auto start = Clock::now();
        std::vector<std::uint32_t> list(count);
        std::iota(list.begin(), list.end(), 0u);
        for (std::uint32_t k = 0; k < count; ++k) {
            const std::uint32_t taken = list[k];
            list.erase(list.begin() + k);
            list.insert(list.begin() + generator.NextRandom() % (count - 1), taken);
        }
        benchmark::DoNotOptimize(list.data());
        versus.Work(Versus::Seconds(start));
        versus.Baseline(state, set);
    }
    versus.Report(state);
}

}  // namespace

BENCHMARK(BM_RandomTestToFirstQuestion)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradedQuiz)->Arg(100000)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleOrder)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->MinTime(1.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaiveShuffle)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
