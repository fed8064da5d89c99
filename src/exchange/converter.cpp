#include "exchange/converter.h"

#include <algorithm>
#include <optional>

#include "exchange/table_reader.h"
#include "exchange/table_writer.h"
#include "model/question_file.h"
#include "model/text_helpers.h"
#include "model/windows1252.h"
#include "output/element_selection.h"
#include "output/print_commands.h"
#include "res/string_table.h"

namespace {

enum class FileFormat { Que, TabTable, CommaTable, Listing };

std::optional<FileFormat> FormatOf(const std::string& path, bool input) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = FoldAsciiCase(c);
    if (ext == "que") return FileFormat::Que;
    if (ext == "tsv") return FileFormat::TabTable;
    if (ext == "csv") return FileFormat::CommaTable;
    // Drill programs write their tab-separated exports as .txt; we write the listing there.
    if (ext == "txt") return input ? FileFormat::TabTable : FileFormat::Listing;
    return {};
}

std::string Message(int id, std::initializer_list<std::string> args = {}) {
    return FormatText(id, args) + "\n";
}

// The element names of --elements, in the order of the element dialog.
constexpr const char* kElementNames[kElementCount] = {
    "question",        "answer",         "hint",   "delimiter",    "use-hint",
    "confirm-correct", "case-sensitive", "method", "check-spaces",
};

bool ParseElements(const std::string& list, ElementSelection& selection) {
    selection = ElementSelection();
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        const auto* found = std::find(std::begin(kElementNames), std::end(kElementNames), name);
        if (found == std::end(kElementNames)) return false;
        selection.values[std::size_t(found - std::begin(kElementNames))] = 1;
        start = comma + 1;
    }
    return true;
}

// One character of the command line (UTF-8) as a stored byte.
bool ParseCharacter(const std::string& text, char& byte) {
    char32_t codePoint = 0;
    std::size_t length = 0;
    unsigned char mapped = 0;
    if (text.empty() || !DecodeUtf8(text.data(), text.size(), 0, codePoint, length) ||
        length != text.size() || codePoint == '\t' || codePoint == '\r' || codePoint == 0x1A ||
        !CodePointToCp1252(codePoint, mapped)) {
        return false;
    }
    byte = static_cast<char>(mapped);
    return true;
}

struct CommandLine {
    ImportOptions options;
    int queFormat = kFormatVersion11;
    ElementSelection elements;
    std::vector<std::string> files;
    bool help = false;
    bool version = false;
};

// False with the message in `err` for a command line we cannot follow.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& err) {
    for (std::size_t i = 0; i < kElementCount; ++i) line.elements.values[i] = 1;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnd || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            line.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        std::optional<std::string> value;
        if (const std::size_t eq = arg.find('='); eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        if (arg == "--help" || arg == "--version" || arg == "--replace-unmappable") {
            if (value) {
                err = Message(kStrConvertBadValue, {arg, *value});
                return false;
            }
            (arg == "--help"      ? line.help
             : arg == "--version" ? line.version
                                  : line.options.replaceUnmappable) = true;
            continue;
        }
        static const char* const kValued[] = {"--separator", "--answer-delimiter", "--method",
                                              "--que-version", "--elements"};
        if (std::find_if(std::begin(kValued), std::end(kValued),
                         [&](const char* o) { return arg == o; }) == std::end(kValued)) {
            err = Message(kStrConvertUnknownOption, {arg});
            return false;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                err = Message(kStrConvertMissingValue, {arg});
                return false;
            }
            value = args[++i];
        }
        bool valid = false;
        if (arg == "--separator") {
            char separator = 0;
            valid = ParseSeparator(*value, separator);
            line.options.separator = separator;
        } else if (arg == "--answer-delimiter") {
            valid = ParseCharacter(*value, line.options.answerDelimiter);
        } else if (arg == "--method") {
            // Only the names: a number is no method a user picks.
            AnswerMethod method = AnswerMethod::All;  // taken only when valid
            const bool digit = !value->empty() &&
                               ((*value)[0] == '-' || ((*value)[0] >= '0' && (*value)[0] <= '9'));
            valid = !digit && ParseMethod(*value, method);
            line.options.method = method;
        } else if (arg == "--que-version") {
            valid = *value == "1.0" || *value == "1.1";
            line.queFormat = *value == "1.0" ? kFormatVersion10 : kFormatVersion11;
        } else {
            valid = ParseElements(*value, line.elements);
        }
        if (!valid) {
            err = Message(kStrConvertBadValue, {arg, *value});
            return false;
        }
    }
    return true;
}

struct LoadedSet {
    Question_Set questions;
    LogFont font = StartupDisplayFont();
    bool fontRead = false;
};

bool Load(const std::string& path, FileFormat format, const ImportOptions& options, LoadedSet& set,
          std::string& err) {
    if (format == FileFormat::Que) {
        int formatNumber = 0;
        switch (ReadQuestionFile(path, set.questions, set.font, set.fontRead, &formatNumber)) {
            case ReadOutcome::Loaded:
                // A format we do not know reads as empty questions; converting them would
                // pass off nothing as the file's content.
                if (IsKnownFormat(formatNumber)) return true;
                [[fallthrough]];
            case ReadOutcome::UnreadableVersion:
                err += Message(kStrConvertUnreadableVersion, {path});
                return false;
            case ReadOutcome::OpenFailed:
                err += Message(kStrImportOpenFailed, {path});
                return false;
        }
    }
    ImportedTable table;
    table.font = set.font;
    ImportReport report;
    const bool read = ReadTableFile(path, options, table, report);
    const std::string notes = DescribeImport(report, path, kStrConvertReplaceHint, false);
    if (!notes.empty()) err += notes + "\n";
    if (!read) return false;
    set.questions = std::move(table.questions);
    set.font = table.font;
    set.fontRead = table.fontRead;
    return true;
}

bool Store(const std::string& path, FileFormat format, const CommandLine& line,
           const LoadedSet& set, std::string& err) {
    const LogFont* font = set.fontRead ? &set.font : nullptr;
    switch (format) {
        case FileFormat::Que:
            if (line.queFormat == kFormatVersion10) {
                std::size_t dropped = 0;
                for (const Zentu_View r : set.questions) {
                    dropped += !r.rightResponse.empty();
                    dropped += !r.wrongResponse.empty();
                }
                if (dropped > 0) {
                    err += Message(kStrConvertDroppedResponses, {path, std::to_string(dropped)});
                }
            }
            return WriteQuestionFile(path, set.questions, line.queFormat, font);
        case FileFormat::TabTable:
            return WriteTableFile(path, set.questions, font, TableKind::TabSeparated);
        case FileFormat::CommaTable:
            return WriteTableFile(path, set.questions, font, TableKind::CommaSeparated);
        case FileFormat::Listing:
            return WriteExportFile(path, set.questions, line.elements);
    }
    return false;
}

}  // namespace

int RunConverter(const std::vector<std::string>& args, const std::string& version, std::string& out,
                 std::string& err) {
    CommandLine line;
    if (!ParseCommandLine(args, line, err)) {
        err += Message(kStrConvertTryHelp);
        return kConvertUsage;
    }
    if (line.help) {
        out += Message(kStrConvertUsage);
        return kConvertDone;
    }
    if (line.version) {
        out += "zentu-convert " + version + "\n";
        return kConvertDone;
    }
    if (line.files.size() != 2) {
        err += Message(kStrConvertFileCount) + Message(kStrConvertTryHelp);
        return kConvertUsage;
    }
    const std::optional<FileFormat> from = FormatOf(line.files[0], true);
    const std::optional<FileFormat> to = FormatOf(line.files[1], false);
    for (const auto& [format, file] :
         {std::pair{from, line.files[0]}, std::pair{to, line.files[1]}}) {
        if (!format) {
            err += Message(kStrConvertUnknownFormat, {file}) + Message(kStrConvertTryHelp);
            return kConvertUsage;
        }
    }
    LoadedSet set;
    if (!Load(line.files[0], *from, line.options, set, err)) {
        err += Message(kStrConvertNothingWritten);
        return kConvertFailed;
    }
    if (!Store(line.files[1], *to, line, set, err)) {
        err += Message(kStrConvertUnableToSave, {line.files[1]});
        return kConvertFailed;
    }
    return kConvertDone;
}
