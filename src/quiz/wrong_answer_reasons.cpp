#include "quiz/wrong_answer_reasons.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "model/text_helpers.h"
#include "quiz/answer_checker.h"
#include "quiz/quiz_runs.h"
#include "res/string_table.h"

namespace {

// Pieces longer than this (only a file brings them) are not compared character by
// character, and the comparisons of one explanation stop after this many table cells.
constexpr std::size_t kMaxComparedPiece = 1023;
constexpr std::size_t kMaxComparisonCells = std::size_t{4} << 20;
// A list names this many pieces, then says how many more there are.
constexpr std::size_t kMaxListed = 10;

bool CharsEqual(char a, char b, bool caseSensitive) {
    return caseSensitive ? a == b : FoldAsciiCase(a) == FoldAsciiCase(b);
}

std::string Key(std::string_view piece, bool caseSensitive) {
    std::string key(piece);
    if (!caseSensitive) {
        for (char& c : key) c = FoldAsciiCase(c);
    }
    return key;
}

// Every piece of the text, also those that splitting drops after a blank piece: an answer
// typed there was typed, even if it was not read.
std::vector<std::string> EveryPiece(std::string_view text, const Zentu_Data& question) {
    std::vector<std::string> pieces;
    const char delimiter = question.delimiter;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end =
            delimiter == '\0' ? std::string_view::npos : text.find(delimiter, pos);
        const std::string_view chunk =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        for (std::string& piece : SplitAnswer(chunk, question)) pieces.push_back(std::move(piece));
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return pieces;
}

bool IsKnown(AnswerMethod method) {
    return method == AnswerMethod::All || method == AnswerMethod::Some ||
           method == AnswerMethod::OnlyOne || method == AnswerMethod::AllInOrder;
}

bool NeedsAll(AnswerMethod method) {
    return method == AnswerMethod::All || method == AnswerMethod::AllInOrder;
}

std::size_t EditDistance(std::string_view a, std::string_view b, bool caseSensitive) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1,
                               diagonal + (CharsEqual(a[i - 1], b[j - 1], caseSensitive) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The pieces whose answer positions, in typed order, do not belong to one longest rising
// run: the fewest that would have to move for the rest to be in order.
std::vector<std::size_t> OutOfOrder(const std::vector<std::size_t>& positions) {
    std::vector<std::size_t> tails;  // indices into `positions`, ending each run length
    std::vector<std::size_t> previous(positions.size(), SIZE_MAX);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto at = std::lower_bound(
            tails.begin(), tails.end(), positions[i],
            [&](std::size_t tail, std::size_t value) { return positions[tail] < value; });
        if (at != tails.begin()) previous[i] = *(at - 1);
        if (at == tails.end()) {
            tails.push_back(i);
        } else {
            *at = i;
        }
    }
    std::vector<bool> inRun(positions.size(), false);
    for (std::size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = previous[i]) {
        inRun[i] = true;
    }
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (!inRun[i]) out.push_back(i);
    }
    return out;
}

// The first unexpected piece and the expected answer nearest to it, missing ones first on a
// tie; kept only when at least half of the longer of the two agrees.
void FindClosest(WrongAnswerReasons& reasons, const std::vector<std::string>& answers,
                 bool caseSensitive) {
    if (reasons.unexpected.empty()) return;
    const std::string& typed = reasons.unexpected.front();
    if (typed.size() > kMaxComparedPiece) return;
    std::unordered_set<std::string> missing;
    for (const std::string& piece : reasons.missing) missing.insert(Key(piece, caseSensitive));
    std::size_t cells = 0;
    std::size_t best = SIZE_MAX;
    bool bestMissing = false;
    const std::string* closest = nullptr;
    for (const std::string& answer : answers) {
        if (answer.size() > kMaxComparedPiece) continue;
        cells += (typed.size() + 1) * (answer.size() + 1);
        if (cells > kMaxComparisonCells) break;
        const std::size_t distance = EditDistance(typed, answer, caseSensitive);
        const bool isMissing = missing.count(Key(answer, caseSensitive)) > 0;
        if (distance < best || (distance == best && isMissing && !bestMissing)) {
            best = distance;
            bestMissing = isMissing;
            closest = &answer;
        }
    }
    if (closest == nullptr || 2 * best > std::max(typed.size(), closest->size())) return;
    reasons.closestTyped = typed;
    reasons.closestExpected = *closest;
}

// The greatest common divisor of how often each distinct answer is listed.
std::size_t ListingDivisor(const std::unordered_map<std::string, std::size_t>& counts) {
    std::size_t divisor = 0;
    for (const auto& entry : counts) divisor = std::gcd(divisor, entry.second);
    return divisor;
}

// Whether no typed text can satisfy the counts of CheckAnswer, judged from how the answer
// pieces repeat. Where a proof is not at hand this says false.
bool CannotBeRight(AnswerMethod method, std::size_t answerPieces,
                   const std::unordered_map<std::string, std::size_t>& counts) {
    const bool repeats = counts.size() < answerPieces;
    switch (method) {
        case AnswerMethod::Some:
            return answerPieces == 0;
        case AnswerMethod::OnlyOne:
            // Right needs one typed piece equal to exactly one listing.
            return std::none_of(counts.begin(), counts.end(),
                                [](const auto& entry) { return entry.second == 1; });
        case AnswerMethod::AllInOrder:
            // Typed in order, every repeated answer counts more than once: matches > nA.
            return repeats;
        case AnswerMethod::All: {
            // Each typed piece adds its listing count, a multiple of the divisor, times its
            // position to the position sum, which must come to nA (nA - 1) / 2.
            const std::size_t divisor = ListingDivisor(counts);
            if (divisor < 2) return false;
            const std::size_t n = answerPieces;
            const std::size_t triangle = n % 2 == 0 ? (n / 2) * (n - 1) : n * ((n - 1) / 2);
            return triangle % divisor != 0;
        }
    }
    return true;
}

std::string Shown(std::string_view piece) {
    std::string shown;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] == '\r' || piece[i] == '\n') {
            // A line break is shown as a mark, so the piece stays on its line.
            shown.push_back('\xB6');
            if (piece[i] == '\r' && i + 1 < piece.size() && piece[i + 1] == '\n') ++i;
        } else {
            shown.push_back(piece[i]);
        }
    }
    return shown;
}

std::string Listed(int labelId, const std::vector<std::string>& pieces) {
    std::string line = LoadString(labelId);
    for (std::size_t i = 0; i < pieces.size() && i < kMaxListed; ++i) {
        line += (i == 0 ? "\"" : ", \"") + Shown(pieces[i]) + "\"";
    }
    if (pieces.size() > kMaxListed) {
        line += FormatIntegers(LoadString(kStrWhyMore), {pieces.size() - kMaxListed});
    }
    return line + ".";
}

std::string RulesSentence(const Zentu_Data& question, std::size_t wanted) {
    int method = kStrRuleOneAnswer;
    if (wanted >= 2) {
        switch (question.answerMethod) {
            case AnswerMethod::Some:
                method = kStrRuleSome;
                break;
            case AnswerMethod::OnlyOne:
                method = kStrRuleOnlyOne;
                break;
            case AnswerMethod::AllInOrder:
                method = kStrRuleAllInOrder;
                break;
            default:
                method = kStrRuleAll;
                break;
        }
    }
    return LoadString(method) +
           LoadString(question.caseSensitive ? kStrRuleCaseCounts : kStrRuleCaseFree) +
           LoadString(question.checkSpaces ? kStrRuleEndsCount : kStrRuleEndsFree);
}

}  // namespace

WrongAnswerReasons FindWrongAnswerReasons(const Zentu_Data& question, std::string_view typed) {
    WrongAnswerReasons reasons;
    if (CheckAnswer(question, typed).correct) {
        reasons.right = true;
        return reasons;
    }
    const AnswerMethod method = question.answerMethod;
    if (!IsKnown(method)) {
        reasons.unknownMethod = reasons.cannotBeRight = true;
        return reasons;
    }
    const bool caseSensitive = question.caseSensitive;
    const auto rightWhen = [&](bool keepCase, bool keepEnds) {
        Zentu_Data relaxed = question;
        relaxed.caseSensitive = keepCase && question.caseSensitive;
        relaxed.checkSpaces = keepEnds && question.checkSpaces;
        return CheckAnswer(relaxed, typed).correct;
    };
    if (caseSensitive || question.checkSpaces) {
        reasons.caseOnly = caseSensitive && rightWhen(false, true);
        reasons.endsOnly = question.checkSpaces && rightWhen(true, false);
        if (!reasons.caseOnly && !reasons.endsOnly && caseSensitive && question.checkSpaces &&
            rightWhen(false, false)) {
            reasons.caseOnly = reasons.endsOnly = true;
        }
    }

    const std::vector<std::string> answers = SplitAnswer(question.answer, question);
    const std::vector<std::string> pieces = SplitAnswer(typed, question);
    const std::vector<std::string> everyPiece = EveryPiece(typed, question);

    // The distinct expected answers: how often each is listed, and where first.
    std::unordered_map<std::string, std::size_t> listings;
    std::unordered_map<std::string, std::size_t> firstListed;
    std::vector<const std::string*> distinct;
    for (std::size_t j = 0; j < answers.size(); ++j) {
        const std::string key = Key(answers[j], caseSensitive);
        if (listings[key]++ == 0) {
            firstListed[key] = j;
            distinct.push_back(&answers[j]);
        }
    }
    std::unordered_set<std::string> typedAnywhere;
    for (const std::string& piece : everyPiece) typedAnywhere.insert(Key(piece, caseSensitive));

    reasons.typedPieces = pieces.size();
    reasons.nothingTyped = pieces.empty();
    reasons.unreadTail = everyPiece.size() > pieces.size();
    reasons.wanted = distinct.size();
    if (method == AnswerMethod::OnlyOne && pieces.size() >= 2) reasons.tooMany = pieces.size();
    reasons.cannotBeRight = CannotBeRight(method, answers.size(), listings);

    for (const std::string* answer : distinct) {
        if (NeedsAll(method) && typedAnywhere.count(Key(*answer, caseSensitive)) == 0) {
            reasons.missing.push_back(*answer);
        }
    }
    reasons.given = reasons.wanted - reasons.missing.size();

    std::unordered_set<std::string> seen;
    std::unordered_set<std::string> repeatedTyped;
    std::vector<std::size_t> placed;       // answer positions of the known pieces, typed order
    std::vector<std::size_t> placedPiece;  // and where each was typed
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string key = Key(pieces[i], caseSensitive);
        const bool first = seen.insert(key).second;
        const auto listed = listings.find(key);
        if (listed == listings.end()) {
            if (first) reasons.unexpected.push_back(pieces[i]);
            continue;
        }
        if (listed->second > 1) repeatedTyped.insert(key);
        if (first) {
            placed.push_back(firstListed[key]);
            placedPiece.push_back(i);
        } else if (NeedsAll(method) && repeatedTyped.count(key) == 0 &&
                   std::find(reasons.twice.begin(), reasons.twice.end(), pieces[i]) ==
                       reasons.twice.end()) {
            reasons.twice.push_back(pieces[i]);
        }
    }
    if (method == AnswerMethod::AllInOrder) {
        for (const std::size_t index : OutOfOrder(placed)) {
            reasons.outOfOrder.push_back(pieces[placedPiece[index]]);
        }
    }
    for (const std::string* answer : distinct) {
        const std::string key = Key(*answer, caseSensitive);
        if (listings[key] > 1 && (reasons.cannotBeRight || repeatedTyped.count(key) > 0)) {
            reasons.repeatedAnswers.push_back(*answer);
        }
    }
    FindClosest(reasons, answers, caseSensitive);

    if (reasons.caseOnly || reasons.endsOnly) {
        // That is the whole story; the lists would only restate it piece by piece.
        const WrongAnswerReasons whole = reasons;
        reasons = WrongAnswerReasons{};
        reasons.caseOnly = whole.caseOnly;
        reasons.endsOnly = whole.endsOnly;
        reasons.wanted = whole.wanted;
        reasons.typedPieces = whole.typedPieces;
        reasons.closestTyped = whole.closestTyped;
        reasons.closestExpected = whole.closestExpected;
    }
    return reasons;
}

std::string ExplanationText(const WrongAnswerReasons& reasons, const Zentu_Data& question) {
    if (reasons.right) return {};
    std::vector<std::string> lines;
    const auto add = [&lines](int id) { lines.push_back(LoadString(id)); };
    // Lists of single pieces make sense only where there are several answers to list.
    const bool several = reasons.wanted != 1 || reasons.typedPieces >= 2;
    if (reasons.unknownMethod) {
        add(kStrWhyUnknownMethod);
    } else if (reasons.caseOnly && reasons.endsOnly) {
        add(kStrWhyCaseAndEnds);
    } else if (reasons.caseOnly) {
        add(kStrWhyCaseOnly);
    } else if (reasons.endsOnly) {
        add(kStrWhyEndsOnly);
    } else {
        if (reasons.nothingTyped) add(kStrWhyNothingTyped);
        if (reasons.tooMany > 0) {
            lines.push_back(FormatIntegers(LoadString(kStrWhyTooMany), {reasons.tooMany}));
        }
        if (reasons.wanted >= 2 && !reasons.missing.empty()) {
            lines.push_back(
                FormatIntegers(LoadString(kStrWhyCount), {reasons.given, reasons.wanted}));
        }
        if (several && !reasons.missing.empty()) {
            lines.push_back(Listed(kStrWhyMissing, reasons.missing));
        }
        if (several && !reasons.unexpected.empty()) {
            lines.push_back(Listed(kStrWhyUnexpected, reasons.unexpected));
        }
        if (!reasons.twice.empty()) lines.push_back(Listed(kStrWhyTwice, reasons.twice));
        if (!reasons.outOfOrder.empty()) {
            lines.push_back(Listed(kStrWhyOutOfOrder, reasons.outOfOrder));
        }
        if (reasons.unreadTail) add(kStrWhyUnreadTail);
        if (!reasons.repeatedAnswers.empty()) {
            lines.push_back(Listed(kStrWhyRepeated, reasons.repeatedAnswers));
        }
        if (reasons.cannotBeRight) add(kStrWhyCannotBeRight);
    }
    if (lines.empty() && reasons.closestTyped.empty()) {
        lines.push_back(RulesSentence(question, reasons.wanted));
    }
    if (!reasons.closestTyped.empty()) {
        const auto [typed, expected] =
            MarkDifferences(reasons.closestTyped, reasons.closestExpected, question.caseSensitive);
        lines.push_back(LoadString(kStrWhyYouTyped) + Shown(typed));
        lines.push_back(LoadString(kStrWhyClosest) + Shown(expected));
    }
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
    if (text.size() > kMaxResponseLength) text.resize(kMaxResponseLength);
    return text;
}

std::string ExplainWrongAnswer(const Zentu_Data& question, std::string_view typed) {
    return ExplanationText(FindWrongAnswerReasons(question, typed), question);
}

std::pair<std::string, std::string> MarkDifferences(std::string_view typed,
                                                    std::string_view expected, bool caseSensitive) {
    const std::size_t n = typed.size();
    const std::size_t m = expected.size();
    // Full table, so the path can be walked back: the pieces compared are short.
    std::vector<std::uint32_t> cost((n + 1) * (m + 1));
    const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
    for (std::size_t i = 0; i <= n; ++i) cost[at(i, 0)] = static_cast<std::uint32_t>(i);
    for (std::size_t j = 0; j <= m; ++j) cost[at(0, j)] = static_cast<std::uint32_t>(j);
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const bool same = CharsEqual(typed[i - 1], expected[j - 1], caseSensitive);
            cost[at(i, j)] = std::min({cost[at(i - 1, j)] + 1, cost[at(i, j - 1)] + 1,
                                       cost[at(i - 1, j - 1)] + (same ? 0u : 1u)});
        }
    }
    // Walked from the end, so each text is built backwards; a bracket pair closes a run of
    // differences on both sides at once.
    std::string left, right, runLeft, runRight;
    bool inRun = false;
    const auto closeRun = [&] {
        if (!inRun) return;
        left += "]" + runLeft + "[";
        right += "]" + runRight + "[";
        runLeft.clear();
        runRight.clear();
        inRun = false;
    };
    std::size_t i = n, j = m;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && CharsEqual(typed[i - 1], expected[j - 1], caseSensitive) &&
            cost[at(i, j)] == cost[at(i - 1, j - 1)]) {
            closeRun();
            left.push_back(typed[--i]);
            right.push_back(expected[--j]);
            continue;
        }
        inRun = true;
        if (i > 0 && j > 0 && cost[at(i, j)] == cost[at(i - 1, j - 1)] + 1) {
            runLeft.push_back(typed[--i]);
            runRight.push_back(expected[--j]);
        } else if (i > 0 && cost[at(i, j)] == cost[at(i - 1, j)] + 1) {
            runLeft.push_back(typed[--i]);
        } else {
            runRight.push_back(expected[--j]);
        }
    }
    closeRun();
    return {std::string(left.rbegin(), left.rend()), std::string(right.rbegin(), right.rend())};
}

std::string WrongAnswerBoxText(const std::string& response, const std::string& explanation) {
    if (explanation.empty()) return response;
    if (response.empty()) return explanation;
    return response + "\r\n\r\n" + explanation;
}
