#include "quiz/answer_checker.h"

#include <limits>
#include <unordered_map>

#include "model/text_helpers.h"
#include "res/string_table.h"

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
    std::uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? kSaturated : sum;
}

std::uint64_t SaturatingMul(std::uint64_t a, std::uint64_t b) {
    std::uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kSaturated : product;
}

// nA * (nA - 1) / 2 without an intermediate that could overflow first.
std::uint64_t TriangleNumber(std::uint64_t n) {
    if (n < 2) return 0;
    return n % 2 == 0 ? SaturatingMul(n / 2, n - 1) : SaturatingMul(n, (n - 1) / 2);
}

std::string FoldPiece(std::string_view piece) {
    std::string folded(piece);
    for (char& c : folded) c = FoldAsciiCase(c);
    return folded;
}

bool MatchesPlaceholder(std::string_view text, std::size_t pos, std::string_view from,
                        bool ignoreCase) {
    const std::string_view candidate = text.substr(pos, from.size());
    return ignoreCase ? EqualsFoldAscii(candidate, from) : candidate == from;
}

// ReplaceAll, cut off at `limit` bytes of result. Only the part of `text` whose
// replacement fits is handed to ReplaceAll, so a template full of placeholders never
// builds a huge intermediate text.
std::string ReplaceAllWithin(std::string_view text, std::string_view from, std::string_view to,
                             bool ignoreCase, std::size_t limit) {
    std::size_t pos = 0;
    std::size_t produced = 0;
    while (pos < text.size() && produced < limit) {
        if (pos + from.size() <= text.size() && MatchesPlaceholder(text, pos, from, ignoreCase)) {
            produced += to.size();
            pos += from.size();
        } else {
            ++produced;
            ++pos;
        }
    }
    std::string result = ReplaceAll(text.substr(0, pos), from, to, ignoreCase);
    if (result.size() > limit) result.resize(limit);
    return result;
}

int DefaultWrongText(AnswerMethod method, std::size_t answerPieces) {
    if (answerPieces <= 1) return kStrWrongOne;
    switch (method) {
        case AnswerMethod::Some:
            return kStrWrongSome;
        case AnswerMethod::OnlyOne:
            return kStrWrongOnlyOne;
        case AnswerMethod::All:
            return kStrWrongAll;
        case AnswerMethod::AllInOrder:
            return kStrWrongAllInOrder;
    }
    return kStrWrongOne;
}

// Spaces, and the line breaks that Enter leaves invisibly at the end of an answer typed in
// the editor, do not count at the ends of a piece unless the question checks spaces.
std::string_view StripEnds(std::string_view piece) {
    constexpr std::string_view kBlanks = " \r\n";
    const std::size_t first = piece.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return piece.substr(first, piece.find_last_not_of(kBlanks) - first + 1);
}

bool IsKnownMethod(AnswerMethod method) {
    return method == AnswerMethod::All || method == AnswerMethod::Some ||
           method == AnswerMethod::OnlyOne || method == AnswerMethod::AllInOrder;
}

}  // namespace

std::vector<std::string> SplitAnswer(std::string_view text, const Zentu_Data& question) {
    std::vector<std::string> pieces;
    const char delimiter = question.delimiter;
    const bool hasDelimiter = delimiter != '\0';
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (hasDelimiter && text[pos] == delimiter) {
            ++pos;
            continue;
        }
        const std::size_t end = hasDelimiter ? text.find(delimiter, pos) : std::string_view::npos;
        const std::string_view candidate =
            text.substr(pos, end == std::string_view::npos ? text.size() - pos : end - pos);
        const std::string_view piece = question.checkSpaces ? candidate : StripEnds(candidate);
        // A piece of blanks alone ends the list: it and everything behind it are dropped.
        if (piece.empty()) break;
        pieces.emplace_back(piece);
        pos += candidate.size();
    }
    return pieces;
}

bool PiecesEqual(std::string_view a, std::string_view b, bool caseSensitive) {
    return caseSensitive ? a == b : EqualsFoldAscii(a, b);
}

PieceCounts CountPieces(const std::vector<std::string>& answerPieces,
                        const std::vector<std::string>& typedPieces, bool caseSensitive) {
    PieceCounts counts;
    counts.answerPieces = answerPieces.size();
    counts.typedPieces = typedPieces.size();

    // How many answer pieces each typed piece equals, looked up by the folded text, in
    // place of comparing every pair.
    std::vector<std::string> foldedAnswers;
    if (!caseSensitive) {
        foldedAnswers.reserve(answerPieces.size());
        for (const std::string& piece : answerPieces) foldedAnswers.push_back(FoldPiece(piece));
    }
    const std::vector<std::string>& keys = caseSensitive ? answerPieces : foldedAnswers;
    std::unordered_map<std::string_view, std::uint64_t> answerCount;
    answerCount.reserve(keys.size());
    for (const std::string& key : keys) ++answerCount[key];

    std::string folded;
    for (std::size_t i = 0; i < typedPieces.size(); ++i) {
        std::string_view key = typedPieces[i];
        if (!caseSensitive) {
            folded = FoldPiece(key);
            key = folded;
        }
        const auto found = answerCount.find(key);
        if (found == answerCount.end()) continue;
        counts.matches = SaturatingAdd(counts.matches, found->second);
        counts.positionSum = SaturatingAdd(counts.positionSum, SaturatingMul(i, found->second));
    }

    counts.inOrder = answerPieces.size() == typedPieces.size();
    for (std::size_t k = 0; counts.inOrder && k < answerPieces.size(); ++k) {
        counts.inOrder = PiecesEqual(answerPieces[k], typedPieces[k], caseSensitive);
    }
    return counts;
}

bool IsRight(const PieceCounts& counts, AnswerMethod method) {
    const std::uint64_t nA = counts.answerPieces;
    const std::uint64_t nB = counts.typedPieces;
    const bool allFound = counts.matches == nA && counts.positionSum == TriangleNumber(nA);
    switch (method) {
        case AnswerMethod::All:
            return allFound;
        case AnswerMethod::Some:
            return counts.matches == nB && counts.matches >= 1;
        case AnswerMethod::OnlyOne:
            return counts.matches == 1 && nB == 1;
        case AnswerMethod::AllInOrder:
            return allFound && counts.inOrder;
    }
    return false;
}

std::string WrongAnswerText(const Zentu_Data& question, std::string_view typed,
                            std::size_t answerPieces) {
    const std::string& base =
        question.wrongResponse.empty()
            ? LoadString(DefaultWrongText(question.answerMethod, answerPieces))
            : question.wrongResponse;
    const bool ignoreCase = !question.caseSensitive;
    std::string text =
        ReplaceAllWithin(base, "<<CORRECT>>", question.answer, ignoreCase, kMaxResponseLength);
    text =
        ReplaceAllWithin(text, "<<QUESTION>>", question.question, ignoreCase, kMaxResponseLength);
    return ReplaceAllWithin(text, "<<INPUT>>", typed, ignoreCase, kMaxResponseLength);
}

Tcheckans CheckAnswer(const Zentu_Data& question, std::string_view typed) {
    const std::vector<std::string> answerPieces = SplitAnswer(question.answer, question);
    const std::vector<std::string> typedPieces = SplitAnswer(typed, question);
    const PieceCounts counts = CountPieces(answerPieces, typedPieces, question.caseSensitive);

    Tcheckans result;
    result.correct = IsRight(counts, question.answerMethod);
    if (!result.correct && IsKnownMethod(question.answerMethod)) {
        result.response = WrongAnswerText(question, typed, counts.answerPieces);
    }
    return result;
}
