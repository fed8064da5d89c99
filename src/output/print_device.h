// What the text printer asks of a printer: the chosen printer (else the default) or none,
// its printable size, the document and its pages, and one character drawn in one cell.
// Qt implements it (output/qt_print_device): a job rendered to a PDF file and handed to
// CUPS, or written where the user chose; tests record the calls.
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

// How a document ended once it left the program.
enum class JobStatus {
    Done,       // with the printer's queue (or in its file)
    Waiting,    // queued, but the printer is stopped
    Refused,    // the queue would not take it
    NotMade,    // it could not be made at all (no room for it, no writable folder)
    Cancelled,  // dropped before anything reached the printer
};
struct JobResult {
    JobStatus status = JobStatus::Done;
    std::string reason;  // the system's words, for Refused and NotMade
    int jobId = 0;       // the queue's id of the job, when it has one
};

class PrintDevice {
  public:
    virtual ~PrintDevice() = default;

    // The printer chosen in Printer Setup, else the system's default; false when there is
    // none, and nothing else is then asked.
    virtual bool OpenPrinter() = 0;
    // True when the chosen target is a file whose name is asked for each job.
    virtual bool PrintsToFile() const { return false; }
    virtual std::string OutputFile() const { return {}; }
    virtual void SetOutputFile(const std::string& /*path*/) {}
    virtual PrintableArea Area() const = 0;
    virtual void StartDocument(const std::string& name, const CellGrid& grid) = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    // Sends what was drawn on its way.
    virtual JobResult EndDocument() = 0;
    // Drops what was drawn: nothing of the document reaches the printer or the file.
    virtual void CancelDocument() {}
    // One character of the code page in the cell at (column, line) of the current page.
    virtual void DrawChar(unsigned char ch, int column, int line) = 0;
};
