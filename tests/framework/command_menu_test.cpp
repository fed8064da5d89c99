#include "framework/command_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <set>

#include "res/menus.h"

namespace {

// Walks the built menu beside its resource: same texts, same order, same ids.
void ExpectSameAs(const std::vector<MenuEntry>& entries, const QList<QAction*>& actions) {
    ASSERT_EQ(static_cast<qsizetype>(entries.size()), actions.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        switch (entry.kind) {
            case MenuEntryKind::Separator:
                EXPECT_TRUE(action->isSeparator());
                break;
            case MenuEntryKind::Popup:
                ASSERT_NE(action->menu(), nullptr) << entry.text;
                EXPECT_EQ(action->text().toStdString(), entry.text);
                ExpectSameAs(entry.children, action->menu()->actions());
                break;
            case MenuEntryKind::Item:
                EXPECT_EQ(action->text().toStdString(), entry.text);
                EXPECT_EQ(action->data().toInt(), entry.id);
                break;
        }
    }
}

void CollectIds(const std::vector<MenuEntry>& entries, std::vector<int>& ids) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntryKind::Item) {
            ids.push_back(entry.id);
        }
        CollectIds(entry.children, ids);
    }
}

}  // namespace

TEST(CommandMenu, MainMenuIsBuiltAsTheResourceSays) {
    QMenuBar bar;
    CommandMenu* menu = CommandMenu::Build(&bar, kMenuMainWindow, CommandRoute());
    ASSERT_NE(menu, nullptr);
    ExpectSameAs(FindMenu(kMenuMainWindow)->bar, bar.actions());
    ASSERT_EQ(bar.actions().size(), 3);
    EXPECT_EQ(bar.actions()[0]->text(), QStringLiteral("&File"));
    ASSERT_NE(menu->Action(4101), nullptr);
    EXPECT_EQ(menu->Action(4101)->text(), QStringLiteral("P&rinter Setup..."));
    EXPECT_EQ(menu->Action(107)->text(), QStringLiteral("&Reverse Q/A"));
    EXPECT_EQ(menu->Action(24347)->text(), QStringLiteral("&About..."));
    EXPECT_EQ(CommandMenu::Of(&bar), menu);
}

TEST(CommandMenu, EveryMenuResourceBuildsWithDistinctIds) {
    for (int id : {kMenuMainWindow, kMenuQuestionEditor, kMenuQuestionDialog}) {
        const MenuResource* resource = FindMenu(id);
        ASSERT_NE(resource, nullptr) << id;
        std::vector<int> ids;
        CollectIds(resource->bar, ids);
        EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size()) << "menu " << id;
        QMenuBar bar;
        CommandMenu::Build(&bar, id, CommandRoute());
        ExpectSameAs(resource->bar, bar.actions());
    }
    EXPECT_EQ(FindMenu(999), nullptr);
}

TEST(CommandMenu, ItemsAreEnabledOnlyWhereTheRouteHandlesThem) {
    CommandTable window;
    CommandTable application;
    std::vector<int> ran;
    for (int id : {108, 8103, 104, 105, 11843, 107, 24346, 24347}) {
        ASSERT_TRUE(window.Bind(id, [&ran, id] { ran.push_back(id); }));
    }
    ASSERT_TRUE(application.Bind(106, [&ran] { ran.push_back(106); }));
    CommandRoute route;
    route.Add(window);
    route.Add(application);
    QMenuBar bar;
    CommandMenu* menu = CommandMenu::Build(&bar, kMenuMainWindow, route);

    const std::set<int> disabled = {4101, 11842, 4102, 203, 2073, 2093};
    std::vector<int> ids;
    CollectIds(FindMenu(kMenuMainWindow)->bar, ids);
    for (int id : ids) {
        EXPECT_EQ(menu->Action(id)->isEnabled(), disabled.count(id) == 0) << id;
    }

    menu->Action(106)->trigger();
    menu->Action(107)->trigger();
    menu->Action(4101)->trigger();  // disabled: nothing runs
    EXPECT_EQ(ran, (std::vector<int>{106, 107}));

    // A command bound later shows enabled when its popup opens next.
    ASSERT_TRUE(window.Bind(203, [&ran] { ran.push_back(203); }));
    emit bar.actions()[1]->menu()->aboutToShow();
    EXPECT_TRUE(menu->Action(203)->isEnabled());
    EXPECT_FALSE(menu->Action(4101)->isEnabled());
}

TEST(CommandMenu, TheHandlerAloneSetsTheCheckMark) {
    CommandTable window;
    bool reversed = false;
    CommandMenu* menu = nullptr;
    window.Bind(107, [&] {
        reversed = !reversed;
        menu->SetChecked(107, reversed);
    });
    window.Bind(108, [] {});
    CommandRoute route;
    route.Add(window);
    QMenuBar bar;
    menu = CommandMenu::Build(&bar, kMenuMainWindow, route);

    EXPECT_FALSE(menu->Action(107)->isChecked());
    menu->Action(107)->trigger();
    EXPECT_TRUE(menu->Action(107)->isChecked());
    menu->Action(107)->trigger();
    EXPECT_FALSE(menu->Action(107)->isChecked());

    // An item whose handler leaves the mark alone keeps the mark it was given.
    menu->SetChecked(108, true);
    menu->Action(108)->trigger();
    EXPECT_TRUE(menu->Action(108)->isChecked());
    EXPECT_TRUE(menu->IsChecked(108));
}

TEST(CommandTable, AnIdIsBoundOnce) {
    CommandTable table;
    int first = 0;
    int second = 0;
    EXPECT_TRUE(table.Bind(104, [&] { ++first; }));
    EXPECT_FALSE(table.Bind(104, [&] { ++second; }));
    EXPECT_FALSE(table.Bind(105, nullptr));
    EXPECT_TRUE(table.Dispatch(104));
    EXPECT_FALSE(table.Dispatch(105));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
}

TEST(CommandRoute, TheFirstStopThatHandlesAnIdRunsIt) {
    CommandTable window;
    CommandTable application;
    std::vector<std::string> ran;
    window.Bind(1, [&] { ran.push_back("window 1"); });
    application.Bind(1, [&] { ran.push_back("application 1"); });
    application.Bind(2, [&] { ran.push_back("application 2"); });
    CommandRoute route;
    route.Add(window);
    route.Add(application);
    EXPECT_TRUE(route.Dispatch(1));
    EXPECT_TRUE(route.Dispatch(2));
    EXPECT_FALSE(route.Dispatch(3));
    EXPECT_FALSE(route.Handles(3));
    EXPECT_EQ(ran, (std::vector<std::string>{"window 1", "application 2"}));
}
