#include "output/print_preview_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes/fake_platform.h"
#include "output/qt_print_device.h"

namespace {

// The text of each page of a PDF, its runs of white space made one space.
QStringList PageTexts(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {pdf, "-"});
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
    for (QString& page : pages) page = page.simplified();
    return pages;
}

Question_Set Listing() {
    Question_Set set;  // wrapped lines, line breaks, tabs and blank lines across page ends
    for (int i = 0; i < 160; ++i) {
        set.Append(Zentu_Data{"Question text " + std::to_string(i) + std::string(i % 7 * 30, 'x'),
                              "one\r\ntwo\tthree", i % 5 ? "" : "hint", "", ""});
    }
    return set;
}

// The preview's pages, painted as the window paints them, hold the text of the printed
// pages, page for page, on each paper.
TEST(PrintPreviewWindow, ShowsThePagesThatArePrinted) {
    const Question_Set set = Listing();
    ElementSelection selection;
    selection.values.fill(1);
    QTemporaryDir dir;
    const struct {
        QPageSize paper;
        QPageLayout::Orientation orientation;
    } cases[] = {{QPageSize(QPageSize::Letter), QPageLayout::Portrait},
                 {QPageSize(QPageSize::A4), QPageLayout::Landscape}};
    for (const auto& c : cases) {
        const QString printed = dir.filePath("printed.pdf"), shown = dir.filePath("shown.pdf");
        QtPrintDevice device(printed, c.paper, c.orientation);
        FakePlatform platform;
        ASSERT_EQ(PrintListing(set, selection, device, platform, {"Zentu - t"}), JobStatus::Done);
        ASSERT_TRUE(device.OpenPrinter());
        ListingPages pages(set, selection, device.Area());
        PrintPreviewWindow window(pages, device.Layout(), nullptr);
        {
            QPdfWriter writer(shown);
            writer.setPageLayout(QPageLayout(c.paper, c.orientation, QMarginsF()));
            writer.setResolution(300);
            QPainter painter(&writer);
            for (int page = 0; page < pages.Count(); ++page) {
                if (page > 0) writer.newPage();
                window.PaintPage(page, painter, writer.resolution());
            }
        }
        const QStringList expected = PageTexts(printed), actual = PageTexts(shown);
        EXPECT_GT(pages.Count(), 3);
        ASSERT_EQ(actual.size(), expected.size());
        for (int page = 0; page < actual.size(); ++page) {
            EXPECT_EQ(actual[page], expected[page]) << "page " << page + 1;
        }
        EXPECT_TRUE(expected[1].contains("Question: ")) << "nothing read from the printed PDF";
    }
}

// Paging by keys and buttons, never past either end; the label and the page box follow.
TEST(PrintPreviewWindow, TurnsPagesByKeyAndButton) {
    const Question_Set set = Listing();
    ElementSelection selection;
    ListingPages pages(set, selection, {850, 100, 100, 100});  // 160 lines, 6 a page
    const QPageLayout paper(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF());
    PrintPreviewWindow window(pages, paper, nullptr);
    window.show();
    QApplication::setActiveWindow(&window);
    QPushButton *previous = nullptr, *next = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == "P&revious Page") previous = button;
        if (button->text() == "&Next Page") next = button;
    }
    ASSERT_TRUE(previous && next);
    const struct {
        std::function<void()> act;
        int page;
    } steps[] = {
        {[&] { QTest::keyClick(&window, Qt::Key_PageDown); }, 1},
        {[&] { next->click(); }, 2},
        {[&] { QTest::keyClick(&window, Qt::Key_PageUp); }, 1},
        {[&] { window.ShowPage(99); }, 26},
        {[&] { QTest::keyClick(&window, Qt::Key_PageDown); }, 26},
        {[&] { previous->click(); }, 25},
        {[&] { window.ShowPage(-3); }, 0},
    };
    ASSERT_EQ(pages.Count(), 27);
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(window.CurrentPage(), step.page);
        EXPECT_EQ(window.findChild<QSpinBox*>()->value(), step.page + 1);
        EXPECT_EQ(previous->isEnabled(), step.page > 0);
        EXPECT_EQ(next->isEnabled(), step.page < 26);
    }
    EXPECT_TRUE(window.findChildren<QLabel*>().back()->text() == "Page 1 of 27");
    const double whole = window.Zoom();
    QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(window.Zoom(), whole * 1.25);
    EXPECT_GT(window.PageImage().width(), 8.5 * whole);
}

}  // namespace
