#include "quiz/answer_checker.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "res/string_table.h"

namespace {

constexpr AnswerMethod kAll = AnswerMethod::All;
constexpr AnswerMethod kSome = AnswerMethod::Some;
constexpr AnswerMethod kOnlyOne = AnswerMethod::OnlyOne;
constexpr AnswerMethod kInOrder = AnswerMethod::AllInOrder;

Zentu_Data MakeQuestion(std::string answer, AnswerMethod method, bool caseSensitive = false,
                        bool checkSpaces = false, char delimiter = ',') {
    Zentu_Data question;
    question.question = "Q?";
    question.answer = std::move(answer);
    question.answerMethod = method;
    question.caseSensitive = caseSensitive;
    question.checkSpaces = checkSpaces;
    question.delimiter = delimiter;
    return question;
}

std::string Str(const char* bytes, std::size_t size) { return std::string(bytes, size); }

TEST(SplitAnswerTest, CutsAtTheDelimiterUnderTheSpaceRule) {
    struct Case {
        std::string text;
        char delimiter;
        bool checkSpaces;
        std::vector<std::string> pieces;
    } const cases[] = {
        {"a,,b,", ',', false, {"a", "b"}},
        {",,,", ',', false, {}},
        {"", ',', false, {}},
        {"", '\0', false, {}},
        {"a, ,b", ',', false, {"a"}},  // a piece of spaces ends the list
        {"a, ,b", ',', true, {"a", " ", "b"}},
        {"  ,a", ',', false, {}},
        {"a,   ", ',', false, {"a"}},
        {" a , b c ", ',', false, {"a", "b c"}},
        {" a , b c ", ',', true, {" a ", " b c "}},
        {"a,b", '\0', false, {"a,b"}},
        {"   ", '\0', false, {}},
        {"   ", '\0', true, {"   "}},
        {Str("a\0b", 3), '\0', false, {Str("a\0b", 3)}},
        {Str("\0a", 2), '\0', false, {Str("\0a", 2)}},  // NUL is no delimiter then
        {" \ta\r\n ", ',', false, {"\ta\r\n"}},         // only spaces are stripped
        {"a b  c", ' ', false, {"a", "b", "c"}},
        {"x\xA7y\xA7", '\xA7', false, {"x", "y"}},
        {"x;y,z", ';', false, {"x", "y,z"}},
    };
    for (const Case& c : cases) {
        const Zentu_Data question = MakeQuestion("", kAll, false, c.checkSpaces, c.delimiter);
        EXPECT_EQ(SplitAnswer(c.text, question), c.pieces)
            << "text '" << c.text << "' delimiter " << int(c.delimiter) << " checkSpaces "
            << c.checkSpaces;
    }
}

TEST(PiecesEqualTest, FoldsOnlyAsciiLetters) {
    struct Case {
        std::string a, b;
        bool caseSensitive, equal;
    } const cases[] = {
        {"Paris", "pARIS", false, true},
        {"Paris", "pARIS", true, false},
        {"Paris", "Paris", true, true},
        {"\xC9t\xE9", "\xE9t\xE9", false, false},
        {"\xC9", "\xC9", false, true},
        {"[", "{", false, false},  // '[' + 32 is '{'
        {"@", "`", false, false},
        {"ab", "abc", false, false},
        {"", "", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PiecesEqual(c.a, c.b, c.caseSensitive), c.equal)
            << "'" << c.a << "' vs '" << c.b << "' caseSensitive " << c.caseSensitive;
    }
}

struct VerdictCase {
    std::string answer;
    AnswerMethod method;
    std::string typed;
    bool correct;
    bool caseSensitive = false;
    bool checkSpaces = false;
    char delimiter = ',';
};

TEST(CheckAnswerTest, VerdictOfEachMethod) {
    const VerdictCase cases[] = {
        // One answer: every method accepts it under the case and space rules.
        {"Paris", kAll, "paris", true},
        {"Paris", kSome, " Paris ", true},
        {"Paris", kOnlyOne, "PARIS,", true},
        {"Paris", kInOrder, "Paris", true},
        {"Paris", kAll, "Pari", false},
        {"Paris", kSome, "Pari", false},
        {"Paris", kOnlyOne, "Pari", false},
        {"Paris", kInOrder, "Pari", false},
        // All counts positions of typed pieces.
        {"a,b", kAll, "a,b", true},
        {"a,b", kAll, "b,a", true},
        {"a,b", kAll, "a,b,c", true},  // an extra piece that equals nothing
        {"a,b", kAll, "c,a,b", false},
        {"a,b", kAll, "a", false},
        {"a,b", kAll, "a,a", true},
        {"a,b", kAll, "a,b,a", false},  // a later piece that equals an answer piece
        {"a,b", kAll, "", false},
        {"a,a,b", kAll, "a,x,x,b", true},  // matches at 0, 0 and 3
        {"a,a,b", kAll, "a,a,b", false},
        // All in order.
        {"a,b", kInOrder, "a,b", true},
        {"a,b", kInOrder, "A , B", true},
        {"a,b", kInOrder, "b,a", false},
        {"a,b", kInOrder, "a,b,c", false},
        {"a,b", kInOrder, "a,a", false},
        // Some.
        {"a,b,c", kSome, "a,c", true},
        {"a,b,c", kSome, "b", true},
        {"a,b,c", kSome, "a,a", true},
        {"a,b,c", kSome, "c,b,a", true},
        {"a,b,c", kSome, "a,", true},
        {"a,b,c", kSome, "a,d", false},
        {"a,b,c", kSome, "", false},
        // Only one.
        {"a,b,c", kOnlyOne, "b", true},
        {"a,b,c", kOnlyOne, "b,c", false},
        {"a,b,c", kOnlyOne, "b,b", false},
        {"a,b,c", kOnlyOne, "b,d", false},  // one match, but two typed pieces
        {"a,b,c", kOnlyOne, "d", false},
        // Repeated answer pieces count every pair.
        {"a,a", kAll, "a", false},
        {"a,a", kAll, "a,a", false},
        {"a,a", kInOrder, "a,a", false},
        {"a,a", kOnlyOne, "a", false},
        {"a,a", kSome, "a", false},
        {"a,a", kSome, "a,x", true},
        // Empty answer text.
        {"", kAll, "anything", true},
        {"", kAll, "", true},
        {"", kInOrder, "", true},
        {"", kInOrder, " , ,", true},
        {"", kInOrder, "x", false},
        {"", kSome, "", false},
        {"", kSome, "x", false},
        {"", kOnlyOne, "", false},
        // Empty typed text, or delimiters and spaces only.
        {"a", kSome, ", , ", false},
        {"a", kOnlyOne, ", , ", false},
        {"a", kAll, ", , ", false},
        {"a", kAll, "", false},
        // The space rule.
        {"Paris", kAll, " Paris", false, false, true},
        {"Paris", kAll, "Paris", true, false, true},
        {" Paris", kAll, " Paris", true, false, true},
        {"New York", kAll, "New  York", false},
        {"New York", kAll, "  new york ", true},
        {"a, ,b", kAll, "a", true},
        // The case rule.
        {"Paris", kAll, "paris", false, true},
        {"Paris", kAll, "Paris", true, true},
        {"\xC9t\xE9", kAll, "\xE9t\xE9", false},
        {"\xC9t\xE9", kAll, "\xC9T\xE9", true},
        // No delimiter: the whole text is one piece.
        {"a,b", kAll, "a,b", true, false, false, '\0'},
        {"a,b", kAll, " A,B ", true, false, false, '\0'},
        {"a,b", kAll, "a", false, false, false, '\0'},
        {"a,b", kAll, "b,a", false, false, false, '\0'},
        {"a,b", kSome, "a , b", false, false, false, '\0'},
        // Other delimiters; a high byte must not be taken for a negative sentinel.
        {"x;y", kAll, "y;x", true, false, false, ';'},
        {"x\xA7y", kAll, "y\xA7x", true, false, false, '\xA7'},
    };
    for (const VerdictCase& c : cases) {
        const Zentu_Data question =
            MakeQuestion(c.answer, c.method, c.caseSensitive, c.checkSpaces, c.delimiter);
        EXPECT_EQ(CheckAnswer(question, c.typed).correct, c.correct)
            << "answer '" << c.answer << "' method " << int(c.method) << " typed '" << c.typed
            << "' caseSensitive " << c.caseSensitive << " checkSpaces " << c.checkSpaces;
    }
}

TEST(CheckAnswerTest, NoOtherMethodValueIsEverRight) {
    for (const std::int32_t code : {0, 3, 5, 16, 15, -1, 0x7FFFFFFF}) {
        for (const char* typed : {"Paris", "", "x"}) {
            Zentu_Data question = MakeQuestion("Paris", static_cast<AnswerMethod>(code));
            question.wrongResponse = "No: <<CORRECT>>";
            const Tcheckans result = CheckAnswer(question, typed);
            EXPECT_FALSE(result.correct) << "method " << code << " typed '" << typed << "'";
            EXPECT_EQ(result.response, "") << "method " << code;
        }
    }
}

struct ResponseCase {
    std::string answer;
    AnswerMethod method;
    std::string wrongResponse;
    std::string typed;
    std::string response;
    bool caseSensitive = false;
    std::string question = "Q?";
};

TEST(CheckAnswerTest, WrongAnswerTextAndPlaceholders) {
    const std::string one = "The answer you typed in was incorrect.  The correct answer is: ";
    const ResponseCase cases[] = {
        // The standard texts: string 1 for at most one answer piece, else by method.
        {"Paris", kAll, "", "Pari", one + "Paris"},
        {"Paris", kSome, "", "x", one + "Paris"},
        {"a, ,b", kAll, "", "b", one + "a, ,b"},  // one piece; the text as stored
        {"", kInOrder, "", "x", one},
        {"a,b,c", kSome, "", "a,d",
         "The answer you typed in was incorrect.  The correct answers are some of: a,b,c"},
        {"a,b", kSome, "", "x",
         "The answer you typed in was incorrect.  The correct answers are some of: a,b"},
        {"a,b", kOnlyOne, "", "x",
         "The answer you typed in was incorrect. The correct answer is one of: a,b"},
        {"a,b", kAll, "", "x",
         "The answer you typed in was incorrect. The correct answers are: a,b"},
        {"a,b", kInOrder, "", "b,a",
         "The answer you typed in was incorrect. The correct answers are in order: a,b"},
        {"Paris", kAll, "", "x", one + "Paris", true},  // upper-case placeholder, exact rule
        // The question's own text.
        {"y", kAll, "No, <<INPUT>> is wrong; it was <<CORRECT>>.", "x",
         "No, x is wrong; it was y."},
        {"y", kAll, "<<CORRECT>>!", "x", "y!"},
        {"y", kAll, "<<correct>>!", "x", "y!"},
        {"y", kAll, "<<correct>>!", "x", "<<correct>>!", true},
        {"y", kAll, "<<Question>>/<<iNPUT>>", "x", "Q?/x"},
        {"y", kAll, "<<Question>>/<<iNPUT>>", "x", "<<Question>>/<<iNPUT>>", true},
        {"y", kAll, "<<CORRECT>><<CORRECT>>", "x", "yy"},
        {"y", kAll, "<<CORRECT>", "x", "<<CORRECT>"},
        // Order: a later step sees what an earlier one put in, never the reverse.
        {"a<<INPUT>>", kAll, "<<CORRECT>>", "zz", "azz"},
        {"a<<QUESTION>>", kAll, "<<CORRECT>>", "zz", "aQ?"},
        {"y", kAll, "<<QUESTION>>", "t", "Q t", false, "Q <<INPUT>>"},
        {"y", kAll, "<<QUESTION>>", "x", "<<QUESTION>>x", false, "<<QUESTION>>x"},
        {"y", kAll, "<<INPUT>>", "<<CORRECT>><<QUESTION>>", "<<CORRECT>><<QUESTION>>"},
        {"y", kAll, "<<INPUT>>", "<<input>>", "<<input>>"},  // inserted text is not searched
        {"<<CORRECT>>", kAll, "<<CORRECT>>", "x", "<<CORRECT>>"},
        {"y", kAll, "<<QUESTION>>", "x", "<<question>>", false, "<<question>>"},
    };
    for (const ResponseCase& c : cases) {
        Zentu_Data question = MakeQuestion(c.answer, c.method, c.caseSensitive);
        question.wrongResponse = c.wrongResponse;
        question.question = c.question;
        const Tcheckans result = CheckAnswer(question, c.typed);
        EXPECT_FALSE(result.correct) << "answer '" << c.answer << "' typed '" << c.typed << "'";
        EXPECT_EQ(result.response, c.response)
            << "template '" << c.wrongResponse << "' answer '" << c.answer << "'";
    }
}

TEST(CheckAnswerTest, RightAnswerHasNoResponse) {
    for (const AnswerMethod method : {kAll, kSome, kOnlyOne, kInOrder}) {
        Zentu_Data question = MakeQuestion("Paris", method);
        question.wrongResponse = "Wrong: <<CORRECT>>";
        const Tcheckans result = CheckAnswer(question, "paris");
        EXPECT_TRUE(result.correct) << int(method);
        EXPECT_EQ(result.response, "") << int(method);
    }
}

// Literal pairwise counting, as the rule is written, to hold the fast count against.
PieceCounts CountPairwise(const std::vector<std::string>& a, const std::vector<std::string>& b,
                          bool caseSensitive) {
    PieceCounts counts;
    counts.answerPieces = a.size();
    counts.typedPieces = b.size();
    for (std::size_t i = 0; i < b.size(); ++i) {
        for (std::size_t j = 0; j < a.size(); ++j) {
            if (PiecesEqual(b[i], a[j], caseSensitive)) {
                ++counts.matches;
                counts.positionSum += i;
            }
        }
    }
    counts.inOrder = a.size() == b.size();
    for (std::size_t k = 0; counts.inOrder && k < a.size(); ++k) {
        counts.inOrder = PiecesEqual(a[k], b[k], caseSensitive);
    }
    return counts;
}

TEST(CountPiecesTest, AgreesWithPairwiseCountingOnRandomLists) {
    std::mt19937 random(20240611);
    // Few distinct pieces, so repeats, case variants and high bytes are common.
    const std::vector<std::string> vocabulary = {"a",    "A",    "b", "ab", "aB",
                                                 "\xC9", "\xE9", "[", "{",  ""};
    auto pick = [&](std::size_t count) {
        std::vector<std::string> pieces;
        for (std::size_t i = 0; i < count; ++i) {
            pieces.push_back(vocabulary[random() % vocabulary.size()]);
        }
        return pieces;
    };
    for (int round = 0; round < 2000; ++round) {
        const std::vector<std::string> a = pick(random() % 7);
        std::vector<std::string> b = pick(random() % 7);
        if (round % 5 == 0) b = a;
        const bool caseSensitive = round % 2 == 0;
        const PieceCounts fast = CountPieces(a, b, caseSensitive);
        const PieceCounts slow = CountPairwise(a, b, caseSensitive);
        ASSERT_EQ(fast.matches, slow.matches) << "round " << round;
        ASSERT_EQ(fast.positionSum, slow.positionSum) << "round " << round;
        ASSERT_EQ(fast.inOrder, slow.inOrder) << "round " << round;
        ASSERT_EQ(fast.answerPieces, a.size());
        ASSERT_EQ(fast.typedPieces, b.size());
    }
}

// Texts past 1023 characters come only from files; they are judged whole.
TEST(CheckAnswerTest, LongTextsAreJudgedWhole) {
    std::string answer;
    std::string reversed;
    const int pieces = 100000;
    for (int i = 0; i < pieces; ++i) answer += (i ? "," : "") + std::to_string(i);
    for (int i = pieces - 1; i >= 0; --i) {
        reversed += std::to_string(i) + (i ? "," : "");
    }
    EXPECT_TRUE(CheckAnswer(MakeQuestion(answer, kAll), reversed).correct);
    EXPECT_TRUE(CheckAnswer(MakeQuestion(answer, kInOrder), answer).correct);
    EXPECT_FALSE(CheckAnswer(MakeQuestion(answer, kInOrder), reversed).correct);
    EXPECT_TRUE(CheckAnswer(MakeQuestion(answer, kSome), reversed).correct);

    // The piece that decides lies far past character 1023.
    const std::string typed = "a," + std::string(3000, ' ') + "b";
    EXPECT_TRUE(CheckAnswer(MakeQuestion("a,b", kInOrder), typed).correct);
    EXPECT_FALSE(CheckAnswer(MakeQuestion("a,b", kInOrder), typed + ",c").correct);
}

TEST(CountPiecesTest, SumsPastThirtyTwoBitsStayExact) {
    // 3000 equal pieces each side: every pair matches.
    const std::vector<std::string> pieces(3000, "a");
    const PieceCounts counts = CountPieces(pieces, pieces, false);
    EXPECT_EQ(counts.matches, 9000000u);
    EXPECT_EQ(counts.positionSum, 3000ull * (3000ull * 2999ull / 2));  // above 2^33
}

TEST(CheckAnswerTest, ResponseOfAnyTemplateStaysBounded) {
    std::string wrongResponse;
    for (int i = 0; i < 200000; ++i) wrongResponse += "<<CORRECT>>";
    Zentu_Data question = MakeQuestion(std::string(1000, 'x'), kAll);
    question.wrongResponse = wrongResponse;
    const Tcheckans result = CheckAnswer(question, "y");
    EXPECT_FALSE(result.correct);
    ASSERT_EQ(result.response.size(), kMaxResponseLength);
    EXPECT_EQ(result.response, std::string(kMaxResponseLength, 'x'));

    // The cut keeps what comes first, the later placeholders filled in as usual.
    question.answer = "<<INPUT>>";
    question.wrongResponse = "<<QUESTION>>" + wrongResponse;
    question.question = "Q";
    std::string typed;
    for (int i = 0; i < 10; ++i) typed += "ab";
    const Tcheckans filled = CheckAnswer(question, typed);
    ASSERT_EQ(filled.response.size(), kMaxResponseLength);
    EXPECT_EQ(filled.response.substr(0, 7), "Qababab");
    EXPECT_EQ(filled.response.find_first_not_of("ab", 1), std::string::npos);
}

}  // namespace
