// Explaining a wrong answer against judging it: the explanation runs once per wrong
// answer, so it may cost a few checks, but must not grow out of bounds at the 1023
// character limit of the answer and of the typed text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "quiz/answer_checker.h"
#include "quiz/wrong_answer_reasons.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Case {
    std::string answer, typed;
};

// 0: a usual question; 1: 1023 characters of distinct short answers, one mistyped; 2: one
// answer of 1023 characters, typed with a difference in the middle.
Case MakeCase(int which) {
    if (which == 0) return {"Madrid,Paris,Rome", "Rome,Pari"};
    if (which == 1) {
        std::string answer, typed;
        for (int i = 0; answer.size() + 4 <= 1023; ++i) {
            const std::string piece = std::to_string(100 + i);
            answer += (answer.empty() ? "" : ",") + piece;
            typed += (typed.empty() ? "" : ",") + (i == 7 ? "x" + piece : piece);
        }
        return {answer, typed.substr(0, 1023)};
    }
    std::string answer(1023, 'a');
    for (std::size_t i = 0; i < answer.size(); i += 7) answer[i] = 'b';
    std::string typed = answer;
    typed[511] = 'c';
    return {answer, typed};
}

void BM_ExplainAgainstCheck(benchmark::State& state) {
    const Case c = MakeCase(static_cast<int>(state.range(0)));
    Zentu_Data question;
    question.answer = c.answer;
    double explain = 1e30, check = 1e30;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(ExplainWrongAnswer(question, c.typed));
        explain = std::min(explain, Seconds(start));
        state.PauseTiming();
        start = Clock::now();
        benchmark::DoNotOptimize(CheckAnswer(question, c.typed));
        check = std::min(check, Seconds(start));
        state.ResumeTiming();
    }
    state.counters["x_check"] = explain / check;
    state.counters["us"] = explain * 1e6;
}
BENCHMARK(BM_ExplainAgainstCheck)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
