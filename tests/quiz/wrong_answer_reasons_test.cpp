#include "quiz/wrong_answer_reasons.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "quiz/answer_checker.h"

namespace {

constexpr AnswerMethod kAll = AnswerMethod::All;
constexpr AnswerMethod kSome = AnswerMethod::Some;
constexpr AnswerMethod kOnlyOne = AnswerMethod::OnlyOne;
constexpr AnswerMethod kInOrder = AnswerMethod::AllInOrder;

Zentu_Data Question(std::string answer, AnswerMethod method, bool caseSensitive, bool checkSpaces,
                    char delimiter) {
    Zentu_Data question;
    question.answer = std::move(answer);
    question.answerMethod = method;
    question.caseSensitive = caseSensitive;
    question.checkSpaces = checkSpaces;
    question.delimiter = delimiter;
    return question;
}

// Each row: a question, a typed answer and the whole explanation, its lines joined by " | ".
// Empty means right.
TEST(ExplainWrongAnswerTest, EachReasonInTheQuestionsOwnRules) {
    const std::string ends = "Only spaces or line breaks at the ends differ, and this question ";
    const std::string cannot = "No typed answer can be right for this question.";
    const std::string repeated =
        "Listed more than once among the expected answers, so a typed one counts once for each "
        "listing: \"a\".";
    const std::string notAmong = "Not among the expected answers: ";
    const auto compared = [](const char* typed, const char* expected) {
        return std::string(" | You typed: ") + typed + " | Closest answer: " + expected;
    };
    struct Case {
        std::string answer;
        AnswerMethod method;
        std::string typed, why;
        bool caseSensitive = false, checkSpaces = false;
    } const cases[] = {
        {"The street", kAll, "the street",
         "Only letter case differs, and this question counts it." +
             compared("[t]he street", "[T]he street"),
         true},
        {"Paris", kOnlyOne, "Paris ", ends + "counts them." + compared("Paris[ ]", "Paris[]"),
         false, true},
        {"Madrid\r\n", kAll, "Madrid", ends + "counts them." + compared("Madrid[]", "Madrid[\xB6]"),
         false, true},
        {"Paris", kAll, " paris",
         "Only letter case and spaces or line breaks at the ends differ, and this question "
         "counts both." +
             compared("[ p]aris", "[P]aris"),
         true, true},
        // Several answers: the count, what is missing, what was not asked for.
        {"x,y,z", kAll, "y,x", "2 of 3 answers were given. | Missing: \"z\"."},
        {"Madrid,Paris,Rome", kInOrder, "Madrid,Pari,Rome",
         "2 of 3 answers were given. | Missing: \"Paris\". | " + notAmong + "\"Pari\"." +
             compared("Pari[]", "Pari[s]")},
        {"Rome,b", kAll, "rome,c",
         "0 of 2 answers were given. | Missing: \"Rome\", \"b\". | " + notAmong +
             "\"rome\", \"c\"." + compared("[r]ome", "[R]ome"),
         true},
        {"a,b,c", kSome, "a,d", notAmong + "\"d\"."},
        {"a,b", kAll, "a,a,b", "Typed more than once: \"a\"."},
        {"a,b,c", kInOrder, "c,a,b", "Out of order: \"c\"."},
        {"a,b,c", kOnlyOne, "b,c", "This question wants just one answer; 2 were typed."},
        {"1,2,3,4,5,6,7,8,9,10,11,12", kAll, "",
         "No answer was typed. | 0 of 12 answers were given. | Missing: \"1\", \"2\", \"3\", "
         "\"4\", \"5\", \"6\", \"7\", \"8\", \"9\", \"10\" and 2 more."},
        // The delimiter at the ends makes no piece; a blank piece ends what is read.
        {"a,b", kAll, ",b,a,", ""},
        {"Paris", kAll, ",Pari,", compared("Pari[]", "Pari[s]").substr(3)},
        {"a,b", kAll, "a, ,b", "The answers after an empty one were not read."},
        // Answers that repeat count for each listing; some questions no one can answer.
        {"a,a", kAll, "a", repeated + " | " + cannot},
        {"a,a,b", kAll, "a,b", repeated},
        {"a,a,b", kInOrder, "a,a,b", repeated + " | " + cannot},
        {"a,A", kOnlyOne, "b", repeated + " | " + cannot},
        {"", kSome, "x", notAmong + "\"x\". | " + cannot},
        {"Paris", static_cast<AnswerMethod>(3), "Paris",
         "This question's answer method is one the program does not know: no typed answer can be "
         "right for this question."},
        // Nothing else fits: the rules in one sentence.
        {"Madrid", kAll, "Berlin",
         "This question has one answer; letter case does not count; spaces and line breaks at "
         "the ends do not count."},
        {"Rome", kAll, "Oslo",
         "This question has one answer; letter case counts; spaces at the ends count.", true, true},
        // Right answers are never explained.
        {"Madrid\r\n", kAll, "madrid", ""},
        {"a,b", kAll, "a,a", ""},
    };
    for (const Case& c : cases) {
        const Zentu_Data question =
            Question(c.answer, c.method, c.caseSensitive, c.checkSpaces, ',');
        std::string why = ExplainWrongAnswer(question, c.typed);
        for (std::size_t at; (at = why.find("\r\n")) != std::string::npos;)
            why.replace(at, 2, " | ");
        EXPECT_EQ(why, c.why) << "answer '" << c.answer << "' typed '" << c.typed << "'";
    }
}

// Over random questions and typed texts: an explanation exactly for the wrong answers, no
// answer called missing that appears anywhere in the typed text, and "no typed answer can
// be right" only where a search finds none.
TEST(ExplainWrongAnswerTest, NeverContradictsTheChecker) {
    std::mt19937 random(1515);
    const std::vector<std::string> vocabulary = {"a", "A", "b", "ab", " a", "a ", "\r\n", "B"};
    const AnswerMethod methods[] = {kAll, kSome, kOnlyOne, kInOrder, static_cast<AnswerMethod>(3)};
    const char delimiters[] = {',', ',', '\0', ' '};
    auto text = [&](char delimiter) {
        std::string joined;
        for (std::size_t n = random() % 5; n > 0; --n) {
            joined += vocabulary[random() % vocabulary.size()];
            if (delimiter != '\0') joined.append(random() % 4 == 0 ? 2 : 1, delimiter);
        }
        if (random() % 3 == 0 && !joined.empty() && delimiter != '\0') joined.pop_back();
        return joined;
    };
    std::set<std::string> searched;
    int explained = 0, impossible = 0;
    for (int round = 0; round < 150000; ++round) {
        const char delimiter = delimiters[random() % 4];
        const Zentu_Data question =
            Question(text(delimiter), methods[random() % 5], random() % 2, random() % 2, delimiter);
        const std::string typed = round % 4 == 0 ? question.answer : text(delimiter);
        const bool right = CheckAnswer(question, typed).correct;
        const std::string why = ExplainWrongAnswer(question, typed);
        ASSERT_EQ(why.empty(), right) << "answer '" << question.answer << "' typed '" << typed;
        explained += !right;

        const WrongAnswerReasons reasons = FindWrongAnswerReasons(question, typed);
        std::string rest = typed;
        while (!rest.empty()) {
            const std::size_t cut = delimiter == '\0' ? std::string::npos : rest.find(delimiter);
            for (const std::string& piece : SplitAnswer(rest.substr(0, cut), question)) {
                for (const std::string& missing : reasons.missing) {
                    ASSERT_FALSE(PiecesEqual(piece, missing, question.caseSensitive))
                        << "'" << missing << "' typed in '" << typed << "'";
                }
            }
            rest = cut == std::string::npos ? "" : rest.substr(cut + 1);
        }

        // Every typed text of up to five pieces made of the answer's pieces and one other.
        std::vector<std::string> symbols = SplitAnswer(question.answer, question);
        std::string key = {char(question.answerMethod), char(question.caseSensitive)};
        for (const std::string& piece : symbols) key += piece + '\x01';
        if (!reasons.cannotBeRight || delimiter == '\0' || symbols.size() > 4 ||
            impossible == 300 || !searched.insert(key).second) {
            continue;
        }
        ++impossible;
        symbols.push_back("zz");
        for (std::size_t length = 0, tries = 1; length <= 5; ++length, tries *= symbols.size()) {
            for (std::size_t code = 0; code < tries; ++code) {
                std::string candidate;
                for (std::size_t k = 0, c = code; k < length; ++k, c /= symbols.size()) {
                    candidate += (k ? std::string(1, delimiter) : "") + symbols[c % symbols.size()];
                }
                ASSERT_FALSE(CheckAnswer(question, candidate).correct)
                    << "'" << candidate << "' is right for '" << question.answer << "'";
            }
        }
    }
    EXPECT_GT(explained, 50000);  // the random texts reach both verdicts often
    EXPECT_EQ(impossible, 300);
}

}  // namespace
