// Helpers of the question file tests: records in one line, readable failure output, and a
// reader that checks what must hold for any input at all.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

#include "model/question_file.h"

// CR, NUL and bytes past 126 shown as \xNN, so that a failure shows which byte went wrong.
inline std::string Escaped(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        out += c >= 0x20 && c < 0x7f && c != '\\' ? std::string(1, char(c)) : std::string(hex);
    }
    return out;
}

// Failures show records and fonts as the file would hold them.
inline void PrintTo(const Zentu_Data& r, std::ostream* os) {
    std::string line;
    WriteRecord(line, 2, r);
    *os << Escaped(line);
}
inline void PrintTo(const LogFont& f, std::ostream* os) { *os << Escaped(FormatFontLine(f)); }

// `flags` spells useHint, confirmCorrect, checkSpaces and caseSensitive as in the file: "1010".
inline Zentu_Data Record(std::string q, std::string a, std::string h = "", char delimiter = ',',
                         const char* flags = "0000", std::int32_t method = 1,
                         std::string right = "", std::string wrong = "") {
    const auto on = [flags](int i) { return flags[i] == '1'; };
    return {q, a, h, right, wrong, delimiter, on(0), on(1), on(2), on(3), AnswerMethod(method)};
}

inline Question_Set SetOf(std::initializer_list<Zentu_Data> records) {
    Question_Set set;
    for (const Zentu_Data& record : records) set.Append(record);
    return set;
}

// What a version 1.0 file keeps of a set: everything but the two responses.
inline Question_Set WithoutResponses(Question_Set set) {
    for (std::size_t n = 1; n <= set.Count(); ++n) {
        Zentu_Data r = set.At(n);
        r.rightResponse = r.wrongResponse = "";
        set.Replace(n, r);
    }
    return set;
}

struct Parsed {
    ReadOutcome outcome = ReadOutcome::OpenFailed;
    Question_Set set;
    LogFont font = StartupDisplayFont();
    bool fontRead = false;
    ReadReport report;  // not compared: two readings of one set may differ in damage

    bool operator==(const Parsed& o) const {
        return outcome == o.outcome && set == o.set && fontRead == o.fontRead && font == o.font;
    }
};

inline void PrintTo(const Parsed& p, std::ostream* os) {
    *os << "outcome " << int(p.outcome) << ", " << p.set.Count() << " questions, font "
        << (p.fontRead ? "read " : "kept ") << testing::PrintToString(p.font);
}

// Reads `bytes` over a set and a font that hold something already. Whatever the bytes, a
// count line never claims more questions than the bytes could hold, an unreadable file
// leaves the set empty, and the font changes only when a font line was read.
inline Parsed Read(const std::string& bytes) {
    Parsed p;
    p.set.Append(Record("left over", "from before"));
    p.outcome = ParseQuestionFile(bytes, p.set, p.font, p.fontRead, nullptr, &p.report);
    EXPECT_NE(p.outcome, ReadOutcome::OpenFailed);
    EXPECT_LE(p.set.Count(), bytes.size() / 14 + 64) << "more questions than the file backs";
    EXPECT_TRUE(p.outcome == ReadOutcome::Loaded || p.set.Empty()) << "set not emptied";
    EXPECT_TRUE(p.fontRead || p.font == StartupDisplayFont()) << "font changed, none read";
    EXPECT_LE(p.font.faceName.size(), kMaxFaceName);
    EXPECT_LE(p.report.questionsNotRead, p.set.Count());
    return p;
}
