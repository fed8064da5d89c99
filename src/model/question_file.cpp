#include "model/question_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>

#include "model/large_pages.h"
#include "model/safe_file.h"
#include "model/text_helpers.h"

namespace {

constexpr std::string_view kSignature = "Zentu File";
constexpr std::string_view kEndOptions = "EndOptions";
constexpr std::string_view kFontPrefix = "Font=";

// A damaged count may promise far more questions than the file could hold. We honour a
// short file's promise, but never beyond the records the bytes left could hold (plus a
// few), so memory stays a small multiple of the file's size. The smallest record that
// reads without damage is 14 bytes: four TABs, the delimiter, five one-digit numbers and
// the four separators between them.
constexpr std::size_t kMinRecordBytes = 14;
constexpr std::size_t kCountSlack = 64;

// A text as memory keeps it has CR LF line breaks. After PrepareTextMode a text's line
// breaks are CR LF already, unless the file had an LF without CR (`bareLineFeeds`); such a
// text is written out anew at the end of `expanded`, and `text` views it there.
void ReadText(RecordStream& stream, std::string_view& text, std::string& expanded,
              bool bareLineFeeds) {
    if (!stream.ReadUntil('\t', text) || !bareLineFeeds) return;
    const auto bare = [&text](std::size_t from) {
        for (;;) {
            const void* lf = std::memchr(text.data() + from, '\n', text.size() - from);
            if (lf == nullptr) return text.size();
            const std::size_t at =
                static_cast<std::size_t>(static_cast<const char*>(lf) - text.data());
            if (at == 0 || text[at - 1] != '\r') return at;
            from = at + 1;
        }
    };
    std::size_t lf = bare(0);
    if (lf == text.size()) return;
    const std::size_t start = expanded.size();
    std::size_t pos = 0;
    while (lf != text.size()) {
        expanded.append(text.data() + pos, lf - pos);
        expanded.append("\r\n", 2);
        pos = lf + 1;
        lf = bare(pos);
    }
    expanded.append(text.data() + pos, text.size() - pos);
    text = std::string_view(expanded).substr(start);
}

void ReadFlagsAndMethod(RecordStream& stream, Zentu_View& record) {
    stream.ReadFlag(record.useHint);
    stream.ReadFlag(record.confirmCorrect);
    stream.ReadFlag(record.checkSpaces);
    stream.ReadFlag(record.caseSensitive);
    std::int32_t method = 0;
    if (stream.ReadInt32(method)) record.answerMethod = static_cast<AnswerMethod>(method);
}

// `expanded[i]` takes the i-th text when it has line breaks (see ReadText).
void ReadRecordView(RecordStream& stream, int formatNumber, Zentu_View& record,
                    std::string* const (&expanded)[5], bool bareLineFeeds) {
    if (formatNumber == kFormatVersion10) {
        char tab;
        stream.ReadByte(tab);
        ReadText(stream, record.question, *expanded[0], bareLineFeeds);
        ReadText(stream, record.answer, *expanded[1], bareLineFeeds);
        ReadText(stream, record.hint, *expanded[2], bareLineFeeds);
        stream.ReadByte(record.delimiter);
        ReadFlagsAndMethod(stream, record);
    } else if (formatNumber == kFormatVersion11) {
        stream.Ignore(2, '\n');
        ReadText(stream, record.question, *expanded[0], bareLineFeeds);
        ReadText(stream, record.answer, *expanded[1], bareLineFeeds);
        ReadText(stream, record.hint, *expanded[2], bareLineFeeds);
        ReadText(stream, record.rightResponse, *expanded[3], bareLineFeeds);
        ReadText(stream, record.wrongResponse, *expanded[4], bareLineFeeds);
        stream.ReadByte(record.delimiter);
        stream.Ignore(2, '\t');
        ReadFlagsAndMethod(stream, record);
    }
}

// The stream reads the set's own arena (see Parse): the texts stay where they are; only
// those with an LF without CR are copied, to the side, and added at the end.
void ReadRecords(RecordStream& stream, int formatNumber, std::uint64_t count, Question_Set& set,
                 ReadReport& report, bool bareLineFeeds) {
    const std::uint64_t plausible = stream.Remaining() / kMinRecordBytes + kCountSlack;
    const std::size_t records = static_cast<std::size_t>(std::min(count, plausible));
    if (records < count) report.countNotTaken = true;
    set.Reserve(set.Count() + records);
    std::string buffers[5];
    std::string* const expanded[5] = {&buffers[0], &buffers[1], &buffers[2], &buffers[3],
                                      &buffers[4]};
    std::string side;
    for (std::size_t i = 0; i < records; ++i) {
        for (std::string& buffer : buffers) buffer.clear();
        Zentu_View record;
        ReadRecordView(stream, formatNumber, record, expanded, bareLineFeeds);
        // The stream stays failed, so this counts the damaged record and every later one.
        if (stream.Failed()) ++report.questionsNotRead;
        set.AppendPlaced(record, side);
    }
    set.FinishPlacing(side);
}

// Text-mode output: every LF goes out as CR LF.
void AppendTextMode(std::string& out, std::string_view text) {
    const char* lf = static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
    if (lf == nullptr) {
        out.append(text);
        return;
    }
    std::size_t pos = 0;
    while (lf != nullptr) {
        const std::size_t at = static_cast<std::size_t>(lf - text.data());
        out.append(text.data() + pos, at - pos);
        out.append("\r\n", 2);
        pos = at + 1;
        lf = static_cast<const char*>(std::memchr(text.data() + pos, '\n', text.size() - pos));
    }
    out.append(text.data() + pos, text.size() - pos);
}

void AppendNumber(std::string& out, long long value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<std::size_t>(result.ptr - digits));
}

void AppendFlag(std::string& out, bool flag) { out.push_back(flag ? '1' : '0'); }

}  // namespace

ReadOutcome ReadQuestionFile(const std::string& path, Question_Set& set, LogFont& font,
                             bool& fontRead, int* formatNumber, ReadReport* report) {
    fontRead = false;
    if (formatNumber != nullptr) *formatNumber = 0;
    if (report != nullptr) *report = ReadReport();
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxQuestionFileBytes)) return ReadOutcome::OpenFailed;
    return ParseQuestionFile(std::move(bytes), set, font, fontRead, formatNumber, report);
}

namespace {

// `set` is empty; it takes the bytes over as its arena, so a question's texts are not
// copied.
ReadOutcome Parse(std::string& bytes, Question_Set& set, LogFont& font, bool& fontRead,
                  std::int32_t& formatNumber, ReadReport& report) {
    const TextModeData textMode = PrepareTextMode(bytes);
    // An empty set saved in version 1.0 is its count line alone. Taken by the rule below
    // as the start of a version 1.1 file, it could never be opened again.
    if (bytes == "0\r\n" || bytes == "0\n") {
        formatNumber = kFormatVersion10;
        return ReadOutcome::Loaded;
    }
    set.TakeTexts(std::move(bytes));
    RecordStream stream(set.Texts(), textMode.carriageReturns);

    // No number at all (an empty file, say), a negative one or one past 32 bits: this
    // is no question file we know.
    std::uint32_t first = 0;
    if (!stream.ReadUInt32(first)) return ReadOutcome::UnreadableVersion;
    stream.Ignore(1, '\n');
    if (first > 0) {
        formatNumber = kFormatVersion10;
        ReadRecords(stream, kFormatVersion10, first, set, report, textMode.bareLineFeeds);
        return ReadOutcome::Loaded;
    }

    std::string line;
    if (!stream.ReadUntil('\n', line) || line != kSignature) {
        return ReadOutcome::UnreadableVersion;
    }
    stream.ReadInt32(formatNumber);
    bool haveLine = stream.ReadUntil('\n', line);
    while (haveLine && line != kEndOptions) {
        if (line.compare(0, kFontPrefix.size(), kFontPrefix) == 0) {
            LogFont parsed = font;
            if (ParseFontLine(std::string_view(line).substr(kFontPrefix.size()), parsed)) {
                font = parsed;
                fontRead = true;
            }
        }
        haveLine = stream.ReadUntil('\n', line);
    }

    // A negative, missing or unreadable count reads no records; a whole file always has
    // one, so the caller hears that records may have been left unread.
    std::int32_t count = 0;
    const bool counted = stream.ReadInt32(count);
    if (counted && count > 0) {
        ReadRecords(stream, formatNumber, static_cast<std::uint64_t>(count), set, report,
                    textMode.bareLineFeeds);
    } else if (!counted || count < 0) {
        report.countNotTaken = true;
    }
    return ReadOutcome::Loaded;
}

}  // namespace

ReadOutcome ParseQuestionFile(std::string bytes, Question_Set& set, LogFont& font, bool& fontRead,
                              int* formatNumber, ReadReport* report) {
    fontRead = false;
    if (formatNumber != nullptr) *formatNumber = 0;
    if (report != nullptr) *report = ReadReport();
    try {
        // Parsed aside and moved in whole, so that running out of memory part-way
        // changes nothing.
        Question_Set parsed;
        LogFont parsedFont = font;
        bool parsedFontRead = false;
        std::int32_t parsedFormat = 0;
        ReadReport parsedReport;
        const ReadOutcome outcome =
            Parse(bytes, parsed, parsedFont, parsedFontRead, parsedFormat, parsedReport);
        set = std::move(parsed);
        if (formatNumber != nullptr) *formatNumber = parsedFormat;
        if (report != nullptr) *report = parsedReport;
        if (parsedFontRead) {
            font = parsedFont;
            fontRead = true;
        }
        return outcome;
    } catch (const std::bad_alloc&) {
        return ReadOutcome::OpenFailed;
    }
}

void ReadRecord(RecordStream& stream, int formatNumber, Zentu_Data& record) {
    Zentu_View view(record);
    std::string buffers[5];
    std::string* const expanded[5] = {&buffers[0], &buffers[1], &buffers[2], &buffers[3],
                                      &buffers[4]};
    ReadRecordView(stream, formatNumber, view, expanded, true);
    record = view.ToData();
}

void WriteRecord(std::string& out, int formatNumber, const Zentu_View& record) {
    const std::string_view delimiter(&record.delimiter, 1);
    const bool flags[] = {record.useHint, record.confirmCorrect, record.checkSpaces,
                          record.caseSensitive};
    if (formatNumber == kFormatVersion10) {
        // The first flag follows the delimiter byte directly; the record has no line end.
        for (const std::string_view* text : {&record.question, &record.answer, &record.hint}) {
            out.push_back('\t');
            AppendTextMode(out, *text);
        }
        out.push_back('\t');
        AppendTextMode(out, delimiter);
        for (bool flag : flags) {
            AppendFlag(out, flag);
            out.push_back(' ');
        }
        AppendNumber(out, static_cast<std::int32_t>(record.answerMethod));
        return;
    }
    for (const std::string_view* text : {&record.question, &record.answer, &record.hint,
                                         &record.rightResponse, &record.wrongResponse}) {
        AppendTextMode(out, *text);
        out.push_back('\t');
    }
    AppendTextMode(out, delimiter);
    for (bool flag : flags) {
        out.push_back('\t');
        AppendFlag(out, flag);
    }
    out.push_back('\t');
    AppendNumber(out, static_cast<std::int32_t>(record.answerMethod));
    out.append("\r\n", 2);
}

namespace {

// Everything in front of the first record: the count line, and for version 1.1 the
// header lines with the options block.
void AppendHead(std::string& out, const Question_Set& set, int formatNumber, const LogFont* font) {
    if (formatNumber != kFormatVersion10) {
        out.append("0\r\nZentu File\r\n2\r\n");
        if (font != nullptr) {
            out.append(kFontPrefix);
            AppendTextMode(out, FormatFontLine(*font));
            out.append("\r\n", 2);
        }
        out.append(kEndOptions);
        out.append("\r\n", 2);
    }
    AppendNumber(out, static_cast<long long>(set.Count()));
    out.append("\r\n", 2);
}

int LayoutOf(int formatNumber) {
    return formatNumber == kFormatVersion10 ? kFormatVersion10 : kFormatVersion11;
}

// A save formats into a buffer of this size and writes it out whenever it is full, so it
// never holds the whole file a second time.
constexpr std::size_t kWriteChunk = std::size_t(256) << 10;

}  // namespace

std::string FormatQuestionFile(const Question_Set& set, int formatNumber, const LogFont* font) {
    std::string out;
    out.reserve(64 + 32 * set.Count() + set.TextBytes());
    AdviseLargePages(out.data(), out.capacity());
    AppendHead(out, set, formatNumber, font);
    const int layout = LayoutOf(formatNumber);
    for (const Zentu_View record : set) WriteRecord(out, layout, record);
    return out;
}

bool WriteQuestionFile(const std::string& path, const Question_Set& set, int formatNumber,
                       const LogFont* font, std::vector<std::string>* recovered) {
    const auto produce = [&](const ContentSink& sink) {
        try {
            std::string chunk;
            chunk.reserve(kWriteChunk + 4096);
            AppendHead(chunk, set, formatNumber, font);
            const int layout = LayoutOf(formatNumber);
            for (const Zentu_View record : set) {
                WriteRecord(chunk, layout, record);
                if (chunk.size() >= kWriteChunk) {
                    if (!sink(chunk)) return false;
                    chunk.clear();
                }
            }
            return sink(chunk);
        } catch (const std::bad_alloc&) {
            return false;
        }
    };
    return WriteFileAtomically(path, produce, recovered);
}

std::string FormatFontLine(const LogFont& font) {
    std::string out;
    for (long long number :
         {(long long)font.height, (long long)font.width, (long long)font.escapement,
          (long long)font.orientation, (long long)font.weight, (long long)font.italic,
          (long long)font.underline, (long long)font.strikeOut, (long long)font.charSet,
          (long long)font.outPrecision, (long long)font.clipPrecision, (long long)font.quality,
          (long long)font.pitchAndFamily}) {
        AppendNumber(out, number);
        out.push_back(' ');
    }
    out.append(font.faceName);
    return out;
}

bool ParseFontLine(std::string_view afterPrefix, LogFont& font) {
    std::string rest(afterPrefix);
    std::int32_t numbers[13];
    for (std::int32_t& number : numbers) {
        bool overflowed = false;
        number = TakeLeadingInt(rest, overflowed);
        if (overflowed) return false;
    }
    const auto byte = [](std::int32_t value) { return static_cast<std::uint8_t>(value & 0xff); };
    font.height = numbers[0];
    font.width = numbers[1];
    font.escapement = numbers[2];
    font.orientation = numbers[3];
    font.weight = numbers[4];
    font.italic = byte(numbers[5]);
    font.underline = byte(numbers[6]);
    font.strikeOut = byte(numbers[7]);
    font.charSet = byte(numbers[8]);
    font.outPrecision = byte(numbers[9]);
    font.clipPrecision = byte(numbers[10]);
    font.quality = byte(numbers[11]);
    font.pitchAndFamily = byte(numbers[12]);
    // The face name field holds 31 bytes; a longer name is cut there.
    font.faceName = StripChar(rest, StripMode::Leading, ' ').substr(0, kMaxFaceName);
    return true;
}
