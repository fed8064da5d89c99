#include "framework/command_menu.h"

#include <gtest/gtest.h>

#include <QtWidgets>

#include "res/menus.h"

namespace {

// A built menu as one line: "Popup[text id|-|...]".
std::string Describe(const QList<QAction*>& actions) {
    std::string line;
    for (QAction* action : actions) {
        if (!line.empty()) line += '|';
        if (action->isSeparator()) {
            line += '-';
        } else if (action->menu() != nullptr) {
            line += action->text().toStdString() + '[' + Describe(action->menu()->actions()) + ']';
        } else {
            line += action->text().toStdString() + ' ' + std::to_string(action->data().toInt());
        }
    }
    return line;
}

}  // namespace

TEST(CommandMenu, MenusAreBuiltFromTheirResources) {
    struct Case {
        int id;
        std::string menu;
    } const cases[] = {
        {kMenuMainWindow,
         "&File[&New 108|&Open 8103|&Import... 30001|&Save 104|Save &As 105|-|&Export 11842|"
         "Export as &Table... 30002|&Print 4102|Print Pre&view... 30031|"
         "P&rinter Setup... 4101|-|E&xit 106]|&Tools[&Edit 203|F&ind... 30011|"
         "Graded &Quiz 2073|Quiz on &Matches 30012|Random &Test 2093|-|&Font 11843|"
         "&Reverse Q/A 107|E&xplain Wrong Answers 30021]|&View[&Question List 30013]|"
         "&Help[&Contents 24346|-|"
         "&About... 24347]"},
        {kMenuQuestionEditor,
         "&Go[&Prev 11845|&Next 11846|&First 11849|&Last 11848]|&Change[&Move Question 11842|"
         "&Insert New Question 11843|&Delete Current Question 11844|-|&Advanced Options 11847]|"
         "Character &Map 11850"},
        {kMenuQuestionDialog, "Character &Map 11850"},
        {999, ""},  // no such menu
    };
    for (const Case& c : cases) {
        QMenuBar bar;
        CommandMenu* menu = CommandMenu::Build(&bar, c.id, CommandRoute());
        EXPECT_EQ(menu != nullptr, !c.menu.empty()) << c.id;
        EXPECT_EQ(Describe(bar.actions()), c.menu);
        EXPECT_EQ(CommandMenu::Of(&bar), menu);
    }
}

// An item is enabled only while a stop of the route handles its id: "P&rinter Setup..."
// not on this route, and commands not built yet not until they are bound. Choosing an item runs the
// handler of the first stop, which alone decides the item's check mark.
TEST(CommandMenu, ItemsFollowTheRoute) {
    CommandTable window;
    CommandTable application;
    std::vector<int> ran;
    window.Bind(108, [&ran] { ran.push_back(108); });
    application.Bind(106, [&ran] { ran.push_back(-106); });
    application.Bind(108, [&ran] { ran.push_back(-108); });
    ASSERT_FALSE(window.Bind(108, [] {}));  // an id is bound once
    CommandRoute route;
    route.Add(window);
    route.Add(application);
    QMenuBar bar;
    CommandMenu* menu = CommandMenu::Build(&bar, kMenuMainWindow, route);
    for (int id : {108, 106, 4101, 203}) {
        EXPECT_EQ(menu->Action(id)->isEnabled(), id == 108 || id == 106) << id;
    }
    menu->SetChecked(108, true);
    for (int id : {106, 108, 4101}) menu->Action(id)->trigger();  // 4101 is disabled
    EXPECT_EQ(ran, (std::vector<int>{-106, 108}));
    EXPECT_TRUE(menu->Action(108)->isChecked());

    // A command bound later shows enabled when its popup opens next.
    ASSERT_TRUE(window.Bind(203, [] {}));
    emit bar.actions()[1]->menu()->aboutToShow();
    EXPECT_TRUE(menu->Action(203)->isEnabled());
    EXPECT_FALSE(menu->Action(4101)->isEnabled());
}

// Reverse Q/A stands for a setting: checkable before it is first chosen, its mark following
// each choice. Font is a plain command.
TEST(CommandMenu, SettingItemsAreCheckableFromTheStart) {
    for (const int id : {107, 11843}) {
        SCOPED_TRACE(id);
        CommandTable table;
        bool on = false;
        CommandMenu* menu = nullptr;
        table.Bind(id, [&] { menu->SetChecked(id, on = !on); });
        CommandRoute route;
        route.Add(table);
        QMenuBar bar;
        menu = CommandMenu::Build(&bar, kMenuMainWindow, route);
        QAction* action = menu->Action(id);
        EXPECT_EQ(action->isCheckable(), id == 107);
        EXPECT_FALSE(action->isChecked());
        for (bool checked : {true, false, true}) {
            action->trigger();
            EXPECT_EQ(action->isChecked(), checked);
        }
    }
}
