// Printing through a real CUPS queue: a private cupsd whose one queue, a cups-pdf printer,
// is the default; the PDF read back with pdftotext. Skipped, saying why, only where such a
// cupsd cannot run.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <fstream>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"
#include "framework/qt_print_device.h"
#include "output/print_commands.h"

namespace {

QString Run(const QString& program, const QStringList& args, bool* ok = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
    if (ok != nullptr) *ok = done && process.exitStatus() == QProcess::NormalExit;
    return QString::fromUtf8(process.readAll());
}

// A cupsd of our own on a socket of its own: the machine's printers and default stay as
// they are, and the test waits for no one else's jobs.
struct PrivateCups {
    QTemporaryDir dir;
    QProcess cupsd;
    const QString queue = QString("ZentuTest%1").arg(getpid());
    // cups-pdf takes the settings of queue cups-pdf:/NAME from /etc/cups/cups-pdf-NAME.conf.
    const QString cupsPdfConf = "/etc/cups/cups-pdf-" + queue + ".conf";

    ~PrivateCups() {
        cupsd.terminate();
        if (!cupsd.waitForFinished(10000)) cupsd.kill();
        QFile::remove(cupsPdfConf);
    }

    // Empty when cupsd runs, else why it cannot.
    QString Start() {
        if (geteuid() != 0) return "needs root: the cups-pdf backend runs as root";
        for (const char* tool : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lpstat"}) {
            if (!QFile::exists(tool)) return QString(tool) + " is not installed";
        }
        const QString d = dir.path(), root = d + "/root";
        for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "out"}) {
            QDir(d).mkpath(sub);
        }
        // The filters run as lp.
        QFile::setPermissions(d, QFile::permissions(d) | QFile::ExeOther | QFile::ReadOther);
        std::ofstream(qPrintable(root + "/cups-files.conf"))
            << qPrintable(QString("ServerRoot %1/root\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                  "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error\n"
                                  "AccessLog %1/log/access\nPageLog %1/log/page\n"
                                  "Printcap %1/printcap\nSandboxing Relaxed\n")
                              .arg(d));
        std::ofstream(qPrintable(root + "/cupsd.conf"))
            << qPrintable("Listen " + d + "/cups.sock\nBrowsing No\nWebInterface No\n") +
                   std::string("<Location />\nOrder allow,deny\nAllow all\n</Location>\n");
        // The client side asks only this cupsd.
        setenv("CUPS_SERVER", qPrintable(d + "/cups.sock"), 1);
        setenv("CUPS_SERVERROOT", qPrintable(root), 1);
        unsetenv("LPDEST");
        unsetenv("PRINTER");
        cupsd.setProcessChannelMode(QProcess::MergedChannels);
        cupsd.start("/usr/sbin/cupsd",
                    {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        QElapsedTimer timer;
        for (timer.start(); !Run("/usr/bin/lpstat", {"-r"}).contains("scheduler is running");) {
            if (cupsd.state() == QProcess::NotRunning || timer.elapsed() > 20000) {
                return "cupsd did not start: " + QString::fromUtf8(cupsd.readAll()) +
                       Run("/usr/bin/tail", {"-n5", d + "/log/error"});
            }
            QThread::msleep(100);
        }
        return {};
    }

    // Adds the cups-pdf queue as the default; empty when done, else the error.
    QString AddDefaultQueue() {
        std::ofstream conf(cupsPdfConf.toStdString());
        if (!(conf << qPrintable(QString("Out %1/out\nLog %1/log\n").arg(dir.path())))) {
            return "cannot write " + cupsPdfConf;
        }
        // The Cairo renderer keeps the characters' Unicode, so pdftotext can read them back.
        bool added = false, made = false;
        QString error = Run("/usr/sbin/lpadmin",
                            {"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P",
                             "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd", "-o",
                             "pdftops-renderer-default=pdftocairo"},
                            &added);
        error += Run("/usr/sbin/lpadmin", {"-d", queue}, &made);
        return added && made ? QString() : "lpadmin failed: " + error;
    }

    // The PDF that cups-pdf wrote, once the queue is idle; empty after 90 s.
    QString WaitForPdf() {
        const QDir out(dir.filePath("out"));
        QElapsedTimer timer;
        for (timer.start(); timer.elapsed() < 90000; QThread::msleep(200)) {
            const QStringList found = out.entryList({"*.pdf"}, QDir::Files);
            if (!found.isEmpty() && Run("/usr/bin/lpstat", {"-o"}).trimmed().isEmpty()) {
                return out.filePath(found.first());
            }
        }
        return {};
    }
};

struct Confirm : ElementChooser {  // the element dialog's OK, the selection as it stands
    bool ChooseElements(ElementSelection&) override { return true; }
};

// The PDF's pages laid out as the recording device lays out the grid: each word in the cell
// of its offset from the first word of page 1, in 1/17 and 1/6 inch; "~" marks a word that
// is more than a point off its cell.
std::vector<std::vector<std::string>> PdfPages(const QString& pdf) {
    static const QRegularExpression item(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)<)re");
    RecordingPrintDevice pages;
    std::optional<QPointF> origin;
    const QString xml = Run("/usr/bin/pdftotext", {"-bbox", pdf, "-"});
    for (auto it = item.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).isEmpty()) {
            pages.StartPage();
            continue;
        }
        const QPointF at(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF offset = at - origin.value_or(at);
        const double column = offset.x() / 72 * kPrintCharsPerInch;
        const double line = offset.y() / 72 * kPrintLinesPerInch;
        const bool off = std::abs(std::round(column) * 72 / kPrintCharsPerInch - offset.x()) > 1 ||
                         std::abs(std::round(line) * 72 / kPrintLinesPerInch - offset.y()) > 1;
        int cell = std::lround(column);
        for (char ch : m.captured(3).toLatin1() + (off ? "~" : "")) {
            pages.DrawChar(ch, cell++, std::lround(line));
        }
        origin = origin.value_or(at);
    }
    return pages.pages;
}

TEST(CupsPrint, PrintsTheListingWhereTheGridPutsIt) {
    PrivateCups cups;
    if (const QString why = cups.Start(); !why.isEmpty()) {
        GTEST_SKIP() << "no cupsd to print on: " << why.toStdString();
    }
    const QString failed = cups.AddDefaultQueue();
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    QtPrintDevice printer;
    ASSERT_TRUE(printer.OpenDefaultPrinter()) << "the new queue is not the default";
    RecordingPrintDevice grid;  // the listing as the core lays it out on the printer's grid
    grid.area = printer.Area();
    const int columns = grid.area.width / grid.area.pixelsPerInchX * kPrintCharsPerInch;
    Question_Set set;  // columns, an accented word, a wrapped line, then a second page
    set.Append(Zentu_Data{"Capital of France?", "Paris", "", "", ""});
    set.Append(Zentu_Data{"        eight", "Gr\xfc\xdf \xe9t\xe9", "", "", ""});
    set.Append(Zentu_Data{std::string(columns, 'W') + "tail", "wrapped", "", "", ""});
    while (set.Count() < 40) set.Append(Zentu_Data{"filler", "f", "", "", ""});
    FakePlatform desktop;
    Confirm chooser;
    ElementSelection selection;
    selection.Set(Element::Question, true);
    selection.Set(Element::Answer, true);
    PrintQuestions(set, selection, chooser, grid, desktop);
    ASSERT_EQ(grid.pages.size(), 2u);
    ASSERT_EQ(grid.pages[0].at(5), "Gr\xfc\xdf \xe9t\xe9");

    PrintQuestions(set, selection, chooser, printer, desktop);
    EXPECT_TRUE(desktop.messages.empty());
    const QString pdf = cups.WaitForPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF in time";
    EXPECT_EQ(PdfPages(pdf), grid.pages);
}

}  // namespace
