// The question files shipped in examples/ must load cleanly and be exactly what the
// program itself would write, or the first thing a new user opens is broken.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "model/question_file.h"
#include "model/safe_file.h"
#include "quiz/answer_checker.h"

namespace {

namespace fs = std::filesystem;

const fs::path kExamplesDir = ZENTU_EXAMPLES_DIR;

struct Example {
    const char* name;
    int format;
    std::size_t count;
    bool hasFont;
};

const Example kExamples[] = {
    {"world_capitals.que", kFormatVersion11, 14, true},
    {"german_words.que", kFormatVersion10, 14, false},
};

std::string ReadExample(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile((kExamplesDir / name).string(), bytes, kMaxQuestionFileBytes))
        << name;
    return bytes;
}

// A file written by mistake in UTF-8 would show every accented letter as two odd ones.
bool LooksLikeUtf8(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        unsigned char next = static_cast<unsigned char>(text[i + 1]);
        if (lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF) return true;
    }
    return false;
}

bool IsAnswerMethod(AnswerMethod method) {
    return method == AnswerMethod::All || method == AnswerMethod::Some ||
           method == AnswerMethod::OnlyOne || method == AnswerMethod::AllInOrder;
}

TEST(ExamplesTest, EveryBundledFileIsChecked) {
    std::set<std::string> listed;
    for (const Example& example : kExamples) listed.insert(example.name);
    std::set<std::string> present;
    for (const fs::directory_entry& entry : fs::directory_iterator(kExamplesDir)) {
        if (entry.path().extension() == ".que") present.insert(entry.path().filename().string());
    }
    EXPECT_EQ(present, listed);
}

TEST(ExamplesTest, LoadsAndWritesBackByteForByte) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        const std::string bytes = ReadExample(example.name);
        Question_Set set;
        LogFont font = StartupDisplayFont();
        bool fontRead = false;
        ASSERT_EQ(ParseQuestionFile(bytes, set, font, fontRead), ReadOutcome::Loaded);
        EXPECT_EQ(set.Count(), example.count);
        EXPECT_EQ(fontRead, example.hasFont);
        EXPECT_EQ(FormatQuestionFile(set, example.format, fontRead ? &font : nullptr), bytes);
    }
}

TEST(ExamplesTest, QuestionsAreUsableInAQuiz) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        Question_Set set;
        LogFont font = StartupDisplayFont();
        bool fontRead = false;
        ASSERT_EQ(ParseQuestionFile(ReadExample(example.name), set, font, fontRead),
                  ReadOutcome::Loaded);
        std::size_t n = 0;
        for (const Zentu_Data& q : set) {
            ++n;
            SCOPED_TRACE("question " + std::to_string(n));
            EXPECT_FALSE(q.question.empty());
            EXPECT_FALSE(q.answer.empty());
            EXPECT_TRUE(IsAnswerMethod(q.answerMethod));
            EXPECT_EQ(q.useHint, !q.hint.empty()) << "a hint button without a hint, or back";
            for (const std::string* text :
                 {&q.question, &q.answer, &q.hint, &q.rightResponse, &q.wrongResponse}) {
                EXPECT_FALSE(LooksLikeUtf8(*text)) << *text;
            }
            // Several accepted answers only work when the delimiter splits them.
            if (q.answerMethod != AnswerMethod::All) {
                EXPECT_NE(q.delimiter, '\0');
                EXPECT_NE(q.answer.find(q.delimiter), std::string::npos) << q.answer;
            }
        }
    }
}

// Every accepted answer must pass the checker, and a wrong one must get a message: an
// answer listed twice, a stray blank piece or the wrong delimiter would break a question.
TEST(ExamplesTest, StoredAnswersAreJudgedRight) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        Question_Set set;
        LogFont font = StartupDisplayFont();
        bool fontRead = false;
        ASSERT_EQ(ParseQuestionFile(ReadExample(example.name), set, font, fontRead),
                  ReadOutcome::Loaded);
        for (const Zentu_Data& q : set) {
            SCOPED_TRACE(q.question);
            std::vector<std::string> rightAnswers;
            if (q.answerMethod == AnswerMethod::Some || q.answerMethod == AnswerMethod::OnlyOne) {
                rightAnswers = SplitAnswer(q.answer, q);
            } else {
                rightAnswers = {q.answer};
            }
            ASSERT_FALSE(rightAnswers.empty());
            for (const std::string& typed : rightAnswers) {
                EXPECT_TRUE(CheckAnswer(q, typed).correct) << typed;
            }
            const Tcheckans wrong = CheckAnswer(q, "Atlantis");
            EXPECT_FALSE(wrong.correct);
            EXPECT_FALSE(wrong.response.empty());
            EXPECT_EQ(wrong.response.find("<<"), std::string::npos) << wrong.response;
        }
    }
}

TEST(ExamplesTest, VocabularyKeepsItsAccentsAsSingleBytes) {
    Question_Set set;
    LogFont font = StartupDisplayFont();
    bool fontRead = false;
    ASSERT_EQ(ParseQuestionFile(ReadExample("german_words.que"), set, font, fontRead),
              ReadOutcome::Loaded);
    ASSERT_GE(set.Count(), 2u);
    EXPECT_EQ(set.At(1).answer,
              "die Stra\xDF"
              "e;die Strasse");
    EXPECT_EQ(set.At(2).answer,
              "die Br\xFC"
              "cke");
}

}  // namespace
