// libFuzzer target: the table reader on arbitrary bytes. Whatever it takes in must be
// storable in a question file, and a table written from it must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "exchange/table_reader.h"
#include "exchange/table_writer.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

bool StorableText(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t' || text[i] == '\x1a') return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the options, the rest is the file.
    ImportOptions options;
    options.replaceUnmappable = (data[0] & 1) != 0;
    const char separators[] = {0, '\t', ',', ';'};
    options.separator = separators[(data[0] >> 1) & 3];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    ImportedTable table;
    ImportReport report;
    if (!ParseTable(bytes, options, table, report)) {
        Check(report.problem != ImportProblem::None, "a failure without a problem");
        Check(table.questions.Count() == 0, "a failed parse changed the set");
        return 0;
    }
    for (const Zentu_View r : table.questions) {
        for (const std::string_view* text :
             {&r.question, &r.answer, &r.hint, &r.rightResponse, &r.wrongResponse}) {
            Check(StorableText(*text), "a text no question file can carry");
        }
        Check(r.delimiter != '\r' && r.delimiter != '\x1a', "a delimiter no file can carry");
    }
    const std::string written = FormatTable(table.questions, table.fontRead ? &table.font : nullptr,
                                            TableKind::TabSeparated);
    ImportedTable again;
    ImportReport second;
    Check(ParseTable(written, ImportOptions(), again, second), "our own table is refused");
    Check(again.questions == table.questions, "our own table reads back otherwise");
    Check(again.fontRead == table.fontRead && (!again.fontRead || again.font == table.font),
          "the font reads back otherwise");
    return 0;
}
