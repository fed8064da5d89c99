#include "model/question_set.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

#include "model/large_pages.h"

namespace {

bool SameQuestion(const Zentu_View& a, const Zentu_View& b) {
    return a.question == b.question && a.answer == b.answer && a.hint == b.hint &&
           a.rightResponse == b.rightResponse && a.wrongResponse == b.wrongResponse &&
           a.delimiter == b.delimiter && a.useHint == b.useHint &&
           a.confirmCorrect == b.confirmCorrect && a.checkSpaces == b.checkSpaces &&
           a.caseSensitive == b.caseSensitive && a.answerMethod == b.answerMethod;
}

// Below this much garbage, compacting costs more than the bytes it frees.
constexpr std::size_t kCompactFloor = std::size_t(64) << 10;
constexpr std::size_t kMaxArena = std::numeric_limits<std::uint32_t>::max();

void TextsOf(const Zentu_View& view, std::string_view (&texts)[5]) {
    texts[0] = view.question;
    texts[1] = view.answer;
    texts[2] = view.hint;
    texts[3] = view.rightResponse;
    texts[4] = view.wrongResponse;
}

}  // namespace

bool Zentu_Data::operator==(const Zentu_Data& other) const { return SameQuestion(*this, other); }
bool operator==(const Zentu_View& a, const Zentu_View& b) { return SameQuestion(a, b); }

std::size_t Question_Set::LiveBytes(const Record& record) {
    std::size_t total = 0;
    for (std::uint32_t length : record.length) total += length;
    return total;
}

Question_Set::Record Question_Set::Flags(const Zentu_View& view) {
    Record record;
    record.delimiter = view.delimiter;
    record.flags = static_cast<std::uint8_t>(
        (view.useHint ? kUseHint : 0) | (view.confirmCorrect ? kConfirmCorrect : 0) |
        (view.checkSpaces ? kCheckSpaces : 0) | (view.caseSensitive ? kCaseSensitive : 0));
    record.method = static_cast<std::int32_t>(view.answerMethod);
    return record;
}

// Appends the record's texts to the arena, next to each other; they may lie in this arena
// themselves (a question copied within the set).
Question_Set::Record Question_Set::Store(const Zentu_View& view) {
    std::string_view texts[5];
    TextsOf(view, texts);
    std::size_t total = 0;
    for (const std::string_view& text : texts) total += text.size();
    if (total > kMaxArena - arena.size()) throw std::length_error("question texts too long");
    Record record = Flags(view);
    record.offset = static_cast<std::uint32_t>(arena.size());
    for (int i = 0; i < 5; ++i) record.length[i] = static_cast<std::uint32_t>(texts[i].size());
    if (arena.capacity() - arena.size() < total) {
        // Growing moves the arena, and the texts may lie in it: copy them out first.
        std::string copied;
        copied.reserve(total);
        for (const std::string_view& text : texts) copied.append(text);
        Grow(std::max(total, arena.size()));
        arena.append(copied);
    } else {
        for (const std::string_view& text : texts) arena.append(text.data(), text.size());
    }
    live += total;
    return record;
}

void Question_Set::TakeTexts(std::string&& texts) {
    assert(records.empty());
    if (texts.size() > kMaxArena) throw std::length_error("question texts too long");
    arena = std::move(texts);
    live = 0;
}

// While placing, a record whose texts were copied to the side is marked by this bit: a
// file, and so the arena then, is far below 2 GiB.
constexpr std::uint32_t kOnSide = 0x80000000u;

void Question_Set::AppendPlaced(const Zentu_View& view, std::string& side) {
    std::string_view texts[5];
    TextsOf(view, texts);
    Record record = Flags(view);
    const char* const base = arena.data();
    // The texts stay where they are when they lie in the arena one byte apart, as read
    // from the file (an empty one may lie anywhere: a damaged record reads empty texts).
    const std::less<const char*> before;
    const char* const first = texts[0].data();
    bool inPlace = first != nullptr && !before(first, base) && !before(base + arena.size(), first);
    std::size_t at = inPlace ? static_cast<std::size_t>(first - base) : 0;
    std::size_t total = 0;
    for (int i = 0; i < 5; ++i) {
        const std::string_view text = texts[i];
        if (!text.empty() &&
            (!inPlace || at + text.size() > arena.size() || text.data() != base + at)) {
            inPlace = false;
        }
        at += text.size() + 1;
        total += text.size();
        record.length[i] = static_cast<std::uint32_t>(text.size());
    }
    if (total == 0) {
        record.offset = 0;
    } else if (inPlace) {
        record.offset = static_cast<std::uint32_t>(first - base);
        record.flags |= kSpaced;
    } else {
        // Copied next to each other; where to is settled when placing is finished.
        const std::size_t offset = side.size();
        for (const std::string_view& text : texts) side.append(text);
        if (offset >= kOnSide) throw std::length_error("question texts too long");
        record.offset = static_cast<std::uint32_t>(offset) | kOnSide;
    }
    live += total;
    records.push_back(record);
}

void Question_Set::FinishPlacing(std::string& side) {
    // Between the texts lie only the file's separators, flags and numbers: while they do
    // not outweigh the texts, the file's bytes stay the arena as they are.
    if (side.empty() && !Wasteful()) return;
    // The texts in the arena lie in record order, so each moves down or stays.
    const std::size_t packed = PackTexts(&arena[0]);
    arena.resize(packed);
    if (!side.empty()) {
        if (arena.capacity() - arena.size() < side.size()) {
            // Give the file's bytes back before growing, so they and the grown arena are
            // never held at once.
            arena.shrink_to_fit();
        }
        if (side.size() > kMaxArena - packed) throw std::length_error("question texts too long");
        arena.append(side);
        for (Record& record : records) {
            if ((record.offset & kOnSide) != 0) {
                record.offset = static_cast<std::uint32_t>(packed + (record.offset & ~kOnSide));
            }
        }
    }
    std::string().swap(side);
}

void Question_Set::Replace(std::size_t n, const Zentu_View& view) {
    assert(n >= 1 && n <= records.size());
    // The editor stores every question it leaves, mostly unchanged: that leaves nothing
    // behind in the arena.
    if (SameQuestion(View(n), view)) return;
    const std::size_t old = LiveBytes(records[n - 1]);
    const Record record = Store(view);
    records[n - 1] = record;
    live -= old;
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
    live -= LiveBytes(records[n - 1]);
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(n - 1));
    CompactIfWasteful();
}

void Question_Set::Clear() {
    arena.clear();
    records.clear();
    live = 0;
}

// The records come on large pages by their allocator; the arena is grown into a fresh
// buffer advised onto them before anything is copied in. Filling a set of a million
// questions then does not fault a page at a time.
void Question_Set::Reserve(std::size_t n, std::size_t moreTextBytes) {
    records.reserve(n);
    if (moreTextBytes > arena.capacity() - arena.size()) Grow(moreTextBytes);
}

void Question_Set::Grow(std::size_t moreTextBytes) {
    std::string grown;
    grown.reserve(arena.size() + moreTextBytes);
    AdviseLargePages(grown.data(), grown.capacity());
    grown.append(arena);
    arena.swap(grown);
}

// Edits leave the old texts behind, and a file's bytes hold more than texts; once the
// bytes no question refers to outweigh the live ones, the live texts are packed into a
// fresh arena, so memory stays within twice what the questions hold.
bool Question_Set::Wasteful() const {
    const std::size_t garbage = arena.size() - live;
    return garbage >= kCompactFloor && garbage > live;
}

void Question_Set::CompactIfWasteful() {
    if (!Wasteful()) return;
    std::string packed;
    packed.reserve(live);
    AdviseLargePages(packed.data(), packed.capacity());
    packed.resize(live);
    packed.resize(PackTexts(&packed[0]));
    arena.swap(packed);
}

std::size_t Question_Set::PackTexts(char* to) {
    std::size_t packed = 0;
    for (Record& record : records) {
        if ((record.offset & kOnSide) != 0) continue;
        const std::size_t gap = (record.flags & kSpaced) != 0 ? 1 : 0;
        std::size_t at = record.offset;
        const std::size_t start = packed;
        for (std::uint32_t length : record.length) {
            if (length != 0) std::memmove(to + packed, arena.data() + at, length);
            packed += length;
            at += length + gap;
        }
        record.offset = static_cast<std::uint32_t>(start);
        record.flags &= static_cast<std::uint8_t>(~kSpaced);
    }
    return packed;
}

bool Question_Set::operator==(const Question_Set& other) const {
    if (Count() != other.Count()) return false;
    for (std::size_t n = 1; n <= Count(); ++n) {
        if (!SameQuestion(View(n), other.View(n))) return false;
    }
    return true;
}
