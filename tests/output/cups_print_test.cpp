// Printing through a real CUPS queue: a private cupsd with a cups-pdf queue as its
// default printer, the Print command on it, and the PDF it makes read back with
// pdftotext. Skipped, saying why, only where such a cupsd cannot run.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <memory>

#include "fakes/fake_platform.h"
#include "fakes/recording_print_device.h"
#include "framework/qt_print_device.h"
#include "output/print_commands.h"

namespace {

constexpr int kWaitMs = 90000;  // filters and ghostscript on a slow, busy machine

// Runs a program to its end; its output, or empty with `ok` false.
QString RunTool(const QString& program, const QStringList& args, bool* ok = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool done = process.waitForFinished(30000) &&
                      process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok != nullptr) *ok = done;
    return QString::fromUtf8(process.readAll());
}

void WriteText(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

// A cupsd of our own on a socket of its own, so the machine's printers and its default
// are never touched; its one queue, a cups-pdf printer, is the default.
class PrivateCups {
  public:
    ~PrivateCups() {
        if (cupsd.state() != QProcess::NotRunning) {
            cupsd.terminate();
            if (!cupsd.waitForFinished(10000)) cupsd.kill();
            cupsd.waitForFinished(5000);
        }
        if (!cupsPdfConf.isEmpty()) QFile::remove(cupsPdfConf);
    }

    // Starts the private cupsd; empty when it runs, else why it cannot.
    QString Start() {
        if (!dir.isValid()) return "no temporary directory";
        if (geteuid() != 0) {
            return "needs root: the cups-pdf backend runs as root and reads its settings "
                   "from /etc/cups";
        }
        for (const char* needed : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lpstat",
                                   "/usr/lib/cups/backend/cups-pdf", "/usr/bin/pdftotext"}) {
            if (!QFile::exists(needed)) return QString("%1 is not installed").arg(needed);
        }
        const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";
        if (!QFile::exists(ppd)) return ppd + " is not installed";

        const QString root = dir.filePath("root");
        for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "out"}) {
            QDir().mkpath(dir.filePath(sub));
        }
        // The filters run as lp and must reach the spool.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                              QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup);
        const QString d = dir.path();
        WriteText(root + "/cups-files.conf",
                  QString("ServerRoot %1/root\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                          "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                          "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                          "Printcap %1/printcap\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                          "Sandboxing Relaxed\n")
                      .arg(d));
        WriteText(root + "/cupsd.conf",
                  QString("Listen %1/cups.sock\nLogLevel info\nBrowsing No\nWebInterface No\n"
                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                      .arg(d));
        // The client side asks only this cupsd, with no one's saved default in the way.
        setenv("CUPS_SERVER", (d + "/cups.sock").toLocal8Bit().constData(), 1);
        setenv("CUPS_SERVERROOT", root.toLocal8Bit().constData(), 1);
        setenv("HOME", d.toLocal8Bit().constData(), 1);
        unsetenv("LPDEST");
        unsetenv("PRINTER");

        cupsd.setProcessChannelMode(QProcess::MergedChannels);
        cupsd.start("/usr/sbin/cupsd",
                    {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        if (!cupsd.waitForStarted(10000)) return "cupsd did not start";
        QElapsedTimer timer;
        timer.start();
        while (!RunTool("/usr/bin/lpstat", {"-r"}).contains("scheduler is running")) {
            if (cupsd.state() == QProcess::NotRunning || timer.elapsed() > 20000) {
                return "cupsd did not start: " + QString::fromUtf8(cupsd.readAll()) +
                       RunTool("/usr/bin/tail", {"-n", "5", d + "/log/error_log"});
            }
            QThread::msleep(100);
        }

        return {};
    }

    // Adds the cups-pdf queue as the default printer; empty when done, else the error.
    QString AddDefaultQueue() {
        const QString d = dir.path();
        const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";
        // cups-pdf reads the settings of queue cups-pdf:/NAME from /etc/cups/cups-pdf-NAME.conf:
        // output into our directory, with a name from the job alone.
        queue = QString("ZentuTest%1").arg(getpid());
        cupsPdfConf = "/etc/cups/cups-pdf-" + queue + ".conf";
        WriteText(cupsPdfConf, QString("Out %1/out\nLog %1/log\nLabel 0\nTitlePref 0\n").arg(d));
        // The queue turns the job into PostScript for cups-pdf; the Cairo renderer keeps
        // the characters' Unicode, so pdftotext can read the text back.
        bool ok = false;
        const QString added = RunTool("/usr/sbin/lpadmin",
                                      {"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P", ppd,
                                       "-o", "pdftops-renderer-default=pdftocairo"},
                                      &ok);
        if (!ok) return "lpadmin could not add the queue: " + added;
        RunTool("/usr/sbin/lpadmin", {"-d", queue}, &ok);
        if (!ok) return "lpadmin could not make the queue the default";
        return {};
    }

    // The PDF that cups-pdf wrote, once it is whole; empty after the time limit.
    QString WaitForPdf() {
        QElapsedTimer timer;
        timer.start();
        const QDir out(dir.filePath("out"));
        while (timer.elapsed() < kWaitMs) {
            const QStringList found = out.entryList({"*.pdf"}, QDir::Files);
            // The job is done when the scheduler has nothing left to do.
            if (!found.isEmpty() && RunTool("/usr/bin/lpstat", {"-o"}).trimmed().isEmpty()) {
                return out.filePath(found.first());
            }
            QThread::msleep(200);
        }
        return {};
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

  private:
    QTemporaryDir dir;
    QProcess cupsd;
    QString queue;
    QString cupsPdfConf;
};

class TickedChooser : public ElementChooser {
  public:
    bool ChooseElements(ElementSelection& selection) override {
        selection.Set(Element::Question, true);
        selection.Set(Element::Answer, true);
        return true;
    }
};

struct Word {
    QString text;
    double x, y;  // top-left, in points
};

// Every word of page `page` (from 0) with its place, as pdftotext -bbox reports it.
std::vector<Word> WordsOfPage(const QString& pdf, int page) {
    const QString html = RunTool("/usr/bin/pdftotext", {"-bbox", "-f", QString::number(page + 1),
                                                        "-l", QString::number(page + 1), pdf, "-"});
    std::vector<Word> words;
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return words;
}

QStringList Squeezed(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split('\n')) {
        if (!line.trimmed().isEmpty()) lines.append(line.simplified());
    }
    return lines;
}

TEST(CupsPrint, PrintsTheListingWhereTheGridPutsIt) {
    PrivateCups cups;
    if (const QString why = cups.Start(); !why.isEmpty()) {
        GTEST_SKIP() << "no cupsd to print on: " << why.toStdString();
    }
    const QString failed = cups.AddDefaultQueue();
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

    // The grid as the printer gives it, and the listing laid out on it by the core.
    RecordingPrintDevice grid;
    {
        QtPrintDevice probe;
        ASSERT_TRUE(probe.OpenDefaultPrinter()) << "the new queue is not the default";
        grid.area = probe.Area();
    }
    const int columns = grid.area.width / grid.area.pixelsPerInchX * kPrintCharsPerInch;
    const int lines = grid.area.height / grid.area.pixelsPerInchY * kPrintLinesPerInch;
    ASSERT_GT(columns, 20);
    ASSERT_GT(lines, 20);

    Question_Set set;
    auto add = [&set](std::string question, std::string answer) {
        Zentu_Data record;
        record.question = std::move(question);
        record.answer = std::move(answer);
        set.Append(record);
    };
    add("Capital of France?", "Paris");
    add("        eight",
        "Gr\xfc\xdf"
        "e \xe9t\xe9");
    add(std::string(columns, 'W') + "tail", "wrapped");
    // Questions of three lines each, until the listing runs onto page 2.
    for (int used = 10; used < lines + 6; used += 3) add("filler", "f");

    FakePlatform desktop;
    TickedChooser chooser;
    ElementSelection selection;
    PrintQuestions(set, selection, chooser, grid, desktop);
    ASSERT_EQ(grid.pages.size(), 2u);

    QtPrintDevice printer;
    PrintQuestions(set, selection, chooser, printer, desktop);
    EXPECT_TRUE(desktop.messages.empty());
    const QString pdf = cups.WaitForPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote no PDF within " << kWaitMs / 1000 << " s";

    // The text of each page, line by line, as the grid holds it.
    const QStringList pages =
        RunTool("/usr/bin/pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"}).split('\f');
    ASSERT_GE(pages.size(), 2);
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        QStringList expected;
        for (const std::string& line : grid.Lines(page)) {
            if (!QString::fromLatin1(line).trimmed().isEmpty()) {
                expected.append(QString::fromLatin1(line).simplified());
            }
        }
        EXPECT_EQ(Squeezed(pages[page]), expected);
    }
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Grüße été")));
    EXPECT_TRUE(pages[0].contains(QString(columns, 'W') + "\n"));

    // Places: a word that starts in cell (column, line) starts column/17 inch right of
    // and line/6 inch below the first word, give or take a point.
    const std::vector<Word> first = WordsOfPage(pdf, 0);
    ASSERT_FALSE(first.empty());
    const Word origin = first.front();
    ASSERT_EQ(origin.text, "Question:");
    auto expectAt = [&](const std::vector<Word>& words, const QString& text, int column, int line) {
        const auto found =
            std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == text; });
        ASSERT_NE(found, words.end()) << text.toStdString();
        EXPECT_NEAR(found->x - origin.x, column * 72.0 / kPrintCharsPerInch, 1.0)
            << text.toStdString();
        EXPECT_NEAR(found->y - origin.y, line * 72.0 / kPrintLinesPerInch, 1.0)
            << text.toStdString();
    };
    expectAt(first, "Paris", 0, 2);
    expectAt(first, "eight", 8, 4);
    expectAt(first, QString::fromUtf8("été"), 6, 5);
    expectAt(first, "tail", 0, 8);
    // Page 2 begins at the top-left cell again.
    const std::vector<Word> second = WordsOfPage(pdf, 1);
    ASSERT_FALSE(second.empty());
    const std::string top = grid.Lines(1).front();
    EXPECT_EQ(second.front().text.toStdString(), top.substr(0, top.find(' ')));
    EXPECT_NEAR(second.front().x, origin.x, 1.0);
    EXPECT_NEAR(second.front().y, origin.y, 1.0);
}

}  // namespace
