// The question files shipped in examples/ must load cleanly, be exactly what the program
// itself would write, and quiz well, or the first thing a new user opens is broken.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "model/question_file.h"
#include "model/safe_file.h"
#include "quiz/answer_checker.h"

namespace {

namespace fs = std::filesystem;

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

// A file written by mistake in UTF-8 would show every accented letter as two odd ones.
bool LooksLikeUtf8(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF) return true;
    }
    return false;
}

TEST(ExamplesTest, EveryBundledFileLoadsAndWritesBackByteForByte) {
    std::set<std::string> listed, present;
    for (const Example& example : kExamples) listed.insert(example.name);
    for (const fs::directory_entry& entry : fs::directory_iterator(ZENTU_EXAMPLES_DIR)) {
        if (entry.path().extension() == ".que") present.insert(entry.path().filename().string());
    }
    EXPECT_EQ(present, listed);

    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(std::string(ZENTU_EXAMPLES_DIR "/") + example.name, bytes,
                                  kMaxQuestionFileBytes));
        Question_Set set;
        LogFont font = StartupDisplayFont();
        bool fontRead = false;
        ASSERT_EQ(ParseQuestionFile(bytes, set, font, fontRead), ReadOutcome::Loaded);
        EXPECT_EQ(set.Count(), example.count);
        EXPECT_EQ(fontRead, example.hasFont);
        EXPECT_EQ(FormatQuestionFile(set, example.format, fontRead ? &font : nullptr), bytes);
        EXPECT_FALSE(LooksLikeUtf8(bytes));

        // Every accepted answer passes the checker, and a wrong one gets a filled-in
        // message: an answer listed twice or the wrong delimiter would break a question.
        for (const Zentu_Data& q : std::vector<Zentu_Data>(set.begin(), set.end())) {
            SCOPED_TRACE(q.question);
            const bool piecewise =
                q.answerMethod == AnswerMethod::Some || q.answerMethod == AnswerMethod::OnlyOne;
            const std::vector<std::string> right =
                piecewise ? SplitAnswer(q.answer, q) : std::vector<std::string>{q.answer};
            ASSERT_FALSE(right.empty());
            for (const std::string& typed : right) EXPECT_TRUE(CheckAnswer(q, typed).correct);
            const Tcheckans wrong = CheckAnswer(q, "Atlantis");
            EXPECT_FALSE(wrong.correct);
            EXPECT_FALSE(wrong.response.empty());
            EXPECT_EQ(wrong.response.find("<<"), std::string::npos) << wrong.response;
        }
    }
}

}  // namespace
