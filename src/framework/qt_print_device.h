// The text printer's device on Qt: the system's default printer through CUPS, or a PDF
// file. Characters are drawn in Courier (or the closest installed monospaced face)
// scaled to fill their cells; the consecutive characters of a line go out as one glyph
// run, each glyph placed in its own cell, so a long listing stays quick and its job small.
#pragma once

#include <QColor>
#include <QPageSize>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "output/print_device.h"

class QPrinter;

class QtPrintDevice : public PrintDevice {
  public:
    // The system's default printer.
    QtPrintDevice();
    // A PDF file of the given paper size instead: the same drawing, without a printer.
    QtPrintDevice(const QString& pdfPath, const QPageSize& pageSize);
    ~QtPrintDevice() override;

    bool OpenDefaultPrinter() override;
    PrintableArea Area() const override;
    void StartDocument(const std::string& name, const CellGrid& grid) override;
    void StartPage() override;
    void EndPage() override;
    void EndDocument() override;
    void DrawChar(unsigned char ch, int column, int line) override;

    // The face the cells are drawn in, once the document has started.
    QString FontFamily() const { return font.familyName(); }

  private:
    void SetUpFont(const CellGrid& grid);
    void Flush();

    QString pdfPath;
    QPageSize pdfPageSize;
    std::unique_ptr<QPrinter> printer;
    QPainter painter;
    bool started = false;
    int pagesStarted = 0;

    QRawFont font;
    QColor color;
    double cellWidth = 1;
    double cellHeight = 1;
    double scaleX = 1;  // the font's advance squeezed or stretched to the cell width
    double ascent = 0;
    std::array<quint32, 256> glyphOf{};

    // The run of characters in consecutive cells of one line, not yet drawn.
    std::vector<quint32> runGlyphs;
    std::vector<QPointF> runPositions;
    int runLine = -1;
    int runNextColumn = -1;
};
