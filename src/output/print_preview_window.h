// Print Preview: the pages Print would make, each drawn only when it is shown, from the
// page index of a dry run and the printer's own cell drawing, with zoom, paging and Print.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPageLayout>
#include <functional>

#include "output/listing_pages.h"
#include "output/print_commands.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

class PrintPreviewWindow : public QDialog {
    Q_OBJECT
  public:
    // `layout` is the paper of the job: its size, orientation and margins.
    PrintPreviewWindow(ListingPages& pages, const QPageLayout& layout, QWidget* owner);

    // Accepted means Print.
    int CurrentPage() const { return current; }
    void ShowPage(int page);
    // Screen pixels per inch of paper; 0 fits the whole page into the window.
    void SetZoom(double pixelsPerInch);
    double Zoom() const;
    // Paints page `page` (from 0) on a painter whose unit is one pixel at `pixelsPerInch`,
    // with the paper's top-left corner at the origin: what the screen and a test see.
    void PaintPage(int page, QPainter& painter, double pixelsPerInch);
    // The page as the window shows it now, rendered anew.
    QImage PageImage();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class PageView;
    // Sizes the page's room for the zoom and has it painted again.
    void Render();
    QSizeF PaperSize(double pixelsPerInch) const;
    void Step(int by);

    void UpdatePageCount();

    ListingPages& pages;
    QPageLayout layout;
    int current = 0;
    double zoom = 0;  // 0: the whole page
    PageView* view = nullptr;
    QScrollArea* scroll = nullptr;
    QSpinBox* pageBox = nullptr;
    QLabel* pageLabel = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;
};

// The preview as the Print Preview command shows it, over `owner`, on the paper the
// device of the job reports.
class DialogListingPreview : public ListingPreview {
  public:
    DialogListingPreview(QWidget* owner, std::function<QPageLayout()> paper)
        : owner(owner), paper(std::move(paper)) {}
    bool ShowPages(ListingPages& pages) override;

  private:
    QWidget* owner;
    std::function<QPageLayout()> paper;
};
