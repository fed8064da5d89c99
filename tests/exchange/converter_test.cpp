// zentu-convert as a user runs it: the real program, its exit status, what it prints and
// what it writes (nothing at all when it fails).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "exchange/table_writer.h"
#include "model/model_test_support.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct ConvertCase {
    const char* name;
    std::string args;  // after the program's name, in the test's folder
    int status;
    std::string said;    // a part of stdout and stderr together
    const char* output;  // the file the run must write, or must not leave behind
    std::string bytes;   // what that file holds; empty: it must not exist
};

TEST(ConverterTest, ExitStatusMessagesAndFiles) {
    const fs::path dir = fs::temp_directory_path() / ("zentu-convert-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    };
    const LogFont font = StartupDisplayFont();
    const Question_Set set = SetOf({Record("2+2?", "4", "", ',', "0000", 1, "Right!", "No."),
                                    Record("Stra\xdf"
                                           "e",
                                           "street\r\nroad", "h", ';', "1001", 4)});
    const std::string que11 = FormatQuestionFile(set, 2, &font);
    write("set.que", que11);
    write("bad.tsv", "#separator:tab\nq\ta\nonly a question\n");
    write("arrow.tsv", "q\t\xE2\x86\x92\n");
    write("semi.csv", "Title:Words\nAuthor:Me\nx;y\n");
    // Past the import's cap, without using the disk: a sparse file.
    std::ofstream(dir / "huge.tsv").close();
    fs::resize_file(dir / "huge.tsv", (std::uintmax_t(768) << 20) + 1);

    const ConvertCase cases[] = {
        {"help", "--help", 0, "Usage: zentu-convert [OPTIONS] INPUT OUTPUT", nullptr, ""},
        {"version", "--version", 0, "zentu-convert 1.", nullptr, ""},
        {"no files", "", 2, "give one INPUT and one OUTPUT file", nullptr, ""},
        {"unknown option", "--bogus set.que x.tsv", 2, "unknown option --bogus", "x.tsv", ""},
        {"bad method", "--method=most set.que x.tsv", 2, "\"most\" is no valid value for --method",
         "x.tsv", ""},
        {"unknown format", "set.que x.doc", 2, "x.doc: unknown format", "x.doc", ""},
        {"to a table, any case of extension", "set.que t.TSV", 0, "", "t.TSV",
         FormatTable(set, &font, TableKind::TabSeparated)},
        {"and back: the same bytes", "t.TSV back.que", 0, "", "back.que", que11},
        {"version 1.0 drops the responses, and says so", "--que-version 1.0 t.TSV old.que", 0,
         "old.que: version 1.0 has no response texts; 2 were dropped.", "old.que",
         FormatQuestionFile(set, 1, nullptr)},
        {"a bad row: file and line, nothing written", "bad.tsv x.que", 1,
         "bad.tsv, line 3: the row has no answer field.\nNothing was written.", "x.que", ""},
        {"an unstorable character: named, nothing written", "arrow.tsv x.que", 1,
         "line 1, column 2: U+2192 \xE2\x86\x92\nConvert again with --replace-unmappable", "x.que",
         ""},
        {"replaced on request", "--replace-unmappable arrow.tsv r.que", 0,
         "1 characters that a question cannot hold were replaced", "r.que",
         FormatQuestionFile(SetOf({Record("q", "?", "", '\0')}), 2, nullptr)},
        {"the import's options and a Title/Author head",
         "--separator Semicolon --answer-delimiter / --method in-order semi.csv s.que", 0,
         "a title and an author, were skipped", "s.que",
         FormatQuestionFile(SetOf({Record("x", "y", "", '/', "0000", 8)}), 2, nullptr)},
        {"a file that is not there", "missing.tsv x.que", 1, "missing.tsv: unable to open file",
         "x.que", ""},
        {"a file past the cap", "huge.tsv x.que", 1, "huge.tsv is larger than 768 MiB", "x.que",
         ""},
        {"the listing with chosen elements", "--elements question,answer set.que list.txt", 0, "",
         "list.txt",
         "Question: 1\r\n2+2?\r\n4\r\nQuestion: 2\r\nStra\xdf"
         "e\r\nstreet\r\r\nroad\r\n"},
        {"an unwritable output", "set.que no/such/dir.tsv", 1, "no/such/dir.tsv: unable to save",
         nullptr, ""},
    };
    for (const ConvertCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string command =
            "cd '" + dir.string() + "' && '" ZENTU_CONVERT_PATH "' " + c.args + " >said.txt 2>&1";
        const int result = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(result));
        EXPECT_EQ(WEXITSTATUS(result), c.status);
        const std::string said = Slurp(dir / "said.txt");
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        if (c.said.empty()) {
            EXPECT_EQ(said, "") << "a clean run says nothing";
        }
        if (c.output != nullptr) {
            EXPECT_EQ(fs::exists(dir / c.output), !c.bytes.empty());
            if (!c.bytes.empty()) {
                EXPECT_EQ(Escaped(Slurp(dir / c.output)), Escaped(c.bytes));
            }
        }
    }
    fs::remove_all(dir);
}

}  // namespace
