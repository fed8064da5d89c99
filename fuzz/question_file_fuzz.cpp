// libFuzzer target: the question file reader on arbitrary bytes, and the writer on what it
// read. Whatever was read must be storable: read -> write -> read gives the same set and
// font in version 1.1, and the same fields that version 1.0 carries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/question_file.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

LogFont Sentinel() {
    LogFont font;
    font.height = -7;
    font.charSet = 77;
    font.faceName = "not from the file";
    return font;
}

// After reading, a CR stands only in front of an LF and every LF has one: the reader drops
// every CR of the file and turns each LF of a text into CR LF.
bool CarriableText(std::string_view text) {
    if (text.find('\t') != std::string::npos || text.find('\x1a') != std::string::npos) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

struct Read {
    ReadOutcome outcome;
    Question_Set set;
    LogFont font = Sentinel();
    bool fontRead = false;

    explicit Read(const std::string& bytes) {
        Zentu_Data leftover;
        leftover.question = "left over";
        set.Append(leftover);
        outcome = ParseQuestionFile(bytes, set, font, fontRead);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Read first(bytes);

    Check(first.outcome != ReadOutcome::OpenFailed, "parsing bytes cannot fail to open");
    Check(first.set.Count() <= size + 64, "no more questions than the file backs");
    if (first.outcome == ReadOutcome::UnreadableVersion) {
        Check(first.set.Empty() && !first.fontRead, "an unreadable file reads nothing");
    }
    if (!first.fontRead) Check(first.font == Sentinel(), "the font changes only when read");
    const std::string& face = first.font.faceName;
    Check(face.size() <= kMaxFaceName, "face names are cut at 31 bytes");
    if (first.fontRead) {
        Check(face.find_first_of("\r\n") == std::string::npos && (face.empty() || face[0] != ' '),
              "a face name ends its line and loses its leading spaces");
    }
    for (const Zentu_View record : first.set) {
        for (const std::string_view* text : {&record.question, &record.answer, &record.hint,
                                             &record.rightResponse, &record.wrongResponse}) {
            Check(CarriableText(*text), "texts read hold CR only in CR LF, and no TAB or 0x1A");
        }
        Check(record.delimiter != '\r' && record.delimiter != '\x1a',
              "a delimiter read is never CR or 0x1A");
    }

    // The reader keeps a CR LF in place where a text-mode stream drops every CR: the same
    // bytes cut at 0x1A and without any CR must read the same.
    std::string plain = bytes.substr(0, bytes.find('\x1a'));
    plain.erase(std::remove(plain.begin(), plain.end(), '\r'), plain.end());
    const Read again(plain);
    Check(again.outcome == first.outcome && again.set == first.set &&
              again.fontRead == first.fontRead && again.font == first.font,
          "reading as if every CR were dropped");

    // Version 1.1 keeps everything, the font included when one was read.
    const LogFont* font = first.fontRead ? &first.font : nullptr;
    const std::string v11 = FormatQuestionFile(first.set, kFormatVersion11, font);
    const Read fromV11(v11);
    Check(fromV11.outcome == ReadOutcome::Loaded, "version 1.1 reads back");
    Check(fromV11.set == first.set, "version 1.1 keeps the set");
    Check(fromV11.fontRead == first.fontRead, "version 1.1 keeps the font line");
    Check(fromV11.font == first.font, "version 1.1 keeps the font");
    Check(FormatQuestionFile(fromV11.set, kFormatVersion11, font) == v11,
          "version 1.1: write, read, write gives the same bytes");

    // Version 1.0 keeps all but the two responses, and stores no font; an empty set (the
    // count 0 alone) reads back as an empty set too.
    const std::string v10 = FormatQuestionFile(first.set, kFormatVersion10, nullptr);
    const Read fromV10(v10);
    Check(!fromV10.fontRead && fromV10.font == Sentinel(), "version 1.0 has no font");
    Check(fromV10.outcome == ReadOutcome::Loaded, "version 1.0 reads back");
    Check(fromV10.set.Count() == first.set.Count(), "version 1.0 keeps the count");
    for (std::size_t n = 1; n <= first.set.Count(); ++n) {
        Zentu_Data expected = first.set.At(n);
        expected.rightResponse.clear();
        expected.wrongResponse.clear();
        Check(fromV10.set.At(n) == expected, "version 1.0 keeps all but the responses");
    }
    Check(FormatQuestionFile(fromV10.set, kFormatVersion10, nullptr) == v10,
          "version 1.0: write, read, write gives the same bytes");
    return 0;
}
