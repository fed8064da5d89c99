#include "output/qt_print_device.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes/fake_platform.h"
#include "output/print_commands.h"
#include "output/qt_printer_setup.h"

namespace {

// A job that cannot be made is reported, never silent, and leaves an old PDF as it was:
// no folder for the temporary job, a target folder that is not there, a full disk.
TEST(QtPrintDevice, AJobThatCannotBeMadeIsReportedAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString old = dir.filePath("old.pdf");
    Question_Set set;
    for (int i = 0; i < 300; ++i) set.Append(Zentu_Data{"question", "answer", "", "", ""});
    const struct {
        const char* name;
        QString file;  // a PDF target, else a printer
        const char* tmpdir;
        rlim_t fileSizeLimit;
    } cases[] = {
        {"no temporary folder", {}, "/nonexistent/tmp", RLIM_INFINITY},
        {"no target folder", "/nonexistent/out.pdf", nullptr, RLIM_INFINITY},
        {"full disk", old, nullptr, 2000},
    };
    for (const auto& c : cases) {
        QFile(old).remove();
        QFile keep(old);
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write("old") == 3);
        keep.close();
        PrinterChoice choice;
        choice.printerName = "NoSuchQueue";
        choice.toFile = !c.file.isEmpty();
        choice.layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
        QtPrintDevice device(choice);
        FakePlatform platform;
        if (choice.toFile) platform.saveAnswers = {FakePlatform::FileChoice{c.file.toStdString()}};
        const QByteArray savedTmp = qgetenv("TMPDIR");
        if (c.tmpdir) qputenv("TMPDIR", c.tmpdir);
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const auto handler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited{std::min(c.fileSizeLimit, saved.rlim_max), saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
        const JobStatus status =
            PrintListing(set, ElementSelection{}, device, platform, {"Zentu - t"});
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, handler);
        qputenv("TMPDIR", savedTmp);
        EXPECT_EQ(status, JobStatus::NotMade) << c.name;
        ASSERT_EQ(platform.messages.size(), 1u) << c.name;
        EXPECT_EQ(platform.messages[0].text.rfind("The print job could not be made.\n\n", 0), 0u)
            << platform.messages[0].text;
        QFile after(old);
        EXPECT_TRUE(after.open(QIODevice::ReadOnly) && after.readAll() == "old") << c.name;
    }
}

// A PDF file chosen in setup: each Print asks for the name, offering the last one, and
// writes the file on the chosen paper under the job's title.
TEST(QtPrintDevice, APdfFileChosenInSetupIsNamedAtEachPrint) {
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("offered.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A5));
    QtPrinterSetup setup;
    setup.Adopt(printer);
    const auto device = setup.MakeDevice();
    FakePlatform platform;
    const std::string chosen = dir.filePath("chosen.pdf").toStdString();
    platform.saveAnswers = {FakePlatform::FileChoice{chosen}};
    Question_Set set;
    set.Append(Zentu_Data{"question", "answer", "", "", ""});
    EXPECT_EQ(PrintListing(set, ElementSelection{}, *device, platform, {"Zentu - t.que"}),
              JobStatus::Done);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].fileName, dir.filePath("offered.pdf").toStdString());
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(chosen)});
    info.waitForFinished(30000);
    const QString text = QString::fromUtf8(info.readAll());
    EXPECT_TRUE(text.contains("Zentu - t.que") && text.contains("(A5)")) << text.toStdString();
}

// The progress dialog goes with the last page: it never turns up later, over the job's
// report, by a timer of its own.
TEST(QtPrintProgress, IsGoneOnceTheLastPageIsDrawn) {
    QtPrintProgress progress(nullptr);
    EXPECT_TRUE(progress.PageDone(0, 1));
    EXPECT_TRUE(progress.PageDone(1, 1));
    QTest::qWait(800);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(qobject_cast<QProgressDialog*>(window) && window->isVisible());
    }
}

}  // namespace
