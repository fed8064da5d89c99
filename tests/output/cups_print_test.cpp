// Printing through real CUPS queues: a private cupsd with cups-pdf printers, one of them the
// default, each writing into a folder of its own; the PDFs read back with pdftotext and
// pdfinfo. Skipped, saying why, only where such a cupsd cannot run.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPrintDialog>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <fstream>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"
#include "output/print_commands.h"
#include "output/qt_print_device.h"
#include "output/qt_printer_setup.h"

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
    QStringList confs;

    ~PrivateCups() {
        cupsd.terminate();
        if (!cupsd.waitForFinished(10000)) cupsd.kill();
        for (const QString& conf : confs) QFile::remove(conf);
    }

    // Empty when cupsd runs, else why it cannot.
    QString Start() {
        if (geteuid() != 0) return "needs root: the cups-pdf backend runs as root";
        for (const char* tool : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lpstat"}) {
            if (!QFile::exists(tool)) return QString(tool) + " is not installed";
        }
        const QString d = dir.path(), root = d + "/root";
        for (const char* sub : {"root", "spool/tmp", "cache", "state", "log"}) {
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
        // libcups keeps the server it first read, and its connection: a later test's cupsd
        // has a socket of its own.
        cupsSetServer(qPrintable(d + "/cups.sock"));
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

    // Adds the cups-pdf queue `queue` + `suffix`, writing into out`suffix`; the default one
    // without a suffix. Empty when done, else the error.
    QString AddQueue(const QString& suffix = {}) {
        const QString name = queue + suffix;
        // cups-pdf takes the settings of queue cups-pdf:/NAME from /etc/cups/cups-pdf-NAME.conf.
        confs << "/etc/cups/cups-pdf-" + name + ".conf";
        QDir(dir.path()).mkpath("out" + suffix);
        std::ofstream conf(confs.back().toStdString());
        if (!(conf << qPrintable(QString("Out %1/out%2\nLog %1/log\n").arg(dir.path(), suffix)))) {
            return "cannot write " + confs.back();
        }
        // The Cairo renderer keeps the characters' Unicode, so pdftotext can read them back.
        bool added = false, made = true;
        QString error = Run("/usr/sbin/lpadmin",
                            {"-p", name, "-E", "-v", "cups-pdf:/" + name, "-P",
                             "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd", "-o",
                             "pdftops-renderer-default=pdftocairo"},
                            &added);
        if (suffix.isEmpty()) error += Run("/usr/sbin/lpadmin", {"-d", name}, &made);
        return added && made ? QString() : "lpadmin failed: " + error;
    }

    // The PDF that cups-pdf wrote into out`suffix`, once the scheduler is idle; empty after
    // 90 s.
    QString WaitForPdf(const QString& suffix = {}) {
        const QDir out(dir.filePath("out" + suffix));
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

// Every job the scheduler knows of, finished or not.
int JobsInScheduler() {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs(&jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
}

// Runs `act` on the modal window that `is` picks once it is up.
void WhenModalWhere(std::function<bool(QWidget*)> is, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, is, act] {
        QWidget* window = QApplication::activeModalWidget();
        if (window != nullptr && is(window)) {
            timer->stop();
            timer->deleteLater();
            act(window);
        }
    });
    timer->start();
}

void ClickOk(QWidget* dialog) {
    for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) return ok->click();
    }
    ADD_FAILURE() << "no OK button";
}

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
    const QString failed = cups.AddQueue();
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    QtPrintDevice printer;
    ASSERT_TRUE(printer.OpenPrinter()) << "the new queue is not the default";
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

// Printer Setup through its own dialog: the second queue, A4 landscape, two copies. The job
// goes to that queue alone, on that paper, under the file's name.
TEST(CupsPrint, PrintsOnThePrinterAndPaperChosenInSetup) {
    PrivateCups cups;
    if (const QString why = cups.Start(); !why.isEmpty()) {
        GTEST_SKIP() << "no cupsd to print on: " << why.toStdString();
    }
    for (const QString suffix : {"", "b"}) {
        const QString failed = cups.AddQueue(suffix);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    const QString second = cups.queue + "b";
    QString okText;
    WhenModalWhere(
        [](QWidget* w) { return qobject_cast<QPrintDialog*>(w) != nullptr; },
        [&](QWidget* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            const int index = printers ? printers->findText(second) : -1;
            if (index < 0) {
                ADD_FAILURE() << "the setup dialog does not offer " << qPrintable(second);
                return static_cast<QDialog*>(dialog)->reject();
            }
            printers->setCurrentIndex(index);
            for (auto* box : dialog->findChildren<QDialogButtonBox*>()) {
                if (auto* ok = box->button(QDialogButtonBox::Ok)) okText = ok->text();
            }
            WhenModalWhere([dialog](QWidget* w) { return w != dialog; },
                           [&](QWidget* properties) {
                               auto* paper = properties->findChild<QComboBox*>("pageSizeCombo");
                               if (paper) paper->setCurrentIndex(paper->findText("A4"));
                               for (auto* radio : properties->findChildren<QRadioButton*>()) {
                                   if (radio->text().remove('&') == "Landscape") {
                                       radio->click();
                                   }
                               }
                               ClickOk(properties);
                               ClickOk(dialog);
                           });
            if (auto* properties = dialog->findChild<QPushButton*>("properties")) {
                properties->click();
            } else {
                ClickOk(dialog);
            }
        });
    QtPrinterSetup setup;
    ASSERT_TRUE(setup.Run(nullptr));
    EXPECT_EQ(okText, "OK");
    ASSERT_TRUE(setup.Choice().has_value());
    EXPECT_EQ(setup.Choice()->printerName, second);

    Question_Set set;
    set.Append(Zentu_Data{"Capital of France?", "Paris", "", "", ""});
    FakePlatform desktop;
    Confirm chooser;
    ElementSelection selection;
    selection.Set(Element::Question, true);
    const auto device = setup.MakeDevice();
    EXPECT_EQ(PrintQuestions(set, selection, chooser, *device, desktop, {"Zentu - setup.que"}),
              JobStatus::Done);
    EXPECT_TRUE(desktop.messages.empty());
    const QString pdf = cups.WaitForPdf("b");
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF in time";
    EXPECT_TRUE(QDir(cups.dir.filePath("out")).entryList({"*.pdf"}).isEmpty());
    // cups-pdf names the file after the job.
    EXPECT_TRUE(QFileInfo(pdf).fileName().startsWith("Zentu_-_setup")) << pdf.toStdString();
    const QString info = ::Run("/usr/bin/pdfinfo", {pdf});
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size: +(595[.\\d]* x 84[12]|84[12][.\\d]* x 595)")))
        << info.toStdString();
    // A landscape page goes onto the sheet turned, as on any printer.
    EXPECT_TRUE(
        ::Run("/usr/bin/pdftotext", {pdf, "-"}).contains("Question: 1\nCapital of France?"));
}

// A queue that takes no jobs gives CUPS's reason; a stopped printer keeps the job waiting
// and says so; Cancel in the middle of a long job leaves no job at all in the scheduler.
TEST(CupsPrint, ReportsRefusedAndWaitingJobsAndCancelLeavesNoJob) {
    PrivateCups cups;
    if (const QString why = cups.Start(); !why.isEmpty()) {
        GTEST_SKIP() << "no cupsd to print on: " << why.toStdString();
    }
    ASSERT_TRUE(cups.AddQueue().isEmpty());
    Question_Set small, big;
    small.Append(Zentu_Data{"q", "a", "", "", ""});
    // Seconds of work: long enough for the progress dialog to show.
    for (int i = 0; i < 12000; ++i)
        big.Append(Zentu_Data{"question " + std::to_string(i), "a", "", "", ""});
    const struct {
        const char* name;
        const char* command;  // what is done to the queue first
        bool cancel;
        JobStatus status;
        QString message;
        int jobs;  // in the scheduler afterwards
    } cases[] = {
        {"rejecting", "/usr/sbin/cupsreject", false, JobStatus::Refused,
         "The printer did not take the job.\n\n", 0},
        {"cancelled", "/usr/sbin/cupsaccept", true, JobStatus::Cancelled, "", 0},
        {"stopped", "/usr/sbin/cupsdisable", false, JobStatus::Waiting,
         "The job is waiting: the printer is stopped.", 1},
    };
    for (const auto& c : cases) {
        ::Run(c.command, {cups.queue});
        FakePlatform desktop;
        Confirm chooser;
        ElementSelection selection;
        selection.values.fill(1);
        QtPrintDevice device;
        QtPrintProgress progress(nullptr);
        bool sawProgress = false;
        if (c.cancel) {
            WhenModalWhere([](QWidget* w) { return qobject_cast<QProgressDialog*>(w) != nullptr; },
                           [&](QWidget* dialog) {
                               sawProgress = true;
                               static_cast<QProgressDialog*>(dialog)->cancel();
                           });
        }
        const JobStatus status = PrintQuestions(c.cancel ? big : small, selection, chooser, device,
                                                desktop, {"Zentu - jobs.que", &progress});
        EXPECT_EQ(status, c.status) << c.name;
        EXPECT_EQ(sawProgress, c.cancel) << c.name;
        const std::string text = desktop.messages.empty() ? "" : desktop.messages[0].text;
        EXPECT_EQ(QString::fromStdString(text).left(c.message.size()), c.message) << c.name;
        if (c.status == JobStatus::Refused) {  // CUPS's own words follow ours
            EXPECT_GT(text.size(), std::size_t(c.message.size())) << text;
        }
        EXPECT_EQ(JobsInScheduler(), c.jobs) << c.name;
    }
    EXPECT_TRUE(QDir(cups.dir.filePath("out")).entryList({"*.pdf"}).isEmpty());
}

}  // namespace
