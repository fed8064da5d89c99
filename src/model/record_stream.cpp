#include "model/record_stream.h"

#include <cstring>

namespace {
bool IsFieldSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }
}  // namespace

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
    return true;
}

void RecordStream::Ignore(std::size_t limit, char stop) {
    if (failed) return;
    for (std::size_t i = 0; i < limit && pos < data.size(); ++i) {
        if (data[pos++] == stop) return;
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
