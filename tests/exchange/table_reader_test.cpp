// The reading rules of delimited text, one table of files and what they give, and one of
// damaged files and the line each problem is reported on.
#include "exchange/table_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model_test_support.h"

namespace {

ImportOptions Options(char separator = 0, char delimiter = '\0', int method = 1,
                      bool replace = false) {
    ImportOptions options;
    options.separator = separator;
    options.answerDelimiter = delimiter;
    options.method = AnswerMethod(method);
    options.replaceUnmappable = replace;
    return options;
}

// A question as an import makes it: no delimiter, method All, flags "useHint, confirm,
// checkSpaces, caseSensitive" as in the question file.
Zentu_Data Q(std::string q, std::string a, std::string h = "", const char* flags = "0000",
             char delimiter = '\0', int method = 1) {
    return Record(std::move(q), std::move(a), std::move(h), delimiter, flags, method);
}

struct ReadCase {
    const char* name;
    std::string file;
    ImportOptions options;
    std::vector<Zentu_Data> questions;
    // What the report says beside the questions: the separator used, and the counts of
    // extra fields, ignored columns and replaced characters.
    char separator = '\t';
    std::size_t extraFields = 0;
    std::size_t ignoredColumns = 0;
    std::size_t replaced = 0;
    bool skippedHead = false;  // a Title/Author head or a row of column names
};

TEST(TableReaderTest, FilesGiveTheirQuestions) {
    const std::string all11 =
        "#columns:Question\tAnswer\tHint\tRight Response\tWrong Response\tDelimiter\tMethod\t"
        "Case Sensitive\tCheck Spaces\tUse Hint\tUse Right Response\n";
    const ReadCase cases[] = {
        {"no header: question, answer, hint (useHint on); the rest counted",
         "house\tHaus\tder\tnoun\t\nmouse\tMaus\n",
         Options(),
         {Q("house", "Haus", "der", "1000"), Q("mouse", "Maus")},
         '\t',
         1},
        {"sniffs a semicolon before a comma", "a,1;b,2\n", Options(), {Q("a,1", "b,2")}, ';'},
        {"sniffs a comma; quotes hold separators, line breaks and doubled quotes",
         "\"x, y\",\"one\ntwo\"\r\n\"say \"\"hi\"\"\",ok\r\n",
         Options(),
         {Q("x, y", "one\r\ntwo"), Q("say \"hi\"", "ok")},
         ','},
        {"separator by name, comments and blank lines skipped",
         "#separator:PIPE\n\na|b\n# a comment\r\n\r\nc|d",
         Options(),
         {Q("a", "b"), Q("c", "d")},
         '|'},
        {"separator as the character itself",
         "#separator:^\na^b\tc\n",
         Options(),
         {Q("a", "b c")},
         '^'},
        {"the import's separator beats header and sniffing",
         "#separator:comma\na;b,c\n",
         Options(';'),
         {Q("a", "b,c")},
         ';'},
        {"html:true: tags dropped, breaks, block ends, every reference, nbsp a space",
         "#separator:tab\n#html:true\n<b>caf&eacute;</b><br />x\t&lt;i&gt; &amp; "
         "&#233;&#xE9;&nbsp;&euro;\xC2\xA0z\t<div>one</div><div>two</div>\n",
         Options(),
         {Q("caf\xe9\r\nx", "<i> & \xe9\xe9 \x80 z", "one\r\ntwo", "1000")}},
        {"html:true: a block after text breaks the line, an unknown entity stays",
         "#html:true\na<div>b</div>\tx &bogus; < y &amp\n",
         Options(),
         {Q("a\r\nb", "x &bogus; < y &amp")}},
        {"no html header: only <br> forms and numeric references",
         "x<br>y<BR/>z<b>w</b>&amp;&#233;\tA\n",
         Options(),
         {Q("x\r\ny\r\nz<b>w</b>&amp;\xe9", "A")}},
        {"html:false: the text as it stands",
         "#html:false\nx<br>&#233;\tA\n",
         Options(),
         {Q("x<br>&#233;", "A")}},
        {"byte-order mark skipped, UTF-8 to Windows-1252, TAB a space, lone CR a break",
         "\xEF\xBB\xBF\xE2\x82\xAC\xC5\x93,\"a\tb\rc\"\n",
         Options(),
         {Q("\x80\x9c", "a b\r\nc")},
         ','},
        {"not UTF-8: read as Windows-1252",
         "caf\xe9\t\x80\x81\n",
         Options(),
         {Q("caf\xe9", "\x80\x81")}},
        {"a Title/Author head is skipped",
         "Title:Words, old\nAuthor:Me\nhouse,Haus\n",
         Options(),
         {Q("house", "Haus")},
         ',',
         0,
         0,
         0,
         true},
        {"a first row of column names places the fields",
         "answer\t QUESTION \tuse hint\tmethod\nA\tQ\t0\tin-order\n",
         Options(),
         {Q("Q", "A", "", "0000", '\0', 8)},
         '\t',
         0,
         0,
         0,
         true},
        {"named columns: flags as words, methods by name, the delimiter",
         "#columns:Question\tAnswer\tMethod\tCase Sensitive\tCheck Spaces\tUse Right "
         "Response\tDelimiter\tNotes\nq\ta\tonly-one\tyes\tFALSE\ttrue\t;\tmine\n",
         Options(),
         {Q("q", "a", "", "0101", ';', 4)},
         '\t',
         1},
        {"the import's delimiter and method fill what the file does not say",
         "#columns:Answer\tQuestion\tMethod\na;b\tq\t\na;b\tr\tSome\n",
         Options(0, ';', 8),
         {Q("q", "a;b", "", "0000", ';', 8), Q("r", "a;b", "", "0000", ';', 2)}},
        {"an empty delimiter field is none, a number any method, hint without useHint",
         all11 + "q\ta\th\t\t\t\t-7\t0\t1\t0\t1\n",
         Options(0, ','),
         {Q("q", "a", "h", "0110", '\0', -7)}},
        {"columns that header lines name are taken out before counting",
         "#separator:tab\n#deck column:1\n#tags column:4\nDeck\tq\ta\ttag\n",
         Options(),
         {Q("q", "a")},
         '\t',
         0,
         2},
        {"#columns of names that are not ours keep the fields in place",
         "#columns:Front\tBack\nq\ta\n",
         Options(),
         {Q("q", "a")}},
        {"replaced characters: the arrow and the end-of-data byte",
         "\xE2\x86\x92x\ty\x1A\n",
         Options(0, '\0', 1, true),
         {Q("?x", "y?")},
         '\t',
         0,
         0,
         2},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImportedTable table;
        ImportReport report;
        ASSERT_TRUE(ParseTable(c.file, c.options, table, report))
            << DescribeImport(report, "f", 0, false);
        EXPECT_EQ(std::vector<Zentu_Data>(table.questions.begin(), table.questions.end()),
                  c.questions);
        EXPECT_EQ(report.questions, c.questions.size());
        EXPECT_EQ(report.separator, c.separator);
        EXPECT_EQ(report.extraFields, c.extraFields);
        EXPECT_EQ(report.ignoredColumns, c.ignoredColumns);
        EXPECT_EQ(report.replacedCharacters, c.replaced);
        EXPECT_EQ(report.titleAuthorSkipped || report.headerRowSkipped, c.skippedHead);
        if (c.options.separator == 0) {
            EXPECT_EQ(DetectSeparator(c.file), c.separator);
        }
    }
}

struct ProblemCase {
    const char* name;
    std::string file;
    ImportProblem problem;
    std::size_t line;
    std::string message;  // a part of what the user is told
};

TEST(TableReaderTest, BadFilesAreRefusedWithTheirLine) {
    const ProblemCase cases[] = {
        {"a quote left open", "a\tb\n\"open\tx\nmore\n", ImportProblem::UnclosedQuote, 2,
         "f, line 2: a quoted field is not closed"},
        {"a row without an answer, after a field of two lines", "\"a\nb\"\tc\nonly\n",
         ImportProblem::NoAnswerField, 3, "f, line 3: the row has no answer field"},
        {"named columns without Answer", "#columns:Question\tHint\nq\th\n",
         ImportProblem::NoAnswerField, 2, "line 2"},
        {"an unknown method", "#columns:Question\tAnswer\tMethod\nq\ta\tAll\nq\ta\tmost\n",
         ImportProblem::UnknownMethod, 3, "line 3: \"most\" is no answer method"},
        {"a method past 32 bits", "#columns:Question\tAnswer\tMethod\nq\ta\t2147483648\n",
         ImportProblem::UnknownMethod, 2, "2147483648"},
        {"a flag that is no yes or no", "#columns:Question\tAnswer\tUse Hint\nq\ta\tmaybe\n",
         ImportProblem::BadFlag, 2, "line 2: \"maybe\" is neither yes nor no"},
        {"a delimiter of two characters", "#columns:Question\tAnswer\tDelimiter\nq\ta\t;;\n",
         ImportProblem::BadDelimiter, 2, "\";;\" is no delimiter"},
        {"a CR for a delimiter, which no question file keeps",
         "#columns:Question\tAnswer\tDelimiter\nq\ta\t,\nq\ta\t\"\r\"\n",
         ImportProblem::BadDelimiter, 3, "line 3"},
        {"characters a question cannot hold, not replaced",
         "q\t\xE2\x86\x92\n\"x\n\xE2\x88\x9E\x1A\"\tok\n", ImportProblem::Unmappable, 1,
         "f holds 3 characters that a question cannot hold. The first ones:\n"
         "line 1, column 2: U+2192 \xE2\x86\x92\nline 3, column 1: U+221E \xE2\x88\x9E\n"
         "line 3, column 1: U+001A\n"},
    };
    for (const ProblemCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImportedTable table;
        table.questions.Append(Q("kept", "as it was"));
        ImportReport report;
        EXPECT_FALSE(ParseTable(c.file, Options(), table, report));
        EXPECT_EQ(report.problem, c.problem);
        EXPECT_EQ(report.line, c.line);
        EXPECT_EQ(table.questions.Count(), 1u) << "a failed import changed the set";
        EXPECT_NE(DescribeImport(report, "f", 0, false).find(c.message), std::string::npos)
            << DescribeImport(report, "f", 0, false);
    }
}

// Files as drill programs and spreadsheets write them give the texts their users see.
TEST(TableReaderTest, OtherProgramsFilesGiveWhatTheirUsersSee) {
    const struct {
        const char* file;
        std::vector<Zentu_Data> questions;
        const char* notes;
    } cases[] = {
        {"notes_with_html.txt",
         {Q("the house", "das Haus"), Q("caf\xe9 & bar", "das Caf\xe9\r\ndie Bar"),
          Q("good morning, \"friend\"", "Guten Morgen\r\nMorgen!")},
         "3 columns that the file marks for other programs"},
        {"notes_plain.txt",
         {Q("la maison", "the house"), Q("le caf\xe9", "the caf\xe9\r\nthe coffee shop"),
          Q("l&apos;\xe9"
            "cole",
            "the school")},
         "separated by Tab"},
        {"titled_vocabulary.csv",
         {Q("hola", "hello, hi"), Q("gracias", "thank you"), Q("adi\xf3s", "goodbye")},
         "read as Windows-1252.\nThe first two lines, a title and an author, were skipped."},
        {"spreadsheet.csv",
         {Q("Capital of France?", "Paris"),
          Q("Primary colours?", "red,green,blue", "three of them", "1000", ',', 2),
          Q("Two lines?", "one\r\ntwo", "", "0000", '\0', 4)},
         "The first row names the columns"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ImportedTable table;
        ImportReport report;
        ASSERT_TRUE(ReadTableFile(std::string(ZENTU_TEST_DATA_DIR "/exchange/") + c.file, Options(),
                                  table, report));
        EXPECT_EQ(std::vector<Zentu_Data>(table.questions.begin(), table.questions.end()),
                  c.questions);
        const std::string said = DescribeImport(report, c.file, 0, true);
        EXPECT_NE(said.find(c.notes), std::string::npos) << said;
    }
}

}  // namespace

namespace {

// The font line is taken only when a question file could carry it as it reads: a face name
// with a CR (which a question file drops) or 0x1A (where its data ends) would come back
// otherwise, or end the file early.
TEST(TableReaderTest, FontLineTakenOnlyWhenAQuestionFileCanCarryIt) {
    const struct {
        std::string line;
        bool read;
    } cases[] = {
        {"#font:-20 0 0 0 700 0 0 0 0 0 0 0 0 Liberation Serif  ", true},
        {"#font:-20 0 0 0 700 0 0 0 0 0 0 0 0 Se\rrif", false},
        {"#font:-20 0 0 0 700 0 0 0 0 0 0 0 0 Se\x1Arif", false},
        {"#font:-20 0 0 0 700 0 0 0 0 0 0 0 0 \xC5\x91", false},
    };
    for (const auto& c : cases) {
        ImportedTable table;
        ImportReport report;
        ASSERT_TRUE(ParseTable(c.line + "\na\tb\n", ImportOptions(), table, report)) << c.line;
        EXPECT_EQ(table.fontRead, c.read) << c.line;
        if (c.read) {
            EXPECT_EQ(table.font.faceName, "Liberation Serif  ");
        }
    }
}

}  // namespace
