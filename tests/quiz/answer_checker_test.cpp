#include "quiz/answer_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
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

TEST(SplitAnswerTest, CutsAtTheDelimiterUnderTheSpaceRule) {
    struct Case {
        std::string text;
        char delimiter;
        bool checkSpaces;
        Texts pieces;
    } const cases[] = {
        {"a,,b,", ',', false, {"a", "b"}},
        {"a, ,b", ',', false, {"a"}},  // a piece of spaces ends the list
        {"a, ,b", ',', true, {"a", " ", "b"}},
        {" a , b c ", ',', false, {"a", "b c"}},
        // Spaces and line breaks at the ends go, tabs and anything inside stay.
        {" \ta\r\n ", ',', false, {"\ta"}},
        {"\r\nNew\r\nYork\r\n,\r\n,b", ',', false, {"New\r\nYork"}},
        {"a\r\n", ',', true, {"a\r\n"}},
        {std::string("\0a", 2), '\0', true, {std::string("\0a", 2)}},  // NUL is no delimiter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitAnswer(c.text, MakeQuestion("", kAll, false, c.checkSpaces, c.delimiter)),
                  c.pieces)
            << "'" << c.text << "' delimiter " << int(c.delimiter);
    }
}

// Each row: one question, the typed texts it accepts and those it refuses. A right answer
// never gets a response; a wrong one gets the question's own text.
TEST(CheckAnswerTest, VerdictOfEachMethod) {
    struct Case {
        std::string answer;
        AnswerMethod method;
        Texts right, wrong;
        bool caseSensitive = false, checkSpaces = false;
        char delimiter = ',';
    } const cases[] = {
        {"Paris", kAll, {"paris", " Paris ", "PARIS,"}, {"Pari"}},
        // All counts positions of typed pieces, not of answer pieces.
        {"a,b", kAll, {"a,b", "b,a", "a,b,c", "a,a"}, {"c,a,b", "a", "a,b,a", ""}},
        {"a,a,b", kAll, {"a,x,x,b"}, {}},
        // The piece that decides may lie far past character 1023, in a file-borne text.
        {"a,b", kInOrder, {"A , B", "a," + std::string(3000, ' ') + "b"}, {"b,a", "a,b,c"}},
        {"a,b,c", kSome, {"a,c", "b", "a,a"}, {"a,d", "", ", , "}},
        {"a,b,c", kOnlyOne, {"b"}, {"b,c", "b,d", "d", ", , "}},
        // Repeated answer pieces count every pair.
        {"a,a", kAll, {}, {"a"}},
        {"a,a", kInOrder, {}, {"a,a"}},
        {"a,a", kOnlyOne, {}, {"a"}},
        {"a,a", kSome, {"a,x"}, {"a"}},
        // An empty answer text.
        {"", kAll, {"anything"}, {}},
        {"", kInOrder, {"", " , ,"}, {"x"}},
        {"", kSome, {}, {""}},
        // Space and case rules; only A-Z and a-z are folded.
        {"Paris", kAll, {}, {" Paris"}, false, true},
        {"Paris", kAll, {}, {"paris"}, true},
        // An answer that Enter in the editor left ending in a line break.
        {"Madrid\r\n", kAll, {"Madrid", "madrid\n"}, {"Madrid\r\nX"}},
        {"Madrid\r\n", kAll, {"Madrid\r\n"}, {"Madrid"}, false, true},
        {"\xC9t\xE9", kAll, {"\xC9T\xE9"}, {"\xE9t\xE9"}},
        {"[@", kAll, {}, {"{`"}},
        // Without a delimiter the whole text is one piece; a high byte is a delimiter too.
        {"a,b", kAll, {" A,B "}, {"b,a"}, false, false, '\0'},
        {"x\xA7y", kAll, {"y\xA7x"}, {}, false, false, '\xA7'},
    };
    for (const Case& c : cases) {
        Zentu_Data question =
            MakeQuestion(c.answer, c.method, c.caseSensitive, c.checkSpaces, c.delimiter);
        question.wrongResponse = "W";
        for (const bool expected : {true, false}) {
            for (const std::string& typed : expected ? c.right : c.wrong) {
                const Tcheckans result = CheckAnswer(question, typed);
                EXPECT_EQ(result.correct, expected) << "answer '" << c.answer << "' method "
                                                    << int(c.method) << " typed '" << typed << "'";
                EXPECT_EQ(result.response, expected ? "" : "W") << typed;
            }
        }
    }
}

TEST(CheckAnswerTest, WrongAnswerTextAndPlaceholders) {
    const std::string head = "The answer you typed in was incorrect.";
    const std::string one = head + "  The correct answer is: ";
    struct Case {
        std::string answer;
        AnswerMethod method;
        std::string wrongResponse, typed, response;
        bool caseSensitive = false;
        std::string question = "Q?";
    } const cases[] = {
        // The standard texts: string 1 for at most one answer piece, else by method.
        {"Paris", kAll, "", "Pari", one + "Paris"},
        {"a, ,b", kAll, "", "b", one + "a, ,b"},  // one piece; the text as stored
        {"", kInOrder, "", "x", one},
        {"a,b", kSome, "", "x", head + "  The correct answers are some of: a,b"},
        {"a,b", kOnlyOne, "", "x", head + " The correct answer is one of: a,b"},
        {"a,b", kAll, "", "x", head + " The correct answers are: a,b"},
        {"a,b", kInOrder, "", "b,a", head + " The correct answers are in order: a,b"},
        // The question's own text, placeholders under the question's case rule.
        {"y", kAll, "No, <<INPUT>> is wrong; it was <<CORRECT>>.", "x",
         "No, x is wrong; it was y."},
        {"y", kAll, "<<correct>>!", "x", "y!"},
        {"y", kAll, "<<correct>>!", "x", "<<correct>>!", true},
        {"y", kAll, "<<Question>>/<<iNPUT>>", "x", "Q?/x"},
        // Order: a later step sees what an earlier one put in, never the reverse, and no
        // step searches its own insertions.
        {"a<<INPUT>>", kAll, "<<CORRECT>>", "zz", "azz"},
        {"a<<QUESTION>>", kAll, "<<CORRECT>>", "zz", "aQ?"},
        {"y", kAll, "<<QUESTION>>", "t", "Q t", false, "Q <<INPUT>>"},
        {"y", kAll, "<<INPUT>>", "<<CORRECT>><<QUESTION>>", "<<CORRECT>><<QUESTION>>"},
        {"<<CORRECT>>", kAll, "<<CORRECT>>", "x", "<<CORRECT>>"},
        // Any other method value is never right and gets no text at all.
        {"Paris", static_cast<AnswerMethod>(3), "No", "Paris", ""},
        {"Paris", static_cast<AnswerMethod>(-1), "No", "Paris", ""},
    };
    for (const Case& c : cases) {
        Zentu_Data question = MakeQuestion(c.answer, c.method, c.caseSensitive);
        question.wrongResponse = c.wrongResponse;
        question.question = c.question;
        const Tcheckans result = CheckAnswer(question, c.typed);
        EXPECT_FALSE(result.correct) << "answer '" << c.answer << "' typed '" << c.typed << "'";
        EXPECT_EQ(result.response, c.response) << "template '" << c.wrongResponse << "'";
    }
}

TEST(CountPiecesTest, AgreesWithLiteralPairwiseCounting) {
    std::mt19937 random(20240611);
    // Few distinct pieces, so repeats, case variants and high bytes are common.
    const Texts vocabulary = {"a", "A", "b", "ab", "aB", "\xC9", "\xE9", "[", "{"};
    auto pick = [&] {
        Texts pieces(random() % 7);
        for (std::string& piece : pieces) piece = vocabulary[random() % vocabulary.size()];
        return pieces;
    };
    for (int round = 0; round < 2000; ++round) {
        const Texts a = pick();
        const Texts b = round % 5 == 0 ? a : pick();
        const bool caseSensitive = round % 2 == 0;
        PieceCounts slow;
        for (std::size_t i = 0; i < b.size(); ++i) {
            for (std::size_t j = 0; j < a.size(); ++j) {
                if (PiecesEqual(b[i], a[j], caseSensitive)) {
                    ++slow.matches;
                    slow.positionSum += i;
                }
            }
        }
        slow.inOrder = a.size() == b.size() &&
                       std::equal(a.begin(), a.end(), b.begin(), [&](auto& x, auto& y) {
                           return PiecesEqual(x, y, caseSensitive);
                       });
        const PieceCounts fast = CountPieces(a, b, caseSensitive);
        ASSERT_EQ(std::tie(fast.matches, fast.positionSum, fast.inOrder),
                  std::tie(slow.matches, slow.positionSum, slow.inOrder))
            << "round " << round;
    }
}

// Texts past 1023 characters come only from files: sums stay exact past 32 bits, and no
// template makes the response grow without bound.
TEST(CheckAnswerTest, FileBorneTextsOfAnySize) {
    const Texts pieces(3000, "a");  // every pair matches
    const PieceCounts counts = CountPieces(pieces, pieces, false);
    EXPECT_EQ(counts.matches, 9000000u);
    EXPECT_EQ(counts.positionSum, 3000ull * (3000ull * 2999ull / 2));  // above 2^33

    Zentu_Data question = MakeQuestion(std::string(1000, 'x'), kAll);
    for (int i = 0; i < 200000; ++i) question.wrongResponse += "<<CORRECT>>";
    EXPECT_EQ(CheckAnswer(question, "y").response, std::string(kMaxResponseLength, 'x'));
    // The cut keeps what comes first, with the later placeholders filled in as usual.
    question.answer = "<<INPUT>>";
    question.wrongResponse = "<<QUESTION>>" + question.wrongResponse;
    const std::string filled = CheckAnswer(question, "abababababab").response;
    EXPECT_EQ(filled.size(), kMaxResponseLength);
    EXPECT_EQ(filled.substr(0, 4), "Q?ab");
    EXPECT_EQ(filled.find_first_not_of("ab", 2), std::string::npos);
}

}  // namespace
