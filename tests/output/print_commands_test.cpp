#include "output/print_commands.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"

namespace {

using Calls = std::vector<std::string>;
using Choice = std::optional<ElementSelection>;

// The element dialog: logs the selection it shows, answers OK with a choice or Cancel.
struct ScriptedChooser : ElementChooser {
    std::deque<Choice> answers;
    std::vector<ElementSelection> shown;
    bool ChooseElements(ElementSelection& selection) override {
        shown.push_back(selection);
        const Choice answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (answer) selection = *answer;
        return answer.has_value();
    }
};

Question_Set Questions(std::vector<std::string> texts) {
    Question_Set set;
    for (std::string& text : texts) set.Append(Zentu_Data{text, "A", "", "", "", ','});
    return set;
}

ElementSelection Only(Element element, Element also = Element::Question) {
    ElementSelection selection;
    selection.Set(element, true);
    selection.Set(also, true);
    return selection;
}

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PrintCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/zentu-export-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        std::ofstream(dir / "out.txt") << "old";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(PrintCommandsTest, ExportWritesTheBlocksByteForByteOverTheOldFile) {
    std::string upper, big;
    for (int byte = 0x80; byte <= 0xFF; ++byte) upper += char(byte);
    std::vector<std::string> many(30000, std::string(20, 'm'));  // more than one write piece
    for (std::size_t n = 1; n <= many.size(); ++n)
        big += "Question: " + std::to_string(n) + "\r\nmmmmmmmmmmmmmmmmmmmm\r\n";
    Question_Set nul = Questions({"q"});
    nul.At(1).delimiter = '\0';
    const struct {
        Question_Set set;
        ElementSelection selection;
        std::string bytes;
    } cases[] = {
        {Questions({"a", "b", "c"}),
         {},
         "Question: 1\r\nQuestion: 2\r\nQuestion: 3\r\n"},  // 39 bytes
        {Questions({"one\r\ntwo"}), Only(Element::Question), "Question: 1\r\none\r\r\ntwo\r\n"},
        {Questions({upper}), Only(Element::Question), "Question: 1\r\n" + upper + "\r\n"},
        {nul, Only(Element::Delimiter, Element::UseHint), "Question: 1\r\n\r\nNo Hint\r\n"},
        {Questions(many), Only(Element::Question), big},
        {{}, Only(Element::Question), ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteExportFile((dir / "out.txt").string(), c.set, c.selection));
        EXPECT_EQ(Contents(dir / "out.txt"), c.bytes);
    }
}

TEST_F(PrintCommandsTest, ExportAsksThenWritesOrSaysWhyNotAndKeepsTheOldFile) {
    const std::string target = (dir / "out.txt").string();
    const Calls wrote = {"RunSaveDialog", "SetWaitCursor on", "SetWaitCursor off"};
    Calls refused = wrote;
    refused.push_back("ShowMessage File Error");
    const ElementSelection ticked = Only(Element::Answer);
    const struct {
        Choice elements;
        std::optional<std::string> file;
        rlim_t fileSizeLimit;  // a full disk
        Calls calls;
        std::string contents;
    } cases[] = {
        {std::nullopt, target, RLIM_INFINITY, {}, "old"},
        {ticked, std::nullopt, RLIM_INFINITY, {"RunSaveDialog"}, "old"},
        {ticked, target, RLIM_INFINITY, wrote,
         "Question: 1\r\nx\r\nA\r\nQuestion: 2\r\ny\r\nA\r\n"},
        {ticked, (dir / "missing" / "out.txt").string(), RLIM_INFINITY, refused, "old"},
        {ticked, target, 8, refused, "old"},
    };
    for (const auto& c : cases) {
        std::ofstream(target) << "old";
        FakePlatform platform;
        ScriptedChooser chooser;
        chooser.answers = {c.elements};
        platform.saveAnswers = {c.file ? std::optional<FakePlatform::FileChoice>({*c.file})
                                       : std::nullopt};
        ElementSelection selection;
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = ::signal(SIGXFSZ, SIG_IGN);  // writes past the limit fail instead
        rlimit limited{std::min(c.fileSizeLimit, saved.rlim_max), saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
        ExportQuestions(Questions({"x", "y"}), selection, chooser, platform);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, handler);

        EXPECT_EQ(platform.calls, c.calls);
        EXPECT_EQ(Contents(target), c.contents);
        EXPECT_EQ(selection.values, c.elements.value_or(ElementSelection{}).values);
        for (const FakePlatform::Message& message : platform.messages) {
            EXPECT_EQ(message.text, "Unable to save file");
            EXPECT_TRUE(message.owner == MessageOwner::Window &&
                        message.icon == MessageIcon::Exclamation);
        }
        for (const FileDialogData& data : platform.saveRequests) {
            EXPECT_EQ(data.filter + data.defaultExt + data.fileName,
                      "Text Files (*.TXT)|*.txt|TXT");
            EXPECT_EQ(data.flags, kOfnOverwritePrompt | kOfnHideReadOnly);
        }
    }
}

TEST_F(PrintCommandsTest, PrintListsEveryQuestionOrSaysThereIsNoPrinter) {
    const Calls job = {"open", "doc TTextPrinter", "start", "end", "enddoc"};
    const Calls wait = {"SetWaitCursor on", "SetWaitCursor off"};
    const struct {
        Question_Set set;
        Choice elements;
        bool hasPrinter;
        Calls deviceCalls, calls;
        std::vector<std::vector<std::string>> pages;
    } cases[] = {
        {Questions({"x"}), std::nullopt, true, {}, {}, {}},
        {Questions({"x\xe9", "y"}),
         Only(Element::Question),
         true,
         job,
         wait,
         {{"Question: 1", "x\xe9", "Question: 2", "y"}}},
        {{}, Only(Element::Question), true, job, wait, {{}}},  // one blank page
        {Questions({"x"}),
         ElementSelection{},
         false,
         {"open"},
         {"SetWaitCursor on", "SetWaitCursor off", "ShowMessage Print"},
         {}},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        ScriptedChooser chooser;
        chooser.answers = {c.elements};
        RecordingPrintDevice device;
        device.hasPrinter = c.hasPrinter;
        ElementSelection selection;
        PrintQuestions(c.set, selection, chooser, device, platform);
        EXPECT_EQ(device.calls, c.deviceCalls);
        EXPECT_EQ(device.pages, c.pages);
        EXPECT_EQ(platform.calls, c.calls);
        EXPECT_EQ(selection.values, c.elements.value_or(ElementSelection{}).values);
        for (const FakePlatform::Message& message : platform.messages) {
            EXPECT_TRUE(message.owner == MessageOwner::Window && message.text == kNoPrinterText);
        }
        if (!device.pages.empty()) {
            EXPECT_EQ(device.grid.charsPerInch * 100 + device.grid.linesPerInch, 1706);
        }
    }
}

TEST_F(PrintCommandsTest, PrintAndExportShowTheOneSelectionAsLastConfirmed) {
    FakePlatform platform;
    ScriptedChooser chooser;
    RecordingPrintDevice device;
    chooser.answers = {Only(Element::Hint), std::nullopt, Only(Element::CheckSpaces)};
    ElementSelection selection;
    PrintQuestions({}, selection, chooser, device, platform);  // OK
    ExportQuestions({}, selection, chooser, platform);         // Cancel
    ExportQuestions({}, selection, chooser, platform);         // OK, the save dialog cancelled
    PrintQuestions({}, selection, chooser, device, platform);
    ASSERT_EQ(chooser.shown.size(), 4u);
    EXPECT_EQ(chooser.shown[1].values, Only(Element::Hint).values);
    EXPECT_EQ(chooser.shown[2].values, Only(Element::Hint).values);
    EXPECT_EQ(chooser.shown[3].values, Only(Element::CheckSpaces).values);
}

}  // namespace
