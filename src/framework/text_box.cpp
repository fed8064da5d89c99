#include "framework/text_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

#include "framework/codepage.h"
#include "framework/font_mapping.h"
#include "res/string_table.h"

namespace {

bool IsControl(QChar ch) {
    const char16_t code = ch.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Marks a window whose user has been told once why a character was left out.
constexpr const char* kUnstorableNoted = "zentuUnstorableNoted";

// "ő (U+0151)": the character as typed, whole even when it takes two UTF-16 units.
QString Describe(const QString& text, qsizetype at) {
    const char32_t code = text[at].isHighSurrogate() && at + 1 < text.size()
                              ? QChar::surrogateToUcs4(text[at], text[at + 1])
                              : text[at].unicode();
    const QString hex = QString::number(code, 16).toUpper().rightJustified(4, u'0');
    return QStringLiteral("%1 (U+%2)").arg(QString::fromUcs4(&code, 1), hex);
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    // Tab moves between a dialog's controls, as it always has; a TAB never gets stored.
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
    SetMultiLine(true);
}

void TextBox::SetMultiLine(bool isMultiLine) {
    multiLine = isMultiLine;
    if (multiLine) {
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    } else {
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setWordWrapMode(QTextOption::NoWrap);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void TextBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (!multiLine) {
        // One line, centred in the box whatever its height.
        const int spare = viewport()->height() - fontMetrics().lineSpacing();
        document()->setDocumentMargin(std::clamp(spare / 2, 1, 4));
    }
}

void TextBox::SetBytes(const std::string& bytes) { setPlainText(TextToQString(bytes)); }

// The document's raw text: toPlainText() would turn a no-break space (0xA0) into a space.
std::string TextBox::Bytes() const { return QStringToText(document()->toRawText()); }

int TextBox::StoredBytes() const { return StoredLength(document()->toRawText()); }

void TextBox::SetDisplayFont(const LogFont& font) { setFont(FontFromLogFont(font)); }

QString TextBox::Filter(const QString& text, bool& dropped, QString* unstorable) const {
    QString kept;
    kept.reserve(text.size());
    dropped = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r' || IsLineBreak(ch)) {
            if (!multiLine) {
                // A single-line box takes the first line of a pasted text, as edit boxes do.
                dropped = true;
                break;
            }
            if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            kept.append(QChar(u'\n'));
        } else if (ch == u'\t') {
            kept.append(QChar(u' '));
        } else if (IsControl(ch)) {
            dropped = true;
        } else if (!IsRepresentable(ch)) {
            if (unstorable != nullptr && unstorable->isEmpty()) *unstorable = Describe(text, i);
            dropped = true;
            if (ch.isHighSurrogate() && i + 1 < text.size()) ++i;
        } else {
            kept.append(ch);
        }
    }
    return kept;
}

QString TextBox::FitToLimit(const QString& text) const {
    if (byteLimit <= 0) {
        return text;
    }
    const int used = StoredBytes() - StoredLength(textCursor().selectedText());
    int room = byteLimit - used;
    qsizetype fits = 0;
    for (; fits < text.size(); ++fits) {
        const int cost = IsLineBreak(text[fits]) ? 2 : 1;
        if (cost > room) {
            break;
        }
        room -= cost;
    }
    return text.left(fits);
}

void TextBox::Refuse(const QString& unstorable) {
    QApplication::beep();
    emit InputRefused();
    QWidget* dialog = window();
    if (unstorable.isEmpty() || dialog->property(kUnstorableNoted).toBool()) return;
    // A beep alone is easily missed and tells nothing: the user hears once per window
    // why a character did not appear.
    dialog->setProperty(kUnstorableNoted, true);
    const QString note =
        QString::fromStdString(LoadString(kStrCharacterNotStorable)).arg(unstorable);
    const QRect caret = cursorRect();
    QToolTip::showText(viewport()->mapToGlobal(caret.bottomLeft()), note, this);
}

bool TextBox::InsertTyped(const QString& text) {
    if (isReadOnly()) {
        return false;
    }
    bool dropped = false;
    QString unstorable;
    const QString filtered = Filter(text, dropped, &unstorable);
    const QString fitted = FitToLimit(filtered);
    if (fitted.size() < filtered.size()) {
        dropped = true;
    }
    if (!fitted.isEmpty()) {
        textCursor().insertText(fitted);
        ensureCursorVisible();
    }
    if (dropped) {
        Refuse(unstorable);
    }
    return !dropped;
}

bool TextBox::InsertByte(unsigned char byte) {
    if (isReadOnly() || byte < 0x20) {
        return false;
    }
    const QString fitted = FitToLimit(QString(ByteToChar(byte)));
    if (fitted.isEmpty()) {
        Refuse();
        return false;
    }
    textCursor().insertText(fitted);
    ensureCursorVisible();
    return true;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!multiLine || enterKey == EnterKey::DefaultButton) {
            // Passed on to the dialog, which presses its default button.
            event->ignore();
            return;
        }
        InsertTyped(QStringLiteral("\n"));
        return;
    }
    if (key == Qt::Key_Tab) {
        // Only Ctrl+Tab gets here; plain Tab moved the focus.
        InsertTyped(QStringLiteral("\t"));
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    // Ctrl or Meta alone, or Alt alone (a mnemonic no control took), types nothing; Ctrl
    // with Alt is AltGr on some keyboards and types its character.
    const bool withCtrl = (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
    const bool withAlt = (modifiers & Qt::AltModifier) != 0;
    if (withAlt && !withCtrl) {
        event->ignore();
        return;
    }
    const bool shortcut = withCtrl && !withAlt;
    const QString text = event->text();
    if (!shortcut && !text.isEmpty() && !IsControl(text[0])) {
        InsertTyped(text);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!isReadOnly() && !event->commitString().isEmpty()) {
        bool dropped = false;
        QString unstorable;
        const QString commit = event->commitString();
        const QString fitted = FitToLimit(Filter(commit, dropped, &unstorable));
        if (fitted != commit) {
            event->setCommitString(fitted, event->replacementStart(), event->replacementLength());
            Refuse(unstorable);
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool TextBox::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && source->hasText();
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (source != nullptr && source->hasText()) {
        InsertTyped(source->text());
    }
}
