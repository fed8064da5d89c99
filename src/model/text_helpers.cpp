#include "model/text_helpers.h"

#include <cstring>

namespace {

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view pattern, bool ignoreCase) {
    if (!ignoreCase) return text.compare(pos, pattern.size(), pattern) == 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (FoldAsciiCase(text[pos + i]) != FoldAsciiCase(pattern[i])) return false;
    }
    return true;
}

bool IsCWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool EqualsFoldAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    }
    return true;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to,
                       bool ignoreCase) {
    if (from.empty() || text.size() < from.size()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    const std::size_t last = text.size() - from.size();
    while (pos <= last) {
        if (MatchesAt(text, pos, from, ignoreCase)) {
            result.append(to);
            pos += from.size();
        } else {
            result.push_back(text[pos]);
            ++pos;
        }
    }
    result.append(text.substr(pos));
    return result;
}

std::string StripChar(std::string_view text, StripMode mode, char ch) {
    const bool front = mode == StripMode::Leading || mode == StripMode::Both;
    const bool back = mode == StripMode::Trailing || mode == StripMode::Both;
    if (!front && !back) return std::string(text);
    std::size_t begin = 0;
    std::size_t end = text.size();
    if (front) {
        while (begin < end && text[begin] == ch) ++begin;
    }
    if (back) {
        while (end > begin && text[end - 1] == ch) --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::int32_t TakeLeadingInt(std::string& text) {
    bool overflowed = false;
    return TakeLeadingInt(text, overflowed);
}

std::int32_t TakeLeadingInt(std::string& text, bool& overflowed) {
    overflowed = false;
    text = StripChar(text, StripMode::Leading, ' ');
    const std::size_t space = text.find(' ');
    if (space == std::string::npos) return -1;
    const std::string token = text.substr(0, space);
    text.erase(0, space);

    std::size_t i = 0;
    while (i < token.size() && IsCWhiteSpace(token[i])) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps with defined behaviour; a number past 32 bits is
    // reported so that a caller can treat it as damaged.
    std::uint32_t value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        const std::uint64_t next = std::uint64_t(value) * 10 + std::uint32_t(token[i] - '0');
        if (next > (negative ? 2147483648ull : 2147483647ull)) overflowed = true;
        value = static_cast<std::uint32_t>(next);
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

int PositiveMod(int a, int b) {
    const int r = a % b;
    return r < 0 ? r + b : r;
}

std::string LfToCrLf(std::string_view text) {
    const char* lf = static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
    if (lf == nullptr) return std::string(text);
    std::string result;
    result.reserve(text.size() + 16);
    std::size_t pos = 0;
    while (lf != nullptr) {
        const std::size_t at = static_cast<std::size_t>(lf - text.data());
        result.append(text.data() + pos, at - pos);
        result.append("\r\n", 2);
        pos = at + 1;
        lf = static_cast<const char*>(std::memchr(text.data() + pos, '\n', text.size() - pos));
    }
    result.append(text.data() + pos, text.size() - pos);
    return result;
}
