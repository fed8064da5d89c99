#include "output/print_preview_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "output/qt_print_device.h"
#include "res/string_table.h"

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 10;           // pixels per inch: a page the size of a stamp
constexpr double kMaxZoom = 800;          // a few letters fill the window
constexpr int kPaperGap = 12;             // grey around the paper, in pixels
constexpr std::size_t kCountSlice = 500;  // questions counted between two looks at the user

QString Text(int id) { return QString::fromLatin1(LoadString(id).c_str()); }

// A page of the listing drawn by the printer's own cell painter onto any painter.
class PagePainterDevice : public PrintDevice {
  public:
    PagePainterDevice(const PrintableArea& area, QPainter& painter)
        : area(area), painter(painter) {}
    bool OpenPrinter() override { return true; }
    PrintableArea Area() const override { return area; }
    void StartDocument(const std::string&, const CellGrid& grid) override {
        cells.Begin(&painter, area.pixelsPerInchX, grid);
    }
    void StartPage() override {}
    void EndPage() override { cells.Flush(); }
    JobResult EndDocument() override { return cells.Flush(), JobResult{}; }
    void DrawChar(unsigned char ch, int column, int line) override { cells.Draw(ch, column, line); }

  private:
    PrintableArea area;
    QPainter& painter;
    CellPainter cells;
};

}  // namespace

class PrintPreviewWindow::PageView : public QWidget {
  public:
    explicit PageView(PrintPreviewWindow& window) : window(window) {
        setBackgroundRole(QPalette::Dark);
        setAutoFillBackground(true);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        // Straight onto the screen, only the part that needs it: no page image is kept.
        QPainter painter(this);
        const double pixelsPerInch = window.Zoom();
        const QRectF paper(
            QPointF((width() - window.PaperSize(pixelsPerInch).width()) / 2, kPaperGap),
            window.PaperSize(pixelsPerInch));
        painter.fillRect(paper.translated(3, 3), palette().shadow());
        painter.setClipRect(paper.intersected(QRectF(event->rect())));
        painter.translate(paper.topLeft());
        window.PaintPage(window.current, painter, pixelsPerInch);
    }

  private:
    PrintPreviewWindow& window;
};

PrintPreviewWindow::PrintPreviewWindow(ListingPages& pages, const QPageLayout& layout,
                                       QWidget* owner)
    : QDialog(owner), pages(pages), layout(layout) {
    setWindowTitle(Text(kStrPreviewTitle));
    auto* print = new QPushButton(Text(kStrPreviewPrint));
    auto* zoomIn = new QPushButton(Text(kStrPreviewZoomIn));
    auto* zoomOut = new QPushButton(Text(kStrPreviewZoomOut));
    auto* whole = new QPushButton(Text(kStrPreviewWholePage));
    previous = new QPushButton(Text(kStrPreviewPrevious));
    next = new QPushButton(Text(kStrPreviewNext));
    auto* close = new QPushButton(Text(kStrPreviewClose));
    pageBox = new QSpinBox;
    pageBox->setRange(1, 1);
    pageBox->setAccessibleName(Text(kStrPreviewPage));
    pageBox->setKeyboardTracking(false);
    pageLabel = new QLabel;
    // No default button: Enter in the page box goes to the page, it does not print.
    for (QPushButton* button : {print, zoomIn, zoomOut, whole, previous, next, close}) {
        button->setAutoDefault(false);
    }

    auto* bar = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{print, zoomIn, zoomOut, whole, previous,
                                                           pageBox, next, pageLabel}) {
        bar->addWidget(widget);
    }
    bar->addStretch();
    bar->addWidget(close);

    view = new PageView(*this);
    scroll = new QScrollArea;
    scroll->setWidget(view);
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setFocusPolicy(Qt::StrongFocus);
    auto* column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(scroll, 1);
    scroll->viewport()->installEventFilter(this);

    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(zoomIn, &QPushButton::clicked, this, [this] { SetZoom(Zoom() * kZoomStep); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { SetZoom(Zoom() / kZoomStep); });
    connect(whole, &QPushButton::clicked, this, [this] { SetZoom(0); });
    connect(previous, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { Step(1); });
    connect(pageBox, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int page) { ShowPage(page - 1); });
    // The keys of other viewers: Page Up and Down turn the pages, Ctrl + and - zoom.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_PageUp), [this] { Step(-1); }},
        {QKeySequence(Qt::Key_PageDown), [this] { Step(1); }},
        {QKeySequence::ZoomIn, [this] { SetZoom(Zoom() * kZoomStep); }},
        {QKeySequence::ZoomOut, [this] { SetZoom(Zoom() / kZoomStep); }},
        {QKeySequence::Print, [this] { accept(); }},
    };
    for (const auto& [key, act] : keys) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, act);
    }

    // Tall enough for a whole page that can be read, within the screen at any scale.
    QSize size(760, 900);
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    }
    resize(size);
    ShowPage(0);
    // The rest of the pages are counted while the window waits for the user, a slice at a
    // time, so the first page shows at once however long the listing.
    auto* counter = new QTimer(this);
    connect(counter, &QTimer::timeout, this, [this, counter] {
        if (this->pages.IndexMore(kCountSlice)) counter->stop();
        UpdatePageCount();
    });
    counter->start(0);
}

void PrintPreviewWindow::UpdatePageCount() {
    const QSignalBlocker quiet(pageBox);
    pageBox->setMaximum(std::max(1, pages.Known()));
    pageBox->setValue(current + 1);
    // Until the count is done, the pages known so far and a plus.
    const QString count =
        QString::number(pages.Known()) + (pages.Complete() ? QString() : QStringLiteral("+"));
    pageLabel->setText(Text(kStrPreviewPageOf).arg(current + 1).arg(count));
    view->setAccessibleName(pageLabel->text());
    previous->setEnabled(current > 0);
    next->setEnabled(pages.Reach(current + 1));
}

void PrintPreviewWindow::ShowPage(int page) {
    page = std::max(0, page);
    // A page past the end shows the last one.
    current = pages.Reach(page) ? page : pages.Known() - 1;
    UpdatePageCount();
    Render();
}

void PrintPreviewWindow::Step(int by) { ShowPage(current + by); }

double PrintPreviewWindow::Zoom() const {
    if (zoom > 0) return zoom;
    const QSizeF paper = layout.fullRect(QPageLayout::Inch).size();
    const QSize room = scroll->viewport()->size() - QSize(2 * kPaperGap, 2 * kPaperGap);
    if (paper.isEmpty() || room.isEmpty()) return kMinZoom;
    return std::max(kMinZoom,
                    std::min(room.width() / paper.width(), room.height() / paper.height()));
}

void PrintPreviewWindow::SetZoom(double pixelsPerInch) {
    zoom = pixelsPerInch <= 0 ? 0 : std::clamp(pixelsPerInch, kMinZoom, kMaxZoom);
    Render();
}

bool PrintPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    // The whole page follows the room the window gives it.
    if (watched == scroll->viewport() && event->type() == QEvent::Resize && zoom == 0) Render();
    return QDialog::eventFilter(watched, event);
}

void PrintPreviewWindow::PaintPage(int page, QPainter& painter, double pixelsPerInch) {
    const int resolution = std::max(1, pages.Area().pixelsPerInchX);
    const double scale = pixelsPerInch / resolution;
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), PaperSize(pixelsPerInch)), Qt::white);
    if (pages.Reach(page)) {
        // The printable area's corner as the job's device counts it.
        painter.scale(scale, scale);
        painter.translate(layout.paintRectPixels(resolution).topLeft());
        PagePainterDevice device(pages.Area(), painter);
        pages.DrawPage(page, device);
    }
    painter.restore();
}

QSizeF PrintPreviewWindow::PaperSize(double pixelsPerInch) const {
    return layout.fullRect(QPageLayout::Inch).size() * pixelsPerInch;
}

QImage PrintPreviewWindow::PageImage() {
    const double pixelsPerInch = Zoom();
    const qreal ratio = devicePixelRatioF();
    QImage image((PaperSize(pixelsPerInch) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    PaintPage(current, painter, pixelsPerInch);
    return image;
}

void PrintPreviewWindow::Render() {
    // The whole page waits for the room the window gets when it shows.
    if (zoom == 0 && !scroll->viewport()->isVisible()) return;
    const QSize room = PaperSize(Zoom()).toSize() + QSize(2 * kPaperGap, 2 * kPaperGap);
    view->resize(room.expandedTo(scroll->viewport()->size()));
    view->update();
}

bool DialogListingPreview::ShowPages(ListingPages& pages) {
    PrintPreviewWindow window(pages, paper(), owner);
    return window.exec() == QDialog::Accepted;
}
