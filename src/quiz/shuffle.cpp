#include "quiz/shuffle.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <tuple>
#include <utility>

namespace {

// The positions 0..N-1 cut into blocks of fixed capacity, with a Fenwick tree over the
// block sizes: finding position p costs O(log blocks), and removing or inserting moves at
// most one block's values. A block that fills up makes the whole list be laid out afresh,
// in place. Blocks have a quarter of their fill to spare, so the list costs five bytes a
// position (a Random Test over millions of questions holds nothing else of that size);
// the few lay-outs that this brings cost little against the shuffle's million steps.
class BlockedList {
  public:
    BlockedList(std::uint32_t count, std::uint32_t blockFill)
        : fill(std::max<std::uint32_t>(blockFill, 1)), capacity(fill + (fill + 3) / 4) {
        total = count;
        const std::size_t blocks = std::max<std::size_t>(1, (total + fill - 1) / fill);
        slots.assign(blocks * capacity, 0);
        sizes.assign(blocks, 0);
        std::iota(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(total), 0u);
        Spread();
    }

    std::uint32_t RemoveAt(std::size_t pos) {
        const auto [block, offset] = Locate(pos);
        std::uint32_t* values = Block(block);
        const std::uint32_t value = values[offset];
        std::memmove(values + offset, values + offset + 1,
                     (sizes[block] - offset - 1) * sizeof(std::uint32_t));
        --sizes[block];
        AddToTree(block, -1);
        --total;
        return value;
    }

    // Puts `value` before the entry now at `pos`; pos == size appends.
    void InsertAt(std::size_t pos, std::uint32_t value) {
        auto [block, offset] = InsertionPoint(pos);
        if (sizes[block] == capacity) {
            LayOutAgain();
            std::tie(block, offset) = InsertionPoint(pos);
        }
        std::uint32_t* values = Block(block);
        std::memmove(values + offset + 1, values + offset,
                     (sizes[block] - offset) * sizeof(std::uint32_t));
        values[offset] = value;
        ++sizes[block];
        AddToTree(block, +1);
        ++total;
    }

    // The values in order; the list is used up.
    std::vector<std::uint32_t> TakeValues() {
        Close();
        slots.resize(total);
        return std::move(slots);
    }

  private:
    // Moves every value to the front of the slots, in order; each moves down or stays.
    void Close() {
        std::size_t at = 0;
        for (std::size_t block = 0; block < sizes.size(); ++block) {
            std::memmove(slots.data() + at, Block(block), sizes[block] * sizeof(std::uint32_t));
            at += sizes[block];
        }
    }

    // Every block `fill` full again (the last one less), without a second buffer.
    void LayOutAgain() {
        Close();
        Spread();
    }

    // From the values closed up at the front, every block `fill` full (the last one less):
    // spread out from the back, each value moves up or stays.
    void Spread() {
        for (std::size_t block = sizes.size(); block-- > 0;) {
            const std::size_t begin = std::min<std::size_t>(block * fill, total);
            const std::size_t size = std::min<std::size_t>(fill, total - begin);
            std::memmove(Block(block), slots.data() + begin, size * sizeof(std::uint32_t));
            sizes[block] = static_cast<std::uint32_t>(size);
        }
        BuildTree();
    }

    void BuildTree() {
        const std::size_t blocks = sizes.size();
        tree.assign(blocks + 1, 0);
        for (std::size_t i = 1; i <= blocks; ++i) {
            tree[i] += sizes[i - 1];
            const std::size_t parent = i + (i & (~i + 1));
            if (parent <= blocks) tree[parent] += tree[i];
        }
        topStep = 1;
        while (topStep * 2 <= blocks) topStep *= 2;
    }

    void AddToTree(std::size_t block, int delta) {
        for (std::size_t i = block + 1; i < tree.size(); i += i & (~i + 1)) {
            tree[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(tree[i]) + delta);
        }
    }

    // Block and offset of the entry at 0-based `pos` < total. Blocks left empty by
    // removals are stepped over, as their sizes add nothing.
    std::pair<std::size_t, std::size_t> Locate(std::size_t pos) const {
        std::size_t index = 0;
        for (std::size_t step = topStep; step > 0; step /= 2) {
            if (index + step < tree.size() && tree[index + step] <= pos) {
                index += step;
                pos -= tree[index];
            }
        }
        return {index, pos};
    }

    // Where an entry goes so that it ends at `pos`: just behind the entry at pos - 1.
    std::pair<std::size_t, std::size_t> InsertionPoint(std::size_t pos) const {
        if (pos == 0) return {0, 0};
        const auto [block, offset] = Locate(pos - 1);
        return {block, offset + 1};
    }

    std::uint32_t* Block(std::size_t block) { return slots.data() + block * capacity; }

    std::uint32_t fill;
    std::uint32_t capacity;
    std::size_t total = 0;
    std::size_t topStep = 1;
    // Block i holds its values in slots [i * capacity, i * capacity + sizes[i]).
    std::vector<std::uint32_t> slots;
    std::vector<std::uint32_t> sizes;
    std::vector<std::size_t> tree;  // Fenwick tree over sizes, 1-based
};

std::uint32_t DefaultFill(std::uint32_t count) {
    // About sqrt(N) entries per block balances the search over blocks against the moves
    // inside one; past 512 the moves cost more than the search saves (measured).
    const auto root = static_cast<std::uint32_t>(std::sqrt(static_cast<double>(count)));
    return std::clamp<std::uint32_t>(root, 64, 512);
}

}  // namespace

std::vector<std::uint32_t> ShuffleOrder(std::uint32_t count, RandomGenerator& generator) {
    return ShuffleOrder(count, generator, 0);
}

std::vector<std::uint32_t> ShuffleOrder(std::uint32_t count, RandomGenerator& generator,
                                        std::uint32_t blockFill) {
    if (count < 2) return std::vector<std::uint32_t>(count, 0u);

    BlockedList list(count, blockFill == 0 ? DefaultFill(count) : std::min(blockFill, count));
    const std::uint32_t remaining = count - 1;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t taken = list.RemoveAt(k);
        const std::uint32_t r = generator.NextRandom() % remaining;
        list.InsertAt(r, taken);
    }
    return list.TakeValues();
}
