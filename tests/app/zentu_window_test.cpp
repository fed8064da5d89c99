#include "app/zentu_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>

#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "editor/edit_dialog.h"
#include "fakes/recording_print_device.h"
#include "fakes/when_modal.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"
#include "list/question_list_window.h"
#include "output/print_dialog.h"
#include "output/print_preview_window.h"

namespace {

const int kEnabledAtStart[] = {
    kCmNew,          kCmOpen,       kCmSave,          kCmSaveAs,       kCmExit,
    kCmFont,         kCmReverse,    kCmEdit,          kCmGradedQuiz,   kCmRandomTest,
    kCmPrint,        kCmExport,     kCmAbout,         kCmHelpContents, kCmPrinterSetup,
    kCmPrintPreview, kCmFind,       kCmQuizOnMatches, kCmQuestionList, kCmExplainWrongAnswers,
    kCmImport,       kCmExportTable};

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

// The list follows Open, Reverse Q/A and the editor; the search narrows it; Enter on a
// row opens the editor at that question and the row is current again afterwards.
TEST(ZentuWindowTest, TheListFollowsTheSetAndEnterEditsTheChosenQuestion) {
    zentu program;
    zentuwin* window = program.CreateMainWindow(std::nullopt);
    window->show();
    QuestionListWindow* list = window->List();
    QTableView* table = list->Table();
    EXPECT_TRUE(list->EmptyHint()->isVisible());
    EXPECT_FALSE(table->isVisible());

    const QString file = ZENTU_EXAMPLES_DIR "/world_capitals.que";
    WhenModal<QFileDialog>([file](QFileDialog* dialog) {
        auto* retry = new QTimer;
        QObject::connect(retry, &QTimer::timeout,
                         [retry, file, opened = QPointer<QFileDialog>(dialog)] {
                             if (opened == nullptr || !opened->isVisible())
                                 return retry->deleteLater();
                             opened->findChild<QLineEdit*>("fileNameEdit")->setText(file);
                             QMetaObject::invokeMethod(opened, "accept");
                         });
        retry->start(50);
    });
    window->Menu()->Action(kCmOpen)->trigger();
    const Question_Set& set = window->State().Questions();
    ASSERT_EQ(set.Count(), 14u);
    QAbstractItemModel* model = table->model();
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(model->rowCount(), 14);
    EXPECT_EQ(list->Status()->text(), "14 questions");
    EXPECT_EQ(model->index(0, 0).data().toString(), "What is the capital of France?");
    EXPECT_EQ(model->index(0, 3).data().toString(), "All");

    for (const char* first : {"Answer", "Question"}) {
        window->Menu()->Action(kCmReverse)->trigger();
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), first);
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(),
                  QString(first) == "Answer" ? "Question" : "Answer");
    }

    window->Menu()->Action(kCmFind)->trigger();
    EXPECT_TRUE(list->SearchField()->hasFocus() || !QApplication::activeWindow());
    QTest::keyClicks(list->SearchField(), QStringLiteral("AUSTRALIA"));
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), "2");
    EXPECT_EQ(list->Status()->text(), "1 of 14 questions match");

    std::size_t opened = 0;
    WhenModal<editdialog>([&](editdialog* dialog) {
        opened = dialog->Position();
        dialog->Edit(kEdQuestionBox)->selectAll();
        dialog->Edit(kEdQuestionBox)->InsertTyped(QStringLiteral("Australia:\ncapital?"));
        dialog->Button(kIdOk)->click();
    });
    QTest::keyClick(list->SearchField(), Qt::Key_Return);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(opened, 2u);
    EXPECT_EQ(set.At(2).question, "Australia:\r\ncapital?");
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 0).data().toString(), QString::fromUtf8("Australia:\u21b5capital?"));
    EXPECT_EQ(list->CurrentQuestion(), 2u);

    QTest::keyClick(list->SearchField(), Qt::Key_Escape);
    EXPECT_EQ(list->SearchField()->text(), "");
    EXPECT_EQ(model->rowCount(), 14);
    EXPECT_EQ(list->CurrentQuestion(), 2u);

    // Leaving the editor elsewhere than it opened: that question is current afterwards.
    table->setCurrentIndex(model->index(4, 0));
    WhenModal<editdialog>([&](editdialog* dialog) {
        opened = dialog->Position();
        WhenModal<editdialog>([](editdialog* next) { next->Button(kIdOk)->click(); });
        dialog->Button(kEdNextButton)->click();
    });
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(opened, 5u);
    EXPECT_EQ(list->CurrentQuestion(), 6u);
}

// View > Question List hides the list, and the next window remembers it.
TEST(ZentuWindowTest, TheListsVisibilityIsRemembered) {
    // Hidden, then shown again; each window starts as the one before it was left.
    for (const bool shown : {true, false, true}) {
        zentu program;
        zentuwin* window = program.CreateMainWindow(std::nullopt);
        window->show();
        EXPECT_EQ(window->List()->isVisible(), shown);
        EXPECT_EQ(window->Menu()->Action(kCmQuestionList)->isChecked(), shown);
        if (shown) window->Menu()->Action(kCmQuestionList)->trigger();
        if (!shown) window->Menu()->Action(kCmFind)->trigger();  // Find shows it again
        EXPECT_EQ(window->List()->isVisible(), !shown);
    }
    QSettings().remove("View/QuestionList");  // the later tests start with the list shown
}

}  // namespace
