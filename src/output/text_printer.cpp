#include "output/text_printer.h"

#include <algorithm>

namespace {

// Only whole inches of the printable area count, so the grid is the same on every
// printer of a paper size whatever its margins' fractions.
int WholeInches(int pixels, int pixelsPerInch) {
    return pixelsPerInch > 0 ? pixels / pixelsPerInch : 0;
}

}  // namespace

bool TakesCell(unsigned char ch) {
    if (ch >= 0x20 && ch <= 0x7E) return true;
    if (ch >= 0xA0) return true;
    // 0x80-0x9F: the code page's typographic characters (euro, quotes, dashes, ...),
    // except the five bytes it leaves unassigned.
    return ch >= 0x80 && ch != 0x81 && ch != 0x8D && ch != 0x8F && ch != 0x90 && ch != 0x9D;
}

TTextPrinter::TTextPrinter(PrintDevice& device, std::uint32_t pitch, int tabWidth,
                           std::uint32_t textColor, const std::string& documentName)
    : device(device), textColor(textColor), pitch(pitch), tabWidth(std::max(1, tabWidth)) {
    if (!device.OpenPrinter()) return;
    open = true;
    const int charsPerInch = static_cast<int>(pitch & 0xFFFF);
    const int linesPerInch = static_cast<int>(pitch >> 16);
    const PrintableArea area = device.Area();
    // A page of at least one cell: a grid of none would never break a line or a page.
    columns = std::max(1, WholeInches(area.width, area.pixelsPerInchX) * charsPerInch);
    lines = std::max(1, WholeInches(area.height, area.pixelsPerInchY) * linesPerInch);
    device.StartDocument(documentName, {charsPerInch, linesPerInch, textColor});
    device.StartPage();
    pages = 1;
}

TTextPrinter::~TTextPrinter() { Finish(); }

JobResult TTextPrinter::Finish() {
    if (!open) return {JobStatus::Cancelled, {}, 0};
    open = false;
    device.EndPage();
    return device.EndDocument();
}

void TTextPrinter::Cancel() {
    if (!open) return;
    open = false;
    device.CancelDocument();
}

void TTextPrinter::PutString(std::string_view text) {
    for (char ch : text) PutChar(ch);
}

void TTextPrinter::PutChar(char ch) {
    if (!open) return;
    const auto byte = static_cast<unsigned char>(ch);
    switch (byte) {
        case '\t':
            column += tabWidth - column % tabWidth;
            WrapIfAtEdge();
            return;
        case '\n':
            NewLine();
            return;
        case '\f':
            NewPage();
            return;
        case '\r':
            column = 0;
            return;
        default:
            break;
    }
    if (!TakesCell(byte)) return;
    device.DrawChar(byte, column, line);
    ++column;
    WrapIfAtEdge();
}

void TTextPrinter::NewLine() {
    if (!open) return;
    ++line;
    column = 0;
    if (line == lines) NewPage();
}

void TTextPrinter::NewPage() {
    if (!open) return;
    device.EndPage();
    device.StartPage();
    ++pages;
    line = 0;
    column = 0;
}

void TTextPrinter::WrapIfAtEdge() {
    if (column >= columns) NewLine();
}
