#include "app/main_window_state.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fakes/fake_platform.h"
#include "fakes/scripted_asker.h"
#include "model/question_file.h"

namespace {

namespace fs = std::filesystem;

const std::string kOneQuestion11 =
    "0\r\nZentu File\r\n2\r\nEndOptions\r\n1\r\n2+2?\t4\t\t\t\t,\t0\t0\t0\t0\t1\r\n";
const std::string kOneQuestion10 = "1\r\n\t2+2?\t4\t\t,0 0 0 0 1";
const std::string kWithFont =
    "0\r\nZentu File\r\n2\r\nFont=-20 0 0 0 700 1 0 0 0 0 0 0 0 Liberation Serif\r\n"
    "EndOptions\r\n1\r\n2+2?\t4\t\t\t\t,\t0\t0\t0\t0\t1\r\n";

class MainWindowStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/zentu-main-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A state that has edits: the editor stored a question.
    static void Edit(MainWindowState& state) {
        Zentu_Data record;
        record.question = "edited";
        record.answer = "yes";
        state.Questions().Append(record);
        state.SetQuestionsChanged();
    }

    fs::path dir;
    FakePlatform platform;
};

TEST_F(MainWindowStateTest, StartsUntitledAndSaveAsksForANameInVersion11) {
    MainWindowState state(platform);
    state.Start(std::nullopt);
    EXPECT_EQ(platform.captions.back(), "Zentu Program 1.02");
    EXPECT_TRUE(state.Untitled());
    EXPECT_EQ(state.Questions().Count(), 0u);
    EXPECT_EQ(state.DisplayFont(), StartupDisplayFont());

    platform.saveAnswers.push_back(FakePlatform::FileChoice{PathOf("new.que")});
    ASSERT_TRUE(state.Dispatch(kCmSave));
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].fileName, "");
    EXPECT_EQ(platform.saveRequests[0].filterIndex, 2);
    EXPECT_EQ(platform.saveRequests[0].defaultExt, "QUE");
    EXPECT_EQ(platform.saveRequests[0].filter,
              "Question Files 1.0 (*.que)|*.que|Question Files 1.1 (*.que)|*.que|");
    EXPECT_EQ(Read(PathOf("new.que")), "0\r\nZentu File\r\n2\r\nEndOptions\r\n0\r\n");
    EXPECT_FALSE(state.Untitled());
    EXPECT_EQ(platform.captions.back(), "Zentu Program 1.02 - " + PathOf("new.que"));
}

TEST_F(MainWindowStateTest, StartUpFileOutcomes) {
    struct Case {
        const char* name;
        std::string bytes;  // empty: no such file; "<dir>": a directory
        std::size_t count;
        const char* message;  // nullptr: none
        const char* caption;
        MessageIcon icon;
        bool saveAsks;  // whether a later Save asks for a name
    } const cases[] = {
        {"loads", kOneQuestion11, 1, nullptr, nullptr, MessageIcon::None, false},
        {"missing file is created by Save", "", 0, "Unable to open file", "File Error",
         MessageIcon::Exclamation, false},
        {"unreadable version", "0\r\nSomething else\r\n", 0, "Unable to read this file version",
         "Error", MessageIcon::None, true},
        {"a directory", "<dir>", 0, "Unable to open file", "File Error", MessageIcon::Exclamation,
         true},
        // A format not known here reads as empty questions, which must not replace the file.
        {"later format", "0\r\nZentu File\r\n3\r\nEndOptions\r\n2\r\nnew\tlayout\r\n", 2, nullptr,
         nullptr, MessageIcon::None, true},
        // Layout 1 skips one byte before a record, here the TAB: a line end there would
        // shift the fields and damage the record.
        {"1.0 records in a 1.1 header",
         "0\r\nZentu File\r\n1\r\nEndOptions\r\n1\tq\ta\t\t,0 0 0 0 1", 1, nullptr, nullptr,
         MessageIcon::None, false},
        // Damaged data reads as blank questions, which must not replace what a recovery
        // tool could still read.
        {"cut short", "3\r\n\tq\ta\t\t,0 0 0 0 1\tq2\ta", 3,
         "2 questions of this file could not be read: the file is damaged or ends too soon. They "
         "are shown empty, and Save will ask for a new name so that the file stays as it is.",
         "File Error", MessageIcon::Exclamation, true},
        {"count past 32 bits",
         "0\r\nZentu File\r\n2\r\nEndOptions\r\n4294967295\r\n" +
             kOneQuestion11.substr(kOneQuestion11.rfind("2+2")),
         0,
         "The number of questions in this file could not be read, so some may be missing. Save "
         "will ask for a new name so that the file stays as it is.",
         "File Error", MessageIcon::Exclamation, true},
        {"empty set of version 1.0", "0\r\n", 0, nullptr, nullptr, MessageIcon::None, false},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        const std::string path = PathOf(std::string(c.name) + ".que");
        if (c.bytes == "<dir>") {
            fs::create_directory(path);
        } else if (!c.bytes.empty()) {
            Write(std::string(c.name) + ".que", c.bytes);
        }
        MainWindowState state(fake);
        state.Start(path);
        EXPECT_EQ(fake.captions.back(), "Zentu Program 1.02 - " + path) << c.name;
        EXPECT_FALSE(state.Untitled()) << c.name;
        EXPECT_FALSE(state.QuestionsChanged()) << c.name;
        EXPECT_EQ(state.Questions().Count(), c.count) << c.name;
        if (c.message == nullptr) {
            EXPECT_TRUE(fake.messages.empty()) << c.name;
        } else {
            ASSERT_EQ(fake.messages.size(), 1u) << c.name;
            EXPECT_EQ(fake.messages[0].text, c.message) << c.name;
            EXPECT_EQ(fake.messages[0].caption, c.caption) << c.name;
            EXPECT_EQ(fake.messages[0].icon, c.icon) << c.name;
            EXPECT_EQ(fake.messages[0].owner, MessageOwner::None) << c.name;
            EXPECT_EQ(fake.messages[0].buttons, MessageButtons::Ok) << c.name;
        }
        EXPECT_EQ(state.SaveNeedsName(), c.saveAsks) << c.name;
        const std::string before = c.bytes == "<dir>" ? "" : Read(path);
        state.Dispatch(kCmSave);  // the save dialog, if shown, is cancelled
        EXPECT_EQ(fake.saveRequests.size(), c.saveAsks ? 1u : 0u) << c.name;
        if (c.saveAsks && fake.saveRequests.size() == 1) {
            EXPECT_EQ(fake.saveRequests[0].fileName, path) << c.name;
            if (c.bytes != "<dir>") {
                EXPECT_EQ(Read(path), before) << c.name;
            }
        } else {
            EXPECT_TRUE(fs::is_regular_file(path)) << c.name;
        }
    }
}

TEST_F(MainWindowStateTest, StartUpFontLineBecomesTheDisplayFont) {
    MainWindowState state(platform);
    state.Start(Write("font.que", kWithFont));
    EXPECT_TRUE(state.FontChosen());
    EXPECT_EQ(state.DisplayFont().faceName, "Liberation Serif");
    EXPECT_EQ(state.DisplayFont().height, -20);
    EXPECT_EQ(state.DisplayFont().weight, 700);
}

TEST_F(MainWindowStateTest, CloseQuery) {
    struct Case {
        const char* name;
        bool changed;
        std::vector<MessageResult> answers;
        std::optional<std::string> saveAsName;  // the Save As dialog's choice; none = cancel
        bool makeUnwritable;
        bool canClose;
        std::size_t messages;
    } const cases[] = {
        {"unchanged closes without asking", false, {}, std::nullopt, false, true, 0},
        {"Cancel stays", true, {MessageResult::Cancel}, std::nullopt, false, false, 1},
        {"No closes", true, {MessageResult::No}, std::nullopt, false, true, 1},
        {"Yes and a good save closes", true, {MessageResult::Yes}, "saved.que", false, true, 1},
        {"Yes and a cancelled Save As stays",
         true,
         {MessageResult::Yes},
         std::nullopt,
         false,
         false,
         1},
        {"Yes and a failed save stays",
         true,
         {MessageResult::Yes},
         "no-such-dir/x.que",
         false,
         false,
         2},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        MainWindowState state(fake);
        state.Start(std::nullopt);
        if (c.changed) Edit(state);
        for (MessageResult answer : c.answers) fake.messageAnswers.push_back(answer);
        if (c.saveAsName)
            fake.saveAnswers.push_back(FakePlatform::FileChoice{PathOf(*c.saveAsName)});
        EXPECT_EQ(state.CanClose(), c.canClose) << c.name;
        ASSERT_EQ(fake.messages.size(), c.messages) << c.name;
        if (c.messages > 0) {
            EXPECT_EQ(fake.messages[0].text, "Do you want to save?");
            EXPECT_EQ(fake.messages[0].caption, "Questions have changed.");
            EXPECT_EQ(fake.messages[0].buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(fake.messages[0].icon, MessageIcon::Question);
        }
        if (c.messages > 1) {
            EXPECT_EQ(fake.messages[1].text, "Unable to save file") << c.name;
        }
        // Whatever the answer, the edits are still in memory unless they were saved.
        if (c.changed) {
            EXPECT_EQ(state.Questions().Count(), 1u) << c.name;
        }
        EXPECT_EQ(state.QuestionsChanged(), c.changed && !(c.canClose && c.saveAsName)) << c.name;
    }
}

TEST_F(MainWindowStateTest, NewAndOpenStopWhenTheCloseQueryIsCancelled) {
    for (int command : {kCmNew, kCmOpen}) {
        FakePlatform fake;
        MainWindowState state(fake);
        int editorRuns = 0;
        state.SetEditorStarter([&] { ++editorRuns; });
        state.Start(std::nullopt);
        Edit(state);
        fake.messageAnswers.push_back(MessageResult::Cancel);
        state.Dispatch(command);
        EXPECT_EQ(state.Questions().Count(), 1u) << command;
        EXPECT_TRUE(state.QuestionsChanged()) << command;
        EXPECT_EQ(editorRuns, 0) << command;
        EXPECT_TRUE(fake.openRequests.empty()) << command;
        EXPECT_EQ(fake.captions.size(), 1u) << command;
    }
}

TEST_F(MainWindowStateTest, NewEmptiesTheSetKeepsTheSettingsAndStartsTheEditor) {
    MainWindowState state(platform);
    int editorRuns = 0;
    state.SetEditorStarter([&] {
        ++editorRuns;
        EXPECT_EQ(state.Questions().Count(), 0u);
    });
    state.Start(Write("font.que", kWithFont));
    platform.fontAnswers.push_back(StartupDisplayFont());
    state.Dispatch(kCmFont);
    state.Dispatch(kCmReverse);
    Edit(state);
    platform.messageAnswers.push_back(MessageResult::No);
    state.Dispatch(kCmNew);
    EXPECT_EQ(editorRuns, 1);
    EXPECT_TRUE(state.Untitled());
    EXPECT_FALSE(state.QuestionsChanged());
    EXPECT_TRUE(state.Reversed());
    EXPECT_TRUE(state.FontChosen());
    EXPECT_EQ(state.DisplayFont(), StartupDisplayFont());
    EXPECT_EQ(state.FileDialog().fileName, PathOf("font.que"));
    EXPECT_EQ(platform.captions.back(), "Zentu Program 1.02");
}

TEST_F(MainWindowStateTest, TheFilterIndexDecidesTheVersionOfTheNextSave) {
    struct Case {
        const char* name;
        std::string fileBytes;
        int openFilter;  // 0: left as it was
        std::string saved;
    } const cases[] = {
        {"1.0 file, filter left: saved as 1.1", kOneQuestion10, 0, kOneQuestion11},
        {"1.1 file, 1.0 entry picked: saved as 1.0", kOneQuestion11, 1, kOneQuestion10},
        {"1.0 file, 1.1 entry picked", kOneQuestion10, 2, kOneQuestion11},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        MainWindowState state(fake);
        state.Start(std::nullopt);
        const std::string path = Write("version.que", c.fileBytes);
        fake.openAnswers.push_back(FakePlatform::FileChoice{path, c.openFilter});
        state.Dispatch(kCmOpen);
        ASSERT_EQ(state.Questions().Count(), 1u) << c.name;
        EXPECT_EQ(fake.captions.back(), "Zentu Program 1.02 - " + path) << c.name;
        state.Dispatch(kCmSave);
        EXPECT_TRUE(fake.saveRequests.empty()) << c.name;
        EXPECT_EQ(Read(path), c.saved) << c.name;
    }
}

TEST_F(MainWindowStateTest, FontIsStoredOnlyInVersion11AndDoesNotMarkTheQuestionsChanged) {
    LogFont chosen = StartupDisplayFont();
    chosen.faceName = "Liberation Mono";
    chosen.height = -14;
    for (int filter : {0, 1, 2}) {  // 0: the font dialog is cancelled
        FakePlatform fake;
        MainWindowState state(fake);
        state.Start(std::nullopt);
        if (filter != 0) fake.fontAnswers.push_back(chosen);
        state.Dispatch(kCmFont);
        ASSERT_EQ(fake.fontRequests.size(), 1u);
        EXPECT_EQ(fake.fontRequests[0], StartupDisplayFont());
        EXPECT_EQ(state.FontChosen(), filter != 0);
        EXPECT_EQ(state.DisplayFont(), filter != 0 ? chosen : StartupDisplayFont());
        EXPECT_FALSE(state.QuestionsChanged());
        EXPECT_TRUE(state.CanClose());
        EXPECT_TRUE(fake.messages.empty());

        const std::string path = PathOf("font" + std::to_string(filter) + ".que");
        fake.saveAnswers.push_back(FakePlatform::FileChoice{path, filter});
        state.Dispatch(kCmSaveAs);
        const bool hasFontLine =
            Read(path).find("Font=-14 0 0 0 400 0 0 0 1 0 0 0 0 Liberation Mono\r\n") !=
            std::string::npos;
        EXPECT_EQ(hasFontLine, filter == 2) << filter;
    }
}

TEST_F(MainWindowStateTest, FailedSaveChangesNothing) {
    MainWindowState state(platform);
    state.Start(std::nullopt);
    Edit(state);
    platform.saveAnswers.push_back(FakePlatform::FileChoice{PathOf("missing/dir.que"), 1});
    state.Dispatch(kCmSave);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Unable to save file");
    EXPECT_EQ(platform.messages[0].caption, "File Error");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(state.QuestionsChanged());
    EXPECT_TRUE(state.Untitled());
    // Save As updates the caption whatever the outcome; untitled shows no name.
    EXPECT_EQ(platform.captions.back(), "Zentu Program 1.02");
}

TEST_F(MainWindowStateTest, SaveAsOffersTheCurrentNameAndCancelOnlyRebuildsTheCaption) {
    MainWindowState state(platform);
    const std::string path = Write("current.que", kOneQuestion11);
    state.Start(path);
    state.Dispatch(kCmSaveAs);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].fileName, path);
    EXPECT_EQ(platform.captions.size(), 2u);
    EXPECT_EQ(platform.captions.back(), "Zentu Program 1.02 - " + path);
}

TEST_F(MainWindowStateTest, OpenThatFailsKeepsTheSetAndMakesTheFileCurrent) {
    MainWindowState state(platform);
    state.Start(Write("first.que", kOneQuestion11));
    const std::string missing = PathOf("gone.que");
    platform.openAnswers.push_back(FakePlatform::FileChoice{missing});
    state.Dispatch(kCmOpen);
    EXPECT_EQ(state.Questions().Count(), 1u);
    EXPECT_EQ(platform.messages.at(0).owner, MessageOwner::Window);
    EXPECT_EQ(platform.captions.back(), "Zentu Program 1.02 - " + missing);
}

TEST_F(MainWindowStateTest, CommandTable) {
    MainWindowState state(platform);
    state.Start(std::nullopt);
    for (int id :
         {kCmNew, kCmOpen, kCmSave, kCmSaveAs, kCmFont, kCmReverse, kCmHelpContents, kCmAbout}) {
        EXPECT_TRUE(state.Handles(id)) << id;
        EXPECT_FALSE(state.Bind(id, [] {})) << "bound twice: " << id;
    }
    for (int id :
         {kCmPrinterSetup, kCmExit, kCmEdit, kCmGradedQuiz, kCmRandomTest, kCmPrint, kCmExport}) {
        EXPECT_FALSE(state.Handles(id)) << id;
        EXPECT_FALSE(state.Dispatch(id)) << id;
    }
    state.Dispatch(kCmHelpContents);
    state.Dispatch(kCmAbout);
    EXPECT_EQ(platform.helpShown, 1);
    EXPECT_EQ(platform.infoDialogs, std::vector<int>{kAboutDialogId});
}

// While a run asks, the commands that could change or replace the set, Exit and the close
// query included, are refused; Save goes on. Afterwards they are all back.
TEST_F(MainWindowStateTest, RunsKeepTheSetInUseUntilTheyEnd) {
    const int kRefused[] = {kCmNew,           kCmOpen,       kCmEdit,       kCmFind,
                            kCmQuizOnMatches, kCmGradedQuiz, kCmRandomTest, kCmImport};
    for (int run : {kCmGradedQuiz, kCmRandomTest}) {
        FakePlatform fake;
        MainWindowState state(fake);
        ScriptedAsker asker;
        state.SetQuestionAsker(asker);
        for (int id : {kCmEdit, kCmFind, kCmQuizOnMatches, kCmImport}) {
            ASSERT_TRUE(state.Bind(id, [] {}));
        }
        state.Questions().Append(Zentu_Data{});
        asker.outcomes = {{true, true}};
        asker.onAsk = [&](std::size_t n) {
            if (n > 0) return;  // a run started meanwhile by mistake
            for (int id : kRefused) EXPECT_FALSE(state.Handles(id) || state.Dispatch(id)) << id;
            EXPECT_TRUE(state.Refuses(kCmExit));
            EXPECT_FALSE(state.CanClose());
            EXPECT_TRUE(state.Handles(kCmSave));
        };
        EXPECT_TRUE(state.Dispatch(run));
        EXPECT_EQ(asker.asked.size(), 1u) << run;
        for (int id : kRefused) EXPECT_TRUE(state.Handles(id)) << id;
        EXPECT_FALSE(state.Refuses(kCmExit));
    }
}

// Views follow the state through one listener: every command that reads, clears or edits
// the set, toggles Reverse Q/A or changes the font tells it, after the change; a cancelled
// dialog changes nothing and tells nothing. 0 stands for the editor's store.
TEST_F(MainWindowStateTest, ListenersHearOfEveryChangeAfterItHappened) {
    using C = StateChange;
    struct Case {
        int command;
        const char* openFile;  // the Open dialog's choice; nullptr cancels it
        bool fontChosen;
        std::vector<StateChange> heard;
    } const cases[] = {
        {kCmOpen, "one.que", false, {C::Questions, C::Font}},
        {kCmOpen, nullptr, false, {}},
        {kCmOpen, "missing.que", false, {C::Questions}},
        {kCmNew, nullptr, false, {C::Questions}},
        {0, nullptr, false, {C::Questions}},
        {kCmReverse, nullptr, false, {C::Reversed}},
        {kCmFont, nullptr, true, {C::Font}},
        {kCmFont, nullptr, false, {}},
    };
    Write("one.que", kWithFont);
    for (const Case& c : cases) {
        FakePlatform fake;
        MainWindowState state(fake);
        if (c.openFile) fake.openAnswers.push_back(FakePlatform::FileChoice{PathOf(c.openFile)});
        if (c.fontChosen) fake.fontAnswers.push_back(StartupDisplayFont());
        std::vector<StateChange> heard;
        std::size_t countHeard = 0;
        state.AddChangeListener([&](StateChange change) {
            heard.push_back(change);
            if (change == C::Questions) countHeard = state.Questions().Count();
        });
        c.command == 0 ? state.SetQuestionsChanged() : void(state.Dispatch(c.command));
        EXPECT_EQ(heard, c.heard) << c.command;
        EXPECT_EQ(countHeard, state.Questions().Count()) << c.command;
    }
}

}  // namespace

// A save that finds the copy a killed save left beside the file keeps it under a name of
// its own and says so, once.
TEST_F(MainWindowStateTest, SaveTellsOfTheCopyAKilledSaveLeft) {
    const std::string path = Write("set.que", kOneQuestion11);
    Write(".set.que.zentu-Ab12Cd", kOneQuestion10);
    MainWindowState state(platform);
    state.Start(path);
    ASSERT_TRUE(state.Dispatch(kCmSave) && state.Dispatch(kCmSave));
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string& text = platform.messages[0].text;
    const std::string kept = text.substr(text.rfind('\n') + 1);
    EXPECT_EQ(text,
              "An earlier save of this file was interrupted before it was finished. The copy it "
              "had written was kept as:\n" +
                  kept);
    EXPECT_EQ(platform.messages[0].caption, "Interrupted Save");
    EXPECT_EQ(kept.rfind(PathOf("set.recovered-"), 0), 0u) << kept;
    EXPECT_EQ(Read(kept), kOneQuestion10);
    EXPECT_EQ(Read(path), kOneQuestion11);
}
