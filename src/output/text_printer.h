// The program's own plain-text printer: single-byte characters placed on the default
// printer as on a typewriter, one character per cell of a fixed grid, with TAB, CR, LF
// and FF, a line break at the right edge and a new page when the lines run out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "output/print_device.h"

// The pitch as one value: characters per inch low, lines per inch high.
constexpr std::uint32_t MakePitch(std::uint16_t charsPerInch, std::uint16_t linesPerInch) {
    return static_cast<std::uint32_t>(charsPerInch) |
           (static_cast<std::uint32_t>(linesPerInch) << 16);
}

// True for the bytes that are drawn and take a cell: the printable ASCII characters and
// every character the code page assigns in its upper half. Control characters, DEL and
// the five unassigned bytes take none.
bool TakesCell(unsigned char ch);

class TTextPrinter {
  public:
    // Opens the printer and starts the document `documentName` and its first page.
    // Without a printer the object does nothing at all.
    TTextPrinter(PrintDevice& device, std::uint32_t pitch, int tabWidth, std::uint32_t textColor,
                 const std::string& documentName = "TTextPrinter");
    // Ends the last page and the document, unless Finish or Cancel already did.
    virtual ~TTextPrinter();
    TTextPrinter(const TTextPrinter&) = delete;
    TTextPrinter& operator=(const TTextPrinter&) = delete;

    bool HasPrinter() const { return open; }
    // Ends the last page (even an empty one) and the document, and says how the job went.
    JobResult Finish();
    // Drops the document: nothing of it is printed.
    void Cancel();

    // Every byte in order; a NUL takes no cell and ends nothing.
    void PutString(std::string_view text);
    void PutChar(char ch);
    void NewLine();
    void NewPage();

    int Line() const { return line; }
    int Column() const { return column; }
    int Columns() const { return columns; }
    int Lines() const { return lines; }
    // Pages started so far, the first one included.
    int Pages() const { return pages; }

  private:
    void WrapIfAtEdge();

    PrintDevice& device;
    std::uint32_t textColor;
    std::uint32_t pitch;
    int tabWidth;
    bool open = false;
    int line = 0;
    int column = 0;
    int columns = 0;
    int lines = 0;
    int pages = 0;
};
