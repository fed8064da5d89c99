#include "app/zentu_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
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
#include "output/print_preview_window.h"

namespace {

const int kEnabledAtStart[] = {kCmNew,        kCmOpen,         kCmSave,         kCmSaveAs,
                               kCmExit,       kCmFont,         kCmReverse,      kCmEdit,
                               kCmGradedQuiz, kCmRandomTest,   kCmPrint,        kCmExport,
                               kCmAbout,      kCmHelpContents, kCmPrinterSetup, kCmPrintPreview};

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
    // Every command is bound now, and a bound id is not bound twice.
    for (int id : {kCmExport, kCmPrinterSetup, kCmPrintPreview}) {
        EXPECT_FALSE(window->State().Bind(id, [] {})) << id;
    }
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

// Print Preview: the element dialog, the pages of the listing over the window, and Print
// from there, as a job named after the file.
TEST(ZentuWindowTest, PreviewShowsTheListingAndPrintsItFromThere) {
    ProgramElementSelection() = {};
    zentu program;
    zentuwin* window =
        program.CreateMainWindow(std::string(ZENTU_EXAMPLES_DIR "/german_words.que"));
    window->show();
    for (const bool print : {false, true}) {
        RecordingPrintDevice printed;
        struct Kept : RecordingPrintDevice {
            RecordingPrintDevice& keep;
            explicit Kept(RecordingPrintDevice& keep) : keep(keep) {}
            ~Kept() override { keep = *this; }
        };
        window->SetPrintDeviceFactory([&] { return std::make_unique<Kept>(printed); });
        WhenModal<printdial>([](printdial* dialog) { dialog->Button(kIdOk)->click(); });
        QString shown;
        WhenModal<PrintPreviewWindow>([&](PrintPreviewWindow* preview) {
            shown = preview->findChildren<QLabel*>().back()->text() +
                    (preview->parentWidget() == window ? " over the window" : "");
            print ? preview->accept() : preview->reject();
        });
        window->Menu()->Action(kCmPrintPreview)->trigger();
        EXPECT_EQ(shown, "Page 1 of 1 over the window");
        EXPECT_EQ(printed.calls.size() > 2 ? printed.calls[2] : "",  // opened for the preview first
                  print ? "doc Zentu - german_words.que" : "");
        EXPECT_EQ(printed.pages.empty() ? "" : printed.pages[0].at(0), print ? "Question: 1" : "");
    }
}

TEST(ZentuWindowTest, PrintAndExportListTheSetWithOneSelectionOrSayThereIsNoPrinter) {
    ProgramElementSelection() = {};
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    window->State().Questions().Append(Zentu_Data{"Gr\xfc\xdf", "\xe9t\xe9", "", "", ""});
    for (const bool hasPrinter : {true, false}) {
        RecordingPrintDevice printed;  // filled by the command's device when it is done
        struct Kept : RecordingPrintDevice {
            RecordingPrintDevice& keep;
            Kept(RecordingPrintDevice& keep, bool printer) : keep(keep) { hasPrinter = printer; }
            ~Kept() override { keep = *this; }
        };
        window->SetPrintDeviceFactory([&] { return std::make_unique<Kept>(printed, hasPrinter); });
        WhenModal<printdial>([](printdial* dialog) {
            dialog->SetChecked(3102, true);
            dialog->Button(kIdOk)->click();
        });
        QString seen;
        if (!hasPrinter) {  // watched only where due: a watch left behind acts on a later box
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                seen =
                    box->windowTitle() + (box->parentWidget() == window ? " over the window" : "");
                box->button(QMessageBox::Ok)->click();
            });
        }
        window->Menu()->Action(kCmPrint)->trigger();
        EXPECT_EQ(seen, hasPrinter ? "" : "Print over the window");
        EXPECT_EQ(printed.pages.empty() ? "" : printed.pages[0].at(1),
                  hasPrinter ? "\xe9t\xe9" : "");
    }
    WhenModal<printdial>([](printdial* dialog) {
        dialog->SetChecked(5101, true);
        dialog->Button(kIdOk)->click();
    });
    // Typed as a user would: selectFile leaves alone a name box that has the focus. The
    // dialog may ignore an accept that comes before it has read its folder: retry.
    QTemporaryDir dir;
    const QString typed = dir.filePath("listing");
    WhenModal<QFileDialog>([typed](QFileDialog* dialog) {
        auto* retry = new QTimer;
        QObject::connect(retry, &QTimer::timeout,
                         [retry, typed, opened = QPointer<QFileDialog>(dialog)] {
                             if (opened == nullptr || !opened->isVisible())
                                 return retry->deleteLater();
                             opened->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
                             QMetaObject::invokeMethod(opened, "accept");
                         });
        retry->start(50);
    });
    window->Menu()->Action(kCmExport)->trigger();
    std::ifstream in(dir.filePath("listing.txt").toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "Question: 1\r\nGr\xfc\xdf\r\n\xe9t\xe9\r\n");
}

}  // namespace
