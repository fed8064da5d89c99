// The dialog layouts: title, size and controls in dialog units, as plain data. The Qt
// side builds every dialog of the program from one of these templates.
#pragma once

#include <string>
#include <vector>

enum class ControlKind {
    Static,      // a text label
    GroupFrame,  // a shaded frame with a title, drawn behind the controls it encloses
    Line,        // a shaded horizontal line
    Edit,        // a text box
    PushButton,
    CheckBox,
    RadioButton,  // consecutive radio buttons form one group
};

// The faces of the picture buttons: a picture beside the caption.
enum class ButtonFace { Text, Ok, Cancel, Prev, Next, Delete, Hint };

enum ControlStyle : unsigned {
    kStyleMultiLine = 1u << 0,
    kStyleReadOnly = 1u << 1,
    kStyleVScroll = 1u << 2,     // a vertical scroll bar
    kStyleWantReturn = 1u << 3,  // Enter makes a new line; otherwise it presses the default button
    kStyleTabStop = 1u << 4,
    kStyleDefault = 1u << 5,  // the default push button
    kStyleBorder = 1u << 6,
    kStyleHidden = 1u << 7,
};

constexpr int kNoControlId = -1;

struct DialogControl {
    int id = kNoControlId;
    ControlKind kind = ControlKind::Static;
    std::string text;  // '\n' breaks a line
    int x = 0, y = 0, width = 0, height = 0;
    unsigned style = 0;
    int textLimit = 0;  // for a text box: the most bytes it takes; 0 means no limit
    ButtonFace face = ButtonFace::Text;
    // What assistive technology calls a text box that has no label beside it or frame
    // around it; a labelled one takes its label's text.
    std::string name;
};

enum DialogStyle : unsigned {
    kDialogSystemMenu = 1u << 0,  // a close box in the caption
    kDialogMinimizeBox = 1u << 1,
    kDialogAtPosition = 1u << 2,  // opens at x, y from the owner's client area; else centred
};

struct DialogTemplate {
    int id = 0;
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;  // dialog units
    std::string fontName;
    int fontPoints = 8;
    int menuId = 0;  // a menu resource shown above the controls; 0 for none
    unsigned style = 0;
    std::vector<DialogControl> controls;  // in keyboard order
};

enum DialogResourceId : int {
    kDialogQuestionEditor = 1243,
    kDialogQuestionWithHint = 1244,
    kDialogQuestionNoHint = 1245,
    kDialogAdvanced = 1248,
    kDialogAbout = 1321,
    kDialogElements = 1322,
    kDialogCharacterMap = 1351,
    kDialogInput = 30001,  // the framework's one-line input dialog
    kDialogImportOptions = 1361,
    kDialogMistakes = 15001,
};

// Standard control ids: the buttons that end a dialog with OK and Cancel.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
// The controls of the input dialog.
constexpr int kIdInputPrompt = 4001;
constexpr int kIdInputText = 4002;
// The controls of the mistakes window.
constexpr int kIdMistakesList = 15002;
constexpr int kIdRepeatMistakes = 15003;

// The controls of the import options dialog.
constexpr int kIdImportFile = 600;
constexpr int kIdImportSeparatorFirst = 601;  // Tab, Comma, Semicolon, Pipe, Colon, Space
constexpr int kIdImportSeparatorOther = 607;
constexpr int kIdImportOtherText = 608;
constexpr int kIdImportDelimiter = 611;
constexpr int kIdImportMethodFirst = 621;  // All, Some, Only one, All in order
constexpr int kIdImportReplace = 631;

// The template with resource id `id`, or nullptr when there is none.
const DialogTemplate* FindDialog(int id);
// Every template, for tests that walk them all.
const std::vector<DialogTemplate>& AllDialogs();
