// Import and Export as Table through the main window's state: the close query first, a
// failure that changes nothing, an import that replaces the set as Open does and leaves
// it untitled, and a table export that Import takes back.
#include "exchange/exchange_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/main_window_state.h"
#include "exchange/table_writer.h"
#include "fakes/fake_platform.h"
#include "model/model_test_support.h"

namespace {

namespace fs = std::filesystem;

class FakeImportUi : public TableImportUi {
  public:
    bool accept = true;
    char separatorChoice = 0;  // 0 keeps the one offered
    std::vector<char> offeredSeparators;
    std::vector<std::pair<std::string, bool>> reports;

    bool ChooseImportOptions(const std::string&, ImportOptions& options) override {
        offeredSeparators.push_back(options.separator);
        if (separatorChoice != 0) options.separator = separatorChoice;
        return accept;
    }
    void ShowImportReport(const std::string& text, bool failed) override {
        reports.emplace_back(text, failed);
    }
    bool stop = false;  // Stop in the progress dialog
    int progressShown = 0;
    bool ShowImportProgress(std::size_t done, std::size_t total) override {
        EXPECT_LE(done, total);
        ++progressShown;
        return !stop;
    }
    void EndImportProgress() override {}
};

struct ImportCase {
    const char* name;
    bool changed;               // the window's questions were edited
    MessageResult closeAnswer;  // to the close query, when it is asked
    std::string file;           // empty: the dialog is cancelled
    bool acceptOptions;
    char separatorChoice;
    bool imported;
    std::size_t reports;     // report boxes shown
    std::string reportPart;  // in the last one
    bool stop = false;       // the user stops the parse when it shows progress
};

TEST(ExchangeCommandsTest, ImportReplacesTheSetAsOpenDoesOrChangesNothing) {
    const fs::path dir = fs::temp_directory_path() / ("zentu-import-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream((dir / name).string(), std::ios::binary) << bytes;
        return (dir / name).string();
    };
    const std::string que =
        write("old.que", FormatQuestionFile(SetOf({Record("old", "one")}), 2, nullptr));
    const std::string good = write("good.tsv",
                                   "#font:-20 0 0 0 700 0 0 0 0 0 0 0 0 Serif\n"
                                   "house;Haus\nmouse;Maus\n");
    const std::string bad = write("bad.csv", "q,a\nonly\n");
    const std::string missing = (dir / "missing.tsv").string();
    std::string rows;
    for (int i = 0; i < 10000; ++i) rows += "q" + std::to_string(i) + "\ta\n";
    const std::string big = write("big.tsv", rows);

    const ImportCase cases[] = {
        {"close query cancelled: not even the file dialog", true, MessageResult::Cancel, good, true,
         0, false, 0, ""},
        {"file dialog cancelled", false, MessageResult::Cancel, "", true, 0, false, 0, ""},
        {"options cancelled", true, MessageResult::No, good, false, 0, false, 0, ""},
        {"a file that cannot be read", false, MessageResult::Cancel, missing, true, 0, false, 1,
         "unable to open file"},
        {"a damaged file", false, MessageResult::Cancel, bad, true, 0, false, 1,
         "line 2: the row has no answer field.\nNothing was imported"},
        {"the separator the user chose", false, MessageResult::Cancel, good, true, ',', false, 1,
         "line 2: the row has no answer field"},
        {"a long import stopped by the user", false, MessageResult::Cancel, big, true, 0, false, 0,
         "", true},
        {"a good file, after No to the close query", true, MessageResult::No, good, true, 0, true,
         1, "Imported 2 questions from " + good + ".\nThe fields are separated by Semicolon."},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        MainWindowState state(platform);
        FakeImportUi ui;
        ui.accept = c.acceptOptions;
        ui.separatorChoice = c.separatorChoice;
        ui.stop = c.stop;
        state.SetTableImportUi(ui);
        state.Start(que);
        if (c.changed) state.SetQuestionsChanged();
        const Question_Set before = state.Questions();
        const LogFont fontBefore = state.DisplayFont();
        // The question list hears of an import as of Open, and of nothing else.
        std::vector<StateChange> heard;
        state.AddChangeListener([&](StateChange change) { heard.push_back(change); });
        platform.messageAnswers = {c.closeAnswer};
        if (!c.file.empty()) platform.openAnswers.push_back(FakePlatform::FileChoice{c.file, 0});

        ASSERT_TRUE(state.Dispatch(kCmImport));
        EXPECT_EQ(platform.messages.size(), c.changed ? 1u : 0u) << "the close query";
        EXPECT_EQ(platform.openRequests.size(),
                  c.changed && c.closeAnswer == MessageResult::Cancel ? 0u : 1u);
        EXPECT_EQ(ui.reports.size(), c.reports);
        if (c.reports > 0) {
            EXPECT_NE(ui.reports.back().first.find(c.reportPart), std::string::npos)
                << ui.reports.back().first;
            EXPECT_EQ(ui.reports.back().second, !c.imported);
        }
        EXPECT_EQ(ui.progressShown, c.stop ? 1 : 0) << "progress every few thousand rows";
        const std::vector<StateChange> expected =
            c.imported ? std::vector<StateChange>{StateChange::Questions, StateChange::Font}
                       : std::vector<StateChange>{};
        EXPECT_EQ(heard, expected);
        if (c.imported) {
            EXPECT_EQ(state.Questions(), SetOf({Record("house", "Haus", "", '\0'),
                                                Record("mouse", "Maus", "", '\0')}));
            EXPECT_EQ(ui.offeredSeparators, std::vector<char>{';'});
            EXPECT_TRUE(state.Untitled());
            EXPECT_FALSE(state.QuestionsChanged());
            EXPECT_TRUE(state.FontChosen());
            EXPECT_EQ(state.DisplayFont().weight, 700);
            EXPECT_EQ(platform.captions.back(), kProgramTitle);
        } else {
            EXPECT_EQ(state.Questions(), before);
            EXPECT_FALSE(state.Untitled());
            EXPECT_EQ(state.QuestionsChanged(), c.changed);
            EXPECT_EQ(state.DisplayFont(), fontBefore);
        }
    }
    fs::remove_all(dir);
}

TEST(ExchangeCommandsTest, ExportAsTableWritesTheChosenKindAndImportTakesItBack) {
    const fs::path dir = fs::temp_directory_path() / ("zentu-table-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const Question_Set set = SetOf({Record("2+2?", "4", "even", ';', "1011", 8, "yes", "no"),
                                    Record("#1, \"quoted\"", "a\r\nb")});
    for (int filter : {1, 2}) {
        SCOPED_TRACE(filter);
        FakePlatform platform;
        MainWindowState state(platform);
        FakeImportUi ui;
        state.SetTableImportUi(ui);
        for (const Zentu_View r : set) state.Questions().Append(r);
        // A name without an extension gets the kind's; a folder that is not there fails.
        const std::string base = (dir / "set").string();
        platform.saveAnswers = {FakePlatform::FileChoice{base, filter},
                                FakePlatform::FileChoice{(dir / "no/such.tsv").string(), 1}};
        ASSERT_TRUE(state.Dispatch(kCmExportTable));
        ASSERT_TRUE(state.Dispatch(kCmExportTable));
        const TableKind kind = filter == 2 ? TableKind::CommaSeparated : TableKind::TabSeparated;
        const std::string path = base + (filter == 2 ? ".csv" : ".tsv");
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  FormatTable(set, nullptr, kind));
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "Unable to save file");
        // The same name again: the file it names now exists, so the user is asked, and
        // Cancel leaves it alone.
        state.Questions().Append(Record("one", "more"));
        platform.saveAnswers = {FakePlatform::FileChoice{base, filter}};
        ASSERT_TRUE(state.Dispatch(kCmExportTable));
        ASSERT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(platform.messages[1].text, path + " already exists.\nDo you want to replace it?");
        state.Questions().RemoveAt(state.Questions().Count());
        std::ifstream again(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}),
                  FormatTable(set, nullptr, kind));
        // The second dialog opens with the first one's choice.
        EXPECT_EQ(platform.saveRequests[1].fileName, path);

        platform.openAnswers.push_back(FakePlatform::FileChoice{path, 0});
        ASSERT_TRUE(state.Dispatch(kCmImport));
        EXPECT_EQ(state.Questions(), set);
    }
    fs::remove_all(dir);
}

}  // namespace
