#include "res/menus.h"

#include <array>

namespace {

MenuEntry Item(const char* text, int id) { return {MenuEntryKind::Item, text, id, {}, false}; }

// An item that stands for a setting, on or off: it shows as checkable from the start.
MenuEntry CheckItem(const char* text, int id) { return {MenuEntryKind::Item, text, id, {}, true}; }

MenuEntry Separator() { return {MenuEntryKind::Separator, "", 0, {}, false}; }

MenuEntry Popup(const char* text, std::vector<MenuEntry> children) {
    return {MenuEntryKind::Popup, text, 0, std::move(children), false};
}

const std::array<MenuResource, 3>& Menus() {
    static const std::array<MenuResource, 3> menus = {{
        {kMenuMainWindow,
         {
             Popup("&File", {Item("&New", 108), Item("&Open", 8103), Item("&Import...", 30001),
                             Item("&Save", 104), Item("Save &As", 105), Separator(),
                             Item("&Export", 11842), Item("Export as &Table...", 30002),
                             Item("&Print", 4102), Item("Print Pre&view...", 30031),
                             Item("P&rinter Setup...", 4101), Separator(), Item("E&xit", 106)}),
             Popup("&Tools",
                   {Item("&Edit", 203), Item("F&ind...", 30011), Item("Graded &Quiz", 2073),
                    Item("Quiz on &Matches", 30012), Item("Random &Test", 2093), Separator(),
                    Item("&Font", 11843), CheckItem("&Reverse Q/A", 107),
                    CheckItem("E&xplain Wrong Answers", 30021)}),
             Popup("&View", {CheckItem("&Question List", 30013)}),
             Popup("&Help", {Item("&Contents", 24346), Separator(), Item("&About...", 24347)}),
         }},
        {kMenuQuestionEditor,
         {
             Popup("&Go", {Item("&Prev", 11845), Item("&Next", 11846), Item("&First", 11849),
                           Item("&Last", 11848)}),
             Popup("&Change", {Item("&Move Question", 11842), Item("&Insert New Question", 11843),
                               Item("&Delete Current Question", 11844), Separator(),
                               Item("&Advanced Options", 11847)}),
             Item("Character &Map", 11850),
         }},
        {kMenuQuestionDialog,
         {
             Item("Character &Map", 11850),
         }},
    }};
    return menus;
}

}  // namespace

const MenuResource* FindMenu(int id) {
    for (const MenuResource& menu : Menus()) {
        if (menu.id == id) {
            return &menu;
        }
    }
    return nullptr;
}
