// Hostile and damaged question files: whatever the bytes, the reader neither crashes nor
// lets a count line claim memory the file does not back (Read checks that for every input
// here), and damage costs no more than the fields from the damaged one on.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "model/question_file.h"
#include "model_test_support.h"

namespace {

using namespace std::string_literals;

const std::string kFortyDigits(40, '9');

// Each case gives the questions read up to the damage; every later one is a fresh record.
TEST(HostileFileTest, DamagedCountsHeadersAndSeparators) {
    const std::string v10 = "\tqq\ta\th\t,0 0 0 0 1";  // 18 bytes
    const std::string head = "0\r\nZentu File\r\n2\r\nEndOptions\r\n";
    const std::string line = "q2\ta2\th2\t\t\t;\t0\t1\t0\t1\t2\r\n";
    const auto first = [&](const std::string& delimiter, const std::string& end) {
        return head + "2\r\nq\ta\th\t\t\t" + delimiter + "\t1\t0\t1\t0\t4" + end + line;
    };
    const Zentu_Data qq = Record("qq", "a", "h"), q = Record("q", "a", "h", ',', "1010", 4);
    const Zentu_Data q1 = Record("q1", "a1", "h1", ',', "1010", 2);
    const Zentu_Data q2 = Record("q2", "a2", "h2", ';', "0101", 2);
    const Zentu_Data lf = Record("\r\nq2", "a2", "h2", ';', "0101", 2);
    struct Case {
        std::string bytes;
        std::size_t count;
        std::vector<Zentu_Data> first;
        std::size_t notRead = 0;  // questions the report says were made up
        bool countNotTaken = false;
    } const cases[] = {
        // A count is honoured up to the bytes behind it (CRs dropped) / 14, plus 64.
        {"4294967295\r\n" + v10, 18 / 14 + 64, {qq}, 64, true},
        {"60\r\n" + v10, 60, {qq}, 59},
        {head + "2147483647", 64, {}, 64, true},
        {"5\r\n\tq1\ta1\th1\t,1 0 1 0 2\tq2\ta2", 5, {q1, Record("q2", "a2")}, 4},
        {head + "-1\r\n" + line, 0, {}, 0, true},
        {head + "4294967297\r\n" + line, 0, {}, 0, true},
        {head + "+1\r\n" + line, 1, {q2}},
        {"0\r\nZentu File\r\n2\r\n1\r\n" + line, 0, {}, 0, true},  // no EndOptions: no count
        {"0\r\nZentu File\r\n4294967298\r\nEndOptions\r\n1\r\n" + line, 0, {}, 0, true},
        {"0\r\nZentu File\r\n3\r\nEndOptions\r\n2\r\n" + line, 2, {}},
        // The reader skips no further than the format allows: one byte in front of a 1.0
        // record, up to two in front of a 1.1 line and behind a 1.1 delimiter.
        {first(",;;", "\r\n"), 2, {q, q2}},
        {first(",;;;", "\r\n"), 2, {Record("q", "a", "h")}, 2},
        {first(",", " \r\n"), 2, {q, q2}},
        {first(",", "  \r\n"), 2, {q, lf}},
        {"1\r\nq\ta\th\t,0 0 0 0 1", 1, {Record("", "a", "h")}},
        {"1 \r\n\tq\ta\th\t,0 0 0 0 1", 1, {Record("", "q", "a", 'h')}, 1},
        // An empty set saved in version 1.0 is its count line alone.
        {"0\r\n", 0, {}},
        {"\r0\r\r\n\x1a" + v10, 0, {}},
    };
    for (const Case& c : cases) {
        const Parsed read = Read(c.bytes);
        EXPECT_EQ(read.outcome, ReadOutcome::Loaded) << Escaped(c.bytes);
        ASSERT_EQ(read.set.Count(), c.count) << Escaped(c.bytes);
        EXPECT_EQ(read.report.questionsNotRead, c.notRead) << Escaped(c.bytes);
        EXPECT_EQ(read.report.countNotTaken, c.countNotTaken) << Escaped(c.bytes);
        for (std::size_t n = 1; n <= c.count; ++n) {
            EXPECT_EQ(read.set.At(n), n <= c.first.size() ? c.first[n - 1] : Zentu_Data())
                << Escaped(c.bytes) << ", question " << n;
        }
    }
    // No number, a negative one or one past 32 bits, or no signature: no file we know.
    for (const std::string& bytes :
         {""s, "hello\r\n"s, " \t\r\n \n"s, "-1\r\n" + v10, "4294967297\r\n" + v10, "0"s,
          "0\r\n\r\n"s, " 0\r\n"s, "0 \r\n"s, "0\r\nZentu file\r\n2\r\nEndOptions\r\n0\r\n"s}) {
        EXPECT_EQ(Read(bytes).outcome, ReadOutcome::UnreadableVersion) << Escaped(bytes);
    }
}

std::array<bool*, 4> Flags(Zentu_Data& r) {
    return {&r.useHint, &r.confirmCorrect, &r.checkSpaces, &r.caseSensitive};
}

// A valid file of three questions, each question's bytes apart, so that a test can damage
// a field and knows which questions that may cost.
struct ValidFile {
    std::string head;
    std::vector<std::string> records;
    Question_Set set;  // what the file holds

    explicit ValidFile(int format) {
        set.Append(Record("Capital?", "Paris", "Europe", ',', "1010", 4, "Yes", "No: <<CORRECT>>"));
        set.Append(Record("two\r\nlines", "a;b;c", "", ';', "0101", 8));
        set.Append(Record("last", "x", "h", '7', "1100", -5, "\xe9t\xe9"));
        LogFont font = StartupDisplayFont();
        font.faceName = "Courier New";
        head = FormatQuestionFile(set, format, &font);
        for (const Zentu_View record : set) WriteRecord(records.emplace_back(), format, record);
        for (const std::string& record : records) head.resize(head.size() - record.size());
        if (format == 1) set = WithoutResponses(set);
    }
    std::string Bytes() const {
        std::string bytes = head;
        for (const std::string& record : records) bytes += record;
        return bytes;
    }
};

TEST(HostileFileTest, DamageTruncationAndNoiseInValidFiles) {
    for (int format : {1, 2}) {
        const ValidFile file(format);
        const std::string lineEnd = format == 2 ? "\r\n" : "";
        // A damaged flag or method costs its question the fields from it on, and every
        // later question all of its fields.
        const std::string bad[] = {"x", "4294967297", kFortyDigits, "-" + kFortyDigits, "2"};
        for (int d = 0; d < 3 * 5 * 5; ++d) {
            const std::size_t r = d / 25, k = d / 5 % 5;  // question, and its flag 0-3 or method
            if (k == 4 && bad[d % 5] == "2") continue;    // a method like any other
            const Zentu_Data& record = file.set.At(r + 1);
            const std::string method = std::to_string(std::int32_t(record.answerMethod));
            ValidFile damaged = file;
            std::string& bytes = damaged.records[r];
            const std::size_t at = bytes.size() - lineEnd.size() - method.size();
            bytes.replace(k == 4 ? at : at - 2 * (4 - k), k == 4 ? method.size() : 1, bad[d % 5]);
            Zentu_Data fresh, kept = record;
            for (std::size_t f = k; f < 4; ++f) *Flags(kept)[f] = *Flags(fresh)[f];
            kept.answerMethod = fresh.answerMethod;
            Question_Set expected;
            for (std::size_t n = 1; n <= 3; ++n) {
                expected.Append(n < r + 1 ? file.set.At(n) : n == r + 1 ? kept : fresh);
            }
            const Parsed read = Read(damaged.Bytes());
            EXPECT_EQ(read.set, expected) << "format " << format << ", question " << r
                                          << ", number " << k << ": " << bad[d % 5];
            EXPECT_EQ(read.report.questionsNotRead, 3 - r) << "format " << format << ", " << d;
        }

        // 0x1A ends the data wherever it stands; every prefix of the file reads what it holds.
        const std::string bytes = file.Bytes();
        const std::size_t readableFrom = format == 1 ? 1 : bytes.find("Zentu File") + 10;
        const std::size_t countFrom = file.head.size() - 2;
        const std::size_t fontFrom = format == 1 ? bytes.npos : bytes.find("Font=") + 5;
        for (std::size_t i = 0; i <= bytes.size(); ++i) {
            SCOPED_TRACE("format " + std::to_string(format) + ", first " + std::to_string(i));
            const Parsed prefix = Read(bytes.substr(0, i));
            EXPECT_EQ(Read(bytes.substr(0, i) + "\x1a" + bytes.substr(i)), prefix);
            // A 1.1 file cut after its first line is the bytes of an empty 1.0 file.
            const bool emptyVersion10 = format == 2 && i == 3;
            ASSERT_EQ(prefix.outcome, i >= readableFrom || emptyVersion10
                                          ? ReadOutcome::Loaded
                                          : ReadOutcome::UnreadableVersion);
            if (prefix.outcome == ReadOutcome::UnreadableVersion) continue;
            ASSERT_EQ(prefix.set.Count(), i >= countFrom ? 3u : 0u);
            EXPECT_EQ(prefix.report.countNotTaken, !emptyVersion10 && i < countFrom);
            std::size_t whole = 0;  // questions whose record the prefix holds entirely
            for (std::size_t n = 0, end = file.head.size(); n < 3; ++n) {
                end += file.records[n].size();
                if (i >= end - lineEnd.size()) whole = n + 1;
            }
            EXPECT_EQ(prefix.report.questionsNotRead, prefix.set.Count() - whole);
            EXPECT_EQ(prefix.fontRead, i >= fontFrom);
            std::size_t end = file.head.size();
            for (std::size_t n = 1; n <= prefix.set.Count(); ++n) {
                const std::size_t start = end;
                end += file.records[n - 1].size();
                if (i <= start || i >= end - lineEnd.size()) {
                    EXPECT_EQ(prefix.set.At(n), i <= start ? Zentu_Data() : file.set.At(n)) << n;
                }
            }
        }

        // CR bytes are dropped wherever they stand.
        std::string scattered;
        for (char c : bytes) scattered += "\r"s + c;
        EXPECT_EQ(Read(scattered + "\r"), Read(bytes)) << "format " << format;
    }
}

TEST(HostileFileTest, RandomBytes) {
    std::mt19937 rng(77);
    const std::string alphabet = "0123456789-+ \t\r\n\x1a\0,Font=Zentu FileEndOptions"s;
    const std::string valid[] = {ValidFile(1).Bytes(), ValidFile(2).Bytes()};
    for (int i = 0; i < 1500 && !HasFailure(); ++i) {
        // Any bytes, or those of the format's own alphabet, after the start of a valid file.
        std::string bytes(rng() % 400, '\0');
        for (char& c : bytes) c = i % 2 ? char(rng()) : alphabet[rng() % alphabet.size()];
        if (i % 3 != 0) bytes.insert(0, valid[i % 2].substr(0, rng() % valid[i % 2].size()));
        Read(bytes);
        if (HasFailure()) ADD_FAILURE() << "input " << i << ": " << Escaped(bytes);
    }
}

}  // namespace
