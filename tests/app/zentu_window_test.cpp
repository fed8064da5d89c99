#include "app/zentu_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "fakes/when_modal.h"
#include "framework/command_menu.h"

namespace {

const int kEnabledAtStart[] = {kCmNew,   kCmOpen,       kCmSave,       kCmSaveAs,
                               kCmExit,  kCmFont,       kCmReverse,    kCmHelpContents,
                               kCmAbout, kCmGradedQuiz, kCmRandomTest, kCmEdit};
const int kDisabledAtStart[] = {kCmExport, kCmPrint, kCmPrinterSetup};

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
    ASSERT_TRUE(window->State().Bind(kCmExport, [&] { ++runs; }));
    menu->UpdateEnabled();
    EXPECT_TRUE(menu->Action(kCmExport)->isEnabled());
    menu->Action(kCmExport)->trigger();
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

}  // namespace
