// Time from process start to the main window shown: the zentu main window (without a
// file, and with a 100,000-question file) against a bare Qt main window, each started as
// a fresh process. Run offscreen or under a display; the figures are ratios to the bare
// window measured in the same run.
#include <benchmark/benchmark.h>
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
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/zentu_window.h"
#include "model/question_file.h"

namespace {

std::string selfPath;
std::string bigFile;
std::map<std::string, std::vector<double>> seconds;

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
    zentu program;
    program.CreateMainWindow(file)->show();
    return QApplication::exec();
}

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
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
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
        state.SetIterationTime(elapsed);
    }
}

void WriteBigFile() {
    std::mt19937 random(7);
    Question_Set set;
    for (int i = 0; i < 100000; ++i) {
        Zentu_Data record;
        record.question = "What is the capital of country number " + std::to_string(i) + "?";
        record.answer = "City " + std::to_string(random() % 100000) + ",Town";
        record.hint = "It starts with C";
        record.answerMethod = AnswerMethod::OnlyOne;
        set.Append(record);
    }
    bigFile = "/tmp/zentu-startup-bench.que";
    WriteQuestionFile(bigFile, set, kFormatVersion11, nullptr);
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
    WriteBigFile();
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
    std::remove(bigFile.c_str());
    return 0;
}
