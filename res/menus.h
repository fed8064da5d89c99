// The menu resources of the windows: popups, items and separators with their command
// ids, as plain data that the Qt side turns into menu bars.
#pragma once

#include <string>
#include <vector>

enum class MenuEntryKind { Popup, Item, Separator };

struct MenuEntry {
    MenuEntryKind kind = MenuEntryKind::Item;
    std::string text;                 // with '&' before the mnemonic letter; empty for a separator
    int id = 0;                       // the command id of an item; 0 for a popup or a separator
    std::vector<MenuEntry> children;  // the entries of a popup
    bool checkable = false;           // an item that shows a check mark or an empty box for it
};

struct MenuResource {
    int id = 0;
    std::vector<MenuEntry> bar;  // the menu bar, left to right
};

enum MenuResourceId : int {
    kMenuMainWindow = 890,
    kMenuQuestionEditor = 891,
    kMenuQuestionDialog = 892,
};

// The menu with resource id `id`, or nullptr when there is none.
const MenuResource* FindMenu(int id);
