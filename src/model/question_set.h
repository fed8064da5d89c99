// The ordered set of questions that the main window owns; positions count from 1.
//
// A million questions must read at the speed of the disk, so the set does not hold five
// strings per question: every text lives in one arena per set, and a question is a small
// record of offsets, lengths and flags into it. Readers get a Zentu_View (texts as
// string_views into the arena, valid until the set next changes) or a Zentu_Data copy.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "model/large_pages.h"
#include "model/zentu_data.h"

class Question_Set {
  public:
    // Walks the set as views; each view is valid until the set changes.
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Zentu_View;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Zentu_View;

        const_iterator() = default;
        const_iterator(const Question_Set* set, std::size_t index) : set(set), index(index) {}
        Zentu_View operator*() const { return set->View(index + 1); }
        const_iterator& operator++() {
            ++index;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator was = *this;
            ++index;
            return was;
        }
        bool operator==(const const_iterator& other) const { return index == other.index; }
        bool operator!=(const const_iterator& other) const { return index != other.index; }

      private:
        const Question_Set* set = nullptr;
        std::size_t index = 0;
    };
    using iterator = const_iterator;

    std::size_t Count() const { return records.size(); }
    bool Empty() const { return records.empty(); }

    // 1 <= n <= Count(); checked in debug builds only, as every caller validates n.
    // A copy of the n-th question.
    Zentu_Data At(std::size_t n) const { return View(n).ToData(); }
    // The n-th question's texts where they lie, valid until the set next changes.
    Zentu_View View(std::size_t n) const;

    // The n-th question becomes `record`; no other question moves.
    void Replace(std::size_t n, const Zentu_View& record);
    void Append(const Zentu_View& record);
    // 1 <= n <= Count() + 1; the records from n on move up one position.
    void InsertAt(std::size_t n, const Zentu_View& record);
    // The same for values, which may also be written as braced lists.
    void Replace(std::size_t n, const Zentu_Data& record) { Replace(n, Zentu_View(record)); }
    void Append(const Zentu_Data& record) { Append(Zentu_View(record)); }
    void InsertAt(std::size_t n, const Zentu_Data& record) { InsertAt(n, Zentu_View(record)); }
    // 1 <= n <= Count(); the records after n move down one position.
    void RemoveAt(std::size_t n);
    void Clear();
    // Room for at least n records, and for `moreTextBytes` of text beyond what the set
    // holds, so a reader that knows the size of what comes allocates once.
    void Reserve(std::size_t n, std::size_t moreTextBytes = 0);

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, records.size()); }

    bool operator==(const Question_Set& other) const;
    bool operator!=(const Question_Set& other) const { return !(*this == other); }

    // The bytes of the questions' texts.
    std::size_t TextBytes() const { return live; }
    // The bytes of text held, live or left behind by edits (for tests).
    std::size_t ArenaBytes() const { return arena.size(); }

    // For a reader that lays the texts out itself, so that a file's bytes become the
    // arena without being copied: the set (which must be empty) takes `texts` over, and
    // AppendPlaced adds a question whose texts lie in Texts() where they can; a text that
    // lies elsewhere is copied to `side`. FinishPlacing packs the texts in place, dropping
    // the bytes between them, and adds `side` at the end.
    void TakeTexts(std::string&& texts);
    const std::string& Texts() const { return arena; }
    void AppendPlaced(const Zentu_View& record, std::string& side);
    void FinishPlacing(std::string& side);

  private:
    // 32 bytes. The five texts lie one after the other from `offset`, in field order:
    // next to each other, or with one byte between them as a file holds them (kSpaced),
    // so that a file's texts stay where they are read. The arena stays below 4 GiB (a
    // file is at most 256 MiB, and edits compact it).
    struct Record {
        std::uint32_t offset = 0;
        std::uint32_t length[5] = {};
        std::int32_t method = 1;
        char delimiter = ',';
        std::uint8_t flags = 0;
    };
    static_assert(sizeof(Record) == 32, "a million questions hold 32 MB of records");

    Record Store(const Zentu_View& record);
    static Record Flags(const Zentu_View& record);
    static std::size_t LiveBytes(const Record& record);
    enum Flag : std::uint8_t {
        kUseHint = 1,
        kConfirmCorrect = 2,
        kCheckSpaces = 4,
        kCaseSensitive = 8,
        // The record's texts have one byte between each other, as read from a file.
        kSpaced = 16
    };
    bool Wasteful() const;
    void CompactIfWasteful();
    // Moves every record's texts next to each other, in record order, to `to`: the arena's
    // own start (each text moves down or stays) or a fresh buffer of the live bytes.
    // Records whose texts are still on the side while placing are left. Returns the bytes
    // written.
    std::size_t PackTexts(char* to);
    // A fresh arena with room for `moreTextBytes` beyond what it holds, on large pages.
    void Grow(std::size_t moreTextBytes);

    std::string arena;
    std::vector<Record, LargePageAllocator<Record>> records;
    // The bytes of the arena that some record refers to.
    std::size_t live = 0;
};

// Inline: the writers, the list and its search call it for every question.
inline Zentu_View Question_Set::View(std::size_t n) const {
    assert(n >= 1 && n <= records.size());
    const Record& record = records[n - 1];
    const char* const base = arena.data();
    const std::size_t gap = (record.flags & kSpaced) != 0 ? 1 : 0;
    std::size_t at = record.offset;
    const auto next = [&](std::uint32_t length) {
        // An empty text may stand past the arena's end; it views none of it.
        const std::string_view text(base + (at < arena.size() ? at : arena.size()), length);
        at += length + gap;
        return text;
    };
    Zentu_View view;
    view.question = next(record.length[0]);
    view.answer = next(record.length[1]);
    view.hint = next(record.length[2]);
    view.rightResponse = next(record.length[3]);
    view.wrongResponse = next(record.length[4]);
    view.delimiter = record.delimiter;
    view.useHint = (record.flags & kUseHint) != 0;
    view.confirmCorrect = (record.flags & kConfirmCorrect) != 0;
    view.checkSpaces = (record.flags & kCheckSpaces) != 0;
    view.caseSensitive = (record.flags & kCaseSensitive) != 0;
    view.answerMethod = static_cast<AnswerMethod>(record.method);
    return view;
}
