// Question files of versions 1.0 and 1.1: reading and writing them byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/log_font.h"
#include "model/question_set.h"
#include "model/record_stream.h"

enum class ReadOutcome { Loaded, OpenFailed, UnreadableVersion };

// Format numbers: version 1.0 files are format 1, version 1.1 files are format 2.
constexpr int kFormatVersion10 = 1;
constexpr int kFormatVersion11 = 2;

// Larger files are refused as unopenable rather than exhausting memory.
constexpr std::size_t kMaxQuestionFileBytes = std::size_t(256) << 20;

// What a read that was Loaded had to make up for, beside its outcome: a damaged or short
// file still gives as many questions as its count promises, and the caller should not
// take those blanks for the file's content (nor save them over it).
struct ReadReport {
    // Questions added blank, wholly or from a field on, because the data before them
    // was damaged or ended.
    std::size_t questionsNotRead = 0;
    // The count line could not be taken as written while data followed it: not a
    // number, negative, past 32 bits, or promising more records than the bytes hold.
    bool countNotTaken = false;

    bool Damaged() const { return questionsNotRead > 0 || countNotTaken; }
};

// Reads `path` into `set`. When the file holds a font line, `font` is replaced and
// `fontRead` set; otherwise `font` is untouched. After OpenFailed the set is untouched.
// `formatNumber`, where given, gets the format number the file states (1 for a version
// 1.0 file, 0 when there is none): a file Loaded with a format we do not know was read
// as empty questions, and writing them back would lose what it holds.
// `report`, where given, tells what the read had to make up for.
ReadOutcome ReadQuestionFile(const std::string& path, Question_Set& set, LogFont& font,
                             bool& fontRead, int* formatNumber = nullptr,
                             ReadReport* report = nullptr);
// The same over the bytes of a file, for callers and tests that hold them already.
ReadOutcome ParseQuestionFile(std::string bytes, Question_Set& set, LogFont& font, bool& fontRead,
                              int* formatNumber = nullptr, ReadReport* report = nullptr);
inline bool IsKnownFormat(int formatNumber) {
    return formatNumber == kFormatVersion10 || formatNumber == kFormatVersion11;
}

// Writes `set` in the given format (anything but 1 writes format 2); `font` is null
// when no font line is to be stored. False when the file could not be written whole;
// the old file is then unchanged. `recovered`, where given, gets the files that the
// copies of killed earlier saves of `path` were turned into (see WriteFileAtomically).
bool WriteQuestionFile(const std::string& path, const Question_Set& set, int formatNumber,
                       const LogFont* font, std::vector<std::string>* recovered = nullptr);
std::string FormatQuestionFile(const Question_Set& set, int formatNumber, const LogFont* font);

// One record in layout 1 or 2. With another format number, ReadRecord reads nothing.
void ReadRecord(RecordStream& stream, int formatNumber, Zentu_Data& record);
void WriteRecord(std::string& out, int formatNumber, const Zentu_View& record);

// The font line's text without its "Font=" prefix, and back. ParseFontLine is false
// when a number does not fit its 32 bits; the font is then left as it was.
std::string FormatFontLine(const LogFont& font);
bool ParseFontLine(std::string_view afterPrefix, LogFont& font);
