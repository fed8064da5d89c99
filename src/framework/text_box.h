// The one text box behind every edit control of the program. It holds only what a stored
// text can hold: characters of the code page, no TAB, no control characters, at most
// `ByteLimit()` bytes as the file counts them (a line break is CR LF, two bytes).
#pragma once

#include <QPlainTextEdit>
#include <string>

#include "model/log_font.h"

class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    enum class EnterKey { NewLine, DefaultButton };

    explicit TextBox(QWidget* parent = nullptr);

    // A single-line box never holds a line break and never wraps; Enter in it always
    // presses the default button.
    void SetMultiLine(bool multiLine);
    bool MultiLine() const { return multiLine; }
    void SetEnterKey(EnterKey key) { enterKey = key; }
    EnterKey Enter() const { return enterKey; }
    // 0: no limit. A text set by the program may be longer; the user can then only shorten it.
    void SetByteLimit(int limit) { byteLimit = limit; }
    int ByteLimit() const { return byteLimit; }

    // The stored text (Windows-1252, CR LF) in and out.
    void SetBytes(const std::string& bytes);
    std::string Bytes() const;
    int StoredBytes() const;

    // Inserts at the caret, replacing the selection, for the character map: any byte of the
    // code page from 32 up. False when the box is read-only or the byte does not fit.
    bool InsertByte(unsigned char byte);

    // What the user types or pastes goes through here: filtered, then cut to the limit.
    // True when all of `text` went in unchanged.
    bool InsertTyped(const QString& text);

    void SetDisplayFont(const LogFont& font);

  signals:
    // Input was refused or cut: a character the code page cannot hold, a control
    // character, or no room left. The box beeps as well, and the first character the code
    // page cannot hold is named in a tooltip at the box, once per window.
    void InputRefused();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    // `text` as this box may hold it; `dropped` tells whether anything was dropped or
    // replaced other than a TAB, `unstorable` names the first character left out because
    // the code page lacks it.
    QString Filter(const QString& text, bool& dropped, QString* unstorable = nullptr) const;
    // Cuts `text` to what fits beside the current text in place of the selection.
    QString FitToLimit(const QString& text) const;
    // Beeps; with `unstorable`, the first time in this window also says why it was left out.
    void Refuse(const QString& unstorable = QString());

    bool multiLine = true;
    EnterKey enterKey = EnterKey::NewLine;
    int byteLimit = 0;
};
