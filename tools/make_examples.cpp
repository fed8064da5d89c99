// Writes the bundled example question files with the program's own writer, so that they
// are exactly what a Save would produce. Run it after changing a question below:
//   cmake --build build --target zentu_core
//   g++ -std=c++17 -Isrc -I. tools/make_examples.cpp build/libzentu_core.a -o build/make_examples
//   build/make_examples examples
#include <cstdio>
#include <string>

#include "model/question_file.h"

namespace {

// The texts below are written in UTF-8 for readability; files hold Windows-1252. Only
// Latin-1 letters are used, so the conversion is direct; anything else is a mistake
// in this file and stops the program before a wrong byte is written.
bool ToWindows1252(const std::string& utf8, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
        } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size()) {
            unsigned char trail = static_cast<unsigned char>(utf8[++i]);
            unsigned codePoint = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
            if ((trail & 0xC0) != 0x80 || codePoint < 0xA0) return false;
            out += static_cast<char>(codePoint);
        } else {
            return false;
        }
    }
    return true;
}

struct Question {
    const char* question;
    const char* answer;
    char delimiter;
    AnswerMethod method;
    bool caseSensitive;
    const char* hint;  // an empty hint means the question offers none
    const char* rightResponse;
    bool confirmCorrect;
    const char* wrongResponse;
};

constexpr bool kConfirm = true;
constexpr bool kQuiet = false;
constexpr bool kExactCase = true;
constexpr bool kAnyCase = false;

// A line break inside a text is CR LF, as the text boxes store it.
const Question kCapitals[] = {
    {"What is the capital of France?", "Paris", ',', AnswerMethod::All, kAnyCase,
     "It lies on the Seine.", "Right: Paris, on the Seine.", kConfirm, ""},
    {"What is the capital of Australia?", "Canberra", ',', AnswerMethod::All, kAnyCase,
     "Neither Sydney nor Melbourne: the city was planned as a compromise between the two.", "",
     kQuiet, "Not quite. You typed \"<<INPUT>>\"; the capital of Australia is <<CORRECT>>."},
    {"Bolivia names two cities as its capitals. Name one of them.", "Sucre/La Paz", '/',
     AnswerMethod::OnlyOne, kAnyCase,
     "One is the constitutional capital, the other the seat of government.", "", kQuiet,
     "Bolivia's capitals are Sucre (constitutional capital) and La Paz (seat of "
     "government). One of them is enough."},
    {"South Africa has three capital cities. Name all three, separated by commas, in any "
     "order.",
     "Pretoria,Cape Town,Bloemfontein", ',', AnswerMethod::All, kAnyCase,
     "The government, the parliament and the highest court of appeal each sit in a "
     "different city.",
     "Well done: all three.", kConfirm,
     "Not quite.\r\nPretoria is the seat of government, Cape Town that of parliament, and "
     "Bloemfontein that of the judiciary."},
    {"Name one or more capital cities that lie on the Danube, separated by commas.",
     "Vienna,Bratislava,Budapest,Belgrade", ',', AnswerMethod::Some, kAnyCase,
     "On its way from Germany to the Black Sea the river passes four capitals.",
     "Well done. The Danube passes four capitals: Vienna, Bratislava, Budapest and Belgrade.",
     kConfirm, ""},
    {"Name the capitals of Spain, Italy and Greece, in that order, separated by commas.",
     "Madrid,Rome,Athens", ',', AnswerMethod::AllInOrder, kAnyCase, "", "", kQuiet, ""},
    {"In which city do the Swiss federal government and parliament sit?", "Bern,Berne", ',',
     AnswerMethod::OnlyOne, kAnyCase, "Its coat of arms shows a bear.", "", kQuiet,
     "It is Bern (also spelled Berne). Switzerland's constitution names no capital; it calls "
     "Bern the federal city."},
    {"What is the capital of Turkey?", "Ankara", ',', AnswerMethod::All, kAnyCase, "", "", kQuiet,
     "Since 1923 the capital of Turkey has been <<CORRECT>>; before that it was Istanbul."},
    {"What is the capital of Brazil?", "Brasília,Brasilia", ',', AnswerMethod::OnlyOne, kAnyCase,
     "A planned city, inaugurated in 1960.", "", kQuiet,
     "The capital is Brasília (you may type it without the accent). Rio de Janeiro held the "
     "title until 1960."},
    {"What is the capital of Canada?", "Ottawa", ',', AnswerMethod::All, kAnyCase, "", "", kConfirm,
     ""},
    {"What is the capital of Egypt?", "Cairo", ',', AnswerMethod::All, kAnyCase, "", "", kQuiet,
     "<<QUESTION>> It is <<CORRECT>>."},
    {"What is the capital of New Zealand?", "Wellington", ',', AnswerMethod::All, kAnyCase,
     "Not the largest city, Auckland, but the one at the southern tip of the North Island.", "",
     kQuiet, ""},
    {"What is the capital of Nigeria?", "Abuja", ',', AnswerMethod::All, kAnyCase, "", "", kQuiet,
     "The capital has been <<CORRECT>> since 1991, when it took over from Lagos."},
    {"What is the capital of Japan?", "Tokyo", ',', AnswerMethod::All, kAnyCase, "", "", kQuiet,
     ""},
};

// German nouns are written with a capital letter, so these questions count case. Where
// Swiss spelling writes ss for ß, both spellings are accepted.
const Question kGermanWords[] = {
    {"the street", "die Straße;die Strasse", ';', AnswerMethod::OnlyOne, kExactCase,
     "Feminine. In Switzerland it is written with ss.", "", kQuiet, ""},
    {"the bridge", "die Brücke", ',', AnswerMethod::All, kExactCase, "Feminine.", "", kQuiet, ""},
    {"the girl", "das Mädchen", ',', AnswerMethod::All, kExactCase,
     "Neuter, like every noun ending in -chen.", "", kQuiet, ""},
    {"the key", "der Schlüssel", ',', AnswerMethod::All, kExactCase, "Masculine.", "", kQuiet, ""},
    {"the door", "die Tür", ',', AnswerMethod::All, kExactCase, "Feminine.", "", kQuiet, ""},
    {"the breakfast", "das Frühstück", ',', AnswerMethod::All, kExactCase, "Neuter.", "", kQuiet,
     ""},
    {"the cheese", "der Käse", ',', AnswerMethod::All, kExactCase, "Masculine.", "", kQuiet, ""},
    {"the vegetables", "das Gemüse", ',', AnswerMethod::All, kExactCase,
     "Neuter, and singular in German.", "", kQuiet, ""},
    {"the size", "die Größe", ',', AnswerMethod::All, kExactCase,
     "Feminine. It needs both ö and ß: the Character Map has them.", "", kQuiet, ""},
    {"beautiful", "schön", ',', AnswerMethod::All, kExactCase, "", "", kQuiet, ""},
    {"tired", "müde", ',', AnswerMethod::All, kExactCase, "", "", kQuiet, ""},
    {"big", "groß;gross", ';', AnswerMethod::OnlyOne, kExactCase, "", "", kQuiet, ""},
    {"to greet", "grüßen;grüssen", ';', AnswerMethod::OnlyOne, kExactCase, "", "", kQuiet, ""},
    {"The definite articles for masculine, feminine and neuter, in that order, separated by "
     "commas",
     "der,die,das", ',', AnswerMethod::AllInOrder, kExactCase, "", "", kQuiet, ""},
};

template <std::size_t N>
bool BuildSet(const Question (&questions)[N], Question_Set& set) {
    for (const Question& q : questions) {
        Zentu_Data record;
        if (!ToWindows1252(q.question, record.question) ||
            !ToWindows1252(q.answer, record.answer) || !ToWindows1252(q.hint, record.hint) ||
            !ToWindows1252(q.rightResponse, record.rightResponse) ||
            !ToWindows1252(q.wrongResponse, record.wrongResponse)) {
            std::fprintf(stderr, "not a Windows-1252 text in: %s\n", q.question);
            return false;
        }
        record.delimiter = q.delimiter;
        record.answerMethod = q.method;
        record.caseSensitive = q.caseSensitive;
        record.useHint = !record.hint.empty();
        record.confirmCorrect = q.confirmCorrect;
        record.checkSpaces = false;
        set.Append(record);
    }
    return true;
}

// What the Font dialog stores for Liberation Serif at 16 points on a 96 dpi screen.
LogFont CapitalsFont() {
    LogFont font;
    font.height = -21;
    font.weight = 400;
    font.outPrecision = 3;
    font.clipPrecision = 2;
    font.quality = 1;
    font.pitchAndFamily = 18;
    font.faceName = "Liberation Serif";
    return font;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s EXAMPLES-FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Question_Set capitals, germanWords;
    if (!BuildSet(kCapitals, capitals) || !BuildSet(kGermanWords, germanWords)) return 1;

    const LogFont font = CapitalsFont();
    struct Output {
        std::string name;
        const Question_Set& set;
        int format;
        const LogFont* font;
    } const outputs[] = {
        {"world_capitals.que", capitals, kFormatVersion11, &font},
        {"german_words.que", germanWords, kFormatVersion10, nullptr},
    };
    for (const Output& output : outputs) {
        const std::string path = folder + "/" + output.name;
        if (!WriteQuestionFile(path, output.set, output.format, output.font)) {
            std::fprintf(stderr, "Unable to save file %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: %zu questions\n", path.c_str(), output.set.Count());
    }
    return 0;
}
