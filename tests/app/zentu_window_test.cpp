#include "app/zentu_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "fakes/recording_print_device.h"
#include "fakes/when_modal.h"
#include "framework/command_menu.h"
#include "output/print_dialog.h"

namespace {

const int kEnabledAtStart[] = {kCmNew,     kCmOpen,         kCmSave,  kCmSaveAs, kCmExit,  kCmFont,
                               kCmReverse, kCmHelpContents, kCmAbout, kCmPrint,  kCmExport};
const int kDisabledAtStart[] = {kCmPrinterSetup, kCmEdit, kCmGradedQuiz, kCmRandomTest};

void Answer(QMessageBox::StandardButton button) {
    WhenModal<QMessageBox>([button](QMessageBox* box) { box->button(button)->click(); });
}

TEST(ZentuWindowTest, MenuItemsAreEnabledExactlyWhereAHandlerIsBound) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    CommandMenu* menu = window->Menu();
    ASSERT_NE(menu, nullptr);
    menu->UpdateEnabled();
    for (int id : kEnabledAtStart) {
        ASSERT_NE(menu->Action(id), nullptr) << id;
        EXPECT_TRUE(menu->Action(id)->isEnabled()) << id;
    }
    for (int id : kDisabledAtStart) {
        ASSERT_NE(menu->Action(id), nullptr) << id;
        EXPECT_FALSE(menu->Action(id)->isEnabled()) << id;
    }
    // A subsystem that binds its command later shows enabled from then on.
    int runs = 0;
    ASSERT_TRUE(window->State().Bind(kCmGradedQuiz, [&] { ++runs; }));
    menu->UpdateEnabled();
    EXPECT_TRUE(menu->Action(kCmGradedQuiz)->isEnabled());
    menu->Action(kCmGradedQuiz)->trigger();
    EXPECT_EQ(runs, 1);
}

TEST(ZentuWindowTest, CaptionFollowsTheStartUpFile) {
    struct Case {
        std::optional<std::string> file;
        QString caption;
    } const cases[] = {
        {std::nullopt, "Zentu Program 1.02"},
        {std::string(ZENTU_EXAMPLES_DIR "/german_words.que"),
         "Zentu Program 1.02 - " ZENTU_EXAMPLES_DIR "/german_words.que"},
    };
    for (const Case& c : cases) {
        zentu program;
        zentuwin* window = program.CreateMainWindow(c.file);
        EXPECT_EQ(window->windowTitle(), c.caption);
        EXPECT_EQ(window->State().Questions().Count() > 0, c.file.has_value());
    }
}

TEST(ZentuWindowTest, ReverseQaTogglesTheCheckMark) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    QAction* reverse = window->Menu()->Action(kCmReverse);
    for (bool expected : {true, false, true}) {
        reverse->trigger();
        EXPECT_EQ(window->State().Reversed(), expected);
        EXPECT_EQ(window->Menu()->IsChecked(kCmReverse), expected);
        EXPECT_EQ(reverse->isChecked(), expected);
        EXPECT_FALSE(window->State().QuestionsChanged());
    }
}

TEST(ZentuWindowTest, ExitPassesThroughTheCloseQuery) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool closes;
    } const cases[] = {{QMessageBox::Cancel, false}, {QMessageBox::No, true}};
    for (const Case& c : cases) {
        zentu program;
        zentuwin* window = program.CreateMainWindow(std::nullopt);
        window->show();
        window->State().Questions().Append(Zentu_Data());
        window->State().SetQuestionsChanged();
        Answer(c.answer);
        window->Menu()->Action(kCmExit)->trigger();
        EXPECT_EQ(window->isVisible(), !c.closes) << c.answer;
        EXPECT_EQ(window->State().Questions().Count(), 1u);
    }
}

TEST(ZentuWindowTest, ExitWithoutChangesClosesWithoutAsking) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    window->Menu()->Action(kCmExit)->trigger();
    EXPECT_FALSE(window->isVisible());
}

// A recording device that leaves its record behind when the command is done with it.
class KeptDevice : public RecordingPrintDevice {
  public:
    explicit KeptDevice(RecordingPrintDevice& keep, bool printer) : keep(keep) {
        hasPrinter = printer;
    }
    ~KeptDevice() override { keep = *this; }

  private:
    RecordingPrintDevice& keep;
};

void TickAndPressOk(std::vector<int> boxes) {
    WhenModal<printdial>([boxes](printdial* dialog) {
        for (int id : boxes) dialog->SetChecked(id, true);
        dialog->Button(kIdOk)->click();
    });
}

TEST(ZentuWindowTest, PrintListsTheSetOrSaysThereIsNoPrinter) {
    for (const bool hasPrinter : {true, false}) {
        SCOPED_TRACE(hasPrinter);
        ProgramElementSelection() = {};
        zentu program;
        zentuwin* window = program.CreateMainWindow(ZENTU_EXAMPLES_DIR "/world_capitals.que");
        window->show();
        RecordingPrintDevice printed;
        window->SetPrintDeviceFactory(
            [&] { return std::make_unique<KeptDevice>(printed, hasPrinter); });
        TickAndPressOk({3102});
        QString caption;
        QWidget* owner = nullptr;
        if (!hasPrinter) {
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                caption = box->windowTitle();
                owner = box->parentWidget();
                box->button(QMessageBox::Ok)->click();
            });
        }
        window->Menu()->Action(kCmPrint)->trigger();
        EXPECT_EQ(ProgramElementSelection().values[1], 1);
        if (hasPrinter) {
            ASSERT_FALSE(printed.pages.empty());
            const std::vector<std::string> lines = printed.Lines(0);
            ASSERT_GE(lines.size(), 2u);
            EXPECT_EQ(lines[0], "Question: 1");
            EXPECT_EQ(lines[1], window->State().Questions().At(1).answer);
        } else {
            EXPECT_TRUE(printed.pages.empty());
            EXPECT_EQ(caption, "Print");
            EXPECT_EQ(owner, window);
        }
    }
}

TEST(ZentuWindowTest, ExportWritesTheNamedFileWithTheTextExtension) {
    ProgramElementSelection() = {};
    QTemporaryDir dir;
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    Zentu_Data record;
    record.question = "Gr\xfc\xdf";
    window->State().Questions().Append(record);
    TickAndPressOk({5101});
    const QString typed = dir.filePath("listing");
    // Typed as a user would: selectFile leaves alone a name box that has the focus. The
    // dialog may ignore an accept that comes before it has read its folder: retry.
    WhenModal<QFileDialog>([typed](QFileDialog* dialog) {
        auto* retry = new QTimer;
        QObject::connect(retry, &QTimer::timeout,
                         [retry, typed, opened = QPointer<QFileDialog>(dialog)] {
                             if (opened == nullptr || !opened->isVisible()) {
                                 retry->deleteLater();
                                 return;
                             }
                             if (auto* name = opened->findChild<QLineEdit*>("fileNameEdit"))
                                 name->setText(typed);
                             QMetaObject::invokeMethod(opened, "accept");
                         });
        retry->start(50);
    });
    window->Menu()->Action(kCmExport)->trigger();
    std::ifstream in(dir.filePath("listing.txt").toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Question: 1\r\nGr\xfc\xdf\r\n");
    EXPECT_EQ(ProgramElementSelection().values[0], 1);
}

}  // namespace
