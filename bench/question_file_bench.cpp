// Speed and memory of the question file reader and writer on generated files of 100,000
// and 1,000,000 questions in both versions, each measured against baselines run in the
// same program: a plain pass over the bytes, splitting them into copied fields, and
// writing the same bytes from one buffer. `--memory` measures the heap instead.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/question_file.h"
#include "model/safe_file.h"

#include "heap_count.h"

namespace {

constexpr std::size_t kSizes[] = {100000, 1000000};
constexpr int kFormats[] = {kFormatVersion10, kFormatVersion11};

const char* VersionName(int format) { return format == kFormatVersion10 ? "1.0" : "1.1"; }

// Questions as people write them: a few words, now and then a second line or an accented
// letter, answers with several parts, responses on some questions only.
class Generator {
  public:
    Generator() : rng(2024) {}

    Question_Set Set(std::size_t count) {
        Question_Set set;
        set.Reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            Zentu_Data record;
            record.question = Text(10, 60) + "?";
            record.delimiter = Chance(2) ? ',' : ';';
            const int answers = 1 + Below(4);
            for (int a = 0; a < answers; ++a) {
                if (a > 0) record.answer.push_back(record.delimiter);
                record.answer += Text(3, 20);
            }
            if (Chance(2)) record.hint = Text(10, 60);
            if (Chance(3)) record.rightResponse = Text(10, 40);
            if (Chance(3)) record.wrongResponse = "Not quite: <<CORRECT>>. " + Text(10, 30);
            record.useHint = !record.hint.empty();
            record.confirmCorrect = Chance(4);
            record.checkSpaces = Chance(5);
            record.caseSensitive = Chance(3);
            static const AnswerMethod kMethods[] = {AnswerMethod::All, AnswerMethod::Some,
                                                    AnswerMethod::OnlyOne,
                                                    AnswerMethod::AllInOrder};
            record.answerMethod = kMethods[Below(4)];
            set.Append(std::move(record));
        }
        return set;
    }

  private:
    std::string Text(int shortest, int longest) {
        static const char* const kWords[] = {"the",
                                             "capital",
                                             "of",
                                             "France",
                                             "river",
                                             "which",
                                             "year",
                                             "caf\xe9",
                                             "verb",
                                             "German",
                                             "noun",
                                             "plural",
                                             "answer",
                                             "what",
                                             "is",
                                             "largest",
                                             "number",
                                             "element",
                                             "symbol",
                                             "in",
                                             "m\xfc"
                                             "de",
                                             "Paris",
                                             "Berlin",
                                             "water",
                                             "formula",
                                             "century",
                                             "name",
                                             "a"};
        const std::size_t length =
            static_cast<std::size_t>(shortest + Below(longest - shortest + 1));
        std::string text;
        while (text.size() < length) {
            if (!text.empty()) text += Chance(12) ? "\r\n" : " ";
            text += kWords[Below(sizeof kWords / sizeof kWords[0])];
        }
        return text;
    }
    int Below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

    std::mt19937 rng;
};

struct Workload {
    Question_Set set;
    std::string bytes[3];  // by format number
};

const Workload& WorkloadOf(std::size_t questions) {
    static std::map<std::size_t, std::unique_ptr<Workload>> cache;
    std::unique_ptr<Workload>& workload = cache[questions];
    if (!workload) {
        workload = std::make_unique<Workload>();
        workload->set = Generator().Set(questions);
        for (int format : kFormats) {
            workload->bytes[format] = FormatQuestionFile(workload->set, format, nullptr);
        }
    }
    return *workload;
}

std::string TempDirectory() {
    static const std::string dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zentu_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return dir;
}

// The one-buffer write: the least a writer of these bytes has to do.
bool WriteBuffer(const std::string& path, std::string_view data, bool sync) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.data() + done, data.size() - done);
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
    }
    const bool synced = !sync || ::fsync(fd) == 0;
    return (::close(fd) == 0) && synced && done == data.size();
}

// Baseline A: one plain pass over the bytes.
std::size_t CountSeparators(std::string_view bytes) {
    std::size_t separators = 0;
    for (char c : bytes) separators += (c == '\t') | (c == '\n');
    return separators;
}

// Baseline B: the least real work of a reader, every field copied into its own string.
std::vector<std::string> SplitAndCopy(std::string_view bytes) {
    std::vector<std::string> fields;
    fields.reserve(CountSeparators(bytes) + 1);
    const char* start = bytes.data();
    const char* const end = bytes.data() + bytes.size();
    for (const char* p = start; p != end; ++p) {
        if (*p == '\t' || *p == '\n') {
            fields.emplace_back(start, p);
            start = p + 1;
        }
    }
    fields.emplace_back(start, end);
    return fields;
}

double Millis(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

// Gives freed memory back to the system, so that every measured read starts on fresh
// memory as a program's first read of a file does, whatever the file's size. Without it
// the small files would run on memory left warm by the previous iteration and the large
// ones would not, which skews their ratio.
void ReleaseFreedMemory() { malloc_trim(0); }

double ReadSeconds(const std::string& bytes) {
    std::string copy = bytes;  // the reader takes the file's bytes over, as after a read
    auto set = std::make_unique<Question_Set>();
    LogFont font;
    bool fontRead = false;
    ReleaseFreedMemory();
    const auto start = std::chrono::steady_clock::now();
    ParseQuestionFile(std::move(copy), *set, font, fontRead);
    benchmark::DoNotOptimize(set->Count());
    const double elapsed = Millis(start);
    set.reset();
    ReleaseFreedMemory();
    return elapsed / 1e3;
}

double SplitCopySeconds(const std::string& bytes) {
    const auto start = std::chrono::steady_clock::now();
    auto fields = std::make_unique<std::vector<std::string>>(SplitAndCopy(bytes));
    benchmark::DoNotOptimize(fields->size());
    const double elapsed = Millis(start);
    fields.reset();
    ReleaseFreedMemory();
    return elapsed / 1e3;
}

double PlainPassSeconds(const std::string& bytes) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(CountSeparators(bytes));
    return Millis(start) / 1e3;
}

double FormatWriteSeconds(const Question_Set& set, int format, const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = WriteBuffer(path, FormatQuestionFile(set, format, nullptr), false);
    const double elapsed = Millis(start);
    ReleaseFreedMemory();
    return ok ? elapsed / 1e3 : -1;
}

double BufferWriteSeconds(const std::string& bytes, const std::string& path, bool sync) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = WriteBuffer(path, bytes, sync);
    return ok ? Millis(start) / 1e3 : -1;
}

double WholeWriteSeconds(const Question_Set& set, int format, const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = WriteQuestionFile(path, set, format, nullptr);
    const double elapsed = Millis(start);
    ReleaseFreedMemory();
    return ok ? elapsed / 1e3 : -1;
}

// Each iteration times the reader and its baselines back to back on the same bytes, so a
// busy machine slows both sides of a ratio alike. The measured time is the reader's.
void BmRead(benchmark::State& state, int format, std::size_t questions) {
    const std::string& bytes = WorkloadOf(questions).bytes[format];
    double read = 0, split = 0, plain = 0;
    for (auto _ : state) {
        const double seconds = ReadSeconds(bytes);
        state.SetIterationTime(seconds);
        read += seconds;
        split += SplitCopySeconds(bytes);
        plain += PlainPassSeconds(bytes);
    }
    const double n = double(state.iterations());
    state.counters["x_split_copy"] = read / split;
    state.counters["x_plain_pass"] = read / plain;
    state.counters["split_copy_ms"] = split / n * 1e3;
    state.counters["plain_pass_ms"] = plain / n * 1e3;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// FormatQuestionFile and a plain write of its result against writing the same bytes from
// one buffer; WriteQuestionFile (temporary file, sync, rename) against the same one-buffer
// write with a sync.
void BmWrite(benchmark::State& state, int format, std::size_t questions) {
    const Workload& workload = WorkloadOf(questions);
    const std::string& bytes = workload.bytes[format];
    const std::string dir = TempDirectory();
    double formatWrite = 0, buffer = 0, whole = 0, synced = 0;
    for (auto _ : state) {
        const double seconds = FormatWriteSeconds(workload.set, format, dir + "/format.que");
        const double plain = BufferWriteSeconds(bytes, dir + "/buffer.que", false);
        const double all = WholeWriteSeconds(workload.set, format, dir + "/whole.que");
        const double sync = BufferWriteSeconds(bytes, dir + "/synced.que", true);
        if (seconds < 0 || plain < 0 || all < 0 || sync < 0) {
            state.SkipWithError("write failed");
            break;
        }
        state.SetIterationTime(seconds);
        formatWrite += seconds;
        buffer += plain;
        whole += all;
        synced += sync;
    }
    const double n = double(state.iterations());
    state.counters["x_buffer_write"] = formatWrite / buffer;
    state.counters["whole_x_buffer"] = whole / buffer;
    state.counters["whole_x_synced"] = whole / synced;
    state.counters["buffer_ms"] = buffer / n * 1e3;
    state.counters["whole_ms"] = whole / n * 1e3;
    state.counters["synced_ms"] = synced / n * 1e3;
}

// Ten times the questions against the time they take: both sizes in each iteration.
void BmScaling(benchmark::State& state, int format) {
    const Workload& small = WorkloadOf(kSizes[0]);
    const Workload& large = WorkloadOf(kSizes[1]);
    const std::string path = TempDirectory() + "/scaling.que";
    double readSmall = 0, readLarge = 0, writeSmall = 0, writeLarge = 0;
    for (auto _ : state) {
        const double seconds = ReadSeconds(large.bytes[format]);
        state.SetIterationTime(seconds);
        readLarge += seconds;
        // The small side is short, so it runs often enough for its share to be steady.
        for (int i = 0; i < 3; ++i) readSmall += ReadSeconds(small.bytes[format]) / 3;
        writeLarge += FormatWriteSeconds(large.set, format, path);
        for (int i = 0; i < 3; ++i) writeSmall += FormatWriteSeconds(small.set, format, path) / 3;
    }
    state.counters["read_10x"] = readLarge / readSmall;
    state.counters["format_write_10x"] = writeLarge / writeSmall;
}

std::string Name(const char* kind, int format, std::size_t questions) {
    std::string name = std::string(kind) + "/v" + VersionName(format);
    return questions == 0 ? name : name + "/" + std::to_string(questions);
}

// Keeps the counters of every benchmark's median for the summary.
class Recorder : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                Keep(name, run);
                medians.insert(name);
            } else if (run.run_type == Run::RT_Iteration && medians.count(name) == 0) {
                Keep(name, run);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double Get(const std::string& name, const std::string& counter) const {
        const auto found = values.find(name + ":" + counter);
        return found == values.end() ? 0 : found->second;
    }

  private:
    void Keep(const std::string& name, const Run& run) {
        values[name + ":ms"] = run.GetAdjustedRealTime();
        for (const auto& [counter, value] : run.counters) values[name + ":" + counter] = value;
    }

    std::map<std::string, double> values;
    std::set<std::string> medians;
};

const char* Verdict(double ratio, double target) {
    return ratio > 0 && ratio <= target ? "met" : "MISSED";
}

void PrintSummary(const Recorder& r) {
    std::printf(
        "\nSummary (medians of the repetitions; every ratio is paired within iterations)\n");
    for (int format : kFormats) {
        for (std::size_t questions : kSizes) {
            const std::string read = Name("read", format, questions);
            const std::string write = Name("write", format, questions);
            std::printf("version %s, %zu questions, %.1f MB:\n", VersionName(format), questions,
                        double(WorkloadOf(questions).bytes[format].size()) / 1e6);
            const double xSplit = r.Get(read, "x_split_copy");
            std::printf(
                "  read %.1f ms: %.2fx split-and-copy (%.1f ms; target 1.5x %s), "
                "%.2fx plain pass (%.1f ms)\n",
                r.Get(read, "ms"), xSplit, r.Get(read, "split_copy_ms"), Verdict(xSplit, 1.5),
                r.Get(read, "x_plain_pass"), r.Get(read, "plain_pass_ms"));
            const double xBuffer = r.Get(write, "x_buffer_write");
            std::printf("  format+write %.1f ms: %.2fx one-buffer write (%.1f ms; target 2x %s)\n",
                        r.Get(write, "ms"), xBuffer, r.Get(write, "buffer_ms"),
                        Verdict(xBuffer, 2.0));
            std::printf(
                "  WriteQuestionFile %.1f ms: %.2fx one-buffer write, %.2fx one-buffer "
                "write with sync (%.1f ms)\n",
                r.Get(write, "whole_ms"), r.Get(write, "whole_x_buffer"),
                r.Get(write, "whole_x_synced"), r.Get(write, "synced_ms"));
        }
        const std::string scaling = Name("scaling", format, 0);
        std::printf(
            "  10x the questions: read %.2fx the time (target 11x %s), format+write %.2fx "
            "(%s)\n",
            r.Get(scaling, "read_10x"), Verdict(r.Get(scaling, "read_10x"), 11),
            r.Get(scaling, "format_write_10x"), Verdict(r.Get(scaling, "format_write_10x"), 11));
    }
}

// Peak heap while reading a file from disk, per question, against the file's own size;
// and the heap a hostile count line can claim from a file of 1 MB.
int MeasureMemory() {
    std::printf(
        "Peak heap while reading (ReadQuestionFile, the file's bytes included) and saving\n");
    for (std::size_t questions : kSizes) {
        for (int format : kFormats) {
            const std::string path = TempDirectory() + "/memory.que";
            {
                const Workload& workload = WorkloadOf(questions);
                if (!WriteBuffer(path, workload.bytes[format], false)) return 1;
            }
            const double fileBytes = double(std::filesystem::file_size(path));
            Question_Set set;
            LogFont font;
            bool fontRead = false;
            heap::Start();
            ReadQuestionFile(path, set, font, fontRead);
            const std::int64_t kept = heap::live;
            heap::Stop();
            std::printf(
                "  version %s, %zu questions: peak %.0f bytes/question, kept %.0f "
                "bytes/question, file %.0f bytes/question (peak %.2fx the file)\n",
                VersionName(format), questions, double(heap::peak) / double(questions),
                double(kept) / double(questions), fileBytes / double(questions),
                double(heap::peak) / fileBytes);
            heap::Start();
            {
                std::string bytes;
                ReadWholeFile(path, bytes, kMaxQuestionFileBytes);
                auto fields = SplitAndCopy(bytes);
                benchmark::DoNotOptimize(fields.data());
            }
            heap::Stop();
            std::printf("    split-and-copy baseline: peak %.0f bytes/question\n",
                        double(heap::peak) / double(questions));
            heap::Start();
            const bool saved =
                WriteQuestionFile(TempDirectory() + "/saved.que", set, format, nullptr);
            heap::Stop();
            std::printf("    saving them again (WriteQuestionFile): peak %.0f KiB in all%s\n",
                        double(heap::peak) / 1024, saved ? "" : " (FAILED)");
        }
    }
    const std::string hostile = "4294967295\r\n" + std::string(1 << 20, 'x');
    Question_Set set;
    LogFont font;
    bool fontRead = false;
    heap::Start();
    ParseQuestionFile(hostile, set, font, fontRead);
    heap::Stop();
    std::printf("Hostile count line, %zu-byte file: %zu questions, peak %.1f MB (%.0fx the file)\n",
                hostile.size(), set.Count(), double(heap::peak) / 1e6,
                double(heap::peak) / double(hostile.size()));
    set.Clear();

    // Just under the size limit of empty records, under a count that claims the most: each
    // record is 18 bytes, so what a question costs beyond its texts shows at its worst.
    // Bound: 4x the file plus 64 bytes a question read.
    {
        const std::string path = TempDirectory() + "/empty.que";
        std::string bytes = "0\r\nZentu File\r\n2\r\nEndOptions\r\n2147483647\r\n";
        const std::string empty = "\t\t\t\t\t,\t0\t0\t0\t0\t1\r\n";
        while (bytes.size() + empty.size() <= kMaxQuestionFileBytes - (1 << 20)) bytes += empty;
        if (!WriteBuffer(path, bytes, false)) return 1;
        const double fileBytes = double(bytes.size());
        std::string().swap(bytes);
        Question_Set empties;
        heap::Start();
        const auto start = std::chrono::steady_clock::now();
        ReadQuestionFile(path, empties, font, fontRead);
        const double ms = Millis(start);
        heap::Stop();
        const double questions = double(empties.Count());
        const double bound = 4 * fileBytes + 64 * questions;
        std::printf(
            "Empty records, %.0f MiB file: %.0f questions in %.0f ms, peak %.0f MiB (%.2fx the "
            "file, %.0f bytes/question; bound 4x the file + 64 bytes/question = %.0f MiB: %.2fx, "
            "%s)\n",
            fileBytes / 1048576, questions, ms, double(heap::peak) / 1048576,
            double(heap::peak) / fileBytes, double(heap::peak) / questions, bound / 1048576,
            double(heap::peak) / bound, double(heap::peak) <= bound ? "met" : "MISSED");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--memory") == 0) {
            const int status = MeasureMemory();
            std::filesystem::remove_all(TempDirectory());
            return status;
        }
    }
    // Freed memory goes back to the system at once and big blocks always come fresh from
    // it, for every size alike (see ReleaseFreedMemory).
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    for (int format : kFormats) {
        for (std::size_t questions : kSizes) {
            const int iterations = questions == kSizes[0] ? 30 : 4;
            benchmark::RegisterBenchmark(Name("read", format, questions).c_str(), BmRead, format,
                                         questions)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(iterations)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
            benchmark::RegisterBenchmark(Name("write", format, questions).c_str(), BmWrite, format,
                                         questions)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(iterations)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
        }
        benchmark::RegisterBenchmark(Name("scaling", format, 0).c_str(), BmScaling, format)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(4)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    PrintSummary(recorder);
    benchmark::Shutdown();
    std::filesystem::remove_all(TempDirectory());
    return 0;
}
