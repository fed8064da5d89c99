#include "output/qt_print_device.h"

#include <cups/cups.h>

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGlyphRun>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include "framework/codepage.h"

namespace {

// Fonts are resolved at this size and then scaled, so rounding never shows in the cells.
constexpr int kProbePixelSize = 1000;
// The IPP printer state of a stopped printer.
constexpr const char* kPrinterStopped = "5";

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

// The system's words for the message box, in the program's code page.
std::string Reason(const QString& text) { return QStringToText(text); }

// Hands the finished PDF to the queue; the queue copies it, so the file may go afterwards.
JobResult Submit(const PrinterChoice& choice, const QString& pdf, const QString& title) {
    const QByteArray name = choice.printerName.toLocal8Bit();
    const QByteArray copies = QByteArray::number(qMax(1, choice.copies));
    const QByteArray media = choice.layout.pageSize().key().toUtf8();
    cups_option_t* options = nullptr;
    int count = 0;
    count = cupsAddOption("copies", copies.constData(), count, &options);
    if (!media.isEmpty()) count = cupsAddOption("media", media.constData(), count, &options);
    const int id = cupsPrintFile(name.constData(), QFile::encodeName(pdf).constData(),
                                 title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (id == 0) return {JobStatus::Refused, Reason(QString::fromUtf8(cupsLastErrorString())), 0};

    JobResult result{JobStatus::Done, {}, id};
    if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr)) {
        const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
        if (state != nullptr && qstrcmp(state, kPrinterStopped) == 0) {
            result.status = JobStatus::Waiting;
        }
        cupsFreeDests(1, dest);
    }
    return result;
}

}  // namespace

PrinterChoice DefaultPrinterChoice() {
    PrinterChoice choice;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return choice;
    // The printer's own default paper and the margins it cannot print in.
    QPrinter printer(info, QPrinter::HighResolution);
    choice.printerName = info.printerName();
    choice.layout = printer.pageLayout();
    return choice;
}

namespace {

// The face sized for one cell height, with its glyph for each byte: the preview draws
// every page it shows with the same face, so its rendered glyphs stay cached between
// pages and are not rasterized anew for each one.
struct CellFace {
    QRawFont font;
    double cellHeight = 0;
    double advance = 0;  // of an M, in the sized face
    std::array<quint32, 256> glyphOf{};
};

const CellFace& FaceForCells(double cellHeight) {
    static std::unique_ptr<CellFace> face;
    if (face && face->cellHeight == cellHeight) return *face;
    if (!face) {
        // The face goes with the application: its font engine cannot outlive the fonts.
        qAddPostRoutine([] { face.reset(); });
    }
    auto sized = std::make_unique<CellFace>();
    sized->cellHeight = cellHeight;
    // The cell height is the font's height.
    sized->font = QRawFont::fromFont(CellFont());
    const double probeHeight = sized->font.ascent() + sized->font.descent();
    if (probeHeight > 0) sized->font.setPixelSize(kProbePixelSize * cellHeight / probeHeight);
    for (int byte = 0; byte < 256; ++byte) {
        const QVector<quint32> glyphs = sized->font.glyphIndexesForString(
            QString(ByteToChar(static_cast<unsigned char>(byte))));
        sized->glyphOf[static_cast<std::size_t>(byte)] = glyphs.isEmpty() ? 0 : glyphs.first();
    }
    const QVector<QPointF> advance = sized->font.advancesForGlyphIndexes({sized->glyphOf['M']});
    sized->advance = advance.isEmpty() ? 0 : advance.first().x();
    face = std::move(sized);
    return *face;
}

}  // namespace

void CellPainter::Begin(QPainter* target, int resolution, const CellGrid& grid) {
    painter = target;
    cellWidth = grid.charsPerInch > 0 ? static_cast<double>(resolution) / grid.charsPerInch : 1;
    cellHeight = grid.linesPerInch > 0 ? static_cast<double>(resolution) / grid.linesPerInch : 1;

    // The font is set once for the document: every glyph is drawn from it, its cell
    // height the font's height and its advance squeezed to the cell width.
    const CellFace& face = FaceForCells(cellHeight);
    font = face.font;
    ascent = font.ascent();
    glyphOf = face.glyphOf;
    scaleX = face.advance > 0 ? cellWidth / face.advance : 1;

    color = QColor(static_cast<int>(grid.textColor & 0xFF),
                   static_cast<int>((grid.textColor >> 8) & 0xFF),
                   static_cast<int>((grid.textColor >> 16) & 0xFF));
    runGlyphs.clear();
    runPositions.clear();
    runLine = -1;
    runNextColumn = -1;
}

void CellPainter::Draw(unsigned char ch, int column, int line) {
    if (painter == nullptr) return;
    if (line != runLine || column != runNextColumn) Flush();
    runLine = line;
    runNextColumn = column + 1;
    runGlyphs.push_back(glyphOf[ch]);
    // In the font's own units along x: the run is drawn squeezed by scaleX.
    runPositions.emplace_back(column * cellWidth / scaleX, line * cellHeight + ascent);
}

void CellPainter::Flush() {
    if (runGlyphs.empty() || painter == nullptr) return;
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(QVector<quint32>(runGlyphs.begin(), runGlyphs.end()));
    run.setPositions(QVector<QPointF>(runPositions.begin(), runPositions.end()));
    painter->save();
    painter->setPen(color);
    painter->scale(scaleX, 1);
    painter->drawGlyphRun(QPointF(0, 0), run);
    painter->restore();
    runGlyphs.clear();
    runPositions.clear();
    runLine = -1;
    runNextColumn = -1;
}

QtPrintDevice::QtPrintDevice() : target(Target::DefaultPrinter) {}

QtPrintDevice::QtPrintDevice(const PrinterChoice& choice)
    : target(Target::Chosen), choice(choice) {}

QtPrintDevice::QtPrintDevice(const QString& pdfPath, const QPageSize& pageSize,
                             QPageLayout::Orientation orientation)
    : target(Target::FixedFile) {
    choice.toFile = true;
    choice.fileName = pdfPath;
    choice.layout = QPageLayout(pageSize, orientation, QMarginsF());
}

QtPrintDevice::~QtPrintDevice() { CancelDocument(); }

bool QtPrintDevice::OpenPrinter() {
    // The default printer is looked up at each job: the desktop may have changed it.
    if (target == Target::DefaultPrinter) choice = DefaultPrinterChoice();
    return choice.toFile || !choice.printerName.isEmpty();
}

bool QtPrintDevice::PrintsToFile() const { return target == Target::Chosen && choice.toFile; }

std::string QtPrintDevice::OutputFile() const {
    return QFile::encodeName(choice.fileName).toStdString();
}

void QtPrintDevice::SetOutputFile(const std::string& path) {
    choice.fileName = QFile::decodeName(QByteArray::fromStdString(path));
}

PrintableArea QtPrintDevice::Area() const {
    const QRect printable = choice.layout.paintRectPixels(kResolution);
    return {printable.width(), printable.height(), kResolution, kResolution};
}

void QtPrintDevice::StartDocument(const std::string& name, const CellGrid& grid) {
    Close();
    documentName = QString::fromStdString(name);
    if (choice.toFile) {
        // The old file stays as it was until the whole new one is written.
        file = std::make_unique<QSaveFile>(choice.fileName);
    } else {
        // Qt answers an empty path for a temporary folder that is not there: the job would
        // then land in the root folder.
        const QString folder = QDir::tempPath();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            failure = QString::fromLocal8Bit(std::strerror(ENOENT));
            return;
        }
        file = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/zentu-job-XXXXXX.pdf"));
    }
    if (!file->open(QIODevice::WriteOnly)) {
        // Nothing is drawn; the job is reported as not made when it ends.
        failure = file->errorString();
        return;
    }
    writer = std::make_unique<QPdfWriter>(file.get());
    writer->setResolution(kResolution);
    writer->setPageLayout(choice.layout);
    writer->setTitle(documentName);
    writer->setCreator(QStringLiteral("Zentu"));
    if (!painter.begin(writer.get())) {
        failure = file->errorString();
        return;
    }
    started = true;
    cells.Begin(&painter, kResolution, grid);
}

void QtPrintDevice::StartPage() {
    if (!started) return;
    // The painter opened the first page when the document began.
    if (pagesStarted > 0) writer->newPage();
    ++pagesStarted;
}

void QtPrintDevice::EndPage() { cells.Flush(); }

JobResult QtPrintDevice::EndDocument() {
    if (!started && failure.isEmpty()) return {JobStatus::Cancelled, {}, 0};
    cells.Flush();
    if (started) painter.end();
    started = false;
    // A full disk shows here at the latest, as the last of the PDF is written out.
    if (failure.isEmpty() && (!file->flush() || file->error() != QFileDevice::NoError)) {
        failure = file->errorString();
    }
    if (!failure.isEmpty()) {
        const std::string reason = Reason(failure);
        Close();
        return {JobStatus::NotMade, reason, 0};
    }
    if (auto* save = dynamic_cast<QSaveFile*>(file.get())) {
        const bool committed = save->commit();
        const std::string reason = Reason(save->errorString());
        Close();
        return committed ? JobResult{} : JobResult{JobStatus::NotMade, reason, 0};
    }
    file->close();
    const JobResult result = Submit(choice, file->fileName(), documentName);
    Close();
    return result;
}

void QtPrintDevice::CancelDocument() {
    if (painter.isActive()) painter.end();
    started = false;
    Close();
}

void QtPrintDevice::Close() {
    // A save file that was not committed leaves the old file alone; a temporary file goes.
    if (auto* save = dynamic_cast<QSaveFile*>(file.get()); save && save->isOpen()) {
        save->cancelWriting();
    }
    writer.reset();
    file.reset();
    failure.clear();
    pagesStarted = 0;
}

void QtPrintDevice::DrawChar(unsigned char ch, int column, int line) {
    if (started) cells.Draw(ch, column, line);
}
