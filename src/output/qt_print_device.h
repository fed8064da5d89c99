// The text printer's device on Qt. Every job is drawn into a PDF: for a printer, into a
// temporary file that is handed to its CUPS queue once whole (so a cancelled job never
// reaches the queue, and the queue's job id is known); for a PDF file target, into that
// file, which replaces the old one only when whole. Characters are drawn in Courier (or
// the closest installed monospaced face) scaled to fill their cells; the consecutive
// characters of a line go out as one glyph run, each glyph placed in its own cell, so a
// long listing stays quick and its job small. The preview draws its pages with the same
// CellPainter.
#pragma once

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "output/print_device.h"

class QFileDevice;
class QPdfWriter;

// What Printer Setup chose; it holds for the rest of the run.
struct PrinterChoice {
    QString printerName;  // a CUPS queue; unused for a file
    bool toFile = false;  // a PDF file, whose name each Print asks for
    QString fileName;     // the file name offered next
    QPageLayout layout;   // paper, orientation and the printer's margins
    int copies = 1;
};

// The printer's own choice when nothing was set up: the system's default printer, its
// default paper and margins. Empty name when there is no default printer.
PrinterChoice DefaultPrinterChoice();

// Draws characters into the cells of a grid with one painter, whose origin is the
// top-left corner of the printable area and whose unit is one pixel at `resolution`.
class CellPainter {
  public:
    void Begin(QPainter* target, int resolution, const CellGrid& grid);
    void Draw(unsigned char ch, int column, int line);
    // Draws the characters still held back; before the page or the painter ends.
    void Flush();
    QString FontFamily() const { return font.familyName(); }

  private:
    QPainter* painter = nullptr;
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

class QtPrintDevice : public PrintDevice {
  public:
    // The system's default printer, as it is when the job starts.
    QtPrintDevice();
    // The printer or file chosen in Printer Setup.
    explicit QtPrintDevice(const PrinterChoice& choice);
    // A PDF file of the given paper size, written without asking: the same drawing,
    // without a printer.
    QtPrintDevice(const QString& pdfPath, const QPageSize& pageSize,
                  QPageLayout::Orientation orientation = QPageLayout::Portrait);
    ~QtPrintDevice() override;

    bool OpenPrinter() override;
    bool PrintsToFile() const override;
    std::string OutputFile() const override;
    void SetOutputFile(const std::string& path) override;
    PrintableArea Area() const override;
    void StartDocument(const std::string& name, const CellGrid& grid) override;
    void StartPage() override;
    void EndPage() override;
    JobResult EndDocument() override;
    void CancelDocument() override;
    void DrawChar(unsigned char ch, int column, int line) override;

    // The paper of the job, once the printer is open.
    const QPageLayout& Layout() const { return choice.layout; }
    // The face the cells are drawn in, once the document has started.
    QString FontFamily() const { return cells.FontFamily(); }
    // The pixels per inch of every job: fine enough that the cells land within a hair.
    static constexpr int kResolution = 1200;

  private:
    void Close();

    enum class Target { DefaultPrinter, Chosen, FixedFile };
    Target target;
    PrinterChoice choice;  // as set up, or the default printer's once opened
    QString documentName;
    std::unique_ptr<QFileDevice> file;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    CellPainter cells;
    QString failure;  // why the document cannot be made, once known
    bool started = false;
    int pagesStarted = 0;
};
