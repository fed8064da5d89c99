// Question sets as delimited text: what an import is told, what it found, and the
// names of the eleven columns and of the answer methods, shared by reader and writer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/zentu_data.h"

// The columns in the order the writer puts them.
enum class Column : std::size_t {
    Question,
    Answer,
    Hint,
    RightResponse,
    WrongResponse,
    Delimiter,
    Method,
    CaseSensitive,
    CheckSpaces,
    UseHint,
    UseRightResponse,
};
constexpr std::size_t kColumnCount = 11;
extern const std::array<const char*, kColumnCount> kColumnNames;
// The column named `name` (ASCII case and spaces around it ignored); false for any other
// name.
bool ColumnByName(std::string_view name, Column& column);

// "All", "Some", "Only one", "All in order", or the number for any other value.
std::string MethodName(AnswerMethod method);
// The names above in any case, with hyphens or underscores for spaces ("only-one"),
// "in-order" for all in order, or a decimal 32-bit number. False for anything else.
bool ParseMethod(std::string_view text, AnswerMethod& method);
// "1", "0", "true", "false", "yes", "no" in any case. False for anything else.
bool ParseFlag(std::string_view text, bool& flag);

// "Tab", "Comma", "Semicolon", "Pipe", "Colon", "Space" in any case, or the one ASCII
// character itself. False for anything else.
bool ParseSeparator(std::string_view text, char& separator);
// The name of a separator that has one ("Tab"), else the character itself.
std::string SeparatorName(char separator);

// How the HTML of a file's fields is taken.
enum class HtmlMode {
    Unstated,  // no #html header: <br> forms and numeric references only
    On,        // #html:true: tags, block ends and every character reference
    Off,       // #html:false: the text as it stands
};

struct ImportOptions {
    // 0: the file's #separator header, else the one sniffed from its first data line.
    char separator = 0;
    // For questions whose file says nothing of them: by default the whole answer field
    // is one answer (NUL delimiter) and method All.
    char answerDelimiter = '\0';
    AnswerMethod method = AnswerMethod::All;
    // Characters that a question text cannot hold become '?' instead of stopping the import.
    bool replaceUnmappable = false;
};

enum class ImportProblem {
    None,
    OpenFailed,     // the file cannot be read at all
    TooLarge,       // past kMaxTableFileBytes
    UnclosedQuote,  // a quoted field runs to the end of the file
    NoAnswerField,  // a row ends before its answer field
    UnknownMethod,  // a method field that names no method
    BadFlag,        // a flag field that is no yes/no value
    BadDelimiter,   // a delimiter field of more than one character
    Unmappable,     // characters that a question text cannot hold, not replaced
    Cancelled,      // the user stopped a long import
};

// One character a question text cannot hold, where the file has it.
struct UnmappableChar {
    std::size_t line = 0;
    std::size_t column = 0;  // the field's column in the file, from 1
    char32_t codePoint = 0;
};

struct ImportReport {
    ImportProblem problem = ImportProblem::None;
    std::size_t line = 0;  // of the problem, from 1
    std::string value;     // the field a problem names (a method, a flag), as UTF-8

    std::size_t questions = 0;
    char separator = '\t';
    bool readAsWindows1252 = false;  // the file was not UTF-8
    bool titleAuthorSkipped = false;
    bool headerRowSkipped = false;   // a first row of column names
    std::size_t ignoredColumns = 0;  // named by "#... column:N" lines
    std::size_t unknownColumns = 0;  // named in #columns: but not ours
    std::size_t extraFields = 0;     // fields past those that land anywhere
    std::size_t replacedCharacters = 0;
    std::size_t unmappableCount = 0;
    std::vector<UnmappableChar> unmappable;  // the first few
};
constexpr std::size_t kUnmappableListed = 5;

// An import takes files of up to three times the question files' cap: UTF-8 may take
// three bytes for a character that a question file stores in one.
constexpr std::size_t kMaxTableFileBytes = std::size_t(768) << 20;

// The text of string `id` with %1, %2 ... replaced by `args`.
std::string FormatText(int id, std::initializer_list<std::string> args);

// The report as lines for the user, from the string table, with `fileName` where a
// message names the file. UTF-8, since it may name characters no stored text can hold.
// After unmappable characters comes string `replaceHintId`, which says how to replace
// them; `withSummary` puts the count of questions first.
std::string DescribeImport(const ImportReport& report, const std::string& fileName,
                           int replaceHintId, bool withSummary);
