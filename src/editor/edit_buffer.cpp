#include "editor/edit_buffer.h"

namespace {

constexpr char kEndOfData = '\x1a';

bool IsControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

}  // namespace

bool IsStorableText(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t' || c == kEndOfData || c == '\n') return false;
        if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') return false;
            ++i;
        }
    }
    return true;
}

std::string StorableText(std::string text) {
    const bool clean = IsStorableText(text);
    // Most texts are clean; they are passed on without a second copy.
    if (clean) return text;
    std::string stored;
    stored.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            stored.push_back(' ');
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            stored.append("\r\n", 2);
        } else if (c != kEndOfData) {
            stored.push_back(c);
        }
    }
    return stored;
}

Zentu_Data CommitRecord(const EditBuffer& buffer) {
    Zentu_Data record = buffer;
    for (std::string* text : {&record.question, &record.answer, &record.hint, &record.rightResponse,
                              &record.wrongResponse}) {
        *text = StorableText(std::move(*text));
    }
    if (IsControlByte(record.delimiter)) record.delimiter = '\0';
    return record;
}

bool StoresAsIs(const EditBuffer& buffer) {
    return IsStorableText(buffer.question) && IsStorableText(buffer.answer) &&
           IsStorableText(buffer.hint) && IsStorableText(buffer.rightResponse) &&
           IsStorableText(buffer.wrongResponse) &&
           (buffer.delimiter == '\0' || !IsControlByte(buffer.delimiter));
}

char DelimiterFromText(const std::string& text) {
    if (text.empty() || IsControlByte(text[0])) return '\0';
    return text[0];
}

std::string DelimiterText(char delimiter) {
    return delimiter == '\0' ? std::string() : std::string(1, delimiter);
}

AnswerMethod MethodFromRadios(const MethodRadios& radios, AnswerMethod former) {
    AnswerMethod method = former;
    if (radios.all) method = AnswerMethod::All;
    if (radios.some) method = AnswerMethod::Some;
    if (radios.onlyOne) method = AnswerMethod::OnlyOne;
    if (radios.allInOrder) method = AnswerMethod::AllInOrder;
    return method;
}

MethodRadios RadiosForMethod(AnswerMethod method) {
    return {method == AnswerMethod::All, method == AnswerMethod::Some,
            method == AnswerMethod::OnlyOne, method == AnswerMethod::AllInOrder};
}
