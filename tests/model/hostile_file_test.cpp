// Hostile and damaged question files: whatever the bytes, the reader neither crashes nor
// lets a count line claim memory the file does not back, and damage costs no more than
// the fields from the damaged one on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/question_file.h"

namespace {

using namespace std::string_literals;

const std::string kFortyDigits(40, '9');

struct Result {
    ReadOutcome outcome = ReadOutcome::OpenFailed;
    Question_Set set;
    LogFont font = StartupDisplayFont();
    bool fontRead = false;
};

Zentu_Data Leftover() {
    Zentu_Data record;
    record.question = "left over from before";
    return record;
}

// Reads `bytes` into a set and a font that already hold something, and checks what must
// hold for any input at all.
Result Read(const std::string& bytes) {
    Result result;
    result.set.Append(Leftover());
    result.outcome = ParseQuestionFile(bytes, result.set, result.font, result.fontRead);

    EXPECT_NE(result.outcome, ReadOutcome::OpenFailed);
    EXPECT_LE(result.set.Count(), bytes.size() / 14 + 64) << "more questions than the file backs";
    if (result.outcome == ReadOutcome::UnreadableVersion) {
        EXPECT_EQ(result.set.Count(), 0u);
        EXPECT_FALSE(result.fontRead);
    }
    if (!result.fontRead) {
        EXPECT_EQ(result.font, StartupDisplayFont());
    }
    EXPECT_LE(result.font.faceName.size(), kMaxFaceName);

    // Every text byte comes from its own file byte (a line break grows from LF to CR LF),
    // and every text is one that a file can carry back.
    std::size_t textBytes = 0;
    for (const Zentu_Data& record : result.set) {
        for (const std::string* text : {&record.question, &record.answer, &record.hint,
                                        &record.rightResponse, &record.wrongResponse}) {
            textBytes += text->size();
            EXPECT_EQ(text->find('\t'), std::string::npos);
            EXPECT_EQ(text->find('\x1a'), std::string::npos);
            for (std::size_t cr = text->find('\r'); cr != std::string::npos;
                 cr = text->find('\r', cr + 1)) {
                EXPECT_TRUE(cr + 1 < text->size() && (*text)[cr + 1] == '\n');
            }
        }
        EXPECT_NE(record.delimiter, '\r');
        EXPECT_NE(record.delimiter, '\x1a');
    }
    EXPECT_LE(textBytes, 2 * bytes.size());
    return result;
}

// A valid file cut into pieces, each piece one field or the bytes between fields, so
// that a test can damage each field in turn and knows what the reader must make of it.
enum class Role {
    Between,
    FirstNumber,
    Signature,
    FormatNumber,
    FontPrefix,
    FontNumber,
    FaceName,
    EndOptions,
    Count,
    Text,
    Delimiter,
    Flag,
    Method,
};

struct Piece {
    std::string bytes;
    Role role;
    int record = -1;  // 0-based question, for record fields
    int field = -1;   // text 0-4, flag 0-3, font number 0-12
};

struct ValidFile {
    const char* name;
    int version;  // 10 or 11
    std::vector<Piece> pieces;
    Question_Set set;  // what the file holds
    bool hasFont = false;
    LogFont font;

    std::string Bytes() const {
        std::string bytes;
        for (const Piece& piece : pieces) bytes += piece.bytes;
        return bytes;
    }
    std::size_t Offset(std::size_t index) const {
        std::size_t offset = 0;
        for (std::size_t i = 0; i < index; ++i) offset += pieces[i].bytes.size();
        return offset;
    }
    // Where question r's bytes begin and end.
    std::size_t RecordStart(int r) const {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].record == r) return Offset(i) - (version == 10 ? 1 : 0);
        }
        return 0;
    }
    std::size_t RecordEnd(int r) const {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].record == r && pieces[i].role == Role::Method) return Offset(i + 1);
        }
        return 0;
    }
    std::size_t PieceEnd(Role role) const {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].role == role) return Offset(i + 1);
        }
        return std::string::npos;
    }
};

Question_Set SampleSet() {
    Zentu_Data first;
    first.question = "Capital of France?";
    first.answer = "Paris";
    first.hint = "Europe";
    first.rightResponse = "Yes";
    first.wrongResponse = "No: <<CORRECT>>";
    first.delimiter = ',';
    first.useHint = true;
    first.checkSpaces = true;
    first.answerMethod = AnswerMethod::OnlyOne;
    Zentu_Data second;
    second.question = "two\r\nlines";
    second.answer = "a;b;c";
    second.delimiter = ';';
    second.confirmCorrect = true;
    second.caseSensitive = true;
    second.answerMethod = AnswerMethod::AllInOrder;
    Zentu_Data third;
    third.question = "last";
    third.answer = "x";
    third.hint = "h";
    third.rightResponse = "\xe9t\xe9";
    third.delimiter = '7';
    third.answerMethod = static_cast<AnswerMethod>(-5);
    Question_Set set;
    for (const Zentu_Data& record : {first, second, third}) set.Append(record);
    return set;
}

LogFont SampleFont() {
    LogFont font;
    font.height = -16;
    font.weight = 700;
    font.italic = 1;
    font.pitchAndFamily = 49;
    font.faceName = "Courier New";
    return font;
}

std::string FileText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\r";
        out.push_back(c);
    }
    return out;
}

void AddRecordPieces(std::vector<Piece>& pieces, int version, int r, const Zentu_Data& record) {
    const std::string* texts[] = {&record.question, &record.answer, &record.hint,
                                  &record.rightResponse, &record.wrongResponse};
    const bool flags[] = {record.useHint, record.confirmCorrect, record.checkSpaces,
                          record.caseSensitive};
    const int textCount = version == 10 ? 3 : 5;
    for (int t = 0; t < textCount; ++t) {
        if (version == 10) pieces.push_back({"\t", Role::Between});
        pieces.push_back({FileText(*texts[t]), Role::Text, r, t});
        if (version == 11) pieces.push_back({"\t", Role::Between});
    }
    if (version == 10) pieces.push_back({"\t", Role::Between});
    pieces.push_back({std::string(1, record.delimiter), Role::Delimiter, r});
    for (int f = 0; f < 4; ++f) {
        if (f > 0 || version == 11) pieces.push_back({version == 10 ? " " : "\t", Role::Between});
        pieces.push_back({flags[f] ? "1" : "0", Role::Flag, r, f});
    }
    pieces.push_back({version == 10 ? " " : "\t", Role::Between});
    pieces.push_back(
        {std::to_string(static_cast<std::int32_t>(record.answerMethod)), Role::Method, r});
    if (version == 11) pieces.push_back({"\r\n", Role::Between});
}

ValidFile VersionOneZero() {
    ValidFile file{"version 1.0", 10, {}, SampleSet(), false, LogFont()};
    for (Zentu_Data& record : file.set) {
        record.rightResponse.clear();
        record.wrongResponse.clear();
    }
    file.pieces.push_back({std::to_string(file.set.Count()), Role::FirstNumber});
    file.pieces.push_back({"\r\n", Role::Between});
    int r = 0;
    for (const Zentu_Data& record : file.set) AddRecordPieces(file.pieces, 10, r++, record);
    return file;
}

ValidFile VersionOneOne() {
    ValidFile file{"version 1.1", 11, {}, SampleSet(), true, SampleFont()};
    std::vector<Piece>& p = file.pieces;
    p.push_back({"0", Role::FirstNumber});
    p.push_back({"\r\n", Role::Between});
    p.push_back({"Zentu File", Role::Signature});
    p.push_back({"\r\n", Role::Between});
    p.push_back({"2", Role::FormatNumber});
    p.push_back({"\r\n", Role::Between});
    p.push_back({"Font=", Role::FontPrefix});
    const std::int64_t numbers[] = {
        file.font.height,        file.font.width,         file.font.escapement,
        file.font.orientation,   file.font.weight,        file.font.italic,
        file.font.underline,     file.font.strikeOut,     file.font.charSet,
        file.font.outPrecision,  file.font.clipPrecision, file.font.quality,
        file.font.pitchAndFamily};
    for (int n = 0; n < 13; ++n) {
        p.push_back({std::to_string(numbers[n]), Role::FontNumber, -1, n});
        p.push_back({" ", Role::Between});
    }
    p.push_back({file.font.faceName, Role::FaceName});
    p.push_back({"\r\n", Role::Between});
    p.push_back({"EndOptions", Role::EndOptions});
    p.push_back({"\r\n", Role::Between});
    p.push_back({std::to_string(file.set.Count()), Role::Count});
    p.push_back({"\r\n", Role::Between});
    int r = 0;
    for (const Zentu_Data& record : file.set) AddRecordPieces(p, 11, r++, record);
    return file;
}

std::vector<ValidFile> ValidFiles() { return {VersionOneZero(), VersionOneOne()}; }

TEST(HostileFileTest, PiecesMakeTheFilesTheWriterWrites) {
    const LogFont font = SampleFont();
    const ValidFile v10 = VersionOneZero();
    const ValidFile v11 = VersionOneOne();
    EXPECT_EQ(v10.Bytes(), FormatQuestionFile(SampleSet(), 1, nullptr));
    EXPECT_EQ(v11.Bytes(), FormatQuestionFile(SampleSet(), 2, &font));
    for (const ValidFile& file : {v10, v11}) {
        Result result = Read(file.Bytes());
        EXPECT_EQ(result.outcome, ReadOutcome::Loaded) << file.name;
        EXPECT_EQ(result.set, file.set) << file.name;
        EXPECT_EQ(result.fontRead, file.hasFont) << file.name;
    }
}

// Question r read up to one of its numbers (0-3 the flags, 4 the method) that is damaged:
// the fields before it as written, the rest of the file's questions as fresh records.
Question_Set DamagedFrom(const Question_Set& set, int r, int number) {
    Question_Set expected;
    int index = 0;
    for (const Zentu_Data& record : set) {
        if (index < r) {
            expected.Append(record);
        } else if (index == r) {
            Zentu_Data partial;
            partial.question = record.question;
            partial.answer = record.answer;
            partial.hint = record.hint;
            partial.rightResponse = record.rightResponse;
            partial.wrongResponse = record.wrongResponse;
            partial.delimiter = record.delimiter;
            bool* flags[] = {&partial.useHint, &partial.confirmCorrect, &partial.checkSpaces,
                             &partial.caseSensitive};
            const bool original[] = {record.useHint, record.confirmCorrect, record.checkSpaces,
                                     record.caseSensitive};
            for (int f = 0; f < number && f < 4; ++f) *flags[f] = original[f];
            expected.Append(partial);
        } else {
            expected.Append(Zentu_Data());
        }
        ++index;
    }
    return expected;
}

std::string* TextOf(Zentu_Data& record, int field) {
    std::string* texts[] = {&record.question, &record.answer, &record.hint, &record.rightResponse,
                            &record.wrongResponse};
    return texts[field];
}

enum class Damage { FortyDigits, MinusFortyDigits, LeadingNul };

bool IsNumber(Role role) {
    return role == Role::FirstNumber || role == Role::FormatNumber || role == Role::FontNumber ||
           role == Role::Count || role == Role::Flag || role == Role::Method;
}

// What the reader must make of `file` with one piece damaged.
Result Expected(const ValidFile& file, const Piece& piece, Damage damage) {
    Result expected;
    expected.outcome = ReadOutcome::Loaded;
    expected.set = file.set;
    expected.fontRead = file.hasFont;
    if (file.hasFont) expected.font = file.font;
    const auto nothingRead = [&] {
        expected.set.Clear();
        expected.fontRead = false;
        expected.font = StartupDisplayFont();
    };
    switch (piece.role) {
        case Role::FirstNumber:
        case Role::Signature:
            nothingRead();
            expected.outcome = ReadOutcome::UnreadableVersion;
            break;
        case Role::FormatNumber:
            nothingRead();
            break;
        case Role::FontPrefix:
            expected.fontRead = false;
            expected.font = StartupDisplayFont();
            break;
        case Role::FontNumber:
            if (damage == Damage::LeadingNul) {
                // A token without digits is 0, as for any other word in the font line.
                LogFont& f = expected.font;
                std::int32_t* wide[] = {&f.height, &f.width, &f.escapement, &f.orientation,
                                        &f.weight};
                std::uint8_t* narrow[] = {&f.italic,  &f.underline,     &f.strikeOut,
                                          &f.charSet, &f.outPrecision,  &f.clipPrecision,
                                          &f.quality, &f.pitchAndFamily};
                if (piece.field < 5) {
                    *wide[piece.field] = 0;
                } else {
                    *narrow[piece.field - 5] = 0;
                }
            } else {
                // A number past 32 bits damages the whole line, which is then ignored.
                expected.fontRead = false;
                expected.font = StartupDisplayFont();
            }
            break;
        case Role::FaceName:
            expected.font.faceName = '\0' + file.font.faceName;
            break;
        case Role::EndOptions:
        case Role::Count:
            expected.set.Clear();
            break;
        case Role::Text:
            TextOf(expected.set.At(std::size_t(piece.record) + 1), piece.field)->insert(0, 1, '\0');
            break;
        case Role::Delimiter:
            expected.set.At(std::size_t(piece.record) + 1).delimiter = '\0';
            break;
        case Role::Flag:
            expected.set = DamagedFrom(file.set, piece.record, piece.field);
            break;
        case Role::Method:
            expected.set = DamagedFrom(file.set, piece.record, 4);
            break;
        case Role::Between:
            break;
    }
    return expected;
}

std::string Damaged(const Piece& piece, Damage damage) {
    if (piece.role == Role::Delimiter) return std::string(1, '\0');
    switch (damage) {
        case Damage::FortyDigits:
            return kFortyDigits;
        case Damage::MinusFortyDigits:
            return "-" + kFortyDigits;
        case Damage::LeadingNul:
            break;
    }
    return '\0' + piece.bytes;
}

TEST(HostileFileTest, FortyDigitNumbersAndNulsInEveryField) {
    const struct {
        const char* name;
        Damage damage;
        bool numbersOnly;
    } damages[] = {
        {"forty digits", Damage::FortyDigits, true},
        {"minus forty digits", Damage::MinusFortyDigits, true},
        {"a NUL in front", Damage::LeadingNul, false},
    };
    for (const ValidFile& file : ValidFiles()) {
        for (const auto& damage : damages) {
            for (std::size_t i = 0; i < file.pieces.size(); ++i) {
                const Piece& piece = file.pieces[i];
                if (piece.role == Role::Between) continue;
                if (damage.numbersOnly && !IsNumber(piece.role)) continue;
                std::vector<Piece> pieces = file.pieces;
                pieces[i].bytes = Damaged(piece, damage.damage);
                std::string bytes;
                for (const Piece& p : pieces) bytes += p.bytes;

                const Result expected = Expected(file, piece, damage.damage);
                const Result result = Read(bytes);
                const std::string where = std::string(file.name) + ", " + damage.name +
                                          " in piece " + std::to_string(i) + " \"" + piece.bytes +
                                          "\"";
                EXPECT_EQ(result.outcome, expected.outcome) << where;
                EXPECT_EQ(result.set, expected.set) << where;
                EXPECT_EQ(result.fontRead, expected.fontRead) << where;
                EXPECT_EQ(result.font, expected.font) << where;
            }
        }
    }
}

TEST(HostileFileTest, CountsBeyondTheDataAreCutToTheDataSize) {
    const std::string v11Head = "0\r\nZentu File\r\n2\r\nEndOptions\r\n";
    const std::string record10 = "\tqq\ta\th\t,0 0 0 0 1";  // 18 bytes
    struct Case {
        const char* name;
        std::string bytes;
        ReadOutcome outcome;
        std::size_t count;
    } const cases[] = {
        // The count is honoured up to the bytes left behind it (CRs dropped) plus 64.
        {"4294967295 records in a 30-byte file", "4294967295\r\n" + record10, ReadOutcome::Loaded,
         18 / 14 + 64},
        {"4294967296 is past 32 bits", "4294967296\r\n" + record10, ReadOutcome::UnreadableVersion,
         0},
        {"forty-digit first number", kFortyDigits + "\r\n" + record10,
         ReadOutcome::UnreadableVersion, 0},
        {"negative first number", "-1\r\n" + record10, ReadOutcome::UnreadableVersion, 0},
        {"a thousand promised, one held", "1000\r\n" + record10, ReadOutcome::Loaded, 18 / 14 + 64},
        {"a plausible short count is kept", "60\r\n" + record10, ReadOutcome::Loaded, 60},
        {"version 1.1 count 2147483647 with nothing behind", v11Head + "2147483647",
         ReadOutcome::Loaded, 64},
        {"version 1.1 count 2147483647 and a line end", v11Head + "2147483647\r\n",
         ReadOutcome::Loaded, 1 / 14 + 64},
        {"version 1.1 count 2147483648 is past 32 bits", v11Head + "2147483648\r\n",
         ReadOutcome::Loaded, 0},
        {"version 1.1 forty-digit count", v11Head + kFortyDigits + "\r\n", ReadOutcome::Loaded, 0},
        {"negative count", v11Head + "-1\r\nq\ta\th\tr\tw\t,\t0\t0\t0\t0\t1\r\n",
         ReadOutcome::Loaded, 0},
        {"most negative count", v11Head + "-2147483648\r\n", ReadOutcome::Loaded, 0},
        {"minus forty digits", v11Head + "-" + kFortyDigits + "\r\n", ReadOutcome::Loaded, 0},
        {"a count with a plus sign", v11Head + "+3\r\n", ReadOutcome::Loaded, 3},
        {"unknown format number, huge count",
         "0\r\nZentu File\r\n9\r\nEndOptions\r\n2000000000\r\n", ReadOutcome::Loaded, 1 / 14 + 64},
        {"negative format number", "0\r\nZentu File\r\n-2\r\nEndOptions\r\n5\r\n",
         ReadOutcome::Loaded, 5},
        {"only CRs", std::string(4096, '\r'), ReadOutcome::UnreadableVersion, 0},
        {"only LFs", std::string(4096, '\n'), ReadOutcome::UnreadableVersion, 0},
        {"only NULs", std::string(4096, '\0'), ReadOutcome::UnreadableVersion, 0},
        {"only white space", std::string(1000, ' ') + std::string(1000, '\t'),
         ReadOutcome::UnreadableVersion, 0},
        {"CRs after a count", "2" + std::string(100, '\r'), ReadOutcome::Loaded, 2},
        {"options block without EndOptions",
         "0\r\nZentu File\r\n2\r\nFont=0 0 0 0 400 0 0 0 1 0 0 0 0 Arial\r\n1\r\nq\ta\th\tr\tw\t,"
         "\t0\t0\t0\t0\t1\r\n",
         ReadOutcome::Loaded, 0},
        {"a hundred thousand option lines, no EndOptions",
         "0\r\nZentu File\r\n2\r\n" +
             [] {
                 std::string lines;
                 for (int i = 0; i < 100000; ++i) lines += "x\r\n";
                 return lines;
             }() +
             "1\r\n",
         ReadOutcome::Loaded, 0},
    };
    ASSERT_EQ(cases[0].bytes.size(), 30u);
    for (const Case& c : cases) {
        Result result = Read(c.bytes);
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(result.set.Count(), c.count) << c.name;
    }
}

Zentu_Data Record(std::string question, std::string answer, std::string hint, char delimiter,
                  std::initializer_list<bool> flags, std::int32_t method) {
    Zentu_Data record;
    record.question = std::move(question);
    record.answer = std::move(answer);
    record.hint = std::move(hint);
    record.delimiter = delimiter;
    bool* fields[] = {&record.useHint, &record.confirmCorrect, &record.checkSpaces,
                      &record.caseSensitive};
    int f = 0;
    for (bool flag : flags) *fields[f++] = flag;
    record.answerMethod = static_cast<AnswerMethod>(method);
    return record;
}

// Stray bytes where a separator belongs: the reader skips exactly as far as the format
// allows (one byte before a 1.0 record, up to two before a 1.1 line and after a 1.1
// delimiter) and takes what follows as the next field.
TEST(HostileFileTest, StrayBytesAroundSeparators) {
    const std::string v11Head = "0\r\nZentu File\r\n2\r\nEndOptions\r\n2\r\n";
    const std::string line2 = "q2\ta2\th2\t\t\t;\t0\t1\t0\t1\t2\r\n";
    const Zentu_Data second = Record("q2", "a2", "h2", ';', {false, true, false, true}, 2);
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Zentu_Data> records;
    } const cases[] = {
        {"two bytes in the delimiter field",
         v11Head + "q\ta\th\t\t\t,;\t1\t0\t1\t0\t4\r\n" + line2,
         {Record("q", "a", "h", ',', {true, false, true, false}, 4), second}},
        {"three bytes in the delimiter field",
         v11Head + "q\ta\th\t\t\t,;;\t1\t0\t1\t0\t4\r\n" + line2,
         {Record("q", "a", "h", ',', {true, false, true, false}, 4), second}},
        {"four bytes in the delimiter field damage the flags",
         v11Head + "q\ta\th\t\t\t,;;;\t1\t0\t1\t0\t4\r\n" + line2,
         {Record("q", "a", "h", ',', {}, 1), Zentu_Data()}},
        {"a stray byte before a line end",
         v11Head + "q\ta\th\t\t\t,\t1\t0\t1\t0\t4 \r\n" + line2,
         {Record("q", "a", "h", ',', {true, false, true, false}, 4), second}},
        {"two stray bytes before a line end: the line end starts the next question",
         v11Head + "q\ta\th\t\t\t,\t1\t0\t1\t0\t4  \r\n" + line2,
         {Record("q", "a", "h", ',', {true, false, true, false}, 4),
          Record("\r\nq2", "a2", "h2", ';', {false, true, false, true}, 2)}},
        {"a 1.0 record without its leading TAB loses its first byte",
         "1\r\nq\ta\th\t,0 0 0 0 1",
         {Record("", "a", "h", ',', {}, 1)}},
        {"a space behind the 1.0 count shifts the texts",
         "1 \r\n\tq\ta\th\t,0 0 0 0 1",
         {Record("", "q", "a", 'h', {}, 1)}},
    };
    for (const Case& c : cases) {
        Result result = Read(c.bytes);
        ASSERT_EQ(result.set.Count(), c.records.size()) << c.name;
        for (std::size_t n = 1; n <= c.records.size(); ++n) {
            EXPECT_EQ(result.set.At(n), c.records[n - 1]) << c.name << ", question " << n;
        }
    }
}

TEST(HostileFileTest, HostileFontLines) {
    LogFont allMinusOne;
    allMinusOne.height = allMinusOne.width = allMinusOne.escapement = allMinusOne.orientation =
        allMinusOne.weight = -1;
    for (std::uint8_t* byte :
         {&allMinusOne.italic, &allMinusOne.underline, &allMinusOne.strikeOut, &allMinusOne.charSet,
          &allMinusOne.outPrecision, &allMinusOne.clipPrecision, &allMinusOne.quality,
          &allMinusOne.pitchAndFamily}) {
        *byte = 0xff;
    }
    LogFont longName = StartupDisplayFont();
    longName.faceName = std::string(31, 'N');
    LogFont last = StartupDisplayFont();
    last.weight = 9999;
    std::string manyLines;
    for (int i = 0; i < 10000; ++i) {
        manyLines += "Font=0 0 0 0 " + std::to_string(i) + " 0 0 0 1 0 0 0 0 Arial\r\n";
    }
    manyLines += "Font=0 0 0 0 9999 0 0 0 1 0 0 0 0 Arial\r\n";
    struct Case {
        const char* name;
        std::string options;
        bool fontRead;
        LogFont font;
    } const cases[] = {
        // Missing numbers take TakeLeadingInt's -1, as in any short line.
        {"only the prefix", "Font=\r\n", true, allMinusOne},
        {"a face name of ten thousand bytes is cut at 31",
         "Font=0 0 0 0 400 0 0 0 1 0 0 0 0 " + std::string(10000, 'N') + "\r\n", true, longName},
        {"ten thousand font lines, the last wins", manyLines, true, last},
        {"forty-digit number in a font line",
         "Font=" + kFortyDigits + " 0 0 0 1 1 1 1 1 1 1 1 1 X\r\n", false, StartupDisplayFont()},
    };
    for (const Case& c : cases) {
        Result result = Read("0\r\nZentu File\r\n2\r\n" + c.options + "EndOptions\r\n0\r\n");
        EXPECT_EQ(result.outcome, ReadOutcome::Loaded) << c.name;
        EXPECT_EQ(result.fontRead, c.fontRead) << c.name;
        EXPECT_EQ(result.font, c.font) << c.name;
    }
}

bool SameResult(const Result& a, const Result& b) {
    return a.outcome == b.outcome && a.set == b.set && a.fontRead == b.fontRead && a.font == b.font;
}

// 0x1A ends the data wherever it stands: what follows it, a valid rest of the file
// included, changes nothing.
TEST(HostileFileTest, EndOfDataByteTruncatesAtEveryPosition) {
    for (const ValidFile& file : ValidFiles()) {
        const std::string bytes = file.Bytes();
        for (std::size_t i = 0; i <= bytes.size(); ++i) {
            const Result truncated = Read(bytes.substr(0, i));
            const Result marked = Read(bytes.substr(0, i) + "\x1a" + bytes.substr(i));
            EXPECT_TRUE(SameResult(truncated, marked)) << file.name << " at " << i;
        }
    }
}

// CR bytes are dropped wherever they stand, so scattering them changes nothing.
TEST(HostileFileTest, StrayCrsChangeNothing) {
    for (const ValidFile& file : ValidFiles()) {
        const std::string bytes = file.Bytes();
        std::string scattered;
        for (char c : bytes) {
            scattered += "\r";
            scattered.push_back(c);
        }
        EXPECT_TRUE(SameResult(Read(bytes), Read(scattered + "\r\r"))) << file.name;
    }
}

TEST(HostileFileTest, EveryPrefixOfAValidFile) {
    for (const ValidFile& file : ValidFiles()) {
        const std::string bytes = file.Bytes();
        const std::size_t signatureEnd = file.PieceEnd(Role::Signature);
        const std::size_t countEnd =
            file.version == 10 ? file.PieceEnd(Role::FirstNumber) : file.PieceEnd(Role::Count);
        const std::size_t fontStart = file.PieceEnd(Role::FontPrefix);
        const std::size_t fontEnd = file.PieceEnd(Role::FaceName);
        for (std::size_t i = 0; i <= bytes.size(); ++i) {
            const std::string where = std::string(file.name) + ", first " + std::to_string(i);
            const Result result = Read(bytes.substr(0, i));
            const bool readable = i > 0 && (file.version == 10 || i >= signatureEnd);
            ASSERT_EQ(result.outcome,
                      readable ? ReadOutcome::Loaded : ReadOutcome::UnreadableVersion)
                << where;
            if (!readable) continue;
            EXPECT_EQ(result.set.Count(), i >= countEnd ? file.set.Count() : 0u) << where;
            if (file.hasFont) {
                EXPECT_EQ(result.fontRead, i >= fontStart) << where;
                if (i >= fontEnd) {
                    EXPECT_EQ(result.font, file.font) << where;
                }
            }
            for (int r = 0; r < static_cast<int>(result.set.Count()); ++r) {
                const Zentu_Data& read = result.set.At(std::size_t(r) + 1);
                if (i >= file.RecordEnd(r)) {
                    EXPECT_EQ(read, file.set.At(std::size_t(r) + 1)) << where << " question " << r;
                } else if (i <= file.RecordStart(r)) {
                    EXPECT_EQ(read, Zentu_Data()) << where << " question " << r;
                }
            }
        }
    }
}

TEST(HostileFileTest, RandomBytesAndMutatedFiles) {
    std::mt19937 rng(77);
    const auto below = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const std::string alphabet = "0123456789-+ \t\r\n\x1a\x00,Font=Zentu FileEndOptions"s;
    const std::vector<std::string> valid = {VersionOneZero().Bytes(), VersionOneOne().Bytes()};
    for (int i = 0; i < 3000; ++i) {
        std::string bytes;
        switch (i % 3) {
            case 0:  // any bytes
                bytes.resize(below(400));
                for (char& c : bytes) c = static_cast<char>(rng());
                break;
            case 1:  // bytes from the file format's own alphabet
                bytes.resize(below(400));
                for (char& c : bytes) c = alphabet[below(alphabet.size())];
                break;
            default:  // a valid file with a few bytes changed, inserted or removed
                bytes = valid[below(valid.size())];
                for (std::size_t edits = 1 + below(6); edits > 0; --edits) {
                    const std::size_t at = below(bytes.size());
                    const char c = static_cast<char>(rng());
                    switch (below(3)) {
                        case 0:
                            bytes[at] = c;
                            break;
                        case 1:
                            bytes.insert(at, 1, c);
                            break;
                        default:
                            bytes.erase(at, 1);
                    }
                }
        }
        Read(bytes);
        if (HasFailure()) {
            ADD_FAILURE() << "input " << i << " of " << bytes.size() << " bytes";
            return;
        }
    }
}

}  // namespace
