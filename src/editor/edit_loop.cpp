#include "editor/edit_loop.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

constexpr const char* kTitlePrefix = "Question Editor-question number ";
constexpr const char* kNewSuffix = " - new";
constexpr const char* kMoveTitle = "Move";
constexpr const char* kMovePrompt = "Move to question number?";

}  // namespace

std::string EditorTitle(std::size_t position, bool isNew) {
    return kTitlePrefix + std::to_string(position) + (isNew ? kNewSuffix : "");
}

std::int64_t ReadMoveNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

EditLoop::EditLoop(Question_Set& set, EditBuffer& buffer, EditorScreens& screens,
                   Platform& platform, std::function<void()> markChanged)
    : set(set),
      buffer(buffer),
      screens(screens),
      platform(platform),
      markChanged(std::move(markChanged)) {}

void EditLoop::Run() { RunFrom(set.Count()); }

void EditLoop::RunFrom(std::size_t start) {
    position = std::min(start, set.Count() + 1);
    int previous = 0;
    for (;;) {
        if (position == 0) position = 1;
        const std::size_t count = set.Count();
        const bool isNew = position > count;
        PrepareBuffer(isNew || previous == kEditInsert);
        const int exit =
            screens.ShowQuestion(position, isNew, EditorTitle(position, isNew), buffer);
        if (exit == kEditCancel) {
            // Insert stored the shown question twice, at n and n + 1; leaving the blank
            // question unstored must not leave that duplicate behind.
            if (previous == kEditInsert) set.RemoveAt(position + 1);
            return;
        }
        Commit();
        if (!Act(exit)) return;
        previous = exit;
    }
}

void EditLoop::PrepareBuffer(bool blank) {
    if (!blank) {
        set.View(position).AssignTo(buffer);
        return;
    }
    buffer.question.clear();
    buffer.answer.clear();
    buffer.hint.clear();
    if (position == 1) {
        buffer.delimiter = ',';
        buffer.answerMethod = AnswerMethod::All;
        buffer.useHint = false;
        buffer.caseSensitive = false;
    }
}

void EditLoop::Commit() {
    markChanged();
    const auto store = [this](const Zentu_View& record) {
        // The shown question is replaced where it stands: no step shifts the set.
        if (position > set.Count()) {
            set.Append(record);
        } else {
            set.Replace(position, record);
        }
    };
    // Most questions are stored as typed: then straight from the buffer, without a copy.
    if (StoresAsIs(buffer)) {
        store(buffer);
    } else {
        store(CommitRecord(buffer));
    }
}

bool EditLoop::Act(int exit) {
    switch (exit) {
        case kEditPrev:
            --position;
            return true;
        case kEditNext:
            ++position;
            return true;
        case kEditDelete:
            set.RemoveAt(position);
            if (position > set.Count()) position = set.Count();
            return true;
        case kEditInsert: {
            // The copy's texts come from the set's own arena; the set allows that.
            set.InsertAt(position + 1, set.View(position));
            return true;
        }
        case kEditFirst:
            position = 1;
            return true;
        case kEditLast:
            position = set.Count();
            return true;
        case kEditMove:
            Move();
            return true;
        default:
            return false;
    }
}

void EditLoop::Move() {
    const Zentu_Data moved = set.At(position);
    set.RemoveAt(position);
    const std::size_t rest = set.Count();
    std::string text;
    if (!platform.RunInputDialog(kMoveTitle, kMovePrompt, text)) {
        set.InsertAt(position, moved);
        return;
    }
    const std::int64_t wanted = ReadMoveNumber(text);
    if (wanted < 1) {
        // No position 0 or below: the question stays where it was, and a beep says the
        // number was not taken.
        set.InsertAt(position, moved);
        platform.Beep();
        return;
    }
    if (static_cast<std::uint64_t>(wanted) > rest + 1) {
        set.Append(moved);
        return;
    }
    position = static_cast<std::size_t>(wanted);
    set.InsertAt(position, moved);
}
