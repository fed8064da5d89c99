#include "framework/qt_print_device.h"

#include <QFont>
#include <QGlyphRun>
#include <QPrinter>
#include <QPrinterInfo>

#include "framework/codepage.h"
#include "output/text_printer.h"

namespace {

// Fonts are resolved at this size and then scaled, so rounding never shows in the cells.
constexpr int kProbePixelSize = 1000;

QFont CellFont() {
    QFont font;
    // Courier is rarely installed under that name on Linux; the URW clone and the other
    // common monospaced faces stand in for it.
    font.setFamilies({QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(kProbePixelSize);
    return font;
}

}  // namespace

QtPrintDevice::QtPrintDevice() = default;

QtPrintDevice::QtPrintDevice(const QString& pdfPath, const QPageSize& pageSize)
    : pdfPath(pdfPath), pdfPageSize(pageSize) {}

QtPrintDevice::~QtPrintDevice() {
    if (painter.isActive()) painter.end();
}

bool QtPrintDevice::OpenDefaultPrinter() {
    if (!pdfPath.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        printer->setPageSize(pdfPageSize);
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return false;
    printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return true;
}

PrintableArea QtPrintDevice::Area() const {
    if (!printer) return {};
    const int resolution = printer->resolution();
    const QRect printable = printer->pageLayout().paintRectPixels(resolution);
    return {printable.width(), printable.height(), resolution, resolution};
}

void QtPrintDevice::StartDocument(const std::string& name, const CellGrid& grid) {
    if (!printer) return;
    printer->setDocName(QString::fromStdString(name));
    // A job that cannot start draws nothing; like the other printer failures, it is not
    // reported.
    if (!painter.begin(printer.get())) return;
    started = true;
    SetUpFont(grid);
}

void QtPrintDevice::SetUpFont(const CellGrid& grid) {
    const int resolution = printer->resolution();
    cellWidth = grid.charsPerInch > 0 ? static_cast<double>(resolution) / grid.charsPerInch : 1;
    cellHeight = grid.linesPerInch > 0 ? static_cast<double>(resolution) / grid.linesPerInch : 1;

    // The font is set once for the document: every glyph is drawn from it, its cell
    // height the font's height and its advance squeezed to the cell width.
    font = QRawFont::fromFont(CellFont());
    const double probeHeight = font.ascent() + font.descent();
    if (probeHeight > 0) font.setPixelSize(kProbePixelSize * cellHeight / probeHeight);
    ascent = font.ascent();

    for (int byte = 0; byte < 256; ++byte) {
        const QVector<quint32> glyphs =
            font.glyphIndexesForString(QString(ByteToChar(static_cast<unsigned char>(byte))));
        glyphOf[static_cast<std::size_t>(byte)] = glyphs.isEmpty() ? 0 : glyphs.first();
    }
    const QVector<QPointF> advance = font.advancesForGlyphIndexes({glyphOf['M']});
    scaleX = !advance.isEmpty() && advance.first().x() > 0 ? cellWidth / advance.first().x() : 1;

    color = QColor(static_cast<int>(grid.textColor & 0xFF),
                   static_cast<int>((grid.textColor >> 8) & 0xFF),
                   static_cast<int>((grid.textColor >> 16) & 0xFF));
}

void QtPrintDevice::StartPage() {
    if (!started) return;
    // The painter opened the first page when the document began.
    if (pagesStarted > 0) printer->newPage();
    ++pagesStarted;
}

void QtPrintDevice::EndPage() {
    if (!started) return;
    Flush();
}

void QtPrintDevice::EndDocument() {
    if (!started) return;
    Flush();
    painter.end();
    started = false;
}

void QtPrintDevice::DrawChar(unsigned char ch, int column, int line) {
    if (!started) return;
    if (line != runLine || column != runNextColumn) Flush();
    runLine = line;
    runNextColumn = column + 1;
    runGlyphs.push_back(glyphOf[ch]);
    // In the font's own units along x: the run is drawn squeezed by scaleX.
    runPositions.emplace_back(column * cellWidth / scaleX, line * cellHeight + ascent);
}

void QtPrintDevice::Flush() {
    if (runGlyphs.empty()) return;
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(QVector<quint32>(runGlyphs.begin(), runGlyphs.end()));
    run.setPositions(QVector<QPointF>(runPositions.begin(), runPositions.end()));
    painter.save();
    painter.setPen(color);
    painter.scale(scaleX, 1);
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.restore();
    runGlyphs.clear();
    runPositions.clear();
    runLine = -1;
    runNextColumn = -1;
}
