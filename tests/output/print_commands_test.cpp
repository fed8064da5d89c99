#include "output/print_commands.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <optional>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"

namespace {

using Choice = std::optional<ElementSelection>;

// The element dialog: notes the selection it shows, then OK with the given choice, or Cancel.
struct ScriptedChooser : ElementChooser {
    Choice answer;
    ElementSelection shown;
    explicit ScriptedChooser(Choice answer) : answer(answer) {}
    bool ChooseElements(ElementSelection& selection) override {
        shown = selection;
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

constexpr const char* kWrote = "RunSaveDialog;SetWaitCursor on;SetWaitCursor off;";
constexpr const char* kWait = "SetWaitCursor on;SetWaitCursor off;";

// Print's pages as text (lines end in LF, pages in FF), Export's file as bytes.
TEST(PrintAndExport, ListTheBlocksByteForByteOrSayWhyNot) {
    std::string upper, big;
    for (int byte = 0x80; byte <= 0xFF; ++byte) upper += char(byte);
    std::vector<std::string> many(30000, std::string(20, 'm'));  // more than one write piece
    for (std::size_t n = 1; n <= many.size(); ++n)
        big += "Question: " + std::to_string(n) + "\r\nmmmmmmmmmmmmmmmmmmmm\r\n";
    Question_Set nul = Questions({"q"}), xy = Questions({"x", "y"});
    Zentu_Data nulDelimiter = nul.At(1);
    nulDelimiter.delimiter = '\0';
    nul.Replace(1, nulDelimiter);
    const std::string home = std::getenv("HOME"),
                      unable = kWrote + std::string("ShowMessage File Error;");
    const ElementSelection question = Only(Element::Question), answer = Only(Element::Answer);
    enum Command { kExport, kPrint, kPrintWithoutPrinter };
    const struct {
        Command command;
        Question_Set set;
        Choice elements;
        std::string output, calls = kWrote;
        const char* file = "/out.txt";         // null: the save dialog cancelled
        rlim_t fileSizeLimit = RLIM_INFINITY;  // a full disk
    } cases[] = {
        {kExport, Questions({"a", "b", "c"}), ElementSelection{},
         "Question: 1\r\nQuestion: 2\r\nQuestion: 3\r\n"},  // 39 bytes
        {kExport, Questions({"one\r\ntwo"}), question, "Question: 1\r\none\r\r\ntwo\r\n"},
        {kExport, Questions({upper}), question, "Question: 1\r\n" + upper + "\r\n"},
        {kExport, nul, Only(Element::Delimiter, Element::UseHint),
         "Question: 1\r\n\r\nNo Hint\r\n"},
        {kExport, Questions(many), question, big},
        {kExport, {}, question, ""},
        {kExport, xy, answer, "Question: 1\r\nx\r\nA\r\nQuestion: 2\r\ny\r\nA\r\n"},
        {kExport, xy, std::nullopt, "old", ""},
        {kExport, xy, answer, "old", "RunSaveDialog;", nullptr},
        {kExport, xy, answer, "old", unable, "/missing/out.txt"},
        {kExport, xy, answer, "old", unable, "/out.txt", 8},
        {kPrint, Questions({"x\xe9", "y"}), question, "Question: 1\nx\xe9\nQuestion: 2\ny\n\f",
         kWait},
        {kPrint, {}, question, "\f", kWait},  // one blank page
        {kPrint, xy, std::nullopt, "", ""},
        {kPrintWithoutPrinter, xy, question, "", kWait + std::string("ShowMessage Print;")},
    };
    for (const auto& c : cases) {
        std::ofstream(home + "/out.txt") << "old";
        FakePlatform platform;
        ScriptedChooser chooser(c.elements);
        if (c.file) platform.saveAnswers = {FakePlatform::FileChoice{home + c.file}};
        RecordingPrintDevice device;
        device.hasPrinter = c.command == kPrint;
        ElementSelection selection = Only(Element::Hint);  // as last confirmed
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = ::signal(SIGXFSZ, SIG_IGN);  // writes past the limit fail instead
        rlimit limited{std::min(c.fileSizeLimit, saved.rlim_max), saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
        if (c.command == kExport) ExportQuestions(c.set, selection, chooser, platform);
        if (c.command != kExport) PrintQuestions(c.set, selection, chooser, device, platform);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, handler);

        std::ifstream in(home + "/out.txt", std::ios::binary);
        const std::string file(std::istreambuf_iterator<char>(in), {});
        const std::string output = c.command == kExport ? file : device.Text();
        EXPECT_TRUE(output == c.output) << output.size() << " bytes, not " << c.output.size();
        EXPECT_EQ(output.substr(0, 500), c.output.substr(0, 500)) << c.calls;  // a short diff
        EXPECT_EQ(Joined(platform.calls), c.calls);
        EXPECT_EQ(chooser.shown.values, Only(Element::Hint).values);
        EXPECT_EQ(selection.values, c.elements.value_or(Only(Element::Hint)).values);
        for (const FakePlatform::Message& message : platform.messages) {
            EXPECT_EQ(message.text, c.command == kExport ? "Unable to save file" : kNoPrinterText);
            EXPECT_TRUE(message.owner == MessageOwner::Window &&
                        message.icon == MessageIcon::Exclamation);
        }
        for (const FileDialogData& data : platform.saveRequests) {
            EXPECT_EQ(data.filter + data.defaultExt, "Text Files (*.TXT)|*.txt|TXT");
            EXPECT_EQ(data.flags, kOfnOverwritePrompt | kOfnHideReadOnly);
        }
        if (!device.pages.empty()) {
            EXPECT_EQ(device.grid.charsPerInch * 100 + device.grid.linesPerInch, 1706);
        }
    }
}

}  // namespace
