#include "exchange/table_writer.h"

#include <array>
#include <charconv>
#include <new>

#include "exchange/table_format.h"
#include "model/question_file.h"
#include "model/safe_file.h"
#include "model/windows1252.h"

namespace {

// Whether a byte needs more than copying: past ASCII, or one that forces quotes.
struct ByteClasses {
    explicit ByteClasses(char separator) {
        for (int c = 0x80; c < 0x100; ++c) special[c] = true;
        for (char c : {'"', '\r', '\n', separator}) special[static_cast<unsigned char>(c)] = true;
    }
    std::array<bool, 256> special{};
};

// One field: the Windows-1252 bytes as UTF-8 (every byte has its character, so nothing is
// lost), in quotes when it holds the separator, a quote or a line end, or starts with '#'
// (which would make its row a comment).
void AppendField(std::string& out, std::string_view text, char separator,
                 const ByteClasses& classes) {
    bool plain = text.empty() || text[0] != '#';
    for (std::size_t i = 0; plain && i < text.size(); ++i) {
        plain = !classes.special[static_cast<unsigned char>(text[i])];
    }
    if (plain) {
        out.append(text);
        return;
    }
    bool quote = !text.empty() && text[0] == '#';
    for (char c : text) {
        quote = quote || c == separator || c == '"' || c == '\r' || c == '\n';
    }
    if (quote) out.push_back('"');
    for (unsigned char byte : text) {
        if (byte == '"') out.push_back('"');
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
        } else {
            AppendUtf8(out, Cp1252ToCodePoint(byte));
        }
    }
    if (quote) out.push_back('"');
}

void AppendRecord(std::string& out, const Zentu_View& record, char separator,
                  const ByteClasses& classes) {
    for (const std::string_view* text : {&record.question, &record.answer, &record.hint,
                                         &record.rightResponse, &record.wrongResponse}) {
        AppendField(out, *text, separator, classes);
        out.push_back(separator);
    }
    // No delimiter (NUL) is an empty field.
    if (record.delimiter != '\0') {
        AppendField(out, std::string_view(&record.delimiter, 1), separator, classes);
    }
    out.push_back(separator);
    const std::int32_t method = static_cast<std::int32_t>(record.answerMethod);
    if (method >= 1 && method <= 8 && (method & (method - 1)) == 0) {
        out.append(MethodName(record.answerMethod));
    } else {
        char digits[16];
        const auto result = std::to_chars(digits, digits + sizeof digits, method);
        out.append(digits, static_cast<std::size_t>(result.ptr - digits));
    }
    for (bool flag :
         {record.caseSensitive, record.checkSpaces, record.useHint, record.confirmCorrect}) {
        out.push_back(separator);
        out.push_back(flag ? '1' : '0');
    }
    out.push_back('\n');
}

void AppendHead(std::string& out, const LogFont* font, TableKind kind) {
    const char separator = kind == TableKind::CommaSeparated ? ',' : '\t';
    out.append(kind == TableKind::CommaSeparated ? "#separator:comma\n" : "#separator:tab\n");
    out.append("#html:false\n");
    if (font != nullptr) {
        out.append("#font:");
        AppendCp1252AsUtf8(out, FormatFontLine(*font));
        out.push_back('\n');
    }
    out.append("#columns:");
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (i > 0) out.push_back(separator);
        out.append(kColumnNames[i]);
    }
    out.push_back('\n');
}

constexpr std::size_t kWriteChunk = std::size_t(256) << 10;

}  // namespace

std::string FormatTable(const Question_Set& set, const LogFont* font, TableKind kind) {
    const char separator = kind == TableKind::CommaSeparated ? ',' : '\t';
    const ByteClasses classes(separator);
    std::string out;
    AppendHead(out, font, kind);
    for (const Zentu_View record : set) AppendRecord(out, record, separator, classes);
    return out;
}

bool WriteTableFile(const std::string& path, const Question_Set& set, const LogFont* font,
                    TableKind kind) {
    const char separator = kind == TableKind::CommaSeparated ? ',' : '\t';
    const ByteClasses classes(separator);
    return WriteFileAtomically(path, [&](const ContentSink& sink) {
        try {
            std::string chunk;
            chunk.reserve(kWriteChunk + 4096);
            AppendHead(chunk, font, kind);
            for (const Zentu_View record : set) {
                AppendRecord(chunk, record, separator, classes);
                if (chunk.size() >= kWriteChunk) {
                    if (!sink(chunk)) return false;
                    chunk.clear();
                }
            }
            return sink(chunk);
        } catch (const std::bad_alloc&) {
            return false;
        }
    });
}
