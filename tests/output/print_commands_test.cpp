#include "output/print_commands.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <deque>
#include <fstream>
#include <optional>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"

namespace {

using Choice = std::optional<ElementSelection>;

// The element dialog: OK with the given choice, or Cancel.
struct ScriptedChooser : ElementChooser {
    Choice answer;
    explicit ScriptedChooser(Choice answer) : answer(answer) {}
    bool ChooseElements(ElementSelection& selection) override {
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

std::string Joined(const std::vector<std::string>& calls) {
    std::string joined;
    for (const std::string& call : calls) joined += call + ";";
    return joined;
}

TEST(ExportCommand, WritesTheBlocksByteForByteOrSaysWhyNotAndKeepsTheOldFile) {
    std::string upper, big;
    for (int byte = 0x80; byte <= 0xFF; ++byte) upper += char(byte);
    std::vector<std::string> many(30000, std::string(20, 'm'));  // more than one write piece
    for (std::size_t n = 1; n <= many.size(); ++n)
        big += "Question: " + std::to_string(n) + "\r\nmmmmmmmmmmmmmmmmmmmm\r\n";
    Question_Set nul = Questions({"q"}), xy = Questions({"x", "y"});
    nul.At(1).delimiter = '\0';
    const std::string home = std::getenv("HOME"), target = home + "/out.txt";
    const std::string wrote = "RunSaveDialog;SetWaitCursor on;SetWaitCursor off;";
    const std::string refused = wrote + "ShowMessage File Error;";
    const ElementSelection question = Only(Element::Question), answer = Only(Element::Answer);
    const struct {
        Question_Set set;
        Choice elements;
        const char* file;      // null: the save dialog cancelled
        rlim_t fileSizeLimit;  // a full disk
        std::string calls, bytes;
    } cases[] = {
        {Questions({"a", "b", "c"}), ElementSelection{}, "/out.txt", RLIM_INFINITY, wrote,
         "Question: 1\r\nQuestion: 2\r\nQuestion: 3\r\n"},  // 39 bytes
        {Questions({"one\r\ntwo"}), question, "/out.txt", RLIM_INFINITY, wrote,
         "Question: 1\r\none\r\r\ntwo\r\n"},
        {Questions({upper}), question, "/out.txt", RLIM_INFINITY, wrote,
         "Question: 1\r\n" + upper + "\r\n"},
        {nul, Only(Element::Delimiter, Element::UseHint), "/out.txt", RLIM_INFINITY, wrote,
         "Question: 1\r\n\r\nNo Hint\r\n"},
        {Questions(many), question, "/out.txt", RLIM_INFINITY, wrote, big},
        {{}, question, "/out.txt", RLIM_INFINITY, wrote, ""},
        {xy, answer, "/out.txt", RLIM_INFINITY, wrote,
         "Question: 1\r\nx\r\nA\r\nQuestion: 2\r\ny\r\nA\r\n"},
        {xy, std::nullopt, "/out.txt", RLIM_INFINITY, "", "old"},
        {xy, answer, nullptr, RLIM_INFINITY, "RunSaveDialog;", "old"},
        {xy, answer, "/missing/out.txt", RLIM_INFINITY, refused, "old"},
        {xy, answer, "/out.txt", 8, refused, "old"},
    };
    for (const auto& c : cases) {
        std::ofstream(target) << "old";
        FakePlatform platform;
        ScriptedChooser chooser(c.elements);
        if (c.file) platform.saveAnswers = {FakePlatform::FileChoice{home + c.file}};
        ElementSelection selection;
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = ::signal(SIGXFSZ, SIG_IGN);  // writes past the limit fail instead
        rlimit limited{std::min(c.fileSizeLimit, saved.rlim_max), saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
        ExportQuestions(c.set, selection, chooser, platform);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, handler);

        std::ifstream in(target, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.bytes) << c.calls;
        EXPECT_EQ(Joined(platform.calls), c.calls);
        EXPECT_EQ(selection.values, c.elements.value_or(ElementSelection{}).values);
        for (const FakePlatform::Message& message : platform.messages) {
            EXPECT_TRUE(message.text == "Unable to save file" &&
                        message.owner == MessageOwner::Window &&
                        message.icon == MessageIcon::Exclamation);
        }
        for (const FileDialogData& data : platform.saveRequests) {
            EXPECT_EQ(data.filter + data.defaultExt, "Text Files (*.TXT)|*.txt|TXT");
            EXPECT_EQ(data.flags, kOfnOverwritePrompt | kOfnHideReadOnly);
        }
    }
}

TEST(PrintCommand, ListsEveryQuestionOrSaysThereIsNoPrinter) {
    const std::string job = "open;doc TTextPrinter;start;end;enddoc;";
    const std::string wait = "SetWaitCursor on;SetWaitCursor off;";
    const struct {
        Question_Set set;
        Choice elements;
        bool hasPrinter;
        std::string deviceCalls, calls;
        std::vector<std::vector<std::string>> pages;
    } cases[] = {
        {Questions({"x"}), std::nullopt, true, "", "", {}},
        {Questions({"x\xe9", "y"}),
         Only(Element::Question),
         true,
         job,
         wait,
         {{"Question: 1", "x\xe9", "Question: 2", "y"}}},
        {{}, Only(Element::Question), true, job, wait, {{}}},  // one blank page
        {Questions({"x"}), ElementSelection{}, false, "open;", wait + "ShowMessage Print;", {}},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        ScriptedChooser chooser(c.elements);
        RecordingPrintDevice device;
        device.hasPrinter = c.hasPrinter;
        ElementSelection selection;
        PrintQuestions(c.set, selection, chooser, device, platform);
        EXPECT_EQ(Joined(device.calls), c.deviceCalls);
        EXPECT_EQ(device.pages, c.pages);
        EXPECT_EQ(Joined(platform.calls), c.calls);
        EXPECT_EQ(selection.values, c.elements.value_or(ElementSelection{}).values);
        for (const FakePlatform::Message& message : platform.messages) {
            EXPECT_TRUE(message.owner == MessageOwner::Window && message.text == kNoPrinterText);
        }
        if (!device.pages.empty()) {
            EXPECT_EQ(device.grid.charsPerInch * 100 + device.grid.linesPerInch, 1706);
        }
    }
}

}  // namespace
