#include "exchange/table_format.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "model/text_helpers.h"
#include "model/windows1252.h"
#include "res/string_table.h"

const std::array<const char*, kColumnCount> kColumnNames = {
    "Question",           "Answer", "Hint",           "Right Response", "Wrong Response",
    "Delimiter",          "Method", "Case Sensitive", "Check Spaces",   "Use Hint",
    "Use Right Response",
};

bool ColumnByName(std::string_view name, Column& column) {
    // Spreadsheets keep the spaces typed around a heading.
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (EqualsFoldAscii(name, kColumnNames[i])) {
            column = static_cast<Column>(i);
            return true;
        }
    }
    return false;
}

namespace {

struct MethodEntry {
    AnswerMethod method;
    const char* name;
};
constexpr MethodEntry kMethodNames[] = {
    {AnswerMethod::All, "All"},
    {AnswerMethod::Some, "Some"},
    {AnswerMethod::OnlyOne, "Only one"},
    {AnswerMethod::AllInOrder, "All in order"},
};

struct SeparatorEntry {
    char separator;
    const char* name;
};
constexpr SeparatorEntry kSeparatorNames[] = {
    {'\t', "Tab"}, {',', "Comma"}, {';', "Semicolon"},
    {'|', "Pipe"}, {':', "Colon"}, {' ', "Space"},
};

}  // namespace

std::string MethodName(AnswerMethod method) {
    for (const MethodEntry& entry : kMethodNames) {
        if (entry.method == method) return entry.name;
    }
    return std::to_string(static_cast<std::int32_t>(method));
}

bool ParseMethod(std::string_view text, AnswerMethod& method) {
    std::string words;
    for (char c : text) words.push_back(c == '-' || c == '_' ? ' ' : c);
    for (const MethodEntry& entry : kMethodNames) {
        if (EqualsFoldAscii(words, entry.name)) {
            method = entry.method;
            return true;
        }
    }
    if (EqualsFoldAscii(words, "in order")) {
        method = AnswerMethod::AllInOrder;
        return true;
    }
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    std::int32_t number = 0;
    const auto result = std::from_chars(first, last, number);
    if (first == last || result.ec != std::errc() || result.ptr != last) return false;
    method = static_cast<AnswerMethod>(number);
    return true;
}

bool ParseFlag(std::string_view text, bool& flag) {
    for (const char* yes : {"1", "true", "yes"}) {
        if (EqualsFoldAscii(text, yes)) return flag = true;
    }
    for (const char* no : {"0", "false", "no"}) {
        if (EqualsFoldAscii(text, no)) {
            flag = false;
            return true;
        }
    }
    return false;
}

bool ParseSeparator(std::string_view text, char& separator) {
    for (const SeparatorEntry& entry : kSeparatorNames) {
        if (EqualsFoldAscii(text, entry.name)) {
            separator = entry.separator;
            return true;
        }
    }
    // A quote or a line end cannot part fields.
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80 && text[0] != '"' &&
        text[0] != '\r' && text[0] != '\n' && text[0] != '\0') {
        separator = text[0];
        return true;
    }
    return false;
}

std::string SeparatorName(char separator) {
    for (const SeparatorEntry& entry : kSeparatorNames) {
        if (entry.separator == separator) return entry.name;
    }
    return std::string(1, separator);
}

std::string FormatText(int id, std::initializer_list<std::string> args) {
    const std::string& text = LoadString(id);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? std::size_t(text[i + 1] - '1') : args.size();
        if (text[i] == '%' && n < args.size()) {
            out += *(args.begin() + n);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

std::string Format(int id, std::initializer_list<std::string> args) { return FormatText(id, args); }

std::string Number(std::size_t n) { return std::to_string(n); }

// "U+2192 →": the code point, and the character itself where it shows.
std::string NameCharacter(char32_t codePoint) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(codePoint));
    std::string name = hex;
    if (codePoint >= 0xA0 && !(codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        name += ' ';
        AppendUtf8(name, codePoint);
    }
    return name;
}

}  // namespace

std::string DescribeImport(const ImportReport& report, const std::string& fileName,
                           int replaceHintId, bool withSummary) {
    std::string text;
    const auto line = [&](const std::string& l) {
        if (!text.empty()) text += '\n';
        text += l;
    };
    const std::string at = Number(report.line);
    switch (report.problem) {
        case ImportProblem::None:
            break;
        case ImportProblem::Cancelled:
            return std::string();
        case ImportProblem::OpenFailed:
            return Format(kStrImportOpenFailed, {fileName});
        case ImportProblem::TooLarge:
            return Format(kStrImportTooLarge, {fileName});
        case ImportProblem::UnclosedQuote:
            return Format(kStrImportUnclosedQuote, {fileName, at});
        case ImportProblem::NoAnswerField:
            return Format(kStrImportNoAnswer, {fileName, at});
        case ImportProblem::UnknownMethod:
            return Format(kStrImportUnknownMethod, {fileName, at, report.value});
        case ImportProblem::BadFlag:
            return Format(kStrImportBadFlag, {fileName, at, report.value});
        case ImportProblem::BadDelimiter:
            return Format(kStrImportBadDelimiter, {fileName, at, report.value});
        case ImportProblem::Unmappable:
            line(Format(kStrImportUnmappable, {fileName, Number(report.unmappableCount)}));
            for (const UnmappableChar& c : report.unmappable) {
                line(Format(kStrImportUnmappableAt,
                            {Number(c.line), Number(c.column), NameCharacter(c.codePoint)}));
            }
            line(LoadString(replaceHintId));
            return text;
    }
    if (withSummary) {
        line(Format(kStrImportRead, {Number(report.questions), fileName}));
        line(Format(kStrImportSeparator, {SeparatorName(report.separator)}));
    }
    if (report.readAsWindows1252) line(LoadString(kStrImportWindows1252));
    if (report.titleAuthorSkipped) line(LoadString(kStrImportTitleAuthor));
    if (report.headerRowSkipped) line(LoadString(kStrImportHeaderRow));
    const std::pair<int, std::size_t> counts[] = {
        {kStrImportIgnoredColumns, report.ignoredColumns},
        {kStrImportUnknownColumns, report.unknownColumns},
        {kStrImportExtraFields, report.extraFields},
        {kStrImportReplaced, report.replacedCharacters},
    };
    for (const auto& [id, count] : counts) {
        if (count > 0) line(Format(id, {Number(count)}));
    }
    return text;
}
