// Field-level reading of a question file's data as a text-mode stream shows it: the data
// ends at 0x1A and CR bytes are dropped. The drop is done only where it changes what a
// field reads: a CR LF stays in the data and reads as one LF, so a text with line breaks
// can be kept as it lies, in the CR LF form memory holds it in. Like a stream, it fails
// at the first field that cannot be read and stays failed, so every later field reads as
// empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What PrepareTextMode left in the data.
struct TextModeData {
    // CRs left, each in front of an LF.
    std::size_t carriageReturns = 0;
    // Whether some LF has no CR in front of it.
    bool bareLineFeeds = false;
};

// Cuts the data at its first 0x1A and drops every CR that no LF follows, in place.
TextModeData PrepareTextMode(std::string& bytes);

class RecordStream {
  public:
    // `data` holds no CR but in CR LF (see PrepareTextMode), and `carriageReturns` of them.
    explicit RecordStream(std::string_view data, std::size_t carriageReturns = 0)
        : data(data), carriageReturns(carriageReturns) {}

    bool Failed() const { return failed; }
    // The bytes left as the stream reads them, a CR LF counted once.
    std::size_t Remaining() const;

    // Skips spaces, TABs and line ends.
    void SkipWhiteSpace();
    // One byte; fails at the end of the data.
    bool ReadByte(char& c);
    // Skips up to `limit` bytes, stopping after the first `stop` byte.
    void Ignore(std::size_t limit, char stop);
    // The bytes up to the next `stop` (consumed, not kept) or to the end of the data.
    // Fails, leaving `out` empty, when the data has already ended. A line read up to
    // '\n' never ends in CR.
    bool ReadUntil(char stop, std::string& out);
    // The same as a view into the data, which must outlive it. Line breaks in it are
    // CR LF, or LF where the data has no CR.
    bool ReadUntil(char stop, std::string_view& out);
    // Skips white space, then an optionally signed decimal number that fits 32 bits.
    bool ReadInt32(std::int32_t& value);
    // Skips white space, then an unsigned decimal number (a '+' allowed) that fits 32 bits.
    bool ReadUInt32(std::uint32_t& value);
    // ReadInt32 restricted to 0 and 1.
    bool ReadFlag(bool& value);
    // Marks the stream failed, for fields that are read but turn out to be damaged.
    void Fail() { failed = true; }

  private:
    bool ReadNumber(bool allowMinus, std::uint64_t positiveLimit, std::int64_t& value);

    std::string_view data;
    std::size_t carriageReturns = 0;
    std::size_t pos = 0;
    bool failed = false;
};
