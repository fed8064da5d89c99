// Ctrl+End in the question list of a 1,000,000-question window: the jump to the last row
// and its drawing, against drawing the first screenful of the same table in the same run.
// Also what one keystroke in the search field holds the window up for at that size (the
// first slice of the search and the list's reset; the rest runs in later slices), and
// the same keystroke's whole search run to its end, and what a change of the set costs it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/zentu_window.h"
#include "bench/bench_support.h"
#include "list/question_list_window.h"
#include "tests/fakes/temporary_home.h"

namespace {

zentuwin* window = nullptr;

void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier);
    QApplication::sendEvent(target, &release);
}

void DrawTop(benchmark::State& state) {
    QTableView* table = window->List()->Table();
    Key(table, Qt::Key_Home);
    for (auto _ : state) table->viewport()->repaint();
}

void CtrlEnd(benchmark::State& state) {
    QTableView* table = window->List()->Table();
    for (auto _ : state) {
        state.PauseTiming();
        Key(table, Qt::Key_Home);
        table->viewport()->repaint();
        state.ResumeTiming();
        Key(table, Qt::Key_End);
        table->viewport()->repaint();
    }
    if (table->currentIndex().row() != table->model()->rowCount() - 1) {
        state.SkipWithError("Ctrl+End did not reach the last row");
    }
}

// Typing and taking back the last letter of a search, as a user correcting a word does.
void Keystroke(benchmark::State& state) {
    QLineEdit* search = window->List()->SearchField();
    bool longer = false;
    for (auto _ : state) {
        search->setText(longer ? QStringLiteral("number 4321") : QStringLiteral("number 432"));
        longer = !longer;
        state.PauseTiming();
        window->List()->Filter().RunToEnd();
        state.ResumeTiming();
    }
    search->clear();
}

// What each store of the editor costs the list behind it: every row read afresh.
void SetChanged(benchmark::State& state) {
    for (auto _ : state) window->List()->SetChanged();
}

void WholeSearch(benchmark::State& state) {
    QLineEdit* search = window->List()->SearchField();
    bool longer = false;
    for (auto _ : state) {
        search->setText(longer ? QStringLiteral("number 4321") : QStringLiteral("number 432"));
        longer = !longer;
        window->List()->Filter().RunToEnd();
    }
    search->clear();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const TemporaryHome home;
    QApplication application(argc, argv);
    zentu program;
    window = program.CreateMainWindow(std::nullopt);
    window->State().Questions() = MakeQuestionSet(1000000);
    window->List()->SetChanged();
    window->show();
    QApplication::processEvents();
    window->List()->Table()->setFocus();

    class Ratios : public benchmark::ConsoleReporter {
      public:
        void ReportRuns(const std::vector<Run>& runs) override {
            for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
            ConsoleReporter::ReportRuns(runs);
        }
        std::map<std::string, double> times;
    } reporter;
    benchmark::RegisterBenchmark("list/draw_first_screenful", DrawTop)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("list/ctrl_end_to_row_1000000", CtrlEnd)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("list/keystroke_first_slice_1000000", Keystroke)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("list/keystroke_whole_search_1000000", WholeSearch)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("list/set_changed_1000000", SetChanged)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double draw = reporter.times["list/draw_first_screenful"];
    const double jump = reporter.times["list/ctrl_end_to_row_1000000"];
    if (draw > 0) {
        std::printf("\nCtrl+End at 1,000,000 rows: %.2f ms, %.2fx one screenful drawn\n", jump,
                    jump / draw);
    }
    benchmark::Shutdown();
    return 0;
}
