// What the text printer asks of a printer: the default printer or none, its printable
// size, the document and its pages, and one character drawn in one cell. Qt implements
// it on the system's default printer (framework/qt_print_device); tests record the calls.
#pragma once

#include <cstdint>
#include <string>

// The printable area in device pixels, and the device's pixels per inch.
struct PrintableArea {
    int width = 0;
    int height = 0;
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
};

// The grid a document is printed on: cells of 1/charsPerInch by 1/linesPerInch inch,
// counted from the top-left corner of the printable area, and the colour of the text.
struct CellGrid {
    int charsPerInch = 0;
    int linesPerInch = 0;
    std::uint32_t textColor = 0;  // red, green and blue bytes, red lowest
};

class PrintDevice {
  public:
    virtual ~PrintDevice() = default;

    // False when the system has no default printer; nothing else is then asked.
    virtual bool OpenDefaultPrinter() = 0;
    virtual PrintableArea Area() const = 0;
    virtual void StartDocument(const std::string& name, const CellGrid& grid) = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;
    // One character of the code page in the cell at (column, line) of the current page.
    virtual void DrawChar(unsigned char ch, int column, int line) = 0;
};
