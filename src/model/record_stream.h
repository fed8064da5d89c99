// Field-level reading of a question file's data after the text-mode pass (CR bytes
// dropped, data ended at 0x1A). Like a stream, it fails at the first field that cannot
// be read and stays failed, so every later field reads as empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class RecordStream {
  public:
    explicit RecordStream(std::string_view data) : data(data) {}

    bool Failed() const { return failed; }
    std::size_t Remaining() const { return data.size() - pos; }

    // Skips spaces, TABs and line ends.
    void SkipWhiteSpace();
    // One byte; fails at the end of the data.
    bool ReadByte(char& c);
    // Skips up to `limit` bytes, stopping after the first `stop` byte.
    void Ignore(std::size_t limit, char stop);
    // The bytes up to the next `stop` (consumed, not kept) or to the end of the data.
    // Fails, leaving `out` empty, when the data has already ended.
    bool ReadUntil(char stop, std::string& out);
    // The same as a view into the data, which must outlive it.
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
    std::size_t pos = 0;
    bool failed = false;
};
