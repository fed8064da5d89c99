#include "exchange/table_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "model/question_file.h"
#include "model/safe_file.h"
#include "model/text_helpers.h"
#include "model/windows1252.h"

namespace {

bool StartsWithFoldAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsFoldAscii(text.substr(0, prefix.size()), prefix);
}

// The file after its encoding is settled and its head is read: where the data starts
// and what the header lines said.
struct Head {
    std::size_t pos = 0;   // first byte after the header lines (and a Title/Author head)
    std::size_t line = 1;  // the line number there
    char separator = 0;    // from #separator:, 0 when none
    HtmlMode html = HtmlMode::Unstated;
    std::optional<std::string> columns;
    std::vector<std::size_t> ignoredColumns;  // from 1
    std::optional<std::string> font;
    bool titleAuthor = false;
};

// The line starting at `pos`, without its LF and a CR before it.
std::string_view LineAt(const std::string& text, std::size_t pos, std::size_t& next) {
    std::size_t end = text.find('\n', pos);
    next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > pos && text[end - 1] == '\r') --end;
    return std::string_view(text).substr(pos, end - pos);
}

// "#key:value" with a key of letters, digits, spaces, hyphens or underscores.
bool SplitHeader(std::string_view line, std::string& key, std::string_view& value) {
    if (line.empty() || line[0] != '#') return false;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    key.clear();
    for (char c : line.substr(1, colon - 1)) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_';
        if (!ok) return false;
        key.push_back(FoldAsciiCase(c));
    }
    value = line.substr(colon + 1);
    return true;
}

// Turns `bytes` into UTF-8 without a byte-order mark; a file that is no valid UTF-8 is
// taken as Windows-1252.
void SettleEncoding(std::string& bytes, bool& windows1252) {
    windows1252 = false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    if (IsValidUtf8(bytes)) return;
    windows1252 = true;
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char byte : bytes) AppendUtf8(utf8, Cp1252ToCodePoint(byte));
    bytes.swap(utf8);
}

Head ReadHead(const std::string& text) {
    Head head;
    std::string key;
    std::string_view value;
    bool anyHeader = false;
    while (head.pos < text.size()) {
        std::size_t next = 0;
        const std::string_view line = LineAt(text, head.pos, next);
        if (!SplitHeader(line, key, value)) break;
        anyHeader = true;
        if (key == "separator") {
            char separator = 0;
            if (ParseSeparator(value, separator)) head.separator = separator;
        } else if (key == "html") {
            if (EqualsFoldAscii(value, "true")) head.html = HtmlMode::On;
            if (EqualsFoldAscii(value, "false")) head.html = HtmlMode::Off;
        } else if (key == "columns") {
            head.columns = std::string(value);
        } else if (key == "font") {
            head.font = std::string(value);
        } else if (key.size() > 7 && key.compare(key.size() - 7, 7, " column") == 0) {
            std::size_t number = 0;
            bool digits = !value.empty() && value.size() < 9;
            for (char c : value) {
                digits = digits && c >= '0' && c <= '9';
                if (digits) number = number * 10 + std::size_t(c - '0');
            }
            if (digits && number > 0) head.ignoredColumns.push_back(number);
        }
        head.pos = next;
        ++head.line;
    }
    // Some drill programs write a title and an author line before their rows; only a
    // file without header lines can have that head.
    if (!anyHeader) {
        std::size_t second = 0, third = 0;
        const std::string_view title = LineAt(text, 0, second);
        const std::string_view author = LineAt(text, second, third);
        if (second < text.size() && StartsWithFoldAscii(title, "Title:") &&
            StartsWithFoldAscii(author, "Author:")) {
            head.pos = third;
            head.line = 3;
            head.titleAuthor = true;
        }
    }
    return head;
}

char SniffSeparator(const std::string& text, std::size_t pos) {
    // The first line that is neither blank nor a comment.
    while (pos < text.size()) {
        std::size_t next = 0;
        const std::string_view line = LineAt(text, pos, next);
        if (!line.empty() && line[0] != '#') {
            bool quoted = false;
            bool seen[3] = {false, false, false};
            for (char c : line) {
                if (c == '"') quoted = !quoted;
                if (quoted) continue;
                if (c == '\t') seen[0] = true;
                if (c == ';') seen[1] = true;
                if (c == ',') seen[2] = true;
            }
            if (seen[0]) return '\t';
            if (seen[1]) return ';';
            if (seen[2]) return ',';
            return '\t';
        }
        pos = next;
    }
    return '\t';
}

// About the number of rows from `pos` on: the line ends outside quotes. Reserving that
// many questions at once spares the set's growth, which would briefly hold it twice.
std::size_t CountRows(const std::string& text, std::size_t pos) {
    const char* p = text.data() + pos;
    const char* const end = text.data() + text.size();
    std::size_t rows = 1;
    bool quoted = false;
    for (;;) {
        const char* quote = static_cast<const char*>(std::memchr(p, '"', std::size_t(end - p)));
        const char* stop = quote != nullptr ? quote : end;
        if (!quoted) rows += std::size_t(std::count(p, stop, '\n'));
        if (quote == nullptr) return rows;
        quoted = !quoted;
        p = quote + 1;
    }
}

struct Field {
    std::string_view text;
    std::size_t line = 0;
    std::size_t column = 0;  // in the file, from 1
};

// Splits the file into records of fields, quotes and line breaks inside quotes included.
class RecordSplitter {
  public:
    RecordSplitter(const std::string& text, std::size_t pos, std::size_t line, char separator)
        : data(text.data()), size(text.size()), pos(pos), line(line), separator(separator) {}

    // The next record, past blank and comment lines; false at the end of the data or on an
    // unclosed quote (then `unclosedLine` is set).
    bool Next(std::vector<Field>& fields, std::size_t& recordLine) {
        fields.clear();
        SkipBlankAndComments();
        if (pos >= size) return false;
        recordLine = line;
        for (std::size_t column = 1;; ++column) {
            if (scratch.size() < column) scratch.emplace_back();
            Field field;
            field.line = line;
            field.column = column;
            if (data[pos] == '"') {
                if (!Quoted(scratch[column - 1], field.text)) return false;
            } else {
                Unquoted(field.text);
            }
            fields.push_back(field);
            if (pos >= size) return true;
            if (data[pos] == separator) {
                ++pos;
                if (pos >= size) {
                    // A separator at the very end leaves one empty field behind it.
                    fields.push_back({std::string_view(), line, column + 1});
                    return true;
                }
                continue;
            }
            if (data[pos] == '\r' && pos + 1 < size && data[pos + 1] == '\n') ++pos;
            if (data[pos] == '\n') {
                ++pos;
                ++line;
            }
            return true;
        }
    }

    std::size_t unclosedLine = 0;
    std::size_t Position() const { return pos; }

  private:
    void SkipBlankAndComments() {
        while (pos < size) {
            if (data[pos] == '\n') {
                ++pos, ++line;
            } else if (data[pos] == '\r' && pos + 1 < size && data[pos + 1] == '\n') {
                pos += 2, ++line;
            } else if (data[pos] == '#') {
                const void* lf = std::memchr(data + pos, '\n', size - pos);
                pos = lf == nullptr ? size : std::size_t(static_cast<const char*>(lf) - data) + 1;
                ++line;
            } else {
                return;
            }
        }
    }

    void Unquoted(std::string_view& text) {
        const std::size_t start = pos;
        while (pos < size && data[pos] != separator && data[pos] != '\n') ++pos;
        std::size_t end = pos;
        if (end > start && data[end - 1] == '\r' && (pos >= size || data[pos] == '\n')) --end;
        text = std::string_view(data + start, end - start);
    }

    // A field in quotes: "" is one quote; separators and line breaks inside are text.
    // Characters between the closing quote and the next separator are kept as they stand.
    bool Quoted(std::string& unescaped, std::string_view& text) {
        const std::size_t openLine = line;
        ++pos;
        std::size_t start = pos;
        bool copied = false;
        for (;;) {
            const void* found = std::memchr(data + pos, '"', size - pos);
            if (found == nullptr) {
                unclosedLine = openLine;
                return false;
            }
            const std::size_t quote = std::size_t(static_cast<const char*>(found) - data);
            line += std::size_t(std::count(data + pos, data + quote, '\n'));
            if (quote + 1 < size && data[quote + 1] == '"') {
                if (!copied) unescaped.clear();
                unescaped.append(data + start, quote + 1 - start);
                copied = true;
                pos = start = quote + 2;
                continue;
            }
            pos = quote + 1;
            if (copied) {
                unescaped.append(data + start, quote - start);
                text = unescaped;
            } else {
                text = std::string_view(data + start, quote - start);
            }
            break;
        }
        if (pos < size && data[pos] != separator && data[pos] != '\n' &&
            !(data[pos] == '\r' && pos + 1 < size && data[pos + 1] == '\n')) {
            std::string_view rest;
            Unquoted(rest);
            if (!copied) unescaped.assign(text);
            unescaped.append(rest);
            text = unescaped;
        }
        return true;
    }

    const char* data;
    std::size_t size;
    std::size_t pos;
    std::size_t line;
    char separator;
    std::deque<std::string> scratch;  // unescaped quoted fields, one per column; a deque keeps
                                      // them in place as it grows
};

// Named character references of HTML that Windows-1252 can hold.
struct Entity {
    const char* name;
    char32_t codePoint;
};
constexpr const char* kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};
constexpr Entity kOtherEntities[] = {
    {"amp", '&'},      {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},    {"euro", 0x20AC},   {"sbquo", 0x201A},  {"fnof", 0x0192},
    {"bdquo", 0x201E}, {"hellip", 0x2026}, {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"circ", 0x02C6},  {"permil", 0x2030}, {"Scaron", 0x0160}, {"lsaquo", 0x2039},
    {"OElig", 0x0152}, {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"ldquo", 0x201C},
    {"rdquo", 0x201D}, {"bull", 0x2022},   {"ndash", 0x2013},  {"mdash", 0x2014},
    {"tilde", 0x02DC}, {"trade", 0x2122},  {"scaron", 0x0161}, {"rsaquo", 0x203A},
    {"oelig", 0x0153}, {"Yuml", 0x0178},
};

bool LookUpEntity(std::string_view name, char32_t& codePoint) {
    for (std::size_t i = 0; i < 96; ++i) {
        if (name == kLatin1Names[i]) {
            codePoint = char32_t(0xA0 + i);
            return true;
        }
    }
    for (const Entity& entity : kOtherEntities) {
        if (name == entity.name) {
            codePoint = entity.codePoint;
            return true;
        }
    }
    return false;
}

// A character reference at text[pos] ('&'); its length goes to `length`. Numeric ones
// always, named ones only when `named`.
bool ParseReference(std::string_view text, std::size_t pos, bool named, char32_t& codePoint,
                    std::size_t& length) {
    const std::size_t semicolon = text.find(';', pos);
    if (semicolon == std::string_view::npos || semicolon - pos > 12 || semicolon - pos < 2) {
        return false;
    }
    std::string_view body = text.substr(pos + 1, semicolon - pos - 1);
    length = semicolon - pos + 1;
    if (body[0] != '#') return named && LookUpEntity(body, codePoint);
    body.remove_prefix(1);
    int base = 10;
    if (!body.empty() && (body[0] == 'x' || body[0] == 'X')) {
        base = 16;
        body.remove_prefix(1);
    }
    if (body.empty()) return false;
    std::uint32_t value = 0;
    for (char c : body) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return false;
        value = value * std::uint32_t(base) + std::uint32_t(digit);
        if (value > 0x10FFFF) return false;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return false;
    codePoint = value;
    return true;
}

// Tags whose end, or whose start after some text, is a line break.
bool IsBlockTag(std::string_view name) {
    static constexpr const char* kBlocks[] = {"div", "p",  "li",    "h1", "h2",         "h3",
                                              "h4",  "h5", "h6",    "tr", "blockquote", "pre",
                                              "ul",  "ol", "table", "dd", "dt"};
    for (const char* block : kBlocks) {
        if (EqualsFoldAscii(name, block)) return true;
    }
    return false;
}

// Turns the UTF-8 fields of a file into question texts.
class TextConverter {
  public:
    TextConverter(HtmlMode html, bool replace, ImportReport& report)
        : html(html), replace(replace), report(report) {
        for (int c = 0x80; c < 0x100; ++c) special[c] = true;
        for (char c : {'\r', '\n', '\t', '\x1a'}) special[static_cast<unsigned char>(c)] = true;
        if (html != HtmlMode::Off) special['<'] = special['&'] = true;
    }

    void Convert(const Field& field, std::string& out) {
        const std::string_view in = field.text;
        bool plain = true;
        for (char c : in) {
            if (special[static_cast<unsigned char>(c)]) {
                plain = false;
                break;
            }
        }
        if (plain) {
            out.assign(in.data(), in.size());
            return;
        }
        out.clear();
        line = field.line;
        column = field.column;
        tagBreakTail = std::string::npos;
        for (std::size_t i = 0; i < in.size();) {
            const char c = in[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
                ++line;
                ++i;
                Emit(out, '\n');
            } else if (c == '<' && html != HtmlMode::Off && Tag(in, i, out)) {
            } else if (c == '&' && html != HtmlMode::Off) {
                char32_t codePoint = 0;
                std::size_t length = 0;
                if (ParseReference(in, i, html == HtmlMode::On, codePoint, length)) {
                    // A learner cannot type a no-break space.
                    Emit(out, codePoint == 0xA0 ? U' ' : codePoint == '\r' ? U'\n' : codePoint);
                    i += length;
                } else {
                    Emit(out, U'&');
                    ++i;
                }
            } else {
                char32_t codePoint = static_cast<unsigned char>(c);
                std::size_t length = 1;
                if (codePoint >= 0x80) DecodeUtf8(in.data(), in.size(), i, codePoint, length);
                if (codePoint == 0xA0 && html == HtmlMode::On) codePoint = U' ';
                Emit(out, codePoint);
                i += std::max<std::size_t>(length, 1);
            }
        }
        if (tagBreakTail != std::string::npos) out.resize(tagBreakTail);
    }

    // One character for the delimiter byte: none (NUL) for an empty field. False for a
    // field of more than one character, or a CR.
    bool Delimiter(const Field& field, char& delimiter) {
        const std::string_view in = field.text;
        if (in.empty()) {
            delimiter = '\0';
            return true;
        }
        char32_t codePoint = 0;
        std::size_t length = 0;
        // A CR cannot be stored: question files drop every CR they read.
        if (!DecodeUtf8(in.data(), in.size(), 0, codePoint, length) || length != in.size() ||
            codePoint == '\r') {
            return false;
        }
        line = field.line;
        column = field.column;
        delimiter = static_cast<char>(Map(codePoint));
        return true;
    }

  private:
    // A tag at in[i]; false when it is no tag and the '<' stands for itself.
    bool Tag(std::string_view in, std::size_t& i, std::string& out) {
        const std::size_t close = in.find('>', i);
        if (close == std::string_view::npos) return false;
        std::size_t nameStart = i + 1;
        if (nameStart < close && in[nameStart] == '/') ++nameStart;
        std::size_t nameEnd = nameStart;
        while (nameEnd < close &&
               ((in[nameEnd] >= 'a' && in[nameEnd] <= 'z') ||
                (in[nameEnd] >= 'A' && in[nameEnd] <= 'Z') ||
                (nameEnd > nameStart && in[nameEnd] >= '0' && in[nameEnd] <= '9'))) {
            ++nameEnd;
        }
        const std::string_view name = in.substr(nameStart, nameEnd - nameStart);
        if (name.empty() || (nameEnd < close && in[nameEnd] != ' ' && in[nameEnd] != '/' &&
                             in[nameEnd] != '\t' && in[nameEnd] != '\n' && in[nameEnd] != '\r')) {
            return false;
        }
        const bool br = EqualsFoldAscii(name, "br");
        if (!br && html != HtmlMode::On) return false;
        line += std::size_t(std::count(in.begin() + i, in.begin() + close, '\n'));
        i = close + 1;
        if (br) {
            Emit(out, U'\n');
        } else if (IsBlockTag(name) && !out.empty() && out.back() != '\n') {
            // A block's start or end breaks the line after some text; a break that a
            // block makes at the very end of the field is dropped.
            const std::size_t before = out.size();
            Emit(out, U'\n');
            tagBreakTail = before;
        }
        return true;
    }

    unsigned char Map(char32_t codePoint) {
        unsigned char byte = 0;
        // 0x1A ends a question file's data: no stored text may hold it.
        if (codePoint != 0x1A && CodePointToCp1252(codePoint, byte)) return byte;
        if (replace) {
            ++report.replacedCharacters;
        } else {
            if (report.unmappable.size() < kUnmappableListed) {
                report.unmappable.push_back({line, column, codePoint});
            }
            ++report.unmappableCount;
        }
        return '?';
    }

    void Emit(std::string& out, char32_t codePoint) {
        if (codePoint == '\n') {
            out.append("\r\n", 2);
        } else if (codePoint == '\t') {
            out.push_back(' ');
        } else {
            out.push_back(static_cast<char>(Map(codePoint)));
        }
        // Only a break made by a block tag (Tag sets the mark after this) is trimmed.
        tagBreakTail = std::string::npos;
    }

    HtmlMode html;
    bool replace;
    ImportReport& report;
    std::array<bool, 256> special{};
    std::size_t line = 0;
    std::size_t column = 0;
    std::size_t tagBreakTail = std::string::npos;
};

bool Fail(ImportReport& report, ImportProblem problem, std::size_t line,
          std::string_view value = {}) {
    report.problem = problem;
    report.line = line;
    report.value = std::string(value);
    return false;
}

// Where each of the file's columns (after the ignored ones are taken out) lands; -1 for
// nowhere.
using ColumnMap = std::vector<int>;

bool AllColumnNames(const std::vector<Field>& fields) {
    Column unused;
    for (const Field& field : fields) {
        if (!ColumnByName(field.text, unused)) return false;
    }
    return !fields.empty();
}

ColumnMap MapNames(const std::vector<std::string_view>& names, ImportReport& report) {
    ColumnMap map;
    for (std::string_view name : names) {
        Column column;
        const bool known = ColumnByName(name, column);
        map.push_back(known ? int(column) : -1);
        if (!known) ++report.unknownColumns;
    }
    return map;
}

class TableParser {
  public:
    TableParser(const ImportOptions& options, ImportReport& report, const TableProgress& progress)
        : options(options), report(report), progress(progress) {}

    bool Parse(std::string& text, ImportedTable& out) {
        SettleEncoding(text, report.readAsWindows1252);
        const Head head = ReadHead(text);
        report.titleAuthorSkipped = head.titleAuthor;
        const char separator = options.separator != 0 ? options.separator
                               : head.separator != 0  ? head.separator
                                                      : SniffSeparator(text, head.pos);
        report.separator = separator;
        TextConverter texts(head.html, options.replaceUnmappable, report);

        std::vector<std::size_t> ignored = head.ignoredColumns;
        std::sort(ignored.begin(), ignored.end());
        ignored.erase(std::unique(ignored.begin(), ignored.end()), ignored.end());
        report.ignoredColumns = ignored.size();

        std::optional<ColumnMap> names;
        if (head.columns) {
            std::string columnsLine = *head.columns;
            RecordSplitter splitter(columnsLine, 0, 1, separator);
            std::vector<Field> fields;
            std::size_t unusedLine = 0;
            splitter.Next(fields, unusedLine);
            const std::vector<std::string_view> kept = Keep(fields, ignored);
            ImportReport probe;
            ColumnMap map = MapNames(kept, probe);
            // Names none of which are ours (a note type's "Front" and "Back") say nothing
            // of where the fields land.
            if (std::any_of(map.begin(), map.end(), [](int c) { return c >= 0; })) {
                report.unknownColumns = probe.unknownColumns;
                names = std::move(map);
            }
        }

        LogFont font = out.font;
        bool fontRead = false;
        if (head.font) {
            // The font line as it stands, TABs and all: a face name is no question text.
            std::string bytes;
            bool storable = true;
            const std::string& value = *head.font;
            for (std::size_t i = 0; i < value.size();) {
                char32_t codePoint = 0;
                std::size_t length = 1;
                unsigned char byte = 0;
                // A question file drops every CR and ends at 0x1A: a face name holding
                // either could not be saved as it reads.
                storable = storable &&
                           DecodeUtf8(value.data(), value.size(), i, codePoint, length) &&
                           CodePointToCp1252(codePoint, byte) && byte != '\r' && byte != 0x1A;
                bytes.push_back(static_cast<char>(byte));
                i += std::max<std::size_t>(length, 1);
            }
            fontRead = storable && ParseFontLine(bytes, font);
        }

        Question_Set questions;
        questions.Reserve(CountRows(text, head.pos));
        RecordSplitter splitter(text, head.pos, head.line, separator);
        std::vector<Field> fields;
        std::size_t recordLine = 0;
        bool first = true;
        std::size_t rows = 0;
        while (splitter.Next(fields, recordLine)) {
            if (progress && ++rows % kProgressRows == 0 &&
                !progress(splitter.Position(), text.size())) {
                return Fail(report, ImportProblem::Cancelled, recordLine);
            }
            if (first && !names && AllColumnNames(KeptFields(fields, ignored))) {
                std::vector<std::string_view> kept = Keep(fields, ignored);
                names = MapNames(kept, report);
                report.headerRowSkipped = true;
                first = false;
                continue;
            }
            first = false;
            Zentu_Data record;
            if (!Fill(KeptFields(fields, ignored), names ? &*names : nullptr, recordLine, texts,
                      record)) {
                return false;
            }
            questions.Append(std::move(record));
        }
        if (splitter.unclosedLine != 0) {
            return Fail(report, ImportProblem::UnclosedQuote, splitter.unclosedLine);
        }
        if (report.unmappableCount > 0) {
            return Fail(report, ImportProblem::Unmappable, report.unmappable.front().line);
        }
        report.questions = questions.Count();
        out.questions = std::move(questions);
        if (fontRead) {
            out.font = font;
            out.fontRead = true;
        }
        return true;
    }

  private:
    static bool Ignored(const std::vector<std::size_t>& ignored, std::size_t column) {
        return !ignored.empty() && std::binary_search(ignored.begin(), ignored.end(), column);
    }

    static std::vector<std::string_view> Keep(const std::vector<Field>& fields,
                                              const std::vector<std::size_t>& ignored) {
        std::vector<std::string_view> kept;
        for (const Field& field : fields) {
            if (!Ignored(ignored, field.column)) kept.push_back(field.text);
        }
        return kept;
    }

    const std::vector<Field>& KeptFields(const std::vector<Field>& fields,
                                         const std::vector<std::size_t>& ignored) {
        if (ignored.empty()) return fields;
        keptFields.clear();
        for (const Field& field : fields) {
            if (!Ignored(ignored, field.column)) keptFields.push_back(field);
        }
        return keptFields;
    }

    bool Fill(const std::vector<Field>& fields, const ColumnMap* names, std::size_t line,
              TextConverter& texts, Zentu_Data& record) {
        record.delimiter = options.answerDelimiter;
        record.answerMethod = options.method;
        record.useHint = record.confirmCorrect = record.checkSpaces = record.caseSensitive = false;
        std::array<const Field*, kColumnCount> at{};
        if (names == nullptr) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (i < 3) {
                    at[i] = &fields[i];
                } else if (!fields[i].text.empty()) {
                    ++report.extraFields;
                }
            }
        } else {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const int column = i < names->size() ? (*names)[i] : -1;
                if (column >= 0) {
                    at[std::size_t(column)] = &fields[i];
                } else if (!fields[i].text.empty()) {
                    ++report.extraFields;
                }
            }
        }
        const auto field = [&](Column c) { return at[std::size_t(c)]; };
        if (field(Column::Answer) == nullptr)
            return Fail(report, ImportProblem::NoAnswerField, line);

        std::string* textOf[] = {&record.question, &record.answer, &record.hint,
                                 &record.rightResponse, &record.wrongResponse};
        for (std::size_t i = 0; i < 5; ++i) {
            if (at[i] != nullptr) texts.Convert(*at[i], *textOf[i]);
        }
        record.useHint = !record.hint.empty();
        if (const Field* f = field(Column::Delimiter)) {
            if (!texts.Delimiter(*f, record.delimiter)) {
                return Fail(report, ImportProblem::BadDelimiter, f->line, f->text);
            }
        }
        if (const Field* f = field(Column::Method); f != nullptr && !f->text.empty()) {
            if (!ParseMethod(f->text, record.answerMethod)) {
                return Fail(report, ImportProblem::UnknownMethod, f->line, f->text);
            }
        }
        const std::pair<Column, bool*> flags[] = {
            {Column::CaseSensitive, &record.caseSensitive},
            {Column::CheckSpaces, &record.checkSpaces},
            {Column::UseHint, &record.useHint},
            {Column::UseRightResponse, &record.confirmCorrect},
        };
        for (const auto& [column, flag] : flags) {
            if (const Field* f = field(column); f != nullptr && !f->text.empty()) {
                if (!ParseFlag(f->text, *flag)) {
                    return Fail(report, ImportProblem::BadFlag, f->line, f->text);
                }
            }
        }
        return true;
    }

    // Rows between two progress reports: often enough for a smooth bar, rarely enough to
    // cost nothing.
    static constexpr std::size_t kProgressRows = 4096;

    const ImportOptions& options;
    ImportReport& report;
    const TableProgress& progress;
    std::vector<Field> keptFields;
};

}  // namespace

bool ReadTableBytes(const std::string& path, std::string& bytes, ImportReport& report) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uint64_t>(info.st_size) > kMaxTableFileBytes) {
        return Fail(report, ImportProblem::TooLarge, 0);
    }
    try {
        if (ReadWholeFile(path, bytes, kMaxTableFileBytes)) return true;
    } catch (const std::bad_alloc&) {
    }
    return Fail(report, ImportProblem::OpenFailed, 0);
}

char DetectSeparator(const std::string& bytes) {
    // Separators are ASCII, so the encoding does not matter here, and the head of the file
    // holds all that decides: no copy of a big file while the options dialog is open.
    std::string text = bytes.substr(0, std::size_t(1) << 20);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    const Head head = ReadHead(text);
    return head.separator != 0 ? head.separator : SniffSeparator(text, head.pos);
}

bool ParseTable(std::string bytes, const ImportOptions& options, ImportedTable& out,
                ImportReport& report, const TableProgress& progress) {
    report = ImportReport();
    try {
        ImportedTable parsed;
        parsed.font = out.font;
        if (!TableParser(options, report, progress).Parse(bytes, parsed)) return false;
        out = std::move(parsed);
        return true;
    } catch (const std::bad_alloc&) {
        return Fail(report, ImportProblem::OpenFailed, 0);
    }
}

bool ReadTableFile(const std::string& path, const ImportOptions& options, ImportedTable& out,
                   ImportReport& report) {
    report = ImportReport();
    std::string bytes;
    if (!ReadTableBytes(path, bytes, report)) return false;
    return ParseTable(std::move(bytes), options, out, report);
}
