#include "model/question_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/large_pages.h"
#include "model/question_file.h"
#include "model_test_support.h"

namespace {

Zentu_Data Named(const std::string& question) { return Record(question, ""); }

std::string Order(const Question_Set& set) {
    std::string order;
    for (const Zentu_View record : set) order += record.question;
    return order;
}

// Every field takes part in ==, on which the file tests rely: field i is changed in turn.
TEST(ZentuDataTest, EveryFieldCounts) {
    const Zentu_Data base = Record("q", "a", "h", ',', "0000", 1, "r", "w");
    for (int i = 0; i < 11; ++i) {
        const auto text = [i](int field, const char* value) { return i == field ? "x" : value; };
        const std::string flags = {char('0' + (i == 6)), char('0' + (i == 7)), char('0' + (i == 8)),
                                   char('0' + (i == 9))};
        EXPECT_NE(Record(text(0, "q"), text(1, "a"), text(2, "h"), i == 5 ? ';' : ',',
                         flags.c_str(), i == 10 ? 2 : 1, text(3, "r"), text(4, "w")),
                  base)
            << "field " << i;
    }
}

// Each change starts from the set A, B, C.
TEST(QuestionSetTest, PositionsCountFromOneThroughEveryChange) {
    using Change = void (*)(Question_Set&);
    const std::pair<Change, const char*> cases[] = {
        {[](Question_Set& s) { s.InsertAt(4, Named("X")); }, "ABCX"},
        {[](Question_Set& s) { s.InsertAt(1, Named("X")); }, "XABC"},
        {[](Question_Set& s) { s.InsertAt(2, Named("X")); }, "AXBC"},
        {[](Question_Set& s) { s.RemoveAt(3); }, "AB"},
        {[](Question_Set& s) { s.RemoveAt(1); }, "BC"},
        {[](Question_Set& s) { s.RemoveAt(2), s.RemoveAt(1), s.RemoveAt(1); }, ""},
        {[](Question_Set& s) { s.RemoveAt(2), s.InsertAt(2, Named("X")); }, "AXC"},
        {[](Question_Set& s) { s.Replace(2, Named("X")); }, "AXC"},
        {[](Question_Set& s) { s.Clear(); }, ""},
    };
    for (const auto& [change, expected] : cases) {
        Question_Set set = SetOf({Named("A"), Named("B"), Named("C")});
        change(set);
        EXPECT_EQ(Order(set), expected);
        EXPECT_EQ(set.Count(), std::string(expected).size()) << expected;
    }
}

TEST(QuestionSetTest, GrowsPastFiftyAndKeepsItsOwnCopies) {
    Question_Set set;
    Zentu_Data record = Named("");
    for (; set.Count() < 51; record.question += 'x') set.Append(record);
    for (std::size_t n = 1; n <= 51; ++n) EXPECT_EQ(set.At(n).question, std::string(n - 1, 'x'));
    set.Replace(1, Named("changed"));
    EXPECT_EQ(record.question, std::string(51, 'x'));
}

// The set against a plain vector of values under random edits: texts that grow, shrink
// and vanish, copies taken from the set's own texts, two copies of a set edited apart, and
// a file read into a set that held texts before. After every step both hold the same
// questions, and the texts left behind by edits never outweigh the live ones for long.
TEST(QuestionSetTest, EditsMatchAPlainVectorAndKeepTheArenaSmall) {
    std::mt19937 random(18);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    const auto text = [&]() {
        // Mostly short, now and then long enough to force the arena to grow or compact.
        const std::size_t length = below(8) == 0 ? below(5000) : below(12);
        std::string t(length, char('a' + below(26)));
        if (length > 2 && below(3) == 0) t.replace(1, 2, "\r\n");
        return t;
    };
    const auto question = [&]() {
        Zentu_Data q;
        for (std::string* t :
             {&q.question, &q.answer, &q.hint, &q.rightResponse, &q.wrongResponse}) {
            *t = text();
        }
        q.delimiter = char(' ' + below(95));  // one a file can carry
        q.useHint = below(2), q.confirmCorrect = below(2), q.checkSpaces = below(2);
        q.caseSensitive = below(2);
        q.answerMethod = AnswerMethod(std::int32_t(random()));
        return q;
    };
    const auto live = [](const std::vector<Zentu_Data>& model) {
        std::size_t bytes = 0;
        for (const Zentu_Data& q : model) {
            bytes += q.question.size() + q.answer.size() + q.hint.size() + q.rightResponse.size() +
                     q.wrongResponse.size();
        }
        return bytes;
    };
    const auto same = [](const Question_Set& set, const std::vector<Zentu_Data>& model) {
        if (set.Count() != model.size()) return false;
        for (std::size_t n = 1; n <= model.size(); ++n) {
            if (set.At(n) != model[n - 1] || Zentu_Data(set.View(n)) != model[n - 1]) return false;
        }
        return std::vector<Zentu_Data>(set.begin(), set.end()) == model;
    };

    Question_Set sets[2];
    std::vector<Zentu_Data> models[2];
    for (int step = 0; step < 6000; ++step) {
        const int k = int(below(2));
        Question_Set& set = sets[k];
        std::vector<Zentu_Data>& model = models[k];
        const std::size_t count = model.size();
        const std::size_t n = count == 0 ? 1 : 1 + below(count);
        const auto at = [&](std::size_t p) { return model.begin() + std::ptrdiff_t(p - 1); };
        // Growing and shrinking phases, so that edits leave much text behind.
        const std::size_t r = below(100), adding = (step / 500) % 2 == 0 ? 75 : 35;
        std::size_t op = r < 2        ? 7
                         : r < 4      ? 8
                         : r < 14     ? 2
                         : r < 20     ? 6
                         : r < 26     ? 5
                         : r < adding ? r % 2
                                      : 3;
        if (count == 0) op = r % 2;
        switch (op) {
            case 0: {
                const Zentu_Data q = question();
                set.Append(q), model.push_back(q);
                break;
            }
            case 1: {
                const std::size_t p = 1 + below(count + 1);
                const Zentu_Data q = question();
                set.InsertAt(p, q), model.insert(at(p), q);
                break;
            }
            case 2: {
                const Zentu_Data q = question();
                set.Replace(n, q), model[n - 1] = q;
                break;
            }
            case 3:
                set.RemoveAt(n), model.erase(at(n));
                break;
            case 5: {
                // A copy made from the set's own texts, as the editor's Insert does.
                const std::size_t p = 1 + below(count + 1);
                const Zentu_Data q = model[n - 1];
                set.InsertAt(p, set.View(n)), model.insert(at(p), q);
                break;
            }
            case 6: {
                const std::size_t to = 1 + below(count);
                set.Replace(to, set.View(n)), model[to - 1] = model[n - 1];
                break;
            }
            case 7:
                // The other set becomes a copy; from here on the two are edited apart.
                sets[1 - k] = set, models[1 - k] = model;
                break;
            case 8: {
                Question_Set file;
                for (const Zentu_Data& q : models[1 - k]) file.Append(q);
                LogFont font;
                bool fontRead = false;
                std::string bytes = FormatQuestionFile(file, kFormatVersion11, nullptr);
                // Without its CRs, as another editor may save it: texts with line breaks are
                // then copied, the others stay where they are read.
                if (below(2) == 0)
                    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
                ASSERT_EQ(ParseQuestionFile(bytes, set, font, fontRead), ReadOutcome::Loaded);
                model = models[1 - k];
                break;
            }
        }
        ASSERT_TRUE(same(sets[0], models[0]) && same(sets[1], models[1])) << "step " << step;
        ASSERT_LE(set.ArenaBytes(), 2 * live(model) + (64 << 10)) << "step " << step;
    }
}

// A set's records come from blocks that start on a 2 MiB boundary from a megabyte on;
// every byte of a block is its own (the sanitizers see any overrun or wrong free).
TEST(QuestionSetTest, LargeBlocksStartOnLargePagesAndHoldTheirBytes) {
    for (std::size_t bytes : {std::size_t(1), std::size_t(1 << 20) - 1, std::size_t(1) << 20,
                              (std::size_t(3) << 20) + 5}) {
        char* block = static_cast<char*>(AllocateLarge(bytes));
        std::memset(block, 0x5a, bytes);
        const std::uintptr_t misalignment = reinterpret_cast<std::uintptr_t>(block) % (2 << 20);
        EXPECT_TRUE(bytes < (1 << 20) || misalignment == 0) << bytes;
        EXPECT_EQ(block[bytes - 1], 0x5a);
        FreeLarge(block, bytes);
    }
}

}  // namespace
