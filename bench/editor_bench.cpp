// Editor steps (commit, then Prev, Next, First or Last) on a set of 1,000,000 questions
// against the same steps on a set of 10: a step must not grow with the set, whether it
// stores the question unchanged or changed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "bench/bench_support.h"
#include "editor/edit_loop.h"
#include "model/question_set.h"
#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kSmall = 10;
constexpr std::size_t kLarge = 1000000;
constexpr int kSteps = 1000;

// Leaves every question by the next step of a fixed round, kSteps times, then OK. With
// `changing`, each question left differs from the one shown: its answer gains or loses
// an x.
class SteppingScreens : public EditorScreens {
  public:
    explicit SteppingScreens(bool changing) : changing(changing) {}
    int ShowQuestion(std::size_t, bool, const std::string& title, EditBuffer& buffer) override {
        benchmark::DoNotOptimize(title.data());
        if (changing && !buffer.answer.empty() && buffer.answer.back() == 'x') {
            buffer.answer.pop_back();
        } else {
            buffer.answer.push_back('x');
            if (!changing) buffer.answer.pop_back();
        }
        static constexpr int kRound[] = {kEditPrev, kEditNext, kEditFirst, kEditLast};
        return shown < kSteps ? kRound[shown++ % 4] : kEditOk;
    }
    int shown = 0;
    bool changing;
};

double StepsSeconds(Question_Set& set, bool changing) {
    EditBuffer buffer;
    SteppingScreens screens(changing);
    SilentPlatform platform;
    bool changed = false;
    const auto start = Clock::now();
    EditLoop(set, buffer, screens, platform, [&changed] { changed = true; }).Run();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    benchmark::DoNotOptimize(changed);
    return seconds;
}

// Both sizes in every iteration, back to back, so a busy machine weighs on both alike.
// The measured time is the large set's; x_small is its ratio to the small set's.
// Arg 1: every step stores a changed question.
void BM_EditorSteps(benchmark::State& state) {
    static Question_Set large = MakeQuestionSet(kLarge);
    static Question_Set small = MakeQuestionSet(kSmall);
    const bool changing = state.range(0) != 0;
    double largeBest = 1e30, smallBest = 1e30;
    for (auto _ : state) {
        const double seconds = StepsSeconds(large, changing);
        state.SetIterationTime(seconds);
        largeBest = std::min(largeBest, seconds);
        smallBest = std::min(smallBest, StepsSeconds(small, changing));
    }
    state.counters["x_small"] = largeBest / smallBest;
    state.counters["large_us_per_step"] = largeBest / kSteps * 1e6;
    state.counters["small_us_per_step"] = smallBest / kSteps * 1e6;
}

// What a step would cost if replacing a question shifted the set: one RemoveAt and one
// InsertAt in the middle of the large set, against one editor step on it.
void BM_ShiftPerStep(benchmark::State& state) {
    static Question_Set large = MakeQuestionSet(kLarge);
    for (auto _ : state) {
        const Zentu_Data record = large.At(kLarge / 2);
        large.RemoveAt(kLarge / 2);
        large.InsertAt(kLarge / 2, record);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_EditorSteps)->Arg(0)->Arg(1)->UseManualTime()->MinTime(1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShiftPerStep)->MinTime(1.0)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
