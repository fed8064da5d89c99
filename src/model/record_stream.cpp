#include "model/record_stream.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A CR in the data always stands in front of an LF, so it is white space as the LF is.
bool IsFieldSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Moves data[i] to data[out] unless it is a CR that no LF follows; `next` is the byte
// after it (0 at the end). Notes an LF that lands without a CR in front.
inline void KeepByte(char* data, std::size_t i, char next, std::size_t& out, TextModeData& result) {
    const char c = data[i];
    if (c == '\r') {
        if (next != '\n') return;
        ++result.carriageReturns;
    } else if (c == '\n' && (out == 0 || data[out - 1] != '\r')) {
        result.bareLineFeeds = true;
    }
    data[out++] = c;
}

}  // namespace

TextModeData PrepareTextMode(std::string& bytes) {
    const void* end = std::memchr(bytes.data(), '\x1a', bytes.size());
    if (end != nullptr) {
        bytes.resize(static_cast<std::size_t>(static_cast<const char*>(end) - bytes.data()));
    }
    TextModeData result;
    char* const data = &bytes[0];
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    std::size_t out = 0;
#if defined(__SSE2__)
    // A line break of a text is written CR CR LF, of a line CR LF: sixteen bytes at a
    // time, the CRs to drop are found, the rest closed up and moved down.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 17 <= size; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
        unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
        unsigned lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
        const unsigned lfsAfter =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(after, lf)));
        unsigned kept = 16;
        const unsigned drop = crs & ~lfsAfter;
        if (drop != 0) {
            // Close up the block's kept bytes without a branch per byte.
            alignas(16) char closed[16] = {};
            kept = 0;
            for (unsigned j = 0; j < 16; ++j) {
                closed[kept] = data[i + j];
                kept += ((drop >> j) & 1u) ^ 1u;
            }
            block = _mm_load_si128(reinterpret_cast<const __m128i*>(closed));
            const unsigned mask = (1u << kept) - 1;
            crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr))) & mask;
            lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf))) & mask;
        }
        const unsigned crBefore = out > 0 && data[out - 1] == '\r' ? 1u : 0u;
        if (((crs << 1 | crBefore) & ((1u << kept) - 1)) != lfs) result.bareLineFeeds = true;
        result.carriageReturns += static_cast<std::size_t>(__builtin_popcount(crs));
        // Both loads are done and `out` is at most `i`: the store overwrites no byte
        // still to be read.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(data + out), block);
        out += kept;
    }
#endif
    for (; i < size; ++i) KeepByte(data, i, i + 1 < size ? data[i + 1] : '\0', out, result);
    bytes.resize(out);
    return result;
}

std::size_t RecordStream::Remaining() const {
    const std::size_t crsBefore =
        static_cast<std::size_t>(std::count(data.begin(), data.begin() + pos, '\r'));
    const std::size_t crsAfter =
        carriageReturns > crsBefore ? carriageReturns - crsBefore : std::size_t(0);
    return data.size() - pos - crsAfter;
}

void RecordStream::SkipWhiteSpace() {
    if (failed) return;
    while (pos < data.size() && IsFieldSpace(data[pos])) ++pos;
}

bool RecordStream::ReadByte(char& c) {
    if (failed || pos >= data.size()) {
        failed = true;
        return false;
    }
    c = data[pos++];
    if (c == '\r') {
        c = '\n';  // CR LF reads as one LF
        ++pos;
    }
    return true;
}

void RecordStream::Ignore(std::size_t limit, char stop) {
    if (failed) return;
    for (std::size_t i = 0; i < limit && pos < data.size(); ++i) {
        char c = data[pos++];
        if (c == '\r') {
            c = '\n';  // CR LF counts as one LF
            ++pos;
        }
        if (c == stop) return;
    }
}

bool RecordStream::ReadUntil(char stop, std::string& out) {
    std::string_view view;
    const bool read = ReadUntil(stop, view);
    if (view.empty()) {
        out.clear();
    } else {
        out.assign(view.data(), view.size());
    }
    return read;
}

bool RecordStream::ReadUntil(char stop, std::string_view& out) {
    out = std::string_view();
    if (failed || pos >= data.size()) {
        failed = true;
        return false;
    }
    const char* begin = data.data() + pos;
    const std::size_t left = data.size() - pos;
    const char* found = static_cast<const char*>(std::memchr(begin, stop, left));
    if (found == nullptr) {
        out = std::string_view(begin, left);
        pos = data.size();
    } else {
        out = std::string_view(begin, static_cast<std::size_t>(found - begin));
        pos += static_cast<std::size_t>(found - begin) + 1;
        // The CR of a line's CR LF is part of its end, not of the line.
        if (stop == '\n' && !out.empty() && out.back() == '\r') out.remove_suffix(1);
    }
    return true;
}

bool RecordStream::ReadNumber(bool allowMinus, std::uint64_t positiveLimit, std::int64_t& value) {
    SkipWhiteSpace();
    if (failed) return false;
    std::size_t i = pos;
    bool negative = false;
    if (i < data.size() && (data[i] == '+' || (allowMinus && data[i] == '-'))) {
        negative = data[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    const std::uint64_t limit = negative ? positiveLimit + 1 : positiveLimit;
    std::uint64_t magnitude = 0;
    for (; i < data.size() && data[i] >= '0' && data[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + std::uint64_t(data[i] - '0');
        if (magnitude > limit) {
            failed = true;  // too large for its field: damaged, never wrapped
            return false;
        }
    }
    if (i == firstDigit) {
        failed = true;
        return false;
    }
    pos = i;
    value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool RecordStream::ReadInt32(std::int32_t& value) {
    std::int64_t number = 0;
    if (!ReadNumber(true, 2147483647ull, number)) return false;
    value = static_cast<std::int32_t>(number);
    return true;
}

bool RecordStream::ReadUInt32(std::uint32_t& value) {
    std::int64_t number = 0;
    if (!ReadNumber(false, 4294967295ull, number)) return false;
    value = static_cast<std::uint32_t>(number);
    return true;
}

bool RecordStream::ReadFlag(bool& value) {
    std::int32_t number = 0;
    if (!ReadInt32(number)) return false;
    if (number != 0 && number != 1) {
        failed = true;
        return false;
    }
    value = number == 1;
    return true;
}
