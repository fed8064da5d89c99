// Speed and memory of the table exchange on 1,000,000 questions: a question file to a
// tab-separated table, and the table back to a question file, each against reading and
// writing the same set as a question file, measured within the same iterations.
// `--memory` measures the peak heap of reading a table against reading the question file.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>
#include <string>

#include "exchange/table_reader.h"
#include "exchange/table_writer.h"
#include "model/question_file.h"

#include "heap_count.h"

namespace {

constexpr std::size_t kQuestions = 1000000;

// Vocabulary-like questions: a few words, accented letters, now and then a second line,
// answers in parts, responses on some questions.
Question_Set MakeSet() {
    std::mt19937 rng(2024);
    const auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static const char* const kWords[] = {"the",
                                         "capital",
                                         "of",
                                         "France",
                                         "river",
                                         "caf\xe9",
                                         "m\xfc"
                                         "de",
                                         "\"quoted\"",
                                         "Paris",
                                         "water",
                                         "which",
                                         "year",
                                         "plural",
                                         "noun",
                                         "a"};
    const auto text = [&](int shortest, int longest) {
        const int length = shortest + below(longest - shortest + 1);
        std::string t;
        while (int(t.size()) < length) {
            if (!t.empty()) t += below(12) == 0 ? "\r\n" : " ";
            t += kWords[below(int(sizeof kWords / sizeof kWords[0]))];
        }
        return t;
    };
    Question_Set set;
    set.Reserve(kQuestions);
    for (std::size_t i = 0; i < kQuestions; ++i) {
        Zentu_Data r;
        r.question = text(10, 60) + "?";
        r.delimiter = below(2) ? ',' : ';';
        for (int a = 1 + below(4); a > 0; --a) {
            if (!r.answer.empty()) r.answer.push_back(r.delimiter);
            r.answer += text(3, 20);
        }
        if (below(2) == 0) r.hint = text(10, 60);
        if (below(3) == 0) r.rightResponse = text(10, 40);
        if (below(3) == 0) r.wrongResponse = "Not quite: <<CORRECT>>. " + text(10, 30);
        r.useHint = !r.hint.empty();
        r.caseSensitive = below(3) == 0;
        r.answerMethod = AnswerMethod(1 << below(4));
        set.Append(std::move(r));
    }
    return set;
}

std::string Dir() {
    static const std::string dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zentu_exchange_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return dir;
}

const std::string& QuePath(int format) {
    static std::string paths[3];
    std::string& path = paths[format];
    if (path.empty()) {
        static const Question_Set set = MakeSet();
        path = Dir() + (format == kFormatVersion10 ? "/set10.que" : "/set11.que");
        const std::string table =
            Dir() + (format == kFormatVersion10 ? "/set10.tsv" : "/set11.tsv");
        if (!WriteQuestionFile(path, set, format, nullptr) ||
            !WriteTableFile(table, set, nullptr, TableKind::TabSeparated)) {
            std::abort();
        }
    }
    return path;
}

std::string TablePath(int format) {
    QuePath(format);
    return Dir() + (format == kFormatVersion10 ? "/set10.tsv" : "/set11.tsv");
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Each iteration times the three ways in turn, so that all three meet the same machine.
void BmExchange(benchmark::State& state, int format) {
    const std::string que = QuePath(format);
    const std::string table = TablePath(format);
    double baseline = 0, toTable = 0, fromTable = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        {
            Question_Set set;
            LogFont font;
            bool fontRead = false;
            ReadQuestionFile(que, set, font, fontRead);
            if (!WriteQuestionFile(Dir() + "/out.que", set, format, nullptr)) std::abort();
        }
        baseline += Seconds(start);

        start = std::chrono::steady_clock::now();
        {
            Question_Set set;
            LogFont font;
            bool fontRead = false;
            ReadQuestionFile(que, set, font, fontRead);
            if (!WriteTableFile(Dir() + "/out.tsv", set, nullptr, TableKind::TabSeparated)) {
                std::abort();
            }
        }
        toTable += Seconds(start);

        start = std::chrono::steady_clock::now();
        {
            ImportedTable imported;
            ImportReport report;
            if (!ReadTableFile(table, ImportOptions(), imported, report)) std::abort();
            if (!WriteQuestionFile(Dir() + "/back.que", imported.questions, format, nullptr)) {
                std::abort();
            }
        }
        fromTable += Seconds(start);
        state.SetIterationTime(Seconds(start));
    }
    const double n = double(state.iterations());
    state.counters["que_ms"] = baseline / n * 1e3;
    state.counters["to_table_ms"] = toTable / n * 1e3;
    state.counters["from_table_ms"] = fromTable / n * 1e3;
    state.counters["x_to_table"] = toTable / baseline;
    state.counters["x_from_table"] = fromTable / baseline;
}

int MeasureMemory() {
    for (int format : {kFormatVersion10, kFormatVersion11}) {
        const std::string que = QuePath(format);
        const std::string table = TablePath(format);
        heap::Start();
        {
            Question_Set set;
            LogFont font;
            bool fontRead = false;
            ReadQuestionFile(que, set, font, fontRead);
        }
        heap::Stop();
        const double quePeak = double(heap::peak);
        heap::Start();
        {
            ImportedTable imported;
            ImportReport report;
            ReadTableFile(table, ImportOptions(), imported, report);
        }
        heap::Stop();
        const double tablePeak = double(heap::peak);
        std::printf(
            "version %s, %zu questions: question file %.1f MB, table %.1f MB; peak heap reading "
            "the question file %.1f MB, the table %.1f MB: %.2fx (target 2x %s)\n",
            format == kFormatVersion10 ? "1.0" : "1.1", kQuestions,
            double(std::filesystem::file_size(que)) / 1e6,
            double(std::filesystem::file_size(table)) / 1e6, quePeak / 1e6, tablePeak / 1e6,
            tablePeak / quePeak, tablePeak <= 2 * quePeak ? "met" : "MISSED");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--memory") == 0) {
            const int status = MeasureMemory();
            std::filesystem::remove_all(Dir());
            return status;
        }
    }
    for (int format : {kFormatVersion10, kFormatVersion11}) {
        benchmark::RegisterBenchmark(
            format == kFormatVersion10 ? "exchange/1.0/1000000" : "exchange/1.1/1000000",
            BmExchange, format)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(3)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Dir());
    return 0;
}
