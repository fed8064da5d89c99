#include "model/question_set.h"

#include <cassert>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

enum Flag : std::uint8_t {
    kUseHint = 1,
    kConfirmCorrect = 2,
    kCheckSpaces = 4,
    kCaseSensitive = 8
};

bool SameQuestion(const Zentu_View& a, const Zentu_View& b) {
    return a.question == b.question && a.answer == b.answer && a.hint == b.hint &&
           a.rightResponse == b.rightResponse && a.wrongResponse == b.wrongResponse &&
           a.delimiter == b.delimiter && a.useHint == b.useHint &&
           a.confirmCorrect == b.confirmCorrect && a.checkSpaces == b.checkSpaces &&
           a.caseSensitive == b.caseSensitive && a.answerMethod == b.answerMethod;
}

// Below this much garbage, compacting costs more than the bytes it frees.
constexpr std::size_t kCompactFloor = std::size_t(64) << 10;

}  // namespace

bool Zentu_Data::operator==(const Zentu_Data& other) const { return SameQuestion(*this, other); }

Zentu_View Question_Set::View(std::size_t n) const {
    assert(n >= 1 && n <= records.size());
    const Record& record = records[n - 1];
    const char* text = arena.data() + record.offset;
    Zentu_View view;
    std::string_view* texts[] = {&view.question, &view.answer, &view.hint, &view.rightResponse,
                                 &view.wrongResponse};
    for (int i = 0; i < 5; ++i) {
        *texts[i] = std::string_view(text, record.length[i]);
        text += record.length[i];
    }
    view.delimiter = record.delimiter;
    view.useHint = (record.flags & kUseHint) != 0;
    view.confirmCorrect = (record.flags & kConfirmCorrect) != 0;
    view.checkSpaces = (record.flags & kCheckSpaces) != 0;
    view.caseSensitive = (record.flags & kCaseSensitive) != 0;
    view.answerMethod = static_cast<AnswerMethod>(record.method);
    return view;
}

std::size_t Question_Set::TextBytes(const Record& record) const {
    std::size_t total = 0;
    for (std::uint32_t length : record.length) total += length;
    return total;
}

// Appends the record's texts to the arena; they may lie in this arena themselves (a
// question copied within the set).
Question_Set::Record Question_Set::Store(const Zentu_View& view) {
    const std::string_view texts[] = {view.question, view.answer, view.hint, view.rightResponse,
                                      view.wrongResponse};
    Record record;
    std::size_t total = 0;
    for (int i = 0; i < 5; ++i) {
        if (texts[i].size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("question text too long");
        }
        record.length[i] = static_cast<std::uint32_t>(texts[i].size());
        total += texts[i].size();
    }
    record.offset = arena.size();
    if (arena.capacity() - arena.size() < total) {
        // Growing moves the arena, and the texts may lie in it: copy them out first.
        std::string copied;
        copied.reserve(total);
        for (const std::string_view& text : texts) copied.append(text);
        arena.append(copied);
    } else {
        for (const std::string_view& text : texts) arena.append(text.data(), text.size());
    }
    record.delimiter = view.delimiter;
    record.flags = static_cast<std::uint8_t>(
        (view.useHint ? kUseHint : 0) | (view.confirmCorrect ? kConfirmCorrect : 0) |
        (view.checkSpaces ? kCheckSpaces : 0) | (view.caseSensitive ? kCaseSensitive : 0));
    record.method = static_cast<std::int32_t>(view.answerMethod);
    return record;
}

void Question_Set::Replace(std::size_t n, const Zentu_View& view) {
    assert(n >= 1 && n <= records.size());
    const std::size_t old = TextBytes(records[n - 1]);
    Record record = Store(view);
    records[n - 1] = record;
    garbage += old;
    CompactIfWasteful();
}

void Question_Set::Append(const Zentu_View& view) {
    const Record record = Store(view);
    records.push_back(record);
}

void Question_Set::InsertAt(std::size_t n, const Zentu_View& view) {
    assert(n >= 1 && n <= records.size() + 1);
    const Record record = Store(view);
    records.insert(records.begin() + static_cast<std::ptrdiff_t>(n - 1), record);
}

void Question_Set::RemoveAt(std::size_t n) {
    assert(n >= 1 && n <= records.size());
    garbage += TextBytes(records[n - 1]);
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(n - 1));
    CompactIfWasteful();
}

void Question_Set::Clear() {
    arena.clear();
    records.clear();
    garbage = 0;
}

void Question_Set::Reserve(std::size_t n, std::size_t moreTextBytes) {
    records.reserve(n);
    if (moreTextBytes > 0) arena.reserve(arena.size() + moreTextBytes);
}

// Edits leave the old texts behind; once they outweigh the live ones, the live texts are
// packed into a fresh arena, so memory stays within twice what the questions hold.
void Question_Set::CompactIfWasteful() {
    if (garbage < kCompactFloor || garbage <= arena.size() - garbage) return;
    std::string packed;
    packed.reserve(arena.size() - garbage);
    for (Record& record : records) {
        const std::size_t bytes = TextBytes(record);
        const std::size_t offset = packed.size();
        packed.append(arena, record.offset, bytes);
        record.offset = offset;
    }
    arena.swap(packed);
    garbage = 0;
}

bool Question_Set::operator==(const Question_Set& other) const {
    if (Count() != other.Count()) return false;
    for (std::size_t n = 1; n <= Count(); ++n) {
        if (!SameQuestion(View(n), other.View(n))) return false;
    }
    return true;
}
