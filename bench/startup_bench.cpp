// Time from process start to the main window shown: the zentu main window (without a
// file, and with a 100,000-question file) against a bare Qt main window, each started as
// a fresh process. Run offscreen or under a display; the figures are ratios to the bare
// window measured in the same run. At 1,000,000 questions the window with the question
// list is set against the same window with the list hidden, in time and in peak memory.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <QSettings>

#include "app/zentu_window.h"
#include "model/question_file.h"
#include "tests/fakes/temporary_home.h"

namespace {

std::string selfPath;
std::string bigFile;
std::string hugeFile;
std::map<std::string, std::vector<double>> seconds;
std::map<std::string, std::vector<double>> peakKilobytes;

// The child: show the window, and leave as soon as the event loop has shown it.
int RunChild(int argc, char** argv) {
    const std::string kind = argv[2];
    std::optional<std::string> file;
    if (argc > 3) file = argv[3];
    QApplication application(argc, argv);
    QTimer::singleShot(0, [] { _exit(0); });
    if (kind == "bare" || kind == "bare_menus") {
        QMainWindow window;
        window.resize(520, 320);
        // The fairer baseline: any real program has a menu bar, whose text loads the fonts.
        if (kind == "bare_menus") {
            for (const char* title : {"&File", "&Tools", "&Help"}) {
                window.menuBar()->addMenu(QString::fromLatin1(title))->addAction("&Item");
            }
        }
        window.show();
        return QApplication::exec();
    }
    if (kind == "zentu_list" || kind == "zentu_hidden") {
        // The setting is read as the window is made; the home is the run's own.
        QSettings().setValue(QStringLiteral("View/QuestionList"), kind == "zentu_list");
        zentu program;
        zentuwin* window = program.CreateMainWindow(file);
        window->show();
        // Leave once the window has been drawn, the list's rows included.
        QTimer::singleShot(0, [window] {
            window->grab();
            _exit(0);
        });
        return QApplication::exec();
    }
    zentu program;
    program.CreateMainWindow(file)->show();
    return QApplication::exec();
}

double lastPeakKilobytes = 0;

double TimeChild(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(selfPath.c_str()));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(selfPath.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    lastPeakKilobytes = static_cast<double>(usage.ru_maxrss);
    return std::chrono::duration<double>(end - start).count();
}

void Startup(benchmark::State& state, const std::string& name, std::vector<std::string> args) {
    for (auto _ : state) {
        const double elapsed = TimeChild(args);
        if (elapsed < 0) {
            state.SkipWithError("the child did not start");
            return;
        }
        seconds[name].push_back(elapsed);
        peakKilobytes[name].push_back(lastPeakKilobytes);
        state.SetIterationTime(elapsed);
    }
}

std::string WriteQuestions(int count, const std::string& path) {
    std::mt19937 random(7);
    Question_Set set;
    for (int i = 0; i < count; ++i) {
        Zentu_Data record;
        record.question = "What is the capital of country number " + std::to_string(i) + "?";
        record.answer = "City " + std::to_string(random() % 100000) + ",Town";
        record.hint = "It starts with C";
        record.answerMethod = AnswerMethod::OnlyOne;
        set.Append(record);
    }
    WriteQuestionFile(path, set, kFormatVersion11, nullptr);
    return path;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0) return RunChild(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    selfPath = argv[0];
    const TemporaryHome home;  // the children's settings stay out of the real home
    bigFile = WriteQuestions(100000, "/tmp/zentu-startup-bench.que");
    hugeFile = WriteQuestions(1000000, "/tmp/zentu-startup-bench-1m.que");
    // A forked child's peak counts what this process held when it forked: give the memory
    // of the written sets back, or it would stand in every child's figure.
    malloc_trim(0);
    benchmark::RegisterBenchmark("startup/bare_qt_window",
                                 [](benchmark::State& s) {
                                     Startup(s, "bare", {"--child", "bare"});
                                 })
        ->UseManualTime()
        ->Iterations(30)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/bare_qt_window_with_menus",
                                 [](benchmark::State& s) {
                                     Startup(s, "bare_menus", {"--child", "bare_menus"});
                                 })
        ->UseManualTime()
        ->Iterations(30)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/zentu",
                                 [](benchmark::State& s) {
                                     Startup(s, "zentu", {"--child", "zentu"});
                                 })
        ->UseManualTime()
        ->Iterations(30)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup/zentu_100000_questions",
                                 [](benchmark::State& s) {
                                     Startup(s, "zentu100k", {"--child", "zentu", bigFile});
                                 })
        ->UseManualTime()
        ->Iterations(15)
        ->Unit(benchmark::kMillisecond);
    // The two windows take turns, so that a busy machine slows both alike.
    benchmark::RegisterBenchmark(
        "startup/1000000_questions_hidden_then_listed",
        [](benchmark::State& s) {
            for (auto _ : s) {
                double total = 0;
                for (const char* kind : {"zentu_hidden", "zentu_list"}) {
                    const double elapsed = TimeChild({"--child", kind, hugeFile});
                    if (elapsed < 0) return s.SkipWithError("the child did not start");
                    seconds[kind].push_back(elapsed);
                    peakKilobytes[kind].push_back(lastPeakKilobytes);
                    total += elapsed;
                }
                s.SetIterationTime(total);
            }
        })
        ->UseManualTime()
        ->Iterations(9)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double bare = Median(seconds["bare"]);
    if (bare > 0) {
        std::printf("\nmedian start-up, ratio to the bare Qt main window (%.1f ms):\n", bare * 1e3);
        for (const char* name : {"bare_menus", "zentu", "zentu100k"}) {
            const double median = Median(seconds[name]);
            std::printf("  %-10s %7.1f ms  %.2fx\n", name, median * 1e3, median / bare);
        }
    }
    const double hidden = Median(seconds["zentu_hidden"]);
    const double listed = Median(seconds["zentu_list"]);
    const double hiddenPeak = Median(peakKilobytes["zentu_hidden"]);
    const double listedPeak = Median(peakKilobytes["zentu_list"]);
    if (hidden > 0 && hiddenPeak > 0) {
        std::printf("\n1,000,000 questions, the window with the list against it hidden:\n");
        std::printf("  time   %7.1f ms against %7.1f ms: %.3fx\n", listed * 1e3, hidden * 1e3,
                    listed / hidden);
        std::printf("  memory %7.1f MB against %7.1f MB: %.3fx\n", listedPeak / 1024,
                    hiddenPeak / 1024, listedPeak / hiddenPeak);
    }
    // What a million questions cost beyond the bare window: at most half a second, and a
    // peak of at most the bare window's plus twice the file.
    const double barePeak = Median(peakKilobytes["bare"]);
    if (bare > 0 && listed > 0 && barePeak > 0) {
        const double fileKilobytes = double(std::filesystem::file_size(hugeFile)) / 1024;
        const double beyond = listed - bare;
        const double allowed = barePeak + 2 * fileKilobytes;
        std::printf("\n1,000,000 questions (%.1f MB file), the window with the list:\n",
                    fileKilobytes / 1024);
        std::printf("  time   %7.1f ms, %.1f ms beyond the bare window (target 500 ms %s)\n",
                    listed * 1e3, beyond * 1e3, beyond <= 0.5 ? "met" : "MISSED");
        std::printf(
            "  memory %7.1f MB peak, bare window %.1f MB + 2x the file = %.1f MB (%.2fx, "
            "target 1x %s)\n",
            listedPeak / 1024, barePeak / 1024, allowed / 1024, listedPeak / allowed,
            listedPeak <= allowed ? "met" : "MISSED");
    }
    std::remove(bigFile.c_str());
    std::remove(hugeFile.c_str());
    return 0;
}
