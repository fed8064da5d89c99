// Printing through a real CUPS queue: a private cupsd whose one queue, a cups-pdf printer,
// is the default; the Print command on it; the PDF read back with pdftotext. Skipped,
// saying why, only where such a cupsd cannot run.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"
#include "framework/qt_print_device.h"
#include "output/print_commands.h"

namespace {

QString RunTool(const QString& program, const QStringList& args, bool* ok = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
    if (ok != nullptr) *ok = done && process.exitStatus() == QProcess::NormalExit;
    return QString::fromUtf8(process.readAll());
}

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

// A cupsd of our own on a socket of its own: the machine's printers and default stay as
// they are, and the test waits for no one else's jobs.
class PrivateCups {
  public:
    ~PrivateCups() {
        cupsd.terminate();
        if (!cupsd.waitForFinished(10000)) cupsd.kill();
        if (!cupsPdfConf.isEmpty()) QFile::remove(cupsPdfConf);
    }

    // Empty when cupsd runs, else why it cannot.
    QString Start() {
        if (geteuid() != 0) return "needs root: the cups-pdf backend runs as root";
        for (const char* tool : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lpstat"}) {
            if (!QFile::exists(tool)) return QString(tool) + " is not installed";
        }
        for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "out"}) {
            QDir(dir.path()).mkpath(sub);
        }
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther |
                                              QFile::ReadOther);  // the filters run as lp
        const QString d = dir.path(), root = d + "/root";
        WriteText(root + "/cups-files.conf",
                  QString("ServerRoot %1/root\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                          "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                          "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                          "Printcap %1/printcap\nSandboxing Relaxed\n")
                      .arg(d));
        WriteText(root + "/cupsd.conf",
                  "Listen " + d +
                      "/cups.sock\nBrowsing No\nWebInterface No\n"
                      "<Location />\nOrder allow,deny\nAllow all\n</Location>\n");
        // The client side asks only this cupsd, with no saved default in the way.
        setenv("CUPS_SERVER", qPrintable(d + "/cups.sock"), 1);
        setenv("CUPS_SERVERROOT", qPrintable(root), 1);
        setenv("HOME", qPrintable(d), 1);
        unsetenv("LPDEST");
        unsetenv("PRINTER");
        cupsd.setProcessChannelMode(QProcess::MergedChannels);
        cupsd.start("/usr/sbin/cupsd",
                    {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        QElapsedTimer timer;
        timer.start();
        while (!RunTool("/usr/bin/lpstat", {"-r"}).contains("scheduler is running")) {
            if (cupsd.state() == QProcess::NotRunning || timer.elapsed() > 20000) {
                return "cupsd did not start: " + QString::fromUtf8(cupsd.readAll()) +
                       RunTool("/usr/bin/tail", {"-n5", d + "/log/error_log"});
            }
            QThread::msleep(100);
        }
        return {};
    }

    // Adds the cups-pdf queue as the default; empty when done, else the error.
    QString AddDefaultQueue() {
        // cups-pdf takes the settings of queue cups-pdf:/NAME from /etc/cups/cups-pdf-NAME.conf.
        const QString queue = QString("ZentuTest%1").arg(getpid());
        cupsPdfConf = "/etc/cups/cups-pdf-" + queue + ".conf";
        if (!WriteText(cupsPdfConf, QString("Out %1/out\nLog %1/log\n").arg(dir.path()))) {
            return "cannot write " + cupsPdfConf;
        }
        // The queue makes PostScript for cups-pdf; the Cairo renderer keeps the characters'
        // Unicode, so pdftotext can read the text back.
        bool added = false, made = false;
        const QString error = RunTool("/usr/sbin/lpadmin",
                                      {"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P",
                                       "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd", "-o",
                                       "pdftops-renderer-default=pdftocairo"},
                                      &added);
        RunTool("/usr/sbin/lpadmin", {"-d", queue}, &made);
        return added && made ? QString() : "lpadmin failed: " + error;
    }

    // The PDF that cups-pdf wrote, once the queue is idle; empty after 90 s.
    QString WaitForPdf() {
        const QDir out(dir.filePath("out"));
        QElapsedTimer timer;
        for (timer.start(); timer.elapsed() < 90000; QThread::msleep(200)) {
            const QStringList found = out.entryList({"*.pdf"}, QDir::Files);
            if (!found.isEmpty() && RunTool("/usr/bin/lpstat", {"-o"}).trimmed().isEmpty()) {
                return out.filePath(found.first());
            }
        }
        return {};
    }

  private:
    QTemporaryDir dir;
    QProcess cupsd;
    QString cupsPdfConf;
};

struct QuestionAndAnswer : ElementChooser {
    bool ChooseElements(ElementSelection& selection) override {
        selection.Set(Element::Question, true);
        selection.Set(Element::Answer, true);
        return true;
    }
};

// Each word of a page and the top-left corner of its box, in points.
std::map<QString, QPointF> WordsOfPage(const QString& pdf, int page) {
    const QString n = QString::number(page);
    const QString html = RunTool("/usr/bin/pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)<)re");
    std::map<QString, QPointF> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.emplace(m.captured(3), QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    }
    return words;
}

// The lines that hold text, spaces squeezed: -layout keeps the lines, not every space.
QStringList Squeezed(QStringList lines) {
    for (QString& line : lines) line = line.simplified();
    lines.removeAll("");
    return lines;
}

TEST(CupsPrint, PrintsTheListingWhereTheGridPutsIt) {
    PrivateCups cups;
    if (const QString why = cups.Start(); !why.isEmpty()) {
        GTEST_SKIP() << "no cupsd to print on: " << why.toStdString();
    }
    const QString failed = cups.AddDefaultQueue();
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    // The listing as the core lays it out on the printer's grid.
    RecordingPrintDevice grid;
    {
        QtPrintDevice probe;
        ASSERT_TRUE(probe.OpenDefaultPrinter()) << "the new queue is not the default";
        grid.area = probe.Area();
    }
    const int columns = grid.area.width / grid.area.pixelsPerInchX * kPrintCharsPerInch;
    Question_Set set;
    for (const auto& [question, answer] : std::vector<std::pair<std::string, std::string>>{
             {"Capital of France?", "Paris"},
             {"        eight",
              "Gr\xfc\xdf"
              "e \xe9t\xe9"},
             {std::string(columns, 'W') + "tail", "wrapped"}}) {
        set.Append(Zentu_Data{question, answer, "", "", ""});
    }
    while (set.Count() < 40) set.Append(Zentu_Data{"filler", "f", "", "", ""});  // onto page 2
    FakePlatform desktop;
    QuestionAndAnswer chooser;
    ElementSelection selection;
    PrintQuestions(set, selection, chooser, grid, desktop);
    ASSERT_EQ(grid.pages.size(), 2u);

    QtPrintDevice printer;
    PrintQuestions(set, selection, chooser, printer, desktop);
    EXPECT_TRUE(desktop.messages.empty());
    const QString pdf = cups.WaitForPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF in time";

    // Every page holds the lines the grid gives it, wrapped line and accents included.
    const QStringList pages = RunTool("/usr/bin/pdftotext", {"-layout", pdf, "-"}).split('\f');
    ASSERT_GE(pages.size(), 2);
    for (int page = 0; page < 2; ++page) {
        QStringList expected;
        for (const std::string& line : grid.pages[page]) expected.append(QString::fromLatin1(line));
        EXPECT_EQ(Squeezed(pages[page].split('\n')), Squeezed(expected)) << "page " << page + 1;
    }
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Grüße été")));

    // A word in cell (column, line) starts column/17 inch right of and line/6 inch below
    // the first word of its page, give or take a point; page 2 starts at the same corner.
    const auto first = WordsOfPage(pdf, 1), second = WordsOfPage(pdf, 2);
    const QPointF origin = first.at("Question:");
    const struct {
        const char* word;
        int column, line;
    } places[] = {{"Paris", 0, 2}, {"eight", 8, 4}, {"été", 6, 5}, {"tail", 0, 8}};
    for (const auto& place : places) {
        const QPointF at = first.at(QString::fromUtf8(place.word)) - origin;
        EXPECT_NEAR(at.x(), place.column * 72.0 / kPrintCharsPerInch, 1.0) << place.word;
        EXPECT_NEAR(at.y(), place.line * 72.0 / kPrintLinesPerInch, 1.0) << place.word;
    }
    const QString top = QString::fromLatin1(grid.pages[1].front()).section(' ', 0, 0);
    ASSERT_EQ(second.count(top), 1u) << top.toStdString();
    EXPECT_LT((second.at(top) - origin).manhattanLength(), 1.0);
}

}  // namespace
