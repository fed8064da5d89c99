// Round trips of random question sets through both file versions: whatever a set may hold
// comes back, and writing what was read gives the same bytes again.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "model/question_file.h"
#include "model/record_stream.h"
#include "model_test_support.h"

namespace {

struct Random {
    int Pick(std::size_t n) { return static_cast<int>(rng() % n); }
    // The limits often, anything else as well.
    std::int32_t Int32() {
        const std::int32_t limits[] = {INT32_MIN, INT32_MAX, -1, 0, 1, 2, 4, 8};
        return Pick(2) ? limits[Pick(8)] : static_cast<std::int32_t>(rng());
    }
    // Any byte that may stand alone in a text: all but TAB, CR, LF and the end-of-data 0x1A.
    char Byte() {
        for (;;) {
            const char c = static_cast<char>(rng());
            if (c != '\t' && c != '\r' && c != '\n' && c != '\x1a') return c;
        }
    }
    // Line breaks (CR LF), NULs and bytes past 127 come often.
    std::string Text() {
        std::string text;
        for (int i = Pick(5) == 0 ? 0 : Pick(30); i > 0; --i) {
            const int kind = Pick(6);
            if (kind == 0) text += '\r';
            text += kind == 0   ? '\n'
                    : kind == 1 ? '\0'
                    : kind == 2 ? char(128 + Pick(128))
                                : Byte();
        }
        return text;
    }
    // A face name of up to 31 bytes that does not start with the space that separates it
    // from the numbers.
    LogFont Font() {
        LogFont f;
        for (std::int32_t* n : {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight}) {
            *n = Int32();
        }
        for (std::uint8_t* b : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision,
                                &f.clipPrecision, &f.quality, &f.pitchAndFamily}) {
            *b = static_cast<std::uint8_t>(Pick(3) == 0 ? 255 : Pick(256));
        }
        for (int i = Pick(kMaxFaceName + 1); i > 0; --i) f.faceName += Pick(4) ? Byte() : ' ';
        if (!f.faceName.empty() && f.faceName[0] == ' ') f.faceName[0] = 'F';
        return f;
    }

    std::mt19937 rng{20240611};
};

TEST(QuestionFilePropertyTest, RandomSetsComeBackInBothVersions) {
    Random random;
    for (int format : {1, 2}) {
        // Delimiters are not drawn but taken in turn, so that each version meets every byte
        // but CR and 0x1A.
        int turn = -1;
        for (int i = 0; i < 200 || turn < 256; ++i) {
            // An empty set cannot be stored in version 1.0: its count 0 reads as version 1.1.
            Question_Set set;
            for (int n = (format == 1 ? 1 : 0) + random.Pick(10); n > 0; --n) {
                do ++turn;
                while (turn % 256 == '\r' || turn % 256 == 0x1a);
                const std::string flags = std::bitset<4>(random.Pick(16)).to_string();
                set.Append(Record(random.Text(), random.Text(), random.Text(),
                                  static_cast<char>(turn % 256), flags.c_str(), random.Int32(),
                                  random.Text(), random.Text()));
            }
            const LogFont font = random.Font();
            const bool withFont = random.Pick(2) == 1;
            const std::string bytes = FormatQuestionFile(set, format, withFont ? &font : nullptr);

            const Parsed read = Read(bytes);
            SCOPED_TRACE("format " + std::to_string(format) + ", set " + std::to_string(i));
            ASSERT_EQ(read.outcome, ReadOutcome::Loaded);
            ASSERT_EQ(read.set, format == 1 ? WithoutResponses(set) : set);
            ASSERT_EQ(read.fontRead, withFont && format == 2);
            ASSERT_EQ(read.font, read.fontRead ? font : StartupDisplayFont());
            ASSERT_EQ(FormatQuestionFile(read.set, format, read.fontRead ? &read.font : nullptr),
                      bytes);
        }
    }
}

// The reader keeps a file's CR LF in place instead of dropping every CR as a text-mode
// stream does, and closes the data up sixteen bytes at a time. Whatever the bytes, it
// must read exactly what the plain rule gives: cut at 0x1A, drop every CR. The bytes are
// files of random sets with CRs, LFs and 0x1A put in, taken out or doubled at random, and
// random runs of the bytes that matter to the reader.
TEST(QuestionFilePropertyTest, ReadsAsIfEveryCrWereDropped) {
    Random random;
    // A count of 150 over a long run of line ends is taken or not by how many bytes follow.
    std::string lineEnds;
    for (int k = 0; k < 600; ++k) lineEnds += "\r\n";
    const std::string pieces[] = {
        lineEnds, "150", "\r", "\n", "\r\n", "\r\r\n",     "\t",         "\x1a",
        "0",      "1",   " ",  "-",  "x",    "Zentu File", "EndOptions", "Font=1 2 "};
    const auto plain = [](const std::string& bytes) {
        std::string out = bytes.substr(0, bytes.find('\x1a'));
        out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
        return out;
    };
    for (int i = 0; i < 3000; ++i) {
        std::string bytes;
        if (random.Pick(2) == 0) {
            Question_Set set;
            for (int n = random.Pick(6); n > 0; --n) {
                set.Append(Record(random.Text(), random.Text(), random.Text(), ',', "0101", 1,
                                  random.Text(), random.Text()));
            }
            const LogFont font = random.Font();
            bytes = FormatQuestionFile(set, 1 + random.Pick(2), random.Pick(2) ? &font : nullptr);
            for (int edits = random.Pick(6); edits > 0 && !bytes.empty(); --edits) {
                const std::size_t at = random.Pick(bytes.size());
                const int how = random.Pick(3);
                if (how == 0) bytes.erase(at, 1);
                if (how == 1) bytes.insert(at, pieces[2 + random.Pick(6)]);
                if (how == 2) bytes.insert(at, 1, bytes[at]);
            }
        } else {
            for (int n = random.Pick(60); n > 0; --n)
                bytes += pieces[random.Pick(std::size(pieces))];
        }
        SCOPED_TRACE(testing::PrintToString(bytes));

        // The data as the reader holds it: CR only in CR LF, nothing else changed.
        std::string held = bytes;
        const TextModeData data = PrepareTextMode(held);
        ASSERT_EQ(plain(held), plain(bytes));
        ASSERT_EQ(data.carriageReturns, std::size_t(std::count(held.begin(), held.end(), '\r')));
        bool bare = false;
        for (std::size_t at = 0; at < held.size(); ++at) {
            if (held[at] == '\r') {
                ASSERT_TRUE(at + 1 < held.size() && held[at + 1] == '\n');
            }
            if (held[at] == '\n' && (at == 0 || held[at - 1] != '\r')) bare = true;
        }
        ASSERT_EQ(data.bareLineFeeds, bare);

        Parsed read[2];
        int format[2];
        const std::string inputs[2] = {bytes, plain(bytes)};
        for (int k = 0; k < 2; ++k) {
            read[k].outcome = ParseQuestionFile(inputs[k], read[k].set, read[k].font,
                                                read[k].fontRead, &format[k], &read[k].report);
        }
        ASSERT_EQ(read[0], read[1]);
        ASSERT_EQ(format[0], format[1]);
        ASSERT_EQ(read[0].report.questionsNotRead, read[1].report.questionsNotRead);
        ASSERT_EQ(read[0].report.countNotTaken, read[1].report.countNotTaken);
    }
}

}  // namespace
