#include "output/print_commands.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"

namespace {

namespace fs = std::filesystem;

// The element dialog: shows a selection, and answers with the boxes ticked or Cancel.
class ScriptedChooser : public ElementChooser {
  public:
    std::deque<std::optional<ElementSelection>> answers;  // empty: Cancel
    std::vector<ElementSelection> shown;

    bool ChooseElements(ElementSelection& selection) override {
        shown.push_back(selection);
        if (answers.empty() || !answers.front()) {
            if (!answers.empty()) answers.pop_front();
            return false;
        }
        selection = *answers.front();
        answers.pop_front();
        return true;
    }
};

Question_Set Questions(std::initializer_list<const char*> texts) {
    Question_Set set;
    for (const char* text : texts) {
        Zentu_Data record;
        record.question = text;
        record.answer = "A";
        set.Append(record);
    }
    return set;
}

ElementSelection Only(Element element) {
    ElementSelection selection;
    selection.Set(element, true);
    return selection;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PrintCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/zentu-export-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    FakePlatform platform;
    ScriptedChooser chooser;
    ElementSelection selection;
};

TEST_F(PrintCommandsTest, ExportWritesTheBlocksByteForByte) {
    std::string upper;
    for (int byte = 0x80; byte <= 0xFF; ++byte) upper += static_cast<char>(byte);
    Question_Set withNul = Questions({"q"});
    withNul.At(1).delimiter = '\0';
    const struct {
        const char* name;
        Question_Set set;
        ElementSelection selection;
        std::string bytes;
    } cases[] = {
        {"nothing ticked, three questions: 39 bytes",
         Questions({"a", "b", "c"}),
         {},
         "Question: 1\r\nQuestion: 2\r\nQuestion: 3\r\n"},
        {"a line break inside a text is CR CR LF", Questions({"first line\r\nsecond line"}),
         Only(Element::Question), "Question: 1\r\nfirst line\r\r\nsecond line\r\n"},
        {"the upper half unchanged", Questions({upper.c_str()}), Only(Element::Question),
         "Question: 1\r\n" + upper + "\r\n"},
        {"a NUL delimiter is an empty line, the lines after it kept", withNul,
         [] {
             ElementSelection s = Only(Element::Delimiter);
             s.Set(Element::Answer, true);
             s.Set(Element::UseHint, true);
             return s;
         }(),
         "Question: 1\r\nA\r\n\r\nNo Hint\r\n"},
        {"an empty set is an empty file", {}, Only(Element::Question), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir / "out.txt";
        std::ofstream(path, std::ios::binary) << std::string(100, 'x');  // replaced, not appended
        ASSERT_TRUE(WriteExportFile(path.string(), c.set, c.selection));
        EXPECT_EQ(Contents(path), c.bytes);
    }
    EXPECT_EQ(Contents(dir / "out.txt").size(), 0u);
}

TEST_F(PrintCommandsTest, ExportOfAListingLargerThanOneWritePiece) {
    Question_Set set;
    std::string expected;
    for (int n = 1; n <= 30000; ++n) {
        Zentu_Data record;
        record.question = std::string(20, static_cast<char>('a' + n % 26));
        set.Append(record);
        expected += "Question: " + std::to_string(n) + "\r\n" + record.question + "\r\n";
    }
    ASSERT_TRUE(WriteExportFile((dir / "big.txt").string(), set, Only(Element::Question)));
    EXPECT_EQ(Contents(dir / "big.txt"), expected);
}

TEST_F(PrintCommandsTest, ExportAsksThenWritesOrSaysWhyNot) {
    const Question_Set set = Questions({"a", "b", "c"});
    const fs::path target = dir / "list.txt";
    std::ofstream(target, std::ios::binary) << "old";
    const ElementSelection ticked = Only(Element::Answer);
    const std::string written = "Question: 1\r\nA\r\nQuestion: 2\r\nA\r\nQuestion: 3\r\nA\r\n";

    const struct {
        const char* name;
        std::optional<ElementSelection> elements;
        std::optional<std::string> file;  // the save dialog's choice
        bool fullDisk;
        ElementSelection selectionAfter;
        std::vector<std::string> calls;
        std::string contents;
    } cases[] = {
        {"Cancel in the element dialog: no file dialog",
         std::nullopt,
         target.string(),
         false,
         {},
         {},
         "old"},
        {"Cancel in the save dialog keeps the selection",
         ticked,
         std::nullopt,
         false,
         ticked,
         {"RunSaveDialog"},
         "old"},
        {"OK in both replaces the file",
         ticked,
         target.string(),
         false,
         ticked,
         {"RunSaveDialog", "SetWaitCursor on", "SetWaitCursor off"},
         written},
        {"a path that cannot be written",
         ticked,
         (dir / "missing" / "list.txt").string(),
         false,
         ticked,
         {"RunSaveDialog", "SetWaitCursor on", "SetWaitCursor off", "ShowMessage File Error"},
         "old"},
        {"a full disk leaves the old file",
         ticked,
         target.string(),
         true,
         ticked,
         {"RunSaveDialog", "SetWaitCursor on", "SetWaitCursor off", "ShowMessage File Error"},
         "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(target, std::ios::binary) << "old";
        FakePlatform desktop;
        ScriptedChooser elements;
        elements.answers.push_back(c.elements);
        desktop.saveAnswers.push_back(c.file ? std::optional<FakePlatform::FileChoice>({*c.file})
                                             : std::nullopt);
        ElementSelection current;
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = ::signal(SIGXFSZ, SIG_IGN);
        if (c.fullDisk) {
            rlimit limited = saved;
            limited.rlim_cur = 8;
            ::setrlimit(RLIMIT_FSIZE, &limited);
        }
        ExportQuestions(set, current, elements, desktop);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, handler);

        EXPECT_EQ(current.values, c.selectionAfter.values);
        EXPECT_EQ(desktop.calls, c.calls);
        EXPECT_EQ(Contents(target), c.contents);
        if (!desktop.messages.empty()) {
            const FakePlatform::Message& message = desktop.messages.front();
            EXPECT_EQ(message.text, "Unable to save file");
            EXPECT_EQ(message.owner, MessageOwner::Window);
            EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        }
        if (!desktop.saveRequests.empty()) {
            const FileDialogData& data = desktop.saveRequests.front();
            EXPECT_EQ(data.filter, "Text Files (*.TXT)|*.txt|");
            EXPECT_EQ(data.defaultExt, "TXT");
            EXPECT_EQ(data.fileName, "");
            EXPECT_EQ(data.flags, kOfnOverwritePrompt | kOfnHideReadOnly);
        }
    }
}

TEST_F(PrintCommandsTest, PrintListsEveryQuestionOrSaysThereIsNoPrinter) {
    const struct {
        const char* name;
        Question_Set set;
        std::optional<ElementSelection> elements;
        bool hasPrinter;
        std::vector<std::string> deviceCalls;
        std::vector<std::string> firstPage;
        std::vector<std::string> calls;
    } cases[] = {
        {"Cancel prints nothing", Questions({"x"}), std::nullopt, true, {}, {}, {}},
        {"two blocks, one after the other",
         Questions({"x\xe9", "y"}),
         Only(Element::Question),
         true,
         {"open", "doc TTextPrinter", "start", "end", "enddoc"},
         {"Question: 1", "x\xe9", "Question: 2", "y"},
         {"SetWaitCursor on", "SetWaitCursor off"}},
        {"an empty set is one blank page",
         {},
         Only(Element::Question),
         true,
         {"open", "doc TTextPrinter", "start", "end", "enddoc"},
         {},
         {"SetWaitCursor on", "SetWaitCursor off"}},
        {"no default printer is said so",
         Questions({"x"}),
         ElementSelection{},
         false,
         {"open"},
         {},
         {"SetWaitCursor on", "SetWaitCursor off", "ShowMessage Print"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform desktop;
        ScriptedChooser elements;
        elements.answers.push_back(c.elements);
        RecordingPrintDevice device;
        device.hasPrinter = c.hasPrinter;
        ElementSelection current;
        PrintQuestions(c.set, current, elements, device, desktop);
        EXPECT_EQ(device.calls, c.deviceCalls);
        if (!device.pages.empty()) EXPECT_EQ(device.Lines(0), c.firstPage);
        EXPECT_EQ(desktop.calls, c.calls);
        EXPECT_EQ(current.values, c.elements.value_or(ElementSelection{}).values);
        if (!c.hasPrinter) {
            ASSERT_EQ(desktop.messages.size(), 1u);
            EXPECT_EQ(desktop.messages[0].owner, MessageOwner::Window);
            EXPECT_EQ(desktop.messages[0].text, kNoPrinterText);
        }
    }
    // The grid of the listing: 17 characters and 6 lines per inch.
    RecordingPrintDevice device;
    chooser.answers.push_back(ElementSelection{});
    PrintQuestions(Questions({"x"}), selection, chooser, device, platform);
    EXPECT_EQ(device.grid.charsPerInch, 17);
    EXPECT_EQ(device.grid.linesPerInch, 6);
    EXPECT_EQ(device.grid.textColor, 0u);
}

TEST_F(PrintCommandsTest, PrintAndExportShareOneSelection) {
    const Question_Set set = Questions({"q"});
    RecordingPrintDevice device;
    const ElementSelection first = Only(Element::Hint);
    const ElementSelection second = Only(Element::CheckSpaces);
    chooser.answers = {first, std::nullopt, second, std::nullopt};
    PrintQuestions(set, selection, chooser, device, platform);  // OK: first
    ExportQuestions(set, selection, chooser, platform);         // Cancel
    ExportQuestions(set, selection, chooser, platform);         // OK: second, save cancelled
    PrintQuestions(set, selection, chooser, device, platform);  // Cancel
    ASSERT_EQ(chooser.shown.size(), 4u);
    EXPECT_EQ(chooser.shown[0].values, ElementSelection{}.values);
    EXPECT_EQ(chooser.shown[1].values, first.values);
    EXPECT_EQ(chooser.shown[2].values, first.values);
    EXPECT_EQ(chooser.shown[3].values, second.values);
    EXPECT_EQ(selection.values, second.values);
}

}  // namespace
