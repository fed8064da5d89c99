// The working copy of the question the editor shows, and the rules by which its fields
// become a stored question again.
#pragma once

#include <string>
#include <string_view>

#include "model/zentu_data.h"

// One exists for the whole program run: its fields carry over from one run of the editor
// to the next, across New and Open, so that a new question inherits them. It starts
// emptier than a new question: no delimiter and no answer method.
struct EditBuffer : Zentu_Data {
    EditBuffer() {
        delimiter = '\0';
        answerMethod = static_cast<AnswerMethod>(0);
    }
};

// What the boxes can hold as the question file stores it: a TAB becomes a space, a lone CR
// or LF becomes CR LF, byte 0x1A (the file's end of data) is dropped. Other bytes, also
// the control bytes a file may bring, pass unchanged.
std::string StorableText(std::string text);
// Whether StorableText would keep `text` as it is.
bool IsStorableText(std::string_view text);

// The record a commit stores: the buffer's fields as stored texts. A delimiter that is a
// control byte (the file could not keep a TAB, a line break or 0x1A there) becomes NUL.
Zentu_Data CommitRecord(const EditBuffer& buffer);
// Whether CommitRecord would store the buffer's fields as they are.
bool StoresAsIs(const EditBuffer& buffer);

// The delimiter box's text as a delimiter: its first byte, NUL when empty or a control byte.
char DelimiterFromText(const std::string& text);
// The delimiter as the box shows it: empty for NUL.
std::string DelimiterText(char delimiter);

// The four method radio buttons as the Advanced dialog reads them back: tested in the
// order All, Some, Only one, All in order, every selected one overwrites, so the last
// selected wins; with none selected the method stays `former`.
struct MethodRadios {
    bool all = false;
    bool some = false;
    bool onlyOne = false;
    bool allInOrder = false;
};
AnswerMethod MethodFromRadios(const MethodRadios& radios, AnswerMethod former);
// The radio buttons that show `method`: none for a value that is no method.
MethodRadios RadiosForMethod(AnswerMethod method);
