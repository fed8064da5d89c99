// Every question file our writer makes survives the way through a table and back byte for
// byte: random sets in both versions, through tab-separated and comma-separated tables.
#include <gtest/gtest.h>

#include <bitset>
#include <cstdint>
#include <random>
#include <string>

#include "exchange/table_reader.h"
#include "exchange/table_writer.h"
#include "model/model_test_support.h"

namespace {

struct Random {
    int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    std::int32_t Int32() {
        const std::int32_t limits[] = {INT32_MIN, INT32_MAX, -1, 0, 1, 2, 3, 4, 8, 16};
        return Pick(2) ? limits[Pick(10)] : static_cast<std::int32_t>(rng());
    }
    // Any byte a question text may hold: all but TAB and 0x1A, CR only before LF. What a
    // table must quote or escape comes often: separators, quotes, '#', line breaks, bytes
    // past 127 (the five unassigned ones among them) and controls.
    std::string Text() {
        static const std::string kTricky =
            std::string("\",#;| <>&\x81\x8d\x8f\x90\x9d\x80\xa0\xff\x01") + '\0';
        std::string text;
        for (int i = Pick(4) == 0 ? 0 : Pick(24); i > 0; --i) {
            switch (Pick(4)) {
                case 0:
                    text += "\r\n";
                    break;
                case 1:
                    text += kTricky[static_cast<std::size_t>(Pick(int(kTricky.size())))];
                    break;
                default:
                    for (;;) {
                        const char c = static_cast<char>(rng());
                        if (c != '\t' && c != '\r' && c != '\n' && c != '\x1a') {
                            text += c;
                            break;
                        }
                    }
            }
        }
        return text;
    }
    LogFont Font() {
        LogFont f;
        for (std::int32_t* n : {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight}) {
            *n = Int32();
        }
        for (std::uint8_t* b : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision,
                                &f.clipPrecision, &f.quality, &f.pitchAndFamily}) {
            *b = static_cast<std::uint8_t>(Pick(256));
        }
        // A face name may hold TABs, quotes and any byte but the line ends and 0x1A.
        for (int i = 1 + Pick(kMaxFaceName); i > 0; --i) {
            char c = static_cast<char>(rng());
            if (c == '\r' || c == '\n' || c == '\x1a') c = '\t';
            f.faceName += c;
        }
        if (f.faceName[0] == ' ') f.faceName[0] = '"';
        return f;
    }
    std::mt19937 rng{13131};
};

TEST(TableRoundTripPropertyTest, QuestionFilesComeBackByteForByte) {
    Random random;
    int turn = -1;
    for (int i = 0; i < 400; ++i) {
        const int format = i % 2 == 0 ? kFormatVersion10 : kFormatVersion11;
        Question_Set set;
        for (int n = 1 + random.Pick(8); n > 0; --n) {
            // Delimiters in turn, so that every byte but CR and 0x1A comes up.
            do ++turn;
            while (turn % 256 == '\r' || turn % 256 == 0x1a);
            const std::string flags = std::bitset<4>(unsigned(random.Pick(16))).to_string();
            set.Append(Record(random.Text(), random.Text(), random.Text(),
                              static_cast<char>(turn % 256), flags.c_str(), random.Int32(),
                              random.Text(), random.Text()));
        }
        const LogFont font = random.Font();
        const bool withFont = format == kFormatVersion11 && random.Pick(2) == 1;
        // The file first, and the set it carries.
        const std::string que = FormatQuestionFile(set, format, withFont ? &font : nullptr);
        const Parsed carried = Read(que);
        ASSERT_EQ(carried.outcome, ReadOutcome::Loaded);

        for (TableKind kind : {TableKind::TabSeparated, TableKind::CommaSeparated}) {
            SCOPED_TRACE("set " + std::to_string(i) +
                         (kind == TableKind::TabSeparated ? ", tab" : ", comma"));
            const std::string table =
                FormatTable(carried.set, carried.fontRead ? &carried.font : nullptr, kind);
            ImportedTable back;
            back.font = StartupDisplayFont();
            ImportReport report;
            ASSERT_TRUE(ParseTable(table, ImportOptions(), back, report))
                << DescribeImport(report, "table", 0, false) << "\n"
                << Escaped(table);
            ASSERT_EQ(back.fontRead, withFont);
            EXPECT_EQ(
                FormatQuestionFile(back.questions, format, back.fontRead ? &back.font : nullptr),
                que)
                << Escaped(table);
            EXPECT_EQ(report.extraFields + report.replacedCharacters + report.ignoredColumns, 0u);
        }
    }
}

}  // namespace
